#pragma once

// Seeding and reading rows for the catalogue tests, always with bound values.

#include "dbmanager.h"

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace CatalogueTest {

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

inline int AddProduct(int categoryId, const QString &code, const QString &name,
                      double taxRate = 0, int itemsPerUnit = 1)
{
    return Exec(QStringLiteral("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, "
                               "ITEMS_PER_UNIT, TAX_RATE) VALUES (?, ?, ?, ?, ?)"),
                {categoryId, code, name, itemsPerUnit, taxRate});
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

template <typename T>
T *Child(QWidget *parent, const char *name)
{
    T *child = parent->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qWarning("no child %s", name);
    return child;
}

} // namespace CatalogueTest
