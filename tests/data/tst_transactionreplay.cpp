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
    void refusedPreparationIsNeverRun_data();
    void refusedPreparationIsNeverRun();
};

void TestTransactionReplay::replay_data()
{
    // guarded: a store function keeping its own TransactionGuard, run again whole by ReplayWhole;
    // else a body handed to RunTransaction.
    QTest::addColumn<bool>("guarded");
    QTest::addColumn<int>("releaseAtTry"); // another connection holds the row until then; 0 never
    QTest::addColumn<QString>("insert");
    QTest::addColumn<bool>("rollBack");
    QTest::addColumn<int>("tries");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("lockConflict");
    QTest::addColumn<int>("categories");
    QTest::addColumn<QString>("last"); // a statement the body runs after its lock, if any
    const QString fresh = "INSERT INTO tblProductCategories (NAME) VALUES ('New')";
    const QString twice = "INSERT INTO tblProductCategories (ID, NAME) SELECT ID, 'Twice' FROM "
                          "tblProductCategories";
    const int committed = int(TxResult::Committed);
    const int failed = int(TxResult::Failed);
    for (const bool guarded : {false, true}) {
        const auto row = [guarded](const char *name) {
            return &QTest::newRow(qPrintable(QString("%1%2").arg(guarded ? "guarded: " : "", name)));
        };
        *row("free") << guarded << -1 << fresh << false << 1 << committed << false << 2 << QString();
        *row("lock gone at the second try")
            << guarded << 2 << fresh << false << 2 << committed << false << 2 << QString();
        *row("lock held throughout")
            << guarded << 0 << fresh << false << 3 << failed << true << 1 << QString();
        *row("duplicate is not replayed")
            << guarded << -1 << twice << false << 1 << failed << false << 1 << QString();
        if (!guarded)
            *row("body rolls back") << guarded << -1 << fresh << true << 1
                                    << int(TxResult::RolledBack) << false << 1 << QString();
        // As a cluster does between two statements when another node's write wins.
        *row("rolled back under the body is no commit")
            << guarded << -1 << fresh << false << 1 << failed << false << 1 << "ROLLBACK";
    }
}

void TestTransactionReplay::replay()
{
    QFETCH(bool, guarded);
    QFETCH(int, releaseAtTry);
    QFETCH(QString, insert);
    QFETCH(bool, rollBack);
    QFETCH(int, tries);
    QFETCH(int, kind);
    QFETCH(bool, lockConflict);
    QFETCH(int, categories);
    QFETCH(QString, last);
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
        const QString locking = "SELECT * FROM tblProductCategories WHERE NAME = 'Held' FOR UPDATE";
        if (guarded) {
            const bool done = ReplayWhole([&] {
                if (++runs == releaseAtTry)
                    other.rollback();
                TransactionGuard transaction(db);
                SqlQuery write(db);
                SqlQuery locked(db);
                return transaction.IsActive() && write.prepare(insert) && ExecLogged(write)
                       && locked.prepare(locking) && ExecLogged(locked)
                       && (last.isEmpty() || (write.prepare(last) && ExecLogged(write)))
                       && transaction.Commit();
            }, options);
            QCOMPARE(done, kind == int(TxResult::Committed));
        } else {
            options.lockWaitSeconds = 1;
            const TxResult result = RunTransaction(db, [&](QSqlDatabase &tx) {
                if (++runs == releaseAtTry)
                    other.rollback();
                // Written before the lock is met: a replay must not find it twice.
                QSqlQuery write(tx);
                if (!write.exec(insert))
                    return TxStep::Failed(write.lastError());
                QSqlQuery locked(tx);
                if (!locked.exec(locking))
                    return TxStep::Failed(locked.lastError());
                QSqlQuery then(tx);
                if (!last.isEmpty() && !then.exec(last))
                    return TxStep::Failed(then.lastError());
                return rollBack ? TxStep::RollBack() : TxStep::Commit();
            }, options);
            QCOMPARE(result.tries, tries);
            QCOMPARE(int(result.kind), kind);
            QCOMPARE(result.IsLockConflict(), lockConflict);
        }
        QCOMPARE(runs, tries);
        other.rollback();
        other.close();
    }
    QSqlDatabase::removeDatabase("OTHER_TILL");
    QCOMPARE(Value("SELECT COUNT(*) FROM tblProductCategories").toInt(), categories);
}

// Qt would run a statement whose preparation failed as plain text at exec(); on a cluster that
// text would write outside the transaction the server had just rolled back.
void TestTransactionReplay::refusedPreparationIsNeverRun_data()
{
    QTest::addColumn<bool>("logged");
    QTest::newRow("exec") << false;
    QTest::newRow("logged exec") << true;
}

void TestTransactionReplay::refusedPreparationIsNeverRun()
{
    QFETCH(bool, logged);
    QuillboxTest::FreshDatabases schemas(QuillboxTest::FreshDatabases::Inventory);
    QVERIFY(schemas.IsValid());
    QSqlDatabase db = QuillboxTest::Seed::Db();
    SqlQuery insert(db);
    // Refused now; the statement would be fine by the time it is run.
    QVERIFY(!insert.prepare("INSERT INTO tblLater (ID) VALUES (?)"));
    QSqlQuery create(db);
    QVERIFY_SQL(create, exec("CREATE TABLE tblLater (ID INT PRIMARY KEY)"));
    insert.addBindValue(1);
    QVERIFY(!(logged ? ExecLogged(insert) : insert.exec()));
    QVERIFY(insert.lastError().isValid());
    QCOMPARE(Value("SELECT COUNT(*) FROM tblLater").toInt(), 0);
}

QUILLBOX_TEST_MAIN(TestTransactionReplay)
#include "tst_transactionreplay.moc"
