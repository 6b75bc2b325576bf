// quillbox-report TEMPLATE DATA.json OUT.pdf: renders a report template with sample data into a
// PDF file, so a template can be tried without a till.

#include "reportengine.h"
#include "reportjsondata.h"
#include "programlanguage.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTextStream>

namespace {

int Fail(const QString &message, int status = 1)
{
    QTextStream(stderr) << "quillbox-report: " << message << '\n';
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // Nothing is shown, so no display is needed unless the caller asks for a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ProgramLanguage::Install(&app);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        return Fail(QStringLiteral("usage: quillbox-report TEMPLATE DATA.json OUT.pdf\n"
                                   "  TEMPLATE  a resource path such as "
                                   ":/xml/reports/sales_receipt.xml, or a file"),
                    2);
    }
    const QString templatePath = args.at(1);
    const QString dataPath = args.at(2);
    const QString outPath = args.at(3);

    ReportEngine engine;
    if (!engine.loadTemplate(templatePath))
        return Fail(QStringLiteral("%1: %2").arg(templatePath, engine.LastError()));

    Report::JsonData data;
    if (!data.Load(dataPath))
        return Fail(QStringLiteral("%1: %2").arg(dataPath, data.ErrorString()));

    for (int i = 0; i < engine.LoadedTemplate().Pages().size(); ++i)
        engine.rowCounts.append(data.RowCount());
    QObject::connect(&engine, &ReportEngine::setValue,
                     [&data](int &recNo, QString &name, QVariant &value, int reportPage) {
                         value = data.Value(recNo, name, reportPage);
                     });
    QObject::connect(&engine, &ReportEngine::setValueImage,
                     [&data](int &recNo, QString &name, QImage &image, int reportPage) {
                         data.Image(recNo, name, reportPage, &image);
                     });

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QFileInfo(outPath).absoluteFilePath());
    if (!engine.Render(&printer))
        return Fail(QStringLiteral("%1: cannot write the PDF file").arg(outPath));
    return 0;
}
