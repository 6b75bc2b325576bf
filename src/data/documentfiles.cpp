#include "documentfiles.h"

#include "appsettings.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

namespace DocumentFiles {

namespace {
QString g_lastWritten;

QString Cleaned(const QString &text)
{
    QString out;
    for (const QChar c : text)
        out += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QLatin1Char('_');
    return out;
}

// On a Linux desktop the opener starts happily even when nothing can show a PDF, and then
// nothing appears; ask the desktop's own registry first. Headless runs (tests) keep the
// program's handlers.
bool DesktopHasPdfViewer()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return true;
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return false;
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("application/pdf")});
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return true; // slow to answer is not the same as no viewer
    }
    return !process.readAllStandardOutput().trimmed().isEmpty();
#else
    return true;
#endif
}
} // namespace

QString Folder()
{
    const QString folder
        = AppSettings::Instance().Text(Setting::DocumentsFolder);
    if (!folder.isEmpty())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        + QStringLiteral("/Quillbox");
}

QString FileName(const QString &kind, const QString &number, const QDateTime &when)
{
    QString name = Cleaned(kind);
    const QString trimmed = number.trimmed();
    if (!trimmed.isEmpty()) {
        bool digits = false;
        trimmed.toLongLong(&digits);
        name += QLatin1Char('-')
            + (digits ? trimmed.rightJustified(6, QLatin1Char('0')) : Cleaned(trimmed));
    }
    return name + when.toString(QStringLiteral("-yyyyMMdd-HHmmss")) + QStringLiteral(".pdf");
}

QString NewPath(const QString &kind, const QString &number, const QDateTime &when)
{
    const QString folder = Folder();
    QDir().mkpath(folder);
    const QString name = FileName(kind, number, when);
    QString path = folder + QLatin1Char('/') + name;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder + QLatin1Char('/') + name.chopped(4) + QStringLiteral("-%1.pdf").arg(n);
    return path;
}

bool Show(const QString &path)
{
    g_lastWritten = path;
    if (auto *window = qobject_cast<QMainWindow *>(AppSettings::Instance().GlobalParent()))
        window->statusBar()->showMessage(
            QCoreApplication::translate("DocumentFiles", "Saved as %1")
                .arg(QDir::toNativeSeparators(path)),
            15000);
    return DesktopHasPdfViewer() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString LastWritten()
{
    return g_lastWritten;
}

} // namespace DocumentFiles
