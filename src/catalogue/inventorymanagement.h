#pragma once

#include "listscreen.h"

#include <QSize>

#include <memory>

namespace Ui { class InventoryManagement; }

// The stock batch list: search, add, edit and delete. In selection mode it serves as the
// batch picker of the sale screen; a double-click picks a row's barcode and closes the host.
class InventoryManagement final : public ListScreen
{
    Q_OBJECT
public:
    explicit InventoryManagement(QWidget *parent = nullptr, bool selectionMode = false);
    ~InventoryManagement() override;

    // The BAR_CODE picked in selection mode; empty until a row is double-clicked.
    QString GetSelectedBarCode() const { return m_selectedBarCode; }

    // Runs the batch picker: a modal host dialog (parent: the main window when there is one)
    // around a list in selection mode. Returns the picked barcode, empty when closed.
    static QString PickBarCode(QWidget *parent = nullptr, const QSize &size = QSize(800, 600));

public slots:
    void OnItemSeleted();
    void OnRowDoubleClicked(const QModelIndex &index);

private slots:
    void on_buttonSearch_clicked();
    void on_buttonShowAll_clicked();
    void on_buttonAddNew_clicked();
    void on_buttonEdit_clicked();
    void on_buttonDelete_clicked();
    void on_pushClose_clicked();

private:
    Q_DISABLE_COPY(InventoryManagement)
    void EditRow(const QModelIndex &index);

    std::unique_ptr<Ui::InventoryManagement> ui;
    QString m_selectedBarCode;
};
