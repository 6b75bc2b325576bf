#include "fuzztargets.h"

#include "productcsv.h"
#include "reportjsondata.h"
#include "reporttemplate.h"
#include "salerules.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace QuillboxFuzz {

namespace {

void Require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

// Takes values off the front of the input; an exhausted input reads as zeros.
class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    uint32_t Word()
    {
        uint32_t value = 0;
        const size_t n = std::min<size_t>(sizeof value, m_size);
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }
    int32_t Int() { return int32_t(Word()); }
    // A text up to the next NUL (or the end), read as UTF-8.
    QString Text()
    {
        size_t n = 0;
        while (n < m_size && m_data[n] != 0)
            ++n;
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(m_data), int(n));
        const size_t used = std::min(n + 1, m_size);
        m_data += used;
        m_size -= used;
        return text;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
};

} // namespace

void ReportTemplate(const uint8_t *data, size_t size)
{
    Report::Template report;
    if (!report.Parse(Bytes(data, size))) {
        Require(report.IsEmpty() && !report.ErrorString().isEmpty(),
                "a refused template is empty and says why");
        return;
    }
    // What the renderer takes for granted of a loaded template.
    for (const Report::Page &page : report.Pages()) {
        Require(page.PrintableWidth() > 0 && page.PrintableHeight() > 0,
                "a loaded page has room to print");
        (void)page.PageLayout();
        for (const auto &band : page.bands) {
            if (!band)
                continue;
            Require(qAbs(band->height) <= Report::MaxLength, "band height in range");
            for (const Report::Field &field : band->fields) {
                for (const int length : {field.left, field.top, field.width, field.height})
                    Require(qAbs(length) <= Report::MaxLength, "field geometry clamped");
                Require(field.fontSize >= 0 && field.fontSize <= Report::MaxFontSize,
                        "font size clamped");
                (void)Report::ParseColour(field.fontColor);
                (void)Report::ParseColour(field.backgroundColor);
            }
        }
    }
}

void ReportJsonData(const uint8_t *data, size_t size)
{
    // Image names resolve against a folder that holds nothing.
    Report::JsonData json;
    if (!json.Parse(Bytes(data, size), QStringLiteral("/nonexistent-quillbox-fuzz"))) {
        Require(json.RowCount() == 0 && !json.ErrorString().isEmpty(),
                "refused data is empty and says why");
        return;
    }
    const QString names[] = {QStringLiteral("name"), QStringLiteral("ITEM"), QString()};
    for (int row = -1; row <= json.RowCount(); ++row) {
        for (const QString &name : names) {
            (void)json.Value(row, name, 0);
            QImage image;
            (void)json.Image(row, name, 0, &image);
        }
    }
}

void ProductCsv(const uint8_t *data, size_t size)
{
    // The first byte picks where the text is cut into two pieces: feeding in pieces must read
    // the same records as reading the whole.
    if (size == 0)
        return;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data) + 1, int(size - 1));
    const QVector<ProductCsv::Record> whole = ProductCsv::Reader::ReadAll(text);

    const int cut = text.isEmpty() ? 0 : data[0] % (text.size() + 1);
    ProductCsv::Reader pieces;
    pieces.Feed(text.left(cut));
    QVector<ProductCsv::Record> fed = pieces.TakeRecords();
    pieces.Feed(text.mid(cut));
    pieces.Finish();
    fed += pieces.TakeRecords();
    Require(fed.size() == whole.size(), "pieces give as many records as the whole");
    for (int i = 0; i < whole.size(); ++i) {
        Require(fed.at(i).fields == whole.at(i).fields && fed.at(i).line == whole.at(i).line,
                "pieces give the same records as the whole");
        Require(whole.at(i).line >= 1 && (i == 0 || whole.at(i).line > whole.at(i - 1).line),
                "records start on increasing lines");
        if (whole.at(i).unclosedQuote)
            continue;
        // What the export writes reads back as it was.
        const QStringList &fields = whole.at(i).fields;
        const QVector<ProductCsv::Record> again
            = ProductCsv::Reader::ReadAll(ProductCsv::FormatLine(fields));
        if (fields == QStringList(QString()))
            Require(again.isEmpty(), "a lone empty field writes an empty line");
        else
            Require(again.size() == 1 && again.first().fields == fields,
                    "a written record reads back unchanged");
    }
}

void SaleEntry(const uint8_t *data, size_t size)
{
    Input input(data, size);
    SaleRules::EntryFields entry;
    entry.barCode = input.Text();
    entry.discount = input.Text();
    entry.items = input.Text();
    entry.subItems = input.Text();
    const QString paid = input.Text();
    const bool returnMode = input.Word() & 1;

    // Stock as the database may hold it, whatever an entry that passed the checks asks for.
    SaleRules::StockRequest request;
    request.quantity = input.Int();
    request.subItems = input.Int();
    request.itemsPerUnit = input.Int();
    request.returnMode = returnMode;

    const QString refusal = SaleRules::CheckEntryFields(entry);
    if (refusal.isEmpty()) {
        request.wantQuantity = entry.items.toInt();
        request.wantSubItems = entry.subItems.toInt();
        const SaleRules::StockOutcome outcome = SaleRules::ApplyStock(request);
        if (outcome.refusal.isEmpty()) {
            if (request.quantity >= 0 && request.subItems >= 0)
                Require(outcome.after.quantity >= 0 && outcome.after.subItems >= 0
                            && outcome.after.subItems < request.itemsPerUnit,
                        "stock left is whole units and loose sub-items below a unit");
        }

        SaleRules::LineInput line;
        line.salePrice = input.Text();
        line.purchasePrice = input.Text();
        line.itemsPerUnit = request.itemsPerUnit >= 1 ? request.itemsPerUnit : 1;
        line.quantity = request.wantQuantity;
        line.subQuantity = request.wantSubItems;
        line.discountPercent = SaleRules::ToFloat(entry.discount);
        line.taxPercent = float(input.Word() % 101);
        line.returnMode = returnMode;
        SaleRules::Totals totals;
        totals.Add(SaleRules::ComputeLine(line));
        (void)SaleRules::Money(totals.Grand());
        (void)SaleRules::CheckPaidAmount(paid, totals.Grand());
        (void)SaleRules::ChangeDue(totals.Grand(), paid);
    }
    (void)SaleRules::PageCount(int(input.Word() % 100000), int(input.Word() % 100) + 1);
}

} // namespace QuillboxFuzz
