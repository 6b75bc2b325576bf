#include "testsupport.h"

#include "managecategories.h"
#include "partytesthelpers.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlTableModel>
#include <QTableView>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
const char *kDuplicate = "Category already exists in the system";
const char *kInUse = "Category can not be deleted because products exist for this category in "
                     "the system";

QStringList StoredNames()
{
    return PartyTest::Column("SELECT NAME FROM tblProductCategories ORDER BY ID");
}

// The dialog's parts, looked up by object name.
struct Form
{
    explicit Form(QWidget *dialog)
        : name(dialog->findChild<QLineEdit *>("lineEditName"))
        , view(dialog->findChild<QTableView *>("tableView"))
        , add(dialog->findChild<QPushButton *>("pushButtonAdd"))
        , update(dialog->findChild<QPushButton *>("pushButtonUpdate"))
        , remove(dialog->findChild<QPushButton *>("pushButtonDelete"))
    {
    }
    bool IsComplete() const { return name && view && add && update && remove; }
    // Highlights the row showing this name, as a click would.
    bool Highlight(const QString &category) { return QuillboxTest::HighlightRow(view, 1, category); }
    QStringList Shown() const { return QuillboxTest::ColumnTexts(view, 1); }

    QLineEdit *name;
    QTableView *view;
    QPushButton *add;
    QPushButton *update;
    QPushButton *remove;
};
} // namespace

class TestManageCategories : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void opensWithListAndFocusedName()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddCategory("Food");
        PartyTest::AddCategory("Drinks");
        ManageCategories dlg(nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        Form form(&dlg);
        QVERIFY(form.IsComplete());
        QAbstractItemModelTester tester(form.view->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(dlg.windowTitle(), QString("Manage Categories"));
        QCOMPARE(form.Shown(), QStringList({"Drinks", "Food"})); // by name
        QVERIFY(form.view->isColumnHidden(0));
        QCOMPARE(form.view->model()->headerData(1, Qt::Horizontal).toString(),
                 QString("Product Categories"));
        QCOMPARE(QApplication::focusWidget(), form.name);
        QVERIFY(!form.update->isEnabled());
        QVERIFY(!form.remove->isEnabled());
        QVERIFY(form.Highlight("Drinks"));
        QCOMPARE(form.name->text(), QString("Drinks"));
        QVERIFY(form.update->isEnabled());
        QVERIFY(form.remove->isEnabled());
    }

    void addRefusesDuplicatesIgnoringCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("same") << "Food" << true;
        QTest::newRow("lower case") << "food" << true;
        QTest::newRow("upper case") << "FOOD" << true;
        QTest::newRow("leading blank") << " Food" << false;
        QTest::newRow("other") << "Frozen Food" << false;
        QTest::newRow("apostrophe") << "Kid's Corner" << false;
        QTest::newRow("percent and backslash") << "50% off \\ sale" << false;
    }
    void addRefusesDuplicatesIgnoringCase()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddCategory("Food");
        ManageCategories dlg(nullptr);
        dlg.show();
        Form form(&dlg);
        DialogDriver driver;
        if (refused)
            driver.Expect("Error", kDuplicate);
        form.name->setText(name);
        form.add->click();
        QVERIFY_DIALOGS(driver);
        if (refused) {
            QCOMPARE(StoredNames(), QStringList{"Food"});
            QCOMPARE(form.name->text(), name); // kept for correcting
        } else {
            QCOMPARE(StoredNames(), QStringList({"Food", name}));
            QStringList shown{"Food", name};
            shown.sort(Qt::CaseInsensitive);
            QCOMPARE(form.Shown(), shown);
            QVERIFY(form.name->text().isEmpty());
        }
    }

    void blankNameIsIgnoredSilently_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces") << "    ";
    }
    void blankNameIsIgnoredSilently()
    {
        QFETCH(QString, name);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddCategory("Food");
        ManageCategories dlg(nullptr);
        dlg.show();
        Form form(&dlg);
        DialogDriver driver; // no dialog may appear
        form.name->setText(name);
        form.add->click();
        QVERIFY(form.Highlight("Food"));
        form.name->setText(name);
        form.update->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(StoredNames(), QStringList{"Food"});
    }

    void renameRefusesSameNameInOtherCase_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<bool>("refused");
        QTest::newRow("itself in capitals") << "FOOD" << true;
        QTest::newRow("other category") << "drinks" << true;
        QTest::newRow("new name") << "Groceries" << false;
        QTest::newRow("apostrophe") << "O'Neill's" << false;
    }
    void renameRefusesSameNameInOtherCase()
    {
        QFETCH(QString, newName);
        QFETCH(bool, refused);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddCategory("Food");
        PartyTest::AddCategory("Drinks");
        ManageCategories dlg(nullptr);
        dlg.show();
        Form form(&dlg);
        DialogDriver driver;
        if (refused)
            driver.Expect("Error", kDuplicate);
        QVERIFY(form.Highlight("Food"));
        form.name->setText(newName);
        form.update->click();
        QVERIFY_DIALOGS(driver);
        if (refused) {
            QCOMPARE(StoredNames(), QStringList({"Food", "Drinks"}));
        } else {
            QCOMPARE(StoredNames(), QStringList({newName, "Drinks"}));
            QVERIFY(form.name->text().isEmpty());
            // The reload drops the highlight, and with it the row buttons.
            QVERIFY(!form.update->isEnabled());
            QVERIFY(!form.remove->isEnabled());
        }
    }

    void deleteRefusedWhileProductsExist()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int food = PartyTest::AddCategory("Food");
        QVERIFY(PartyTest::AddProduct(food, "P1") > 0);
        ManageCategories dlg(nullptr);
        dlg.show();
        Form form(&dlg);
        DialogDriver driver;
        driver.Expect("Error", kInUse);
        QVERIFY(form.Highlight("Food"));
        form.remove->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(StoredNames(), QStringList{"Food"});
        QCOMPARE(PartyTest::Column("SELECT Count(*) FROM tblProducts"), QStringList{"1"});
    }

    void deleteWithoutProductsIsImmediate()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int food = PartyTest::AddCategory("Food");
        PartyTest::AddCategory("Empty");
        QVERIFY(PartyTest::AddProduct(food, "P1") > 0);
        ManageCategories dlg(nullptr);
        dlg.show();
        Form form(&dlg);
        DialogDriver driver; // no question, no message
        QVERIFY(form.Highlight("Empty"));
        form.remove->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(StoredNames(), QStringList{"Food"});
        QCOMPARE(form.Shown(), QStringList{"Food"});
        QVERIFY(form.name->text().isEmpty());
    }

    void updateAndDeleteWithoutRowChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("duplicate");
        QTest::newRow("new name") << "Groceries" << false;
        // The name is judged before the row is looked for.
        QTest::newRow("duplicate name") << "FOOD" << true;
    }
    void updateAndDeleteWithoutRowChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(bool, duplicate);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddCategory("Food");
        ManageCategories dlg(nullptr);
        dlg.show();
        Form form(&dlg);
        DialogDriver driver;
        if (duplicate)
            driver.Expect("Error", kDuplicate);
        form.name->setText(name);
        // The buttons are disabled; the slots must hold even when reached another way.
        QVERIFY(QMetaObject::invokeMethod(&dlg, "OnPushButtonUpdateClicked"));
        QVERIFY(QMetaObject::invokeMethod(&dlg, "OnPushButtonDeleteClicked"));
        QVERIFY_DIALOGS(driver);
        QCOMPARE(StoredNames(), QStringList{"Food"});
        QCOMPARE(form.name->text(), name);
    }
};

QUILLBOX_TEST_MAIN(TestManageCategories)
#include "tst_managecategories.moc"
