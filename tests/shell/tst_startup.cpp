#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "homescreen.h"
#include "mainwindow.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QToolBar>

#include <memory>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
const char *kNoInventory = "No Inventory Database Active. Please Create a new database, or select "
                           "already existing database from \"Databases\" option";
const char *kNoAdmin = "Login is disabled at the moment as no 'ADMIN' user exists.";
const char *kUsersUnreadable = "The user accounts could not be read";

QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

template <typename T> T *Find(QWidget *window, const char *name)
{
    T *child = window->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qWarning() << "missing" << name;
    return child;
}

bool MenuEnabled(QWidget *window, const char *name)
{
    return Find<QMenu>(window, name)->menuAction()->isEnabled();
}

bool ActionEnabled(QWidget *window, const char *name)
{
    return Find<QAction>(window, name)->isEnabled();
}

DialogDriver::Action LogIn(const QString &login, const QString &password)
{
    return [login, password](QWidget *dialog) {
        dialog->findChild<QLineEdit *>("editUserName")->setText(login);
        dialog->findChild<QLineEdit *>("editPassword")->setText(password);
        QuillboxTest::ClickButton(dialog, "Login");
    };
}

void AddUser(const QString &schema, const QString &login, const QString &password,
             const QString &role)
{
    QVERIFY(FreshDatabases::ExecAdmin(
        schema, QStringLiteral("INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, "
                               "ROLE) VALUES ('Ann', 'Smith', '%1', '%2', '%3')")
                    .arg(QString(login).replace("'", "''"), password, role)));
}

// A window on a fresh inventory without users: it opens everything without asking for a login.
std::unique_ptr<MainWindow> StartWithoutAdmin(DialogDriver &driver)
{
    Store()->setValue("FIRST_TIME_START", 0);
    driver.Expect("Login/Logout", kNoAdmin);
    return std::make_unique<MainWindow>();
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void firstStartOnAnEmptyMachine()
    {
        DialogDriver driver;
        driver.Expect("Dialog")  // the welcome picture, closed unticked
            .Expect("Settings", QString(), DialogDriver::Press("OK"))  // then the settings
            // No shop name yet: asked for, so no receipt prints an invented one.
            .Expect("Your Shop", QString(),
                    [](QWidget *dialog) {
                        dialog->findChild<QLineEdit *>("lineShopName")->setText(" Corner Pharmacy ");
                        dialog->findChild<QPlainTextEdit *>("textShopAddress")
                            ->setPlainText("1 High Street");
                        QuillboxTest::ClickButton(dialog, "Save");
                    })
            .Expect("Server Settings",
                    QString(),
                    [](QWidget *dialog) {
                        dialog->findChild<QLineEdit *>("lineServerAddress")
                            ->setText(QuillboxTest::TestServer::Host());
                        dialog->findChild<QLineEdit *>("linePort")
                            ->setText(QString::number(QuillboxTest::TestServer::Port()));
                        dialog->findChild<QLineEdit *>("lineUserName")
                            ->setText(QuillboxTest::TestServer::User());
                        dialog->findChild<QLineEdit *>("lineUserPassword")
                            ->setText(QuillboxTest::TestServer::Password());
                        QuillboxTest::ClickButton(dialog, "Save");
                    })
            .Expect("Error", "Can not connect to 'No Active Inventory Database' Please make sure")
            .Expect("Login/Lgout", kNoInventory)
            // The home screen asks for the sales figures at once.
            .Expect("Error", "Can not connect to 'No Active Sales Database'");
        MainWindow window;
        QVERIFY_DIALOGS(driver);

        QCOMPARE(Store()->value("theme").toString(), QStringLiteral("dark"));
        QVERIFY(!window.styleSheet().isEmpty() || !QFile::exists(":/resources/stylesheets/WindowsStyleSheet.txt"));
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillbox (Pro)"));
        QCOMPARE(Store()->value("FIRST_TIME_START", 1).toInt(), 1);
        QCOMPARE(Store()->value("REPORT_COMPANY_NAME").toString(), QStringLiteral("Corner Pharmacy"));
        QCOMPARE(Store()->value("REPORT_COMPANY_ADDRESS").toString(), QStringLiteral("1 High Street"));
        QCOMPARE(Store()->value("DB_PORT").toString(),
                 QString::number(QuillboxTest::TestServer::Port()));
        QCOMPARE(AppSettings::Instance().GetCurrentUser(), QStringLiteral("NO LOGGED IN USER"));
        QCOMPARE(window.CurrentAccess(), MainWindow::Access::Full);
        QCOMPARE(Find<QPushButton>(&window, "pushInvDBStatus")->text(),
                 QStringLiteral("Inventory DB\nDISCONNECTED"));
        QCOMPARE(Find<QPushButton>(&window, "pushSalesDBStatus")->text(),
                 QStringLiteral("Sales DB\nDISCONNECTED"));
        QVERIFY(Find<QPushButton>(&window, "pushInvDBStatus")->styleSheet().contains("red"));
        QVERIFY(MenuEnabled(&window, "menuTools"));
        QVERIFY(!ActionEnabled(&window, "actionLogin"));
        QVERIFY(ActionEnabled(&window, "actionLogout"));
        QVERIFY(ActionEnabled(&window, "actionLanuch_POS"));
        QVERIFY(!ActionEnabled(&window, "action_Dark_Theme"));
        QVERIFY(ActionEnabled(&window, "action_Light_Theme"));
        // Full access shows the home screen in the middle.
        QVERIFY(qobject_cast<HomeScreen *>(window.centralWidget()));
    }

    void noAdminOpensEverythingForSetUp()
    {
        FreshDatabases dbs; // the home screen reads both
        QVERIFY(dbs.IsValid());
        Store()->setValue("FIRST_TIME_START", 0);
        DialogDriver driver;
        driver.Expect("Login/Logout", kNoAdmin);
        MainWindow window;
        QVERIFY_DIALOGS(driver);
        QCOMPARE(window.CurrentAccess(), MainWindow::Access::Full);
        QCOMPARE(AppSettings::Instance().GetCurrentUser(), QStringLiteral("NO LOGGED IN USER"));
        QCOMPARE(Find<QPushButton>(&window, "pushInvDBStatus")->text(),
                 QStringLiteral("Inventory DB\nCONNECTED"));
        // The home screen asks for the sales database at once.
        QTRY_COMPARE(Find<QPushButton>(&window, "pushSalesDBStatus")->text(),
                     QStringLiteral("Sales DB\nCONNECTED"));
        QVERIFY(Find<QDockWidget>(&window, "dockNavigator")->isEnabled());
        for (const char *bar : {"toolBarTools", "toolBarInventory", "toolBarProducts", "toolBarPurchase"})
            QVERIFY2(Find<QToolBar>(&window, bar)->isEnabled(), bar);
    }

    // With several servers the navigator names the one in use, whole; with one it says nothing.
    void navigatorNamesTheServerInUse_data()
    {
        QTest::addColumn<QString>("others");
        QTest::addColumn<bool>("shown");
        QTest::newRow("one server") << QString() << false;
        QTest::newRow("several") << "127.0.0.1:1" << true;
    }

    void navigatorNamesTheServerInUse()
    {
        QFETCH(QString, others);
        QFETCH(bool, shown);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        Store()->setValue("DB_SERVERS", others);
        DialogDriver driver;
        const std::unique_ptr<MainWindow> window = StartWithoutAdmin(driver);
        QVERIFY_DIALOGS(driver);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QLabel *label = Find<QLabel>(window.get(), "labelServer");
        QTRY_COMPARE(label->isVisible(), shown);
        if (!shown)
            return;
        using QuillboxTest::TestServer;
        QCOMPARE(label->text(),
                 QStringLiteral("Server: %1:%2").arg(TestServer::Host()).arg(TestServer::Port()));
        // It has the navigator's width to wrap in, as its buttons do, and the height it needs.
        QVERIFY(label->width() >= Find<QPushButton>(window.get(), "pushInvDBStatus")->width());
        QVERIFY(label->width() <= Find<QDockWidget>(window.get(), "dockNavigator")->width());
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), "the address is cut");
    }

    void adminCountGatesTheLogin_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("access");
        // Users exist, but none may manage them: the set-up screens open.
        QTest::newRow("only a sales person")
            << "INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, ROLE) VALUES "
               "('Ann', 'Smith', 'ann', 'pw', 'SALES PERSON')"
            << "Login/Logout" << kNoAdmin << int(MainWindow::Access::Full);
        // The accounts cannot be read: nothing is opened on a guess.
        QTest::newRow("count fails") << "DROP TABLE tblUsers"
                                     << "Login/Logout" << kUsersUnreadable
                                     << int(MainWindow::Access::LoggedOut);
    }

    void adminCountGatesTheLogin()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, access);
        // Both: full access opens the start page, which reads the sales database.
        FreshDatabases dbs;
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(), setUp));
        Store()->setValue("FIRST_TIME_START", 0);
        DialogDriver driver;
        driver.Expect(title, text);
        MainWindow window;
        QVERIFY_DIALOGS(driver);
        QCOMPARE(int(window.CurrentAccess()), access);
        const bool loggedOut = access == int(MainWindow::Access::LoggedOut);
        QCOMPARE(ActionEnabled(&window, "actionLogin"), loggedOut);
        QCOMPARE(MenuEnabled(&window, "menuTools"), !loggedOut);
        QCOMPARE(Find<QDockWidget>(&window, "dockNavigator")->isEnabled(), !loggedOut);
    }

    void roles_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("full");
        QTest::newRow("admin") << "ADMIN" << true;
        QTest::newRow("sales person") << "SALES PERSON" << false;
        // Anything but the sales role is a manager.
        QTest::newRow("other role") << "STOCK KEEPER" << true;
    }

    void roles()
    {
        QFETCH(QString, role);
        QFETCH(bool, full);
        FreshDatabases dbs; // the home screen reads both
        AddUser(dbs.InventoryName(), "boss", "secret", "ADMIN");
        AddUser(dbs.InventoryName(), "o'neil", "pw", role);
        Store()->setValue("FIRST_TIME_START", 0);
        DialogDriver driver;
        driver.Expect("Login", QString(), LogIn("o'neil", "pw"));
        if (!full) {
            // A cashier lands on the till; leaving it offers to log out.
            driver.Expect("Point of Sale", QString(), DialogDriver::Reject());
            driver.Expect("Log Out", "Do you want to log out?", DialogDriver::Press("No"));
        }
        MainWindow window;
        QVERIFY_DIALOGS(driver);
        // The till connected the sales database as it opened, and the navigator says so.
        if (!full)
            QCOMPARE(Find<QPushButton>(&window, "pushSalesDBStatus")->text(),
                     QString("Sales DB\nCONNECTED"));
        QCOMPARE(AppSettings::Instance().GetCurrentUser(), QStringLiteral("o'neil"));
        QCOMPARE(window.CurrentAccess(), full ? MainWindow::Access::Full : MainWindow::Access::Sales);
        QVERIFY(!ActionEnabled(&window, "actionLogin"));
        QVERIFY(ActionEnabled(&window, "actionLogout"));
        QVERIFY(ActionEnabled(&window, "actionLanuch_POS"));
        QVERIFY(ActionEnabled(&window, "actionExit"));
        QCOMPARE(ActionEnabled(&window, "actionHome"), full);
        QCOMPARE(Find<QDockWidget>(&window, "dockNavigator")->isEnabled(), full);
        for (const char *menu : {"menuInventory", "menuProducts", "menuTools", "menuPurchase",
                                 "menuReports", "menuSales", "menu_View"})
            QCOMPARE(MenuEnabled(&window, menu), full);
        QVERIFY(MenuEnabled(&window, "menuUser"));
        QVERIFY(MenuEnabled(&window, "menuHelof"));
        QVERIFY(Find<QToolBar>(&window, "mainToolBar")->isEnabled());
        QCOMPARE(Find<QToolBar>(&window, "toolBarTools")->isEnabled(), full);
    }

    void cancelledLoginStaysLoggedOutAndLogoutAsksAgain()
    {
        FreshDatabases dbs; // the home screen reads both
        AddUser(dbs.InventoryName(), "boss", "secret", "ADMIN");
        Store()->setValue("FIRST_TIME_START", 0);
        DialogDriver driver;
        driver.Expect("Login", QString(), DialogDriver::Press("Cancel"));
        MainWindow window;
        QVERIFY_DIALOGS(driver);
        QCOMPARE(window.CurrentAccess(), MainWindow::Access::LoggedOut);
        QVERIFY(ActionEnabled(&window, "actionLogin"));
        QVERIFY(!ActionEnabled(&window, "actionLogout"));
        QVERIFY(!ActionEnabled(&window, "actionLanuch_POS"));
        QVERIFY(!MenuEnabled(&window, "menuTools"));
        QVERIFY(MenuEnabled(&window, "menuUser"));

        // Login again repeats the routine; this time it succeeds.
        driver.Expect("Login", QString(), LogIn("boss", "secret"));
        Find<QAction>(&window, "actionLogin")->trigger();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(window.CurrentAccess(), MainWindow::Access::Full);

        // Logout drops the connections and runs the login routine at once.
        driver.Expect("Login", QString(), DialogDriver::Press("Cancel"));
        Find<QAction>(&window, "actionLogout")->trigger();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(window.CurrentAccess(), MainWindow::Access::LoggedOut);
        QVERIFY(!CDBManager::Instance().IsSalesConnected());
    }

    void themeSwitchPersists()
    {
        FreshDatabases dbs; // the home screen reads both
        Store()->setValue("FIRST_TIME_START", 0);
        DialogDriver driver;
        driver.Expect("Login/Logout", kNoAdmin);
        {
            MainWindow window;
            QVERIFY_DIALOGS(driver);
            Find<QAction>(&window, "action_Light_Theme")->trigger();
            QCOMPARE(Store()->value("theme").toString(), QStringLiteral("light"));
            QVERIFY(!ActionEnabled(&window, "action_Light_Theme"));
            QVERIFY(ActionEnabled(&window, "action_Dark_Theme"));
        }
        driver.Expect("Login/Logout", kNoAdmin);
        MainWindow again;
        QVERIFY_DIALOGS(driver);
        QVERIFY(!ActionEnabled(&again, "action_Light_Theme"));
        QVERIFY(ActionEnabled(&again, "action_Dark_Theme"));
        QCOMPARE(Store()->value("theme").toString(), QStringLiteral("light"));
    }

    void navigatorActionsFollowTheDock()
    {
        FreshDatabases dbs; // the home screen reads both
        DialogDriver driver;
        const auto started = StartWithoutAdmin(driver);
        MainWindow &window = *started;
        QVERIFY_DIALOGS(driver);
        auto *dock = Find<QDockWidget>(&window, "dockNavigator");
        Find<QAction>(&window, "action_Hide_Navigator")->trigger();
        QVERIFY(!dock->isVisible());
        QVERIFY(!ActionEnabled(&window, "action_Hide_Navigator"));
        QVERIFY(ActionEnabled(&window, "action_Show_Navigator"));
        Find<QAction>(&window, "action_Show_Navigator")->trigger();
        QTest::qWait(20);
        QVERIFY(dock->isVisible());
        // Closing the dock by its own button updates the actions too.
        dock->close();
        QTest::qWait(20);
        QVERIFY(!ActionEnabled(&window, "action_Hide_Navigator"));
        QVERIFY(ActionEnabled(&window, "action_Show_Navigator"));
    }

    void actionsOpenTheirScreens()
    {
        FreshDatabases dbs; // the home screen reads both
        DialogDriver driver;
        const auto started = StartWithoutAdmin(driver);
        MainWindow &window = *started;
        QVERIFY_DIALOGS(driver);
        // The layout gives the start page its share on its next pass.
        QTRY_COMPARE(Find<QDockWidget>(&window, "dockNavigator")->width(), 240);

        Find<QAction>(&window, "actionManageProducts")->trigger();
        QCOMPARE(window.centralWidget()->metaObject()->className(), "ProductManagement");
        Find<QPushButton>(&window, "pushInventoryManagement")->click();
        QCOMPARE(window.centralWidget()->metaObject()->className(), "InventoryManagement");
        Find<QPushButton>(&window, "pushProductManagement")->click();
        QCOMPARE(window.centralWidget()->metaObject()->className(), "ProductManagement");
        // The theme's bold tab captions are whole, not cut at both ends.
        Find<QAction>(&window, "actionManage_Sales")->trigger();
        auto *tabs = window.centralWidget()->findChild<QTabBar *>();
        QVERIFY(tabs);
        QFont bold = tabs->font();
        bold.setBold(true);
        for (int i = 0; i < tabs->count(); ++i)
            QVERIFY2(tabs->tabRect(i).width()
                         >= QFontMetrics(bold).horizontalAdvance(tabs->tabText(i)) + 28,
                     qPrintable(tabs->tabText(i)));
        // Changing screens leaves the navigator as wide as it was.
        QTest::qWait(50);
        QVERIFY2(qAbs(Find<QDockWidget>(&window, "dockNavigator")->width() - 240) <= 10,
                 qPrintable(QString::number(Find<QDockWidget>(&window, "dockNavigator")->width())));

        const QList<QPair<const char *, const char *>> dialogs = {
            {"actionManage_Categories", "Manage Categories"},
            {"actionManage_Vendors", "Manage Vendors"},
            {"actionManager_Customers", "Manage Customers"},
            {"actionManage_Users", "Manage Users"},
            {"actionDatabases", "Create Databases"},
            {"actionDatabase_Server", "Server Settings"},
            {"actionAdd_New_Product", "Edit Product"},
            {"actionAdd_New_Batch", "Edit Inventory"},
        };
        for (const auto &entry : dialogs) {
            driver.Expect(entry.second, QString(), DialogDriver::Reject());
            Find<QAction>(&window, entry.first)->trigger();
            QVERIFY_DIALOGS(driver);
        }
    }

    void menusAndToolBarsAreComplete()
    {
        FreshDatabases dbs; // the home screen reads both
        DialogDriver driver;
        const auto started = StartWithoutAdmin(driver);
        MainWindow &window = *started;
        QVERIFY_DIALOGS(driver);
        QStringList titles;
        for (QAction *action : window.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"&User", "&Products", "P&urchase", "&Sales", "&Inventory",
                                      "&Reports", "&Tools", "&View", "&Help"}));
        QStringList tools;
        for (QAction *action : Find<QToolBar>(&window, "toolBarTools")->actions())
            tools << action->objectName();
        QCOMPARE(tools, QStringList({"actionManage_Categories", "actionReports_Management",
                                     "actionManage_Users", "actionManage_Vendors",
                                     "actionManager_Customers", "action_Backup", "actionSettings",
                                     "actionDatabase_Server", "actionDatabases"}));
        // Tool bars show pictures only: an action without one would show its words.
        for (QToolBar *bar : window.findChildren<QToolBar *>()) {
            for (QAction *action : bar->actions())
                QVERIFY2(action->isSeparator() || !action->icon().isNull(),
                         qPrintable(action->objectName()));
        }
        QStringList user;
        for (QAction *action : Find<QMenu>(&window, "menuUser")->actions())
            user << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(user, QStringList({"-", "-", "actionLogin", "actionLogout", "actionHome", "-", "-",
                                    "actionLanuch_POS", "-", "actionExit"}));
        // The layout gives the start page its share on its next pass.
        QTRY_COMPARE(Find<QDockWidget>(&window, "dockNavigator")->width(), 240);
    }
};

QUILLBOX_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
