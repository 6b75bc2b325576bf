#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The comma-separated files of product import and stock export, without any widget.
//
// Fields are separated by ",", records by "\n" (a "\r\n" pair counts as one line end) and taken
// verbatim, except that a field starting with a double quote is a quoted field: it runs to the
// closing quote, may hold commas and line breaks, and "" inside it stands for one quote. That is
// the rule spreadsheet programs follow, so the names the export quotes read back as written.
namespace ProductCsv {

struct Record
{
    int line = 0;         // 1-based line of the file on which the record starts
    QStringList fields;
    bool unclosedQuote = false; // the file ended inside a quoted field
};

// Reads records from text fed in pieces of any size. Empty lines are no records; a line that
// ends with a comma has an empty last field.
class Reader final
{
public:
    void Feed(const QString &text);
    // End of the text: the last record counts even without a final line end.
    void Finish();
    // Records completed so far, in file order; they are handed out once.
    QVector<Record> TakeRecords();

    static QVector<Record> ReadAll(const QString &text);

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    void EndField();
    void EndRecord();
    void Take(QChar c);

    State m_state = State::FieldStart;
    QString m_field;
    QStringList m_fields;
    bool m_pendingCr = false;
    bool m_recordStarted = false;
    int m_line = 1;
    int m_recordLine = 1;
    QVector<Record> m_records;
};

// A field as written: quoted (with inner quotes doubled) when it holds a comma, a double quote
// or a line break, otherwise unchanged.
QString FormatField(const QString &field);
// The fields joined by commas, without a line end.
QString FormatLine(const QStringList &fields);

} // namespace ProductCsv
