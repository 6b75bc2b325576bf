// An entry or payment that meets a lock held by another till is replayed a few times, then
// refused with nothing written, and works again once the lock is gone.

#include "testsupport.h"

#include "dbmanager.h"
#include "itemtransactionsmodel.h"
#include "posstore.h"
#include "seeddata.h"

#include <QSqlQuery>
#include <QtTest>

class TestTillRetry : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }
    void lockConflictIsReplayedThenRefused_data();
    void lockConflictIsReplayedThenRefused();
    void tillWorksAgainWhenServerIsBack();
};

void TestTillRetry::lockConflictIsReplayedThenRefused_data()
{
    QTest::addColumn<bool>("payment");
    QTest::addColumn<QString>("lockSql");
    QTest::newRow("entry") << false
                           << "SELECT * FROM tblInventory WHERE BAR_CODE = '5001' FOR UPDATE";
    QTest::newRow("payment") << true << "SELECT * FROM tblSalesTransactions FOR UPDATE";
}

void TestTillRetry::lockConflictIsReplayedThenRefused()
{
    QFETCH(bool, payment);
    QFETCH(QString, lockSql);
    QuillboxTest::FreshDatabases schemas;
    QVERIFY(schemas.IsValid());
    using namespace QuillboxTest::Seed;
    AddBatch(AddProduct(AddCategory("C"), "P1", "Pill"), AddVendor("V"), "5001", 10);

    CDBManager &manager = CDBManager::Instance();
    QSqlDatabase till = payment ? manager.GetSalesDataBase() : manager.GetInventoryDataBase();
    QSqlQuery(till).exec("SET SESSION innodb_lock_wait_timeout = 1");
    {
        // Another till holds the rows the entry or payment needs.
        QSqlDatabase other = QSqlDatabase::cloneDatabase(till, "OTHER_TILL");
        QVERIFY(other.open());
        QVERIFY(other.transaction());
        QSqlQuery hold(other);
        QVERIFY_SQL(hold, exec(lockSql));

        PosStore::ItemRequest request;
        request.barCode = "5001";
        request.quantity = 2;
        CItemTransactionsModel basket;
        basket.AppendLine("Pill", "2", "0", "25", "20", {});
        QString refusal;
        if (payment) {
            int id = 0;
            QVERIFY(!PosStore::RecordSale(till, {"u", "NOT SELECTED", 25, "25", "0", {}, {}}, basket, &id,
                                          &refusal));
        } else {
            refusal = PosStore::TakeItem(till, request).refusal;
        }
        QVERIFY(!refusal.isEmpty());
        QVERIFY(other.rollback());
        other.close();
    }
    QSqlDatabase::removeDatabase("OTHER_TILL");
    QCOMPARE(Value("SELECT QUANTITY FROM tblInventory WHERE BAR_CODE = '5001'").toInt(), 10);
    QSqlQuery count(manager.GetSalesDataBase());
    QVERIFY(count.exec("SELECT COUNT(*) FROM tblSalesTransactions") && count.next());
    QCOMPARE(count.value(0).toInt(), 0);

    // Free again: the same till goes on without a restart.
    PosStore::ItemRequest request;
    request.barCode = "5001";
    request.quantity = 2;
    QVERIFY(PosStore::TakeItem(manager.GetInventoryDataBase(), request).refusal.isEmpty());
    QCOMPARE(Value("SELECT QUANTITY FROM tblInventory WHERE BAR_CODE = '5001'").toInt(), 8);
}

void TestTillRetry::tillWorksAgainWhenServerIsBack()
{
    QuillboxTest::FreshDatabases schemas;
    QVERIFY(schemas.IsValid());
    using namespace QuillboxTest::Seed;
    AddBatch(AddProduct(AddCategory("C"), "P1", "Pill"), AddVendor("V"), "5001", 10);
    CDBManager &manager = CDBManager::Instance();
    QSqlDatabase &db = manager.GetInventoryDataBase();
    QVERIFY(manager.IsInventoryConnected());
    const int port = db.port();

    // The server goes away under the open till: nothing listens where it was.
    using QuillboxTest::TestServer;
    manager.SetServerParameters(TestServer::User(), TestServer::Password(), 1, TestServer::Host());
    db.setPort(1);
    db.close();
    PosStore::ItemRequest request;
    request.barCode = "5001";
    request.quantity = 1;
    {
        QuillboxTest::DialogDriver dialogs;
        dialogs.Expect("Error", "Can not connect");
        QVERIFY(!PosStore::TakeItem(manager.GetInventoryDataBase(), request).refusal.isEmpty());
        QVERIFY2(dialogs.WaitForAll(), qPrintable(dialogs.Report()));
        QVERIFY(!manager.IsInventoryConnected());
    }

    // Back again: the next entry goes through on the same till, no second message.
    TestServer::Apply();
    manager.GetInventoryDataBase().setPort(port);
    QVERIFY(PosStore::TakeItem(manager.GetInventoryDataBase(), request).refusal.isEmpty());
    QVERIFY(manager.IsInventoryConnected());
    QCOMPARE(Value("SELECT QUANTITY FROM tblInventory WHERE BAR_CODE = '5001'").toInt(), 9);
}

QUILLBOX_TEST_MAIN(TestTillRetry)
#include "tst_tillretry.moc"
