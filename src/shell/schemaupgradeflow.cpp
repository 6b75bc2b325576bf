#include "schemaupgradeflow.h"
#include "sqlutil.h"

#include "appsettings.h"
#include "databasedump.h"
#include "debuglog.h"
#include "progress.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSettings>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace SchemaUpgradeFlow {

namespace {
// Rows a table copy moves per second on a modest shop server (measured by bench_upgrades).
constexpr qint64 kRowsPerSecond = 40000;

QString KindName(CDBManager::Kind kind)
{
    return kind == CDBManager::Kind::Inventory ? QCoreApplication::translate("SchemaUpgradeFlow", "inventory database") : QCoreApplication::translate("SchemaUpgradeFlow", "sales database");
}

SchemaUpgrade::Connection Target(const QString &schema)
{
    const CDBManager &manager = CDBManager::Instance();
    return {manager.HostName(), manager.Port(), manager.UserName(), manager.Password(), schema};
}

bool WriteBackup(QString *where, QString *why)
{
    const QString folder = BackupFolder();
    if (!QDir().mkpath(folder)) {
        *why = QCoreApplication::translate("SchemaUpgradeFlow", "The folder %1 cannot be created.").arg(folder);
        return false;
    }
    const QString tool = DatabaseDump::DefaultTool();
    if (tool.isEmpty()) {
        *why = QCoreApplication::translate("SchemaUpgradeFlow", "The server's dump tool was not found.");
        return false;
    }
    const CDBManager &manager = CDBManager::Instance();
    const DatabaseDump::Account account{manager.HostName(), manager.Port(), manager.UserName(),
                                        manager.Password()};
    QVector<DatabaseDump::Job> jobs;
    const QDateTime now = QDateTime::currentDateTime();
    const struct
    {
        const char *key;
        const char *file;
    } kinds[] = {{"ACTIVE_INVENTORY_DB", "quillbox_inventory.sql"},
                 {"ACTIVE_SALES_DB", "quillbox_sales.sql"}};
    for (const auto &kind : kinds) {
        DatabaseDump::Job job;
        job.schema = AppSettings::Instance().Value(QLatin1String(kind.key)).toString();
        if (job.schema.isEmpty())
            continue;
        job.outputPath = folder + QLatin1Char('/')
                         + DatabaseDump::StampedFileName(now, QLatin1String(kind.file));
        jobs.append(job);
    }
    if (DatabaseDump::Run(tool, account, jobs)) {
        *where = folder;
        return true;
    }
    for (const DatabaseDump::Job &job : jobs) {
        if (!job.ok)
            *why = job.message;
    }
    return false;
}

struct RunState
{
    std::atomic<qint64> connectionId{0};
    std::atomic<int> index{0};
    std::atomic<int> count{1};
    SchemaUpgrade::Result result = SchemaUpgrade::Result::UpToDate;
    int failedStep = 0;
    QString error;
};

// Runs the steps of one schema on a thread while the window shows how far the copy is.
bool RunWithProgress(QWidget *parent, const Pending &pending, QString *error)
{
    QProgressDialog progress(parent);
    progress.setObjectName(QStringLiteral("progressUpgrade"));
    progress.setWindowTitle(QCoreApplication::translate("SchemaUpgradeFlow", "Database Upgrade"));
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(0);
    progress.setRange(0, 100);
    progress.setValue(0);
    progress.setLabelText(QCoreApplication::translate("SchemaUpgradeFlow", "Bringing the %1 up to date...").arg(KindName(pending.kind)));
    // Not modal: the loop below takes no user input, and nothing else may be asked meanwhile.
    progress.setWindowModality(Qt::NonModal);
    progress.show();

    RunState state;
    const SchemaUpgrade::Connection target = Target(pending.schema);
    QThread *thread = QThread::create([&state, target, kind = pending.kind]() {
        SchemaUpgrade::Runner runner(target, SchemaUpgrade::BuiltInSteps(kind),
                                     SchemaUpgrade::ProgramVersion());
        SchemaUpgrade::Runner::Options options;
        options.allowBlocking = true;
        options.lockWaitSeconds = 120;
        options.onStep = [&state](const SchemaUpgrade::Step &, int index, int count, qint64 id) {
            state.count = count;
            state.index = index;
            state.connectionId = id;
        };
        state.result = runner.Run(options);
        state.failedStep = runner.FailedStep();
        state.error = runner.Error();
    });

    // The server tells how far a table copy has got; ask it on a connection of the GUI thread.
    QSqlDatabase watcher = QSqlDatabase::database(QStringLiteral("MYSQL_SERVER"), false);
    QTimer poll;
    poll.setInterval(300);
    QObject::connect(&poll, &QTimer::timeout, &progress, [&]() {
        double within = 0;
        if (watcher.isOpen() && state.connectionId > 0) {
            SqlQuery query(watcher);
            query.prepare(QStringLiteral(
                "SELECT PROGRESS FROM information_schema.PROCESSLIST WHERE ID = :id"));
            query.bindValue(QStringLiteral(":id"), state.connectionId.load());
            if (query.exec() && query.next())
                within = query.value(0).toDouble() / 100.0;
        }
        const int count = std::max(1, state.count.load());
        progress.setValue(int(100.0 * (state.index + within) / count));
        progress.setLabelText(QCoreApplication::translate("SchemaUpgradeFlow", "Bringing the %1 up to date: step %2 of %3...")
                                  .arg(KindName(pending.kind))
                                  .arg(state.index + 1)
                                  .arg(count));
    });
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    CDBManager::Instance().GetMySqlDataBase();
    watcher = QSqlDatabase::database(QStringLiteral("MYSQL_SERVER"), false);
    thread->start();
    poll.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    poll.stop();
    thread->wait();
    delete thread;
    progress.setValue(100);
    progress.close();

    if (state.result == SchemaUpgrade::Result::Failed || state.result == SchemaUpgrade::Result::Busy
        || state.result == SchemaUpgrade::Result::TooNew) {
        *error = state.result == SchemaUpgrade::Result::Failed
                     ? QCoreApplication::translate("SchemaUpgradeFlow", "Step %1 of the %2 failed: %3")
                           .arg(state.failedStep, 3, 10, QLatin1Char('0'))
                           .arg(KindName(pending.kind), state.error)
                     : QCoreApplication::translate("SchemaUpgradeFlow", "Another computer is bringing the %1 up to date; try again later.")
                           .arg(KindName(pending.kind));
        return false;
    }
    return true;
}
} // namespace

QVector<Pending> FindBlocking()
{
    QVector<Pending> found;
    const struct
    {
        CDBManager::Kind kind;
        const char *key;
    } kinds[] = {{CDBManager::Kind::Inventory, "ACTIVE_INVENTORY_DB"},
                 {CDBManager::Kind::Sales, "ACTIVE_SALES_DB"}};
    for (const auto &kind : kinds) {
        const QString schema =
            AppSettings::Instance().Value(QLatin1String(kind.key)).toString();
        if (schema.isEmpty())
            continue;
        SchemaUpgrade::Runner runner(Target(schema), SchemaUpgrade::BuiltInSteps(kind.kind),
                                     SchemaUpgrade::ProgramVersion());
        const SchemaUpgrade::Status status = runner.Inspect();
        if (status.readable && status.unknown.isEmpty() && !status.blockingPending.isEmpty())
            found.append({kind.kind, schema, status});
    }
    return found;
}

QString EstimatedTime(qint64 rows)
{
    const qint64 seconds = rows / kRowsPerSecond;
    if (seconds < 60)
        return QCoreApplication::translate("SchemaUpgradeFlow", "less than a minute");
    const qint64 minutes = (seconds + 59) / 60;
    return QCoreApplication::translate("SchemaUpgradeFlow", "about %n minute(s)", nullptr,
                                       int(minutes));
}

QString BackupFolder()
{
    return QFileInfo(DebugLog::FilePath()).absolutePath() + QStringLiteral("/backups");
}

Outcome Offer(QWidget *parent)
{
    // An online run still under way would only make the blocking one wait for its lock.
    CDBManager::Instance().WaitForUpgrades();
    const QVector<Pending> pending = FindBlocking();
    if (pending.isEmpty())
        return Outcome::NothingPending;

    qint64 rows = 0;
    QStringList tables;
    for (const Pending &schema : pending) {
        for (const SchemaUpgrade::CopiedTable &table : schema.status.copies) {
            tables << QCoreApplication::translate("SchemaUpgradeFlow", "%1 in the %2 (%3 rows)")
                          .arg(table.name, KindName(schema.kind),
                               QLocale::c().toString(table.rows));
            rows += table.rows;
        }
    }
    const QString question =
        QCoreApplication::translate("SchemaUpgradeFlow", "This release stores any text, emoji included, and needs these tables copied to do "
           "so:\n\n%1\n\nWhile they are copied, roughly %2, the tills cannot sell. A backup of "
           "both databases is written first.\n\nBring the databases up to date now?")
            .arg(tables.join(QLatin1Char('\n')), EstimatedTime(rows));
    if (QMessageBox::question(parent, QCoreApplication::translate("SchemaUpgradeFlow", "Database Upgrade"), question,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes) {
        qCInfo(lcQuillbox) << "Blocking upgrade steps postponed by the manager";
        return Outcome::Declined;
    }

    QString where;
    QString why;
    {
        Progress busy(parent, QCoreApplication::translate("SchemaUpgradeFlow", "Writing a backup..."));
        busy.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const bool backedUp = WriteBackup(&where, &why);
        busy.close();
        if (!backedUp) {
            QMessageBox::critical(parent, QCoreApplication::translate("SchemaUpgradeFlow", "Database Upgrade"),
                                  QCoreApplication::translate("SchemaUpgradeFlow", "The backup failed, so nothing was changed.\n\n%1").arg(why));
            return Outcome::BackupFailed;
        }
    }

    for (const Pending &schema : pending) {
        QString error;
        if (!RunWithProgress(parent, schema, &error)) {
            QMessageBox::critical(parent, QCoreApplication::translate("SchemaUpgradeFlow", "Database Upgrade"),
                                  QCoreApplication::translate("SchemaUpgradeFlow", "%1\n\nThe steps done before are recorded; the database can "
                                     "be used as it is. The backup is in %2.")
                                      .arg(error, where));
            return Outcome::Failed;
        }
    }
    QMessageBox::information(parent, QCoreApplication::translate("SchemaUpgradeFlow", "Database Upgrade"),
                             QCoreApplication::translate("SchemaUpgradeFlow", "The databases are up to date. The backup is in %1.").arg(where));
    return Outcome::Done;
}

} // namespace SchemaUpgradeFlow
