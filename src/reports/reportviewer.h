#pragma once

#include "managementreports.h"
#include "quillboxdialog.h"

#include <memory>

namespace Ui { class ReportViewer; }
class PagedQueryModel;
class QPrinter;

// Shows one report as a table; sales reports can be regrouped. Prints the table as an HTML
// document to the report printer or to "report.pdf".
class ReportViewer final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit ReportViewer(QWidget *parent);
    ~ReportViewer() override;

    void SetStatement(const ManagementReports::Statement &statement);
    void SetSalesMode(bool sales);
    void SetPeriod(const ManagementReports::Period &period);
    void SetTotals(const ManagementReports::Totals &totals);
    // The totals of the period are fetched once the first rows are on the screen.
    void QueryTotalsWhenShown() { m_totalsPending = true; }

    PagedQueryModel *Model() const { return m_model; }
    ManagementReports::Grouping CurrentGrouping() const { return m_grouping; }
    // Fetches every row of the table and returns the printable document.
    QString DocumentHtml();
    // The title, totals, headers and every row's cell texts, as printed.
    ManagementReports::Document CollectDocument();
    // Prints the document into a PDF file; false when it could not be written.
    bool WritePdf(const QString &path);
    static QString PdfFilePath();

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_buttonPrint_clicked();
    void on_pushPrintToPDF_clicked();
    void on_buttonClose_clicked();
    void on_radioProduct_toggled(bool checked);
    void on_radioCustomer_toggled(bool checked);
    void on_radioUser_toggled(bool checked);
    void on_radioDate_toggled(bool checked);

private:
    void Run(const QString &sql, const QVariantMap &bindings, const QString &order);
    void Regroup(ManagementReports::Grouping grouping);
    bool PrintTo(QPrinter *printer);
    void LoadTotals();

    Q_DISABLE_COPY(ReportViewer)
    std::unique_ptr<Ui::ReportViewer> ui;
    PagedQueryModel *m_model;
    ManagementReports::Statement m_statement;
    ManagementReports::Period m_period;
    ManagementReports::Totals m_totals;
    ManagementReports::Grouping m_grouping = ManagementReports::Grouping::Product;
    bool m_sales = false;
    bool m_totalsPending = false;
};
