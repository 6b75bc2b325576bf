#include "escpos.h"

#include "appsettings.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <QSettings>
#include <QTextCodec>

#include <algorithm>

namespace {

constexpr char ESC = 0x1b;
constexpr char GS = 0x1d;
// Font A is 12 dots wide on every ESC/POS printer; a line of N characters is N * 12 dots.
constexpr int kDotsPerColumn = 12;

struct CodePage {
    const char *name;
    const char *codec;
    int number; // ESC t n
};

const CodePage kCodePages[] = {
    {"CP437", "IBM437", 0},   {"CP850", "IBM850", 2},         {"CP852", "IBM852", 18},
    {"CP858", "IBM00858", 19}, {"CP866", "IBM866", 17}, {"CP1252", "windows-1252", 16},
};

const CodePage *Find(const QString &name)
{
    for (const CodePage &page : kCodePages) {
        if (name == QLatin1String(page.name))
            return &page;
    }
    return nullptr;
}

// Unicode to byte for the upper half of a code page, built once from the codec's own reading
// of each byte, so a character the page lacks is simply not found.
const QHash<uint, char> &UpperHalf(const QString &codePage)
{
    static QHash<QString, QHash<uint, char>> tables;
    auto found = tables.constFind(codePage);
    if (found != tables.constEnd())
        return *found;
    QHash<uint, char> table;
    const CodePage *page = Find(codePage);
    if (QTextCodec *codec = page ? QTextCodec::codecForName(page->codec) : nullptr) {
        for (int byte = 0x80; byte <= 0xff; ++byte) {
            const QString text = codec->toUnicode(QByteArray(1, char(byte)));
            const uint u = text.size() == 1 ? text.at(0).unicode() : 0;
            if (u >= 0xa0 && u != 0xfffd)
                table.insert(u, char(byte));
        }
    }
    return *tables.insert(codePage, table);
}

QByteArray Bytes(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int b : bytes)
        out.append(char(b));
    return out;
}

QByteArray Spaces(int n)
{
    return QByteArray(std::max(0, n), ' ');
}

QByteArray Right(const QByteArray &text, int width)
{
    return Spaces(width - text.size()) + text;
}

QByteArray Centre(const QByteArray &text, int width)
{
    return Spaces((width - text.size()) / 2) + text;
}

// Shortened in the middle, as the painted receipt does with long product names.
QByteArray Elide(const QByteArray &text, int width)
{
    if (text.size() <= width)
        return text;
    if (width < 4)
        return text.left(width);
    const int tail = (width - 3) / 2;
    return text.left(width - 3 - tail) + "..." + text.right(tail);
}

// Lines of at most width characters, broken at blanks where there are any.
QList<QByteArray> Wrap(const QByteArray &text, int width)
{
    QList<QByteArray> lines;
    QByteArray rest = text.trimmed();
    while (rest.size() > width) {
        int cut = rest.lastIndexOf(' ', width);
        if (cut <= 0)
            cut = width;
        lines << rest.left(cut).trimmed();
        rest = rest.mid(cut).trimmed();
    }
    if (!rest.isEmpty() || lines.isEmpty())
        lines << rest;
    return lines;
}

class Writer {
public:
    Writer(const EscPosOptions &options)
        : m_options(options)
        , m_width(options.columns)
    {
    }

    void Command(std::initializer_list<int> bytes) { m_out.append(Bytes(bytes)); }
    void Line(const QByteArray &text = QByteArray()) { m_out.append(text).append('\n'); }
    void Rule() { Line(QByteArray(m_width, '-')); }
    // Every line of a typed text (which may hold line breaks), each wrapped, then aligned.
    void Block(const QString &text, Qt::Alignment alignment)
    {
        const QStringList parts = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                      .split(QRegularExpression(QStringLiteral("[\r\n]")));
        for (const QString &part : parts) {
            for (const QByteArray &line : Wrap(Encode(part), m_width)) {
                if (alignment & Qt::AlignHCenter)
                    Line(Centre(line, m_width));
                else if (alignment & Qt::AlignRight)
                    Line(Right(line, m_width));
                else
                    Line(line);
            }
        }
    }
    QByteArray Encode(const QString &text) const { return EscPos::Encode(text, m_options.codePage); }
    int Width() const { return m_width; }
    QByteArray Result() const { return m_out; }
    void Append(const QByteArray &bytes) { m_out.append(bytes); }

private:
    const EscPosOptions &m_options;
    const int m_width;
    QByteArray m_out;
};

void ItemLine(Writer &out, const ReceiptLine &line, bool subItemsMode)
{
    const int width = out.Width();
    QByteArray quantity = out.Encode(Receipt::QuantityText(line, subItemsMode)).left(width);
    quantity += Spaces(5 - quantity.size() - 1) + ' ';
    const QByteArray price = out.Encode(Receipt::PriceText(line)).left(width);
    const int nameWidth = width - quantity.size() - price.size() - 1;
    const QByteArray name = out.Encode(line.product);
    if (nameWidth >= 4) {
        const QByteArray shown = Elide(name, nameWidth);
        out.Line(quantity + shown + Spaces(width - quantity.size() - shown.size() - price.size())
                 + price);
    } else {
        // A price too long to share its line gets one of its own.
        out.Line(quantity + Elide(name, width - quantity.size()));
        out.Line(Right(price, width));
    }
}

} // namespace

EscPosOptions EscPosOptions::FromSettings()
{
    EscPosOptions o;
    o.enabled = AppSettings::Instance().Text(Setting::ReceiptPrinterKind)
        == QLatin1String("escpos");
    o.target = AppSettings::Instance().Text(Setting::EscPosTarget).trimmed();
    const int columns = AppSettings::Instance().Int(Setting::EscPosColumns);
    if (EscPos::ColumnChoices().contains(columns))
        o.columns = columns;
    const QString codePage = AppSettings::Instance().Text(Setting::EscPosCodePage);
    if (EscPos::CodePageNumber(codePage) >= 0)
        o.codePage = codePage;
    o.cut = AppSettings::Instance().Bool(Setting::EscPosCut);
    o.drawerOnCash = AppSettings::Instance().Bool(Setting::EscPosDrawerOnCash);
    o.drawerPin = AppSettings::Instance().Int(Setting::EscPosDrawerPin) == 5 ? 5 : 2;
    o.pulseOnMs = AppSettings::Instance().Int(Setting::EscPosPulseOnMs);
    o.pulseOffMs = AppSettings::Instance().Int(Setting::EscPosPulseOffMs);
    return o;
}

void EscPosOptions::Save() const
{
    QSettings *s = AppSettings::Instance().Settings();
    s->setValue(QStringLiteral("receiptPrinterKind"),
                enabled ? QStringLiteral("escpos") : QStringLiteral("queue"));
    s->setValue(QStringLiteral("escposTarget"), target);
    s->setValue(QStringLiteral("escposColumns"), columns);
    s->setValue(QStringLiteral("escposCodePage"), codePage);
    s->setValue(QStringLiteral("escposCut"), cut);
    s->setValue(QStringLiteral("escposDrawerOnCash"), drawerOnCash);
    s->setValue(QStringLiteral("escposDrawerPin"), drawerPin);
    s->setValue(QStringLiteral("escposPulseOnMs"), pulseOnMs);
    s->setValue(QStringLiteral("escposPulseOffMs"), pulseOffMs);
}

namespace EscPos {

QStringList CodePages()
{
    QStringList names;
    for (const CodePage &page : kCodePages)
        names << QLatin1String(page.name);
    return names;
}

int CodePageNumber(const QString &codePage)
{
    const CodePage *page = Find(codePage);
    return page ? page->number : -1;
}

QList<int> ColumnChoices()
{
    return {32, 42, 48};
}

QByteArray Encode(const QString &text, const QString &codePage)
{
    const QHash<uint, char> &upper = UpperHalf(codePage);
    QByteArray out;
    // Composed first, so that an accent typed as a separate mark still finds its letter.
    const QVector<uint> points = text.normalized(QString::NormalizationForm_C).toUcs4();
    out.reserve(points.size());
    for (uint u : points) {
        if (u == '\t')
            out.append(' ');
        else if (u >= 0x20 && u < 0x7f)
            out.append(char(u));
        else
            out.append(upper.value(u, '?'));
    }
    return out;
}

QString Decode(const QByteArray &bytes, const QString &codePage)
{
    const CodePage *page = Find(codePage);
    QTextCodec *codec = page ? QTextCodec::codecForName(page->codec) : nullptr;
    return codec ? codec->toUnicode(bytes) : QString::fromLatin1(bytes);
}

QByteArray Receipt(const ReceiptData &data, const ReceiptOptions &receipt,
                   const EscPosOptions &options)
{
    Writer out(options);
    const int width = out.Width();
    out.Command({ESC, '@', ESC, 't', std::max(0, CodePageNumber(options.codePage))});

    if (receipt.printLogo) {
        const int dots = width * kDotsPerColumn;
        const int side = Receipt::LogoSide(dots, receipt.logoSize);
        const QImage logo = Receipt::Logo(receipt.logoPath);
        if (!logo.isNull() && side > 0) {
            out.Command({ESC, 'a', 1});
            out.Append(Raster(logo.scaled(side, side, Qt::IgnoreAspectRatio,
                                          Qt::SmoothTransformation)));
            out.Command({ESC, 'a', 0});
        }
    }
    out.Command({ESC, 'E', 1});
    out.Block(data.companyName, Qt::AlignHCenter);
    out.Command({ESC, 'E', 0});
    out.Block(data.companyAddress, Qt::AlignHCenter);
    out.Block(data.companyContact, Qt::AlignHCenter);
    out.Rule();
    out.Block(QStringLiteral("Date: %1").arg(Receipt::DateText(data)), Qt::AlignLeft);
    out.Block(QStringLiteral("Receipt Nr.: %1").arg(data.receiptNumber), Qt::AlignLeft);
    out.Rule();
    const QByteArray captions = out.Encode(QStringLiteral("Qty")).leftJustified(5)
        + out.Encode(QStringLiteral("Product"));
    const QByteArray price = out.Encode(QStringLiteral("Price"));
    out.Line(captions + Spaces(width - captions.size() - price.size()) + price);
    for (const ReceiptLine &line : data.lines)
        ItemLine(out, line, receipt.subItemsMode);
    out.Rule();

    const QStringList totals = Receipt::TotalTexts(data, receipt);
    const int grandTotal = totals.size() - 3; // followed by paid and change
    for (int i = 0; i < totals.size(); ++i) {
        const QString &total = totals.at(i);
        const bool grand = i == grandTotal;
        if (grand)
            out.Command({ESC, '!', 0x18}); // bold, double height: the line the customer looks for
        out.Block(total, Qt::AlignRight);
        if (grand)
            out.Command({ESC, '!', 0});
    }
    const QString discount = Receipt::DiscountText(data, receipt);
    if (!discount.isEmpty())
        out.Block(discount, Qt::AlignLeft);
    out.Line();
    out.Block(QCoreApplication::translate("EscPos", "Thank you for doing business with us"), Qt::AlignHCenter);
    // Past the tear bar, then the cut.
    out.Command({ESC, 'd', 4});
    if (options.cut)
        out.Command({GS, 'V', 1});
    return out.Result();
}

QByteArray DrawerPulse(const EscPosOptions &options)
{
    // ESC p counts in steps of 2 ms.
    const auto steps = [](int ms) { return std::clamp(ms / 2, 1, 255); };
    return Bytes({ESC, 'p', options.drawerPin == 5 ? 1 : 0, steps(options.pulseOnMs),
                  steps(options.pulseOffMs)});
}

QByteArray Raster(const QImage &image)
{
    QImage grey(image.size(), QImage::Format_ARGB32_Premultiplied);
    grey.fill(Qt::white);
    {
        QPainter painter(&grey);
        painter.drawImage(0, 0, image);
    }
    grey = grey.convertToFormat(QImage::Format_Grayscale8);
    const int bytesPerRow = (grey.width() + 7) / 8;
    const int rows = grey.height();
    QByteArray out = Bytes({GS, 'v', '0', 0, bytesPerRow & 0xff, bytesPerRow >> 8, rows & 0xff,
                            rows >> 8});
    for (int y = 0; y < rows; ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int byte = 0; byte < bytesPerRow; ++byte) {
            uchar bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < grey.width() && line[x] < 128)
                    bits |= uchar(0x80 >> bit);
            }
            out.append(char(bits));
        }
    }
    return out;
}

} // namespace EscPos
