#include "addeditpurchaseorder.h"
#include "ui_addeditpurchaseorder.h"

#include "appsettings.h"
#include "cataloguerules.h"
#include "dbmanager.h"
#include "managevendors.h"
#include "productmanagement.h"
#include "purchaserules.h"
#include "purchasestore.h"
#include "reportengine.h"

#include <QDebug>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSqlError>
#include <QSqlQueryModel>
#include <QSqlTableModel>

using namespace Purchasing;

namespace {

QString SettingOr(const SettingKey &key, const QString &fallback)
{
    const QString value = AppSettings::Instance().Text(key);
    return value.isEmpty() ? fallback : value;
}

QSqlDatabase &Db()
{
    return CDBManager::Instance().GetInventoryDataBase();
}

} // namespace

AddEditPurchaseOrder::AddEditPurchaseOrder(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::AddEditPurchaseOrder>())
{
    Build(nullptr);
}

AddEditPurchaseOrder::AddEditPurchaseOrder(QWidget *parent, const QSqlRecord &listRow)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::AddEditPurchaseOrder>())
{
    Build(&listRow);
}

AddEditPurchaseOrder::~AddEditPurchaseOrder() = default;

void AddEditPurchaseOrder::Build(const QSqlRecord *listRow)
{
    ui->setupUi(this);
    m_notes = new QPlainTextEdit(this);
    m_notes->setObjectName(QStringLiteral("plainTextNotes"));
    ui->tabWidget->addTab(m_notes, QStringLiteral("Notes"));

    const QString dateFormat = AppSettings::Instance().DisplayDateFormat();
    for (QDateEdit *edit : {ui->dateSent, ui->dateDeliver, ui->dateExpiry}) {
        if (!dateFormat.isEmpty())
            edit->setDisplayFormat(dateFormat);
    }
    ui->dateExpiry->setDate(QDate::currentDate());

    m_lines = new QSqlQueryModel(this);
    ui->tableView->setModel(m_lines);
    Load(listRow);
    ui->pushDeleteItem->setEnabled(false);
    connect(ui->tableView, &QTableView::clicked, this, &AddEditPurchaseOrder::OnItemSelected);

    ReadSettings();
    ui->labelTax->setText(m_salesTaxName);
    if (!m_taxEnabled) {
        for (QWidget *w :
             {static_cast<QWidget *>(ui->labelSubTotal), static_cast<QWidget *>(ui->lineSubTotal),
              static_cast<QWidget *>(ui->labelTax), static_cast<QWidget *>(ui->lineTax)})
            w->hide();
    }
}

void AddEditPurchaseOrder::Load(const QSqlRecord *listRow)
{
    ui->comboStatus->addItems({QString::fromLatin1(Purchasing::Draft),
                               QString::fromLatin1(Purchasing::Sent),
                               QString::fromLatin1(Purchasing::Received)});

    m_vendors = new QSqlTableModel(this, Db());
    m_vendors->setTable(QStringLiteral("tblVendors"));
    m_vendors->select();
    ui->comboVendors->setModel(m_vendors);
    ui->comboVendors->setModelColumn(1);

    if (listRow) {
        m_orderKey = listRow->value(0).toString();
        ui->linePoNumber->setText(m_orderKey);
        ui->comboVendors->setCurrentText(listRow->value(1).toString());
        // Remembered before the combo changes, so a stored RECEIVED order offers no export.
        m_rememberedStatus = listRow->value(2).toString();
        m_storedStatus = m_rememberedStatus;
        ui->comboStatus->setCurrentText(listRow->value(2).toString());
        const QString format = Catalogue::ExpiryDisplayFormat();
        ui->dateSent->setDate(Catalogue::ParseDisplayDate(listRow->value(3).toString(), format));
        ui->dateDeliver->setDate(Catalogue::ParseDisplayDate(listRow->value(4).toString(), format));
        // Stored as numbers ("286"); money is shown with two decimals ("286.00").
        const auto money = [listRow](int column) {
            bool ok = false;
            const float value = listRow->value(column).toString().toFloat(&ok);
            return ok ? MoneyText(value) : listRow->value(column).toString();
        };
        ui->lineSubTotal->setText(money(5));
        ui->lineTax->setText(money(6));
        ui->lineTotal->setText(money(7));
        m_notes->setPlainText(listRow->value(8).toString());
    } else {
        ui->comboVendors->setCurrentIndex(-1);
        ui->dateSent->setDate(QDate::currentDate());
        ui->dateDeliver->setDate(QDate::currentDate());
    }
    RefreshLines();
}

void AddEditPurchaseOrder::ReadSettings()
{
    m_taxEnabled = AppSettings::Instance().Bool(Setting::EnableTax);
    // An order to a vendor names the shop as it is set, or not at all: a placeholder asking
    // to be customised must never reach a vendor.
    m_companyName = SettingOr(Setting::CompanyName, QString());
    m_companyAddress = SettingOr(Setting::CompanyAddress, QString());
    m_companyContact = SettingOr(Setting::CompanyPhone, QString());
    m_reportMessage.clear();
    m_currencySymbol = AppSettings::Instance().Text(Setting::CurrencySymbol);
    m_logo = QImage(AppSettings::Instance().Text(Setting::OrderLogo));
    m_salesTaxName = AppSettings::Instance().Text(Setting::SalesTaxName);
}

void AddEditPurchaseOrder::RefreshLines()
{
    const int key = m_orderKey.isEmpty() ? -1 : m_orderKey.toInt();
    m_lines->setQuery(Purchasing::LineQuery(key), Db());
    if (m_lines->lastError().isValid())
        LogSqlError(m_lines->lastError());
    // Printing and receiving read every line, so all are fetched now.
    while (m_lines->canFetchMore())
        m_lines->fetchMore();
    ui->tableView->setColumnHidden(LineId, true);
    ui->tableView->setColumnHidden(LineOrder, true);
    ui->tableView->resizeColumnsToContents();
}

void AddEditPurchaseOrder::on_comboVendors_currentIndexChanged(int index)
{
    const QSqlRecord vendor = m_vendors->record(index);
    m_vendorKey = vendor.value(0).toString();
    m_vendorName = vendor.value(1).toString();
    m_vendorAddress = vendor.value(2).toString();
    m_vendorContact = vendor.value(4).toString();
    ui->lineContact->setText(m_vendorContact);
}

void AddEditPurchaseOrder::on_pushSearchVendor_clicked()
{
    const QString current = ui->comboVendors->currentText();
    ManageVendors dialog(this);
    dialog.resize(800, 600);
    dialog.exec();
    m_vendors->select();
    ui->comboVendors->setCurrentText(current);
}

void AddEditPurchaseOrder::on_lineBarCode_textChanged(const QString &code)
{
    if (code.isEmpty())
        return;
    ui->labelStatus->clear();
    ui->lineAvailableStock->clear();
    PurchaseStore::ItemInfo info;
    if (!PurchaseStore::LookupItem(Db(), code, &info))
        return;
    if (info.found) {
        ui->lineTaxStatus->setText(info.taxRate);
        ui->lineItemName->setText(info.name);
        ui->lineAvailableStock->setText(info.stock);
        return;
    }
    ui->labelStatus->setText(
        tr("Barcode ( %1 ) does not exist in the inventory").arg(code));
    ui->lineItemName->clear();
    ui->lineAvailableStock->clear();
    ui->lineUnitPrice->clear();
}

void AddEditPurchaseOrder::on_pushSearchItem_clicked()
{
    const QString code = ProductManagement::PickProductCode(this, QSize(800, 400));
    ui->lineBarCode->setText(code);
}

void AddEditPurchaseOrder::UpdateLineTotal()
{
    ui->lineLineTotal->setText(
        MoneyText(Purchasing::LineTotal(ui->lineUnitPrice->text(), ui->lineOrderQuantity->text())));
}

void AddEditPurchaseOrder::on_lineOrderQuantity_textChanged(const QString &)
{
    UpdateLineTotal();
}

void AddEditPurchaseOrder::on_lineUnitPrice_textChanged(const QString &)
{
    UpdateLineTotal();
}

void AddEditPurchaseOrder::OnItemSelected(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const auto cell = [this, &index](int column) {
        return m_lines->index(index.row(), column).data().toString();
    };
    m_selectedLineKey = cell(LineId);
    m_selectedLineCode = cell(LineCode);
    m_selectedLineTotal = cell(LineTotalColumn).toFloat();
    ui->lineBarCode->setText(cell(LineCode));
    ui->lineOrderQuantity->setText(cell(LineQuantity));
    ui->lineItemName->setText(cell(LineName));
    ui->lineUnitPrice->setText(cell(LineUnitPrice));
    ui->lineLineTotal->setText(cell(LineTotalColumn));
    ui->lineSalePrice->setText(cell(LineSalePrice));
    ui->lineBatch->setText(cell(LineBatch));
    ui->dateExpiry->setDate(
        Catalogue::ParseDisplayDate(cell(LineExpiry), Catalogue::ExpiryDisplayFormat()));
    ui->lineStorage->setText(cell(LineStorage));
    ui->pushDeleteItem->setEnabled(true);
}

PurchaseStore::Header AddEditPurchaseOrder::CurrentHeader() const
{
    PurchaseStore::Header header;
    header.vendorId
        = ui->comboVendors->currentIndex() < 0 || m_vendorKey.isEmpty() ? -1 : m_vendorKey.toInt();
    header.status = ui->comboStatus->currentText();
    header.sentDate = ui->dateSent->date();
    header.deliveryDate = ui->dateDeliver->date();
    header.subTotal = ui->lineSubTotal->text().toFloat();
    header.tax = ui->lineTax->text().toFloat();
    header.total = ui->lineTotal->text().toFloat();
    header.notes = m_notes->toPlainText();
    return header;
}

void AddEditPurchaseOrder::ClearItemFields()
{
    for (QLineEdit *edit : {ui->lineBarCode, ui->lineItemName, ui->lineLineTotal,
                            ui->lineOrderQuantity, ui->lineAvailableStock, ui->lineTaxStatus,
                            ui->lineSalePrice, ui->lineUnitPrice, ui->lineBatch, ui->lineStorage})
        edit->clear();
    ui->dateExpiry->setDate(QDate::currentDate());
}

void AddEditPurchaseOrder::ForgetSelectedLine()
{
    m_selectedLineKey.clear();
    m_selectedLineCode.clear();
    m_selectedLineTotal = 0;
    ui->tableView->clearSelection();
    ui->pushDeleteItem->setEnabled(false);
}

void AddEditPurchaseOrder::on_pushAddItem_clicked()
{
    if (ui->lineItemName->text().isEmpty()) {
        ui->labelStatus->setText(tr("Please enter valid product item code"));
        return;
    }
    if (ui->lineUnitPrice->text().isEmpty()) {
        ui->labelStatus->setText(tr("Please enter valid unit price of product item"));
        return;
    }
    if (ui->lineOrderQuantity->text().isEmpty()) {
        ui->labelStatus->setText(tr("Please enter valid order quantity"));
        return;
    }
    if (ui->comboVendors->currentText().isEmpty()) {
        ui->labelStatus->setText(tr("Please select vendor for this item"));
        return;
    }

    PurchaseStore::Line line;
    line.itemCode = ui->lineBarCode->text();
    line.quantity = ui->lineOrderQuantity->text().toInt(nullptr, 10);
    line.itemName = ui->lineItemName->text();
    line.unitPrice = ui->lineUnitPrice->text().toFloat();
    line.lineTotal = ui->lineLineTotal->text().toFloat();
    line.salePrice = ui->lineSalePrice->text().toFloat();
    line.batch = ui->lineBatch->text();
    line.expiry = ui->dateExpiry->date();
    line.storage = ui->lineStorage->text();

    const Totals totals
        = Totals::FromTexts(ui->lineSubTotal->text(), ui->lineTax->text(), ui->lineTotal->text())
              .Added(line.lineTotal,
                     Totals::LineTax(line.lineTotal, ui->lineTaxStatus->text().toFloat(),
                                     m_taxEnabled));
    PurchaseStore::Header header = CurrentHeader();
    header.subTotal = MoneyText(totals.subTotal).toFloat();
    header.tax = MoneyText(totals.tax).toFloat();
    header.total = MoneyText(totals.total).toFloat();

    // The order (new or changed), the line and the new totals are stored together.
    int key = m_orderKey.toInt();
    if (!PurchaseStore::AddLine(Db(), &key, header, line)) {
        ui->labelStatus->setText(tr("Error occured while adding purchase item."));
        return;
    }
    m_orderKey = QString::number(key);
    m_storedStatus = header.status;
    ui->linePoNumber->setText(m_orderKey);
    ui->lineSubTotal->setText(MoneyText(totals.subTotal));
    ui->lineTax->setText(MoneyText(totals.tax));
    ui->lineTotal->setText(MoneyText(totals.total));
    RefreshLines();
    ui->labelStatus->setText(tr("Purchase order saved successfully."));
    ForgetSelectedLine();
    ClearItemFields();
}

void AddEditPurchaseOrder::on_pushDeleteItem_clicked()
{
    if (m_selectedLineKey.isEmpty())
        return;
    // The stored line total at its product's current rate, not the (editable) item fields.
    PurchaseStore::ItemInfo product;
    const float rate = PurchaseStore::LookupItem(Db(), m_selectedLineCode, &product)
        ? product.taxRate.toFloat()
        : ui->lineTaxStatus->text().toFloat();
    const float lineTotal = m_selectedLineTotal;
    const Totals totals
        = Totals::FromTexts(ui->lineSubTotal->text(), ui->lineTax->text(), ui->lineTotal->text())
              .Removed(lineTotal, Totals::LineTax(lineTotal, rate, m_taxEnabled));
    PurchaseStore::Header header = CurrentHeader();
    header.subTotal = MoneyText(totals.subTotal).toFloat();
    header.tax = MoneyText(totals.tax).toFloat();
    header.total = MoneyText(totals.total).toFloat();
    // The line goes and the totals change together, or neither does.
    if (!PurchaseStore::DeleteLine(Db(), m_orderKey.toInt(), m_selectedLineKey.toInt(), header)) {
        ui->labelStatus->setText(tr("Error occured while deleting purchase item."));
        return;
    }
    m_storedStatus = header.status;
    ForgetSelectedLine();
    RefreshLines();
    ui->lineSubTotal->setText(MoneyText(totals.subTotal));
    ui->lineTax->setText(MoneyText(totals.tax));
    ui->lineTotal->setText(MoneyText(totals.total));
    ui->labelStatus->setText(tr("Purchase order saved successfully."));
    ClearItemFields();
}

bool AddEditPurchaseOrder::Save()
{
    const PurchaseStore::Header header = CurrentHeader();
    int key = m_orderKey.toInt();
    if (!PurchaseStore::SaveOrder(Db(), &key, header)) {
        qWarning() << "Error: purchase order not saved";
        ui->labelStatus->setText(tr("Error occurred while saving purchase order."));
        return false;
    }
    m_orderKey = QString::number(key);
    m_storedStatus = header.status;
    ui->linePoNumber->setText(m_orderKey);
    ui->labelStatus->setText(tr("Purchase order saved successfully."));
    ForgetSelectedLine();
    return true;
}

void AddEditPurchaseOrder::on_pushSave_clicked()
{
    Save();
}

void AddEditPurchaseOrder::on_pushUpdateInventoryData_clicked()
{
    const bool ok = !m_selectedLineKey.isEmpty()
        && PurchaseStore::UpdateInventoryData(
            Db(), m_selectedLineKey.toInt(), ui->lineSalePrice->text().toFloat(),
            ui->lineBatch->text(), ui->dateExpiry->date(), ui->lineStorage->text());
    RefreshLines();
    if (!ok)
        ui->labelStatus->setText(tr("Error occured while updating purchase item."));
}

void AddEditPurchaseOrder::on_pushClose_clicked()
{
    close();
}

// ---- receiving ----

void AddEditPurchaseOrder::on_comboStatus_currentTextChanged(const QString &status)
{
    const QString previous = m_rememberedStatus;
    m_rememberedStatus = status;
    const QString received = QString::fromLatin1(Purchasing::Received);
    if (status != received || previous == received)
        return;
    // An order the database already holds as received has been exported once: asking the
    // first-time question again would invite a second set of batches.
    const QString question = m_storedStatus == received
        ? QStringLiteral("This order was already received. Export its items to inventory again?")
        : QStringLiteral("Do you want to export received items to inventory?");
    if (QMessageBox::question(this, tr("Export"), question,
                              QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    Receive();
    if (m_storedStatus != received) {
        // Nothing was exported: the combo goes back, so choosing RECEIVED again retries.
        const QSignalBlocker blocker(ui->comboStatus);
        ui->comboStatus->setCurrentText(previous);
        m_rememberedStatus = previous;
    }
}

void AddEditPurchaseOrder::Receive()
{
    const PurchaseStore::Header header = CurrentHeader();
    int key = m_orderKey.toInt();
    PurchaseStore::ReceiveFailure failure;
    if (!PurchaseStore::ReceiveOrder(Db(), &key, header, &failure)) {
        const QString where = failure.line > 0
            ? QStringLiteral("Line %1 (code %2) could not be exported: %3.")
                  .arg(failure.line)
                  .arg(failure.code, failure.reason)
            : QStringLiteral("The items could not be exported: %1.").arg(failure.reason);
        QMessageBox::critical(this, tr("Export"),
                              where
                                  + QStringLiteral("\nNothing was exported and the order was not "
                                                   "saved as RECEIVED."));
        return;
    }
    m_orderKey = QString::number(key);
    m_storedStatus = header.status;
    ui->linePoNumber->setText(m_orderKey);
    ForgetSelectedLine();
    QMessageBox::information(this, tr("Export"),
                             tr("Export to inventory finished successfully"));
    ui->labelStatus->setText(tr("Purchase order saved successfully."));
}
