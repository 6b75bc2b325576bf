#pragma once

#include <QString>
#include <QVector>

class QSqlDatabase;

// The servers a till may use, in the order it tries them.
struct ServerAddress {
    QString host;
    int port = 0;
    QString Text() const;
    bool operator==(const ServerAddress &other) const
    {
        return host.compare(other.host, Qt::CaseInsensitive) == 0 && port == other.port;
    }
};

namespace ServerList {
// "host:port,host:port" (blanks or semicolons also separate; "[::1]:3306" for IPv6 addresses).
// An entry without a port takes defaultPort; entries whose port is not 1..65535 are skipped.
QVector<ServerAddress> Parse(const QString &text, int defaultPort);

// The shop's list: "DB_SERVER"/"DB_PORT" first, then the others of "DB_SERVERS" in their order,
// each server once; with no first server the list is "DB_SERVERS" alone.
QVector<ServerAddress> Ordered(const QString &firstHost, int firstPort, const QString &more);

// True when the server may take the till's work: a single server always, a cluster node only
// while it is part of the primary component and in step with it (ready and Synced).
bool IsReady(QSqlDatabase &db, bool *cluster = nullptr);
} // namespace ServerList
