#include "serverlist.h"
#include "sqlutil.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

QString ServerAddress::Text() const
{
    const QString shown = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']')
                                                          : host;
    return shown + QLatin1Char(':') + QString::number(port);
}

namespace ServerList {

QVector<ServerAddress> Parse(const QString &text, int defaultPort)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    static const QRegularExpression bracketed(QStringLiteral("^\\[([^\\]]+)\\](?::(.*))?$"));
    QVector<ServerAddress> servers;
    const QStringList entries = text.split(separators, Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        ServerAddress server;
        QString port;
        const QRegularExpressionMatch match = bracketed.match(entry);
        if (match.hasMatch()) {
            server.host = match.captured(1);
            port = match.captured(2);
        } else if (entry.count(QLatin1Char(':')) == 1) {
            server.host = entry.section(QLatin1Char(':'), 0, 0);
            port = entry.section(QLatin1Char(':'), 1);
        } else {
            server.host = entry; // a host name, or a bare IPv6 address without a port
        }
        bool ok = true;
        server.port = port.isEmpty() ? defaultPort : port.toInt(&ok, 10);
        if (server.host.isEmpty() || !ok || server.port < 1 || server.port > 65535)
            continue;
        if (!servers.contains(server))
            servers.append(server);
    }
    return servers;
}

QVector<ServerAddress> Ordered(const QString &firstHost, int firstPort, const QString &more)
{
    QVector<ServerAddress> servers;
    const ServerAddress first{firstHost.trimmed(), firstPort};
    if (!first.host.isEmpty())
        servers.append(first);
    for (const ServerAddress &server : Parse(more, firstPort > 0 ? firstPort : 3306)) {
        if (!servers.contains(server))
            servers.append(server);
    }
    return servers;
}

bool IsReady(QSqlDatabase &db, bool *cluster)
{
    if (cluster)
        *cluster = false;
    // SHOW is answered even by a node that refuses every other statement.
    SqlQuery query(db);
    if (!query.exec(QStringLiteral("SHOW GLOBAL VARIABLES LIKE 'wsrep_on'")))
        return db.isOpen();
    if (!query.next() || query.value(1).toString().compare(QLatin1String("ON"), Qt::CaseInsensitive) != 0)
        return true;
    if (cluster)
        *cluster = true;
    if (!query.exec(QStringLiteral("SHOW GLOBAL STATUS LIKE 'wsrep_%'")))
        return false;
    bool ready = false;
    bool synced = false;
    while (query.next()) {
        const QString name = query.value(0).toString().toLower();
        const QString value = query.value(1).toString();
        if (name == QLatin1String("wsrep_ready"))
            ready = value.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
        else if (name == QLatin1String("wsrep_local_state_comment"))
            synced = value == QLatin1String("Synced");
    }
    return ready && synced;
}

} // namespace ServerList
