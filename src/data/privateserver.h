#pragma once

#include <QString>

class QSettings;

// A MariaDB server of the user's own, for a machine where no shop server is set up yet: data in
// one folder (by default quillbox/mariadb under the user's data folder), listening on 127.0.0.1
// on a port of its own and on a socket in that folder, reached by the account "quillbox" with a
// generated password. It outlives the program, so the next start finds it running.
class PrivateServer final
{
public:
    explicit PrivateServer(const QString &folder = DefaultFolder());

    static QString DefaultFolder();
    // The server programs are installed (the package only recommends them).
    static bool IsAvailable();

    QString Folder() const { return m_folder; }
    QString SocketPath() const;
    // Zero and empty until the server has been started once.
    int Port() const;
    QString Password() const;

    bool IsRunning() const;
    // Initialises the data folder on the first start, starts the server unless it answers
    // already and makes sure the account exists. False with a reason on failure.
    bool Start(QString *error);
    // Shuts the server down and waits until it has gone; true when it is not running.
    bool Stop();

    // When the settings name no server, starts this one and points them at it; when they name
    // this one and it is down, starts it again. A server of the shop's own is left alone.
    // False with a reason only when a start was needed and failed.
    static bool EnsureFor(QSettings *settings, const QString &folder, QString *error);

    static constexpr const char *Host = "127.0.0.1";
    static constexpr const char *Account = "quillbox";

private:
    QString DataDir() const;
    bool Initialise(QString *error) const;
    bool CreateAccount(QString *error) const;

    QString m_folder;
};
