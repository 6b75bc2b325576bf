#include "reportsmanagement.h"
#include "ui_reportsmanagement.h"

#include "appsettings.h"
#include "managementreports.h"
#include "reportparameterdialog.h"
#include "reportviewer.h"

#include <QMessageBox>
#include <QScroller>
#include <QtDebug>

using namespace ManagementReports;

ReportsManagement::ReportsManagement(QWidget *parent)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::ReportsManagement>())
{
    ui->setupUi(this);
    QScroller::grabGesture(viewport(), QScroller::LeftMouseButtonGesture);
}

ReportsManagement::~ReportsManagement() = default;

bool ReportsManagement::AskCount(const QString &label, int *value)
{
    ReportParameterDialog dialog(window(), ReportParameterDialog::Mode::Value);
    dialog.SetLabel(label);
    dialog.setModal(true);
    dialog.exec();
    // An empty, broken or abandoned entry runs nothing rather than a report of a guess.
    if (ParseCount(dialog.GetValue(), value))
        return true;
    QMessageBox::information(window(), tr("Report Parameter"),
                             tr("Please enter the %1 as a whole number, for example 10. "
                                "The report was not run.")
                                 .arg(label));
    return false;
}

void ReportsManagement::on_buttonInventoryView_clicked()
{
    Statement statement;
    if (ui->radioLowStock->isChecked()) {
        int threshold = 0;
        if (!AskCount(tr("Low Items Threshold"), &threshold))
            return;
        statement = LowStockStatement(threshold);
    } else if (ui->radioExpiring->isChecked()) {
        int days = 0;
        if (!AskCount(tr("Expiration Value in Days"), &days))
            return;
        statement = ExpiringStatement(days, QDate::currentDate(),
                                      AppSettings::Instance().DateDisplayExpression(
                                          QStringLiteral("i.EXPIRY_DATE"), tr("Expiry Date")));
        qDebug().noquote() << "Expiry Statement: " + statement.sql;
    } else {
        statement = OutOfStockStatement();
        qDebug().noquote() << "OutofStock Statement: " + statement.sql;
    }
    ReportViewer viewer(window());
    viewer.SetSalesMode(false);
    viewer.SetStatement(statement);
    viewer.setModal(true);
    viewer.exec();
}

void ReportsManagement::on_buttonSaleView_clicked()
{
    Period period;
    Statement statement;
    if (ui->radioDateRange->isChecked()) {
        ReportParameterDialog dialog(window(), ReportParameterDialog::Mode::DateRange);
        dialog.setModal(true);
        dialog.exec();
        period = {dialog.GetStartDate(), dialog.GetEndDate()};
        statement.title = RangeTitle(period, AppSettings::Instance().DisplayDateFormat());
    } else {
        const Preset preset =
            ui->radioLast7Days->isChecked() ? Preset::Last7Days : Preset::Last30Days;
        period = PresetPeriod(preset, QDate::currentDate());
        statement.title = SalesTitle(preset);
    }
    statement.sql = TotalsStatement();
    statement.bindings = PeriodBindings(period);

    ReportViewer viewer(window());
    viewer.SetSalesMode(true);
    viewer.SetStatement(statement);
    viewer.SetPeriod(period);
    // The rows come first; the sums over the whole period follow at once.
    viewer.QueryTotalsWhenShown();
    viewer.setModal(true);
    viewer.exec();
}
