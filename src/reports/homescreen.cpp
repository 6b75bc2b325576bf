#include "homescreen.h"
#include "ui_homescreen.h"

#include "addeditproductdialog.h"
#include "appsettings.h"
#include "dbmanager.h"
#include "homefigures.h"
#include "managementreports.h"

#include <QDate>
#include <QHideEvent>
#include <QMainWindow>
#include <QScroller>
#include <QTimer>

namespace {
QString ButtonStyle(const QString &image)
{
    // The picture at its own size above the caption: stretched over the whole tile, it ran
    // under the words.
    return QStringLiteral("QPushButton { background-image: url(") + image
           + QStringLiteral("); background-repeat: no-repeat; background-position: top center;"
                            " background-origin: border; }");
}
} // namespace

HomeScreen::HomeScreen(QMainWindow *mainWindow)
    : QScrollArea(mainWindow)
    , ui(std::make_unique<Ui::HomeScreen>())
    , m_mainWindow(mainWindow)
{
    ui->setupUi(this);
    QScroller::grabGesture(viewport(), QScroller::LeftMouseButtonGesture);
    const QList<QPair<QPushButton *, const char *>> images = {
        {ui->pushDatabases, ":/resources/images/database-icon.png"},
        {ui->pushAddCategories, ":/resources/images/categories.png"},
        {ui->pushAddProducts, ":/html/html/images/Products.png"},
        {ui->pushAddInventory, ":/resources/images/AddEditInventory.png"},
        {ui->pushPurchaseOrder, ":/resources/images/purchase_order.png"},
        {ui->pushUsers, ":/resources/images/users.png"},
        {ui->pushVendors, ":/resources/images/vendor.png"},
        {ui->pushBackup, ":/html/html/images/backup.png"},
        {ui->pushSettings, ":/resources/images/Settings.png"},
        {ui->pushCustomers, ":/resources/images/customers.png"}};
    for (const auto &button : images)
        button.first->setStyleSheet(ButtonStyle(QString::fromLatin1(button.second)));
    // Square tiles with the caption under the picture; the theme's button limits would
    // squeeze them into strips.
    ui->groupBoxQuickAccess->setStyleSheet(QStringLiteral(
        "QPushButton { min-width: 112px; max-width: 112px; min-height: 16px; max-height: 16px;"
        " padding-top: 70px; padding-bottom: 4px; font-size: 11px; font-weight: bold; }"));
    Refresh();
}

HomeScreen::~HomeScreen() = default;

void HomeScreen::Refresh()
{
    using namespace HomeFigures;
    m_pending.clear();

    const ShopSettings shop = ReadShopSettings(AppSettings::Instance().Settings());
    ui->labelCompanyName->setText(shop.companyName);
    ui->labelCurrencySymbol->setText(shop.currencySymbol);
    ui->labelTaxRate->setText(shop.taxRate);
    ui->labelTaxName->setText(shop.taxName);

    // A connection attempt may show a modal note, in whose loop this page can be replaced:
    // the labels are looked at again once the figure is known.
    const auto inventoryFigure = [](QLabel *label, const QString &sql,
                                    const QString &emptyText = QString()) {
        return [label = QPointer<QLabel>(label), sql, emptyText] {
            const QString text =
                SingleValue(CDBManager::Instance().GetInventoryDataBase(), sql, emptyText);
            if (label)
                label->setText(text);
        };
    };
    const auto salesFigure = [](QLabel *label, const ManagementReports::Period &period) {
        return [label = QPointer<QLabel>(label), period] {
            QString text;
            if (!ManagementReports::SalesSum(CDBManager::Instance().GetSalesDataBase(), period,
                                             &text))
                text = NotAvailable();
            if (label)
                label->setText(text);
        };
    };
    const QDate today = QDate::currentDate();
    m_pending = {
        inventoryFigure(ui->labelTotalProducts, QStringLiteral("SELECT COUNT(*) FROM tblProducts")),
        inventoryFigure(ui->labelTotalInventory,
                        QStringLiteral("SELECT COUNT(*) FROM tblInventory")),
        inventoryFigure(ui->labelTotalVendors, QStringLiteral("SELECT COUNT(*) FROM tblVendors")),
        inventoryFigure(ui->labelTotalCustomers,
                        QStringLiteral("SELECT COUNT(*) FROM tblCustomers")),
        [this] { ui->labelCurrentUser->setText(AppSettings::Instance().GetCurrentUser()); },
        inventoryFigure(ui->labelPurchasedInventory,
                        QStringLiteral("SELECT SUM(PURCHASE_PRICE) FROM tblInventory;"),
                        QStringLiteral("0")),
        salesFigure(ui->labelYesterdaySales, ManagementReports::Yesterday(today)),
        salesFigure(ui->labelLast7DaysSales,
                    ManagementReports::PresetPeriod(ManagementReports::Preset::Last7Days, today)),
    };
    ScheduleStep();
}

void HomeScreen::ScheduleStep()
{
    // A chain already under way picks up the new steps; never two chains at once.
    if (m_stepScheduled || m_pending.isEmpty())
        return;
    m_stepScheduled = true;
    QTimer::singleShot(0, this, &HomeScreen::RunNextStep);
}

void HomeScreen::RunNextStep()
{
    if (m_pending.isEmpty()) {
        m_stepScheduled = false;
        return;
    }
    const std::function<void()> step = m_pending.takeFirst();
    const QPointer<HomeScreen> self(this);
    // Still marked as scheduled while it runs, so a refresh from a nested loop starts no
    // second chain.
    step();
    // A step may run a modal message (a database that cannot be reached) in which the screen
    // is replaced.
    if (!self)
        return;
    m_stepScheduled = false;
    if (m_pending.isEmpty() && !m_stepScheduled)
        emit RefreshFinished();
    else
        ScheduleStep();
}

void HomeScreen::hideEvent(QHideEvent *event)
{
    QScrollArea::hideEvent(event);
    // Hidden on purpose means replaced (the main window deletes its old page later): figures
    // still to come would only open connections under the next screen's feet.
    if (!event->spontaneous())
        m_pending.clear();
}

void HomeScreen::CallMainWindow(const char *slot, bool refresh)
{
    if (!m_mainWindow)
        return;
    const QPointer<HomeScreen> self(this);
    QMetaObject::invokeMethod(m_mainWindow, slot, Qt::DirectConnection);
    // The action may have replaced this page.
    if (self && refresh)
        Refresh();
}

void HomeScreen::AddProduct()
{
    const QPointer<HomeScreen> self(this);
    {
        AddEditProductDialog dialog(m_mainWindow ? static_cast<QWidget *>(m_mainWindow.data())
                                                 : this);
        dialog.setModal(true);
        dialog.exec();
    }
    if (self)
        Refresh();
}

void HomeScreen::on_flowAddCategory_clicked()
{
    CallMainWindow("on_actionManage_Categories_triggered", true);
}

void HomeScreen::on_flowAddProduct_clicked()
{
    AddProduct();
}

void HomeScreen::on_flowAddVendor_clicked()
{
    CallMainWindow("on_actionManage_Vendors_triggered", true);
}

void HomeScreen::on_flowAddInventory_clicked()
{
    CallMainWindow("on_actionAdd_New_Batch_triggered", true);
}

void HomeScreen::on_flowRunPos_clicked()
{
    CallMainWindow("on_pushPointOfSale_clicked", false);
}

void HomeScreen::on_pushAddCategories_clicked()
{
    CallMainWindow("on_actionManage_Categories_triggered", true);
}

void HomeScreen::on_pushAddProducts_clicked()
{
    AddProduct();
}

void HomeScreen::on_pushAddInventory_clicked()
{
    CallMainWindow("on_actionAdd_New_Batch_triggered", true);
}

void HomeScreen::on_pushPurchaseOrder_clicked()
{
    // The main window's new-order action opens the order editor exactly as its menu does.
    CallMainWindow("on_actionAdd_New_Purchase_Order_triggered", false);
}

void HomeScreen::on_pushDatabases_clicked()
{
    CallMainWindow("on_actionDatabases_triggered", false);
}

void HomeScreen::on_pushSettings_clicked()
{
    CallMainWindow("on_actionSettings_triggered", true);
}

void HomeScreen::on_pushBackup_clicked()
{
    CallMainWindow("on_action_Backup_triggered", false);
}

void HomeScreen::on_pushVendors_clicked()
{
    CallMainWindow("on_actionManage_Vendors_triggered", true);
}

void HomeScreen::on_pushUsers_clicked()
{
    CallMainWindow("on_actionManage_Users_triggered", true);
}

void HomeScreen::on_pushCustomers_clicked()
{
    CallMainWindow("on_actionManager_Customers_triggered", true);
}
