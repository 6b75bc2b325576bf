#include "productmanagement.h"
#include "ui_productmanagement.h"

#include "addeditproductdialog.h"
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
#include <QPixmap>
#include <QScroller>
#include <QSettings>

namespace {

enum Column { Id, Category, Code, Name, ItemsPerUnit, Description, ImageFile, TaxRate };

} // namespace

ProductManagement::ProductManagement(QWidget *parent, bool selectionMode)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::ProductManagement>())
    , m_selectionMode(selectionMode)
{
    ui->setupUi(this);

    m_model = new PagedQueryModel(this);
    m_model->SetSortExpressions(Catalogue::ProductSortExpressions());
    m_model->SetTieBreaker(QStringLiteral("p.ID"));
    m_model->SetUniqueColumns({Id, Code});
    const QStringList headers = {QString(),
                                 QStringLiteral("Category"),
                                 QStringLiteral("Code"),
                                 QStringLiteral("Name"),
                                 QStringLiteral("Items Per Unit"),
                                 QStringLiteral("Description"),
                                 QString(),
                                 QStringLiteral("Tax rate")};
    for (int c = 0; c < headers.size(); ++c)
        m_model->setHeaderData(c, Qt::Horizontal, headers.at(c));

    QTableView *view = ui->tableViewProducts;
    view->setModel(m_model);
    view->setItemDelegateForColumn(TaxRate, new DecimalDelegate(view));
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    QScroller::grabGesture(view->viewport(), QScroller::LeftMouseButtonGesture);

    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ProductManagement::OnProductSeleted);
    connect(view, &QTableView::doubleClicked, this, &ProductManagement::OnRowDoubleClicked);
    connect(ui->editName, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    connect(ui->editCode, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    // Rows re-fetched from scratch: the header has forgotten which sections it hid.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        ui->tableViewProducts->setColumnHidden(Id, true);
        ui->tableViewProducts->setColumnHidden(ImageFile, true);
    });
    ListSizing::FollowPagedContents(view, m_model);

    ui->frameCloseButton->hide();
    if (m_selectionMode) {
        ui->groupBoxButtons->hide();
        ui->frameCloseButton->show();
        ui->labelStatus->setText(
            QStringLiteral("PLEASE DOUBLE CLICK TABLE ROW TO SELECT THE PRODUCT"));
    }

    m_imagesFolder = AppSettings::Instance()
                         .Settings()
                         ->value(QStringLiteral("IMAGES_FOLDER"), QString())
                         .toString();
    ui->labelImage->setPixmap(QPixmap(QString::fromLatin1(AddEditProductDialog::PlaceholderPicture))
                                  .scaled(200, 200, Qt::KeepAspectRatio, Qt::FastTransformation));
    on_buttonShowAll_clicked();
}

ProductManagement::~ProductManagement() = default;

QString ProductManagement::PickProductCode(QWidget *parent, const QSize &size)
{
    QWidget *host = AppSettings::Instance().GlobalParent();
    QuillboxDialog dialog(host ? host : parent);
    dialog.setWindowTitle(QStringLiteral("Select Product"));
    auto *layout = new QGridLayout(&dialog);
    auto *list = new ProductManagement(&dialog, true);
    layout->addWidget(list, 0, 0);
    dialog.resize(size);
    dialog.exec();
    return list->GetSelectedCode();
}

void ProductManagement::RunQuery(const QString &sql, const QVariantMap &bindings)
{
    // Columns are sized to the new rows as the model resets.
    m_model->SetQuery(CDBManager::Instance().GetInventoryDataBase(), sql, bindings);
}

void ProductManagement::Reselect()
{
    m_model->Refresh();
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
    QWidget *host = AppSettings::Instance().GlobalParent();
    AddEditProductDialog dialog(host ? host : this);
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
    const QMessageBox::StandardButton answer =
        QMessageBox::question(this, QStringLiteral("Delete Product"),
                              QStringLiteral("Do you really want to delete this product?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const int id = m_model->index(current.row(), Id).data().toInt();
    if (CatalogueStore::DeleteProduct(CDBManager::Instance().GetInventoryDataBase(), id)
        == CatalogueStore::Result::InUse) {
        QMessageBox::information(
            this, QStringLiteral("Error"),
            QStringLiteral(
                "Can not delete this product because inventory might exist against this product."));
    }
    Reselect();
}

void ProductManagement::on_pushButton_clicked()
{
    if (parentWidget())
        parentWidget()->close();
}
