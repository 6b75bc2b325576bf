#include "cashupdialog.h"
#include "ui_cashupdialog.h"

#include "appsettings.h"
#include "cashupreport.h"
#include "dbmanager.h"

#include <QHeaderView>
#include <QSqlQuery>

namespace {
QSqlDatabase Sales()
{
    return CDBManager::Instance().GetSalesDataBase();
}

void SetRow(QTableWidget *table, int row, const QStringList &cells)
{
    for (int column = 0; column < cells.size(); ++column)
        table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
}
} // namespace

CashUpDialog::CashUpDialog(QWidget *parent, bool ownDrawer)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::CashUpDialog>())
    , m_ownDrawer(ownDrawer)
{
    ui->setupUi(this);
    ui->dateDay->setDisplayFormat(AppSettings::Instance().DisplayDateFormat());
    ui->dateDay->setDate(QDate::currentDate());
    ui->dateDay->setEnabled(false);
    ui->tablePast->setColumnCount(8);
    ui->tablePast->setHorizontalHeaderLabels({tr("Closed"), tr("By"), tr("Cashier"), tr("From"),
                                              tr("To"), tr("Expected"), tr("Counted"),
                                              tr("Difference")});
    FillCashiers(ownDrawer);

    connect(ui->comboCashier, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CashUpDialog::Refresh);
    connect(ui->radioDay, &QRadioButton::toggled, ui->dateDay, &QWidget::setEnabled);
    connect(ui->radioDay, &QRadioButton::toggled, this, &CashUpDialog::Refresh);
    connect(ui->dateDay, &QDateEdit::dateChanged, this, &CashUpDialog::Refresh);
    connect(ui->lineCounted, &QLineEdit::textChanged, this, &CashUpDialog::ShowDifference);
    connect(ui->lineCounted, &QLineEdit::returnPressed, ui->pushCloseCashUp,
            &QPushButton::click);
    Refresh();
    LoadPast();
    ui->lineCounted->setFocus();
}

CashUpDialog::~CashUpDialog() = default;

void CashUpDialog::FillCashiers(bool ownDrawer)
{
    const QString me = AppSettings::Instance().GetCurrentUser();
    if (ownDrawer) {
        ui->comboCashier->addItem(me, me);
        ui->comboCashier->setEnabled(false);
        return;
    }
    ui->comboCashier->addItem(tr("All cashiers"), QString());
    // Everyone who sold, removed users included: their sales still need counting.
    QSqlQuery query(Sales());
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT DISTINCT USER_ID FROM tblSalesTransactions "
                                  "ORDER BY USER_ID"))) {
        while (query.next())
            ui->comboCashier->addItem(query.value(0).toString(), query.value(0).toString());
    }
}

void CashUpDialog::ShowStatus(const QString &text)
{
    ui->labelStatus->setText(text);
}

void CashUpDialog::Refresh()
{
    const QString cashier = ui->comboCashier->currentData().toString();
    const QDateTime now = QDateTime::currentDateTime();
    m_period = ui->radioDay->isChecked() ? CashUp::Day(cashier, ui->dateDay->date(), now)
                                         : CashUp::SinceLast(Sales(), cashier, now);
    if (!CashUp::Compute(Sales(), m_period, &m_figures))
        ShowStatus(tr("The sales could not be read."));
    ui->labelPeriod->setText(CashUpReport::PeriodText(m_period));
    ShowDifference();
}

void CashUpDialog::ShowDifference()
{
    CashUp::Record shown;
    shown.period = m_period;
    shown.figures = m_figures;
    const bool typed = CashUp::ParseMoney(ui->lineCounted->text(), &shown.counted);
    shown.difference = shown.counted - m_figures.expectedCash;
    QVector<QStringList> rows = CashUpReport::Rows(shown);
    rows.resize(rows.size() - 2); // counted and difference have fields of their own
    ui->tableFigures->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row)
        SetRow(ui->tableFigures, row, rows.at(row));
    ui->tableFigures->resizeColumnToContents(0);
    ui->labelDifference->setText(typed ? CashUp::Money(shown.difference) : QString());
}

void CashUpDialog::on_pushCloseCashUp_clicked()
{
    qint64 counted = 0;
    if (!CashUp::ParseMoney(ui->lineCounted->text(), &counted)) {
        ShowStatus(tr("Please enter the counted cash, for example 250.50."));
        ui->lineCounted->setFocus();
        return;
    }
    // The figures are read again: a sale may have come in while the drawer was counted.
    Refresh();
    CashUp::Record stored;
    switch (CashUp::Close(Sales(), m_period, m_figures, counted, &stored)) {
    case CashUp::CloseResult::AlreadyClosed:
        ShowStatus(tr("This period has already been cashed up."));
        return;
    case CashUp::CloseResult::Failed:
        ShowStatus(tr("The cash-up could not be stored."));
        return;
    case CashUp::CloseResult::Closed:
        break;
    }
    ShowStatus(tr("Cash-up closed."));
    ui->lineCounted->clear();
    LoadPast();
    Refresh();
    if (!CashUpReport::Print(stored, this))
        ShowStatus(tr("Cash-up closed. It could not be printed; reprint it from the list."));
}

void CashUpDialog::LoadPast()
{
    m_past = CashUp::Past(Sales());
    if (m_ownDrawer) {
        const QString me = AppSettings::Instance().GetCurrentUser();
        m_past.erase(std::remove_if(m_past.begin(), m_past.end(),
                                    [&me](const CashUp::Record &r) {
                                        return r.period.cashier != me;
                                    }),
                     m_past.end());
    }
    const QString format = AppSettings::Instance().DisplayDateFormat() + QStringLiteral(" hh:mm");
    ui->tablePast->setRowCount(m_past.size());
    for (int row = 0; row < m_past.size(); ++row) {
        const CashUp::Record &r = m_past.at(row);
        SetRow(ui->tablePast, row,
               {r.closedAt.toString(format), r.closedBy, CashUpReport::CashierText(r.period.cashier),
                r.period.from.toString(format), r.period.to.toString(format),
                CashUp::Money(r.figures.expectedCash), CashUp::Money(r.counted),
                CashUp::Money(r.difference)});
    }
    ui->tablePast->resizeColumnsToContents();
    if (!m_past.isEmpty())
        ui->tablePast->selectRow(0);
}

void CashUpDialog::on_pushReprint_clicked()
{
    const int row = ui->tablePast->currentRow();
    if (row < 0 || row >= m_past.size()) {
        ShowStatus(tr("Please select a cash-up to reprint."));
        return;
    }
    if (!CashUpReport::Print(m_past.at(row), this))
        ShowStatus(tr("The cash-up could not be printed."));
}

void CashUpDialog::on_pushButtonClose_clicked()
{
    close();
}
