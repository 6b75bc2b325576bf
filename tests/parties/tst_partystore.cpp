#include "testsupport.h"

#include "partystore.h"
#include "partytesthelpers.h"

#include <QSqlTableModel>

using QuillboxTest::FreshDatabases;
using PartyStore::Result;

Q_DECLARE_METATYPE(PartyStore::Result)

class TestPartyStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void filterMatchesTextLiterally_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty shows all") << QString()
            << QStringList{"Ann", "O'Brien", "Sale 50% off", "Sale 500 off", "a_b", "axb",
                           "Path", "Quote"};
        QTest::newRow("name") << "ann" << QStringList{"Ann"};
        QTest::newRow("address") << "harbour" << QStringList{"Ann", "axb"};
        QTest::newRow("email") << "gmail" << QStringList{"Ann", "Sale 500 off", "Quote"};
        QTest::newRow("contact") << "0777" << QStringList{"a_b", "Path"};
        QTest::newRow("apostrophe") << "O'Brien" << QStringList{"O'Brien"};
        QTest::newRow("percent is literal") << "50% off" << QStringList{"Sale 50% off"};
        QTest::newRow("underscore is literal") << "a_b" << QStringList{"a_b"};
        QTest::newRow("backslash") << "C:\\shop" << QStringList{"Path"};
        QTest::newRow("quote cannot end the literal") << "' OR '1'='1" << QStringList{"Quote"};
        QTest::newRow("no match") << "zzz" << QStringList();
    }
    void filterMatchesTextLiterally()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        for (const char *table : {PartyStore::VendorsTable, PartyStore::CustomersTable}) {
            const QString t = QLatin1String(table);
            QVERIFY(PartyTest::AddParty(t, "Ann", "1 Harbour Rd", "ann@gmail.com", "555") > 0);
            QVERIFY(PartyTest::AddParty(t, "O'Brien", "Main St", "ob@example.com", "556") > 0);
            QVERIFY(PartyTest::AddParty(t, "Sale 50% off", "", "", "") > 0);
            QVERIFY(PartyTest::AddParty(t, "Sale 500 off", "", "promo@gmail.com", "") > 0);
            QVERIFY(PartyTest::AddParty(t, "a_b", "", "", "0777 1") > 0);
            QVERIFY(PartyTest::AddParty(t, "axb", "Harbour", "", "") > 0);
            QVERIFY(PartyTest::AddParty(t, "Path", "C:\\shop\\in", "", "0777 2") > 0);
            QVERIFY(PartyTest::AddParty(t, "Quote", "' OR '1'='1", "q@gmail.com", "") > 0);

            QSqlTableModel model(nullptr, PartyTest::Db());
            model.setTable(t);
            model.setFilter(PartyStore::ContainsFilter(PartyTest::Db(), text));
            QVERIFY2(model.select(), qPrintable(model.lastError().text()));
            QStringList names;
            for (int row = 0; row < model.rowCount(); ++row)
                names << model.record(row).value("NAME").toString();
            QCOMPARE(names, expected);
        }
    }

    void categoryNamesCompareIgnoringCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::newRow("same") << "Food" << 1;
        QTest::newRow("lower") << "food" << 1;
        QTest::newRow("upper") << "FOOD" << 1;
        QTest::newRow("leading blank") << " Food" << 0;
        QTest::newRow("longer") << "Foods" << 0;
        QTest::newRow("apostrophe") << "Kid's" << 1;
        QTest::newRow("apostrophe other case") << "KID'S" << 1;
        QTest::newRow("quote injection") << "x' OR '1'='1" << 0;
    }
    void categoryNamesCompareIgnoringCase()
    {
        QFETCH(QString, name);
        QFETCH(int, count);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        QCOMPARE(PartyStore::AddCategory(PartyTest::Db(), "Food"), Result::Done);
        QCOMPARE(PartyStore::AddCategory(PartyTest::Db(), "Kid's"), Result::Done);
        QCOMPARE(PartyStore::CountCategoriesNamed(PartyTest::Db(), name), count);
    }

    void duplicateCategoryRefusedByServerIsReported()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        QCOMPARE(PartyStore::AddCategory(PartyTest::Db(), "Food"), Result::Done);
        const int drinks = PartyTest::AddCategory("Drinks");
        // What a second workstation could do between the check and the write.
        QCOMPARE(PartyStore::AddCategory(PartyTest::Db(), "Food"), Result::Duplicate);
        QCOMPARE(PartyStore::RenameCategory(PartyTest::Db(), drinks, "Food"), Result::Duplicate);
        QCOMPARE(PartyTest::Column("SELECT NAME FROM tblProductCategories ORDER BY ID"),
                 QStringList({"Food", "Drinks"}));
    }

    // The checked deletes and the bare one: rows that stock still refers to stay, whether the
    // count or the server's foreign key catches it.
    void referencedRowsStay_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<Result>("expected");
        QTest::newRow("category with products") << "category" << true << Result::InUse;
        QTest::newRow("category, server refuses") << "category" << false << Result::InUse;
        QTest::newRow("vendor with batches") << "vendor" << true << Result::InUse;
        QTest::newRow("vendor, server refuses") << "vendor" << false << Result::InUse;
        QTest::newRow("vendor named by an order") << "ordered vendor" << true << Result::Failed;
    }
    void referencedRowsStay()
    {
        QFETCH(QString, kind);
        QFETCH(bool, checked);
        QFETCH(Result, expected);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = PartyTest::AddCategory("Food");
        const int product = PartyTest::AddProduct(category, "P1");
        const int vendor = PartyTest::AddParty("tblVendors", "Acme");
        QVERIFY(category > 0 && product > 0 && vendor > 0);
        QSqlDatabase &db = PartyTest::Db();
        Result result;
        QString table;
        if (kind == "category") {
            table = "tblProductCategories";
            result = checked ? PartyStore::DeleteCategory(db, category)
                             : PartyStore::DeleteById(db, PartyStore::CategoriesTable, category);
        } else {
            table = "tblVendors";
            if (kind == "vendor")
                QVERIFY(PartyTest::AddBatch(product, vendor, "111") > 0);
            else
                QVERIFY(PartyTest::AddPurchaseOrder(vendor) > 0);
            result = checked ? PartyStore::DeleteVendor(db, vendor)
                             : PartyStore::DeleteById(db, PartyStore::VendorsTable, vendor);
        }
        QCOMPARE(result, expected);
        QCOMPARE(PartyTest::Column("SELECT Count(*) FROM " + table), QStringList{"1"});
    }

    void unreferencedRowsGo()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        QSqlDatabase &db = PartyTest::Db();
        const int used = PartyTest::AddCategory("Used");
        const int unused = PartyTest::AddCategory("Unused");
        QVERIFY(PartyTest::AddProduct(used, "P1") > 0);
        const int vendor = PartyTest::AddParty("tblVendors", "Acme");
        const int customer = PartyTest::AddParty("tblCustomers", "Ann");
        QCOMPARE(PartyStore::DeleteCategory(db, unused), Result::Done);
        QCOMPARE(PartyStore::DeleteVendor(db, vendor), Result::Done);
        QCOMPARE(PartyStore::DeleteCustomer(db, customer), Result::Done);
        QCOMPARE(PartyTest::Column("SELECT NAME FROM tblProductCategories"), QStringList{"Used"});
        QCOMPARE(PartyTest::Column("SELECT Count(*) FROM tblVendors"), QStringList{"0"});
        QCOMPARE(PartyTest::Column("SELECT Count(*) FROM tblCustomers"), QStringList{"0"});
    }
};

QUILLBOX_TEST_MAIN(TestPartyStore)
#include "tst_partystore.moc"
