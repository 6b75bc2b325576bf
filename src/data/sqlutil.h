#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

class QSqlError;
class QSqlQuery;

// MariaDB's error numbers, by which refusals are told apart (never by message text).
namespace MariaDbError {
constexpr int DuplicateKey = 1062;
constexpr int RowIsReferenced = 1451;   // delete or update of a parent row refused
constexpr int NoReferencedRow = 1452;   // insert or update of a child row refused
constexpr int LockWaitTimeout = 1205;
constexpr int Deadlock = 1213;
constexpr int NodeNotReady = 1047;     // a cluster node outside the primary component
constexpr int CannotConnectSocket = 2002;
constexpr int CannotConnect = 2003;
constexpr int ServerGone = 2006;
constexpr int ServerLost = 2013;
}

// A query that never runs a statement whose preparation the server refused. Qt would run such a
// statement at exec() all the same, as plain text; and on a cluster a refused preparation is how
// the server says it rolled the transaction back because another node's write won. The text
// would then run on its own, outside any transaction, and its write would stand unchecked: a
// stock step overwriting another till's. Here exec() fails with the preparation's error instead,
// so the try is replayed whole.
class SqlQuery : public QSqlQuery
{
public:
    using QSqlQuery::QSqlQuery;
    bool prepare(const QString &query)
    {
        m_refused = !QSqlQuery::prepare(query);
        return !m_refused;
    }
    bool exec() { return !m_refused && QSqlQuery::exec(); }
    bool exec(const QString &query)
    {
        m_refused = false;
        return QSqlQuery::exec(query);
    }

private:
    bool m_refused = false;
};

// The server's error number of a failed statement, 0 when there is none.
int NativeErrorCode(const QSqlError &error);

// Runs a prepared query; on failure writes the error to the debug log and returns false.
bool ExecLogged(QSqlQuery &query);
bool ExecLogged(SqlQuery &query);

// Runs a batch of statements in one go; false (logged) when any of them fails, the last one
// included, or when there is nothing to run.
bool RunSqlScript(const QSqlDatabase &db, const QString &script);

// A value as an SQL literal, escaped by the connection's driver. Only for the few places
// where Qt takes nothing but a filter string (QSqlTableModel::setFilter).
QString SqlLiteral(const QSqlDatabase &db, const QString &value);

// Whether a table (and a column of it, when one is named) exists in a schema (the connection's
// own when empty). A schema of an earlier release gains tables and columns while the program
// runs, never loses them: once found, the answer is kept; a miss is asked again after a few
// seconds, so that a till working on an older shape neither fails nor asks on every scan.
// Inside a transaction pass failure: a refused question means the transaction is gone (a
// cluster rolls it back between statements and says so at the next one), and the caller must
// give up the try rather than write on outside it.
bool SchemaHas(const QSqlDatabase &db, const QString &schema, const QString &table,
               const QString &column = QString(), QSqlError *failure = nullptr);

// Why the transaction begun on db is no longer open, or an invalid error while it is. On a
// cluster the server may roll a transaction back between two statements when another node's
// write wins; the next statement is refused (1213), and were that refusal missed, what follows
// would run outside any transaction and COMMIT would "succeed" with nothing in it.
QSqlError TransactionEnded(const QSqlDatabase &db);

// "%text%" for a bound LIKE parameter, with %, _ and \ in the text matched literally.
QString LikeContains(const QString &text);

// Begins a transaction on construction and rolls it back on destruction unless committed,
// so writes that belong together land together or not at all.
class TransactionGuard final
{
public:
    explicit TransactionGuard(QSqlDatabase db);
    ~TransactionGuard();
    bool IsActive() const { return m_active; }
    bool Commit();

private:
    Q_DISABLE_COPY(TransactionGuard)
    QSqlDatabase m_db;
    bool m_active = false;
};
