#include "manageusers.h"
#include "sqlutil.h"
#include "ui_manageusers.h"

#include "auditlog.h"
#include "dbmanager.h"
#include "formkeys.h"
#include "listsizing.h"
#include "useraccounts.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QScroller>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace {
// A user as the audit trail keeps it: never with the password, only whether it changed.
QString UserJson(const QSqlDatabase &db, const QString &login, QString *password)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("SELECT ID, FIRST_NAME, LAST_NAME, LOGIN_NAME, ROLE, PASSWORD, "
                                 "tblUsers.* FROM tblUsers WHERE LOGIN_NAME = :login"));
    query.bindValue(QStringLiteral(":login"), login);
    if (login.isEmpty() || !query.exec() || !query.next())
        return QString();
    // What the account's password is stored as: its hash where the schema keeps one.
    *password = query.value(5).toString();
    const int hash = query.record().indexOf(QStringLiteral("PASSWORD_HASH"));
    if (hash >= 0)
        *password += QLatin1Char('|') + query.value(hash).toString();
    QVariantMap values;
    for (int i = 0; i < 5; ++i)
        values.insert(query.record().fieldName(i), query.value(i));
    return AuditLog::ObjectJson(values);
}
} // namespace

ManageUsers::ManageUsers(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::ManageUsers>())
{
    ui->setupUi(this);
    m_model = new QSqlTableModel(this, CDBManager::Instance().GetInventoryDataBase());
    m_model->setTable(QStringLiteral("tblUsers"));
    m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);
    m_model->select();

    ui->tableView->setModel(m_model);
    ui->tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->tableView->hideColumn(0);
    ui->tableView->hideColumn(4);
    m_hashColumn = m_model->fieldIndex(QStringLiteral("PASSWORD_HASH"));
    if (m_hashColumn >= 0)
        ui->tableView->hideColumn(m_hashColumn);
    else // a schema still waiting for its upgrade holds at most 8 characters
        for (QLineEdit *field : {ui->editPassword, ui->editRepeastPassword})
            field->setMaxLength(8);
    ListSizing::FollowContents(ui->tableView);
    // Start in login-name order; a click on a header sorts by that column.
    ui->tableView->horizontalHeader()->setSortIndicator(3, Qt::AscendingOrder);
    ui->tableView->setSortingEnabled(true);
    QScroller::grabGesture(ui->tableView->viewport(), QScroller::LeftMouseButtonGesture);
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);

    ui->comboRole->addItems({QStringLiteral("ADMIN"), QStringLiteral("SALES PERSON")});
    ui->comboRole->setCurrentIndex(-1);
    ui->pushButtonUpdate->setEnabled(false);
    ui->pushButtonDelete->setEnabled(false);

    FormKeys::ReturnPresses(this,
                            {ui->editFirstName, ui->editLastName, ui->editLoginName,
                             ui->editPassword, ui->editRepeastPassword},
                            {ui->pushButtonUpdate, ui->pushButtonAdd});
    FormKeys::QuietReturn(ui->tableView);

    connect(ui->tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ManageUsers::OnUserSelected);
    connect(ui->pushButtonUpdate, &QPushButton::clicked, this,
            &ManageUsers::OnPushButtonUpdateClicked);
    connect(ui->pushButtonDelete, &QPushButton::clicked, this,
            &ManageUsers::OnPushButtonDeleteClicked);
}

ManageUsers::~ManageUsers() = default;

bool ManageUsers::IsEmptyText() const
{
    return ui->editFirstName->text().isEmpty() || ui->editLastName->text().isEmpty()
           || ui->editLoginName->text().isEmpty() || ui->editPassword->text().isEmpty()
           || ui->comboRole->currentText().isEmpty();
}

bool ManageUsers::KeepsPassword() const
{
    // Stored passwords cannot be shown; empty password fields on Update keep the stored one.
    return m_hashColumn >= 0 && ui->editPassword->text().isEmpty()
           && ui->editRepeastPassword->text().isEmpty();
}

void ManageUsers::SetPassword(int row)
{
    if (m_hashColumn < 0) {
        m_model->setData(m_model->index(row, 4), ui->editPassword->text());
        return;
    }
    // Empty, not NULL: the column is NOT NULL, and an earlier release reads it.
    m_model->setData(m_model->index(row, 4), QStringLiteral(""));
    m_model->setData(m_model->index(row, m_hashColumn),
                     UserAccounts::HashPassword(ui->editPassword->text()));
}

bool ManageUsers::CheckInput(const QString &emptyMessage, bool update)
{
    const bool keep = update && KeepsPassword();
    if (keep ? (ui->editFirstName->text().isEmpty() || ui->editLastName->text().isEmpty()
                || ui->editLoginName->text().isEmpty() || ui->comboRole->currentText().isEmpty())
             : IsEmptyText()) {
        QMessageBox::warning(this, tr("Error"), emptyMessage);
        return false;
    }
    if (ui->editPassword->text() != ui->editRepeastPassword->text()) {
        QMessageBox::warning(this, tr("Error"),
                             tr("Password does not match with the 'Repeat Password'. Please double "
                                "check the value."));
        return false;
    }
    if (!keep && ui->comboRole->currentText() == QLatin1String("ADMIN"))
        QMessageBox::information(this, tr("Password"),
                                 tr("Please make a note of your password. In the next \n LOGIN "
                                    "session you would need to enter this password."));
    return true;
}

void ManageUsers::ClearFields()
{
    ui->editFirstName->clear();
    ui->editLastName->clear();
    ui->editLoginName->clear();
    ui->editPassword->clear();
    ui->editRepeastPassword->clear();
    ui->comboRole->setCurrentIndex(-1);
}

void ManageUsers::OnUserSelected()
{
    const QModelIndex index = ui->tableView->currentIndex();
    if (!index.isValid())
        return;
    const QSqlRecord record = m_model->record(index.row());
    ui->editFirstName->setText(record.value(1).toString());
    ui->editLastName->setText(record.value(2).toString());
    ui->editLoginName->setText(record.value(3).toString());
    ui->editPassword->setText(m_hashColumn >= 0 ? QString() : record.value(4).toString());
    ui->editRepeastPassword->clear();
    ui->comboRole->setCurrentText(record.value(5).toString());
    ui->pushButtonUpdate->setEnabled(true);
    ui->pushButtonDelete->setEnabled(true);
}

void ManageUsers::on_pushButtonAdd_clicked()
{
    if (!CheckInput(tr("Please enter valid data in all input boxes"), false))
        return;
    const int row = m_model->rowCount();
    m_model->insertRow(row);
    m_model->setData(m_model->index(row, 1), ui->editFirstName->text());
    m_model->setData(m_model->index(row, 2), ui->editLastName->text());
    m_model->setData(m_model->index(row, 3), ui->editLoginName->text());
    SetPassword(row);
    m_model->setData(m_model->index(row, 5), ui->comboRole->currentText());
    if (SubmitAudited(AuditLog::Kind::UserAdded, QString(), ui->editLoginName->text())) {
        Reload();
        ClearFields();
        ui->editFirstName->setFocus(); // ready for the next one
    } else {
        LogSqlError(m_model->lastError());
        QMessageBox::warning(this, tr("Add User"), tr("This user can not be added to system"));
        Reload();
    }
}

void ManageUsers::OnPushButtonUpdateClicked()
{
    if (!CheckInput(tr("Please enter valid data in all input boxes."), true))
        return;
    const QModelIndex index = ui->tableView->currentIndex();
    if (!index.isValid())
        return;
    const int row = index.row();
    const bool keep = KeepsPassword();
    const QString oldLogin = m_model->record(row).value(3).toString();
    m_model->setData(m_model->index(row, 1), ui->editFirstName->text());
    m_model->setData(m_model->index(row, 2), ui->editLastName->text());
    m_model->setData(m_model->index(row, 3), ui->editLoginName->text());
    if (!keep)
        SetPassword(row);
    m_model->setData(m_model->index(row, 5), ui->comboRole->currentText());
    if (!SubmitAudited(AuditLog::Kind::UserChanged, oldLogin, ui->editLoginName->text())) {
        // A login name in use, for one; the fields stay as typed so they can be corrected.
        LogSqlError(m_model->lastError());
        QMessageBox::warning(this, tr("Update User"),
                             tr("This user can not be updated in the system"));
        Reload();
        return;
    }
    Reload();
    ClearFields();
}

void ManageUsers::OnPushButtonDeleteClicked()
{
    const auto answer = QMessageBox::question(
        this, tr("Delete User"), tr("Are you sure you want to remove this user from system?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    const QModelIndex index = ui->tableView->currentIndex();
    if (!index.isValid() || answer != QMessageBox::Yes)
        return;
    const QString login = m_model->record(index.row()).value(3).toString();
    m_model->removeRow(index.row());
    if (!SubmitAudited(AuditLog::Kind::UserRemoved, login, QString())) {
        LogSqlError(m_model->lastError());
        QMessageBox::warning(this, tr("Delete User"),
                             tr("This user can not be removed from the system"));
        Reload();
        return;
    }
    Reload();
    ui->editFirstName->clear();
    ui->editLastName->clear();
    ui->editLoginName->clear();
    ui->editPassword->clear();
    ui->comboRole->setCurrentIndex(-1);
}

bool ManageUsers::SubmitAudited(const char *kind, const QString &loginBefore,
                                const QString &loginAfter)
{
    QSqlDatabase db = m_model->database();
    QString oldPassword, newPassword;
    const QString before = UserJson(db, loginBefore, &oldPassword);
    if (!db.transaction())
        return false;
    if (!m_model->submitAll()) {
        db.rollback();
        return false;
    }
    QString after = UserJson(db, loginAfter, &newPassword);
    if (!before.isEmpty() && !after.isEmpty() && oldPassword != newPassword)
        after.replace(after.size() - 1, 1, QStringLiteral(",\"PASSWORD_CHANGED\":true}"));
    if (!AuditLog::Write(db, QLatin1String(kind), QStringLiteral("tblUsers"),
                         loginAfter.isEmpty() ? loginBefore : loginAfter, before, after)
        || !db.commit()) {
        db.rollback();
        return false;
    }
    return true;
}

void ManageUsers::Reload()
{
    if (!m_model->select())
        LogSqlError(m_model->lastError());
    // Nothing is highlighted after a reload, so there is nothing to update or delete.
    ui->pushButtonUpdate->setEnabled(false);
    ui->pushButtonDelete->setEnabled(false);
}

void ManageUsers::on_pushButtonClose_clicked()
{
    close();
}
