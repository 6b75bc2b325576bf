#include "serversettingsdialog.h"
#include "ui_serversettingsdialog.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "progress.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QScroller>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>

ServerSettingsDialog::ServerSettingsDialog(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::ServerSettingsDialog>())
{
    ui->setupUi(this);
    ui->lineServerAddress->setText(AppSettings::Instance().Text(Setting::DbServer));
    ui->linePort->setText(AppSettings::Instance().Text(Setting::DbPort));
    ui->lineUserName->setText(AppSettings::Instance().Text(Setting::DbUser));
    ui->lineUserPassword->setText(AppSettings::Instance().Text(Setting::DbPassword));
    ui->lineConnectionName->hide();
    ui->labelConnectionName->hide();
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);
}

ServerSettingsDialog::~ServerSettingsDialog() = default;

void ServerSettingsDialog::on_pushButtonTest_clicked()
{
    const QString name = QStringLiteral("TEST_CONNECTION");
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
        db.setUserName(ui->lineUserName->text());
        db.setPassword(ui->lineUserPassword->text());
        db.setHostName(ui->lineServerAddress->text());
        db.setPort(ui->linePort->text().toInt());
        db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=5"));

        Progress progress(AppSettings::Instance().GlobalParent(),
                          QStringLiteral("Connecting to database..."));
        progress.show();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        opened = db.open();
        for (int i = 0; i < 2; ++i)
            QCoreApplication::processEvents();
        progress.close();

        if (!opened)
            LogSqlError(db.lastError());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);

    if (opened)
        QMessageBox::information(this, tr("Server Connection"),
                                 tr("Connection to server SUCCEEDED!"));
    else
        QMessageBox::information(this, tr("Server Connection"),
                                 tr("Connection to server FAILED!. Please check all parameters."));
}

void ServerSettingsDialog::on_pushButtonSave_clicked()
{
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("DB_SERVER"), ui->lineServerAddress->text());
    settings->setValue(QStringLiteral("DB_PORT"), ui->linePort->text());
    settings->setValue(QStringLiteral("DB_USER"), ui->lineUserName->text());
    settings->setValue(QStringLiteral("DB_PASSWORD"), ui->lineUserPassword->text());
    CDBManager::Instance().SetServerParameters(ui->lineUserName->text(),
                                               ui->lineUserPassword->text(),
                                               ui->linePort->text().toInt(nullptr, 10),
                                               ui->lineServerAddress->text());
    close();
}

void ServerSettingsDialog::on_pushCancel_clicked()
{
    close();
}

void ServerSettingsDialog::on_checkShowPassword_stateChanged(int state)
{
    ui->lineUserPassword->setEchoMode(state == Qt::Checked ? QLineEdit::Normal
                                                           : QLineEdit::Password);
}
