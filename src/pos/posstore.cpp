#include "posstore.h"

#include "auditlog.h"
#include "cataloguerules.h"
#include "dbmanager.h"
#include "itemtransactionsmodel.h"
#include "openbaskets.h"
#include "transactionreplay.h"
#include "sqlutil.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtDebug>

namespace PosStore {

namespace {
// An amount stored as the screen shows it (33.93, not 33.9300003; 12345678, not 12345680).
double Stored(const QString &text)
{
    return Catalogue::StoredMoney(text.toDouble());
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

// The till's part of an entry, run inside the replayed transaction; a refusal rolls back.
TxStep TakeItemOnce(QSqlDatabase &db, const ItemRequest &request, ItemTaken *taken)
{
    using namespace SaleRules;
    *taken = ItemTaken();
    // The row stays locked until the commit: the stock read here is the stock written below.
    SqlQuery lookup(db);
    lookup.prepare(QStringLiteral(
        "SELECT i.ID, p.NAME, p.ITEMS_PER_UNIT, i.EXPIRY_DATE,  i.SALE_PRICE, i.PURCHASE_PRICE, "
        "i.QUANTITY, i.SUB_ITEMS, p.IMAGE_FILE, p.TAX_RATE, i.DISCOUNT FROM tblInventory as i, "
        "tblProducts as p WHERE p.ID = i.PRODUCT_ID AND i.BAR_CODE = :bar_code FOR UPDATE"));
    lookup.bindValue(QStringLiteral(":bar_code"), request.barCode);
    if (!lookup.exec()) {
        LogSqlError(lookup.lastError());
        taken->refusal = QString::fromLatin1(Message::LookupFailed);
        return TxStep::Failed(lookup.lastError());
    }
    if (!lookup.next()) {
        taken->refusal = QString::fromLatin1(Message::NotFound) + lookup.lastError().text();
        return TxStep::RollBack();
    }
    const auto value
        = [&lookup](const char *name) { return lookup.value(QString::fromLatin1(name)); };

    const ExpiryVerdict expiry
        = CheckExpiry(request.expiryGuard, value("EXPIRY_DATE").toDate(), request.today,
                      request.expiryWarnDays, request.returnMode, request.dateFormat);
    if (!expiry.refusal.isEmpty()) {
        taken->refusal = expiry.refusal;
        return TxStep::RollBack();
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
        return TxStep::RollBack();
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

    SqlQuery update(db);
    update.prepare(QStringLiteral(
        " UPDATE tblInventory SET QUANTITY = :quantity , SUB_ITEMS = :sub_items WHERE ID = :id"));
    update.bindValue(QStringLiteral(":quantity"), outcome.after.quantity);
    update.bindValue(QStringLiteral(":sub_items"), outcome.after.subItems);
    update.bindValue(QStringLiteral(":id"), value("ID"));
    if (!update.exec()) {
        qDebug() << "Updating  tblInventory: " << update.lastError().databaseText() << "    "
                 << update.lastError().driverText();
        taken->refusal = QString::fromLatin1(Message::StockWriteFailed);
        return TxStep::Failed(update.lastError());
    }
    const LineAmounts amounts = ComputeLine(line);
    QSqlError failure;
    if (!AuditLine(db, request, value("ID"), stock, outcome.after, amounts, &failure)) {
        taken->refusal = QString::fromLatin1(Message::StockWriteFailed);
        return TxStep::Failed(failure);
    }
    taken->name = value("NAME").toString();
    taken->salePrice = line.salePrice;
    taken->purchasePrice = line.purchasePrice;
    taken->amounts = amounts;
    taken->stockAfter = outcome.after;
    taken->notice = expiry.notice;
    QSqlError asked;
    const bool recordBasket = !request.basketKey.isEmpty()
        && SchemaHas(db, QString(), QStringLiteral("tblOpenBasketLines"), QString(), &asked);
    if (asked.isValid()) {
        taken->refusal = QString::fromLatin1(Message::StockWriteFailed);
        return TxStep::Failed(asked);
    }
    if (recordBasket) {
        const int units = StockUnits(request.quantity, request.subQuantity, stock.itemsPerUnit);
        OpenBasketLine open;
        open.tillId = request.tillId;
        open.basketKey = request.basketKey;
        open.lineIndex = request.lineIndex;
        open.inventoryId = value("ID").toInt();
        open.units = request.returnMode ? -units : units;
        open.items = QString::number(request.quantity);
        open.subItems = QString::number(request.subQuantity);
        open.productName = taken->name;
        open.salePrice = taken->salePrice;
        open.purchasePrice = taken->purchasePrice;
        open.amounts = taken->amounts;
        QSqlError error;
        if (!InsertOpenBasketLine(db, open, &error)) {
            taken->refusal = QString::fromLatin1(Message::StockWriteFailed);
            return TxStep::Failed(error);
        }
    }
    return TxStep::Commit();
}
} // namespace

ItemTaken TakeItem(QSqlDatabase db, const ItemRequest &request)
{
    ItemTaken taken;
    const TxResult result = RunTransaction(
        db, [&](QSqlDatabase &tx) { return TakeItemOnce(tx, request, &taken); }, TillOptions());
    if (result.IsCommitted()) {
        qDebug() << "discount " << taken.amounts.discount;
        return taken;
    }
    if (result.IsLockConflict() || taken.refusal.isEmpty())
        taken.refusal = QString::fromLatin1(SaleRules::Message::StockWriteFailed);
    return taken;
}

namespace {
// The sale of this key when it is on record already, else 0.
int RecordedSaleId(QSqlDatabase &db, const QString &saleKey, QSqlError *error)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("SELECT ID FROM tblSalesTransactions WHERE SALE_KEY = :key"));
    query.bindValue(QStringLiteral(":key"), saleKey);
    if (!query.exec()) {
        *error = query.lastError();
        return -1;
    }
    return query.next() ? query.value(0).toInt() : 0;
}

TxStep RecordSaleOnce(QSqlDatabase &db, const SaleHeader &header,
                      const CItemTransactionsModel &basket, int *transactionId, QString *failure)
{
    using namespace SaleRules;
    *transactionId = 0;
    *failure = QString::fromLatin1(Message::PaymentLogFailed);
    // A schema of an earlier release, not yet upgraded, takes its sales without a key.
    const bool keyed = !header.saleKey.isEmpty()
                       && SchemaHas(db, QString(), QStringLiteral("tblSalesTransactions"),
                                    QStringLiteral("SALE_KEY"));
    if (keyed) {
        QSqlError error;
        const int recorded = RecordedSaleId(db, header.saleKey, &error);
        if (recorded < 0) {
            LogSqlError(error);
            return TxStep::Failed(error);
        }
        if (recorded > 0) {
            // Paid before, its answer lost: the sale stands as it is.
            *transactionId = recorded;
            return TxStep::Commit();
        }
    }
    SqlQuery sale(db);
    sale.prepare(keyed ? QStringLiteral(
                     "INSERT INTO tblSalesTransactions ( USER_ID, CUSTOMER_ID, TIME_STAMP, "
                     "GRAND_TOTAL, PAID, RETURN_AMOUNT, SALE_KEY ) VALUES ( :user_id, "
                     ":customer_id, :time_stamp, :grand_total, :paid, :return, :sale_key )")
                       : QStringLiteral(
                           "INSERT INTO tblSalesTransactions ( USER_ID, CUSTOMER_ID, TIME_STAMP, "
                           "GRAND_TOTAL, PAID, RETURN_AMOUNT ) VALUES ( :user_id, :customer_id, "
                           ":time_stamp, :grand_total, :paid, :return )"));
    sale.bindValue(QStringLiteral(":user_id"), header.user);
    sale.bindValue(QStringLiteral(":customer_id"), header.customer);
    sale.bindValue(QStringLiteral(":time_stamp"),
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    sale.bindValue(QStringLiteral(":grand_total"), Money(header.grandTotal));
    sale.bindValue(QStringLiteral(":paid"), Stored(header.paid));
    sale.bindValue(QStringLiteral(":return"), Stored(header.change));
    if (keyed)
        sale.bindValue(QStringLiteral(":sale_key"), header.saleKey);
    if (!sale.exec()) {
        LogSqlError(sale.lastError());
        return TxStep::Failed(sale.lastError());
    }
    const int id = sale.lastInsertId().toInt();
    qDebug() << "inserted ID = " << id;

    SqlQuery line(db);
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
            *failure = LineRefusedMessage(row + 1, RecordedProductName(basket.ProductName(row)),
                                          NativeErrorCode(line.lastError()),
                                          line.lastError().databaseText());
            return TxStep::Failed(line.lastError());
        }
    }
    // The basket's record goes with the sale, even where the sale itself carries no key yet.
    QSqlError asked;
    const bool closeBasket = !header.saleKey.isEmpty() && !header.inventorySchema.isEmpty()
        && SchemaHas(db, header.inventorySchema, QStringLiteral("tblOpenBasketLines"), QString(),
                     &asked);
    if (asked.isValid()) {
        *failure = QString::fromLatin1(Message::InvoiceLogFailed);
        return TxStep::Failed(asked);
    }
    if (closeBasket) {
        QSqlError error;
        if (!CloseOpenBasket(db, header.inventorySchema, header.saleKey, &error)) {
            *failure = QString::fromLatin1(Message::InvoiceLogFailed);
            return TxStep::Failed(error);
        }
    }
    *transactionId = id;
    return TxStep::Commit();
}
} // namespace

bool RecordSale(QSqlDatabase db, const SaleHeader &header, const CItemTransactionsModel &basket,
                int *transactionId, QString *failure)
{
    // A replay starts from the key check, so it can never record the sale twice.
    int id = 0;
    QString why;
    const auto body = [&](QSqlDatabase &tx) {
        return RecordSaleOnce(tx, header, basket, &id, &why);
    };
    TxResult result = RunTransaction(db, body, TillOptions());
    if (!result.IsCommitted() && (result.IsConnectionLost() || result.IsCommitUnknown())
        && !header.saleKey.isEmpty()) {
        // The server may have committed without the till hearing it: ask again on a new
        // connection, set up as the first one was; the key tells whether the sale is there.
        if (CDBManager::Instance().Reconnect(db))
            result = RunTransaction(db, body, TillOptions());
    }
    if (result.IsCommitted()) {
        *transactionId = id;
        return true;
    }
    *failure = why.isEmpty() ? QString::fromLatin1(SaleRules::Message::PaymentLogFailed) : why;
    return false;
}

bool LoadPanelEntries(QSqlDatabase db, QVector<PanelEntry> *entries)
{
    entries->clear();
    SqlQuery query(db);
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
