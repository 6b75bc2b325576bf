// Speed of rendering from the shipped templates to PDF: bench_reports [iterations]
// Prints the median and best wall time of each case; not part of the test suite.

#include "reportengine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

struct Case
{
    const char *title;
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
        {"receipt, 50 lines", ":/xml/reports/sales_receipt.xml", 50, common},
        {"purchase order, 1000 lines", ":/xml/reports/purchase_order.xml", 1000, common},
    };
    QTextStream out(stdout);
    for (const Case &c : cases) {
        const QString pdf = dir.filePath(QStringLiteral("bench.pdf"));
        int sheets = 0;
        RunOnce(c, pdf, logo, &sheets); // warm up fonts and caches
        QVector<double> times;
        for (int i = 0; i < iterations; ++i)
            times.append(RunOnce(c, pdf, logo, &sheets));
        std::sort(times.begin(), times.end());
        out << c.title << ": " << sheets << " sheets, median " << QString::number(times.at(times.size() / 2), 'f', 1)
            << " ms, best " << QString::number(times.first(), 'f', 1) << " ms over " << iterations
            << " runs\n";
    }
    return 0;
}
