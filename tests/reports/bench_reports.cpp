// Speed of rendering from the shipped templates to PDF: bench_reports [iterations]
// Run by scripts/bench; not part of the test suite.

#include "benchsupport.h"
#include "reportengine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>


namespace {

struct Case
{
    const char *title;
    const char *target;
    QString templatePath;
    int rows;
    QHash<QString, QString> values;
};

double RunOnce(const Case &c, const QString &pdf, const QImage &logo, int *sheets)
{
    QElapsedTimer timer;
    timer.start();
    ReportEngine engine;
    engine.loadTemplate(c.templatePath);
    engine.rowCounts.append(c.rows);
    QObject::connect(&engine, &ReportEngine::setValue,
                     [&c](int &recNo, QString &name, QVariant &value, int) {
                         QString v = c.values.value(name);
                         value = v.replace(QLatin1String("{n}"), QString::number(recNo + 1));
                     });
    QObject::connect(&engine, &ReportEngine::setValueImage,
                     [&logo](int &, QString &name, QImage &image, int) {
                         if (name == QLatin1String("image"))
                             image = logo;
                     });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    engine.Render(&printer);
    *sheets = engine.LastSheetCount();
    return timer.nsecsElapsed() / 1.0e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int iterations = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    QImage logo(200, 200, QImage::Format_ARGB32);
    logo.fill(QColor(46, 125, 50));

    const QHash<QString, QString> common{
        {"company_name", "Quillbox Corner Pharmacy"}, {"company_address", "12 Market Street"},
        {"company_contact", "555-0100"}, {"date", "Monday, 8 December 25 10:15:00"},
        {"customer_name", "Jane Doe"}, {"vendor_name", "Northwind Medical"}, {"receipt", "1042"},
        {"porder", "PO-77"}, {"Tax_Name", "VAT 16%"}, {"tax", "$ 10.00"}, {"sub_total", "$ 90.00"},
        {"grand_total", "$ 100.00"}, {"total", "$ 100.00"}, {"paid", "$ 100.00"}, {"change", "$ 0.00"},
        {"deliver_date", "Friday, 12 December 25"}, {"SN", "{n}"}, {"Product", "Paracetamol 500 mg, box {n}"},
        {"Items", "2"}, {"SubItems", "1"}, {"Price/Item", "3.25"}, {"Discount", "0.00"}, {"Total", "6.50"},
        {"Qty", "4"}, {"Code", "P{n}"}, {"Name", "Amoxicillin 250 mg capsules {n}"}, {"UnitPrice", "2.50"},
        {"LineTotal", "10.00"}};
    const QList<Case> cases{
        {"report engine: 50-line receipt to PDF", "<= 50 ms", ":/xml/reports/sales_receipt.xml", 50, common},
        {"report engine: 1,000-line purchase order to PDF", "<= 300 ms", ":/xml/reports/purchase_order.xml", 1000,
         common},
    };
    for (const Case &c : cases) {
        const QString pdf = dir.filePath(QStringLiteral("bench.pdf"));
        int sheets = 0;
        QuillboxBench::Report(QString::fromUtf8(c.title), QString::fromUtf8(c.target),
                              QuillboxBench::Time(iterations, [&] { RunOnce(c, pdf, logo, &sheets); }));
    }
    return 0;
}
