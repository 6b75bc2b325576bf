#pragma once

// Small helpers shared by the report tests: a scripted data source, building templates from
// XML snippets, and reading rendered PDF files back as text.

#include "reportrenderer.h"
#include "reporttemplate.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace ReportTest {

// Answers parameters from a table: per-row values win over values for every row. Every request
// is recorded, so tests can see exactly which names reached the caller.
class MapSource final : public Report::DataSource
{
public:
    QHash<QString, QString> values;
    QHash<QString, QStringList> rowValues; // name -> value per row
    QImage image;                          // supplied for every image request when not null
    QStringList requested;                 // names, in request order
    QStringList imageRequests;
    QList<int> requestedRows;

    QString Value(int recNo, const QString &name, int /*reportPage*/) override
    {
        requested.append(name);
        requestedRows.append(recNo);
        const auto row = rowValues.constFind(name);
        if (row != rowValues.constEnd() && recNo >= 0 && recNo < row->size())
            return row->at(recNo);
        return values.value(name);
    }

    bool Image(int /*recNo*/, const QString &name, int /*reportPage*/, QImage *target) override
    {
        imageRequests.append(name);
        if (image.isNull())
            return false;
        *target = image;
        return true;
    }

    QStringList DistinctRequests() const
    {
        QStringList names = requested + imageRequests;
        names.removeDuplicates();
        names.sort();
        return names;
    }
};

// A report page of A4 paper with the shipped margins around the given bands.
inline QByteArray PageXml(const QString &bands, const QString &extraAttributes = QString())
{
    return QStringLiteral("<Reports><Report pageWidth=\"840\" pageHeight=\"1188\" marginsLeft=\"80\" "
                          "marginsRight=\"80\" marginsTop=\"40\" marginsBottom=\"200\" %1>%2</Report>"
                          "</Reports>")
        .arg(extraAttributes, bands)
        .toUtf8();
}

inline QString BandXml(const QString &type, int height, const QString &fields = QString())
{
    return QStringLiteral("<ReportBand type=\"%1\" height=\"%2\">%3</ReportBand>")
        .arg(type)
        .arg(height)
        .arg(fields);
}

// A bordered label; attributes override the defaults given here.
inline QString LabelXml(const QString &value, const QString &attributes = QString())
{
    return QStringLiteral("<TContainerField type=\"label\" value=\"%1\" left=\"0\" top=\"0\" "
                          "width=\"400\" height=\"20\" fontSize=\"10\" "
                          "fontColor=\"rgba(0,0,0,255)\" %2/>")
        .arg(value.toHtmlEscaped(), attributes);
}

inline QString DataPath(const QString &file)
{
    return QStringLiteral(QUILLBOX_REPORT_TEST_DATA "/") + file;
}

inline QString PdfToTextTool()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// The text of one page of a PDF file (1-based), laid out as on paper; all pages with page 0.
inline QString PdfText(const QString &pdf, int page = 0)
{
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess process;
    process.start(PdfToTextTool(), args);
    process.waitForFinished(30000);
    // Fonts may set "fi" as one ligature glyph; compatibility normalisation spells it out.
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

inline int PdfPageCount(const QString &pdf)
{
    // pdftotext separates pages by form feeds.
    return PdfText(pdf).count(QLatin1Char('\f'));
}

} // namespace ReportTest
