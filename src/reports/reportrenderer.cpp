#include "reportrenderer.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace Report {

namespace {

// Device coordinates stay far inside int, whatever lengths and scales a template combines.
int ToPixels(double value)
{
    return static_cast<int>(std::clamp(value, -1.0e8, 1.0e8));
}

// Pictures are drawn scaled into their field; one far larger than any field is read smaller.
constexpr qint64 MaxImagePixels = 40LL * 1000 * 1000;

bool Fits(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    const QRect needed = painter.boundingRect(rect, flags, text);
    return needed.width() <= rect.width() && needed.height() <= rect.height();
}

QFont Scaled(const QFont &font, double scale)
{
    QFont scaled = font;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * scale);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(qMax(1, qRound(font.pixelSize() * scale)));
    return scaled;
}

// The lines the text breaks into within width, as drawText would break them.
QStringList BreakLines(const QString &text, const QFont &font, QPaintDevice *device, double width,
                       bool wrap)
{
    QStringList lines;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (const QString &paragraph : paragraphs) {
        if (!wrap || paragraph.isEmpty()) {
            lines.append(paragraph);
            continue;
        }
        QTextLayout layout(paragraph, font, device);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append(paragraph.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
    }
    return lines;
}

// At the smallest size: the lines that fit the height, each within the width, the last one
// ending in an ellipsis when text was left out.
QString ClippedText(const QString &text, const QFont &font, QPaintDevice *device, const QRect &rect,
                    bool wrap)
{
    const QFontMetricsF metrics(font, device);
    const QChar ellipsis(0x2026);
    QStringList lines = BreakLines(text, font, device, rect.width(), wrap);
    const int visible = qMax(1, static_cast<int>(rect.height() / metrics.lineSpacing()));
    if (lines.size() > visible) {
        QString last = lines.at(visible - 1).trimmed();
        while (!last.isEmpty() && metrics.horizontalAdvance(last + ellipsis) > rect.width())
            last.chop(1);
        lines = lines.mid(0, visible - 1);
        lines.append(last + ellipsis);
    }
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, rect.width());
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void DrawFittedText(QPainter &painter, const QRect &rect, int flags, const QString &text)
{
    if (rect.width() <= 0 || rect.height() <= 0 || Fits(painter, rect, flags, text)) {
        painter.drawText(rect, flags, text);
        return;
    }
    const QFont original = painter.font();
    const bool wrap = (flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere)) != 0;
    bool fitted = false;
    for (int percent = 95; percent >= qRound(MinFitScale * 100) && !fitted; percent -= 5) {
        painter.setFont(Scaled(original, percent / 100.0));
        fitted = Fits(painter, rect, flags, text);
    }
    if (fitted) {
        painter.drawText(rect, flags, text);
    } else {
        // Cut at the largest size that shows the most lines: a smaller font that shows no
        // more of the text would only be harder to read.
        QFont best = original;
        int bestLines = 0;
        for (int percent = 100; percent >= qRound(MinFitScale * 100); percent -= 5) {
            const QFont font = Scaled(original, percent / 100.0);
            const int lines = static_cast<int>(
                rect.height() / QFontMetricsF(font, painter.device()).lineSpacing());
            if (lines > bestLines) {
                best = font;
                bestLines = lines;
            }
        }
        painter.setFont(best);
        const QString clipped = ClippedText(text, best, painter.device(), rect, wrap);
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.drawText(rect, flags & ~(Qt::TextDontClip | Qt::TextWordWrap), clipped);
        painter.restore();
    }
    painter.setFont(original);
}

Renderer::Renderer(const Template &reportTemplate, const QList<int> &rowCounts,
                   DataSource *source, int scriptTimeLimitMs)
    : m_template(reportTemplate),
      m_rowCounts(rowCounts),
      m_source(source),
      m_evaluator(scriptTimeLimitMs),
      m_expander(m_evaluator, m_aggregates, [this](const QString &name) { return RequestValue(name); })
{
}

QString Renderer::RequestValue(const QString &name)
{
    const Context &c = m_expander.Ctx();
    return m_source ? m_source->Value(c.recNo, name, c.reportPage) : QString();
}

const Page &Renderer::PageOfSheet(int index) const
{
    return m_template.Pages().at(m_sheets.at(index).reportPage);
}

void Renderer::Prepare()
{
    m_aggregates.Clear();
    m_evaluator.ResetBudget();
    m_sheets.clear();
    m_fileImages.clear();
    Context &c = m_expander.Ctx();
    c = Context();
    c.now = QDateTime::currentDateTime();
    for (int i = 0; i < m_template.Pages().size(); ++i)
        LayoutPage(i);
    c.totalSheets = m_sheets.size();
}

void Renderer::Place(BandType type, int y)
{
    m_sheets.last().placements.append({type, y, m_expander.Ctx().recNo});
}

void Renderer::StartSheet(int reportPage, int *y)
{
    const Page &page = m_template.Pages().at(reportPage);
    m_sheets.append(Sheet{reportPage, {}});
    m_expander.Ctx().sheet = m_sheets.size();
    *y = 0;
    if (page.FindBand(BandType::PageHeader)) {
        Place(BandType::PageHeader, *y);
        *y += page.BandHeight(BandType::PageHeader);
    }
    if (page.FindBand(BandType::PageFooter))
        Place(BandType::PageFooter,
              page.PrintableHeight() - page.BandHeight(BandType::PageFooter));
}

void Renderer::LayoutPage(int index)
{
    const Page &page = m_template.Pages().at(index);
    m_expander.Ctx().reportPage = index;
    const int printable = page.PrintableHeight();

    // Every report page begins a sheet of its own: title, page header once, master header.
    m_sheets.append(Sheet{index, {}});
    m_expander.Ctx().sheet = m_sheets.size();
    int y = 0;
    const auto placeAndAdvance = [&](BandType type) {
        if (page.FindBand(type)) {
            Place(type, y);
            y += page.BandHeight(type);
        }
    };
    placeAndAdvance(BandType::ReportTitle);
    placeAndAdvance(BandType::PageHeader);
    placeAndAdvance(BandType::MasterHeader);
    if (page.FindBand(BandType::PageFooter))
        Place(BandType::PageFooter, printable - page.BandHeight(BandType::PageFooter));

    const Band *data = page.FindBand(BandType::MasterData);
    const int rows = m_rowCounts.value(index, 0);
    if (data && rows > 0) {
        const int limit = printable - page.BandHeight(BandType::MasterFooter)
                          - page.BandHeight(BandType::PageFooter);
        for (int r = 0; r < rows; ++r) {
            m_expander.Ctx().recNo = r;
            if (y + data->height > limit) {
                StartSheet(index, &y);
                placeAndAdvance(BandType::MasterHeader);
            }
            Place(BandType::MasterData, y);
            CollectAggregates(*data);
            y += data->height;
        }
    }

    if (const Band *footer = page.FindBand(BandType::MasterFooter)) {
        if (printable - footer->height < y)
            StartSheet(index, &y);
        placeAndAdvance(BandType::MasterFooter);
    }
    // The summary keeps twice its height free below it, so it never ends at the very bottom.
    if (const Band *summary = page.FindBand(BandType::ReportSummary)) {
        if (printable - summary->height < y + summary->height)
            StartSheet(index, &y);
        placeAndAdvance(BandType::ReportSummary);
    }
}

void Renderer::CollectAggregates(const Band &band)
{
    for (const Field &field : band.fields) {
        if (field.type == QLatin1String("label") && m_expander.IsVisible(field.printing))
            m_expander.Expand(field.value, ExpandMode::Collecting);
    }
}

void Renderer::PaintSheet(int index, QPainter &painter, const QSizeF &printablePixels)
{
    const Sheet &sheet = m_sheets.at(index);
    const Page &page = m_template.Pages().at(sheet.reportPage);
    m_scaleY = printablePixels.height() / page.PrintableHeight();
    m_scaleX = printablePixels.width() / page.PrintableWidth();

    Context &c = m_expander.Ctx();
    c.sheet = index + 1;
    c.totalSheets = m_sheets.size();
    c.reportPage = sheet.reportPage;
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const Placement &placement : sheet.placements) {
        c.recNo = placement.recNo;
        if (const Band *band = page.FindBand(placement.band))
            DrawBand(*band, placement.y, painter);
    }
    painter.restore();
}

void Renderer::DrawBand(const Band &band, int y, QPainter &painter)
{
    for (const Field &field : band.fields) {
        if (m_expander.IsVisible(field.printing))
            DrawField(field, y, painter);
    }
}

void Renderer::DrawField(const Field &field, int bandY, QPainter &painter)
{
    const QString &rules = field.highlighting;
    QFont font(field.fontFamily);
    if (field.fontSize > 0)
        font.setPointSize(field.fontSize);
    font.setWeight(m_expander.FlagProperty(rules, QStringLiteral("bold"), field.fontBold) != 0
                       ? QFont::Bold
                       : QFont::Normal);
    font.setItalic(m_expander.FlagProperty(rules, QStringLiteral("italic"), field.fontItalic) != 0);
    font.setUnderline(
        m_expander.FlagProperty(rules, QStringLiteral("underline"), field.fontUnderline) != 0);
    painter.setFont(font);
    painter.setPen(Qt::black);

    const QRect rect(ToPixels(field.left * m_scaleX),
                     ToPixels((static_cast<double>(bandY) + field.top) * m_scaleY),
                     ToPixels((field.width - 1) * m_scaleX), ToPixels(field.height * m_scaleY));

    const QColor background = ParseColour(
        m_expander.ColourProperty(rules, QStringLiteral("backgroundColor"), field.backgroundColor));
    if (!IsNoColour(background))
        painter.fillRect(rect.adjusted(1, 1, -1, -1), background);

    const QLine sides[4] = {
        QLine(rect.left(), rect.top(), rect.left() + rect.width(), rect.top()),
        QLine(rect.left(), rect.top() + rect.height(), rect.left() + rect.width(),
              rect.top() + rect.height()),
        QLine(rect.left(), rect.top(), rect.left(), rect.top() + rect.height()),
        QLine(rect.left() + rect.width(), rect.top(), rect.left() + rect.width(),
              rect.top() + rect.height()),
    };
    for (int side = 0; side < 4; ++side) {
        const QColor colour = ParseColour(field.borderColours[static_cast<size_t>(side)]);
        if (IsNoColour(colour))
            continue;
        painter.setPen(QPen(colour, field.borderPenWidth, field.borderStyle));
        painter.drawLine(sides[side]);
    }

    if (field.type == QLatin1String("label")) {
        const QString text = m_expander.Expand(field.value, ExpandMode::Plain);
        if (text.isEmpty())
            return;
        painter.setPen(ParseColour(
            m_expander.ColourProperty(rules, QStringLiteral("fontColor"), field.fontColor)));
        DrawFittedText(painter, rect.adjusted(10, 0, 0, 0),
                       static_cast<int>(field.alignment) | Qt::TextWordWrap | Qt::TextDontClip,
                       text);
    } else if (field.type == QLatin1String("labelImage")) {
        QImage image(500, 500, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QString name = field.value;
        name.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
        const Context &c = m_expander.Ctx();
        // An image nobody supplied is transparent; leaving it out saves a blank picture.
        if (m_source && m_source->Image(c.recNo, name, c.reportPage, &image) && !image.isNull())
            painter.drawImage(rect, image);
    } else if (field.type == QLatin1String("image")) {
        const QImage image = FileImage(field.picture, rect.size());
        if (!image.isNull())
            painter.drawImage(rect, image);
    }
}

QImage Renderer::FileImage(const QString &path, const QSize &target)
{
    const auto cached = m_fileImages.constFind(path);
    if (cached != m_fileImages.constEnd())
        return *cached;
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxImagePixels) {
        const QSize bounded = target.boundedTo(QSize(4000, 4000)).expandedTo(QSize(1, 1));
        reader.setScaledSize(size.scaled(bounded, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    }
    const QImage image = reader.read();
    m_fileImages.insert(path, image);
    return image;
}

bool Renderer::Render(QPrinter *printer)
{
    Prepare();
    // Each sheet gets its report page's paper before it starts: painting begins on the first
    // report page's paper, later ones are set before their first new sheet.
    if (!m_sheets.isEmpty())
        printer->setPageLayout(PageOfSheet(0).PageLayout());
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    bool ok = true;
    for (int i = 0; i < m_sheets.size() && ok; ++i) {
        if (i > 0) {
            if (m_sheets.at(i).reportPage != m_sheets.at(i - 1).reportPage)
                printer->setPageLayout(PageOfSheet(i).PageLayout());
            ok = printer->newPage();
        }
        if (ok) {
            const QRectF printable = printer->pageLayout().paintRectPixels(printer->resolution());
            if (!printable.isEmpty())
                PaintSheet(i, painter, printable.size());
        }
    }
    return painter.end() && ok;
}

} // namespace Report
