// Speed of the till at shop scale: 100,000 products and 200,000 batches, 5,000 of them on the
// quick-sale panel; then the large demo shop with two years of sales, while another connection
// reads the sales report and the backup reads everything. Prints one row per measure for
// scripts/bench.

#include "benchsupport.h"
#include "databasedump.h"
#include "demoshop.h"
#include "managementreports.h"
#include "postesthelpers.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using QuillboxBench::Report;
using QuillboxTest::FreshDatabases;

namespace {
bool Fill(const QString &schema)
{
    const char *statements[] = {
        "INSERT INTO tblProductCategories (NAME) SELECT CONCAT('Category ', seq) FROM seq_1_to_20",
        "INSERT INTO tblVendors (NAME) VALUES ('Acme')",
        "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, TAX_RATE) "
        "SELECT 1 + seq % 20, CONCAT('P', seq), CONCAT('Product ', seq), 1 + seq % 10, "
        "(seq % 3) * 8 FROM seq_1_to_100000",
        "INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
        "PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, DISCOUNT) SELECT "
        "1 + seq % 100000, 1, CONCAT('BC', seq), 'L1', '2030-01-01', 1.5, 2.5, 100000, 0, "
        "IF(seq % 40 = 0, 1, 0), seq % 5 FROM seq_1_to_200000",
        "ANALYZE TABLE tblInventory, tblProducts, tblProductCategories",
    };
    for (const char *sql : statements) {
        QString error;
        if (!FreshDatabases::ExecAdmin(schema, QString::fromLatin1(sql), &error)) {
            qWarning("fill failed: %s", qPrintable(error));
            return false;
        }
    }
    return true;
}

QString Code(int n)
{
    // Spread over the table so the server's cache does not only ever see one page.
    return QStringLiteral("BC%1").arg(1 + (n * 7919) % 200000);
}

QSqlDatabase OpenOwn(const QString &name, const QString &schema)
{
    QSqlDatabase db = QuillboxTest::TestServer::Connection(name, schema);
    if (!db.open())
        qFatal("%s: %s", qPrintable(name), qPrintable(db.lastError().text()));
    return db;
}

// The 30-day sales report as the report screen asks for it: the totals and every row grouped by
// product, read to the end, on a connection of its own; again and again until stopped.
void ReportLoad(const QString &schema, const std::atomic<bool> &stop, std::atomic<int> &runs)
{
    using namespace ManagementReports;
    {
        QSqlDatabase db = OpenOwn(QStringLiteral("reportload"), schema);
        const Period month = PresetPeriod(Preset::Last30Days, QDate::currentDate());
        while (!stop) {
            Totals totals;
            QSqlError error;
            if (!QueryTotals(db, month, &totals, &error))
                qFatal("report totals: %s", qPrintable(error.text()));
            QSqlQuery rows(db);
            rows.setForwardOnly(true);
            rows.prepare(GroupingStatement(Grouping::Product, QStringLiteral("st.TIME_STAMP"))
                         + QStringLiteral(" ORDER BY ") + GroupingOrder());
            const QVariantMap bindings = PeriodBindings(month);
            for (auto it = bindings.cbegin(); it != bindings.cend(); ++it)
                rows.bindValue(it.key(), it.value());
            if (!rows.exec())
                qFatal("report rows: %s", qPrintable(rows.lastError().text()));
            while (rows.next()) {
            }
            ++runs;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("reportload"));
}

// The backup's own dump of both schemas in one snapshot, again and again until stopped.
void BackupLoad(const QStringList &schemas, const std::atomic<bool> &stop, std::atomic<int> &runs)
{
    using QuillboxTest::TestServer;
    QTemporaryDir dir;
    const QString options = dir.filePath(QStringLiteral("client.cnf"));
    {
        QFile file(options);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("backup option file");
        file.write(DatabaseDump::OptionFileText({TestServer::Host(), TestServer::Port(),
                                                 TestServer::User(), TestServer::Password()})
                       .toUtf8());
    }
    const QString tool = DatabaseDump::DefaultTool();
    while (!stop) {
        QProcess dump;
        dump.start(tool, DatabaseDump::ArgumentsForAll(options, schemas,
                                                       dir.filePath(QStringLiteral("all.sql"))));
        while (!dump.waitForFinished(100)) {
            if (stop) {
                dump.kill();
                dump.waitForFinished();
                return;
            }
        }
        if (dump.exitCode() != 0)
            qFatal("backup: %s", dump.readAllStandardError().constData());
        ++runs;
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    QuillboxTest::ResetState();
    PosTest::SetTillSettings(true);

    FreshDatabases dbs;
    if (!dbs.IsValid() || !Fill(dbs.InventoryName()))
        return 1;

    int next = 0;
    QVector<double> all, first, last;
    {
        CPOS pos;
        PosTest::Till till(pos);
        pos.show();
        QApplication::processEvents();
        for (int basket = 0; basket < 5; ++basket) {
            for (int line = 1; line <= 200; ++line) {
                const double ms = PosTest::TimedScan(till, Code(next++));
                if (till.Lines() != line)
                    qFatal("scan refused: %s", qPrintable(till.status->text()));
                all.append(ms);
                if (line == 1)
                    first.append(ms);
                if (line == 200)
                    last.append(ms);
            }
            till.Pay("1000000");
            QApplication::processEvents();
        }
    }
    Report("scan to line (line, stock and open-basket record written)", "p95 <= 20 ms", all);
    Report("scan to line, line 1 of a basket", "-", first);
    Report("scan to line, line 200 of a basket", "<= 2 x line 1", last);

    QVector<double> pay;
    {
        CPOS pos;
        PosTest::Till till(pos);
        pos.show();
        for (int basket = 0; basket < 21; ++basket) {
            for (int line = 0; line < 50; ++line)
                PosTest::TimedScan(till, Code(next++));
            till.paid->setText("1000000");
            QElapsedTimer timer;
            timer.start();
            till.pay->click();
            const double ms = timer.nsecsElapsed() / 1.0e6;
            if (pos.State() != CPOS::SalePaid)
                qFatal("payment failed: %s", qPrintable(till.status->text()));
            if (basket > 0)
                pay.append(ms);
        }
    }
    Report("pay a 50-line basket (one commit, open-basket record cleared)", "<= 30 ms", pay);

    QVector<PosStore::PanelEntry> entries;
    Report("panel query (5,000 flagged batches)", "part of opening",
           QuillboxBench::Time(20, [&entries] {
               PosStore::LoadPanelEntries(CDBManager::Instance().GetInventoryDataBase(), &entries);
           }));

    QVector<double> open, flip;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto pos = std::make_unique<CPOS>();
        pos->resize(1366, 768);
        pos->show();
        QApplication::processEvents();
        const double opened = timer.nsecsElapsed() / 1.0e6;
        PosTest::Till till(*pos);
        timer.restart();
        QTest::keyClick(till.barCode, Qt::Key_PageUp);
        QApplication::processEvents();
        const double flipped = timer.nsecsElapsed() / 1.0e6;
        if (run > 0) {
            open.append(opened);
            flip.append(flipped);
        }
    }
    Report("open the sale screen (5,000 panel batches)", "<= 100 ms", open);
    Report("flip a panel page", "<= 100 ms", flip);

    // The large demo shop, with batches of its own for the till so that no scan runs dry.
    CDBManager::Reset();
    FreshDatabases large;
    QString error;
    if (!large.IsValid()
        || !DemoShop::Fill(CDBManager::Instance().GetInventoryDataBase(), large.InventoryName(),
                           large.SalesName(), DemoShop::LargeScale(), QDate::currentDate(), {},
                           &error)
        || !FreshDatabases::ExecAdmin(
            large.InventoryName(),
            "INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, "
            "EXPIRY_DATE, PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, "
            "DISCOUNT) SELECT 1 + seq % 1000, 1, CONCAT('LS', seq), 'L1', '2031-01-01', 1.5, "
            "2.5, 1000000, 0, 0, 0 FROM seq_1_to_2000",
            &error))
        qFatal("large shop: %s", qPrintable(error));
    FreshDatabases::ExecAdmin(large.SalesName(),
                              "ANALYZE TABLE tblSalesTransactions, tblSalesInvoice");
    FreshDatabases::ExecAdmin(large.InventoryName(), "ANALYZE TABLE tblInventory, tblProducts");

    std::atomic<bool> stop{false};
    std::atomic<int> reports{0}, backups{0};
    QVector<double> loaded;
    {
        CPOS pos;
        PosTest::Till till(pos);
        pos.show();
        std::thread report(ReportLoad, large.SalesName(), std::cref(stop), std::ref(reports));
        std::thread backup(BackupLoad, QStringList{large.InventoryName(), large.SalesName()},
                           std::cref(stop), std::ref(backups));
        // Until both loads have run a few times, and at least 500 scans.
        for (int n = 0; loaded.size() < 500 || reports < 3 || backups < 2; ++n) {
            loaded.append(PosTest::TimedScan(till, QStringLiteral("LS%1").arg(1 + (n * 7919) % 2000)));
            if (till.Lines() == 50) {
                till.Pay("10000000");
                QApplication::processEvents();
            }
            if (n > 200000)
                qFatal("the loads did not finish");
        }
        stop = true;
        report.join();
        backup.join();
    }
    Report(QStringLiteral("scan to line while the 30-day sales report (%1 runs) and a backup (%2) "
                          "read the large shop")
               .arg(reports.load())
               .arg(backups.load()),
           "p95 <= 20 ms", loaded);
    return 0;
}
