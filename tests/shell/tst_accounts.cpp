#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "logindialog.h"
#include "manageusers.h"
#include "useraccounts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
int CountUsers(const QString &where = QString())
{
    QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
    query.exec(QStringLiteral("SELECT COUNT(*) FROM tblUsers ") + where);
    return query.next() ? query.value(0).toInt() : -1;
}

struct UserForm
{
    explicit UserForm(ManageUsers &dialog)
        : first(dialog.findChild<QLineEdit *>("editFirstName"))
        , last(dialog.findChild<QLineEdit *>("editLastName"))
        , login(dialog.findChild<QLineEdit *>("editLoginName"))
        , password(dialog.findChild<QLineEdit *>("editPassword"))
        , repeat(dialog.findChild<QLineEdit *>("editRepeastPassword"))
        , role(dialog.findChild<QComboBox *>("comboRole"))
        , table(dialog.findChild<QTableView *>("tableView"))
        , add(dialog.findChild<QPushButton *>("pushButtonAdd"))
        , update(dialog.findChild<QPushButton *>("pushButtonUpdate"))
        , remove(dialog.findChild<QPushButton *>("pushButtonDelete"))
    {
    }
    void Fill(const QString &f, const QString &l, const QString &n, const QString &p,
              const QString &r, const QString &rp)
    {
        first->setText(f);
        last->setText(l);
        login->setText(n);
        password->setText(p);
        repeat->setText(rp);
        role->setCurrentText(r);
    }
    // Rows follow the view's sort order; find a user by login name.
    void SelectLogin(const QString &name)
    {
        if (!QuillboxTest::HighlightRow(table, 3, name))
            QFAIL("no such user");
    }
    QLineEdit *first, *last, *login, *password, *repeat;
    QComboBox *role;
    QTableView *table;
    QPushButton *add, *update, *remove;
};
} // namespace

class TestAccounts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void failedLoginsAreNumbered()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(),
                                          "INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, "
                                          "PASSWORD, ROLE) VALUES ('A', 'B', 'anna', 'pw1', 'ADMIN')"));
        LoginOutcome outcome;
        LoginDialog dialog(nullptr, &outcome);
        auto *user = dialog.findChild<QLineEdit *>("editUserName");
        auto *password = dialog.findChild<QLineEdit *>("editPassword");
        auto *message = dialog.findChild<QLabel *>("labelMessage");
        auto *login = dialog.findChild<QPushButton *>("buttonLogin");
        QVERIFY(login->isDefault());
        dialog.show();

        login->click();
        QCOMPARE(message->text(), QStringLiteral("Please enter valid User Name or Password (1)"));
        user->setText("anna");
        password->setText("wrong");
        login->click();
        QCOMPARE(message->text(), QStringLiteral("Login failed. Please try again (2)"));
        // The failed attempt dropped the connection; the next one connects anew.
        QVERIFY(!CDBManager::Instance().IsInventoryConnected());
        // Text that would break a concatenated statement is only a wrong password.
        password->setText("' OR '1'='1");
        login->click();
        QCOMPARE(message->text(), QStringLiteral("Login failed. Please try again (3)"));
        QVERIFY(outcome.cancelled);

        password->setText("pw1");
        login->click();
        QVERIFY(!outcome.cancelled);
        QCOMPARE(outcome.loginName, QStringLiteral("anna"));
        QCOMPARE(outcome.firstName, QStringLiteral("A"));
        QCOMPARE(outcome.lastName, QStringLiteral("B"));
        QCOMPARE(outcome.role, QStringLiteral("ADMIN"));
        QVERIFY(!dialog.isVisible());
    }

    void cancelKeepsTheOutcomeCancelled()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        AppSettings::Instance().Settings()->setValue("DB_CON_NAME", "Shop server");
        LoginOutcome outcome;
        LoginDialog dialog(nullptr, &outcome);
        QCOMPARE(dialog.findChild<QLineEdit *>("lineServerName")->text(), QStringLiteral("Shop server"));
        dialog.show();
        QVERIFY(QuillboxTest::ClickButton(&dialog, "Cancel"));
        QVERIFY(outcome.cancelled);
        QVERIFY(!dialog.isVisible());
    }

    void addUpdateAndDeleteUsers()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        ManageUsers dialog;
        dialog.show();
        UserForm form(dialog);
        QCOMPARE(form.role->count(), 2);
        QCOMPARE(form.role->itemText(0), QStringLiteral("ADMIN"));
        QCOMPARE(form.role->itemText(1), QStringLiteral("SALES PERSON"));
        QCOMPARE(form.role->currentIndex(), -1);
        QVERIFY(!form.update->isEnabled());
        QVERIFY(!form.remove->isEnabled());
        QVERIFY(form.table->isColumnHidden(0));
        QVERIFY(form.table->isColumnHidden(4));

        DialogDriver driver;
        driver.Expect("Error", "Please enter valid data in all input boxes");
        form.add->click();
        QVERIFY_DIALOGS(driver);

        form.Fill("Mary", "O'Brien", "mary", "pw", "SALES PERSON", "other");
        driver.Expect("Error", "Password does not match with the 'Repeat Password'. Please double check the value.");
        form.add->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(CountUsers(), 0);

        // Return in a field of the form adds, as the Add button would.
        form.Fill("Mary", "O'Brien", "mary", "pw", "SALES PERSON", "pw");
        QTest::keyClick(form.repeat, Qt::Key_Return);
        QCOMPARE(CountUsers("WHERE LAST_NAME = 'O''Brien' AND ROLE = 'SALES PERSON'"), 1);
        QVERIFY(form.first->text().isEmpty());
        QCOMPARE(form.role->currentIndex(), -1);

        // An administrator is reminded to note the password.
        form.Fill("Bob", "Lee", "bob", "pw2", "ADMIN", "pw2");
        driver.Expect("Password", "Please make a note of your password. In the next \n LOGIN session");
        form.add->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(CountUsers(), 2);

        // A login name that exists is refused by the server.
        form.Fill("Other", "Mary", "mary", "x", "SALES PERSON", "x");
        driver.Expect("Add User", "This user can not be added to system");
        form.add->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(CountUsers(), 2);
        QCOMPARE(form.table->model()->rowCount(), 2);

        // Selecting fills the names and the role; a stored password is never shown, and a
        // new one typed without its repeat is refused.
        form.repeat->clear();
        form.SelectLogin("mary");
        QVERIFY(form.update->isEnabled());
        QCOMPARE(form.login->text(), QStringLiteral("mary"));
        QVERIFY(form.password->text().isEmpty());
        QVERIFY(form.repeat->text().isEmpty());
        QCOMPARE(form.role->currentText(), QStringLiteral("SALES PERSON"));
        form.password->setText("new");
        driver.Expect("Error", "Password does not match");
        form.update->click();
        QVERIFY_DIALOGS(driver);

        // Both password fields left empty keep the stored password.
        form.password->clear();
        form.SelectLogin("mary");
        form.first->setText("Maria");
        form.update->click();
        QCOMPARE(CountUsers("WHERE FIRST_NAME = 'Maria'"), 1);
        QCOMPARE(int(UserAccounts::LogIn(CDBManager::Instance().GetInventoryDataBase(), "mary",
                                         "pw", nullptr)),
                 int(UserAccounts::LogInResult::LoggedIn));

        // After a save nothing is highlighted, and Update waits for a row again.
        QVERIFY(!form.update->isEnabled());
        form.SelectLogin("mary");
        form.first->clear();
        driver.Expect("Error", "Please enter valid data in all input boxes.");
        form.update->click();
        QVERIFY_DIALOGS(driver);

        // Deleting asks first, and the answer ready for Return is No. Return in the list
        // itself deletes nothing.
        form.SelectLogin("mary");
        QTest::keyClick(form.table, Qt::Key_Return);
        driver.Expect("Delete User", "Are you sure you want to remove this user from system?");
        form.remove->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(CountUsers(), 2);
        form.SelectLogin("mary");
        driver.Expect("Delete User", QString(), DialogDriver::Press("Yes"));
        form.remove->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(CountUsers(), 1);
    }

    void refusedChangesAreReported_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("update to a login name in use")
            << false << QString() << "Update User" << "This user can not be updated in the system";
        QTest::newRow("delete refused by the server")
            << true
            << "CREATE TRIGGER keep_users BEFORE DELETE ON tblUsers FOR EACH ROW "
               "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'kept'"
            << "Delete User" << "This user can not be removed from the system";
    }

    void refusedChangesAreReported()
    {
        QFETCH(bool, remove);
        QFETCH(QString, setUp);
        QFETCH(QString, title);
        QFETCH(QString, text);
        FreshDatabases dbs(FreshDatabases::Inventory);
        for (const char *login : {"anna", "mary"})
            QVERIFY(FreshDatabases::ExecAdmin(
                dbs.InventoryName(),
                QStringLiteral("INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, "
                               "ROLE) VALUES ('A', 'B', '%1', 'pw', 'SALES PERSON')")
                    .arg(login)));
        if (!setUp.isEmpty())
            QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(), setUp));
        ManageUsers dialog;
        dialog.show();
        UserForm form(dialog);
        form.SelectLogin("mary");
        DialogDriver driver;
        if (remove) {
            driver.Expect("Delete User", "Are you sure", DialogDriver::Press("Yes"))
                .Expect(title, text);
            form.remove->click();
        } else {
            form.login->setText("anna");
            driver.Expect(title, text);
            form.update->click();
        }
        QVERIFY_DIALOGS(driver);
        QCOMPARE(CountUsers("WHERE LOGIN_NAME = 'mary'"), 1);
        QCOMPARE(CountUsers(), 2);
    }

    // Any length and any character; what is stored reads as no password at all.
    void passwordsAreStoredAsHashes()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        ManageUsers dialog;
        UserForm form(dialog);
        const QString long_ = QString::fromUtf8("correct horse battery staple \xF0\x9F\x90\xB4");
        form.Fill("Ann", "Lee", "ann", long_, "SALES PERSON", long_);
        form.add->click();
        QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
        QVERIFY_SQL(query, exec("SELECT CONCAT(PASSWORD, '|', PASSWORD_HASH) FROM tblUsers"));
        QVERIFY(query.next());
        const QString stored = query.value(0).toString();
        QVERIFY2(stored.startsWith("|pbkdf2-sha256$") && !stored.contains("horse"),
                 qPrintable(stored));
        QCOMPARE(int(UserAccounts::LogIn(CDBManager::Instance().GetInventoryDataBase(), "ann",
                                         long_, nullptr)),
                 int(UserAccounts::LogInResult::LoggedIn));
    }

    // Accounts of an earlier release log in with their plain password once; it is then
    // replaced by its hash, and so is every other plain password left.
    void storedPasswords_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");
        QTest::newRow("plain, right") << "pw1" << int(UserAccounts::LogInResult::LoggedIn);
        QTest::newRow("plain, other case") << "PW1" << int(UserAccounts::LogInResult::Refused);
        QTest::newRow("plain, wrong") << "pw" << int(UserAccounts::LogInResult::Refused);
    }
    void storedPasswords()
    {
        QFETCH(QString, typed);
        QFETCH(int, result);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(FreshDatabases::ExecAdmin(
            dbs.InventoryName(), "INSERT INTO tblUsers (FIRST_NAME, LAST_NAME, LOGIN_NAME, "
                                 "PASSWORD, ROLE) VALUES ('A', 'B', 'anna', 'pw1', 'ADMIN'), "
                                 "('C', 'D', 'carl', 'pw2', 'SALES PERSON')"));
        QSqlDatabase db = CDBManager::Instance().GetInventoryDataBase();
        UserAccounts::User user;
        QCOMPARE(int(UserAccounts::LogIn(db, "anna", typed, &user)), result);
        const bool in = result == int(UserAccounts::LogInResult::LoggedIn);
        QCOMPARE(user.role, in ? QString("ADMIN") : QString());
        QCOMPARE(CountUsers("WHERE PASSWORD = '' AND PASSWORD_HASH LIKE 'pbkdf2-sha256$%'"),
                 in ? 2 : 0);
        // Either way the right password works, now and after it was hashed.
        for (int round = 0; round < 2; ++round)
            QCOMPARE(int(UserAccounts::LogIn(db, "anna", "pw1", nullptr)),
                     int(UserAccounts::LogInResult::LoggedIn));
        QCOMPARE(int(UserAccounts::LogIn(db, "carl", "pw2", nullptr)),
                 int(UserAccounts::LogInResult::LoggedIn));
        QCOMPARE(int(UserAccounts::LogIn(db, "carl", "pw1", nullptr)),
                 int(UserAccounts::LogInResult::Refused));
    }

    void passwordHashes_data()
    {
        const QByteArray salt("0123456789abcdef");
        const QString good = UserAccounts::HashPassword("secret", salt, 1000);
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("matches");
        QTest::newRow("right") << good << true;
        QTest::newRow("fresh salt") << UserAccounts::HashPassword("secret") << true;
        QTest::newRow("other password") << UserAccounts::HashPassword("Secret", salt, 1000) << false;
        QTest::newRow("cut short") << good.left(good.size() - 4) << false;
        QTest::newRow("other scheme") << QString(good).replace("sha256", "sha1") << false;
        QTest::newRow("trivial count") << QString(good).replace("$1000$", "$1$") << false;
        QTest::newRow("plain text") << "secret" << false;
        QTest::newRow("empty") << "" << false;
    }
    void passwordHashes()
    {
        QFETCH(QString, stored);
        QFETCH(bool, matches);
        QCOMPARE(UserAccounts::PasswordMatches(stored, "secret"), matches);
    }
};

QUILLBOX_TEST_MAIN(TestAccounts)
#include "tst_accounts.moc"
