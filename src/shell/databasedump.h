#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// Runs the server's dump tool for the backup, without any widget. The credentials travel in a
// temporary option file that only the user can read, never on the command line where every
// user of the machine could see them in the process list.
namespace DatabaseDump {

struct Account
{
    QString host;
    int port = 0; // 0: the tool's default
    QString user;
    QString password;
};

struct Job
{
    QString schema;
    QString outputPath;
    // Filled by Run:
    bool ok = false;
    QString message; // the tool's complaint when it failed
};

// "[client]" section with user, password, host and port, each value quoted and escaped.
QString OptionFileText(const Account &account);

// The tool's arguments: the option file first (the tool insists), a consistent snapshot that
// never locks the tills out, DROP TABLE before each CREATE, the output file and the schema.
QStringList Arguments(const QString &optionFile, const QString &schema, const QString &outputPath);

// The same for several schemas read in one snapshot into one file, without CREATE DATABASE.
QStringList ArgumentsForAll(const QString &optionFile, const QStringList &schemas,
                            const QString &outputPath);

// Splits a dump of several schemas (ArgumentsForAll) into each job's output file: the tool's
// opening and closing settings go into every file, a schema's tables into its own, and the
// "USE" lines are left out so that each file loads into a schema of any name. On failure no
// output file is left and each job's message says why.
bool SplitBySchema(const QString &combinedPath, QVector<Job> &jobs);

// The dump tool found on the PATH (mariadb-dump, else mysqldump), or empty.
QString DefaultTool();

// Date-time stamp + name, e.g. "2015-03-01-14-30-05-quillbox_inventory.sql".
QString StampedFileName(const QDateTime &when, const QString &name);

// Dumps every job's schema and returns when the tool has ended; the window is repainted
// meanwhile. Distinct schemas are read in one snapshot by one run of the tool and then split,
// so that the files of one backup show the shop at one moment even while tills sell: a sale is
// in the sales file only if the stock it took is gone in the inventory file. A job whose dump
// failed (or that has no schema) loses its incomplete output file. True when every job
// succeeded.
bool Run(const QString &tool, const Account &account, QVector<Job> &jobs);

} // namespace DatabaseDump
