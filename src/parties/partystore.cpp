#include "partystore.h"

#include "dbmanager.h"
#include "sqlutil.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace PartyStore {

namespace {

// Runs a one-number count with a single bound value; -1 when it cannot run.
int CountWhere(const QSqlDatabase &db, const QString &sql, const QVariant &value)
{
    SqlQuery query(db);
    if (!query.prepare(sql)) {
        LogSqlError(query.lastError());
        return -1;
    }
    query.bindValue(QStringLiteral(":value"), value);
    if (!ExecLogged(query) || !query.next())
        return -1;
    return query.value(0).toInt();
}

Result WriteResult(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    LogSqlError(error);
    switch (NativeErrorCode(error)) {
    case MariaDbError::DuplicateKey:
        return Result::Duplicate;
    case MariaDbError::RowIsReferenced:
        return Result::InUse;
    default:
        return Result::Failed;
    }
}

} // namespace

Result AddParty(const QSqlDatabase &db, const char *table, const Party &party)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO ") + QLatin1String(table)
                  + QStringLiteral(" (NAME, ADDRESS, EMAIL, CONTACT_NUMBER) "
                                   "VALUES (:name, :address, :email, :contact)"));
    query.bindValue(QStringLiteral(":name"), party.name);
    query.bindValue(QStringLiteral(":address"), party.address);
    query.bindValue(QStringLiteral(":email"), party.email);
    query.bindValue(QStringLiteral(":contact"), party.contact);
    return query.exec() ? Result::Done : WriteResult(query);
}

Result UpdateParty(const QSqlDatabase &db, const char *table, int id, const Party &party)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE ") + QLatin1String(table)
                  + QStringLiteral(" SET NAME = :name, ADDRESS = :address, EMAIL = :email, "
                                   "CONTACT_NUMBER = :contact WHERE ID = :id"));
    query.bindValue(QStringLiteral(":name"), party.name);
    query.bindValue(QStringLiteral(":address"), party.address);
    query.bindValue(QStringLiteral(":email"), party.email);
    query.bindValue(QStringLiteral(":contact"), party.contact);
    query.bindValue(QStringLiteral(":id"), id);
    return query.exec() ? Result::Done : WriteResult(query);
}

QString ContainsFilter(const QSqlDatabase &db, const QString &text)
{
    if (text.isEmpty())
        return QString();
    const QString pattern = SqlLiteral(db, LikeContains(text));
    return QStringLiteral("NAME LIKE ") + pattern + QStringLiteral(" OR ADDRESS LIKE ") + pattern
           + QStringLiteral(" OR EMAIL LIKE ") + pattern + QStringLiteral(" OR CONTACT_NUMBER LIKE ")
           + pattern;
}

int CountCategoriesNamed(const QSqlDatabase &db, const QString &name)
{
    return CountWhere(db,
                      QStringLiteral("SELECT Count(*) FROM tblProductCategories "
                                     "WHERE lower(NAME) = lower(:value)"),
                      name);
}

Result AddCategory(const QSqlDatabase &db, const QString &name)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO tblProductCategories (NAME) VALUES (:name)"));
    query.bindValue(QStringLiteral(":name"), name);
    return query.exec() ? Result::Done : WriteResult(query);
}

Result RenameCategory(const QSqlDatabase &db, int id, const QString &name)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE tblProductCategories SET NAME = :name WHERE ID = :id"));
    query.bindValue(QStringLiteral(":name"), name);
    query.bindValue(QStringLiteral(":id"), id);
    return query.exec() ? Result::Done : WriteResult(query);
}

int CountProductsOfCategory(const QSqlDatabase &db, int id)
{
    return CountWhere(db, QStringLiteral("SELECT Count(*) FROM tblProducts WHERE CATEGORY_ID = :value"),
                      id);
}

int CountBatchesOfVendor(const QSqlDatabase &db, int id)
{
    return CountWhere(db, QStringLiteral("SELECT Count(*) FROM tblInventory WHERE VENDOR_ID = :value"),
                      id);
}

Result DeleteCategory(const QSqlDatabase &db, int id)
{
    const int products = CountProductsOfCategory(db, id);
    if (products < 0)
        return Result::Failed; // unknown whether products exist: keep the row
    if (products > 0)
        return Result::InUse;
    return DeleteById(db, CategoriesTable, id);
}

Result DeleteVendor(const QSqlDatabase &db, int id)
{
    const int batches = CountBatchesOfVendor(db, id);
    if (batches < 0)
        return Result::Failed;
    if (batches > 0)
        return Result::InUse;
    const Result result = DeleteById(db, VendorsTable, id);
    // Purchase orders refer to vendors as well; only batches earn the stock message.
    if (result == Result::InUse && CountBatchesOfVendor(db, id) == 0)
        return Result::Failed;
    return result;
}

Result DeleteCustomer(const QSqlDatabase &db, int id)
{
    // Sales keep the customer's name with them, so nothing refers to the row.
    return DeleteById(db, CustomersTable, id);
}

Result DeleteById(const QSqlDatabase &db, const char *table, int id)
{
    SqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM ") + QLatin1String(table)
                  + QStringLiteral(" WHERE ID = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec())
        return WriteResult(query);
    return Result::Done;
}

} // namespace PartyStore
