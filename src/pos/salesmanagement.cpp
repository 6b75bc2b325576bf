#include "salesmanagement.h"
#include "ui_salesmanagement.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "documentfiles.h"
#include "errordialog.h"
#include "pagedquerymodel.h"
#include "quillboxdialog.h"
#include "saleshistory.h"

#include <QCalendarWidget>
#include <QDir>
#include <QDebug>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScroller>
#include <QShortcut>

namespace {

// Shown while no day is chosen; a date no sale can carry.
const QDate NoDay(1900, 1, 1);

void SetUpView(QTableView *view, PagedQueryModel *model)
{
    view->setModel(model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setAlternatingRowColors(true);
    QScroller::grabGesture(view->viewport(), QScroller::LeftMouseButtonGesture);
}

} // namespace

SalesManagement::SalesManagement(QWidget *parent, bool embedded)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::SalesManagement>())
    , m_embedded(embedded)
{
    ui->setupUi(this);
    ui->pushClose->setVisible(m_embedded);
    ui->buttonDelete->setVisible(!m_embedded);
    ui->buttonAddNew->hide();
    ui->buttonEdit->hide();
    QScroller::grabGesture(viewport(), QScroller::LeftMouseButtonGesture);

    m_sales = new PagedQueryModel(this);
    m_sales->SetSortExpressions(SalesHistory::SortExpressions());
    m_sales->SetTieBreaker(QStringLiteral("ID"));
    m_details = new PagedQueryModel(this);
    m_details->SetTieBreaker(QStringLiteral("ID"));
    SetUpView(ui->tableViewSales, m_sales);
    SetUpView(ui->tableViewDetails, m_details);
    // A header click sorts on the server; the list starts in the order of the sale IDs.
    ui->tableViewSales->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    ui->tableViewSales->setSortingEnabled(true);
    // After a re-query the header has forgotten its hidden sections.
    connect(m_details, &QAbstractItemModel::modelReset, this, [this] {
        ui->tableViewDetails->setColumnHidden(0, true);
        ui->tableViewDetails->setColumnHidden(1, true);
    });
    connect(ui->tableViewSales, &QTableView::clicked, this, &SalesManagement::OnItemSelected);
    connect(ui->tableViewSales, &QTableView::doubleClicked, this,
            &SalesManagement::OnRowDoubleClicked);
    connect(ui->editSalesID, &QLineEdit::returnPressed, ui->buttonSearch, &QPushButton::click);
    // From the keyboard: arrows choose a sale (its lines follow), Return opens its details tab,
    // Ctrl+P prints its receipt again.
    connect(ui->tableViewSales, &QTableView::activated, this, &SalesManagement::OnRowDoubleClicked);
    connect(ui->tableViewSales->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (ShowDetails(current))
                    ui->buttonDelete->setEnabled(true);
            });
    auto *reprint = new QPushButton(tr("Reprint Receipt"), this);
    reprint->setObjectName(QStringLiteral("pushReprint"));
    reprint->setToolTip(tr("Print the chosen sale's receipt again (Ctrl+P)"));
    ui->horizontalLayoutButtons->insertWidget(0, reprint);

    connect(reprint, &QPushButton::clicked, this, &SalesManagement::ReprintReceipt);
    // Not the button's own shortcut: that clicks only after showing the press.
    auto *reprintKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    reprintKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(reprintKey, &QShortcut::activated, this, &SalesManagement::ReprintReceipt);

    ui->dateEdit->setMinimumDate(NoDay);
    ui->dateEdit->setSpecialValueText(QStringLiteral(" "));
    ui->dateEdit->setDate(QDate::currentDate());
    if (ui->dateEdit->calendarWidget())
        ui->dateEdit->calendarWidget()->installEventFilter(this);
    const QString format = AppSettings::Instance().DisplayDateFormat();
    if (!format.isEmpty())
        ui->dateEdit->setDisplayFormat(format);

    const SalesHistory::ListQuery all = SalesHistory::ShowAll();
    ShowSales(all.sql, all.bindings);
    ClearDetails();
}

SalesManagement::~SalesManagement() = default;

void SalesManagement::ShowEmbedded(QWidget *parent)
{
    QWidget *host = AppSettings::Instance().GlobalParent();
    QuillboxDialog dialog(host ? host : parent);
    dialog.setWindowTitle(tr("Sales"));
    auto *layout = new QGridLayout(&dialog);
    layout->addWidget(new SalesManagement(&dialog, true), 0, 0);
    dialog.resize(800, 600);
    dialog.setModal(true);
    dialog.exec();
}

void SalesManagement::ShowSales(const QString &sql, const QVariantMap &bindings)
{
    m_sales->SetQuery(CDBManager::Instance().GetSalesDataBase(), sql, bindings);
    // Measures the fetched page only.
    ui->tableViewSales->resizeColumnsToContents();
    ui->tableViewSales->show();
}

void SalesManagement::ClearDetails()
{
    const SalesHistory::ListQuery none = SalesHistory::NoDetails();
    m_details->SetQuery(CDBManager::Instance().GetSalesDataBase(), none.sql, none.bindings);
    ui->tableViewDetails->resizeColumnsToContents();
}

bool SalesManagement::ShowDetails(const QModelIndex &index)
{
    if (!index.isValid())
        return false;
    const QString id = m_sales->index(index.row(), 0).data().toString();
    qDebug() << "Transaction ID = " << id;
    const SalesHistory::ListQuery lines = SalesHistory::Details(id.toInt());
    m_details->SetQuery(CDBManager::Instance().GetSalesDataBase(), lines.sql, lines.bindings);
    ui->tableViewDetails->resizeColumnsToContents();
    ui->tableViewDetails->show();
    return true;
}

bool SalesManagement::eventFilter(QObject *watched, QEvent *event)
{
    // A calendar opened on the blank date would start in the placeholder year.
    if (event->type() == QEvent::Show && watched == ui->dateEdit->calendarWidget()
        && ui->dateEdit->date() == NoDay) {
        ui->dateEdit->calendarWidget()->setSelectedDate(QDate::currentDate());
    }
    return QScrollArea::eventFilter(watched, event);
}

QDate SalesManagement::ShownDay() const
{
    const QDate day = ui->dateEdit->date();
    return day == NoDay ? QDate() : day;
}

void SalesManagement::on_buttonShowAll_clicked()
{
    ui->editSalesID->clear();
    ui->dateEdit->setDate(NoDay);
    ui->labelStatus->clear();
    const SalesHistory::ListQuery all = SalesHistory::ShowAll();
    ShowSales(all.sql, all.bindings);
}

void SalesManagement::OnItemSelected(const QModelIndex &index)
{
    if (!ShowDetails(index))
        return;
    ErrorDialog note(QStringLiteral("err_msg_12"), tr("Sale Details"),
                     tr("Please click on 'Sales Details' tab to view details of this "
                                    "sale. All individual items are listed on this tab. You can "
                                    "double click on the row to go directly to details page as "
                                    "well. "),
                     this);
    note.exec();
    ui->buttonDelete->setEnabled(true);
}

void SalesManagement::OnRowDoubleClicked(const QModelIndex &index)
{
    if (ShowDetails(index))
        ui->tabWidget->setCurrentIndex(1);
}

void SalesManagement::ReprintReceipt()
{
    const QModelIndex current = ui->tableViewSales->currentIndex();
    ReceiptData receipt;
    if (!current.isValid()
        || !SalesHistory::ReceiptOf(CDBManager::Instance().GetSalesDataBase(),
                                    m_sales->index(current.row(), 0).data().toInt(), &receipt)) {
        ui->labelStatus->setText(tr("Choose a sale first, then reprint its receipt."));
        return;
    }
    const QString before = DocumentFiles::LastWritten();
    if (Receipt::Print(receipt, this) && DocumentFiles::LastWritten() != before)
        ui->labelStatus->setText(
            tr("Receipt saved as %1").arg(QDir::toNativeSeparators(DocumentFiles::LastWritten())));
}

void SalesManagement::on_buttonSearch_clicked()
{
    const SalesHistory::ListQuery query = SalesHistory::Search(ui->editSalesID->text(), ShownDay());
    ui->labelStatus->setText(query.status);
    ShowSales(query.sql, query.bindings);
}

void SalesManagement::on_pushClose_clicked()
{
    if (parentWidget())
        parentWidget()->close();
}

void SalesManagement::on_buttonDelete_clicked()
{
    const QModelIndex current = ui->tableViewSales->currentIndex();
    if (!current.isValid()) {
        QMessageBox::information(this, tr("Delete Sale"),
                                 tr("Please select row from sales table, and then "
                                                "press delete."));
        return;
    }
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, tr("Delete Sale"),
        tr("Do you really want to delete this sale and associated details?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const int id = m_sales->index(current.row(), 0).data().toInt();
    if (!SalesHistory::DeleteSale(CDBManager::Instance().GetSalesDataBase(), id)) {
        QMessageBox::warning(this, tr("Delete Sale"),
                             tr("The sale could not be deleted. Nothing was "
                                            "changed."));
    }
    m_sales->Refresh();
    ui->tableViewSales->resizeColumnsToContents();
    ClearDetails();
}
