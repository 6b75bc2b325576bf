#include "../reports/reporttesthelpers.h"
#include "appsettings.h"
#include "documentfiles.h"
#include "receipt.h"
#include "reportengine.h"
#include "reportrenderer.h"
#include "reporttemplate.h"
#include "testsupport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

using namespace ReportTest;
using QuillboxTest::UrlCatcher;

namespace {

const QString DefaultAddress = QStringLiteral("Some Address \n32422 Some Street\nSome City");
const QString LongName = QStringLiteral(
    "Paracetamol 500 mg film-coated tablets, blister pack of 20, for adults and children 12+");

// A sale of three lines: 3 units at 25, one unit at 25, and 4 loose sub-items.
ReceiptData ThreeLineSale(const QString &receiptNumber = QString())
{
    ReceiptData data = ReceiptData::WithShopSettings();
    data.companyName = QStringLiteral("Sample Company");
    data.companyAddress = DefaultAddress;
    data.receiptNumber = receiptNumber;
    data.lines = {{QStringLiteral("Aspirin"), "3", "0", "25", "0.00", "75.00"},
                  {QStringLiteral("Bandage"), "1", "0", "25", "0.00", "25.00"},
                  {QStringLiteral("Vitamin C"), "0", "4", "10", "0.00", "4.00"}};
    data.taxAmount = QStringLiteral("0.00");
    data.grandTotal = QStringLiteral("104.00");
    data.subTotal = QStringLiteral("104.00");
    data.paid = QStringLiteral("110.00");
    data.change = QStringLiteral("6.00");
    return data;
}

// Answers every parameter with one text.
class OneText final : public Report::DataSource {
public:
    explicit OneText(const QString &text)
        : m_text(text)
    {
    }
    QString Value(int, const QString &, int) override { return m_text; }
    bool Image(int, const QString &, int, QImage *) override { return false; }

private:
    QString m_text;
};

// Sheet 1 of a template with one borderless label at (100, 100), one pixel per unit.
QImage PaintField(const QString &text, int width, int height, const QString &attributes)
{
    Report::Template t;
    const QString field
        = QStringLiteral(
              "<TContainerField type=\"label\" value=\"[text]\" left=\"100\" top=\"100\" "
              "width=\"%1\" "
              "height=\"%2\" fontFamily=\"MS Shell Dlg 2\" fontColor=\"rgba(0,0,0,255)\" "
              "borderTop=\"rgba(255,255,255,0)\" borderBottom=\"rgba(255,255,255,0)\" "
              "borderLeft=\"rgba(255,255,255,0)\" borderRight=\"rgba(255,255,255,0)\" %3/>")
              .arg(width)
              .arg(height)
              .arg(attributes);
    if (!t.Parse(PageXml(BandXml(QStringLiteral("ReportTitle"), 10, field))))
        return QImage();
    OneText source(text);
    Report::Renderer renderer(t, {}, &source);
    renderer.Prepare();
    QImage image(680, 948, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.PaintSheet(0, painter, QSizeF(680, 948));
    return image;
}

bool IsInk(QRgb pixel)
{
    return qGray(pixel) < 250;
}

int InkOutside(const QImage &image, const QRect &inside)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inside.contains(x, y) && IsInk(image.pixel(x, y)))
                ++count;
        }
    }
    return count;
}

int InkInside(const QImage &image, const QRect &inside)
{
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += IsInk(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

// The smallest rectangle holding every inked pixel.
QRect InkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// The rendered first page of a PDF file at the given resolution.
QImage PdfPage(const QString &pdf, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                       QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                       QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// A plain red square saved as the logo file, easy to tell from black text.
QString RedLogo(const QTemporaryDir &dir, int side)
{
    const QString file = dir.filePath(QStringLiteral("red.png"));
    QImage red(side, side, QImage::Format_RGB32);
    red.fill(Qt::red);
    return red.save(file) ? file : QString();
}

bool IsRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

} // namespace

class TestReceipt final : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QuillboxTest::ResetState();
        QFile::remove(ReportEngine::PdfFilePath());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_viewer, "Open");
        m_viewer.opened.clear();
    }
    void cleanup() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void tallTextStaysInsideItsField_data();
    void tallTextStaysInsideItsField();
    void fittingTextIsDrawnAsBefore();
    void smallReceiptByDefaultGoesToPdf();
    void smallReceiptLines_data();
    void smallReceiptLines();
    void largeReceiptTemplate_data();
    void largeReceiptTemplate();
    void largeReceiptContent();
    void missingTemplatePrintsNothing();
    void unsetCompanyPrintsNothing_data();
    void unsetCompanyPrintsNothing();
    void logoIsAThirdOfTheWidth();
    void changedLogoFileIsReadAgain_data();
    void changedLogoFileIsReadAgain();
    void paperReceiptIsUpsideDown();
    void longHeaderKeepsOffTheLogo();
    void documentFileNames_data();
    void documentFileNames();
    void eachReceiptItsOwnFile();
    void previewWithoutViewerStaysInProgram();

private:
    QString PrintedText(const ReceiptData &data, bool preview = false)
    {
        AppSettings::Instance().Settings()->setValue(QStringLiteral("err_msg_1"), true);
        const bool ok = preview ? Receipt::Preview(data) : Receipt::Print(data);
        return ok ? PdfText(ReportEngine::PdfFilePath()) : QString();
    }

    UrlCatcher m_viewer;
};

void TestReceipt::tallTextStaysInsideItsField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("attributes");
    QTest::newRow("company address") << DefaultAddress << 380 << 15
                                     << "fontSize=\"8\" fontBold=\"1\" aligmentH=\"hLeft\" "
                                        "aligmentV=\"vCenter\"";
    QTest::newRow("product name") << LongName << 252 << 20
                                  << "fontSize=\"8\" aligmentH=\"hCenter\" aligmentV=\"vCenter\"";
    QTest::newRow("one long word") << QString(70, QLatin1Char('W')) << 120 << 20
                                   << "fontSize=\"8\" aligmentH=\"hRight\" aligmentV=\"vBottom\"";
    QTest::newRow("title in a small box")
        << QStringLiteral("SALES RECEIPT") << 200 << 30 << "fontSize=\"30\" fontBold=\"1\"";
}

void TestReceipt::tallTextStaysInsideItsField()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, attributes);
    const QImage image = PaintField(text, width, height, attributes);
    QVERIFY(!image.isNull());
    const QRect field(100, 100, width - 1, height);
    QCOMPARE(InkOutside(image, field.adjusted(0, 0, 1, 1)), 0);
    QVERIFY(InkInside(image, field) > 0);
}

void TestReceipt::fittingTextIsDrawnAsBefore()
{
    const QString attributes
        = QStringLiteral("fontSize=\"8\" aligmentH=\"hCenter\" aligmentV=\"vCenter\"");
    const QImage drawn = PaintField(QStringLiteral("Aspirin 100 mg"), 252, 20, attributes);

    QImage expected(680, 948, QImage::Format_ARGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    QFont font(QStringLiteral("MS Shell Dlg 2"));
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(110, 100, 241, 20),
                     Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextDontClip,
                     QStringLiteral("Aspirin 100 mg"));
    painter.end();
    QVERIFY(drawn == expected);
}

void TestReceipt::smallReceiptByDefaultGoesToPdf()
{
    QuillboxTest::DialogDriver driver;
    driver.Expect(QStringLiteral("Print to PDF"),
                  QStringLiteral("Please make sure Adobe Reader is installed, which is required to "
                                 "view the PDF receipt."));
    QVERIFY(Receipt::Print(ThreeLineSale()));
    QVERIFY_DIALOGS(driver);
    QCOMPARE(m_viewer.opened, QList<QUrl>{QUrl::fromLocalFile(ReportEngine::PdfFilePath())});
    const QString text = PdfText(ReportEngine::PdfFilePath());
    // Upright: the company comes before the totals when read from the top.
    QVERIFY(text.indexOf(QLatin1String("Sample Company")) >= 0);
    QVERIFY(text.indexOf(QLatin1String("Sample Company"))
            < text.indexOf(QLatin1String("Grand Total")));

    // The preview needs no notice when print-to-PDF is off and still writes the file.
    AppSettings::Instance().Settings()->setValue(QStringLiteral("ReceiptPrintToPDF"), false);
    QFile::remove(ReportEngine::PdfFilePath());
    QuillboxTest::DialogDriver quiet;
    QVERIFY(Receipt::Preview(ThreeLineSale()));
    QVERIFY_DIALOGS(quiet);
    QVERIFY(PdfText(ReportEngine::PdfFilePath()).contains(QLatin1String("Grand Total")));
}

void TestReceipt::smallReceiptLines_data()
{
    QTest::addColumn<QString>("receiptNumber");
    QTest::addColumn<bool>("subItemsMode");
    QTest::addColumn<QStringList>("present"); // regular expressions
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("before payment")
        << QString() << false << QStringList{"Receipt Nr\\.:\\s*\\n", "\\(25\\) 75\\.00"}
        << QStringList{"\\(25\\) 25\\.00", "0\\(4\\)"};
    QTest::newRow("after payment")
        << "2" << false
        << QStringList{"Receipt Nr\\.: 2\\s*\\n", "\\s25\\.00\\s*\\n", "Change due\\s+6\\.00"}
        << QStringList{"-6\\.00"};
    QTest::newRow("sub-items mode")
        << "2" << true << QStringList{"0\\(4\\)", "\\b3\\s+Aspirin"} << QStringList{"3\\(0\\)"};
}

void TestReceipt::smallReceiptLines()
{
    QFETCH(QString, receiptNumber);
    QFETCH(bool, subItemsMode);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    if (subItemsMode)
        AppSettings::Instance().Settings()->setValue(QStringLiteral("SUB_ITEMS_MODE"), "y");
    const QString text = PrintedText(ThreeLineSale(receiptNumber));
    for (const QString &pattern : present)
        QVERIFY2(text.contains(QRegularExpression(pattern)), qPrintable(pattern + "\n" + text));
    for (const QString &pattern : absent)
        QVERIFY2(!text.contains(QRegularExpression(pattern)), qPrintable(pattern + "\n" + text));
}

void TestReceipt::largeReceiptTemplate_data()
{
    QTest::addColumn<QString>("subItems");
    QTest::addColumn<bool>("tax");
    QTest::addColumn<QString>("file");
    QTest::newRow("sub-items, tax") << "y" << true << ":/xml/reports/sales_receipt.xml";
    QTest::newRow("tax only") << "n" << true << ":/xml/reports/sales_receipt_no_subitems.xml";
    QTest::newRow("neither") << "" << false << ":/xml/reports/sales_receipt_no_subitems_no_tax.xml";
    QTest::newRow("sub-items only") << "y" << false << ":/xml/reports/sales_receipt_no_tax.xml";
}

void TestReceipt::largeReceiptTemplate()
{
    QFETCH(QString, subItems);
    QFETCH(bool, tax);
    QFETCH(QString, file);
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("SMALL_RECEIPT"), 0);
    settings->setValue(QStringLiteral("SUB_ITEMS_MODE"), subItems);
    settings->setValue(QStringLiteral("enable_tax"), tax);
    const ReceiptOptions options = ReceiptOptions::FromSettings();
    QCOMPARE(Receipt::TemplateFor(options.subItemsMode, options.enableTax), file);

    const QString text = PrintedText(ThreeLineSale(QStringLiteral("2")));
    QVERIFY(text.contains(QLatin1String("SALES RECEIPT")));
    QCOMPARE(text.contains(QLatin1String("Sub Items")), subItems == QLatin1String("y"));
    QCOMPARE(text.contains(QLatin1String("Sub Total")), tax);
    // The default three-line address prints whole, at its size, without an ellipsis.
    for (const QString &line : DefaultAddress.split(QLatin1Char('\n')))
        QVERIFY2(text.contains(line.trimmed()), qPrintable(text));
    QVERIFY2(!text.contains(QChar(0x2026)) && !text.contains(QLatin1String("...")),
             qPrintable(text));

    // The title's fields sit apart, the address has room for three lines of the company's.
    Report::Template layout;
    QVERIFY(layout.Load(file));
    const Report::Band *title = layout.Pages().first().FindBand(Report::BandType::ReportTitle);
    QVERIFY(title);
    int lineHeight = 0;
    int addressHeight = 0;
    for (const Report::Field &field : title->fields) {
        if (field.value == QLatin1String("[company_name]"))
            lineHeight = field.height;
        if (field.value == QLatin1String("[company_address]"))
            addressHeight = field.height;
    }
    QVERIFY(lineHeight > 0);
    QVERIFY(addressHeight >= 3 * lineHeight);
    for (int i = 0; i < title->fields.size(); ++i) {
        const Report::Field &a = title->fields.at(i);
        const QRect first(a.left, a.top, a.width, a.height);
        for (int j = i + 1; j < title->fields.size(); ++j) {
            const Report::Field &b = title->fields.at(j);
            QVERIFY2(!first.intersects(QRect(b.left, b.top, b.width, b.height)),
                     qPrintable(a.value + QLatin1String(" / ") + b.value));
        }
    }
}

void TestReceipt::largeReceiptContent()
{
    AppSettings::Instance().Settings()->setValue(QStringLiteral("SMALL_RECEIPT"), 0);
    AppSettings::Instance().Settings()->setValue(QStringLiteral("CURRENCY_SYMBOL"), "$");
    ReceiptData data = ThreeLineSale(QStringLiteral("2"));
    data.lines[1].product = LongName;
    const QString text = PrintedText(data);
    QVERIFY2(text.contains(QRegularExpression("Receipt Nr : 2\\b")), qPrintable(text));
    // The first line is numbered 0, as on the sale screen.
    QVERIFY2(
        text.contains(QRegularExpression("\\n\\s*0\\s+Aspirin\\s+3\\s+25\\s+0\\.00\\s+75\\.00")),
        qPrintable(text));
    QVERIFY(text.contains(QLatin1String("$ 104.00")));
    // The default address fits its field of three lines: nothing of it is cut.
    QVERIFY2(text.contains(QLatin1String("Some Address")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("Some City")), qPrintable(text));

    // Before payment the number is empty.
    const QString unpaid = PrintedText(ThreeLineSale());
    QVERIFY2(unpaid.contains(QRegularExpression("Receipt Nr :\\s*\\n")), qPrintable(unpaid));
}

void TestReceipt::unsetCompanyPrintsNothing_data()
{
    QTest::addColumn<int>("smallReceipt");
    QTest::newRow("small") << 1;
    QTest::newRow("large") << 0;
}

void TestReceipt::unsetCompanyPrintsNothing()
{
    QFETCH(int, smallReceipt);
    AppSettings::Instance().Settings()->setValue(QStringLiteral("SMALL_RECEIPT"), smallReceipt);
    ReceiptData data = ThreeLineSale(QStringLiteral("2"));
    const ReceiptData shop = ReceiptData::WithShopSettings();
    data.companyName = shop.companyName;
    data.companyAddress = shop.companyAddress;
    data.companyContact = shop.companyContact;
    const QString text = PrintedText(data);
    QVERIFY2(text.contains(QLatin1String("Aspirin")), qPrintable(text));
    for (const char *invented : {"Sample Company", "Some Address", "Some City", "1111111111"})
        QVERIFY2(!text.contains(QLatin1String(invented)), qPrintable(text));
}

void TestReceipt::missingTemplatePrintsNothing()
{
    ReceiptOptions options;
    options.smallReceipt = false;
    options.largeTemplate = QStringLiteral(":/xml/reports/no_such_receipt.xml");
    QuillboxTest::DialogDriver driver;
    driver.Expect(QStringLiteral("Receipt"),
                  QStringLiteral("The receipt template could not be loaded."));
    QVERIFY(!Receipt::Print(ThreeLineSale(), options, nullptr));
    QVERIFY_DIALOGS(driver);
    QVERIFY(!QFile::exists(ReportEngine::PdfFilePath()));
    QVERIFY(m_viewer.opened.isEmpty());
}

void TestReceipt::logoIsAThirdOfTheWidth()
{
    QTemporaryDir dir;
    const QString logoFile = RedLogo(dir, 120);
    QVERIFY(!logoFile.isEmpty());
    AppSettings::Instance().Settings()->setValue(QStringLiteral("REPORT_COMPANY_LOGO"), logoFile);
    QVERIFY(!PrintedText(ThreeLineSale()).isEmpty());

    const int dpi = 254; // 10 pixels per millimetre
    const QImage page = PdfPage(ReportEngine::PdfFilePath(), dpi);
    QVERIFY(!page.isNull());
    QVERIFY2(std::abs(page.width() - 570) <= 2, qPrintable(QString::number(page.width())));
    int widest = 0;
    for (int y = 0; y < page.height(); ++y) {
        int run = 0;
        for (int x = 0; x < page.width(); ++x) {
            run = IsRed(page.pixel(x, y)) ? run + 1 : 0;
            widest = std::max(widest, run);
        }
    }
    // Printable width 57 - 5 - 5 = 47 mm.
    QVERIFY2(std::abs(widest - 470 / 3) <= 3, qPrintable(QString::number(widest)));
}

void TestReceipt::changedLogoFileIsReadAgain_data()
{
    QTest::addColumn<bool>("existsFirst");
    QTest::newRow("replaced at the same path") << true;
    QTest::newRow("missing when first read") << false;
}

void TestReceipt::changedLogoFileIsReadAgain()
{
    QFETCH(bool, existsFirst);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("logo.png"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    if (existsFirst)
        QVERIFY(image.save(file));
    QCOMPARE(Receipt::Logo(file).isNull(), !existsFirst);

    // Same size on disk, a later time: only the time tells it changed.
    image.fill(Qt::red);
    QVERIFY(image.save(file));
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadWrite));
    QVERIFY(written.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                QFileDevice::FileModificationTime));
    written.close();
    QVERIFY(IsRed(Receipt::Logo(file).pixel(0, 0)));
}

void TestReceipt::paperReceiptIsUpsideDown()
{
    ReceiptOptions options;
    options.logoPath = QStringLiteral(":/nothing.png");
    const QSize page(200, 600);
    QImage upright(page, QImage::Format_RGB32);
    QImage turned(page, QImage::Format_RGB32);
    for (QImage *image : {&upright, &turned}) {
        image->fill(Qt::white);
        QPainter painter(image);
        Receipt::PaintSmall(painter, page, ThreeLineSale(), options, image == &turned, nullptr);
    }
    // The same receipt, turned by half a circle: its ink lies where the upright ink would lie
    // on the turned page.
    const QRect up = InkBounds(upright);
    const QRect down = InkBounds(turned);
    QVERIFY(up.top() < 5 && up.bottom() < 400);
    const QRect expected(page.width() - 1 - up.right(), page.height() - 1 - up.bottom(), up.width(),
                         up.height());
    QVERIFY2((down.topLeft() - expected.topLeft()).manhattanLength() <= 3
                 && (down.bottomRight() - expected.bottomRight()).manhattanLength() <= 3,
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(down.x())
                            .arg(down.y())
                            .arg(down.width())
                            .arg(down.height())));
}

void TestReceipt::longHeaderKeepsOffTheLogo()
{
    QTemporaryDir dir;
    const QString logoFile = RedLogo(dir, 60);
    QVERIFY(!logoFile.isEmpty());
    ReceiptOptions options;
    options.logoPath = logoFile;
    ReceiptData data = ThreeLineSale();
    data.companyName = QStringLiteral("The Very Long Named Family Pharmacy And Health Store Ltd");
    const QSize page(180, 400);
    QImage image(page, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Receipt::PaintSmall(painter, page, data, options, false, nullptr);
    painter.end();
    const int side = Receipt::LogoSide(page.width(), options.logoSize);
    QCOMPARE(side, 60);
    for (int y = 0; y < side; ++y) {
        for (int x = page.width() - side - 1; x < page.width() - 1; ++x)
            QVERIFY2(IsRed(image.pixel(x, y)), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
}

QUILLBOX_TEST_MAIN(TestReceipt)
#include "tst_receipt.moc"

void TestReceipt::documentFileNames_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("receipt") << "receipt" << "123" << "receipt-000123-20261208-221530.pdf";
    QTest::newRow("long number") << "receipt" << "1234567" << "receipt-1234567-20261208-221530.pdf";
    QTest::newRow("no number") << "report" << "" << "report-20261208-221530.pdf";
    QTest::newRow("no path in a number") << "order" << "../PO 7" << "order-___PO_7-20261208-221530.pdf";
}

void TestReceipt::documentFileNames()
{
    QFETCH(QString, kind);
    QFETCH(QString, number);
    QFETCH(QString, name);
    const QDateTime when(QDate(2026, 12, 8), QTime(22, 15, 30));
    QCOMPARE(DocumentFiles::FileName(kind, number, when), name);
}

void TestReceipt::eachReceiptItsOwnFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QLatin1String(DocumentFiles::kFolderKey), QString(folder.path() + "/docs"));
    ReceiptData sale = ThreeLineSale();
    sale.receiptNumber = QStringLiteral("123");
    QVERIFY(!PrintedText(sale).isEmpty());
    QVERIFY(!PrintedText(sale).isEmpty());
    const QStringList files = QDir(folder.path() + "/docs").entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 2);
    const QRegularExpression named(QStringLiteral("^receipt-000123-\\d{8}-\\d{6}(-2)?\\.pdf$"));
    for (const QString &file : files)
        QVERIFY2(named.match(file).hasMatch(), qPrintable(file));
    QCOMPARE(m_viewer.opened.last(), QUrl::fromLocalFile(ReportEngine::PdfFilePath()));
}

void TestReceipt::previewWithoutViewerStaysInProgram()
{
    // No handler for files: the platform has no viewer to offer.
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    AppSettings::Instance().Settings()->setValue(QStringLiteral("ReceiptPrintToPDF"), false);
    QuillboxTest::DialogDriver driver;
    driver.Expect(QStringLiteral("Receipt Preview"), QString(), QuillboxTest::DialogDriver::Reject());
    QVERIFY(Receipt::Preview(ThreeLineSale()));
    QVERIFY_DIALOGS(driver);
}
