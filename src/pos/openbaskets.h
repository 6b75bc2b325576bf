#pragma once

#include "salerules.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVector>

class CItemTransactionsModel;

// Baskets not yet paid, on record in tblOpenBasketLines of the inventory schema: which till
// holds how many units of which batch. The stock step writes a line with the stock it takes
// (TakeItem), payment removes the basket's lines with the sale (RecordSale), and what is
// never paid goes back into stock here.
namespace PosStore {

struct OpenBasketLine {
    QString tillId;
    QString basketKey;
    int lineIndex = 0;
    int inventoryId = 0;
    int units = 0; // sub-item units taken from the batch; negative for a returned item
    QString items; // the quantity and sub-quantity as entered
    QString subItems;
    QString productName;
    QString salePrice;
    QString purchasePrice;
    SaleRules::LineAmounts amounts;
    QDateTime createdAt;
};

// One open basket: its till, key, lines and when its last line was entered.
struct OpenBasket {
    QString tillId;
    QString basketKey;
    int lines = 0;
    QDateTime lastEntry;
};

// Writes one line inside the caller's transaction (the stock step's).
bool InsertOpenBasketLine(QSqlDatabase &db, const OpenBasketLine &line, QSqlError *error);

// Removes a paid basket's lines inside the caller's transaction, which runs on a connection to
// the sales schema: the inventory schema is named, both live on one server.
bool CloseOpenBasket(QSqlDatabase &db, const QString &inventorySchema, const QString &basketKey,
                     QSqlError *error);

// The open baskets of one till, oldest first; false when the query failed.
bool OpenBasketsOfTill(QSqlDatabase db, const QString &tillId, QVector<OpenBasket> *baskets);
// The open baskets whose last line is older than the given hours, of every till, oldest first.
bool StaleOpenBaskets(QSqlDatabase db, int hours, QVector<OpenBasket> *baskets);
// The lines of one basket in the order they were entered.
bool OpenBasketLines(QSqlDatabase db, const QString &basketKey, QVector<OpenBasketLine> *lines);
// Rebuilds the basket lines of an open basket into an empty basket model.
void RefillBasket(const QVector<OpenBasketLine> &lines, CItemTransactionsModel *basket);

// Puts the stock of every line of these baskets back into their batches and removes the lines,
// all in one transaction (replayed on lock conflicts). A returned item's units are taken out
// again, never below an empty batch. False with nothing changed when it could not be done.
bool PutBackBaskets(QSqlDatabase db, const QStringList &basketKeys);
// A line voided before payment: its stock back, its record gone and the void on the audit
// trail, all in one transaction (replayed on lock conflicts). False with nothing changed.
bool VoidBasketLine(QSqlDatabase db, const QString &basketKey, int lineIndex);
// The same for every line of a voided sale.
bool VoidBasket(QSqlDatabase db, const QString &basketKey);

// The key of the till this program runs on: kept in the settings ("TILL_ID"), made once.
QString TillId();
// Hours after which an unpaid basket counts as abandoned ("OPEN_BASKET_HOURS", default 12).
int AbandonedBasketHours();

} // namespace PosStore
