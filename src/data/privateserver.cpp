#include "privateserver.h"
#include "sqlutil.h"

#include "debuglog.h"
#include "settingkeys.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

#include <functional>

namespace {

const QStringList kServerFolders = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                                    QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin")};

QString FindProgram(const QStringList &names)
{
    for (const QString &name : names) {
        QString path = QStandardPaths::findExecutable(name);
        if (path.isEmpty())
            path = QStandardPaths::findExecutable(name, kServerFolders);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString ServerProgram()
{
    return FindProgram({QStringLiteral("mariadbd"), QStringLiteral("mysqld")});
}

QString InstallProgram()
{
    return FindProgram({QStringLiteral("mariadb-install-db"), QStringLiteral("mysql_install_db")});
}

bool IsRoot()
{
    return geteuid() == 0;
}

// The socket account made by the installer belongs to whoever runs it.
QString SystemUser()
{
    const passwd *entry = getpwuid(geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QStringLiteral("root");
}

QString ReadFirstLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readLine()).trimmed();
}

bool WritePrivateFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return file.write(text.toUtf8() + '\n') > 0 && file.flush();
}

int FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

// Letters and digits only: the password goes into an account statement, which takes no
// placeholders, and into settings and shell scripts unquoted.
QString NewPassword()
{
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString password;
    for (int i = 0; i < 24; ++i)
        password += QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(62)]);
    return password;
}

// Runs work on a connection to the server's socket as the system user; false when the server
// does not answer there.
bool WithAdminConnection(const QString &socket, const std::function<bool(QSqlDatabase &)> &work)
{
    if (!QFile::exists(socket))
        return false;
    static int serial = 0;
    const QString name = QStringLiteral("PRIVATE_SERVER_ADMIN_%1").arg(++serial);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
        db.setUserName(SystemUser());
        db.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + socket
                             + QStringLiteral(";MYSQL_OPT_CONNECT_TIMEOUT=2"));
        ok = db.open() && work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

PrivateServer::PrivateServer(const QString &folder)
    : m_folder(folder)
{
}

QString PrivateServer::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/quillbox/mariadb");
}

bool PrivateServer::IsAvailable()
{
    return !ServerProgram().isEmpty() && !InstallProgram().isEmpty();
}

QString PrivateServer::DataDir() const
{
    return m_folder + QStringLiteral("/data");
}

QString PrivateServer::SocketPath() const
{
    return DataDir() + QStringLiteral("/mysqld.sock");
}

int PrivateServer::Port() const
{
    return ReadFirstLine(m_folder + QStringLiteral("/port")).toInt();
}

QString PrivateServer::Password() const
{
    return ReadFirstLine(m_folder + QStringLiteral("/password"));
}

bool PrivateServer::IsRunning() const
{
    return WithAdminConnection(SocketPath(), [](QSqlDatabase &) { return true; });
}

bool PrivateServer::Initialise(QString *error) const
{
    if (QFile::exists(DataDir() + QStringLiteral("/mysql")))
        return true;
    QDir().mkpath(DataDir());
    QStringList args = {QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + DataDir(),
                        QStringLiteral("--auth-root-authentication-method=socket"),
                        QStringLiteral("--skip-test-db")};
    if (IsRoot())
        args << QStringLiteral("--user=root");
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.setStandardOutputFile(DataDir() + QStringLiteral(".install.log"));
    install.start(InstallProgram(), args);
    if (!install.waitForFinished(180000) || install.exitStatus() != QProcess::NormalExit
        || install.exitCode() != 0) {
        *error = QStringLiteral("the server's data folder could not be made; see ") + DataDir()
                 + QStringLiteral(".install.log");
        QDir(DataDir()).removeRecursively();
        return false;
    }
    return true;
}

bool PrivateServer::CreateAccount(QString *error) const
{
    const QString password = Password();
    const bool ok = WithAdminConnection(SocketPath(), [&password](QSqlDatabase &db) {
        SqlQuery query(db);
        for (const char *host : {"127.0.0.1", "localhost"}) {
            const QString account = QStringLiteral("'%1'@'%2'").arg(QLatin1String(Account),
                                                                   QLatin1String(host));
            const QString by = QStringLiteral(" IDENTIFIED BY '") + password + QLatin1Char('\'');
            const QStringList statements = {QStringLiteral("CREATE USER IF NOT EXISTS ") + account + by,
                                            QStringLiteral("ALTER USER ") + account + by,
                                            QStringLiteral("GRANT ALL PRIVILEGES ON *.* TO ") + account};
            for (const QString &statement : statements) {
                if (!query.exec(statement)) {
                    qCWarning(lcQuillbox) << "private server account:" << query.lastError().nativeErrorCode();
                    return false;
                }
            }
        }
        return true;
    });
    if (!ok)
        *error = QStringLiteral("the account on the private server could not be made");
    return ok;
}

bool PrivateServer::Start(QString *error)
{
    if (!IsAvailable()) {
        *error = QStringLiteral("the MariaDB server programs are not installed");
        return false;
    }
    QDir().mkpath(m_folder);
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const bool fresh = !QFile::exists(DataDir() + QStringLiteral("/mysql"));
    if (!Initialise(error))
        return false;
    if (Port() <= 0 && !WritePrivateFile(m_folder + QStringLiteral("/port"), QString::number(FreePort()))) {
        *error = QStringLiteral("cannot write into ") + m_folder;
        return false;
    }
    if (!IsRunning()) {
        // Temporary tables in a folder of the server's own: cleaners of /tmp never remove
        // them under a running query.
        const QString tmp = m_folder + QStringLiteral("/tmp");
        QDir().mkpath(tmp);
        QStringList args = {QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + DataDir(),
                            QStringLiteral("--tmpdir=") + tmp,
                            QStringLiteral("--port=") + QString::number(Port()),
                            QStringLiteral("--bind-address=") + QLatin1String(Host),
                            QStringLiteral("--socket=") + SocketPath(),
                            QStringLiteral("--pid-file=") + DataDir() + QStringLiteral("/mysqld.pid"),
                            QStringLiteral("--log-error=") + DataDir() + QStringLiteral("/error.log"),
                            QStringLiteral("--skip-log-bin")};
        if (IsRoot())
            args << QStringLiteral("--user=root");
        QProcess server;
        server.setProgram(ServerProgram());
        server.setArguments(args);
        server.setStandardInputFile(QProcess::nullDevice());
        server.setStandardOutputFile(DataDir() + QStringLiteral("/error.log"), QIODevice::Append);
        server.setStandardErrorFile(DataDir() + QStringLiteral("/error.log"), QIODevice::Append);
        if (!server.startDetached()) {
            *error = QStringLiteral("the MariaDB server could not be started");
            return false;
        }
        bool answered = false;
        for (int attempt = 0; attempt < 240 && !answered; ++attempt) {
            QThread::msleep(250);
            answered = IsRunning();
        }
        if (!answered) {
            *error = QStringLiteral("the MariaDB server did not answer; see ") + DataDir()
                     + QStringLiteral("/error.log");
            return false;
        }
    }
    if (fresh || Password().isEmpty()) {
        if (!WritePrivateFile(m_folder + QStringLiteral("/password"), NewPassword())) {
            *error = QStringLiteral("cannot write into ") + m_folder;
            return false;
        }
        return CreateAccount(error);
    }
    return true;
}

bool PrivateServer::Stop()
{
    const QString pid = ReadFirstLine(DataDir() + QStringLiteral("/mysqld.pid"));
    if (!IsRunning())
        return true;
    WithAdminConnection(SocketPath(), [](QSqlDatabase &db) {
        SqlQuery query(db);
        return query.exec(QStringLiteral("SHUTDOWN"));
    });
    for (int attempt = 0; attempt < 240; ++attempt) {
        const bool gone = pid.isEmpty() ? !QFile::exists(SocketPath())
                                        : !QFile::exists(QStringLiteral("/proc/") + pid);
        if (gone)
            return true;
        QThread::msleep(250);
    }
    return !IsRunning();
}

bool PrivateServer::EnsureFor(QSettings *settings, const QString &folder, QString *error)
{
    PrivateServer server(folder);
    const QString named = Setting::Read(*settings, Setting::DbServer).toString();
    if (!named.isEmpty()) {
        const bool ours = named == QLatin1String(Host) && !server.Password().isEmpty()
                          && Setting::Read(*settings, Setting::DbPort).toInt() == server.Port()
                          && Setting::Read(*settings, Setting::DbUser).toString()
                                 == QLatin1String(Account);
        return !ours || server.Start(error);
    }
    if (!server.Start(error))
        return false;
    settings->setValue(QStringLiteral("DB_SERVER"), QLatin1String(Host));
    settings->setValue(QStringLiteral("DB_PORT"), QString::number(server.Port()));
    settings->setValue(QStringLiteral("DB_USER"), QLatin1String(Account));
    settings->setValue(QStringLiteral("DB_PASSWORD"), server.Password());
    settings->sync();
    return true;
}
