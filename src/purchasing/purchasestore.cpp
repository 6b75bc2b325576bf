#include "purchasestore.h"

#include "auditlog.h"
#include "cataloguerules.h"
#include "sqlutil.h"
#include "transactionreplay.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QVector>

namespace PurchaseStore {

namespace {

const QString IsoDate = QStringLiteral("yyyy-MM-dd");

QVariant Money(float value)
{
    return Catalogue::StoredMoney(double(value));
}

bool ExecHeader(const QSqlDatabase &db, int *key, const Header &header)
{
    SqlQuery query(db);
    if (*key > 0) {
        query.prepare(QStringLiteral(
            "UPDATE tblPOrders SET VENDOR_ID = :v, STATUS=:s, SENT_DATE=:sd, DELIVERY_DATE=:dd, "
            "SUB_TOTAL=:st, SALES_TAX=:stx, TOTAL=:t , NOTES=:n WHERE ID = :id"));
        query.bindValue(QStringLiteral(":id"), *key);
    } else {
        query.prepare(QStringLiteral(
            "INSERT INTO tblPOrders ( VENDOR_ID, STATUS, SENT_DATE, DELIVERY_DATE, SUB_TOTAL, "
            "SALES_TAX, TOTAL, NOTES) VALUES (:v, :s, :sd, :dd, :st, :stx, :t, :n) "));
    }
    query.bindValue(QStringLiteral(":v"), header.vendorId);
    query.bindValue(QStringLiteral(":s"), header.status);
    query.bindValue(QStringLiteral(":sd"), header.sentDate.toString(IsoDate));
    query.bindValue(QStringLiteral(":dd"), header.deliveryDate.toString(IsoDate));
    query.bindValue(QStringLiteral(":st"), Money(header.subTotal));
    query.bindValue(QStringLiteral(":stx"), Money(header.tax));
    query.bindValue(QStringLiteral(":t"), Money(header.total));
    query.bindValue(QStringLiteral(":n"), header.notes);
    if (!ExecLogged(query))
        return false;
    if (*key <= 0)
        *key = query.lastInsertId().toInt();
    return *key > 0;
}

QString ReasonFor(const QSqlError &error)
{
    switch (NativeErrorCode(error)) {
    case MariaDbError::DuplicateKey:
        return QStringLiteral("its barcode is already taken");
    case MariaDbError::NoReferencedRow:
        return QStringLiteral("its product or the order's vendor does not exist");
    case MariaDbError::ServerGone:
    case MariaDbError::ServerLost:
        return QStringLiteral("the connection to the database server was lost");
    default:
        return QStringLiteral("the database refused it (error %1)").arg(NativeErrorCode(error));
    }
}

struct ReceivedLine {
    QString code;
    QVariant productId; // null when no product has the code
    bool codeTaken = false;
    int quantity = 0;
    double unitPrice = 0;
    double salePrice = 0;
    QString batch;
    QDate expiry;
    QString storage;
};

} // namespace

bool LookupItem(const QSqlDatabase &db, const QString &code, ItemInfo *info)
{
    *info = ItemInfo();
    SqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT NAME, TAX_RATE FROM  tblProducts WHERE PRODUCT_CODE = :code"));
    query.bindValue(QStringLiteral(":code"), code);
    if (!ExecLogged(query))
        return false;
    if (!query.next())
        return true;
    info->found = true;
    info->name = query.value(0).toString();
    info->taxRate = query.value(1).toString();
    SqlQuery stock(db);
    stock.prepare(QStringLiteral(
        "SELECT SUM(QUANTITY) AS STOCK FROM tblInventory as i, tblProducts as p WHERE "
        "i.PRODUCT_ID = p.ID AND PRODUCT_CODE = :code"));
    stock.bindValue(QStringLiteral(":code"), code);
    // No batches sum to NULL: the stock is unknown, shown empty rather than as 0.
    if (ExecLogged(stock) && stock.next() && !stock.value(0).isNull())
        info->stock = stock.value(0).toString();
    return true;
}

bool SaveOrder(const QSqlDatabase &db, int *key, const Header &header)
{
    int stored = *key;
    if (!ExecHeader(db, &stored, header))
        return false;
    *key = stored;
    return true;
}

static bool AddLineOnce(const QSqlDatabase &db, int *key, const Header &header, const Line &line)
{
    TransactionGuard transaction(db);
    if (!transaction.IsActive())
        return false;
    int stored = *key;
    if (!ExecHeader(db, &stored, header))
        return false;
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO tblPODetails (PORDER_ID, ITEM_CODE, QUANTITY, ITEM_NAME, UNIT_PRICE, "
        "LINE_TOTAL,  SALE_PRICE, BATCH_NUMBER, EXPIRY_DATE, STORAGE_LOCATION) VALUES (:p, :i, "
        ":q, :in, :u, :l, :s, :b, :e, :sl)"));
    query.bindValue(QStringLiteral(":p"), stored);
    query.bindValue(QStringLiteral(":i"), line.itemCode);
    query.bindValue(QStringLiteral(":q"), line.quantity);
    query.bindValue(QStringLiteral(":in"), line.itemName);
    query.bindValue(QStringLiteral(":u"), Money(line.unitPrice));
    query.bindValue(QStringLiteral(":l"), Money(line.lineTotal));
    query.bindValue(QStringLiteral(":s"), Money(line.salePrice));
    query.bindValue(QStringLiteral(":b"), line.batch);
    query.bindValue(QStringLiteral(":e"), line.expiry.toString(IsoDate));
    query.bindValue(QStringLiteral(":sl"), line.storage);
    if (!ExecLogged(query) || !transaction.Commit())
        return false;
    *key = stored;
    return true;
}

static bool DeleteLineOnce(const QSqlDatabase &db, int key, int lineId, const Header &header)
{
    TransactionGuard transaction(db);
    if (!transaction.IsActive())
        return false;
    SqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM tblPODetails WHERE ID = :id AND PORDER_ID = :p"));
    query.bindValue(QStringLiteral(":id"), lineId);
    query.bindValue(QStringLiteral(":p"), key);
    if (!ExecLogged(query) || query.numRowsAffected() != 1)
        return false;
    int stored = key;
    return ExecHeader(db, &stored, header) && transaction.Commit();
}

bool UpdateInventoryData(const QSqlDatabase &db, int lineId, float salePrice, const QString &batch,
                         const QDate &expiry, const QString &storage)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "UPDATE tblPODetails SET SALE_PRICE = :s, BATCH_NUMBER = :b, EXPIRY_DATE = :e, "
        "STORAGE_LOCATION = :sl  WHERE ID = :id"));
    query.bindValue(QStringLiteral(":s"), Money(salePrice));
    query.bindValue(QStringLiteral(":b"), batch);
    query.bindValue(QStringLiteral(":e"), expiry.toString(IsoDate));
    query.bindValue(QStringLiteral(":sl"), storage);
    query.bindValue(QStringLiteral(":id"), lineId);
    if (!ExecLogged(query))
        return false;
    // An unchanged line counts as found: MariaDB reports rows changed, not rows matched.
    if (query.numRowsAffected() == 1)
        return true;
    SqlQuery exists(db);
    exists.prepare(QStringLiteral("SELECT 1 FROM tblPODetails WHERE ID = :id"));
    exists.bindValue(QStringLiteral(":id"), lineId);
    return ExecLogged(exists) && exists.next();
}

static bool DeleteOrderOnce(const QSqlDatabase &db, int key)
{
    TransactionGuard transaction(db);
    if (!transaction.IsActive())
        return false;
    const QString order = AuditLog::RowJson(db, "tblPOrders", "ID", key);
    if (order.isEmpty())
        return false;
    const QString before = QStringLiteral("{\"order\":%1,\"lines\":%2}")
                               .arg(order, AuditLog::RowsJson(db, "tblPODetails", "PORDER_ID",
                                                              key, "ID"));
    if (!AuditLog::Write(db, QLatin1String(AuditLog::Kind::PurchaseOrderDeleted),
                         QStringLiteral("tblPOrders"), QString::number(key), before, QString()))
        return false;
    SqlQuery lines(db);
    lines.prepare(QStringLiteral("DELETE FROM tblPODetails WHERE PORDER_ID = :id"));
    lines.bindValue(QStringLiteral(":id"), key);
    SqlQuery removal(db);
    removal.prepare(QStringLiteral("DELETE FROM tblPOrders WHERE ID = :id"));
    removal.bindValue(QStringLiteral(":id"), key);
    return ExecLogged(lines) && ExecLogged(removal) && removal.numRowsAffected() == 1
        && transaction.Commit();
}

static bool ReceiveOrderOnce(const QSqlDatabase &db, int *key, const Header &header,
                             ReceiveFailure *failure, int *batches)
{
    *failure = ReceiveFailure();
    if (batches)
        *batches = 0;
    TransactionGuard transaction(db);
    if (!transaction.IsActive()) {
        failure->reason = ReasonFor(db.lastError());
        return false;
    }

    // Product and barcode look-ups for all lines at once, in the order's line order.
    QVector<ReceivedLine> lines;
    if (*key > 0) {
        SqlQuery read(db);
        read.prepare(QStringLiteral(
            "SELECT d.ITEM_CODE, p.ID, EXISTS (SELECT 1 FROM tblInventory WHERE BAR_CODE = "
            "d.ITEM_CODE), d.QUANTITY, d.UNIT_PRICE, d.SALE_PRICE, d.BATCH_NUMBER, d.EXPIRY_DATE, "
            "d.STORAGE_LOCATION FROM tblPODetails as d LEFT JOIN tblProducts as p ON "
            "p.PRODUCT_CODE = d.ITEM_CODE WHERE d.PORDER_ID = :id ORDER BY d.ID"));
        read.bindValue(QStringLiteral(":id"), *key);
        if (!ExecLogged(read)) {
            failure->reason = ReasonFor(read.lastError());
            return false;
        }
        while (read.next()) {
            ReceivedLine l;
            l.code = read.value(0).toString();
            l.productId = read.value(1);
            l.codeTaken = read.value(2).toInt() == 1;
            l.quantity = read.value(3).toInt();
            l.unitPrice = read.value(4).toDouble();
            l.salePrice = read.value(5).toDouble();
            l.batch = read.value(6).toString();
            l.expiry = read.value(7).toDate();
            l.storage = read.value(8).toString();
            lines.append(l);
        }
    }

    SqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO tblInventory ( PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
        "STORAGE_LOCATION , PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, "
        "DISCOUNT) VALUES ( :product_id, :vendor_id, :bar_code, :batch, :expiry_date , "
        ":storage_location, :purchase_price, :sale_price, :quantity, :sub_items, :show_on_pos, "
        ":discount)"));
    SqlQuery ownCode(db);
    ownCode.prepare(QStringLiteral("UPDATE tblInventory SET BAR_CODE = :code WHERE ID = :id"));
    // Barcodes this run wrote, which the look-up above could not see.
    QSet<QString> written;
    for (int i = 0; i < lines.size(); ++i) {
        const ReceivedLine &l = lines.at(i);
        failure->line = i + 1;
        failure->code = l.code;
        if (l.productId.isNull()) {
            failure->reason = QStringLiteral("no product has this code");
            return false;
        }
        const bool taken = l.codeTaken || written.contains(l.code);
        insert.bindValue(QStringLiteral(":product_id"), l.productId);
        insert.bindValue(QStringLiteral(":vendor_id"), header.vendorId);
        insert.bindValue(QStringLiteral(":bar_code"),
                         taken ? QString::fromLatin1(Catalogue::AutoCodePlaceholder) : l.code);
        insert.bindValue(QStringLiteral(":batch"), l.batch);
        insert.bindValue(QStringLiteral(":expiry_date"), l.expiry.toString(IsoDate));
        insert.bindValue(QStringLiteral(":storage_location"), l.storage);
        insert.bindValue(QStringLiteral(":purchase_price"), l.unitPrice);
        insert.bindValue(QStringLiteral(":sale_price"), l.salePrice);
        insert.bindValue(QStringLiteral(":quantity"), l.quantity);
        insert.bindValue(QStringLiteral(":sub_items"), 0);
        insert.bindValue(QStringLiteral(":show_on_pos"), 1);
        insert.bindValue(QStringLiteral(":discount"), 0);
        if (!ExecLogged(insert)) {
            failure->reason = ReasonFor(insert.lastError());
            return false;
        }
        const QString id = insert.lastInsertId().toString();
        if (taken) {
            ownCode.bindValue(QStringLiteral(":code"), id);
            ownCode.bindValue(QStringLiteral(":id"), id.toInt());
            if (!ExecLogged(ownCode)) {
                failure->reason = ReasonFor(ownCode.lastError());
                return false;
            }
            written.insert(id);
        } else {
            written.insert(l.code);
        }
    }
    failure->line = 0;
    failure->code.clear();

    int stored = *key;
    if (!ExecHeader(db, &stored, header)) {
        failure->reason = QStringLiteral("the order could not be saved");
        return false;
    }
    if (!transaction.Commit()) {
        failure->reason = ReasonFor(db.lastError());
        return false;
    }
    *key = stored;
    if (batches)
        *batches = lines.size();
    return true;
}

// Each of these writes several rows in one transaction: replayed whole when the server gives it
// up for a lock or, on a cluster, at COMMIT.
bool AddLine(const QSqlDatabase &db, int *key, const Header &header, const Line &line)
{
    return ReplayWhole([&] { return AddLineOnce(db, key, header, line); });
}

bool DeleteLine(const QSqlDatabase &db, int key, int lineId, const Header &header)
{
    return ReplayWhole([&] { return DeleteLineOnce(db, key, lineId, header); });
}

bool DeleteOrder(const QSqlDatabase &db, int key)
{
    return ReplayWhole([&] { return DeleteOrderOnce(db, key); });
}

bool ReceiveOrder(const QSqlDatabase &db, int *key, const Header &header, ReceiveFailure *failure,
                  int *batches)
{
    return ReplayWhole([&] { return ReceiveOrderOnce(db, key, header, failure, batches); });
}

} // namespace PurchaseStore
