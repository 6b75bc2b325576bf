#include "openbaskets.h"

#include "appsettings.h"
#include "auditlog.h"
#include "dbmanager.h"
#include "itemtransactionsmodel.h"
#include "sqlutil.h"
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
TxStep PutBackUnits(QSqlDatabase &db, int inventoryId, int units, QVariantList *batches)
{
    SqlQuery batch(db);
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
    SqlQuery update(db);
    update.prepare(QStringLiteral(
        "UPDATE tblInventory SET QUANTITY = :quantity, SUB_ITEMS = :sub_items WHERE ID = :id"));
    update.bindValue(QStringLiteral(":quantity"), after.quantity);
    update.bindValue(QStringLiteral(":sub_items"), after.subItems);
    update.bindValue(QStringLiteral(":id"), inventoryId);
    if (!update.exec())
        return TxStep::Failed(update.lastError());
    batches->append(QVariantMap{{QStringLiteral("ID"), inventoryId},
                                {QStringLiteral("QUANTITY"), after.quantity},
                                {QStringLiteral("SUB_ITEMS"), after.subItems}});
    return TxStep::Commit();
}

// Puts back the lines of one basket (all of them when lineIndex < 0) and removes them. With an
// audit kind, the lines that went back are written to the audit trail in the same transaction.
TxStep PutBackOnce(QSqlDatabase &db, const QString &basketKey, int lineIndex,
                   const char *auditKind = nullptr)
{
    // A schema not yet upgraded kept no record, so there is nothing to put back.
    if (!SchemaHas(db, QString(), QStringLiteral("tblOpenBasketLines")))
        return TxStep::Commit();
    SqlQuery lines(db);
    lines.prepare(lineIndex < 0
                      ? QStringLiteral("SELECT INVENTORY_ID, UNITS, LINE_INDEX, PRODUCT_NAME, "
                                       "ITEMS, SUB_ITEMS, NET FROM tblOpenBasketLines WHERE "
                                       "BASKET_KEY = :key ORDER BY LINE_INDEX FOR UPDATE")
                      : QStringLiteral("SELECT INVENTORY_ID, UNITS, LINE_INDEX, PRODUCT_NAME, "
                                       "ITEMS, SUB_ITEMS, NET FROM tblOpenBasketLines WHERE "
                                       "BASKET_KEY = :key AND LINE_INDEX = :line FOR UPDATE"));
    lines.bindValue(QStringLiteral(":key"), basketKey);
    if (lineIndex >= 0)
        lines.bindValue(QStringLiteral(":line"), lineIndex);
    if (!lines.exec())
        return TxStep::Failed(lines.lastError());
    // A whole basket given back is on the trail: the lines as they were, the batches after. A
    // void writes its own entry below instead.
    const bool audited = !auditKind && lineIndex < 0 && lines.size() != 0;
    const QString before = audited ? AuditLog::RowsJson(db, "tblOpenBasketLines", "BASKET_KEY",
                                                        basketKey, "LINE_INDEX")
                                   : QString();
    QVariantList batches;
    QVariantList gone;
    while (lines.next()) {
        const TxStep step
            = PutBackUnits(db, lines.value(0).toInt(), lines.value(1).toInt(), &batches);
        if (step.kind != TxStep::CommitNow)
            return step;
        gone.append(QVariantMap{{QStringLiteral("LINE_INDEX"), lines.value(2)},
                                {QStringLiteral("INVENTORY_ID"), lines.value(0)},
                                {QStringLiteral("UNITS"), lines.value(1)},
                                {QStringLiteral("PRODUCT_NAME"), lines.value(3)},
                                {QStringLiteral("ITEMS"), lines.value(4)},
                                {QStringLiteral("SUB_ITEMS"), lines.value(5)},
                                {QStringLiteral("LINE_TOTAL"),
                                 SaleRules::Money(float(lines.value(6).toDouble()))}});
    }
    QSqlError failure;
    if (audited
        && !AuditLog::Write(db, QLatin1String(AuditLog::Kind::BasketPutBack),
                            QStringLiteral("tblOpenBasketLines"), basketKey, before,
                            AuditLog::ObjectJson({{QStringLiteral("BATCHES"), batches}}),
                            &failure))
        return TxStep::Failed(failure);
    SqlQuery remove(db);
    remove.prepare(lineIndex < 0
                       ? QStringLiteral("DELETE FROM tblOpenBasketLines WHERE BASKET_KEY = :key")
                       : QStringLiteral("DELETE FROM tblOpenBasketLines WHERE BASKET_KEY = :key "
                                        "AND LINE_INDEX = :line"));
    remove.bindValue(QStringLiteral(":key"), basketKey);
    if (lineIndex >= 0)
        remove.bindValue(QStringLiteral(":line"), lineIndex);
    if (!remove.exec())
        return TxStep::Failed(remove.lastError());
    if (!auditKind)
        return TxStep::Commit();
    const QString row
        = lineIndex < 0 ? basketKey : basketKey + QLatin1Char('/') + QString::number(lineIndex);
    QSqlError error;
    if (!AuditLog::Write(db, QLatin1String(auditKind), QStringLiteral("tblOpenBasketLines"), row,
                         AuditLog::ObjectJson({{QStringLiteral("LINES"), gone}}), QString(),
                         &error))
        return TxStep::Failed(error);
    return TxStep::Commit();
}

} // namespace

bool InsertOpenBasketLine(QSqlDatabase &db, const OpenBasketLine &line, QSqlError *error)
{
    SqlQuery insert(db);
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
    SqlQuery remove(db);
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
    baskets->clear();
    if (!SchemaHas(db, QString(), QStringLiteral("tblOpenBasketLines")))
        return true;
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT TILL_ID, BASKET_KEY, COUNT(*), MAX(CREATED_AT) FROM tblOpenBasketLines WHERE "
        "TILL_ID = :till GROUP BY TILL_ID, BASKET_KEY ORDER BY MAX(CREATED_AT), BASKET_KEY"));
    query.bindValue(QStringLiteral(":till"), tillId);
    return ReadBaskets(query, baskets);
}

bool StaleOpenBaskets(QSqlDatabase db, int hours, QVector<OpenBasket> *baskets)
{
    baskets->clear();
    if (!SchemaHas(db, QString(), QStringLiteral("tblOpenBasketLines")))
        return true;
    SqlQuery query(db);
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
    SqlQuery query(db);
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
                           line.purchasePrice, line.amounts, line.lineIndex);
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

bool VoidBasketLine(QSqlDatabase db, const QString &basketKey, int lineIndex)
{
    if (lineIndex < 0)
        return false;
    const TxResult result = RunTransaction(
        db,
        [&](QSqlDatabase &tx) {
            return PutBackOnce(tx, basketKey, lineIndex, AuditLog::Kind::LineVoided);
        },
        TillOptions());
    if (!result.IsCommitted())
        LogSqlError(result.error);
    return result.IsCommitted();
}

bool VoidBasket(QSqlDatabase db, const QString &basketKey)
{
    const TxResult result = RunTransaction(
        db,
        [&](QSqlDatabase &tx) {
            return PutBackOnce(tx, basketKey, -1, AuditLog::Kind::SaleVoided);
        },
        TillOptions());
    if (!result.IsCommitted())
        LogSqlError(result.error);
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
