#include "debuglog.h"

#include "appsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>

Q_LOGGING_CATEGORY(lcQuillbox, "quillbox", QtInfoMsg)

namespace DebugLog {

namespace {
QtMessageHandler g_previous = nullptr;
bool g_installed = false;
bool g_debugOn = false;

bool IsProgramCategory(const char *category)
{
    return !category || qstrcmp(category, "default") == 0 || qstrcmp(category, "quillbox") == 0;
}

void Handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg || !IsProgramCategory(context.category)) {
        g_previous(type, context, message);
        return;
    }
    if (type == QtDebugMsg && !g_debugOn)
        return;
    QFile file(FilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        g_previous(type, context, message);
        return;
    }
    QTextStream(&file) << qFormatLogMessage(type, context, message) << '\n';
}
} // namespace

bool Requested()
{
    const QByteArray env = qgetenv("QUILLBOX_DEBUG_LOG");
    if (!env.isEmpty())
        return env != "0";
    return AppSettings::Instance().Bool(Setting::DebugLog);
}

QString FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/quillbox/quillbox.log");
}

void Install()
{
    QDir().mkpath(QFileInfo(FilePath()).absolutePath());
    qSetMessagePattern(QStringLiteral(
        "%{time yyyy-MM-dd hh:mm:ss.zzz} %{type} %{file}:%{line} %{function}: %{message}"));
    g_debugOn = Requested();
    QLoggingCategory::setFilterRules(g_debugOn ? QStringLiteral("quillbox.debug=true")
                                               : QStringLiteral("quillbox.debug=false"));
    if (!g_installed) {
        g_previous = qInstallMessageHandler(Handle);
        g_installed = true;
    }
}

void Uninstall()
{
    if (g_installed) {
        qInstallMessageHandler(g_previous);
        g_installed = false;
    }
    g_debugOn = false;
    QLoggingCategory::setFilterRules(QStringLiteral("quillbox.debug=false"));
}

} // namespace DebugLog
