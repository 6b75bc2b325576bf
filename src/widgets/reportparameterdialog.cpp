#include "reportparameterdialog.h"
#include "ui_reportparameterdialog.h"

#include "appsettings.h"

ReportParameterDialog::ReportParameterDialog(QWidget *parent, Mode mode)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::ReportParameterDialog>())
{
    ui->setupUi(this);
    const QString format = AppSettings::Instance().DisplayDateFormat();
    for (QDateEdit *edit : {ui->dateEditStart, ui->dateEditEnd}) {
        edit->setDate(QDate::currentDate());
        if (!format.isEmpty())
            edit->setDisplayFormat(format);
    }
    ui->groupBoxValue->setVisible(mode == Mode::Value);
    ui->groupBoxDates->setVisible(mode == Mode::DateRange);
    if (mode == Mode::Value)
        ui->lineEdit->setFocus();
    adjustSize();
}

ReportParameterDialog::~ReportParameterDialog() = default;

void ReportParameterDialog::SetLabel(const QString &text)
{
    ui->label->setText(text);
}

QDate ReportParameterDialog::GetStartDate() const
{
    return ui->dateEditStart->date();
}

QDate ReportParameterDialog::GetEndDate() const
{
    return ui->dateEditEnd->date();
}

void ReportParameterDialog::on_pushButton_clicked()
{
    m_value = ui->lineEdit->text();
    close();
}

void ReportParameterDialog::on_pushButton_2_clicked()
{
    close();
}
