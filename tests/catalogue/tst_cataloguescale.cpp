#include "testsupport.h"

#include "cataloguetesthelpers.h"
#include "inventorymanagement.h"
#include "pagedquerymodel.h"
#include "productmanagement.h"
#include "scaledata.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace CatalogueTest;
using QuillboxTest::FreshDatabases;

namespace {
constexpr int kProducts = 100000;
constexpr int kBatches = 200000;
// Generous: the point is that nothing scales with the table, not a benchmark.
constexpr qint64 kQuickMs = 8000;
} // namespace

// Lists over a shop-sized catalogue open and search a page at a time.
class TestCatalogueScale : public QObject
{
    Q_OBJECT
private:
    FreshDatabases *m_dbs = nullptr;

private slots:
    void initTestCase()
    {
        QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test");
        QuillboxTest::ResetState();
        m_dbs = new FreshDatabases(FreshDatabases::Inventory);
        QVERIFY(m_dbs->IsValid());
        const QString schema = m_dbs->InventoryName();
        QString error;
        QVERIFY2(QuillboxTest::FillCatalogue(schema, kProducts, kBatches, &error), qPrintable(error));
        QCOMPARE(Value("SELECT COUNT(*) FROM tblProducts").toInt(), kProducts);
        QCOMPARE(Value("SELECT COUNT(*) FROM tblInventory").toInt(), kBatches);
    }
    void cleanupTestCase() { delete m_dbs; }

    void productListOpensOnePage()
    {
        QElapsedTimer timer;
        timer.start();
        ProductManagement list;
        PagedQueryModel *model = list.Model();
        QVERIFY2(timer.elapsed() < kQuickMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(model->rowCount(), model->PageSize());
        QVERIFY(model->canFetchMore());

        // Scrolling to the end asks for exactly one more page.
        list.resize(1000, 700);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        auto *view = list.findChild<QTableView *>("tableViewProducts");
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        QTRY_COMPARE(model->rowCount(), 2 * model->PageSize());

        timer.restart();
        view->sortByColumn(3, Qt::DescendingOrder);
        QVERIFY2(timer.elapsed() < kQuickMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(model->rowCount(), model->PageSize());
        QCOMPARE(model->index(0, 3).data().toString(), QString("Product 99999"));
    }

    void productSearchStaysBounded_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("rows"); // -1: a full page with more to come
        QTest::newRow("broad name") << "Product 1" << "" << -1;
        QTest::newRow("one name") << "Product 77777" << "" << 1;
        QTest::newRow("code") << "" << "P4242" << 11;
        QTest::newRow("no match") << "Nothing like it" << "" << 0;
    }
    void productSearchStaysBounded()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(int, rows);
        ProductManagement list;
        list.findChild<QLineEdit *>("editName")->setText(name);
        list.findChild<QLineEdit *>("editCode")->setText(code);
        QElapsedTimer timer;
        timer.start();
        list.findChild<QPushButton *>("buttonSearch")->click();
        QVERIFY2(timer.elapsed() < kQuickMs, qPrintable(QString::number(timer.elapsed())));
        if (rows < 0) {
            QCOMPARE(list.Model()->rowCount(), list.Model()->PageSize());
            QVERIFY(list.Model()->canFetchMore());
        } else {
            QCOMPARE(list.Model()->rowCount(), rows);
            QVERIFY(!list.Model()->canFetchMore());
        }
    }

    void batchListOpensOnePage()
    {
        QElapsedTimer timer;
        timer.start();
        InventoryManagement list;
        PagedQueryModel *model = list.Model();
        QVERIFY2(timer.elapsed() < kQuickMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(model->rowCount(), model->PageSize());
        QVERIFY(model->canFetchMore());
        model->fetchMore();
        QCOMPARE(model->rowCount(), 2 * model->PageSize());

        timer.restart();
        list.findChild<QTableView *>("tableViewItems")->sortByColumn(7, Qt::DescendingOrder);
        QVERIFY2(timer.elapsed() < kQuickMs, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(model->rowCount(), model->PageSize());
        QCOMPARE(model->index(0, 7).data().toString(),
                 QDate(2030, 1, 1).addDays(1499).toString("yyyy-MM-dd"));
    }

    void batchSearchStaysBounded_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("barCode");
        QTest::addColumn<int>("rows");
        QTest::newRow("broad name") << "Product" << "" << -1;
        QTest::newRow("one product") << "Product 12345" << "" << 2; // batches 12345 and 112345
        QTest::newRow("barcode") << "" << "B199999" << 1;
        QTest::newRow("broad barcode") << "" << "B1" << -1;
    }
    void batchSearchStaysBounded()
    {
        QFETCH(QString, name);
        QFETCH(QString, barCode);
        QFETCH(int, rows);
        InventoryManagement list;
        list.findChild<QLineEdit *>("editName")->setText(name);
        list.findChild<QLineEdit *>("editCode")->setText(barCode);
        QElapsedTimer timer;
        timer.start();
        list.findChild<QPushButton *>("buttonSearch")->click();
        QVERIFY2(timer.elapsed() < kQuickMs, qPrintable(QString::number(timer.elapsed())));
        if (rows < 0) {
            QCOMPARE(list.Model()->rowCount(), list.Model()->PageSize());
            QVERIFY(list.Model()->canFetchMore());
        } else {
            QCOMPARE(list.Model()->rowCount(), rows);
        }
    }
};

QUILLBOX_TEST_MAIN(TestCatalogueScale)
#include "tst_cataloguescale.moc"
