#include "mainwindow.h"
#include "abandonedbaskets.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "addeditproductdialog.h"
#include "addeditpurchaseorder.h"
#include "addnewitemsbatch.h"
#include "appsettings.h"
#include "auditviewer.h"
#include "backupdialog.h"
#include "cashupdialog.h"
#include "dbmanager.h"
#include "errordialog.h"
#include "homescreen.h"
#include "inventorymanagement.h"
#include "logindialog.h"
#include "managecategories.h"
#include "managecustomers.h"
#include "managedatabases.h"
#include "manageusers.h"
#include "managevendors.h"
#include "productmanagement.h"
#include "pos.h"
#include "producttransferflow.h"
#include "purchasemanagement.h"
#include "qposdialog.h"
#include "reportsmanagement.h"
#include "schemaupgradeflow.h"
#include "salesmanagement.h"
#include "serversettingsdialog.h"
#include "settings.h"
#include "welcomedialog.h"

#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QScroller>
#include <QScrollerProperties>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QtDebug>

namespace {
const int kNavigatorWidth = 240;

QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

// Gives every line edit a muted hint colour once the style sheet has polished it: the sheet
// paints hints in its text colour, like typed text, and has no property of its own for them.
class MutedHints final : public QObject
{
public:
    using QObject::QObject;

    static void Apply(QLineEdit *edit)
    {
        const QColor muted(0x8c, 0x8c, 0x8c);
        QPalette palette = edit->palette();
        if (palette.color(QPalette::Active, QPalette::PlaceholderText) == muted)
            return;
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::PlaceholderText, muted);
        edit->setPalette(palette);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange) {
            if (auto *edit = qobject_cast<QLineEdit *>(watched)) {
                QPointer<QLineEdit> guard(edit);
                QTimer::singleShot(0, edit, [guard]() {
                    if (guard)
                        Apply(guard);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void SetMenuEnabled(QMenu *menu, bool enabled)
{
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
{
    AppSettings::Instance().SetGlobalParent(this);
    ApplyStoredTheme(Setting::ThemeAtStart);

    ui->setupUi(this);
    m_constructed = true;
    const bool dark = AppSettings::Instance().Text(Setting::Theme) == QLatin1String("dark");
    ui->action_Dark_Theme->setEnabled(!dark);
    ui->action_Light_Theme->setEnabled(dark);

    // Lists are dragged with the left mouse button like on a touch till, without a press delay.
    QWidget *viewport = ui->scrollArea->viewport();
    QScrollerProperties properties = QScroller::scroller(viewport)->scrollerProperties();
    properties.setScrollMetric(QScrollerProperties::MousePressEventDelay, 0);
    QScrollerProperties::setDefaultScrollerProperties(properties);
    QScroller::grabGesture(viewport, QScroller::LeftMouseButtonGesture);

    CDBManager &manager = CDBManager::Instance();
    manager.SetMainWindow(this);
    connect(&manager, &CDBManager::ConnectionStateChanged, this,
            &MainWindow::UpdateConnectionState);
    connect(&manager, &CDBManager::ServerChanged, this, &MainWindow::ShowServer);

    resizeDocks({ui->dockNavigator}, {kNavigatorWidth}, Qt::Horizontal);
    setCorner(Qt::TopLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);

    EnterLoggedOutState();
    RunStartupSequence();
}

MainWindow::~MainWindow()
{
    CDBManager &manager = CDBManager::Instance();
    if (manager.MainWindow() == this)
        manager.SetMainWindow(nullptr);
    if (AppSettings::Instance().GlobalParent() == this)
        AppSettings::Instance().SetGlobalParent(nullptr);
}

void MainWindow::UpdateConnectionState(bool inventoryConnected, bool salesConnected)
{
    ui->pushInvDBStatus->setText(inventoryConnected ? tr("Inventory DB\nCONNECTED")
                                                    : tr("Inventory DB\nDISCONNECTED"));
    ui->pushInvDBStatus->setStyleSheet(
        inventoryConnected ? QStringLiteral("QPushButton#pushInvDBStatus { background-color:green }")
                           : QStringLiteral("QPushButton#pushInvDBStatus { background-color:red }"));
    ui->pushSalesDBStatus->setText(salesConnected ? tr("Sales DB\nCONNECTED")
                                                  : tr("Sales DB\nDISCONNECTED"));
    ui->pushSalesDBStatus->setStyleSheet(
        salesConnected ? QStringLiteral("QPushButton#pushSalesDBStatus { background-color:green }")
                       : QStringLiteral("QPushButton#pushSalesDBStatus { background-color:red }"));
}

void MainWindow::ShowServer(const QString &address)
{
    const bool several = CDBManager::Instance().Servers().size() > 1;
    ui->labelServer->setText(tr("Server: %1").arg(address));
    ui->labelServer->setVisible(several && !address.isEmpty());
}

void MainWindow::ApplyStoredTheme(const SettingKey &theme)
{
    if (AppSettings::Instance().Text(theme) == QLatin1String("dark"))
        ApplyDarkTheme();
    else
        ApplyLightTheme();
}

void MainWindow::ApplyDarkTheme()
{
    if (m_constructed) {
        ui->action_Dark_Theme->setEnabled(false);
        ui->action_Light_Theme->setEnabled(true);
    }
    ApplyStyleSheet(QStringLiteral(":/resources/stylesheets/WindowsStyleSheet.txt"));
    Store()->setValue(QStringLiteral("theme"), QStringLiteral("dark"));
    StyleLoggedOutArea();
}

void MainWindow::ApplyLightTheme()
{
    if (m_constructed) {
        ui->action_Light_Theme->setEnabled(false);
        ui->action_Dark_Theme->setEnabled(true);
    }
    ApplyStyleSheet(QStringLiteral(":/resources/stylesheets/WindowsStyleSheetLight.txt"));
    Store()->setValue(QStringLiteral("theme"), QStringLiteral("light"));
    StyleLoggedOutArea();
}

void MainWindow::ApplyStyleSheet(const QString &resource)
{
    QFile file(resource);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        setStyleSheet(QString::fromUtf8(file.readAll()));
    // The inputs are white in both themes, so one muted hint colour serves both.
    static MutedHints *hints = nullptr;
    if (!hints) {
        hints = new MutedHints(qApp);
        qApp->installEventFilter(hints);
    }
}

void MainWindow::StyleLoggedOutArea()
{
    // The empty area behind the start-up dialogs takes the theme's window colour.
    auto *label = qobject_cast<QLabel *>(centralWidget());
    if (!label || label->objectName() != QLatin1String("labelLoggedOut"))
        return;
    const bool dark = AppSettings::Instance().Text(Setting::Theme) == QLatin1String("dark");
    label->setStyleSheet(dark ? QStringLiteral("QLabel { background-color: #323232 }")
                              : QStringLiteral("QLabel { background-color: #D3D3D3 }"));
}

void MainWindow::SetCentralScreen(QWidget *screen)
{
    // A new central widget makes the layout share out the width afresh; keep the navigator
    // as wide as the user left it instead of letting it swallow the window.
    const int navigatorWidth = isVisible() && ui->dockNavigator->isVisible()
                                   ? ui->dockNavigator->width()
                                   : kNavigatorWidth;
    screen->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCentralWidget(screen);
    if (!ui->dockNavigator->isFloating() && navigatorWidth > 0) {
        resizeDocks({ui->dockNavigator}, {navigatorWidth}, Qt::Horizontal);
        // The layout settles the new widget's share only on its next pass.
        QTimer::singleShot(0, this, [this, navigatorWidth]() {
            resizeDocks({ui->dockNavigator}, {navigatorWidth}, Qt::Horizontal);
        });
    }
}

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

    QSqlQuery query(inventory);
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

void MainWindow::on_actionHome_triggered()
{
    SetCentralScreen(new HomeScreen(this));
}

void MainWindow::OpenPointOfSale()
{
    QPOSDialog dialog(this, true);
    dialog.setModal(true);
    dialog.setWindowTitle(tr("Point of Sale"));
    auto *layout = new QGridLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *pos = new CPOS(&dialog);
    pos->AllowManagerKeys(m_access != Access::Sales);
    layout->addWidget(pos);
    dialog.exec();
    qDebug() << "POS Closed";
    if (m_access != Access::Sales)
        return;
    // A cashier leaving the till is most often handing it over; the window behind it has
    // nothing else for them.
    const auto answer = QMessageBox::question(
        this, tr("Log Out"), tr("The sale screen is closed. Do you want to log out?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        // After the till's own event loop has unwound, so that one shift after another does
        // not stack logins inside each other.
        QTimer::singleShot(0, this, &MainWindow::on_actionLogout_triggered);
    }
}

void MainWindow::on_actionLanuch_POS_triggered()
{
    OpenPointOfSale();
}

void MainWindow::on_pushPointOfSale_clicked()
{
    OpenPointOfSale();
}

void MainWindow::on_pushProductManagement_clicked()
{
    on_actionManageProducts_triggered();
}

void MainWindow::on_actionManageProducts_triggered()
{
    SetCentralScreen(new ProductManagement(this));
}

void MainWindow::on_pushInventoryManagement_clicked()
{
    on_actionManage_Inventory_triggered();
}

void MainWindow::on_actionManage_Inventory_triggered()
{
    SetCentralScreen(new InventoryManagement(this));
}

void MainWindow::on_actionAbandoned_Baskets_triggered()
{
    AbandonedBaskets dialog(this);
    dialog.exec();
}

void MainWindow::on_actionAdd_New_Batch_triggered()
{
    CAddNewItemsBatch dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionAdd_New_Product_triggered()
{
    AddEditProductDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_pushPurchaseManagement_clicked()
{
    on_actionManage_Purchase_triggered();
}

void MainWindow::on_actionManage_Purchase_triggered()
{
    SetCentralScreen(new PurchaseManagement(this));
}

void MainWindow::on_actionAdd_New_Purchase_Order_triggered()
{
    AddEditPurchaseOrder dialog(this);
    dialog.exec();
}

void MainWindow::on_pushSalesManagement_clicked()
{
    on_actionManage_Sales_triggered();
}

void MainWindow::on_actionManage_Sales_triggered()
{
    SetCentralScreen(new SalesManagement(this));
}

void MainWindow::on_actionCash_Up_triggered()
{
    CashUpDialog dialog(this);
    dialog.exec();
}

void MainWindow::on_actionAudit_Trail_triggered()
{
    AuditViewer dialog(this);
    dialog.exec();
}

void MainWindow::on_pushReportManagement_clicked()
{
    on_actionReports_Management_triggered();
}

void MainWindow::on_actionReports_Management_triggered()
{
    SetCentralScreen(new ReportsManagement(this));
}

void MainWindow::on_actionManage_Users_triggered()
{
    ManageUsers dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionManage_Categories_triggered()
{
    ManageCategories dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionManage_Vendors_triggered()
{
    ManageVendors dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionManager_Customers_triggered()
{
    ManageCustomers dialog(this, false);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionSettings_triggered()
{
    Settings dialog(this);
    dialog.setModal(true);
    dialog.exec();
    ApplyStoredTheme(Setting::Theme);
}

void MainWindow::on_action_Backup_triggered()
{
    Backupdialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionDatabases_triggered()
{
    ManageDatabases dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_actionDatabase_Server_triggered()
{
    ServerSettingsDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::on_action_Dark_Theme_triggered()
{
    ApplyDarkTheme();
}

void MainWindow::on_action_Light_Theme_triggered()
{
    ApplyLightTheme();
}

void MainWindow::on_action_Hide_Navigator_triggered()
{
    ui->dockNavigator->hide();
    ui->action_Hide_Navigator->setEnabled(false);
    ui->action_Show_Navigator->setEnabled(true);
}

void MainWindow::on_action_Show_Navigator_triggered()
{
    ui->dockNavigator->show();
    ui->action_Hide_Navigator->setEnabled(true);
    ui->action_Show_Navigator->setEnabled(false);
}

void MainWindow::on_dockNavigator_visibilityChanged(bool visible)
{
    ui->action_Hide_Navigator->setEnabled(visible);
    ui->action_Show_Navigator->setEnabled(!visible);
}

void MainWindow::on_dockNavigator_destroyed()
{
}

void MainWindow::on_actionAbout_Quillbox_Pro_triggered()
{
    AboutDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void MainWindow::InventoryExport(bool forScanner)
{
    ProductTransferFlow::InventoryExport(this, forScanner);
}

void MainWindow::ImportProductData(bool withCodes)
{
    ProductTransferFlow::ImportProductData(this, withCodes);
}

void MainWindow::on_actionNormal_Export_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_6"), tr("Inventory Export"),
                tr("This is normal data export mode. Inventory data will be exported to CSV text "
                   "file. You can open this file in Excel, or some other program and generate "
                   "barcodes in Excel, Word or your program of choice."),
                this)
        .exec();
    InventoryExport(false);
}

void MainWindow::on_actionExport_for_Scanner_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_7"), tr("Inventory Export"),
                tr("Inventory data will be exported to CSV text file. You can open this file in "
                   "Excel, or some other program and generate barcodes in Excel, Word or your "
                   "program of choice. This function will export barcodes which are compatible "
                   "with barcode scanners."),
                this)
        .exec();
    InventoryExport(true);
}

void MainWindow::on_actionImport_with_Codes_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_8"), tr("Inventory Import"),
                tr("Inventory data will be imported from CSV text file. Data should be in the form "
                   "of\n<product category>,<product name>,<barcode>\n on each line."),
                this)
        .exec();
    ImportProductData(true);
}

void MainWindow::on_actionImport_without_Codes_triggered()
{
    ErrorDialog(QStringLiteral("err_msg_9"), tr("Inventory Import"),
                tr("Inventory data will be imported from CSV text file. Data should be in the form "
                   "of\n<product category>,<product name>\n on each line."),
                this)
        .exec();
    ImportProductData(false);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (auto *dialog = findChild<QDialog *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QPoint centre = mapToGlobal(rect().center());
        dialog->move(centre - QPoint(dialog->width() / 2, dialog->height() / 2));
    }
}
