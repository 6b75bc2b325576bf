#pragma once
// What the till scenarios share: the seeded batches, child tills and the tally of their events.

#include <QByteArray>
#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVector>

namespace QuillboxTest {
class FreshDatabases;
}

namespace TillStress {

constexpr int kBatches = 20;
constexpr int kStartStock = 300;

QString BarCode(int batch);
void Row(const char *scenario, qint64 operations, qint64 failures, bool held);
bool IsStockRefusal(const QString &refusal);
void SeedBatches(int stock);
// Stock of the sold batches, by their bar codes (the seeded ones unless others are given).
QVector<int> StockNow(QStringList codes = {});
// Stored sales against what the tills reported; returns the number of mismatches.
int CheckSales(const QHash<int, int> &reported, bool exactlyFive);
// A child till of this program; port, when given, is the server it starts on.
QProcess *StartTill(const QString &mode, const QuillboxTest::FreshDatabases &schemas, int seed,
                    int sales, const QString &output = QProcess::nullDevice(),
                    const QString &barCodes = QString(), int port = 0);
QByteArray ReadFile(const QString &path);
bool RunShell(const char *variable);
QString Option(const QStringList &args, const QString &name, const QString &fallback);

// An entry or payment whose outcome the till never heard: the server may have kept it or not.
struct Unknown {
    int batch = 0;
    int units = 0;
};

struct Tally {
    QVector<qint64> out = QVector<qint64>(kBatches, 0);
    QHash<int, int> sales;
    QVector<Unknown> unknownEntries;
    qint64 entries = 0, stockRefusals = 0, otherRefusals = 0, paymentFailures = 0;
    void Read(const QByteArray &output)
    {
        for (const QByteArray &line : output.split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.value(0) == "T") {
                out[f.value(1).toInt()] += f.value(2).toInt();
                ++entries;
            } else if (f.value(0) == "R") {
                ++stockRefusals;
            } else if (f.value(0) == "X") {
                ++otherRefusals;
                unknownEntries.append({f.value(1).toInt(), f.value(2).toInt()});
            } else if (f.value(0) == "S") {
                sales.insert(f.value(1).toInt(), f.value(2).toInt());
            } else if (f.value(0) == "F") {
                ++paymentFailures;
            }
        }
    }
};

// Tills spread over the nodes of a cluster ("--cluster"); true when every row held.
bool RunClusterScenarios(const QStringList &args);

} // namespace TillStress
