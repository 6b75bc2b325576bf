#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// Reads and writes of products and stock batches, apart from the screens so that the
// outcomes (duplicate code, product still in stock, auto-generated codes) can be checked
// without a window. Every value is bound; refusals are told apart by the server's error number.
namespace CatalogueStore {

enum class Result {
    Done,
    Duplicate, // the product code or barcode is taken
    InUse,     // stock batches still refer to the product
    Failed     // refused for another reason (logged)
};

struct Product
{
    int categoryId = -1;
    QString code;
    QString name;
    int itemsPerUnit = 1;
    QString description;
    QString imageFile; // stored as Catalogue::StoredImageFile gives it
    double taxRate = 0.0;
};

// Adds a product. With autoGenerate the row is inserted under the placeholder code and then
// given its own ID as code, both in one transaction, so a failed second step leaves no
// placeholder row behind. *storedCode receives the code written (the new ID), or the code
// tried when the insert failed (empty when no ID was assigned).
Result InsertProduct(const QSqlDatabase &db, const Product &product, bool autoGenerate,
                     QString *storedCode);
Result UpdateProduct(const QSqlDatabase &db, int id, const Product &product);
// InUse (row kept) while stock batches refer to the product.
Result DeleteProduct(const QSqlDatabase &db, int id);

// A product as the batch editor shows it.
struct ProductDetails
{
    bool found = false;
    int id = 0;
    QString name;
    QString itemsPerUnit;
    QString description;
    QString category;
    QString taxRate;
};

// Looks a product up by its code (exact match). False only when the query could not run;
// a code without a product gives found == false.
bool LookupProduct(const QSqlDatabase &db, const QString &code, ProductDetails *details);

struct Batch
{
    int productId = -1;
    int vendorId = -1;
    QString barCode;
    QString batchNumber;
    QDate expiryDate;
    QString storageLocation;
    // Stored as given: callers pass the typed value, not a float that has lost the cents.
    double purchasePrice = 0.0;
    double salePrice = 0.0;
    int quantity = 0;
    int subItems = 0;
    bool showOnPos = true;
    double discount = 0.0;
};

Result InsertBatch(const QSqlDatabase &db, const Batch &batch);
// Updates a batch. The stock counts are changed by the difference between what the editor
// loaded (loadedQuantity, loadedSubItems) and what it saves, so that sales the tills made
// meanwhile are kept instead of being overwritten with the editor's stale figures.
Result UpdateBatch(const QSqlDatabase &db, int id, const Batch &batch, int loadedQuantity,
                   int loadedSubItems);
Result DeleteBatch(const QSqlDatabase &db, int id);

} // namespace CatalogueStore
