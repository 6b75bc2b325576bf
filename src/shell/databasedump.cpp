#include "databasedump.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <memory>
#include <vector>

namespace DatabaseDump {

namespace {

QString Quoted(const QString &value)
{
    QString escaped;
    escaped.reserve(value.size() + 2);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': escaped += QLatin1String("\\\\"); break;
        case '"': escaped += QLatin1String("\\\""); break;
        case '\n': escaped += QLatin1String("\\n"); break;
        case '\r': escaped += QLatin1String("\\r"); break;
        case '\t': escaped += QLatin1String("\\t"); break;
        default: escaped += c;
        }
    }
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString Complaint(QProcess &process)
{
    QString text = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.error() == QProcess::FailedToStart)
        return QStringLiteral("The dump tool could not be started: %1").arg(process.errorString());
    if (process.exitStatus() == QProcess::CrashExit)
        return text.isEmpty() ? QStringLiteral("The dump tool crashed.") : text;
    if (text.isEmpty())
        text = QStringLiteral("The dump tool ended with exit code %1.").arg(process.exitCode());
    return text;
}

} // namespace

QString OptionFileText(const Account &account)
{
    QString text = QStringLiteral("[client]\n");
    text += QStringLiteral("user=") + Quoted(account.user) + QLatin1Char('\n');
    text += QStringLiteral("password=") + Quoted(account.password) + QLatin1Char('\n');
    if (!account.host.isEmpty())
        text += QStringLiteral("host=") + Quoted(account.host) + QLatin1Char('\n');
    if (account.port > 0)
        text += QStringLiteral("port=%1\n").arg(account.port);
    return text;
}

QStringList Arguments(const QString &optionFile, const QString &schema, const QString &outputPath)
{
    return {QStringLiteral("--defaults-extra-file=") + optionFile,
            QStringLiteral("--single-transaction"),
            QStringLiteral("--add-drop-table"),
            QStringLiteral("--result-file=") + outputPath,
            schema};
}

QString DefaultTool()
{
    for (const char *name : {"mariadb-dump", "mysqldump"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString StampedFileName(const QDateTime &when, const QString &name)
{
    return when.toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss-")) + name;
}

bool Run(const QString &tool, const Account &account, QVector<Job> &jobs)
{
    QTemporaryFile options(QStringLiteral("%1/quillbox-dump-XXXXXX.cnf")
                               .arg(QStandardPaths::writableLocation(QStandardPaths::TempLocation)));
    const bool written = options.open()
                         && options.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                         && options.write(OptionFileText(account).toUtf8()) >= 0 && options.flush();

    QEventLoop loop;
    int running = 0;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (Job &job : jobs) {
        job.ok = false;
        processes.emplace_back();
        if (!written) {
            job.message = QStringLiteral("The dump tool's option file could not be written: %1")
                              .arg(options.errorString());
            continue;
        }
        if (job.schema.isEmpty()) {
            job.message = QStringLiteral("No active database is set.");
            continue;
        }
        auto process = std::make_unique<QProcess>();
        QObject::connect(process.get(), &QProcess::finished, &loop, [&]() {
            if (--running == 0)
                loop.quit();
        });
        QObject::connect(process.get(), &QProcess::errorOccurred, &loop,
                         [&, p = process.get()](QProcess::ProcessError error) {
                             // A failed start never reaches finished().
                             if (error == QProcess::FailedToStart && p->state() == QProcess::NotRunning
                                 && --running == 0)
                                 loop.quit();
                         });
        ++running;
        process->start(tool, Arguments(options.fileName(), job.schema, job.outputPath));
        processes.back() = std::move(process);
    }
    if (running > 0)
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    bool allOk = true;
    for (int i = 0; i < jobs.size(); ++i) {
        Job &job = jobs[i];
        QProcess *process = processes[size_t(i)].get();
        if (process) {
            job.ok = process->error() != QProcess::FailedToStart
                     && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
            if (!job.ok)
                job.message = Complaint(*process);
        }
        if (!job.ok) {
            allOk = false;
            QFile::remove(job.outputPath);
        }
    }
    return allOk;
}

} // namespace DatabaseDump
