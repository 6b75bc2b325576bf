#pragma once

// Shop-sized catalogues for scale tests and benchmarks, filled in bulk with the server's
// sequence engine (one statement per table, not row by row).

#include "testsupport.h"

#include <QStringList>

namespace QuillboxTest {

// Fills a fresh inventory schema with 50 categories, 20 vendors, `products` products named
// "Product <n>" with codes "P<n>", and `batches` batches with barcodes "B<n>" (batch n belongs
// to product 1 + n % products, vendor 1 + n % 20, expiring over 1,500 days from 2030-01-01).
inline bool FillCatalogue(const QString &schema, int products, int batches, QString *error)
{
    const QStringList fill = {
        "INSERT INTO tblProductCategories (NAME) SELECT CONCAT('Category ', seq) FROM seq_1_to_50",
        "INSERT INTO tblVendors (NAME) SELECT CONCAT('Vendor ', seq) FROM seq_1_to_20",
        QStringLiteral("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, "
                       "TAX_RATE) SELECT 1 + seq % 50, CONCAT('P', seq), CONCAT('Product ', seq), "
                       "1, 0 FROM seq_1_to_%1")
            .arg(products),
        QStringLiteral("INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, "
                       "EXPIRY_DATE, PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, "
                       "DISCOUNT) SELECT 1 + seq % %1, 1 + seq % 20, CONCAT('B', seq), "
                       "CONCAT('L', seq % 97), '2030-01-01' + INTERVAL (seq % 1500) DAY, 1, 2, 10, "
                       "0, 0, 0 FROM seq_1_to_%2")
            .arg(products)
            .arg(batches),
        "ANALYZE TABLE tblProductCategories, tblVendors, tblProducts, tblInventory"};
    for (const QString &sql : fill) {
        if (!FreshDatabases::ExecAdmin(schema, sql, error))
            return false;
    }
    return true;
}

} // namespace QuillboxTest
