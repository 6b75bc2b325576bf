#pragma once

#include "reportexpander.h"
#include "reportscript.h"
#include "reporttemplate.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QVector>

class QPainter;
class QPrinter;
class QRect;

namespace Report {

// Draws text inside rect with the painter's font and the given flags. Text that fits is drawn
// exactly as QPainter::drawText would draw it. Text that does not is drawn in a smaller font,
// down to MinFitScale of its size, and when even that is too large it is clipped to rect with an
// ellipsis ending its last visible line (at the largest of those sizes that shows the most
// lines), so it never prints over its neighbours.
constexpr double MinFitScale = 0.6;
void DrawFittedText(QPainter &painter, const QRect &rect, int flags, const QString &text);

// Where the parameter values and images come from.
class DataSource
{
public:
    virtual ~DataSource() = default;
    // The text of a parameter for a data row; an empty text when there is no answer.
    virtual QString Value(int recNo, const QString &name, int reportPage) = 0;
    // May replace the prepared image; returns false when it left it as it was.
    virtual bool Image(int recNo, const QString &name, int reportPage, QImage *image) = 0;
};

// One band drawn at one place of a sheet, with the data row it was drawn for.
struct Placement
{
    BandType band;
    int y;     // template units below the top margin
    int recNo;
};

struct Sheet
{
    int reportPage = 0;
    QVector<Placement> placements;
};

// Renders a template in two passes: Prepare() lays the document out into sheets and records the
// aggregate values; PaintSheet() then draws any sheet onto any painter, and Render() runs both
// passes onto a printer (paper, preview or PDF file).
class Renderer final
{
public:
    Renderer(const Template &reportTemplate, const QList<int> &rowCounts, DataSource *source,
             int scriptTimeLimitMs = ScriptEvaluator::DefaultTimeLimitMs);

    // First pass. Forgets the aggregates of any earlier run, so documents never mix.
    void Prepare();

    int SheetCount() const { return m_sheets.size(); }
    const QVector<Sheet> &Sheets() const { return m_sheets; }
    const Page &PageOfSheet(int index) const;
    const Aggregates &AggregateValues() const { return m_aggregates; }

    // Second pass for one sheet: the painter's origin is the top-left corner of the printable
    // area, which measures printablePixels in the painter's device pixels.
    void PaintSheet(int index, QPainter &painter, const QSizeF &printablePixels);

    // Both passes onto a printer. Each report page's paper, margins and orientation are set on
    // the printer. False when painting could not begin or a sheet could not be started.
    bool Render(QPrinter *printer);

private:
    Q_DISABLE_COPY(Renderer)

    void LayoutPage(int index);
    void StartSheet(int reportPage, int *y);
    void Place(BandType type, int y);
    void CollectAggregates(const Band &band);
    void DrawBand(const Band &band, int y, QPainter &painter);
    void DrawField(const Field &field, int bandY, QPainter &painter);
    QImage FileImage(const QString &path, const QSize &target);
    QString RequestValue(const QString &name);

    const Template &m_template;
    const QList<int> m_rowCounts;
    DataSource *m_source;
    ScriptEvaluator m_evaluator;
    Aggregates m_aggregates;
    Expander m_expander;
    QVector<Sheet> m_sheets;
    QHash<QString, QImage> m_fileImages;
    double m_scaleX = 1;
    double m_scaleY = 1;
};

} // namespace Report
