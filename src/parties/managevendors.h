#pragma once

#include "quillboxdialog.h"

#include <QModelIndex>

#include <memory>

class PartyEditor;

namespace Ui {
class ManageVendors;
}

// Keeps the shop's suppliers. A vendor whose stock batches are still on the books stays.
class ManageVendors final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit ManageVendors(QWidget *parent);
    ~ManageVendors() override;

public slots:
    void on_pushButtonAdd_clicked();
    void OnPushButtonUpdateClicked();
    void OnPushButtonDeleteClicked();
    void OnVendorSelected(const QModelIndex &current, const QModelIndex &previous);
    void on_pushFilter_clicked();
    void on_lineEditFilter_textChanged(const QString &text);
    void on_pushButtonClose_clicked();
    bool IsEmptyText() const;
    bool IsSameText() const;

private:
    Q_DISABLE_COPY(ManageVendors)
    std::unique_ptr<Ui::ManageVendors> m_ui;
    std::unique_ptr<PartyEditor> m_editor;
};
