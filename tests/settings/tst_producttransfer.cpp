#include "testsupport.h"
#include "seeddata.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "productcsv.h"
#include "producttransfer.h"
#include "producttransferflow.h"
#include "sqlutil.h"

#include <QBuffer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace QuillboxTest;
using ProductTransfer::ImportOutcome;

namespace {
ImportOutcome Import(const QByteArray &text, bool withCodes,
                     const ProductTransfer::ImportProgress &progress = {})
{
    QByteArray data = text;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    ProductTransfer::ProductImporter importer(Seed::Db(), withCodes);
    return importer.Import(buffer, progress);
}

// "category|name|code" per product, in ID order.
QStringList Products()
{
    return Seed::Column(
        "SELECT CONCAT(c.NAME, '|', p.NAME, '|', p.PRODUCT_CODE) FROM tblProducts p "
        "JOIN tblProductCategories c ON c.ID = p.CATEGORY_ID ORDER BY p.ID");
}

QString Skipped(const ImportOutcome &outcome)
{
    QStringList lines;
    for (const auto &skipped : outcome.skipped)
        lines << QStringLiteral("%1: %2").arg(skipped.line).arg(skipped.reason);
    return lines.join(QLatin1Char('\n'));
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
} // namespace

class TestProductTransfer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(TestServer::Configured(), "run through scripts/test"); }
    void init()
    {
        ResetState();
        m_dbs = std::make_unique<FreshDatabases>(FreshDatabases::Inventory);
        QVERIFY(m_dbs->IsValid());
    }
    void cleanup() { m_dbs.reset(); }

    void importLines_data()
    {
        QTest::addColumn<bool>("withCodes");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("products");
        QTest::addColumn<QString>("skipped");

        QTest::newRow("with codes") << true << QByteArray("Medicine,Aspirin,A-100\n")
                                    << QStringList{"Medicine|Aspirin|A-100"} << "";
        QTest::newRow("code is the new ID") << false << QByteArray("Medicine,Aspirin\n")
                                            << QStringList{"Medicine|Aspirin|1"} << "";
        QTest::newRow("wrong field counts are skipped")
            << true << QByteArray("Medicine,Aspirin\nMedicine,Ibuprofen,B-1\na,b,c,d\n")
            << QStringList{"Medicine|Ibuprofen|B-1"}
            << "1: 2 fields where 3 are expected\n3: 4 fields where 3 are expected";
        QTest::newRow("three fields without codes")
            << false << QByteArray("Medicine,Aspirin,A-1\nMedicine,Ibuprofen")
            << QStringList{"Medicine|Ibuprofen|1"} << "1: 3 fields where 2 are expected";
        QTest::newRow("leading blank is another category")
            << true << QByteArray("Medicine,A,1a\n Medicine,B,2b\nMedicine,C,3c\n")
            << QStringList{"Medicine|A|1a", " Medicine|B|2b", "Medicine|C|3c"} << "";
        QTest::newRow("last line without line end, CR LF")
            << true << QByteArray("Medicine,A,1a\r\n\r\nMedicine,B,2b")
            << QStringList{"Medicine|A|1a", "Medicine|B|2b"} << "";
        QTest::newRow("apostrophes and quoted commas as written")
            << true << QByteArray("Children's,O'Brien's Balm,C'1\nMedicine,\"Aspirin, 500mg\",X\n")
            << QStringList{"Children's|O'Brien's Balm|C'1", "Medicine|Aspirin, 500mg|X"} << "";
        QTest::newRow("duplicate codes are refused, the rest stays")
            << true << QByteArray("Medicine,A,A-1\nMedicine,B,A-1\nMedicine,C,C-1\n")
            << QStringList{"Medicine|A|A-1", "Medicine|C|C-1"}
            << "2: product code A-1 already exists";
        QTest::newRow("empty names are refused")
            << true << QByteArray(",A,A-1\nMedicine,,B-1\n") << QStringList{}
            << "1: empty category or product name\n2: empty category or product name";
        QTest::newRow("trailing comma: empty code is generated")
            << true << QByteArray("Medicine,A,\n") << QStringList{"Medicine|A|1"} << "";
        QTest::newRow("unclosed quote") << false << QByteArray("Medicine,A\nMedicine,\"B\nC,D\n")
                                        << QStringList{"Medicine|A|1"}
                                        << "2: a quoted field is not closed";
        QTest::newRow("too long a name")
            << true << (QByteArray("Medicine,") + QByteArray(151, 'x') + ",L-1\n")
            << QStringList{} << "1: a field is longer than the database allows";
    }

    void importLines()
    {
        QFETCH(bool, withCodes);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, products);
        QFETCH(QString, skipped);
        const ImportOutcome outcome = Import(file, withCodes);
        QCOMPARE(int(outcome.status), int(ImportOutcome::Status::Done));
        QCOMPARE(Products(), products);
        QCOMPARE(outcome.imported, products.size());
        QCOMPARE(Skipped(outcome), skipped);
        // Imported products are whole units without tax, description or picture.
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblProducts WHERE ITEMS_PER_UNIT <> 1 OR "
                             "TAX_RATE <> 0 OR DESCRIPTION IS NOT NULL OR IMAGE_FILE IS NOT NULL")
                     .toInt(),
                 0);
    }

    void generatedCodeTakenLeavesNoPlaceholder()
    {
        // The product with ID 1 carries the code "2", which the next generated code would be:
        // the batch is undone and its rows go in one by one under fresh IDs.
        QCOMPARE(Import("Medicine,First,2\n", true).imported, 1);
        const ImportOutcome outcome = Import("Medicine,Second\nMedicine,Third\n", false);
        QCOMPARE(Skipped(outcome), QString());
        QCOMPARE(Products(), (QStringList{"Medicine|First|2", "Medicine|Second|4", "Medicine|Third|5"}));

        // One row at a time the same clash refuses the line and leaves no row behind.
        QCOMPARE(Seed::AddProduct(Seed::AddCategory("Other"), "7"), 6);
        TransactionGuard transaction(Seed::Db());
        ProductTransfer::ProductImporter importer(Seed::Db(), false);
        QCOMPARE(importer.InsertIntoDB("Medicine", "Fourth", QString()),
                 QStringLiteral("product code 7 already exists"));
        QVERIFY(transaction.Commit());
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblProducts WHERE PRODUCT_CODE LIKE 'AAAA%' "
                             "OR NAME = 'Fourth'").toInt(),
                 0);
    }

    void cancelRollsEverythingBack()
    {
        Seed::AddCategory("Existing");
        QByteArray file;
        for (int i = 0; i < ProductTransfer::ProductImporter::LinesPerBatch * 2; ++i)
            file += "New category " + QByteArray::number(i % 3) + ",Product " + QByteArray::number(i)
                    + "\n";
        int calls = 0;
        const ImportOutcome outcome = Import(file, false, [&calls](qint64, qint64) {
            return ++calls < 2;
        });
        QCOMPARE(int(outcome.status), int(ImportOutcome::Status::Cancelled));
        QCOMPARE(calls, 2);
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblProducts").toInt(), 0);
        QCOMPARE(Seed::Column("SELECT NAME FROM tblProductCategories"), QStringList{"Existing"});

        // Progress is reported per batch of lines, not per line.
        calls = 0;
        const ImportOutcome done = Import(file, false, [&calls](qint64, qint64) {
            ++calls;
            return true;
        });
        QCOMPARE(done.imported, ProductTransfer::ProductImporter::LinesPerBatch * 2);
        QCOMPARE(calls, 3);
    }

    void aLockConflictReplaysTheWholeFile()
    {
        // Another till holds the code of the file's last line until the import's second try.
        const int category = Seed::AddCategory("Existing");
        QSqlDatabase other = QSqlDatabase::cloneDatabase(Seed::Db(), "OTHER_TILL");
        QVERIFY(other.open());
        QVERIFY(other.transaction());
        QSqlQuery hold(other);
        hold.prepare("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT) "
                     "VALUES (?, 'HELD', 'Held', 1)");
        hold.addBindValue(category);
        QVERIFY_SQL(hold, exec());
        QSqlQuery wait(Seed::Db());
        QVERIFY_SQL(wait, exec("SET SESSION innodb_lock_wait_timeout = 1"));
        QByteArray file;
        for (int i = 0; i < ProductTransfer::ProductImporter::LinesPerBatch; ++i)
            file += "New category,Product " + QByteArray::number(i) + ",C" + QByteArray::number(i) + "\n";
        file += "New category,Late,HELD\n";
        int calls = 0;
        const ImportOutcome outcome = Import(file, true, [&](qint64, qint64) {
            if (++calls == 2)
                other.rollback();
            return true;
        });
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("OTHER_TILL");
        QCOMPARE(int(outcome.status), int(ImportOutcome::Status::Done));
        QCOMPARE(Skipped(outcome), QString());
        QCOMPARE(outcome.imported, ProductTransfer::ProductImporter::LinesPerBatch + 1);
        QCOMPARE(calls, 3); // the first try's batch, then the replay's batch and its end
        // The first try's category went with it: the products name the one that stayed.
        QCOMPARE(Seed::Column("SELECT NAME FROM tblProductCategories ORDER BY ID"),
                 (QStringList{"Existing", "New category"}));
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblProducts p JOIN tblProductCategories c ON "
                             "c.ID = p.CATEGORY_ID WHERE c.NAME = 'New category'").toInt(),
                 ProductTransfer::ProductImporter::LinesPerBatch + 1);
    }

    void importReport()
    {
        ImportOutcome outcome;
        outcome.imported = 3;
        QCOMPARE(ProductTransfer::ImportReport(outcome),
                 QStringLiteral("Product data imported successfully."));
        for (int line = 1; line <= 25; ++line)
            outcome.skipped.append({line, QStringLiteral("2 fields where 3 are expected")});
        const QString report = ProductTransfer::ImportReport(outcome);
        QVERIFY2(report.startsWith("3 product(s) imported. 25 line(s) skipped:\nLine 1: 2 fields"),
                 qPrintable(report));
        QVERIFY(report.contains("\nLine 20: "));
        QVERIFY(!report.contains("\nLine 21: "));
        QVERIFY(report.endsWith("\n... and 5 more."));
        outcome.status = ImportOutcome::Status::Cancelled;
        QVERIFY(ProductTransfer::ImportReport(outcome).startsWith("Import cancelled."));
    }

    void importFromTheMenuReportsSkippedLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("products.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Medicine,Aspirin,A-100\nMedicine,Ibuprofen\n");
        file.close();

        DialogDriver driver;
        driver.Expect("Import", "1 product(s) imported. 1 line(s) skipped:\nLine 2: 2 fields");
        ProductTransferFlow::ImportFile(nullptr, path, true);
        QVERIFY_DIALOGS(driver);

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Medicine,Ibuprofen\n");
        file.close();
        driver.Expect("Import", "Product data imported successfully.");
        ProductTransferFlow::ImportFile(nullptr, path, false);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Products(), (QStringList{"Medicine|Aspirin|A-100", "Medicine|Ibuprofen|2"}));
    }

    void exportLines_data()
    {
        QTest::addColumn<bool>("forScanner");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("normal") << false << "inventory_export.csv"
                                << QByteArray("PRODUCT NAME,BARCODE\nPanadol,123\n"
                                              "\"Aspirin, \"\"Extra\"\"\",456\n");
        QTest::newRow("scanner") << true << "inventory_export_for_scanner.csv"
                                 << QByteArray("PRODUCT NAME,BARCODE\nPanadol,*123*\n"
                                               "\"Aspirin, \"\"Extra\"\"\",*456*\n");
    }

    void exportLines()
    {
        QFETCH(bool, forScanner);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        const int category = Seed::AddCategory("Medicine");
        const int vendor = Seed::AddVendor("Vendor");
        Seed::AddBatch(Seed::AddProduct(category, "P-1", "Panadol"), vendor, "123");
        Seed::AddBatch(Seed::AddProduct(category, "P-2", "Aspirin, \"Extra\""), vendor, "456");

        QTemporaryDir dir;
        QFile::remove(dir.filePath(fileName));
        DialogDriver driver;
        driver.Expect("Export", "Inventory data exported successfully to file " + dir.path() + "/"
                                    + fileName);
        ProductTransferFlow::ExportToFolder(nullptr, dir.path(), forScanner);
        QVERIFY_DIALOGS(driver);
        const QByteArray written = ReadFile(dir.filePath(fileName));
        QCOMPARE(written, content);
        QCOMPARE(AppSettings::Instance().Settings()->value("RECENT_LOCATION").toString(),
                 dir.path());

        // The quoted name reads back as it was stored.
        const auto records = ProductCsv::Reader::ReadAll(QString::fromUtf8(written));
        QCOMPARE(records.size(), 3);
        QCOMPARE(records.at(2).fields.at(0), QStringLiteral("Aspirin, \"Extra\""));
    }

    void exportFailures()
    {
        QTemporaryDir dir;
        // The target cannot be opened: said so, never "exported successfully".
        DialogDriver driver;
        driver.Expect("Export", "Could not write the file " + dir.path() + "/missing/inventory");
        ProductTransferFlow::ExportToFolder(nullptr, dir.filePath("missing"), false);
        QVERIFY_DIALOGS(driver);

        // A failing query leaves a file holding nothing.
        const QString path = dir.filePath("inventory_export.csv");
        QVERIFY(FreshDatabases::ExecAdmin(m_dbs->InventoryName(), "DROP TABLE tblInventory"));
        driver.Expect("Export", "Error occurred while exporting data.");
        ProductTransferFlow::ExportToFolder(nullptr, dir.path(), false);
        QVERIFY_DIALOGS(driver);
        QVERIFY(QFile::exists(path));
        QCOMPARE(ReadFile(path), QByteArray());
    }

private:
    std::unique_ptr<FreshDatabases> m_dbs;
};

QUILLBOX_TEST_MAIN(TestProductTransfer)
#include "tst_producttransfer.moc"
