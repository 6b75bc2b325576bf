#include "addnewitemsbatch.h"
#include "ui_addnewitemsbatch.h"

#include "appsettings.h"
#include "cataloguerules.h"
#include "cataloguestore.h"
#include "dbmanager.h"
#include "managevendors.h"
#include "productmanagement.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QSettings>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace {

// Columns of the batch list, as the edit set-up reads them.
enum Column {
    Id, ProductId, VendorId, BarCode, BatchNumber, ProductName, VendorName, Expiry,
    StorageLocation, Quantity, SubItems, PurchasePrice, SalePrice, ProductCode, ShowOnPos, Discount
};

} // namespace

CAddNewItemsBatch::CAddNewItemsBatch(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::CAddNewItemsBatch>())
{
    ui->setupUi(this);

    m_vendorModel = new QSqlTableModel(this, CDBManager::Instance().GetInventoryDataBase());
    m_vendorModel->setTable(QStringLiteral("tblVendors"));
    ui->comboBoxVendors->setModel(m_vendorModel);
    ui->comboBoxVendors->setModelColumn(1);
    m_vendorModel->select();

    // The lowest date stands for "no valid date" (shown blank), for a stored date that
    // could not be read back.
    ui->dateEditExpiryDate->setSpecialValueText(QStringLiteral(" "));
    ui->dateEditExpiryDate->setDisplayFormat(Catalogue::ExpiryDisplayFormat());
    ui->dateEditExpiryDate->setDate(QDate::currentDate());
    // The pop-up calendar is only as tall as the editor's style allows: make room for all six
    // week rows.
    if (QCalendarWidget *calendar = ui->dateEditExpiryDate->calendarWidget())
        calendar->setMinimumSize(calendar->sizeHint().expandedTo(QSize(340, 250)));

    ui->editSubItems->setText(QStringLiteral("0"));
    ui->lineEditDiscount->setText(QStringLiteral("0"));

    const QString subItemsMode = AppSettings::Instance().Text(Setting::SubItemsMode);
    if (subItemsMode == QLatin1String("y")) {
        ui->editSubItems->setEnabled(true);
    } else {
        ui->editSubItems->hide();
        ui->labelSubItems->hide();
    }
    ui->pushButtonRetrieve->hide();
    // Return saves, except in the product code, where it looks the product up.
    ui->pushButtonAdd->setDefault(true);
    ui->editProductCode->installEventFilter(this);
    resize(900, 600);
    ui->editProductCode->setFocus();
}

CAddNewItemsBatch::~CAddNewItemsBatch() = default;

void CAddNewItemsBatch::LookupProduct(const QString &code)
{
    CatalogueStore::ProductDetails details;
    if (!CatalogueStore::LookupProduct(CDBManager::Instance().GetInventoryDataBase(), code,
                                       &details)) {
        ui->labelStatus->setText(
            tr("System error occurred. Could not find product with code ( %1 )")
                .arg(code));
        return;
    }
    m_productId = details.id;
    ui->lineName->setText(details.name);
    ui->editItemsPerUnit->setText(details.itemsPerUnit);
    ui->lineDescription->setText(details.description);
    ui->lineCategory->setText(details.category);
    ui->lineTaxStatus->setText(details.taxRate);
}

void CAddNewItemsBatch::on_editProductCode_returnPressed()
{
    const QString code = ui->editProductCode->text();
    if (ui->checkBox->isChecked())
        ui->lineEditBarCode->setText(code);
    LookupProduct(code);
}

void CAddNewItemsBatch::on_pushSelectProduct_clicked()
{
    // The pick replaces the product, also when the picker was closed without one: the form
    // then shows no product, and a save without a new one is refused.
    const QString code = ProductManagement::PickProductCode(this);
    ui->editProductCode->setText(code);
    if (ui->checkBox->isChecked())
        ui->lineEditBarCode->setText(code);
    LookupProduct(ui->editProductCode->text());
}

void CAddNewItemsBatch::on_pushVendors_clicked()
{
    const int current = ui->comboBoxVendors->currentIndex();
    const int vendorId =
        current < 0 ? -1 : m_vendorModel->record(current).value(QStringLiteral("ID")).toInt();
    ManageVendors vendors(this);
    vendors.exec();
    m_vendorModel->select();
    if (vendorId >= 0)
        SelectVendorById(vendorId);
}

void CAddNewItemsBatch::SelectVendorById(int vendorId)
{
    // Vendor names need not be unique, so the row is found by its key, not by its name.
    while (m_vendorModel->canFetchMore())
        m_vendorModel->fetchMore();
    for (int row = 0; row < m_vendorModel->rowCount(); ++row) {
        if (m_vendorModel->record(row).value(QStringLiteral("ID")).toInt() == vendorId) {
            ui->comboBoxVendors->setCurrentIndex(row);
            return;
        }
    }
    ui->comboBoxVendors->setCurrentIndex(-1);
}

void CAddNewItemsBatch::SetEditData(const QSqlRecord &record)
{
    m_editMode = true;
    ui->pushButtonAdd->setText(tr("Update"));
    ui->lineEditBarCode->setText(record.value(BarCode).toString());
    m_batchId = record.value(Id).toString();
    ui->editBatch->setText(record.value(BatchNumber).toString());
    SelectVendorById(record.value(VendorId).toInt());

    const QDate expiry = Catalogue::ParseDisplayDate(record.value(Expiry).toString(),
                                                     ui->dateEditExpiryDate->displayFormat());
    ui->dateEditExpiryDate->setDate(expiry.isValid() ? expiry
                                                     : ui->dateEditExpiryDate->minimumDate());

    ui->lineStorageLocation->setText(record.value(StorageLocation).toString());
    ui->lineQuantity->setText(record.value(Quantity).toString());
    ui->editSubItems->setText(record.value(SubItems).toString());
    m_loadedQuantity = record.value(Quantity).toInt();
    m_loadedSubItems = record.value(SubItems).toInt();
    ui->lineEditPurchasePrice->setText(Catalogue::EditorText(record.value(PurchasePrice)));
    ui->lineEditSalePrice->setText(Catalogue::EditorText(record.value(SalePrice)));
    ui->editProductCode->setText(record.value(ProductCode).toString());
    LookupProduct(ui->editProductCode->text());
    ui->checkShowOnPOS->setChecked(record.value(ShowOnPos).toBool());
    ui->lineEditDiscount->setText(Catalogue::EditorText(record.value(Discount)));

    ui->checkBox->setChecked(true);
    ui->checkBox->setEnabled(true);
}

void CAddNewItemsBatch::on_pushButtonAdd_clicked()
{
    Catalogue::BatchForm form;
    form.barCode = ui->lineEditBarCode->text();
    const QDate expiry = ui->dateEditExpiryDate->date();
    form.expiryDate = expiry == ui->dateEditExpiryDate->minimumDate() ? QDate() : expiry;
    form.quantity = ui->lineQuantity->text();
    form.salePrice = ui->lineEditSalePrice->text();
    form.purchasePrice = ui->lineEditPurchasePrice->text();
    form.discount = ui->lineEditDiscount->text();
    form.vendorIndex = ui->comboBoxVendors->currentIndex();
    form.subItems = ui->editSubItems->text();
    const QString refusal = Catalogue::CheckBatchForm(form);
    if (!refusal.isEmpty()) {
        ui->labelStatus->setText(refusal);
        return;
    }

    CatalogueStore::Batch batch;
    batch.productId = m_productId;
    batch.vendorId =
        m_vendorModel->record(form.vendorIndex).value(QStringLiteral("ID")).toInt();
    batch.barCode = form.barCode;
    batch.batchNumber = ui->editBatch->text();
    batch.expiryDate = form.expiryDate;
    batch.storageLocation = ui->lineStorageLocation->text();
    batch.purchasePrice = form.purchasePrice.toDouble();
    batch.salePrice = form.salePrice.toDouble();
    batch.quantity = form.quantity.toInt(nullptr, 10);
    // Sub-items the user cannot see are left as stored, also after the fields were cleared.
    batch.subItems = m_editMode && ui->editSubItems->isHidden() ? m_loadedSubItems
                                                                : form.subItems.toInt(nullptr, 10);
    batch.showOnPos = ui->checkShowOnPOS->isChecked();
    batch.discount = form.discount.toDouble();

    const QSqlDatabase &db = CDBManager::Instance().GetInventoryDataBase();
    const CatalogueStore::Result result =
        m_editMode ? CatalogueStore::UpdateBatch(db, m_batchId.toInt(), batch, m_loadedQuantity,
                                                 m_loadedSubItems)
                   : CatalogueStore::InsertBatch(db, batch);
    switch (result) {
    case CatalogueStore::Result::Done:
        ui->labelStatus->setText(
            (m_editMode ? QStringLiteral("Batch information (Barcode: %1) updated successfully")
                        : QStringLiteral("Batch information (Barcode: %1) added successfully"))
                .arg(batch.barCode));
        // A further save in edit mode changes the counts relative to what was just written.
        m_loadedQuantity = batch.quantity;
        m_loadedSubItems = batch.subItems;
        ClearBatchFields();
        break;
    case CatalogueStore::Result::Duplicate:
        ui->labelStatus->setText(
            tr("Barcode already exists in inventory. Please choose some other code."));
        break;
    default:
        ui->labelStatus->setText(
            tr("Error occurred while adding or updating the batch information."));
        break;
    }
}

void CAddNewItemsBatch::ClearBatchFields()
{
    ui->editSubItems->setText(QStringLiteral("0"));
    ui->lineEditDiscount->setText(QStringLiteral("0"));
    ui->editBatch->clear();
    ui->lineEditSalePrice->clear();
    ui->lineEditPurchasePrice->clear();
    ui->lineQuantity->clear();
    ui->lineStorageLocation->clear();
    ui->comboBoxVendors->setCurrentIndex(-1);
}

bool CAddNewItemsBatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->editProductCode && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            on_editProductCode_returnPressed();
            return true;
        }
    }
    return QuillboxDialog::eventFilter(watched, event);
}

void CAddNewItemsBatch::on_pushButtonClose_clicked()
{
    close();
}
