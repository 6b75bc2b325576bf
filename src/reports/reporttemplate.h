#pragma once

#include <QColor>
#include <QPageLayout>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

// The in-memory form of an XML report template: report pages, their bands and the fields of
// each band. Parsing checks what the renderer relies on, so a template that loads can always be
// laid out without further checks.

namespace Report {

// Every length of a template is in template units: four to the millimetre.
constexpr int UnitsPerMillimetre = 4;

// Lengths beyond this are clamped, so sums of positions and heights cannot overflow.
constexpr int MaxLength = 1000000;
// Paper larger than five metres either way is refused; no device prints it.
constexpr int MaxPageLength = 20000;
// Point sizes above this are clamped: a giant font only costs memory in the preview.
constexpr int MaxFontSize = 1000;

enum class BandType {
    ReportTitle,
    PageHeader,
    MasterHeader,
    MasterData,
    MasterFooter,
    ReportSummary,
    PageFooter,
};
constexpr int BandTypeCount = 7;

// The band type for a `type` attribute (exact, case-sensitive); false for any other text.
bool BandTypeFromName(const QString &name, BandType *type);
QString BandTypeName(BandType type);

// Colours are written rgba(R,G,B,A); anything unreadable reads as zero.
QColor ParseColour(const QString &text);
// rgba(255,255,255,0) marks a background or border that is not painted at all.
bool IsNoColour(const QColor &colour);
inline QString NoColourText() { return QStringLiteral("rgba(255,255,255,0)"); }

// Pen width in device pixels for a borderWidth text such as "1", "2px".
int BorderPenWidth(const QString &borderWidth);
Qt::PenStyle BorderPenStyle(const QString &borderStyle);
Qt::Alignment AlignmentFlags(const QString &horizontal, const QString &vertical);

// Integer attribute as the template format reads it: missing or not a number is 0.
int ReadInteger(const QString &text);

struct Field
{
    QString type = QStringLiteral("label");
    QString value;
    QString picture = QStringLiteral("text");
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QString fontFamily;
    int fontSize = 0;
    int fontBold = 0;
    int fontItalic = 0;
    int fontUnderline = 0;
    QString fontColor;
    QString backgroundColor;
    // Top, bottom, left, right: the order in which sides are drawn.
    std::array<QString, 4> borderColours;
    int borderPenWidth = 5;
    Qt::PenStyle borderStyle = Qt::SolidLine;
    Qt::Alignment alignment;
    QString highlighting;
    QString printing = QStringLiteral("1");
};

struct Band
{
    int height = 0;
    QVector<Field> fields;
};

struct Page
{
    int pageWidth = 0;
    int pageHeight = 0;
    int marginsLeft = 0;
    int marginsRight = 0;
    int marginsTop = 0;
    int marginsBottom = 0;
    int orientation = 0;
    std::array<std::optional<Band>, BandTypeCount> bands;

    int PrintableHeight() const { return pageHeight - marginsTop - marginsBottom; }
    int PrintableWidth() const { return pageWidth - marginsLeft - marginsRight; }
    const Band *FindBand(BandType type) const;
    // Height of a band, 0 when the page has none.
    int BandHeight(BandType type) const;
    // Paper in whole millimetres, margins a hair over their millimetres, as printers expect.
    QPageLayout PageLayout() const;
};

class Template final
{
public:
    Template() = default;

    // Reads a resource path or a file. On failure the template is left empty and
    // ErrorString() says why.
    bool Load(const QString &path);
    bool Parse(const QByteArray &xml);

    bool IsEmpty() const { return m_pages.isEmpty(); }
    const QVector<Page> &Pages() const { return m_pages; }
    QString ErrorString() const { return m_error; }

    // Templates are small; anything larger than this is not one.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

private:
    bool Fail(const QString &error);

    QVector<Page> m_pages;
    QString m_error;
};

} // namespace Report
