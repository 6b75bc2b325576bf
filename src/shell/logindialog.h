#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class LoginDialog; }

// What the login dialog hands back to the login routine; cancelled until a login succeeds.
struct LoginOutcome
{
    bool cancelled = true;
    QString firstName;
    QString lastName;
    QString loginName;
    QString role;
};

class LoginDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    LoginDialog(QWidget *parent, LoginOutcome *outcome);
    ~LoginDialog() override;

private slots:
    void on_buttonLogin_clicked();
    void on_buttonCancel_clicked();
    void on_pushButtonEditConnection_clicked();
    void on_pushButtonAddNew_clicked();

private:
    void ReadConnection();
    void Fail(const QString &message);

    Q_DISABLE_COPY(LoginDialog)
    std::unique_ptr<Ui::LoginDialog> ui;
    LoginOutcome *m_outcome;
    QString m_connectionName;
    QString m_server;
    QString m_port;
    QString m_user;
    QString m_password;
    int m_attempts = 0;
};
