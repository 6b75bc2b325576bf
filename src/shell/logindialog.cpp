#include "logindialog.h"
#include "ui_logindialog.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "serversettingsdialog.h"
#include "useraccounts.h"

#include <QSettings>

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
    m_connectionName = AppSettings::Instance().Text(Setting::DbConnectionName);
    m_server = AppSettings::Instance().Text(Setting::DbServer);
    m_port = AppSettings::Instance().Text(Setting::DbPort);
    m_user = AppSettings::Instance().Text(Setting::DbUser);
    m_password = AppSettings::Instance().Text(Setting::DbPassword);
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
    UserAccounts::User user;
    if (UserAccounts::LogIn(manager.GetInventoryDataBase(), login, password, &user)
        != UserAccounts::LogInResult::LoggedIn) {
        Fail(tr("Login failed. Please try again ("));
        // The next attempt connects anew, in case the server or schema was the problem.
        manager.DropInventoryDatabase();
        return;
    }
    if (m_outcome) {
        m_outcome->firstName = user.firstName;
        m_outcome->lastName = user.lastName;
        m_outcome->loginName = user.loginName;
        m_outcome->role = user.role;
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
