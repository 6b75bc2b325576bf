#include "auditlog.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "sqlutil.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace AuditLog {

namespace {
const char *kTimeFormat = "yyyy-MM-dd hh:mm:ss";

QString Tr(const char *text)
{
    return QCoreApplication::translate("AuditLog", text);
}

void Field(QByteArray *out, const QString &value)
{
    // Length-prefixed, so no choice of texts can make two entries hash alike.
    const QByteArray bytes = value.toUtf8();
    out->append(QByteArray::number(bytes.size())).append(':').append(bytes);
}

QJsonValue JsonOf(const QVariant &value)
{
    if (value.isNull())
        return QJsonValue();
    switch (value.type()) {
    case QVariant::Date:
        return value.toDate().toString(Qt::ISODate);
    case QVariant::DateTime:
        return value.toDateTime().toString(QLatin1String(kTimeFormat));
    case QVariant::ByteArray:
        return QString::fromLatin1(value.toByteArray().toBase64());
    default:
        return QJsonValue::fromVariant(value);
    }
}

QJsonObject ObjectOf(const QSqlRecord &record)
{
    QJsonObject object;
    for (int i = 0; i < record.count(); ++i)
        object.insert(record.fieldName(i), JsonOf(record.value(i)));
    return object;
}

QString Compact(const QJsonDocument &document)
{
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

bool Fail(const QSqlQuery &query, QSqlError *error)
{
    LogSqlError(query.lastError());
    if (error)
        *error = query.lastError();
    return false;
}

bool Append(QSqlDatabase db, Entry entry, QSqlError *error)
{
    SqlQuery head(db);
    head.prepare(QStringLiteral(
        "SELECT LAST_SEQ, LAST_HASH FROM tblAuditHead WHERE ID = 1 FOR UPDATE"));
    if (!head.exec())
        return Fail(head, error);
    if (!head.next()) {
        SqlQuery start(db);
        start.prepare(QStringLiteral(
            "INSERT IGNORE INTO tblAuditHead (ID, LAST_SEQ, LAST_HASH) VALUES (1, 0, '')"));
        if (!start.exec() || !head.exec())
            return Fail(start.lastError().isValid() ? start : head, error);
        if (!head.next())
            return Fail(head, error);
    }
    entry.seq = head.value(0).toLongLong() + 1;
    entry.prevHash = head.value(1).toString();
    entry.hash = HashOf(entry);

    SqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO tblAuditLog (SEQ, TIME_STAMP, USER_ID, KIND, TABLE_NAME, ROW_KEY, "
        "BEFORE_DATA, AFTER_DATA, PREV_HASH, HASH) VALUES (:seq, :time_stamp, :user_id, :kind, "
        ":table_name, :row_key, :before, :after, :prev_hash, :hash)"));
    insert.bindValue(QStringLiteral(":seq"), entry.seq);
    insert.bindValue(QStringLiteral(":time_stamp"), entry.when.toString(QLatin1String(kTimeFormat)));
    insert.bindValue(QStringLiteral(":user_id"), entry.user);
    insert.bindValue(QStringLiteral(":kind"), entry.kind);
    insert.bindValue(QStringLiteral(":table_name"), entry.table);
    insert.bindValue(QStringLiteral(":row_key"), entry.row);
    insert.bindValue(QStringLiteral(":before"), entry.before);
    insert.bindValue(QStringLiteral(":after"), entry.after);
    insert.bindValue(QStringLiteral(":prev_hash"), entry.prevHash);
    insert.bindValue(QStringLiteral(":hash"), entry.hash);
    if (!insert.exec())
        return Fail(insert, error);

    SqlQuery move(db);
    move.prepare(
        QStringLiteral("UPDATE tblAuditHead SET LAST_SEQ = :seq, LAST_HASH = :hash WHERE ID = 1"));
    move.bindValue(QStringLiteral(":seq"), entry.seq);
    move.bindValue(QStringLiteral(":hash"), entry.hash);
    if (!move.exec())
        return Fail(move, error);
    return true;
}

// Whether the entry joins the caller's transaction. A refused question is no "no": on a
// cluster it is how the caller's transaction, rolled back under it, is first told, and writing
// the entry on its own then would let the caller's COMMIT report its lost writes as stored.
bool InTransaction(QSqlDatabase db, QSqlError *refused)
{
    SqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT @@in_transaction"))) {
        *refused = query.lastError();
        return false;
    }
    return query.next() && query.value(0).toInt() == 1;
}
} // namespace

QStringList Kinds()
{
    return {QLatin1String(Kind::SaleDeleted),     QLatin1String(Kind::PurchaseOrderDeleted),
            QLatin1String(Kind::ReturnLine),      QLatin1String(Kind::SpecialDiscount),
            QLatin1String(Kind::BatchEdited),     QLatin1String(Kind::BasketPutBack),
            QLatin1String(Kind::LineVoided),      QLatin1String(Kind::SaleVoided),
            QLatin1String(Kind::UserAdded),       QLatin1String(Kind::UserChanged),
            QLatin1String(Kind::UserRemoved),     QLatin1String(Kind::SettingsChanged),
            QLatin1String(Kind::DrawerOpened)};
}

QString KindText(const QString &kind)
{
    static const struct {
        const char *kind;
        const char *text;
    } texts[] = {
        {Kind::SaleDeleted, QT_TRANSLATE_NOOP("AuditLog", "Sale deleted")},
        {Kind::PurchaseOrderDeleted, QT_TRANSLATE_NOOP("AuditLog", "Purchase order deleted")},
        {Kind::ReturnLine, QT_TRANSLATE_NOOP("AuditLog", "Item returned")},
        {Kind::SpecialDiscount, QT_TRANSLATE_NOOP("AuditLog", "Special discount")},
        {Kind::BatchEdited, QT_TRANSLATE_NOOP("AuditLog", "Batch stock or price edited")},
        {Kind::BasketPutBack, QT_TRANSLATE_NOOP("AuditLog", "Open basket put back")},
        {Kind::LineVoided, QT_TRANSLATE_NOOP("AuditLog", "Basket line voided")},
        {Kind::SaleVoided, QT_TRANSLATE_NOOP("AuditLog", "Sale voided")},
        {Kind::UserAdded, QT_TRANSLATE_NOOP("AuditLog", "User added")},
        {Kind::UserChanged, QT_TRANSLATE_NOOP("AuditLog", "User changed")},
        {Kind::UserRemoved, QT_TRANSLATE_NOOP("AuditLog", "User removed")},
        {Kind::SettingsChanged, QT_TRANSLATE_NOOP("AuditLog", "Tax or currency settings changed")},
        {Kind::DrawerOpened, QT_TRANSLATE_NOOP("AuditLog", "Cash drawer opened without a sale")},
    };
    for (const auto &t : texts) {
        if (kind == QLatin1String(t.kind))
            return Tr(t.text);
    }
    return kind; // kinds other screens add show as stored
}

QString HashOf(const Entry &entry)
{
    QByteArray content;
    Field(&content, QString::number(entry.seq));
    Field(&content, entry.when.toString(QLatin1String(kTimeFormat)));
    for (const QString *text : {&entry.user, &entry.kind, &entry.table, &entry.row, &entry.before,
                                &entry.after, &entry.prevHash})
        Field(&content, *text);
    return QString::fromLatin1(
        QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
}

bool Write(QSqlDatabase db, const QString &kind, const QString &table, const QString &row,
           const QString &before, const QString &after, QSqlError *error)
{
    Entry entry;
    const QDateTime now = QDateTime::currentDateTime();
    entry.when = now.addMSecs(-now.time().msec()); // the column keeps whole seconds
    entry.user = AppSettings::Instance().GetCurrentUser();
    // The key columns take no NULL: a null text (an all-cashiers cash-up) is stored empty.
    entry.user = entry.user.isNull() ? QLatin1String("") : entry.user;
    entry.kind = kind.isNull() ? QLatin1String("") : kind;
    entry.table = table.isNull() ? QLatin1String("") : table;
    entry.row = row.isNull() ? QLatin1String("") : row;
    entry.before = before;
    entry.after = after;
    QSqlError refused;
    if (InTransaction(db, &refused))
        return Append(db, entry, error);
    if (refused.isValid()) {
        LogSqlError(refused);
        if (error)
            *error = refused;
        return false;
    }

    // On its own: replayed whole when it meets a deadlock or lock wait.
    constexpr int kTries = 3;
    for (int attempt = 1;; ++attempt) {
        QSqlError failure;
        {
            TransactionGuard transaction(db);
            if (transaction.IsActive() && Append(db, entry, &failure) && transaction.Commit())
                return true;
            if (!failure.isValid())
                failure = db.lastError();
        }
        const int code = NativeErrorCode(failure);
        const bool conflict
            = code == MariaDbError::Deadlock || code == MariaDbError::LockWaitTimeout;
        if (!conflict || attempt == kTries) {
            if (error)
                *error = failure;
            return false;
        }
    }
}

QString RowJson(QSqlDatabase db, const char *table, const char *keyColumn, const QVariant &key)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("SELECT * FROM %1 WHERE %2 = :key")
                      .arg(QLatin1String(table), QLatin1String(keyColumn)));
    query.bindValue(QStringLiteral(":key"), key);
    if (!ExecLogged(query) || !query.next())
        return QString();
    return Compact(QJsonDocument(ObjectOf(query.record())));
}

QString RowsJson(QSqlDatabase db, const char *table, const char *column, const QVariant &value,
                 const char *orderColumn)
{
    SqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM %1 WHERE %2 = :value ORDER BY %3")
                      .arg(QLatin1String(table), QLatin1String(column),
                           QLatin1String(orderColumn)));
    query.bindValue(QStringLiteral(":value"), value);
    QJsonArray rows;
    if (ExecLogged(query)) {
        while (query.next())
            rows.append(ObjectOf(query.record()));
    }
    return Compact(QJsonDocument(rows));
}

QString ObjectJson(const QVariantMap &values)
{
    QJsonObject object;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        object.insert(it.key(), JsonOf(it.value()));
    return Compact(QJsonDocument(object));
}

Verdict Verify(QSqlDatabase db)
{
    Verdict verdict;
    const auto broken = [&verdict](qint64 seq, const char *text) {
        verdict.firstBad = seq;
        verdict.problem = Tr(text).arg(seq);
        return verdict;
    };
    QString previous;
    qint64 expected = 1;
    // A bounded batch at a time: a shop's years of entries never sit in memory at once.
    constexpr int kBatch = 5000;
    for (;;) {
        SqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral(
            "SELECT SEQ, TIME_STAMP, USER_ID, KIND, TABLE_NAME, ROW_KEY, BEFORE_DATA, AFTER_DATA, "
            "PREV_HASH, HASH FROM tblAuditLog WHERE SEQ >= :from ORDER BY SEQ LIMIT :rows"));
        query.bindValue(QStringLiteral(":from"), expected);
        query.bindValue(QStringLiteral(":rows"), kBatch);
        if (!ExecLogged(query)) {
            verdict.problem = QCoreApplication::translate("AuditLog", "The audit trail could not be read.");
            return verdict;
        }
        int read = 0;
        while (query.next()) {
            ++read;
            Entry entry;
            entry.seq = query.value(0).toLongLong();
            entry.when = query.value(1).toDateTime();
            entry.user = query.value(2).toString();
            entry.kind = query.value(3).toString();
            entry.table = query.value(4).toString();
            entry.row = query.value(5).toString();
            entry.before = query.value(6).toString();
            entry.after = query.value(7).toString();
            entry.prevHash = query.value(8).toString();
            entry.hash = query.value(9).toString();
            if (entry.seq != expected)
                return broken(expected, QT_TRANSLATE_NOOP("AuditLog", "Audit entry %1 was removed."));
            if (entry.prevHash != previous || HashOf(entry) != entry.hash)
                return broken(entry.seq, QT_TRANSLATE_NOOP("AuditLog", "Audit entry %1 was changed."));
            previous = entry.hash;
            ++expected;
            ++verdict.entries;
        }
        if (read < kBatch)
            break;
    }
    // The head remembers the last entry, so removing entries from the end shows too.
    SqlQuery head(db);
    head.prepare(QStringLiteral("SELECT LAST_SEQ, LAST_HASH FROM tblAuditHead WHERE ID = 1"));
    if (!ExecLogged(head)) {
        verdict.problem = QCoreApplication::translate("AuditLog", "The audit trail could not be read.");
        return verdict;
    }
    const qint64 lastSeq = head.next() ? head.value(0).toLongLong() : 0;
    const QString lastHash = lastSeq > 0 ? head.value(1).toString() : QString();
    if (lastSeq >= expected)
        return broken(expected, QT_TRANSLATE_NOOP("AuditLog", "Audit entry %1 was removed."));
    if (lastSeq < expected - 1 || lastHash != previous)
        return broken(expected - 1, QT_TRANSLATE_NOOP("AuditLog", "Audit entry %1 was changed."));
    verdict.intact = true;
    verdict.problem.clear();
    return verdict;
}

} // namespace AuditLog
