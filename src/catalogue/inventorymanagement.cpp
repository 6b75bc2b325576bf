#include "inventorymanagement.h"
#include "ui_inventorymanagement.h"

#include "addnewitemsbatch.h"
#include "appsettings.h"
#include "cataloguerules.h"
#include "cataloguestore.h"
#include "dbmanager.h"
#include "decimaldelegate.h"
#include "listsizing.h"
#include "pagedquerymodel.h"
#include "quillboxdialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QScroller>

namespace {

enum Column {
    Id = 0, ProductId = 1, VendorId = 2, BarCode = 3, PurchasePrice = 11, SalePrice = 12,
    ShowOnPos = 14, Discount = 15
};

} // namespace

InventoryManagement::InventoryManagement(QWidget *parent, bool selectionMode)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::InventoryManagement>())
    , m_selectionMode(selectionMode)
{
    ui->setupUi(this);

    m_model = new PagedQueryModel(this);
    m_model->SetSortExpressions(Catalogue::InventorySortExpressions());
    m_model->SetTieBreaker(QStringLiteral("i.ID"));
    m_model->SetUniqueColumns({Id, BarCode});
    const QStringList headers = {QString(),
                                 QString(),
                                 QString(),
                                 QStringLiteral("Bar Code"),
                                 QStringLiteral("Batch Number"),
                                 QStringLiteral("Product"),
                                 QStringLiteral("Vendor"),
                                 QStringLiteral("Expiry"),
                                 QStringLiteral("Storage Location"),
                                 QStringLiteral("Quantity"),
                                 QStringLiteral("Sub Quantity/Items"),
                                 QStringLiteral("Purchase Price"),
                                 QStringLiteral("Sale Price"),
                                 QStringLiteral("Product Code")};
    for (int c = 0; c < headers.size(); ++c) {
        if (!headers.at(c).isEmpty())
            m_model->setHeaderData(c, Qt::Horizontal, headers.at(c));
    }

    QTableView *view = ui->tableViewItems;
    view->setModel(m_model);
    auto *decimals = new DecimalDelegate(view);
    for (const int column : {PurchasePrice, SalePrice, Discount})
        view->setItemDelegateForColumn(column, decimals);
    QScroller::grabGesture(view->viewport(), QScroller::LeftMouseButtonGesture);
    connect(view, &QTableView::doubleClicked, this, &InventoryManagement::OnRowDoubleClicked);
    connect(ui->editName, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    connect(ui->editCode, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    // After a re-run the header has forgotten its hidden sections.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        for (const int hidden : {Id, ProductId, VendorId, ShowOnPos})
            ui->tableViewItems->setColumnHidden(hidden, true);
    });
    ListSizing::FollowPagedContents(view, m_model);

    ui->frameCloseButton->hide();
    if (m_selectionMode) {
        ui->groupBoxButtons->hide();
        ui->frameCloseButton->show();
        ui->labelStatus->setText(
            QStringLiteral("PLEASE DOUBLE CLICK TABLE ROW TO SELECT THE PRODUCT AND BARCODE"));
    } else {
        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &InventoryManagement::OnItemSeleted);
    }

    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    on_buttonShowAll_clicked();
    view->show();
}

InventoryManagement::~InventoryManagement() = default;

QString InventoryManagement::PickBarCode(QWidget *parent, const QSize &size)
{
    QWidget *host = AppSettings::Instance().GlobalParent();
    QuillboxDialog dialog(host ? host : parent);
    dialog.setWindowTitle(QStringLiteral("Select Batch"));
    auto *layout = new QGridLayout(&dialog);
    auto *list = new InventoryManagement(&dialog, true);
    layout->addWidget(list, 0, 0);
    dialog.resize(size);
    dialog.exec();
    return list->GetSelectedBarCode();
}

void InventoryManagement::RunQuery(const QString &sql, const QVariantMap &bindings)
{
    // Columns are sized to the new rows as the model resets.
    m_model->SetQuery(CDBManager::Instance().GetInventoryDataBase(), sql, bindings);
}

void InventoryManagement::RerunCurrent()
{
    m_model->Refresh();
}

void InventoryManagement::on_buttonShowAll_clicked()
{
    const Catalogue::ListQuery query = Catalogue::InventoryShowAll();
    RunQuery(query.sql, query.bindings);
}

void InventoryManagement::on_buttonSearch_clicked()
{
    const Catalogue::ListQuery query =
        Catalogue::InventorySearch(ui->editName->text(), ui->editCode->text(),
                                   CDBManager::Instance().GetInventoryDataBase());
    ui->labelStatus->setText(query.status);
    RunQuery(query.sql, query.bindings);
}

void InventoryManagement::OnItemSeleted()
{
    ui->buttonEdit->setEnabled(true);
    ui->buttonDelete->setEnabled(true);
}

void InventoryManagement::on_buttonAddNew_clicked()
{
    QWidget *host = AppSettings::Instance().GlobalParent();
    CAddNewItemsBatch dialog(host ? host : this);
    dialog.exec();
    RerunCurrent();
}

void InventoryManagement::EditRow(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    CAddNewItemsBatch dialog(this);
    dialog.SetEditData(m_model->record(index.row()));
    dialog.SetEditMode(true);
    dialog.exec();
    RerunCurrent();
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
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, QStringLiteral("Delete Inventory Item"),
                              QStringLiteral("Do you really want to delete this stock item?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // A refusal is logged by the store; the re-run list shows what is stored.
    CatalogueStore::DeleteBatch(CDBManager::Instance().GetInventoryDataBase(),
                                m_model->index(current.row(), Id).data().toInt());
    RerunCurrent();
}

void InventoryManagement::on_pushClose_clicked()
{
    if (parentWidget())
        parentWidget()->close();
}
