#include "posstore.h"

#include "auditlog.h"
#include "cataloguerules.h"
#include "dbmanager.h"
#include "itemtransactionsmodel.h"
#include "sqlutil.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

namespace PosStore {

namespace {
enum class Attempt { Done, Retry };

// A single-precision amount stored the way it reads (33.93, not 33.9300003).
double Stored(const QString &text)
{
    return Catalogue::StoredReal(SaleRules::ToFloat(text));
}

bool IsLockConflict(const QSqlError &error)
{
    const int code = NativeErrorCode(error);
    return code == MariaDbError::Deadlock || code == MariaDbError::LockWaitTimeout;
}

// A return and a special discount are told to the audit trail with the stock they changed.
bool AuditLine(QSqlDatabase db, const ItemRequest &request, const QVariant &batchId,
               const SaleRules::StockRequest &stock, const SaleRules::StockSplit &after,
               const SaleRules::LineAmounts &amounts, QSqlError *failure)
{
    const QString before = AuditLog::ObjectJson(
        {{QStringLiteral("QUANTITY"), stock.quantity}, {QStringLiteral("SUB_ITEMS"), stock.subItems}});
    const QString line = AuditLog::ObjectJson(
        {{QStringLiteral("BAR_CODE"), request.barCode},
         {QStringLiteral("QUANTITY"), after.quantity},
         {QStringLiteral("SUB_ITEMS"), after.subItems},
         {QStringLiteral("LINE_QUANTITY"), request.quantity},
         {QStringLiteral("LINE_SUB_ITEMS"), request.subQuantity},
         {QStringLiteral("DISCOUNT_PERCENT"), double(request.specialPercent)},
         {QStringLiteral("DISCOUNT"), SaleRules::Money(amounts.discount)},
         {QStringLiteral("LINE_TOTAL"), SaleRules::Money(amounts.net)}});
    const QString row = batchId.toString();
    const QString table = QStringLiteral("tblInventory");
    if (request.returnMode
        && !AuditLog::Write(db, QLatin1String(AuditLog::Kind::ReturnLine), table, row, before,
                            line, failure))
        return false;
    return !request.specialDiscount
           || AuditLog::Write(db, QLatin1String(AuditLog::Kind::SpecialDiscount), table, row,
                              before, line, failure);
}

Attempt TryTakeItem(QSqlDatabase db, const ItemRequest &request, ItemTaken *taken)
{
    using namespace SaleRules;
    TransactionGuard transaction(db);
    if (!transaction.IsActive()) {
        taken->refusal = QString::fromLatin1(Message::LookupFailed);
        return Attempt::Done;
    }
    // The row stays locked until the commit: the stock read here is the stock written below.
    QSqlQuery lookup(db);
    lookup.prepare(QStringLiteral(
        "SELECT i.ID, p.NAME, p.ITEMS_PER_UNIT, i.EXPIRY_DATE,  i.SALE_PRICE, i.PURCHASE_PRICE, "
        "i.QUANTITY, i.SUB_ITEMS, p.IMAGE_FILE, p.TAX_RATE, i.DISCOUNT FROM tblInventory as i, "
        "tblProducts as p WHERE p.ID = i.PRODUCT_ID AND i.BAR_CODE = :bar_code FOR UPDATE"));
    lookup.bindValue(QStringLiteral(":bar_code"), request.barCode);
    if (!lookup.exec()) {
        LogSqlError(lookup.lastError());
        if (IsLockConflict(lookup.lastError()))
            return Attempt::Retry;
        taken->refusal = QString::fromLatin1(Message::LookupFailed);
        return Attempt::Done;
    }
    if (!lookup.next()) {
        taken->refusal = QString::fromLatin1(Message::NotFound) + lookup.lastError().text();
        return Attempt::Done;
    }
    const auto value
        = [&lookup](const char *name) { return lookup.value(QString::fromLatin1(name)); };

    const ExpiryVerdict expiry
        = CheckExpiry(request.expiryGuard, value("EXPIRY_DATE").toDate(), request.today,
                      request.expiryWarnDays, request.returnMode, request.dateFormat);
    if (!expiry.refusal.isEmpty()) {
        taken->refusal = expiry.refusal;
        return Attempt::Done;
    }

    StockRequest stock;
    stock.quantity = value("QUANTITY").toInt();
    stock.subItems = value("SUB_ITEMS").toInt();
    stock.itemsPerUnit = value("ITEMS_PER_UNIT").toInt();
    stock.wantQuantity = request.quantity;
    stock.wantSubItems = request.subQuantity;
    stock.returnMode = request.returnMode;
    const StockOutcome outcome = ApplyStock(stock);
    if (!outcome.refusal.isEmpty()) {
        taken->refusal = outcome.refusal;
        return Attempt::Done;
    }

    LineInput line;
    line.salePrice = value("SALE_PRICE").toString();
    line.purchasePrice = value("PURCHASE_PRICE").toString();
    line.itemsPerUnit = stock.itemsPerUnit;
    line.quantity = request.quantity;
    line.subQuantity = request.subQuantity;
    line.discountPercent
        = request.specialDiscount ? request.specialPercent : value("DISCOUNT").toFloat();
    line.taxPercent = TaxPercent(value("TAX_RATE").toDouble(), request.taxEnabled);
    line.returnMode = request.returnMode;

    QSqlQuery update(db);
    update.prepare(QStringLiteral(
        " UPDATE tblInventory SET QUANTITY = :quantity , SUB_ITEMS = :sub_items WHERE ID = :id"));
    update.bindValue(QStringLiteral(":quantity"), outcome.after.quantity);
    update.bindValue(QStringLiteral(":sub_items"), outcome.after.subItems);
    update.bindValue(QStringLiteral(":id"), value("ID"));
    QSqlError failure;
    if (!update.exec()) {
        qDebug() << "Updating  tblInventory: " << update.lastError().databaseText() << "    "
                 << update.lastError().driverText();
        if (IsLockConflict(update.lastError()))
            return Attempt::Retry;
        taken->refusal = QString::fromLatin1(Message::StockWriteFailed);
        return Attempt::Done;
    }
    const LineAmounts amounts = ComputeLine(line);
    if (!AuditLine(db, request, value("ID"), stock, outcome.after, amounts, &failure)) {
        if (IsLockConflict(failure))
            return Attempt::Retry;
        taken->refusal = QString::fromLatin1(Message::StockWriteFailed);
        return Attempt::Done;
    }
    if (!transaction.Commit()) {
        if (IsLockConflict(db.lastError()))
            return Attempt::Retry;
        taken->refusal = QString::fromLatin1(Message::StockWriteFailed);
        return Attempt::Done;
    }
    taken->name = value("NAME").toString();
    taken->salePrice = line.salePrice;
    taken->purchasePrice = line.purchasePrice;
    taken->amounts = amounts;
    taken->stockAfter = outcome.after;
    taken->notice = expiry.notice;
    qDebug() << "discount " << taken->amounts.discount;
    return Attempt::Done;
}
} // namespace

ItemTaken TakeItem(QSqlDatabase db, const ItemRequest &request)
{
    // A deadlock or lock wait rolls the whole step back; one more try, then the cashier hears.
    constexpr int kTries = 2;
    for (int attempt = 1;; ++attempt) {
        ItemTaken taken;
        if (TryTakeItem(db, request, &taken) == Attempt::Done)
            return taken;
        if (attempt == kTries) {
            taken.refusal = QString::fromLatin1(SaleRules::Message::StockWriteFailed);
            return taken;
        }
    }
}

namespace {
Attempt TryRecordSale(QSqlDatabase db, const SaleHeader &header,
                      const CItemTransactionsModel &basket, int *transactionId, QString *failure,
                      bool *recorded)
{
    using namespace SaleRules;
    *recorded = false;
    TransactionGuard transaction(db);
    QSqlQuery sale(db);
    sale.prepare(QStringLiteral(
        "INSERT INTO tblSalesTransactions ( USER_ID, CUSTOMER_ID, TIME_STAMP, GRAND_TOTAL, PAID, "
        "RETURN_AMOUNT ) VALUES ( :user_id, :customer_id, :time_stamp, :grand_total, :paid, "
        ":return )"));
    sale.bindValue(QStringLiteral(":user_id"), header.user);
    sale.bindValue(QStringLiteral(":customer_id"), header.customer);
    sale.bindValue(QStringLiteral(":time_stamp"),
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    sale.bindValue(QStringLiteral(":grand_total"), Money(header.grandTotal));
    sale.bindValue(QStringLiteral(":paid"), Stored(header.paid));
    sale.bindValue(QStringLiteral(":return"), Stored(header.change));
    if (!transaction.IsActive() || !sale.exec()) {
        LogSqlError(sale.lastError());
        *failure = QString::fromLatin1(Message::PaymentLogFailed);
        return IsLockConflict(sale.lastError()) ? Attempt::Retry : Attempt::Done;
    }
    const int id = sale.lastInsertId().toInt();
    qDebug() << "inserted ID = " << id;

    QSqlQuery line(db);
    line.prepare(QStringLiteral(
        "INSERT INTO tblSalesInvoice ( TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, QUANTITY, "
        "PURCHASE_PRICE, SALE_PRICE,  SUB_ITEMS, DISCOUNT, SUB_TOTAL, PURCHASE_SUB_TOTAL ) VALUES "
        "( :trans_id, :index, :name, :quantity, :purchase_price, :sale_price,  :sub_items, "
        ":discount, :sub_total, :purchase_sub_total )"));
    using C = CItemTransactionsModel;
    for (int row = 0; row < basket.LineCount(); ++row) {
        line.bindValue(QStringLiteral(":trans_id"), id);
        line.bindValue(QStringLiteral(":index"), basket.Cell(row, C::IndexColumn).toInt());
        line.bindValue(QStringLiteral(":name"), RecordedProductName(basket.ProductName(row)));
        line.bindValue(QStringLiteral(":quantity"), basket.Quantity(row).toInt());
        line.bindValue(QStringLiteral(":purchase_price"), Stored(basket.PurchasePrice(row)));
        line.bindValue(QStringLiteral(":sale_price"), Stored(basket.Price(row)));
        line.bindValue(QStringLiteral(":sub_items"), basket.SubQuantity(row).toInt());
        line.bindValue(QStringLiteral(":discount"), Stored(basket.Discount(row)));
        line.bindValue(QStringLiteral(":sub_total"), Stored(basket.LineTotal(row)));
        line.bindValue(QStringLiteral(":purchase_sub_total"), Stored(basket.PurchaseTotal(row)));
        if (!line.exec()) {
            qDebug() << "Insering into tblSalesInvoice: " << line.lastError().databaseText()
                     << "    " << line.lastError().driverText();
            *failure = QString::fromLatin1(Message::InvoiceLogFailed);
            return IsLockConflict(line.lastError()) ? Attempt::Retry : Attempt::Done;
        }
    }
    if (!transaction.Commit()) {
        *failure = QString::fromLatin1(Message::InvoiceLogFailed);
        return IsLockConflict(db.lastError()) ? Attempt::Retry : Attempt::Done;
    }
    *transactionId = id;
    *recorded = true;
    return Attempt::Done;
}
} // namespace

bool RecordSale(QSqlDatabase db, const SaleHeader &header, const CItemTransactionsModel &basket,
                int *transactionId, QString *failure)
{
    // The guard rolled a refused try back whole, so a second try cannot record the sale twice.
    bool recorded = false;
    if (TryRecordSale(db, header, basket, transactionId, failure, &recorded) == Attempt::Retry)
        TryRecordSale(db, header, basket, transactionId, failure, &recorded);
    return recorded;
}

bool LoadPanelEntries(QSqlDatabase db, QVector<PanelEntry> *entries)
{
    entries->clear();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT i.BAR_CODE, p.NAME , p.IMAGE_FILE, c.ID FROM tblInventory as i, tblProducts as p, "
        "tblProductCategories as c  WHERE i.PRODUCT_ID = p.ID AND p.CATEGORY_ID = c.ID AND "
        "i.SHOW_ON_POS = :show"));
    query.bindValue(QStringLiteral(":show"), 1);
    if (!query.exec()) {
        LogSqlError(query.lastError());
        return false;
    }
    while (query.next())
        entries->append({query.value(0).toString(), query.value(1).toString(),
                         query.value(2).toString(), query.value(3).toInt()});
    return true;
}

} // namespace PosStore
