#include "productmanagement.h"
#include "ui_productmanagement.h"

#include "addeditproductdialog.h"
#include "appsettings.h"
#include "cataloguerules.h"
#include "cataloguestore.h"
#include "dbmanager.h"
#include "decimaldelegate.h"
#include "pagedquerymodel.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPixmap>
#include <QSettings>

namespace {

enum Column { Id, Category, Code, Name, ItemsPerUnit, Description, ImageFile, TaxRate };

} // namespace

ProductManagement::ProductManagement(QWidget *parent, bool selectionMode)
    : ListScreen(parent, selectionMode)
    , ui(std::make_unique<Ui::ProductManagement>())
{
    ui->setupUi(this);

    const QStringList headers = {QString(),
                                 tr("Category"),
                                 tr("Code"),
                                 tr("Name"),
                                 tr("Items Per Unit"),
                                 tr("Description"),
                                 QString(),
                                 tr("Tax rate")};
    QTableView *view = ui->tableViewProducts;
    SetUpList(view, Catalogue::ProductSortExpressions(), QStringLiteral("p.ID"), headers,
              {Id, ImageFile});
    m_model->SetUniqueColumns({Id, Code});
    view->setItemDelegateForColumn(TaxRate, new DecimalDelegate(view));

    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ProductManagement::OnProductSeleted);
    connect(view, &QTableView::doubleClicked, this, &ProductManagement::OnRowDoubleClicked);
    connect(ui->editName, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    connect(ui->editCode, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);

    ui->frameCloseButton->hide();
    if (m_selectionMode) {
        ui->groupBoxButtons->hide();
        ui->frameCloseButton->show();
        ui->labelStatus->setText(
            tr("PLEASE DOUBLE CLICK TABLE ROW TO SELECT THE PRODUCT"));
    }

    m_imagesFolder = AppSettings::Instance().Text(Setting::ImagesFolder);
    ui->labelImage->setPixmap(QPixmap(QString::fromLatin1(AddEditProductDialog::PlaceholderPicture))
                                  .scaled(200, 200, Qt::KeepAspectRatio, Qt::FastTransformation));
    on_buttonShowAll_clicked();
}

ProductManagement::~ProductManagement() = default;

QString ProductManagement::PickProductCode(QWidget *parent, const QSize &size)
{
    return RunPicker(parent, tr("Select Product"), size,
                     &ProductManagement::GetSelectedCode);
}

void ProductManagement::on_buttonShowAll_clicked()
{
    ui->editName->clear();
    ui->editCode->clear();
    const Catalogue::ListQuery query = Catalogue::ProductShowAll();
    RunQuery(query.sql, query.bindings);
}

void ProductManagement::on_buttonSearch_clicked()
{
    const Catalogue::ListQuery query =
        Catalogue::ProductSearch(ui->editName->text(), ui->editCode->text(),
                                 CDBManager::Instance().GetInventoryDataBase());
    ui->labelStatus->setText(query.status);
    RunQuery(query.sql, query.bindings);
    ui->tableViewProducts->show();
}

void ProductManagement::OnProductSeleted()
{
    ui->buttonEdit->setEnabled(true);
    ui->buttonDelete->setEnabled(true);
    const QModelIndex current = ui->tableViewProducts->currentIndex();
    const QString stored =
        current.isValid() ? m_model->index(current.row(), ImageFile).data().toString() : QString();
    const QPixmap picture(AddEditProductDialog::PicturePath(m_imagesFolder, stored));
    ui->labelImage->setPixmap(
        picture.scaled(200, 200, Qt::KeepAspectRatio, Qt::FastTransformation));
}

void ProductManagement::on_buttonAddNew_clicked()
{
    AddEditProductDialog dialog(DialogParent());
    dialog.exec();
    Reselect();
}

void ProductManagement::EditRow(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    AddEditProductDialog dialog(this);
    dialog.SetEditData(m_model, index);
    dialog.exec();
    Reselect();
}

void ProductManagement::on_buttonEdit_clicked()
{
    EditRow(ui->tableViewProducts->currentIndex());
}

void ProductManagement::OnRowDoubleClicked(const QModelIndex &index)
{
    if (!m_selectionMode) {
        EditRow(index);
        return;
    }
    if (!index.isValid())
        return;
    m_selectedCode = m_model->index(index.row(), Code).data().toString();
    if (parentWidget())
        parentWidget()->close();
}

void ProductManagement::on_buttonDelete_clicked()
{
    const QModelIndex current = ui->tableViewProducts->currentIndex();
    if (!current.isValid())
        return;
    if (!ConfirmDelete(tr("Delete Product"),
                       tr("Do you really want to delete this product?")))
        return;
    const int id = m_model->index(current.row(), Id).data().toInt();
    if (CatalogueStore::DeleteProduct(CDBManager::Instance().GetInventoryDataBase(), id)
        == CatalogueStore::Result::InUse) {
        QMessageBox::information(
            this, tr("Error"),
            tr(
                "Can not delete this product because inventory might exist against this product."));
    }
    Reselect();
}

void ProductManagement::on_pushButton_clicked()
{
    if (parentWidget())
        parentWidget()->close();
}
