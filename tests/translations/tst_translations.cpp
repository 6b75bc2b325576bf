// Run twice by ctest: under LANG=de_DE.UTF-8 the program speaks German, under the C locale the
// English source texts stay exactly as written.
#include "testsupport.h"

#include "appsettings.h"
#include "mainwindow.h"
#include "programlanguage.h"

#include <QLocale>
#include <QMenu>
#include <QSettings>

#include <memory>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test");
        // The same call the programs make first thing in main().
        m_catalogue = ProgramLanguage::Install(qApp);
        m_german = QLocale::system().language() == QLocale::German;
        QCOMPARE(m_catalogue, m_german ? QStringLiteral("de") : QString());
        QuillboxTest::ResetState();
        m_dbs = std::make_unique<FreshDatabases>();
        QVERIFY(m_dbs->IsValid());
        AppSettings::Instance().Settings()->setValue("FIRST_TIME_START", 0);
        DialogDriver driver;
        if (m_german)
            driver.Expect("Anmelden/Abmelden", "kein Benutzer 'ADMIN' existiert");
        else
            driver.Expect("Login/Logout", "no 'ADMIN' user exists");
        m_window = std::make_unique<MainWindow>();
        QVERIFY_DIALOGS(driver);
    }
    void cleanupTestCase()
    {
        m_window.reset();
        m_dbs.reset();
    }

    void mainWindowCaptions_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("menu from the form") << "menuTools" << "title" << "&Tools" << "E&xtras";
        QTest::newRow("action from the form")
            << "actionLanuch_POS" << "text" << "&Lanuch POS..." << "&Kasse starten...";
        QTest::newRow("text set by the code")
            << "pushInvDBStatus" << "text" << "Inventory DB\nCONNECTED" << "Bestands-DB\nVERBUNDEN";
        QTest::newRow("program name unchanged")
            << "MainWindow" << "windowTitle" << "Quillbox (Pro)" << "Quillbox (Pro)";
    }
    void mainWindowCaptions()
    {
        QFETCH(QString, object);
        QFETCH(QString, property);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QObject *target = m_window->objectName() == object ? m_window.get()
                                                           : m_window->findChild<QObject *>(object);
        QVERIFY2(target, qPrintable(object));
        QCOMPARE(target->property(property.toLatin1()).toString(), m_german ? german : english);
    }

private:
    QString m_catalogue;
    bool m_german = false;
    std::unique_ptr<FreshDatabases> m_dbs;
    std::unique_ptr<MainWindow> m_window;
};

QUILLBOX_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
