#pragma once

#include "quillboxdialog.h"

#include <QModelIndex>

#include <memory>

class PartyEditor;

namespace Ui {
class ManageCustomers;
}

// Keeps the shop's customers. In selection mode the sale screen picks the customer of the
// current sale with "Select" and reads it back with GetSelectedCustomer.
class ManageCustomers final : public QuillboxDialog
{
    Q_OBJECT
public:
    ManageCustomers(QWidget *parent, bool selectionMode);
    ~ManageCustomers() override;

    // The picked customer's ID and the contents of the four fields; leaves the outputs as they
    // are unless a customer was picked with "Select".
    void GetSelectedCustomer(QString &id, QString &name, QString &address, QString &email,
                             QString &contact) const;

public slots:
    void on_pushButtonAdd_clicked();
    void OnPushButtonUpdateClicked();
    void OnPushButtonDeleteClicked();
    void OnCustomerSelected(const QModelIndex &current, const QModelIndex &previous);
    void on_pushFilter_clicked();
    void on_lineEditFilter_textChanged(const QString &text);
    void on_pushButtonClose_clicked();
    void on_pushSelect_clicked();
    bool IsEmptyText() const;
    bool IsSameText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Q_DISABLE_COPY(ManageCustomers)
    void HighlightFirst();
    std::unique_ptr<Ui::ManageCustomers> m_ui;
    std::unique_ptr<PartyEditor> m_editor;
    bool m_selectionMode;
    bool m_selected = false;
    QString m_selectedId;
};
