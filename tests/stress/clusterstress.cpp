// Tills spread over the nodes of a cluster (scripts/stress --cluster): racing, and losing the
// node two of them use. Every node must end with the same shop.

#include "tillstress.h"
#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "serverlist.h"

#include <QElapsedTimer>
#include <QSet>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>

namespace TillStress {
namespace {

QVector<ServerAddress> Nodes()
{
    return ServerList::Parse(qEnvironmentVariable("QUILLBOX_TEST_DB_SERVERS"), 3306);
}

// The manager's links go to this node alone, and its reads wait for what others committed.
void UseNode(const ServerAddress &node)
{
    CDBManager::Reset();
    QuillboxTest::TestServer::Apply();
    AppSettings::Instance().Settings()->setValue(QStringLiteral("DB_SERVERS"), QString());
    CDBManager::Instance().SetServerParameters(QuillboxTest::TestServer::User(),
                                               QuillboxTest::TestServer::Password(), node.port,
                                               node.host);
    for (QSqlDatabase *db : {&CDBManager::Instance().GetInventoryDataBase(),
                             &CDBManager::Instance().GetSalesDataBase()}) {
        QSqlQuery wait(*db);
        wait.exec(QStringLiteral("SET SESSION wsrep_sync_wait = 1"));
    }
}

// Row counts and checksums of every table of both schemas, as this node holds them.
QString Fingerprint()
{
    QString print;
    for (QSqlDatabase *db : {&CDBManager::Instance().GetInventoryDataBase(),
                             &CDBManager::Instance().GetSalesDataBase()}) {
        QSqlQuery tables(*db);
        tables.prepare(QStringLiteral("SELECT TABLE_NAME FROM information_schema.TABLES WHERE "
                                      "TABLE_SCHEMA = DATABASE() ORDER BY TABLE_NAME"));
        tables.exec();
        while (tables.next()) {
            const QString table = tables.value(0).toString();
            QSqlQuery count(*db);
            count.exec(QStringLiteral("SELECT COUNT(*) FROM `%1`").arg(table));
            QSqlQuery sum(*db);
            sum.exec(QStringLiteral("CHECKSUM TABLE `%1`").arg(table));
            print += table + QLatin1Char('=') + (count.next() ? count.value(0).toString() : QStringLiteral("?"))
                + QLatin1Char('/') + (sum.next() ? sum.value(1).toString() : QStringLiteral("?"))
                + QLatin1Char(' ');
        }
    }
    return print;
}

// Whether a batch's stock is start − out, give or take some of the entries nobody heard back.
bool Explained(int start, qint64 out, const QVector<int> &unknown, int stock)
{
    QSet<qint64> reachable{0};
    for (int units : unknown) {
        const QSet<qint64> before = reachable;
        for (qint64 sum : before)
            reachable.insert(sum + units);
    }
    return stock >= 0 && reachable.contains(start - out - stock);
}

struct NodeCheck {
    int batchesOff = 0;
    int salesOff = 0;
    QString fingerprint;
};

// Checks every node against the tills' accounts; unheard payments may be there, whole, or not.
QVector<NodeCheck> CheckNodes(const Tally &tally,
                              int start, bool unheardAllowed)
{
    QVector<NodeCheck> checks;
    QVector<QVector<int>> unknown(kBatches);
    for (const Unknown &entry : tally.unknownEntries)
        unknown[entry.batch].append(entry.units);
    for (const ServerAddress &node : Nodes()) {
        UseNode(node);
        NodeCheck check;
        const QVector<int> stock = StockNow();
        for (int batch = 0; batch < kBatches; ++batch) {
            const bool fine = unheardAllowed ? Explained(start, tally.out[batch], unknown[batch], stock[batch])
                                             : stock[batch] >= 0 && start - tally.out[batch] == stock[batch];
            check.batchesOff += fine ? 0 : 1;
            if (!fine)
                std::fprintf(stderr, "stress: %s batch %d: stock %d, expected %lld\n",
                             qPrintable(node.Text()), batch, stock[batch], start - tally.out[batch]);
        }
        QHash<int, int> expected = tally.sales;
        if (unheardAllowed) {
            // A payment whose answer was lost is stored whole or not at all, and once.
            QSqlQuery stored(CDBManager::Instance().GetSalesDataBase());
            stored.exec(QStringLiteral("SELECT t.ID, COUNT(i.TRANSACTION_ID) FROM tblSalesTransactions t "
                                       "LEFT JOIN tblSalesInvoice i ON i.TRANSACTION_ID = t.ID GROUP BY t.ID"));
            int unheard = 0;
            while (stored.next()) {
                if (!expected.contains(stored.value(0).toInt()) && stored.value(1).toInt() > 0) {
                    expected.insert(stored.value(0).toInt(), stored.value(1).toInt());
                    ++unheard;
                }
            }
            check.salesOff += unheard > tally.paymentFailures ? 1 : 0;
        }
        check.salesOff += CheckSales(expected, false);
        check.fingerprint = Fingerprint();
        checks.append(check);
    }
    CDBManager::Reset();
    QuillboxTest::TestServer::Apply();
    return checks;
}

// Waits until the node sees a cluster of this many nodes; false when the time ran out.
bool WaitForClusterSize(const ServerAddress &node, int size, int timeoutMs)
{
    const QString name = QStringLiteral("SIZE_PROBE");
    bool reached = false;
    {
        QSqlDatabase probe = QuillboxTest::TestServer::Connection(name, QString());
        probe.setHostName(node.host);
        probe.setPort(node.port);
        QElapsedTimer clock;
        clock.start();
        while (!reached && clock.elapsed() < timeoutMs) {
            QSqlQuery status(probe);
            reached = (probe.isOpen() || probe.open())
                && status.exec(QStringLiteral("SHOW GLOBAL STATUS LIKE 'wsrep_cluster_size'"))
                && status.next() && status.value(1).toInt() == size;
            if (!reached)
                QThread::msleep(200);
        }
        probe.close();
    }
    QSqlDatabase::removeDatabase(name);
    return reached;
}

bool Identical(const QVector<NodeCheck> &checks)
{
    for (const NodeCheck &check : checks) {
        if (check.fingerprint != checks.first().fingerprint || check.fingerprint.isEmpty())
            return false;
    }
    return !checks.isEmpty();
}

int Off(const QVector<NodeCheck> &checks)
{
    int off = 0;
    for (int node = 0; node < checks.size(); ++node) {
        off += checks[node].batchesOff + checks[node].salesOff;
        std::fprintf(stderr, "stress: node %d: %d batches off, %d sales off\n", node + 1,
                     checks[node].batchesOff, checks[node].salesOff);
    }
    return off;
}

// Runs the tills to their end, each on its node, and reads their accounts.
Tally RunTills(const QuillboxTest::FreshDatabases &schemas, const QVector<int> &nodeOfTill,
               int salesEach, const std::function<void()> &meanwhile, bool *clean)
{
    const QVector<ServerAddress> nodes = Nodes();
    QTemporaryDir outputs;
    QVector<QProcess *> children;
    for (int till = 0; till < nodeOfTill.size(); ++till)
        children.append(StartTill(QStringLiteral("child-race"), schemas, 3000 + till, salesEach,
                                  outputs.filePath(QString::number(till)), QString(),
                                  nodes.at(nodeOfTill[till]).port));
    if (meanwhile)
        meanwhile();
    Tally tally;
    *clean = true;
    for (int till = 0; till < children.size(); ++till) {
        QProcess *child = children[till];
        // A till that hangs (a message box nobody answers) ends the wait, not the run.
        const bool finished = child->waitForFinished(300000);
        if (!finished) {
            child->kill();
            child->waitForFinished(10000);
        }
        const bool well = finished && child->exitStatus() == QProcess::NormalExit
            && child->exitCode() == 0;
        if (!well) {
            const QList<QByteArray> log = ReadFile(outputs.filePath(QString::number(till)) + QStringLiteral(".log")).split('\n');
            std::fprintf(stderr, "stress: till %d on node %d did not end well; its log ends:\n", till,
                         nodeOfTill[till] + 1);
            for (int line = qMax(0, int(log.size()) - 15); line < log.size(); ++line)
                std::fprintf(stderr, "  %s\n", log.at(line).constData());
        }
        *clean = well && *clean;
        tally.Read(ReadFile(outputs.filePath(QString::number(till))));
        delete child;
    }
    return tally;
}

bool RaceOnCluster(int tills, int salesEach)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid() || Nodes().size() < 2)
        return false;
    SeedBatches(kStartStock);
    QVector<int> nodeOfTill;
    for (int till = 0; till < tills; ++till)
        nodeOfTill.append(till % Nodes().size());
    bool clean = false;
    const Tally tally = RunTills(schemas, nodeOfTill, salesEach, {}, &clean);
    // Refusals after every replay are unheard of nothing: the step was rolled back whole.
    Tally settled = tally;
    settled.unknownEntries.clear();
    const QVector<NodeCheck> checks = CheckNodes(settled, kStartStock, false);
    const int off = Off(checks);
    const bool same = Identical(checks);
    const bool held = clean && off == 0 && same && tally.paymentFailures == 0;
    std::fprintf(stderr,
                 "stress: cluster race: %d tills on %d nodes, %d sales, %lld entries, %lld refused "
                 "for stock, %lld refused after replays, %lld payments failed, %d off, nodes %s\n",
                 tills, int(Nodes().size()), int(tally.sales.size()), tally.entries,
                 tally.stockRefusals, tally.otherRefusals, tally.paymentFailures, off,
                 same ? "identical" : "differ");
    Row("cluster: tills racing",
        tally.entries + tally.stockRefusals + tally.otherRefusals + tally.sales.size()
            + tally.paymentFailures,
        off + tally.paymentFailures + (same ? 0 : 1) + (clean ? 0 : 1), held);
    return held;
}

bool LoseNode(int salesEach)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid() || Nodes().size() < 3 || qEnvironmentVariableIsEmpty("QUILLBOX_TEST_NODE_KILL"))
        return false;
    SeedBatches(1000000);
    bool killed = false;
    bool evicted = false;
    bool rejoined = false;
    qint64 rejoinMs = 0;
    const auto killAndRestart = [&] {
        QThread::msleep(3000); // mid-race
        killed = QProcess::execute(QStringLiteral("bash"),
                                   {QStringLiteral("-c"), qEnvironmentVariable("QUILLBOX_TEST_NODE_KILL"),
                                    QStringLiteral("2")}) == 0;
        // As after a real crash, the node comes back once the others have let it go.
        evicted = WaitForClusterSize(Nodes().at(0), 2, 30000);
        QElapsedTimer clock;
        clock.start();
        rejoined = QProcess::execute(QStringLiteral("bash"),
                                     {QStringLiteral("-c"), qEnvironmentVariable("QUILLBOX_TEST_NODE_START"),
                                      QStringLiteral("2")}) == 0;
        rejoinMs = clock.elapsed();
    };
    bool clean = false;
    // Tills 0 and 1 use node 2 (index 1); the others stay where they are.
    const Tally tally = RunTills(schemas, {1, 1, 0, 2}, salesEach, killAndRestart, &clean);
    const QVector<NodeCheck> checks = CheckNodes(tally, 1000000, true);
    const int off = Off(checks);
    const bool same = Identical(checks);
    const bool held = clean && killed && evicted && rejoined && off == 0 && same && tally.sales.size() > 0;
    std::fprintf(stderr,
                 "stress: cluster node lost: killed %d, rejoined %d in %lld s, %d sales, %lld "
                 "entries, %lld entries and %lld payments unheard, %d off, nodes %s\n",
                 killed && evicted, rejoined, rejoinMs / 1000, int(tally.sales.size()), tally.entries,
                 tally.otherRefusals, tally.paymentFailures, off, same ? "identical" : "differ");
    Row("cluster: node lost", tally.entries + tally.sales.size(),
        off + (same ? 0 : 1) + (clean ? 0 : 1) + (killed && evicted && rejoined ? 0 : 1), held);
    return held;
}

} // namespace

bool RunClusterScenarios(const QStringList &args)
{
    const QString only = Option(args, QStringLiteral("--only"), QString());
    bool held = true;
    if (only.isEmpty() || only == QLatin1String("race"))
        held = RaceOnCluster(Option(args, QStringLiteral("--tills"), QStringLiteral("4")).toInt(),
                             Option(args, QStringLiteral("--sales"), QStringLiteral("300")).toInt())
            && held;
    if (only.isEmpty() || only == QLatin1String("node"))
        held = LoseNode(Option(args, QStringLiteral("--sales"), QStringLiteral("300")).toInt()) && held;
    return held;
}

} // namespace TillStress
