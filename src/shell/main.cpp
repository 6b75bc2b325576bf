#include "appsettings.h"
#include "dbmanager.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    qSetMessagePattern(QStringLiteral("%{file}:%{line} %{function}: %{message}"));
    QApplication app(argc, argv);
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
