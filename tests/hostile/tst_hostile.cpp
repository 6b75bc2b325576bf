#include "testsupport.h"
#include "../reports/reporttesthelpers.h"

#include "appsettings.h"
#include "cataloguerules.h"
#include "dbmanager.h"
#include "logindialog.h"
#include "useraccounts.h"
#include "manageusers.h"
#include "cataloguestore.h"
#include "managementreports.h"
#include "partystore.h"
#include "productcsv.h"
#include "purchaserules.h"
#include "purchasestore.h"
#include "receipt.h"
#include "reportengine.h"
#include "reportexpander.h"
#include "reportscript.h"
#include "saleshistory.h"
#include "seeddata.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QPushButton>
#include <QSqlQuery>
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

// The rows a list query returns, each as its fields joined by '|'.
QStringList ListRows(const Catalogue::ListQuery &query, const QSqlDatabase &db, QString *error)
{
    QSqlQuery q(db);
    QStringList rows;
    if (!q.prepare(query.sql)) {
        *error = q.lastError().text();
        return rows;
    }
    for (auto it = query.bindings.cbegin(); it != query.bindings.cend(); ++it)
        q.bindValue(it.key(), it.value());
    if (!q.exec()) {
        *error = q.lastError().text();
        return rows;
    }
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << q.value(i).toString();
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
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

        // Purchase orders: the notes and a line's code, name, batch and storage, together.
        PurchaseStore::Header header;
        header.vendorId = vendor;
        header.status = QStringLiteral("DRAFT");
        header.notes = text;
        PurchaseStore::Line line;
        line.itemCode = text;
        line.itemName = text;
        line.batch = text;
        line.storage = text;
        line.quantity = 1;
        line.expiry = QDate(2030, 1, 1);
        int order = -1;
        if (PurchaseStore::AddLine(db, &order, header, line)) {
            QVERIFY(order > 0);
            QCOMPARE(Seed::Column("SELECT NOTES FROM tblPOrders WHERE ID = ?", {order}),
                     QStringList{text});
            const QString expected = QStringList{text, text, text, text}.join('|');
            QCOMPARE(Seed::Column("SELECT CONCAT_WS('|', ITEM_CODE, ITEM_NAME, BATCH_NUMBER, "
                                  "STORAGE_LOCATION) FROM tblPODetails WHERE PORDER_ID = ?",
                                  {order}),
                     QStringList{expected});
        } else {
            QVERIFY2(mayRefuse, "purchase order refused");
            QCOMPARE(order, -1);
            QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblPODetails").toInt(), 0);
        }
        PurchaseStore::ItemInfo info;
        QVERIFY(PurchaseStore::LookupItem(db, text, &info));
        QCOMPARE(info.found, productResult == CatalogueStore::Result::Done);

        QCOMPARE(SchemaShape(dbs.InventoryName()), shape);
    }

    // The list searches: a search for stored text finds its own row and not the decoy, a row
    // that would match if '%' or '_' were wildcards (or a plain one when the text has none).
    void searchesFindExactlyTheirRow_data() { HostileTable(); }
    void searchesFindExactlyTheirRow()
    {
        QFETCH(QString, text);
        QFETCH(bool, mayRefuse);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        const QStringList shape = SchemaShape(dbs.InventoryName());
        QSqlDatabase &db = Seed::Db();

        QString decoy = text;
        decoy.replace(QLatin1Char('%'), QLatin1Char('X')).replace(QLatin1Char('_'), QLatin1Char('Y'));
        if (decoy == text)
            decoy = QStringLiteral("Decoy");
        const int category = Seed::AddCategory("Plain");
        QVERIFY(category > 0);
        const int vendor = Seed::AddVendor(text);
        const int product = Seed::AddProduct(category, text);
        const int batch = product > 0 && vendor > 0 ? Seed::AddBatch(product, vendor, text) : 0;
        if (vendor <= 0 || product <= 0 || batch <= 0) {
            QVERIFY2(mayRefuse, "seed refused");
            return;
        }
        const int decoyVendor = Seed::AddVendor(decoy);
        const int decoyProduct = Seed::AddProduct(category, decoy);
        QVERIFY(decoyVendor > 0 && decoyProduct > 0);
        QVERIFY(Seed::AddBatch(decoyProduct, decoyVendor, decoy) > 0);
        QVERIFY(Seed::AddPurchaseOrder(vendor) > 0);
        QVERIFY(Seed::AddPurchaseOrder(decoyVendor) > 0);

        struct Search
        {
            const char *what;
            Catalogue::ListQuery query;
        };
        const Search searches[] = {
            {"product name", Catalogue::ProductSearch(text, QString())},
            {"product name, by key", Catalogue::ProductSearch(text, QString(), db)},
            {"product code", Catalogue::ProductSearch(QString(), text)},
            {"product code, by key", Catalogue::ProductSearch(QString(), text, db)},
            {"batch product name", Catalogue::InventorySearch(text, QString())},
            {"batch product name, by key", Catalogue::InventorySearch(text, QString(), db)},
            {"batch bar code", Catalogue::InventorySearch(QString(), text)},
            {"batch bar code, by key", Catalogue::InventorySearch(QString(), text, db)},
            {"order vendor", Purchasing::OrderSearch(text, QString())},
        };
        for (const Search &search : searches) {
            QString error;
            const QStringList rows = ListRows(search.query, db, &error);
            QVERIFY2(error.isEmpty(), qPrintable(QLatin1String(search.what) + ": " + error));
            QVERIFY2(rows.size() == 1, qPrintable(QLatin1String(search.what) + ": "
                                                  + QString::number(rows.size()) + " rows"));
            QVERIFY2(rows.first().split(QLatin1Char('|')).contains(text), search.what);
        }
        // A receipt number that is not a number names no sale, even with sales on record; the
        // statement stays intact.
        const auto receipt = SalesHistory::Search(text, QDate::currentDate());
        QVERIFY(!receipt.sql.contains(text));
        QVERIFY(FreshDatabases::ExecAdmin(
            dbs.SalesName(), "INSERT INTO tblSalesTransactions (USER_ID, CUSTOMER_ID, TIME_STAMP, "
                             "GRAND_TOTAL, PAID, RETURN_AMOUNT) VALUES ('admin', '1', NOW(), 10, 10, 0)"));
        QString error;
        QCOMPARE(ListRows(receipt, CDBManager::Instance().GetSalesDataBase(), &error), QStringList());
        QVERIFY2(error.isEmpty(), qPrintable(error));

        QCOMPARE(SchemaShape(dbs.InventoryName()), shape);
    }

    // Users: names, login name and password through the users screen, each field taking what
    // it can hold, then a log-in with them; a wrong password stays wrong.
    void usersLogInAsTyped_data() { HostileTable(); }
    void usersLogInAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(bool, mayRefuse);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const QStringList shape = SchemaShape(dbs.InventoryName());
        QStringList typed;
        {
            ManageUsers users;
            for (const char *name : {"editFirstName", "editLastName", "editLoginName", "editPassword",
                                     "editRepeastPassword"}) {
                auto *edit = users.findChild<QLineEdit *>(name);
                QVERIFY(edit);
                edit->setText(text);
                typed << edit->text();
            }
            users.findChild<QComboBox *>("comboRole")->setCurrentText("SALES PERSON");
            QuillboxTest::DialogDriver driver; // a refusal is the only dialog that may come
            users.findChild<QPushButton *>("pushButtonAdd")->click();
            driver.WaitForAll(100);
            if (!driver.Errors().isEmpty()) {
                QVERIFY2(mayRefuse && driver.Errors().size() == 1
                             && driver.Errors().first().contains("can not be added"),
                         qPrintable(driver.Errors().join('\n')));
                QCOMPARE(RowCount("tblUsers"), 0);
                QCOMPARE(SchemaShape(dbs.InventoryName()), shape);
                return;
            }
        }
        // The password is kept only as its hash.
        QCOMPARE(Seed::Column("SELECT CONCAT_WS('|', FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD) "
                              "FROM tblUsers"),
                 QStringList{typed.mid(0, 3).join('|') + '|'});
        QVERIFY(UserAccounts::PasswordMatches(
            Seed::Column("SELECT PASSWORD_HASH FROM tblUsers").value(0), typed[3]));

        LoginOutcome outcome;
        LoginDialog login(nullptr, &outcome);
        login.findChild<QLineEdit *>("editUserName")->setText(typed[2]);
        auto *password = login.findChild<QLineEdit *>("editPassword");
        password->setText(typed[3] == "' OR 1=1" ? "wrong" : "' OR 1=1");
        auto *button = login.findChild<QPushButton *>("buttonLogin");
        button->click();
        QVERIFY(outcome.cancelled);
        password->setText(typed[3]);
        button->click();
        QVERIFY(!outcome.cancelled);
        QCOMPARE(outcome.loginName, typed[2]);
        QCOMPARE(outcome.firstName, typed[0]);
        QCOMPARE(outcome.lastName, typed[1]);
        QCOMPARE(SchemaShape(dbs.InventoryName()), shape);
    }

    // Report thresholds and day counts: hostile text is refused before any statement is built.
    void reportCountsRefuseText_data() { HostileTable(); }
    void reportCountsRefuseText()
    {
        QFETCH(QString, text);
        int value = 7;
        QVERIFY(!ManagementReports::ParseCount(text, &value));
        QVERIFY(!ManagementReports::ParseCount(QStringLiteral("5") + text, &value));
    }

    // Template parameters: a value is printed as it is and never read as a formula or token.
    void reportParametersPrintLiterally_data()
    {
        HostileTable();
        QTest::newRow("formula") << "<1+1>" << false;
        QTest::newRow("parameter") << "[other]" << false;
        QTest::newRow("script") << "<this.x=1>');throw 1;('" << false;
    }
    void reportParametersPrintLiterally()
    {
        QFETCH(QString, text);
        Report::ScriptEvaluator evaluator(200, Report::ScriptEvaluator::DefaultBudgetMs);
        Report::Aggregates aggregates;
        QStringList asked;
        Report::Expander expander(evaluator, aggregates, [&](const QString &name) {
            asked << name;
            return name == QLatin1String("p") ? text : QStringLiteral("WRONG");
        });
        QCOMPARE(expander.Expand(QStringLiteral("Value: [p]!"), Report::ExpandMode::Plain),
                 QStringLiteral("Value: ") + text + QStringLiteral("!"));
        QCOMPARE(asked, QStringList{QStringLiteral("p")});
    }

    // Receipts, both layouts: a product, customer or shop name prints as typed, never read as
    // markup, a formula or a parameter. Text a font cannot show or a field cannot hold is only
    // printed.
    void receiptsPrintNamesAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("small");
        for (const bool small : {true, false}) {
            const char *layout = small ? "small" : "large";
            for (const char *text : {"O'Brien's", "' OR 1=1 -- ", "C:\\shop\\", "50% _off_",
                                     "<b>&amp;</b> &", "<1+1>", "[Grand_Total]"})
                QTest::addRow("%s: %s", layout, text) << QString::fromUtf8(text) << small;
            QTest::addRow("%s: nul byte", layout) << QString::fromUtf8("a\0b", 3) << small;
            QTest::addRow("%s: emoji", layout) << QString::fromUtf8("Pill \xF0\x9F\x92\x8A") << small;
            QTest::addRow("%s: 300 characters", layout) << QString(300, QLatin1Char('x')) << small;
        }
    }
    void receiptsPrintNamesAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(bool, small);
        QuillboxTest::UrlCatcher viewer;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
        auto *settings = AppSettings::Instance().Settings();
        settings->setValue(QStringLiteral("err_msg_1"), true);
        settings->setValue(QStringLiteral("SMALL_RECEIPT"), small);
        QFile::remove(ReportEngine::PdfFilePath());
        ReceiptData data = ReceiptData::WithShopSettings();
        data.receiptNumber = QStringLiteral("7");
        data.customerName = text;
        data.companyName = text;
        data.companyAddress = text;
        data.lines = {{text, "1", "0", "25", "0.00", "25.00"}};
        data.taxAmount = QStringLiteral("0.00");
        data.grandTotal = QStringLiteral("25.00");
        data.subTotal = data.grandTotal; // no tax
        data.paid = QStringLiteral("25.00");
        data.change = QStringLiteral("0.00");
        const bool printed = Receipt::Print(data);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY(printed);
        const QString pdf = ReportTest::PdfText(ReportEngine::PdfFilePath());
        QVERIFY2(pdf.contains(QLatin1String("25.00")), qPrintable(pdf));
        // Shop name, address, product and customer on both.
        if (text.size() < 40 && !text.contains(QChar(0)) && text.toLatin1() == text.toUtf8())
            QVERIFY2(pdf.count(text.trimmed()) == 4, qPrintable(pdf));
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
