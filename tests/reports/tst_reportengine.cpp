#include "appsettings.h"
#include "reportengine.h"
#include "reporttesthelpers.h"
#include "testsupport.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

using namespace ReportTest;
using QuillboxTest::UrlCatcher;

namespace {

// Connects an engine to a table of answers and remembers what it was asked.
struct Answers
{
    QHash<QString, QString> values;
    QHash<QString, QStringList> rows;
    QStringList names;

    void Attach(ReportEngine &engine)
    {
        QObject::connect(&engine, &ReportEngine::setValue,
                         [this](int &recNo, QString &name, QVariant &value, int) {
                             names.append(name);
                             const auto row = rows.constFind(name);
                             if (row != rows.constEnd() && recNo < row->size())
                                 value = row->at(recNo);
                             else if (values.contains(name))
                                 value = values.value(name);
                         });
        QObject::connect(&engine, &ReportEngine::setValueImage,
                         [this](int &, QString &name, QImage &, int) { names.append(name); });
    }

    QStringList Distinct() const
    {
        QStringList d = names;
        d.removeDuplicates();
        d.sort();
        return d;
    }
};

bool RenderPdf(ReportEngine &engine, const QString &path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return engine.Render(&printer);
}

QString PdfInfo(const QString &pdf)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList Numbered(const QString &prefix, int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list.append(prefix + QString::number(i));
    return list;
}

} // namespace

class TestReportEngine final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void receiptWithFortyRows();
    void pageTwoOfThree_data();
    void pageTwoOfThree();
    void engineAnswersDateNames();
    void unansweredParameterPrintsEmpty();
    void emptyPrintingHidesField();
    void secondMasterDataIgnored();
    void orientation_data();
    void orientation();
    void secondAnswerPrintsFirstIsSummed();
    void shippedTemplates_data();
    void shippedTemplates();
    void refusedTemplateRendersNothing();
    void printDocumentToPdfWithNotice_data();
    void printDocumentToPdfWithNotice();
    void noticeSuppressed();
    void eachOutputFollowsItsOwnSwitch_data();
    void eachOutputFollowsItsOwnSwitch();
    void suppliedImageIsDrawn_data();
    void suppliedImageIsDrawn();
    void printToPdfFileOpensWithoutNotice();
    void preview();
    void commandLine_data();
    void commandLine();

private:
    QTemporaryDir m_dir;
};

void TestReportEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (PdfToTextTool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is needed to read the rendered files");
}

void TestReportEngine::init()
{
    QuillboxTest::ResetState();
    QFile::remove(ReportEngine::PdfFilePath());
}

void TestReportEngine::receiptWithFortyRows()
{
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(QStringLiteral(":/xml/reports/sales_receipt.xml")));
    engine.rowCounts.append(40);
    Answers answers;
    answers.rows.insert(QStringLiteral("Product"), Numbered(QStringLiteral("Item-"), 40));
    answers.values.insert(QStringLiteral("sub_total"), QStringLiteral("$ 99.00"));
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(QStringLiteral("forty.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    QCOMPARE(engine.LastSheetCount(), 2);
    QCOMPARE(PdfPageCount(pdf), 2);
    const QString first = PdfText(pdf, 1);
    const QString second = PdfText(pdf, 2);
    QVERIFY(first.contains(QLatin1String("SALES RECEIPT")));
    // The title keeps three lines for the shop's address: 37 rows fit below it.
    QVERIFY(first.contains(QLatin1String("Item-37")));
    QVERIFY(!first.contains(QLatin1String("Item-38")));
    QVERIFY(!first.contains(QLatin1String("Sub Total")));
    // Sheet 2 repeats the heading row above rows 38 to 40, then the summary.
    QVERIFY(!second.contains(QLatin1String("SALES RECEIPT")));
    QVERIFY(second.contains(QLatin1String("Line Total")));
    QVERIFY(second.indexOf(QLatin1String("Line Total")) < second.indexOf(QLatin1String("Item-38")));
    QVERIFY(second.contains(QLatin1String("Item-40")));
    QVERIFY(second.contains(QLatin1String("Sub Total")));
    QVERIFY(second.contains(QLatin1String("$ 99.00")));
    QVERIFY(second.contains(QLatin1String("Thank you for doing business with us")));
}

void TestReportEngine::pageTwoOfThree_data()
{
    QTest::addColumn<QString>("footer");
    QTest::newRow("variables") << "Page <Page> of <TotalPages>";
    QTest::newRow("parameters") << "Page [Page] of [TotalPages]";
}

void TestReportEngine::pageTwoOfThree()
{
    QFETCH(QString, footer);
    const QString path = m_dir.filePath(QStringLiteral("pages.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PageXml(BandXml("MasterData", 400, LabelXml("row <LineNo>"))
                       + BandXml("PageFooter", 30, LabelXml(footer))));
    file.close();
    ReportEngine engine;
    QVERIFY2(engine.loadTemplate(path), qPrintable(engine.LastError()));
    engine.rowCounts.append(5); // two rows of 400 fit above the footer on each sheet
    Answers answers;
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(QStringLiteral("pages.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    QCOMPARE(PdfPageCount(pdf), 3);
    QVERIFY(PdfText(pdf, 1).contains(QLatin1String("Page 1 of 3")));
    QVERIFY(PdfText(pdf, 2).contains(QLatin1String("Page 2 of 3")));
    QVERIFY(PdfText(pdf, 2).contains(QLatin1String("row 4")));
    QVERIFY(PdfText(pdf, 3).contains(QLatin1String("Page 3 of 3")));
    QVERIFY(answers.names.isEmpty());
}

void TestReportEngine::engineAnswersDateNames()
{
    const QString path = m_dir.filePath(QStringLiteral("dates.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PageXml(BandXml("ReportTitle", 100,
                               LabelXml("Due [DateDue] / Date : [date] / [LastUpdate]"))));
    file.close();
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(path));
    Answers answers;
    answers.values.insert(QStringLiteral("date"), QStringLiteral("Friday"));
    answers.values.insert(QStringLiteral("DateDue"), QStringLiteral("never"));
    answers.values.insert(QStringLiteral("LastUpdate"), QStringLiteral("yesterday"));
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(QStringLiteral("dates.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const QString text = PdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Due %1 / Date : Friday / yesterday").arg(today)),
             qPrintable(text));
    QCOMPARE(answers.Distinct(), (QStringList{"LastUpdate", "date"}));
}

void TestReportEngine::unansweredParameterPrintsEmpty()
{
    const QString path = m_dir.filePath(QStringLiteral("unanswered.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PageXml(BandXml("ReportTitle", 100, LabelXml("left[nobody]right"))));
    file.close();
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(path));
    Answers answers;
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(QStringLiteral("unanswered.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    QVERIFY(PdfText(pdf).contains(QLatin1String("leftright")));
    QCOMPARE(answers.names, QStringList{"nobody"});
}

void TestReportEngine::emptyPrintingHidesField()
{
    const QString path = m_dir.filePath(QStringLiteral("printing.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PageXml(BandXml("ReportTitle", 100,
                               LabelXml("HIDDEN", "printing=\"\"")
                                   + LabelXml("SHOWN", "printing=\"1\"")
                                   + LabelXml("ALSO HIDDEN [amount]", "printing=\"[amount] &lt; 0\""))));
    file.close();
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(path));
    Answers answers;
    answers.values.insert(QStringLiteral("amount"), QStringLiteral("12.50"));
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(QStringLiteral("printing.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QLatin1String("SHOWN")));
    QVERIFY(!text.contains(QLatin1String("HIDDEN")));
}

void TestReportEngine::secondMasterDataIgnored()
{
    const QString path = m_dir.filePath(QStringLiteral("twodata.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PageXml(BandXml("MasterData", 20, LabelXml("FIRST [n]"))
                       + BandXml("MasterData", 20, LabelXml("SECOND [m]"))));
    file.close();
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(path));
    engine.rowCounts.append(2);
    Answers answers;
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(QStringLiteral("twodata.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    const QString text = PdfText(pdf);
    QCOMPARE(text.count(QLatin1String("FIRST")), 2);
    QVERIFY(!text.contains(QLatin1String("SECOND")));
    QCOMPARE(answers.Distinct(), QStringList{"n"});
}

void TestReportEngine::orientation_data()
{
    QTest::addColumn<QString>("orientation");
    QTest::addColumn<QString>("size");
    QTest::newRow("0 portrait") << "0" << "595 x 842";
    QTest::newRow("1 landscape") << "1" << "842 x 595";
    QTest::newRow("2 portrait") << "2" << "595 x 842";
}

void TestReportEngine::orientation()
{
    QFETCH(QString, orientation);
    QFETCH(QString, size);
    const QString path = m_dir.filePath(QStringLiteral("orientation.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PageXml(BandXml("ReportTitle", 100, LabelXml("x")),
                       QStringLiteral("orientation=\"%1\"").arg(orientation)));
    file.close();
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(path));
    const QString pdf = m_dir.filePath(QStringLiteral("orientation.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    const QString info = PdfInfo(pdf);
    QVERIFY2(info.contains(QStringLiteral("Page size:       %1 pts").arg(size)), qPrintable(info));
}

void TestReportEngine::secondAnswerPrintsFirstIsSummed()
{
    const QString path = m_dir.filePath(QStringLiteral("passes.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PageXml(BandXml("MasterData", 20, LabelXml("row=[Total]"))
                       + BandXml("ReportSummary", 20, LabelXml("sum=<Sum([Total])> avg=<Avg([Total])>"))));
    file.close();
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(path));
    engine.rowCounts.append(3);
    int calls = 0;
    connect(&engine, &ReportEngine::setValue, [&calls](int &, QString &, QVariant &value, int) {
        // First pass: 1 for each row; second pass: 2.
        value = ++calls <= 3 ? 1 : 2;
    });
    const QString pdf = m_dir.filePath(QStringLiteral("passes.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    const QString text = PdfText(pdf);
    QCOMPARE(text.count(QLatin1String("row=2")), 3);
    QVERIFY2(text.contains(QLatin1String("sum=3 avg=1")), qPrintable(text));
    // A second document from the same program run does not add to the first one's values.
    calls = 0;
    QVERIFY(RenderPdf(engine, pdf));
    QVERIFY(PdfText(pdf).contains(QLatin1String("sum=3 avg=1")));
}

void TestReportEngine::shippedTemplates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QStringList>("texts");
    const QStringList receiptTitle{"image", "company_name", "company_address", "company_contact",
                                   "customer_name", "customer_address", "customer_contact",
                                   "date", "receipt", "report_message"};
    const QStringList poTitle{"image", "company_name", "company_address", "company_contact",
                              "vendor_name", "vendor_address", "vendor_contact", "date",
                              "porder", "empty", "report_message"};
    const QStringList subRows{"SN", "Product", "Items", "SubItems", "Price/Item", "Discount", "Total"};
    const QStringList noSubRows{"SN", "Product", "Items", "Price/Item", "Discount", "Total"};
    const QStringList taxSummary{"sub_total", "Tax_Name", "tax", "grand_total", "paid", "change"};
    const QStringList noTaxSummary{"grand_total", "paid", "change"};
    const QStringList poRows{"Qty", "Code", "Name", "UnitPrice", "LineTotal"};
    const QStringList receiptTexts{"SALES RECEIPT", "Customer:", "Date :", "Receipt Nr :",
                                   "SN", "Product", "Items", "Price", "Discount", "Line Total",
                                   "Total", "Paid", "Change", "Thank you for doing business with us"};
    const QStringList poTexts{"PURCHASE ORDER", "Vendor:", "Date :", "Purchase Order Nr:", "Qty",
                              "Item#", "Name", "Unit Price", "Line Total", "Total",
                              "1. Delivery Date:",
                              "2. Please notify us immediately if you are unable to ship as specified."};
    QTest::newRow("sales_receipt") << "sales_receipt" << receiptTitle + subRows + taxSummary
                                   << receiptTexts + QStringList{"Sub Items", "Sub Total"};
    QTest::newRow("sales_receipt_no_tax") << "sales_receipt_no_tax" << receiptTitle + subRows + noTaxSummary
                                          << receiptTexts + QStringList{"Sub Items"};
    QTest::newRow("sales_receipt_no_subitems") << "sales_receipt_no_subitems"
                                               << receiptTitle + noSubRows + taxSummary
                                               << receiptTexts + QStringList{"Sub Total"};
    QTest::newRow("sales_receipt_no_subitems_no_tax") << "sales_receipt_no_subitems_no_tax"
                                                      << receiptTitle + noSubRows + noTaxSummary
                                                      << receiptTexts;
    QTest::newRow("purchase_order") << "purchase_order"
                                    << poTitle + poRows + QStringList{"sub_total", "Tax_Name", "tax", "total", "deliver_date"}
                                    << poTexts + QStringList{"Sub Total"};
    QTest::newRow("purchase_order_no_tax") << "purchase_order_no_tax"
                                           << poTitle + poRows + QStringList{"total", "deliver_date"}
                                           << poTexts;
}

void TestReportEngine::shippedTemplates()
{
    QFETCH(QString, name);
    QFETCH(QStringList, parameters);
    QFETCH(QStringList, texts);
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(QStringLiteral(":/xml/reports/%1.xml").arg(name)));
    engine.rowCounts.append(2);
    Answers answers;
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(name + QStringLiteral(".pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    parameters.sort();
    QCOMPARE(answers.Distinct(), parameters);
    if (name.endsWith(QLatin1String("no_tax"))) {
        QVERIFY(!answers.names.contains(QStringLiteral("tax")));
        QVERIFY(!answers.names.contains(QStringLiteral("sub_total")));
    }
    const QString text = PdfText(pdf);
    for (const QString &fixed : qAsConst(texts))
        QVERIFY2(text.contains(fixed), qPrintable(fixed));
    QCOMPARE(text.contains(QLatin1String("Sub Items")), name.startsWith(QLatin1String("sales_receipt"))
                                                           && !name.contains(QLatin1String("no_subitems")));
    QCOMPARE(text.contains(QLatin1String("Sub Total")), !name.endsWith(QLatin1String("no_tax")));
}

void TestReportEngine::refusedTemplateRendersNothing()
{
    ReportEngine engine;
    QVERIFY(!engine.loadTemplate(QStringLiteral(":/xml/reports/no_such_template.xml")));
    QVERIFY(!engine.LastError().isEmpty());
    engine.rowCounts.append(3);
    Answers answers;
    answers.Attach(engine);
    const QString pdf = m_dir.filePath(QStringLiteral("refused.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    QCOMPARE(engine.LastSheetCount(), 0);
    QVERIFY(answers.names.isEmpty());
    QVERIFY(PdfText(pdf).trimmed().isEmpty());
}

void TestReportEngine::printDocumentToPdfWithNotice_data()
{
    QTest::addColumn<bool>("isReport");
    QTest::addColumn<QString>("notice");
    QTest::newRow("receipt") << false << "Please change Receipt/Ticket Printer settings from Settings dialog. Currently it is configured to print to PDF file.";
    QTest::newRow("report") << true << "Please change Report Printer settings from Settings dialog. Currently it is configured to print to PDF file.";
}

void TestReportEngine::printDocumentToPdfWithNotice()
{
    QFETCH(bool, isReport);
    QFETCH(QString, notice);
    UrlCatcher viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(QStringLiteral(":/xml/reports/sales_receipt.xml")));
    engine.rowCounts.append(1);
    Answers answers;
    answers.values.insert(QStringLiteral("company_name"), QStringLiteral("Corner Shop"));
    answers.Attach(engine);
    QuillboxTest::DialogDriver driver;
    driver.Expect(QStringLiteral("Print to PDF"), notice);
    QVERIFY(engine.printDocument(isReport));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY_DIALOGS(driver);
    QVERIFY(QFile::exists(ReportEngine::PdfFilePath()));
    QVERIFY(PdfText(ReportEngine::PdfFilePath()).contains(QLatin1String("Corner Shop")));
    QCOMPARE(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(ReportEngine::PdfFilePath())});
}

void TestReportEngine::noticeSuppressed()
{
    AppSettings::Instance().Settings()->setValue(QStringLiteral("err_msg_1"), true);
    UrlCatcher viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(QStringLiteral(":/xml/reports/purchase_order.xml")));
    QuillboxTest::DialogDriver driver; // expects nothing: any dialog is an error
    QVERIFY(engine.printDocument(true));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY_DIALOGS(driver);
    QCOMPARE(viewer.opened.size(), 1);
    QVERIFY(PdfText(ReportEngine::PdfFilePath()).contains(QLatin1String("PURCHASE ORDER")));
}

void TestReportEngine::eachOutputFollowsItsOwnSwitch_data()
{
    QTest::addColumn<bool>("isReport");
    QTest::addColumn<bool>("receiptToPdf");
    QTest::addColumn<bool>("reportToPdf");
    QTest::addColumn<QString>("notice"); // empty: the printer is used, not the PDF file
    const QString receiptNotice = QStringLiteral("Please change Receipt/Ticket Printer settings");
    const QString reportNotice = QStringLiteral("Please change Report Printer settings");
    QTest::newRow("receipt to its printer") << false << false << true << QString();
    QTest::newRow("report to its printer") << true << true << false << QString();
    QTest::newRow("receipt to PDF, report switch off") << false << true << false << receiptNotice;
    QTest::newRow("report to PDF, receipt switch off") << true << false << true << reportNotice;
}

void TestReportEngine::eachOutputFollowsItsOwnSwitch()
{
    QFETCH(bool, isReport);
    QFETCH(bool, receiptToPdf);
    QFETCH(bool, reportToPdf);
    QFETCH(QString, notice);
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("ReceiptPrintToPDF"), receiptToPdf);
    settings->setValue(QStringLiteral("ReportPrintToPDF"), reportToPdf);
    // No such printer is installed, so nothing reaches paper whichever printer is chosen.
    settings->setValue(QStringLiteral("receiptPrinter"), QStringLiteral("Quillbox Test Receipts"));
    settings->setValue(QStringLiteral("reportPrinter"), QStringLiteral("Quillbox Test Reports"));
    UrlCatcher viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(QStringLiteral(":/xml/reports/purchase_order.xml")));
    engine.rowCounts.append(1);
    QuillboxTest::DialogDriver driver;
    if (!notice.isEmpty())
        driver.Expect(QStringLiteral("Print to PDF"), notice);
    const bool ok = engine.printDocument(isReport);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY_DIALOGS(driver);
    if (notice.isEmpty()) {
        // A printer was chosen: the PDF file is neither written nor opened.
        QVERIFY(!QFile::exists(ReportEngine::PdfFilePath()));
        QVERIFY(viewer.opened.isEmpty());
    } else {
        QVERIFY(ok);
        QCOMPARE(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(ReportEngine::PdfFilePath())});
        QVERIFY(PdfText(ReportEngine::PdfFilePath()).contains(QLatin1String("PURCHASE ORDER")));
    }
}

void TestReportEngine::suppliedImageIsDrawn_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("blue");
    QTest::newRow("replaced") << "replace" << true;
    QTest::newRow("painted in place") << "paint" << true;
    QTest::newRow("left as prepared") << "none" << false;
    QTest::newRow("other name untouched") << "other" << false;
}

void TestReportEngine::suppliedImageIsDrawn()
{
    QFETCH(QString, how);
    QFETCH(bool, blue);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is needed to look at the rendered page");
    const QString path = m_dir.filePath(QStringLiteral("image.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // A 50 mm square picture at the top-left corner of the printable area.
    file.write(PageXml(BandXml("ReportTitle", 250,
                               QStringLiteral("<TContainerField type=\"labelImage\" value=\"[%1]\" "
                                              "width=\"201\" height=\"200\"/>")
                                   .arg(how == QLatin1String("other") ? QStringLiteral("stamp")
                                                                      : QStringLiteral("image")))));
    file.close();
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(path));
    QStringList asked;
    connect(&engine, &ReportEngine::setValueImage,
            [&](int &, QString &name, QImage &image, int) {
                asked.append(name);
                QCOMPARE(image.size(), QSize(500, 500));
                QCOMPARE(image.format(), QImage::Format_ARGB32);
                if (name != QLatin1String("image") || how == QLatin1String("none"))
                    return;
                if (how == QLatin1String("paint")) {
                    QPainter painter(&image);
                    painter.fillRect(image.rect(), Qt::blue);
                } else {
                    QImage logo(16, 16, QImage::Format_RGB32);
                    logo.fill(Qt::blue);
                    image = logo;
                }
            });
    const QString pdf = m_dir.filePath(QStringLiteral("image.pdf"));
    QVERIFY(RenderPdf(engine, pdf));
    QCOMPARE(asked.size(), 1);

    const QString prefix = m_dir.filePath(QStringLiteral("image"));
    QProcess raster;
    raster.start(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
                 {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, prefix});
    QVERIFY(raster.waitForFinished(30000));
    const QImage page(prefix + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    // The picture's centre lies 45 mm from the left edge and 35 mm from the top of the paper.
    const QRgb centre = page.pixel(qRound(45 / 25.4 * 40), qRound(35 / 25.4 * 40));
    QCOMPARE(qBlue(centre) > 200 && qRed(centre) < 60 && qGreen(centre) < 60, blue);
    QCOMPARE(qGray(centre) > 240, !blue);
}

void TestReportEngine::printToPdfFileOpensWithoutNotice()
{
    // The print-to-PDF switch is off, yet this operation always writes the file.
    AppSettings::Instance().Settings()->setValue(QStringLiteral("ReportPrintToPDF"), false);
    UrlCatcher viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open");
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(QStringLiteral(":/xml/reports/purchase_order_no_tax.xml")));
    engine.rowCounts.append(50);
    QuillboxTest::DialogDriver driver;
    QVERIFY(engine.printToPdfFile());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY_DIALOGS(driver);
    QCOMPARE(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(ReportEngine::PdfFilePath())});
    QCOMPARE(PdfPageCount(ReportEngine::PdfFilePath()), 2);
}

void TestReportEngine::preview()
{
    ReportEngine engine;
    QVERIFY(engine.loadTemplate(QStringLiteral(":/xml/reports/sales_receipt.xml")));
    engine.rowCounts.append(40);
    Answers answers;
    answers.Attach(engine);
    QWidget parent;
    parent.show();

    bool checked = false;
    QRect geometry;
    QPrintPreviewWidget::ZoomMode zoom = QPrintPreviewWidget::CustomZoom;
    int pages = 0;
    int current = 0;
    bool hasClose = false;
    QTimer poll;
    poll.setInterval(50);
    connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!dialog || checked)
            return;
        checked = true;
        geometry = dialog->geometry();
        auto *view = dialog->findChild<QPrintPreviewWidget *>();
        if (view) {
            zoom = view->zoomMode();
            pages = view->pageCount();
            current = view->currentPage();
        }
        QAction *close = nullptr;
        const auto toolBars = dialog->findChildren<QToolBar *>();
        for (QAction *action : toolBars.first()->actions()) {
            if (action->text() == QLatin1String("&Close..."))
                close = action;
        }
        hasClose = close != nullptr;
        if (close)
            close->trigger();
        else
            dialog->reject();
    });
    poll.start();
    engine.previewDocument(&parent);
    poll.stop();

    QVERIFY(checked);
    QVERIFY(hasClose);
    QCOMPARE(zoom, QPrintPreviewWidget::FitToWidth);
    QCOMPARE(pages, 2);
    QCOMPARE(current, 1);
    const QRect available = parent.screen()->availableGeometry();
    QCOMPARE(geometry.left(), available.left() + 5);
    QCOMPARE(geometry.top(), available.top() + 30);
    QCOMPARE(geometry.right(), available.right() - 6);
    QCOMPARE(geometry.bottom(), available.bottom() - 6);
    QVERIFY(answers.names.contains(QStringLiteral("company_name")));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestReportEngine::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("json");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("pdfText");
    const QString receipt = QStringLiteral(":/xml/reports/sales_receipt.xml");
    QTest::newRow("receipt sample") << QStringList{receipt, DataPath("receipt.json")} << QString()
                                    << 0 << QString() << "Quillbox Corner Pharmacy";
    QTest::newRow("purchase order from a file")
        << QStringList{QStringLiteral(QUILLBOX_REPORT_TEST_DATA "/../../../resources/xml/reports/purchase_order.xml"),
                       DataPath("purchase_order.json")}
        << QString() << 0 << QString() << "Northwind Medical Supplies";
    QTest::newRow("row answers win") << QStringList{receipt}
                                     << R"({"parameters":{"Product":"everywhere"},"rows":[{"Product":"row one"},{}]})"
                                     << 0 << QString() << "row one";
    QTest::newRow("malformed json") << QStringList{receipt} << R"({"rows": [)" << 1
                                    << "not valid JSON" << QString();
    QTest::newRow("rows not a list") << QStringList{receipt} << R"({"rows": {}})" << 1
                                     << "\"rows\" must be a list" << QString();
    QTest::newRow("row not an object") << QStringList{receipt} << R"({"rows": [1]})" << 1
                                       << "row 1 is not an object" << QString();
    QTest::newRow("missing image") << QStringList{receipt} << R"({"images": {"image": "nope.png"}})"
                                   << 1 << "image \"image\"" << QString();
    QTest::newRow("broken template") << QStringList{DataPath("templates/not_well_formed.xml")}
                                     << "{}" << 1 << "not well-formed XML" << QString();
    QTest::newRow("no template") << QStringList{":/xml/reports/none.xml"} << "{}" << 1
                                 << "cannot open" << QString();
    QTest::newRow("usage") << QStringList{} << QString() << 2 << "usage:" << QString();
}

void TestReportEngine::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, json);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QString, pdfText);
    if (!json.isNull()) {
        const QString path = m_dir.filePath(QStringLiteral("data.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json.toUtf8());
        arguments.append(path);
    }
    const QString pdf = m_dir.filePath(QStringLiteral("cli.pdf"));
    QFile::remove(pdf);
    if (!arguments.isEmpty())
        arguments.append(pdf);
    QProcess tool;
    tool.start(QStringLiteral(QUILLBOX_REPORT_TOOL), arguments);
    QVERIFY(tool.waitForFinished(60000));
    const QString errors = QString::fromUtf8(tool.readAllStandardError());
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == status, qPrintable(errors));
    if (!message.isEmpty())
        QVERIFY2(errors.contains(message), qPrintable(errors));
    QCOMPARE(QFile::exists(pdf), status == 0);
    if (!pdfText.isEmpty())
        QVERIFY(PdfText(pdf).contains(pdfText));
}

QUILLBOX_TEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
