// A cashier's shift at the till, keys only: scan, sell tablets out of a pack, special discount
// on all items, return mode, customer, batch look-up, payment with change, new sale, panel by
// category and page, close. With QUILLBOX_SHOT_DIR set, the screen is saved at each stop.

#include "postesthelpers.h"

#include "auditviewer.h"
#include "pagedquerymodel.h"
#include "qposdialog.h"
#include "salesmanagement.h"

#include <QComboBox>
#include <QDesktopServices>

#include <QFile>
#include <QGridLayout>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>

using namespace PosTest;
using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;
using QuillboxTest::Seed::AddCategory;
using QuillboxTest::Seed::AddParty;
using QuillboxTest::Seed::AddVendor;

namespace {
void Picture(const QString &path, const QColor &colour, const QString &caption)
{
    QImage image(240, 160, QImage::Format_RGB32);
    image.fill(QColor(250, 250, 245));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour.lighter(170));
    painter.drawRoundedRect(QRectF(16, 20, 208, 92), 46, 46);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(16, 20, 104, 92), 46, 46);
    painter.drawRect(QRectF(70, 20, 50, 92));
    painter.setPen(QColor(40, 40, 40));
    QFont font;
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(0, 116, 240, 40), Qt::AlignCenter, caption);
    image.save(path);
}

QWidget *Focus()
{
    return QApplication::focusWidget();
}

void Type(const QString &text)
{
    QTest::keyClicks(Focus(), text);
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(Focus(), key, modifiers);
    // Button shortcuts click after a short animation.
    QTest::qWait(160);
}
// With QUILLBOX_SHOT_DIR set, saves the screen as <dir>/<name>.png.
void Shot(const QString &name)
{
    const QString dir = qEnvironmentVariable("QUILLBOX_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QTest::qWait(150);
    QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    if (screen.isNull() || screen.width() < 100)
        screen = QApplication::activeWindow()->grab();
    screen.save(dir + "/" + name + ".png");
}
} // namespace

class TestPosWalk : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QuillboxTest::TestServer::Configured(), "run through scripts/test");
    }
    void init() { QuillboxTest::ResetState(); }

    void keyboardOnlyShift_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::newRow("dark") << "WindowsStyleSheet.txt";
        QTest::newRow("light") << "WindowsStyleSheetLight.txt";
    }
    void keyboardOnlyShift()
    {
        QFETCH(QString, theme);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        QTemporaryDir images;
        SetTillSettings(true);
        QSettings *settings = AppSettings::Instance().Settings();
        settings->setValue("CURRENCY_SYMBOL", "$");
        settings->setValue("SALES_TAX_NAME", "VAT");
        settings->setValue("IMAGES_FOLDER", images.path());

        const int vendor = AddVendor("Northwind Medical");
        const QStringList categories{"Antibiotics", "Pain Relief", "First Aid", "Vitamins"};
        const QList<QColor> colours{QColor(46, 125, 50), QColor(198, 40, 40), QColor(21, 101, 192),
                                    QColor(239, 108, 0)};
        const QStringList names{"Amoxil 500mg", "Augmentin 625", "Cipro 250",   "Doxy 100",
                                "Panadol 500",  "Ibuprofen 400", "Aspirin 75",  "Naproxen 250",
                                "Bandage 5cm",  "Plaster strip", "Gauze pad",   "Antiseptic",
                                "Vitamin C",    "Vitamin D3",    "Zinc 20mg",   "Folic acid",
                                "Omega 3",      "Iron 14mg",     "Calcium 600", "B complex"};
        QList<int> categoryIds;
        for (const QString &category : categories)
            categoryIds << AddCategory(category);
        for (int i = 0; i < names.size(); ++i) {
            const int group = qMin(i / 4, 3);
            const QString file = QString("pic%1.png").arg(i);
            const bool pictured = i % 3 != 2;
            if (pictured)
                Picture(images.filePath(file), colours.at(group), names.at(i));
            BatchSeed seed;
            seed.barCode = QString("P%1").arg(100 + i);
            seed.quantity = 40;
            seed.salePrice = QString::number(4.5 + i);
            seed.purchasePrice = QString::number(3 + i);
            seed.discount = i % 4 == 0 ? 10 : 0;
            // Pictures stored with another computer's folder: only the file name counts.
            AddSellable(categoryIds.at(group), vendor, names.at(i), group == 2 ? 1 : 10,
                        group == 3 ? 0 : 16, seed,
                        pictured ? "C:/old/pictures/" + file : QString());
        }
        BatchSeed amoxil;
        amoxil.barCode = "5012345678900";
        amoxil.quantity = 5;
        amoxil.discount = 10;
        AddSellable(categoryIds.at(0), vendor, "Amoxicillin 250mg capsules", 10, 16, amoxil);
        AddParty("tblCustomers", "Jane Roe", "12 Market Street", "jane@example.org", "555-0100");

        const QString sheet = ThemeSheet(theme);
        QVERIFY(!sheet.isEmpty());
        QMainWindow shop;
        shop.setStyleSheet(sheet);
        shop.resize(1366, 768);
        shop.show();

        const QString shots = qEnvironmentVariable("QUILLBOX_SHOT_DIR");
        const QString prefix = theme.contains("Light") ? "light" : "dark";
        int shot = 0;
        const auto snap = [&](const QString &what) {
            if (shots.isEmpty())
                return;
            QTest::qWait(150);
            QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
            if (screen.isNull() || screen.width() < 100)
                screen = QApplication::activeWindow()->grab();
            screen.save(QString("%1/%2-%3-%4.png")
                            .arg(shots, prefix)
                            .arg(++shot, 2, 10, QChar('0'))
                            .arg(what));
        };

        // The shop's program connects both databases at login, before the till opens.
        QVERIFY(CDBManager::Instance().GetSalesDataBase().isOpen());

        // Launch the till.
        QPOSDialog host(&shop, true);
        CPOS *pos = HostTill(host);
        QVERIFY(ShowActive(&host));
        Till till(*pos);
        QTRY_COMPARE(Focus(), till.barCode);

        // Scan two items.
        Type("P104");
        Key(Qt::Key_Return);
        Type("P109");
        Key(Qt::Key_F10);
        QCOMPARE(till.Lines(), 2);
        // Three tablets out of a pack: Tab to the quantities.
        Key(Qt::Key_Tab);
        QCOMPARE(Focus(), till.items);
        Focus()->setProperty("text", QString());
        Type("0");
        Key(Qt::Key_Tab);
        QCOMPARE(Focus(), till.subItems);
        QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
        Type("3");
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Focus(), till.barCode);
        Type("5012345678900");
        Key(Qt::Key_Return);
        QCOMPARE(pos->Basket()->SubQuantity(2), QString("3"));
        QCOMPARE(Stock("5012345678900"), QString("4/7"));
        snap("tablets");

        // Special discount of 5 % on all items.
        DialogDriver driver;
        driver.Expect("Discount on All Items");
        for (int i = 0; i < 3; ++i)
            Key(Qt::Key_Tab);
        QCOMPARE(Focus(), till.special);
        Key(Qt::Key_Space);
        Key(Qt::Key_Tab);
        QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
        Type("5");
        Key(Qt::Key_Tab);
        QCOMPARE(Focus(), till.onAll);
        Key(Qt::Key_Space);
        QVERIFY_DIALOGS(driver);
        QTRY_COMPARE(Focus(), till.barCode);
        till.items->setText("1");
        till.subItems->setText("0");
        Type("P100");
        Key(Qt::Key_Return);
        Type("P105");
        Key(Qt::Key_Return);
        // 5 % of 9.5 is 0.475, which single precision holds as 0.4749999.
        QCOMPARE(pos->Basket()->Discount(4), QString("0.47"));
        snap("special-discount");

        // Return one item.
        driver.Expect("Return Mode");
        Key(Qt::Key_F6);
        QVERIFY_DIALOGS(driver);
        Type("P101");
        Key(Qt::Key_Return);
        QVERIFY(pos->Basket()->LineTotal(5).startsWith('-'));
        snap("return");
        Key(Qt::Key_F6);
        QVERIFY(!till.returnMode->isChecked());

        // Customer.
        driver.Expect("Manage Customers", QString(), [](QWidget *dialog) {
            auto *view = Child<QTableView>(dialog, "tableView");
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Down);
            QuillboxTest::HighlightRow(view, 1, "Jane Roe");
            QTest::qWait(100);
            QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
            const QString dir = qEnvironmentVariable("QUILLBOX_SHOT_DIR");
            if (!dir.isEmpty())
                screen.save(dir + "/" + QString(qApp->property("walkPrefix").toString())
                            + "-customers.png");
            QuillboxTest::ClickButton(dialog, "Select");
        });
        driver.Expect("Select Customer");
        qApp->setProperty("walkPrefix", prefix);
        Key(Qt::Key_F9);
        QVERIFY_DIALOGS(driver);
        QVERIFY(till.customers->isChecked());

        // Look a batch up; the picker is closed with Escape.
        driver.Expect("Select Batch", QString(), [](QWidget *dialog) {
            QTest::qWait(200);
            const QString dir = qEnvironmentVariable("QUILLBOX_SHOT_DIR");
            if (!dir.isEmpty())
                QGuiApplication::primaryScreen()->grabWindow(0).save(
                    dir + "/" + qApp->property("walkPrefix").toString() + "-search.png");
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Key(Qt::Key_F7);
        QVERIFY_DIALOGS(driver);
        QTRY_COMPARE(Focus(), till.barCode);

        // Pay with change.
        Key(Qt::Key_F12);
        QCOMPARE(Focus(), till.paid);
        Type("100");
        Key(Qt::Key_F5);
        QCOMPARE(pos->State(), CPOS::SalePaid);
        // The money to hand back reads positive.
        QVERIFY2(till.change->text().toDouble() > 0, qPrintable(till.change->text()));
        snap("paid");

        // Next sale, from the panel: category by keys, then page.
        Key(Qt::Key_F2);
        QCOMPARE(till.Lines(), 0);
        Key(Qt::Key_PageUp);
        QCOMPARE(till.pages->text(), QString("Page 2 of 2 "));
        snap("panel-page-2");
        Key(Qt::Key_F11);
        till.category->setFocus();
        Key(Qt::Key_Down);
        QVERIFY(till.pages->text().startsWith("Category Page 1 of"));
        till.category->setFocus();
        Key(Qt::Key_Tab);
        QVERIFY(qobject_cast<QPushButton *>(Focus()));
        Key(Qt::Key_Space);
        QCOMPARE(till.Lines(), 1);
        snap("panel-category");

        // Close with the sale unpaid: the question, then the host closes.
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Focus()->objectName(), QString("pushButtonClose"));
        driver.Expect("Close POS?", "Payment is pending!", DialogDriver::Press("Yes"));
        Key(Qt::Key_Space);
        QVERIFY_DIALOGS(driver);
        QVERIFY(!host.isVisible());
    }

    // The end of a day: a cashier sells, takes a return and counts the drawer note by note,
    // keys only; then a manager deletes a sale and finds it on the audit trail.
    void dayCloseWalk_data() { keyboardOnlyShift_data(); }
    void dayCloseWalk()
    {
        QFETCH(QString, theme);
        const QString prefix = QString("day-") + (theme.contains("Light") ? "light" : "dark");
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        SetTillSettings(false);
        QSettings *settings = AppSettings::Instance().Settings();
        settings->setValue("CURRENCY_SYMBOL", "$");
        settings->setValue("err_msg_1", true);
        settings->setValue("err_msg_12", true);
        const int vendor = AddVendor("Northwind Medical");
        BatchSeed seed;
        seed.barCode = "P100";
        seed.quantity = 40;
        seed.salePrice = "12.50";
        AddSellable(AddCategory("Pain Relief"), vendor, "Panadol 500", 1, 0, seed);
        QuillboxTest::UrlCatcher viewer;
        QDesktopServices::setUrlHandler("file", &viewer, "Open");

        const QString sheet = ThemeSheet(theme);
        QVERIFY(!sheet.isEmpty());
        QMainWindow shop;
        shop.setStyleSheet(sheet);
        shop.resize(1366, 768);
        shop.show();
        AppSettings::Instance().SetCurrentUser("anna");
        {
            QPOSDialog host(&shop, true);
            CPOS *pos = HostTill(host);
            QVERIFY(ShowActive(&host));
            Till till(*pos);
            QTRY_COMPARE(Focus(), till.barCode);
            // Two packs, paid with a twenty and a ten.
            Type("P100");
            Key(Qt::Key_Return);
            Type("P100");
            Key(Qt::Key_Return);
            Key(Qt::Key_F12);
            Type("30");
            Key(Qt::Key_F5);
            QCOMPARE(pos->State(), CPOS::SalePaid);
            Key(Qt::Key_F2);
            QTRY_COMPARE(Focus(), till.barCode);
            // One pack brought back, its money handed out.
            DialogDriver driver;
            driver.Expect("Return Mode");
            Key(Qt::Key_F6);
            QVERIFY_DIALOGS(driver);
            Type("P100");
            Key(Qt::Key_Return);
            Key(Qt::Key_F6);
            Key(Qt::Key_F12);
            Type("0");
            Key(Qt::Key_F5);
            QCOMPARE(pos->State(), CPOS::SalePaid);
            Shot(prefix + "-1-return");
            // A cash-up counts up to the second before it: this one's sales are the next's.
            QTest::qWait(1100);
            // Ctrl+U: the cashier's own cash-up. A ten and two fives are in the drawer:
            // 25.00 - 12.50 = 12.50 expected, 20.00 counted.
            driver.Expect("Cash Up", QString(), [prefix](QWidget *dialog) {
                QCOMPARE(Focus(), dialog->findChild<QWidget *>("lineCounted"));
                Key(Qt::Key_Tab);
                for (const char *count : {"", "", "", "1", "2"}) {
                    Type(count);
                    Key(Qt::Key_Return);
                }
                Shot(prefix + "-2-cash-up-counted");
                QCOMPARE(dialog->findChild<QLineEdit *>("lineCounted")->text(),
                         QString("20.00"));
                QCOMPARE(dialog->findChild<QLabel *>("labelDifference")->text(),
                         QString("7.50"));
                Key(Qt::Key_C, Qt::AltModifier);
                QCOMPARE(dialog->findChild<QLabel *>("labelStatus")->text(),
                         QString("Cash-up closed."));
                Shot(prefix + "-3-cash-up-closed");
                Key(Qt::Key_Escape);
            });
            QTest::keyClick(Focus(), Qt::Key_U, Qt::ControlModifier);
            QVERIFY_DIALOGS(driver);
            QCOMPARE(viewer.opened.size(), 1);
            host.close();
        }
        QDesktopServices::unsetUrlHandler("file");

        // The manager deletes the first sale and looks it up on the trail.
        AppSettings::Instance().SetCurrentUser("manager");
        {
            SalesManagement sales(&shop);
            sales.show();
            QVERIFY(QTest::qWaitForWindowExposed(&sales));
            sales.findChild<QPushButton *>("buttonShowAll")->click();
            auto *table = sales.findChild<QTableView *>("tableViewSales");
            QVERIFY(QuillboxTest::HighlightRow(
                table, 0, SalesValue("SELECT MIN(ID) FROM tblSalesTransactions").toString()));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualRect(table->currentIndex()).center());
            DialogDriver driver;
            driver.Expect("Delete Sale", "really want", DialogDriver::Press("Yes"));
            sales.findChild<QPushButton *>("buttonDelete")->click();
            QVERIFY_DIALOGS(driver);
        }
        AuditViewer trail(&shop);
        trail.resize(1300, 700);
        trail.show();
        QVERIFY(QTest::qWaitForWindowExposed(&trail));
        auto *kinds = trail.findChild<QComboBox *>("comboKind");
        kinds->setCurrentIndex(kinds->findData("SALE_DELETED"));
        QCOMPARE(trail.Model()->rowCount(), 1);
        QCOMPARE(trail.Model()->index(0, 3).data().toString(), QString("manager"));
        QVERIFY(trail.Model()->index(0, 7).data().toString().contains("Panadol 500"));
        Shot(prefix + "-4-audit-trail");
    }
};

QUILLBOX_TEST_MAIN(TestPosWalk)
#include "tst_poswalk.moc"
