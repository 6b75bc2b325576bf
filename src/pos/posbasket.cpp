#include "pos.h"
#include "ui_pos.h"

#include "appsettings.h"
#include "cashdrawer.h"
#include "dbmanager.h"
#include "documentfiles.h"
#include "openbaskets.h"
#include "receipt.h"

#include <QDialog>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

// The sale screen's basket: entering and voiding lines, payment, new sale, close, receipts.

namespace {
const char *kNoCustomer = "NOT SELECTED";
const char *kVoidAfterPayment
    = QT_TRANSLATE_NOOP("CPOS", "This sale is paid: take items back in return mode.");
const char *kLineVoided = QT_TRANSLATE_NOOP("CPOS", "Line voided: %1 is back in stock.");
const char *kReceiptSaved = QT_TRANSLATE_NOOP("CPOS", "Receipt saved as %1");
const char *kSaleVoided = QT_TRANSLATE_NOOP("CPOS", "Sale voided: its items are back in stock.");
} // namespace

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
        SizeBasketColumns();
        ShowTotals();
        ui->pushButtonPay->setEnabled(true);
        m_state = SalePending;
    }
    SetFocusOnBarCode();
}

CPOS::~CPOS() = default;

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
    request.lineIndex = m_model->NextLineIndex();
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
    SizeBasketColumns();
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
    // A new model resets the header: hidden columns and sizing are set up again.
    SetUpBasketView();
    delete old;
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

void CPOS::ShowWhereReceiptWent(const QString &before)
{
    const QString path = DocumentFiles::LastWritten();
    if (path != before && !path.isEmpty())
        ShowStatus(tr(kReceiptSaved).arg(QDir::toNativeSeparators(path)));
}

void CPOS::on_pushPrint_clicked()
{
    const QString before = DocumentFiles::LastWritten();
    Receipt::Print(CurrentReceipt(), this);
    ShowWhereReceiptWent(before);
    SetFocusOnBarCode();
}

void CPOS::on_pushPrintPreview_clicked()
{
    const QString before = DocumentFiles::LastWritten();
    Receipt::Preview(CurrentReceipt(), this);
    ShowWhereReceiptWent(before);
    SetFocusOnBarCode();
}

// Only an unpaid basket that is not being paid loses lines; after payment the cashier is told.
bool CPOS::MayVoid()
{
    ClearStatus();
    if (m_state == SalePending && !m_paying)
        return true;
    if (m_state == SalePaid)
        ShowStatus(tr(kVoidAfterPayment));
    SetFocusOnBarCode();
    return false;
}

void CPOS::VoidSelectedLine()
{
    if (!MayVoid())
        return;
    const QModelIndexList selected = ui->tableViewItems->selectionModel()->selectedRows();
    // A mistake is most often the line just entered.
    const int row = selected.isEmpty() ? m_model->LineCount() - 1 : selected.constFirst().row();
    const QString product = m_model->ProductName(row);
    if (row < 0
        || !PosStore::VoidBasketLine(CDBManager::Instance().GetInventoryDataBase(),
                                     m_model->SaleKey(), m_model->LineIndex(row))) {
        if (row >= 0)
            ShowStatus(QString::fromLatin1(SaleRules::Message::StockWriteFailed));
        SetFocusOnBarCode();
        return;
    }
    m_model->RemoveLine(row);
    if (m_model->LineCount() == 0) {
        // Nothing left to pay: the basket is as new, under the same key.
        m_state = SaleNew;
        ui->pushButtonPay->setEnabled(false);
        ResetTotalFields();
    } else {
        ShowTotals();
    }
    ShowStatus(tr(kLineVoided).arg(product));
    SetFocusOnBarCode();
}

void CPOS::VoidSale()
{
    if (!MayVoid())
        return;
    const auto answer = QMessageBox::question(
        this, tr("Void sale?"),
        tr("Put every item of this sale back into stock and start a new sale?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes
        || !PosStore::VoidBasket(CDBManager::Instance().GetInventoryDataBase(),
                                 m_model->SaleKey())) {
        if (answer == QMessageBox::Yes)
            ShowStatus(QString::fromLatin1(SaleRules::Message::StockWriteFailed));
        SetFocusOnBarCode();
        return;
    }
    m_state = SaleNew;
    m_model->SetCustomer(SaleCustomer());
    ShowCustomer();
    ui->pushCustomers->setChecked(false);
    StartNewBasket();
    ShowStatus(tr(kSaleVoided));
}
