#include "appsettings.h"
#include "dbmanager.h"
#include "debuglog.h"
#include "mainwindow.h"
#include "programstart.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
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
