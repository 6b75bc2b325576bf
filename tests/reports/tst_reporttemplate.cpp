#include "reporttemplate.h"
#include "reporttesthelpers.h"
#include "testsupport.h"

#include <QElapsedTimer>

using namespace Report;
using namespace ReportTest;

class TestReportTemplate final : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }

    void refusesBrokenTemplates_data();
    void refusesBrokenTemplates();
    void loadsShippedTemplates_data();
    void loadsShippedTemplates();
    void firstBandOfATypeWins();
    void fieldDefaults();
    void printingPresentButEmpty();
    void deepNestingParsesWithoutRecursion();
    void hugeLengthsAreClamped();
    void colours_data();
    void colours();
    void borderWidths_data();
    void borderWidths();
    void borderStyles_data();
    void borderStyles();
    void orientation_data();
    void orientation();
    void pageLayoutInMillimetres();
};

void TestReportTemplate::refusesBrokenTemplates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing file") << "does_not_exist.xml" << "cannot open";
    QTest::newRow("empty file") << "empty.xml" << "not well-formed";
    QTest::newRow("not well-formed") << "not_well_formed.xml" << "not well-formed XML at line 5";
    QTest::newRow("no report page") << "no_report_page.xml" << "has no report page";
    QTest::newRow("no printable height") << "no_printable_height.xml"
                                         << "printable height is not positive";
    QTest::newRow("no printable width") << "no_printable_width.xml"
                                        << "printable width is not positive";
    QTest::newRow("no geometry") << "missing_geometry.xml" << "paper size must be positive";
    QTest::newRow("huge paper") << "huge_paper.xml" << "paper is larger than";
    QTest::newRow("second page broken") << "second_page_broken.xml"
                                        << "report page 2: the printable height";
}

void TestReportTemplate::refusesBrokenTemplates()
{
    QFETCH(QString, file);
    QFETCH(QString, error);
    Template t;
    QVERIFY(!t.Load(DataPath(QStringLiteral("templates/") + file)));
    QVERIFY2(t.ErrorString().contains(error), qPrintable(t.ErrorString()));
    QVERIFY(t.IsEmpty());
}

void TestReportTemplate::loadsShippedTemplates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fieldsInData");
    QTest::newRow("sales_receipt") << "sales_receipt" << 7;
    QTest::newRow("sales_receipt_no_tax") << "sales_receipt_no_tax" << 7;
    QTest::newRow("sales_receipt_no_subitems") << "sales_receipt_no_subitems" << 6;
    QTest::newRow("sales_receipt_no_subitems_no_tax") << "sales_receipt_no_subitems_no_tax" << 6;
    QTest::newRow("purchase_order") << "purchase_order" << 5;
    QTest::newRow("purchase_order_no_tax") << "purchase_order_no_tax" << 5;
}

void TestReportTemplate::loadsShippedTemplates()
{
    QFETCH(QString, name);
    QFETCH(int, fieldsInData);
    Template t;
    QVERIFY2(t.Load(QStringLiteral(":/xml/reports/%1.xml").arg(name)), qPrintable(t.ErrorString()));
    QCOMPARE(t.Pages().size(), 1);
    const Page &p = t.Pages().first();
    QCOMPARE(p.PrintableHeight(), 948);
    QCOMPARE(p.PrintableWidth(), 680);
    // Receipts keep three lines for the shop's address in their title.
    QCOMPARE(p.BandHeight(BandType::ReportTitle), name.startsWith("sales") ? 175 : 145);
    QCOMPARE(p.BandHeight(BandType::MasterHeader), 24);
    QCOMPARE(p.BandHeight(BandType::MasterData), 20);
    QCOMPARE(p.BandHeight(BandType::ReportSummary), 61);
    QVERIFY(!p.FindBand(BandType::PageHeader));
    QVERIFY(!p.FindBand(BandType::PageFooter));
    QVERIFY(!p.FindBand(BandType::MasterFooter));
    QCOMPARE(p.FindBand(BandType::MasterData)->fields.size(), fieldsInData);
    QCOMPARE(p.FindBand(BandType::MasterHeader)->fields.size(), fieldsInData);
    // Heading and data cells line up column by column and all sit 100 units into their band.
    const auto &heading = p.FindBand(BandType::MasterHeader)->fields;
    const auto &data = p.FindBand(BandType::MasterData)->fields;
    for (int i = 0; i < fieldsInData; ++i) {
        QCOMPARE(data.at(i).left, heading.at(i).left);
        QCOMPARE(data.at(i).width, heading.at(i).width);
        QCOMPARE(data.at(i).top, 100);
        QCOMPARE(heading.at(i).top, 100);
        QCOMPARE(heading.at(i).backgroundColor, QStringLiteral("rgba(85,255,127,255)"));
        QVERIFY(IsNoColour(ParseColour(data.at(i).backgroundColor)));
        QCOMPARE(data.at(i).borderPenWidth, 5);
        QVERIFY(data.at(i).alignment & Qt::AlignHCenter);
        QVERIFY(data.at(i).alignment & Qt::AlignVCenter);
        if (i > 0)
            QCOMPARE(data.at(i).left, data.at(i - 1).left + data.at(i - 1).width);
    }
}

void TestReportTemplate::firstBandOfATypeWins()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("MasterData", 20, LabelXml("first"))
                            + BandXml("MasterData", 50, LabelXml("second") + LabelXml("x"))
                            + BandXml("NoSuchBand", 70) + "<Other/>")));
    const Band *data = t.Pages().first().FindBand(BandType::MasterData);
    QVERIFY(data);
    QCOMPARE(data->height, 20);
    QCOMPARE(data->fields.size(), 1);
    QCOMPARE(data->fields.first().value, QStringLiteral("first"));
}

void TestReportTemplate::fieldDefaults()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("ReportTitle", 10,
                                    "<TContainerField/><Ignored type=\"label\"/>"))));
    const auto &fields = t.Pages().first().FindBand(BandType::ReportTitle)->fields;
    QCOMPARE(fields.size(), 1);
    const Field &f = fields.first();
    QCOMPARE(f.type, QStringLiteral("label"));
    QCOMPARE(f.picture, QStringLiteral("text"));
    QCOMPARE(f.printing, QStringLiteral("1"));
    QCOMPARE(f.borderPenWidth, 5);
    QCOMPARE(f.borderStyle, Qt::SolidLine);
    QCOMPARE(f.alignment, Qt::Alignment());
    QCOMPARE(f.fontSize, 0);
}

void TestReportTemplate::printingPresentButEmpty()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("ReportTitle", 10, LabelXml("a", "printing=\"\"")))));
    QCOMPARE(t.Pages().first().FindBand(BandType::ReportTitle)->fields.first().printing, QString());
}

void TestReportTemplate::deepNestingParsesWithoutRecursion()
{
    const int depth = 200000;
    QByteArray xml = "<Reports><Report pageWidth=\"840\" pageHeight=\"1188\"><ReportBand type=\"ReportTitle\" "
                     "height=\"5\"><TContainerField value=\"kept\">";
    for (int i = 0; i < depth; ++i)
        xml += "<a>";
    for (int i = 0; i < depth; ++i)
        xml += "</a>";
    xml += "</TContainerField></ReportBand></Report></Reports>";
    QElapsedTimer timer;
    timer.start();
    Template t;
    QVERIFY2(t.Parse(xml), qPrintable(t.ErrorString()));
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(t.Pages().first().FindBand(BandType::ReportTitle)->fields.size(), 1);
}

void TestReportTemplate::hugeLengthsAreClamped()
{
    Template t;
    QVERIFY(t.Parse(PageXml(BandXml("MasterData", 2000000000,
                                    "<TContainerField left=\"-2000000000\" width=\"99999999999\" "
                                    "fontSize=\"99999\"/>"))));
    const Band *band = t.Pages().first().FindBand(BandType::MasterData);
    QCOMPARE(band->height, MaxLength);
    const Field &f = band->fields.first();
    QCOMPARE(f.left, -MaxLength);
    QCOMPARE(f.width, 0); // not an int at all: reads as 0
    QCOMPARE(f.fontSize, MaxFontSize);
}

void TestReportTemplate::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("noColour");
    QTest::newRow("black") << "rgba(0,0,0,255)" << QColor(0, 0, 0, 255) << false;
    QTest::newRow("green") << "rgba(85,255,127,255)" << QColor(85, 255, 127, 255) << false;
    QTest::newRow("marker") << "rgba(255,255,255,0)" << QColor(255, 255, 255, 0) << true;
    QTest::newRow("marker with blanks") << "rgba(255, 255, 255, 0)" << QColor(255, 255, 255, 0) << true;
    QTest::newRow("empty is transparent black") << "" << QColor(0, 0, 0, 0) << false;
    QTest::newRow("white opaque") << "rgba(255,255,255,255)" << QColor(255, 255, 255, 255) << false;
    QTest::newRow("part not a number") << "rgba(10,x,30,255)" << QColor(10, 0, 30, 255) << false;
    QTest::newRow("too few parts") << "rgba(10,20)" << QColor(10, 20, 0, 0) << false;
    QTest::newRow("out of range") << "rgba(300,-5,0,999)" << QColor(255, 0, 0, 255) << false;
    QTest::newRow("no closing bracket") << "rgba(1,2,3,4" << QColor(1, 2, 3, 4) << false;
    QTest::newRow("colour name") << "red" << QColor(0, 0, 0, 0) << false;
}

void TestReportTemplate::colours()
{
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QFETCH(bool, noColour);
    const QColor parsed = ParseColour(text);
    QCOMPARE(parsed.rgba(), colour.rgba());
    QCOMPARE(IsNoColour(parsed), noColour);
}

void TestReportTemplate::borderWidths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::newRow("1") << "1" << 5;
    QTest::newRow("1px") << "1px" << 5;
    QTest::newRow("2px") << "2px" << 10;
    QTest::newRow("3") << "3" << 15;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("junk") << "thick" << 0;
    QTest::newRow("huge") << "99999999px" << 5000;
}

void TestReportTemplate::borderWidths()
{
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QCOMPARE(BorderPenWidth(text), pixels);
}

void TestReportTemplate::borderStyles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    QTest::newRow("solid") << "solid" << int(Qt::SolidLine);
    QTest::newRow("dashed") << "dashed" << int(Qt::DashLine);
    QTest::newRow("dotted") << "dotted" << int(Qt::DotLine);
    QTest::newRow("dot-dash") << "dot-dash" << int(Qt::DashDotLine);
    QTest::newRow("dot-dot-dash") << "dot-dot-dash" << int(Qt::DashDotDotLine);
    QTest::newRow("unknown") << "wavy" << int(Qt::SolidLine);
    QTest::newRow("case matters") << "Dashed" << int(Qt::SolidLine);
}

void TestReportTemplate::borderStyles()
{
    QFETCH(QString, text);
    QFETCH(int, style);
    QCOMPARE(int(BorderPenStyle(text)), style);
}

void TestReportTemplate::orientation_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<int>("orientation");
    QTest::newRow("1 is landscape") << "orientation=\"1\"" << int(QPageLayout::Landscape);
    QTest::newRow("0 is portrait") << "orientation=\"0\"" << int(QPageLayout::Portrait);
    QTest::newRow("2 is portrait") << "orientation=\"2\"" << int(QPageLayout::Portrait);
    QTest::newRow("missing is portrait") << "" << int(QPageLayout::Portrait);
    QTest::newRow("text is portrait") << "orientation=\"landscape\"" << int(QPageLayout::Portrait);
}

void TestReportTemplate::orientation()
{
    QFETCH(QString, attribute);
    QFETCH(int, orientation);
    Template t;
    QVERIFY(t.Parse(PageXml(QString(), attribute)));
    QCOMPARE(int(t.Pages().first().PageLayout().orientation()), orientation);
}

void TestReportTemplate::pageLayoutInMillimetres()
{
    Template t;
    QVERIFY(t.Parse("<Reports><Report pageWidth=\"843\" pageHeight=\"1191\" marginsLeft=\"83\" "
                    "marginsRight=\"80\" marginsTop=\"42\" marginsBottom=\"200\"/></Reports>"));
    const QPageLayout layout = t.Pages().first().PageLayout();
    // Integer division: 843 units are 210 mm, not 210.75.
    QCOMPARE(layout.fullRect(QPageLayout::Millimeter).size(), QSizeF(210, 297));
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    QCOMPARE(m.left(), 20.01);
    QCOMPARE(m.top(), 10.01);
    QCOMPARE(m.right(), 20.01);
    QCOMPARE(m.bottom(), 50.01);
}

QUILLBOX_TEST_MAIN(TestReportTemplate)
#include "tst_reporttemplate.moc"
