#include "openbaskets.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "itemtransactionsmodel.h"
#include "transactionreplay.h"

#include <QSettings>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace PosStore {

namespace {
QString QuotedSchema(QString name)
{
    return QLatin1Char('`') + name.replace(QLatin1Char('`'), QLatin1String("``")) + QLatin1Char('`');
}

bool ReadBaskets(QSqlQuery &query, QVector<OpenBasket> *baskets)
{
    baskets->clear();
    if (!query.exec()) {
        LogSqlError(query.lastError());
        return false;
    }
    while (query.next())
        baskets->append({query.value(0).toString(), query.value(1).toString(),
                         query.value(2).toInt(), query.value(3).toDateTime()});
    return true;
}

// Gives one line's units back to its batch, inside the caller's transaction.
TxStep PutBackUnits(QSqlDatabase &db, int inventoryId, int units)
{
    QSqlQuery batch(db);
    batch.prepare(QStringLiteral(
        "SELECT i.QUANTITY, i.SUB_ITEMS, p.ITEMS_PER_UNIT FROM tblInventory i JOIN tblProducts p "
        "ON p.ID = i.PRODUCT_ID WHERE i.ID = :id FOR UPDATE"));
    batch.bindValue(QStringLiteral(":id"), inventoryId);
    if (!batch.exec())
        return TxStep::Failed(batch.lastError());
    if (!batch.next())
        return TxStep::Commit(); // the batch is gone: nothing to give back to
    const int perUnit = qMax(1, batch.value(2).toInt());
    const int now = SaleRules::StockUnits(batch.value(0).toInt(), batch.value(1).toInt(), perUnit);
    // An unpaid return takes its items out again, but a batch never goes below empty.
    const SaleRules::StockSplit after = SaleRules::SplitStock(qMax(0, now + units), perUnit);
    QSqlQuery update(db);
    update.prepare(QStringLiteral(
        "UPDATE tblInventory SET QUANTITY = :quantity, SUB_ITEMS = :sub_items WHERE ID = :id"));
    update.bindValue(QStringLiteral(":quantity"), after.quantity);
    update.bindValue(QStringLiteral(":sub_items"), after.subItems);
    update.bindValue(QStringLiteral(":id"), inventoryId);
    return update.exec() ? TxStep::Commit() : TxStep::Failed(update.lastError());
}

// Puts back the lines of one basket (all of them when lineIndex < 0) and removes them.
TxStep PutBackOnce(QSqlDatabase &db, const QString &basketKey, int lineIndex)
{
    QSqlQuery lines(db);
    lines.prepare(lineIndex < 0
                      ? QStringLiteral("SELECT INVENTORY_ID, UNITS FROM tblOpenBasketLines WHERE "
                                       "BASKET_KEY = :key ORDER BY LINE_INDEX FOR UPDATE")
                      : QStringLiteral("SELECT INVENTORY_ID, UNITS FROM tblOpenBasketLines WHERE "
                                       "BASKET_KEY = :key AND LINE_INDEX = :line FOR UPDATE"));
    lines.bindValue(QStringLiteral(":key"), basketKey);
    if (lineIndex >= 0)
        lines.bindValue(QStringLiteral(":line"), lineIndex);
    if (!lines.exec())
        return TxStep::Failed(lines.lastError());
    while (lines.next()) {
        const TxStep step = PutBackUnits(db, lines.value(0).toInt(), lines.value(1).toInt());
        if (step.kind != TxStep::CommitNow)
            return step;
    }
    QSqlQuery remove(db);
    remove.prepare(lineIndex < 0
                       ? QStringLiteral("DELETE FROM tblOpenBasketLines WHERE BASKET_KEY = :key")
                       : QStringLiteral("DELETE FROM tblOpenBasketLines WHERE BASKET_KEY = :key "
                                        "AND LINE_INDEX = :line"));
    remove.bindValue(QStringLiteral(":key"), basketKey);
    if (lineIndex >= 0)
        remove.bindValue(QStringLiteral(":line"), lineIndex);
    return remove.exec() ? TxStep::Commit() : TxStep::Failed(remove.lastError());
}

TxOptions TillOptions()
{
    TxOptions options;
    options.lockWaitSeconds = kTillLockWaitSeconds;
    return options;
}
} // namespace

bool InsertOpenBasketLine(QSqlDatabase &db, const OpenBasketLine &line, QSqlError *error)
{
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO tblOpenBasketLines (TILL_ID, BASKET_KEY, LINE_INDEX, INVENTORY_ID, UNITS, "
        "ITEMS, SUB_ITEMS, PRODUCT_NAME, SALE_PRICE, PURCHASE_PRICE, DISCOUNT, NET, COST, TAX, "
        "CREATED_AT) VALUES (:till, :key, :line, :inventory, :units, :items, :sub_items, :name, "
        ":sale_price, :purchase_price, :discount, :net, :cost, :tax, NOW())"));
    insert.bindValue(QStringLiteral(":till"), line.tillId);
    insert.bindValue(QStringLiteral(":key"), line.basketKey);
    insert.bindValue(QStringLiteral(":line"), line.lineIndex);
    insert.bindValue(QStringLiteral(":inventory"), line.inventoryId);
    insert.bindValue(QStringLiteral(":units"), line.units);
    insert.bindValue(QStringLiteral(":items"), line.items);
    insert.bindValue(QStringLiteral(":sub_items"), line.subItems);
    insert.bindValue(QStringLiteral(":name"), line.productName);
    insert.bindValue(QStringLiteral(":sale_price"), line.salePrice);
    insert.bindValue(QStringLiteral(":purchase_price"), line.purchasePrice);
    // Stored as doubles, read back as the very floats the basket holds.
    insert.bindValue(QStringLiteral(":discount"), double(line.amounts.discount));
    insert.bindValue(QStringLiteral(":net"), double(line.amounts.net));
    insert.bindValue(QStringLiteral(":cost"), double(line.amounts.cost));
    insert.bindValue(QStringLiteral(":tax"), double(line.amounts.tax));
    if (insert.exec())
        return true;
    *error = insert.lastError();
    LogSqlError(*error);
    return false;
}

bool CloseOpenBasket(QSqlDatabase &db, const QString &inventorySchema, const QString &basketKey,
                     QSqlError *error)
{
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM %1.tblOpenBasketLines WHERE BASKET_KEY = :key")
                       .arg(QuotedSchema(inventorySchema)));
    remove.bindValue(QStringLiteral(":key"), basketKey);
    if (remove.exec())
        return true;
    *error = remove.lastError();
    LogSqlError(*error);
    return false;
}

bool OpenBasketsOfTill(QSqlDatabase db, const QString &tillId, QVector<OpenBasket> *baskets)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT TILL_ID, BASKET_KEY, COUNT(*), MAX(CREATED_AT) FROM tblOpenBasketLines WHERE "
        "TILL_ID = :till GROUP BY TILL_ID, BASKET_KEY ORDER BY MAX(CREATED_AT), BASKET_KEY"));
    query.bindValue(QStringLiteral(":till"), tillId);
    return ReadBaskets(query, baskets);
}

bool StaleOpenBaskets(QSqlDatabase db, int hours, QVector<OpenBasket> *baskets)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT TILL_ID, BASKET_KEY, COUNT(*), MAX(CREATED_AT) FROM tblOpenBasketLines GROUP BY "
        "TILL_ID, BASKET_KEY HAVING MAX(CREATED_AT) < NOW() - INTERVAL :hours HOUR ORDER BY "
        "MAX(CREATED_AT), BASKET_KEY"));
    query.bindValue(QStringLiteral(":hours"), hours);
    return ReadBaskets(query, baskets);
}

bool OpenBasketLines(QSqlDatabase db, const QString &basketKey, QVector<OpenBasketLine> *lines)
{
    lines->clear();
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT TILL_ID, BASKET_KEY, LINE_INDEX, INVENTORY_ID, UNITS, ITEMS, SUB_ITEMS, "
        "PRODUCT_NAME, SALE_PRICE, PURCHASE_PRICE, DISCOUNT, NET, COST, TAX, CREATED_AT FROM "
        "tblOpenBasketLines WHERE BASKET_KEY = :key ORDER BY LINE_INDEX"));
    query.bindValue(QStringLiteral(":key"), basketKey);
    if (!query.exec()) {
        LogSqlError(query.lastError());
        return false;
    }
    while (query.next()) {
        OpenBasketLine line;
        line.tillId = query.value(0).toString();
        line.basketKey = query.value(1).toString();
        line.lineIndex = query.value(2).toInt();
        line.inventoryId = query.value(3).toInt();
        line.units = query.value(4).toInt();
        line.items = query.value(5).toString();
        line.subItems = query.value(6).toString();
        line.productName = query.value(7).toString();
        line.salePrice = query.value(8).toString();
        line.purchasePrice = query.value(9).toString();
        line.amounts.discount = float(query.value(10).toDouble());
        line.amounts.net = float(query.value(11).toDouble());
        line.amounts.cost = float(query.value(12).toDouble());
        line.amounts.tax = float(query.value(13).toDouble());
        line.createdAt = query.value(14).toDateTime();
        lines->append(line);
    }
    return true;
}

void RefillBasket(const QVector<OpenBasketLine> &lines, CItemTransactionsModel *basket)
{
    if (!lines.isEmpty())
        basket->SetSaleKey(lines.first().basketKey);
    for (const OpenBasketLine &line : lines)
        basket->AppendLine(line.productName, line.items, line.subItems, line.salePrice,
                           line.purchasePrice, line.amounts);
}

bool PutBackBaskets(QSqlDatabase db, const QStringList &basketKeys)
{
    const TxResult result = RunTransaction(
        db,
        [&basketKeys](QSqlDatabase &tx) {
            for (const QString &key : basketKeys) {
                const TxStep step = PutBackOnce(tx, key, -1);
                if (step.kind != TxStep::CommitNow)
                    return step;
            }
            return TxStep::Commit();
        },
        TillOptions());
    if (!result.IsCommitted())
        LogSqlError(result.error);
    return result.IsCommitted();
}

bool PutBackBasketLine(QSqlDatabase db, const QString &basketKey, int lineIndex)
{
    const TxResult result = RunTransaction(
        db, [&](QSqlDatabase &tx) { return PutBackOnce(tx, basketKey, qMax(0, lineIndex)); },
        TillOptions());
    return result.IsCommitted();
}

QString TillId()
{
    QSettings *settings = AppSettings::Instance().Settings();
    QString id = AppSettings::Instance().Text(Setting::TillId);
    if (id.isEmpty()) {
        id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        settings->setValue(QStringLiteral("TILL_ID"), id);
        settings->sync();
    }
    return id;
}

int AbandonedBasketHours()
{
    bool ok = false;
    const SettingKey &key = Setting::OpenBasketHours;
    // Read raw: a damaged value falls back to the default instead of reading as 0 hours.
    const int hours =
        AppSettings::Instance().Settings()->value(key.Name(), key.Default()).toInt(&ok);
    return ok && hours >= 0 ? hours : key.number;
}

} // namespace PosStore
