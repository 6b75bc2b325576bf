#include "reportexpander.h"

#include "reportscript.h"

#include <cmath>

namespace Report {

namespace {

QString DateText(const QDateTime &now)
{
    return now.date().toString(QStringLiteral("dd.MM.yyyy"));
}

QString TimeText(const QDateTime &now)
{
    return now.time().toString(QStringLiteral("hh:mm:ss"));
}

bool IsParameterToken(const QString &token)
{
    return token.contains(QLatin1Char('[')) && token.contains(QLatin1Char(']'))
           && !token.contains(QLatin1Char('<'));
}

} // namespace

Expander::Expander(ScriptEvaluator &evaluator, Aggregates &aggregates, ParameterRequest request)
    : m_evaluator(evaluator), m_aggregates(aggregates), m_request(std::move(request))
{
    m_context.now = QDateTime::currentDateTime();
}

QStringList Expander::Tokenise(const QString &text, bool angleTokens)
{
    QStringList tokens;
    QString current;
    bool inAngle = false;
    const auto close = [&] {
        if (!current.isEmpty())
            tokens.append(current);
        current.clear();
    };
    for (const QChar c : text) {
        if (c == QLatin1Char('[') && !inAngle) {
            close();
            current = c;
        } else if (c == QLatin1Char(']') && !inAngle) {
            current += c;
            close();
        } else if (c == QLatin1Char('<') && angleTokens) {
            close();
            current = c;
            inAngle = true;
        } else if (c == QLatin1Char('>') && angleTokens) {
            current += c;
            close();
            inAngle = false;
        } else {
            current += c;
        }
    }
    close();
    return tokens;
}

QString Expander::ParameterValue(const QString &token)
{
    QString name = token;
    name.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    // Names the engine answers itself never reach the caller.
    if (name.contains(QLatin1String("Date")))
        return DateText(m_context.now);
    if (name.contains(QLatin1String("Time")))
        return TimeText(m_context.now);
    if (name.contains(QLatin1String("TotalPages")))
        return QString::number(m_context.totalSheets);
    if (name.contains(QLatin1String("Page")))
        return QString::number(m_context.sheet);
    if (name.contains(QLatin1String("LineNo")))
        return QString::number(m_context.recNo + 1);
    return m_request ? m_request(name) : QString();
}

bool Expander::IsNumber(const QString &value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    // "nan" and "inf" read as doubles but are no ECMAScript literals.
    return ok && std::isfinite(number);
}

QString Expander::QuoteForScript(const QString &value)
{
    QString quoted;
    quoted.reserve(value.size() + 2);
    quoted += QLatin1Char('\'');
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': quoted += QLatin1String("\\\\"); break;
        case '\'': quoted += QLatin1String("\\'"); break;
        case '\n': quoted += QLatin1String("\\n"); break;
        case '\r': quoted += QLatin1String("\\r"); break;
        case 0x2028: quoted += QLatin1String("\\u2028"); break;
        case 0x2029: quoted += QLatin1String("\\u2029"); break;
        default: quoted += c; break;
        }
    }
    quoted += QLatin1Char('\'');
    return quoted;
}

QString Expander::ReplaceVariables(QString token) const
{
    token.replace(QLatin1String("<Date>"), DateText(m_context.now));
    token.replace(QLatin1String("<Time>"), TimeText(m_context.now));
    token.replace(QLatin1String("<Page>"), QString::number(m_context.sheet));
    token.replace(QLatin1String("<TotalPages>"), QString::number(m_context.totalSheets));
    token.replace(QLatin1String("<LineNo>"), QString::number(m_context.recNo + 1));
    return token;
}

QString Expander::EvaluateFormula(const QString &token)
{
    // Parameters are replaced by their values, except the argument of an aggregate, which
    // stays a name for Sum to look up. Each occurrence is judged by the text before it.
    QString formula;
    int pos = 0;
    while (pos < token.size()) {
        const int open = token.indexOf(QLatin1Char('['), pos);
        const int close = open < 0 ? -1 : token.indexOf(QLatin1Char(']'), open);
        if (close < 0) {
            formula += token.midRef(pos);
            break;
        }
        const QString before = token.mid(pos, open - pos);
        const QString parameter = token.mid(open, close - open + 1);
        formula += before;
        const QString upper = before.toUpper();
        if (upper.contains(QLatin1String("SUM")) || upper.contains(QLatin1String("AVG"))
            || upper.contains(QLatin1String("COUNT")))
            formula += parameter;
        else
            formula += ParameterValue(parameter);
        pos = close + 1;
    }
    formula.replace(QLatin1String("Sum("), QLatin1String("Sum(0,"), Qt::CaseInsensitive);
    formula.replace(QLatin1String("Avg("), QLatin1String("Sum(1,"), Qt::CaseInsensitive);
    formula.replace(QLatin1String("Count("), QLatin1String("Sum(2,"), Qt::CaseInsensitive);
    formula.replace(QLatin1Char('['), QLatin1String("'["));
    formula.replace(QLatin1Char(']'), QLatin1String("]'"));
    formula.remove(QLatin1Char('<'));
    formula.remove(QLatin1Char('>'));
    return m_evaluator.Evaluate(formula, &m_aggregates).text;
}

QString Expander::Expand(const QString &text, ExpandMode mode)
{
    const bool quoting = mode == ExpandMode::Quoting;
    QString result;
    const QStringList tokens = Tokenise(text, !quoting);
    for (const QString &token : tokens) {
        if (IsParameterToken(token)) {
            const QString value = ParameterValue(token);
            if (quoting) {
                result += IsNumber(value) ? value : QuoteForScript(value);
                continue;
            }
            if (mode == ExpandMode::Collecting) {
                bool ok = false;
                const double number = value.toDouble(&ok);
                if (ok)
                    m_aggregates.Record(token, number, m_context.recNo);
            }
            result += value;
            continue;
        }
        const QString replaced = ReplaceVariables(token);
        // In conditions "<" and ">" compare; only label text carries formulas.
        if (!quoting && replaced.contains(QLatin1Char('<')) && replaced.contains(QLatin1Char('>')))
            result += EvaluateFormula(replaced);
        else
            result += replaced;
    }
    return result;
}

bool Expander::IsVisible(const QString &printing)
{
    if (printing.size() < 2) {
        bool ok = false;
        const int value = printing.toInt(&ok);
        return ok && value != 0;
    }
    const ScriptEvaluator::Result r = m_evaluator.Evaluate(Expand(printing, ExpandMode::Quoting));
    // Out of time the field is printed: a missing value is seen, a hidden column is not.
    if (r.budgetSpent)
        return true;
    return r.ok && r.integer != 0;
}

bool Expander::FindRule(const QStringList &parts, const QString &keyword, QString *rule)
{
    for (int i = 1; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (!part.isEmpty() && part.contains(keyword)) {
            *rule = part;
            rule->remove(keyword + QLatin1Char('='));
            return true;
        }
    }
    return false;
}

int Expander::FlagProperty(const QString &highlighting, const QString &keyword, int plainValue)
{
    if (highlighting.isEmpty())
        return plainValue;
    const QStringList parts = highlighting.split(QLatin1Char(';'));
    QString rule;
    // Without a rule for this property the field keeps its own attribute.
    if (!FindRule(parts, keyword, &rule))
        return plainValue;
    const ScriptEvaluator::Result r =
        m_evaluator.Evaluate(Expand(parts.first() + rule, ExpandMode::Quoting));
    if (r.budgetSpent)
        return plainValue;
    return r.ok ? r.integer : 0;
}

QString Expander::ColourProperty(const QString &highlighting, const QString &keyword,
                                 const QString &plainValue)
{
    if (highlighting.isEmpty())
        return plainValue;
    const QStringList parts = highlighting.split(QLatin1Char(';'));
    QString rule;
    if (!FindRule(parts, keyword, &rule))
        return plainValue;
    if (!rule.isEmpty())
        rule.insert(1, QLatin1Char('\''));
    const QString program = Expand(parts.first() + rule, ExpandMode::Quoting)
                            + QLatin1String("':'") + plainValue + QLatin1Char('\'');
    const ScriptEvaluator::Result r = m_evaluator.Evaluate(program);
    // A rule that fails to evaluate leaves the field its own colour, so the text stays readable.
    return r.ok ? r.text : plainValue;
}

} // namespace Report
