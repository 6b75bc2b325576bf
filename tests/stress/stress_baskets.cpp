// Open baskets and sale keys under faults: tills killed mid-basket and recovered, commit answers
// cut by a proxy, and eight tills on one hot batch. Prints one STRESS row per scenario; a child
// till is this program again.

#include "testsupport.h"

#include "appsettings.h"
#include "dbmanager.h"
#include "itemtransactionsmodel.h"
#include "openbaskets.h"
#include "posstore.h"
#include "salerules.h"
#include "seeddata.h"
#include "serverlist.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

constexpr int kBatches = 10;

QString BarCode(int batch) { return QStringLiteral("8800%1").arg(batch, 4, 10, QLatin1Char('0')); }

void Row(const char *scenario, qint64 operations, qint64 failures, bool held)
{
    std::printf("STRESS\t%s\t%lld\t%lld\t%s\n", scenario, static_cast<long long>(operations),
                static_cast<long long>(failures), held ? "yes" : "no");
    std::fflush(stdout);
}

void UseSchemas(const QString &inventory, const QString &sales)
{
    QuillboxTest::TestServer::Apply();
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("ACTIVE_INVENTORY_DB"), inventory);
    settings->setValue(QStringLiteral("ACTIVE_SALES_DB"), sales);
}

void SeedBatches(int batches, int stock)
{
    using namespace QuillboxTest::Seed;
    const int category = AddCategory(QStringLiteral("Stress"));
    const int vendor = AddVendor(QStringLiteral("Stress vendor"));
    for (int batch = 0; batch < batches; ++batch)
        AddBatch(AddProduct(category, QStringLiteral("S%1").arg(batch),
                            QStringLiteral("Stress item %1").arg(batch)),
                 vendor, BarCode(batch), stock);
}

PosStore::ItemTaken Enter(const QString &till, CItemTransactionsModel &basket, int batch,
                          int quantity, bool returnMode)
{
    PosStore::ItemRequest request;
    request.barCode = BarCode(batch);
    request.quantity = quantity;
    request.returnMode = returnMode;
    request.tillId = till;
    request.basketKey = basket.SaleKey();
    request.lineIndex = basket.LineCount();
    const PosStore::ItemTaken taken
        = PosStore::TakeItem(CDBManager::Instance().GetInventoryDataBase(), request);
    if (taken.refusal.isEmpty())
        basket.AppendLine(taken.name, QString::number(quantity), QStringLiteral("0"),
                          taken.salePrice, taken.purchasePrice, taken.amounts);
    return taken;
}

bool Pay(QSqlDatabase salesDb, const CItemTransactionsModel &basket, int *id)
{
    PosStore::SaleHeader header{QStringLiteral("stress"), QStringLiteral("NOT SELECTED"),
                                basket.GrandTotal(),
                                QString::number(qMax(0.f, basket.GrandTotal()) + 1, 'f', 2),
                                QStringLiteral("0"), basket.SaleKey(), QString()};
    header.inventorySchema = CDBManager::Instance().GetInventoryDataBase().databaseName();
    QString failure;
    return PosStore::RecordSale(salesDb, header, basket, id, &failure);
}

// A till that sells baskets until it is killed: "child-abandon INV SALES SEED TILL".
// A till on the hot batch for some seconds: "child-storm INV SALES SEED SECONDS"; one line per
// entry, "E <ms> ok|stock|lock|other".
int RunChild(const QStringList &args)
{
    UseSchemas(args.value(1), args.value(2));
    QRandomGenerator random(args.value(3).toUInt());
    QSqlDatabase salesDb = CDBManager::Instance().GetSalesDataBase();
    if (args.value(0) == QLatin1String("child-abandon")) {
        const QString till = args.value(4);
        for (;;) {
            CItemTransactionsModel basket;
            const int lines = 1 + random.bounded(4);
            for (int line = 0; line < lines; ++line) {
                Enter(till, basket, random.bounded(kBatches), 1 + random.bounded(3),
                      random.bounded(10) == 0);
                QThread::msleep(random.bounded(30));
            }
            int id = 0;
            if (basket.LineCount() > 0)
                Pay(salesDb, basket, &id);
        }
    }
    QTextStream out(stdout);
    const qint64 seconds = args.value(4).toLongLong();
    const QString till = QStringLiteral("storm-%1").arg(args.value(3));
    QElapsedTimer run;
    run.start();
    QElapsedTimer clock;
    while (run.elapsed() < seconds * 1000) {
        CItemTransactionsModel basket;
        for (int line = 0; line < 3; ++line) {
            clock.start();
            const PosStore::ItemTaken taken = Enter(till, basket, 0, 1, false);
            const qint64 ms = clock.elapsed();
            const QString &r = taken.refusal;
            const char *kind = r.isEmpty() ? "ok"
                : r == QLatin1String(SaleRules::Message::OutOfStock)
                    || r.startsWith(SaleRules::NotAvailableMessage(0, 0).left(30))
                ? "stock"
                : r == QLatin1String(SaleRules::Message::StockWriteFailed) ? "lock" : "other";
            out << "E " << ms << ' ' << kind << '\n';
        }
        int id = 0;
        if (basket.LineCount() > 0 && !Pay(salesDb, basket, &id))
            out << "F\n";
        out.flush();
    }
    return 0;
}

QProcess *StartChild(const QStringList &args, const QString &output = QProcess::nullDevice())
{
    auto *process = new QProcess;
    process->setStandardOutputFile(output);
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(QCoreApplication::applicationFilePath(), args);
    return process;
}

// Per batch: stock now + units sold − units returned, over every recorded sale line.
QVector<qint64> StockPlusSold()
{
    QVector<qint64> total(kBatches, 0);
    QSqlQuery stock(CDBManager::Instance().GetInventoryDataBase());
    stock.prepare(QStringLiteral("SELECT QUANTITY FROM tblInventory WHERE BAR_CODE = ?"));
    QSqlQuery sold(CDBManager::Instance().GetSalesDataBase());
    sold.prepare(QStringLiteral("SELECT COALESCE(SUM(IF(SUB_TOTAL < 0, -QUANTITY, QUANTITY)), 0) "
                                "FROM tblSalesInvoice WHERE PRODUCT_NAME = ?"));
    for (int batch = 0; batch < kBatches; ++batch) {
        stock.addBindValue(BarCode(batch));
        sold.addBindValue(QStringLiteral("Stress item %1").arg(batch));
        total[batch] = stock.exec() && stock.next() && sold.exec() && sold.next()
            ? stock.value(0).toLongLong() + sold.value(0).toLongLong()
            : -1;
    }
    return total;
}

qint64 Count(QSqlDatabase db, const QString &sql)
{
    QSqlQuery query(db);
    return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
}

bool AbandonBaskets(int kills)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return false;
    constexpr int kStart = 1000000;
    SeedBatches(kBatches, kStart);
    QRandomGenerator random(19);
    int badExits = 0, recoveryFailures = 0;
    qint64 putBack = 0;
    QSqlDatabase inventory = CDBManager::Instance().GetInventoryDataBase();
    for (int kill = 0; kill < kills; ++kill) {
        const QString till = QStringLiteral("killed-%1").arg(kill);
        QProcess *child = StartChild({QStringLiteral("child-abandon"), schemas.InventoryName(),
                                      schemas.SalesName(), QString::number(kill), till});
        child->waitForStarted();
        QThread::msleep(200 + random.bounded(400));
        ::kill(static_cast<pid_t>(child->processId()), SIGKILL);
        child->waitForFinished(10000);
        badExits += child->exitStatus() == QProcess::CrashExit ? 0 : 1;
        delete child;
        // The till starts again and puts back what its unpaid basket held.
        QVector<PosStore::OpenBasket> baskets;
        QStringList keys;
        if (!PosStore::OpenBasketsOfTill(inventory, till, &baskets))
            ++recoveryFailures;
        for (const PosStore::OpenBasket &basket : baskets)
            keys << basket.basketKey;
        putBack += keys.size();
        if (!keys.isEmpty() && !PosStore::PutBackBaskets(inventory, keys))
            ++recoveryFailures;
    }
    const QVector<qint64> accounts = StockPlusSold();
    const int off = int(std::count_if(accounts.cbegin(), accounts.cend(),
                                      [](qint64 total) { return total != kStart; }));
    const qint64 open = Count(inventory, QStringLiteral("SELECT COUNT(*) FROM tblOpenBasketLines"));
    const qint64 sales = Count(CDBManager::Instance().GetSalesDataBase(),
                               QStringLiteral("SELECT COUNT(*) FROM tblSalesTransactions"));
    std::fprintf(stderr,
                 "stress: abandoned: %d kills, %lld baskets put back, %lld sales, %d batches off, "
                 "%lld open lines left, %d recovery failures, %d early exits\n",
                 kills, putBack, sales, off, open, recoveryFailures, badExits);
    const bool held = off == 0 && open == 0 && recoveryFailures == 0 && badExits == 0
        && putBack > 0 && sales > 0;
    Row("baskets abandoned", kills, off + recoveryFailures + badExits + (open ? 1 : 0), held);
    return held;
}

// Forwards loopback connections to the server; armed, it cuts the connection that sends COMMIT
// right before it reaches the server or right after the server's answer left it. Given several
// servers (cluster nodes), each new connection goes to the next: a till that lost its answer
// asks again on another node.
class CuttingProxy final : public QThread
{
public:
    enum Cut { None, BeforeCommit, AfterAnswer };
    explicit CuttingProxy(QVector<ServerAddress> upstreams)
        : m_upstreams(std::move(upstreams))
    {
    }
    void Arm(Cut cut) { m_armed = cut; }
    int Cuts() const { return m_cuts; }
    int Port() const { return m_listenPort; }
    void WaitReady() { while (m_listenPort == 0) QThread::msleep(5); }
    void Stop()
    {
        m_stop = true;
        wait();
    }

protected:
    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        m_listenPort = server.serverPort();
        while (!m_stop) {
            if (server.waitForNewConnection(20)) {
                while (QTcpSocket *client = server.nextPendingConnection())
                    Serve(client);
            }
        }
    }

private:
    // One connection at a time: the till has one through the proxy.
    void Serve(QTcpSocket *client)
    {
        const ServerAddress &to = m_upstreams.at(m_next++ % m_upstreams.size());
        QTcpSocket upstream;
        upstream.connectToHost(to.host, quint16(to.port));
        if (!upstream.waitForConnected(5000)) {
            client->abort();
            delete client;
            return;
        }
        bool cutOnAnswer = false;
        while (!m_stop && client->state() == QAbstractSocket::ConnectedState
               && upstream.state() == QAbstractSocket::ConnectedState) {
            client->waitForReadyRead(5);
            if (client->bytesAvailable() > 0) {
                const QByteArray data = client->readAll();
                const bool commit = data.contains(QByteArray("\x03" "COMMIT"));
                const Cut cut = commit ? m_armed.exchange(None) : None;
                if (cut == BeforeCommit) {
                    ++m_cuts;
                    break;
                }
                cutOnAnswer = cut == AfterAnswer;
                upstream.write(data);
                upstream.flush();
            }
            upstream.waitForReadyRead(5);
            if (upstream.bytesAvailable() > 0) {
                const QByteArray answer = upstream.readAll();
                if (cutOnAnswer) {
                    ++m_cuts;
                    break;
                }
                client->write(answer);
                client->flush();
            }
        }
        upstream.abort();
        client->abort();
        delete client;
    }

    QVector<ServerAddress> m_upstreams;
    int m_next = 0;
    std::atomic<int> m_listenPort{0};
    std::atomic<bool> m_stop{false};
    std::atomic<Cut> m_armed{None};
    std::atomic<int> m_cuts{0};
};

// On a cluster the entries go to the first node and the payments to the others in turn.
bool LoseCommitAnswers(int rounds, bool cluster)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return false;
    SeedBatches(kBatches, 1000000);
    using QuillboxTest::TestServer;
    QVector<ServerAddress> upstreams = {{TestServer::Host(), TestServer::Port()}};
    if (cluster) {
        upstreams = ServerList::Parse(qEnvironmentVariable("QUILLBOX_TEST_DB_SERVERS"), 3306);
        if (upstreams.size() < 3)
            return false;
        upstreams.removeFirst();
    }
    CuttingProxy proxy(upstreams);
    proxy.start();
    proxy.WaitReady();
    int failures = 0, shownPaid = 0;
    {
        QSqlDatabase till = QSqlDatabase::cloneDatabase(CDBManager::Instance().GetSalesDataBase(),
                                                        QStringLiteral("PROXIED_SALES"));
        till.setHostName(QStringLiteral("127.0.0.1"));
        till.setPort(proxy.Port());
        till.setConnectOptions(QStringLiteral("MYSQL_OPT_READ_TIMEOUT=10"));
        if (!till.open())
            ++failures;
        // As the program's own links on a cluster: reads wait for what other nodes committed.
        QSqlQuery wait(till);
        if (cluster && !wait.exec(QStringLiteral("SET SESSION wsrep_sync_wait = 1")))
            ++failures;
        QSet<int> ids;
        for (int round = 0; round < rounds; ++round) {
            if (cluster && round > 0) {
                // The till asked again on the node its manager uses; the next sale starts on
                // the proxied nodes again.
                till.close();
                till.setHostName(QStringLiteral("127.0.0.1"));
                till.setPort(proxy.Port());
                QSqlQuery again(till);
                if (!till.open() || !again.exec(QStringLiteral("SET SESSION wsrep_sync_wait = 1")))
                    ++failures;
            }
            CItemTransactionsModel basket;
            Enter(QStringLiteral("proxied"), basket, round % kBatches, 1, false);
            Enter(QStringLiteral("proxied"), basket, (round + 3) % kBatches, 2, false);
            proxy.Arm(round % 2 ? CuttingProxy::AfterAnswer : CuttingProxy::BeforeCommit);
            int id = 0;
            if (basket.LineCount() == 2 && Pay(till, basket, &id) && id > 0 && !ids.contains(id)) {
                ++shownPaid;
                ids.insert(id);
            } else {
                ++failures;
            }
        }
        till.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("PROXIED_SALES"));
    proxy.Stop();
    QSqlDatabase salesDb = CDBManager::Instance().GetSalesDataBase();
    const qint64 sales = Count(salesDb, QStringLiteral("SELECT COUNT(*) FROM tblSalesTransactions"));
    const qint64 keys = Count(salesDb, QStringLiteral(
        "SELECT COUNT(DISTINCT SALE_KEY) FROM tblSalesTransactions"));
    const qint64 lines = Count(salesDb, QStringLiteral("SELECT COUNT(*) FROM tblSalesInvoice"));
    const qint64 open = Count(CDBManager::Instance().GetInventoryDataBase(),
                              QStringLiteral("SELECT COUNT(*) FROM tblOpenBasketLines"));
    std::fprintf(stderr,
                 "stress: commit answer lost: %d rounds, %d cuts, %d shown paid, %lld sales, %lld "
                 "keys, %lld lines, %lld open lines, %d failures\n",
                 rounds, proxy.Cuts(), shownPaid, sales, keys, lines, open, failures);
    const bool held = proxy.Cuts() == rounds && shownPaid == rounds && sales == rounds
        && keys == rounds && lines == 2 * rounds && open == 0 && failures == 0;
    Row(cluster ? "cluster: commit answer lost" : "commit answer lost", rounds,
        failures + qAbs(sales - rounds), held);
    return held;
}

bool LockStorm(int tills, int seconds)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return false;
    constexpr int kHotStock = 3000;
    SeedBatches(1, kHotStock);
    QTemporaryDir outputs;
    QVector<QProcess *> children;
    for (int till = 0; till < tills; ++till)
        children.append(StartChild({QStringLiteral("child-storm"), schemas.InventoryName(),
                                    schemas.SalesName(), QString::number(till),
                                    QString::number(seconds)},
                                   outputs.filePath(QString::number(till))));
    QVector<qint64> times;
    qint64 ok = 0, stock = 0, lock = 0, other = 0, payFailures = 0;
    int badExits = 0;
    for (int till = 0; till < tills; ++till) {
        QProcess *child = children[till];
        badExits += child->waitForFinished(seconds * 1000 + 120000)
                && child->exitStatus() == QProcess::NormalExit && child->exitCode() == 0
            ? 0
            : 1;
        delete child;
        QFile file(outputs.filePath(QString::number(till)));
        file.open(QIODevice::ReadOnly);
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.value(0) == "F")
                ++payFailures;
            if (f.value(0) != "E")
                continue;
            times << f.value(1).toLongLong();
            const QByteArray kind = f.value(2);
            (kind == "ok" ? ok : kind == "stock" ? stock : kind == "lock" ? lock : other) += 1;
        }
    }
    std::sort(times.begin(), times.end());
    const qint64 p99 = times.isEmpty() ? -1 : times.at(qMin(int(times.size()) - 1,
                                                            int(times.size() * 99 / 100)));
    const qint64 left = Count(CDBManager::Instance().GetInventoryDataBase(),
                              QStringLiteral("SELECT QUANTITY FROM tblInventory"));
    const qint64 oversold = left < 0 ? 1 : qMax<qint64>(0, ok - kHotStock);
    const bool accounted = left == kHotStock - ok;
    std::fprintf(stderr,
                 "stress: lock storm: %d tills for %d s, %lld entries (%lld sold, %lld stock "
                 "refusals, %lld lock refusals, %lld other), p99 %lld ms, %lld left, %lld payments "
                 "failed\n",
                 tills, seconds, qint64(times.size()), ok, stock, lock, other, p99, left,
                 payFailures);
    const bool held = oversold == 0 && accounted && other == 0 && p99 >= 0 && p99 <= 2500
        && badExits == 0;
    Row("lock storm", times.size(), oversold + other + badExits + (accounted ? 0 : 1), held);
    return held;
}

QString Option(const QStringList &args, const QString &name, const QString &fallback)
{
    const int at = args.indexOf(name);
    return at >= 0 ? args.value(at + 1, fallback) : fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    const QStringList args = app.arguments().mid(1);
    if (args.value(0).startsWith(QLatin1String("child-")))
        return RunChild(args);
    // On a cluster the lost answer is this program's scenario; the others need one server.
    if (args.contains(QStringLiteral("--cluster")))
        return LoseCommitAnswers(
                   Option(args, QStringLiteral("--rounds"), QStringLiteral("100")).toInt(), true)
                   ? 0
                   : 1;
    const QString only = Option(args, QStringLiteral("--only"), QString());
    bool held = true;
    if (only.isEmpty() || only == QLatin1String("abandoned"))
        held = AbandonBaskets(Option(args, QStringLiteral("--kills"), QStringLiteral("100")).toInt())
            && held;
    if (only.isEmpty() || only == QLatin1String("commit"))
        held = LoseCommitAnswers(
                   Option(args, QStringLiteral("--rounds"), QStringLiteral("100")).toInt(), false)
            && held;
    if (only.isEmpty() || only == QLatin1String("storm"))
        held = LockStorm(Option(args, QStringLiteral("--tills"), QStringLiteral("8")).toInt(),
                         Option(args, QStringLiteral("--seconds"), QStringLiteral("60")).toInt())
            && held;
    return held ? 0 : 1;
}
