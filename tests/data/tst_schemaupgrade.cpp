#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "schemashape.h"
#include "schemaupgrade.h"

#include <QDir>
#include <QSettings>
#include <QThread>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;
using Kind = CDBManager::Kind;
namespace SU = SchemaUpgrade;

namespace {
// A schema of its own, dropped again however the case ends.
struct Scratch
{
    QString name;
    explicit Scratch(const QString &prefix) : name(FreshDatabases::UniqueName(prefix)) {}
    ~Scratch() { FreshDatabases::DropSchema(name); }
};

SU::Connection Target(const QString &schema)
{
    using QuillboxTest::TestServer;
    return {TestServer::Host(), TestServer::Port(), TestServer::User(), TestServer::Password(),
            schema};
}

SU::Result Upgrade(const QString &schema, Kind kind, bool allowBlocking = true)
{
    SU::Runner runner(Target(schema), SU::BuiltInSteps(kind), SU::ProgramVersion());
    SU::Runner::Options options;
    options.allowBlocking = allowBlocking;
    return runner.Run(options);
}

QStringList Recorded(const QString &schema)
{
    SU::Runner runner(Target(schema), {}, SU::ProgramVersion());
    QStringList steps;
    for (const SU::AppliedStep &step : runner.Inspect().applied)
        steps << QString::number(step.number);
    return steps;
}

SU::Step TestStep(int number, const QString &sql)
{
    return SU::ParseStep(QStringLiteral("%1-test.sql").arg(number, 3, 10, QLatin1Char('0')), sql);
}

// Rows the first release could hold: accents, apostrophes, every table with a row.
const QString kInventoryRows = QStringLiteral(
    "INSERT INTO tblProductCategories (ID, NAME) VALUES (1, 'Café'), (2, 'Children''s');"
    "INSERT INTO tblProducts (ID, CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, DESCRIPTION, "
    " TAX_RATE) VALUES (1, 1, 'P1', 'Crème d''été', 10, 'Façade', 7.5);"
    "INSERT INTO tblVendors (ID, NAME, ADDRESS) VALUES (1, 'O''Brien & Söhne', 'Straße 1');"
    "INSERT INTO tblInventory (ID, PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
    " STORAGE_LOCATION, PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, DISCOUNT) "
    " VALUES (1, 1, 1, '4006381333931', 'B''1', '2027-01-31', 'Rayon é', 1.25, 2.5, 40, 3, 1, 0);"
    "INSERT INTO tblUsers (ID, FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, ROLE) VALUES (1, 'Zoë', 'D''Arcy', 'admin', 'pw''1', 'ADMIN');"
    "INSERT INTO tblCustomers (ID, NAME) VALUES (1, 'Mrs O''Neil');"
    "INSERT INTO tblPOrders (ID, VENDOR_ID, STATUS, NOTES) VALUES (1, 1, 'DRAFT', 'Noël');"
    "INSERT INTO tblPODetails (ID, PORDER_ID, ITEM_CODE, QUANTITY, ITEM_NAME, UNIT_PRICE, "
    " LINE_TOTAL, SALE_PRICE, BATCH_NUMBER, EXPIRY_DATE) "
    " VALUES (1, 1, 'P1', 2, 'Crème d''été', 1.25, 2.5, 2.5, 'B1', '2027-01-31');");
const QString kSalesRows = QStringLiteral(
    "INSERT INTO tblSalesTransactions (ID, USER_ID, CUSTOMER_ID, TIME_STAMP, GRAND_TOTAL, PAID, "
    " RETURN_AMOUNT) VALUES (2, 'admin', 'Mrs O''Neil', '2020-05-01 10:00:00', 5, 10, 5);"
    "INSERT INTO tblSalesInvoice (ID, TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, QUANTITY, "
    " PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, PURCHASE_SUB_TOTAL) "
    " VALUES (3, 2, 0, 'Crème d''été', 2, 1.25, 2.5, '0', 0, 5, 2.5);");
} // namespace

Q_DECLARE_METATYPE(Kind)

class TestSchemaUpgrade : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void stepFileNames_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("blocking");
        QTest::newRow("online") << "007-new-table.sql" << "CREATE TABLE x (ID INT PRIMARY KEY);" << 7 << false;
        QTest::newRow("blocking") << "090-wide.sql" << "-- blocking: SELECT 1\nALTER TABLE x;" << 90 << true;
        QTest::newRow("mark not first") << "091-w.sql" << "SELECT 1;\n-- blocking: SELECT 1" << 91 << false;
        QTest::newRow("two digits") << "07-x.sql" << "" << 0 << false;
        QTest::newRow("capitals") << "007-New.sql" << "" << 0 << false;
        QTest::newRow("not sql") << "007-x.txt" << "" << 0 << false;
    }
    void stepFileNames()
    {
        QFETCH(QString, file);
        QFETCH(QString, text);
        const SU::Step step = SU::ParseStep(file, text);
        QTEST(step.number, "number");
        QTEST(step.IsBlocking(), "blocking");
    }

    // A step file that is misnamed or numbered twice would be left out or run in a wrong order.
    void everyBuiltInStepIsRegisteredOnce_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("folder");
        QTest::newRow("inventory") << Kind::Inventory << ":/upgrades/inventory";
        QTest::newRow("sales") << Kind::Sales << ":/upgrades/sales";
    }
    void everyBuiltInStepIsRegisteredOnce()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, folder);
        const QVector<SU::Step> steps = SU::BuiltInSteps(kind);
        QCOMPARE(steps.size(), QDir(folder).entryList(QDir::Files).size());
        for (int i = 1; i < steps.size(); ++i)
            QVERIFY2(steps.at(i - 1).number < steps.at(i).number, qPrintable(steps.at(i).name));
    }

    void firstReleaseBecomesTodaysSchema_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("characterSet");
        QTest::addColumn<QString>("rows");
        QTest::newRow("inventory on a latin1 server") << Kind::Inventory << "latin1" << kInventoryRows;
        QTest::newRow("inventory on a utf8 server") << Kind::Inventory << "utf8mb3" << kInventoryRows;
        QTest::newRow("inventory on a utf8mb4 server") << Kind::Inventory << "utf8mb4" << kInventoryRows;
        QTest::newRow("sales") << Kind::Sales << "" << kSalesRows;
    }
    void firstReleaseBecomesTodaysSchema()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, characterSet);
        QFETCH(QString, rows);
        Scratch old(QStringLiteral("qbold"));
        Scratch fresh(QStringLiteral("qbnew"));
        QVERIFY(QuillboxTest::CreateFirstRelease(kind, old.name, characterSet));
        QString error;
        QVERIFY2(FreshDatabases::ExecAdmin(old.name, rows, &error), qPrintable(error));
        const QuillboxTest::Columns tables = QuillboxTest::TableColumns(old.name);
        const QByteArray before = QuillboxTest::RowsChecksum(old.name, tables);
        QVERIFY(!before.isEmpty());
        QuillboxTest::TestServer::Apply();
        QVERIFY(CDBManager::Instance().CreateSchema(kind, fresh.name));

        QCOMPARE(Upgrade(old.name, kind), SU::Result::Done);
        const QStringList shape = QuillboxTest::SchemaShape(old.name);
        const QString difference = QuillboxTest::ShapeDifference(shape, QuillboxTest::SchemaShape(fresh.name));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(QuillboxTest::RowsChecksum(old.name, tables), before);
        QCOMPARE(Recorded(old.name), Recorded(fresh.name));

        // Once recorded, a second run finds nothing to do and changes nothing.
        QCOMPARE(Upgrade(old.name, kind), SU::Result::UpToDate);
        QCOMPARE(QuillboxTest::SchemaShape(old.name), shape);
        QCOMPARE(QuillboxTest::RowsChecksum(old.name, tables), before);
    }

    // Every statement is guarded: a step that was done but not recorded is safe to run again.
    void stepsRunAgainChangeNothing_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("inventory") << Kind::Inventory;
        QTest::newRow("sales") << Kind::Sales;
    }
    void stepsRunAgainChangeNothing()
    {
        QFETCH(Kind, kind);
        Scratch fresh(QStringLiteral("qbnew"));
        QuillboxTest::TestServer::Apply();
        QVERIFY(CDBManager::Instance().CreateSchema(kind, fresh.name));
        const QStringList shape = QuillboxTest::SchemaShape(fresh.name);
        QVERIFY(FreshDatabases::ExecAdmin(fresh.name, "DELETE FROM tblSchemaChanges"));
        QCOMPARE(Upgrade(fresh.name, kind), SU::Result::Done);
        QCOMPARE(QuillboxTest::SchemaShape(fresh.name), shape);
    }

    void twoProgramsApplyEachStepOnce()
    {
        Scratch old(QStringLiteral("qbold"));
        QVERIFY(QuillboxTest::CreateFirstRelease(Kind::Sales, old.name));
        // Not idempotent on purpose: a second run of a step shows as a second row.
        QVector<SU::Step> steps = SU::BuiltInSteps(Kind::Sales);
        steps << TestStep(998, "CREATE TABLE IF NOT EXISTS tblRuns (ID INT AUTO_INCREMENT PRIMARY KEY);"
                               "INSERT INTO tblRuns () VALUES ();")
              << TestStep(999, "DO SLEEP(0.5); INSERT INTO tblRuns () VALUES ();");
        SU::Result results[2] = {};
        QThread *threads[2];
        for (int i = 0; i < 2; ++i) {
            threads[i] = QThread::create([&results, &steps, &old, i]() {
                SU::Runner runner(Target(old.name), steps, SU::ProgramVersion());
                SU::Runner::Options options;
                options.allowBlocking = true;
                options.lockWaitSeconds = 60;
                results[i] = runner.Run(options);
            });
            threads[i]->start();
        }
        for (QThread *thread : threads) {
            QVERIFY(thread->wait(120000));
            delete thread;
        }
        // One did the work, the other waited for the lock and found it done.
        QCOMPARE(int(results[0]) + int(results[1]), int(SU::Result::Done) + int(SU::Result::UpToDate));
        QCOMPARE(QuillboxTest::QueryValue(old.name, "SELECT COUNT(*) FROM tblRuns").toInt(), 2);
        SU::Runner reader(Target(old.name), steps, SU::ProgramVersion());
        const SU::Status status = reader.Inspect();
        QCOMPARE(status.applied.size(), steps.size());
        QVERIFY(status.pending.isEmpty());
    }

    // On a cluster the lock row holds per node: a program on another node may record a step
    // between this one's reading and its running the step.
    void stepRecordedMeanwhileElsewhereIsNoFailure()
    {
        Scratch fresh(QStringLiteral("qbnew"));
        QuillboxTest::TestServer::Apply();
        QVERIFY(CDBManager::Instance().CreateSchema(Kind::Sales, fresh.name));
        QVector<SU::Step> steps = SU::BuiltInSteps(Kind::Sales);
        steps << TestStep(999, "CREATE TABLE IF NOT EXISTS tblA (ID INT PRIMARY KEY);");
        SU::Runner runner(Target(fresh.name), steps, SU::ProgramVersion());
        SU::Runner::Options options;
        options.onStep = [&fresh](const SU::Step &step, int, int, qint64) {
            QVERIFY(QuillboxTest::FreshDatabases::ExecAdmin(
                fresh.name, QStringLiteral("INSERT INTO tblSchemaChanges (STEP, NAME) VALUES (%1, 'elsewhere')")
                                .arg(step.number)));
        };
        QCOMPARE(runner.Run(options), SU::Result::Done);
        QCOMPARE(QuillboxTest::QueryValue(fresh.name, "SELECT GROUP_CONCAT(NAME) FROM tblSchemaChanges "
                                                      "WHERE STEP = 999").toString(),
                 QStringLiteral("elsewhere"));
    }

    void failingStepStopsWithTheServersText()
    {
        Scratch fresh(QStringLiteral("qbnew"));
        QuillboxTest::TestServer::Apply();
        QVERIFY(CDBManager::Instance().CreateSchema(Kind::Sales, fresh.name));
        QVector<SU::Step> steps = SU::BuiltInSteps(Kind::Sales);
        steps << TestStep(997, "CREATE TABLE IF NOT EXISTS tblA (ID INT PRIMARY KEY);")
              << TestStep(998, "CREATE TABLE IF NOT EXISTS tblB (ID INT PRIMARY KEY);"
                               "INSERT INTO tblNoSuchTable VALUES (1);")
              << TestStep(999, "CREATE TABLE IF NOT EXISTS tblC (ID INT PRIMARY KEY);");
        SU::Runner runner(Target(fresh.name), steps, SU::ProgramVersion());
        QCOMPARE(runner.Run(SU::Runner::Options()), SU::Result::Failed);
        QCOMPARE(runner.FailedStep(), 998);
        QVERIFY2(runner.Error().contains("tblNoSuchTable"), qPrintable(runner.Error()));
        const SU::Status status = runner.Inspect();
        QCOMPARE(status.applied.last().number, 997);
        QCOMPARE(status.pending.size(), 2);
        QCOMPARE(status.pending.first().number, 998);
    }

    void newerSchemaIsRefused()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(),
                                          "INSERT INTO tblSchemaChanges (STEP, NAME) VALUES (99, 'later')"));
        QCOMPARE(Upgrade(dbs.InventoryName(), Kind::Inventory), SU::Result::TooNew);
        DialogDriver driver;
        driver.Expect("Database", "newer release");
        CDBManager::Instance().GetInventoryDataBase();
        QVERIFY_DIALOGS(driver);
        QVERIFY(!CDBManager::Instance().IsInventoryConnected());
    }

    // Connecting (as every login does) applies the online steps and keeps the tills selling on
    // the old shape while the blocking one waits for a manager.
    void connectingHoldsTheBlockingStep()
    {
        Scratch old(QStringLiteral("qbold"));
        QVERIFY(QuillboxTest::CreateFirstRelease(Kind::Inventory, old.name));
        QuillboxTest::TestServer::Apply();
        AppSettings::Instance().Settings()->setValue("ACTIVE_INVENTORY_DB", old.name);
        CDBManager &manager = CDBManager::Instance();
        QSqlDatabase &db = manager.GetInventoryDataBase();
        QVERIFY(manager.IsInventoryConnected());
        manager.WaitForUpgrades();
        QStringList online;
        for (const SU::Step &step : SU::BuiltInSteps(Kind::Inventory)) {
            if (!step.IsBlocking())
                online << QString::number(step.number);
        }
        QCOMPARE(Recorded(old.name), online);
        SU::Runner reader(Target(old.name), SU::BuiltInSteps(Kind::Inventory), SU::ProgramVersion());
        const SU::Status status = reader.Inspect();
        QCOMPARE(status.blockingPending.size(), 1);
        QVERIFY(status.CopiedRows() >= 0);
        QSqlQuery sell(db);
        QVERIFY_SQL(sell, exec(kInventoryRows));
        while (sell.nextResult()) {
        }
        QVERIFY_SQL(sell, exec("UPDATE tblInventory SET QUANTITY = QUANTITY - 1 WHERE BAR_CODE = '4006381333931'"));
        QCOMPARE(sell.numRowsAffected(), 1);
    }
};

QUILLBOX_TEST_MAIN(TestSchemaUpgrade)
#include "tst_schemaupgrade.moc"
