#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class CAddNewItemsBatch; }
class QSqlRecord;
class QSqlTableModel;

// Adds stock batches, or edits one row of the batch list. The dialog stays open after each
// save with the batch fields cleared, so several batches of one product can be entered in a row.
class CAddNewItemsBatch final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit CAddNewItemsBatch(QWidget *parent = nullptr);
    ~CAddNewItemsBatch() override;

    // Fills the dialog from a row of the batch list (its columns by position) and switches
    // to edit mode.
    void SetEditData(const QSqlRecord &record);
    void SetEditMode(bool editMode) { m_editMode = editMode; }
    bool IsEditMode() const { return m_editMode; }
    // The product key found by the last lookup: -1 before any, 0 when the code had no product.
    int ProductId() const { return m_productId; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_pushButtonAdd_clicked();
    void on_pushSelectProduct_clicked();
    void on_editProductCode_returnPressed();
    void on_pushVendors_clicked();
    void on_pushButtonClose_clicked();

private:
    Q_DISABLE_COPY(CAddNewItemsBatch)
    void LookupProduct(const QString &code);
    void SelectVendorById(int vendorId);
    void ClearBatchFields();

    std::unique_ptr<Ui::CAddNewItemsBatch> ui;
    QSqlTableModel *m_vendorModel = nullptr;
    bool m_editMode = false;
    QString m_batchId;
    int m_productId = -1;
    // Stock counts as loaded for editing; a save changes the stored counts by the difference.
    int m_loadedQuantity = 0;
    int m_loadedSubItems = 0;
};
