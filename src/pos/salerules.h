#pragma once

#include "settingkeys.h"

#include <QDate>
#include <QString>

// The sale screen's arithmetic and checks, without widgets: line amounts in single precision,
// the entry and payment patterns, stock in sub-item units and the panel's paging.
namespace SaleRules {

// Refusals and notes of the sale screen, as the cashier reads them.
namespace Message {
constexpr const char *BadBarCode = "Barcode is invalid. Please enter numeric bar code.";
constexpr const char *BadDiscount
    = "Discount is invalid. Please enter numeric (0 to 99.99) discount value.";
constexpr const char *BadQuantity = "Quantity is invalid. Please enter numeric quantity value.";
constexpr const char *BadSubItems = "Subitems is invalid. Please enter numeric subitems value.";
constexpr const char *LookupFailed = "Could not retrieve data from inventory";
constexpr const char *NotFound = "No results found in inventory";
constexpr const char *OutOfStock = "This item is out of stock";
constexpr const char *WholeOnly = "This item can only be sold as a whole. Subitems should be 0. ";
constexpr const char *BadItemsPerUnit
    = "The items per unit of this product are not valid. Nothing was sold.";
constexpr const char *StockWriteFailed
    = "Could not update the stock of this item. It was not added.";
constexpr const char *BadPaid = "Paid amount is not valid. Example 50.75";
constexpr const char *ShortPaid = "Paid amount is less than due amount";
constexpr const char *PaymentLogFailed = "Error occurred while logging payment information";
constexpr const char *InvoiceLogFailed = "Error occurred while logging invoice information";
constexpr const char *PaymentPending = "Payment is pending!";
} // namespace Message

// Two decimals, a point, a leading minus for negatives, no grouping; never "-0.00".
QString Money(float value);

// A product name as a sale line records it: products allow longer names than the sale lines'
// column holds, and a name that does not fit must not stop the sale from being recorded.
QString RecordedProductName(const QString &name);
// The status message of a sale line the sales database refused: which line (counted from 1),
// its product and why, told apart by the server's error number.
QString LineRefusedMessage(int line, const QString &product, int errorNumber,
                           const QString &serverText);
// Single precision of a text the way the screen reads it (0 for anything unreadable).
float ToFloat(const QString &text);

// What one entry brings to the line arithmetic.
struct LineInput {
    QString salePrice; // SALE_PRICE in its default text form
    QString purchasePrice; // PURCHASE_PRICE in its default text form
    int itemsPerUnit = 1;
    int quantity = 0;
    int subQuantity = 0;
    float discountPercent = 0;
    float taxPercent = 0; // already whole and 0 without tax, see TaxPercent
    bool returnMode = false;
};

struct LineAmounts {
    float discount = 0; // always positive
    float net = 0; // after discount, before tax; negative in return mode
    float cost = 0; // purchase cost; negative in return mode
    float tax = 0; // negative in return mode
};

LineAmounts ComputeLine(const LineInput &input);
// The product's stored rate applied as a whole percent (17.5 gives 18); 0 without tax.
float TaxPercent(double storedRate, bool taxEnabled);

// A two-decimal amount in whole cents, rounded half away from zero.
qint64 Cents(double amount);

// Running totals of one basket, kept so that what the cashier and the receipt read adds up:
// the sub total is the sum of the line totals as shown, the tax is rounded once for the sale,
// and the grand total is the shown sub total plus the shown tax.
struct Totals {
    void Add(const LineAmounts &line);
    float SubTotal() const { return float(double(m_subCents) / 100.0); }
    float Tax() const { return float(double(TaxCents()) / 100.0); }
    float Grand() const { return float(double(m_subCents + TaxCents()) / 100.0); }
    float Discount() const { return float(double(m_discountCents) / 100.0); }

private:
    qint64 TaxCents() const { return Cents(m_taxExact); }
    qint64 m_subCents = 0;
    qint64 m_discountCents = 0;
    double m_taxExact = 0;
};

// Grand total minus the tendered amount, the sign the sales record keeps: an over-payment
// gives a negative number.
float Change(float grandTotal, const QString &paidText);
// The money handed back to the customer: the tendered amount minus the grand total.
float ChangeDue(float grandTotal, const QString &paidText);

// The entry fields as typed.
struct EntryFields {
    QString barCode;
    QString discount;
    QString items;
    QString subItems;
};
// The first failed field check as its status message; empty when all pass.
QString CheckEntryFields(const EntryFields &fields);

// Empty when the tendered text pays the grand total, else the status message.
QString CheckPaidAmount(const QString &paidText, float grandTotal);

// Stock of a batch in sub-item units.
int StockUnits(int quantity, int subItems, int itemsPerUnit);

struct StockSplit {
    int quantity = 0;
    int subItems = 0;
};
// Units written back in normal form: whole units and the loose rest (itemsPerUnit >= 1).
StockSplit SplitStock(int units, int itemsPerUnit);

// The stock a batch holds and what an entry asks of it.
struct StockRequest {
    int quantity = 0; // in stock
    int subItems = 0; // in stock
    int itemsPerUnit = 1;
    int wantQuantity = 0;
    int wantSubItems = 0;
    bool returnMode = false;
};
struct StockOutcome {
    QString refusal; // status message; empty when the entry may go ahead
    StockSplit after; // the stock to write when it may
};
StockOutcome ApplyStock(const StockRequest &request);
QString NotAvailableMessage(int quantity, int subItems);

// Settings keys of the expiry guard.
constexpr const char *kExpiryGuardKey = Setting::ExpiryGuard.name;
constexpr const char *kExpiryWarnDaysKey = Setting::ExpiryWarnDays.name;

// What the till does with a batch past or near its expiry date ("EXPIRY_GUARD").
enum class ExpiryGuard { Off, Warn, Refuse };
// "off", "warn" or "refuse"; anything else (or absent) warns.
ExpiryGuard ExpiryGuardFromSetting(const QString &value);
QString ExpiryGuardSetting(ExpiryGuard guard);
constexpr int kDefaultExpiryWarnDays = Setting::ExpiryWarnDays.number;

struct ExpiryVerdict {
    QString refusal; // the entry must not go ahead
    QString notice; // the entry goes ahead and the cashier is told
};
// A batch without a valid expiry date never expires. A return takes goods back, so it is
// told, never refused. Dates are shown in displayFormat.
ExpiryVerdict CheckExpiry(ExpiryGuard guard, const QDate &expiry, const QDate &today,
                          int warnDays, bool returnMode, const QString &displayFormat);

// Pages needed for a number of panel entries (0 for none).
int PageCount(int entries, int pageSize);

} // namespace SaleRules
