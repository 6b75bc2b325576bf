#pragma once

#include "quillboxdialog.h"

#include <QModelIndex>

#include <memory>

class QSqlTableModel;

namespace Ui {
class ManageCategories;
}

// Lists, adds, renames and deletes product categories. Every change goes to the database at
// once; names are unique ignoring letter case, and a category that products still use stays.
class ManageCategories final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit ManageCategories(QWidget *parent);
    ~ManageCategories() override;

public slots:
    void on_pushButtonAdd_clicked();
    void OnPushButtonUpdateClicked();
    void OnPushButtonDeleteClicked();
    void OnCategorySelected(const QModelIndex &current, const QModelIndex &previous);
    void on_pushButtonClose_clicked();
    bool IsEmptyText() const;
    bool IsSameText();

private:
    Q_DISABLE_COPY(ManageCategories)
    // The ID of the highlighted row, or -1 when none is.
    int CurrentId() const;
    void Reload();
    void ShowDuplicate();

    std::unique_ptr<Ui::ManageCategories> m_ui;
    QSqlTableModel *m_model = nullptr;
};
