#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "managedatabases.h"
#include "schemashape.h"
#include "schemaupgradeflow.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;
using Outcome = SchemaUpgradeFlow::Outcome;

Q_DECLARE_METATYPE(Outcome)

class TestSchemaUpgradeFlow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void estimatedTime_data()
    {
        QTest::addColumn<qint64>("rows");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << qint64(0) << "less than a minute";
        QTest::newRow("small shop") << qint64(100000) << "less than a minute";
        QTest::newRow("large shop") << qint64(2300000) << "less than a minute";
        QTest::newRow("past a minute") << qint64(4000000) << "about 2 minute(s)";
        QTest::newRow("years of sales") << qint64(20000000) << "about 9 minute(s)";
    }
    void estimatedTime()
    {
        QFETCH(qint64, rows);
        QTEST(SchemaUpgradeFlow::EstimatedTime(rows), "text");
    }

    // A manager of a first-release shop is asked; yes writes a backup, copies the tables and
    // lets an emoji product be stored; no leaves the tills selling on the old shape.
    void managerIsAskedBeforeTheTablesAreCopied_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<bool>("stillPending");
        QTest::newRow("yes") << "Yes" << Outcome::Done << false;
        QTest::newRow("no") << "No" << Outcome::Declined << true;
    }
    void managerIsAskedBeforeTheTablesAreCopied()
    {
        QFETCH(QString, answer);
        QFETCH(Outcome, outcome);
        QFETCH(bool, stillPending);
        FreshDatabases sales(FreshDatabases::Sales);
        const QString inventory = FreshDatabases::UniqueName(QStringLiteral("qbold"));
        QVERIFY(QuillboxTest::CreateFirstRelease(CDBManager::Kind::Inventory, inventory));
        AppSettings::Instance().Settings()->setValue("ACTIVE_INVENTORY_DB", inventory);
        QVERIFY(CDBManager::Instance().GetInventoryDataBase().isOpen());
        QDir(SchemaUpgradeFlow::BackupFolder()).removeRecursively();

        DialogDriver driver;
        driver.Expect("Database Upgrade", "tblProducts in the inventory database",
                      DialogDriver::Press(answer));
        if (!stillPending)
            driver.Expect("Database Upgrade", "The databases are up to date.");
        QCOMPARE(SchemaUpgradeFlow::Offer(nullptr), outcome);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(SchemaUpgradeFlow::FindBlocking().isEmpty(), !stillPending);
        QCOMPARE(QDir(SchemaUpgradeFlow::BackupFolder()).entryList({"*.sql"}).size(),
                 stillPending ? 0 : 2);

        const QString emoji = QStringLiteral("Sonnencreme \U0001F31E");
        QSqlQuery insert(CDBManager::Instance().GetInventoryDataBase());
        QVERIFY_SQL(insert, exec("INSERT INTO tblProductCategories (NAME) VALUES ('Sun')"));
        insert.prepare("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT) "
                       "VALUES (LAST_INSERT_ID(), 'E1', :name, 1)");
        insert.bindValue(":name", emoji);
        QCOMPARE(insert.exec(), !stillPending);
        if (!stillPending) {
            QCOMPARE(QuillboxTest::QueryValue(inventory, "SELECT NAME FROM tblProducts").toString(),
                     emoji);
        }
        CDBManager::Reset();
        FreshDatabases::DropSchema(inventory);
    }

    void databasesDialogListsAppliedAndPendingSteps()
    {
        FreshDatabases fresh(FreshDatabases::Sales);
        const QString inventory = FreshDatabases::UniqueName(QStringLiteral("qbold"));
        QVERIFY(QuillboxTest::CreateFirstRelease(CDBManager::Kind::Inventory, inventory));
        AppSettings::Instance().Settings()->setValue("ACTIVE_INVENTORY_DB", inventory);
        {
            ManageDatabases dialog;
            auto *tree = dialog.findChild<QTreeWidget *>("treeSchemaChanges");
            QCOMPARE(tree->topLevelItemCount(), 2);
            QVERIFY2(tree->topLevelItem(0)->text(0).contains("0 step(s) applied"),
                     qPrintable(tree->topLevelItem(0)->text(0)));
            QVERIFY(tree->topLevelItem(1)->text(0).endsWith(", 0 pending"));
            QVERIFY(dialog.findChild<QPushButton *>("pushButtonUpgrade")->isEnabled());
        }
        CDBManager::Reset();
        FreshDatabases::DropSchema(inventory);
    }
};

QUILLBOX_TEST_MAIN(TestSchemaUpgradeFlow)
#include "tst_schemaupgradeflow.moc"
