// Open baskets on record: what an entry writes, what payment closes, what goes back into stock,
// and a sale key that records a sale once however often it is paid.

#include "postesthelpers.h"

#include "abandonedbaskets.h"
#include "itemtransactionsmodel.h"
#include "openbaskets.h"
#include "posstore.h"

#include <QTableWidget>

using namespace PosTest;
using QuillboxTest::FreshDatabases;
using QuillboxTest::Seed::AddCategory;
using QuillboxTest::Seed::AddVendor;
using QuillboxTest::Seed::Exec;

namespace {
void AddBatch(const QString &code, int itemsPerUnit, int quantity, int subItems = 0)
{
    BatchSeed seed;
    seed.barCode = code;
    seed.quantity = quantity;
    seed.subItems = subItems;
    AddSellable(AddCategory("C " + code), AddVendor("V " + code), "Item " + code, itemsPerUnit, 0,
                seed);
}

PosStore::ItemTaken Enter(const QString &till, CItemTransactionsModel &basket, const QString &code,
                          int quantity, int subQuantity = 0, bool returnMode = false)
{
    PosStore::ItemRequest request;
    request.barCode = code;
    request.quantity = quantity;
    request.subQuantity = subQuantity;
    request.returnMode = returnMode;
    request.tillId = till;
    request.basketKey = basket.SaleKey();
    request.lineIndex = basket.NextLineIndex();
    const PosStore::ItemTaken taken
        = PosStore::TakeItem(CDBManager::Instance().GetInventoryDataBase(), request);
    if (taken.refusal.isEmpty())
        basket.AppendLine(taken.name, QString::number(quantity), QString::number(subQuantity),
                          taken.salePrice, taken.purchasePrice, taken.amounts);
    return taken;
}

bool Pay(const CItemTransactionsModel &basket, int *id)
{
    const PosStore::SaleHeader header{"u", "NOT SELECTED", basket.GrandTotal(), "1000", "0",
                                      basket.SaleKey(),
                                      CDBManager::Instance().GetInventoryDataBase().databaseName()};
    QString failure;
    return PosStore::RecordSale(CDBManager::Instance().GetSalesDataBase(), header, basket, id,
                                &failure);
}

int OpenLines()
{
    return Value("SELECT COUNT(*) FROM tblOpenBasketLines").toInt();
}
} // namespace

class TestOpenBaskets : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }
    void entryPaymentAndPutBack_data();
    void entryPaymentAndPutBack();
    void saleKeyRecordsOnce();
    void tillSellsOnAnEarlierShape_data();
    void tillSellsOnAnEarlierShape();
    void voidLineOrSale_data();
    void voidLineOrSale();
    void abandonedBasketsForManager();
};

void TestOpenBaskets::entryPaymentAndPutBack_data()
{
    QTest::addColumn<int>("perUnit");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<int>("subQuantity");
    QTest::addColumn<bool>("returnMode");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("afterEntry");
    QTest::addColumn<int>("shelfSetTo"); // the batch counted anew before the put back; -1 not
    QTest::addColumn<bool>("paid");
    QTest::addColumn<QString>("atEnd");
    QTest::newRow("whole unit back") << 10 << 1 << 0 << false << 10 << "4/0" << -1 << false << "5/0";
    QTest::newRow("broken unit back whole")
        << 10 << 0 << 3 << false << 3 << "4/7" << -1 << false << "5/0";
    QTest::newRow("unpaid return taken out again")
        << 1 << 3 << 0 << true << -3 << "8/0" << -1 << false << "5/0";
    QTest::newRow("unpaid return never below empty")
        << 1 << 3 << 0 << true << -3 << "8/0" << 1 << false << "0/0";
    QTest::newRow("paid sale keeps its stock out")
        << 10 << 1 << 0 << false << 10 << "4/0" << -1 << true << "4/0";
}

void TestOpenBaskets::entryPaymentAndPutBack()
{
    QFETCH(int, perUnit);
    QFETCH(int, quantity);
    QFETCH(int, subQuantity);
    QFETCH(bool, returnMode);
    QFETCH(int, units);
    QFETCH(QString, afterEntry);
    QFETCH(int, shelfSetTo);
    QFETCH(bool, paid);
    QFETCH(QString, atEnd);
    FreshDatabases dbs;
    QVERIFY(dbs.IsValid());
    AddBatch("B1", perUnit, 5);
    CItemTransactionsModel basket;
    QCOMPARE(Enter("till-1", basket, "B1", quantity, subQuantity, returnMode).refusal, QString());
    QCOMPARE(Stock("B1"), afterEntry);
    QCOMPARE(Value("SELECT UNITS FROM tblOpenBasketLines WHERE TILL_ID = 'till-1' AND "
                   "BASKET_KEY = ?", {basket.SaleKey()}).toInt(),
             units);
    if (shelfSetTo >= 0)
        Exec("UPDATE tblInventory SET QUANTITY = ? WHERE BAR_CODE = 'B1'", {shelfSetTo});
    if (paid) {
        int id = 0;
        QVERIFY(Pay(basket, &id));
    } else {
        QVERIFY(PosStore::PutBackBaskets(CDBManager::Instance().GetInventoryDataBase(),
                                         {basket.SaleKey()}));
    }
    QCOMPARE(Stock("B1"), atEnd);
    QCOMPARE(OpenLines(), 0);
}

void TestOpenBaskets::saleKeyRecordsOnce()
{
    FreshDatabases dbs;
    QVERIFY(dbs.IsValid());
    AddBatch("B1", 1, 50);
    CItemTransactionsModel basket;
    QCOMPARE(Enter("till-1", basket, "B1", 2).refusal, QString());
    int first = 0, again = 0, other = 0;
    QVERIFY(Pay(basket, &first));
    // Paid again, as after a lost answer: the same sale comes back, nothing is added.
    QVERIFY(Pay(basket, &again));
    QCOMPARE(again, first);
    CItemTransactionsModel next;
    QCOMPARE(Enter("till-1", next, "B1", 1).refusal, QString());
    QVERIFY(Pay(next, &other));
    QVERIFY(other != first);
    QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesTransactions").toInt(), 2);
    QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesInvoice").toInt(), 2);
    QCOMPARE(Stock("B1"), QString("47/0"));
}

// While a first release's schema waits for its upgrade steps, the till sells as it did.
void TestOpenBaskets::tillSellsOnAnEarlierShape_data()
{
    QTest::addColumn<bool>("basketRecord");
    QTest::addColumn<bool>("saleKey");
    QTest::newRow("no open-basket record") << false << true;
    QTest::newRow("no sale key") << true << false;
    QTest::newRow("neither") << false << false;
}

void TestOpenBaskets::tillSellsOnAnEarlierShape()
{
    QFETCH(bool, basketRecord);
    QFETCH(bool, saleKey);
    FreshDatabases dbs;
    QVERIFY(dbs.IsValid());
    if (!basketRecord)
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(), "DROP TABLE tblOpenBasketLines"));
    if (!saleKey)
        QVERIFY(FreshDatabases::ExecAdmin(dbs.SalesName(),
                                          "ALTER TABLE tblSalesTransactions DROP COLUMN SALE_KEY"));
    AddBatch("B1", 1, 50);
    CItemTransactionsModel basket;
    QCOMPARE(Enter("till-1", basket, "B1", 2).refusal, QString());
    QCOMPARE(Enter("till-1", basket, "B1", 1).refusal, QString());
    int id = 0;
    QVERIFY(Pay(basket, &id));
    QVERIFY(id > 0);
    QCOMPARE(Stock("B1"), QString("47/0"));
    QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesInvoice").toInt(), 2);
    if (basketRecord)
        QCOMPARE(OpenLines(), 0);
    QVector<PosStore::OpenBasket> open;
    QVERIFY(PosStore::StaleOpenBaskets(CDBManager::Instance().GetInventoryDataBase(), 0, &open));
    QVERIFY(open.isEmpty());
}

void TestOpenBaskets::voidLineOrSale_data()
{
    QTest::addColumn<bool>("wholeSale");
    QTest::addColumn<bool>("auditRefused");
    QTest::addColumn<QString>("stockB1");
    QTest::addColumn<QString>("stockB2");
    QTest::addColumn<int>("openLines");
    QTest::addColumn<QString>("auditKind");
    QTest::newRow("one line") << false << false << "10/0" << "7/0" << 1 << "LINE_VOIDED";
    QTest::newRow("whole sale") << true << false << "10/0" << "10/0" << 0 << "SALE_VOIDED";
    // The audit trail refuses: the stock, the open lines and the trail stay as they were.
    QTest::newRow("one line, audit refused") << false << true << "8/0" << "7/0" << 2 << "";
    QTest::newRow("whole sale, audit refused") << true << true << "8/0" << "7/0" << 2 << "";
}

void TestOpenBaskets::voidLineOrSale()
{
    QFETCH(bool, wholeSale);
    QFETCH(bool, auditRefused);
    FreshDatabases dbs;
    QVERIFY(dbs.IsValid());
    AddBatch("B1", 1, 10);
    AddBatch("B2", 1, 10);
    CItemTransactionsModel basket;
    QCOMPARE(Enter("till-1", basket, "B1", 2).refusal, QString());
    QCOMPARE(Enter("till-1", basket, "B2", 3).refusal, QString());
    if (auditRefused)
        QVERIFY(FreshDatabases::ExecAdmin(dbs.InventoryName(),
                                          "CREATE TRIGGER refuse_audit BEFORE INSERT ON "
                                          "tblAuditLog FOR EACH ROW SIGNAL SQLSTATE '45000'"));
    QSqlDatabase db = CDBManager::Instance().GetInventoryDataBase();
    const bool voided = wholeSale ? PosStore::VoidBasket(db, basket.SaleKey())
                                  : PosStore::VoidBasketLine(db, basket.SaleKey(), 0);
    QCOMPARE(voided, !auditRefused);
    QFETCH(QString, stockB1);
    QFETCH(QString, stockB2);
    QFETCH(int, openLines);
    QFETCH(QString, auditKind);
    QCOMPARE(Stock("B1"), stockB1);
    QCOMPARE(Stock("B2"), stockB2);
    QCOMPARE(OpenLines(), openLines);
    QCOMPARE(Value("SELECT GROUP_CONCAT(KIND) FROM tblAuditLog").toString(), auditKind);
    if (!voided || wholeSale)
        return;
    // The next entry after a void takes a new line number, never the voided one's.
    basket.RemoveLine(0);
    QCOMPARE(Enter("till-1", basket, "B1", 1).refusal, QString());
    QCOMPARE(Value("SELECT GROUP_CONCAT(LINE_INDEX ORDER BY LINE_INDEX) FROM tblOpenBasketLines")
                 .toString(),
             QString("1,2"));
    QVERIFY(PosStore::VoidBasketLine(db, basket.SaleKey(), basket.LineIndex(1)));
    QCOMPARE(Stock("B1"), QString("10/0"));
}

void TestOpenBaskets::abandonedBasketsForManager()
{
    FreshDatabases dbs;
    QVERIFY(dbs.IsValid());
    AddBatch("B1", 1, 10);
    CItemTransactionsModel gone, recent;
    QCOMPARE(Enter("till-gone", gone, "B1", 2).refusal, QString());
    QCOMPARE(Enter("till-here", recent, "B1", 1).refusal, QString());
    Exec("UPDATE tblOpenBasketLines SET CREATED_AT = NOW() - INTERVAL 13 HOUR WHERE TILL_ID = "
         "'till-gone'");

    AbandonedBaskets dialog;
    auto *table = Child<QTableWidget>(&dialog, "tableBaskets");
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 0)->text(), QString("till-gone"));
    Child<QPushButton>(&dialog, "pushPutBack")->click();
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(Stock("B1"), QString("9/0"));
    QCOMPARE(OpenLines(), 1);
}

QUILLBOX_TEST_MAIN(TestOpenBaskets)
#include "tst_openbaskets.moc"
