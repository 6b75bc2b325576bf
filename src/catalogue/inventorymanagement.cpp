#include "inventorymanagement.h"
#include "ui_inventorymanagement.h"

#include "addnewitemsbatch.h"
#include "appsettings.h"
#include "cataloguerules.h"
#include "cataloguestore.h"
#include "dbmanager.h"
#include "decimaldelegate.h"
#include "expirydelegate.h"
#include "pagedquerymodel.h"

#include <QHeaderView>

namespace {

enum Column {
    Id = 0, ProductId = 1, VendorId = 2, BarCode = 3, ProductName = 5, VendorName = 6, Expiry = 7,
    PurchasePrice = 11, SalePrice = 12, ProductCode = 13, ShowOnPos = 14, Discount = 15
};

} // namespace

InventoryManagement::InventoryManagement(QWidget *parent, bool selectionMode)
    : ListScreen(parent, selectionMode)
    , ui(std::make_unique<Ui::InventoryManagement>())
{
    ui->setupUi(this);

    const QStringList headers = {QString(),
                                 QString(),
                                 QString(),
                                 tr("Bar Code"),
                                 tr("Batch Number"),
                                 tr("Product"),
                                 tr("Vendor"),
                                 tr("Expiry"),
                                 tr("Storage Location"),
                                 tr("Quantity"),
                                 tr("Sub Quantity/Items"),
                                 tr("Purchase Price"),
                                 tr("Sale Price"),
                                 tr("Product Code")};
    QTableView *view = ui->tableViewItems;
    // The picker lists each product's batches first expired, first out.
    SetUpList(view, Catalogue::InventorySortExpressions(),
              selectionMode ? QStringLiteral("i.PRODUCT_ID, i.EXPIRY_DATE, i.ID")
                            : QStringLiteral("i.ID"),
              headers, {Id, ProductId, VendorId, ShowOnPos});
    m_model->SetUniqueColumns({Id, BarCode});
    // Every batch has its product and vendor (foreign keys).
    m_model->SetBoundedColumns({ProductName, VendorName, ProductCode});
    auto *decimals = new DecimalDelegate(view);
    for (const int column : {PurchasePrice, SalePrice, Discount})
        view->setItemDelegateForColumn(column, decimals);
    if (selectionMode) {
        view->setItemDelegateForColumn(
            Expiry, new ExpiryDelegate(Catalogue::ExpiryDisplayFormat(), QDate::currentDate(), view));
    }
    connect(view, &QTableView::doubleClicked, this, &InventoryManagement::OnRowDoubleClicked);
    connect(ui->editName, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    connect(ui->editCode, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);

    ui->frameCloseButton->hide();
    if (m_selectionMode) {
        ui->groupBoxButtons->hide();
        ui->frameCloseButton->show();
        ui->labelStatus->setText(
            tr("PLEASE DOUBLE CLICK TABLE ROW TO SELECT THE PRODUCT AND BARCODE"));
    } else {
        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &InventoryManagement::OnItemSeleted);
    }

    on_buttonShowAll_clicked();
    view->show();
}

InventoryManagement::~InventoryManagement() = default;

QString InventoryManagement::PickBarCode(QWidget *parent, const QSize &size)
{
    return RunPicker(parent, tr("Select Batch"), size,
                     &InventoryManagement::GetSelectedBarCode);
}

void InventoryManagement::on_buttonShowAll_clicked()
{
    const Catalogue::ListQuery query = Catalogue::InventoryShowAll();
    m_model->SetWalkedFilterColumns({});
    RunQuery(query.sql, query.bindings);
}

void InventoryManagement::on_buttonSearch_clicked()
{
    const Catalogue::ListQuery query =
        Catalogue::InventorySearch(ui->editName->text(), ui->editCode->text(),
                                   CDBManager::Instance().GetInventoryDataBase());
    ui->labelStatus->setText(query.status);
    // A name search filters on the product alone: sorted by the product's columns, a page's
    // bound is found by walking the products' index, however far along the matches lie.
    m_model->SetWalkedFilterColumns(query.filtersProductsOnly
                                        ? QList<int>{ProductName, ProductCode}
                                        : QList<int>{});
    RunQuery(query.sql, query.bindings);
}

void InventoryManagement::OnItemSeleted()
{
    ui->buttonEdit->setEnabled(true);
    ui->buttonDelete->setEnabled(true);
}

void InventoryManagement::on_buttonAddNew_clicked()
{
    CAddNewItemsBatch dialog(DialogParent());
    dialog.exec();
    Reselect();
}

void InventoryManagement::EditRow(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    CAddNewItemsBatch dialog(this);
    dialog.SetEditData(m_model->record(index.row()));
    dialog.SetEditMode(true);
    dialog.exec();
    Reselect();
}

void InventoryManagement::on_buttonEdit_clicked()
{
    EditRow(ui->tableViewItems->currentIndex());
}

void InventoryManagement::OnRowDoubleClicked(const QModelIndex &index)
{
    if (!m_selectionMode) {
        EditRow(index);
        return;
    }
    if (!index.isValid())
        return;
    m_selectedBarCode = m_model->index(index.row(), BarCode).data().toString();
    if (parentWidget())
        parentWidget()->close();
}

void InventoryManagement::on_buttonDelete_clicked()
{
    const QModelIndex current = ui->tableViewItems->currentIndex();
    if (!current.isValid())
        return;
    if (!ConfirmDelete(tr("Delete Inventory Item"),
                       tr("Do you really want to delete this stock item?")))
        return;
    // A refusal is logged by the store; the re-run list shows what is stored.
    CatalogueStore::DeleteBatch(CDBManager::Instance().GetInventoryDataBase(),
                                m_model->index(current.row(), Id).data().toInt());
    Reselect();
}

void InventoryManagement::on_pushClose_clicked()
{
    if (parentWidget())
        parentWidget()->close();
}
