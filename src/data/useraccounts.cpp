#include "useraccounts.h"
#include "sqlutil.h"

#include "dbmanager.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

namespace UserAccounts {

namespace {
const QLatin1String kScheme("pbkdf2-sha256");
// Slow enough to make guessing from a stolen backup expensive, quick enough for a login.
constexpr int kIterations = 120000;
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;

QByteArray Key(const QString &password, const QByteArray &salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, kKeyBytes);
}

// Every byte compared, so the time taken tells nothing about how much matched.
bool SameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

bool StoreHash(QSqlDatabase db, int userId, const QString &hash, const QString *plainBefore)
{
    SqlQuery query(db);
    // The plain column is emptied in the same statement; with the old text given, a password
    // changed meanwhile by another till is left alone.
    query.prepare(plainBefore
                      ? QStringLiteral("UPDATE tblUsers SET PASSWORD_HASH = :hash, PASSWORD = '' "
                                       "WHERE ID = :id AND PASSWORD = BINARY :plain")
                      : QStringLiteral("UPDATE tblUsers SET PASSWORD_HASH = :hash, PASSWORD = '' "
                                       "WHERE ID = :id"));
    query.bindValue(QStringLiteral(":hash"), hash);
    query.bindValue(QStringLiteral(":id"), userId);
    if (plainBefore)
        query.bindValue(QStringLiteral(":plain"), *plainBefore);
    if (!query.exec()) {
        LogSqlError(query.lastError());
        return false;
    }
    return true;
}
} // namespace

QString HashPassword(const QString &password)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator *random = QRandomGenerator::system();
    for (char &byte : salt)
        byte = static_cast<char>(random->bounded(256));
    return HashPassword(password, salt, kIterations);
}

QString HashPassword(const QString &password, const QByteArray &salt, int iterations)
{
    return QStringList{kScheme, QString::number(iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(Key(password, salt, iterations).toBase64())}
        .join(QLatin1Char('$'));
}

bool PasswordMatches(const QString &storedHash, const QString &password)
{
    const QStringList parts = storedHash.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts.at(0) != kScheme)
        return false;
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    // A damaged count must neither hang the login nor make the check trivial.
    if (!ok || iterations < 1000 || iterations > 10000000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray key = QByteArray::fromBase64(parts.at(3).toLatin1());
    if (salt.isEmpty() || key.size() != kKeyBytes)
        return false;
    return SameBytes(Key(password, salt, iterations), key);
}

bool HasHashColumn(QSqlDatabase db)
{
    return db.record(QStringLiteral("tblUsers")).indexOf(QStringLiteral("PASSWORD_HASH")) >= 0;
}

LogInResult LogIn(QSqlDatabase db, const QString &loginName, const QString &password, User *user)
{
    // A schema that has not received its upgrade yet still lets its users in.
    const bool hashes = HasHashColumn(db);
    SqlQuery query(db);
    query.prepare(QStringLiteral("SELECT ID, FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, ROLE, ")
                  + (hashes ? QStringLiteral("PASSWORD_HASH") : QStringLiteral("NULL"))
                  + QStringLiteral(" FROM tblUsers WHERE LOGIN_NAME = :login"));
    query.bindValue(QStringLiteral(":login"), loginName);
    if (!query.exec()) {
        LogSqlError(query.lastError());
        return LogInResult::Failed;
    }
    if (!query.next())
        return LogInResult::Refused;
    const int id = query.value(0).toInt();
    const QString plain = query.value(4).toString();
    const QString hash = query.value(6).toString();
    if (!hash.isEmpty()) {
        if (!PasswordMatches(hash, password))
            return LogInResult::Refused;
    } else {
        // An account from an earlier release. Compared exactly: letter case counts in a
        // password, whatever the column's collation says.
        if (plain.isEmpty() || plain != password)
            return LogInResult::Refused;
        if (hashes)
            StoreHash(db, id, HashPassword(password), &plain);
    }
    if (user) {
        user->id = id;
        user->firstName = query.value(1).toString();
        user->lastName = query.value(2).toString();
        user->loginName = query.value(3).toString();
        user->role = query.value(5).toString();
    }
    if (hashes)
        HashPlainPasswords(db);
    return LogInResult::LoggedIn;
}

bool SetPassword(QSqlDatabase db, int userId, const QString &password)
{
    return StoreHash(db, userId, HashPassword(password), nullptr);
}

int HashPlainPasswords(QSqlDatabase db)
{
    SqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT ID, PASSWORD FROM tblUsers WHERE PASSWORD <> '' AND "
                                   "(PASSWORD_HASH IS NULL OR PASSWORD_HASH = '')"))) {
        LogSqlError(query.lastError());
        return -1;
    }
    int changed = 0;
    while (query.next()) {
        const QString plain = query.value(1).toString();
        if (StoreHash(db, query.value(0).toInt(), HashPassword(plain), &plain))
            ++changed;
    }
    return changed;
}

} // namespace UserAccounts
