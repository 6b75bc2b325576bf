#include "reportscript.h"

#include <QElapsedTimer>
#include <QJSEngine>
#include <QJSValue>
#include <QJSValueIterator>

#include <algorithm>

namespace Report {

namespace {

// The Sum function that formulas call, answered from the aggregate records.
class AggregateFunctions final : public QObject
{
    Q_OBJECT
public:
    explicit AggregateFunctions(const Aggregates *aggregates = nullptr) : m_aggregates(aggregates)
    {
    }
    void SetAggregates(const Aggregates *aggregates) { m_aggregates = aggregates; }

    Q_INVOKABLE double Sum(const QJSValue &kind, const QJSValue &name) const
    {
        if (!m_aggregates)
            return 0;
        return m_aggregates->Compute(kind.toInt(), name.toString());
    }

private:
    Q_DISABLE_COPY(AggregateFunctions)
    const Aggregates *m_aggregates;
};

const QString SumName = QStringLiteral("Sum");

// Enumerable properties of the global object: what scripts add by assigning to undeclared names.
QStringList GlobalNames(QJSEngine *engine)
{
    QStringList names;
    QJSValueIterator it(engine->globalObject());
    while (it.hasNext()) {
        it.next();
        names.append(it.name());
    }
    return names;
}

} // namespace

void Aggregates::Clear()
{
    m_records.clear();
}

void Aggregates::Record(const QString &token, double value, int row)
{
    for (const auto &r : qAsConst(m_records)) {
        if (r.row == row && r.token == token)
            return;
    }
    m_records.append({token, value, row});
}

double Aggregates::Compute(int kind, const QString &token) const
{
    double sum = 0;
    int count = 0;
    for (const auto &r : m_records) {
        if (r.token == token) {
            sum += r.value;
            ++count;
        }
    }
    switch (kind) {
    case SumKind:
        return sum;
    case AvgKind:
        return count == 0 ? 0.0 : sum / count;
    case CountKind:
        return count;
    default:
        return 0;
    }
}

ScriptEvaluator::ScriptEvaluator(int timeLimitMs, int budgetMs)
    : m_timeLimitMs(timeLimitMs), m_budgetMs(budgetMs)
{
}

ScriptEvaluator::~ScriptEvaluator()
{
    if (m_watchdog.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_watchdog.join();
    }
}

void ScriptEvaluator::Arm(QJSEngine *engine, std::chrono::milliseconds limit)
{
    if (!m_watchdog.joinable())
        m_watchdog = std::thread([this] { WatchdogLoop(); });
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_armedEngine = engine;
        m_deadline = std::chrono::steady_clock::now() + limit;
    }
    m_wake.notify_all();
}

void ScriptEvaluator::Disarm()
{
    // Once this returns the watchdog no longer touches the engine, which may then be destroyed.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_armedEngine = nullptr;
}

void ScriptEvaluator::WatchdogLoop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        if (!m_armedEngine) {
            m_wake.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() >= m_deadline) {
            // setInterrupted is safe to call from another thread.
            m_armedEngine->setInterrupted(true);
            m_armedEngine = nullptr;
            continue;
        }
        m_wake.wait_until(lock, m_deadline);
    }
}

void ScriptEvaluator::ResetBudget()
{
    m_spentNs = 0;
    DropEngine();
}

void ScriptEvaluator::DropEngine()
{
    m_runner = QJSValue();
    m_sumFunction = QJSValue();
    m_sumInstalled = false;
    m_engine.reset();
    m_functions.reset();
    m_sum = nullptr;
    m_baseGlobals.clear();
}

QJSEngine *ScriptEvaluator::Engine()
{
    if (m_engine)
        return m_engine.get();
    m_engine = std::make_unique<QJSEngine>();
    // An object with a parent stays owned by C++: the engine never collects it.
    m_functions = std::make_unique<QObject>();
    m_sum = new AggregateFunctions;
    m_sum->setParent(m_functions.get());
    // A direct eval inside a function keeps the program's var and function declarations in
    // that call's scope; names assigned without a declaration land on the global object and are
    // removed after each expression.
    m_runner = m_engine->evaluate(
        QStringLiteral("(function (qb_program) { return eval(qb_program); })"));
    m_sumFunction = m_engine->newQObject(m_sum).property(SumName);
    m_sumInstalled = false;
    m_baseGlobals = GlobalNames(m_engine.get());
    return m_engine.get();
}

ScriptEvaluator::Result ScriptEvaluator::Evaluate(const QString &program,
                                                  const Aggregates *aggregates)
{
    const qint64 leftMs = m_budgetMs - m_spentNs / 1000000;
    if (leftMs <= 0) {
        Result spent;
        spent.text = QStringLiteral("Error: Interrupted");
        spent.budgetSpent = true;
        return spent;
    }

    QJSEngine *engine = Engine();
    QJSValue global = engine->globalObject();
    // Sum exists only for expressions that may aggregate, as a fresh engine would have it.
    static_cast<AggregateFunctions *>(m_sum)->SetAggregates(aggregates);
    if (bool(aggregates) != m_sumInstalled) {
        if (aggregates)
            global.setProperty(SumName, m_sumFunction);
        else
            global.deleteProperty(SumName);
        m_sumInstalled = aggregates;
    }
    QElapsedTimer timer;
    timer.start();
    Arm(engine, std::chrono::milliseconds(std::min<qint64>(m_timeLimitMs, leftMs)));
    const QJSValue value = m_runner.call({QJSValue(program)});
    Disarm();
    m_spentNs += timer.nsecsElapsed();

    Result result;
    const bool interrupted = engine->isInterrupted();
    result.text = value.toString();
    result.ok = !value.isError() && !interrupted;
    if (result.ok && !value.isUndefined())
        result.integer = value.toInt();

    if (interrupted) {
        // The next expression gets an engine in a known state.
        DropEngine();
        return result;
    }
    for (const QString &name : GlobalNames(engine)) {
        if (name == SumName)
            continue;
        if (!m_baseGlobals.contains(name))
            global.deleteProperty(name);
    }
    // A script that replaced Sum gets the real one back.
    if (m_sumInstalled && !global.property(SumName).strictlyEquals(m_sumFunction))
        global.setProperty(SumName, m_sumFunction);
    return result;
}

} // namespace Report

#include "reportscript.moc"
