#pragma once

// Seeding and reading rows of the inventory database for tests, always with bound values.

#include "dbmanager.h"

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace QuillboxTest {
namespace Seed {


inline QSqlDatabase &Db()
{
    return CDBManager::Instance().GetInventoryDataBase();
}

// Runs a statement with positional values bound; the new row's ID, 0 without one, -1 on failure.
inline int Exec(const QString &sql, const QVariantList &values = {})
{
    QSqlQuery query(Db());
    if (!query.prepare(sql))
        return -1;
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning("%s", qPrintable(query.lastError().text()));
        return -1;
    }
    return query.lastInsertId().isValid() ? query.lastInsertId().toInt() : 0;
}

inline QVariant Value(const QString &sql, const QVariantList &values = {})
{
    QSqlQuery query(Db());
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return QVariant();
    return query.value(0);
}

inline QStringList Column(const QString &sql, const QVariantList &values = {})
{
    QStringList result;
    QSqlQuery query(Db());
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (query.exec()) {
        while (query.next())
            result << query.value(0).toString();
    }
    return result;
}

inline int AddCategory(const QString &name)
{
    return Exec(QStringLiteral("INSERT INTO tblProductCategories (NAME) VALUES (?)"), {name});
}

inline int AddVendor(const QString &name)
{
    return Exec(QStringLiteral("INSERT INTO tblVendors (NAME) VALUES (?)"), {name});
}

// A product named after its code unless a name is given.
inline int AddProduct(int categoryId, const QString &code, const QString &name = QString(),
                      double taxRate = 0, int itemsPerUnit = 1)
{
    return Exec(QStringLiteral("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, "
                               "ITEMS_PER_UNIT, TAX_RATE) VALUES (?, ?, ?, ?, ?)"),
                {categoryId, code, name.isEmpty() ? code : name, itemsPerUnit, taxRate});
}

inline int AddBatch(int productId, int vendorId, const QString &barCode, int quantity = 10,
                    const QString &expiry = QStringLiteral("2030-06-15"))
{
    return Exec(QStringLiteral("INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, "
                               "BATCH_NUMBER, EXPIRY_DATE, STORAGE_LOCATION, PURCHASE_PRICE, "
                               "SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, DISCOUNT) "
                               "VALUES (?, ?, ?, 'L1', ?, 'Shelf 1', 1.5, 2.5, ?, 0, 1, 0)"),
                {productId, vendorId, barCode, expiry, quantity});
}

// A party row in tblVendors or tblCustomers (the table name comes from the test, not a user).
inline int AddParty(const QString &table, const QString &name, const QString &address = QString(),
                    const QString &email = QString(), const QString &contact = QString())
{
    return Exec(QStringLiteral("INSERT INTO ") + table
                    + QStringLiteral(" (NAME, ADDRESS, EMAIL, CONTACT_NUMBER) VALUES (?, ?, ?, ?)"),
                {name, address, email, contact});
}

inline int AddPurchaseOrder(int vendorId)
{
    return Exec(QStringLiteral("INSERT INTO tblPOrders (VENDOR_ID, STATUS) VALUES (?, 'DRAFT')"),
                {vendorId});
}

template <typename T>
T *Child(QWidget *parent, const char *name)
{
    T *child = parent->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qWarning("no child %s", name);
    return child;
}

} // namespace Seed
} // namespace QuillboxTest
