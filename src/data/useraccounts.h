#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

// User passwords: stored as a salted, slow hash in tblUsers.PASSWORD_HASH, never as text.
// Accounts written by an earlier release carry a plain PASSWORD; it logs in once and is then
// replaced by its hash.
namespace UserAccounts {

// "pbkdf2-sha256$<iterations>$<salt>$<key>", salt and key in base64.
QString HashPassword(const QString &password);
QString HashPassword(const QString &password, const QByteArray &salt, int iterations);
// False for anything but a well-formed hash of exactly this password.
bool PasswordMatches(const QString &storedHash, const QString &password);

// Whether the schema keeps hashes yet (its upgrade adds the column).
bool HasHashColumn(QSqlDatabase db);

struct User {
    int id = 0;
    QString firstName;
    QString lastName;
    QString loginName;
    QString role;
};

enum class LogInResult { LoggedIn, Refused, Failed };
// Checks a login name (compared as the server compares names) and a password (compared
// exactly). Plain passwords left by an earlier release are hashed on the way.
LogInResult LogIn(QSqlDatabase db, const QString &loginName, const QString &password, User *user);

// Stores a new password for one account; true when the server took it.
bool SetPassword(QSqlDatabase db, int userId, const QString &password);

// Replaces every plain password still stored by its hash, so that nothing readable is left
// for a backup to carry. The number of accounts changed, or -1 on failure.
int HashPlainPasswords(QSqlDatabase db);

} // namespace UserAccounts
