#include "reporttemplate.h"

#include <QFile>
#include <QSizeF>
#include <QXmlStreamReader>

#include <algorithm>

namespace Report {

namespace {

const char *const BandNames[BandTypeCount] = {
    "ReportTitle", "PageHeader", "MasterHeader", "MasterData",
    "MasterFooter", "ReportSummary", "PageFooter",
};

int ReadLength(const QXmlStreamAttributes &attributes, const char *name)
{
    return std::clamp(ReadInteger(attributes.value(QLatin1String(name)).toString()), -MaxLength,
                      MaxLength);
}

QString ReadText(const QXmlStreamAttributes &attributes, const char *name,
                 const QString &fallback = QString())
{
    const QLatin1String key(name);
    return attributes.hasAttribute(key) ? attributes.value(key).toString() : fallback;
}

Field ReadField(const QXmlStreamAttributes &a)
{
    Field f;
    f.type = ReadText(a, "type", f.type);
    f.value = ReadText(a, "value");
    // The picture path is Latin-1 in the designer's files; the XML reader already decoded it,
    // so only code points a Latin-1 path can hold survive.
    f.picture = QString::fromLatin1(ReadText(a, "picture", f.picture).toLatin1());
    f.left = ReadLength(a, "left");
    f.top = ReadLength(a, "top");
    f.width = ReadLength(a, "width");
    f.height = ReadLength(a, "height");
    f.fontFamily = ReadText(a, "fontFamily");
    f.fontSize = std::clamp(ReadInteger(ReadText(a, "fontSize")), 0, MaxFontSize);
    f.fontBold = ReadInteger(ReadText(a, "fontBold"));
    f.fontItalic = ReadInteger(ReadText(a, "fontItalic"));
    f.fontUnderline = ReadInteger(ReadText(a, "fontUnderline"));
    f.fontColor = ReadText(a, "fontColor");
    f.backgroundColor = ReadText(a, "backgroundColor");
    f.borderColours = {ReadText(a, "borderTop"), ReadText(a, "borderBottom"),
                       ReadText(a, "borderLeft"), ReadText(a, "borderRight")};
    f.borderPenWidth = BorderPenWidth(ReadText(a, "borderWidth", QStringLiteral("1")));
    f.borderStyle = BorderPenStyle(ReadText(a, "borderStyle", QStringLiteral("solid")));
    f.alignment = AlignmentFlags(ReadText(a, "aligmentH"), ReadText(a, "aligmentV"));
    f.highlighting = ReadText(a, "highlighting");
    // Absent means printed; present but empty means hidden.
    f.printing = ReadText(a, "printing", f.printing);
    return f;
}

Page ReadPage(const QXmlStreamAttributes &a)
{
    Page p;
    p.pageWidth = ReadLength(a, "pageWidth");
    p.pageHeight = ReadLength(a, "pageHeight");
    p.marginsLeft = ReadLength(a, "marginsLeft");
    p.marginsRight = ReadLength(a, "marginsRight");
    p.marginsTop = ReadLength(a, "marginsTop");
    p.marginsBottom = ReadLength(a, "marginsBottom");
    p.orientation = ReadInteger(ReadText(a, "orientation"));
    return p;
}

QString CheckPage(const Page &page, int index)
{
    const QString which = QStringLiteral("report page %1").arg(index + 1);
    if (page.pageWidth <= 0 || page.pageHeight <= 0)
        return which + QStringLiteral(": the paper size must be positive");
    if (page.pageWidth > MaxPageLength || page.pageHeight > MaxPageLength)
        return which + QStringLiteral(": the paper is larger than %1 units").arg(MaxPageLength);
    if (page.marginsLeft < 0 || page.marginsRight < 0 || page.marginsTop < 0
        || page.marginsBottom < 0)
        return which + QStringLiteral(": a margin is negative");
    if (page.PrintableHeight() <= 0)
        return which + QStringLiteral(": the printable height is not positive");
    if (page.PrintableWidth() <= 0)
        return which + QStringLiteral(": the printable width is not positive");
    return QString();
}

} // namespace

bool BandTypeFromName(const QString &name, BandType *type)
{
    for (int i = 0; i < BandTypeCount; ++i) {
        if (name == QLatin1String(BandNames[i])) {
            *type = static_cast<BandType>(i);
            return true;
        }
    }
    return false;
}

QString BandTypeName(BandType type)
{
    return QLatin1String(BandNames[static_cast<int>(type)]);
}

int ReadInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

QColor ParseColour(const QString &text)
{
    int parts[4] = {0, 0, 0, 0};
    const int open = text.indexOf(QLatin1Char('('));
    if (open >= 0) {
        const int close = text.indexOf(QLatin1Char(')'), open + 1);
        const QString inner = text.mid(open + 1, close < 0 ? -1 : close - open - 1);
        const QStringList values = inner.split(QLatin1Char(','));
        for (int i = 0; i < 4 && i < values.size(); ++i)
            parts[i] = std::clamp(ReadInteger(values.at(i)), 0, 255);
    }
    return QColor(parts[0], parts[1], parts[2], parts[3]);
}

bool IsNoColour(const QColor &colour)
{
    return colour.red() == 255 && colour.green() == 255 && colour.blue() == 255
           && colour.alpha() == 0;
}

int BorderPenWidth(const QString &borderWidth)
{
    QString digits = borderWidth;
    digits.remove(QStringLiteral("px"));
    // Five device pixels per unit of width; the bound keeps a silly width from covering a sheet.
    return std::clamp(ReadInteger(digits), 0, 1000) * 5;
}

Qt::PenStyle BorderPenStyle(const QString &borderStyle)
{
    if (borderStyle == QLatin1String("dashed"))
        return Qt::DashLine;
    if (borderStyle == QLatin1String("dotted"))
        return Qt::DotLine;
    if (borderStyle == QLatin1String("dot-dash"))
        return Qt::DashDotLine;
    if (borderStyle == QLatin1String("dot-dot-dash"))
        return Qt::DashDotDotLine;
    return Qt::SolidLine;
}

Qt::Alignment AlignmentFlags(const QString &horizontal, const QString &vertical)
{
    Qt::Alignment flags;
    if (horizontal == QLatin1String("hRight"))
        flags |= Qt::AlignRight;
    else if (horizontal == QLatin1String("hLeft"))
        flags |= Qt::AlignLeft;
    else if (horizontal == QLatin1String("hCenter"))
        flags |= Qt::AlignHCenter;
    else if (horizontal == QLatin1String("hJustify"))
        flags |= Qt::AlignJustify;
    if (vertical == QLatin1String("vCenter"))
        flags |= Qt::AlignVCenter;
    else if (vertical == QLatin1String("vBottom"))
        flags |= Qt::AlignBottom;
    else if (vertical == QLatin1String("vTop"))
        flags |= Qt::AlignTop;
    return flags;
}

const Band *Page::FindBand(BandType type) const
{
    const auto &band = bands[static_cast<size_t>(type)];
    return band ? &*band : nullptr;
}

int Page::BandHeight(BandType type) const
{
    const Band *band = FindBand(type);
    return band ? band->height : 0;
}

QPageLayout Page::PageLayout() const
{
    const auto mm = [](int units) { return units / UnitsPerMillimetre; };
    const auto margin = [&](int units) { return mm(units) + 0.01; };
    // The paper size is given portrait-wise; orientation turns it.
    const QPageSize size(QSizeF(std::max(1, mm(pageWidth)), std::max(1, mm(pageHeight))),
                         QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(margin(marginsLeft), margin(marginsTop), margin(marginsRight),
                                 margin(marginsBottom)),
                       QPageLayout::Millimeter);
}

bool Template::Fail(const QString &error)
{
    m_pages.clear();
    m_error = error;
    return false;
}

bool Template::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    if (file.size() > MaxFileSize)
        return Fail(QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(MaxFileSize));
    return Parse(file.read(MaxFileSize + 1));
}

bool Template::Parse(const QByteArray &xml)
{
    m_pages.clear();
    m_error.clear();
    if (xml.size() > MaxFileSize)
        return Fail(QStringLiteral("the template is larger than %1 bytes").arg(MaxFileSize));

    // A streaming reader keeps no tree, so however deep a document nests, parsing neither
    // recurses nor holds more than the three levels the format defines.
    QXmlStreamReader reader(xml);
    QVector<Page> pages;
    int depth = 0;
    Band *currentBand = nullptr;
    Band scratchBand; // collects bands of a type already seen, which are ignored
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const QStringRef tag = reader.name();
            if (depth == 2) {
                pages.append(ReadPage(reader.attributes()));
                currentBand = nullptr;
            } else if (depth == 3 && tag == QLatin1String("ReportBand")) {
                Page &page = pages.last();
                BandType type;
                currentBand = nullptr;
                if (BandTypeFromName(reader.attributes().value(QLatin1String("type")).toString(),
                                     &type)) {
                    auto &slot = page.bands[static_cast<size_t>(type)];
                    if (!slot) {
                        slot = Band();
                        currentBand = &*slot;
                    } else {
                        scratchBand = Band();
                        currentBand = &scratchBand;
                    }
                    currentBand->height = ReadLength(reader.attributes(), "height");
                }
            } else if (depth == 4 && currentBand && tag == QLatin1String("TContainerField")) {
                currentBand->fields.append(ReadField(reader.attributes()));
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 3)
                currentBand = nullptr;
            --depth;
        }
    }
    if (reader.hasError()) {
        return Fail(QStringLiteral("not well-formed XML at line %1, column %2: %3")
                        .arg(reader.lineNumber())
                        .arg(reader.columnNumber())
                        .arg(reader.errorString()));
    }
    if (pages.isEmpty())
        return Fail(QStringLiteral("the template has no report page"));
    for (int i = 0; i < pages.size(); ++i) {
        const QString problem = CheckPage(pages.at(i), i);
        if (!problem.isEmpty())
            return Fail(problem);
    }
    m_pages = pages;
    return true;
}

} // namespace Report
