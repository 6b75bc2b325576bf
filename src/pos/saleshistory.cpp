#include "saleshistory.h"

#include "salerules.h"

#include "auditlog.h"
#include "dbmanager.h"
#include "sqlutil.h"
#include "transactionreplay.h"

#include <QSqlError>
#include <QSqlQuery>

namespace SalesHistory {

namespace {

QString SalesBase()
{
    return QStringLiteral("SELECT ID, USER_ID, CUSTOMER_ID, TIME_STAMP, GRAND_TOTAL, PAID, "
                          "RETURN_AMOUNT FROM tblSalesTransactions");
}

QString DetailsBase()
{
    return QStringLiteral("SELECT ID, TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, QUANTITY, "
                          "PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, "
                          "PURCHASE_SUB_TOTAL FROM tblSalesInvoice WHERE TRANSACTION_ID = :sale");
}

bool Run(SqlQuery &query, int saleId, QString *error)
{
    query.bindValue(QStringLiteral(":sale"), saleId);
    if (query.exec())
        return true;
    LogSqlError(query.lastError());
    if (error)
        *error = query.lastError().text();
    return false;
}

} // namespace

ListQuery ShowAll()
{
    return {SalesBase(), {}, QString()};
}

ListQuery Search(const QString &receiptNumber, const QDate &day)
{
    if (!receiptNumber.isEmpty()) {
        bool ok = false;
        const int id = receiptNumber.toInt(&ok);
        // IDs start at 1, so -1 stands for a text that names no sale.
        return {SalesBase() + QStringLiteral(" WHERE ID = :id"),
                {{QStringLiteral(":id"), ok ? id : -1}},
                QStringLiteral("Search results based on Sales/Receipt ID ")};
    }
    if (day.isValid()) {
        return {SalesBase() + QStringLiteral(" WHERE TIME_STAMP >= :day AND TIME_STAMP < :next"),
                {{QStringLiteral(":day"), day.toString(Qt::ISODate)},
                 {QStringLiteral(":next"), day.addDays(1).toString(Qt::ISODate)}},
                QStringLiteral("Search results based on Date")};
    }
    return {SalesBase() + QStringLiteral(" WHERE ID = -1"),
            {},
            QStringLiteral("No search criteria specified.")};
}

QStringList SortExpressions()
{
    return {QStringLiteral("ID"),           QStringLiteral("USER_ID"),
            QStringLiteral("CUSTOMER_ID"),  QStringLiteral("TIME_STAMP"),
            QStringLiteral("GRAND_TOTAL"),  QStringLiteral("PAID"),
            QStringLiteral("RETURN_AMOUNT")};
}

ListQuery Details(int saleId)
{
    return {DetailsBase(), {{QStringLiteral(":sale"), saleId}}, QString()};
}

ListQuery NoDetails()
{
    return Details(-1);
}

bool ReceiptOf(QSqlDatabase db, int saleId, ReceiptData *receipt)
{
    SqlQuery sale(db);
    sale.prepare(SalesBase() + QStringLiteral(" WHERE ID = :sale"));
    if (!Run(sale, saleId, nullptr) || !sale.next())
        return false;
    ReceiptData data = ReceiptData::WithShopSettings();
    data.receiptNumber = sale.value(0).toString();
    const QString customer = sale.value(2).toString();
    if (customer != QLatin1String("NOT SELECTED"))
        data.customerName = customer;
    data.date = sale.value(3).toDateTime();
    const double grand = sale.value(4).toDouble();
    data.grandTotal = SaleRules::Money(float(grand));
    data.paid = SaleRules::Money(float(sale.value(5).toDouble()));
    // Stored as owed (grand total minus paid); the customer was handed the opposite.
    data.change = SaleRules::Money(float(qMax(0.0, -sale.value(6).toDouble())));
    SqlQuery lines(db);
    lines.prepare(DetailsBase() + QStringLiteral(" ORDER BY ITEM_INDEX"));
    if (!Run(lines, saleId, nullptr))
        return false;
    qint64 subCents = 0;
    qint64 discountCents = 0;
    while (lines.next()) {
        ReceiptLine line;
        line.product = lines.value(3).toString();
        line.quantity = lines.value(4).toString();
        line.price = lines.value(6).toString();
        line.subQuantity = lines.value(7).toString();
        line.discount = SaleRules::Money(float(lines.value(8).toDouble()));
        line.lineTotal = SaleRules::Money(float(lines.value(9).toDouble()));
        subCents += qRound64(lines.value(9).toDouble() * 100);
        discountCents += qRound64(lines.value(8).toDouble() * 100);
        data.lines.append(line);
    }
    data.subTotal = SaleRules::Money(float(double(subCents) / 100.0));
    // The tax was rounded once for the sale: what the total holds beyond the lines.
    data.taxAmount = SaleRules::Money(float(double(qRound64(grand * 100) - subCents) / 100.0));
    data.discountTotal = double(discountCents) / 100.0;
    *receipt = data;
    return true;
}

static bool DeleteSaleOnce(QSqlDatabase db, int saleId, QString *error)
{
    TransactionGuard transaction(db);
    if (!transaction.IsActive()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    // The sale as it was, lines included, goes to the audit trail with its removal.
    const QString saleRow = AuditLog::RowJson(db, "tblSalesTransactions", "ID", saleId);
    const QString saleLines
        = AuditLog::RowsJson(db, "tblSalesInvoice", "TRANSACTION_ID", saleId, "ITEM_INDEX");
    QSqlError auditError;
    if (!AuditLog::Write(db, QLatin1String(AuditLog::Kind::SaleDeleted),
                         QStringLiteral("tblSalesTransactions"), QString::number(saleId),
                         QStringLiteral("{\"sale\":%1,\"lines\":%2}")
                             .arg(saleRow.isEmpty() ? QStringLiteral("null") : saleRow, saleLines),
                         QString(), &auditError)) {
        if (error)
            *error = auditError.text();
        return false;
    }
    SqlQuery lines(db);
    lines.prepare(QStringLiteral("DELETE FROM tblSalesInvoice WHERE TRANSACTION_ID = :sale"));
    if (!Run(lines, saleId, error))
        return false;
    SqlQuery sale(db);
    sale.prepare(QStringLiteral("DELETE FROM tblSalesTransactions WHERE ID = :sale"));
    if (!Run(sale, saleId, error))
        return false;
    if (!transaction.Commit()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    return true;
}

// The sale, its lines and its audit entry go together; replayed whole on a lock conflict.
bool DeleteSale(QSqlDatabase db, int saleId, QString *error)
{
    return ReplayWhole([&] { return DeleteSaleOnce(db, saleId, error); });
}

} // namespace SalesHistory
