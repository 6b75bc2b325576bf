#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class ManageUsers; }
class QSqlTableModel;

// Lists, adds, updates and deletes the login accounts kept in tblUsers.
class ManageUsers final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit ManageUsers(QWidget *parent = nullptr);
    ~ManageUsers() override;

    bool IsEmptyText() const;

private slots:
    void on_pushButtonAdd_clicked();
    void on_pushButtonClose_clicked();
    void OnUserSelected();
    void OnPushButtonUpdateClicked();
    void OnPushButtonDeleteClicked();

private:
    bool CheckInput(const QString &emptyMessage);
    void ClearFields();
    void Reload();

    Q_DISABLE_COPY(ManageUsers)
    std::unique_ptr<Ui::ManageUsers> ui;
    QSqlTableModel *m_model;
};
