#include "cashupdialog.h"
#include "sqlutil.h"
#include "ui_cashupdialog.h"

#include "appsettings.h"
#include "cashupreport.h"
#include "dbmanager.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlQuery>

namespace {
QSqlDatabase Sales()
{
    return CDBManager::Instance().GetSalesDataBase();
}

enum CountColumn { Denomination = 0, Count, Amount };

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
    FillDenominations();

    connect(ui->comboCashier, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CashUpDialog::Refresh);
    connect(ui->radioDay, &QRadioButton::toggled, ui->dateDay, &QWidget::setEnabled);
    connect(ui->radioDay, &QRadioButton::toggled, this, &CashUpDialog::Refresh);
    connect(ui->dateDay, &QDateEdit::dateChanged, this, &CashUpDialog::Refresh);
    connect(ui->lineCounted, &QLineEdit::textChanged, this, &CashUpDialog::ShowDifference);
    connect(ui->lineCounted, &QLineEdit::returnPressed, ui->pushCloseCashUp,
            &QPushButton::click);
    connect(ui->lineCounted, &QLineEdit::textEdited, this, &CashUpDialog::CountedTyped);
    connect(ui->tableDenominations, &QTableWidget::itemChanged, this, &CashUpDialog::CountEdited);
    ui->tableDenominations->installEventFilter(this);
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
    SqlQuery query(Sales());
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT DISTINCT USER_ID FROM tblSalesTransactions "
                                  "ORDER BY USER_ID"))) {
        while (query.next())
            ui->comboCashier->addItem(query.value(0).toString(), query.value(0).toString());
    }
}

void CashUpDialog::FillDenominations()
{
    const QVector<qint64> denominations = CashCount::Denominations();
    QTableWidget *table = ui->tableDenominations;
    const QSignalBlocker blocker(table);
    table->setHorizontalHeaderLabels({tr("Denomination"), tr("Count"), tr("Amount")});
    table->setRowCount(denominations.size());
    for (int row = 0; row < denominations.size(); ++row) {
        auto *denomination = new QTableWidgetItem(CashUp::Money(denominations.at(row)));
        denomination->setData(Qt::UserRole, denominations.at(row));
        denomination->setFlags(Qt::ItemIsEnabled);
        denomination->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, Denomination, denomination);
        auto *count = new QTableWidgetItem;
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, Count, count);
        auto *amount = new QTableWidgetItem;
        amount->setFlags(Qt::ItemIsEnabled);
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, Amount, amount);
    }
    table->resizeColumnsToContents();
    table->setCurrentCell(0, Count);
}

QVector<CashCount::Count> CashUpDialog::CurrentCounts() const
{
    QVector<CashCount::Count> counts;
    const QTableWidget *table = ui->tableDenominations;
    for (int row = 0; row < table->rowCount(); ++row) {
        const int count = table->item(row, Count)->text().toInt();
        if (count > 0)
            counts.append({table->item(row, Denomination)->data(Qt::UserRole).toLongLong(), count});
    }
    return counts;
}

void CashUpDialog::CountEdited(QTableWidgetItem *item)
{
    if (m_fillingCounts || item->column() != Count)
        return;
    QTableWidget *table = ui->tableDenominations;
    const int row = item->row();
    bool valid = false;
    const QString typed = item->text().trimmed();
    const int count = typed.toInt(&valid);
    m_fillingCounts = true;
    if (typed.isEmpty() || !valid || count <= 0 || count > CashCount::kMaxCount) {
        // Only whole numbers of notes count; anything else leaves the row empty.
        if (!typed.isEmpty())
            ShowStatus(tr("Please enter a whole number of notes or coins."));
        item->setText(QString());
        table->item(row, Amount)->setText(QString());
    } else {
        item->setText(QString::number(count));
        const qint64 denomination = table->item(row, Denomination)->data(Qt::UserRole).toLongLong();
        table->item(row, Amount)->setText(CashUp::Money(denomination * count));
        ui->labelStatus->clear();
    }
    m_fillingCounts = false;
    // The counts make the counted cash; with none left, the field is the user's to type again.
    const QVector<CashCount::Count> counts = CurrentCounts();
    ui->lineCounted->setText(counts.isEmpty() ? QString() : CashUp::Money(CashCount::Sum(counts)));
    // Like a counting sheet: the next denomination is next.
    if (table->currentRow() == row && row + 1 < table->rowCount())
        table->setCurrentCell(row + 1, Count);
}

void CashUpDialog::CountedTyped()
{
    // An amount typed by hand replaces the counts, which no longer add up to it.
    if (CurrentCounts().isEmpty())
        return;
    QTableWidget *table = ui->tableDenominations;
    m_fillingCounts = true;
    for (int row = 0; row < table->rowCount(); ++row) {
        table->item(row, Count)->setText(QString());
        table->item(row, Amount)->setText(QString());
    }
    m_fillingCounts = false;
}

void CashUpDialog::on_pushClearCounts_clicked()
{
    CountedTyped();
    ui->lineCounted->clear();
    ui->tableDenominations->setCurrentCell(0, Count);
    ui->tableDenominations->setFocus();
}

bool CashUpDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Return in the counting sheet goes to the next denomination (the close button after the
    // last one), never straight to closing the cash-up with a half-counted drawer.
    if (watched == ui->tableDenominations && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QTableWidget *table = ui->tableDenominations;
            const int row = table->currentRow();
            if (row + 1 < table->rowCount())
                table->setCurrentCell(row + 1, Count);
            else
                ui->pushCloseCashUp->setFocus();
            return true;
        }
    }
    return QuillboxDialog::eventFilter(watched, event);
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
    switch (CashUp::Close(Sales(), m_period, m_figures, counted, &stored, CurrentCounts())) {
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
    CountedTyped();
    ui->tableDenominations->setCurrentCell(0, Count);
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
    CashUp::Record record = m_past.at(row);
    record.counts = CashCount::Stored(Sales(), record.id);
    if (!CashUpReport::Print(record, this))
        ShowStatus(tr("The cash-up could not be printed."));
}

void CashUpDialog::on_pushButtonClose_clicked()
{
    close();
}
