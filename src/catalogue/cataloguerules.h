#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <map>

// The checks, conversions and list queries of the product and stock-batch screens, kept apart
// from the widgets so they can be exercised directly.
namespace Catalogue {

// Placeholder code of a product row that is about to receive its own ID as its code. It lies
// outside the code pattern, so no typed or imported code can ever be equal to it.
constexpr const char *AutoCodePlaceholder = "#AUTO_CODE#";

// Width of tblProducts.IMAGE_FILE.
constexpr int ImageFileColumnWidth = 150;

bool IsValidProductCode(const QString &code);
bool IsValidItemsPerUnitText(const QString &text);
// Base-10 value of an items-per-unit text; 0 for anything that does not convert to an int.
int ItemsPerUnitValue(const QString &text);
bool IsValidTaxRate(const QString &text);

bool IsValidBarCode(const QString &barCode);
bool IsValidCount(const QString &text); // quantity and sub-items
bool IsValidPrice(const QString &text);
bool IsValidDiscount(const QString &text);

// A stored price, discount or rate as its editor shows it: as it is when it has at most two
// decimals, else rounded to two, so that saving it unchanged passes the editor's checks.
QString EditorText(const QVariant &stored);
// The picture path to store: the path when it fits the column, else its file name (all the
// look-up in the images folder needs); empty when not even the name fits.
QString StoredImageFile(const QString &path);

// Single-precision money or rate as the value to store: the float's shortest decimal form,
// so 12.99 is stored as 12.99 and not as 12.9899997711182.
double StoredReal(float value);
// An amount as the value to store: the two-decimal value the screens show for it, exactly
// (12345678 stays 12345678, 123456.78 stays 123456.78), not its first seven digits.
double StoredMoney(double value);

// The three shop-wide tax rates A, B and C, by label ("A - 5 %"), in label order.
class TaxRateTable final
{
public:
    TaxRateTable(const QString &rateA, const QString &rateB, const QString &rateC);
    // From SALES_TAX_RATE_A/B/C of the settings store.
    static TaxRateTable FromSettings();

    QStringList Labels() const;
    // The rate behind a label; 0 for a label the table does not have.
    float Rate(const QString &label) const;
    // Label of the first entry whose rate equals this one exactly; empty when none does.
    QString LabelFor(float rate) const;

private:
    std::map<QString, float> m_rates;
};

// What the product form holds when it is saved.
struct ProductForm
{
    bool autoGenerate = true;
    bool editMode = false;
    QString code;
    QString name;
    QString itemsPerUnit;
    bool customRate = false;
    QString customRateText;
    QString category;
    QString imageFile;
};

// The first failed check of a product form as the text the dialog shows; empty when valid.
QString CheckProductForm(const ProductForm &form);

// What the batch form holds when it is saved.
struct BatchForm
{
    QString barCode;
    QDate expiryDate;
    QString quantity;
    QString salePrice;
    QString purchasePrice;
    QString discount;
    int vendorIndex = -1;
    QString subItems;
};

// The first failed check of a batch form as the text the dialog shows; empty when valid.
QString CheckBatchForm(const BatchForm &form);

// A list query: the base SELECT with its condition, the values bound into it and the status
// line that explains it.
struct ListQuery
{
    QString sql;
    QVariantMap bindings;
    QString status;
    // The condition reads the product's columns only (a broad name search).
    bool filtersProductsOnly = false;
};

// Product list: ID, category name, code, name, items per unit, description, image, tax rate.
// Only products whose category exists are listed.
QString ProductListBase();
ListQuery ProductShowAll();
// With a connection, a search that matches few products lists them by their keys (found on the
// column's own index first), so a rare match does not scan the whole catalogue.
ListQuery ProductSearch(const QString &name, const QString &code,
                        const QSqlDatabase &db = QSqlDatabase());
ListQuery ProductNothing();

// Batch list, columns fixed (the batch editor reads them by position); the expiry date is
// formatted for display by the server.
QString InventoryListBase();
ListQuery InventoryShowAll();
// With a connection, a name that matches few products fetches their batches by PRODUCT_ID.
ListQuery InventorySearch(const QString &name, const QString &barCode,
                          const QSqlDatabase &db = QSqlDatabase());
ListQuery InventoryNothing();
// Server-side ORDER BY expressions by column of the batch list, so that a header click
// orders dates as dates and not as their display text.
QStringList InventorySortExpressions();
QStringList ProductSortExpressions();

// The Qt format in which batch expiry dates are shown and read back.
QString ExpiryDisplayFormat();
// The SQL select fragment that shows EXPIRY_DATE in that format.
QString ExpiryDisplayExpression();
// A date as the list shows it, read back; invalid when it is neither in the display format
// nor in ISO form.
QDate ParseDisplayDate(const QString &text, const QString &displayFormat);

} // namespace Catalogue
