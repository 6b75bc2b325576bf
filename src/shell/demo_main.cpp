// quillbox-demo: fills the active inventory and sales databases with a demonstration pharmacy.
//   quillbox-demo [--scale small|large]
// The server comes from the settings (DB_SERVER, DB_PORT, DB_USER, DB_PASSWORD). Active
// databases that are missing or already hold data are never filled: new ones are created with
// the program's own scripts and made active instead, so a real shop is never touched.
#include "appsettings.h"
#include "dbmanager.h"
#include "demosetup.h"
#include "programlanguage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Pictures are drawn, and notes shown, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The database manager may show a busy note while it connects.
    QApplication app(argc, argv);
    ProgramLanguage::Install(&app);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Fills the active databases with a demo pharmacy."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("scale"), QStringLiteral("small or large"), QStringLiteral("scale"),
                      QStringLiteral("small")});
    parser.process(app);
    QTextStream err(stderr);
    DemoShop::Scale scale;
    if (!DemoShop::ScaleByName(parser.value(QStringLiteral("scale")), &scale)) {
        err << "unknown scale: " << parser.value(QStringLiteral("scale")) << " (small or large)\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    QStringList notes;
    QString error;
    const bool ok = DemoShop::SetUpActiveShop(
        AppSettings::Instance().Settings(), scale,
        [&timer, &err](const QString &step, int percent) {
            err << QStringLiteral("\r[demo] %1% %2s  %3").arg(percent, 3).arg(timer.elapsed() / 1000, 4).arg(step, -40);
            err.flush();
        },
        &notes, &error);
    err << '\n';
    for (const QString &note : qAsConst(notes))
        err << note << '\n';
    if (!ok)
        err << error << '\n';
    CDBManager::Reset();
    AppSettings::Reset();
    return ok ? 0 : 1;
}
