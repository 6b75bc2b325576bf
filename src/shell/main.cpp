#include "aboutdialog.h"
#include "appsettings.h"
#include "dbmanager.h"
#include "debuglog.h"
#include "mainwindow.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {
// The program takes its configuration from the settings store; the command line only answers
// the usual questions, before any window is asked for (no display is needed for them).
bool AnswerCommandLine(int argc, char *argv[], int *status)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs("usage: quillbox [Qt options such as -platform NAME]\n"
                       "Starts Quillbox (Pro). The database server, the schemas and every other "
                       "choice come\nfrom the settings store; quillbox-configure reads and "
                       "writes it from scripts.\n",
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
    DebugLog::Install();
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
