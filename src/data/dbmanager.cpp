#include "dbmanager.h"

#include "appsettings.h"
#include "debuglog.h"
#include "progress.h"
#include "schemaupgrade.h"
#include "sqlutil.h"

#include <QCoreApplication>
#include <algorithm>
#include <QDateTime>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>
#include <QtDebug>

namespace {
CDBManager *g_instance = nullptr;

const QString kInventoryConnection = QStringLiteral("INVENTORY_DB");
const QString kSalesConnection = QStringLiteral("SALES_DB");
const QString kServerConnection = QStringLiteral("MYSQL_SERVER");
const QString kTestConnection = QStringLiteral("TEST");
const QString kProbeConnection = QStringLiteral("NODE_PROBE");

// An unreachable server must not freeze the till for minutes; with other servers to move to,
// a dead one must not hold it longer than the move may take.
const QString kConnectOptions = QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=5");
const QString kClusterConnectOptions = QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=2");

bool IsAlive(QSqlDatabase &db)
{
    if (!db.isOpen())
        return false;
    SqlQuery ping(db);
    return ping.exec(QStringLiteral("DO 1"));
}

void ShowCannotConnect(QWidget *parent, const QString &schema)
{
    QMessageBox::information(parent, QCoreApplication::translate("CDBManager", "Error"),
                             QCoreApplication::translate("CDBManager", "Can not connect to '%1'").arg(schema)
                                 + QStringLiteral(" Please make sure MySql server is running. "
                                                  "Select a valid database for this version, or "
                                                  "create a new."),
                             QMessageBox::Ok);
}

void ProcessEvents(int times)
{
    for (int i = 0; i < times; ++i)
        QCoreApplication::processEvents();
}
} // namespace

namespace {
thread_local QSqlError t_lastLogged;
}

QSqlError LastLoggedSqlError()
{
    return t_lastLogged;
}

void ClearLoggedSqlError()
{
    t_lastLogged = QSqlError();
}

void LogSqlError(const QSqlError &error)
{
    t_lastLogged = error;
    qCDebug(lcQuillbox).noquote() << error.databaseText() + QStringLiteral("    ") + error.driverText();
}

namespace {
bool IsLinkLost(int code)
{
    return code == MariaDbError::CannotConnect || code == MariaDbError::CannotConnectSocket
           || code == MariaDbError::ServerGone || code == MariaDbError::ServerLost
           || code == MariaDbError::NodeNotReady;
}
} // namespace

// The driver may settle for 3-byte UTF-8, which refuses emoji and other 4-byte characters that
// the utf8mb4 schemas can hold; ask for the full set on every link once it is open. On a
// cluster node, reads wait until the node has applied what other nodes committed before them,
// so a till that moved, or a screen after another till's sale, never reads an older state.
bool CDBManager::PrepareLink(QSqlDatabase &db)
{
    SqlQuery query(db);
    if (!query.exec(QStringLiteral("SET NAMES utf8mb4"))
        || (m_cluster && !query.exec(QStringLiteral("SET SESSION wsrep_sync_wait = 1")))) {
        LogSqlError(query.lastError());
        return false;
    }
    return true;
}

QString CDBManager::NodeHost() const
{
    return m_servers.isEmpty() ? m_hostName : m_servers.at(m_node).host;
}

int CDBManager::NodePort() const
{
    return m_servers.isEmpty() ? m_port : m_servers.at(m_node).port;
}

QString CDBManager::CurrentServer() const
{
    return m_nodePicked && !m_servers.isEmpty() ? m_servers.at(m_node).Text() : QString();
}

QString CDBManager::ConnectOptions() const
{
    return m_servers.size() > 1 ? kClusterConnectOptions : kConnectOptions;
}

void CDBManager::PointAtNode(QSqlDatabase &db) const
{
    db.setUserName(m_userName);
    db.setPassword(m_password);
    db.setHostName(NodeHost());
    db.setPort(NodePort());
    db.setConnectOptions(ConnectOptions());
}

bool CDBManager::PickNode(int skip)
{
    const bool wasPicked = m_nodePicked;
    const int count = m_servers.size();
    // One server is used as it is: a single-server shop pays for no extra connection.
    if (count <= 1) {
        m_nodePicked = true;
        if (!wasPicked && count == 1)
            emit ServerChanged(CurrentServer());
        return count == 1;
    }
    for (int step = 0; step < count; ++step) {
        const int index = (m_node + step) % count;
        if (index == skip)
            continue;
        bool ready = false;
        bool cluster = false;
        {
            QSqlDatabase probe = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), kProbeConnection);
            probe.setUserName(m_userName);
            probe.setPassword(m_password);
            probe.setHostName(m_servers.at(index).host);
            probe.setPort(m_servers.at(index).port);
            probe.setConnectOptions(kClusterConnectOptions);
            if (probe.open())
                ready = ServerList::IsReady(probe, &cluster);
            else
                LogSqlError(probe.lastError());
            probe.close();
        }
        QSqlDatabase::removeDatabase(kProbeConnection);
        if (!ready)
            continue;
        const bool moved = index != m_node;
        m_node = index;
        m_nodePicked = true;
        m_cluster = cluster;
        if (moved || !wasPicked)
            emit ServerChanged(CurrentServer());
        return true;
    }
    return false;
}

bool CDBManager::Reconnect(QSqlDatabase &db)
{
    db.close();
    return ReopenLink(db);
}

bool CDBManager::ReopenLink(QSqlDatabase &db)
{
    if (m_servers.size() <= 1)
        return db.open() && PrepareLink(db);
    const bool onNode = db.hostName() == NodeHost() && db.port() == NodePort();
    if (onNode && db.open() && PrepareLink(db) && ServerList::IsReady(db))
        return true;
    if (onNode && !PickNode(m_node))
        return false;
    // Another link may have moved already; this one follows it to the same server.
    db.close();
    PointAtNode(db);
    if (!(db.open() && PrepareLink(db)))
        return false;
    // Database administration must reach the server the schemas are on.
    DropServerDatabase();
    return true;
}

CDBManager &CDBManager::Instance()
{
    if (!g_instance)
        g_instance = new CDBManager;
    return *g_instance;
}

void CDBManager::Reset()
{
    delete g_instance;
    g_instance = nullptr;
}

CDBManager::CDBManager() = default;

CDBManager::~CDBManager()
{
    WaitForUpgrades();
    Drop(Kind::Inventory, true);
    Drop(Kind::Sales, true);
    DropServerDatabase();
}

void CDBManager::SetServerParameters(const QString &userName, const QString &password, int port,
                                     const QString &hostName)
{
    const bool changed = userName != m_userName || password != m_password || port != m_port
                         || hostName != m_hostName;
    m_userName = userName;
    m_password = password;
    m_port = port;
    m_hostName = hostName;
    const QVector<ServerAddress> servers = ServerList::Ordered(
        hostName, port,
        AppSettings::Instance().Text(Setting::DbServers));
    const bool listChanged = servers != m_servers;
    if (listChanged) {
        m_servers = servers;
        m_node = 0;
        m_nodePicked = false;
        m_cluster = false;
    }
    // Database creation must never run on the server the user has just moved away from.
    // The schema connections stay as they are until logout.
    if (changed || listChanged)
        DropServerDatabase();
}

QString CDBManager::ScriptResource(Kind kind)
{
    return kind == Kind::Inventory
               ? QStringLiteral(":/resources/docs/pro_mysql_inventory_db_script.sql")
               : QStringLiteral(":/resources/docs/pro_mysql_sales_db_script.sql");
}

QString CDBManager::SchemaPrefix(Kind kind)
{
    return kind == Kind::Inventory ? QStringLiteral("quillboxinventory")
                                   : QStringLiteral("quillboxsales");
}

QSqlDatabase &CDBManager::GetInventoryDataBase()
{
    return GetSchemaDataBase(Kind::Inventory);
}

QSqlDatabase &CDBManager::GetSalesDataBase()
{
    return GetSchemaDataBase(Kind::Sales);
}

QSqlDatabase &CDBManager::GetSchemaDataBase(Kind kind)
{
    const bool inventory = kind == Kind::Inventory;
    QSqlDatabase *&db = inventory ? m_inventoryDb : m_salesDb;
    bool &connected = inventory ? m_inventoryConnected : m_salesConnected;

    bool &lost = inventory ? m_inventoryLost : m_salesLost;
    if (lost && db) {
        // Reported when it went away; a till picks the server up again without a restart.
        if (ReopenLink(*db)) {
            lost = false;
            connected = true;
            emit ConnectionStateChanged(m_inventoryConnected, m_salesConnected);
        }
        return *db;
    }
    if (connected) {
        // A link the server dropped is re-opened. A healthy link is never re-opened: that would
        // close it under the statements and models that other screens hold on it.
        if (!IsAlive(*db) && !ReopenLink(*db)) {
            // With several servers, a link no server takes is lost, whatever the last one said.
            if (IsLinkLost(NativeErrorCode(db->lastError())) || m_servers.size() > 1) {
                LogSqlError(db->lastError());
                connected = false;
                lost = true;
                emit ConnectionStateChanged(m_inventoryConnected, m_salesConnected);
                ShowCannotConnect(m_mainWindow, db->databaseName());
                return *db;
            }
            db->close();
            delete db;
            db = nullptr;
            connected = false;
        }
    }
    // A connection that failed its checks is handed back as it is until somebody drops it,
    // so the failure is reported once and not once per query.
    if (db)
        return *db;

    db = new QSqlDatabase(
        QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"),
                                  inventory ? kInventoryConnection : kSalesConnection));
    QString schema = AppSettings::Instance().Text(inventory ? Setting::ActiveInventoryDb
                                                            : Setting::ActiveSalesDb);
    if (schema.isEmpty())
        schema = inventory ? QStringLiteral("No Active Inventory Database")
                           : QStringLiteral("No Active Sales Database");
    if (!m_nodePicked)
        PickNode(-1);
    db->setDatabaseName(schema);
    PointAtNode(*db);

    // The check and its message let events through, and with them a logout or a database
    // switch that drops this very handle: never touch it again once it is gone.
    const QSqlDatabase *const handle = db;
    const auto dropped = [&db, handle]() { return db != handle; };
    const bool matches = CheckDatabaseVersion(schema,
                                              QString::fromLatin1(inventory ? InventoryTag : SalesTag));
    if (!matches && !dropped()) {
        ShowCannotConnect(m_mainWindow, schema);
    }
    if (dropped()) {
        emit ConnectionStateChanged(m_inventoryConnected, m_salesConnected);
        return db ? *db : m_unusable;
    }
    if (!matches) {
        connected = false;
        emit ConnectionStateChanged(m_inventoryConnected, m_salesConnected);
        return *db;
    }

    connected = db->open() && PrepareLink(*db);
    if (!connected)
        LogSqlError(db->lastError());
    else if (!UpgradeOnConnect(kind, *db)) {
        db->close();
        connected = false;
    }
    emit ConnectionStateChanged(m_inventoryConnected, m_salesConnected);
    return *db;
}

bool CDBManager::CheckDatabaseVersion(const QString &schemaName, const QString &expectedTag)
{
    bool matches = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), kTestConnection);
        PointAtNode(db);
        db.setDatabaseName(schemaName);

        Progress progress(m_mainWindow, QStringLiteral("Connecting to database..."));
        progress.show();
        ProcessEvents(3);
        const bool opened = db.open();
        ProcessEvents(2);
        progress.close();

        // An empty name would open the server without a schema; it can never be a database.
        if (opened && !schemaName.isEmpty()) {
            SqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT DB_VERSION FROM tblQuillbox")) && query.next())
                matches = query.value(0).toString() == expectedTag;
            else
                LogSqlError(query.lastError());
        } else if (!opened) {
            LogSqlError(db.lastError());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(kTestConnection);
    return matches;
}

QSqlDatabase &CDBManager::GetMySqlDataBase()
{
    if (m_serverConnected && IsAlive(*m_serverDb))
        return *m_serverDb;
    DropServerDatabase();

    if (!m_nodePicked)
        PickNode(-1);
    m_serverDb = new QSqlDatabase(QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"),
                                                            kServerConnection));
    // The driver allows multi-statement batches, which the creation scripts rely on.
    PointAtNode(*m_serverDb);
    if (m_userName.isEmpty() || m_password.isEmpty() || m_hostName.isEmpty() || m_port == 0)
        m_serverDb->setDatabaseName(QStringLiteral("NO LOGIN CREDENTIALS SET"));

    m_serverConnected = m_serverDb->open() && PrepareLink(*m_serverDb);
    if (!m_serverConnected)
        LogSqlError(m_serverDb->lastError());
    return *m_serverDb;
}

void CDBManager::DropInventoryDatabase(bool removeName)
{
    Drop(Kind::Inventory, removeName);
}

void CDBManager::DropSalesDatabase(bool removeName)
{
    Drop(Kind::Sales, removeName);
}

void CDBManager::Drop(Kind kind, bool removeName)
{
    const bool inventory = kind == Kind::Inventory;
    QSqlDatabase *&db = inventory ? m_inventoryDb : m_salesDb;
    if (db) {
        db->close();
        delete db;
        db = nullptr;
    }
    (inventory ? m_inventoryConnected : m_salesConnected) = false;
    (inventory ? m_inventoryLost : m_salesLost) = false;
    if (removeName)
        QSqlDatabase::removeDatabase(inventory ? kInventoryConnection : kSalesConnection);
}

void CDBManager::DropServerDatabase()
{
    if (m_serverDb) {
        m_serverDb->close();
        delete m_serverDb;
        m_serverDb = nullptr;
        QSqlDatabase::removeDatabase(kServerConnection);
    }
    m_serverConnected = false;
}
