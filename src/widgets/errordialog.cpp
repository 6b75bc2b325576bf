#include "errordialog.h"
#include "ui_errordialog.h"

#include "appsettings.h"

#include <QScroller>
#include <QSettings>

ErrorDialog::ErrorDialog(const QString &key, const QString &title, const QString &text,
                         QWidget *parent, bool alwaysShow)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::ErrorDialog>())
    , m_key(key)
    , m_alwaysShow(alwaysShow)
{
    ui->setupUi(this);
    ui->textEdit->setText(text);
    setWindowTitle(title);
    ui->checkBox->setVisible(!alwaysShow);
    QScroller::grabGesture(ui->textEdit->viewport(), QScroller::LeftMouseButtonGesture);
}

ErrorDialog::~ErrorDialog() = default;

int ErrorDialog::exec()
{
    if (m_alwaysShow)
        return QuillboxDialog::exec();
    if (AppSettings::Instance().Value(m_key).toBool())
        return 1;
    QuillboxDialog::exec();
    return 1;
}

void ErrorDialog::on_pushButton_clicked()
{
    if (!m_alwaysShow)
        AppSettings::Instance().Settings()->setValue(m_key, ui->checkBox->isChecked() ? 1 : 0);
    close();
}
