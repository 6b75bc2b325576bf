#pragma once

#include "reporttemplate.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>

class QAction;
class QPrinter;
class QPrintPreviewDialog;
class QPrintPreviewWidget;

// Prints, previews or writes to PDF one document laid out by an XML report template. The caller
// loads a template, appends the number of data rows of each report page to rowCounts, connects
// setValue and setValueImage to slots that answer the parameter requests, and calls one output
// operation. The engine is a widget only to parent dialogs and filter the preview's events; it
// is never shown.
class ReportEngine final : public QWidget
{
    Q_OBJECT
public:
    explicit ReportEngine(QWidget *parent = nullptr);
    ~ReportEngine() override;

    // A resource path such as ":/xml/reports/sales_receipt.xml", or a file. False when it cannot
    // be read, is not well-formed or describes no printable page; LastError() says why.
    bool loadTemplate(const QString &path);
    QString LastError() const { return m_lastError; }
    const Report::Template &LoadedTemplate() const { return m_template; }

    // Data rows per report page, in the order of the template's report pages.
    QList<int> rowCounts;

    // To the report printer (isReport) or the receipt printer, or into the PDF file when the
    // matching print-to-PDF setting is on (after a notice the user can switch off).
    bool printDocument(bool isReport);
    // A modal print preview; returns when the user closes it.
    void previewDocument(QWidget *parent);
    // Into the PDF file, which is then opened; no setting is consulted.
    bool printToPdfFile();

    // Both render passes onto a printer of the caller's choosing.
    bool Render(QPrinter *printer);
    int LastSheetCount() const { return m_lastSheetCount; }

    // What the PDF file is named after: kind ("receipt", "order", ...) and number.
    void SetDocumentName(const QString &kind, const QString &number = QString());
    // The PDF file last written by the program (see documentfiles.h); empty before the first.
    static QString PdfFilePath();

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void setValue(int &recNo, QString &paramName, QVariant &paramValue, int reportPage);
    void setValueImage(int &recNo, QString &paramName, QImage &paramValue, int reportPage);

public slots:
    void printPreview(QPrinter *printer);
    void closePreview();

private:
    Q_DISABLE_COPY(ReportEngine)
    class Source;

    void PrepareForPdf(QPrinter *printer) const;
    static void OpenPdf(const QPrinter &printer);

    QString m_documentKind = QStringLiteral("document");
    QString m_documentNumber;
    Report::Template m_template;
    QString m_lastError;
    int m_lastSheetCount = 0;
    QPointer<QPrintPreviewDialog> m_previewDialog;
    QPointer<QPrintPreviewWidget> m_previewWidget;
    QList<QAction *> m_previewActions;
};
