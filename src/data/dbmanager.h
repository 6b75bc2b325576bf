#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include "serverlist.h"

class QSqlError;
class QThread;
class QWidget;

// Owns every database connection of the program. Screens ask it for the inventory or the
// sales connection; it connects lazily, checks the schema's version tag before trusting it,
// and reports the state of both connections through ConnectionStateChanged.
class CDBManager final : public QObject
{
    Q_OBJECT
public:
    // Opens a link again after it was lost, prepared as every link is (full UTF-8, and on a
    // cluster reads that wait for other nodes), on the next ready server when its own is gone.
    bool Reconnect(QSqlDatabase &db);

    enum class Kind { Inventory, Sales };

    static CDBManager &Instance();
    // Closes every connection and destroys the instance; used at exit and by tests.
    static void Reset();

    // New parameters close the server connection, so the next request reaches the new
    // server; the schema connections keep theirs until they are dropped (logout). The given
    // server heads the list of servers; the others come from "DB_SERVERS".
    void SetServerParameters(const QString &userName, const QString &password, int port,
                             const QString &hostName);
    // Every server the till may use, in the order it tries them, and the one it uses now
    // ("host:port"; empty before the first connection).
    QVector<ServerAddress> Servers() const { return m_servers; }
    QString CurrentServer() const;
    QString UserName() const { return m_userName; }
    QString Password() const { return m_password; }
    int Port() const { return m_port; }
    QString HostName() const { return m_hostName; }

    // Parent of the manager's message boxes and progress dialogs (the main window).
    void SetMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }
    QWidget *MainWindow() const { return m_mainWindow; }

    QSqlDatabase &GetInventoryDataBase();
    QSqlDatabase &GetSalesDataBase();
    QSqlDatabase &GetMySqlDataBase();

    bool IsInventoryConnected() const { return m_inventoryConnected; }
    bool IsSalesConnected() const { return m_salesConnected; }
    bool IsServerConnected() const { return m_serverConnected; }

    // True when the schema opens with the current parameters and its tblQuillbox tag is exactly
    // the expected one.
    bool CheckDatabaseVersion(const QString &schemaName, const QString &expectedTag);

    // Create a new time-stamped schema from the built-in script and make it the active one.
    // False (with the active name unchanged) when the server refuses or the name is taken.
    bool CreateInventoryDataBase();
    bool CreateSalesDB();
    // Runs the built-in script of a kind under the given schema name; never touches a schema
    // that already exists.
    bool CreateSchema(Kind kind, const QString &schemaName);

    // Schema upgrades: a connection that passes its checks first gets the online steps its
    // schema lacks, on a thread of their own so the till can sell meanwhile; a schema that
    // records steps of a newer release is refused. Blocking steps wait for a manager
    // (SchemaUpgradeFlow). Tests wait for the background work here.
    void WaitForUpgrades();
    bool IsUpgrading(Kind kind) const;

    // Close and forget a connection; removeName also removes it from Qt's connection list.
    void DropInventoryDatabase(bool removeName = false);
    void DropSalesDatabase(bool removeName = false);
    void DropServerDatabase();

    static constexpr const char *InventoryTag = "INVENTORY_7.0.0";
    static constexpr const char *SalesTag = "SALES_7.0.0";
    static QString ScriptResource(Kind kind);
    static QString SchemaPrefix(Kind kind);

signals:
    void ConnectionStateChanged(bool inventoryConnected, bool salesConnected);
    // The links now go to another server of the list ("host:port").
    void ServerChanged(const QString &address);
    // An online upgrade run ended; failed carries the server's text.
    void UpgradeFinished(CDBManager::Kind kind, bool failed, const QString &error);

private:
    CDBManager();
    ~CDBManager() override;

    QSqlDatabase &GetSchemaDataBase(Kind kind);
    void Drop(Kind kind, bool removeName);
    // Host and port of the server in use, and the options every link is opened with.
    QString NodeHost() const;
    int NodePort() const;
    QString ConnectOptions() const;
    void PointAtNode(QSqlDatabase &db) const;
    // Makes the first ready server of the list, from the one in use on and never the one at
    // skip, the one in use. False when none is ready.
    bool PickNode(int skip);
    // Opens a link again, on its own server if that is still ready, else on the next ready one.
    bool ReopenLink(QSqlDatabase &db);
    bool PrepareLink(QSqlDatabase &db);
    // False when the schema must not be used by this program (a newer release upgraded it).
    bool UpgradeOnConnect(Kind kind, const QSqlDatabase &db);

    QSqlDatabase *m_inventoryDb = nullptr;
    QSqlDatabase *m_salesDb = nullptr;
    QSqlDatabase *m_serverDb = nullptr;
    QString m_userName;
    QString m_password;
    int m_port = 0;
    QString m_hostName;
    QVector<ServerAddress> m_servers;
    int m_node = 0;
    bool m_nodePicked = false;
    bool m_cluster = false;
    QWidget *m_mainWindow = nullptr;
    bool m_inventoryConnected = false;
    bool m_salesConnected = false;
    bool m_serverConnected = false;
    // The server went away under an open connection: it is re-opened quietly once it is back.
    bool m_inventoryLost = false;
    bool m_salesLost = false;
    // Handed out when a connection was dropped while it was being made; never opened.
    QSqlDatabase m_unusable;
    QThread *m_upgrade[2] = {nullptr, nullptr};
};

// Writes a failed statement's database text, four blanks and driver text to the debug log.
void LogSqlError(const QSqlError &error);
// The last error LogSqlError wrote on this thread (cleared by ClearLoggedSqlError): what a write
// kept in a function of its own failed on, for deciding whether to run it again.
QSqlError LastLoggedSqlError();
void ClearLoggedSqlError();
