#include "testsupport.h"

#include "addnewitemsbatch.h"
#include "appsettings.h"
#include "cataloguetesthelpers.h"
#include "inventorymanagement.h"
#include "pagedquerymodel.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStyledItemDelegate>
#include <QTableView>

using namespace CatalogueTest;
using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
const char *kDuplicate = "Barcode already exists in inventory. Please choose some other code.";
const char *kGeneral = "Error occurred while adding or updating the batch information.";
const char *kNoVendor = "Please select vendor from existing list or add new vendor.";

struct BatchForm
{
    explicit BatchForm(CAddNewItemsBatch &dialog)
        : productCode(Child<QLineEdit>(&dialog, "editProductCode"))
        , name(Child<QLineEdit>(&dialog, "lineName"))
        , category(Child<QLineEdit>(&dialog, "lineCategory"))
        , itemsPerUnit(Child<QLineEdit>(&dialog, "editItemsPerUnit"))
        , taxRate(Child<QLineEdit>(&dialog, "lineTaxStatus"))
        , barCode(Child<QLineEdit>(&dialog, "lineEditBarCode"))
        , purchase(Child<QLineEdit>(&dialog, "lineEditPurchasePrice"))
        , sale(Child<QLineEdit>(&dialog, "lineEditSalePrice"))
        , quantity(Child<QLineEdit>(&dialog, "lineQuantity"))
        , subItems(Child<QLineEdit>(&dialog, "editSubItems"))
        , batch(Child<QLineEdit>(&dialog, "editBatch"))
        , location(Child<QLineEdit>(&dialog, "lineStorageLocation"))
        , discount(Child<QLineEdit>(&dialog, "lineEditDiscount"))
        , useCode(Child<QCheckBox>(&dialog, "checkBox"))
        , showOnPos(Child<QCheckBox>(&dialog, "checkShowOnPOS"))
        , vendors(Child<QComboBox>(&dialog, "comboBoxVendors"))
        , expiry(Child<QDateEdit>(&dialog, "dateEditExpiryDate"))
        , status(Child<QLabel>(&dialog, "labelStatus"))
        , add(Child<QPushButton>(&dialog, "pushButtonAdd"))
    {
    }
    void EnterProduct(const QString &code)
    {
        productCode->setText(code);
        QTest::keyClick(productCode, Qt::Key_Return);
    }
    QString Save(const QString &vendor, const QString &qty = "10")
    {
        vendors->setCurrentText(vendor);
        purchase->setText("1.25");
        sale->setText("2.50");
        quantity->setText(qty);
        add->click();
        return status->text();
    }
    QLineEdit *productCode, *name, *category, *itemsPerUnit, *taxRate, *barCode, *purchase, *sale,
        *quantity, *subItems, *batch, *location, *discount;
    QCheckBox *useCode, *showOnPos;
    QComboBox *vendors;
    QDateEdit *expiry;
    QLabel *status;
    QPushButton *add;
};

int RowOfBarCode(QAbstractItemModel *model, const QString &barCode)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 3).data().toString() == barCode)
            return row;
    }
    return -1;
}
} // namespace

class TestBatches : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void addBatchesOfOneProduct()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddCategory("Food"); // the product sits in the second category
        AddProduct(AddCategory("Medicine"), "12", "Aspirin", 7.5, 20);
        AddVendor("Acme");
        CAddNewItemsBatch dialog;
        BatchForm form(dialog);
        QVERIFY(form.useCode->isChecked());
        QVERIFY(form.showOnPos->isChecked());
        QCOMPARE(form.expiry->date(), QDate::currentDate());
        QVERIFY(!form.name->isEnabled());
        QVERIFY(Child<QPushButton>(&dialog, "pushButtonRetrieve")->isHidden());

        form.EnterProduct("12");
        QCOMPARE(form.barCode->text(), QString("12"));
        QCOMPARE(form.name->text(), QString("Aspirin"));
        QCOMPARE(form.category->text(), QString("Medicine"));
        QCOMPARE(form.itemsPerUnit->text(), QString("20"));
        QCOMPARE(form.taxRate->text(), QString("7.5"));
        form.batch->setText("L-7");
        form.location->setText("Shelf 'B'");
        form.discount->setText("12.5");
        form.expiry->setDate(QDate(2031, 5, 4));
        form.showOnPos->setChecked(false);
        QCOMPARE(form.Save("Acme"), QString("Batch information (Barcode: 12) added successfully"));
        QSqlQuery row(Db());
        QVERIFY_SQL(row, exec("SELECT PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
                              "STORAGE_LOCATION, PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, "
                              "SHOW_ON_POS, DISCOUNT FROM tblInventory"));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toInt(), 1);
        QCOMPARE(row.value(1).toInt(), 1);
        QCOMPARE(row.value(2).toString(), QString("12"));
        QCOMPARE(row.value(3).toString(), QString("L-7"));
        QCOMPARE(row.value(4).toDate(), QDate(2031, 5, 4));
        QCOMPARE(row.value(5).toString(), QString("Shelf 'B'"));
        QCOMPARE(row.value(6).toDouble(), 1.25);
        QCOMPARE(row.value(7).toDouble(), 2.5);
        QCOMPARE(row.value(8).toInt(), 10);
        QCOMPARE(row.value(9).toInt(), 0);
        QCOMPARE(row.value(10).toInt(), 0);
        QCOMPARE(row.value(11).toDouble(), 12.5);

        // Batch fields cleared; product, barcode, check boxes and date kept.
        QCOMPARE(form.vendors->currentIndex(), -1);
        QCOMPARE(form.quantity->text(), QString());
        QCOMPARE(form.batch->text(), QString());
        QCOMPARE(form.discount->text(), QString("0"));
        QCOMPARE(form.barCode->text(), QString("12"));
        QCOMPARE(form.expiry->date(), QDate(2031, 5, 4));
        QVERIFY(!form.showOnPos->isChecked());

        // An immediate second save lacks a vendor; with one, the barcode is taken.
        form.purchase->setText("1");
        form.sale->setText("2");
        form.quantity->setText("1");
        form.add->click();
        QCOMPARE(form.status->text(), QString(kNoVendor));
        QCOMPARE(form.Save("Acme"), QString(kDuplicate));
        form.barCode->setText("12_B");
        QCOMPARE(form.Save("Acme"), QString("Batch information (Barcode: 12_B) added successfully"));
        QCOMPARE(Value("SELECT COUNT(*) FROM tblInventory").toInt(), 2);
    }

    void unknownProductIsRefusedByTheServer()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        AddVendor("Acme");
        CAddNewItemsBatch dialog;
        BatchForm form(dialog);
        QCOMPARE(dialog.ProductId(), -1);
        form.EnterProduct("P1");
        QCOMPARE(dialog.ProductId(), 1);
        form.EnterProduct("NOPE");
        QCOMPARE(dialog.ProductId(), 0);
        QCOMPARE(form.name->text(), QString());
        QCOMPARE(form.category->text(), QString());
        QCOMPARE(form.Save("Acme"), QString(kGeneral));
        QCOMPARE(Value("SELECT COUNT(*) FROM tblInventory").toInt(), 0);
    }

    void validationStopsBeforeWriting_data()
    {
        QTest::addColumn<QString>("barCode");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("message");
        QTest::newRow("barcode with hyphen") << "AB-1" << "10"
            << "Barcode ( AB-1 ) is invalid. Please enter valid Barcode (1 to 20 digits)";
        QTest::newRow("barcode of 21") << QString(21, '1') << "10"
            << "Barcode ( " + QString(21, '1') + " ) is invalid. Please enter valid Barcode (1 to 20 digits)";
        QTest::newRow("quantity beyond 32 bits") << "B1" << "9999999999"
            << "Error: Please enter numeric value for Quantity.";
    }
    void validationStopsBeforeWriting()
    {
        QFETCH(QString, barCode);
        QFETCH(QString, quantity);
        QFETCH(QString, message);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        AddVendor("Acme");
        CAddNewItemsBatch dialog;
        BatchForm form(dialog);
        form.EnterProduct("P1");
        form.barCode->setText(barCode);
        QCOMPARE(form.Save("Acme", quantity), message);
        QCOMPARE(Value("SELECT COUNT(*) FROM tblInventory").toInt(), 0);
        QCOMPARE(form.vendors->currentText(), QString("Acme"));
    }

    void subItemsOnlyInSubItemsMode_data()
    {
        QTest::addColumn<QVariant>("mode");
        QTest::addColumn<bool>("shown");
        QTest::newRow("absent") << QVariant() << false;
        QTest::newRow("n") << QVariant("n") << false;
        QTest::newRow("Y is not y") << QVariant("Y") << false;
        QTest::newRow("y") << QVariant("y") << true;
    }
    void subItemsOnlyInSubItemsMode()
    {
        QFETCH(QVariant, mode);
        QFETCH(bool, shown);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        if (mode.isValid())
            AppSettings::Instance().Settings()->setValue("SUB_ITEMS_MODE", mode);
        AddProduct(AddCategory("Medicine"), "P1", "Aspirin", 0, 12);
        AddVendor("Acme");
        CAddNewItemsBatch dialog;
        BatchForm form(dialog);
        QCOMPARE(!form.subItems->isHidden(), shown);
        QCOMPARE(!Child<QLabel>(&dialog, "labelSubItems")->isHidden(), shown);
        QCOMPARE(form.subItems->text(), QString("0"));
        form.EnterProduct("P1");
        if (shown)
            form.subItems->setText("5");
        QVERIFY(form.Save("Acme").contains("added successfully"));
        QCOMPARE(Value("SELECT SUB_ITEMS FROM tblInventory").toInt(), shown ? 5 : 0);
    }

    void expiryShownAndReadInEachDateFormat_data()
    {
        QTest::addColumn<QString>("dateOrder");
        QTest::addColumn<QString>("shown");
        QTest::newRow("YYYY/MM/DD") << "YYYY/MM/DD" << "2030-06-15";
        QTest::newRow("MM/DD/YYYY") << "MM/DD/YYYY" << "06-15-2030";
        QTest::newRow("DD/MM/YYYY") << "DD/MM/YYYY" << "15-06-2030";
    }
    void expiryShownAndReadInEachDateFormat()
    {
        QFETCH(QString, dateOrder);
        QFETCH(QString, shown);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AppSettings::Instance().Settings()->setValue("DATE_FORMAT", dateOrder);
        AppSettings::Instance().RefreshDisplayDateFormat();
        AddBatch(AddProduct(AddCategory("Medicine"), "P1", "Aspirin"), AddVendor("Acme"), "B1", 10,
                 "2030-06-15");
        InventoryManagement list;
        QCOMPARE(list.Model()->rowCount(), 1);
        QCOMPARE(list.Model()->index(0, 7).data().toString(), shown);
        QCOMPARE(list.Model()->headerData(7, Qt::Horizontal).toString(), QString("Expiry"));

        CAddNewItemsBatch dialog;
        dialog.SetEditData(list.Model()->record(0));
        BatchForm form(dialog);
        QCOMPARE(form.expiry->date(), QDate(2030, 6, 15));
        QCOMPARE(form.expiry->text(), shown);
        // Saving the edit keeps the date.
        QCOMPARE(form.Save("Acme"), QString("Batch information (Barcode: B1) updated successfully"));
        QCOMPARE(Value("SELECT EXPIRY_DATE FROM tblInventory").toDate(), QDate(2030, 6, 15));
    }

    void unreadableExpiryMustBeChosenAgain()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddBatch(AddProduct(AddCategory("Medicine"), "P1", "Aspirin"), AddVendor("Acme"), "B1");
        InventoryManagement list;
        QSqlRecord record = list.Model()->record(0);
        record.setValue(7, "00-00-0000");
        CAddNewItemsBatch dialog;
        dialog.SetEditData(record);
        BatchForm form(dialog);
        QCOMPARE(form.Save("Acme"), QString("Error: Please select valid expiry date."));
        form.expiry->setDate(QDate(2032, 1, 1));
        QVERIFY(form.Save("Acme").contains("updated successfully"));
        QCOMPARE(Value("SELECT EXPIRY_DATE FROM tblInventory").toDate(), QDate(2032, 1, 1));
    }

    void editKeepsSalesMadeMeanwhile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("quantity untouched") << "10" << 7;
        QTest::newRow("five units added") << "15" << 12;
    }
    void editKeepsSalesMadeMeanwhile()
    {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddBatch(AddProduct(AddCategory("Medicine"), "P1", "Aspirin"), AddVendor("Acme"), "B1", 10);
        InventoryManagement list;
        CAddNewItemsBatch dialog;
        dialog.SetEditData(list.Model()->record(0));
        BatchForm form(dialog);
        QCOMPARE(form.quantity->text(), QString("10"));
        // A till sells three units while the editor is open.
        QCOMPARE(Exec("UPDATE tblInventory SET QUANTITY = QUANTITY - 3"), 0);
        form.vendors->setCurrentText("Acme");
        form.purchase->setText("1.5");
        form.sale->setText("3.10");
        form.quantity->setText(typed);
        form.add->click();
        QCOMPARE(form.status->text(), QString("Batch information (Barcode: B1) updated successfully"));
        QCOMPARE(Value("SELECT QUANTITY FROM tblInventory").toInt(), stored);
        QCOMPARE(Value("SELECT SALE_PRICE FROM tblInventory").toDouble(), 3.1);
        // A second save in edit mode updates the same batch again.
        QCOMPARE(form.Save("Acme", typed), QString("Batch information (Barcode: B1) updated successfully"));
        QCOMPARE(Value("SELECT COUNT(*) FROM tblInventory").toInt(), 1);
        QCOMPARE(Value("SELECT QUANTITY FROM tblInventory").toInt(), stored);
    }

    // Prices keep their cents: stored as typed and shown with two decimals in the list.
    void pricesKeepTheirCents_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("shown");
        QTest::newRow("six digits") << "100000.01" << "100000.01";
        QTest::newRow("six digits, 55") << "654321.55" << "654321.55";
        QTest::newRow("small") << "0.1" << "0.10";
    }
    void pricesKeepTheirCents()
    {
        QFETCH(QString, price);
        QFETCH(QString, shown);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        AddVendor("Acme");
        CAddNewItemsBatch dialog;
        BatchForm form(dialog);
        form.EnterProduct("P1");
        form.vendors->setCurrentText("Acme");
        form.purchase->setText(price);
        form.sale->setText(price);
        form.quantity->setText("1");
        // Return in a field saves, as the main button does.
        dialog.show();
        QTest::keyClick(form.quantity, Qt::Key_Return);
        QVERIFY(form.status->text().contains("added successfully"));
        QCOMPARE(Value("SELECT PURCHASE_PRICE FROM tblInventory").toDouble(), price.toDouble());
        QCOMPARE(Value("SELECT SALE_PRICE FROM tblInventory").toDouble(), price.toDouble());
        InventoryManagement list;
        auto *view = Child<QTableView>(&list, "tableViewItems");
        for (const int column : {11, 12}) {
            auto *delegate = qobject_cast<QStyledItemDelegate *>(view->itemDelegateForColumn(column));
            QVERIFY(delegate);
            QCOMPARE(delegate->displayText(list.Model()->index(0, column).data(), QLocale::c()), shown);
        }
    }

    // Stored values the editor would refuse (more than two decimals, as received orders write
    // them) and sub-items hidden outside sub-items mode survive unchanged saves.
    void editSavesStoredValuesUnchanged_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("discount");
        QTest::addColumn<double>("savedPrice");
        QTest::addColumn<double>("savedDiscount");
        QTest::addColumn<int>("subItems");
        QTest::newRow("three decimals") << "y" << 2.499 << 1.3333 << 2.5 << 1.33 << 4;
        QTest::newRow("sub-items hidden") << "n" << 2.5 << 0.0 << 2.5 << 0.0 << 4;
        QTest::newRow("hidden, many decimals") << "" << 0.125 << 12.345 << 0.13 << 12.35 << 3;
    }
    void editSavesStoredValuesUnchanged()
    {
        QFETCH(QString, mode);
        QFETCH(double, price);
        QFETCH(double, discount);
        QFETCH(double, savedPrice);
        QFETCH(double, savedDiscount);
        QFETCH(int, subItems);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AppSettings::Instance().Settings()->setValue("SUB_ITEMS_MODE", mode);
        AddBatch(AddProduct(AddCategory("Medicine"), "P1", "Aspirin", 0, 12), AddVendor("Acme"), "B1");
        QCOMPARE(Exec("UPDATE tblInventory SET PURCHASE_PRICE = ?, SALE_PRICE = ?, DISCOUNT = ?, "
                      "SUB_ITEMS = ?", {price, price, discount, subItems}), 0);
        InventoryManagement list;
        CAddNewItemsBatch dialog;
        dialog.SetEditData(list.Model()->record(0));
        BatchForm form(dialog);
        form.add->click();
        QCOMPARE(form.status->text(), QString("Batch information (Barcode: B1) updated successfully"));
        // A second save after the fields were cleared and filled again.
        form.vendors->setCurrentIndex(0);
        form.purchase->setText(QString::number(savedPrice));
        form.sale->setText(QString::number(savedPrice));
        form.discount->setText(QString::number(savedDiscount));
        form.quantity->setText("10");
        if (mode == "y")
            form.subItems->setText(QString::number(subItems));
        form.add->click();
        QCOMPARE(form.status->text(), QString("Batch information (Barcode: B1) updated successfully"));
        QCOMPARE(Value("SELECT SALE_PRICE FROM tblInventory").toDouble(), savedPrice);
        QCOMPARE(Value("SELECT PURCHASE_PRICE FROM tblInventory").toDouble(), savedPrice);
        QCOMPARE(Value("SELECT DISCOUNT FROM tblInventory").toDouble(), savedDiscount);
        QCOMPARE(Value("SELECT SUB_ITEMS FROM tblInventory").toInt(), subItems);
    }

    void editKeepsTheVendorAmongNamesakes()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int product = AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        AddVendor("Acme");
        const int second = AddVendor("Acme");
        AddBatch(product, second, "B1");
        InventoryManagement list;
        CAddNewItemsBatch dialog;
        dialog.SetEditData(list.Model()->record(0));
        BatchForm form(dialog);
        QCOMPARE(form.vendors->currentIndex(), 1);
        QCOMPARE(form.barCode->text(), QString("B1"));
        QCOMPARE(form.name->text(), QString("Aspirin"));
        QCOMPARE(form.add->text(), QString("Update"));
        QVERIFY(dialog.IsEditMode());
        form.add->click();
        QVERIFY(form.status->text().contains("updated successfully"));
        QCOMPARE(Value("SELECT VENDOR_ID FROM tblInventory").toInt(), second);
    }

    void listSearches_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("barCode");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QString>("status");
        QTest::newRow("by product name") << "asp" << "" << QStringList({"A1", "A2"})
                                         << "Search results based on Name. ";
        QTest::newRow("name wins") << "tea" << "A1" << QStringList({"T_1"})
                                   << "Search results based on Name. ";
        QTest::newRow("by barcode") << "" << "A" << QStringList({"A1", "A2"})
                                    << "Search results based on Bar Code.";
        QTest::newRow("underscore literal") << "" << "_" << QStringList({"T_1"})
                                            << "Search results based on Bar Code.";
        QTest::newRow("apostrophe") << "O'Brien" << "" << QStringList({"OB1"})
                                    << "Search results based on Name. ";
        QTest::newRow("nothing") << "" << "" << QStringList() << "No search criteria specified.";
    }
    void listSearches()
    {
        QFETCH(QString, name);
        QFETCH(QString, barCode);
        QFETCH(QStringList, found);
        QFETCH(QString, status);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("Medicine");
        const int vendor = AddVendor("Acme");
        const int aspirin = AddProduct(category, "P1", "Aspirin");
        AddBatch(aspirin, vendor, "A1");
        AddBatch(aspirin, vendor, "A2");
        AddBatch(AddProduct(category, "P2", "Green tea"), vendor, "T_1");
        AddBatch(AddProduct(category, "P3", "O'Brien's oats"), vendor, "OB1");
        InventoryManagement list;
        QAbstractItemModelTester tester(list.Model());
        QCOMPARE(list.Model()->rowCount(), 4);
        auto *view = Child<QTableView>(&list, "tableViewItems");
        for (int hidden : {0, 1, 2, 14})
            QVERIFY(view->isColumnHidden(hidden));
        QVERIFY(view->isSortingEnabled());
        QCOMPARE(list.Model()->headerData(10, Qt::Horizontal).toString(), QString("Sub Quantity/Items"));
        QCOMPARE(list.Model()->headerData(15, Qt::Horizontal).toString(), QString("DISCOUNT"));
        Child<QLineEdit>(&list, "editName")->setText(name);
        Child<QLineEdit>(&list, "editCode")->setText(barCode);
        Child<QPushButton>(&list, "buttonSearch")->click();
        QStringList codes;
        for (int row = 0; row < list.Model()->rowCount(); ++row)
            codes << list.Model()->index(row, 3).data().toString();
        codes.sort();
        QCOMPARE(codes, found);
        QCOMPARE(Child<QLabel>(&list, "labelStatus")->text(), status);
    }

    void sortExpiryAsDates()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AppSettings::Instance().Settings()->setValue("DATE_FORMAT", "DD/MM/YYYY");
        AppSettings::Instance().RefreshDisplayDateFormat();
        const int product = AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        const int vendor = AddVendor("Acme");
        AddBatch(product, vendor, "LATE", 1, "2031-01-02");
        AddBatch(product, vendor, "EARLY", 1, "2030-12-31");
        InventoryManagement list;
        Child<QTableView>(&list, "tableViewItems")->sortByColumn(7, Qt::AscendingOrder);
        // As text, "02-01-2031" would sort before "31-12-2030".
        QCOMPARE(list.Model()->index(0, 3).data().toString(), QString("EARLY"));
    }

    // First expired, first out: the picker groups each product's batches by expiry and marks
    // the ones already past it.
    void pickerListsEarliestExpiryFirst()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const QDate today = QDate::currentDate();
        const auto day = [today](int offset) { return today.addDays(offset).toString(Qt::ISODate); };
        const int category = AddCategory("Medicine");
        const int aspirin = AddProduct(category, "P1", "Aspirin");
        const int bandage = AddProduct(category, "P2", "Bandage");
        const int vendor = AddVendor("Acme");
        AddBatch(bandage, vendor, "B_LATE", 1, day(90));
        AddBatch(aspirin, vendor, "A_LATE", 1, day(400));
        AddBatch(aspirin, vendor, "A_PAST", 1, day(-1));
        AddBatch(aspirin, vendor, "A_SOON", 1, day(0));
        AddBatch(bandage, vendor, "B_PAST", 1, day(-30));
        InventoryManagement picker(nullptr, true);
        auto *view = Child<QTableView>(&picker, "tableViewItems");
        QStringList codes, marked;
        for (int row = 0; row < picker.Model()->rowCount(); ++row) {
            codes << picker.Model()->index(row, 3).data().toString();
            const QVariant expiry = picker.Model()->index(row, 7).data();
            auto *delegate = qobject_cast<QStyledItemDelegate *>(view->itemDelegateForColumn(7));
            QVERIFY(delegate);
            if (delegate->displayText(expiry, QLocale()).endsWith(" (expired)"))
                marked << codes.last();
        }
        QCOMPARE(codes, QStringList({"A_PAST", "A_SOON", "A_LATE", "B_PAST", "B_LATE"}));
        QCOMPARE(marked, QStringList({"A_PAST", "B_PAST"}));
    }

    void deleteAsksFirst()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int product = AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        const int vendor = AddVendor("Acme");
        AddBatch(product, vendor, "B1");
        AddBatch(product, vendor, "B2");
        InventoryManagement list;
        auto *view = Child<QTableView>(&list, "tableViewItems");
        auto *remove = Child<QPushButton>(&list, "buttonDelete");
        QVERIFY(!remove->isEnabled());
        view->setCurrentIndex(list.Model()->index(RowOfBarCode(list.Model(), "B2"), 3));
        QVERIFY(remove->isEnabled());
        {
            DialogDriver driver;
            driver.Expect("Delete Inventory Item", "Do you really want to delete this stock item?",
                          DialogDriver::Press("No"));
            remove->click();
            QVERIFY_DIALOGS(driver);
        }
        QCOMPARE(list.Model()->rowCount(), 2);
        view->setCurrentIndex(list.Model()->index(RowOfBarCode(list.Model(), "B2"), 3));
        {
            DialogDriver driver;
            driver.Expect("Delete Inventory Item", QString(), DialogDriver::Press("Yes"));
            remove->click();
            QVERIFY_DIALOGS(driver);
        }
        QCOMPARE(Column("SELECT BAR_CODE FROM tblInventory"), QStringList({"B1"}));
        QCOMPARE(list.Model()->rowCount(), 1);

        // Once a row was chosen the buttons stay on; with no row current after the re-run,
        // Delete asks nothing and removes nothing.
        QVERIFY(remove->isEnabled());
        QVERIFY(Child<QPushButton>(&list, "buttonEdit")->isEnabled());
        QVERIFY(!view->currentIndex().isValid());
        {
            DialogDriver driver;
            remove->click();
            QVERIFY_DIALOGS(driver);
        }
        QCOMPARE(Column("SELECT BAR_CODE FROM tblInventory"), QStringList({"B1"}));
    }

    void selectProductUsesThePicker_data()
    {
        QTest::addColumn<bool>("pick");
        QTest::newRow("picked") << true;
        QTest::newRow("closed") << false;
    }
    void selectProductUsesThePicker()
    {
        QFETCH(bool, pick);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("Medicine");
        AddProduct(category, "P1", "Aspirin");
        AddProduct(category, "P2", "Paracetamol");
        CAddNewItemsBatch dialog;
        BatchForm form(dialog);
        form.EnterProduct("P1");
        DialogDriver driver;
        driver.Expect("Select Product", QString(), [pick](QWidget *picker) {
            auto *list = picker->findChild<QWidget *>("ProductManagement");
            auto *view = list->findChild<QTableView *>("tableViewProducts");
            if (!pick) {
                picker->close();
                return;
            }
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                if (view->model()->index(row, 2).data().toString() == "P2")
                    emit view->doubleClicked(view->model()->index(row, 2));
            }
        });
        Child<QPushButton>(&dialog, "pushSelectProduct")->click();
        QVERIFY_DIALOGS(driver);
        // A picker closed without a pick leaves no product: code, barcode and details empty.
        const QString expected = pick ? "P2" : "";
        QCOMPARE(form.productCode->text(), expected);
        QCOMPARE(form.barCode->text(), expected);
        QCOMPARE(form.name->text(), QString(pick ? "Paracetamol" : ""));
        QCOMPARE(dialog.ProductId(), pick ? 2 : 0);
    }

    void pickerReturnsDoubleClickedBarCode_data()
    {
        QTest::addColumn<int>("pick"); // 0 close, 1 double-click, 2 Return on the row
        QTest::addColumn<QString>("expected");
        QTest::newRow("double-click picks") << 1 << "B2";
        QTest::newRow("Return picks, for a cashier without a mouse") << 2 << "B2";
        QTest::newRow("close picks nothing") << 0 << "";
    }
    void pickerReturnsDoubleClickedBarCode()
    {
        QFETCH(int, pick);
        QFETCH(QString, expected);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int product = AddProduct(AddCategory("Medicine"), "P1", "Aspirin");
        const int vendor = AddVendor("Acme");
        AddBatch(product, vendor, "B1");
        AddBatch(product, vendor, "B2");
        DialogDriver driver;
        driver.Expect("Select Batch", QString(), [pick](QWidget *dialog) {
            auto *list = dialog->findChild<InventoryManagement *>();
            QVERIFY(list && list->IsSelectionMode());
            QVERIFY(list->findChild<QGroupBox *>("groupBoxButtons")->isHidden());
            QCOMPARE(list->findChild<QLabel *>("labelStatus")->text(),
                     QString("PLEASE DOUBLE CLICK TABLE ROW TO SELECT THE PRODUCT AND BARCODE"));
            auto *view = list->findChild<QTableView *>("tableViewItems");
            const QModelIndex b2 = list->Model()->index(RowOfBarCode(list->Model(), "B2"), 5);
            if (pick == 1) {
                emit view->doubleClicked(b2);
            } else if (pick == 2) {
                view->setCurrentIndex(b2);
                QTest::keyClick(view, Qt::Key_Return);
            } else {
                list->findChild<QPushButton *>("pushClose")->click();
            }
        });
        const QString barCode = InventoryManagement::PickBarCode();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(barCode, expected);
    }

    void editFromTheListAndReRun()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddBatch(AddProduct(AddCategory("Medicine"), "P1", "Aspirin"), AddVendor("Acme"), "B1");
        InventoryManagement list;
        auto *view = Child<QTableView>(&list, "tableViewItems");
        view->setCurrentIndex(list.Model()->index(0, 3));
        DialogDriver driver;
        driver.Expect("Edit Inventory", QString(), [](QWidget *dialog) {
            auto *editor = qobject_cast<CAddNewItemsBatch *>(dialog);
            QVERIFY(editor && editor->IsEditMode());
            editor->findChild<QLineEdit *>("lineStorageLocation")->setText("Back room");
            editor->findChild<QPushButton *>("pushButtonAdd")->click();
            editor->findChild<QPushButton *>("pushButtonClose")->click();
        });
        Child<QPushButton>(&list, "buttonEdit")->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(list.Model()->index(0, 8).data().toString(), QString("Back room"));
    }
};

QUILLBOX_TEST_MAIN(TestBatches)
#include "tst_batches.moc"
