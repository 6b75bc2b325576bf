// The database manager's schemas: creating a new pair, and bringing an existing one up to date
// when the program connects to it.

#include "dbmanager.h"

#include "appsettings.h"
#include "debuglog.h"
#include "schemaupgrade.h"
#include "sqlutil.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>

#include <algorithm>

bool CDBManager::CreateSchema(Kind kind, const QString &schemaName)
{
    QString script;
    QFile file(ScriptResource(kind));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        script = QTextStream(&file).readAll();
    if (script.isEmpty()) {
        qCWarning(lcQuillbox) << "Creation script missing:" << ScriptResource(kind);
        return false;
    }
    script.replace(kind == Kind::Inventory ? QStringLiteral("QuillboxInventory")
                                           : QStringLiteral("quillboxsales"),
                   schemaName, Qt::CaseSensitive);

    QSqlDatabase &server = GetMySqlDataBase();
    if (!m_serverConnected)
        return false;

    // The script drops and re-creates every table: never let it near a schema that exists.
    SqlQuery exists(server);
    exists.prepare(QStringLiteral(
        "SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = :name"));
    exists.bindValue(QStringLiteral(":name"), schemaName);
    if (!exists.exec() || !exists.next()) {
        LogSqlError(exists.lastError());
        return false;
    }
    if (exists.value(0).toInt() != 0) {
        qCWarning(lcQuillbox) << "Refusing to create a schema that already exists:" << schemaName;
        return false;
    }
    exists.finish();

    // A new schema receives every step at once: nobody sells on it yet, and it must end up
    // exactly like an old one that was upgraded.
    if (RunSqlScript(server, script)) {
        SchemaUpgrade::Connection target = SchemaUpgrade::Connection::Of(server);
        target.schema = schemaName;
        SchemaUpgrade::Runner runner(target, SchemaUpgrade::BuiltInSteps(kind),
                                     SchemaUpgrade::ProgramVersion());
        SchemaUpgrade::Runner::Options everything;
        everything.allowBlocking = true;
        if (runner.Run(everything) == SchemaUpgrade::Result::Done)
            return true;
    }
    // The schema did not exist before, so whatever part of it the script made is ours to remove.
    SqlQuery cleanUp(server);
    if (!cleanUp.exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`")
                          .arg(QString(schemaName).replace(QLatin1Char('`'), QLatin1String("``")))))
        LogSqlError(cleanUp.lastError());
    return false;
}

namespace {
// A new schema named by its kind and the time, made the active one of its kind.
bool CreateStamped(CDBManager &manager, CDBManager::Kind kind)
{
    const QString name = CDBManager::SchemaPrefix(kind)
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
    if (!manager.CreateSchema(kind, name))
        return false;
    AppSettings::Instance().Settings()->setValue(kind == CDBManager::Kind::Inventory
                                                     ? QStringLiteral("ACTIVE_INVENTORY_DB")
                                                     : QStringLiteral("ACTIVE_SALES_DB"),
                                                 name);
    return true;
}
} // namespace

bool CDBManager::CreateInventoryDataBase()
{
    return CreateStamped(*this, Kind::Inventory);
}

bool CDBManager::CreateSalesDB()
{
    return CreateStamped(*this, Kind::Sales);
}

bool CDBManager::UpgradeOnConnect(Kind kind, const QSqlDatabase &db)
{
    const int slot = kind == Kind::Inventory ? 0 : 1;
    if (m_upgrade[slot])
        return true; // already under way from an earlier connection
    const SchemaUpgrade::Connection target = SchemaUpgrade::Connection::Of(db);
    const QVector<SchemaUpgrade::Step> steps = SchemaUpgrade::BuiltInSteps(kind);
    SchemaUpgrade::Runner probe(target, steps, SchemaUpgrade::ProgramVersion());
    const SchemaUpgrade::Status status = probe.Inspect();
    if (!status.readable) {
        // Not ours to decide: a till without the right to read the record sells as before.
        return true;
    }
    if (!status.unknown.isEmpty()) {
        QMessageBox::information(
            m_mainWindow, QCoreApplication::translate("CDBManager", "Database"),
            QCoreApplication::translate("CDBManager",
                                        "The database '%1' was brought up to date by a newer "
                                        "release of Quillbox. Please install that release on "
                                        "this computer.")
                .arg(target.schema),
            QMessageBox::Ok);
        return false;
    }
    const bool onlinePending = std::any_of(
        status.pending.cbegin(), status.pending.cend(), [&status](const SchemaUpgrade::Step &step) {
            return !step.IsBlocking()
                   || std::none_of(status.blockingPending.cbegin(), status.blockingPending.cend(),
                                   [&step](const SchemaUpgrade::Step &held) {
                                       return held.number == step.number;
                                   });
        });
    if (!onlinePending)
        return true;

    QThread *thread = QThread::create([this, kind, target, steps]() {
        SchemaUpgrade::Runner runner(target, steps, SchemaUpgrade::ProgramVersion());
        const SchemaUpgrade::Result result = runner.Run(SchemaUpgrade::Runner::Options());
        const bool failed = result == SchemaUpgrade::Result::Failed;
        const QString error = runner.Error();
        QMetaObject::invokeMethod(this, [this, kind, failed, error]() {
            emit UpgradeFinished(kind, failed, error);
        }, Qt::QueuedConnection);
    });
    m_upgrade[slot] = thread;
    connect(thread, &QThread::finished, this, [this, slot, thread]() {
        if (m_upgrade[slot] == thread)
            m_upgrade[slot] = nullptr;
        thread->wait();
        delete thread;
    });
    thread->start();
    return true;
}

bool CDBManager::IsUpgrading(Kind kind) const
{
    return m_upgrade[kind == Kind::Inventory ? 0 : 1] != nullptr;
}

void CDBManager::WaitForUpgrades()
{
    for (QThread *thread : m_upgrade) {
        if (thread)
            thread->wait();
    }
    // The threads' results and their clean-up were queued for this object: deliver them now.
    QCoreApplication::sendPostedEvents(this);
}
