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
const char *kNoCustomer = "NOT SELECTED";
const char *kReturnModeNotice
    = QT_TRANSLATE_NOOP("CPOS", "RETURN MODE: items entered now go back into stock.");
const char *kRowColours[] = {"#228B22", "#FF7F50", "#6495ED", "#A9A9A9", "#DAA520"};

// One toggle for every sale screen of the process; it carries on across messages.
bool g_blinkRed = true;

QString ColourSheet(const char *colour)
{
    return QStringLiteral(" CPosButton { background-color: %1; }").arg(QLatin1String(colour));
}

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
      "Previous button.\n";
} // namespace

CPOS::CPOS(QWidget *parent)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::CPOS>())
{
    ui->setupUi(this);
    QScroller::grabGesture(viewport(), QScroller::LeftMouseButtonGesture);
    QScroller::grabGesture(ui->tableViewItems->viewport(), QScroller::LeftMouseButtonGesture);
    ui->lineEditPaid->installEventFilter(this);

    QSettings *settings = AppSettings::Instance().Settings();
    m_taxEnabled = settings->value(QStringLiteral("enable_tax"), true).toBool();
    m_subItemsMode = settings->value(QStringLiteral("SUB_ITEMS_MODE")).toString() == "y";
    m_expiryGuard = SaleRules::ExpiryGuardFromSetting(
        settings->value(QLatin1String(SaleRules::kExpiryGuardKey)).toString());
    m_expiryWarnDays = settings
                           ->value(QLatin1String(SaleRules::kExpiryWarnDaysKey),
                                   SaleRules::kDefaultExpiryWarnDays)
                           .toInt();
    m_currency = settings->value(QStringLiteral("CURRENCY_SYMBOL")).toString();
    m_taxName = settings->value(QStringLiteral("SALES_TAX_NAME")).toString();
    if (m_taxName.isEmpty())
        m_taxName = QStringLiteral("TAX");
    m_rows = settings->value(QStringLiteral("POS_ROWS"), 4).toInt();
    m_columns = settings->value(QStringLiteral("POS_COLUMNS"), 4).toInt();
    // A damaged store must not leave the panel without a cell.
    m_rows = qMax(1, m_rows);
    m_columns = qMax(1, m_columns);
    m_imagesFolder = settings->value(QStringLiteral("IMAGES_FOLDER")).toString();

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

void CPOS::OfferUnfinishedBasket()
{
    QVector<PosStore::OpenBasket> baskets;
    baskets.swap(m_unfinished);
    if (baskets.isEmpty())
        return;
    QSqlDatabase db = CDBManager::Instance().GetInventoryDataBase();
    // A till holds one basket at a time; older ones can only be leftovers of a crash.
    const PosStore::OpenBasket latest = baskets.takeLast();
    QMessageBox box(QMessageBox::Question, tr("Unfinished sale"),
                    tr("This till has an unfinished sale of %n line(s), last entered %1. Take it "
                       "up again, or put its items back into stock?",
                       nullptr, latest.lines)
                        .arg(QLocale().toString(latest.lastEntry, QLocale::ShortFormat)),
                    QMessageBox::NoButton, this);
    QPushButton *takeUp = box.addButton(tr("Take up again"), QMessageBox::AcceptRole);
    box.addButton(tr("Put back into stock"), QMessageBox::DestructiveRole);
    box.setDefaultButton(takeUp);
    box.exec();
    QStringList putBack;
    for (const PosStore::OpenBasket &basket : qAsConst(baskets))
        putBack << basket.basketKey;
    QVector<PosStore::OpenBasketLine> lines;
    const bool resume = box.clickedButton() == takeUp && m_state == SaleNew
        && PosStore::OpenBasketLines(db, latest.basketKey, &lines) && !lines.isEmpty();
    if (!resume)
        putBack << latest.basketKey;
    if (!putBack.isEmpty() && !PosStore::PutBackBaskets(db, putBack))
        ShowStatus(QString::fromLatin1(SaleRules::Message::StockWriteFailed));
    if (resume) {
        PosStore::RefillBasket(lines, m_model);
        ui->tableViewItems->resizeColumnsToContents();
        ShowTotals();
        ui->pushButtonPay->setEnabled(true);
        m_state = SalePending;
    }
    SetFocusOnBarCode();
}

CPOS::~CPOS() = default;

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
    // Sizing to contents looks at the rows on screen only, so a long basket enters its 200th
    // line as fast as its first.
    view->horizontalHeader()->setResizeContentsPrecision(0);
    view->resizeColumnsToContents();
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
    if (watched == ui->lineEditPaid && event->type() == QEvent::FocusIn) {
        // A click would place the cursor after this; select once the click is through too.
        ui->lineEditPaid->selectAll();
        QTimer::singleShot(0, ui->lineEditPaid, &QLineEdit::selectAll);
    }
    return QScrollArea::eventFilter(watched, event);
}

void CPOS::on_lineEditBarCode_returnPressed()
{
    EnterItem();
}

void CPOS::on_pushEnter_clicked()
{
    EnterItem();
}

void CPOS::EnterItem()
{
    ClearStatus();
    if (m_state == SalePaid) {
        const QString barCode = ui->lineEditBarCode->text();
        on_pushNew_clicked();
        ui->lineEditBarCode->setText(barCode);
    }
    SaleRules::EntryFields fields{ui->lineEditBarCode->text(), ui->lineEditDiscount->text(),
                                  ui->lineEditItems->text(), ui->lineEditSubItems->text()};
    const QString invalid = SaleRules::CheckEntryFields(fields);
    if (!invalid.isEmpty()) {
        ShowStatus(invalid);
        SetFocusOnBarCode(); // a refusal hands the next scan back too
        return;
    }
    PosStore::ItemRequest request;
    request.barCode = fields.barCode;
    request.quantity = fields.items.toInt(nullptr, 10);
    request.subQuantity = fields.subItems.toInt(nullptr, 10);
    request.returnMode = ui->checkReturnMode->isChecked();
    request.specialDiscount = ui->checkSpecialDiscount->isChecked();
    request.specialPercent = SaleRules::ToFloat(fields.discount);
    request.taxEnabled = m_taxEnabled;
    request.tillId = m_tillId;
    request.basketKey = m_model->SaleKey();
    request.lineIndex = m_model->LineCount();
    request.expiryGuard = m_expiryGuard;
    request.expiryWarnDays = m_expiryWarnDays;
    request.today = QDate::currentDate();
    request.dateFormat = AppSettings::Instance().DisplayDateFormat();
    const PosStore::ItemTaken taken
        = PosStore::TakeItem(CDBManager::Instance().GetInventoryDataBase(), request);
    if (!taken.refusal.isEmpty()) {
        ShowStatus(taken.refusal);
        SetFocusOnBarCode(); // a refusal hands the next scan back too
        return;
    }

    m_model->AppendLine(taken.name, fields.items, fields.subItems, taken.salePrice,
                        taken.purchasePrice, taken.amounts);
    QTableView *view = ui->tableViewItems;
    view->resizeColumnsToContents();
    view->scrollTo(
        m_model->index(m_model->rowCount() - 1, CItemTransactionsModel::LineTotalColumn));
    view->scrollToBottom();
    ShowTotals();
    if (!taken.notice.isEmpty())
        ShowStatus(taken.notice);

    ui->lineEditBarCode->clear();
    if (!ui->checkOnAllItems->isChecked())
        ui->lineEditDiscount->setText(QStringLiteral("0"));
    // The next scan is one piece again; a typed quantity was meant for this item only.
    ui->lineEditItems->setText(QStringLiteral("1"));
    ui->lineEditSubItems->setText(QStringLiteral("0"));
    ui->pushButtonPay->setEnabled(true);
    m_state = SalePending;
    SetFocusOnBarCode();
}

void CPOS::on_pushButtonPay_clicked()
{
    // Only a pending basket is paid, and only once: a second press finds it paid.
    if (m_state != SalePending || m_paying)
        return;
    ClearStatus();
    const QString paid = ui->lineEditPaid->text();
    const QString refusal = SaleRules::CheckPaidAmount(paid, m_model->GrandTotal());
    if (!refusal.isEmpty()) {
        ShowStatus(refusal);
        SetFocusOnBarCode(); // a refusal hands the next scan back too
        return;
    }
    m_paying = true;
    ui->pushButtonPay->setEnabled(false);
    // The cashier reads the money to hand back; the record keeps the sign reports rely on.
    const QString changeDue = SaleRules::Money(SaleRules::ChangeDue(m_model->GrandTotal(), paid));
    const QString change = SaleRules::Money(SaleRules::Change(m_model->GrandTotal(), paid));
    ui->lineEditChange->setText(changeDue);

    PosStore::SaleHeader header;
    header.user = AppSettings::Instance().GetCurrentUser();
    header.customer = m_model->Customer().name.isEmpty() ? QString::fromLatin1(kNoCustomer)
                                                         : m_model->Customer().name;
    header.grandTotal = m_model->GrandTotal();
    header.paid = paid;
    header.change = change;
    header.saleKey = m_model->SaleKey();
    header.inventorySchema = CDBManager::Instance().GetInventoryDataBase().databaseName();
    int transactionId = 0;
    QString failure;
    const bool recorded = PosStore::RecordSale(CDBManager::Instance().GetSalesDataBase(), header,
                                               *m_model, &transactionId, &failure);
    m_paying = false;
    if (!recorded) {
        // Nothing was stored: the sale stays pending and can be paid again.
        ui->pushButtonPay->setEnabled(true);
        ShowStatus(failure);
        SetFocusOnBarCode();
        return;
    }
    m_model->MarkPaid(QString::number(transactionId), paid, changeDue);
    m_state = SalePaid;
    // A return is one sale: the next customer is served in normal mode.
    ui->checkReturnMode->setChecked(false);
    ui->pushPrint->setEnabled(true);
    ui->pushPrintPreview->setEnabled(true);
    // Only now that the sale is stored: a drawer must never open for money not recorded.
    const QString drawer = CashDrawer::OpenAfterCashPayment();
    if (!drawer.isEmpty())
        QMessageBox::warning(this, tr("Cash Drawer"), drawer);
    SetFocusOnBarCode();
}

void CPOS::ShowCustomer()
{
    const QString name = m_model->Customer().name;
    ui->labelCustomer->setText(name.isEmpty() ? QString() : tr("Customer: %1").arg(name));
}

void CPOS::on_pushNew_clicked()
{
    m_model->SetCustomer(SaleCustomer());
    ShowCustomer();
    ui->pushCustomers->setChecked(false);
    ClearStatus();
    if (m_state == SalePending) {
        ShowStatus(QString::fromLatin1(SaleRules::Message::PaymentPending));
        SetFocusOnBarCode();
        return;
    }
    StartNewBasket();
}

void CPOS::StartNewBasket()
{
    QAbstractItemModel *old = ui->tableViewItems->model();
    m_model = new CItemTransactionsModel(ui->tableViewItems);
    ui->tableViewItems->setModel(m_model);
    delete old;
    ui->tableViewItems->resizeColumnsToContents();
    ui->lineEditBarCode->clear();
    if (!ui->checkOnAllItems->isChecked())
        ui->lineEditDiscount->setText(QStringLiteral("0"));
    ui->lineEditItems->setText(QStringLiteral("1"));
    ui->lineEditSubItems->setText(QStringLiteral("0"));
    ui->pushButtonPay->setEnabled(false);
    m_state = SaleNew;
    ui->checkReturnMode->setChecked(false);
    ResetTotalFields();
    ui->pushPrint->setEnabled(true);
    ui->pushPrintPreview->setEnabled(true);
    SetFocusOnBarCode();
}

void CPOS::on_pushButtonClose_clicked()
{
    if (m_state == SalePending) {
        const auto answer = QMessageBox::question(
            this, tr("Close POS?"),
            tr("Payment is pending! If you close without payment, the items of this sale go back "
               "into stock. Do you still want to close POS?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
        // Should the server refuse now, the lines stay on record and this till offers them again
        // when it starts.
        PosStore::PutBackBaskets(CDBManager::Instance().GetInventoryDataBase(),
                                 {m_model->SaleKey()});
    }
    if (auto *host = qobject_cast<QDialog *>(window()))
        host->reject();
    else
        window()->close();
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

ReceiptData CPOS::CurrentReceipt() const
{
    // The receipt shows the sale as it stands on screen, so it can be printed again until the
    // next sale starts.
    ReceiptData data = ReceiptData::WithShopSettings();
    using C = CItemTransactionsModel;
    for (int row = 0; row < m_model->LineCount(); ++row) {
        data.lines.append({m_model->Cell(row, C::NameColumn), m_model->Cell(row, C::ItemsColumn),
                           m_model->Cell(row, C::SubItemsColumn), m_model->Cell(row, C::PriceColumn),
                           m_model->Cell(row, C::DiscountColumn),
                           m_model->Cell(row, C::LineTotalColumn)});
    }
    data.receiptNumber = m_model->ReceiptNumber();
    const SaleCustomer &customer = m_model->Customer();
    data.customerName = customer.name;
    data.customerAddress = customer.address;
    data.customerContact = customer.contact;
    data.taxAmount = ui->lineEditTax->text();
    data.grandTotal = ui->lineEditTotal->text();
    data.paid = ui->lineEditPaid->text();
    data.change = ui->lineEditChange->text();
    data.subTotal = SaleRules::Money(m_model->SubTotal());
    data.discountTotal = m_model->DiscountTotal();
    return data;
}

void CPOS::on_pushPrint_clicked()
{
    Receipt::Print(CurrentReceipt(), this);
    SetFocusOnBarCode();
}

void CPOS::on_pushPrintPreview_clicked()
{
    Receipt::Preview(CurrentReceipt(), this);
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

// ---- quick-sale panel ----

void CPOS::BuildPanel()
{
    {
        const QSignalBlocker blocker(ui->comboCategory);
        ui->comboCategory->setCurrentIndex(-1);
    }
    m_pageCount = m_currentPage = m_categoryPageCount = m_categoryCurrentPage = 0;
    PosStore::LoadPanelEntries(CDBManager::Instance().GetInventoryDataBase(), &m_allEntries);
    const int pageSize = m_rows * m_columns;
    m_pageCount = SaleRules::PageCount(m_allEntries.size(), pageSize);
    ShowPage(m_allEntries, 0, qMin(int(m_allEntries.size()), pageSize));
    m_currentPage = 1;
    ShowPageLabel();
}

bool CPOS::IsCategoryChosen() const
{
    return ui->comboCategory->currentIndex() != -1;
}

void CPOS::ShowPageLabel()
{
    if (IsCategoryChosen())
        ui->labelFavPages->setText(tr("Category Page %1 of %2 ")
                                       .arg(m_categoryCurrentPage)
                                       .arg(m_categoryPageCount));
    else
        ui->labelFavPages->setText(
            tr("Page %1 of %2 ").arg(m_currentPage).arg(m_pageCount));
}

void CPOS::ShowPage(const QVector<PosStore::PanelEntry> &entries, int first, int count)
{
    QGridLayout *grid = ui->gridPosButtons;
    while (QLayoutItem *item = grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    grid->update();

    const int pageSize = m_rows * m_columns;
    // Keys reach the panel after the category and before CLOSE.
    QWidget *previous = ui->comboCategory;
    for (int i = 0; i < pageSize; ++i) {
        const int band = i / m_columns;
        const int column = i % m_columns;
        CPosButton *button;
        QLabel *label;
        if (i < count) {
            const PosStore::PanelEntry &entry = entries.at(first + i);
            button = new CPosButton(entry.barCode, QStringLiteral("NO IMAGE"), this);
            label = new QLabel(entry.name, this);
            QString sheet = band < 5 ? ColourSheet(kRowColours[band]) : QString();
            if (!entry.imageFile.isEmpty()) {
                // Only the file name counts: pictures live in this computer's images folder.
                sheet = QStringLiteral("CPosButton {border-image:url(") + m_imagesFolder
                    + QLatin1Char('/')
                    + QFileInfo(
                          QString(entry.imageFile).replace(QLatin1Char('\\'), QLatin1Char('/')))
                          .fileName()
                    + QStringLiteral("); }");
                button->setText(QString());
            }
            sheet += QStringLiteral(" CPosButton:pressed { margin: 5px; }");
            button->setStyleSheet(sheet);
            button->setToolTip(entry.name);
            connect(button, &QPushButton::clicked, this, &CPOS::PosButtonClicked);
            setTabOrder(previous, button);
            previous = button;
        } else {
            button = new CPosButton(QStringLiteral("NOCODE"), QStringLiteral("NO IMAGE"), this);
            button->setEnabled(false);
            label = new QLabel(QStringLiteral("UNUSED"), this);
            if (band < 8)
                button->setStyleSheet(ColourSheet(kRowColours[band % 5]));
        }
        button->setObjectName(QStringLiteral("posButton%1").arg(i));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        label->setAlignment(Qt::AlignHCenter);
        label->setObjectName(QStringLiteral("posLabel%1").arg(i));
        grid->addWidget(button, 2 * band, column);
        grid->addWidget(label, 2 * band + 1, column);
    }
    setTabOrder(previous, ui->pushButtonClose);
}

QStringList CPOS::PanelBarCodes() const
{
    QStringList codes;
    const int pageSize = m_rows * m_columns;
    for (int i = 0; i < pageSize; ++i) {
        if (auto *button = findChild<CPosButton *>(QStringLiteral("posButton%1").arg(i)))
            codes << button->BarCode();
    }
    return codes;
}

void CPOS::PosButtonClicked()
{
    auto *button = qobject_cast<CPosButton *>(sender());
    if (!button)
        return;
    ui->lineEditBarCode->setText(button->BarCode());
    EnterItem();
}

void CPOS::on_comboCategory_currentIndexChanged(int index)
{
    if (index == -1)
        return;
    auto *categories = qobject_cast<QSqlTableModel *>(ui->comboCategory->model());
    const int categoryId = categories->record(index).value(0).toInt();
    m_categoryEntries.clear();
    for (const PosStore::PanelEntry &entry : qAsConst(m_allEntries)) {
        if (entry.categoryId == categoryId)
            m_categoryEntries.append(entry);
    }
    const int pageSize = m_rows * m_columns;
    m_categoryPageCount = SaleRules::PageCount(m_categoryEntries.size(), pageSize);
    ShowPage(m_categoryEntries, 0, qMin(int(m_categoryEntries.size()), pageSize));
    m_categoryCurrentPage = 1;
    ShowPageLabel();
    SetFocusOnBarCode();
}

void CPOS::on_pushFavPages_clicked()
{
    const int pageSize = m_rows * m_columns;
    ShowPage(m_allEntries, 0, qMin(int(m_allEntries.size()), pageSize));
    m_currentPage = 1;
    ui->comboCategory->setCurrentIndex(-1);
    ShowPageLabel();
    SetFocusOnBarCode();
}

void CPOS::on_nextButton_clicked()
{
    const bool category = IsCategoryChosen();
    const auto &entries = category ? m_categoryEntries : m_allEntries;
    int &page = category ? m_categoryCurrentPage : m_currentPage;
    const int pages = category ? m_categoryPageCount : m_pageCount;
    if (page + 1 > pages)
        return;
    const int pageSize = m_rows * m_columns;
    const int first = page * pageSize;
    ShowPage(entries, first, qMin(int(entries.size()) - first, pageSize));
    ++page;
    ShowPageLabel();
}

void CPOS::on_previousButton_clicked()
{
    const bool category = IsCategoryChosen();
    const auto &entries = category ? m_categoryEntries : m_allEntries;
    int &page = category ? m_categoryCurrentPage : m_currentPage;
    const int previous = page - 1;
    if (previous < 1)
        return;
    const int pageSize = m_rows * m_columns;
    ShowPage(entries, (previous - 1) * pageSize, pageSize);
    page = previous;
    ShowPageLabel();
}
