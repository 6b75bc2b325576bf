#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "debuglog.h"
#include "sqlutil.h"

#include "serverlist.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
const char *kCannotConnect = " Please make sure MySql server is running.";

enum Link { Inventory, Sales, Server };

QSqlDatabase &Get(Link link)
{
    CDBManager &manager = CDBManager::Instance();
    switch (link) {
    case Inventory:
        return manager.GetInventoryDataBase();
    case Sales:
        return manager.GetSalesDataBase();
    default:
        return manager.GetMySqlDataBase();
    }
}

bool Connected(Link link)
{
    CDBManager &manager = CDBManager::Instance();
    return link == Inventory ? manager.IsInventoryConnected()
                             : link == Sales ? manager.IsSalesConnected()
                                             : manager.IsServerConnected();
}

// Ends the server side of a connection, as a restart or an idle timeout would.
bool KillLink(QSqlDatabase &db)
{
    QSqlQuery id(db);
    if (!id.exec("SELECT CONNECTION_ID()") || !id.next())
        return false;
    return FreshDatabases::ExecAdmin(QString(), "KILL " + id.value(0).toString());
}
// A loopback relay to the test server in a thread of its own, standing in for one server of a
// list: Kill() ends it and every link through it at once, as a node that dies.
class Relay : public QObject
{
public:
    Relay()
    {
        moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(this, [this] { Listen(); }, Qt::BlockingQueuedConnection);
    }
    ~Relay() override
    {
        Kill();
        m_thread.quit();
        m_thread.wait();
    }
    int Port() const { return m_port; }
    void Kill()
    {
        QMetaObject::invokeMethod(this, [this] {
            for (QTcpSocket *socket : findChildren<QTcpSocket *>())
                socket->abort();
            delete m_server;
            m_server = nullptr;
        }, Qt::BlockingQueuedConnection);
    }

private:
    void Listen()
    {
        m_server = new QTcpServer(this);
        m_server->listen(QHostAddress::LocalHost);
        m_port = m_server->serverPort();
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *client = m_server->nextPendingConnection()) {
                client->setParent(this);
                auto *upstream = new QTcpSocket(this);
                upstream->connectToHost(QuillboxTest::TestServer::Host(),
                                        quint16(QuillboxTest::TestServer::Port()));
                const auto pipe = [](QTcpSocket *from, QTcpSocket *to) {
                    connect(from, &QTcpSocket::readyRead, to, [from, to] { to->write(from->readAll()); });
                    connect(from, &QTcpSocket::disconnected, to, [to] { to->disconnectFromHost(); });
                };
                pipe(client, upstream);
                pipe(upstream, client);
            }
        });
    }
    QThread m_thread;
    QTcpServer *m_server = nullptr;
    int m_port = 0;
};

QString TestAddress(int port)
{
    return QuillboxTest::TestServer::Host() + ':' + QString::number(port);
}

// Points the manager at the first address, with the rest of the list in "DB_SERVERS".
void UseServers(int firstPort, const QString &more)
{
    QuillboxTest::TestServer::Apply();
    AppSettings::Instance().Settings()->setValue("DB_SERVERS", more);
    CDBManager::Instance().SetServerParameters(QuillboxTest::TestServer::User(),
                                               QuillboxTest::TestServer::Password(), firstPort,
                                               QuillboxTest::TestServer::Host());
}
} // namespace

Q_DECLARE_METATYPE(Link)

class TestDBManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void createdSchemasCarryTheirTags()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        CDBManager &manager = CDBManager::Instance();
        QVERIFY(manager.CheckDatabaseVersion(dbs.InventoryName(), "INVENTORY_7.0.0"));
        QVERIFY(manager.CheckDatabaseVersion(dbs.SalesName(), "SALES_7.0.0"));
        // Each kind offered as the other is refused.
        QVERIFY(!manager.CheckDatabaseVersion(dbs.SalesName(), "INVENTORY_7.0.0"));
        QVERIFY(!manager.CheckDatabaseVersion(dbs.InventoryName(), "SALES_7.0.0"));
        QVERIFY(!manager.CheckDatabaseVersion(QString(), "INVENTORY_7.0.0"));
        QVERIFY(!manager.CheckDatabaseVersion("no_such_schema_here", "INVENTORY_7.0.0"));
        // A near-miss tag is not the tag.
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(),
                                          "UPDATE tblQuillbox SET DB_VERSION = 'INVENTORY_7.0.1'"));
        QVERIFY(!manager.CheckDatabaseVersion(dbs.InventoryName(), "INVENTORY_7.0.0"));
    }

    void gettersConnectAndReportState()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        CDBManager &manager = CDBManager::Instance();
        QSignalSpy spy(&manager, &CDBManager::ConnectionStateChanged);
        QSqlDatabase &inventory = manager.GetInventoryDataBase();
        QVERIFY(inventory.isOpen());
        QVERIFY(manager.IsInventoryConnected());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(spy.at(0).at(1).toBool(), false);
        QSqlDatabase &sales = manager.GetSalesDataBase();
        QVERIFY(sales.isOpen());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(1).toBool(), true);
        // A second request hands back the same connection without another check.
        QCOMPARE(&manager.GetInventoryDataBase(), &inventory);
        QSqlQuery query(inventory);
        QVERIFY_SQL(query, exec("SELECT COUNT(*) FROM tblProducts"));
    }

    void askingAgainKeepsStatementsAliveAndHealsALostLink()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        CDBManager &manager = CDBManager::Instance();
        QSqlDatabase &inventory = manager.GetInventoryDataBase();
        QSqlQuery prepared(inventory);
        QVERIFY_SQL(prepared, prepare("INSERT INTO tblProductCategories (NAME) VALUES (:name)"));
        // Another screen asks for the database while this statement is held.
        manager.GetInventoryDataBase();
        prepared.bindValue(":name", "Tablets");
        QVERIFY_SQL(prepared, exec());

        // The server drops the link (restart, idle timeout): the next request reconnects.
        QSqlQuery id(inventory);
        QVERIFY_SQL(id, exec("SELECT CONNECTION_ID()"));
        QVERIFY(id.next());
        QVERIFY(FreshDatabases::ExecAdmin(QString(), "KILL " + id.value(0).toString()));
        QSqlDatabase &again = manager.GetInventoryDataBase();
        QVERIFY(manager.IsInventoryConnected());
        QSqlQuery count(again);
        QVERIFY_SQL(count, exec("SELECT COUNT(*) FROM tblProductCategories"));
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), 1);
    }

    void lostLinksAreNoticed_data()
    {
        QTest::addColumn<Link>("link");
        QTest::addColumn<bool>("schemaGone");
        QTest::newRow("inventory heals") << Inventory << false;
        QTest::newRow("sales heals") << Sales << false;
        QTest::newRow("server heals") << Server << false;
        QTest::newRow("inventory schema gone") << Inventory << true;
        QTest::newRow("sales schema gone") << Sales << true;
    }

    void lostLinksAreNoticed()
    {
        QFETCH(Link, link);
        QFETCH(bool, schemaGone);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        CDBManager &manager = CDBManager::Instance();
        manager.GetInventoryDataBase();
        QVERIFY(Get(link).isOpen());
        QVERIFY(Connected(link));
        QVERIFY(KillLink(Get(link)));
        DialogDriver driver;
        if (schemaGone) {
            QVERIFY(FreshDatabases::DropSchema(link == Sales ? dbs.SalesName() : dbs.InventoryName()));
            driver.Expect("Error", kCannotConnect);
        }
        QSignalSpy spy(&manager, &CDBManager::ConnectionStateChanged);
        QSqlDatabase &again = Get(link);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Connected(link), !schemaGone);
        QSqlQuery query(again);
        QCOMPARE(query.exec("SELECT 1"), !schemaGone);
        // The navigator hears of every change of state.
        if (schemaGone) {
            QVERIFY(!spy.isEmpty());
            QCOMPARE(spy.last().at(link == Sales ? 1 : 0).toBool(), false);
        }
    }

    void dropDuringTheCheckIsSafe_data()
    {
        QTest::addColumn<Link>("link");
        QTest::addColumn<bool>("duringFailureBox");
        QTest::newRow("inventory, while connecting") << Inventory << false;
        QTest::newRow("sales, while connecting") << Sales << false;
        QTest::newRow("inventory, while the failure is shown") << Inventory << true;
    }

    void dropDuringTheCheckIsSafe()
    {
        QFETCH(Link, link);
        QFETCH(bool, duringFailureBox);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        CDBManager &manager = CDBManager::Instance();
        const auto drop = [link]() {
            if (link == Sales)
                CDBManager::Instance().DropSalesDatabase(true);
            else
                CDBManager::Instance().DropInventoryDatabase(true);
        };
        DialogDriver driver;
        if (duringFailureBox) {
            AppSettings::Instance().Settings()->setValue("ACTIVE_INVENTORY_DB", "no_such_schema");
            driver.Expect("Error", kCannotConnect, [drop](QWidget *box) {
                drop();
                QuillboxTest::ClickButton(box, "OK");
            });
        } else {
            // Fires while the progress indicator lets events through.
            QTimer::singleShot(0, &manager, drop);
        }
        QSqlDatabase &interrupted = Get(link);
        QVERIFY_DIALOGS(driver);
        QVERIFY(!interrupted.isOpen());
        QVERIFY(!Connected(link));
        if (duringFailureBox)
            AppSettings::Instance().Settings()->setValue("ACTIVE_INVENTORY_DB", dbs.InventoryName());
        // The next request starts afresh.
        QVERIFY(Get(link).isOpen());
        QVERIFY(Connected(link));
    }

    void scriptsReportTheirFailingStatement_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("ok");
        QTest::newRow("all run") << "SET @a = 1; SET @b = 2; SELECT 1;" << true;
        QTest::newRow("first fails") << "SELECT * FROM no_such_table; SET @a = 1;" << false;
        QTest::newRow("middle fails") << "SET @a = 1; SELECT * FROM no_such_table; SET @b = 2;"
                                      << false;
        QTest::newRow("last fails") << "SET @a = 1; SET @b = 2; SELECT * FROM no_such_table;"
                                    << false;
        QTest::newRow("empty") << "" << false;
    }

    void scriptsReportTheirFailingStatement()
    {
        QFETCH(QString, script);
        QFETCH(bool, ok);
        QuillboxTest::TestServer::Apply();
        QSqlDatabase &server = CDBManager::Instance().GetMySqlDataBase();
        QVERIFY(server.isOpen());
        QCOMPARE(RunSqlScript(server, script), ok);
        // The connection stays usable for the next statement.
        QSqlQuery next(server);
        QVERIFY_SQL(next, exec("SELECT 1"));
    }

    void debugLogIsQuietUnlessAskedAndNeverShowsThePassword_data()
    {
        QTest::addColumn<QByteArray>("flag");
        QTest::addColumn<bool>("written");
        QTest::newRow("normal run") << QByteArray() << false;
        QTest::newRow("switched off") << QByteArray("0") << false;
        QTest::newRow("switched on") << QByteArray("1") << true;
    }

    void debugLogIsQuietUnlessAskedAndNeverShowsThePassword()
    {
        QFETCH(QByteArray, flag);
        QFETCH(bool, written);
        QFile::remove(DebugLog::FilePath());
        qputenv("QUILLBOX_DEBUG_LOG", flag);
        DebugLog::Install();
        const QString password = QStringLiteral("Wr0ngPassw0rd");
        CDBManager::Instance().SetServerParameters(QuillboxTest::TestServer::User(), password,
                                                   QuillboxTest::TestServer::Port(),
                                                   QuillboxTest::TestServer::Host());
        QVERIFY(!CDBManager::Instance().GetMySqlDataBase().isOpen());
        DebugLog::Uninstall();
        qunsetenv("QUILLBOX_DEBUG_LOG");

        QFile file(DebugLog::FilePath());
        const QString log = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                           : QString();
        QCOMPARE(log.contains(QLatin1String("Access denied")), written);
        QVERIFY(!log.contains(password));
    }

    void missingActiveSchemaWarnsOnceUntilDropped()
    {
        QuillboxTest::TestServer::Apply();
        CDBManager &manager = CDBManager::Instance();
        DialogDriver driver;
        driver.Expect("Error", "Can not connect to 'No Active Inventory Database'");
        QSignalSpy spy(&manager, &CDBManager::ConnectionStateChanged);
        QSqlDatabase &first = manager.GetInventoryDataBase();
        QVERIFY(!first.isOpen());
        QVERIFY(!manager.IsInventoryConnected());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(driver.Seen().size(), 1);
        // No second box on later requests.
        manager.GetInventoryDataBase();
        manager.GetInventoryDataBase();
        QTest::qWait(100);
        QCOMPARE(driver.Seen().size(), 1);
        // After a drop the next request tries, and warns, again.
        manager.DropInventoryDatabase();
        driver.Expect("Error", kCannotConnect);
        manager.GetInventoryDataBase();
        QVERIFY_DIALOGS(driver);
    }

    void salesSchemaIsNotAnInventory()
    {
        FreshDatabases dbs(FreshDatabases::Sales);
        QVERIFY(dbs.IsValid());
        AppSettings::Instance().Settings()->setValue("ACTIVE_INVENTORY_DB", dbs.SalesName());
        DialogDriver driver;
        driver.Expect("Error", QStringLiteral("Can not connect to '%1' Please make sure MySql server "
                                              "is running. Select a valid database for this "
                                              "version, or create a new.")
                                   .arg(dbs.SalesName()));
        CDBManager::Instance().GetInventoryDataBase();
        QVERIFY(!CDBManager::Instance().IsInventoryConnected());
        QVERIFY_DIALOGS(driver);
    }

    void serverConnectionNeedsEveryCredential()
    {
        CDBManager &manager = CDBManager::Instance();
        manager.SetServerParameters(QuillboxTest::TestServer::User(), QString(),
                                    QuillboxTest::TestServer::Port(),
                                    QuillboxTest::TestServer::Host());
        QSqlDatabase &server = manager.GetMySqlDataBase();
        QCOMPARE(server.databaseName(), QStringLiteral("NO LOGIN CREDENTIALS SET"));
        QVERIFY(!manager.IsServerConnected());
        QVERIFY(!manager.CreateInventoryDataBase());
        QVERIFY(AppSettings::Instance().Settings()->value("ACTIVE_INVENTORY_DB").toString().isEmpty());

        QuillboxTest::TestServer::Apply();
        QVERIFY(manager.GetMySqlDataBase().isOpen());
        QVERIFY(manager.IsServerConnected());
    }

    void creationsInDifferentSecondsMakeTwoSchemas()
    {
        QuillboxTest::TestServer::Apply();
        CDBManager &manager = CDBManager::Instance();
        QSettings *settings = AppSettings::Instance().Settings();
        QVERIFY(manager.CreateInventoryDataBase());
        const QString first = settings->value("ACTIVE_INVENTORY_DB").toString();
        QThread::msleep(1100);
        QVERIFY(manager.CreateInventoryDataBase());
        const QString second = settings->value("ACTIVE_INVENTORY_DB").toString();
        QVERIFY(FreshDatabases::DropSchema(first));
        QVERIFY(FreshDatabases::DropSchema(second));
        QVERIFY(first != second);
        QCOMPARE(first.size(), second.size());
        QVERIFY(first.startsWith("quillboxinventory"));
        QCOMPARE(first.size(), QStringLiteral("quillboxinventory").size() + 14);
        QCOMPARE(first.left(17), second.left(17));
    }

    void creationNeverTouchesAnExistingSchema()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(),
                                          "INSERT INTO tblProductCategories (NAME) VALUES ('Kept')"));
        QVERIFY(!CDBManager::Instance().CreateSchema(CDBManager::Kind::Inventory, dbs.InventoryName()));
        QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
        QVERIFY_SQL(query, exec("SELECT NAME FROM tblProductCategories"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("Kept"));
    }

    void firstSaleGetsIdTwoAndFirstLineIdThree()
    {
        FreshDatabases dbs(FreshDatabases::Sales);
        QSqlDatabase &sales = CDBManager::Instance().GetSalesDataBase();
        QSqlQuery query(sales);
        QVERIFY_SQL(query, exec("INSERT INTO tblSalesTransactions (USER_ID, TIME_STAMP, GRAND_TOTAL, "
                                "PAID, RETURN_AMOUNT) VALUES ('anna', NOW(), 1, 1, 0)"));
        QCOMPARE(query.lastInsertId().toInt(), 2);
        QVERIFY_SQL(query, exec("INSERT INTO tblSalesInvoice (TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, "
                                "QUANTITY, PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, "
                                "PURCHASE_SUB_TOTAL) VALUES (2, 0, 'Aspirin', 1, 1, 1, '0', 0, 1, 1)"));
        QCOMPARE(query.lastInsertId().toInt(), 3);
        // A line must belong to a sale.
        QVERIFY(!query.exec("INSERT INTO tblSalesInvoice (TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, "
                            "QUANTITY, PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, "
                            "PURCHASE_SUB_TOTAL) VALUES (99, 0, 'X', 1, 1, 1, '0', 0, 1, 1)"));
        QCOMPARE(NativeErrorCode(query.lastError()), MariaDbError::NoReferencedRow);
    }

    void uniqueKeysRefuseAtTheServer_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("login name")
            << "INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, ROLE) VALUES "
               "('A','B','anna','pw','ADMIN')"
            << "INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, ROLE) VALUES "
               "('C','D','anna','pw2','SALES PERSON')";
        QTest::newRow("category name") << "INSERT INTO tblProductCategories (NAME) VALUES ('Food')"
                                       << "INSERT INTO tblProductCategories (NAME) VALUES ('Food')";
        QTest::newRow("product code")
            << "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT) VALUES "
               "(1, 'P1', 'Aspirin', 1)"
            << "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT) VALUES "
               "(1, 'P1', 'Paracetamol', 1)";
        QTest::newRow("bar code")
            << "INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
               "PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, DISCOUNT) VALUES "
               "(1, 1, '400', 'B1', '2027-01-01', 1, 2, 3, 0, 0, 0)"
            << "INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
               "PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, DISCOUNT) VALUES "
               "(1, 1, '400', 'B2', '2027-01-01', 1, 2, 3, 0, 0, 0)";
    }

    void uniqueKeysRefuseAtTheServer()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
        QVERIFY_SQL(query, exec("INSERT INTO tblProductCategories (NAME) VALUES ('Seed')"));
        QVERIFY_SQL(query, exec("INSERT INTO tblVendors (NAME) VALUES ('Seed')"));
        QVERIFY_SQL(query, exec("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, "
                                "ITEMS_PER_UNIT) VALUES (1, 'SEED', 'Seed', 1)"));
        QVERIFY_SQL(query, exec(first));
        QVERIFY(!query.exec(second));
        QCOMPARE(NativeErrorCode(query.lastError()), MariaDbError::DuplicateKey);
    }

    void serverListsKeepTheirOrder_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("firstPort");
        QTest::addColumn<QString>("more");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one server") << "db1" << 3306 << "" << QStringList{"db1:3306"};
        QTest::newRow("first stays first")
            << "db2" << 3307 << "db1:3306, db2:3307;db3" << QStringList{"db2:3307", "db1:3306", "db3:3307"};
        QTest::newRow("names compared without case")
            << "DB1" << 3306 << "db1:3306 db1:3307" << QStringList{"DB1:3306", "db1:3307"};
        QTest::newRow("bad ports skipped")
            << "db1" << 3306 << "db2:0,db3:65536,db4:x,db5:65535,:3306"
            << QStringList{"db1:3306", "db5:65535"};
        QTest::newRow("IPv6") << "::1" << 3306 << "[fe80::1]:3310,[::1]"
                              << QStringList{"[::1]:3306", "[fe80::1]:3310"};
        QTest::newRow("no first server") << "" << 0 << "db1:3306,db2" << QStringList{"db1:3306", "db2:3306"};
    }

    void serverListsKeepTheirOrder()
    {
        QFETCH(QString, first);
        QFETCH(int, firstPort);
        QFETCH(QString, more);
        QFETCH(QStringList, expected);
        QStringList texts;
        for (const ServerAddress &server : ServerList::Ordered(first, firstPort, more))
            texts << server.Text();
        QCOMPARE(texts, expected);
    }

    void firstAnsweringServerIsUsed_data()
    {
        QTest::addColumn<bool>("firstAnswers");
        QTest::newRow("first answers") << true;
        QTest::newRow("first is down") << false;
    }

    void firstAnsweringServerIsUsed()
    {
        QFETCH(bool, firstAnswers);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        Relay first;
        if (!firstAnswers)
            first.Kill();
        const int port = QuillboxTest::TestServer::Port();
        UseServers(first.Port(), TestAddress(port));
        CDBManager &manager = CDBManager::Instance();
        QSignalSpy moves(&manager, &CDBManager::ServerChanged);
        QVERIFY(manager.GetInventoryDataBase().isOpen());
        const QString used = TestAddress(firstAnswers ? first.Port() : port);
        QCOMPARE(manager.CurrentServer(), used);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(moves.at(0).at(0).toString(), used);
        QVERIFY(manager.GetMySqlDataBase().isOpen());
        QCOMPARE(manager.GetMySqlDataBase().port(), firstAnswers ? first.Port() : port);
    }

    void aLostServerHandsItsLinksToTheNext()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        Relay first;
        const int port = QuillboxTest::TestServer::Port();
        UseServers(first.Port(), TestAddress(port));
        CDBManager &manager = CDBManager::Instance();
        QSqlDatabase inventory = manager.GetInventoryDataBase();
        QSqlDatabase sales = manager.GetSalesDataBase();
        QCOMPARE(manager.CurrentServer(), TestAddress(first.Port()));
        QSqlQuery held(inventory);
        QVERIFY_SQL(held, prepare("INSERT INTO tblProductCategories (NAME) VALUES (?)"));

        first.Kill();
        QSignalSpy moves(&manager, &CDBManager::ServerChanged);
        QSignalSpy states(&manager, &CDBManager::ConnectionStateChanged);
        // No box: the till works on as if nothing happened, on the other server.
        QVERIFY(manager.GetInventoryDataBase().isOpen());
        QVERIFY(manager.IsInventoryConnected());
        QCOMPARE(manager.CurrentServer(), TestAddress(port));
        QCOMPARE(moves.count(), 1);
        QVERIFY(states.isEmpty());
        // A copy a screen kept follows, and so does the other link.
        QSqlQuery insert(inventory);
        QVERIFY_SQL(insert, exec("INSERT INTO tblProductCategories (NAME) VALUES ('Moved')"));
        QVERIFY(manager.GetSalesDataBase().isOpen());
        QSqlQuery count(sales);
        QVERIFY_SQL(count, exec("SELECT COUNT(*) FROM tblSalesTransactions"));
        QCOMPARE(moves.count(), 1);
    }

    void everyTableHasAPrimaryKey()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        QSqlQuery query(CDBManager::Instance().GetMySqlDataBase());
        QVERIFY_SQL(query, prepare("SELECT t.TABLE_SCHEMA, t.TABLE_NAME FROM information_schema.TABLES t "
                                   "WHERE t.TABLE_SCHEMA IN (?, ?) AND t.TABLE_TYPE = 'BASE TABLE' "
                                   "AND NOT EXISTS (SELECT 1 FROM information_schema.TABLE_CONSTRAINTS c "
                                   "WHERE c.TABLE_SCHEMA = t.TABLE_SCHEMA AND c.TABLE_NAME = t.TABLE_NAME "
                                   "AND c.CONSTRAINT_TYPE = 'PRIMARY KEY')"));
        query.addBindValue(dbs.InventoryName());
        query.addBindValue(dbs.SalesName());
        QVERIFY_SQL(query, exec());
        QStringList without;
        while (query.next())
            without << query.value(0).toString() + '.' + query.value(1).toString();
        QCOMPARE(without, QStringList());
        QSqlQuery tables(CDBManager::Instance().GetMySqlDataBase());
        QVERIFY_SQL(tables, prepare("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA IN (?, ?)"));
        tables.addBindValue(dbs.InventoryName());
        tables.addBindValue(dbs.SalesName());
        QVERIFY_SQL(tables, exec());
        QVERIFY(tables.next());
        QVERIFY(tables.value(0).toInt() > 5); // the check looked at the real schemas
    }

    void transactionGuardRollsBackUnlessCommitted()
    {
        FreshDatabases dbs(FreshDatabases::Sales);
        QSqlDatabase &sales = CDBManager::Instance().GetSalesDataBase();
        {
            TransactionGuard guard(sales);
            QVERIFY(guard.IsActive());
            QSqlQuery query(sales);
            QVERIFY_SQL(query, exec("INSERT INTO tblSalesTransactions (USER_ID, TIME_STAMP, "
                                    "GRAND_TOTAL, PAID, RETURN_AMOUNT) VALUES ('a', NOW(), 1, 1, 0)"));
        }
        QSqlQuery count(sales);
        QVERIFY_SQL(count, exec("SELECT COUNT(*) FROM tblSalesTransactions"));
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), 0);
        {
            TransactionGuard guard(sales);
            QSqlQuery query(sales);
            QVERIFY_SQL(query, exec("INSERT INTO tblSalesTransactions (USER_ID, TIME_STAMP, "
                                    "GRAND_TOTAL, PAID, RETURN_AMOUNT) VALUES ('a', NOW(), 1, 1, 0)"));
            QVERIFY(guard.Commit());
        }
        QVERIFY_SQL(count, exec("SELECT COUNT(*) FROM tblSalesTransactions"));
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), 1);
    }
};

QUILLBOX_TEST_MAIN(TestDBManager)
#include "tst_dbmanager.moc"
