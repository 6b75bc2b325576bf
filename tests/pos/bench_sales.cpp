// Speed of receipts and of the sales history with years of sales: bench_sales [runs]
// Run by scripts/bench; not part of the test suite.

#include "benchsupport.h"
#include "dbmanager.h"
#include "pagedquerymodel.h"
#include "receipt.h"
#include "salesmanagement.h"
#include "testsupport.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

using QuillboxBench::Report;
using QuillboxBench::Time;
using QuillboxTest::FreshDatabases;

namespace {

constexpr int kSales = 500000;
constexpr int kLines = 2000000;

ReceiptData FiftyLines()
{
    ReceiptData data = ReceiptData::WithShopSettings();
    data.receiptNumber = QStringLiteral("123456");
    for (int i = 0; i < 50; ++i) {
        data.lines.append({QStringLiteral("Product number %1 with a fairly long name").arg(i),
                           QString::number(1 + i % 4), QString::number(i % 3), "12.5", "0.00",
                           QString::number(12.5 * (1 + i % 4), 'f', 2)});
    }
    data.taxAmount = QStringLiteral("10.00");
    data.grandTotal = QStringLiteral("1260.00");
    data.subTotal = QStringLiteral("1250.00");
    data.paid = QStringLiteral("1300.00");
    data.change = QStringLiteral("40.00");
    return data;
}

void Receipts(int runs)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("receipt.pdf"));
    const ReceiptData data = FiftyLines();
    ReceiptOptions options;
    options.subItemsMode = true;
    Report(QStringLiteral("small receipt, 50 lines, to PDF"), QStringLiteral("<= 50 ms"),
           Time(runs, [&] {
               QPrinter printer(QPrinter::ScreenResolution);
               printer.setOutputFileName(pdf);
               printer.setPageSize(QPageSize(QSizeF(57, 101), QPageSize::Millimeter, QString(),
                                             QPageSize::ExactMatch));
               printer.setPageMargins(QMarginsF(5, 17, 5, 0), QPageLayout::Millimeter);
               Receipt::RenderSmall(printer, data, options);
           }));
    Report(QStringLiteral("large receipt, 50 lines, to PDF"), QStringLiteral("<= 100 ms"),
           Time(runs, [&] {
               QPrinter printer(QPrinter::HighResolution);
               printer.setOutputFileName(pdf);
               Receipt::RenderLarge(printer, data, options);
           }));
}

bool Fill(const QString &schema)
{
    const QStringList fill = {
        // One sale every 60 seconds from 2022 on: about a year of a busy till.
        QStringLiteral("INSERT INTO tblSalesTransactions (ID, USER_ID, CUSTOMER_ID, TIME_STAMP, "
                       "GRAND_TOTAL, PAID, RETURN_AMOUNT) SELECT seq, 'admin', NULL, "
                       "'2022-01-01' + INTERVAL (seq * 60) SECOND, seq % 100, seq % 100 + 5, 5 "
                       "FROM seq_1_to_%1")
            .arg(kSales),
        QStringLiteral("SET FOREIGN_KEY_CHECKS = 0; INSERT INTO tblSalesInvoice (TRANSACTION_ID, "
                       "ITEM_INDEX, PRODUCT_NAME, QUANTITY, PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, "
                       "DISCOUNT, SUB_TOTAL, PURCHASE_SUB_TOTAL) SELECT 1 + (seq - 1) DIV 4, "
                       "(seq - 1) % 4, CONCAT('Product ', seq % 1000), 1, 1, 2, '0', 0, 2, 1 "
                       "FROM seq_1_to_%1")
            .arg(kLines)};
    for (const QString &sql : fill) {
        QString error;
        if (!FreshDatabases::ExecAdmin(schema, sql, &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
    }
    QSqlQuery count(CDBManager::Instance().GetSalesDataBase());
    const bool filled
        = count.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM tblSalesTransactions), "
                                    "(SELECT COUNT(*) FROM tblSalesInvoice)"))
        && count.next() && count.value(0).toInt() == kSales && count.value(1).toInt() == kLines;
    if (!filled)
        qWarning("The sales tables were not filled.");
    return filled;
}

void Explain(const QString &sql, const QVariantMap &bindings)
{
    QSqlQuery query(CDBManager::Instance().GetSalesDataBase());
    query.prepare(QStringLiteral("EXPLAIN ") + sql);
    for (auto it = bindings.cbegin(); it != bindings.cend(); ++it)
        query.bindValue(it.key(), it.value());
    query.bindValue(QStringLiteral(":qb_limit"), 256);
    query.bindValue(QStringLiteral(":qb_offset"), 0);
    QTextStream err(stderr);
    if (!query.exec()) {
        err << "EXPLAIN failed: " << sql << '\n';
        return;
    }
    while (query.next()) {
        err << "EXPLAIN " << sql << "\n  type=" << query.value("type").toString()
            << " key=" << query.value("key").toString()
            << " rows=" << query.value("rows").toString()
            << " extra=" << query.value("Extra").toString() << '\n';
    }
}

int History(int runs)
{
    FreshDatabases dbs(FreshDatabases::Sales);
    if (!dbs.IsValid() || !Fill(dbs.SalesName()))
        return 1;

    const QDate day(2022, 6, 15);
    SalesManagement probe;
    probe.SalesModel()->SetQuery(CDBManager::Instance().GetSalesDataBase(),
                                 probe.SalesModel()->Query(), probe.SalesModel()->Bindings());
    Explain(probe.SalesModel()->PageStatement(), probe.SalesModel()->Bindings());
    probe.findChild<QDateEdit *>(QStringLiteral("dateEdit"))->setDate(day);
    probe.findChild<QPushButton *>(QStringLiteral("buttonSearch"))->click();
    Explain(probe.SalesModel()->PageStatement(), probe.SalesModel()->Bindings());

    bool shown = true;
    const auto check = [&shown](SalesManagement &screen) {
        shown = shown && screen.SalesModel()->rowCount() > 0;
    };
    Report(QStringLiteral("sales history: open, 500k sales"), QStringLiteral("<= 300 ms"),
           Time(runs, [&] {
               SalesManagement screen;
               check(screen);
           }));
    SalesManagement screen;
    auto *number = screen.findChild<QLineEdit *>(QStringLiteral("editSalesID"));
    auto *date = screen.findChild<QDateEdit *>(QStringLiteral("dateEdit"));
    auto *search = screen.findChild<QPushButton *>(QStringLiteral("buttonSearch"));
    auto *showAll = screen.findChild<QPushButton *>(QStringLiteral("buttonShowAll"));
    Report(QStringLiteral("sales history: Show All"), QStringLiteral("<= 300 ms"), Time(runs, [&] {
               showAll->click();
               check(screen);
           }));
    int id = 0;
    Report(QStringLiteral("sales history: search by number"), QStringLiteral("<= 300 ms"),
           Time(runs, [&] {
               number->setText(QString::number(1 + (id++ * 7919) % kSales));
               search->click();
               check(screen);
           }));
    number->clear();
    int days = 0;
    Report(QStringLiteral("sales history: search by day"), QStringLiteral("<= 300 ms"),
           Time(runs, [&] {
               date->setDate(day.addDays(days++));
               search->click();
               check(screen);
           }));
    if (!shown)
        qWarning("A history operation showed no rows.");
    return shown ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QuillboxTest::ResetState();
    Receipts(runs);
    if (!QuillboxTest::TestServer::Configured()) {
        qWarning("No test server: run through scripts/bench.");
        return 1;
    }
    return History(runs);
}
