#include "pos.h"
#include "ui_pos.h"

#include "appsettings.h"
#include "cashupdialog.h"
#include "cashdrawer.h"
#include "dbmanager.h"
#include "errordialog.h"
#include "inventorymanagement.h"
#include "managecustomers.h"
#include "openbaskets.h"
#include "posbutton.h"
#include "receipt.h"
#include "salesmanagement.h"

#include <QDialog>
#include <QLocale>
#include <QPushButton>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>
#include <QStandardItemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScroller>
#include <QShortcut>
#include <QSettings>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTimer>
#include <QtDebug>

namespace {
const char *kGrayStatus = "QLabel {background-color: gray }";
const char *kRedStatus = "QLabel {background-color: red }";
const char *kReturnModeNotice
    = QT_TRANSLATE_NOOP("CPOS", "RETURN MODE: items entered now go back into stock.");

// One toggle for every sale screen of the process; it carries on across messages.
bool g_blinkRed = true;

const char *kHelpText
    = "HELP TIP: Please hover mouse over different items, after few seconds tooltips will "
      "appear.\n\nVarious keys on your keyboard are assigned to different functions on this "
      "screen. These are called shortcut keys.\n\nF1     ->   Help on point of sale screen.\nF2    "
      " "
      "->   Reset all and start new sale.\nF3     ->   Print receipt.\nF4     ->   Show print "
      "preview of receipt.\nF5     ->   Shortcut to Pay button. After entering amount in PAID box, "
      "press this button.\nF6     ->   Shortcut to Return button. Press this to return items back "
      "to inventory.\nF7     ->   Shortcut to Search button. Press this to search for products and "
      "inventory levels.\nF8     ->   Shortcut to Sales button. Press this for viewing and "
      "searching sales.\nF9     ->   Shortcut to Customers button. Press this for selecting and "
      "editing customer.\nF10    ->   Shortcut to Enter button. Press this after entering "
      "barcode.\nF11    ->   Shortcut to Show All button.\nF12    ->   Set focus directly to PAID "
      "box for entering amount.\nPgUp  ->   Shortcut to Next button.\nPgDn  ->   Shortcut to "
      "Previous button.\nShift+Del ->   Void the selected basket line (Del on the basket list; "
      "the last line when none is selected).\nCtrl+Del  ->   Void sale: put every item back and "
      "start a new sale.\n";
} // namespace

CPOS::CPOS(QWidget *parent)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::CPOS>())
{
    ui->setupUi(this);
    QScroller::grabGesture(viewport(), QScroller::LeftMouseButtonGesture);
    QScroller::grabGesture(ui->tableViewItems->viewport(), QScroller::LeftMouseButtonGesture);
    ui->lineEditPaid->installEventFilter(this);
    // The void keys are read before the fields' own editing keys (Shift+Del cuts there).
    ui->lineEditBarCode->installEventFilter(this);
    ui->tableViewItems->installEventFilter(this);

    m_taxEnabled = AppSettings::Instance().Bool(Setting::EnableTax);
    m_subItemsMode = AppSettings::Instance().Text(Setting::SubItemsMode) == "y";
    m_expiryGuard = SaleRules::ExpiryGuardFromSetting(
        AppSettings::Instance().Text(Setting::ExpiryGuard));
    m_expiryWarnDays = AppSettings::Instance().Int(Setting::ExpiryWarnDays);
    m_currency = AppSettings::Instance().Text(Setting::CurrencySymbol);
    m_taxName = AppSettings::Instance().Text(Setting::SalesTaxName);
    if (m_taxName.isEmpty())
        m_taxName = QStringLiteral("TAX");
    m_rows = AppSettings::Instance().Int(Setting::PosRows);
    m_columns = AppSettings::Instance().Int(Setting::PosColumns);
    // A damaged store must not leave the panel without a cell.
    m_rows = qMax(1, m_rows);
    m_columns = qMax(1, m_columns);
    m_imagesFolder = AppSettings::Instance().Text(Setting::ImagesFolder);

    ui->labelTax->setVisible(m_taxEnabled);
    ui->lineEditTax->setVisible(m_taxEnabled);
    ui->lineEditSubItems->setVisible(m_subItemsMode);
    ui->labelSubQty->setVisible(m_subItemsMode);
    ui->labelTotal->setText(tr("TOTAL %1").arg(m_currency));
    ui->labelPaid->setText(tr("PAID %1").arg(m_currency));
    ui->labelChange->setText(tr("CHANGE %1").arg(m_currency));
    ui->labelTax->setText(m_taxName + QLatin1Char(' ') + m_currency);

    m_blinkTimer = new QTimer(this);
    m_statusWatchDog = new QTimer(this);
    connect(m_blinkTimer, &QTimer::timeout, this, &CPOS::OnBlinkingTimeout);
    connect(m_statusWatchDog, &QTimer::timeout, this, &CPOS::OnStatusWatchDogTimeout);
    ui->labelStatus->setStyleSheet(QLatin1String(kGrayStatus));

    m_model = new CItemTransactionsModel(ui->tableViewItems);
    SetUpBasketView();
    ResetTotalFields();

    auto *categories
        = new QSqlTableModel(ui->comboCategory, CDBManager::Instance().GetInventoryDataBase());
    categories->setTable(QStringLiteral("tblProductCategories"));
    categories->select();
    {
        // Filling the combo must not count as the cashier choosing a category.
        const QSignalBlocker blocker(ui->comboCategory);
        ui->comboCategory->setModel(categories);
        ui->comboCategory->setModelColumn(1);
    }
    BuildPanel();
    // The cashier's own cash-up; every function key already has its button.
    auto *cashUp = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_U), this);
    connect(cashUp, &QShortcut::activated, this, [this] {
        CashUpDialog dialog(this, true);
        dialog.exec();
        SetFocusOnBarCode();
    });
    // Connect the sales database now rather than at the first payment: a till that cannot
    // record sales says so before the cashier has taken stock out, and the main window's
    // navigator shows its real state.
    CDBManager::Instance().GetSalesDataBase();
    m_tillId = PosStore::TillId();
    // Read before the first entry: what is on record now was left by an earlier run of this till.
    if (PosStore::OpenBasketsOfTill(CDBManager::Instance().GetInventoryDataBase(), m_tillId,
                                    &m_unfinished)
        && !m_unfinished.isEmpty())
        QTimer::singleShot(0, this, &CPOS::OfferUnfinishedBasket);
    QTimer::singleShot(0, this, &CPOS::SetFocusOnBarCode);
}

void CPOS::SetUpBasketView()
{
    QTableView *view = ui->tableViewItems;
    view->setModel(m_model);
    view->setAlternatingRowColors(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setColumnHidden(CItemTransactionsModel::PurchasePriceColumn, true);
    view->setColumnHidden(CItemTransactionsModel::PurchaseTotalColumn, true);
    view->setColumnHidden(CItemTransactionsModel::SubItemsColumn, !m_subItemsMode);
    // The product name takes the room the figures leave, so Line Total never needs a scroll.
    QHeaderView *header = view->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(CItemTransactionsModel::NameColumn, QHeaderView::Stretch);
    // Sizing to contents looks at the rows on screen only, so a long basket enters its 200th
    // line as fast as its first.
    header->setResizeContentsPrecision(0);
    SizeBasketColumns();
}

void CPOS::SizeBasketColumns()
{
    QTableView *view = ui->tableViewItems;
    QHeaderView *header = view->horizontalHeader();
    if (!m_captionRuler) {
        m_captionWords = new QStandardItemModel(0, m_model->columnCount(), this);
        m_captionRuler = new QHeaderView(Qt::Horizontal, view);
        m_captionRuler->setModel(m_captionWords);
        m_captionRuler->hide();
    }
    m_captionRuler->ensurePolished();
    const QFontMetrics cells(view->font());
    const int margins = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header)
        + cells.averageCharWidth();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (column == CItemTransactionsModel::NameColumn || view->isColumnHidden(column))
            continue;
        // The captions carry blanks of their own: sized by them, the figures would push Line
        // Total out of sight. The words and the widest figure on screen decide, the words
        // measured by a hidden header of the same theme, bold font and padding included.
        m_captionWords->setHeaderData(
            column, Qt::Horizontal, m_model->headerData(column, Qt::Horizontal).toString().trimmed());
        int width = m_captionRuler->sectionSizeHint(column);
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const QString text = m_model->index(row, column).data().toString();
            width = qMax(width, cells.horizontalAdvance(text) + margins);
        }
        header->resizeSection(column, width);
    }
}

void CPOS::ResetTotalFields()
{
    for (QLineEdit *field :
         {ui->lineEditTotal, ui->lineEditPaid, ui->lineEditChange, ui->lineEditTax})
        field->setText(QStringLiteral("0"));
    ui->lineEditPaid->selectAll();
}

void CPOS::ShowTotals()
{
    ui->lineEditTotal->setText(SaleRules::Money(m_model->GrandTotal()));
    ui->lineEditTax->setText(SaleRules::Money(m_model->TaxTotal()));
}

void CPOS::ShowStatus(const QString &text)
{
    ui->labelStatus->setText(text);
    m_blinkTimer->start(350);
    m_statusWatchDog->start(5000);
}

void CPOS::OnBlinkingTimeout()
{
    g_blinkRed = !g_blinkRed;
    ui->labelStatus->setStyleSheet(QLatin1String(g_blinkRed ? kRedStatus : kGrayStatus));
}

void CPOS::OnStatusWatchDogTimeout()
{
    m_blinkTimer->stop();
    m_statusWatchDog->stop();
    ui->labelStatus->setStyleSheet(QLatin1String(kGrayStatus));
}

void CPOS::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F11:
        on_pushFavPages_clicked();
        break;
    case Qt::Key_F12:
        ui->lineEditPaid->setFocus();
        break;
    case Qt::Key_PageUp:
        on_nextButton_clicked();
        break;
    case Qt::Key_PageDown:
        on_previousButton_clicked();
        break;
    default:
        // Every other key stops here, so Escape never reaches the host dialog.
        break;
    }
}

bool CPOS::eventFilter(QObject *watched, QEvent *event)
{
    // Sized again once shown: only then does the theme's caption font apply.
    if (watched == ui->tableViewItems && event->type() == QEvent::Show)
        SizeBasketColumns();
    if (event->type() == QEvent::KeyPress
        && (watched == ui->lineEditBarCode || watched == ui->tableViewItems)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete) {
            const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
            if (mods == Qt::ControlModifier) {
                VoidSale();
                return true;
            }
            if (mods == Qt::ShiftModifier
                || (mods == Qt::NoModifier && watched == ui->tableViewItems)) {
                VoidSelectedLine();
                return true;
            }
        }
    }
    if (watched == ui->lineEditPaid && event->type() == QEvent::FocusIn) {
        // A click would place the cursor after this; select once the click is through too.
        ui->lineEditPaid->selectAll();
        QTimer::singleShot(0, ui->lineEditPaid, &QLineEdit::selectAll);
    }
    return QScrollArea::eventFilter(watched, event);
}

void CPOS::OnProductSeleted(QString &)
{
}

void CPOS::on_pushButtonLookUp_clicked()
{
    QWidget *mainWindow = CDBManager::Instance().MainWindow();
    ui->lineEditBarCode->setText(InventoryManagement::PickBarCode(mainWindow ? mainWindow : this));
    SetFocusOnBarCode();
}

void CPOS::on_pushSales_clicked()
{
    SalesManagement::ShowEmbedded(this);
    SetFocusOnBarCode();
}

void CPOS::on_pushCustomers_clicked()
{
    SaleCustomer customer;
    {
        ManageCustomers dialog(this, true);
        dialog.exec();
        dialog.GetSelectedCustomer(customer.id, customer.name, customer.address, customer.email,
                                   customer.contact);
    }
    m_model->SetCustomer(customer);
    ShowCustomer();
    if (customer.IsSelected()) {
        ErrorDialog(QStringLiteral("err_msg_11"), tr("Select Customer"),
                    tr(
                        "Customer has been selected. Customer data will be printed on the large "
                        "sales receipt and stored in database. Please press this button again to "
                        "select another customer or deselect existing customer. Existing "
                        "customer can be deselected by pressing Customers buttons, and then "
                        "closing the Customers Dialog without selecting any customer."),
                    this)
            .exec();
        ui->pushCustomers->setChecked(true);
    } else {
        ui->pushCustomers->setChecked(false);
    }
    SetFocusOnBarCode();
}

void CPOS::ClearStatus()
{
    // Return mode must not hide behind the button's colour: the status line says so until a
    // message takes its place, in either theme.
    ui->labelStatus->setText(ui->checkReturnMode->isChecked() ? tr(kReturnModeNotice)
                                                             : QString());
}

void CPOS::on_checkReturnMode_toggled(bool checked)
{
    ClearStatus();
    if (checked) {
        ErrorDialog(QStringLiteral("err_msg_4"), tr("Return Mode"),
                    tr("Now the system is in \"Items Return\" mode. On performing any "
                                   "sale, items will be added back to inventory. Please press it "
                                   "again to return to Normal mode. "),
                    this)
            .exec();
    }
    SetFocusOnBarCode();
}

void CPOS::on_checkOnAllItems_toggled(bool checked)
{
    if (checked) {
        ErrorDialog(QStringLiteral("err_msg_3"), tr("Discount on All Items"),
                    tr("Please make sure the check box is checked. Specail discount "
                                   "will be calculated on all items being sold. If there is any "
                                   "discount already set on the inventory, that will be "
                                   "overwritten by this value. Please press it again to disable "
                                   "this function."),
                    this)
            .exec();
    }
    SetFocusOnBarCode();
}

void CPOS::on_checkOnAllItems_pressed()
{
}

void CPOS::on_checkOnAllItems_clicked()
{
}

void CPOS::on_pushButton_clicked()
{
}

void CPOS::SetFocusOnBarCode()
{
    // A bare X server at a till has no window manager to hand the keyboard back to the till
    // after a dialog or busy note closed; the next scan must land here all the same.
    if (isVisible() && !window()->isActiveWindow())
        window()->activateWindow();
    ui->lineEditBarCode->setFocus();
}

void CPOS::on_pushHelpShortCutKeys_clicked()
{
    ErrorDialog help(QString(), tr("Shortcut Keys Help"),
                     QString::fromLatin1(kHelpText), this, true);
    help.resize(800, 400);
    help.exec();
    SetFocusOnBarCode();
}

void CPOS::AllowManagerKeys(bool allowed)
{
    ui->pushOpenDrawer->setVisible(allowed && CashDrawer::Available());
}

void CPOS::on_pushOpenDrawer_clicked()
{
    const QString error = CashDrawer::OpenByHand();
    if (!error.isEmpty())
        QMessageBox::warning(this, tr("Cash Drawer"), error);
    SetFocusOnBarCode();
}
