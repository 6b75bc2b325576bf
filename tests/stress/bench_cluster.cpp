// The till on a cluster (scripts/bench --cluster): entries and payments on one node while a
// till on another node sells the same shop, and how long a till takes to move when its node dies.

#include "benchsupport.h"
#include "seeddata.h"
#include "testsupport.h"

#include "dbmanager.h"
#include "itemtransactionsmodel.h"
#include "posstore.h"
#include "serverlist.h"

#include <QApplication>
#include <QProcess>
#include <QThread>

using QuillboxBench::Report;

namespace {

QString Code(int batch) { return QStringLiteral("8800%1").arg(batch, 5, 10, QLatin1Char('0')); }

bool Take(const QString &code, CItemTransactionsModel *basket)
{
    PosStore::ItemRequest request;
    request.barCode = code;
    request.quantity = 1;
    const PosStore::ItemTaken taken
        = PosStore::TakeItem(CDBManager::Instance().GetInventoryDataBase(), request);
    if (!taken.refusal.isEmpty())
        return false;
    basket->AppendLine(taken.name, QStringLiteral("1"), QStringLiteral("0"), taken.salePrice,
                       taken.purchasePrice, taken.amounts);
    return true;
}

bool Pay(const CItemTransactionsModel &basket)
{
    int id = 0;
    QString failure;
    return PosStore::RecordSale(CDBManager::Instance().GetSalesDataBase(),
                                {QStringLiteral("bench"), QStringLiteral("NOT SELECTED"),
                                 basket.GrandTotal(), QStringLiteral("1000000"), QStringLiteral("0"), {}, {}},
                                basket, &id, &failure);
}

bool Shell(const char *variable, int node)
{
    return QProcess::execute(QStringLiteral("bash"), {QStringLiteral("-c"), qEnvironmentVariable(variable),
                                                      QString::number(node)})
        == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    const QVector<ServerAddress> nodes
        = ServerList::Parse(qEnvironmentVariable("QUILLBOX_TEST_DB_SERVERS"), 3306);
    if (nodes.size() < 3) {
        std::fprintf(stderr, "bench_cluster: no cluster (run scripts/bench --cluster)\n");
        return 0;
    }
    QuillboxTest::ResetState();
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return 1;
    using namespace QuillboxTest::Seed;
    const int category = AddCategory(QStringLiteral("Bench"));
    const int vendor = AddVendor(QStringLiteral("Bench vendor"));
    for (int batch = 0; batch < 1100; ++batch) {
        const int product = AddProduct(category, QStringLiteral("B%1").arg(batch));
        AddBatch(product, vendor, Code(batch), 1000000);
    }
    // The racing till's own twenty batches, as its child mode knows them.
    for (int batch = 0; batch < 20; ++batch) {
        const int product = AddProduct(category, QStringLiteral("S%1").arg(batch));
        AddBatch(product, vendor, QStringLiteral("7700%1").arg(batch, 4, 10, QLatin1Char('0')), 1000000);
    }

    // Another till sells on node 2 all along.
    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLBOX_TEST_DB_PORT"), QString::number(nodes.at(1).port));
    other.setProcessEnvironment(environment);
    other.setStandardOutputFile(QProcess::nullDevice());
    other.start(QCoreApplication::applicationDirPath() + QStringLiteral("/stress_tills"),
                {QStringLiteral("child-race"), schemas.InventoryName(), schemas.SalesName(),
                 QStringLiteral("7"), QStringLiteral("100000000"), QString()});
    other.waitForStarted();

    int next = 0;
    QVector<double> scans;
    for (int basket = 0; basket < 10; ++basket) {
        CItemTransactionsModel lines;
        for (int line = 0; line < 50; ++line) {
            QElapsedTimer timer;
            timer.start();
            if (!Take(Code(next++), &lines))
                qFatal("scan refused");
            scans.append(timer.nsecsElapsed() / 1.0e6);
        }
        Pay(lines);
    }
    Report(QStringLiteral("cluster: scan to line (till on node 1, another on node 2)"),
           QStringLiteral("p95 <= 20 ms"), scans);

    QVector<double> pays;
    for (int basket = 0; basket < 11; ++basket) {
        CItemTransactionsModel lines;
        for (int line = 0; line < 50; ++line)
            Take(Code(next++), &lines);
        QElapsedTimer timer;
        timer.start();
        if (!Pay(lines))
            qFatal("payment failed");
        if (basket > 0)
            pays.append(timer.nsecsElapsed() / 1.0e6);
    }
    Report(QStringLiteral("cluster: pay a 50-line basket"), QStringLiteral("<= 30 ms"), pays);

    // The till starts on node 3; node 3 dies; the time until its next entry is written.
    QVector<double> moves;
    const int rounds = qEnvironmentVariableIntValue("QUILLBOX_BENCH_FAILOVERS") > 0
        ? qEnvironmentVariableIntValue("QUILLBOX_BENCH_FAILOVERS")
        : 3;
    for (int round = 0; round < rounds; ++round) {
        CDBManager::Reset();
        QuillboxTest::TestServer::Apply();
        CDBManager::Instance().SetServerParameters(QuillboxTest::TestServer::User(),
                                                   QuillboxTest::TestServer::Password(),
                                                   nodes.at(2).port, nodes.at(2).host);
        CItemTransactionsModel lines;
        if (!Take(Code(next++), &lines) || !Shell("QUILLBOX_TEST_NODE_KILL", 3))
            qFatal("node 3 not in use or not killed");
        QElapsedTimer timer;
        timer.start();
        bool moved = false;
        while (!moved && timer.elapsed() < 60000)
            moved = Take(Code(next++), &lines);
        if (!moved)
            qFatal("the till did not move");
        moves.append(timer.nsecsElapsed() / 1.0e6);
        if (!Shell("QUILLBOX_TEST_NODE_START", 3))
            qFatal("node 3 did not rejoin");
    }
    Report(QStringLiteral("cluster: failover of a till to another node"), QStringLiteral("<= 5000 ms"),
           moves);
    other.kill();
    other.waitForFinished(10000);
    return 0;
}
