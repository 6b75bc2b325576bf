#include "databasedump.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSet>
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

QStringList ArgumentsForAll(const QString &optionFile, const QStringList &schemas,
                            const QString &outputPath)
{
    return QStringList{QStringLiteral("--defaults-extra-file=") + optionFile,
                       QStringLiteral("--single-transaction"),
                       QStringLiteral("--add-drop-table"),
                       QStringLiteral("--no-create-db"),
                       QStringLiteral("--result-file=") + outputPath,
                       QStringLiteral("--databases")}
           + schemas;
}

bool SplitBySchema(const QString &combinedPath, QVector<Job> &jobs)
{
    QFile combined(combinedPath);
    std::vector<std::unique_ptr<QFile>> outputs;
    QVector<QByteArray> useLines;
    for (Job &job : jobs) {
        job.ok = false;
        outputs.push_back(std::make_unique<QFile>(job.outputPath));
        QString quoted = job.schema;
        quoted.replace(QLatin1Char('`'), QLatin1String("``"));
        useLines << "USE `" + quoted.toUtf8() + "`;";
    }
    const auto fail = [&](const QString &message) {
        for (int i = 0; i < jobs.size(); ++i) {
            jobs[i].message = message;
            outputs[size_t(i)]->close();
            QFile::remove(jobs[i].outputPath);
        }
        return false;
    };
    if (!combined.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The dump could not be read: %1").arg(combined.errorString()));

    QByteArray header, footer;
    QFile *current = nullptr;
    bool inFooter = false, written = true;
    while (!combined.atEnd()) {
        const QByteArray line = combined.readLine();
        if (inFooter) {
            footer += line;
            continue;
        }
        const int schema = line.startsWith("USE `") ? useLines.indexOf(line.trimmed()) : -1;
        if (schema >= 0) {
            current = outputs[size_t(schema)].get();
            if (!current->isOpen())
                written = current->open(QIODevice::WriteOnly | QIODevice::Truncate)
                          && current->write(header) == header.size() && written;
            continue;
        }
        if (line.startsWith("-- Current Database: "))
            continue;
        // The tool's closing settings follow the last table; every file needs them.
        if (current && line.startsWith("/*!40103 SET TIME_ZONE=@OLD_TIME_ZONE */")) {
            inFooter = true;
            footer += line;
            continue;
        }
        if (current)
            written = current->write(line) == line.size() && written;
        else
            header += line;
    }
    for (int i = 0; i < jobs.size(); ++i) {
        QFile &output = *outputs[size_t(i)];
        if (!output.isOpen())
            return fail(QStringLiteral("The dump holds nothing of the schema \"%1\".")
                            .arg(jobs[i].schema));
        written = output.write(footer) == footer.size() && output.flush() && written;
    }
    if (!written || combined.error() != QFileDevice::NoError)
        return fail(QStringLiteral("The dump could not be written: %1")
                        .arg(combined.error() != QFileDevice::NoError ? combined.errorString()
                                                                      : outputs[0]->errorString()));
    for (Job &job : jobs)
        job.ok = true;
    return true;
}

namespace {

struct Outcome
{
    bool ok = false;
    QString complaint;
};

// Runs the tool once per argument list, all at once, and returns when every run has ended.
QVector<Outcome> RunTool(const QString &tool, const QVector<QStringList> &argumentLists)
{
    QEventLoop loop;
    int running = 0;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList &arguments : argumentLists) {
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
        process->start(tool, arguments);
        processes.push_back(std::move(process));
    }
    if (running > 0)
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    QVector<Outcome> outcomes;
    for (const auto &process : processes) {
        Outcome outcome;
        outcome.ok = process->error() != QProcess::FailedToStart
                     && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        if (!outcome.ok)
            outcome.complaint = Complaint(*process);
        outcomes << outcome;
    }
    return outcomes;
}

} // namespace

bool Run(const QString &tool, const Account &account, QVector<Job> &jobs)
{
    QTemporaryFile options(QStringLiteral("%1/quillbox-dump-XXXXXX.cnf")
                               .arg(QStandardPaths::writableLocation(QStandardPaths::TempLocation)));
    const bool written = options.open()
                         && options.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                         && options.write(OptionFileText(account).toUtf8()) >= 0 && options.flush();

    QStringList schemas;
    QVector<int> runnable;
    for (int i = 0; i < jobs.size(); ++i) {
        Job &job = jobs[i];
        job.ok = false;
        job.message.clear();
        if (!written)
            job.message = QStringLiteral("The dump tool's option file could not be written: %1")
                              .arg(options.errorString());
        else if (job.schema.isEmpty())
            job.message = QStringLiteral("No active database is set.");
        else
            runnable << i;
        schemas << job.schema;
    }

    const bool together = runnable.size() > 1 && runnable.size() == jobs.size()
                          && QSet<QString>(schemas.cbegin(), schemas.cend()).size() == schemas.size();
    if (together) {
        const QString combined = jobs[0].outputPath + QStringLiteral(".part");
        const Outcome outcome
            = RunTool(tool, {ArgumentsForAll(options.fileName(), schemas, combined)}).value(0);
        if (outcome.ok) {
            SplitBySchema(combined, jobs);
        } else {
            for (Job &job : jobs)
                job.message = outcome.complaint;
        }
        QFile::remove(combined);
    } else {
        QVector<QStringList> argumentLists;
        for (int i : runnable)
            argumentLists << Arguments(options.fileName(), jobs[i].schema, jobs[i].outputPath);
        const QVector<Outcome> outcomes = RunTool(tool, argumentLists);
        for (int n = 0; n < runnable.size(); ++n) {
            Job &job = jobs[runnable[n]];
            job.ok = outcomes[n].ok;
            job.message = outcomes[n].complaint;
        }
    }

    bool allOk = true;
    for (Job &job : jobs) {
        if (!job.ok) {
            allOk = false;
            QFile::remove(job.outputPath);
        }
    }
    return allOk;
}

} // namespace DatabaseDump
