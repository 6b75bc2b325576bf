#include "appsettings.h"
#include "dbmanager.h"
#include "pagedquerymodel.h"
#include "quillboxdialog.h"
#include "saleshistory.h"
#include "salesmanagement.h"
#include "testsupport.h"
#include "documentfiles.h"

#include <QAbstractItemModelTester>
#include <QDesktopServices>
#include <QFileInfo>
#include <QSettings>
#include <QTabWidget>
#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTimer>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {

QSqlDatabase &Sales()
{
    return CDBManager::Instance().GetSalesDataBase();
}

bool AddSale(int id, const QString &timeStamp, int lines)
{
    QSqlQuery sale(Sales());
    sale.prepare(QStringLiteral("INSERT INTO tblSalesTransactions (ID, USER_ID, CUSTOMER_ID, "
                                "TIME_STAMP, GRAND_TOTAL, PAID, RETURN_AMOUNT) "
                                "VALUES (?, 'admin', NULL, ?, 10, 10, 0)"));
    sale.addBindValue(id);
    sale.addBindValue(timeStamp);
    if (!sale.exec())
        return false;
    for (int i = 0; i < lines; ++i) {
        QSqlQuery line(Sales());
        line.prepare(QStringLiteral(
            "INSERT INTO tblSalesInvoice (TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, QUANTITY, "
            "PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, PURCHASE_SUB_TOTAL) "
            "VALUES (?, ?, ?, 1, 1, 2, '0', 0, 2, 1)"));
        line.addBindValue(id);
        line.addBindValue(i);
        line.addBindValue(QStringLiteral("Item %1-%2").arg(id).arg(i));
        if (!line.exec())
            return false;
    }
    return true;
}

int Count(const QString &sql, int id)
{
    QSqlQuery query(Sales());
    query.prepare(sql);
    query.addBindValue(id);
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

int Lines(int saleId)
{
    return Count(QStringLiteral("SELECT COUNT(*) FROM tblSalesInvoice WHERE TRANSACTION_ID = ?"),
                 saleId);
}

int SalesWithId(int saleId)
{
    return Count(QStringLiteral("SELECT COUNT(*) FROM tblSalesTransactions WHERE ID = ?"), saleId);
}

template <typename T> T *Child(QWidget *screen, const char *name)
{
    return screen->findChild<T *>(QLatin1String(name));
}

QStringList ListedIds(SalesManagement &screen)
{
    return QuillboxTest::ColumnTexts(Child<QTableView>(&screen, "tableViewSales"), 0);
}

void Search(SalesManagement &screen, const QString &number, const QDate &day)
{
    Child<QLineEdit>(&screen, "editSalesID")->setText(number);
    Child<QDateEdit>(&screen, "dateEdit")->setDate(day);
    Child<QPushButton>(&screen, "buttonSearch")->click();
}

// Makes a sale current and chooses it as a click would; answers the note that follows.
bool ChooseSale(SalesManagement &screen, const QString &id)
{
    auto *view = Child<QTableView>(&screen, "tableViewSales");
    if (!QuillboxTest::HighlightRow(view, 0, id))
        return false;
    DialogDriver driver;
    driver.Expect(QStringLiteral("Sale Details"), QStringLiteral("'Sales Details' tab"));
    screen.OnItemSelected(view->currentIndex());
    driver.WaitForAll();
    if (!driver.Report().isEmpty())
        qWarning("%s", qPrintable(driver.Report()));
    return driver.Report().isEmpty();
}

} // namespace

class TestSales final : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QuillboxTest::ResetState();
        m_dbs.reset(new FreshDatabases(FreshDatabases::Sales));
        QVERIFY(m_dbs->IsValid());
        QVERIFY(AddSale(7, QStringLiteral("2026-01-05 09:00:00"), 1));
        QVERIFY(AddSale(8, QStringLiteral("2026-01-06 00:00:00"), 2));
        QVERIFY(AddSale(9, QStringLiteral("2026-01-06 23:59:59"), 3));
        QVERIFY(AddSale(10, QStringLiteral("2026-01-07 00:00:00"), 1));
    }
    void cleanup() { m_dbs.reset(); }

    void search_data();
    void search();
    void opensOnAllSalesAndSearchesToday();
    void showAllClearsTheCriteria();
    void sortsOnTheServer();
    void detailsOfAChosenSale();
    void deleteRemovesLinesThenSale();
    void failedDeleteKeepsEverything();
    void embeddedFormHasNoDelete();
    void keyboardDetailsAndReprint();

private:
    std::unique_ptr<FreshDatabases> m_dbs;
};

void TestSales::search_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("status");
    const QString byId = QStringLiteral("Search results based on Sales/Receipt ID ");
    const QString byDate = QStringLiteral("Search results based on Date");
    QTest::newRow("number wins over date") << "7" << QDate(2026, 1, 6) << QStringList{"7"} << byId;
    QTest::newRow("empty number: by day")
        << "" << QDate(2026, 1, 6) << QStringList{"8", "9"} << byDate;
    QTest::newRow("day starts at midnight")
        << "" << QDate(2026, 1, 7) << QStringList{"10"} << byDate;
    QTest::newRow("day without sales") << "" << QDate(2026, 2, 1) << QStringList{} << byDate;
    QTest::newRow("injected condition") << "7 OR 1=1" << QDate(2026, 1, 6) << QStringList{} << byId;
    QTest::newRow("quote") << "7'" << QDate(2026, 1, 6) << QStringList{} << byId;
    QTest::newRow("unknown number") << "123" << QDate(2026, 1, 6) << QStringList{} << byId;
}

void TestSales::search()
{
    QFETCH(QString, number);
    QFETCH(QDate, day);
    QFETCH(QStringList, ids);
    QFETCH(QString, status);
    SalesManagement screen;
    Search(screen, number, day);
    QCOMPARE(ListedIds(screen), ids);
    QCOMPARE(Child<QLabel>(&screen, "labelStatus")->text(), status);
    QCOMPARE(SalesWithId(7), 1);
}

void TestSales::opensOnAllSalesAndSearchesToday()
{
    QVERIFY(AddSale(
        11, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), 1));
    SalesManagement screen;
    QAbstractItemModelTester tester(screen.SalesModel());
    QCOMPARE(ListedIds(screen), (QStringList{"7", "8", "9", "10", "11"}));
    QVERIFY(Child<QPushButton>(&screen, "buttonDelete")->isVisibleTo(&screen));
    QVERIFY(!Child<QPushButton>(&screen, "pushClose")->isVisibleTo(&screen));
    QVERIFY(!Child<QPushButton>(&screen, "buttonAddNew")->isVisibleTo(&screen));
    QVERIFY(!Child<QPushButton>(&screen, "buttonEdit")->isVisibleTo(&screen));
    Child<QPushButton>(&screen, "buttonSearch")->click();
    QCOMPARE(ListedIds(screen), QStringList{"11"});
}

void TestSales::showAllClearsTheCriteria()
{
    SalesManagement screen;
    Search(screen, QStringLiteral("7"), QDate(2026, 1, 6));
    Child<QPushButton>(&screen, "buttonShowAll")->click();
    QCOMPARE(ListedIds(screen).size(), 4);
    QVERIFY(Child<QLineEdit>(&screen, "editSalesID")->text().isEmpty());
    QVERIFY(Child<QDateEdit>(&screen, "dateEdit")->text().trimmed().isEmpty());
    // Nothing left to search by.
    Child<QPushButton>(&screen, "buttonSearch")->click();
    QCOMPARE(ListedIds(screen), QStringList{});
    QCOMPARE(Child<QLabel>(&screen, "labelStatus")->text(),
             QStringLiteral("No search criteria specified."));
}

void TestSales::sortsOnTheServer()
{
    QVERIFY(AddSale(12, QStringLiteral("2025-12-31 12:00:00"), 0));
    SalesManagement screen;
    Child<QTableView>(&screen, "tableViewSales")->sortByColumn(3, Qt::AscendingOrder);
    QVERIFY(screen.SalesModel()->PageStatement().contains(QLatin1String("ORDER BY TIME_STAMP")));
    QCOMPARE(ListedIds(screen), (QStringList{"12", "7", "8", "9", "10"}));
}

void TestSales::detailsOfAChosenSale()
{
    SalesManagement screen;
    QVERIFY(ChooseSale(screen, QStringLiteral("9")));
    auto *details = Child<QTableView>(&screen, "tableViewDetails");
    QCOMPARE(details->model()->rowCount(), 3);
    QVERIFY(details->isColumnHidden(0) && details->isColumnHidden(1));
    QCOMPARE(screen.DetailsModel()->record(0).value("PRODUCT_NAME").toString(),
             QStringLiteral("Item 9-0"));
    QVERIFY(Child<QPushButton>(&screen, "buttonDelete")->isEnabled());

    auto *tabs = Child<QTabWidget>(&screen, "tabWidget");
    QCOMPARE(tabs->currentIndex(), 0);
    auto *view = Child<QTableView>(&screen, "tableViewSales");
    QVERIFY(QuillboxTest::HighlightRow(view, 0, QStringLiteral("8")));
    screen.OnRowDoubleClicked(view->currentIndex());
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(details->model()->rowCount(), 2);
}

void TestSales::deleteRemovesLinesThenSale()
{
    SalesManagement screen;
    {
        // No row yet: the screen asks for one.
        DialogDriver none;
        none.Expect(QStringLiteral("Delete Sale"),
                    QStringLiteral("Please select row from sales table"));
        screen.on_buttonDelete_clicked();
        QVERIFY_DIALOGS(none);
    }

    QVERIFY(ChooseSale(screen, QStringLiteral("9")));
    {
        DialogDriver no;
        no.Expect(QStringLiteral("Delete Sale"), QStringLiteral("Do you really want to delete"),
                  DialogDriver::Press(QStringLiteral("No")));
        Child<QPushButton>(&screen, "buttonDelete")->click();
        QVERIFY_DIALOGS(no);
        QCOMPARE(SalesWithId(9), 1);
    }

    DialogDriver yes;
    yes.Expect(QStringLiteral("Delete Sale"), QStringLiteral("Do you really want to delete"),
               DialogDriver::Press(QStringLiteral("Yes")));
    Child<QPushButton>(&screen, "buttonDelete")->click();
    QVERIFY_DIALOGS(yes);
    QCOMPARE(SalesWithId(9), 0);
    QCOMPARE(Lines(9), 0);
    QCOMPARE(Lines(8), 2);
    QCOMPARE(ListedIds(screen), (QStringList{"7", "8", "10"}));
    QCOMPARE(Child<QTableView>(&screen, "tableViewDetails")->model()->rowCount(), 0);
}

void TestSales::failedDeleteKeepsEverything()
{
    // The sale's own delete is refused after its lines were deleted in the same transaction.
    QString error;
    QVERIFY2(FreshDatabases::ExecAdmin(
                 m_dbs->SalesName(),
                 QStringLiteral("CREATE TRIGGER refuse_sale_delete BEFORE DELETE ON "
                                "tblSalesTransactions FOR EACH ROW SIGNAL SQLSTATE '45000' "
                                "SET MESSAGE_TEXT = 'refused'"),
                 &error),
             qPrintable(error));
    SalesManagement screen;
    QVERIFY(ChooseSale(screen, QStringLiteral("9")));
    DialogDriver driver;
    driver.Expect(QStringLiteral("Delete Sale"), QStringLiteral("Do you really want to delete"),
                  DialogDriver::Press(QStringLiteral("Yes")));
    driver.Expect(QStringLiteral("Delete Sale"), QStringLiteral("could not be deleted"));
    Child<QPushButton>(&screen, "buttonDelete")->click();
    QVERIFY_DIALOGS(driver);
    QCOMPARE(SalesWithId(9), 1);
    QCOMPARE(Lines(9), 3);
    QVERIFY(!SalesHistory::DeleteSale(Sales(), 9, &error));
    QVERIFY(error.contains(QLatin1String("refused")));
}

void TestSales::embeddedFormHasNoDelete()
{
    SalesManagement embedded(nullptr, true);
    QVERIFY(!Child<QPushButton>(&embedded, "buttonDelete")->isVisibleTo(&embedded));
    QVERIFY(Child<QPushButton>(&embedded, "pushClose")->isVisibleTo(&embedded));

    // The sale screen's entry point: Close ends the host dialog.
    DialogDriver driver;
    driver.Expect(QStringLiteral("Sales"), QString(), [](QWidget *dialog) {
        auto *list = dialog->findChild<SalesManagement *>();
        QVERIFY(list && list->IsEmbedded());
        QCOMPARE(list->SalesModel()->rowCount(), 4);
        QVERIFY(QuillboxTest::ClickButton(dialog, QStringLiteral("Close")));
    });
    SalesManagement::ShowEmbedded();
    QVERIFY_DIALOGS(driver);
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<QuillboxDialog *>(widget));
}

QUILLBOX_TEST_MAIN(TestSales)
// F8 at the till is used without a mouse: arrows choose a sale, Return opens its lines, Ctrl+P
// prints its receipt again with the change as handed back.
void TestSales::keyboardDetailsAndReprint()
{
    QSqlQuery tamper(Sales());
    QVERIFY(tamper.exec("UPDATE tblSalesTransactions SET PAID = 15, RETURN_AMOUNT = -5, "
                        "CUSTOMER_ID = 'Ann' WHERE ID = 8"));
    AppSettings::Instance().Settings()->setValue(QStringLiteral("err_msg_1"), true);
    QuillboxTest::UrlCatcher viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
    SalesManagement screen;
    screen.show();
    QApplication::setActiveWindow(&screen);
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto *view = Child<QTableView>(&screen, "tableViewSales");
    view->setFocus(); // the first sale is current with the focus
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(view->currentIndex().siblingAtColumn(0).data().toString(), QStringLiteral("8"));
    QCOMPARE(screen.DetailsModel()->rowCount(), 2);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(Child<QTabWidget>(&screen, "tabWidget")->currentIndex(), 1);
    // From the details tab, wherever the focus went.
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &screen, Qt::Key_P, Qt::ControlModifier);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY2(QFileInfo(DocumentFiles::LastWritten()).fileName().startsWith("receipt-000008-"),
             qPrintable(DocumentFiles::LastWritten()));
    QCOMPARE(viewer.opened.size(), 1);

    ReceiptData receipt;
    QVERIFY(SalesHistory::ReceiptOf(Sales(), 8, &receipt));
    QCOMPARE(receipt.customerName, QStringLiteral("Ann"));
    QCOMPARE(receipt.lines.size(), 2);
    QCOMPARE(receipt.lines.at(1).product, QStringLiteral("Item 8-1"));
    QCOMPARE(QStringList({receipt.subTotal, receipt.taxAmount, receipt.grandTotal, receipt.paid,
                          receipt.change}),
             QStringList({"4.00", "6.00", "10.00", "15.00", "5.00"}));
    QVERIFY(!SalesHistory::ReceiptOf(Sales(), 99, &receipt));
}

#include "tst_sales.moc"
