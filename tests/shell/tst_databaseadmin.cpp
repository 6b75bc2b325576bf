#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "managedatabases.h"
#include "serversettingsdialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
const char *kNotValid = "Seems like this is not a valid database for this version. Enter name of "
                        "the database, and make sure the MySql server is running.";

QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

// Creating an inventory database is refused for want of a server connection.
void ExpectCreationRefused()
{
    ManageDatabases dialog;
    DialogDriver driver;
    driver.Expect("Database Error", "Can not connect to MySql Server.");
    dialog.findChild<QPushButton *>("pushButtonNewInventoryDB")->click();
    QVERIFY_DIALOGS(driver);
    QVERIFY(Store()->value("ACTIVE_INVENTORY_DB").toString().isEmpty());
}

DialogDriver::Action TypeName(const QString &name)
{
    return [name](QWidget *dialog) {
        dialog->findChild<QLineEdit *>("lineEdit")->setText(name);
        dialog->findChild<QPushButton *>("pushButton")->click();
    };
}
} // namespace

class TestDatabaseAdmin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void showsActiveNamesOrPlaceholders()
    {
        Store()->setValue("ACTIVE_SALES_DB", "quillboxsales20150301142530");
        ManageDatabases dialog;
        QCOMPARE(dialog.findChild<QLineEdit *>("lineEdit")->text(),
                 QStringLiteral("quillboxsales20150301142530"));
        QCOMPARE(dialog.findChild<QLineEdit *>("lineEditInventoryDB")->text(),
                 QStringLiteral("No Active Inventory Database"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Create Databases"));
    }

    void createsBothDatabases()
    {
        QuillboxTest::TestServer::Apply();
        ManageDatabases dialog;
        dialog.show();
        DialogDriver driver;
        driver.Expect("Database", "New Inventory Database opened successfully")
            .Expect("Database", "New Sales Database opened successfully");
        dialog.findChild<QPushButton *>("pushButtonNewInventoryDB")->click();
        dialog.findChild<QPushButton *>("pushButtonOpenNewRegister")->click();
        QVERIFY_DIALOGS(driver);
        const QString inventory = Store()->value("ACTIVE_INVENTORY_DB").toString();
        const QString sales = Store()->value("ACTIVE_SALES_DB").toString();
        QVERIFY(inventory.startsWith("quillboxinventory"));
        QVERIFY(sales.startsWith("quillboxsales"));
        QCOMPARE(dialog.findChild<QLineEdit *>("lineEditInventoryDB")->text(), inventory);
        QCOMPARE(dialog.findChild<QLineEdit *>("lineEdit")->text(), sales);
        // The next request connects to the new schemas.
        QVERIFY(CDBManager::Instance().GetInventoryDataBase().isOpen());
        QVERIFY(CDBManager::Instance().GetSalesDataBase().isOpen());
        CDBManager::Reset();
        FreshDatabases::DropSchema(inventory);
        FreshDatabases::DropSchema(sales);
    }

    void creationNeedsTheServer()
    {
        // No password: the server connection cannot be made.
        CDBManager::Instance().SetServerParameters(QuillboxTest::TestServer::User(), QString(),
                                                   QuillboxTest::TestServer::Port(),
                                                   QuillboxTest::TestServer::Host());
        ExpectCreationRefused();
    }

    void selectingExistingDatabasesChecksTheirKind()
    {
        FreshDatabases dbs;
        Store()->remove("ACTIVE_INVENTORY_DB");
        Store()->remove("ACTIVE_SALES_DB");
        ManageDatabases dialog;
        auto *selectInventory = dialog.findChild<QPushButton *>("pushSelectDatabase");
        auto *selectSales = dialog.findChild<QPushButton *>("pushSelectSalesDB");
        DialogDriver driver;

        // A sales schema is no inventory database.
        driver.Expect("Enter Database Name", QString(), TypeName(dbs.SalesName()))
            .Expect("Inventory Database", kNotValid);
        selectInventory->click();
        QVERIFY_DIALOGS(driver);
        QVERIFY(Store()->value("ACTIVE_INVENTORY_DB").toString().isEmpty());

        // Closing the name dialog without a name checks the empty name, which fails.
        driver.Expect("Enter Database Name", QString(), DialogDriver::Reject())
            .Expect("Sales Database", kNotValid);
        selectSales->click();
        QVERIFY_DIALOGS(driver);

        driver.Expect("Enter Database Name", QString(), TypeName(dbs.InventoryName()));
        selectInventory->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Store()->value("ACTIVE_INVENTORY_DB").toString(), dbs.InventoryName());
        QCOMPARE(dialog.findChild<QLineEdit *>("lineEditInventoryDB")->text(), dbs.InventoryName());

        driver.Expect("Enter Database Name", QString(), TypeName(dbs.SalesName()));
        selectSales->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Store()->value("ACTIVE_SALES_DB").toString(), dbs.SalesName());
        // A name with a quote is only a name that does not exist.
        driver.Expect("Enter Database Name", QString(), TypeName("x'; DROP DATABASE y; --"))
            .Expect("Sales Database", kNotValid);
        selectSales->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Store()->value("ACTIVE_SALES_DB").toString(), dbs.SalesName());
    }

    void savedSettingsReplaceTheServerConnection()
    {
        QuillboxTest::TestServer::Apply();
        CDBManager &manager = CDBManager::Instance();
        QVERIFY(manager.GetMySqlDataBase().isOpen());

        // Saved with a wrong password: the connection to the old parameters is gone, so no
        // database is created there.
        ServerSettingsDialog settings;
        settings.findChild<QLineEdit *>("lineUserPassword")->setText("not the password");
        settings.findChild<QPushButton *>("pushButtonSave")->click();
        QVERIFY(!manager.GetMySqlDataBase().isOpen());
        QVERIFY(!manager.IsServerConnected());
        ExpectCreationRefused();
        if (QTest::currentTestFailed())
            return;

        // Saved right again: the next request connects with the new parameters.
        ServerSettingsDialog fixed;
        fixed.findChild<QLineEdit *>("lineUserPassword")->setText(QuillboxTest::TestServer::Password());
        fixed.findChild<QPushButton *>("pushButtonSave")->click();
        QVERIFY(manager.GetMySqlDataBase().isOpen());
        QCOMPARE(manager.GetMySqlDataBase().password(), QuillboxTest::TestServer::Password());
    }

    void serverSettingsTestAndSave()
    {
        Store()->setValue("DB_SERVER", "db.shop.example");
        Store()->setValue("DB_PORT", "3307");
        ServerSettingsDialog dialog;
        auto *address = dialog.findChild<QLineEdit *>("lineServerAddress");
        auto *port = dialog.findChild<QLineEdit *>("linePort");
        auto *user = dialog.findChild<QLineEdit *>("lineUserName");
        auto *password = dialog.findChild<QLineEdit *>("lineUserPassword");
        QCOMPARE(address->text(), QStringLiteral("db.shop.example"));
        QCOMPARE(port->text(), QStringLiteral("3307"));
        QVERIFY(dialog.findChild<QLineEdit *>("lineConnectionName")->isHidden());
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        dialog.findChild<QCheckBox *>("checkShowPassword")->setChecked(true);
        QCOMPARE(password->echoMode(), QLineEdit::Normal);
        dialog.findChild<QCheckBox *>("checkShowPassword")->setChecked(false);
        QCOMPARE(password->echoMode(), QLineEdit::Password);

        address->setText(QuillboxTest::TestServer::Host());
        port->setText(QString::number(QuillboxTest::TestServer::Port()));
        user->setText(QuillboxTest::TestServer::User());
        password->setText("not the password");
        DialogDriver driver;
        driver.Expect("Server Connection", "Connection to server FAILED!. Please check all parameters.");
        dialog.findChild<QPushButton *>("pushButtonTest")->click();
        QVERIFY_DIALOGS(driver);
        // Testing stores nothing.
        QCOMPARE(Store()->value("DB_SERVER").toString(), QStringLiteral("db.shop.example"));

        password->setText(QuillboxTest::TestServer::Password());
        driver.Expect("Server Connection", "Connection to server SUCCEEDED!");
        dialog.findChild<QPushButton *>("pushButtonTest")->click();
        QVERIFY_DIALOGS(driver);

        dialog.show();
        dialog.findChild<QPushButton *>("pushButtonSave")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(Store()->value("DB_SERVER").toString(), QuillboxTest::TestServer::Host());
        QCOMPARE(Store()->value("DB_PORT").toString(), QString::number(QuillboxTest::TestServer::Port()));
        QCOMPARE(Store()->value("DB_PASSWORD").toString(), QuillboxTest::TestServer::Password());
        QCOMPARE(CDBManager::Instance().Port(), QuillboxTest::TestServer::Port());
        QCOMPARE(CDBManager::Instance().UserName(), QuillboxTest::TestServer::User());
    }
};

QUILLBOX_TEST_MAIN(TestDatabaseAdmin)
#include "tst_databaseadmin.moc"
