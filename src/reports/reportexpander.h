#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace Report {

class Aggregates;
class ScriptEvaluator;

enum class ExpandMode {
    Plain,      // label text: parameters, variables and formulas
    Quoting,    // conditions: "<" and ">" are operators, text values are quoted
    Collecting, // first pass over data rows: numeric parameter values are recorded
};

// What the engine itself knows while it lays out a document.
struct Context
{
    int recNo = 0;      // current data row, from 0
    int reportPage = 0; // index of the report page being laid out
    int sheet = 1;      // current sheet, from 1
    int totalSheets = 0;
    QDateTime now;      // one moment per run, so both passes and all sheets agree
};

// Expands field values, conditions and highlighting rules. Parameters the engine does not answer
// itself go to the request function (name without brackets; an empty text when unanswered).
class Expander final
{
public:
    using ParameterRequest = std::function<QString(const QString &name)>;

    Expander(ScriptEvaluator &evaluator, Aggregates &aggregates, ParameterRequest request);

    Context &Ctx() { return m_context; }
    const Context &Ctx() const { return m_context; }

    // Splits a value into text runs, "[parameter]" and "<variable or formula>" tokens; without
    // angle tokens "<" and ">" are ordinary characters.
    static QStringList Tokenise(const QString &text, bool angleTokens = true);

    QString Expand(const QString &text, ExpandMode mode);

    // The value of a "[name]" token: engine-answered names first, else the caller's answer.
    QString ParameterValue(const QString &token);

    // The printing attribute: short texts are a number, longer ones a condition.
    bool IsVisible(const QString &printing);
    // Bold, italic or underline under the highlighting rules (keyword "bold" etc.).
    int FlagProperty(const QString &highlighting, const QString &keyword, int plainValue);
    // fontColor or backgroundColor under the highlighting rules, as colour text.
    QString ColourProperty(const QString &highlighting, const QString &keyword,
                           const QString &plainValue);

    // True for a text that reads as a finite number: inserted bare into an expression.
    static bool IsNumber(const QString &value);
    // An ECMAScript string literal holding the text exactly, whatever quotes it contains.
    static QString QuoteForScript(const QString &value);

private:
    QString EvaluateFormula(const QString &token);
    QString ReplaceVariables(QString token) const;
    // The rule for a keyword, without its "keyword=" prefix; false when there is none.
    static bool FindRule(const QStringList &parts, const QString &keyword, QString *rule);

    ScriptEvaluator &m_evaluator;
    Aggregates &m_aggregates;
    ParameterRequest m_request;
    Context m_context;
};

} // namespace Report
