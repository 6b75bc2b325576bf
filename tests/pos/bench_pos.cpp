// Speed of the till at shop scale: 100,000 products and 200,000 batches, 5,000 of them on the
// quick-sale panel. Prints one row per measure for scripts/bench.

#include "benchsupport.h"
#include "postesthelpers.h"

#include <QElapsedTimer>

using QuillboxBench::Report;
using QuillboxTest::FreshDatabases;

namespace {
bool Fill(const QString &schema)
{
    const char *statements[] = {
        "INSERT INTO tblProductCategories (NAME) SELECT CONCAT('Category ', seq) FROM seq_1_to_20",
        "INSERT INTO tblVendors (NAME) VALUES ('Acme')",
        "INSERT INTO tblProducts (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, TAX_RATE) "
        "SELECT 1 + seq % 20, CONCAT('P', seq), CONCAT('Product ', seq), 1 + seq % 10, "
        "(seq % 3) * 8 FROM seq_1_to_100000",
        "INSERT INTO tblInventory (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
        "PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, SHOW_ON_POS, DISCOUNT) SELECT "
        "1 + seq % 100000, 1, CONCAT('BC', seq), 'L1', '2030-01-01', 1.5, 2.5, 100000, 0, "
        "IF(seq % 40 = 0, 1, 0), seq % 5 FROM seq_1_to_200000",
        "ANALYZE TABLE tblInventory, tblProducts, tblProductCategories",
    };
    for (const char *sql : statements) {
        QString error;
        if (!FreshDatabases::ExecAdmin(schema, QString::fromLatin1(sql), &error)) {
            qWarning("fill failed: %s", qPrintable(error));
            return false;
        }
    }
    return true;
}

double Scan(PosTest::Till &till, const QString &code)
{
    QElapsedTimer timer;
    timer.start();
    till.barCode->setText(code);
    QTest::keyClick(till.barCode, Qt::Key_Return);
    return timer.nsecsElapsed() / 1.0e6;
}

QString Code(int n)
{
    // Spread over the table so the server's cache does not only ever see one page.
    return QStringLiteral("BC%1").arg(1 + (n * 7919) % 200000);
}
} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    QuillboxTest::ResetState();
    PosTest::SetTillSettings(true);

    FreshDatabases dbs;
    if (!dbs.IsValid() || !Fill(dbs.InventoryName()))
        return 1;

    int next = 0;
    QVector<double> all, first, last;
    {
        CPOS pos;
        PosTest::Till till(pos);
        pos.show();
        QApplication::processEvents();
        for (int basket = 0; basket < 5; ++basket) {
            for (int line = 1; line <= 200; ++line) {
                const double ms = Scan(till, Code(next++));
                if (till.Lines() != line)
                    qFatal("scan refused: %s", qPrintable(till.status->text()));
                all.append(ms);
                if (line == 1)
                    first.append(ms);
                if (line == 200)
                    last.append(ms);
            }
            till.Pay("1000000");
            QApplication::processEvents();
        }
    }
    Report("scan to line (Return to line and stock written)", "p95 <= 20 ms", all);
    Report("scan to line, line 1 of a basket", "-", first);
    Report("scan to line, line 200 of a basket", "<= 2 x line 1", last);

    QVector<double> pay;
    {
        CPOS pos;
        PosTest::Till till(pos);
        pos.show();
        for (int basket = 0; basket < 21; ++basket) {
            for (int line = 0; line < 50; ++line)
                Scan(till, Code(next++));
            till.paid->setText("1000000");
            QElapsedTimer timer;
            timer.start();
            till.pay->click();
            const double ms = timer.nsecsElapsed() / 1.0e6;
            if (pos.State() != CPOS::SalePaid)
                qFatal("payment failed: %s", qPrintable(till.status->text()));
            if (basket > 0)
                pay.append(ms);
        }
    }
    Report("pay a 50-line basket (one commit)", "<= 30 ms", pay);

    QVector<PosStore::PanelEntry> entries;
    Report("panel query (5,000 flagged batches)", "part of opening",
           QuillboxBench::Time(20, [&entries] {
               PosStore::LoadPanelEntries(CDBManager::Instance().GetInventoryDataBase(), &entries);
           }));

    QVector<double> open, flip;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto pos = std::make_unique<CPOS>();
        pos->resize(1366, 768);
        pos->show();
        QApplication::processEvents();
        const double opened = timer.nsecsElapsed() / 1.0e6;
        PosTest::Till till(*pos);
        timer.restart();
        QTest::keyClick(till.barCode, Qt::Key_PageUp);
        QApplication::processEvents();
        const double flipped = timer.nsecsElapsed() / 1.0e6;
        if (run > 0) {
            open.append(opened);
            flip.append(flipped);
        }
    }
    Report("open the sale screen (5,000 panel batches)", "<= 100 ms", open);
    Report("flip a panel page", "<= 100 ms", flip);
    return 0;
}
