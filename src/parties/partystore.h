#pragma once

#include <QSqlDatabase>
#include <QString>

// Reads and writes of the category, vendor and customer tables, apart from the dialogs so
// that the rules (case-insensitive category names, no deleting what stock still refers to)
// can be checked without a window. Table and column names come from these constants only;
// every value is bound.
namespace PartyStore {

constexpr const char *CategoriesTable = "tblProductCategories";
constexpr const char *VendorsTable = "tblVendors";
constexpr const char *CustomersTable = "tblCustomers";

enum class Result {
    Done,
    Duplicate, // a category of that name (ignoring case) exists
    InUse,     // products or stock batches still refer to the row
    Failed     // the server refused for another reason (logged)
};

// The four texts of a vendor or customer row.
struct Party
{
    QString name;
    QString address;
    QString email;
    QString contact;
};

// Stores a new vendor or customer row (table is VendorsTable or CustomersTable).
Result AddParty(const QSqlDatabase &db, const char *table, const Party &party);
Result UpdateParty(const QSqlDatabase &db, const char *table, int id, const Party &party);

// The list filter of the vendor and customer dialogs: rows whose name, address, e-mail or
// contact number contain the text, matched literally (quotes, %, _ and \ included).
// Empty for an empty text, which shows every row.
QString ContainsFilter(const QSqlDatabase &db, const QString &text);

// Categories whose name equals this one when both are lower-cased; -1 when the count fails.
int CountCategoriesNamed(const QSqlDatabase &db, const QString &name);

Result AddCategory(const QSqlDatabase &db, const QString &name);
Result RenameCategory(const QSqlDatabase &db, int id, const QString &name);

// Products of a category, stock batches of a vendor; -1 when the count fails.
int CountProductsOfCategory(const QSqlDatabase &db, int id);
int CountBatchesOfVendor(const QSqlDatabase &db, int id);

// InUse while products belong to the category, Done once the row is gone.
Result DeleteCategory(const QSqlDatabase &db, int id);
// InUse while stock batches come from the vendor, Done once the row is gone. A vendor that
// purchase orders still name is kept too, reported as Failed.
Result DeleteVendor(const QSqlDatabase &db, int id);
Result DeleteCustomer(const QSqlDatabase &db, int id);

// The bare delete by ID; the server's foreign-key refusal comes back as InUse with the row
// left in place. The checks above run first, this catches whatever slips in between.
Result DeleteById(const QSqlDatabase &db, const char *table, int id);

} // namespace PartyStore
