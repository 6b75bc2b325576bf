#pragma once

#include "salerules.h"

#include <QSqlDatabase>
#include <QDate>
#include <QString>
#include <QVector>

class CItemTransactionsModel;

// The sale screen's reads and writes, on connections handed in by the caller, without widgets.
namespace PosStore {

// One item entry as the fields hold it (already past the field checks).
struct ItemRequest {
    QString barCode;
    int quantity = 0;
    int subQuantity = 0;
    bool returnMode = false;
    bool specialDiscount = false;
    float specialPercent = 0;
    bool taxEnabled = true;
    // The open basket this entry belongs to; with a key, the stock step also records which
    // till holds the units (see openbaskets.h), so they can go back if the basket is never paid.
    QString tillId;
    QString basketKey;
    int lineIndex = 0;
    SaleRules::ExpiryGuard expiryGuard = SaleRules::ExpiryGuard::Warn;
    int expiryWarnDays = SaleRules::kDefaultExpiryWarnDays;
    QDate today; // the till's day; expiry is judged against it
    QString dateFormat = QStringLiteral("yyyy-MM-dd"); // how dates are shown
};

// What an entry took out of (or put back into) the stock, ready to become a basket line.
struct ItemTaken {
    QString refusal; // status message; empty when the stock was written
    QString notice; // status message for a line that was added (a batch near its expiry)
    QString name;
    QString salePrice;
    QString purchasePrice;
    SaleRules::LineAmounts amounts;
    SaleRules::StockSplit stockAfter;
};

// Looks the batch up, checks and writes its stock as one locked step, so two tills selling
// the same batch can neither overwrite each other nor take more than there is. A lock conflict
// replays the step (see transactionreplay.h); only then the cashier reads StockWriteFailed.
ItemTaken TakeItem(QSqlDatabase db, const ItemRequest &request);

// What a payment records besides the basket's lines.
struct SaleHeader {
    QString user;
    QString customer; // "NOT SELECTED" when none was chosen
    float grandTotal = 0;
    QString paid; // the tendered text
    QString change; // the change as shown
    // The basket's key: stored with the sale under a unique index, and the open basket lines of
    // that key (in the inventory schema named here, on the same server) closed in the same
    // transaction. Empty key: neither.
    QString saleKey;
    QString inventorySchema;
};

// Records the transaction row and every line of the basket in one database transaction.
// True with the new transaction ID; false with the status message, nothing stored.
// A sale whose key is on record already is not written again: its ID is handed back. When the
// connection is lost on the way (the commit's answer included), the connection is opened once
// more and the key asked for, so the cashier never records the same sale twice.
bool RecordSale(QSqlDatabase db, const SaleHeader &header, const CItemTransactionsModel &basket,
                int *transactionId, QString *failure);

// One batch flagged for the quick-sale panel.
struct PanelEntry {
    QString barCode;
    QString name;
    QString imageFile;
    int categoryId = 0;
};
// The flagged batches in the order the server gives; false when the query failed.
bool LoadPanelEntries(QSqlDatabase db, QVector<PanelEntry> *entries);

} // namespace PosStore
