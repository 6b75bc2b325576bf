#include "purchaserules.h"

#include "appsettings.h"
#include "sqlutil.h"

namespace Purchasing {

float LineTotal(const QString &unitPriceText, const QString &quantityText)
{
    const float price = unitPriceText.toFloat();
    const int quantity = quantityText.toInt(nullptr, 10);
    return static_cast<float>(price * quantity);
}

QString MoneyText(float value)
{
    return QString::number(value, 'f', 2);
}

Totals Totals::FromTexts(const QString &subTotal, const QString &tax, const QString &total)
{
    return {subTotal.toFloat(), tax.toFloat(), total.toFloat()};
}

float Totals::LineTax(float lineTotal, float rate, bool taxEnabled)
{
    return taxEnabled ? lineTotal * rate / 100.0f : 0.0f;
}

Totals Totals::Added(float lineTotal, float lineTax) const
{
    Totals t;
    t.subTotal = subTotal + lineTotal;
    t.tax = tax + lineTax;
    t.total = t.tax + t.subTotal;
    return t;
}

Totals Totals::Removed(float lineTotal, float lineTax) const
{
    Totals t;
    t.subTotal = subTotal - lineTotal;
    t.tax = tax - lineTax;
    t.total = t.tax + t.subTotal;
    return t;
}

QString OrderListBase()
{
    const AppSettings &settings = AppSettings::Instance();
    return QStringLiteral("SELECT po.ID, v.NAME as VENDOR, po.STATUS, ")
        + settings.DateDisplayExpression(QStringLiteral("po.SENT_DATE"),
                                         QStringLiteral("Sent Date"))
        + QStringLiteral(", ")
        + settings.DateDisplayExpression(QStringLiteral("po.DELIVERY_DATE"),
                                         QStringLiteral("Delivery Date"))
        + QStringLiteral(" , po.SUB_TOTAL, po.SALES_TAX, po.TOTAL, po.NOTES FROM tblPOrders "
                         "as po, tblVendors as v WHERE po.VENDOR_ID = v.ID");
}

namespace {

// Left to itself the server starts the join from the vendors and sorts every order for each
// page; started from the orders it reads them in key or index order and stops after a page.
// Searching by vendor name stays vendor-first: the few matching vendors lead to their orders.
QString OrdersFirst()
{
    return OrderListBase().replace(QStringLiteral("SELECT po.ID"),
                                   QStringLiteral("SELECT STRAIGHT_JOIN po.ID"));
}

} // namespace

Catalogue::ListQuery OrderShowAll()
{
    return {OrdersFirst(), {}, QString()};
}

Catalogue::ListQuery OrderSearch(const QString &vendorName, const QString &status)
{
    if (!vendorName.isEmpty()) {
        return {OrderListBase() + QStringLiteral(" AND v.NAME LIKE :pattern"),
                {{QStringLiteral(":pattern"), LikeContains(vendorName)}},
                QStringLiteral("Search results based on Vendor name. ")};
    }
    if (!status.isEmpty()) {
        return {OrdersFirst() + QStringLiteral(" AND po.STATUS LIKE :pattern"),
                {{QStringLiteral(":pattern"), LikeContains(status.toUpper())}},
                QStringLiteral("Search results based on Purchase Order Status")};
    }
    return {OrdersFirst() + QStringLiteral(" AND po.ID = -1"),
            {},
            QStringLiteral("No search criteria specified.")};
}

QStringList OrderSortExpressions()
{
    return {QStringLiteral("po.ID"),
            QStringLiteral("v.NAME"),
            QStringLiteral("po.STATUS"),
            QStringLiteral("po.SENT_DATE"),
            QStringLiteral("po.DELIVERY_DATE"),
            QStringLiteral("po.SUB_TOTAL"),
            QStringLiteral("po.SALES_TAX"),
            QStringLiteral("po.TOTAL"),
            QStringLiteral("po.NOTES")};
}

QString LineQuery(int orderKey)
{
    const QString head
        = QStringLiteral("SELECT ID, PORDER_ID, ITEM_CODE, QUANTITY, ITEM_NAME, UNIT_PRICE, "
                         "LINE_TOTAL, SALE_PRICE, BATCH_NUMBER, ")
        + AppSettings::Instance().DateDisplayExpression(QStringLiteral("EXPIRY_DATE"),
                                                        QStringLiteral("EXPIRY DATE"))
        + QStringLiteral(" , STORAGE_LOCATION FROM tblPODetails WHERE PORDER_ID = ");
    return orderKey < 0 ? head + QStringLiteral("-1 ") : head + QString::number(orderKey);
}

} // namespace Purchasing
