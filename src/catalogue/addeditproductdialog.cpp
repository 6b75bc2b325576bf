#include "addeditproductdialog.h"
#include "ui_addeditproductdialog.h"

#include "appsettings.h"
#include "cataloguestore.h"
#include "dbmanager.h"
#include "errordialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace {

const char *const ItemsPerUnitHelp =
    "This information is for pricing calculation of the sub items. In most cases this value "
    "would be 1. Products such as mobile phones have no sub items, and would be sold as whole "
    "item. If the product contains sub items, and you want to sell those sub items as "
    "individual items, enter that amount in this box. For example, if the product is a pack "
    "of six bottles, and you want to sell one bottle each, then enter 6 here in this box.  "
    "Another example would be a product of 1Kg of sugar, and you want to sell in grams. Then "
    "you would enter 1000 in this box.";

} // namespace

AddEditProductDialog::AddEditProductDialog(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::AddEditProductDialog>())
    , m_taxRates(Catalogue::TaxRateTable::FromSettings())
{
    ui->setupUi(this);
    m_imagesFolder = AppSettings::Instance().Text(Setting::ImagesFolder);

    ui->editItemsPerUnit->setText(QStringLiteral("1"));
    m_categoryModel =
        new QSqlTableModel(this, CDBManager::Instance().GetInventoryDataBase());
    m_categoryModel->setTable(QStringLiteral("tblProductCategories"));
    ui->comboCategory->setModel(m_categoryModel);
    ui->comboCategory->setModelColumn(1);
    m_categoryModel->select();

    ShowPicture(QString::fromLatin1(PlaceholderPicture));
    m_imageFile.clear();

    ui->comboTaxRates->addItems(m_taxRates.Labels());
    ui->comboTaxRates->setCurrentIndex(0);
    ui->lineEditCustomRate->setEnabled(false);

    m_taxEnabled = AppSettings::Instance().Bool(Setting::EnableTax);
    if (!m_taxEnabled) {
        ui->checkBoxCustomRate->setChecked(true);
        ui->lineEditCustomRate->setText(QStringLiteral("0"));
        ui->labelTaxRate->hide();
        ui->comboTaxRates->hide();
        ui->checkBoxCustomRate->hide();
        ui->lineEditCustomRate->hide();
    }
    ui->editCode->setReadOnly(ui->checkAutoGenerate->isChecked());
    // Return in any field saves, as the main button does.
    ui->buttonAdd->setDefault(true);
    ui->editCode->setFocus();
}

AddEditProductDialog::~AddEditProductDialog() = default;

QString AddEditProductDialog::ImageStyleSheet(const QString &path)
{
    // Quoted, so that spaces or brackets in a folder name do not end the url.
    QString quoted = path;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QStringLiteral("QLabel {border-image:url(\"") + quoted + QStringLiteral("\"); }");
}

QString AddEditProductDialog::PicturePath(const QString &imagesFolder, const QString &storedPath)
{
    if (storedPath.isEmpty())
        return QString::fromLatin1(PlaceholderPicture);
    // Pictures are not copied on save: every station finds them by name in its own images
    // folder, so the stored path itself is never used for display.
    return imagesFolder + QLatin1Char('/') + QFileInfo(storedPath).fileName();
}

void AddEditProductDialog::ShowPicture(const QString &path)
{
    ui->labelImage->setStyleSheet(ImageStyleSheet(path));
}

void AddEditProductDialog::SetEditData(QAbstractItemModel *model, const QModelIndex &index)
{
    m_editMode = true;
    m_model = model;
    m_index = index;
    ui->buttonAdd->setText(tr("Update"));
    // An edit keeps the code unless the user asks for a generated one.
    ui->checkAutoGenerate->setChecked(false);
    if (!model || !index.isValid())
        return;
    auto column = [&](int c) { return model->index(index.row(), c).data(); };
    ui->editCode->setText(column(2).toString());
    ui->editName->setText(column(3).toString());
    ui->editItemsPerUnit->setText(column(4).toString());
    ui->editDescription->setText(column(5).toString());
    ui->comboCategory->setCurrentText(column(1).toString());

    m_imageFile = column(6).toString();
    ShowPicture(PicturePath(m_imagesFolder, m_imageFile));

    const QString rateText = Catalogue::EditorText(column(7));
    const QString label = m_taxRates.LabelFor(rateText.toFloat());
    if (!m_taxEnabled) {
        // The rate widgets are hidden: the stored rate is kept, not reset to the 0 of a new
        // product.
        ui->lineEditCustomRate->setText(rateText);
    } else if (!label.isEmpty()) {
        ui->comboTaxRates->setCurrentText(label);
    } else {
        ui->checkBoxCustomRate->setChecked(true);
        ui->lineEditCustomRate->setText(rateText);
    }
}

int AddEditProductDialog::CategoryKey() const
{
    return m_categoryModel->record(ui->comboCategory->currentIndex()).value(0).toInt();
}

void AddEditProductDialog::on_buttonAdd_clicked()
{
    Catalogue::ProductForm form;
    form.autoGenerate = ui->checkAutoGenerate->isChecked();
    form.editMode = m_editMode;
    form.code = ui->editCode->text();
    form.name = ui->editName->text();
    form.itemsPerUnit = ui->editItemsPerUnit->text();
    form.customRate = ui->checkBoxCustomRate->isChecked();
    form.customRateText = ui->lineEditCustomRate->text();
    form.category = ui->comboCategory->currentText();
    form.imageFile = m_imageFile;
    const QString refusal = Catalogue::CheckProductForm(form);
    if (!refusal.isEmpty()) {
        ui->labelStatus->setText(refusal);
        return;
    }

    CatalogueStore::Product product;
    product.categoryId = CategoryKey();
    product.code = form.code;
    product.name = form.name;
    product.itemsPerUnit = Catalogue::ItemsPerUnitValue(form.itemsPerUnit);
    product.description = ui->editDescription->text();
    product.imageFile = Catalogue::StoredImageFile(m_imageFile);
    product.taxRate = form.customRate
                          ? form.customRateText.toDouble()
                          : Catalogue::StoredReal(m_taxRates.Rate(ui->comboTaxRates->currentText()));

    const QSqlDatabase &db = CDBManager::Instance().GetInventoryDataBase();
    if (m_editMode) {
        if (!m_model || !m_index.isValid())
            return;
        const int id = m_model->index(m_index.row(), 0).data().toInt();
        if (CatalogueStore::UpdateProduct(db, id, product) == CatalogueStore::Result::Done) {
            ui->labelStatus->setText(
                tr("Product with code ( %1 ) updated successfull").arg(product.code));
        } else {
            ui->labelStatus->setText(tr("System Error: Can not update the product data"));
        }
        return;
    }

    QString code;
    if (CatalogueStore::InsertProduct(db, product, form.autoGenerate, &code)
        == CatalogueStore::Result::Done) {
        ui->labelStatus->setText(
            tr("Product with code ( %1 ) added successfully to catalogue").arg(code));
        ResetAfterAdd();
    } else {
        ui->labelStatus->setText(
            tr("System Error: Can not add product with code ( %1 ) to catalogue")
                .arg(code));
    }
}

void AddEditProductDialog::ResetAfterAdd()
{
    ui->comboCategory->setCurrentIndex(-1);
    ui->editCode->clear();
    ui->editName->clear();
    ui->editItemsPerUnit->clear();
    ui->editDescription->clear();
    if (m_taxEnabled) {
        ui->lineEditCustomRate->clear();
        ui->checkBoxCustomRate->setChecked(false);
    }
    ShowPicture(QString::fromLatin1(PlaceholderPicture));
    m_imageFile.clear();
    ui->editItemsPerUnit->setText(QStringLiteral("1"));
}

void AddEditProductDialog::on_buttonSelectImage_clicked()
{
    QSettings *settings = AppSettings::Instance().Settings();
    QString folder = AppSettings::Instance().Text(Setting::RecentLocation);
    if (folder.isEmpty())
        folder = QStringLiteral("/home");
    const QString file =
        QFileDialog::getOpenFileName(this, tr("Select Product Image"), folder,
                                     tr("Image Files (*.png *.jpg *.bmp)"));
    if (file.isEmpty())
        return;
    m_imageFile = file;
    settings->setValue(QStringLiteral("RECENT_LOCATION"), file);
    ShowPicture(file);
}

void AddEditProductDialog::on_pushButton_clicked()
{
    ErrorDialog help(QString(), tr("Items Per Unit Help"),
                     QString::fromLatin1(ItemsPerUnitHelp), this, true);
    help.exec();
}

void AddEditProductDialog::on_checkBoxCustomRate_toggled(bool checked)
{
    ui->lineEditCustomRate->setEnabled(checked);
    ui->comboTaxRates->setEnabled(!checked);
    ui->comboTaxRates->setCurrentIndex(0);
}

void AddEditProductDialog::on_checkAutoGenerate_toggled(bool checked)
{
    ui->editCode->setReadOnly(checked);
}

void AddEditProductDialog::on_buttonClose_clicked()
{
    close();
}
