#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

// The audit trail: an append-only table in each schema (tblAuditLog) of the changes a shop
// would have to explain. Every entry carries a SHA-256 over its content and the previous
// entry's hash, so an entry changed or removed afterwards breaks the chain. One head row
// (tblAuditHead) holds the last number and hash: writers queue on it, so the chain never forks,
// and on a cluster two tills appending at once conflict and one of them replays.
namespace AuditLog {

// Kinds as stored; the viewer shows them through KindText().
namespace Kind {
constexpr const char *SaleDeleted = "SALE_DELETED";
constexpr const char *PurchaseOrderDeleted = "PURCHASE_ORDER_DELETED";
constexpr const char *ReturnLine = "RETURN_LINE";
constexpr const char *SpecialDiscount = "SPECIAL_DISCOUNT";
constexpr const char *BatchEdited = "BATCH_EDITED";
constexpr const char *BasketPutBack = "BASKET_PUT_BACK";
constexpr const char *LineVoided = "LINE_VOIDED";
constexpr const char *SaleVoided = "SALE_VOIDED";
constexpr const char *UserAdded = "USER_ADDED";
constexpr const char *UserChanged = "USER_CHANGED";
constexpr const char *UserRemoved = "USER_REMOVED";
constexpr const char *SettingsChanged = "SETTINGS_CHANGED";
constexpr const char *DrawerOpened = "DRAWER_OPENED";
} // namespace Kind
// Every kind above, in the viewer's order.
QStringList Kinds();
QString KindText(const QString &kind);

struct Entry {
    qint64 seq = 0;
    QDateTime when;
    QString user;
    QString kind;
    QString table;
    QString row;
    QString before; // JSON text, empty for an addition
    QString after; // JSON text, empty for a removal
    QString prevHash;
    QString hash;
};

// The hash an entry must carry: hex SHA-256 over its fields and the previous hash.
QString HashOf(const Entry &entry);

// Appends one entry on db, by the logged-in user, now. Call it inside the transaction of the
// change it records, so both land or neither does; outside one it runs in its own. False
// (error filled) when it could not be written: the caller must then give its change up.
bool Write(QSqlDatabase db, const QString &kind, const QString &table, const QString &row,
           const QString &before, const QString &after, QSqlError *error = nullptr);

// A row as compact JSON ({"COLUMN": value, ...}), read on db inside the caller's transaction;
// empty when there is no such row. table and keyColumn are code constants.
QString RowJson(QSqlDatabase db, const char *table, const char *keyColumn, const QVariant &key);
// Every row whose column equals the value, as a JSON array in key order.
QString RowsJson(QSqlDatabase db, const char *table, const char *column, const QVariant &value,
                 const char *orderColumn);
// {"name": value, ...} of the given pairs, for entries that are not rows.
QString ObjectJson(const QVariantMap &values);

struct Verdict {
    bool intact = false;
    qint64 entries = 0; // entries walked
    qint64 firstBad = 0; // number of the first entry found changed or missing, 0 when intact
    QString problem; // what was found, as the user reads it
};
// Walks the chain of db's audit table from the first entry.
Verdict Verify(QSqlDatabase db);

} // namespace AuditLog
