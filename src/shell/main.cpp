#include "aboutdialog.h"
#include "appsettings.h"
#include "dbmanager.h"
#include "debuglog.h"
#include "mainwindow.h"
#include "programstart.h"
#include "programlanguage.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstring>

namespace {
// The program takes its configuration from the settings store; the command line only answers
// the usual questions, before any window is asked for (no display is needed for them).
bool AnswerCommandLine(int argc, char *argv[], int *status)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs("usage: quillbox [--demo [--scale small|large]] [Qt options such as "
                       "-platform NAME]\n"
                       "Starts Quillbox (Pro). The database server, the schemas and every other "
                       "choice come\nfrom the settings store; quillbox-configure reads and "
                       "writes it from scripts. When no\nserver is set up, a private one is "
                       "started for this user.\n"
                       "  --demo   open the demo pharmacy, with settings and databases of its own\n"
                       "  --scale  size of a new demo shop: small (default) or large\n",
                       stdout);
            *status = 0;
            return true;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("Quillbox (Pro) %s\n", AboutDialog::ProgramVersion);
            *status = 0;
            return true;
        }
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    int answered = 0;
    if (AnswerCommandLine(argc, argv, &answered))
        return answered;
    QApplication app(argc, argv);
    ProgramLanguage::Install(&app);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Point of sale and stock keeping for small shops."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("demo"),
                      QCoreApplication::translate("main", "Open the demo pharmacy (settings and databases of its own).")});
    parser.addOption({QStringLiteral("scale"),
                      QCoreApplication::translate("main", "Size of a new demo shop: small or large."),
                      QStringLiteral("scale"), QStringLiteral("small")});
    parser.process(app);
    const bool demo = parser.isSet(QStringLiteral("demo"));
    if (demo)
        ProgramStart::UseDemoFolders();
    DebugLog::Install();
    ProgramStart::EnsureServer();
    if (demo && !ProgramStart::EnsureDemoShop(parser.value(QStringLiteral("scale"))))
        return 1;
    int status = 0;
    {
        MainWindow window;
        AppSettings::Instance().SetGlobalParent(&window);
        window.show();
        status = app.exec();
    }
    CDBManager::Reset();
    AppSettings::Reset();
    return status;
}
