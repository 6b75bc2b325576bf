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
    bool CheckInput(const QString &emptyMessage, bool update);
    bool KeepsPassword() const;
    // The typed password into the row: as a hash, or as typed on a schema without hashes.
    void SetPassword(int row);
    void ClearFields();
    void Reload();
    // Submits the model's pending change and its audit entry in one transaction; the user is
    // named by login before and after the change (empty for an addition or a removal).
    bool SubmitAudited(const char *kind, const QString &loginBefore, const QString &loginAfter);

    Q_DISABLE_COPY(ManageUsers)
    std::unique_ptr<Ui::ManageUsers> ui;
    QSqlTableModel *m_model;
    int m_hashColumn = -1;
};
