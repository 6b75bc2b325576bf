#include "postesthelpers.h"
#include "../reports/reporttesthelpers.h"

#include "posbutton.h"
#include "itemtransactionsmodel.h"
#include "possettings.h"
#include "posstore.h"
#include "qposdialog.h"
#include "reportengine.h"
#include "salerules.h"

#include <QAbstractItemModelTester>
#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QGridLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QSpinBox>
#include <QSqlRecord>
#include <QThread>
#include <QUuid>

#include <atomic>

using namespace PosTest;
using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;
using QuillboxTest::Seed::AddCategory;
using QuillboxTest::Seed::AddParty;
using QuillboxTest::Seed::AddVendor;
namespace Msg = SaleRules::Message;
const char *const kReturnNotice = "RETURN MODE: items entered now go back into stock.";

namespace {
// The 25 / 20 / 10 % batch of ten tablets a pack at 16 % tax.
int AddTablets(const QString &barCode, int quantity, int subItems = 0)
{
    BatchSeed seed;
    seed.barCode = barCode;
    seed.quantity = quantity;
    seed.subItems = subItems;
    seed.discount = 10;
    return AddSellable(AddCategory("Tablets " + barCode), AddVendor("Acme"), "Amoxil " + barCode,
                       10, 16, seed);
}

// Sells single units of one batch on a connection of its own, as a second till would.
class TillThread final : public QThread {
public:
    TillThread(const QString &schema, const QString &barCode, int entries)
        : m_schema(schema)
        , m_barCode(barCode)
        , m_entries(entries)
    {
    }
    std::atomic<int> sold{0};
    std::atomic<int> refused{0};
    std::atomic<int> failed{0};

protected:
    void run() override
    {
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QuillboxTest::TestServer::Connection(name, m_schema);
            if (!db.open()) {
                failed = m_entries;
                return;
            }
            PosStore::ItemRequest request;
            request.barCode = m_barCode;
            request.quantity = 1;
            for (int i = 0; i < m_entries; ++i) {
                const PosStore::ItemTaken taken = PosStore::TakeItem(db, request);
                if (taken.refusal.isEmpty())
                    ++sold;
                else if (taken.refusal == Msg::OutOfStock
                         || taken.refusal.startsWith("Rquested quantity is not available"))
                    ++refused;
                else
                    ++failed;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

private:
    QString m_schema, m_barCode;
    int m_entries;
};
} // namespace

class TestPos : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test");
    }
    void init()
    {
        QuillboxTest::ResetState();
        SetTillSettings(true);
    }

    void workedExample_data()
    {
        QTest::addColumn<bool>("returnMode");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("stock");
        QTest::newRow("sale") << false << QStringList{"0",    "Amoxil A1", "1",  "3",    "25",
                                                      "3.25", "29.25",     "20", "26.00"}
                              << "33.93"
                              << "4.68"
                              << "3/7";
        QTest::newRow("return") << true << QStringList{"0",    "Amoxil A1", "1",  "3",     "25",
                                                       "3.25", "-29.25",    "20", "-26.00"}
                                << "-33.93"
                                << "-4.68"
                                << "6/3";
    }
    void workedExample()
    {
        QFETCH(bool, returnMode);
        QFETCH(QStringList, cells);
        QFETCH(QString, total);
        QFETCH(QString, tax);
        QFETCH(QString, stock);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        QAbstractItemModelTester tester(pos.Basket(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        DialogDriver driver;
        if (returnMode) {
            driver.Expect("Return Mode", "\"Items Return\" mode");
            QTest::keyClick(till.barCode, Qt::Key_F6);
            QVERIFY_DIALOGS(driver);
            QVERIFY(till.returnMode->isChecked());
        }
        QCOMPARE(till.Scan("A1", "1", "3"), returnMode ? QString(kReturnNotice) : QString());
        QCOMPARE(pos.Basket()->Row(0), cells);
        QCOMPARE(till.total->text(), total);
        QCOMPARE(till.tax->text(), tax);
        QCOMPARE(Stock("A1"), stock);
        QCOMPARE(pos.State(), CPOS::SalePending);
        QVERIFY(till.pay->isEnabled());
        QCOMPARE(till.barCode->text(), QString());
        QVERIFY(!till.table->isColumnHidden(3));
        QVERIFY(till.table->isColumnHidden(7) && till.table->isColumnHidden(8));
    }

    void specialDiscountOnAllItems()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        CPOS pos;
        Till till(pos);
        DialogDriver driver;
        driver.Expect("Discount on All Items", "Specail discount");
        till.onAll->setChecked(true);
        QVERIFY_DIALOGS(driver);
        till.special->setChecked(true);
        till.discount->setText("5");
        QCOMPARE(till.Scan("A1", "1", "0"), QString());
        QCOMPARE(till.discount->text(), QString("5"));
        QCOMPARE(till.Scan("A1", "1", "0"), QString());
        QCOMPARE(pos.Basket()->Discount(1), QString("1.25"));
        QCOMPARE(pos.Basket()->Cell(1, CItemTransactionsModel::IndexColumn), QString("1"));
        till.onAll->setChecked(false);
        QCOMPARE(till.Scan("A1", "1", "0"), QString());
        QCOMPARE(till.discount->text(), QString("0"));
    }

    void stockExamples()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("S23", 2, 3);
        AddTablets("S50", 5);
        CPOS pos;
        Till till(pos);
        QCOMPARE(till.Scan("S23", "2", "4"), SaleRules::NotAvailableMessage(2, 3));
        QVERIFY(till.status->text().contains("There are (2) items, and (3) sub-items"));
        QCOMPARE(till.Lines(), 0);
        QCOMPARE(Stock("S23"), QString("2/3"));
        QCOMPARE(till.Scan("S23", "2", "3"), QString());
        QCOMPARE(Stock("S23"), QString("0/0"));
        QCOMPARE(till.Scan("S23", "0", "1"), QString(Msg::OutOfStock));

        QCOMPARE(till.Scan("S50", "0", "3"), QString());
        QCOMPARE(Stock("S50"), QString("4/7"));
        DialogDriver driver;
        driver.Expect("Return Mode");
        till.returnMode->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(till.Scan("S50", "0", "5"), QString(kReturnNotice));
        QCOMPARE(Stock("S50"), QString("5/2"));
        QCOMPARE(till.Lines(), 3);
    }

    void entryRefusals_data()
    {
        QTest::addColumn<QString>("barCode");
        QTest::addColumn<QString>("sub");
        QTest::addColumn<bool>("returnMode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown") << "NOPE"
                                 << "0" << false << QString(Msg::NotFound);
        QTest::newRow("hyphen") << "W-1"
                                << "0" << false << QString(Msg::BadBarCode);
        QTest::newRow("whole only") << "W1"
                                    << "2" << false << QString(Msg::WholeOnly);
        QTest::newRow("whole only in return") << "W1"
                                              << "2" << true << QString(Msg::WholeOnly);
        QTest::newRow("per unit 0") << "Z0"
                                    << "0" << false << QString(Msg::BadItemsPerUnit);
        QTest::newRow("per unit 0 in return") << "Z0"
                                              << "0" << true << QString(Msg::BadItemsPerUnit);
    }
    void entryRefusals()
    {
        QFETCH(QString, barCode);
        QFETCH(QString, sub);
        QFETCH(bool, returnMode);
        QFETCH(QString, message);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("Misc");
        const int vendor = AddVendor("Acme");
        BatchSeed whole;
        whole.barCode = "W1";
        AddSellable(category, vendor, "Bandage", 1, 0, whole);
        BatchSeed broken;
        broken.barCode = "Z0";
        AddSellable(category, vendor, "Broken", 0, 0, broken);
        CPOS pos;
        Till till(pos);
        if (returnMode) {
            AppSettings::Instance().Settings()->setValue("err_msg_4", 1);
            DialogDriver driver;
            driver.Expect("Return Mode");
            till.returnMode->click();
            driver.WaitForAll(2000);
        }
        QCOMPARE(till.Scan(barCode, "1", sub), message);
        QCOMPARE(till.Lines(), 0);
        QCOMPARE(pos.State(), CPOS::SaleNew);
        QVERIFY(!till.pay->isEnabled());
        QCOMPARE(Stock("W1"), QString("10/0"));
        QCOMPARE(Stock("Z0"), QString("10/0"));
        QCOMPARE(till.barCode->text(), barCode);
    }

    // A refused operation hands the keyboard back to the barcode field like every other one.
    void refusalsReturnTheFocus_data()
    {
        QTest::addColumn<QString>("scanFirst");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("message");
        QTest::newRow("enter, no barcode") << "" << "pushEnter" << "" << QString(Msg::BadBarCode);
        QTest::newRow("pay, amount not valid") << "W1" << "pushButtonPay" << "50." << QString(Msg::BadPaid);
        QTest::newRow("new sale while pending") << "W1" << "pushNew" << "" << QString(Msg::PaymentPending);
    }
    void refusalsReturnTheFocus()
    {
        QFETCH(QString, scanFirst);
        QFETCH(QString, button);
        QFETCH(QString, paid);
        QFETCH(QString, message);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        BatchSeed whole;
        whole.barCode = "W1";
        AddSellable(AddCategory("Misc"), AddVendor("Acme"), "Bandage", 1, 0, whole);
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        if (!scanFirst.isEmpty())
            QCOMPARE(till.Scan(scanFirst), QString());
        till.paid->setFocus();
        till.paid->setText(paid);
        till.barCode->clear();
        Child<QPushButton>(&pos, button.toLatin1())->click();
        QCOMPARE(till.status->text(), message);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(till.barCode));
    }

    void expiryGuard_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("expiry"); // days from today, or a stored date
        QTest::addColumn<bool>("returnMode");
        QTest::addColumn<QString>("status"); // %1: the expiry date as shown
        QTest::addColumn<bool>("added");
        const QString expired = "This batch expired on %1.";
        const QString expiring = "This batch expires on %1.";
        const QString refused = "This batch expired on %1. It was not added.";
        const struct {
            const char *mode;
            QString expired, expiring;
        } modes[] = {{"off", QString(), QString()},
                     {"warn", expired, expiring},
                     {"refuse", refused, expiring},
                     {"", expired, expiring}}; // absent: warn
        for (const auto &m : modes) {
            const bool refuses = m.expired == refused;
            QTest::addRow("%s expired", m.mode) << m.mode << "-1" << false << m.expired << !refuses;
            QTest::addRow("%s expiring", m.mode) << m.mode << "30" << false << m.expiring << true;
            QTest::addRow("%s today", m.mode) << m.mode << "0" << false << m.expiring << true;
            QTest::addRow("%s fresh", m.mode) << m.mode << "31" << false << QString() << true;
            QTest::addRow("%s no date", m.mode) << m.mode << "0000-00-00" << false << QString()
                                                << true;
        }
        // Taking goods back never hands anything out.
        QTest::newRow("refuse return") << "refuse" << "-1" << true << expired << true;
    }
    void expiryGuard()
    {
        QFETCH(QString, mode);
        QFETCH(QString, expiry);
        QFETCH(bool, returnMode);
        QFETCH(QString, status);
        QFETCH(bool, added);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        QSettings *settings = AppSettings::Instance().Settings();
        if (!mode.isEmpty())
            settings->setValue("EXPIRY_GUARD", mode);
        settings->setValue("DATE_FORMAT", "DD/MM/YYYY");
        settings->setValue("err_msg_4", 1);
        AppSettings::Instance().RefreshDisplayDateFormat();
        AddTablets("E1", 5);
        bool days = false;
        const QDate date = QDate::currentDate().addDays(expiry.toInt(&days));
        QuillboxTest::Seed::Exec("UPDATE tblInventory SET EXPIRY_DATE = ? WHERE BAR_CODE = 'E1'",
                                 {days ? QVariant(date.toString(Qt::ISODate)) : QVariant(expiry)});
        CPOS pos;
        Till till(pos);
        if (returnMode)
            till.returnMode->click();
        QCOMPARE(till.Scan("E1"),
                 status.isEmpty() ? status : status.arg(date.toString("dd-MM-yyyy")));
        QCOMPARE(till.Lines(), added ? 1 : 0);
        QCOMPARE(Stock("E1"), QString(added ? (returnMode ? "6/0" : "4/0") : "5/0"));
    }

    // A stock write the server refuses must not leave a line that was never taken from stock.
    void failedStockWriteAddsNoLine()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        QVERIFY(FreshDatabases::ExecAdmin(
            dbs.InventoryName(),
            "CREATE TRIGGER refuse_stock BEFORE UPDATE ON tblInventory FOR "
            "EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'refused'"));
        CPOS pos;
        Till till(pos);
        QCOMPARE(till.Scan("A1", "1", "0"), QString(Msg::StockWriteFailed));
        QCOMPARE(till.Lines(), 0);
        QCOMPARE(till.total->text(), QString("0"));
        QCOMPARE(pos.State(), CPOS::SaleNew);
        QCOMPARE(Stock("A1"), QString("5/0"));
    }

    // Two tills on one batch: every unit is sold once, none twice, none lost.
    void concurrentTillsNeverOversell()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        BatchSeed seed;
        seed.barCode = "RUSH";
        seed.quantity = 500;
        AddSellable(AddCategory("Misc"), AddVendor("Acme"), "Gauze", 1, 0, seed);
        TillThread first(dbs.InventoryName(), "RUSH", 300);
        TillThread second(dbs.InventoryName(), "RUSH", 300);
        first.start();
        second.start();
        QVERIFY(first.wait(120000));
        QVERIFY(second.wait(120000));
        QCOMPARE(first.failed + second.failed, 0);
        QCOMPARE(first.sold + second.sold, 500);
        QCOMPARE(first.refused + second.refused, 100);
        QCOMPARE(Stock("RUSH"), QString("0/0"));
    }

    void payment()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        AddParty("tblCustomers", "Jane Roe", "1 Main St", "jane@example.org", "555");
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        QVERIFY(!till.pay->isEnabled());
        QCOMPARE(till.Scan("A1", "1", "3"), QString());
        QCOMPARE(till.Pay("33.92"), QString(Msg::ShortPaid));
        QCOMPARE(till.Pay("50."), QString(Msg::BadPaid));
        QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesTransactions").toInt(), 0);
        QCOMPARE(till.Pay("33.93"), QString());
        QCOMPARE(till.change->text(), QString("0.00"));
        QCOMPARE(pos.State(), CPOS::SalePaid);
        QVERIFY(!till.pay->isEnabled());
        const QString id = pos.Basket()->ReceiptNumber();
        QVERIFY(!id.isEmpty());
        QCOMPARE(SalesValue("SELECT CONCAT_WS('|', ID, USER_ID, CUSTOMER_ID, GRAND_TOTAL, PAID, "
                            "RETURN_AMOUNT) FROM tblSalesTransactions")
                     .toString(),
                 id + "|NO LOGGED IN USER|NOT SELECTED|33.93|33.93|0");
        // Paying again records nothing more.
        QTest::keyClick(till.barCode, Qt::Key_F5);
        till.pay->click();
        QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesTransactions").toInt(), 1);

        // The next scan starts a new basket; a customer chosen for it is stored by name.
        QCOMPARE(till.Scan("A1", "1", "0"), QString());
        QCOMPARE(pos.Basket()->LineCount(), 1);
        DialogDriver driver;
        driver.Expect("Manage Customers", QString(), [](QWidget *dialog) {
            QuillboxTest::HighlightRow(Child<QTableView>(dialog, "tableView"), 1, "Jane Roe");
            QuillboxTest::ClickButton(dialog, "Select");
        });
        driver.Expect("Select Customer", "Customer has been selected.");
        QVERIFY(ShowActive(&pos));
        QTest::keyClick(till.barCode, Qt::Key_F9);
        QVERIFY_DIALOGS(driver);
        QVERIFY(till.customers->isChecked());
        QCOMPARE(pos.Basket()->Customer().name, QString("Jane Roe"));
        QCOMPARE(till.Scan("A1", "0", "2"), QString());
        QCOMPARE(till.Scan("A1", "0", "1"), QString());
        QCOMPARE(till.Pay("100"), QString());
        const QString second = pos.Basket()->ReceiptNumber();
        QCOMPARE(SalesValue("SELECT CUSTOMER_ID FROM tblSalesTransactions WHERE ID = " + second)
                     .toString(),
                 QString("Jane Roe"));
        QCOMPARE(SalesValue("SELECT GROUP_CONCAT(CONCAT(TRANSACTION_ID, ':', ITEM_INDEX) ORDER BY "
                            "ITEM_INDEX) FROM tblSalesInvoice WHERE TRANSACTION_ID = "
                            + second)
                     .toString(),
                 QStringList({second + ":0", second + ":1", second + ":2"}).join(','));
    }

    void returnPaidWithZero()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        BatchSeed seed;
        seed.barCode = "R20";
        seed.salePrice = "20";
        AddSellable(AddCategory("Misc"), AddVendor("Acme"), "Splint", 1, 0, seed);
        AppSettings::Instance().Settings()->setValue("err_msg_4", 1);
        CPOS pos;
        Till till(pos);
        DialogDriver driver;
        driver.Expect("Return Mode");
        till.returnMode->click();
        driver.WaitForAll(2000);
        QCOMPARE(till.Scan("R20"), QString(kReturnNotice));
        QCOMPARE(till.Pay("0"), QString());
        // The money handed back reads positive; the record keeps its sign.
        QCOMPARE(till.change->text(), QString("20.00"));
        QCOMPARE(SalesValue("SELECT CONCAT_WS('|', GRAND_TOTAL, PAID, RETURN_AMOUNT) FROM "
                            "tblSalesTransactions")
                     .toString(),
                 QString("-20|0|-20"));
        QCOMPARE(Stock("R20"), QString("11/0"));
    }

    // Return mode ends with the sale it was meant for, and a typed quantity with its item.
    void modesDoNotStick_data()
    {
        QTest::addColumn<bool>("pay");
        QTest::newRow("paid sale") << true;
        QTest::newRow("new sale") << false;
    }
    void modesDoNotStick()
    {
        QFETCH(bool, pay);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        AppSettings::Instance().Settings()->setValue("err_msg_4", 1);
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        DialogDriver driver;
        driver.Expect("Return Mode");
        till.returnMode->click();
        driver.WaitForAll(2000);
        QCOMPARE(till.status->text(), QString(kReturnNotice));
        if (pay) {
            QCOMPARE(till.Scan("A1", "2"), QString(kReturnNotice));
            QCOMPARE(till.items->text(), QString("1"));
            QCOMPARE(till.Pay("0"), QString());
        } else {
            Child<QPushButton>(&pos, "pushNew")->click();
        }
        QVERIFY(!till.returnMode->isChecked());
        QCOMPARE(till.status->text(), QString());
        QCOMPARE(till.Scan("A1"), QString());
        QCOMPARE(Stock("A1"), pay ? QString("6/0") : QString("4/0"));
    }

    // A mistaken line, or the whole sale, taken off before payment from the keyboard.
    void voidKeys_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("onTable");
        QTest::addColumn<QString>("answer"); // to "Void sale?"; empty: no question
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<QString>("auditKind");
        const int none = Qt::NoModifier;
        QTest::newRow("Shift+Del voids the last line")
            << int(Qt::ShiftModifier) << false << "" << 1 << "4/0" << "LINE_VOIDED";
        QTest::newRow("Del on the selected row") << none << true << "" << 1 << "4/0"
                                                 << "LINE_VOIDED";
        QTest::newRow("Del in the barcode field only edits") << none << false << "" << 2 << "3/0"
                                                             << "";
        QTest::newRow("Ctrl+Del, Yes") << int(Qt::ControlModifier) << false << "Yes" << 0
                                       << "5/0" << "SALE_VOIDED";
        QTest::newRow("Ctrl+Del, No") << int(Qt::ControlModifier) << true << "No" << 2 << "3/0"
                                      << "";
    }
    void voidKeys()
    {
        QFETCH(int, modifiers);
        QFETCH(bool, onTable);
        QFETCH(QString, answer);
        QFETCH(int, lines);
        QFETCH(QString, stock);
        QFETCH(QString, auditKind);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        QCOMPARE(till.Scan("A1"), QString());
        const QString oneLine = till.total->text();
        QCOMPARE(till.Scan("A1"), QString());
        const QString twoLines = till.total->text();
        QWidget *target = till.barCode;
        if (onTable) {
            till.table->selectRow(0);
            target = till.table;
        }
        DialogDriver driver;
        if (!answer.isEmpty())
            driver.Expect("Void sale?", "back into stock", DialogDriver::Press(answer));
        QTest::keyClick(target, Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
        QVERIFY(driver.WaitForAll(5000));
        QVERIFY2(driver.Report().isEmpty(), qPrintable(driver.Report()));
        QCOMPARE(till.Lines(), lines);
        QCOMPARE(Stock("A1"), stock);
        QCOMPARE(Value("SELECT COUNT(*) FROM tblOpenBasketLines").toInt(), lines);
        QCOMPARE(till.total->text(), lines == 0 ? QString("0") : lines == 1 ? oneLine : twoLines);
        QCOMPARE(till.pay->isEnabled(), lines > 0);
        QCOMPARE(Value("SELECT GROUP_CONCAT(KIND) FROM tblAuditLog").toString(), auditKind);
        if (lines == 1)
            QCOMPARE(pos.Basket()->Cell(0, CItemTransactionsModel::IndexColumn), QString("0"));
    }

    // F9 at the till: type to narrow the list, arrows to move, Return to pick; the till and
    // the small receipt name the customer.
    void customerByKeyboard_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("picked");
        QTest::newRow("typed") << "Doe" << 0 << "John Doe";
        QTest::newRow("arrow") << "o" << 1 << "John Doe";
        QTest::newRow("first") << "" << 1 << "Jane Roe";
        QTest::newRow("nobody") << "" << 0 << "";
    }
    void customerByKeyboard()
    {
        QFETCH(QString, typed);
        QFETCH(int, downs);
        QFETCH(QString, picked);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        AddParty("tblCustomers", "Jane Roe", "1 Main St", "jane@example.org", "555");
        AddParty("tblCustomers", "John Doe", "2 Main St", "john@example.org", "556");
        QuillboxTest::UrlCatcher viewer;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
        const auto restore = qScopeGuard([] { QDesktopServices::unsetUrlHandler("file"); });
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        DialogDriver driver;
        driver.Expect("Manage Customers", QString(), [&](QWidget *dialog) {
            QWidget *filter = Child<QLineEdit>(dialog, "lineEditFilter");
            QVERIFY(filter->hasFocus());
            QTest::keyClicks(filter, typed);
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(filter, Qt::Key_Down);
            QTest::keyClick(filter, Qt::Key_Return);
        });
        if (!picked.isEmpty())
            driver.Expect("Select Customer", "Customer has been selected.");
        QTest::keyClick(till.barCode, Qt::Key_F9);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(pos.Basket()->Customer().name, picked);
        QCOMPARE(Child<QLabel>(&pos, "labelCustomer")->text(),
                 picked.isEmpty() ? QString() : "Customer: " + picked);
        if (picked.isEmpty())
            return;

        QCOMPARE(till.Scan("A1"), QString());
        QCOMPARE(till.Pay("50"), QString());
        AppSettings::Instance().Settings()->setValue("err_msg_1", 1);
        driver.Expect("Print to PDF");
        QVERIFY(ShowActive(&pos));
        QTest::keyClick(till.barCode, Qt::Key_F3);
        driver.WaitForAll(2000);
        const QString text = ReportTest::PdfText(ReportEngine::PdfFilePath());
        QVERIFY2(text.contains("Customer: " + picked), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression("Change due\\s+23\\.90")), qPrintable(text));
    }

    // A line the sales database refuses takes the whole sale back with it, and the cashier
    // reads which line and why; paying again works once the server takes it.
    void paymentIsWholeOrNothing_data()
    {
        QTest::addColumn<QString>("thirdName");
        QTest::addColumn<QString>("refuse");
        QTest::addColumn<QString>("accept");
        QTest::addColumn<QString>("why");
        QTest::newRow("refused by the server")
            << QString(60, 'N')
            << "CREATE TRIGGER refuse_third BEFORE INSERT ON tblSalesInvoice FOR EACH ROW IF "
               "NEW.ITEM_INDEX = 2 THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'refused'; "
               "END IF"
            << "DROP TRIGGER refuse_third"
            << "refused";
        QTest::newRow("three-byte character set")
            << QString::fromUtf8("Aspirin \xF0\x9F\x98\x80 500mg")
            << "ALTER TABLE tblSalesInvoice CONVERT TO CHARACTER SET utf8"
            << "ALTER TABLE tblSalesInvoice CONVERT TO CHARACTER SET utf8mb4"
            << "its text holds characters the sales database cannot store";
    }
    void paymentIsWholeOrNothing()
    {
        QFETCH(QString, thirdName);
        QFETCH(QString, refuse);
        QFETCH(QString, accept);
        QFETCH(QString, why);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        BatchSeed seed;
        seed.barCode = "THIRD";
        AddSellable(AddCategory("Misc"), AddVendor("Acme"), thirdName, 1, 0, seed);
        QVERIFY(FreshDatabases::ExecAdmin(dbs.SalesName(), refuse));
        CPOS pos;
        Till till(pos);
        QCOMPARE(till.Scan("A1"), QString());
        QCOMPARE(till.Scan("A1"), QString());
        QCOMPARE(till.Scan("THIRD"), QString());
        const QString recordedName = SaleRules::RecordedProductName(thirdName);
        QCOMPARE(till.Pay("200"), QString(Msg::InvoiceLogFailed) + ": line 3 (" + recordedName
                                      + ") was refused: " + why);
        QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesTransactions").toInt(), 0);
        QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesInvoice").toInt(), 0);
        QCOMPARE(pos.State(), CPOS::SalePending);
        QVERIFY(till.pay->isEnabled());
        QVERIFY(pos.Basket()->ReceiptNumber().isEmpty());

        // Paid again once the server accepts it; a product name longer than the lines' column
        // is recorded by its first 50 characters instead of stopping the sale for good.
        QVERIFY(FreshDatabases::ExecAdmin(dbs.SalesName(), accept));
        QCOMPARE(till.Pay("200"), QString());
        QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesInvoice").toInt(), 3);
        QCOMPARE(SalesValue("SELECT PRODUCT_NAME FROM tblSalesInvoice WHERE ITEM_INDEX = 2").toString(),
                 recordedName);
    }

    // What the till shows is what the sales database keeps: names as typed, amounts to the cent.
    void saleIsStoredAsShown_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("paid");
        QTest::newRow("four-byte names")
            << QString::fromUtf8("Aspirin \xF0\x9F\x98\x80 500mg")
            << QString::fromUtf8("Zo\xC3\xAB \xF0\x9F\x98\x80") << "25" << "50";
        QTest::newRow("line of 123456.78") << "Scanner" << "" << "123456.78" << "123456.78";
        QTest::newRow("payment of 12345678") << "Scanner" << "" << "10" << "12345678";
    }
    void saleIsStoredAsShown()
    {
        QFETCH(QString, product);
        QFETCH(QString, customer);
        QFETCH(QString, price);
        QFETCH(QString, paid);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        BatchSeed seed;
        seed.barCode = "S1";
        seed.salePrice = price;
        AddSellable(AddCategory("Misc"), AddVendor("Acme"), product, 1, 0, seed);
        CPOS pos;
        Till till(pos);
        if (!customer.isEmpty())
            pos.Basket()->SetCustomer({"1", customer, QString(), QString(), QString()});
        QCOMPARE(till.Scan("S1"), QString());
        QCOMPARE(till.Pay(paid), QString());

        const auto cents = [](const QVariant &v) { return QString::number(v.toDouble(), 'f', 2); };
        QSqlQuery sale(CDBManager::Instance().GetSalesDataBase());
        QVERIFY(sale.exec("SELECT CUSTOMER_ID, GRAND_TOTAL, PAID, RETURN_AMOUNT, PRODUCT_NAME, "
                          "SALE_PRICE, SUB_TOTAL FROM tblSalesTransactions t JOIN tblSalesInvoice "
                          "i ON i.TRANSACTION_ID = t.ID"));
        QVERIFY(sale.next());
        QCOMPARE(sale.value(0).toString(), customer.isEmpty() ? QString("NOT SELECTED") : customer);
        QCOMPARE(cents(sale.value(1)), till.total->text());
        QCOMPARE(cents(sale.value(2)), cents(paid));
        // Stored as owed (negative), shown as handed back.
        QCOMPARE(cents(-sale.value(3).toDouble()), till.change->text());
        QCOMPARE(sale.value(4).toString(), product);
        QCOMPARE(cents(sale.value(5)), cents(price));
        QCOMPARE(cents(sale.value(6)), pos.Basket()->LineTotal(0));
        QVERIFY(!sale.next());
    }

    void panelPaging()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        const int pills = AddCategory("Pills");
        const int empty = AddCategory("Empty");
        Q_UNUSED(empty)
        const int vendor = AddVendor("Acme");
        for (int i = 0; i < 17; ++i) {
            BatchSeed seed;
            seed.barCode = QString("B%1").arg(i, 2, 10, QChar('0'));
            AddSellable(pills, vendor, "Pill " + seed.barCode, 1, 0, seed,
                        i == 0 ? "C:/pics/amoxil.png" : QString());
        }
        BatchSeed hidden;
        hidden.barCode = "HIDDEN";
        hidden.showOnPos = 0;
        AddSellable(pills, vendor, "Hidden", 1, 0, hidden);
        AppSettings::Instance().Settings()->setValue("IMAGES_FOLDER", "D:/shop/images");
        CPOS pos;
        Till till(pos);
        QCOMPARE(till.pages->text(), QString("Page 1 of 2 "));
        QStringList codes = pos.PanelBarCodes();
        QCOMPARE(codes.size(), 16);
        QVERIFY(!codes.contains("NOCODE") && !codes.contains("HIDDEN"));
        auto *picture = pos.findChild<CPosButton *>("posButton0");
        QVERIFY(picture->styleSheet().startsWith(
            "CPosButton {border-image:url(D:/shop/images/amoxil.png); }"));
        QCOMPARE(picture->text(), QString());

        QTest::keyClick(till.barCode, Qt::Key_PageUp);
        QCOMPARE(till.pages->text(), QString("Page 2 of 2 "));
        QCOMPARE(pos.PanelBarCodes().count("NOCODE"), 15);
        QTest::keyClick(till.barCode, Qt::Key_PageUp);
        QCOMPARE(till.pages->text(), QString("Page 2 of 2 "));
        QTest::keyClick(till.barCode, Qt::Key_PageDown);
        QTest::keyClick(till.barCode, Qt::Key_PageDown);
        QCOMPARE(till.pages->text(), QString("Page 1 of 2 "));
        QCOMPARE(pos.PanelBarCodes(), codes);

        till.category->setCurrentIndex(till.category->findText("Empty"));
        QCOMPARE(till.pages->text(), QString("Category Page 1 of 0 "));
        QCOMPARE(pos.PanelBarCodes().count("NOCODE"), 16);
        QTest::keyClick(till.barCode, Qt::Key_F11);
        QCOMPARE(till.pages->text(), QString("Page 1 of 2 "));
        QCOMPARE(till.category->currentIndex(), -1);

        // A click sells its batch with the quantity typed.
        till.items->setText("2");
        pos.findChild<CPosButton *>("posButton1")->click();
        QCOMPARE(till.Lines(), 1);
        QCOMPARE(pos.Basket()->Quantity(0), QString("2"));
        QCOMPARE(Stock(codes.at(1)), QString("8/0"));
    }

    // Nothing stored: the sale screen's panel has the size the POS settings page shows.
    void panelSizeAgreesWithSettingsPage()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AppSettings::Instance().Settings()->remove("POS_ROWS");
        AppSettings::Instance().Settings()->remove("POS_COLUMNS");
        POSSettings page;
        const int rows = page.findChild<QSpinBox *>("spinRows")->value();
        const int columns = page.findChild<QSpinBox *>("spinCols")->value();
        CPOS pos;
        QCOMPARE(pos.PanelBarCodes().size(), rows * columns);
        QCOMPARE(rows, Setting::PosRows.number);
        QCOMPARE(columns, Setting::PosColumns.number);
    }

    // At 1366 x 768 the cashier sees every basket column up to Line Total without scrolling:
    // on a fresh screen, with a line, and after F2 started the next sale.
    void basketFitsTheScreen_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::newRow("no theme") << QString();
        QTest::newRow("dark") << "WindowsStyleSheet.txt";
        QTest::newRow("light") << "WindowsStyleSheetLight.txt";
    }

    void basketFitsTheScreen()
    {
        QFETCH(QString, theme);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("FIT1", 50);
        const QString sheet = ThemeSheet(theme);
        QVERIFY(theme.isEmpty() || !sheet.isEmpty());
        CPOS pos;
        pos.setStyleSheet(sheet);
        pos.resize(1366, 768);
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        // What a header of the same theme needs for each caption, without its padding blanks.
        QStandardItemModel captions(0, till.table->model()->columnCount());
        QTableView measure;
        measure.setStyleSheet(sheet);
        measure.setModel(&captions);
        for (int column = 0; column < captions.columnCount(); ++column)
            captions.setHeaderData(column, Qt::Horizontal,
                                   till.table->model()->headerData(column, Qt::Horizontal).toString().trimmed());
        measure.ensurePolished();
        auto fits = [&](const char *when) {
            QApplication::processEvents();
            QTableView *view = till.table;
            const int last = CItemTransactionsModel::LineTotalColumn;
            QVERIFY2(!view->horizontalScrollBar()->isVisible(), when);
            QVERIFY2(!view->isColumnHidden(last), when);
            const int right = view->columnViewportPosition(last) + view->columnWidth(last);
            QVERIFY2(right <= view->viewport()->width(), when);
            for (const int hidden : {int(CItemTransactionsModel::PurchasePriceColumn),
                                     int(CItemTransactionsModel::PurchaseTotalColumn)})
                QVERIFY2(view->isColumnHidden(hidden), when);
            for (int column = 0; column < captions.columnCount(); ++column) {
                if (view->isColumnHidden(column))
                    continue;
                QVERIFY2(view->columnWidth(column) >= measure.horizontalHeader()->sectionSizeHint(column),
                         qPrintable(QString("%1: %2 is cut").arg(when, captions.headerData(column, Qt::Horizontal).toString())));
            }
        };
        fits("fresh");
        till.Scan("FIT1");
        QCOMPARE(till.table->model()->rowCount(), 1);
        fits("with a line");
        QCOMPARE(till.Pay("1000"), QString());
        Child<QPushButton>(&pos, "pushNew")->click(); // F2
        QCOMPARE(till.table->model()->rowCount(), 0);
        fits("after F2");
    }

    void panelWithoutBatchesAndGridColours()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        {
            CPOS pos;
            Till till(pos);
            QCOMPARE(till.pages->text(), QString("Page 1 of 0 "));
            QCOMPARE(pos.PanelBarCodes().count("NOCODE"), 16);
            QCOMPARE(pos.findChild<QLabel *>("posLabel15")->text(), QString("UNUSED"));
            QVERIFY(!pos.findChild<CPosButton *>("posButton0")->isEnabled());
            QTest::keyClick(till.barCode, Qt::Key_PageUp);
            QTest::keyClick(till.barCode, Qt::Key_PageDown);
            QCOMPARE(till.pages->text(), QString("Page 1 of 0 "));
        }
        SetTillSettings(true, true, 2, 5);
        const int category = AddCategory("Pills");
        const int vendor = AddVendor("Acme");
        for (int i = 0; i < 10; ++i) {
            BatchSeed seed;
            seed.barCode = QString("C%1").arg(i);
            AddSellable(category, vendor, "Pill", 1, 0, seed);
        }
        CPOS pos;
        auto *grid = pos.findChild<QGridLayout *>("gridPosButtons");
        QCOMPARE(grid->rowCount(), 4);
        QCOMPARE(grid->columnCount(), 5);
        for (int i = 0; i < 10; ++i) {
            const QString sheet
                = pos.findChild<CPosButton *>(QString("posButton%1").arg(i))->styleSheet();
            QVERIFY2(sheet.contains(i < 5 ? "#228B22" : "#FF7F50"), qPrintable(sheet));
            QVERIFY(sheet.contains("CPosButton:pressed { margin: 5px; }"));
        }
    }

    // F3 and F4 print what the screen shows, before and after payment; F8 opens the history.
    void receiptAndSalesKeys()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        QuillboxTest::UrlCatcher viewer;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
        const auto restore = qScopeGuard([] { QDesktopServices::unsetUrlHandler("file"); });
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        QCOMPARE(till.Scan("A1", "3", "0"), QString());
        const auto printWith = [&](Qt::Key key) {
            ShowActive(&pos);
            auto *driver = new DialogDriver(&pos);
            driver->Expect("Print to PDF", "Currently it is configured to print to PDF file.");
            QTest::keyClick(till.barCode, key);
            driver->WaitForAll();
            const QString report = driver->Report();
            delete driver;
            return report;
        };
        QCOMPARE(printWith(Qt::Key_F3), QString());
        const QString unpaid = ReportEngine::PdfFilePath();
        // The status says where the receipt went.
        QVERIFY2(till.status->text().contains(QFileInfo(unpaid).fileName()),
                 qPrintable(till.status->text()));
        const QString before = ReportTest::PdfText(unpaid);
        QVERIFY2(before.contains("Amoxil A1") && !before.contains("Paid 100"), qPrintable(before));
        QCOMPARE(till.Pay("100"), QString());
        const QString id = pos.Basket()->ReceiptNumber();
        QCOMPARE(printWith(Qt::Key_F4), QString());
        // Each receipt a file of its own, named after the sale once it has a number.
        QVERIFY(ReportEngine::PdfFilePath() != unpaid);
        QVERIFY(QFileInfo(ReportEngine::PdfFilePath())
                    .fileName()
                    .startsWith("receipt-" + id.rightJustified(6, '0') + "-"));
        const QString after = ReportTest::PdfText(ReportEngine::PdfFilePath());
        QVERIFY2(after.contains("Receipt Nr.: " + id), qPrintable(after));
        QVERIFY2(after.contains("Paid 100.00") || after.contains("Paid " + till.paid->text()),
                 qPrintable(after));
        QCOMPARE(viewer.opened.size(), 2);

        DialogDriver driver;
        driver.Expect("Sales", QString(), DialogDriver::Reject());
        QVERIFY(ShowActive(&pos));
        QTest::keyClick(till.barCode, Qt::Key_F8);
        QVERIFY_DIALOGS(driver);
        QVERIFY(till.barCode->hasFocus());
    }

    void tillKeysAndClosing()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        QPOSDialog host(nullptr, false);
        CPOS *pos = HostTill(host);
        QVERIFY(ShowActive(&host));
        Till till(*pos);
        QTest::keyClick(till.barCode, Qt::Key_Escape);
        QTest::keyClick(&host, Qt::Key_Escape);
        QVERIFY(host.isVisible());

        QCOMPARE(till.Scan("A1"), QString());
        QTest::keyClick(till.barCode, Qt::Key_F2);
        QTRY_COMPARE(till.status->text(), QString(Msg::PaymentPending));
        QCOMPARE(till.Lines(), 1);

        auto *close = Child<QPushButton>(pos, "pushButtonClose");
        DialogDriver driver;
        driver.Expect("Close POS?", "Payment is pending!", DialogDriver::Press("No"));
        close->click();
        QVERIFY_DIALOGS(driver);
        QVERIFY(host.isVisible());
        driver.Expect("Close POS?", "Do you still want to close POS?", DialogDriver::Press("Yes"));
        close->click();
        QVERIFY_DIALOGS(driver);
        QVERIFY(!host.isVisible());
        // Yes gives the unpaid line's stock back and leaves no open line behind.
        QCOMPARE(Stock("A1"), QString("5/0"));
        QCOMPARE(Value("SELECT COUNT(*) FROM tblOpenBasketLines").toInt(), 0);

        // Paid or empty: no question.
        QPOSDialog again(nullptr, false);
        auto *fresh = new CPOS(&again);
        (new QGridLayout(&again))->addWidget(fresh);
        again.show();
        Child<QPushButton>(fresh, "pushButtonClose")->click();
        QVERIFY(!again.isVisible());
        QVERIFY(driver.Errors().isEmpty());
    }

    void unfinishedBasketOnStart_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("stock");
        QTest::newRow("taken up again") << "Take up again" << 2 << "3/0";
        QTest::newRow("put back") << "Put back into stock" << 0 << "5/0";
    }
    void unfinishedBasketOnStart()
    {
        QFETCH(QString, answer);
        QFETCH(int, lines);
        QFETCH(QString, stock);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddTablets("A1", 5);
        {
            // The till goes away mid-basket, without CLOSE.
            CPOS pos;
            Till till(pos);
            QCOMPARE(till.Scan("A1"), QString());
            QCOMPARE(till.Scan("A1"), QString());
        }
        DialogDriver driver;
        driver.Expect("Unfinished sale", "2 line", DialogDriver::Press(answer));
        CPOS pos;
        QVERIFY_DIALOGS(driver);
        Till till(pos);
        QCOMPARE(till.Lines(), lines);
        QCOMPARE(Stock("A1"), stock);
        QCOMPARE(pos.State(), lines ? CPOS::SalePending : CPOS::SaleNew);
        if (lines) {
            // Paying the basket taken up closes its record.
            QCOMPARE(till.Pay("100"), QString());
            QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesInvoice").toInt(), 2);
        }
        QCOMPARE(Value("SELECT COUNT(*) FROM tblOpenBasketLines").toInt(), 0);
    }
};

QUILLBOX_TEST_MAIN(TestPos)
#include "tst_pos.moc"
