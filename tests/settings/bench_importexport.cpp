// Speed of product import, stock export and backup at the shop's scale: bench_importexport [runs]
// Run by scripts/bench against its throw-away server; not part of the test suite.

#include "benchsupport.h"
#include "testsupport.h"

#include "databasedump.h"
#include "dbmanager.h"
#include "producttransfer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTemporaryFile>

using namespace QuillboxTest;

namespace {
constexpr int kImportLines = 100000;
constexpr int kProducts = 100000;
constexpr int kBatches = 200000;

bool Exec(const QString &sql)
{
    QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
    if (query.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}

double Elapsed(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

// 100,000 lines over 40 categories; with codes when asked. Some names need quoting.
QString WriteImportFile(const QTemporaryDir &dir, bool withCodes)
{
    const QString path = dir.filePath(withCodes ? "with_codes.csv" : "without_codes.csv");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray text;
    for (int i = 0; i < kImportLines; ++i) {
        text += "Category " + QByteArray::number(i % 40) + ",";
        if (i % 10 == 0)
            text += "\"Tablets, " + QByteArray::number(i) + " mg\"";
        else
            text += "Product " + QByteArray::number(i);
        if (withCodes)
            text += ",IMP-" + QByteArray::number(i);
        text += "\r\n";
    }
    file.write(text);
    return path;
}

void BenchImport(const QTemporaryDir &dir, bool withCodes, int runs)
{
    const QString path = WriteImportFile(dir, withCodes);
    QVector<double> samples;
    for (int run = 0; run < runs; ++run) {
        FreshDatabases dbs(FreshDatabases::Inventory);
        if (!dbs.IsValid())
            qFatal("no schema");
        QFile file(path);
        file.open(QIODevice::ReadOnly | QIODevice::Text);
        QElapsedTimer timer;
        timer.start();
        ProductTransfer::ProductImporter importer(CDBManager::Instance().GetInventoryDataBase(),
                                                  withCodes);
        const auto outcome = importer.Import(file, [](qint64, qint64) {
            QCoreApplication::processEvents();
            return true;
        });
        samples.append(Elapsed(timer));
        if (outcome.imported != kImportLines)
            qFatal("imported %d of %d", outcome.imported, kImportLines);
    }
    QuillboxBench::Report(withCodes ? "import 100,000 lines with codes"
                                    : "import 100,000 lines without codes (code = ID)",
                          "<= 20000 ms", samples);
}

bool FillShop()
{
    return Exec("INSERT INTO tblProductCategories (NAME) SELECT CONCAT('Category ', seq) FROM seq_1_to_50")
           && Exec("INSERT INTO tblVendors (NAME) VALUES ('Vendor')")
           && Exec(QStringLiteral("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, "
                                  "ITEMS_PER_UNIT) SELECT 1 + seq % 50, CONCAT('P-', seq), "
                                  "IF(seq % 10 = 0, CONCAT('Tablets, ', seq, ' mg'), "
                                  "CONCAT('Product ', seq)), 1 FROM seq_1_to_%1")
                       .arg(kProducts))
           && Exec(QStringLiteral("INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, "
                                  "BATCH_NUMBER, EXPIRY_DATE, STORAGE_LOCATION, PURCHASE_PRICE, "
                                  "SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, DISCOUNT) SELECT "
                                  "1 + seq % %1, 1, CONCAT('BC', seq), 'L1', '2030-01-01', 'Shelf', "
                                  "1.5, 2.5, 10, 0, 1, 0 FROM seq_1_to_%2")
                       .arg(kProducts)
                       .arg(kBatches));
}

void BenchExport(const QTemporaryDir &dir, int runs)
{
    const QString path = dir.filePath("inventory_export.csv");
    const QVector<double> samples = QuillboxBench::Time(runs, [&path] {
        const auto result = ProductTransfer::ExportInventory(
            CDBManager::Instance().GetInventoryDataBase(), path, false,
            [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
        if (result != ProductTransfer::ExportResult::Done)
            qFatal("export failed");
    });
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    int lines = 0;
    while (!file.atEnd()) {
        file.readLine();
        ++lines;
    }
    if (lines != kBatches + 1)
        qFatal("exported %d lines", lines);
    QuillboxBench::Report("export 200,000 batches", "<= 5000 ms", samples);
}

int Count(const QString &schema, const char *table)
{
    QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
    query.exec(QStringLiteral("SELECT COUNT(*) FROM `%1`.%2").arg(schema, QLatin1String(table)));
    return query.next() ? query.value(0).toInt() : -1;
}

void BenchBackup(const QTemporaryDir &dir, const QString &schema, int runs)
{
    const DatabaseDump::Account account{TestServer::Host(), TestServer::Port(), TestServer::User(),
                                        TestServer::Password()};
    const QString dump = dir.filePath("inventory.sql");
    const QVector<double> samples = QuillboxBench::Time(runs, [&] {
        QVector<DatabaseDump::Job> jobs(1);
        jobs[0].schema = schema;
        jobs[0].outputPath = dump;
        if (!DatabaseDump::Run(DatabaseDump::DefaultTool(), account, jobs))
            qFatal("backup failed: %s", qPrintable(jobs[0].message));
    }, false);
    QuillboxBench::Report("backup of 100,000 products and 200,000 batches", "completes", samples);

    // The dump restores with the same rows.
    const QString restored = FreshDatabases::UniqueName("qbrest");
    FreshDatabases::ExecAdmin(QString(), "CREATE DATABASE `" + restored + "`");
    QTemporaryFile options;
    options.open();
    options.write(DatabaseDump::OptionFileText(account).toUtf8());
    options.flush();
    QElapsedTimer timer;
    timer.start();
    QProcess client;
    client.setStandardInputFile(dump);
    client.start("mariadb", {"--defaults-extra-file=" + options.fileName(), restored});
    client.waitForFinished(-1);
    const double restoreMs = Elapsed(timer);
    for (const char *table : {"tblProductCategories", "tblProducts", "tblInventory"}) {
        if (client.exitCode() != 0 || Count(restored, table) != Count(schema, table))
            qFatal("restore differs in %s", table);
    }
    FreshDatabases::DropSchema(restored);
    QuillboxBench::Report("restore of that backup, same row counts", "completes", {restoreMs});
}
} // namespace

int main(int argc, char *argv[])
{
    PrepareEnvironment();
    QApplication app(argc, argv);
    AfterApplication();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    if (!TestServer::Configured())
        qFatal("run through scripts/bench");
    QTemporaryDir dir;

    BenchImport(dir, true, runs);
    BenchImport(dir, false, runs);

    FreshDatabases shop(FreshDatabases::Inventory);
    if (!shop.IsValid() || !FillShop())
        qFatal("could not fill the shop");
    BenchExport(dir, runs * 2);
    BenchBackup(dir, shop.InventoryName(), 1);
    return 0;
}
