#pragma once

#include "cataloguerules.h"
#include "quillboxdialog.h"

#include <QPersistentModelIndex>

#include <memory>

namespace Ui { class AddEditProductDialog; }
class QAbstractItemModel;
class QSqlTableModel;

// Adds products to the catalogue, or edits one row of the product list. In add mode the
// dialog stays open after each save, with the form reset, so products can be entered in a row.
class AddEditProductDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit AddEditProductDialog(QWidget *parent = nullptr);
    ~AddEditProductDialog() override;

    // Switches to edit mode and fills the form from the row of index in the product list's
    // model (columns as the list shows them: ID, category, code, name, items per unit,
    // description, image file, tax rate).
    void SetEditData(QAbstractItemModel *model, const QModelIndex &index);

    bool IsEditMode() const { return m_editMode; }
    QString ImageFile() const { return m_imageFile; }
    void SetImageFile(const QString &path) { m_imageFile = path; }

    // The style sheet that shows a picture file in a label.
    static QString ImageStyleSheet(const QString &path);
    // The file that shows a stored picture: its file name in the images folder, or the
    // placeholder picture when no picture is stored.
    static QString PicturePath(const QString &imagesFolder, const QString &storedPath);
    static constexpr const char *PlaceholderPicture = ":/resources/images/NoImageAvailable.jpg";

private slots:
    void on_buttonAdd_clicked();
    void on_buttonSelectImage_clicked();
    void on_pushButton_clicked();
    void on_checkBoxCustomRate_toggled(bool checked);
    void on_checkAutoGenerate_toggled(bool checked);
    void on_buttonClose_clicked();

private:
    Q_DISABLE_COPY(AddEditProductDialog)
    void ShowPicture(const QString &path);
    void ResetAfterAdd();
    int CategoryKey() const;

    std::unique_ptr<Ui::AddEditProductDialog> ui;
    QSqlTableModel *m_categoryModel = nullptr;
    Catalogue::TaxRateTable m_taxRates;
    bool m_editMode = false;
    bool m_taxEnabled = true;
    QAbstractItemModel *m_model = nullptr;
    QPersistentModelIndex m_index;
    QString m_imageFile;
    QString m_imagesFolder;
};
