#include "cataloguestore.h"

#include "auditlog.h"
#include "cataloguerules.h"
#include "sqlutil.h"
#include "transactionreplay.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <memory>

namespace CatalogueStore {

namespace {

Result FailureOf(const QSqlQuery &query)
{
    switch (NativeErrorCode(query.lastError())) {
    case MariaDbError::DuplicateKey:
        return Result::Duplicate;
    case MariaDbError::RowIsReferenced:
        return Result::InUse;
    default:
        return Result::Failed;
    }
}

// Stock and price columns: a change in any of them is one a shop must be able to explain.
bool AuditedBatchChange(const QString &before, const QString &after)
{
    const QJsonObject was = QJsonDocument::fromJson(before.toUtf8()).object();
    const QJsonObject now = QJsonDocument::fromJson(after.toUtf8()).object();
    for (const char *column : {"QUANTITY", "SUB_ITEMS", "PURCHASE_PRICE", "SALE_PRICE", "DISCOUNT"}) {
        if (was.value(QLatin1String(column)) != now.value(QLatin1String(column)))
            return true;
    }
    return false;
}

Result Run(SqlQuery &query)
{
    return ExecLogged(query) ? Result::Done : FailureOf(query);
}

void BindProduct(QSqlQuery &query, const Product &product, const QString &code,
                 const QString &codePlaceholder)
{
    query.bindValue(QStringLiteral(":category_id"), product.categoryId);
    query.bindValue(codePlaceholder, code);
    query.bindValue(QStringLiteral(":name"), product.name);
    query.bindValue(QStringLiteral(":items"), QString::number(product.itemsPerUnit));
    query.bindValue(QStringLiteral(":description"), product.description);
    query.bindValue(QStringLiteral(":image_file"), Catalogue::StoredImageFile(product.imageFile));
    query.bindValue(QStringLiteral(":tax_rate"), product.taxRate);
}

void BindBatch(QSqlQuery &query, const Batch &batch)
{
    query.bindValue(QStringLiteral(":product_id"), batch.productId);
    query.bindValue(QStringLiteral(":vendor_id"), batch.vendorId);
    query.bindValue(QStringLiteral(":bar_code"), batch.barCode);
    query.bindValue(QStringLiteral(":batch"), batch.batchNumber);
    query.bindValue(QStringLiteral(":expiry_date"),
                    batch.expiryDate.toString(QStringLiteral("yyyy-MM-dd")));
    query.bindValue(QStringLiteral(":storage_location"), batch.storageLocation);
    query.bindValue(QStringLiteral(":purchase_price"), batch.purchasePrice);
    query.bindValue(QStringLiteral(":sale_price"), batch.salePrice);
    query.bindValue(QStringLiteral(":show"), batch.showOnPos ? 1 : 0);
    query.bindValue(QStringLiteral(":discount"), batch.discount);
}

} // namespace

static Result InsertProductOnce(const QSqlDatabase &db, const Product &product, bool autoGenerate,
                                QString *storedCode)
{
    // The placeholder row and its real code land together or not at all.
    std::unique_ptr<TransactionGuard> transaction;
    if (autoGenerate) {
        transaction = std::make_unique<TransactionGuard>(db);
        if (!transaction->IsActive())
            return Result::Failed;
    }
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, DESCRIPTION, "
        "IMAGE_FILE, TAX_RATE) VALUES (:category_id, :product_code, :name, :items, "
        ":description, :image_file, :tax_rate)"));
    const QString code =
        autoGenerate ? QString::fromLatin1(Catalogue::AutoCodePlaceholder) : product.code;
    BindProduct(query, product, code, QStringLiteral(":product_code"));
    if (storedCode)
        *storedCode = autoGenerate ? QString() : code;
    if (!ExecLogged(query))
        return FailureOf(query);

    if (autoGenerate) {
        const QString id = query.lastInsertId().toString();
        if (storedCode)
            *storedCode = id;
        query.finish();
        SqlQuery update(db);
        update.prepare(QStringLiteral("UPDATE tblProducts SET PRODUCT_CODE = :code WHERE ID = :id"));
        update.bindValue(QStringLiteral(":code"), id);
        update.bindValue(QStringLiteral(":id"), id.toInt());
        if (id.isEmpty() || !ExecLogged(update))
            return id.isEmpty() ? Result::Failed : FailureOf(update);
    }
    if (transaction && !transaction->Commit())
        return Result::Failed;
    return Result::Done;
}

Result UpdateProduct(const QSqlDatabase &db, int id, const Product &product)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "UPDATE tblProducts SET CATEGORY_ID = :category_id, PRODUCT_CODE = :code, NAME = :name, "
        "ITEMS_PER_UNIT = :items, DESCRIPTION= :description, IMAGE_FILE= :image_file, "
        "TAX_RATE = :tax_rate WHERE ID = :id"));
    BindProduct(query, product, product.code, QStringLiteral(":code"));
    query.bindValue(QStringLiteral(":id"), id);
    return Run(query);
}

Result DeleteProduct(const QSqlDatabase &db, int id)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM tblProducts WHERE ID = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    return Run(query);
}

bool LookupProduct(const QSqlDatabase &db, const QString &code, ProductDetails *details)
{
    *details = ProductDetails();
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT p.ID, p.NAME, p.ITEMS_PER_UNIT, p.DESCRIPTION, p.CATEGORY_ID, c.ID, "
        "c.NAME as C_NAME, p.TAX_RATE FROM tblProducts as p, tblProductCategories as c "
        "WHERE p.PRODUCT_CODE = :product_code AND p.CATEGORY_ID = c.ID"));
    query.bindValue(QStringLiteral(":product_code"), code);
    if (!ExecLogged(query))
        return false;
    if (query.next()) {
        details->found = true;
        details->id = query.value(0).toInt();
        details->name = query.value(1).toString();
        details->itemsPerUnit = query.value(2).toString();
        details->description = query.value(3).toString();
        details->category = query.value(6).toString();
        details->taxRate = query.value(7).toString();
    }
    return true;
}

Result InsertBatch(const QSqlDatabase &db, const Batch &batch)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO tblInventory ( PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
        "STORAGE_LOCATION , PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, "
        "DISCOUNT) VALUES ( :product_id, :vendor_id, :bar_code, :batch, :expiry_date , "
        ":storage_location, :purchase_price, :sale_price, :quantity, :sub_items, :show, "
        ":discount)"));
    BindBatch(query, batch);
    query.bindValue(QStringLiteral(":quantity"), batch.quantity);
    query.bindValue(QStringLiteral(":sub_items"), batch.subItems);
    return Run(query);
}

static Result UpdateBatchOnce(const QSqlDatabase &db, int id, const Batch &batch, int loadedQuantity,
                   int loadedSubItems)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral(
        "UPDATE tblInventory SET PRODUCT_ID = :product_id, VENDOR_ID = :vendor_id, "
        "BAR_CODE = :bar_code, BATCH_NUMBER = :batch, EXPIRY_DATE = :expiry_date, "
        "STORAGE_LOCATION = :storage_location , PURCHASE_PRICE = :purchase_price, "
        "SALE_PRICE = :sale_price, QUANTITY = QUANTITY + :quantity_change, "
        "SUB_ITEMS = SUB_ITEMS + :sub_items_change , SHOW_ON_POS = :show , "
        "DISCOUNT = :discount  WHERE ID = :id"));
    BindBatch(query, batch);
    query.bindValue(QStringLiteral(":quantity_change"),
                    qint64(batch.quantity) - qint64(loadedQuantity));
    query.bindValue(QStringLiteral(":sub_items_change"),
                    qint64(batch.subItems) - qint64(loadedSubItems));
    query.bindValue(QStringLiteral(":id"), id);
    // A hand edit of stock or prices is told to the audit trail together with the edit.
    TransactionGuard transaction(db);
    if (!transaction.IsActive())
        return Result::Failed;
    const QString before = AuditLog::RowJson(db, "tblInventory", "ID", id);
    const Result result = Run(query);
    if (result != Result::Done)
        return result;
    const QString after = AuditLog::RowJson(db, "tblInventory", "ID", id);
    if (AuditedBatchChange(before, after)
        && !AuditLog::Write(db, QLatin1String(AuditLog::Kind::BatchEdited),
                            QStringLiteral("tblInventory"), QString::number(id), before, after))
        return Result::Failed;
    return transaction.Commit() ? Result::Done : Result::Failed;
}

Result DeleteBatch(const QSqlDatabase &db, int id)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM tblInventory WHERE ID = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    return Run(query);
}

// Writes of more than one statement run again whole when the server gives them up for a lock
// or, on a cluster, at COMMIT.
Result InsertProduct(const QSqlDatabase &db, const Product &product, bool autoGenerate,
                     QString *storedCode)
{
    Result result = Result::Failed;
    ReplayWhole([&] {
        result = InsertProductOnce(db, product, autoGenerate, storedCode);
        return result != Result::Failed;
    });
    return result;
}

Result UpdateBatch(const QSqlDatabase &db, int id, const Batch &batch, int loadedQuantity,
                   int loadedSubItems)
{
    Result result = Result::Failed;
    ReplayWhole([&] {
        result = UpdateBatchOnce(db, id, batch, loadedQuantity, loadedSubItems);
        return result != Result::Failed;
    });
    return result;
}

} // namespace CatalogueStore
