#pragma once

#include "listscreen.h"

#include <QSize>

#include <memory>

namespace Ui { class ProductManagement; }

// The product list: search, add, edit and delete. In selection mode it serves as the product
// picker inside a host dialog; a double-click picks a row's code and closes the host.
class ProductManagement final : public ListScreen
{
    Q_OBJECT
public:
    explicit ProductManagement(QWidget *parent = nullptr, bool selectionMode = false);
    ~ProductManagement() override;

    // The PRODUCT_CODE picked in selection mode; empty until a row is double-clicked.
    QString GetSelectedCode() const { return m_selectedCode; }

    // Runs the product picker: a modal host dialog (parent: the main window when there is
    // one) around a list in selection mode. Returns the picked code, empty when closed.
    static QString PickProductCode(QWidget *parent = nullptr, const QSize &size = QSize(800, 600));

public slots:
    void OnProductSeleted();
    void OnRowDoubleClicked(const QModelIndex &index);

private slots:
    void on_buttonSearch_clicked();
    void on_buttonAddNew_clicked();
    void on_buttonEdit_clicked();
    void on_buttonDelete_clicked();
    void on_buttonShowAll_clicked();
    void on_pushButton_clicked();

private:
    Q_DISABLE_COPY(ProductManagement)
    void EditRow(const QModelIndex &index);

    std::unique_ptr<Ui::ProductManagement> ui;
    QString m_selectedCode;
    QString m_imagesFolder;
};
