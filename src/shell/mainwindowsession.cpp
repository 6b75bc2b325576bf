// The main window's session: the start-up dialogue, logging in and out, and what each kind
// of user may reach.
#include "mainwindow.h"
#include "sqlutil.h"
#include "abandonedbaskets.h"
#include "ui_mainwindow.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "errordialog.h"
#include "homescreen.h"
#include "logindialog.h"
#include "schemaupgradeflow.h"
#include "serversettingsdialog.h"
#include "settings.h"
#include "shopdetailsdialog.h"
#include "welcomedialog.h"

#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSqlQuery>
#include <QtDebug>

namespace {
void SetMenuEnabled(QMenu *menu, bool enabled)
{
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}
} // namespace

void MainWindow::EnterLoggedOutState()
{
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("labelLoggedOut"));
    SetCentralScreen(label);
    StyleLoggedOutArea();

    ui->dockNavigator->setEnabled(false);
    for (QMenu *menu : {ui->menuInventory, ui->menuProducts, ui->menuTools, ui->menu_View,
                        ui->menuPurchase, ui->menuReports, ui->menuSales})
        SetMenuEnabled(menu, false);
    ui->actionLogout->setEnabled(false);
    ui->actionLanuch_POS->setEnabled(false);
    ui->actionHome->setEnabled(false);
    for (QToolBar *bar : {ui->toolBarTools, ui->toolBarInventory, ui->toolBarProducts,
                          ui->toolBarPurchase})
        bar->setEnabled(false);
    ui->actionLogin->setEnabled(true);
    m_access = Access::LoggedOut;
    // Without a window manager (a bare X server at a till) maximising alone does nothing.
    if (QScreen *display = screen())
        setGeometry(display->availableGeometry());
    showMaximized();
}

void MainWindow::RunStartupSequence()
{
    if (AppSettings::Instance().Int(Setting::FirstTimeStart) != 0) {
        WelcomeDialog welcome(this);
        welcome.setModal(true);
        welcome.exec();
        Settings settings(this);
        settings.setModal(true);
        settings.exec();
        if (ShopDetailsDialog::IsNeeded()) {
            ShopDetailsDialog shop(this);
            shop.exec();
        }
        AppSettings::Instance().SetCurrentUser(QString::fromLatin1(AppSettings::NoLoggedInUser));
        ApplyStoredTheme(Setting::Theme);
    }
    AppSettings::Instance().SetGlobalParent(this);
    on_actionLogin_triggered();
}

void MainWindow::GrantFullAccess()
{
    ui->dockNavigator->setEnabled(true);
    for (QMenu *menu : {ui->menuInventory, ui->menuProducts, ui->menuTools, ui->menu_View,
                        ui->menuPurchase, ui->menuReports, ui->menuSales})
        SetMenuEnabled(menu, true);
    for (QToolBar *bar : {ui->mainToolBar, ui->toolBarTools, ui->toolBarInventory,
                          ui->toolBarProducts, ui->toolBarPurchase})
        bar->setEnabled(true);
    ui->actionLanuch_POS->setEnabled(true);
    ui->actionHome->setEnabled(true);
    m_access = Access::Full;
    SetCentralScreen(new HomeScreen(this));
}

void MainWindow::GrantSalesAccess()
{
    ui->dockNavigator->setEnabled(false);
    for (QMenu *menu : {ui->menuInventory, ui->menuProducts, ui->menuTools, ui->menuPurchase,
                        ui->menuReports, ui->menuSales})
        SetMenuEnabled(menu, false);
    ui->actionLanuch_POS->setEnabled(true);
    m_access = Access::Sales;
}

void MainWindow::ToggleLoginActions()
{
    const bool loginEnabled = ui->actionLogin->isEnabled();
    ui->actionLogin->setEnabled(!loginEnabled);
    ui->actionLanuch_POS->setEnabled(loginEnabled);
    ui->actionLogout->setEnabled(loginEnabled);
}

void MainWindow::on_actionLogin_triggered()
{
    const QString server = AppSettings::Instance().Text(Setting::DbServer);
    const QString port = AppSettings::Instance().Text(Setting::DbPort);
    const QString user = AppSettings::Instance().Text(Setting::DbUser);
    const QString password = AppSettings::Instance().Text(Setting::DbPassword);
    if (!server.isEmpty() && !port.isEmpty() && !user.isEmpty()) {
        CDBManager::Instance().SetServerParameters(user, password, port.toInt(nullptr, 10), server);
    } else {
        ServerSettingsDialog dialog(this);
        dialog.setModal(true);
        dialog.exec();
    }

    QSqlDatabase &inventory = CDBManager::Instance().GetInventoryDataBase();
    AppSettings &settings = AppSettings::Instance();
    if (ui->pushInvDBStatus->text().contains(QLatin1String("DISCONNECTED"))) {
        QMessageBox::information(this, tr("Login/Lgout"),
                                 tr("No Inventory Database Active. Please Create a new database, or "
                                    "select already existing database from \"Databases\" option"));
        settings.SetCurrentUser(QString::fromLatin1(AppSettings::NoLoggedInUser));
        GrantFullAccess();
        ToggleLoginActions();
        return;
    }

    SqlQuery query(inventory);
    if (!query.prepare(QStringLiteral("SELECT COUNT(*) FROM tblUsers WHERE ROLE = 'ADMIN'"))
        || !query.exec() || !query.next()) {
        // Not knowing whether an administrator exists is no reason to open every screen.
        LogSqlError(query.lastError());
        QMessageBox::warning(this, tr("Login/Logout"),
                             tr("The user accounts could not be read from the inventory database. "
                                "Please make sure the MySql server is running and try Login "
                                "again."));
        return;
    }
    const int admins = query.value(0).toInt();

    if (admins == 0) {
        ErrorDialog note(QStringLiteral("err_msg_5"), tr("Login/Logout"),
                         tr("Login is disabled at the moment as no 'ADMIN' user exists. Please add "
                            "'ADMIN' user from the Users dialog to enable this function."),
                         this);
        note.exec();
        settings.SetCurrentUser(QString::fromLatin1(AppSettings::NoLoggedInUser));
        GrantFullAccess();
        ToggleLoginActions();
        return;
    }

    LoginOutcome outcome;
    LoginDialog login(this, &outcome);
    login.setModal(true);
    login.exec();
    if (outcome.cancelled)
        return;
    settings.SetCurrentUser(outcome.loginName);
    const bool cashier = outcome.role == QLatin1String("SALES PERSON");
    if (cashier)
        GrantSalesAccess();
    else
        GrantFullAccess();
    ToggleLoginActions();
    // The till is all a cashier may use, so it opens at once instead of an empty window.
    if (cashier) {
        OpenPointOfSale();
        return;
    }
    // Only a manager may stop the tills for a table copy; a cashier sells on the old shape.
    SchemaUpgradeFlow::Offer(this);
}

void MainWindow::on_actionLogout_triggered()
{
    CDBManager::Instance().DropInventoryDatabase();
    CDBManager::Instance().DropSalesDatabase();
    EnterLoggedOutState();
    RunStartupSequence();
}

void MainWindow::on_actionExit_triggered()
{
    close();
}
