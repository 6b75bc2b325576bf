// A shop that has run the first release for years opens today's program: the large demo shop
// in the first release's shape is brought up to date while a till keeps scanning, then a
// manager lets the table copies run. Prints rows for scripts/bench.

#include "benchsupport.h"
#include "demoshop.h"
#include "postesthelpers.h"
#include "schemashape.h"
#include "schemaupgrade.h"

#include <QElapsedTimer>

using QuillboxBench::Report;
using QuillboxTest::FreshDatabases;
using Kind = CDBManager::Kind;

namespace {
struct OldSchemas
{
    QString inventory = FreshDatabases::UniqueName(QStringLiteral("qbold"));
    QString sales = FreshDatabases::UniqueName(QStringLiteral("qbolds"));
    ~OldSchemas()
    {
        CDBManager::Reset();
        FreshDatabases::DropSchema(inventory);
        FreshDatabases::DropSchema(sales);
    }
};

bool Check(bool ok, const char *what, const QString &error = QString())
{
    if (!ok)
        qWarning("%s failed %s", what, qPrintable(error));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    QuillboxTest::ResetState();
    PosTest::SetTillSettings(true);
    if (!Check(QuillboxTest::TestServer::Configured(), "run through scripts/bench"))
        return 1;
    QuillboxTest::TestServer::Apply();

    OldSchemas old;
    QString error;
    if (!Check(QuillboxTest::CreateFirstRelease(Kind::Inventory, old.inventory), "inventory")
        || !Check(QuillboxTest::CreateFirstRelease(Kind::Sales, old.sales), "sales"))
        return 1;
    // The demo shop's rows are the first release's columns, so it fills the old shape as well.
    // The connection used for the fill names every table with its schema and is closed before
    // the till connects, so the upgrade starts when the till does, as in a shop.
    {
        const QString fill = QStringLiteral("benchfill");
        {
            QSqlDatabase db = QuillboxTest::TestServer::Connection(fill, old.inventory);
            db.setConnectOptions(QStringLiteral("MYSQL_OPT_RECONNECT=0"));
            if (!Check(db.open(), "connect", db.lastError().text()))
                return 1;
            QElapsedTimer timer;
            timer.start();
            const bool filled = DemoShop::Fill(
                db, old.inventory, old.sales, DemoShop::LargeScale(), QDate::currentDate(),
                [](const QString &step, int percent) {
                    QTextStream(stderr) << "\r[fill] " << percent << "% " << step << "          ";
                },
                &error);
            if (!Check(filled, "demo fill", error))
                return 1;
            QTextStream(stderr) << "\nfirst-release large shop filled in " << timer.elapsed() / 1000
                                << " s\n";
            db.close();
        }
        QSqlDatabase::removeDatabase(fill);
    }
    // Batches the till sells from, with stock for every scan of the run.
    if (!Check(FreshDatabases::ExecAdmin(
                   old.inventory,
                   "INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, "
                   "EXPIRY_DATE, PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, "
                   "DISCOUNT) SELECT 1 + seq % 1000, 1, CONCAT('UP', seq), 'L1', '2031-01-01', "
                   "1.5, 2.5, 1000000, 0, 0, 0 FROM seq_1_to_2000",
                   &error),
               "till batches", error))
        return 1;
    FreshDatabases::ExecAdmin(old.inventory, "ANALYZE TABLE tblInventory, tblProducts");
    FreshDatabases::ExecAdmin(old.sales, "ANALYZE TABLE tblSalesTransactions, tblSalesInvoice");

    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("ACTIVE_INVENTORY_DB"), old.inventory);
    settings->setValue(QStringLiteral("ACTIVE_SALES_DB"), old.sales);

    CDBManager &manager = CDBManager::Instance();
    QVector<double> scans;
    double online = 0;
    {
        CPOS pos;
        PosTest::Till till(pos);
        pos.show();
        QElapsedTimer upgrade;
        upgrade.start();
        // Both connections open now: the online steps start on their own threads.
        manager.GetInventoryDataBase();
        manager.GetSalesDataBase();
        int next = 0;
        while (manager.IsUpgrading(Kind::Inventory) || manager.IsUpgrading(Kind::Sales)) {
            for (int line = 0; line < 50 && (manager.IsUpgrading(Kind::Inventory)
                                             || manager.IsUpgrading(Kind::Sales));
                 ++line) {
                scans.append(PosTest::TimedScan(till, QStringLiteral("UP%1").arg(1 + (next++ * 7919) % 2000)));
                QApplication::processEvents();
            }
            till.Pay(QStringLiteral("10000000"));
            QApplication::processEvents();
            if (upgrade.elapsed() > 15 * 60 * 1000)
                qFatal("online steps still running after 15 minutes");
        }
        online = upgrade.nsecsElapsed() / 1.0e6;
        manager.WaitForUpgrades();
        if (scans.isEmpty())
            qWarning("the online steps ended before the first scan");
    }
    Report("upgrade: online steps of the large first-release shop", "<= 120000 ms", {online});
    Report("upgrade: scan to line while the online steps run", "p95 <= 50 ms", scans);

    // What the manager agreed to: every step that copies a table.
    QElapsedTimer blocking;
    blocking.start();
    for (const auto &[kind, schema] : {qMakePair(Kind::Inventory, old.inventory),
                                      qMakePair(Kind::Sales, old.sales)}) {
        const QSqlDatabase &db = kind == Kind::Inventory ? manager.GetInventoryDataBase()
                                                         : manager.GetSalesDataBase();
        SchemaUpgrade::Connection target = SchemaUpgrade::Connection::Of(db);
        target.schema = schema;
        SchemaUpgrade::Runner runner(target, SchemaUpgrade::BuiltInSteps(kind),
                                     SchemaUpgrade::ProgramVersion());
        SchemaUpgrade::Runner::Options options;
        options.allowBlocking = true;
        const SchemaUpgrade::Result result = runner.Run(options);
        if (result != SchemaUpgrade::Result::Done && result != SchemaUpgrade::Result::UpToDate)
            qFatal("blocking steps of %s: %s", qPrintable(schema), qPrintable(runner.Error()));
    }
    Report("upgrade: blocking steps (table copies) of the large first-release shop",
           "<= 300000 ms", {blocking.nsecsElapsed() / 1.0e6});
    return 0;
}
