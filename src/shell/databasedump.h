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

// The dump tool found on the PATH (mariadb-dump, else mysqldump), or empty.
QString DefaultTool();

// Date-time stamp + name, e.g. "2015-03-01-14-30-05-quillbox_inventory.sql".
QString StampedFileName(const QDateTime &when, const QString &name);

// Starts every job at once and returns when all have ended; the window is repainted meanwhile.
// A job whose tool exits with a failure (or has no schema) loses its incomplete output file.
// True when every job succeeded.
bool Run(const QString &tool, const Account &account, QVector<Job> &jobs);

} // namespace DatabaseDump
