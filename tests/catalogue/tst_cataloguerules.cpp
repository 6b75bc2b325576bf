#include "testsupport.h"

#include "appsettings.h"
#include "cataloguerules.h"

#include <QSettings>

using namespace Catalogue;

namespace {
const QString kCodeInvalid =
    QStringLiteral("Product Code ( %1 ) is invalid. Please enter valid Product Code");
const QString kNameInvalid =
    QStringLiteral("Error: Product Name ( %1 ) Please enter valid product name");
const QString kItemsPattern = QStringLiteral("Error: Please enter valid Items Per Unit value");
const QString kItemsZero =
    QStringLiteral("Error: Items Per Unit value can not be '0'. Minimum value could be '1'.");
const QString kRateInvalid =
    QStringLiteral("Tax rate is invalid. Please enter numeric (0 to 99.99) value.");
const QString kNoCategory = QStringLiteral("Error: Please select a product category");

ProductForm ValidProduct()
{
    ProductForm form;
    form.autoGenerate = false;
    form.code = QStringLiteral("P100");
    form.name = QStringLiteral("Aspirin");
    form.itemsPerUnit = QStringLiteral("1");
    form.category = QStringLiteral("Medicine");
    return form;
}

BatchForm ValidBatch()
{
    BatchForm form;
    form.barCode = QStringLiteral("B100");
    form.expiryDate = QDate(2030, 1, 31);
    form.quantity = QStringLiteral("10");
    form.salePrice = QStringLiteral("2.50");
    form.purchasePrice = QStringLiteral("1.25");
    form.discount = QStringLiteral("0");
    form.vendorIndex = 0;
    form.subItems = QStringLiteral("0");
    return form;
}
} // namespace

class TestCatalogueRules : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }

    void productCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("valid");
        QTest::newRow("letters digits underscore") << "Ab_09" << true;
        QTest::newRow("one character") << "7" << true;
        QTest::newRow("twenty characters") << QString(20, QLatin1Char('x')) << true;
        QTest::newRow("twenty-one characters") << QString(21, QLatin1Char('x')) << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("hyphen") << "AB-1" << false;
        QTest::newRow("space") << "AB 1" << false;
        QTest::newRow("apostrophe") << "O'B" << false;
        QTest::newRow("trailing line break") << "AB1\n" << false;
        QTest::newRow("non-ASCII letter") << QStringLiteral("\u00c4B1") << false;
    }
    void productCode()
    {
        QFETCH(QString, code);
        QFETCH(bool, valid);
        QCOMPARE(IsValidProductCode(code), valid);
        // Batch barcodes follow the same rule.
        QCOMPARE(IsValidBarCode(code), valid);
    }

    void itemsPerUnit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("one") << "1" << QString();
        QTest::newRow("largest int") << "2147483647" << QString();
        QTest::newRow("zero") << "0" << kItemsZero;
        QTest::newRow("double zero") << "00" << kItemsZero;
        QTest::newRow("lone underscore") << "_" << kItemsZero;
        QTest::newRow("underscore inside") << "1_0" << kItemsZero;
        QTest::newRow("ten digits beyond 32 bits") << "4294967296" << kItemsZero;
        QTest::newRow("just beyond int") << "2147483648" << kItemsZero;
        QTest::newRow("eleven digits") << "12345678901" << kItemsPattern;
        QTest::newRow("empty") << "" << kItemsPattern;
        QTest::newRow("negative") << "-1" << kItemsPattern;
        QTest::newRow("decimal") << "1.5" << kItemsPattern;
    }
    void itemsPerUnit()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        ProductForm form = ValidProduct();
        form.itemsPerUnit = text;
        QCOMPARE(CheckProductForm(form), message);
    }

    void productFormOrder_data()
    {
        QTest::addColumn<bool>("autoGenerate");
        QTest::addColumn<bool>("editMode");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("items");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("message");
        QTest::newRow("valid") << false << false << "P1" << "N" << "1" << false << "" << "C"
                               << QString();
        QTest::newRow("code checked before all else")
            << false << false << "bad code" << "" << "0" << true << "100" << "" << kCodeInvalid.arg("bad code");
        QTest::newRow("auto generate ignores the code")
            << true << false << "bad code" << "N" << "1" << false << "" << "C" << QString();
        QTest::newRow("auto generate, empty code") << true << false << "" << "N" << "1" << false
                                                   << "" << "C" << QString();
        QTest::newRow("update checks the code with auto generate")
            << true << true << "bad code" << "N" << "1" << false << "" << "C" << kCodeInvalid.arg("bad code");
        QTest::newRow("update checks the code without auto generate")
            << false << true << "AB-1" << "N" << "1" << false << "" << "C" << kCodeInvalid.arg("AB-1");
        QTest::newRow("update never writes a blank code")
            << true << true << " " << "N" << "1" << false << "" << "C" << kCodeInvalid.arg(" ");
        QTest::newRow("name before items") << false << false << "P1" << "" << "0" << false << ""
                                           << "C" << kNameInvalid.arg("");
        QTest::newRow("items before rate") << false << false << "P1" << "N" << "0" << true
                                           << "100" << "C" << kItemsZero;
        QTest::newRow("rate 100") << false << false << "P1" << "N" << "1" << true << "100" << "C"
                                  << kRateInvalid;
        QTest::newRow("rate three decimals") << false << false << "P1" << "N" << "1" << true
                                             << "7.555" << "C" << kRateInvalid;
        QTest::newRow("rate empty") << false << false << "P1" << "N" << "1" << true << "" << "C"
                                    << kRateInvalid;
        QTest::newRow("rate 99.99") << false << false << "P1" << "N" << "1" << true << "99.99"
                                    << "C" << QString();
        QTest::newRow("rate 0") << false << false << "P1" << "N" << "1" << true << "0" << "C"
                                << QString();
        QTest::newRow("rate 7.5") << false << false << "P1" << "N" << "1" << true << "7.5" << "C"
                                  << QString();
        QTest::newRow("rate not checked without custom")
            << false << false << "P1" << "N" << "1" << false << "abc" << "C" << QString();
        QTest::newRow("category last") << false << false << "P1" << "N" << "1" << true << "5"
                                       << "" << kNoCategory;
    }
    void productFormOrder()
    {
        ProductForm form;
        QFETCH(bool, autoGenerate);
        QFETCH(bool, editMode);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, items);
        QFETCH(bool, custom);
        QFETCH(QString, rate);
        QFETCH(QString, category);
        QFETCH(QString, message);
        form.autoGenerate = autoGenerate;
        form.editMode = editMode;
        form.code = code;
        form.name = name;
        form.itemsPerUnit = items;
        form.customRate = custom;
        form.customRateText = rate;
        form.category = category;
        QCOMPARE(CheckProductForm(form), message);
    }

    void taxRateTable_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("c");
        QTest::addColumn<float>("rate");
        QTest::addColumn<QString>("label");
        QTest::newRow("matches A") << "5" << "7.5" << "10" << 5.0f << "A - 5 %";
        QTest::newRow("matches C") << "5" << "7.5" << "10" << 10.0f << "C - 10 %";
        QTest::newRow("decimal rate") << "5" << "7.5" << "10" << 7.5f << "B - 7.5 %";
        QTest::newRow("A and B equal: A wins") << "8" << "8" << "1" << 8.0f << "A - 8 %";
        QTest::newRow("B and C equal: B wins") << "1" << "8" << "8" << 8.0f << "B - 8 %";
        QTest::newRow("no match") << "5" << "7.5" << "10" << 6.25f << "";
        QTest::newRow("defaults are zero") << "0" << "0" << "0" << 0.0f << "A - 0 %";
    }
    void taxRateTable()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, c);
        QFETCH(float, rate);
        QFETCH(QString, label);
        const TaxRateTable table(a, b, c);
        QCOMPARE(table.Labels(), QStringList({"A - " + a + " %", "B - " + b + " %",
                                              "C - " + c + " %"}));
        QCOMPARE(table.LabelFor(rate), label);
        if (!label.isEmpty())
            QCOMPARE(table.Rate(label), rate);
        QCOMPARE(table.Rate(QStringLiteral("D - 1 %")), 0.0f);
    }

    void taxRatesFromSettings()
    {
        QSettings *settings = AppSettings::Instance().Settings();
        settings->setValue("SALES_TAX_RATE_A", "5");
        settings->setValue("SALES_TAX_RATE_C", "12.5");
        const TaxRateTable table = TaxRateTable::FromSettings();
        QCOMPARE(table.Labels(), QStringList({"A - 5 %", "B - 0 %", "C - 12.5 %"}));
        QCOMPARE(table.Rate("C - 12.5 %"), 12.5f);
    }

    void batchForm_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString barcode =
            "Barcode ( %1 ) is invalid. Please enter valid Barcode (1 to 20 digits)";
        const QString quantity = "Error: Please enter numeric value for Quantity.";
        const QString sale = "Error: Please enter valid value for Sale price.";
        const QString purchase = "Error: Please enter valid value for Purchase price.";
        const QString discount = "Discount is invalid. Please enter numeric value (0 to 99.99).";
        const QString subItems = "Please enter numeric value for sub items.";
        QTest::newRow("valid") << "" << "" << QString();
        QTest::newRow("barcode 21 characters") << "barCode" << QString(21, 'x')
                                               << barcode.arg(QString(21, 'x'));
        QTest::newRow("barcode hyphen") << "barCode" << "A-1" << barcode.arg("A-1");
        QTest::newRow("barcode space") << "barCode" << "A 1" << barcode.arg("A 1");
        QTest::newRow("no expiry") << "expiry" << "" << "Error: Please select valid expiry date.";
        QTest::newRow("quantity empty") << "quantity" << "" << quantity;
        QTest::newRow("quantity eleven digits") << "quantity" << "12345678901" << quantity;
        QTest::newRow("quantity beyond 32 bits refused, not stored as 0")
            << "quantity" << "4294967296" << quantity;
        QTest::newRow("quantity largest int") << "quantity" << "2147483647" << QString();
        QTest::newRow("sale price three decimals") << "salePrice" << "1.005" << sale;
        QTest::newRow("sale price twenty digits") << "salePrice" << QString(20, '9') << QString();
        QTest::newRow("sale price comma") << "salePrice" << "1,50" << sale;
        QTest::newRow("purchase price three decimals") << "purchasePrice" << "0.125" << purchase;
        QTest::newRow("discount 100") << "discount" << "100" << discount;
        QTest::newRow("discount 99.99") << "discount" << "99.99" << QString();
        QTest::newRow("discount negative") << "discount" << "-1" << discount;
        QTest::newRow("no vendor") << "vendor" << "-1"
                                   << "Please select vendor from existing list or add new vendor.";
        QTest::newRow("sub items empty") << "subItems" << "" << subItems;
        QTest::newRow("sub items beyond 32 bits") << "subItems" << "9999999999" << subItems;
    }
    void batchForm()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        BatchForm form = ValidBatch();
        if (field == "barCode") form.barCode = value;
        if (field == "expiry") form.expiryDate = QDate();
        if (field == "quantity") form.quantity = value;
        if (field == "salePrice") form.salePrice = value;
        if (field == "purchasePrice") form.purchasePrice = value;
        if (field == "discount") form.discount = value;
        if (field == "vendor") form.vendorIndex = value.toInt();
        if (field == "subItems") form.subItems = value;
        QCOMPARE(CheckBatchForm(form), message);
    }

    void batchChecksRunInOrder()
    {
        // Every field wrong: each fix reveals the next message in turn.
        BatchForm form;
        form.barCode = "bad code";
        form.quantity = "x";
        form.salePrice = "x";
        form.purchasePrice = "x";
        form.discount = "x";
        form.subItems = "x";
        QStringList seen;
        const BatchForm valid = ValidBatch();
        for (int step = 0; step < 9; ++step) {
            const QString message = CheckBatchForm(form);
            seen << message.left(20);
            switch (step) {
            case 0: form.barCode = valid.barCode; break;
            case 1: form.expiryDate = valid.expiryDate; break;
            case 2: form.quantity = valid.quantity; break;
            case 3: form.salePrice = valid.salePrice; break;
            case 4: form.purchasePrice = valid.purchasePrice; break;
            case 5: form.discount = valid.discount; break;
            case 6: form.vendorIndex = 0; break;
            case 7: form.subItems = valid.subItems; break;
            }
        }
        QCOMPARE(seen, QStringList({"Barcode ( bad code )", "Error: Please select",
                                    "Error: Please enter ", "Error: Please enter ",
                                    "Error: Please enter ", "Discount is invalid.",
                                    "Please select vendor", "Please enter numeric", ""}));
    }

    void parseDisplayDate_data()
    {
        QTest::addColumn<QString>("dateOrder");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QDate>("date");
        QTest::newRow("year first") << "YYYY/MM/DD" << "2031-02-03" << QDate(2031, 2, 3);
        QTest::newRow("month first") << "MM/DD/YYYY" << "02-03-2031" << QDate(2031, 2, 3);
        QTest::newRow("day first") << "DD/MM/YYYY" << "03-02-2031" << QDate(2031, 2, 3);
        QTest::newRow("ISO read in any order") << "DD/MM/YYYY" << "2031-02-03" << QDate(2031, 2, 3);
        QTest::newRow("zero date") << "DD/MM/YYYY" << "00-00-0000" << QDate();
        QTest::newRow("empty") << "MM/DD/YYYY" << "" << QDate();
    }
    void parseDisplayDate()
    {
        QFETCH(QString, dateOrder);
        QFETCH(QString, shown);
        QFETCH(QDate, date);
        const QString format = AppSettings::QtFormatForDateOrder(dateOrder);
        QCOMPARE(ParseDisplayDate(shown, format), date);
        if (date.isValid() && !shown.startsWith("2031"))
            QCOMPARE(date.toString(format), shown);
    }

    void expiryExpressionFollowsDateOrder_data()
    {
        QTest::addColumn<QString>("dateOrder");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("format");
        QTest::newRow("year first") << "YYYY/MM/DD" << "'%Y-%m-%d'" << "yyyy-MM-dd";
        QTest::newRow("month first") << "MM/DD/YYYY" << "'%m-%d-%Y'" << "MM-dd-yyyy";
        QTest::newRow("day first") << "DD/MM/YYYY" << "'%d-%m-%Y'" << "dd-MM-yyyy";
        // An unknown order must not break the list statement.
        QTest::newRow("unknown order") << "D.M.Y" << "'%Y-%m-%d'" << "yyyy-MM-dd";
    }
    void expiryExpressionFollowsDateOrder()
    {
        QFETCH(QString, dateOrder);
        QFETCH(QString, pattern);
        QFETCH(QString, format);
        AppSettings::Instance().Settings()->setValue("DATE_FORMAT", dateOrder);
        AppSettings::Instance().RefreshDisplayDateFormat();
        QCOMPARE(ExpiryDisplayExpression(),
                 " DATE_FORMAT(i.EXPIRY_DATE," + pattern + ") as 'Expiry Date'");
        QCOMPARE(ExpiryDisplayFormat(), format);
    }

    void searchQueries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("bound");
        QTest::addColumn<QString>("status");
        QTest::newRow("name") << "Tea" << "" << " AND p.NAME LIKE :pattern" << "%Tea%"
                              << "Search results based on Name. ";
        QTest::newRow("name wins over code") << "Tea" << "T1" << " AND p.NAME LIKE :pattern"
                                             << "%Tea%" << "Search results based on Name. ";
        QTest::newRow("code") << "" << "T1" << " AND p.PRODUCT_CODE LIKE :pattern" << "%T1%"
                              << "Search results based on Product Code.";
        QTest::newRow("wildcards and quotes stay text")
            << "O'Brien 50% _\\" << "" << " AND p.NAME LIKE :pattern" << "%O'Brien 50\\% \\_\\\\%"
            << "Search results based on Name. ";
        QTest::newRow("nothing") << "" << "" << " AND p.ID = -1" << ""
                                 << "No search criteria specified.";
    }
    void searchQueries()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, condition);
        QFETCH(QString, bound);
        QFETCH(QString, status);
        const ListQuery query = ProductSearch(name, code);
        QCOMPARE(query.sql, ProductListBase() + condition);
        QCOMPARE(query.bindings.value(":pattern").toString(), bound);
        QCOMPARE(query.status, status);
        // The user's text never reaches the statement itself.
        if (!name.isEmpty())
            QVERIFY(!query.sql.contains(name));
        const ListQuery batches = InventorySearch(name, code);
        QCOMPARE(batches.bindings.value(":pattern").toString(), bound);
        QVERIFY(batches.sql.startsWith(InventoryListBase()));
        // Only a broad name search filters on the product alone, for the list to walk its index.
        QCOMPARE(batches.filtersProductsOnly, !name.isEmpty());
    }

    // Stored values with more decimals than the editors accept are shown rounded, so that an
    // unchanged save passes; values that fit are shown as they are.
    void editorText_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two decimals") << QVariant(100000.01) << "100000.01";
        QTest::newRow("one decimal") << QVariant(7.5) << "7.5";
        QTest::newRow("whole") << QVariant(3.0) << "3";
        QTest::newRow("three decimals") << QVariant(2.499) << "2.50";
        QTest::newRow("many decimals") << QVariant(1.0 / 3.0) << "0.33";
        QTest::newRow("text with three decimals") << QVariant("7.555") << "7.56";
        QTest::newRow("empty") << QVariant() << "";
    }
    void editorText()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QCOMPARE(EditorText(stored), shown);
        if (!shown.isEmpty())
            QVERIFY(IsValidPrice(shown));
    }

    // A picture path longer than its column keeps what the look-up needs, the file name.
    void storedImageFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("stored");
        const QString deep = "/" + QString(160, 'd') + "/pic.png";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("fits") << "/home/shop/pic.png" << "/home/shop/pic.png";
        QTest::newRow("exactly the column") << "/" + QString(149, 'x') << "/" + QString(149, 'x');
        QTest::newRow("deep folder") << deep << "pic.png";
        QTest::newRow("name too long") << "/a/" + QString(151, 'n') << "";
    }
    void storedImageFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, stored);
        QCOMPARE(StoredImageFile(path), stored);
        ProductForm form = ValidProduct();
        form.imageFile = path;
        QCOMPARE(CheckProductForm(form),
                 !path.isEmpty() && stored.isEmpty()
                     ? QString("Picture file name is too long. Please choose a file with a "
                               "shorter name.")
                     : QString());
    }

    void storedRealKeepsTypedDecimals()
    {
        QCOMPARE(StoredReal(12.99f), 12.99);
        QCOMPARE(StoredReal(0.1f), 0.1);
        QCOMPARE(StoredReal(7.5f), 7.5);
        QCOMPARE(StoredReal(0.0f), 0.0);
    }
};

QUILLBOX_TEST_MAIN(TestCatalogueRules)
#include "tst_cataloguerules.moc"
