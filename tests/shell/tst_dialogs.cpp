#include "testsupport.h"

#include "appsettings.h"
#include "errordialog.h"
#include "progress.h"
#include "qposdialog.h"
#include "quillboxdialog.h"
#include "welcomedialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QSettings>

using QuillboxTest::DialogDriver;

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }

    void suppressedNoteIsSkipped()
    {
        QSettings *settings = AppSettings::Instance().Settings();
        DialogDriver driver;
        driver.Expect("Inventory Export", "export text", [](QWidget *dialog) {
            dialog->findChild<QCheckBox *>("checkBox")->setChecked(true);
            QuillboxTest::ClickButton(dialog, "Close");
        });
        ErrorDialog first("err_msg_6", "Inventory Export", "export text");
        QCOMPARE(first.exec(), 1);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(settings->value("err_msg_6").toBool(), true);

        // Now it returns at once without showing anything; the driver would flag a dialog.
        ErrorDialog second("err_msg_6", "Inventory Export", "export text");
        QCOMPARE(second.exec(), 1);
        QCOMPARE(driver.Seen().size(), 1);

        // Another key is not affected.
        driver.Expect("Inventory Export", "scanner text");
        ErrorDialog other("err_msg_7", "Inventory Export", "scanner text");
        QCOMPARE(other.exec(), 1);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(settings->value("err_msg_7").toBool(), false);
    }

    void alwaysShownNoteStoresNothing()
    {
        DialogDriver driver;
        bool checkBoxHidden = false;
        driver.Expect("Sub Items Help", "sugar", [&](QWidget *dialog) {
            checkBoxHidden = !dialog->findChild<QCheckBox *>("checkBox")->isVisible();
            QuillboxTest::ClickButton(dialog, "Close");
        });
        ErrorDialog note(QString(), "Sub Items Help", "sugar", nullptr, true);
        note.exec();
        QVERIFY_DIALOGS(driver);
        QVERIFY(checkBoxHidden);
        QVERIFY(AppSettings::Instance().Settings()->allKeys().isEmpty());
    }

    void progressText()
    {
        Progress empty(nullptr, QString());
        QCOMPARE(empty.Text(), QStringLiteral("Please wait..."));
        Progress named(nullptr, "Connecting to database...");
        QCOMPARE(named.Text(), QStringLiteral("Connecting to database..."));
    }

    void dialogsSitCentredOnTheirParent()
    {
        QWidget owner;
        owner.setGeometry(100, 100, 800, 600);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QuillboxDialog dialog(&owner);
        dialog.resize(200, 100);
        dialog.show();
        QTest::qWait(20);
        const QPoint ownerCentre = owner.mapToGlobal(QPoint(400, 300));
        QCOMPARE(dialog.pos() + QPoint(100, 50), ownerCentre);
        dialog.resize(300, 200);
        QCOMPARE(dialog.pos() + QPoint(150, 100), ownerCentre);
    }

    void escapeDoesNotCloseTheSaleScreen()
    {
        QPOSDialog host(nullptr, false);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTest::keyClick(&host, Qt::Key_Escape);
        QVERIFY(host.isVisible());
        host.close();
    }

    void welcomeRemembersOnlyWhenTicked_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<int>("firstTimeStart");
        QTest::newRow("unticked") << false << 1;
        QTest::newRow("ticked") << true << 0;
    }

    void welcomeRemembersOnlyWhenTicked()
    {
        QFETCH(bool, tick);
        QFETCH(int, firstTimeStart);
        WelcomeDialog welcome;
        QCOMPARE(welcome.size(), QSize(600, 450));
        QVERIFY(welcome.windowFlags() & Qt::FramelessWindowHint);
        welcome.findChild<QCheckBox *>("checkBox")->setChecked(tick);
        welcome.show();
        QVERIFY(QuillboxTest::ClickButton(&welcome, "Close"));
        QVERIFY(!welcome.isVisible());
        QCOMPARE(AppSettings::Instance().Settings()->value("FIRST_TIME_START", 1).toInt(),
                 firstTimeStart);
    }
};

QUILLBOX_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
