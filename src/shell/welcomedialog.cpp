#include "welcomedialog.h"
#include "ui_welcomedialog.h"

#include "appsettings.h"

#include <QSettings>

WelcomeDialog::WelcomeDialog(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::WelcomeDialog>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(600, 450);
}

WelcomeDialog::~WelcomeDialog() = default;

void WelcomeDialog::on_pushClose_clicked()
{
    if (ui->checkBox->isChecked())
        AppSettings::Instance().Settings()->setValue(QStringLiteral("FIRST_TIME_START"), 0);
    close();
}
