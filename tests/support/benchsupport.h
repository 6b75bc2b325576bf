#pragma once

// Shared by the bench_* programs: each measure is printed as one tab-separated line that
// scripts/bench gathers into its table. Times are in milliseconds.

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <QVector>

#include <algorithm>
#include <functional>

namespace QuillboxBench {

// p in [0, 1]: the nearest-rank percentile of the samples.
inline double Percentile(QVector<double> samples, double p)
{
    if (samples.isEmpty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const int rank = std::clamp(int(p * samples.size() + 0.999999) - 1, 0, int(samples.size()) - 1);
    return samples.at(rank);
}

// Prints "BENCH <measure> <target> <median> <p95>"; the target is free text such as "<= 20 ms".
// The unit defaults to milliseconds; a memory row passes "MB".
inline void Report(const QString &measure, const QString &target, const QVector<double> &samples,
                   const QString &unit = QStringLiteral("ms"))
{
    QTextStream out(stdout);
    out << "BENCH\t" << measure << '\t' << target << '\t'
        << QString::number(Percentile(samples, 0.5), 'f', 2) << ' ' << unit << '\t'
        << QString::number(Percentile(samples, 0.95), 'f', 2) << ' ' << unit << '\n';
    out.flush();
}

// Runs fn `runs` times (after one warm-up call unless warmUp is false) and returns the times.
inline QVector<double> Time(int runs, const std::function<void()> &fn, bool warmUp = true)
{
    if (warmUp)
        fn();
    QVector<double> samples;
    samples.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        samples.append(timer.nsecsElapsed() / 1.0e6);
    }
    return samples;
}

} // namespace QuillboxBench
