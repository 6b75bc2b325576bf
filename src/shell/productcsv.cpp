#include "productcsv.h"

namespace ProductCsv {

namespace {
const QChar kComma = QLatin1Char(',');
const QChar kQuote = QLatin1Char('"');
const QChar kLf = QLatin1Char('\n');
const QChar kCr = QLatin1Char('\r');
} // namespace

void Reader::Feed(const QString &text)
{
    for (const QChar c : text) {
        if (m_pendingCr) {
            m_pendingCr = false;
            if (c == kLf) {
                Take(kLf);
                continue;
            }
            // A lone carriage return is an ordinary character.
            Take(kCr);
        }
        if (c == kCr && m_state != State::Quoted)
            m_pendingCr = true;
        else
            Take(c);
    }
}

void Reader::Take(QChar c)
{
    if (c == kLf)
        ++m_line;
    switch (m_state) {
    case State::Quoted:
        if (c == kQuote)
            m_state = State::QuoteInQuoted;
        else
            m_field += c;
        return;
    case State::QuoteInQuoted:
        if (c == kQuote) {
            m_field += kQuote;
            m_state = State::Quoted;
            return;
        }
        m_state = State::Unquoted;
        break;
    case State::FieldStart:
        if (c == kQuote) {
            if (!m_recordStarted)
                m_recordLine = m_line;
            m_recordStarted = true;
            m_state = State::Quoted;
            return;
        }
        break;
    case State::Unquoted:
        break;
    }

    if (c == kLf) {
        EndRecord();
        return;
    }
    if (!m_recordStarted)
        m_recordLine = m_line;
    m_recordStarted = true;
    if (c == kComma) {
        EndField();
        return;
    }
    m_field += c;
    m_state = State::Unquoted;
}

void Reader::EndField()
{
    m_fields.append(m_field);
    m_field.clear();
    m_state = State::FieldStart;
}

void Reader::EndRecord()
{
    if (m_recordStarted) {
        EndField();
        Record record;
        record.line = m_recordLine;
        record.fields = m_fields;
        m_records.append(record);
    }
    m_fields.clear();
    m_field.clear();
    m_state = State::FieldStart;
    m_recordStarted = false;
}

void Reader::Finish()
{
    if (m_pendingCr) {
        m_pendingCr = false;
        Take(kCr);
    }
    const bool unclosed = m_state == State::Quoted;
    EndRecord();
    if (unclosed && !m_records.isEmpty())
        m_records.last().unclosedQuote = true;
}

QVector<Record> Reader::TakeRecords()
{
    QVector<Record> records;
    records.swap(m_records);
    return records;
}

QVector<Record> Reader::ReadAll(const QString &text)
{
    Reader reader;
    reader.Feed(text);
    reader.Finish();
    return reader.TakeRecords();
}

QString FormatField(const QString &field)
{
    bool quote = false;
    for (const QChar c : field) {
        if (c == kComma || c == kQuote || c == kLf || c == kCr) {
            quote = true;
            break;
        }
    }
    if (!quote)
        return field;
    QString doubled = field;
    doubled.replace(kQuote, QLatin1String("\"\""));
    return kQuote + doubled + kQuote;
}

QString FormatLine(const QStringList &fields)
{
    QString line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += kComma;
        line += FormatField(fields.at(i));
    }
    return line;
}

} // namespace ProductCsv
