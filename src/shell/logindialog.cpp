#include "logindialog.h"
#include "ui_logindialog.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "serversettingsdialog.h"

#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

LoginDialog::LoginDialog(QWidget *parent, LoginOutcome *outcome)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::LoginDialog>())
    , m_outcome(outcome)
{
    ui->setupUi(this);
    ui->editUserName->setFocus();
    ui->buttonLogin->setDefault(true);
    ReadConnection();
    ui->lineServerName->setText(m_connectionName);
    m_attempts = 0;
}

LoginDialog::~LoginDialog() = default;

void LoginDialog::ReadConnection()
{
    QSettings *settings = AppSettings::Instance().Settings();
    m_connectionName = settings->value(QStringLiteral("DB_CON_NAME")).toString();
    m_server = settings->value(QStringLiteral("DB_SERVER")).toString();
    m_port = settings->value(QStringLiteral("DB_PORT")).toString();
    m_user = settings->value(QStringLiteral("DB_USER")).toString();
    m_password = settings->value(QStringLiteral("DB_PASSWORD")).toString();
    CDBManager::Instance().SetServerParameters(m_user, m_password, m_port.toInt(nullptr, 10),
                                               m_server);
}

void LoginDialog::Fail(const QString &message)
{
    ++m_attempts;
    ui->labelMessage->setText(message + QString::number(m_attempts) + QLatin1Char(')'));
}

void LoginDialog::on_buttonLogin_clicked()
{
    ui->labelMessage->clear();
    const QString login = ui->editUserName->text();
    const QString password = ui->editPassword->text();
    if (login.isEmpty() || password.isEmpty()) {
        Fail(tr("Please enter valid User Name or Password ("));
        return;
    }

    CDBManager &manager = CDBManager::Instance();
    QSqlQuery query(manager.GetInventoryDataBase());
    query.prepare(QStringLiteral(
        "SELECT * FROM tblUsers WHERE LOGIN_NAME = :login AND PASSWORD = :password"));
    query.bindValue(QStringLiteral(":login"), login);
    query.bindValue(QStringLiteral(":password"), password);
    if (!query.exec())
        LogSqlError(query.lastError());
    query.next();
    if (!query.isValid() || query.record().value(0).isNull()) {
        Fail(tr("Login failed. Please try again ("));
        // The next attempt connects anew, in case the server or schema was the problem.
        manager.DropInventoryDatabase();
        return;
    }
    if (m_outcome) {
        m_outcome->firstName = query.value(1).toString();
        m_outcome->lastName = query.value(2).toString();
        m_outcome->loginName = query.value(3).toString();
        m_outcome->role = query.value(5).toString();
        m_outcome->cancelled = false;
    }
    close();
}

void LoginDialog::on_buttonCancel_clicked()
{
    if (m_outcome)
        m_outcome->cancelled = true;
    close();
}

void LoginDialog::on_pushButtonEditConnection_clicked()
{
    ServerSettingsDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
    ReadConnection();
}

void LoginDialog::on_pushButtonAddNew_clicked()
{
}
