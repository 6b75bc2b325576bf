#include "testsupport.h"

#include "appsettings.h"
#include "auditlog.h"
#include "auditviewer.h"
#include "cataloguestore.h"
#include "dbmanager.h"
#include "manageusers.h"
#include "openbaskets.h"
#include "pagedquerymodel.h"
#include "posstore.h"
#include "purchasestore.h"
#include "saleshistory.h"
#include "seeddata.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QSettings>
#include <QTableView>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;
using namespace QuillboxTest::Seed;

namespace {
enum Change {
    DeleteSale, DeletePurchaseOrder, ReturnLine, SpecialDiscount, EditBatchPrice, EditBatchStock,
    EditBatchShelf, AddUser, ChangeUser, RemoveUser, ChangeCurrency, ChangeTax, PutBackBasket
};

QSqlDatabase Sales()
{
    return CDBManager::Instance().GetSalesDataBase();
}

int AddSale(const QString &product)
{
    QSqlQuery sale(Sales());
    sale.exec("INSERT INTO tblSalesTransactions (USER_ID, CUSTOMER_ID, TIME_STAMP, GRAND_TOTAL, "
              "PAID, RETURN_AMOUNT) VALUES ('anna', 'NOT SELECTED', NOW(), 5, 5, 0)");
    const int id = sale.lastInsertId().toInt();
    QSqlQuery line(Sales());
    line.prepare("INSERT INTO tblSalesInvoice (TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, QUANTITY, "
                 "PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, PURCHASE_SUB_TOTAL) "
                 "VALUES (?, 0, ?, 2, 1.5, 2.5, 0, 0, 5, 3)");
    line.addBindValue(id);
    line.addBindValue(product);
    line.exec();
    return id;
}

struct Logged {
    int count = 0;
    QString kind, user, row, before, after;
};
Logged LastEntry(QSqlDatabase db)
{
    Logged logged;
    QSqlQuery query(db);
    query.exec("SELECT COUNT(*) FROM tblAuditLog");
    query.next();
    logged.count = query.value(0).toInt();
    query.exec("SELECT KIND, USER_ID, ROW_KEY, BEFORE_DATA, AFTER_DATA FROM tblAuditLog "
               "ORDER BY SEQ DESC LIMIT 1");
    if (query.next()) {
        logged.kind = query.value(0).toString();
        logged.user = query.value(1).toString();
        logged.row = query.value(2).toString();
        logged.before = query.value(3).toString();
        logged.after = query.value(4).toString();
    }
    return logged;
}

CatalogueStore::Batch BatchOf(int product, int vendor)
{
    CatalogueStore::Batch batch;
    batch.productId = product;
    batch.vendorId = vendor;
    batch.barCode = "B1";
    batch.batchNumber = "L1";
    batch.expiryDate = QDate(2030, 6, 15);
    batch.storageLocation = "Shelf 1";
    batch.purchasePrice = 1.5;
    batch.salePrice = 2.5;
    batch.quantity = 10;
    return batch;
}

void FillUser(ManageUsers &dialog, const QString &login)
{
    dialog.findChild<QLineEdit *>("editFirstName")->setText("Mary");
    dialog.findChild<QLineEdit *>("editLastName")->setText("Quinn");
    dialog.findChild<QLineEdit *>("editLoginName")->setText(login);
    dialog.findChild<QLineEdit *>("editPassword")->setText("pw");
    dialog.findChild<QLineEdit *>("editRepeastPassword")->setText("pw");
    dialog.findChild<QComboBox *>("comboRole")->setCurrentText("SALES PERSON");
}

// Tampering with the stored trail the way someone with the server's password could.
void Tamper(const QString &schema, const QString &sql)
{
    QString error;
    QVERIFY2(FreshDatabases::ExecAdmin(schema, sql, &error), qPrintable(error));
}
} // namespace

class TestAudit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test");
    }
    void init()
    {
        QuillboxTest::ResetState();
        AppSettings::Instance().SetCurrentUser("anna");
    }

    void eachChangeWritesOneEntry_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("sales"); // the entry is in the sales schema
        QTest::addColumn<QString>("kind"); // empty: nothing to explain, no entry
        QTest::addColumn<QString>("before"); // fragments of the JSON texts
        QTest::addColumn<QString>("after");
        QTest::newRow("sale deleted, with its lines")
            << int(DeleteSale) << true << "SALE_DELETED" << "\"PRODUCT_NAME\":\"Aspirin ö\""
            << "";
        QTest::newRow("purchase order deleted")
            << int(DeletePurchaseOrder) << false << "PURCHASE_ORDER_DELETED"
            << "\"STATUS\":\"DRAFT\"" << "";
        QTest::newRow("return line") << int(ReturnLine) << false << "RETURN_LINE"
                                     << "\"QUANTITY\":10" << "\"QUANTITY\":11";
        QTest::newRow("special discount") << int(SpecialDiscount) << false << "SPECIAL_DISCOUNT"
                                          << "\"QUANTITY\":10" << "\"DISCOUNT_PERCENT\":15";
        QTest::newRow("batch price by hand") << int(EditBatchPrice) << false << "BATCH_EDITED"
                                             << "\"SALE_PRICE\":2.5" << "\"SALE_PRICE\":3.75";
        QTest::newRow("batch stock by hand") << int(EditBatchStock) << false << "BATCH_EDITED"
                                             << "\"QUANTITY\":10" << "\"QUANTITY\":7";
        QTest::newRow("batch shelf only") << int(EditBatchShelf) << false << "" << "" << "";
        QTest::newRow("user added") << int(AddUser) << false << "USER_ADDED" << ""
                                    << "\"LOGIN_NAME\":\"mary\"";
        QTest::newRow("user changed") << int(ChangeUser) << false << "USER_CHANGED"
                                      << "\"LOGIN_NAME\":\"mary\"" << "\"LOGIN_NAME\":\"maria\"";
        QTest::newRow("user removed") << int(RemoveUser) << false << "USER_REMOVED"
                                      << "\"LOGIN_NAME\":\"mary\"" << "";
        QTest::newRow("currency") << int(ChangeCurrency) << false << "SETTINGS_CHANGED"
                                  << "\"CURRENCY_SYMBOL\":\"$\"" << "\"CURRENCY_SYMBOL\":\"€\"";
        QTest::newRow("tax rate") << int(ChangeTax) << false << "SETTINGS_CHANGED"
                                  << "\"SALES_TAX_RATE_A\":\"5\""
                                  << "\"SALES_TAX_RATE_A\":\"7.5\"";
        QTest::newRow("open basket put back")
            << int(PutBackBasket) << false << "BASKET_PUT_BACK" << "\"UNITS\":1"
            << "\"QUANTITY\":10";
    }
    void eachChangeWritesOneEntry()
    {
        QFETCH(int, change);
        QFETCH(bool, sales);
        QFETCH(QString, kind);
        QFETCH(QString, before);
        QFETCH(QString, after);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        const int vendor = AddVendor("Acme");
        const int product = AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        const int batch = AddBatch(product, vendor, "B1");
        QSqlDatabase db = sales ? Sales() : Db();
        PosStore::ItemRequest item;
        item.barCode = "B1";
        item.quantity = 1;
        CatalogueStore::Batch edited = BatchOf(product, vendor);
        switch (Change(change)) {
        case DeleteSale:
            QVERIFY(SalesHistory::DeleteSale(Sales(), AddSale("Aspirin ö")));
            break;
        case DeletePurchaseOrder:
            QVERIFY(PurchaseStore::DeleteOrder(Db(), AddPurchaseOrder(vendor)));
            break;
        case ReturnLine:
        case SpecialDiscount:
            item.returnMode = change == ReturnLine;
            item.specialDiscount = change == SpecialDiscount;
            item.specialPercent = 15;
            QCOMPARE(PosStore::TakeItem(Db(), item).refusal, QString());
            break;
        case EditBatchPrice:
        case EditBatchStock:
        case EditBatchShelf:
            edited.salePrice = change == EditBatchPrice ? 3.75 : 2.5;
            edited.quantity = change == EditBatchStock ? 7 : 10;
            edited.storageLocation = change == EditBatchShelf ? "Shelf 9" : "Shelf 1";
            QCOMPARE(CatalogueStore::UpdateBatch(Db(), batch, edited, 10, 0),
                     CatalogueStore::Result::Done);
            break;
        case AddUser:
        case ChangeUser:
        case RemoveUser: {
            if (change != AddUser)
                Exec("INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, ROLE) "
                     "VALUES ('Mary', 'Quinn', 'mary', 'pw', 'SALES PERSON')");
            ManageUsers dialog;
            auto *table = dialog.findChild<QTableView *>("tableView");
            if (change != AddUser)
                QVERIFY(QuillboxTest::HighlightRow(table, 3, "mary"));
            DialogDriver driver;
            if (change == AddUser) {
                FillUser(dialog, "mary");
                dialog.findChild<QPushButton *>("pushButtonAdd")->click();
            } else if (change == ChangeUser) {
                FillUser(dialog, "maria");
                dialog.findChild<QPushButton *>("pushButtonUpdate")->click();
            } else {
                driver.Expect("Delete User", QString(), DialogDriver::Press("Yes"));
                dialog.findChild<QPushButton *>("pushButtonDelete")->click();
            }
            QVERIFY_DIALOGS(driver);
            break;
        }
        case PutBackBasket:
            item.tillId = "till-1";
            item.basketKey = "basket-1";
            QCOMPARE(PosStore::TakeItem(Db(), item).refusal, QString());
            QCOMPARE(LastEntry(db).count, 0); // an ordinary entry is nothing to explain
            QVERIFY(PosStore::PutBackBaskets(Db(), {"basket-1"}));
            break;
        case ChangeCurrency:
        case ChangeTax: {
            AppSettings::Instance().Settings()->setValue("CURRENCY_SYMBOL", "$");
            AppSettings::Instance().Settings()->setValue("SALES_TAX_RATE_A", "5");
            Settings dialog;
            if (change == ChangeCurrency)
                dialog.findChild<QLineEdit *>("lineCurrencySymbol")->setText("€");
            else
                dialog.findChild<QLineEdit *>("lineTaxRateA")->setText("7.5");
            dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
            break;
        }
        }
        const Logged logged = LastEntry(db);
        QCOMPARE(logged.count, kind.isEmpty() ? 0 : 1);
        QCOMPARE(logged.kind, kind);
        if (kind.isEmpty())
            return;
        QCOMPARE(logged.user, QString("anna"));
        QVERIFY2(before.isEmpty() ? logged.before.isEmpty() : logged.before.contains(before),
                 qPrintable(logged.before));
        QVERIFY2(after.isEmpty() ? logged.after.isEmpty() : logged.after.contains(after),
                 qPrintable(logged.after));
        // A password never reaches the trail.
        QVERIFY(!logged.before.contains("PASSWORD\"") && !logged.after.contains("PASSWORD\""));
        QVERIFY(AuditLog::Verify(db).intact);
    }

    // The entry belongs to the change: when the change's transaction fails, neither is kept.
    void failedChangeWritesNoEntry_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("refused"); // the table whose deletes the server refuses
        QTest::newRow("sale") << int(DeleteSale) << "tblSalesTransactions";
        QTest::newRow("purchase order") << int(DeletePurchaseOrder) << "tblPOrders";
        QTest::newRow("open basket") << int(PutBackBasket) << "tblOpenBasketLines";
    }
    void failedChangeWritesNoEntry()
    {
        QFETCH(int, change);
        QFETCH(QString, refused);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        const int vendor = AddVendor("Acme");
        const bool sales = change == DeleteSale;
        QSqlDatabase db = sales ? Sales() : Db();
        if (change == PutBackBasket) {
            AddBatch(AddProduct(AddCategory("Medicine"), "P1", "Aspirin"), vendor, "B1");
            PosStore::ItemRequest item;
            item.barCode = "B1";
            item.quantity = 1;
            item.tillId = "till-1";
            item.basketKey = "basket-1";
            QCOMPARE(PosStore::TakeItem(Db(), item).refusal, QString());
        }
        Tamper(sales ? dbs.SalesName() : dbs.InventoryName(),
               QString("CREATE TRIGGER refuse BEFORE DELETE ON %1 FOR EACH ROW "
                       "SIGNAL SQLSTATE '45000'")
                   .arg(refused));
        switch (Change(change)) {
        case DeleteSale:
            QVERIFY(!SalesHistory::DeleteSale(Sales(), AddSale("Aspirin")));
            break;
        case DeletePurchaseOrder:
            QVERIFY(!PurchaseStore::DeleteOrder(Db(), AddPurchaseOrder(vendor)));
            break;
        default:
            QVERIFY(!PosStore::PutBackBaskets(Db(), {"basket-1"}));
            QCOMPARE(Value("SELECT QUANTITY FROM tblInventory").toInt(), 9);
            break;
        }
        QCOMPARE(LastEntry(db).count, 0);
        QVERIFY(AuditLog::Verify(db).intact);
        QCOMPARE(Value(sales ? QString("SELECT 1") : "SELECT COUNT(*) FROM " + refused).toInt(), 1);
    }

    void viewerFilters_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("daysAgo"); // -1: any day
        QTest::addColumn<QStringList>("rows"); // the entries' numbers, as listed
        QTest::newRow("all, newest first") << "" << "" << -1 << QStringList{"4", "3", "2", "1"};
        QTest::newRow("one user") << "bob" << "" << -1 << QStringList{"3", "2"};
        QTest::newRow("one kind") << "" << "USER_ADDED" << -1 << QStringList{"4", "2"};
        QTest::newRow("user and kind") << "bob" << "USER_ADDED" << -1 << QStringList{"2"};
        QTest::newRow("yesterday") << "" << "" << 1 << QStringList{"1"};
        QTest::newRow("today") << "" << "" << 0 << QStringList{"4", "3", "2"};
    }
    void viewerFilters()
    {
        QFETCH(QString, user);
        QFETCH(QString, kind);
        QFETCH(int, daysAgo);
        QFETCH(QStringList, rows);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        const struct {
            const char *user, *kind;
        } entries[] = {{"anna", "SALE_DELETED"}, {"bob", "USER_ADDED"}, {"bob", "USER_REMOVED"},
                       {"anna", "USER_ADDED"}};
        for (const auto &e : entries) {
            AppSettings::Instance().SetCurrentUser(e.user);
            QVERIFY(AuditLog::Write(Db(), e.kind, "tblUsers", "1", "{}", "{}"));
        }
        Tamper(dbs.InventoryName(),
               "UPDATE tblAuditLog SET TIME_STAMP = TIME_STAMP - INTERVAL 1 DAY WHERE SEQ = 1");
        AppSettings::Instance().Settings()->setValue("DATE_FORMAT", "DD/MM/YYYY");
        AppSettings::Instance().RefreshDisplayDateFormat();
        AuditViewer viewer;
        auto *ledger = viewer.findChild<QComboBox *>("comboLedger");
        ledger->setCurrentIndex(ledger->findData(0));
        auto *users = viewer.findChild<QComboBox *>("comboUser");
        QCOMPARE(users->count(), 3); // all, anna, bob
        users->setCurrentIndex(users->findData(user));
        auto *kinds = viewer.findChild<QComboBox *>("comboKind");
        kinds->setCurrentIndex(kinds->findData(kind));
        if (daysAgo >= 0) {
            viewer.findChild<QDateEdit *>("dateDay")->setDate(QDate::currentDate().addDays(-daysAgo));
            viewer.findChild<QCheckBox *>("checkDay")->setChecked(true);
        }
        QStringList listed;
        for (int row = 0; row < viewer.Model()->rowCount(); ++row)
            listed << viewer.Model()->index(row, 1).data().toString();
        QCOMPARE(listed, rows);
        // Times read in the shop's date format, as every other screen shows dates.
        const QModelIndex when = viewer.Model()->index(0, 2);
        const auto *delegate = qobject_cast<QStyledItemDelegate *>(
            viewer.findChild<QTableView *>("tableEntries")->itemDelegateForColumn(2));
        QVERIFY(delegate);
        const QString shown = delegate->displayText(when.data(), QLocale());
        QVERIFY2(QRegularExpression("^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d$").match(shown).hasMatch(),
                 qPrintable(shown));
    }

    void verifierNamesTheFirstBrokenEntry_data()
    {
        QTest::addColumn<QString>("tamper"); // %1: the schema
        QTest::addColumn<QString>("problem");
        QTest::newRow("untouched") << "" << "";
        QTest::newRow("text changed") << "UPDATE tblAuditLog SET AFTER_DATA = '{}' WHERE SEQ = 2"
                                      << "Audit entry 2 was changed.";
        QTest::newRow("user changed") << "UPDATE tblAuditLog SET USER_ID = 'bob' WHERE SEQ = 1"
                                      << "Audit entry 1 was changed.";
        QTest::newRow("time changed")
            << "UPDATE tblAuditLog SET TIME_STAMP = TIME_STAMP - INTERVAL 1 DAY WHERE SEQ = 3"
            << "Audit entry 3 was changed.";
        QTest::newRow("middle removed") << "DELETE FROM tblAuditLog WHERE SEQ = 2"
                                        << "Audit entry 2 was removed.";
        QTest::newRow("last removed") << "DELETE FROM tblAuditLog WHERE SEQ = 4"
                                      << "Audit entry 4 was removed.";
        QTest::newRow("all removed") << "DELETE FROM tblAuditLog" << "Audit entry 1 was removed.";
        // Whoever rewrites an entry's hash breaks the link to the next one.
        QTest::newRow("hash rewritten")
            << "UPDATE tblAuditLog SET AFTER_DATA = '{}', HASH = SHA2('x', 256) WHERE SEQ = 2"
            << "Audit entry 2 was changed.";
        QTest::newRow("renumbered") << "UPDATE tblAuditLog SET SEQ = SEQ + 10 WHERE SEQ >= 3"
                                    << "Audit entry 3 was removed.";
    }
    void verifierNamesTheFirstBrokenEntry()
    {
        QFETCH(QString, tamper);
        QFETCH(QString, problem);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        for (const QString text : {"one", "twö", "🧾 three", "four"})
            QVERIFY(AuditLog::Write(Db(), "TEST", "tblTest", text, "{}", "{\"v\":\"" + text + "\"}"));
        if (!tamper.isEmpty())
            Tamper(dbs.InventoryName(), tamper);
        const AuditLog::Verdict verdict = AuditLog::Verify(Db());
        QCOMPARE(verdict.problem, problem);
        QCOMPARE(verdict.intact, problem.isEmpty());
        QCOMPARE(verdict.firstBad, problem.isEmpty() ? 0 : problem.split(' ').at(2).toLongLong());
    }
};

QUILLBOX_TEST_MAIN(TestAudit)
#include "tst_audit.moc"
