#include "reportrenderer.h"
#include "reporttesthelpers.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QPainter>

using namespace Report;
using namespace ReportTest;

namespace {

struct Placed
{
    int sheet;
    BandType band;
    int y;
    int recNo;
};

QVector<Placed> Flatten(const Renderer &renderer)
{
    QVector<Placed> all;
    for (int s = 0; s < renderer.SheetCount(); ++s) {
        for (const Placement &p : renderer.Sheets().at(s).placements)
            all.append({s + 1, p.band, p.y, p.recNo});
    }
    return all;
}

QVector<Placed> OfType(const QVector<Placed> &all, BandType type)
{
    QVector<Placed> some;
    for (const Placed &p : all) {
        if (p.band == type)
            some.append(p);
    }
    return some;
}

Template ShippedReceipt()
{
    Template t;
    t.Load(QStringLiteral(":/xml/reports/sales_receipt.xml"));
    return t;
}

// Paints sheet 1 of a one-field template at one pixel per template unit onto white.
QImage PaintOne(const QString &field, MapSource *source = nullptr)
{
    Template t;
    if (!t.Parse(PageXml(BandXml(QStringLiteral("ReportTitle"), 10, field))))
        return QImage();
    MapSource fallback;
    Renderer renderer(t, {}, source ? source : &fallback);
    renderer.Prepare();
    QImage image(680, 948, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.PaintSheet(0, painter, QSizeF(680, 948));
    painter.end();
    return image;
}

int DarkRunAt(const QImage &image, int x, int fromY, int toY)
{
    int count = 0;
    for (int y = fromY; y <= toY; ++y) {
        if (qGray(image.pixel(x, y)) < 128)
            ++count;
    }
    return count;
}

bool IsBlank(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255) && image.pixel(x, y) != 0xffffffff)
                return false;
        }
    }
    return true;
}

const char *BoxAttributes = "type=\"box\" left=\"100\" top=\"100\" width=\"201\" height=\"100\" ";

} // namespace

class TestReportRenderer final : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }

    void receiptWithFortyRows();
    void summaryPlacement_data();
    void summaryPlacement();
    void noRowsStillDrawsHeadingOnce_data();
    void noRowsStillDrawsHeadingOnce();
    void pageHeaderAndFooterOnEverySheet();
    void masterFooterBreaks();
    void twoReportPagesNumberSheetsContinuously();
    void absurdHeightsFinish_data();
    void absurdHeightsFinish();
    void endlessFormulaOnEveryRowFinishes();
    void aggregatesComeFromTheFirstPassOnly();
    void dataRowsAreRequestedInBothPasses();
    void borderLines_data();
    void borderLines();
    void backgroundIsInset();
    void highlightedBackground_data();
    void highlightedBackground();
    void hiddenFieldPaintsNothing_data();
    void hiddenFieldPaintsNothing();
    void suppliedImage();
    void imageFromFile();
};

void TestReportRenderer::receiptWithFortyRows()
{
    const Template t = ShippedReceipt();
    MapSource source;
    Renderer renderer(t, {40}, &source);
    renderer.Prepare();
    QCOMPARE(renderer.SheetCount(), 2);
    const auto all = Flatten(renderer);
    const auto rows = OfType(all, BandType::MasterData);
    QCOMPARE(rows.size(), 40);
    // 37 rows fit the first sheet, y from 199 to 919.
    for (int r = 0; r < 37; ++r) {
        QCOMPARE(rows.at(r).sheet, 1);
        QCOMPARE(rows.at(r).y, 199 + 20 * r);
        QCOMPARE(rows.at(r).recNo, r);
    }
    QCOMPARE(rows.at(37).sheet, 2);
    QCOMPARE(rows.at(37).y, 24);
    QCOMPARE(rows.at(38).y, 44);
    QCOMPARE(rows.at(39).y, 64);
    // The heading row is repeated at the top of sheet 2; the title is not.
    const auto headings = OfType(all, BandType::MasterHeader);
    QCOMPARE(headings.size(), 2);
    QCOMPARE(headings.at(0).sheet, 1);
    QCOMPARE(headings.at(0).y, 175);
    QCOMPARE(headings.at(1).sheet, 2);
    QCOMPARE(headings.at(1).y, 0);
    QCOMPARE(OfType(all, BandType::ReportTitle).size(), 1);
    const auto summary = OfType(all, BandType::ReportSummary);
    QCOMPARE(summary.size(), 1);
    QCOMPARE(summary.first().sheet, 2);
    QCOMPARE(summary.first().y, 84);
}

void TestReportRenderer::summaryPlacement_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("summaryY");
    // The summary needs y + 2 × 61 <= 948, i.e. y <= 826.
    QTest::newRow("0 rows") << 0 << 1 << 199;
    QTest::newRow("31 rows end at 819") << 31 << 1 << 819;
    QTest::newRow("32 rows end at 839") << 32 << 2 << 0;
    QTest::newRow("37 rows fill the sheet") << 37 << 2 << 0;
    QTest::newRow("38 rows") << 38 << 2 << 44;
    QTest::newRow("83 rows fill two sheets") << 83 << 3 << 0;
    QTest::newRow("84 rows") << 84 << 3 << 44;
}

void TestReportRenderer::summaryPlacement()
{
    QFETCH(int, rows);
    QFETCH(int, sheets);
    QFETCH(int, summaryY);
    const Template t = ShippedReceipt();
    MapSource source;
    Renderer renderer(t, {rows}, &source);
    renderer.Prepare();
    QCOMPARE(renderer.SheetCount(), sheets);
    const auto summary = OfType(Flatten(renderer), BandType::ReportSummary);
    QCOMPARE(summary.size(), 1);
    QCOMPARE(summary.first().sheet, sheets);
    QCOMPARE(summary.first().y, summaryY);
    QCOMPARE(OfType(Flatten(renderer), BandType::MasterData).size(), rows);
}

void TestReportRenderer::noRowsStillDrawsHeadingOnce_data()
{
    QTest::addColumn<QList<int>>("rowCounts");
    QTest::newRow("no counts") << QList<int>{};
    QTest::newRow("zero") << QList<int>{0};
    QTest::newRow("negative") << QList<int>{-5};
}

void TestReportRenderer::noRowsStillDrawsHeadingOnce()
{
    QFETCH(QList<int>, rowCounts);
    const Template t = ShippedReceipt();
    MapSource source;
    Renderer renderer(t, rowCounts, &source);
    renderer.Prepare();
    const auto all = Flatten(renderer);
    QCOMPARE(renderer.SheetCount(), 1);
    QCOMPARE(OfType(all, BandType::MasterHeader).size(), 1);
    QCOMPARE(OfType(all, BandType::ReportTitle).size(), 1);
    QCOMPARE(OfType(all, BandType::ReportSummary).size(), 1);
    QCOMPARE(OfType(all, BandType::MasterData).size(), 0);
}

void TestReportRenderer::pageHeaderAndFooterOnEverySheet()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("ReportTitle", 100) + BandXml("PageHeader", 30)
                            + BandXml("MasterHeader", 20) + BandXml("MasterData", 100)
                            + BandXml("PageFooter", 48))));
    MapSource source;
    Renderer renderer(t, {20}, &source);
    renderer.Prepare();
    const auto all = Flatten(renderer);
    // Sheet 1: rows from y 150 while y + 100 <= 948 - 48: 150..750 is 7 rows.
    // Later sheets: header 30, master header 20, rows from 50: 50..750 is 8 rows.
    QCOMPARE(renderer.SheetCount(), 3);
    const auto headers = OfType(all, BandType::PageHeader);
    const auto footers = OfType(all, BandType::PageFooter);
    QCOMPARE(headers.size(), 3);
    QCOMPARE(footers.size(), 3);
    for (int s = 0; s < 3; ++s) {
        QCOMPARE(headers.at(s).sheet, s + 1);
        QCOMPARE(footers.at(s).sheet, s + 1);
        QCOMPARE(footers.at(s).y, 900);
    }
    QCOMPARE(headers.at(0).y, 100); // below the title on the first sheet
    QCOMPARE(headers.at(1).y, 0);
    const auto rows = OfType(all, BandType::MasterData);
    QCOMPARE(rows.at(6).sheet, 1);
    QCOMPARE(rows.at(7).sheet, 2);
    QCOMPARE(rows.at(7).y, 50);
    QCOMPARE(rows.at(14).sheet, 2);
    QCOMPARE(rows.at(15).sheet, 3);
}

void TestReportRenderer::masterFooterBreaks()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("MasterData", 100) + BandXml("MasterFooter", 50))));
    MapSource source;
    // Rows keep room for the footer: they fit while y + 100 <= 948 - 50, so eight rows fill
    // sheet 1 and the ninth starts sheet 2, where the footer follows it.
    Renderer renderer(t, {9}, &source);
    renderer.Prepare();
    auto all = Flatten(renderer);
    QCOMPARE(OfType(all, BandType::MasterData).at(7).sheet, 1);
    QCOMPARE(OfType(all, BandType::MasterData).at(8).sheet, 2);
    QCOMPARE(OfType(all, BandType::MasterFooter).first().sheet, 2);
    QCOMPARE(OfType(all, BandType::MasterFooter).first().y, 100);

    // Below 948 - 50 the footer itself moves to a new sheet.
    Template tall;
    QVERIFY(tall.Parse(PageXml(BandXml("ReportTitle", 920) + BandXml("MasterFooter", 50))));
    Renderer second(tall, {}, &source);
    second.Prepare();
    all = Flatten(second);
    QCOMPARE(second.SheetCount(), 2);
    QCOMPARE(OfType(all, BandType::MasterFooter).first().sheet, 2);
    QCOMPARE(OfType(all, BandType::MasterFooter).first().y, 0);
}

void TestReportRenderer::twoReportPagesNumberSheetsContinuously()
{
    Template t;
    const QString page = QStringLiteral(
        "<Report pageWidth=\"840\" pageHeight=\"1188\" marginsLeft=\"80\" marginsRight=\"80\" "
        "marginsTop=\"40\" marginsBottom=\"200\" orientation=\"%1\">%2</Report>");
    const QString bands = BandXml("ReportTitle", 100) + BandXml("PageHeader", 20)
                          + BandXml("MasterData", 100) + BandXml("PageFooter", 20);
    QVERIFY(t.Parse(("<Reports>" + page.arg(0).arg(bands) + page.arg(1).arg(bands) + "</Reports>")
                        .toUtf8()));
    MapSource source;
    Renderer renderer(t, {10, 3}, &source);
    renderer.Prepare();
    // Page 1: rows from 120 while y + 100 <= 928 -> 120..820 is 8 rows, then 2 on sheet 2.
    QCOMPARE(renderer.SheetCount(), 3);
    QCOMPARE(renderer.Sheets().at(0).reportPage, 0);
    QCOMPARE(renderer.Sheets().at(1).reportPage, 0);
    QCOMPARE(renderer.Sheets().at(2).reportPage, 1);
    QCOMPARE(renderer.PageOfSheet(2).PageLayout().orientation(), QPageLayout::Landscape);
    // The second report page's sheet carries its title, and its page header exactly once.
    const auto all = Flatten(renderer);
    QVector<Placed> third;
    for (const Placed &p : all) {
        if (p.sheet == 3)
            third.append(p);
    }
    QCOMPARE(OfType(third, BandType::ReportTitle).size(), 1);
    QCOMPARE(OfType(third, BandType::ReportTitle).first().y, 0);
    QCOMPARE(OfType(third, BandType::PageHeader).size(), 1);
    QCOMPARE(OfType(third, BandType::PageHeader).first().y, 100);
    QCOMPARE(OfType(third, BandType::PageFooter).size(), 1);
    QCOMPARE(OfType(third, BandType::MasterData).size(), 3);
}

void TestReportRenderer::absurdHeightsFinish_data()
{
    QTest::addColumn<QString>("bands");
    QTest::addColumn<int>("rows");
    QTest::newRow("data taller than a sheet")
        << BandXml("MasterHeader", 5000) + BandXml("MasterData", 2000000000) << 2000;
    QTest::newRow("header taller than a sheet")
        << BandXml("PageHeader", 5000) + BandXml("MasterData", 10) + BandXml("ReportSummary", 5000)
        << 2000;
    QTest::newRow("negative heights")
        << BandXml("MasterData", -50) + BandXml("MasterFooter", -2000000000) << 2000;
}

void TestReportRenderer::absurdHeightsFinish()
{
    QFETCH(QString, bands);
    QFETCH(int, rows);
    Template t;
    QVERIFY(t.Parse(PageXml(bands)));
    MapSource source;
    Renderer renderer(t, {rows}, &source);
    QElapsedTimer timer;
    timer.start();
    renderer.Prepare();
    QVERIFY(renderer.SheetCount() <= rows + 3);
    QVERIFY(timer.elapsed() < 5000);
    QImage image(68, 95, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int s = 0; s < renderer.SheetCount(); ++s)
        renderer.PaintSheet(s, painter, QSizeF(68, 95));
}

void TestReportRenderer::endlessFormulaOnEveryRowFinishes()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("MasterData", 20,
                                    LabelXml("<[SN] + (function(){for(;;){}})()>")
                                        + LabelXml("x", "printing=\"(function(){for(;;){}})()\"")))));
    MapSource source;
    source.values.insert(QStringLiteral("SN"), QStringLiteral("1"));
    Renderer renderer(t, {500}, &source);
    QElapsedTimer timer;
    timer.start();
    renderer.Prepare();
    QImage image(68, 95, QImage::Format_ARGB32);
    QPainter painter(&image);
    for (int s = 0; s < renderer.SheetCount(); ++s)
        renderer.PaintSheet(s, painter, QSizeF(68, 95));
    QVERIFY2(timer.elapsed() < ScriptEvaluator::DefaultBudgetMs + 5000,
             qPrintable(QString::number(timer.elapsed())));
}

void TestReportRenderer::aggregatesComeFromTheFirstPassOnly()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("MasterData", 20,
                                    LabelXml("[Total]") + LabelXml("[Hidden]", "printing=\"0\"")
                                        + "<TContainerField type=\"other\" value=\"[Other]\"/>")
                            + BandXml("ReportSummary", 20, LabelXml("[Total]")))));
    MapSource source;
    source.rowValues.insert(QStringLiteral("Total"), {"1.5", "2.5", "abc", "4"});
    source.values.insert(QStringLiteral("Hidden"), QStringLiteral("100"));
    source.values.insert(QStringLiteral("Other"), QStringLiteral("100"));
    Renderer renderer(t, {4}, &source);
    renderer.Prepare();
    const Aggregates &a = renderer.AggregateValues();
    QCOMPARE(a.Compute(Aggregates::SumKind, QStringLiteral("[Total]")), 8.0);
    QCOMPARE(a.Compute(Aggregates::CountKind, QStringLiteral("[Total]")), 3.0);
    QCOMPARE(a.Compute(Aggregates::SumKind, QStringLiteral("[Hidden]")), 0.0);
    QCOMPARE(a.Compute(Aggregates::SumKind, QStringLiteral("[Other]")), 0.0);
    // A second run starts afresh instead of adding to the first run's values.
    source.rowValues.insert(QStringLiteral("Total"), {"10", "10", "10", "10"});
    renderer.Prepare();
    QCOMPARE(renderer.AggregateValues().Compute(Aggregates::SumKind, QStringLiteral("[Total]")), 40.0);
}

void TestReportRenderer::dataRowsAreRequestedInBothPasses()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("ReportTitle", 20, LabelXml("[title]"))
                            + BandXml("MasterData", 20, LabelXml("[Qty]"))
                            + BandXml("ReportSummary", 20, LabelXml("[total]")))));
    MapSource source;
    Renderer renderer(t, {3}, &source);
    renderer.Prepare();
    QCOMPARE(source.requested, (QStringList{"Qty", "Qty", "Qty"}));
    QCOMPARE(source.requestedRows, (QList<int>{0, 1, 2}));
    QImage image(68, 95, QImage::Format_ARGB32);
    QPainter painter(&image);
    renderer.PaintSheet(0, painter, QSizeF(68, 95));
    QCOMPARE(source.requested,
             (QStringList{"Qty", "Qty", "Qty", "title", "Qty", "Qty", "Qty", "total"}));
    QCOMPARE(source.requestedRows, (QList<int>{0, 1, 2, 0, 0, 1, 2, 2}));
}

void TestReportRenderer::borderLines_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<int>("thickness");
    QTest::newRow("1") << "borderTop=\"rgba(0,0,0,255)\" borderWidth=\"1\"" << 5;
    QTest::newRow("1px") << "borderTop=\"rgba(0,0,0,255)\" borderWidth=\"1px\"" << 5;
    QTest::newRow("2px") << "borderTop=\"rgba(0,0,0,255)\" borderWidth=\"2px\"" << 10;
    QTest::newRow("default width") << "borderTop=\"rgba(0,0,0,255)\"" << 5;
    QTest::newRow("no-colour marker") << "borderTop=\"rgba(255,255,255,0)\" borderWidth=\"2px\"" << 0;
    QTest::newRow("empty colour is invisible") << "borderTop=\"\" borderWidth=\"2px\"" << 0;
    QTest::newRow("no attribute is invisible") << "borderWidth=\"2px\"" << 0;
}

void TestReportRenderer::borderLines()
{
    QFETCH(QString, attributes);
    QFETCH(int, thickness);
    const QImage image = PaintOne(
        QStringLiteral("<TContainerField %1 backgroundColor=\"rgba(255,255,255,0)\" "
                       "borderBottom=\"rgba(255,255,255,0)\" borderLeft=\"rgba(255,255,255,0)\" "
                       "borderRight=\"rgba(255,255,255,0)\" %2/>")
            .arg(QLatin1String(BoxAttributes), attributes));
    QVERIFY(!image.isNull());
    // The top line runs along y = 100, centred on it.
    QCOMPARE(DarkRunAt(image, 200, 80, 120), thickness);
    // Nothing else is drawn: the other sides are marked as not painted.
    QCOMPARE(DarkRunAt(image, 200, 150, 250), 0);
    QCOMPARE(DarkRunAt(image, 100, 150, 190), 0);
}

void TestReportRenderer::backgroundIsInset()
{
    const QImage image = PaintOne(QStringLiteral("<TContainerField %1 backgroundColor=\"rgba(255,0,0,255)\" "
                                                 "borderTop=\"rgba(255,255,255,0)\" "
                                                 "borderBottom=\"rgba(255,255,255,0)\" "
                                                 "borderLeft=\"rgba(255,255,255,0)\" "
                                                 "borderRight=\"rgba(255,255,255,0)\"/>")
                                      .arg(QLatin1String(BoxAttributes)));
    // Rectangle 100,100 with width 200 (201 - 1) and height 100; the fill leaves one pixel.
    QCOMPARE(image.pixel(150, 150), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(101, 101), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(100, 150), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(150, 100), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(298, 198), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(299, 150), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(150, 199), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(150, 200), qRgb(255, 255, 255));
}

void TestReportRenderer::highlightedBackground_data()
{
    QTest::addColumn<QString>("highlighting");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QRgb>("colour");
    const QString paidGreen = QStringLiteral("[status] == 'Paid';backgroundColor=?rgba(0,255,0,255)");
    QTest::newRow("text matches") << paidGreen << "Paid" << qRgb(0, 255, 0);
    QTest::newRow("text differs: own colour") << paidGreen << "Due" << qRgb(0, 0, 255);
    QTest::newRow("number compared bare")
        << "[status] > 10;backgroundColor=?rgba(0,255,0,255)" << "12.50" << qRgb(0, 255, 0);
    QTest::newRow("rule for another property only")
        << "[status] == 'Paid';bold=?1:0" << "Paid" << qRgb(0, 0, 255);
}

void TestReportRenderer::highlightedBackground()
{
    QFETCH(QString, highlighting);
    QFETCH(QString, status);
    QFETCH(QRgb, colour);
    MapSource source;
    source.values.insert(QStringLiteral("status"), status);
    const QImage image = PaintOne(QStringLiteral("<TContainerField %1 backgroundColor=\"rgba(0,0,255,255)\" "
                                                 "highlighting=\"%2\"/>")
                                      .arg(QLatin1String(BoxAttributes), highlighting.toHtmlEscaped()),
                                  &source);
    QCOMPARE(image.pixel(150, 150), colour);
}

void TestReportRenderer::hiddenFieldPaintsNothing_data()
{
    QTest::addColumn<QString>("printing");
    QTest::addColumn<bool>("blank");
    QTest::newRow("absent") << QString() << false;
    QTest::newRow("1") << "printing=\"1\"" << false;
    QTest::newRow("present but empty") << "printing=\"\"" << true;
    QTest::newRow("0") << "printing=\"0\"" << true;
    QTest::newRow("false condition") << "printing=\"1 &gt; 2\"" << true;
    QTest::newRow("true condition") << "printing=\"2 &gt; 1\"" << false;
}

void TestReportRenderer::hiddenFieldPaintsNothing()
{
    QFETCH(QString, printing);
    QFETCH(bool, blank);
    const QImage image = PaintOne(QStringLiteral("<TContainerField %1 backgroundColor=\"rgba(0,0,0,255)\" "
                                                 "value=\"text\" %2/>")
                                      .arg(QLatin1String(BoxAttributes), printing));
    QCOMPARE(IsBlank(image), blank);
}

void TestReportRenderer::suppliedImage()
{
    const QString field = QStringLiteral("<TContainerField type=\"labelImage\" value=\"[image]\" "
                                         "left=\"10\" top=\"10\" width=\"51\" height=\"50\"/>");
    MapSource source;
    QImage none = PaintOne(field, &source);
    QCOMPARE(source.imageRequests, QStringList{"image"});
    QVERIFY(IsBlank(none));

    source.image = QImage(8, 8, QImage::Format_RGB32);
    source.image.fill(qRgb(0, 0, 255));
    const QImage drawn = PaintOne(field, &source);
    QCOMPARE(drawn.pixel(35, 35), qRgb(0, 0, 255));
    QCOMPARE(drawn.pixel(5, 5), qRgb(255, 255, 255));
}

void TestReportRenderer::imageFromFile()
{
    const QImage logo(DataPath(QStringLiteral("logo.png")));
    QVERIFY(!logo.isNull());
    const QImage drawn = PaintOne(QStringLiteral("<TContainerField type=\"image\" picture=\"%1\" "
                                                 "left=\"0\" top=\"0\" width=\"201\" height=\"200\"/>")
                                      .arg(DataPath(QStringLiteral("logo.png"))));
    // The green disc of the drawn logo is at its centre-left.
    QCOMPARE(qGreen(drawn.pixel(30, 100)) > 100 && qRed(drawn.pixel(30, 100)) < 100, true);
    // A missing file draws nothing.
    QVERIFY(IsBlank(PaintOne(QStringLiteral("<TContainerField type=\"image\" picture=\"/no/such.png\" "
                                            "width=\"200\" height=\"200\"/>"))));
}

QUILLBOX_TEST_MAIN(TestReportRenderer)
#include "tst_reportrenderer.moc"
