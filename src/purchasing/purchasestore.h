#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

// Reads and writes of purchase orders, their lines and the stock batches a received order
// becomes. Every value is bound; writes that belong together share one transaction.
namespace PurchaseStore {

struct Header {
    int vendorId = -1;
    QString status;
    QDate sentDate;
    QDate deliveryDate;
    float subTotal = 0;
    float tax = 0;
    float total = 0;
    QString notes;
};

struct Line {
    QString itemCode;
    int quantity = 0;
    QString itemName;
    float unitPrice = 0;
    float lineTotal = 0;
    float salePrice = 0;
    QString batch;
    QDate expiry;
    QString storage;
};

// A product as the order dialog shows it while a code is typed.
struct ItemInfo {
    bool found = false;
    QString name;
    QString taxRate;
    QString stock; // units in stock over all batches; empty without batches
};

// False only when the look-up could not run.
bool LookupItem(const QSqlDatabase &db, const QString &code, ItemInfo *info);

// Stores the header: an update with a key (> 0), else an insert whose new ID goes to *key.
bool SaveOrder(const QSqlDatabase &db, int *key, const Header &header);
// Stores a line and the header with its new totals together; an order not yet stored is
// created first. On failure nothing is stored and *key is unchanged.
bool AddLine(const QSqlDatabase &db, int *key, const Header &header, const Line &line);
// Deletes a line of the order and stores the header with its new totals, together.
bool DeleteLine(const QSqlDatabase &db, int key, int lineId, const Header &header);
// The receiving data of a line; false when the line was not found or the update failed.
bool UpdateInventoryData(const QSqlDatabase &db, int lineId, float salePrice, const QString &batch,
                         const QDate &expiry, const QString &storage);
// The order's lines and the order, together; false (nothing deleted) on failure.
bool DeleteOrder(const QSqlDatabase &db, int key);

// Why a receiving run stopped.
struct ReceiveFailure {
    int line = 0; // 1-based position in the order; 0 when no line was reached
    QString code;
    QString reason;
};

// Every line of the order becomes a new stock batch, and the header is stored, in one
// transaction. A line's barcode is its item code, or the new batch's own ID when that code is
// already a barcode. On the first failing line everything is rolled back.
bool ReceiveOrder(const QSqlDatabase &db, int *key, const Header &header, ReceiveFailure *failure,
                  int *batches = nullptr);

} // namespace PurchaseStore
