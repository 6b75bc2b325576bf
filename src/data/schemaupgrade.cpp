#include "schemaupgrade.h"

#include "debuglog.h"
#include "sqlutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QVariant>

#include <algorithm>

namespace SchemaUpgrade {

namespace {
const QString kBlockingMark = QStringLiteral("-- blocking:");

// The changes table belongs to the runner: it must exist before the lock row can be taken.
const QString kCreateChanges = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS `tblSchemaChanges` ("
    " `STEP` INT NOT NULL,"
    " `NAME` VARCHAR(100) NOT NULL,"
    " `APPLIED_AT` DATETIME NULL,"
    " `PROGRAM_VERSION` VARCHAR(20) NULL,"
    " `DURATION_MS` BIGINT NULL,"
    " PRIMARY KEY (`STEP`))"
    " ENGINE = InnoDB DEFAULT CHARACTER SET = utf8mb4");

int g_connectionSerial = 0;

QString Text(const QSqlError &error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.text().trimmed() : db;
}

bool TableMissing(const QSqlError &error)
{
    return NativeErrorCode(error) == 1146; // ER_NO_SUCH_TABLE
}
} // namespace

QString ProgramVersion()
{
    return QStringLiteral(QUILLBOX_PROGRAM_VERSION);
}

Step ParseStep(const QString &fileName, const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{3})-([a-z0-9-]+)\\.sql$"));
    Step step;
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return step;
    step.number = match.captured(1).toInt();
    step.name = match.captured(2);
    step.sql = text;
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (firstLine.startsWith(kBlockingMark))
        step.blockingQuery = firstLine.mid(kBlockingMark.size()).trimmed();
    return step;
}

QVector<Step> BuiltInSteps(CDBManager::Kind kind)
{
    const QString folder = kind == CDBManager::Kind::Inventory
                               ? QStringLiteral(":/upgrades/inventory")
                               : QStringLiteral(":/upgrades/sales");
    QVector<Step> steps;
    const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files) {
        QFile resource(folder + QLatin1Char('/') + file);
        if (!resource.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        const Step step = ParseStep(file, QTextStream(&resource).readAll());
        if (step.number > 0)
            steps.append(step);
        else
            qCWarning(lcQuillbox) << "Upgrade step with a malformed name left out:" << file;
    }
    std::sort(steps.begin(), steps.end(),
              [](const Step &a, const Step &b) { return a.number < b.number; });
    return steps;
}

int NewestKnownStep(const QVector<Step> &steps)
{
    int newest = 0;
    for (const Step &step : steps)
        newest = std::max(newest, step.number);
    return newest;
}

qint64 Status::CopiedRows() const
{
    qint64 rows = 0;
    for (const CopiedTable &table : copies)
        rows += table.rows;
    return rows;
}

Connection Connection::Of(const QSqlDatabase &db)
{
    return {db.hostName(), db.port(), db.userName(), db.password(), db.databaseName()};
}

Runner::Runner(const Connection &connection, QVector<Step> steps, QString programVersion)
    : m_connection(connection)
    , m_steps(std::move(steps))
    , m_programVersion(std::move(programVersion))
{
    const int serial = ++g_connectionSerial;
    m_work = QStringLiteral("SCHEMA_UPGRADE_%1").arg(serial);
    m_lock = QStringLiteral("SCHEMA_UPGRADE_LOCK_%1").arg(serial);
}

Runner::~Runner()
{
    QSqlDatabase::removeDatabase(m_work);
    QSqlDatabase::removeDatabase(m_lock);
}

bool Runner::Open(QSqlDatabase &db, const QString &name)
{
    db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    db.setHostName(m_connection.host);
    db.setPort(m_connection.port);
    db.setUserName(m_connection.user);
    db.setPassword(m_connection.password);
    db.setDatabaseName(m_connection.schema);
    db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=5"));
    if (!db.open())
        return Fail(0, Text(db.lastError()));
    SqlQuery names(db);
    if (!names.exec(QStringLiteral("SET NAMES utf8mb4")))
        return Fail(0, Text(names.lastError()));
    return true;
}

bool Runner::Fail(int step, const QString &text)
{
    m_failedStep = step;
    m_error = text;
    qCWarning(lcQuillbox).noquote()
        << QStringLiteral("Schema %1: upgrade step %2 failed: %3")
               .arg(m_connection.schema)
               .arg(step, 3, 10, QLatin1Char('0'))
               .arg(text);
    return false;
}

bool Runner::ReadApplied(QSqlDatabase &db, QVector<AppliedStep> &applied)
{
    applied.clear();
    SqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT STEP, NAME, APPLIED_AT, PROGRAM_VERSION, DURATION_MS "
                                   "FROM tblSchemaChanges WHERE STEP > 0 ORDER BY STEP"))) {
        // A schema no program has upgraded yet: nothing is recorded.
        if (TableMissing(query.lastError()))
            return true;
        return Fail(0, Text(query.lastError()));
    }
    while (query.next()) {
        applied.append({query.value(0).toInt(), query.value(1).toString(),
                        query.value(2).toDateTime(), query.value(3).toString(),
                        query.value(4).toLongLong()});
    }
    return true;
}

bool Runner::ListCopies(QSqlDatabase &db, const Step &step, QVector<CopiedTable> &copies)
{
    SqlQuery query(db);
    if (!query.exec(step.blockingQuery))
        return Fail(step.number, Text(query.lastError()));
    while (query.next())
        copies.append({query.value(0).toString(), query.value(1).toLongLong()});
    return true;
}

Status Runner::Inspect()
{
    const Status status = InspectOpen();
    QSqlDatabase::removeDatabase(m_work);
    return status;
}

Status Runner::InspectOpen()
{
    Status status;
    {
        QSqlDatabase db;
        if (!Open(db, m_work)) {
            status.error = m_error;
            return status;
        }
        QVector<int> done;
        if (!ReadApplied(db, status.applied)) {
            status.error = m_error;
            return status;
        }
        for (const AppliedStep &step : status.applied) {
            done.append(step.number);
            const bool known = std::any_of(m_steps.cbegin(), m_steps.cend(),
                                           [&](const Step &s) { return s.number == step.number; });
            if (!known)
                status.unknown.append(step.number);
        }
        for (const Step &step : m_steps) {
            if (done.contains(step.number))
                continue;
            status.pending.append(step);
            if (!step.IsBlocking())
                continue;
            QVector<CopiedTable> copies;
            if (!ListCopies(db, step, copies)) {
                status.error = m_error;
                return status;
            }
            if (!copies.isEmpty()) {
                status.blockingPending.append(step);
                status.copies += copies;
            }
        }
        status.readable = true;
    }
    return status;
}

bool Runner::RunStep(QSqlDatabase &db, const Step &step)
{
    QElapsedTimer timer;
    timer.start();
    {
        SqlQuery query(db);
        if (!query.exec(step.sql))
            return Fail(step.number, Text(query.lastError()));
        // A later statement of the batch reports its failure only as its result is read.
        while (query.nextResult()) {
        }
        if (query.lastError().isValid())
            return Fail(step.number, Text(query.lastError()));
    }
    const qint64 ms = timer.elapsed();
    // The lock row holds only on its own server: on a cluster a program on another node may have
    // run the same step meanwhile (the steps change nothing the second time) and recorded it
    // first, or be recording it at this moment (refused as a conflict, so asked again).
    SqlQuery record(db);
    record.prepare(QStringLiteral("INSERT IGNORE INTO tblSchemaChanges "
                                  "(STEP, NAME, APPLIED_AT, PROGRAM_VERSION, DURATION_MS) "
                                  "VALUES (:step, :name, NOW(), :version, :ms)"));
    record.bindValue(QStringLiteral(":step"), step.number);
    record.bindValue(QStringLiteral(":name"), step.name);
    record.bindValue(QStringLiteral(":version"), m_programVersion);
    record.bindValue(QStringLiteral(":ms"), ms);
    bool recorded = record.exec();
    for (int retry = 0; !recorded && retry < 3
         && NativeErrorCode(record.lastError()) == MariaDbError::Deadlock;
         ++retry)
        recorded = record.exec();
    if (!recorded)
        return Fail(step.number, Text(record.lastError()));
    m_appliedNow.append(step.number);
    qCInfo(lcQuillbox).noquote() << QStringLiteral("Schema %1: applied upgrade step %2-%3 in %4 ms")
                                        .arg(m_connection.schema)
                                        .arg(step.number, 3, 10, QLatin1Char('0'))
                                        .arg(step.name)
                                        .arg(ms);
    return true;
}

Result Runner::Run(const Options &options)
{
    m_failedStep = -1;
    m_error.clear();
    m_appliedNow.clear();
    const Result result = RunLocked(options);
    QSqlDatabase::removeDatabase(m_work);
    QSqlDatabase::removeDatabase(m_lock);
    return result;
}

Result Runner::RunLocked(const Options &options)
{
    Result result = Result::UpToDate;
    {
        QSqlDatabase work;
        QSqlDatabase lock;
        if (!Open(work, m_work) || !Open(lock, m_lock))
            return Result::Failed;

        SqlQuery setup(work);
        if (!setup.exec(kCreateChanges)) {
            Fail(0, Text(setup.lastError()));
            return Result::Failed;
        }
        setup.prepare(QStringLiteral("INSERT IGNORE INTO tblSchemaChanges (STEP, NAME) "
                                     "VALUES (0, 'lock')"));
        if (!setup.exec()) {
            Fail(0, Text(setup.lastError()));
            return Result::Failed;
        }

        // The lock row is held by a transaction of its own until every step is done.
        SqlQuery take(lock);
        take.exec(QStringLiteral("SET SESSION innodb_lock_wait_timeout = %1")
                      .arg(std::max(1, options.lockWaitSeconds)));
        if (!lock.transaction()) {
            Fail(0, Text(lock.lastError()));
            return Result::Failed;
        }
        if (!take.exec(QStringLiteral("SELECT STEP FROM tblSchemaChanges WHERE STEP = 0 "
                                      "FOR UPDATE"))) {
            const int code = NativeErrorCode(take.lastError());
            lock.rollback();
            if (code == MariaDbError::LockWaitTimeout || code == MariaDbError::Deadlock) {
                qCInfo(lcQuillbox).noquote()
                    << QStringLiteral("Schema %1: another program is upgrading it; used as it is")
                           .arg(m_connection.schema);
                return Result::Busy;
            }
            Fail(0, Text(take.lastError()));
            return Result::Failed;
        }

        // Read again under the lock: whoever held it before may have done the work.
        QVector<AppliedStep> applied;
        if (!ReadApplied(work, applied)) {
            lock.rollback();
            return Result::Failed;
        }
        QVector<int> done;
        for (const AppliedStep &step : applied)
            done.append(step.number);
        const bool tooNew = std::any_of(done.cbegin(), done.cend(), [this](int number) {
            return std::none_of(m_steps.cbegin(), m_steps.cend(),
                                [number](const Step &s) { return s.number == number; });
        });
        if (tooNew) {
            lock.rollback();
            return Result::TooNew;
        }

        QVector<Step> pending;
        for (const Step &step : m_steps) {
            if (!done.contains(step.number))
                pending.append(step);
        }
        qint64 connectionId = 0;
        SqlQuery id(work);
        if (id.exec(QStringLiteral("SELECT CONNECTION_ID()")) && id.next())
            connectionId = id.value(0).toLongLong();
        // No online step may wait on a busy table for ever while the tills queue behind it.
        if (!options.allowBlocking)
            id.exec(QStringLiteral("SET SESSION lock_wait_timeout = 60"));

        for (int i = 0; i < pending.size(); ++i) {
            const Step &step = pending.at(i);
            if (step.IsBlocking() && !options.allowBlocking) {
                QVector<CopiedTable> copies;
                if (!ListCopies(work, step, copies)) {
                    result = Result::Failed;
                    break;
                }
                // Nothing to copy: the step is as quick as any other.
                if (!copies.isEmpty()) {
                    result = Result::HeldBlocking;
                    continue;
                }
            }
            if (options.onStep)
                options.onStep(step, i, pending.size(), connectionId);
            if (!RunStep(work, step)) {
                result = Result::Failed;
                break;
            }
            if (result == Result::UpToDate)
                result = Result::Done;
        }
        lock.rollback();
    }
    return result;
}

} // namespace SchemaUpgrade
