#include "appsettings.h"
#include "dbmanager.h"
#include "debuglog.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
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
