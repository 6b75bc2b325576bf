#pragma once

#include "listscreen.h"

#include <memory>

namespace Ui {
class PurchaseManagement;
}

// The purchase order list: search by vendor or status, open, add and delete orders.
class PurchaseManagement final : public ListScreen {
    Q_OBJECT
public:
    explicit PurchaseManagement(QWidget *parent = nullptr);
    ~PurchaseManagement() override;

public slots:
    void OnItemSeleted();
    void OnRowDoubleClicked(const QModelIndex &index);

private slots:
    void on_buttonSearch_clicked();
    void on_buttonShowAll_clicked();
    void on_buttonAddNew_clicked();
    void on_buttonEdit_clicked();
    void on_buttonDelete_clicked();

private:
    Q_DISABLE_COPY(PurchaseManagement)
    void EditRow(const QModelIndex &index);

    std::unique_ptr<Ui::PurchaseManagement> ui;
};
