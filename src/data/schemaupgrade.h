#pragma once

#include "dbmanager.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <functional>

// The recorded upgrade steps that bring a schema made by any earlier release to today's shape.
// Each step is an SQL resource ":/upgrades/<inventory|sales>/NNN-short-name.sql", run as one
// batch; the steps done are recorded in the schema's tblSchemaChanges. A step whose first line
// is "-- blocking: <query>" copies tables: the query lists the tables it would copy (name, rows)
// and, while it lists any, the step runs only when a manager has agreed to it.
namespace SchemaUpgrade {

struct Step
{
    int number = 0;
    QString name;
    QString sql;
    QString blockingQuery; // empty for a step that runs while the tills sell
    bool IsBlocking() const { return !blockingQuery.isEmpty(); }
};

// A step read from its file; number 0 when the file name is not "NNN-short-name.sql".
Step ParseStep(const QString &fileName, const QString &text);
// The program's steps for a kind of schema, in number order.
QVector<Step> BuiltInSteps(CDBManager::Kind kind);
// The highest step number the program knows for a kind (0 when none).
int NewestKnownStep(const QVector<Step> &steps);

struct AppliedStep
{
    int number = 0;
    QString name;
    QDateTime appliedAt;
    QString programVersion;
    qint64 durationMs = 0;
};

struct CopiedTable
{
    QString name;
    qint64 rows = 0;
};

// What a schema holds and what it still needs, read without taking the lock.
struct Status
{
    bool readable = false;
    QString error;                 // the server's text when the schema could not be read
    QVector<AppliedStep> applied;  // in number order
    QVector<Step> pending;         // in number order
    QVector<int> unknown;          // recorded steps this program does not know: a newer release
    QVector<Step> blockingPending; // pending steps that would copy tables now
    QVector<CopiedTable> copies;   // the tables those steps would copy
    qint64 CopiedRows() const;
};

struct Connection
{
    QString host;
    int port = 0;
    QString user;
    QString password;
    QString schema;
    static Connection Of(const QSqlDatabase &db);
};

enum class Result {
    UpToDate,     // nothing was pending
    Done,         // every pending step was applied
    HeldBlocking, // online steps applied; a blocking step waits for a manager
    Busy,         // another program holds the lock: the schema is used as it is
    TooNew,       // the schema records steps this program does not know
    Failed,       // a step or the bookkeeping failed; see Runner::Error()
};

// Applies pending steps under the lock row (STEP 0 of tblSchemaChanges, SELECT ... FOR UPDATE
// on a second connection, since every DDL statement commits the transaction it runs in).
// Opens its own connections, so it may run on any thread.
class Runner final
{
public:
    Runner(const Connection &connection, QVector<Step> steps, QString programVersion);
    ~Runner();

    struct Options
    {
        bool allowBlocking = false;
        int lockWaitSeconds = 10;
        // Called before each step runs, with the server's id of the connection that runs it.
        std::function<void(const Step &step, int index, int count, qint64 connectionId)> onStep;
    };
    Result Run(const Options &options);
    Status Inspect();

    // The failed step (0: the bookkeeping) and the server's text.
    int FailedStep() const { return m_failedStep; }
    QString Error() const { return m_error; }
    QVector<int> AppliedNow() const { return m_appliedNow; }

private:
    Q_DISABLE_COPY(Runner)
    Result RunLocked(const Options &options);
    Status InspectOpen();
    bool Open(QSqlDatabase &db, const QString &name);
    bool Fail(int step, const QString &text);
    bool ReadApplied(QSqlDatabase &db, QVector<AppliedStep> &applied);
    bool ListCopies(QSqlDatabase &db, const Step &step, QVector<CopiedTable> &copies);
    bool RunStep(QSqlDatabase &db, const Step &step);

    Connection m_connection;
    QVector<Step> m_steps;
    QString m_programVersion;
    QString m_work;
    QString m_lock;
    int m_failedStep = -1;
    QString m_error;
    QVector<int> m_appliedNow;
};

// The program's own version, recorded with every step it applies.
QString ProgramVersion();

} // namespace SchemaUpgrade
