#pragma once

#include "quillboxdialog.h"

#include <QImage>
#include <QSqlRecord>
#include <QVariant>

#include <memory>

namespace Ui {
class AddEditPurchaseOrder;
}
class QPlainTextEdit;
class QSqlQueryModel;
class QSqlTableModel;
class ReportEngine;
namespace PurchaseStore {
struct Header;
}

// Writes and edits one purchase order: vendor, status, dates, notes and lines with running
// totals. Receives the order into stock when its status becomes RECEIVED, and prints it.
class AddEditPurchaseOrder final : public QuillboxDialog {
    Q_OBJECT
public:
    // A new order.
    explicit AddEditPurchaseOrder(QWidget *parent = nullptr);
    // An order of the list: ID, vendor, status, sent and delivery date (display format),
    // sub-total, tax, total, notes.
    AddEditPurchaseOrder(QWidget *parent, const QSqlRecord &listRow);
    ~AddEditPurchaseOrder() override;

    // Empty for an order not yet stored.
    QString OrderKey() const { return m_orderKey; }
    QSqlQueryModel *LineModel() const { return m_lines; }
    // Prints from this template instead of the shipped one chosen by the tax setting.
    void SetTemplatePath(const QString &path) { m_templatePath = path; }

    static constexpr const char *PurchaseOrderTemplate = ":/xml/reports/purchase_order.xml";
    static constexpr const char *PurchaseOrderNoTaxTemplate
        = ":/xml/reports/purchase_order_no_tax.xml";

    // Kept for callers; no widget of the form carries these names, so they are no slots
    // (automatic connection would warn about them).
    void on_pushNewItem_clicked() { }
    void on_pushPrintPreview_clicked();

public slots:
    void OnItemSelected(const QModelIndex &index);
    void printReport(bool preview);
    void setValue(int &recNo, QString &paramName, QVariant &paramValue, int reportPage);
    void setValueImage(int &recNo, QString &paramName, QImage &paramValue, int reportPage);

private slots:
    void on_pushSearchVendor_clicked();
    void on_lineBarCode_textChanged(const QString &code);
    void on_lineBarCode_returnPressed() { }
    void on_pushAddItem_clicked();
    void on_pushDeleteItem_clicked();
    void on_pushSearchItem_clicked();
    void on_comboVendors_currentIndexChanged(int index);
    void on_lineOrderQuantity_textChanged(const QString &text);
    void on_lineUnitPrice_textChanged(const QString &text);
    void on_pushSave_clicked();
    void on_pushUpdateInventoryData_clicked();
    void on_pushClose_clicked();
    void on_comboStatus_currentTextChanged(const QString &status);
    void on_pushPreview_clicked();
    void on_pushPrint_clicked();
    void on_pushPrintToPDF_clicked();

private:
    Q_DISABLE_COPY(AddEditPurchaseOrder)
    void Build(const QSqlRecord *listRow);
    void Load(const QSqlRecord *listRow);
    void ReadSettings();
    void RefreshLines();
    void UpdateLineTotal();
    void ClearItemFields();
    // No line is picked any more: Delete and Update have nothing to act on until the next click.
    void ForgetSelectedLine();
    PurchaseStore::Header CurrentHeader() const;
    bool Save();
    void Receive();
    // The engine with the order's template loaded and this dialog answering its requests;
    // null (after telling the user) when the template cannot be loaded.
    std::unique_ptr<ReportEngine> PrepareEngine();

    std::unique_ptr<Ui::AddEditPurchaseOrder> ui;
    QPlainTextEdit *m_notes = nullptr;
    QSqlTableModel *m_vendors = nullptr;
    QSqlQueryModel *m_lines = nullptr;

    QString m_orderKey;
    QString m_vendorKey;
    QString m_vendorName;
    QString m_vendorAddress;
    QString m_vendorContact;
    // The line last clicked, as stored: Delete takes out what the database holds for it,
    // whatever the item fields were edited to since.
    QString m_selectedLineKey;
    QString m_selectedLineCode;
    float m_selectedLineTotal = 0;
    QString m_rememberedStatus;
    // The status the database holds for this order; empty before its first save.
    QString m_storedStatus;
    bool m_taxEnabled = true;
    QString m_companyName;
    QString m_companyAddress;
    QString m_companyContact;
    QString m_reportMessage;
    QString m_currencySymbol;
    QImage m_logo;
    QString m_salesTaxName;
    QString m_templatePath;
};
