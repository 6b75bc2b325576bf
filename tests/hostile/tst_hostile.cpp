#include "testsupport.h"

#include "cataloguestore.h"
#include "partystore.h"
#include "productcsv.h"
#include "seeddata.h"

#include <QSqlTableModel>

using QuillboxTest::FreshDatabases;
namespace Seed = QuillboxTest::Seed;

namespace {

// Every table and column of the inventory schema, so a statement that text managed to alter
// shows up as a difference.
QStringList SchemaShape(const QString &schema)
{
    return Seed::Column(QStringLiteral("SELECT CONCAT(TABLE_NAME, '.', COLUMN_NAME, ' ', COLUMN_TYPE) "
                                       "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = ? "
                                       "ORDER BY TABLE_NAME, ORDINAL_POSITION"),
                        {schema});
}

int RowCount(const char *table)
{
    return Seed::Value(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).toInt();
}

// Text a user may type anywhere.
void HostileTable()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mayRefuse"); // too long for a column, or not storable at all
    QTest::newRow("apostrophe") << "O'Brien's" << false;
    QTest::newRow("injection") << "' OR 1=1 -- " << false;
    QTest::newRow("backslash") << "C:\\shop\\' \\\\" << false;
    QTest::newRow("wildcards") << "50% _off_" << false;
    QTest::newRow("300 characters") << QString(300, QLatin1Char('x')) << true;
    QTest::newRow("arabic") << QString::fromUtf8("صيدلية النور") << false;
    QTest::newRow("chinese") << QString::fromUtf8("药房 维生素") << false;
    QTest::newRow("emoji") << QString::fromUtf8("Pill \xF0\x9F\x92\x8A") << false;
    QTest::newRow("html") << "<b>&amp;</b> &" << false;
    QTest::newRow("nul byte") << QString::fromUtf8("a\0b", 3) << true;
}

} // namespace

// Text a user may type anywhere: each is either stored and found exactly as typed, or refused
// with nothing written; no statement changes meaning and the schema stays as created.
class TestHostile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void textIsStoredOrRefused_data() { HostileTable(); }
    void textIsStoredOrRefused()
    {
        QFETCH(QString, text);
        QFETCH(bool, mayRefuse);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const QStringList shape = SchemaShape(dbs.InventoryName());
        QVERIFY(!shape.isEmpty());
        QSqlDatabase &db = Seed::Db();

        // Categories: the name.
        {
            const auto result = PartyStore::AddCategory(db, text);
            if (result == PartyStore::Result::Done) {
                QCOMPARE(Seed::Column("SELECT NAME FROM tblProductCategories"), QStringList{text});
                QCOMPARE(PartyStore::CountCategoriesNamed(db, text), 1);
            } else {
                QVERIFY2(mayRefuse, "category refused");
                QCOMPARE(RowCount(PartyStore::CategoriesTable), 0);
            }
        }

        // Vendors and customers: each of the four texts, then the list search for it.
        for (const char *table : {PartyStore::VendorsTable, PartyStore::CustomersTable}) {
            const QString t = QLatin1String(table);
            for (int field = 0; field < 4; ++field) {
                PartyStore::Party party{QStringLiteral("Plain"), QString(), QString(), QString()};
                QString *slot[] = {&party.name, &party.address, &party.email, &party.contact};
                *slot[field] = text;
                const int before = RowCount(table);
                if (PartyStore::AddParty(db, table, party) != PartyStore::Result::Done) {
                    QVERIFY2(mayRefuse, qPrintable(t + " refused field " + QString::number(field)));
                    QCOMPARE(RowCount(table), before);
                    continue;
                }
                QSqlTableModel model(nullptr, db);
                model.setTable(t);
                model.setFilter(PartyStore::ContainsFilter(db, text));
                QVERIFY2(model.select(), qPrintable(model.lastError().text()));
                QCOMPARE(model.rowCount(), 1);
                const QSqlRecord row = model.record(0);
                const QStringList columns{"NAME", "ADDRESS", "EMAIL", "CONTACT_NUMBER"};
                QCOMPARE(row.value(columns[field]).toString(), text);
                Seed::Exec(QStringLiteral("DELETE FROM %1").arg(t));
            }
        }

        // Products: code, name and description, looked up again by the code.
        const int category = Seed::AddCategory("Plain");
        const int vendor = Seed::AddVendor("Plain");
        QVERIFY(category > 0 && vendor > 0);
        CatalogueStore::Product product;
        product.categoryId = category;
        product.code = text;
        product.name = text;
        product.description = text;
        QString stored;
        const auto productResult = CatalogueStore::InsertProduct(db, product, false, &stored);
        if (productResult == CatalogueStore::Result::Done) {
            CatalogueStore::ProductDetails details;
            QVERIFY(CatalogueStore::LookupProduct(db, text, &details));
            QVERIFY(details.found);
            QCOMPARE(details.name, text);
            QCOMPARE(details.description, text);
        } else {
            QVERIFY2(mayRefuse, "product refused");
            QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblProducts").toInt(), 0);
        }

        // Batches: barcode, batch number and storage location.
        const int productId = Seed::AddProduct(category, QStringLiteral("P1"));
        QVERIFY(productId > 0);
        CatalogueStore::Batch batch;
        batch.productId = productId;
        batch.vendorId = vendor;
        batch.barCode = text;
        batch.batchNumber = text;
        batch.storageLocation = text;
        batch.expiryDate = QDate(2030, 1, 1);
        batch.quantity = 1;
        if (CatalogueStore::InsertBatch(db, batch) == CatalogueStore::Result::Done) {
            const QStringList stored = Seed::Column(
                "SELECT CONCAT_WS('|', BAR_CODE, BATCH_NUMBER, STORAGE_LOCATION) FROM tblInventory "
                "WHERE BAR_CODE = ?",
                {text});
            const QString expected = QStringList{text, text, text}.join('|');
            QCOMPARE(stored, QStringList{expected});
        } else {
            QVERIFY2(mayRefuse, "batch refused");
            QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblInventory").toInt(), 0);
        }

        QCOMPARE(SchemaShape(dbs.InventoryName()), shape);
    }

    // Import files: a line written by the export reads back into the same fields.
    void csvFieldsReadBackAsWritten_data() { HostileTable(); }
    void csvFieldsReadBackAsWritten()
    {
        QFETCH(QString, text);
        const QStringList fields{text, QStringLiteral("plain"), text + QStringLiteral(",\"\n")};
        const auto records = ProductCsv::Reader::ReadAll(ProductCsv::FormatLine(fields) + "\n");
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first().fields, fields);
        QVERIFY(!records.first().unclosedQuote);
    }
};

QUILLBOX_TEST_MAIN(TestHostile)
#include "tst_hostile.moc"
