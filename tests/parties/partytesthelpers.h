#pragma once

// Small helpers the parties tests share: seeding rows with bound values and reading them back.

#include "dbmanager.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

namespace PartyTest {

inline QSqlDatabase &Db()
{
    return CDBManager::Instance().GetInventoryDataBase();
}

// Runs a statement with positional values bound; the new row's ID, or -1.
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

inline QStringList Column(const QString &sql)
{
    QStringList values;
    QSqlQuery query(Db());
    if (query.exec(sql)) {
        while (query.next())
            values << query.value(0).toString();
    }
    return values;
}

inline int AddCategory(const QString &name)
{
    return Exec(QStringLiteral("INSERT INTO tblProductCategories (NAME) VALUES (?)"), {name});
}

inline int AddProduct(int categoryId, const QString &code)
{
    return Exec(QStringLiteral("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, "
                               "ITEMS_PER_UNIT) VALUES (?, ?, ?, 1)"),
                {categoryId, code, code});
}

// A party row in tblVendors or tblCustomers.
inline int AddParty(const QString &table, const QString &name, const QString &address = QString(),
                    const QString &email = QString(), const QString &contact = QString())
{
    return Exec(QStringLiteral("INSERT INTO ") + table
                    + QStringLiteral(" (NAME, ADDRESS, EMAIL, CONTACT_NUMBER) VALUES (?, ?, ?, ?)"),
                {name, address, email, contact});
}

inline int AddBatch(int productId, int vendorId, const QString &barCode)
{
    return Exec(QStringLiteral("INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, "
                               "BATCH_NUMBER, EXPIRY_DATE, PURCHASE_PRICE, SALE_PRICE, QUANTITY, "
                               "SUB_ITEMS, SHOW_ON_POS, DISCOUNT) "
                               "VALUES (?, ?, ?, 'B1', '2030-01-01', 1, 2, 5, 0, 0, 0)"),
                {productId, vendorId, barCode});
}

inline int AddPurchaseOrder(int vendorId)
{
    return Exec(QStringLiteral("INSERT INTO tblPOrders (VENDOR_ID, STATUS) VALUES (?, 'DRAFT')"),
                {vendorId});
}

} // namespace PartyTest
