#pragma once

#include "cataloguerules.h"

#include <QString>
#include <QStringList>

// Arithmetic and list queries of purchase orders, apart from the widgets.
namespace Purchasing {

constexpr const char *Draft = "DRAFT";
constexpr const char *Sent = "SENT";
constexpr const char *Received = "RECEIVED";

// Unit price × quantity in single precision; text that does not convert counts as 0 (a
// quantity must be a base-10 integer, so "4.5" is 0).
float LineTotal(const QString &unitPriceText, const QString &quantityText);
// A money value as the total fields show it.
QString MoneyText(float value);

// The three total fields of an order, changed by one line at a time.
struct Totals {
    float subTotal = 0;
    float tax = 0;
    float total = 0;

    static Totals FromTexts(const QString &subTotal, const QString &tax, const QString &total);
    // Tax of a line at a rate in percent; 0 when tax is disabled.
    static float LineTax(float lineTotal, float rate, bool taxEnabled);
    Totals Added(float lineTotal, float lineTax) const;
    Totals Removed(float lineTotal, float lineTax) const;
};

// The order list: ID, vendor, status, sent date, delivery date, sub-total, tax, total, notes
// (the order dialog reads a row by these positions). Orders whose vendor is gone are not listed.
QString OrderListBase();
Catalogue::ListQuery OrderShowAll();
// Vendor name wins over status; a status is matched in upper case.
Catalogue::ListQuery OrderSearch(const QString &vendorName, const QString &status);
QStringList OrderSortExpressions();

// The line table of an order (columns as below); a negative key lists nothing.
QString LineQuery(int orderKey);
enum LineColumn {
    LineId = 0,
    LineOrder = 1,
    LineCode = 2,
    LineQuantity = 3,
    LineName = 4,
    LineUnitPrice = 5,
    LineTotalColumn = 6,
    LineSalePrice = 7,
    LineBatch = 8,
    LineExpiry = 9,
    LineStorage = 10
};

} // namespace Purchasing
