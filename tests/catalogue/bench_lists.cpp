// Speed and memory of the product and batch lists over a shop-sized catalogue
// (100,000 products, 200,000 batches): bench_lists [iterations]
// Run by scripts/bench; not part of the test suite.

#include "benchsupport.h"
#include "inventorymanagement.h"
#include "pagedquerymodel.h"
#include "productmanagement.h"
#include "scaledata.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <memory>

namespace {

constexpr int kProducts = 100000;
constexpr int kBatches = 200000;

double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0.0;
}

// One list screen as a user has it: shown, with its search fields and table.
template <typename List> struct Screen {
    explicit Screen(const char *table)
        : list(std::make_unique<List>())
        , view(list->template findChild<QTableView *>(QLatin1String(table)))
    {
        list->resize(1200, 800);
        list->show();
        QApplication::processEvents();
    }
    void Search(const QString &name, const QString &code)
    {
        list->template findChild<QLineEdit *>(QStringLiteral("editName"))->setText(name);
        list->template findChild<QLineEdit *>(QStringLiteral("editCode"))->setText(code);
        list->template findChild<QPushButton *>(QStringLiteral("buttonSearch"))->click();
        QApplication::processEvents();
    }
    void Sort(int column, int run)
    {
        view->sortByColumn(column, run % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
        QApplication::processEvents();
    }
    void JumpToEnd()
    {
        list->Model()->Refresh();
        list->Model()->JumpToEnd();
        view->scrollToBottom();
        QApplication::processEvents();
    }
    std::unique_ptr<List> list;
    QTableView *view;
};

template <typename List>
void Measure(const QString &what, const char *table, int runs, int sortColumn,
             const QString &rareName, const QString &code)
{
    using QuillboxBench::Report;
    using QuillboxBench::Time;
    Report(what + QStringLiteral(": open, first rows"), QStringLiteral("<= 300 ms"),
           Time(runs, [table] { Screen<List> screen(table); }));
    Screen<List> screen(table);
    Report(what + QStringLiteral(": search, rare name"), QStringLiteral("<= 100 ms"),
           Time(runs, [&] { screen.Search(rareName, QString()); }));
    Report(what + QStringLiteral(": search, broad name"), QStringLiteral("<= 100 ms"),
           Time(runs, [&] { screen.Search(QStringLiteral("Product 1"), QString()); }));
    Report(what + QStringLiteral(": search, code"), QStringLiteral("<= 100 ms"),
           Time(runs, [&] { screen.Search(QString(), code); }));
    screen.list->template findChild<QPushButton *>(QStringLiteral("buttonShowAll"))->click();
    int run = 0;
    Report(what + QStringLiteral(": header sort"), QStringLiteral("<= 300 ms"),
           Time(runs, [&] { screen.Sort(sortColumn, run++); }));
    screen.Sort(-1, 0);
    Report(what + QStringLiteral(": jump to the end"), QStringLiteral("<= 300 ms"),
           Time(runs, [&] { screen.JumpToEnd(); }));
}

} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    if (!QuillboxTest::TestServer::Configured()) {
        qWarning("run through scripts/bench");
        return 1;
    }
    QuillboxTest::ResetState();
    QuillboxTest::FreshDatabases dbs(QuillboxTest::FreshDatabases::Inventory);
    QString error;
    if (!dbs.IsValid()
        || !QuillboxTest::FillCatalogue(dbs.InventoryName(), kProducts, kBatches, &error)) {
        qWarning("could not fill the catalogue: %s", qPrintable(error));
        return 1;
    }

    Measure<ProductManagement>(QStringLiteral("products"), "tableViewProducts", runs, 3,
                               QStringLiteral("Product 77777"), QStringLiteral("P4242"));
    Measure<InventoryManagement>(QStringLiteral("batches"), "tableViewItems", runs, 7,
                                 QStringLiteral("Product 12345"), QStringLiteral("B199999"));
    {
        // Categories are few: the server sorts the products it reads by their category.
        Screen<ProductManagement> screen("tableViewProducts");
        int run = 0;
        QuillboxBench::Report(QStringLiteral("products: header sort by category"),
                              QStringLiteral("<= 300 ms"),
                              QuillboxBench::Time(runs, [&] { screen.Sort(1, run++); }));
    }
    // Columns of the joined product and vendor tables: each page is bounded by walking the
    // joined table's index first.
    const std::pair<int, const char *> joined[] = {
        {5, "product name"}, {6, "vendor name"}, {13, "product code"}};
    for (const auto &column : joined) {
        Screen<InventoryManagement> screen("tableViewItems");
        int run = 0;
        QuillboxBench::Report(QStringLiteral("batches: header sort by %1")
                                  .arg(QLatin1String(column.second)),
                              QStringLiteral("<= 300 ms"),
                              QuillboxBench::Time(runs, [&] { screen.Sort(column.first, run++); }));
        if (column.first != 5)
            continue;
        QuillboxBench::Report(QStringLiteral("batches: jump to the end, sorted by product name"),
                              QStringLiteral("<= 300 ms"),
                              QuillboxBench::Time(runs, [&] { screen.JumpToEnd(); }));
        // A search keeps the order; rare matches give the bounding walk nothing to stop at.
        // Names from the start of the order, as after the first click on the header.
        screen.Sort(column.first, 1);
        QuillboxBench::Report(QStringLiteral("batches: search, code, sorted by product name"),
                              QStringLiteral("<= 100 ms"), QuillboxBench::Time(runs, [&] {
                                  screen.Search(QString(), QStringLiteral("B199999"));
                              }));
        QuillboxBench::Report(QStringLiteral("batches: search, broad name, sorted by product name"),
                              QStringLiteral("<= 100 ms"), QuillboxBench::Time(runs, [&] {
                                  screen.Search(QStringLiteral("Product 1"), QString());
                              }));
        // Descending, the broad name's matches lie at the far end of the walk.
        screen.Sort(column.first, 0);
        QuillboxBench::Report(
            QStringLiteral("batches: search, broad name, sorted by product name descending"),
            QStringLiteral("<= 100 ms"), QuillboxBench::Time(runs, [&] {
                screen.Search(QStringLiteral("Product 1"), QString());
            }));
    }

    // Scrolled from the first to the last of 200,000 batches and back up a stretch: only a
    // window of pages stays in memory.
    {
        Screen<InventoryManagement> screen("tableViewItems");
        PagedQueryModel *model = screen.list->Model();
        while (model->canFetchMore()) {
            model->fetchMore();
            model->index(model->rowCount() - 1, 5).data();
        }
        for (int row = model->rowCount() - 1; row > model->rowCount() - 20000; row -= 50)
            model->index(row, 5).data();
        screen.view->scrollToBottom();
        QApplication::processEvents();
        QuillboxBench::Report(
            QStringLiteral("batches: resident memory after scrolling through all 200,000"),
            QStringLiteral("<= 150 MB"), {ResidentMegabytes()}, QStringLiteral("MB"));
    }
    return 0;
}
