#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class QJSEngine;

// ECMAScript evaluation for template formulas and conditions, and the aggregate values that
// the formulas' Sum, Avg and Count read.

namespace Report {

// Numbers a data band's parameters took, one record per parameter token and row.
class Aggregates final
{
public:
    enum Kind { SumKind = 0, AvgKind = 1, CountKind = 2 };

    void Clear();
    // Keeps the first value recorded for a token and row; later ones are ignored.
    void Record(const QString &token, double value, int row);
    double Compute(int kind, const QString &token) const;
    int Size() const { return m_records.size(); }

private:
    struct Entry
    {
        QString token;
        double value;
        int row;
    };
    QVector<Entry> m_records;
};

// Runs the expressions of one render run in one engine (starting an engine costs far more than
// a formula, and a document may hold thousands), each in a scope of its own so that nothing one
// expression defines leaks into the next. Interrupts any expression that runs longer than the
// time limit. The running time of all expressions together is bounded too: a template that
// repeats an endless formula on every row must not hold the program for rows × limit.
class ScriptEvaluator final
{
public:
    static constexpr int DefaultTimeLimitMs = 250;
    static constexpr int DefaultBudgetMs = 2000;

    struct Result
    {
        bool ok = false;
        QString text;    // the value as text, or the error's text
        int integer = 0; // the value as an integer; 0 on failure
        bool budgetSpent = false; // not run at all: the run's time budget was used up
    };

    explicit ScriptEvaluator(int timeLimitMs = DefaultTimeLimitMs, int budgetMs = DefaultBudgetMs);
    ~ScriptEvaluator();

    // With aggregates the global function Sum(kind, name) is available to the expression.
    Result Evaluate(const QString &program, const Aggregates *aggregates = nullptr);

    int TimeLimitMs() const { return m_timeLimitMs; }
    // Starts a new run: the whole budget again and a fresh engine.
    void ResetBudget();

private:
    Q_DISABLE_COPY(ScriptEvaluator)

    void Arm(QJSEngine *engine, std::chrono::milliseconds limit);
    void Disarm();
    void WatchdogLoop();
    QJSEngine *Engine();
    void DropEngine();

    const int m_timeLimitMs;
    const int m_budgetMs;
    qint64 m_spentNs = 0;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    QJSEngine *m_armedEngine = nullptr; // guarded by m_mutex
    std::chrono::steady_clock::time_point m_deadline;
    bool m_stopping = false;
    std::thread m_watchdog; // started on first use

    // The run's engine, made on first use; the helper object answers Sum.
    std::unique_ptr<QJSEngine> m_engine;
    std::unique_ptr<QObject> m_functions;
    QObject *m_sum = nullptr; // child of m_functions
    QJSValue m_runner; // released before the engine
    QJSValue m_sumFunction;
    bool m_sumInstalled = false;
    QStringList m_baseGlobals;
};

} // namespace Report
