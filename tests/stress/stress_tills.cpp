// Tills racing on the same batches and tills killed mid-sale, through the till's own entry and
// payment code. Prints one STRESS row per scenario; a child till is this program again.

#include "tillstress.h"
#include "testsupport.h"

#include "appsettings.h"
#include "databasedump.h"
#include "dbmanager.h"
#include "demoshop.h"
#include "itemtransactionsmodel.h"
#include "posstore.h"
#include "salerules.h"
#include "seeddata.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QHash>
#include <QSet>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>

#include <csignal>
#include <cstdio>

namespace TillStress {

QString BarCode(int batch) { return QStringLiteral("7700%1").arg(batch, 4, 10, QLatin1Char('0')); }

void Row(const char *scenario, qint64 operations, qint64 failures, bool held)
{
    std::printf("STRESS\t%s\t%lld\t%lld\t%s\n", scenario, static_cast<long long>(operations),
                static_cast<long long>(failures), held ? "yes" : "no");
    std::fflush(stdout);
}

bool IsStockRefusal(const QString &refusal)
{
    return refusal == QLatin1String(SaleRules::Message::OutOfStock)
        || refusal.startsWith(SaleRules::NotAvailableMessage(0, 0).left(30));
}

void UseSchemas(const QString &inventory, const QString &sales)
{
    QuillboxTest::TestServer::Apply();
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("ACTIVE_INVENTORY_DB"), inventory);
    settings->setValue(QStringLiteral("ACTIVE_SALES_DB"), sales);
}

// One till: sells (or keeps selling) and writes what it did to stdout, one line per event:
// "T <batch> <net units out>" per written entry, "R" per stock refusal, "X <batch> <units>
// <text>" per other refusal, "S <transaction> <lines>" per recorded sale, "F <text>" per failed
// payment. It asks the manager for its links at every step, as the sale screen does, so a lost
// server is noticed and left where there are others.
int RunTill(const QStringList &args)
{
    UseSchemas(args.value(1), args.value(2));
    const bool killedMode = args.value(0) == QLatin1String("child-kill");
    const bool returns = args.value(0) == QLatin1String("child-race");
    QStringList codes;
    for (int batch = 0; batch < kBatches; ++batch)
        codes << BarCode(batch);
    if (!args.value(5).isEmpty()) {
        QFile list(args.value(5));
        if (!list.open(QIODevice::ReadOnly) || (codes = QString::fromUtf8(list.readAll())
                                                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                                                       .size() != kBatches)
            return 3;
    }
    // A message box ("Can not connect" while no server answers) is closed as a cashier would,
    // and the till goes on.
    QuillboxTest::DialogDriver cashier;
    QRandomGenerator random(args.value(3).toUInt());
    const int sales = args.value(4).toInt();
    CDBManager &manager = CDBManager::Instance();
    QTextStream out(stdout);
    for (int sale = 0; killedMode || sale < sales; ++sale) {
        CItemTransactionsModel basket;
        const int lines = killedMode ? 5 : 1 + random.bounded(5);
        for (int line = 0; line < lines; ++line) {
            PosStore::ItemRequest request;
            const int batch = random.bounded(kBatches);
            request.barCode = codes.at(batch);
            request.quantity = 1 + random.bounded(3);
            request.returnMode = returns && random.bounded(10) == 0;
            const PosStore::ItemTaken taken = PosStore::TakeItem(manager.GetInventoryDataBase(), request);
            if (!taken.refusal.isEmpty()) {
                if (IsStockRefusal(taken.refusal))
                    out << "R\n";
                else
                    out << "X " << batch << ' '
                        << (request.returnMode ? -request.quantity : request.quantity) << ' '
                        << taken.refusal << '\n';
                continue;
            }
            out << "T " << batch << ' '
                << (request.returnMode ? -request.quantity : request.quantity) << '\n';
            basket.AppendLine(taken.name, QString::number(request.quantity), QStringLiteral("0"),
                              taken.salePrice, taken.purchasePrice, taken.amounts);
        }
        if (basket.LineCount() != lines && killedMode)
            return 2; // stock is plentiful here: a short basket is a fault of its own
        if (basket.LineCount() == 0)
            continue;
        PosStore::SaleHeader header;
        header.user = QStringLiteral("stress");
        header.customer = QStringLiteral("NOT SELECTED");
        header.grandTotal = basket.GrandTotal();
        header.paid = QString::number(basket.GrandTotal(), 'f', 2);
        header.change = QStringLiteral("0");
        int id = 0;
        QString failure;
        if (PosStore::RecordSale(manager.GetSalesDataBase(), header, basket, &id, &failure))
            out << "S " << id << ' ' << basket.LineCount() << '\n';
        else
            out << "F " << failure << '\n';
        out.flush();
    }
    if (!cashier.Seen().isEmpty())
        std::fprintf(stderr, "till: %d message box(es) closed: %s\n", int(cashier.Seen().size()),
                     qPrintable(cashier.Errors().join(QLatin1String("; "))));
    return 0;
}

// A till's events go to a file: a full pipe would stall it and serialise the race.
QProcess *StartTill(const QString &mode, const QuillboxTest::FreshDatabases &schemas, int seed,
                    int sales, const QString &output, const QString &barCodes, int port)
{
    auto *process = new QProcess;
    if (port > 0) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUILLBOX_TEST_DB_PORT"), QString::number(port));
        process->setProcessEnvironment(environment);
    }
    process->setStandardOutputFile(output);
    // Beside a file of events, what the till logged, for a till that did not end well.
    process->setStandardErrorFile(output == QProcess::nullDevice() ? output : output + QStringLiteral(".log"));
    process->start(QCoreApplication::applicationFilePath(),
                   {mode, schemas.InventoryName(), schemas.SalesName(), QString::number(seed),
                    QString::number(sales), barCodes});
    return process;
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SeedBatches(int stock)
{
    using namespace QuillboxTest::Seed;
    const int category = AddCategory(QStringLiteral("Stress"));
    const int vendor = AddVendor(QStringLiteral("Stress vendor"));
    for (int batch = 0; batch < kBatches; ++batch) {
        const int product = AddProduct(category, QStringLiteral("S%1").arg(batch),
                                       QStringLiteral("Stress item %1").arg(batch));
        AddBatch(product, vendor, BarCode(batch), stock);
    }
}

// Stock of the sold batches, by their bar codes (the seeded ones unless others are given).
QVector<int> StockNow(QStringList codes)
{
    const bool seeded = codes.isEmpty();
    for (int batch = 0; seeded && batch < kBatches; ++batch)
        codes << BarCode(batch);
    QVector<int> stock(kBatches, -1);
    QSqlQuery query(CDBManager::Instance().GetInventoryDataBase());
    query.prepare(QStringLiteral("SELECT QUANTITY FROM tblInventory WHERE BAR_CODE = ?"));
    for (int batch = 0; batch < kBatches; ++batch) {
        query.bindValue(0, codes.value(batch));
        if (query.exec() && query.next())
            stock[batch] = query.value(0).toInt();
    }
    return stock;
}

// Stored sales of this run against what the tills reported: every sale there with all its lines,
// no line without its sale. Returns the number of mismatches.
int CheckSales(const QHash<int, int> &reported, bool exactlyFive)
{
    int mismatches = 0;
    QHash<int, int> stored;
    QSqlQuery query(CDBManager::Instance().GetSalesDataBase());
    query.exec(QStringLiteral("SELECT t.ID, COUNT(i.TRANSACTION_ID) FROM tblSalesTransactions t "
                              "LEFT JOIN tblSalesInvoice i ON i.TRANSACTION_ID = t.ID GROUP BY t.ID"));
    while (query.next())
        stored.insert(query.value(0).toInt(), query.value(1).toInt());
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (exactlyFive ? it.value() != 5 : reported.value(it.key(), -1) != it.value())
            ++mismatches;
    }
    for (auto it = reported.cbegin(); it != reported.cend(); ++it)
        mismatches += stored.contains(it.key()) ? 0 : 1;
    query.exec(QStringLiteral("SELECT COUNT(*) FROM tblSalesInvoice i WHERE NOT EXISTS (SELECT 1 "
                              "FROM tblSalesTransactions t WHERE t.ID = i.TRANSACTION_ID)"));
    if (!query.next())
        return mismatches + 1;
    return mismatches + query.value(0).toInt();
}


bool RaceTills(int tills, int salesEach)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return false;
    SeedBatches(kStartStock);
    QTemporaryDir outputs;
    QVector<QProcess *> children;
    for (int till = 0; till < tills; ++till)
        children.append(StartTill(QStringLiteral("child-race"), schemas, 1000 + till, salesEach,
                                  outputs.filePath(QString::number(till))));
    Tally tally;
    bool exitedCleanly = true;
    for (int till = 0; till < tills; ++till) {
        QProcess *child = children[till];
        exitedCleanly = child->waitForFinished(600000) && child->exitStatus() == QProcess::NormalExit
            && child->exitCode() == 0 && exitedCleanly;
        tally.Read(ReadFile(outputs.filePath(QString::number(till))));
        delete child;
    }
    const QVector<int> stock = StockNow();
    int stockMismatches = 0;
    for (int batch = 0; batch < kBatches; ++batch) {
        if (stock[batch] < 0 || kStartStock - tally.out[batch] != stock[batch])
            ++stockMismatches;
    }
    const int saleMismatches = CheckSales(tally.sales, false);
    const bool held = exitedCleanly && stockMismatches == 0 && saleMismatches == 0
        && tally.otherRefusals == 0 && tally.paymentFailures == 0
        && tally.sales.size() <= tills * salesEach;
    std::fprintf(stderr,
                 "stress: race: %d tills, %d sales recorded, %lld entries written, %lld refused for "
                 "stock, %lld refused otherwise, %lld payments failed, %d batches off, %d sales "
                 "off\n",
                 tills, int(tally.sales.size()), tally.entries, tally.stockRefusals,
                 tally.otherRefusals, tally.paymentFailures, stockMismatches, saleMismatches);
    Row("tills racing", tally.entries + tally.stockRefusals + tally.otherRefusals
            + tally.sales.size() + tally.paymentFailures,
        tally.otherRefusals + tally.paymentFailures + stockMismatches + saleMismatches, held);
    return held;
}

bool KillTills(int kills)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return false;
    SeedBatches(1000000);
    QRandomGenerator random(42);
    int badExits = 0;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess *child = StartTill(QStringLiteral("child-kill"), schemas, kill, 0);
        child->waitForStarted();
        // Past the start-up most of the time, so the kill lands inside entries and payments.
        QThread::msleep(150 + random.bounded(400));
        ::kill(static_cast<pid_t>(child->processId()), SIGKILL);
        child->waitForFinished(10000);
        if (child->exitStatus() != QProcess::CrashExit)
            ++badExits; // ended by itself: a fault before the kill
        delete child;
    }
    const int mismatches = CheckSales({}, true);
    QSqlQuery count(CDBManager::Instance().GetSalesDataBase());
    const qint64 stored = count.exec(QStringLiteral("SELECT COUNT(*) FROM tblSalesTransactions"))
            && count.next()
        ? count.value(0).toLongLong()
        : 0;
    std::fprintf(stderr, "stress: killed: %d kills, %lld sales stored, %d sales off, %d early exits\n",
                 kills, stored, mismatches, badExits);
    const bool held = mismatches == 0 && badExits == 0 && stored > 0;
    Row("killed mid-sale", kills, mismatches + badExits, held);
    return held;
}

bool RunShell(const char *variable)
{
    const QString command = qEnvironmentVariable(variable);
    return !command.isEmpty()
        && QProcess::execute(QStringLiteral("bash"), {QStringLiteral("-c"), command}) == 0;
}

// One till sells, loses its server in the middle of a sale, tries an entry and the payment,
// and pays the same basket once the server is back, without a restart.
bool LoseServer()
{
    if (qEnvironmentVariableIsEmpty("QUILLBOX_TEST_DB_START")) {
        std::fprintf(stderr, "stress: server: no restart command, skipped\n");
        return true;
    }
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return false;
    SeedBatches(100);
    CDBManager &manager = CDBManager::Instance();
    const auto entry = [&manager](int batch) {
        PosStore::ItemRequest request;
        request.barCode = BarCode(batch);
        request.quantity = 1;
        return PosStore::TakeItem(manager.GetInventoryDataBase(), request);
    };
    const auto pay = [&manager](const CItemTransactionsModel &basket, QString *failure) {
        int id = 0;
        return PosStore::RecordSale(manager.GetSalesDataBase(),
                                    {QStringLiteral("stress"), QStringLiteral("NOT SELECTED"),
                                     basket.GrandTotal(), QStringLiteral("100"),
                                     QStringLiteral("0"), QString(), QString()},
                                    basket, &id, failure);
    };
    int failures = 0;
    const auto add = [&failures](CItemTransactionsModel &basket, const PosStore::ItemTaken &taken) {
        if (!taken.refusal.isEmpty()) {
            ++failures;
            return;
        }
        basket.AppendLine(taken.name, QStringLiteral("1"), QStringLiteral("0"), taken.salePrice,
                          taken.purchasePrice, taken.amounts);
    };
    QString failure;
    CItemTransactionsModel first;
    add(first, entry(0));
    failures += pay(first, &failure) ? 0 : 1;
    CItemTransactionsModel second;
    add(second, entry(1));

    failures += RunShell("QUILLBOX_TEST_DB_STOP") ? 0 : 1;
    // While it is down the till says so; the message box is answered like a cashier would.
    QuillboxTest::DialogDriver dialogs;
    dialogs.Expect(QStringLiteral("Error"), QStringLiteral("Can not connect"));
    dialogs.Expect(QStringLiteral("Error"), QStringLiteral("Can not connect"));
    QElapsedTimer clock;
    clock.start();
    const bool entryRefused = !entry(2).refusal.isEmpty();
    const qint64 entryMs = clock.restart();
    const bool paymentRefused = !pay(second, &failure);
    const qint64 paymentMs = clock.elapsed();
    const bool told = dialogs.WaitForAll(1000);
    failures += RunShell("QUILLBOX_TEST_DB_START") ? 0 : 1;

    // Back: the same till pays the basket it kept and sells on.
    const bool paidAfter = pay(second, &failure);
    CItemTransactionsModel third;
    add(third, entry(2));
    const bool soldAfter = third.LineCount() == 1 && pay(third, &failure);

    QSqlQuery query(manager.GetSalesDataBase());
    const int sales = query.exec(QStringLiteral("SELECT COUNT(*) FROM tblSalesTransactions"))
            && query.next()
        ? query.value(0).toInt()
        : -1;
    const QVector<int> stock = StockNow();
    QSqlQuery lines(manager.GetSalesDataBase());
    const bool oneLineEach = lines.exec(QStringLiteral(
                                 "SELECT COUNT(*) FROM tblSalesInvoice"))
        && lines.next() && lines.value(0).toInt() == 3;
    const bool held = entryRefused && paymentRefused && entryMs < 5000 && paymentMs < 5000 && told
        && paidAfter && soldAfter && sales == 3 && oneLineEach && stock.value(0) == 99
        && stock.value(1) == 99 && stock.value(2) == 99 && failures == 0;
    std::fprintf(stderr,
                 "stress: server: entry refused in %lld ms, payment refused in %lld ms, told %d, paid "
                 "after %d, sold after %d, %d sales stored, stock %d/%d/%d, %d other faults\n",
                 entryMs, paymentMs, told, paidAfter, soldAfter, sales, stock.value(0),
                 stock.value(1), stock.value(2), failures);
    Row("server lost and back", 6, held ? 0 : 1, held);
    return held;
}

// What one till did, basket by basket, in the order it committed: the entries (batch, units)
// and the sale that recorded them (0 while unpaid).
struct Basket {
    QVector<QPair<int, int>> entries;
    int sale = 0;
};

QVector<Basket> ReadBaskets(const QByteArray &output)
{
    QVector<Basket> baskets(1);
    for (const QByteArray &line : output.split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.value(0) == "T") {
            baskets.last().entries.append({f.value(1).toInt(), f.value(2).toInt()});
        } else if (f.value(0) == "S" || f.value(0) == "F") {
            baskets.last().sale = f.value(0) == "S" ? f.value(1).toInt() : -1;
            baskets.append(Basket());
        }
    }
    return baskets;
}

// Twenty batches of the shop that the tills may sell, each product's name once (a sale line
// names its product, not its batch), restocked so that selling never runs dry.
QStringList PickBatches(QStringList *names)
{
    QSqlDatabase db = CDBManager::Instance().GetInventoryDataBase();
    QSqlQuery query(db);
    query.exec(QStringLiteral(
        "SELECT i.ID, i.BAR_CODE, p.NAME, (SELECT COUNT(*) FROM tblInventory o WHERE o.BAR_CODE = "
        "i.BAR_CODE) FROM tblInventory i JOIN tblProducts p ON p.ID = i.PRODUCT_ID WHERE "
        "i.EXPIRY_DATE > CURDATE() + INTERVAL 1 YEAR ORDER BY i.ID LIMIT 400"));
    QStringList codes;
    QVector<int> ids;
    while (query.next() && codes.size() < kBatches) {
        const QString name = query.value(2).toString().left(50);
        if (query.value(3).toInt() != 1 || names->contains(name))
            continue;
        ids << query.value(0).toInt();
        codes << query.value(1).toString();
        *names << name;
    }
    QSqlQuery restock(db);
    restock.prepare(QStringLiteral("UPDATE tblInventory SET QUANTITY = 1000000 WHERE ID = ?"));
    for (int id : ids) {
        restock.bindValue(0, id);
        restock.exec();
    }
    return codes;
}

// Checks a restored copy against the tills' own accounts: it must be the shop at one moment.
// Each till's recorded sales in the copy are the first of its sales; the stock that left each
// batch is what those sales sold, plus the first entries of the basket each till was filling
// then; the lines of a sale are all there and sell what the till scanned. Returns the faults.
int CheckSnapshot(const QVector<QVector<Basket>> &tills, const QStringList &codes,
                  const QStringList &names,
                  const QHash<int, int> &stockBefore, int lastSaleBefore, int salesBefore,
                  qint64 *salesInCopy)
{
    QSqlDatabase salesDb = CDBManager::Instance().GetSalesDataBase();
    int faults = 0;
    QHash<int, int> lines;
    QHash<QString, qint64> soldByName;
    QSqlQuery query(salesDb);
    query.prepare(QStringLiteral("SELECT TRANSACTION_ID, PRODUCT_NAME, QUANTITY FROM tblSalesInvoice "
                                 "WHERE TRANSACTION_ID > ?"));
    query.addBindValue(lastSaleBefore);
    query.exec();
    while (query.next()) {
        lines[query.value(0).toInt()] += 1;
        soldByName[query.value(1).toString()] += query.value(2).toLongLong();
    }
    QSet<int> inCopy;
    query.prepare(QStringLiteral("SELECT ID FROM tblSalesTransactions WHERE ID > ?"));
    query.addBindValue(lastSaleBefore);
    query.exec();
    while (query.next())
        inCopy.insert(query.value(0).toInt());
    *salesInCopy = inCopy.size();
    // The shop's history is whole, every sale has lines and no line lost its sale.
    query.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM tblSalesTransactions t WHERE NOT EXISTS "
                              "(SELECT 1 FROM tblSalesInvoice i WHERE i.TRANSACTION_ID = t.ID)) + "
                              "(SELECT COUNT(*) FROM tblSalesInvoice i WHERE NOT EXISTS (SELECT 1 FROM "
                              "tblSalesTransactions t WHERE t.ID = i.TRANSACTION_ID))"));
    faults += query.next() ? query.value(0).toInt() : 1;
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM tblSalesTransactions WHERE ID <= ?"));
    query.addBindValue(lastSaleBefore);
    faults += query.exec() && query.next() && query.value(0).toInt() == salesBefore ? 0 : 1;

    QVector<qint64> out(kBatches, 0);
    QHash<QString, qint64> scanned;
    QVector<const Basket *> filling;
    int found = 0;
    for (const QVector<Basket> &baskets : tills) {
        int at = 0;
        for (; at < baskets.size() && baskets[at].sale > 0 && inCopy.contains(baskets[at].sale); ++at) {
            const Basket &basket = baskets[at];
            ++found;
            faults += lines.value(basket.sale) == basket.entries.size() ? 0 : 1;
            for (const auto &entry : basket.entries) {
                out[entry.first] += entry.second;
                scanned[names.at(entry.first)] += entry.second;
            }
        }
        filling.append(at < baskets.size() ? &baskets[at] : nullptr);
        // A later sale in the copy without this one would be a hole in the snapshot.
        for (++at; at < baskets.size(); ++at)
            faults += inCopy.contains(baskets[at].sale) ? 1 : 0;
    }
    faults += found == inCopy.size() ? 0 : 1; // no sale nobody made
    faults += scanned == soldByName ? 0 : 1;

    const QVector<int> stock = StockNow(codes);
    // Somewhere in the two baskets being filled lies the moment of the copy.
    const int firstMax = filling.value(0) ? filling[0]->entries.size() : 0;
    const int secondMax = filling.value(1) ? filling[1]->entries.size() : 0;
    bool cut = false;
    for (int first = 0; first <= firstMax && !cut; ++first) {
        for (int second = 0; second <= secondMax && !cut; ++second) {
            QVector<qint64> expected = out;
            for (int n = 0; n < first; ++n)
                expected[filling[0]->entries[n].first] += filling[0]->entries[n].second;
            for (int n = 0; n < second; ++n)
                expected[filling[1]->entries[n].first] += filling[1]->entries[n].second;
            cut = true;
            for (int batch = 0; batch < kBatches; ++batch)
                cut = cut && stock[batch] == stockBefore.value(batch) - expected[batch];
        }
    }
    return faults + (cut ? 0 : 1);
}

// Two tills sell in the large demo shop while the backup's own code dumps it; the dump is
// restored into fresh schemas and must be the shop at one moment.
bool BackUpWhileSelling(const QString &shop)
{
    QuillboxTest::FreshDatabases schemas;
    if (!schemas.IsValid())
        return false;
    DemoShop::Scale scale;
    DemoShop::ScaleByName(shop, &scale);
    QString error;
    QElapsedTimer clock;
    clock.start();
    if (!DemoShop::Fill(CDBManager::Instance().GetInventoryDataBase(), schemas.InventoryName(),
                        schemas.SalesName(), scale, QDate::currentDate(), {}, &error)) {
        std::fprintf(stderr, "stress: backup: the demo shop could not be filled: %s\n",
                     qPrintable(error));
        Row("backup while selling", 0, 1, false);
        return false;
    }
    const qint64 fillMs = clock.restart();
    QTemporaryDir work;
    QStringList names;
    const QStringList codes = PickBatches(&names);
    QFile list(work.filePath(QStringLiteral("codes")));
    const bool listed = codes.size() == kBatches && list.open(QIODevice::WriteOnly)
        && list.write(codes.join(QLatin1Char('\n')).toUtf8()) > 0;
    list.close();
    QHash<int, int> stockBefore;
    const QVector<int> before = StockNow(codes);
    for (int batch = 0; batch < kBatches; ++batch)
        stockBefore.insert(batch, before.value(batch));
    QSqlQuery query(CDBManager::Instance().GetSalesDataBase());
    query.exec(QStringLiteral("SELECT COALESCE(MAX(ID), 0), COUNT(*) FROM tblSalesTransactions"));
    const int lastSaleBefore = query.next() ? query.value(0).toInt() : -1;
    const int salesBefore = query.value(1).toInt();

    QVector<QProcess *> children;
    for (int till = 0; till < 2 && listed; ++till)
        children.append(StartTill(QStringLiteral("child-sell"), schemas, 2000 + till, 100000000,
                                  work.filePath(QStringLiteral("till%1").arg(till)), list.fileName()));
    QThread::msleep(3000); // the tills are selling when the backup starts

    using QuillboxTest::TestServer;
    const DatabaseDump::Account account{TestServer::Host(), TestServer::Port(), TestServer::User(),
                                        TestServer::Password()};
    QVector<DatabaseDump::Job> jobs(2);
    jobs[0].schema = schemas.InventoryName();
    jobs[0].outputPath = work.filePath(QStringLiteral("inventory.sql"));
    jobs[1].schema = schemas.SalesName();
    jobs[1].outputPath = work.filePath(QStringLiteral("sales.sql"));
    clock.restart();
    const bool dumped = listed && DatabaseDump::Run(DatabaseDump::DefaultTool(), account, jobs);
    const qint64 dumpMs = clock.restart();
    QThread::msleep(500);
    bool sold = true;
    for (QProcess *child : children) {
        sold = child->state() == QProcess::Running && sold; // still selling: nothing broke
        ::kill(static_cast<pid_t>(child->processId()), SIGKILL);
        child->waitForFinished(10000);
        delete child;
    }
    QVector<QVector<Basket>> tills;
    Tally tally;
    for (int till = 0; till < 2; ++till) {
        const QByteArray output = ReadFile(work.filePath(QStringLiteral("till%1").arg(till)));
        tills.append(ReadBaskets(output));
        tally.Read(output);
    }

    const QString inventory = QuillboxTest::FreshDatabases::UniqueName(QStringLiteral("qbrinv"));
    const QString sales = QuillboxTest::FreshDatabases::UniqueName(QStringLiteral("qbrsal"));
    bool restored = dumped;
    for (const QString &schema : {inventory, sales})
        restored = QuillboxTest::FreshDatabases::ExecAdmin(
                       QString(), QStringLiteral("CREATE DATABASE `%1`").arg(schema))
            && restored;
    restored = restored && QuillboxTest::FreshDatabases::LoadDump(jobs[0].outputPath, inventory)
        && QuillboxTest::FreshDatabases::LoadDump(jobs[1].outputPath, sales);
    const qint64 restoreMs = clock.elapsed();

    // The restored copy is what is read from now on.
    UseSchemas(inventory, sales);
    CDBManager::Reset();
    QuillboxTest::TestServer::Apply();
    qint64 inCopy = 0;
    int faults = restored ? 0 : 1;
    faults += sold ? 0 : 1;
    faults += tally.otherRefusals + tally.paymentFailures;
    if (restored)
        faults += CheckSnapshot(tills, codes, names, stockBefore, lastSaleBefore, salesBefore, &inCopy);
    CDBManager::Reset();
    QuillboxTest::FreshDatabases::DropSchema(inventory);
    QuillboxTest::FreshDatabases::DropSchema(sales);
    std::fprintf(stderr,
                 "stress: backup: %s shop filled in %lld s, dumped in %lld s and restored in %lld "
                 "s; the tills recorded %lld sales, %lld of them in the copy; %d faults\n",
                 qPrintable(shop), fillMs / 1000, dumpMs / 1000, restoreMs / 1000,
                 qint64(tally.sales.size()), inCopy, faults);
    const bool held = faults == 0 && inCopy > 0;
    Row("backup while selling", tally.sales.size(), faults, held);
    return held;
}

QString Option(const QStringList &args, const QString &name, const QString &fallback)
{
    const int at = args.indexOf(name);
    return at >= 0 ? args.value(at + 1, fallback) : fallback;
}

} // namespace TillStress

using namespace TillStress;

int main(int argc, char *argv[])
{
    QuillboxTest::PrepareEnvironment();
    QApplication app(argc, argv);
    QuillboxTest::AfterApplication();
    const QStringList args = app.arguments().mid(1);
    if (args.value(0).startsWith(QLatin1String("child-")))
        return RunTill(args);
    const QString only = Option(args, QStringLiteral("--only"), QString());
    if (args.contains(QStringLiteral("--cluster")))
        return RunClusterScenarios(args) ? 0 : 1;
    bool held = true;
    if (only.isEmpty() || only == QLatin1String("race"))
        held = RaceTills(Option(args, QStringLiteral("--tills"), QStringLiteral("4")).toInt(),
                         Option(args, QStringLiteral("--sales"), QStringLiteral("1000")).toInt())
            && held;
    if (only.isEmpty() || only == QLatin1String("killed"))
        held = KillTills(Option(args, QStringLiteral("--kills"), QStringLiteral("100")).toInt())
            && held;
    if (only.isEmpty() || only == QLatin1String("server"))
        held = LoseServer() && held;
    if (only.isEmpty() || only == QLatin1String("backup"))
        held = BackUpWhileSelling(Option(args, QStringLiteral("--shop"), QStringLiteral("large")))
            && held;
    return held ? 0 : 1;
}
