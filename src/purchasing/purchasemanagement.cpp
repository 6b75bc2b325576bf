#include "purchasemanagement.h"
#include "ui_purchasemanagement.h"

#include "addeditpurchaseorder.h"
#include "dbmanager.h"
#include "pagedquerymodel.h"
#include "purchaserules.h"
#include "purchasestore.h"

#include <QHeaderView>
#include <QMessageBox>

PurchaseManagement::PurchaseManagement(QWidget *parent)
    : ListScreen(parent, false)
    , ui(std::make_unique<Ui::PurchaseManagement>())
{
    ui->setupUi(this);
    QTableView *view = ui->tableViewItems;
    // Headers are the statement's column names.
    SetUpList(view, Purchasing::OrderSortExpressions(), QStringLiteral("po.ID"), {}, {});
    view->horizontalHeader()->setStretchLastSection(true);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &PurchaseManagement::OnItemSeleted);
    connect(view, &QTableView::doubleClicked, this, &PurchaseManagement::OnRowDoubleClicked);
    connect(ui->editName, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    connect(ui->lineStatus, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    on_buttonShowAll_clicked();
    view->show();
}

PurchaseManagement::~PurchaseManagement() = default;

void PurchaseManagement::on_buttonShowAll_clicked()
{
    const Catalogue::ListQuery query = Purchasing::OrderShowAll();
    RunQuery(query.sql, query.bindings);
}

void PurchaseManagement::on_buttonSearch_clicked()
{
    const Catalogue::ListQuery query
        = Purchasing::OrderSearch(ui->editName->text(), ui->lineStatus->text());
    ui->labelStatus->setText(query.status);
    RunQuery(query.sql, query.bindings);
}

void PurchaseManagement::OnItemSeleted()
{
    ui->buttonEdit->setEnabled(true);
    ui->buttonDelete->setEnabled(true);
}

void PurchaseManagement::on_buttonAddNew_clicked()
{
    AddEditPurchaseOrder dialog(DialogParent());
    dialog.exec();
    Reselect();
}

void PurchaseManagement::EditRow(const QModelIndex &index)
{
    if (index.isValid()) {
        AddEditPurchaseOrder dialog(DialogParent(), m_model->record(index.row()));
        dialog.exec();
    }
    Reselect();
}

void PurchaseManagement::on_buttonEdit_clicked()
{
    EditRow(ui->tableViewItems->currentIndex());
}

void PurchaseManagement::OnRowDoubleClicked(const QModelIndex &index)
{
    EditRow(index);
}

void PurchaseManagement::on_buttonDelete_clicked()
{
    const QModelIndex current = ui->tableViewItems->currentIndex();
    if (!current.isValid())
        return;
    if (!ConfirmDelete(tr("Delete"),
                       tr("Do you really want to delete this purchase order?")))
        return;
    const int id = m_model->index(current.row(), 0).data().toInt();
    if (!PurchaseStore::DeleteOrder(CDBManager::Instance().GetInventoryDataBase(), id)) {
        QMessageBox::warning(this, tr("Delete"),
                             tr("The purchase order could not be deleted."));
    }
    Reselect();
}
