// Speed of a shop's day: the expiry guard at the till, the cash-up of a busy day within the
// large demo pharmacy, and the audit viewer over a long trail. Prints rows for scripts/bench.

#include "benchsupport.h"
#include "postesthelpers.h"
#include "scaledata.h"

#include "auditviewer.h"
#include "cashup.h"
#include "demoshop.h"
#include "pagedquerymodel.h"
#include "salerules.h"

#include <QElapsedTimer>
#include <QTextStream>

using QuillboxBench::Percentile;
using QuillboxBench::Report;
using QuillboxBench::Time;
using QuillboxTest::FreshDatabases;

namespace {
bool Admin(const QString &schema, const QString &sql)
{
    QString error;
    if (FreshDatabases::ExecAdmin(schema, sql, &error))
        return true;
    qWarning("fill failed: %s", qPrintable(error));
    return false;
}

void Explain(QSqlDatabase db, const QString &sql)
{
    QSqlQuery query(db);
    QTextStream err(stderr);
    err << "EXPLAIN " << sql << '\n';
    if (!query.exec(QStringLiteral("EXPLAIN ") + sql))
        return;
    while (query.next())
        err << "  table " << query.value(2).toString() << " type " << query.value(3).toString()
            << " key " << query.value(5).toString() << " rows " << query.value(8).toString()
            << " extra " << query.value(9).toString() << '\n';
}

// Scans with the guard in one mode, a fresh sale screen per round; the times of each scan.
QVector<double> Scans(SaleRules::ExpiryGuard guard, int round, int scans)
{
    AppSettings::Instance().Settings()->setValue(QLatin1String(SaleRules::kExpiryGuardKey),
                                                 SaleRules::ExpiryGuardSetting(guard));
    QVector<double> samples;
    CPOS pos;
    PosTest::Till till(pos);
    pos.show();
    QApplication::processEvents();
    for (int n = 0; n < scans; ++n) {
        const int batch = 1 + ((round * scans + n) * 7919 + int(guard) * 104729) % 200000;
        QElapsedTimer timer;
        timer.start();
        till.Scan(QStringLiteral("B%1").arg(batch));
        samples.append(timer.nsecsElapsed() / 1.0e6);
        if (till.Lines() != n + 1)
            qFatal("scan refused: %s", qPrintable(till.status->text()));
    }
    till.Pay("10000000");
    return samples;
}

void GuardCost()
{
    FreshDatabases dbs;
    QString error;
    if (!dbs.IsValid() || !QuillboxTest::FillCatalogue(dbs.InventoryName(), 100000, 200000, &error))
        qFatal("catalogue: %s", qPrintable(error));
    // Rounds alternate the modes, so a server warming up or a busy neighbour weighs on both.
    QVector<double> off, warn;
    Scans(SaleRules::ExpiryGuard::Off, 99, 20); // warm-up
    for (int round = 0; round < 8; ++round) {
        off += Scans(SaleRules::ExpiryGuard::Off, round, 40);
        warn += Scans(SaleRules::ExpiryGuard::Warn, round, 40);
    }
    Report("scan to line, expiry guard off", "-", off);
    Report("scan to line, expiry guard warn", "-", warn);
    Report("expiry guard's cost on scan-to-line (median warn - median off)", "<= 1 ms",
           {Percentile(warn, 0.5) - Percentile(off, 0.5)});
}

// 2,000 sales of four lines each in the last eleven hours, by three cashiers, a tenth of them
// returns; the demo shop's own sales end the day before.
bool BusyDay(const QString &sales)
{
    return Admin(sales,
                 "INSERT INTO tblSalesTransactions (USER_ID, CUSTOMER_ID, TIME_STAMP, "
                 "GRAND_TOTAL, PAID, RETURN_AMOUNT) SELECT ELT(1 + seq % 3, 'anna', 'bob', "
                 "'carl'), 'NOT SELECTED', NOW() - INTERVAL (seq * 20) SECOND, IF(seq % 10 = "
                 "0, -10.80, 10.80), IF(seq % 10 = 0, 0, 20), IF(seq % 10 = 0, -10.80, -9.20) "
                 "FROM seq_1_to_2000")
           && Admin(sales,
                    "INSERT INTO tblSalesInvoice (TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, "
                    "QUANTITY, PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, "
                    "PURCHASE_SUB_TOTAL) SELECT t.ID, i.seq, 'Item', 1, 1.5, 2.75, 0, 0.25, "
                    "IF(t.GRAND_TOTAL < 0, -2.50, 2.50), 1.5 FROM tblSalesTransactions t JOIN "
                    "seq_0_to_3 i WHERE t.TIME_STAMP >= NOW() - INTERVAL 12 HOUR")
           && Admin(sales, "ANALYZE TABLE tblSalesTransactions, tblSalesInvoice");
}

// A trail of a million entries over 400 days, five users, every kind.
bool LongTrail(const QString &schema)
{
    return Admin(schema,
                 "INSERT INTO tblAuditLog (SEQ, TIME_STAMP, USER_ID, KIND, TABLE_NAME, ROW_KEY, "
                 "BEFORE_DATA, AFTER_DATA, PREV_HASH, HASH) SELECT seq, NOW() - INTERVAL "
                 "(1000000 - seq) * 35 SECOND, ELT(1 + seq % 5, 'anna', 'bob', 'carl', 'dora', "
                 "'manager'), ELT(1 + seq % 4, 'SALE_DELETED', 'RETURN_LINE', "
                 "'SPECIAL_DISCOUNT', 'BASKET_PUT_BACK'), 'tblSalesTransactions', seq, "
                 "CONCAT('{\"ID\":', seq, ',\"GRAND_TOTAL\":10.8}'), '', SHA2(seq - 1, 256), "
                 "SHA2(seq, 256) FROM seq_1_to_1000000")
           && Admin(schema, "UPDATE tblAuditHead SET LAST_SEQ = 1000000, LAST_HASH = "
                            "SHA2(1000000, 256) WHERE ID = 1")
           && Admin(schema, "ANALYZE TABLE tblAuditLog");
}
} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    QuillboxTest::ResetState();
    PosTest::SetTillSettings(false);
    AppSettings::Instance().SetCurrentUser("manager");

    GuardCost();

    FreshDatabases dbs;
    if (!dbs.IsValid())
        return 1;
    QElapsedTimer fill;
    fill.start();
    QString error;
    if (!DemoShop::Fill(CDBManager::Instance().GetInventoryDataBase(), dbs.InventoryName(),
                        dbs.SalesName(), DemoShop::LargeScale(),
                        QDate::currentDate().addDays(-1), {}, &error)
        || !BusyDay(dbs.SalesName()))
        qFatal("demo shop: %s", qPrintable(error));
    QTextStream(stderr) << "large demo shop and busy day filled in " << fill.elapsed() / 1000
                        << " s\n";

    QSqlDatabase sales = CDBManager::Instance().GetSalesDataBase();
    const QDateTime now = QDateTime::currentDateTime().addSecs(1);
    for (const QString &cashier : {QString(), QStringLiteral("anna")}) {
        const CashUp::Period day{cashier, now.addSecs(-12 * 3600), now};
        CashUp::Figures figures;
        const QVector<double> samples = Time(7, [&] {
            if (!CashUp::Compute(sales, day, &figures))
                qFatal("cash-up figures could not be read");
        });
        if (cashier.isEmpty() && figures.sales + figures.returns != 2000)
            qFatal("busy day: %d sales", figures.sales + figures.returns);
        Report(cashier.isEmpty()
                   ? "cash-up of a busy day (2,000 sales, 8,000 lines) within the large demo shop"
                   : "cash-up of one cashier's share of the busy day",
               "<= 300 ms", samples);
    }
    Explain(sales, "SELECT SUM(ROUND(l.SUB_TOTAL * 100)) FROM tblSalesTransactions AS t JOIN "
                   "tblSalesInvoice AS l ON l.TRANSACTION_ID = t.ID WHERE t.TIME_STAMP >= "
                   "NOW() - INTERVAL 12 HOUR AND t.TIME_STAMP < NOW() AND t.USER_ID = 'anna'");

    fill.restart();
    if (!LongTrail(dbs.SalesName()))
        return 1;
    QTextStream(stderr) << "audit trail filled in " << fill.elapsed() / 1000 << " s\n";
    Report("audit viewer first page at 1,000,000 entries", "<= 300 ms", Time(7, [] {
        AuditViewer viewer;
        viewer.show();
        QApplication::processEvents();
        if (viewer.Model()->rowCount() == 0)
            qFatal("audit viewer: no rows");
    }));
    Explain(sales, "SELECT ID, SEQ, TIME_STAMP, USER_ID, KIND FROM tblAuditLog WHERE ID IS NOT "
                   "NULL ORDER BY TIME_STAMP DESC, ID DESC LIMIT 100");
    Explain(sales, "SELECT ID, SEQ, TIME_STAMP, USER_ID, KIND FROM tblAuditLog WHERE ID IS NOT "
                   "NULL AND USER_ID = 'bob' ORDER BY TIME_STAMP DESC, ID DESC LIMIT 100");
    Explain(sales, "SELECT ID, SEQ, TIME_STAMP, USER_ID, KIND FROM tblAuditLog WHERE ID IS NOT "
                   "NULL AND KIND = 'RETURN_LINE' ORDER BY TIME_STAMP DESC, ID DESC LIMIT 100");
    return 0;
}
