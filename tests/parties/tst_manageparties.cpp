#include "testsupport.h"

#include "managecustomers.h"
#include "managevendors.h"
#include "partytesthelpers.h"

#include <QAbstractItemModelTester>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <memory>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
const char *kVendorInUse = "Can not delete this vendor as sotck Items exist from this vendor.";

QString TableOf(const QString &kind)
{
    return kind == "vendor" ? QStringLiteral("tblVendors") : QStringLiteral("tblCustomers");
}

std::unique_ptr<QDialog> Open(const QString &kind)
{
    std::unique_ptr<QDialog> dlg;
    if (kind == "vendor")
        dlg = std::make_unique<ManageVendors>(nullptr);
    else
        dlg = std::make_unique<ManageCustomers>(nullptr, false);
    dlg->show();
    return dlg;
}

// Rows as "name|address|email|contact", in ID order.
QStringList Stored(const QString &kind)
{
    return PartyTest::Column("SELECT CONCAT_WS('|', NAME, COALESCE(ADDRESS, ''), COALESCE(EMAIL, ''), "
                             "COALESCE(CONTACT_NUMBER, '')) FROM "
                             + TableOf(kind) + " ORDER BY ID");
}

struct Form
{
    explicit Form(QWidget *dialog)
        : name(dialog->findChild<QLineEdit *>("lineEditName"))
        , address(dialog->findChild<QPlainTextEdit *>("plainTextEditAddress"))
        , email(dialog->findChild<QLineEdit *>("lineEditEmail"))
        , contact(dialog->findChild<QLineEdit *>("lineEditContact"))
        , filter(dialog->findChild<QLineEdit *>("lineEditFilter"))
        , view(dialog->findChild<QTableView *>("tableView"))
        , add(dialog->findChild<QPushButton *>("pushButtonAdd"))
        , update(dialog->findChild<QPushButton *>("pushButtonUpdate"))
        , remove(dialog->findChild<QPushButton *>("pushButtonDelete"))
        , filterButton(dialog->findChild<QPushButton *>("pushFilter"))
        , select(dialog->findChild<QPushButton *>("pushSelect"))
    {
    }
    bool IsComplete() const
    {
        return name && address && email && contact && filter && view && add && update && remove
               && filterButton;
    }
    void Fill(const QString &n, const QString &a, const QString &e, const QString &c)
    {
        name->setText(n);
        address->setPlainText(a);
        email->setText(e);
        contact->setText(c);
    }
    QStringList Fields() const
    {
        return {name->text(), address->toPlainText(), email->text(), contact->text()};
    }
    bool Highlight(const QString &party) { return QuillboxTest::HighlightRow(view, 1, party); }
    QStringList Shown() const { return QuillboxTest::ColumnTexts(view, 1); }

    QLineEdit *name;
    QPlainTextEdit *address;
    QLineEdit *email;
    QLineEdit *contact;
    QLineEdit *filter;
    QTableView *view;
    QPushButton *add;
    QPushButton *update;
    QPushButton *remove;
    QPushButton *filterButton;
    QPushButton *select;
};

void AddKindColumn()
{
    QTest::addColumn<QString>("kind");
}

void AddBothKinds()
{
    AddKindColumn();
    QTest::newRow("vendor") << "vendor";
    QTest::newRow("customer") << "customer";
}
} // namespace

class TestManageParties : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void addStoresFieldsAsTyped_data()
    {
        AddBothKinds();
    }
    void addStoresFieldsAsTyped()
    {
        QFETCH(QString, kind);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        auto dlg = Open(kind);
        Form form(dlg.get());
        QVERIFY(form.IsComplete());
        QAbstractItemModelTester tester(form.view->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(form.view->isColumnHidden(0));
        QCOMPARE(form.view->model()->headerData(4, Qt::Horizontal).toString(),
                 QString("CONTACT_NUMBER"));
        DialogDriver driver;
        form.Fill("O'Brien & Sons", "12 Quay St\nDublin", "ob@gmail.com", "+353 1");
        form.add->click();
        // Names need not be unique.
        form.Fill("O'Brien & Sons", "C:\\depot", "50% off", "");
        form.add->click();
        form.Fill("   ", "ignored", "", ""); // blank name: nothing happens
        form.add->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Stored(kind), QStringList({"O'Brien & Sons|12 Quay St\nDublin|ob@gmail.com|+353 1",
                                            "O'Brien & Sons|C:\\depot|50% off|"}));
        QCOMPARE(form.Shown(), QStringList({"O'Brien & Sons", "O'Brien & Sons"}));
        QCOMPARE(form.Fields(), QStringList({"   ", "ignored", "", ""}));
    }

    void refusedWriteKeepsFieldsAndIsNotRetried_data()
    {
        AddBothKinds();
    }
    void refusedWriteKeepsFieldsAndIsNotRetried()
    {
        QFETCH(QString, kind);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(),
                                          "ALTER TABLE " + TableOf(kind)
                                              + " ADD CONSTRAINT no_refused CHECK (NAME <> 'Refused')"));
        auto dlg = Open(kind);
        Form form(dlg.get());
        form.Fill("Refused", "a", "b", "c");
        form.add->click();
        QCOMPARE(Stored(kind), QStringList());
        QCOMPARE(form.Fields(), QStringList({"Refused", "a", "b", "c"}));
        form.Fill("Accepted", "", "", "");
        form.add->click();
        QCOMPARE(Stored(kind), QStringList{"Accepted|||"});
        QCOMPARE(form.Shown(), QStringList{"Accepted"});
        // An update the server refuses leaves the stored row as it was.
        QVERIFY(form.Highlight("Accepted"));
        form.name->setText("Refused");
        form.update->click();
        QCOMPARE(Stored(kind), QStringList{"Accepted|||"});
        QCOMPARE(form.Shown(), QStringList{"Accepted"});
    }

    void updateChangesHighlightedRow_data()
    {
        AddBothKinds();
    }
    void updateChangesHighlightedRow()
    {
        QFETCH(QString, kind);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddParty(TableOf(kind), "Ann", "Harbour", "ann@x.com", "555");
        PartyTest::AddParty(TableOf(kind), "Bob", "Hill", "bob@x.com", "556");
        auto dlg = Open(kind);
        Form form(dlg.get());
        QVERIFY(!form.update->isEnabled());
        QVERIFY(form.Highlight("Bob"));
        QCOMPARE(form.Fields(), QStringList({"Bob", "Hill", "bob@x.com", "556"}));
        QVERIFY(form.update->isEnabled());
        form.Fill("Bob's Bakery", "Hill\nTop", "", "557");
        form.update->click();
        QCOMPARE(Stored(kind), QStringList({"Ann|Harbour|ann@x.com|555", "Bob's Bakery|Hill\nTop||557"}));
        QCOMPARE(form.Fields(), QStringList({"", "", "", ""}));
        QVERIFY(!form.update->isEnabled());
        QVERIFY(!form.remove->isEnabled());
    }

    void returnPressesTheMainButtonAndNeverDeletes_data()
    {
        AddBothKinds();
    }
    void returnPressesTheMainButtonAndNeverDeletes()
    {
        QFETCH(QString, kind);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddParty(TableOf(kind), "Ann", "Harbour", "ann@x.com", "555");
        auto dlg = Open(kind);
        Form form(dlg.get());
        // Return in the list, even right after Delete had the focus, deletes nothing.
        QVERIFY(form.Highlight("Ann"));
        form.remove->setFocus();
        form.view->setFocus();
        QTest::keyClick(form.view, Qt::Key_Return);
        QTest::keyClick(form.view, Qt::Key_Enter);
        QCOMPARE(Stored(kind), QStringList{"Ann|Harbour|ann@x.com|555"});
        // In a field it updates the highlighted row...
        form.contact->setText("556");
        QTest::keyClick(form.contact, Qt::Key_Return);
        QCOMPARE(Stored(kind), QStringList{"Ann|Harbour|ann@x.com|556"});
        // ...or, with none highlighted, adds.
        form.Fill("Bob", "", "", "");
        QTest::keyClick(form.name, Qt::Key_Return);
        QCOMPARE(Stored(kind), QStringList({"Ann|Harbour|ann@x.com|556", "Bob|||"}));
    }

    void updateAndDeleteWithoutRowDoNothing_data()
    {
        AddBothKinds();
    }
    void updateAndDeleteWithoutRowDoNothing()
    {
        QFETCH(QString, kind);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddParty(TableOf(kind), "Ann", "Harbour", "ann@x.com", "555");
        auto dlg = Open(kind);
        Form form(dlg.get());
        DialogDriver driver;
        form.Fill("Typed", "", "", "");
        QVERIFY(QMetaObject::invokeMethod(dlg.get(), "OnPushButtonUpdateClicked"));
        QVERIFY(QMetaObject::invokeMethod(dlg.get(), "OnPushButtonDeleteClicked"));
        // After an update the list is reloaded and nothing is highlighted any more.
        QVERIFY(form.Highlight("Ann"));
        form.update->click();
        QVERIFY(QMetaObject::invokeMethod(dlg.get(), "OnPushButtonUpdateClicked"));
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Stored(kind), QStringList{"Ann|Harbour|ann@x.com|555"});
    }

    void filterSearchesAllFourColumns_data()
    {
        AddKindColumn();
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList everyone{"Gmail Ann", "Bob", "Cal", "Dee", "O'Hara", "Half 50% off"};
        for (const char *kind : {"vendor", "customer"}) {
            QTest::addRow("%s gmail", kind) << kind << "gmail" << QStringList({"Gmail Ann", "Bob", "Cal", "Dee"});
            QTest::addRow("%s apostrophe", kind) << kind << "O'Hara" << QStringList{"O'Hara"};
            QTest::addRow("%s percent", kind) << kind << "50% off" << QStringList{"Half 50% off"};
            QTest::addRow("%s backslash", kind) << kind << "\\" << QStringList{"Cal"};
            QTest::addRow("%s empty", kind) << kind << "" << everyone;
        }
    }
    void filterSearchesAllFourColumns()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const QString table = TableOf(kind);
        PartyTest::AddParty(table, "Gmail Ann", "", "", "");
        PartyTest::AddParty(table, "Bob", "gmail lane", "", "");
        PartyTest::AddParty(table, "Cal", "C:\\", "cal@gmail.com", "");
        PartyTest::AddParty(table, "Dee", "", "", "gmail-desk");
        PartyTest::AddParty(table, "O'Hara", "", "oh@mail.com", "");
        PartyTest::AddParty(table, "Half 50% off", "", "", "500");
        auto dlg = Open(kind);
        Form form(dlg.get());
        // Typing filters at once; the button applies the same filter again.
        QTest::keyClicks(form.filter, "zzz");
        QCOMPARE(form.Shown(), QStringList());
        form.filter->clear();
        form.filter->setText(text);
        QCOMPARE(form.Shown(), expected);
        form.filterButton->click();
        QCOMPARE(form.Shown(), expected);
        form.filter->clear();
        QCOMPARE(form.Shown().size(), 6);
    }

    void vendorWithBatchesIsKept()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = PartyTest::AddCategory("Food");
        const int product = PartyTest::AddProduct(category, "P1");
        const int acme = PartyTest::AddParty("tblVendors", "Acme");
        PartyTest::AddParty("tblVendors", "Idle");
        QVERIFY(PartyTest::AddBatch(product, acme, "4001") > 0);
        ManageVendors dlg(nullptr);
        dlg.show();
        Form form(&dlg);
        DialogDriver driver;
        driver.Expect("Error", kVendorInUse);
        QVERIFY(form.Highlight("Acme"));
        form.remove->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Stored("vendor"), QStringList({"Acme|||", "Idle|||"}));
        // One without batches goes at once, without a question.
        QVERIFY(form.Highlight("Idle"));
        form.remove->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Stored("vendor"), QStringList{"Acme|||"});
        QCOMPARE(form.Shown(), QStringList{"Acme"});
        QCOMPARE(form.Fields(), QStringList({"", "", "", ""}));
    }

    void customerDeletedEvenAfterSales()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddParty("tblCustomers", "Ann");
        PartyTest::AddParty("tblCustomers", "Bob");
        ManageCustomers dlg(nullptr, false);
        dlg.show();
        Form form(&dlg);
        QVERIFY(form.select);
        QVERIFY(form.select->isHidden());
        DialogDriver driver;
        QVERIFY(form.Highlight("Ann"));
        form.remove->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Stored("customer"), QStringList{"Bob|||"});
    }

    void selectionModeReturnsPickedCustomer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("picked");
        QTest::newRow("Select") << "select" << true;
        // "Select" takes the row as stored, not what was typed over it.
        QTest::newRow("Select after typing over the fields") << "select-edited" << true;
        // Only "Select" picks: a double-click merely highlights.
        QTest::newRow("double-click, then Close") << "double" << false;
        QTest::newRow("Close with a row highlighted") << "close" << false;
        QTest::newRow("window closed") << "reject" << false;
        QTest::newRow("Select without a row") << "select-none" << false;
        // The update's reload drops the highlight; the earlier row must not come back.
        QTest::newRow("Select after an update cleared the highlight") << "select-after-update"
                                                                      << false;
    }
    void selectionModeReturnsPickedCustomer()
    {
        QFETCH(QString, how);
        QFETCH(bool, picked);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PartyTest::AddParty("tblCustomers", "Ann", "Harbour", "ann@x.com", "555");
        const int bob = PartyTest::AddParty("tblCustomers", "Bob O'Neil", "Hill\nTop", "b@x.com", "556");
        ManageCustomers dlg(nullptr, true);
        DialogDriver driver;
        bool closedBySelect = false;
        driver.Expect("Manage Customers", QString(), [how, &closedBySelect](QWidget *widget) {
            Form form(widget);
            if (how != "select-none")
                form.Highlight("Bob O'Neil");
            if (how == "select-edited")
                form.Fill("Someone else", "", "", "");
            if (how == "select-after-update") {
                form.update->click();
                QVERIFY(!form.view->currentIndex().isValid());
            }
            if (how.startsWith("select")) {
                form.select->click();
                closedBySelect = !widget->isVisible();
                if (!closedBySelect)
                    ClickClose(widget);
            } else if (how == "double") {
                emit form.view->doubleClicked(form.view->currentIndex());
                QVERIFY(widget->isVisible());
                ClickClose(widget);
            } else if (how == "close") {
                ClickClose(widget);
            } else {
                widget->close();
            }
        });
        QVERIFY(!dlg.findChild<QPushButton *>("pushSelect")->isHidden());
        dlg.exec();
        QVERIFY_DIALOGS(driver);
        if (how.startsWith("select"))
            QVERIFY2(closedBySelect, "Select closes the dialog");
        QStringList out{"untouched", "untouched", "untouched", "untouched", "untouched"};
        dlg.GetSelectedCustomer(out[0], out[1], out[2], out[3], out[4]);
        if (picked)
            QCOMPARE(out, QStringList({QString::number(bob), "Bob O'Neil", "Hill\nTop", "b@x.com", "556"}));
        else
            QCOMPARE(out, QStringList({"untouched", "untouched", "untouched", "untouched", "untouched"}));
    }

private:
    static void ClickClose(QWidget *widget)
    {
        widget->findChild<QPushButton *>("pushButtonClose")->click();
    }
};

QUILLBOX_TEST_MAIN(TestManageParties)
#include "tst_manageparties.moc"
