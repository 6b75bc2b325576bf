#include "reportviewer.h"
#include "ui_reportviewer.h"

#include "documentfiles.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "errordialog.h"
#include "pagedquerymodel.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QScopeGuard>
#include <QIdentityProxyModel>
#include <QMessageBox>
#include <QPrinter>
#include <QScroller>
#include <QShowEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

using namespace ManagementReports;

namespace {
// Rows are fetched a page at a time; groupings re-run their sums per page, so fewer, larger ones.
constexpr int kGroupingPageSize = 1000;
constexpr int kAllRows = 1 << 30;

// Shows the cells as the printed document does: money with two decimals, dates as set.
class CellTextModel final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const QVariant value = QIdentityProxyModel::data(index, Qt::EditRole);
        if (role == Qt::DisplayRole)
            return CellText(value, AppSettings::Instance().DisplayDateFormat());
        if (role == Qt::TextAlignmentRole && value.type() == QVariant::Double)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return QIdentityProxyModel::data(index, role);
    }
};
} // namespace

ReportViewer::ReportViewer(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::ReportViewer>())
    , m_model(new PagedQueryModel(this))
{
    ui->setupUi(this);
    auto *cells = new CellTextModel(this);
    cells->setSourceModel(m_model);
    ui->tableView->setModel(cells);
    ui->tableView->horizontalHeader()->setStretchLastSection(true);
    QScroller::grabGesture(ui->tableView->viewport(), QScroller::LeftMouseButtonGesture);
    connect(m_model, &QAbstractItemModel::modelReset, ui->tableView,
            &QTableView::resizeColumnsToContents);
    resize(800, 600);
    SetSalesMode(false);
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::SetStatement(const Statement &statement)
{
    m_statement = statement;
    ui->labelTitle->setText(statement.title);
}

void ReportViewer::SetSalesMode(bool sales)
{
    m_sales = sales;
    ui->groupBoxGroupBy->setVisible(sales);
    ui->groupBoxTotals->setVisible(sales);
}

void ReportViewer::SetPeriod(const Period &period)
{
    m_period = period;
}

void ReportViewer::SetTotals(const Totals &totals)
{
    m_totals = totals;
    ui->lineEditTotalSales->setText(totals.sales);
    ui->lineEditTotalDiscount->setText(totals.discount);
    ui->lineEditTotalProfit->setText(totals.profit);
    ui->lineEditTotalPurchase->setText(totals.purchase);
}

void ReportViewer::showEvent(QShowEvent *event)
{
    QuillboxDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_sales) {
        m_model->SetPageSize(256);
        // Batches in the order they were entered: the first page needs no sort of all matches.
        Run(m_statement.sql, m_statement.bindings, QStringLiteral("i.ID"));
        return;
    }
    if (ui->radioProduct->isChecked())
        Regroup(Grouping::Product);
    else
        ui->radioProduct->setChecked(true);
    if (m_totalsPending)
        QTimer::singleShot(0, this, &ReportViewer::LoadTotals);
}

void ReportViewer::LoadTotals()
{
    if (!m_totalsPending)
        return;
    m_totalsPending = false;
    Totals totals;
    QSqlError error;
    if (!QueryTotals(CDBManager::Instance().GetSalesDataBase(), m_period, &totals, &error)) {
        QMessageBox::warning(this, tr("Report Viewer"),
                             tr("The totals could not be computed.\n\n") + error.databaseText());
        return;
    }
    SetTotals(totals);
}

void ReportViewer::Run(const QString &sql, const QVariantMap &bindings, const QString &order)
{
    QSqlDatabase &db = m_sales ? CDBManager::Instance().GetSalesDataBase()
                               : CDBManager::Instance().GetInventoryDataBase();
    m_model->SetTieBreaker(order);
    if (!m_model->SetQuery(db, sql, bindings)) {
        QMessageBox::warning(this, tr("Report Viewer"),
                             tr("The report could not be run.\n\n")
                                 + m_model->lastError().databaseText());
    }
}

void ReportViewer::Regroup(Grouping grouping)
{
    m_grouping = grouping;
    m_model->SetPageSize(kGroupingPageSize);
    const QString day = AppSettings::Instance().DateDisplayExpression(
        QStringLiteral("DATE(st.TIME_STAMP)"), QStringLiteral("DATE"));
    Run(GroupingStatement(grouping, day), PeriodBindings(m_period), GroupingOrder());
}

void ReportViewer::on_radioProduct_toggled(bool checked)
{
    if (checked)
        Regroup(Grouping::Product);
}

void ReportViewer::on_radioCustomer_toggled(bool checked)
{
    if (checked)
        Regroup(Grouping::Customer);
}

void ReportViewer::on_radioUser_toggled(bool checked)
{
    if (checked)
        Regroup(Grouping::User);
}

void ReportViewer::on_radioDate_toggled(bool checked)
{
    if (checked)
        Regroup(Grouping::Date);
}

QString ReportViewer::DocumentHtml()
{
    return BuildHtml(CollectDocument());
}

Document ReportViewer::CollectDocument()
{
    LoadTotals();
    // One large page instead of many: the document needs every row.
    const int pageSize = m_model->PageSize();
    m_model->SetPageSize(kAllRows);
    while (m_model->canFetchMore())
        m_model->fetchMore();
    // The list goes back to pages once the document holds its rows.
    const auto restore = qScopeGuard([this, pageSize] { m_model->SetPageSize(pageSize); });

    Document document;
    document.title = m_statement.title;
    document.printedAt = QDateTime::currentDateTime().toString(Qt::TextDate);
    document.sales = m_sales;
    document.groupingHeading = GroupingHeading(m_grouping);
    document.totals = m_totals;
    document.currency = AppSettings::Instance().Text(Setting::ReportCurrencySymbol);
    const QHeaderView *header = ui->tableView->horizontalHeader();
    QVector<int> columns;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (!header->isSectionHidden(c)) {
            columns << c;
            document.headers << m_model->headerData(c, Qt::Horizontal).toString();
        }
    }
    const QAbstractItemModel *cells = ui->tableView->model();
    document.rows.reserve(m_model->rowCount());
    for (int r = 0; r < m_model->rowCount(); ++r) {
        QStringList row;
        row.reserve(columns.size());
        for (const int c : columns)
            row << cells->index(r, c).data().toString();
        document.rows << row;
    }
    return document;
}

QString ReportViewer::PdfFilePath()
{
    return DocumentFiles::LastWritten();
}

bool ReportViewer::PrintTo(QPrinter *printer)
{
    if (PrintDocument(CollectDocument(), printer) < 0)
        return false;
    if (printer->outputFormat() != QPrinter::PdfFormat)
        return true;
    // A file that was not written must not be opened: it would show an older report.
    const QFileInfo written(printer->outputFileName());
    if (!written.exists() || written.size() == 0)
        return false;
    DocumentFiles::Show(printer->outputFileName());
    return true;
}

bool ReportViewer::WritePdf(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return PrintTo(&printer);
}

void ReportViewer::on_buttonPrint_clicked()
{
    if (AppSettings::Instance().Bool(Setting::ReportPrintToPdf)) {
        ErrorDialog notice(QStringLiteral("err_msg_2"), tr("Print to PDF"),
                           tr("Please change Report Printer settings from Settings dialog. "
                              "Currently it is configured to print to PDF file."),
                           this);
        notice.exec();
        on_pushPrintToPDF_clicked();
        return;
    }
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPrinterName(AppSettings::Instance().Text(Setting::ReportPrinter));
    PrintTo(&printer);
}

void ReportViewer::on_pushPrintToPDF_clicked()
{
    const QString path = DocumentFiles::NewPath(QStringLiteral("report"), QString());
    if (!WritePdf(path))
        QMessageBox::warning(this, tr("Print to PDF"),
                             tr("The report could not be written to %1.").arg(path));
}

void ReportViewer::on_buttonClose_clicked()
{
    close();
}
