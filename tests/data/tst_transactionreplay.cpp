// The whole-transaction replay: what a lock conflict, a refusal and the body's own roll-back do,
// and that a replayed body's earlier tries leave nothing behind.

#include "testsupport.h"

#include "seeddata.h"
#include "sqlutil.h"
#include "transactionreplay.h"

#include <QtTest>

using QuillboxTest::Seed::Value;

class TestTransactionReplay : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }
    void replay_data();
    void replay();
    void guardedWritesReplayWhole_data();
    void guardedWritesReplayWhole();
};

void TestTransactionReplay::replay_data()
{
    QTest::addColumn<int>("releaseAtTry"); // another connection holds the row until then; 0 never
    QTest::addColumn<QString>("insert");
    QTest::addColumn<bool>("rollBack");
    QTest::addColumn<int>("tries");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("lockConflict");
    QTest::addColumn<int>("categories");
    const QString fresh = "INSERT INTO tblProductCategories (NAME) VALUES ('New')";
    QTest::newRow("free") << -1 << fresh << false << 1 << int(TxResult::Committed) << false << 2;
    QTest::newRow("lock gone at the second try")
        << 2 << fresh << false << 2 << int(TxResult::Committed) << false << 2;
    QTest::newRow("lock held throughout")
        << 0 << fresh << false << 3 << int(TxResult::Failed) << true << 1;
    QTest::newRow("duplicate is not replayed")
        << -1 << "INSERT INTO tblProductCategories (ID, NAME) SELECT ID, 'Twice' FROM tblProductCategories" << false << 1
        << int(TxResult::Failed) << false << 1;
    QTest::newRow("body rolls back") << -1 << fresh << true << 1 << int(TxResult::RolledBack)
                                     << false << 1;
}

void TestTransactionReplay::replay()
{
    QFETCH(int, releaseAtTry);
    QFETCH(QString, insert);
    QFETCH(bool, rollBack);
    QFETCH(int, tries);
    QFETCH(int, kind);
    QFETCH(bool, lockConflict);
    QFETCH(int, categories);
    QuillboxTest::FreshDatabases schemas(QuillboxTest::FreshDatabases::Inventory);
    QVERIFY(schemas.IsValid());
    QuillboxTest::Seed::AddCategory("Held");
    QSqlDatabase db = QuillboxTest::Seed::Db();
    {
        QSqlDatabase other = QSqlDatabase::cloneDatabase(db, "OTHER_TILL");
        QVERIFY(other.open());
        if (releaseAtTry >= 0) {
            QVERIFY(other.transaction());
            QSqlQuery hold(other);
            QVERIFY_SQL(hold, exec("SELECT * FROM tblProductCategories FOR UPDATE"));
        }
        int runs = 0;
        TxOptions options;
        options.tries = 3;
        options.lockWaitSeconds = 1;
        const TxResult result = RunTransaction(db, [&](QSqlDatabase &tx) {
            if (++runs == releaseAtTry)
                other.rollback();
            // Written before the lock is met: a replay must not find it twice.
            QSqlQuery write(tx);
            if (!write.exec(insert))
                return TxStep::Failed(write.lastError());
            QSqlQuery locked(tx);
            if (!locked.exec("SELECT * FROM tblProductCategories WHERE NAME = 'Held' FOR UPDATE"))
                return TxStep::Failed(locked.lastError());
            return rollBack ? TxStep::RollBack() : TxStep::Commit();
        }, options);
        QCOMPARE(result.tries, tries);
        QCOMPARE(runs, tries);
        QCOMPARE(int(result.kind), kind);
        QCOMPARE(result.IsLockConflict(), lockConflict);
        other.rollback();
        other.close();
    }
    QSqlDatabase::removeDatabase("OTHER_TILL");
    QCOMPARE(Value("SELECT COUNT(*) FROM tblProductCategories").toInt(), categories);
}

// The store functions that keep their own TransactionGuard: run again whole on a lock.
void TestTransactionReplay::guardedWritesReplayWhole_data()
{
    QTest::addColumn<int>("releaseAtTry"); // as above
    QTest::addColumn<QString>("insert");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("tries");
    QTest::addColumn<int>("categories");
    const QString fresh = "INSERT INTO tblProductCategories (NAME) VALUES ('New')";
    QTest::newRow("free") << -1 << fresh << true << 1 << 2;
    QTest::newRow("lock gone at the second try") << 2 << fresh << true << 2 << 2;
    QTest::newRow("lock held throughout") << 0 << fresh << false << 3 << 1;
    QTest::newRow("duplicate is not replayed")
        << -1 << "INSERT INTO tblProductCategories (ID, NAME) SELECT ID, 'Twice' FROM tblProductCategories"
        << false << 1 << 1;
}

void TestTransactionReplay::guardedWritesReplayWhole()
{
    QFETCH(int, releaseAtTry);
    QFETCH(QString, insert);
    QFETCH(bool, ok);
    QFETCH(int, tries);
    QFETCH(int, categories);
    QuillboxTest::FreshDatabases schemas(QuillboxTest::FreshDatabases::Inventory);
    QVERIFY(schemas.IsValid());
    QuillboxTest::Seed::AddCategory("Held");
    QSqlDatabase db = QuillboxTest::Seed::Db();
    QSqlQuery wait(db);
    QVERIFY_SQL(wait, exec("SET SESSION innodb_lock_wait_timeout = 1"));
    {
        QSqlDatabase other = QSqlDatabase::cloneDatabase(db, "OTHER_TILL");
        QVERIFY(other.open());
        if (releaseAtTry >= 0) {
            QVERIFY(other.transaction());
            QSqlQuery hold(other);
            QVERIFY_SQL(hold, exec("SELECT * FROM tblProductCategories FOR UPDATE"));
        }
        int runs = 0;
        TxOptions options;
        options.tries = 3;
        const bool done = ReplayWhole([&] {
            if (++runs == releaseAtTry)
                other.rollback();
            TransactionGuard transaction(db);
            QSqlQuery write(db);
            QSqlQuery locked(db);
            return transaction.IsActive() && write.prepare(insert) && ExecLogged(write)
                   && locked.prepare("SELECT * FROM tblProductCategories WHERE NAME = 'Held' "
                                     "FOR UPDATE")
                   && ExecLogged(locked) && transaction.Commit();
        }, options);
        QCOMPARE(done, ok);
        QCOMPARE(runs, tries);
        other.rollback();
        other.close();
    }
    QSqlDatabase::removeDatabase("OTHER_TILL");
    QCOMPARE(Value("SELECT COUNT(*) FROM tblProductCategories").toInt(), categories);
}

QUILLBOX_TEST_MAIN(TestTransactionReplay)
#include "tst_transactionreplay.moc"
