#include "testsupport.h"

#include "cataloguetesthelpers.h"
#include "pagedquerymodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace CatalogueTest;
using QuillboxTest::FreshDatabases;

namespace {
QStringList ColumnOf(const PagedQueryModel &model, int column = 1)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

const QString kSelect = QStringLiteral("SELECT ID, PRODUCT_CODE, NAME FROM tblProducts WHERE 1 = 1");
} // namespace

class TestPagedQueryModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test"); }
    void init() { QuillboxTest::ResetState(); }

    void fetchesPageByPage_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<QList<int>>("counts"); // row count after opening and each fetchMore
        QTest::newRow("empty") << 0 << 3 << QList<int>({0});
        QTest::newRow("less than a page") << 2 << 3 << QList<int>({2});
        QTest::newRow("exactly a page") << 3 << 3 << QList<int>({3});
        QTest::newRow("exactly two pages") << 6 << 3 << QList<int>({3, 6});
        QTest::newRow("ragged last page") << 7 << 3 << QList<int>({3, 6, 7});
        QTest::newRow("page of one") << 3 << 1 << QList<int>({1, 2, 3});
    }
    void fetchesPageByPage()
    {
        QFETCH(int, rows);
        QFETCH(int, pageSize);
        QFETCH(QList<int>, counts);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("C");
        for (int i = 1; i <= rows; ++i)
            AddProduct(category, QString("P%1").arg(i, 2, 10, QLatin1Char('0')), "N");
        PagedQueryModel model;
        model.SetPageSize(pageSize);
        model.SetTieBreaker("ID");
        QVERIFY(model.SetQuery(Db(), kSelect));
        QCOMPARE(model.columnCount(), 3);
        for (int step = 0; step < counts.size(); ++step) {
            QCOMPARE(model.rowCount(), counts.at(step));
            const bool more = step + 1 < counts.size();
            QCOMPARE(model.canFetchMore(), more);
            if (more)
                model.fetchMore();
        }
        // Pages never overlap or skip a row.
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.index(row, 1).data().toString(), QString("P%1").arg(row + 1, 2, 10, QLatin1Char('0')));
        model.fetchMore(); // at the end: nothing happens
        QCOMPARE(model.rowCount(), rows);

        // A new page size after rows were fetched (a printout wants every row at once)
        // starts again from the first page instead of reading rows at the wrong place.
        model.SetPageSize(1 << 30);
        QCOMPARE(model.rowCount(), rows);
        QVERIFY(!model.canFetchMore());
        model.SetPageSize(pageSize);
        QCOMPARE(model.rowCount(), counts.first());
        if (rows > 0)
            QCOMPARE(model.index(model.rowCount() - 1, 1).data().toString(),
                     QString("P%1").arg(model.rowCount(), 2, 10, QLatin1Char('0')));
    }

    void valuesAreBoundAndSortedOnTheServer()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("C");
        AddProduct(category, "A", "O'Brien");
        AddProduct(category, "B", "Plain");
        AddProduct(category, "C", "O'Brien too");
        PagedQueryModel model;
        model.SetPageSize(1);
        model.SetTieBreaker("ID");
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QVERIFY(model.SetQuery(Db(), kSelect + " AND NAME LIKE :pattern",
                               {{":pattern", QString("O'Brien%")}}));
        QCOMPARE(model.rowCount(), 1);
        QVERIFY(model.canFetchMore());
        model.sort(1, Qt::DescendingOrder);
        QCOMPARE(model.SortColumn(), 1);
        // The tie-breaker follows the sort's direction, so one index serves the whole order.
        QVERIFY(model.PageStatement().contains("ORDER BY 2 DESC, ID DESC LIMIT"));
        // Sorting starts again from the first page of the new order.
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.index(0, 1).data().toString(), QString("C"));
        model.fetchMore();
        QCOMPARE(model.index(1, 1).data().toString(), QString("A"));
        QVERIFY(!model.canFetchMore());
        QCOMPARE(resets.count(), 2);

        model.SetSortExpressions({"ID", "PRODUCT_CODE", "NAME"});
        model.sort(2, Qt::AscendingOrder);
        QVERIFY(model.PageStatement().contains("ORDER BY NAME ASC, ID LIMIT"));
        QCOMPARE(model.index(0, 2).data().toString(), QString("O'Brien"));
        // Refresh keeps statement, values and order.
        model.Refresh();
        QCOMPARE(model.index(0, 2).data().toString(), QString("O'Brien"));
        model.sort(-1);
        QVERIFY(model.PageStatement().contains("ORDER BY ID LIMIT"));
    }

    // Every order walked page by page (forward, and backward from the end) gives exactly the
    // rows of one plain ORDER BY: no row skipped or repeated at a page's edge, also where
    // keys repeat or are NULL, and with only a window of pages kept in memory.
    void keysetPagesMatchTheFullOrder_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<QString>("fullOrder");
        QTest::addColumn<bool>("bounded"); // each page bounded ahead by the sort column
        QTest::newRow("unsorted") << -1 << int(Qt::AscendingOrder) << 3 << "ID" << false;
        QTest::newRow("repeated names asc") << 2 << int(Qt::AscendingOrder) << 2 << "NAME, ID" << false;
        QTest::newRow("repeated names desc") << 2 << int(Qt::DescendingOrder) << 2
                                             << "NAME DESC, ID DESC" << false;
        QTest::newRow("nulls asc") << 3 << int(Qt::AscendingOrder) << 2 << "DESCRIPTION, ID" << false;
        QTest::newRow("nulls desc") << 3 << int(Qt::DescendingOrder) << 3
                                    << "DESCRIPTION DESC, ID DESC" << false;
        QTest::newRow("two-part key") << 4 << int(Qt::DescendingOrder) << 2
                                      << "ITEMS_PER_UNIT DESC, NAME DESC, ID DESC" << false;
        QTest::newRow("unique code, page of one") << 1 << int(Qt::DescendingOrder) << 1
                                                  << "PRODUCT_CODE DESC" << false;
        QTest::newRow("row ending at the page's limit") << 2 << int(Qt::AscendingOrder) << 11
                                                        << "NAME, ID" << false;
        QTest::newRow("bounded names asc") << 2 << int(Qt::AscendingOrder) << 2 << "NAME, ID" << true;
        QTest::newRow("bounded names desc") << 2 << int(Qt::DescendingOrder) << 3
                                            << "NAME DESC, ID DESC" << true;
        QTest::newRow("bounded, one page") << 2 << int(Qt::AscendingOrder) << 11 << "NAME, ID"
                                           << true;
        QTest::newRow("bounded two-part key") << 4 << int(Qt::DescendingOrder) << 2
                                              << "ITEMS_PER_UNIT DESC, NAME DESC, ID DESC" << true;
    }
    void keysetPagesMatchTheFullOrder()
    {
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(int, pageSize);
        QFETCH(QString, fullOrder);
        QFETCH(bool, bounded);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("C");
        const char *names[] = {"b", "a", "b", "c", "a", "b", "b", "a", "c", "c", "b"};
        for (int i = 0; i < 11; ++i) {
            const int id = AddProduct(category, QString("P%1").arg(i, 2, 10, QLatin1Char('0')),
                                      names[i], 0, 1 + i % 3);
            if (i % 3 != 0)
                Exec("UPDATE tblProducts SET DESCRIPTION = ? WHERE ID = ?", {QString("d%1").arg(i % 2), id});
        }
        const QStringList expected =
            Column("SELECT PRODUCT_CODE FROM tblProducts ORDER BY " + fullOrder);
        PagedQueryModel model;
        QAbstractItemModelTester tester(&model);
        model.SetPageSize(pageSize);
        model.SetResidentPages(2);
        model.SetTieBreaker("ID");
        model.SetUniqueColumns({0, 1});
        if (bounded)
            model.SetBoundedColumns({column});
        model.SetSortExpressions({"ID", "PRODUCT_CODE", "NAME", "DESCRIPTION", "ITEMS_PER_UNIT, NAME"});
        model.sort(column, Qt::SortOrder(order));
        QVERIFY(model.SetQuery(Db(), "SELECT ID, PRODUCT_CODE, NAME, DESCRIPTION, ITEMS_PER_UNIT "
                                     "FROM tblProducts"));
        // A unique column is not followed by the tie-breaker.
        QCOMPARE(model.PageStatement().contains("ORDER BY PRODUCT_CODE DESC LIMIT"), column == 1);
        while (model.canFetchMore())
            model.fetchMore();
        QVERIFY(model.ResidentPages() <= 2);
        QCOMPARE(ColumnOf(model), expected);
        // Read again from the end backwards, after the first pages were dropped.
        QStringList backwards;
        for (int row = model.rowCount() - 1; row >= 0; --row)
            backwards.prepend(model.index(row, 1).data().toString());
        QCOMPARE(backwards, expected);

        // Jumping to the end before scrolling shows the last rows at once.
        QVERIFY(model.Refresh());
        QVERIFY(model.JumpToEnd());
        QVERIFY(!model.canFetchMore());
        QCOMPARE(model.rowCount(), expected.size());
        QCOMPARE(model.record(model.rowCount() - 1).value(1).toString(), expected.last());
        QCOMPARE(ColumnOf(model), expected);
        QVERIFY(model.ResidentPages() <= 2);
    }

    // Where few rows match, or the matches lie far along the order, the walk that bounds a
    // page runs out of its budget of rows read before it finds the page's last value; a
    // filter on the walked table itself is walked to the end instead. The pages hold every
    // match, in order, either way.
    void boundedPagesSurviveACutShortWalk_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("walked"); // the filter is on the walked table alone
        QTest::addColumn<bool>("firstPageBounded");
        const QString rare = QStringLiteral("IMAGE_FILE = 'rare'");
        // Names "N10..." come last in descending order, behind some 27,000 others; the
        // leading wildcard leaves the server no range of the index to start from.
        const QString far = QStringLiteral("NAME LIKE '_10%'");
        QTest::newRow("rare asc") << rare << int(Qt::AscendingOrder) << false << false;
        QTest::newRow("rare desc") << rare << int(Qt::DescendingOrder) << false << false;
        QTest::newRow("far names, budget") << far << int(Qt::DescendingOrder) << false << false;
        QTest::newRow("far names, walked") << far << int(Qt::DescendingOrder) << true << true;
        QTest::newRow("near names, walked") << far << int(Qt::AscendingOrder) << true << true;
    }
    void boundedPagesSurviveACutShortWalk()
    {
        QFETCH(QString, filter);
        QFETCH(int, order);
        QFETCH(bool, walked);
        QFETCH(bool, firstPageBounded);
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("C");
        // The rare filter's column has no index: only a walk or a full read finds the matches.
        QVERIFY(Exec("INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, "
                     "IMAGE_FILE) SELECT ?, CONCAT('P', seq), CONCAT('N', seq % 997), 1, "
                     "IF(seq % 3001 = 0, 'rare', NULL) FROM seq_1_to_30000",
                     {category}) > 0);
        const QString direction = order == Qt::AscendingOrder ? "" : " DESC";
        const QStringList expected = Column("SELECT PRODUCT_CODE FROM tblProducts WHERE " + filter
                                            + " ORDER BY NAME" + direction + ", ID" + direction);
        PagedQueryModel model;
        model.SetPageSize(2);
        model.SetTieBreaker("ID");
        model.SetSortExpressions({"ID", "PRODUCT_CODE", "NAME"});
        model.SetBoundedColumns({2});
        if (walked)
            model.SetWalkedFilterColumns({2});
        model.sort(2, Qt::SortOrder(order));
        QVERIFY(model.SetQuery(Db(), "SELECT ID, PRODUCT_CODE, NAME FROM tblProducts WHERE "
                                     + filter));
        QCOMPARE(model.LastPageBounded(), firstPageBounded);
        while (model.canFetchMore())
            model.fetchMore();
        QCOMPARE(ColumnOf(model), expected);
        // Read again from the end backwards, each page bounded from its neighbour's key.
        QVERIFY(model.Refresh());
        QVERIFY(model.JumpToEnd());
        QStringList backwards;
        for (int row = model.rowCount() - 1; row >= 0; --row)
            backwards.prepend(model.index(row, 1).data().toString());
        QCOMPARE(backwards, expected);
    }

    void consistentForTheModelTester()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        const int category = AddCategory("C");
        for (int i = 0; i < 7; ++i)
            AddProduct(category, QString("P%1").arg(i), QString("N%1").arg(7 - i));
        PagedQueryModel model;
        model.SetPageSize(2);
        model.SetTieBreaker("ID");
        // The tester itself fetches pages while it checks.
        QAbstractItemModelTester tester(&model);
        QVERIFY(model.SetQuery(Db(), kSelect));
        model.fetchMore();
        model.sort(2, Qt::DescendingOrder);
        model.fetchMore();
        model.Refresh();
        while (model.canFetchMore())
            model.fetchMore();
        QCOMPARE(model.rowCount(), 7);
        QCOMPARE(model.index(0, 2).data().toString(), QString("N7"));
        QCOMPARE(model.index(6, 2).data().toString(), QString("N1"));
    }

    void recordsAndHeaders()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        AddProduct(AddCategory("C"), "A", "Apple");
        PagedQueryModel model;
        QVERIFY(model.SetQuery(Db(), kSelect));
        const QSqlRecord record = model.record(0);
        QCOMPARE(record.value("PRODUCT_CODE").toString(), QString("A"));
        QCOMPARE(record.value(2).toString(), QString("Apple"));
        QVERIFY(model.record(1).isEmpty());
        QVERIFY(model.record(-1).isEmpty());
        QCOMPARE(model.record().fieldName(2), QString("NAME"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("PRODUCT_CODE"));
        QVERIFY(model.setHeaderData(1, Qt::Horizontal, "Code"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Code"));
        // Headers outlive a change of statement.
        QVERIFY(model.SetQuery(Db(), kSelect + " AND 1 = 0"));
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Code"));
        QVERIFY(!model.index(0, 0).isValid());
    }

    void failingStatementLeavesAnEmptyModel()
    {
        FreshDatabases dbs(FreshDatabases::Inventory);
        QVERIFY(dbs.IsValid());
        PagedQueryModel model;
        QAbstractItemModelTester tester(&model);
        QVERIFY(!model.SetQuery(Db(), "SELECT NO_SUCH_COLUMN FROM tblProducts"));
        QVERIFY(model.lastError().isValid());
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.canFetchMore());
        model.Clear();
        QCOMPARE(model.columnCount(), 0);
    }
};

QUILLBOX_TEST_MAIN(TestPagedQueryModel)
#include "tst_pagedquerymodel.moc"
