#include "postesthelpers.h"

#include "escpos.h"
#include "escposlistener.h"
#include "escposprinter.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

using namespace PosTest;
using QuillboxTest::DecodeEscPos;
using QuillboxTest::DialogDriver;
using QuillboxTest::EscPosListener;
using QuillboxTest::FreshDatabases;

namespace {

// A round black logo with a white bar across: its raster shows which way up it printed.
QString WriteLogo(const QTemporaryDir &dir)
{
    QImage image(60, 60, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setBrush(Qt::black);
    painter.drawEllipse(0, 0, 59, 59);
    painter.fillRect(0, 10, 60, 8, Qt::white);
    painter.end();
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    image.save(path);
    return path;
}

ReceiptData Sale(bool hostile)
{
    ReceiptData data;
    data.companyName = QStringLiteral("Harbour Pharmacy");
    data.companyAddress = QStringLiteral("12 Quay Street\nPort Town");
    data.companyContact = QStringLiteral("Phone: 555 0100");
    data.receiptNumber = QStringLiteral("4711");
    data.date = QDateTime(QDate(2026, 1, 2), QTime(10, 30, 5));
    data.lines = {{QStringLiteral("Aspirin"), "3", "0", "25", "0.00", "75.00"},
                  {QStringLiteral("Bandage"), "1", "0", "25", "0.00", "25.00"},
                  {QStringLiteral("Vitamin C"), "0", "4", "10", "0.00", "4.00"}};
    if (hostile) {
        data.companyName = QStringLiteral("Café \u20ac & Thé 🍵");
        data.lines.append({QStringLiteral("Cut\x1bV\x01 here\x1bp\x00\x19\xfa"), "1", "0", "1",
                           "0.00", "1.00"});
        data.lines.append({QStringLiteral("Paracetamol 500 mg film-coated tablets, blister of 20"),
                           "12", "3", "4.10", "0.00", "49.20"});
        data.lines.append({QStringLiteral("Crème brûlée"), "1", "0", "123456789012345678.00",
                           "0.00", "123456789012345678.00"});
    }
    data.taxName = QStringLiteral("VAT");
    data.taxAmount = QStringLiteral("14.40");
    data.grandTotal = QStringLiteral("104.00");
    data.subTotal = QStringLiteral("104.00");
    data.paid = QStringLiteral("110.00");
    data.change = QStringLiteral("6.00");
    data.discountTotal = hostile ? 2.5 : 0;
    return data;
}

// The receipt printer is an ESC/POS printer at target.
void SetEscPos(const QString &target, bool drawerOnCash, int pin = 2)
{
    EscPosOptions options;
    options.enabled = true;
    options.target = target;
    options.drawerOnCash = drawerOnCash;
    options.drawerPin = pin;
    options.Save();
}

int AddSplint()
{
    BatchSeed seed;
    seed.barCode = QStringLiteral("D1");
    return AddSellable(QuillboxTest::Seed::AddCategory("Misc"),
                       QuillboxTest::Seed::AddVendor("Acme"), "Splint", 1, 0, seed);
}

QString GoldenPath(const QString &name)
{
    return QStringLiteral(QUILLBOX_ESCPOS_GOLDEN "/%1.txt").arg(name);
}

} // namespace

class TestEscPos : public QObject {
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }

    // What a printer on the network receives, decoded, against the files kept with the tests.
    // QUILLBOX_UPDATE_GOLDEN=1 writes the files instead.
    void golden_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<bool>("logo");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<bool>("subItems");
        QTest::addColumn<bool>("tax");
        QTest::addColumn<bool>("hostile");
        QTest::newRow("32-logo-cut") << 32 << "CP437" << true << true << false << true << false;
        QTest::newRow("42-plain") << 42 << "CP850" << false << false << true << false << false;
        QTest::newRow("48-logo-cut") << 48 << "CP1252" << true << true << true << true << false;
        QTest::newRow("32-hostile-cp437") << 32 << "CP437" << false << true << true << true << true;
        QTest::newRow("48-hostile-cp858") << 48 << "CP858" << false << false << false << true
                                          << true;
    }
    void golden()
    {
        QFETCH(int, columns);
        QFETCH(QString, codePage);
        QFETCH(bool, logo);
        QFETCH(bool, cut);
        QFETCH(bool, subItems);
        QFETCH(bool, tax);
        QFETCH(bool, hostile);
        QTemporaryDir dir;
        ReceiptOptions receipt;
        receipt.printLogo = logo;
        receipt.logoPath = WriteLogo(dir);
        receipt.logoSize = 3;
        receipt.subItemsMode = subItems;
        receipt.enableTax = tax;
        receipt.currency = QStringLiteral("$");
        EscPosOptions options;
        options.columns = columns;
        options.codePage = codePage;
        options.cut = cut;

        EscPosListener printer;
        QVERIFY(printer.IsListening());
        QCOMPARE(EscPosPrinter::Send(printer.Address(),
                                     EscPos::Receipt(Sale(hostile), receipt, options)),
                 QString());
        const QList<QByteArray> received = printer.Received();
        QCOMPARE(received.size(), 1);
        const QString decoded = DecodeEscPos(received.first());
        for (const QString &line : decoded.split('\n')) {
            if (!line.startsWith('[') && !line.contains(QRegularExpression("^[#.]+$")))
                QVERIFY2(line.size() <= columns, qPrintable(line));
        }

        QFile golden(GoldenPath(QTest::currentDataTag()));
        if (qEnvironmentVariableIsSet("QUILLBOX_UPDATE_GOLDEN")) {
            QVERIFY(golden.open(QIODevice::WriteOnly));
            golden.write(decoded.toUtf8());
            return;
        }
        QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
        QCOMPARE(decoded, QString::fromUtf8(golden.readAll()));
    }

    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "Aspirin 25.00" << "CP437" << QByteArray("Aspirin 25.00");
        QTest::newRow("commands typed into a name")
            << QString::fromLatin1("A\x1bp\x00\x19 B\x1dV\x01\x10\x04\x7f", 13) << "CP437"
            << QByteArray("A?p?? B?V????");
        QTest::newRow("C1 control") << QString::fromUtf8("a\xc2\x85z") << "CP1252"
                                    << QByteArray("a?z");
        QTest::newRow("emoji is one character") << "Tea 🍵!" << "CP437" << QByteArray("Tea ?!");
        QTest::newRow("euro where the page has it") << "€5" << "CP858" << QByteArray("\xd5" "5");
        QTest::newRow("euro where it has not") << "€5" << "CP437" << QByteArray("?5");
        QTest::newRow("accent typed apart") << QString::fromUtf8("e\xcc\x81t\xc3\xa9") << "CP850"
                                            << QByteArray("\x82t\x82");
        QTest::newRow("cyrillic") << "Чай" << "CP866" << QByteArray("\x97\xa0\xa9");
        QTest::newRow("cyrillic on a latin page") << "Чай" << "CP1252" << QByteArray("???");
        QTest::newRow("tab") << "a\tb" << "CP437" << QByteArray("a b");
    }
    void encode()
    {
        QFETCH(QString, text);
        QFETCH(QString, codePage);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EscPos::Encode(text, codePage), bytes);
    }

    void drawerPulse_data()
    {
        QTest::addColumn<int>("pin");
        QTest::addColumn<int>("onMs");
        QTest::addColumn<int>("offMs");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("pin 2") << 2 << 50 << 500 << "[drawer pin 2 on 50 ms off 500 ms]";
        QTest::newRow("pin 5") << 5 << 100 << 200 << "[drawer pin 5 on 100 ms off 200 ms]";
        QTest::newRow("beyond the byte") << 5 << 0 << 2000 << "[drawer pin 5 on 2 ms off 510 ms]";
    }
    void drawerPulse()
    {
        QFETCH(int, pin);
        QFETCH(int, onMs);
        QFETCH(int, offMs);
        QFETCH(QString, decoded);
        EscPosOptions options;
        options.drawerPin = pin;
        options.pulseOnMs = onMs;
        options.pulseOffMs = offMs;
        QCOMPARE(DecodeEscPos(EscPos::DrawerPulse(options)), decoded);
    }

    void targets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("usb") << " /dev/usb/lp0 " << "/dev/usb/lp0" << "" << 9100;
        QTest::newRow("host and port") << "till-printer:9101" << "" << "till-printer" << 9101;
        QTest::newRow("host alone") << "10.0.0.7" << "" << "10.0.0.7" << 9100;
        QTest::newRow("v6") << "[::1]:9102" << "" << "::1" << 9102;
        QTest::newRow("port 0") << "printer:0" << "" << "" << 9100;
        QTest::newRow("port too big") << "printer:70000" << "" << "" << 9100;
        QTest::newRow("port not a number") << "printer:ninety" << "" << "" << 9100;
        QTest::newRow("blank in host") << "my printer:9100" << "" << "" << 9100;
        QTest::newRow("v6 unclosed") << "[::1:9100" << "" << "" << 9100;
    }
    void targets()
    {
        QFETCH(QString, text);
        QFETCH(QString, device);
        QFETCH(QString, host);
        QFETCH(int, port);
        const EscPosPrinter::Target target = EscPosPrinter::ParseTarget(text);
        QCOMPARE(target.device, device);
        QCOMPARE(target.host, host);
        QCOMPARE(int(target.port), port);
    }

    // Every way a send can fail says so; only a printer that takes the bytes gets them.
    void send_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("arrived");
        const QByteArray status("\x10\x04\x04");
        QTest::newRow("answers") << "listener" << "" << status + "receipt";
        QTest::newRow("does not answer") << "silent" << "" << status + "receipt";
        QTest::newRow("paper out") << "paper out"
                                   << "The receipt printer %1 reports that it is out of paper."
                                   << status;
        QTest::newRow("nobody listening")
            << "closed" << "The receipt printer %1 cannot be reached: Connection refused"
            << QByteArray();
        QTest::newRow("device file") << "file" << "" << QByteArray("receipt");
        QTest::newRow("no such device")
            << "missing" << "The receipt printer %1 cannot be reached: No such file or directory"
            << QByteArray();
        QTest::newRow("not set up") << ""
                                    << "No ESC/POS receipt printer is set up. Please enter its "
                                       "device file or network address in the printer settings."
                                    << QByteArray();
        QTest::newRow("not an address") << "bad"
                                        << "The receipt printer \"%1\" is not a device file or a "
                                           "network address (host:port). Please correct it in "
                                           "the printer settings."
                                        << QByteArray();
    }
    void send()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(QByteArray, arrived);
        QTemporaryDir dir;
        std::unique_ptr<EscPosListener> printer;
        QString target;
        if (kind == "listener" || kind == "silent" || kind == "paper out") {
            printer = std::make_unique<EscPosListener>(kind == "paper out" ? 0x72 : 0x12,
                                                       kind != "silent");
            target = printer->Address();
        } else if (kind == "closed") {
            target = EscPosListener().Address(); // free a moment ago, nobody there now
        } else if (kind == "file" || kind == "missing") {
            target = dir.filePath(kind == "file" ? "lp0" : "no/lp0");
            if (kind == "file")
                QFile(target).open(QIODevice::WriteOnly);
        } else if (kind == "bad") {
            target = "printer:ninety";
        }
        QCOMPARE(EscPosPrinter::Send(target, "receipt", 2000),
                 message.contains("%1") ? message.arg(target) : message);
        if (printer) {
            const QList<QByteArray> received = printer->Received();
            QCOMPARE(received.value(0), arrived);
        } else if (kind == "file") {
            QFile file(target);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), arrived);
        }
    }

    // The drawer opens only once the sale is stored: a refused payment sends nothing.
    void drawerAfterCashPayment_data()
    {
        QTest::addColumn<bool>("drawerOnCash");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<bool>("serverRefuses");
        QTest::addColumn<int>("pulses");
        QTest::newRow("paid") << true << "30" << false << 1;
        QTest::newRow("short paid") << true << "1" << false << 0;
        QTest::newRow("sale not stored") << true << "30" << true << 0;
        QTest::newRow("drawer not asked for") << false << "30" << false << 0;
    }
    void drawerAfterCashPayment()
    {
        QFETCH(bool, drawerOnCash);
        QFETCH(QString, paid);
        QFETCH(bool, serverRefuses);
        QFETCH(int, pulses);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddSplint();
        if (serverRefuses)
            QVERIFY(FreshDatabases::ExecAdmin(
                dbs.SalesName(), "CREATE TRIGGER refuse BEFORE INSERT ON tblSalesInvoice FOR EACH "
                                 "ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'refused'"));
        EscPosListener printer;
        SetEscPos(printer.Address(), drawerOnCash);
        CPOS pos;
        Till till(pos);
        QCOMPARE(till.Scan("D1"), QString());
        till.Pay(paid);
        const QList<QByteArray> received = printer.Received(pulses, pulses ? 5000 : 300);
        QCOMPARE(received.size(), pulses);
        QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesTransactions").toInt(),
                 pos.State() == CPOS::SalePaid ? 1 : 0);
        QCOMPARE(pos.State() == CPOS::SalePaid, paid == "30" && !serverRefuses);
        if (pulses)
            QCOMPARE(DecodeEscPos(received.first()),
                     QString("[status 4][drawer pin 2 on 50 ms off 500 ms]"));
    }

    // A printer that is away never costs the sale: the message comes once it is stored, and F3
    // prints the receipt when the printer is back.
    void printerAwayKeepsTheSale()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        AddSplint();
        quint16 port = 0;
        {
            EscPosListener probe;
            port = probe.Port();
        }
        SetEscPos(QStringLiteral("127.0.0.1:%1").arg(port), true);
        CPOS pos;
        QVERIFY(ShowActive(&pos));
        Till till(pos);
        QCOMPARE(till.Scan("D1"), QString());
        DialogDriver driver;
        driver.Expect("Cash Drawer", "cannot be reached");
        till.Pay("30");
        QVERIFY_DIALOGS(driver);
        QCOMPARE(pos.State(), CPOS::SalePaid);
        QCOMPARE(SalesValue("SELECT COUNT(*) FROM tblSalesTransactions").toInt(), 1);

        driver.Expect("Receipt Printer", "cannot be reached");
        QTest::keyClick(till.barCode, Qt::Key_F3);
        QVERIFY_DIALOGS(driver);

        EscPosListener printer(0x12, true, port);
        QVERIFY(printer.IsListening());
        Child<QPushButton>(&pos, "pushPrint")->click();
        const QString receipt = DecodeEscPos(printer.Received().value(0));
        QVERIFY2(receipt.contains("Receipt Nr.: " + pos.Basket()->ReceiptNumber())
                     && receipt.contains("Splint") && receipt.endsWith("[cut partial]"),
                 qPrintable(receipt));
        QVERIFY(till.barCode->hasFocus());
    }

    void openDrawerKey_data()
    {
        QTest::addColumn<bool>("manager");
        QTest::addColumn<bool>("escPos");
        QTest::addColumn<bool>("offered");
        QTest::newRow("manager, ESC/POS") << true << true << true;
        QTest::newRow("cashier") << false << true << false;
        QTest::newRow("manager, printer queue") << true << false << false;
    }
    void openDrawerKey()
    {
        QFETCH(bool, manager);
        QFETCH(bool, escPos);
        QFETCH(bool, offered);
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        EscPosListener printer;
        if (escPos)
            SetEscPos(printer.Address(), false, 5);
        CPOS pos;
        pos.AllowManagerKeys(manager);
        QVERIFY(ShowActive(&pos));
        auto *key = Child<QPushButton>(&pos, "pushOpenDrawer");
        QCOMPARE(key->isVisible(), offered);
        if (!offered)
            return;
        key->click();
        QCOMPARE(DecodeEscPos(printer.Received().value(0)),
                 QString("[status 4][drawer pin 5 on 50 ms off 500 ms]"));
        QCOMPARE(SalesValue("SELECT CONCAT_WS('|', KIND, USER_ID, ROW_KEY) FROM tblAuditLog")
                     .toString(),
                 "DRAWER_OPENED|NO LOGGED IN USER|" + printer.Address());
    }
};

QTEST_MAIN(TestEscPos)
#include "tst_escpos.moc"
