#include "programstart.h"

#include "appsettings.h"
#include "debuglog.h"
#include "demosetup.h"
#include "privateserver.h"
#include "progress.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Where the private server lives; fixed before the demo moves the data folder.
QString &ServerFolder()
{
    static QString folder;
    if (folder.isEmpty())
        folder = PrivateServer::DefaultFolder();
    return folder;
}

QString Translate(const char *text)
{
    return QCoreApplication::translate("ProgramStart", text);
}

} // namespace

void ProgramStart::UseDemoFolders()
{
    ServerFolder();
    const QString demo = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         + QStringLiteral("/quillbox/demo");
    QDir().mkpath(demo + QStringLiteral("/config"));
    QDir().mkpath(demo + QStringLiteral("/data"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(demo + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(demo + QStringLiteral("/data")));
}

void ProgramStart::EnsureServer()
{
    if (qgetenv("QUILLBOX_PRIVATE_SERVER") == "0" || !PrivateServer::IsAvailable())
        return;
    QSettings *settings = AppSettings::Instance().Settings();
    Progress busy(nullptr, Translate("Starting the database server..."));
    busy.show();
    QApplication::processEvents();
    QString error;
    if (!PrivateServer::EnsureFor(settings, ServerFolder(), &error))
        qCWarning(lcQuillbox) << "private server:" << error;
}

bool ProgramStart::EnsureDemoShop(const QString &scaleName)
{
    QSettings *settings = AppSettings::Instance().Settings();
    if (!AppSettings::Instance().Text(Setting::ActiveInventoryDb).isEmpty())
        return true;
    DemoShop::Scale scale;
    if (!DemoShop::ScaleByName(scaleName, &scale))
        scale = DemoShop::SmallScale();
    settings->setValue(QStringLiteral("FIRST_TIME_START"), 0);
    Progress busy(nullptr, Translate("Filling the demo shop..."));
    busy.show();
    QApplication::processEvents();
    QStringList notes;
    QString error;
    const bool ok = DemoShop::SetUpActiveShop(
        settings, scale,
        [&busy](const QString &, int percent) {
            if (auto *label = busy.findChild<QLabel *>(QStringLiteral("label")))
                label->setText(Translate("Filling the demo shop... %1%").arg(percent));
            QApplication::processEvents();
        },
        &notes, &error);
    busy.close();
    for (const QString &note : qAsConst(notes))
        qCInfo(lcQuillbox) << note;
    if (!ok) {
        qCWarning(lcQuillbox) << "demo shop:" << error;
        // The next start tries again.
        settings->remove(QStringLiteral("ACTIVE_INVENTORY_DB"));
        QMessageBox::warning(nullptr, Translate("Demo shop"),
                             Translate("The demo shop could not be set up: %1").arg(error));
    }
    return ok;
}
