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
#include "reportsmanagement.h"
#include "schemaupgradeflow.h"
#include "salesmanagement.h"
#include "serversettingsdialog.h"
#include "settings.h"
#include "welcomedialog.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScroller>
#include <QScrollerProperties>
#include <QSettings>
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

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (auto *dialog = findChild<QDialog *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QPoint centre = mapToGlobal(rect().center());
        dialog->move(centre - QPoint(dialog->width() / 2, dialog->height() / 2));
    }
}
