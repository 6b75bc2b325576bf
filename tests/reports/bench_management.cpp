// Speed of the management reports and the home dashboard on the large demo pharmacy.
#include "benchsupport.h"
#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "documentfiles.h"
#include "demoshop.h"
#include "homescreen.h"
#include "managementreports.h"
#include "pagedquerymodel.h"
#include "reportviewer.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

using namespace ManagementReports;
using QuillboxBench::Report;
using QuillboxBench::Time;

namespace {
constexpr int kRuns = 7;

class IgnoreUrls : public QObject
{
    Q_OBJECT
public slots:
    void Open(const QUrl &) {}
};

void ShowViewer(const Statement &statement, bool sales, const Period &period)
{
    ReportViewer viewer(nullptr);
    viewer.SetSalesMode(sales);
    viewer.SetStatement(statement);
    if (sales)
        viewer.SetPeriod(period);
    viewer.show();
    if (viewer.Model()->rowCount() == 0)
        qWarning("%s: no rows", qPrintable(statement.title));
}
} // namespace

class BenchManagement : public QObject
{
    Q_OBJECT
private slots:
    void run()
    {
        QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/bench");
        QuillboxTest::ResetState();
        QuillboxTest::FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        QElapsedTimer fill;
        fill.start();
        QString error;
        QVERIFY2(DemoShop::Fill(CDBManager::Instance().GetInventoryDataBase(), dbs.InventoryName(),
                                dbs.SalesName(), DemoShop::LargeScale(), QDate::currentDate(),
                                [](const QString &step, int percent) {
                                    QTextStream(stderr) << "\r[fill] " << percent << "% " << step
                                                        << "          ";
                                },
                                &error),
                 qPrintable(error));
        QTextStream(stderr) << "\nlarge demo shop filled in " << fill.elapsed() / 1000 << " s\n";
        // Fresh statistics, as a shop's server has them after a while.
        QuillboxTest::FreshDatabases::ExecAdmin(dbs.SalesName(),
                                                "ANALYZE TABLE tblSalesTransactions, tblSalesInvoice");
        QuillboxTest::FreshDatabases::ExecAdmin(dbs.InventoryName(),
                                                "ANALYZE TABLE tblInventory, tblProducts");

        // Dashboard: the whole refresh, and the longest stretch the window waits in it.
        QMainWindow window;
        {
            HomeScreen home(&window);
            QSignalSpy finished(&home, &HomeScreen::RefreshFinished);
            QVERIFY(finished.wait(60000));
            QVector<double> total;
            QVector<double> blocked;
            for (int i = 0; i < kRuns + 1; ++i) {
                QElapsedTimer timer;
                QElapsedTimer gap;
                double longest = 0;
                QTimer ticker;
                ticker.setInterval(0);
                connect(&ticker, &QTimer::timeout, [&] {
                    longest = qMax(longest, gap.nsecsElapsed() / 1.0e6);
                    gap.restart();
                });
                timer.start();
                gap.start();
                ticker.start();
                home.Refresh();
                QVERIFY(finished.wait(60000));
                ticker.stop();
                longest = qMax(longest, gap.nsecsElapsed() / 1.0e6);
                if (i == 0)
                    continue; // warm-up
                total << timer.nsecsElapsed() / 1.0e6;
                blocked << longest;
            }
            Report("dashboard refresh, all figures", "<= 200 ms", total);
            Report("dashboard, longest wait of the window", "<= 200 ms", blocked);
        }

        const QDate today = QDate::currentDate();
        const QString expiry = AppSettings::Instance().DateDisplayExpression("i.EXPIRY_DATE",
                                                                             "Expiry Date");
        Report("expiring report (30 days), first rows", "<= 300 ms", Time(kRuns, [&] {
                   ShowViewer(ExpiringStatement(30, today, expiry), false, {});
               }));
        Report("low-stock report (< 5), first rows", "<= 300 ms",
               Time(kRuns, [&] { ShowViewer(LowStockStatement(5), false, {}); }));
        Report("out-of-stock report, first rows", "<= 300 ms",
               Time(kRuns, [&] { ShowViewer(OutOfStockStatement(), false, {}); }));

        const Period week = PresetPeriod(Preset::Last7Days, today);
        const Period month = PresetPeriod(Preset::Last30Days, today);
        const Period range{today.addDays(-200), today.addDays(-186)};
        Report("sales report last 7 days, first rows", "<= 300 ms", Time(kRuns, [&] {
                   ShowViewer({TotalsStatement(), PeriodBindings(week), "7"}, true, week);
               }));
        Report("sales report last 30 days, first rows", "<= 300 ms", Time(kRuns, [&] {
                   ShowViewer({TotalsStatement(), PeriodBindings(month), "30"}, true, month);
               }));
        Report("sales report chosen 15 days, first rows", "<= 300 ms", Time(kRuns, [&] {
                   ShowViewer({TotalsStatement(), PeriodBindings(range), "range"}, true, range);
               }));

        for (const auto &period : {qMakePair(QString("7 days"), week), qMakePair(QString("30 days"), month),
                                   qMakePair(QString("chosen 15 days"), range)}) {
            Report(QStringLiteral("sales totals %1, shown right after the rows").arg(period.first),
                   "<= 300 ms", Time(kRuns, [&] {
                       Totals totals;
                       QSqlError error;
                       QueryTotals(CDBManager::Instance().GetSalesDataBase(), period.second,
                                   &totals, &error);
                   }));
        }

        {
            ReportViewer viewer(nullptr);
            viewer.SetSalesMode(true);
            viewer.SetStatement({TotalsStatement(), PeriodBindings(month), "30"});
            viewer.SetPeriod(month);
            viewer.show();
            for (const char *radio : {"radioCustomer", "radioUser", "radioDate", "radioProduct"}) {
                auto *button = viewer.findChild<QRadioButton *>(radio);
                auto *other = viewer.findChild<QRadioButton *>(
                    QLatin1String(radio) == QLatin1String("radioUser") ? "radioDate" : "radioUser");
                QVector<double> samples;
                for (int i = 0; i < kRuns + 1; ++i) {
                    other->setChecked(true);
                    QElapsedTimer timer;
                    timer.start();
                    button->setChecked(true);
                    if (i > 0)
                        samples << timer.nsecsElapsed() / 1.0e6;
                }
                Report(QStringLiteral("regroup 30 days by %1").arg(button->text()), "<= 500 ms",
                       samples);
            }
        }

        {
            IgnoreUrls ignore;
            QDesktopServices::setUrlHandler("file", &ignore, "Open");
            const Statement rows5000{
                "SELECT p.NAME as PRODUCT, v.NAME as VENDOR, i.BAR_CODE, i.BATCH_NUMBER, "
                "i.EXPIRY_DATE, i.STORAGE_LOCATION, i.QUANTITY FROM tblInventory as i, "
                "tblProducts as p , tblVendors as v WHERE i.PRODUCT_ID = p.ID AND "
                "i.VENDOR_ID = v.ID AND i.ID <= 5000",
                {},
                "5000 ROWS"};
            Report("5,000-row report to PDF", "<= 3000 ms", Time(3, [&] {
                       ReportViewer viewer(nullptr);
                       viewer.SetStatement(rows5000);
                       viewer.show();
                       if (!viewer.WritePdf(DocumentFiles::NewPath("report", QString())))
                           qWarning("no PDF written");
                   }));
            QDesktopServices::unsetUrlHandler("file");
        }
    }
};

QUILLBOX_TEST_MAIN(BenchManagement)
#include "bench_management.moc"
