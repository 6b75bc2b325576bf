#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "demoshop.h"
#include "homescreen.h"
#include "managementreports.h"
#include "pagedquerymodel.h"
#include "reportsmanagement.h"
#include "reportviewer.h"
#include "seeddata.h"

#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QPrinter>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QUrl>

using namespace ManagementReports;
using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;
namespace Seed = QuillboxTest::Seed;

Q_DECLARE_METATYPE(ManagementReports::Grouping)

namespace {
QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

int AddSale(const QString &timeStamp, const QString &user, const QString &customer)
{
    QSqlQuery query(CDBManager::Instance().GetSalesDataBase());
    query.prepare("INSERT INTO tblSalesTransactions (USER_ID, CUSTOMER_ID, TIME_STAMP, GRAND_TOTAL, "
                  "PAID, RETURN_AMOUNT) VALUES (?, ?, ?, 0, 0, 0)");
    query.addBindValue(user);
    query.addBindValue(customer);
    query.addBindValue(timeStamp);
    if (!query.exec())
        return -1;
    return query.lastInsertId().toInt();
}

bool AddLine(int sale, const QString &product, double subTotal, double discount, double purchase)
{
    QSqlQuery query(CDBManager::Instance().GetSalesDataBase());
    query.prepare("INSERT INTO tblSalesInvoice (TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, QUANTITY, "
                  "PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, PURCHASE_SUB_TOTAL) "
                  "VALUES (?, 0, ?, 1, 0, 0, '0', ?, ?, ?)");
    for (const QVariant &value : QVariantList{sale, product, discount, subTotal, purchase})
        query.addBindValue(value);
    return query.exec();
}

// A week of known sales: the period 2024-03-03 .. 2024-03-09.
const Period kWeek{QDate(2024, 3, 3), QDate(2024, 3, 9)};

void SeedWeek()
{
    const int a = AddSale("2024-03-04 09:00:00", "anna", "NOT SELECTED");
    AddLine(a, "Aspirin", 10, 1, 6);
    AddLine(a, "Plasters", 4, 0, 2);
    const int b = AddSale("2024-03-04 17:30:00", "bob", "Mrs Green");
    AddLine(b, "Aspirin", 20, 2, 12);
    const int c = AddSale("2024-03-09 23:59:59", "anna", "Mrs Green");
    AddLine(c, "Vitamin C", 50, 0, 30);
    // Outside the week on both sides.
    AddLine(AddSale("2024-03-02 23:59:59", "bob", "Mr Stone"), "Aspirin", 1000, 0, 1);
    AddLine(AddSale("2024-03-10 00:00:00", "bob", "Mr Stone"), "Aspirin", 1000, 0, 1);
}

QStringList Rows(PagedQueryModel *model)
{
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << NumberText(model->index(r, c).data());
        rows << cells.join('|');
    }
    return rows;
}
} // namespace

// Receives what the program would open with the desktop's handler.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl &url) { urls << url; }
};

// Stands in for the main window: records which of its actions ran; each adds a vendor.
class FakeMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void on_actionManage_Vendors_triggered() { Record(__func__); }
    void on_actionAdd_New_Purchase_Order_triggered() { Record(__func__); }
    void on_pushPointOfSale_clicked() { Record(__func__); }

private:
    void Record(const char *slot)
    {
        calls << QString::fromLatin1(slot);
        Seed::AddVendor("Added");
    }
};

class TestManagementReports : public QObject
{
    Q_OBJECT
private:
    FreshDatabases *m_dbs = nullptr;

private slots:
    void init()
    {
        QuillboxTest::ResetState();
        m_dbs = new FreshDatabases;
        QVERIFY(m_dbs->IsValid());
        Store()->setValue("FIRST_TIME_START", 0);
    }
    void cleanup()
    {
        delete m_dbs;
        m_dbs = nullptr;
    }

    void periods_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::newRow("7 days") << "7" << QDate(2024, 3, 10) << QDate(2024, 3, 3) << QDate(2024, 3, 9);
        QTest::newRow("30 days") << "30" << QDate(2024, 3, 10) << QDate(2024, 2, 9) << QDate(2024, 3, 9);
        QTest::newRow("7 days over new year") << "7" << QDate(2024, 1, 2) << QDate(2023, 12, 26)
                                              << QDate(2024, 1, 1);
        QTest::newRow("30 days over leap day") << "30" << QDate(2024, 3, 1) << QDate(2024, 1, 31)
                                               << QDate(2024, 2, 29);
        QTest::newRow("yesterday") << "1" << QDate(2024, 3, 1) << QDate(2024, 2, 29)
                                   << QDate(2024, 2, 29);
    }
    void periods()
    {
        QFETCH(QString, kind);
        QFETCH(QDate, today);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        const Period period = kind == "1" ? Yesterday(today)
                                          : PresetPeriod(kind == "7" ? Preset::Last7Days
                                                                     : Preset::Last30Days,
                                                         today);
        QCOMPARE(period.start, start);
        QCOMPARE(period.end, end);
        QCOMPARE(start.daysTo(end) + 1, kind.toInt());
    }

    // Both ends are whole days: the last second of the last day counts, midnight after it not.
    void periodEnds_data()
    {
        QTest::addColumn<QString>("timeStamp");
        QTest::addColumn<QString>("sum");
        QTest::newRow("first second") << "2024-03-03 00:00:00" << "7.5";
        QTest::newRow("last second") << "2024-03-09 23:59:59" << "7.5";
        QTest::newRow("day before") << "2024-03-02 23:59:59" << "0";
        QTest::newRow("today at midnight") << "2024-03-10 00:00:00" << "0";
    }
    void periodEnds()
    {
        QFETCH(QString, timeStamp);
        QFETCH(QString, sum);
        QVERIFY(AddLine(AddSale(timeStamp, "anna", "NOT SELECTED"), "Aspirin", 7.5, 0, 3));
        QString text;
        QVERIFY(SalesSum(CDBManager::Instance().GetSalesDataBase(), kWeek, &text));
        QCOMPARE(text, sum);
    }

    void totals()
    {
        SeedWeek();
        Totals totals;
        QSqlError error;
        QVERIFY(QueryTotals(CDBManager::Instance().GetSalesDataBase(), kWeek, &totals, &error));
        QCOMPARE(totals.sales, QString("84"));
        QCOMPARE(totals.discount, QString("3"));
        QCOMPARE(totals.purchase, QString("50"));
        QCOMPARE(totals.profit, QString("34.00"));

        // No sales: the sums are NULL, shown empty, and the profit is 0.00.
        QVERIFY(QueryTotals(CDBManager::Instance().GetSalesDataBase(),
                            {QDate(2020, 1, 1), QDate(2020, 1, 31)}, &totals, &error));
        QCOMPARE(totals.sales, QString());
        QCOMPARE(totals.purchase, QString());
        QCOMPARE(totals.profit, QString("0.00"));

        totals = TotalsFromValues(120.0, 0.0, 80.5);
        QCOMPARE(totals.profit, QString("39.50"));
        // Binary sums keep no noise: 0.1 + 0.2 is shown as 0.3.
        QCOMPARE(TotalsFromValues(0.1 + 0.2, 0.0, 0.0).sales, QString("0.3"));
    }

    void groupings_data()
    {
        QTest::addColumn<Grouping>("grouping");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("product") << Grouping::Product
                                 << QStringList{"Vitamin C|50|0|30", "Aspirin|30|3|18",
                                                "Plasters|4|0|2"};
        QTest::newRow("customer") << Grouping::Customer
                                  << QStringList{"Mrs Green|70|2|42", "NOT SELECTED|14|1|8"};
        QTest::newRow("user") << Grouping::User << QStringList{"anna|64|1|38", "bob|20|2|12"};
        // One row per calendar day, not per time stamp.
        QTest::newRow("date") << Grouping::Date
                              << QStringList{"2024-03-09|50|0|30", "2024-03-04|34|3|20"};
    }
    void groupings()
    {
        QFETCH(Grouping, grouping);
        QFETCH(QStringList, rows);
        SeedWeek();
        PagedQueryModel model;
        model.SetTieBreaker(GroupingOrder());
        const QString day = AppSettings::Instance().DateDisplayExpression("DATE(st.TIME_STAMP)",
                                                                          "DATE");
        QVERIFY2(model.SetQuery(CDBManager::Instance().GetSalesDataBase(),
                                GroupingStatement(grouping, day), PeriodBindings(kWeek)),
                 qPrintable(model.lastError().text()));
        QCOMPARE(Rows(&model), rows);
    }

    void parsedCounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("value");
        QTest::newRow("number") << "5" << true << 5;
        QTest::newRow("blanks around") << " 30 " << true << 30;
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letters") << "ten" << false << 0;
        QTest::newRow("trailing text") << "5 OR 1=1" << false << 0;
        QTest::newRow("negative") << "-3" << false << 0;
        QTest::newRow("decimal") << "1.5" << false << 0;
    }
    void parsedCounts()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(int, value);
        int parsed = -1;
        QCOMPARE(ParseCount(text, &parsed), accepted);
        if (accepted)
            QCOMPARE(parsed, value);
    }

    // The reports screen end to end: parameter dialog, the viewer's title and rows.
    void inventoryReports_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("barCodes");
        QTest::newRow("low stock") << "radioLowStock" << "5"
                                   << "ITEMS HAVING STOCK LEVEL LESS THAN (5)"
                                   << QStringList{"B-EMPTY", "B-FOUR", "B-EXPIRED"};
        QTest::newRow("expiring") << "radioExpiring" << "30" << "EXPIRING ITEMS IN (30) DAYS REPORT"
                                  << QStringList{"B-SOON", "B-EXPIRED"};
        QTest::newRow("out of stock") << "radioOutOfStock" << "" << "OUT OF STOCK ITEMS REPORT"
                                      << QStringList{"B-EMPTY"};
    }
    void inventoryReports()
    {
        QFETCH(QString, radio);
        QFETCH(QString, input);
        QFETCH(QString, title);
        QFETCH(QStringList, barCodes);
        const int product = Seed::AddProduct(Seed::AddCategory("Pain"), "P1", "Aspirin");
        const int vendor = Seed::AddVendor("MedSupply");
        const QDate today = QDate::currentDate();
        Seed::AddBatch(product, vendor, "B-EMPTY", 0);
        Seed::AddBatch(product, vendor, "B-FOUR", 4);
        Seed::AddBatch(product, vendor, "B-FIVE", 5);
        Seed::AddBatch(product, vendor, "B-SOON", 50, today.addDays(29).toString(Qt::ISODate));
        Seed::AddBatch(product, vendor, "B-LATER", 50, today.addDays(30).toString(Qt::ISODate));
        Seed::AddBatch(product, vendor, "B-EXPIRED", 3, today.addDays(-5).toString(Qt::ISODate));
        // The default expiry of the seeding helper lies years ahead.
        QVERIFY(FreshDatabases::ExecAdmin(m_dbs->InventoryName(),
                                          "UPDATE tblInventory SET EXPIRY_DATE = '2099-01-01' "
                                          "WHERE BAR_CODE IN ('B-EMPTY', 'B-FOUR', 'B-FIVE')"));

        ReportsManagement screen;
        screen.findChild<QRadioButton *>(radio)->setChecked(true);
        QString shownTitle;
        QStringList shown;
        DialogDriver driver;
        if (!input.isEmpty()) {
            driver.Expect("Report Parameter", QString(), [input](QWidget *dialog) {
                dialog->findChild<QLineEdit *>("lineEdit")->setText(input);
                dialog->findChild<QPushButton *>("pushButton")->click();
            });
        }
        driver.Expect("Report Viewer", QString(), [&](QWidget *dialog) {
            auto *viewer = qobject_cast<ReportViewer *>(dialog);
            shownTitle = viewer->findChild<QLabel *>("labelTitle")->text();
            for (int r = 0; r < viewer->Model()->rowCount(); ++r)
                shown << viewer->Model()->record(r).value("BAR_CODE").toString();
            viewer->close();
        });
        screen.findChild<QPushButton *>("buttonInventoryView")->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(shownTitle, title);
        shown.sort();
        barCodes.sort();
        QCOMPARE(shown, barCodes);
    }

    // A chosen range runs through its dialog; both of its days count.
    void salesReportForChosenRange()
    {
        SeedWeek();
        ReportsManagement screen;
        screen.findChild<QRadioButton *>("radioDateRange")->setChecked(true);
        QString title;
        QStringList rows;
        DialogDriver driver;
        driver.Expect("Report Parameter", QString(), [](QWidget *dialog) {
            dialog->findChild<QDateEdit *>("dateEditStart")->setDate(kWeek.start);
            dialog->findChild<QDateEdit *>("dateEditEnd")->setDate(kWeek.end);
            dialog->findChild<QPushButton *>("pushButton_2")->click();
        });
        driver.Expect("Report Viewer", QString(), [&](QWidget *dialog) {
            auto *viewer = qobject_cast<ReportViewer *>(dialog);
            title = viewer->findChild<QLabel *>("labelTitle")->text();
            rows = Rows(viewer->Model());
            viewer->close();
        });
        screen.findChild<QPushButton *>("buttonSaleView")->click();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(title, QString("SALES & PURCHASE COST REPORT FROM 2024-03-03 TO 2024-03-09"));
        QCOMPARE(rows, QStringList({"Vitamin C|50|0|30", "Aspirin|30|3|18", "Plasters|4|0|2"}));
    }

    // A missing, broken or abandoned entry explains itself and runs no report.
    void refusedInputs_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("input"); // "-": closed without OK
        QTest::newRow("empty threshold") << "radioLowStock" << "";
        QTest::newRow("text threshold") << "radioLowStock" << "a few";
        QTest::newRow("abandoned threshold") << "radioLowStock" << "-";
        QTest::newRow("text days") << "radioExpiring" << "soon";
        QTest::newRow("abandoned days") << "radioExpiring" << "-";
    }
    void refusedInputs()
    {
        QFETCH(QString, radio);
        QFETCH(QString, input);
        ReportsManagement screen;
        screen.findChild<QRadioButton *>(radio)->setChecked(true);
        DialogDriver driver;
        driver.Expect("Report Parameter", QString(), [input](QWidget *dialog) {
            if (input == "-") {
                dialog->findChild<QLineEdit *>("lineEdit")->setText("12");
                qobject_cast<QDialog *>(dialog)->reject();
                return;
            }
            dialog->findChild<QLineEdit *>("lineEdit")->setText(input);
            dialog->findChild<QPushButton *>("pushButton")->click();
        });
        driver.Expect("Report Parameter", "whole number");
        screen.findChild<QPushButton *>("buttonInventoryView")->click();
        // A viewer would be an unexpected dialog.
        QVERIFY_DIALOGS(driver);
    }

    void failingQueryIsShown()
    {
        ReportViewer viewer(nullptr);
        viewer.SetStatement({"SELECT * FROM tblNoSuchTable", {}, "BROKEN"});
        DialogDriver driver;
        driver.Expect("Report Viewer", "tblNoSuchTable");
        viewer.show();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(viewer.Model()->rowCount(), 0);
    }

    void document()
    {
        Document document;
        document.title = "SALES & PURCHASE COST REPORT (LAST 7 DAYS)";
        document.printedAt = "Sun Mar 10 12:00:00 2024";
        document.sales = true;
        document.groupingHeading = GroupingHeading(Grouping::Customer);
        document.totals = TotalsFromValues(120.0, 3.0, 80.5);
        document.currency = "$";
        document.headers = QStringList{"PRODUCT", "SALES"};
        document.rows = {{"<b>Aspirin & Co", "12.00"}, {"  Plasters \n x2 ", ""}};
        const QString html = BuildHtml(document);
        const QStringList parts = {
            "<html>\n<head>\n<meta Content=\"Text/html; charset=Windows-1251\">\n",
            "<title>SALES &amp; PURCHASE COST REPORT (LAST 7 DAYS)</title>\n",
            "<body bgcolor=#ffffff link=#5000A0>\n",
            "<H1>SALES &amp; PURCHASE COST REPORT (LAST 7 DAYS)</H1></div><BR><br>Sun Mar 10 "
            "12:00:00 2024<br><br><br>",
            "<h3>RESULTS GROUPED BY CUSTOMER</h3><br><br>Total Sales : $120<br><br>Total "
            "Purchase : $80.5<br><br>Total Profit : $39.50<br><br>Total Discount : $3<br><br>",
            "<table border=1 cellspacing=0 cellpadding=3>\n<thead><tr "
            "bgcolor=#ffff7f><th>PRODUCT</th><th>SALES</th></tr></thead>\n",
            "<tr><td bkcolor=0>&lt;b&gt;Aspirin &amp; Co</td><td bkcolor=0>12.00</td></tr>\n",
            "<tr><td bkcolor=0>Plasters x2</td><td bkcolor=0>&nbsp;</td></tr>\n",
            "</table>\n</body>\n</html>\n"};
        int at = 0;
        for (const QString &part : parts) {
            const int found = html.indexOf(part, at);
            QVERIFY2(found >= 0, qPrintable("missing or out of order: " + part));
            at = found + part.size();
        }
        QVERIFY(html.endsWith(parts.last()));
        // Inventory reports carry no sales section.
        document.sales = false;
        QVERIFY(!BuildHtml(document).contains("<h3>"));
    }

    // Pages are filled and never overflow: the row count decides how many there are.
    void printedPages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("minPages");
        QTest::addColumn<int>("maxPages");
        QTest::newRow("empty") << 0 << 1 << 1;
        QTest::newRow("one") << 1 << 1 << 1;
        QTest::newRow("long") << 400 << 8 << 30;
    }
    void printedPages()
    {
        QFETCH(int, rows);
        QFETCH(int, minPages);
        QFETCH(int, maxPages);
        Document document;
        document.title = "OUT OF STOCK ITEMS REPORT";
        document.headers = QStringList{"PRODUCT", "VENDOR", "QUANTITY"};
        for (int r = 0; r < rows; ++r)
            document.rows << QStringList{QString("Product %1").arg(r), "MedSupply", "0"};
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::temp().filePath("qb_pages_test.pdf"));
        const int pages = PrintDocument(document, &printer);
        QVERIFY2(pages >= minPages && pages <= maxPages, qPrintable(QString::number(pages)));
    }

    // The sales viewer regroups, and its PDF holds the whole table.
    void salesViewerPrintsPdf()
    {
        SeedWeek();
        ReportViewer viewer(nullptr);
        viewer.SetSalesMode(true);
        viewer.SetStatement({TotalsStatement(), PeriodBindings(kWeek), "WEEK"});
        viewer.SetPeriod(kWeek);
        viewer.QueryTotalsWhenShown();
        viewer.show();
        QTRY_COMPARE(viewer.findChild<QLineEdit *>("lineEditTotalSales")->text(), QString("84"));
        QCOMPARE(viewer.findChild<QLineEdit *>("lineEditTotalProfit")->text(), QString("34.00"));
        QCOMPARE(viewer.CurrentGrouping(), Grouping::Product);
        QCOMPARE(viewer.Model()->rowCount(), 3);
        viewer.findChild<QRadioButton *>("radioDate")->setChecked(true);
        QCOMPARE(viewer.Model()->rowCount(), 2);
        QVERIFY(viewer.DocumentHtml().contains("RESULTS GROUPED BY DATE"));

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "Open");
        QFile::remove(ReportViewer::PdfFilePath());
        viewer.findChild<QPushButton *>("pushPrintToPDF")->click();
        QDesktopServices::unsetUrlHandler("file");
        QFile pdf(ReportViewer::PdfFilePath());
        QVERIFY(QFileInfo(ReportViewer::PdfFilePath()).fileName().startsWith("report-"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(4) == "%PDF");
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(ReportViewer::PdfFilePath())});
    }

    void dashboardWithEmptySettings()
    {
        const int product = Seed::AddProduct(Seed::AddCategory("Pain"), "P1", "Aspirin");
        const int vendor = Seed::AddVendor("MedSupply");
        Seed::AddBatch(product, vendor, "B1", 1);
        Seed::AddBatch(product, vendor, "B2", 99);
        QVERIFY(FreshDatabases::ExecAdmin(m_dbs->InventoryName(),
                                          "UPDATE tblInventory SET PURCHASE_PRICE = "
                                          "IF(BAR_CODE = 'B1', 2.5, 4)"));
        const QDate today = QDate::currentDate();
        AddLine(AddSale(today.addDays(-1).toString("yyyy-MM-dd 10:00:00"), "anna", "x"), "A", 5, 0, 1);
        AddLine(AddSale(today.addDays(-7).toString("yyyy-MM-dd 10:00:00"), "anna", "x"), "A", 7, 0, 1);
        AddLine(AddSale(today.addDays(-8).toString("yyyy-MM-dd 10:00:00"), "anna", "x"), "A", 100, 0, 1);
        AddLine(AddSale(today.toString("yyyy-MM-dd 00:00:00"), "anna", "x"), "A", 1000, 0, 1);

        QMainWindow window;
        HomeScreen home(&window);
        QSignalSpy finished(&home, &HomeScreen::RefreshFinished);
        QVERIFY(finished.wait(10000));
        const QList<QPair<const char *, QString>> expected = {
            {"labelCompanyName", "Please set from Settings dialog."},
            {"labelCurrencySymbol", "NOT SET"},
            {"labelTaxRate", "NOT SET %"},
            {"labelTaxName", "TAX"},
            {"labelTotalProducts", "1"},
            {"labelTotalInventory", "2"},
            {"labelTotalVendors", "1"},
            {"labelTotalCustomers", "0"},
            {"labelCurrentUser", "NO LOGGED IN USER"},
            {"labelPurchasedInventory", "6.5"},
            {"labelYesterdaySales", "5"},
            {"labelLast7DaysSales", "12"}};
        for (const auto &figure : expected)
            QCOMPARE(home.findChild<QLabel *>(figure.first)->text(), figure.second);
        QCOMPARE(Store()->value("SALES_TAX_NAME").toString(), QString("TAX"));
        QCOMPARE(AppSettings::Instance().GetCurrentUser(), QString("NO LOGGED IN USER"));
    }

    void dashboardWithFailingQueries()
    {
        Store()->setValue("REPORT_COMPANY_NAME", "Riverside Pharmacy");
        Store()->setValue("SALES_TAX_RATE_A", "5");
        QVERIFY(FreshDatabases::ExecAdmin(m_dbs->InventoryName(),
                                          "RENAME TABLE tblVendors TO tblGoneVendors, "
                                          "tblInventory TO tblGoneInventory"));
        QMainWindow window;
        HomeScreen home(&window);
        QSignalSpy finished(&home, &HomeScreen::RefreshFinished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(home.findChild<QLabel *>("labelCompanyName")->text(), QString("Riverside Pharmacy"));
        QCOMPARE(home.findChild<QLabel *>("labelTaxRate")->text(), QString("5 %"));
        QCOMPARE(home.findChild<QLabel *>("labelTotalVendors")->text(), QString("NOT AVAILABLE"));
        QCOMPARE(home.findChild<QLabel *>("labelTotalInventory")->text(), QString("NOT AVAILABLE"));
        QCOMPARE(home.findChild<QLabel *>("labelPurchasedInventory")->text(),
                 QString("NOT AVAILABLE"));
        QCOMPARE(home.findChild<QLabel *>("labelTotalProducts")->text(), QString("0"));
        QCOMPARE(home.findChild<QLabel *>("labelYesterdaySales")->text(), QString("0"));
    }

    // Every quick-access caption is drawn below its picture and inside its tile.
    void quickAccessCaptionsClearTheirPictures()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        QMainWindow window;
        auto *home = new HomeScreen(&window);
        window.setCentralWidget(home);
        window.resize(1366, 768);
        window.show();
        QSignalSpy finished(home, &HomeScreen::RefreshFinished);
        QVERIFY(finished.wait(10000));
        const QList<QPushButton *> tiles =
            home->findChild<QWidget *>("groupBoxQuickAccess")->findChildren<QPushButton *>();
        QCOMPARE(tiles.size(), 10);
        for (QPushButton *tile : tiles) {
            const QString caption = tile->text();
            const QImage captioned = tile->grab().toImage();
            tile->setText(QString());
            const QImage picture = tile->grab().toImage();
            tile->setText(caption);
            // Inside the tile's frame, whatever is not its plain face belongs to the picture.
            const QRect inside = picture.rect().adjusted(4, 4, -4, -4);
            const QRgb background = picture.pixel(inside.center().x(), inside.bottom());
            int pictureBottom = -1;
            QRect ink;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    if (inside.contains(x, y) && picture.pixel(x, y) != background)
                        pictureBottom = qMax(pictureBottom, y);
                    if (captioned.pixel(x, y) != picture.pixel(x, y))
                        ink |= QRect(x, y, 1, 1);
                }
            }
            QVERIFY2(!ink.isEmpty(), qPrintable(caption));
            QVERIFY2(ink.top() > pictureBottom, qPrintable(caption));
            QVERIFY2(ink.left() > 0 && ink.right() < captioned.width() - 1, qPrintable(caption));
        }
    }

    // Buttons run the main window's own actions; the figures follow what those changed.
    void dashboardButtonsCallMainWindow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<bool>("refreshes");
        QTest::newRow("vendors") << "pushVendors" << "on_actionManage_Vendors_triggered" << true;
        QTest::newRow("workflow vendor") << "flowAddVendor" << "on_actionManage_Vendors_triggered"
                                         << true;
        QTest::newRow("purchase order") << "pushPurchaseOrder"
                                        << "on_actionAdd_New_Purchase_Order_triggered" << false;
        QTest::newRow("run pos") << "flowRunPos" << "on_pushPointOfSale_clicked" << false;
    }
    void dashboardButtonsCallMainWindow()
    {
        QFETCH(QString, button);
        QFETCH(QString, slot);
        QFETCH(bool, refreshes);
        FakeMainWindow window;
        HomeScreen home(&window);
        QSignalSpy finished(&home, &HomeScreen::RefreshFinished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(home.findChild<QLabel *>("labelTotalVendors")->text(), QString("0"));
        home.findChild<QPushButton *>(button)->click();
        QCOMPARE(window.calls, QStringList{slot});
        QCOMPARE(home.IsRefreshing(), refreshes);
        if (refreshes) {
            QVERIFY(finished.wait(10000));
            QCOMPARE(home.findChild<QLabel *>("labelTotalVendors")->text(), QString("1"));
        }
    }

    void demoShop()
    {
        const DemoShop::Scale scale = DemoShop::SmallScale();
        QString error;
        QStringList steps;
        QVERIFY2(DemoShop::Fill(CDBManager::Instance().GetInventoryDataBase(),
                                m_dbs->InventoryName(), m_dbs->SalesName(), scale,
                                QDate::currentDate(),
                                [&steps](const QString &step, int) { steps << step; }, &error),
                 qPrintable(error));
        QCOMPARE(steps.last(), QString("done"));
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblProducts").toInt(), scale.products);
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblInventory").toInt(), scale.batches);
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblCustomers").toInt(), scale.customers);
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblUsers WHERE ROLE = 'ADMIN'").toInt(), 1);
        // Some stock is out, some low, some expired.
        QVERIFY(Seed::Value("SELECT COUNT(*) FROM tblInventory WHERE QUANTITY = 0").toInt() > 0);
        QVERIFY(Seed::Value("SELECT COUNT(*) FROM tblInventory WHERE EXPIRY_DATE < CURDATE()").toInt() > 0);
        // Every product's picture is one the demo draws.
        QCOMPARE(Seed::Column("SELECT DISTINCT IMAGE_FILE FROM tblProducts ORDER BY 1").size(),
                 DemoShop::PictureFiles().size());

        // The program opens the filled schemas as its own.
        CDBManager::Reset();
        QuillboxTest::TestServer::Apply();
        QVERIFY(CDBManager::Instance().CheckDatabaseVersion(m_dbs->SalesName(), "SALES_7.0.0"));
        QSqlQuery sales(CDBManager::Instance().GetSalesDataBase());
        QVERIFY_SQL(sales, exec("SELECT COUNT(*), MIN(ID), MAX(TIME_STAMP) < CURDATE(), "
                                "SUM(GRAND_TOTAL <= 0), "
                                "SUM(ABS(RETURN_AMOUNT - (GRAND_TOTAL - PAID)) > 0.001) "
                                "FROM tblSalesTransactions"));
        QVERIFY(sales.next());
        QCOMPARE(sales.value(0).toInt(), scale.sales);
        QCOMPARE(sales.value(1).toInt(), 2);
        QCOMPARE(sales.value(2).toInt(), 1);
        QCOMPARE(sales.value(3).toInt(), 0);
        // Change is kept with the till's own sign: grand total minus the amount paid.
        QCOMPARE(sales.value(4).toInt(), 0);
        QVERIFY_SQL(sales, exec("SELECT COUNT(*), COUNT(DISTINCT TRANSACTION_ID) FROM tblSalesInvoice"));
        QVERIFY(sales.next());
        QCOMPARE(sales.value(0).toInt(), scale.sales * scale.linesPerSale);
        QCOMPARE(sales.value(1).toInt(), scale.sales);
        // Yesterday and the last week have sales to show.
        QString yesterday;
        QVERIFY(SalesSum(CDBManager::Instance().GetSalesDataBase(), Yesterday(QDate::currentDate()),
                         &yesterday));
        QVERIFY(yesterday.toDouble() > 0);
    }
};

QUILLBOX_TEST_MAIN(TestManagementReports)
#include "tst_managementreports.moc"
