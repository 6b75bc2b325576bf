#include "reportengine.h"

#include "appsettings.h"
#include "documentfiles.h"
#include "errordialog.h"
#include "reportrenderer.h"

#include <QAction>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QToolBar>
#include <QUrl>

// Answers the renderer's requests through the engine's signals, which the caller's slots answer
// synchronously.
class ReportEngine::Source final : public Report::DataSource
{
public:
    explicit Source(ReportEngine *engine) : m_engine(engine) {}

    QString Value(int recNo, const QString &name, int reportPage) override
    {
        // The slots take references; hand them copies so a slot cannot disturb the run.
        int row = recNo;
        QString paramName = name;
        QVariant value;
        emit m_engine->setValue(row, paramName, value, reportPage);
        return value.toString();
    }

    bool Image(int recNo, const QString &name, int reportPage, QImage *image) override
    {
        int row = recNo;
        QString paramName = name;
        const qint64 prepared = image->cacheKey();
        emit m_engine->setValueImage(row, paramName, *image, reportPage);
        return image->cacheKey() != prepared;
    }

private:
    ReportEngine *m_engine;
};

ReportEngine::ReportEngine(QWidget *parent) : QWidget(parent)
{
    // Explicitly hidden, so showing the parent never shows the engine.
    setVisible(false);
}

ReportEngine::~ReportEngine() = default;

bool ReportEngine::loadTemplate(const QString &path)
{
    if (m_template.Load(path)) {
        m_lastError.clear();
        return true;
    }
    m_lastError = m_template.ErrorString();
    return false;
}

QString ReportEngine::PdfFilePath()
{
    return DocumentFiles::LastWritten();
}

void ReportEngine::SetDocumentName(const QString &kind, const QString &number)
{
    m_documentKind = kind;
    m_documentNumber = number;
}

void ReportEngine::PrepareForPdf(QPrinter *printer) const
{
    printer->setOutputFileName(DocumentFiles::NewPath(m_documentKind, m_documentNumber));
    // The template's own margins replace these once the render sets each report page's paper.
    QMarginsF margins = printer->pageLayout().margins(QPageLayout::Millimeter);
    margins.setLeft(margins.left() + 20);
    printer->setPageMargins(margins, QPageLayout::Millimeter);
}

void ReportEngine::OpenPdf(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        DocumentFiles::Show(printer.outputFileName());
}

bool ReportEngine::Render(QPrinter *printer)
{
    Source source(this);
    Report::Renderer renderer(m_template, rowCounts, &source);
    const bool ok = renderer.Render(printer);
    m_lastSheetCount = renderer.SheetCount();
    if (!ok)
        qWarning() << "The report could not be rendered on" << printer->printerName()
                   << printer->outputFileName();
    return ok;
}

bool ReportEngine::printDocument(bool isReport)
{
    QPrinter printer(QPrinter::HighResolution);
    const AppSettings &settings = AppSettings::Instance();
    if (settings.Bool(isReport ? Setting::ReportPrintToPdf : Setting::ReceiptPrintToPdf)) {
        const QString text =
            isReport ? tr("Please change Report Printer settings from Settings dialog. Currently "
                          "it is configured to print to PDF file.")
                     : tr("Please change Receipt/Ticket Printer settings from Settings dialog. "
                          "Currently it is configured to print to PDF file.");
        ErrorDialog notice(QStringLiteral("err_msg_1"), tr("Print to PDF"), text, parentWidget());
        notice.exec();
        PrepareForPdf(&printer);
    } else {
        printer.setPrinterName(
            settings.Text(isReport ? Setting::ReportPrinter : Setting::ReceiptPrinter));
    }
    const bool ok = Render(&printer);
    // A file that was not written must not be opened: it would show an older document.
    if (ok)
        OpenPdf(printer);
    return ok;
}

bool ReportEngine::printToPdfFile()
{
    QPrinter printer(QPrinter::HighResolution);
    PrepareForPdf(&printer);
    const bool ok = Render(&printer);
    if (ok)
        OpenPdf(printer);
    return ok;
}

void ReportEngine::previewDocument(QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    // Previews use the receipt printer for receipts and reports alike.
    printer.setPrinterName(
        AppSettings::Instance().Text(Setting::ReceiptPrinter));

    auto *dialog = new QPrintPreviewDialog(&printer, parent);
    m_previewDialog = dialog;
    m_previewWidget = dialog->findChild<QPrintPreviewWidget *>();
    if (m_previewWidget)
        m_previewWidget->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(dialog, &QPrintPreviewDialog::paintRequested, this, &ReportEngine::printPreview);

    const QList<QToolBar *> toolBars = dialog->findChildren<QToolBar *>();
    if (!toolBars.isEmpty()) {
        auto *close = new QAction(QIcon(QStringLiteral(":/resources/images/close.png")),
                                  tr("&Close..."), dialog);
        toolBars.first()->addAction(close);
        toolBars.first()->update();
        connect(close, &QAction::triggered, this, &ReportEngine::closePreview);
    }

    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        dialog->setGeometry(QRect(QPoint(available.left() + 5, available.top() + 30),
                                  QPoint(available.right() - 6, available.bottom() - 6)));
    }

    m_previewActions = dialog->findChildren<QAction *>();
    if (m_previewWidget)
        m_previewWidget->installEventFilter(this);

    dialog->setModal(false);
    dialog->exec();
    m_previewActions.clear();
    delete dialog;
}

void ReportEngine::printPreview(QPrinter *printer)
{
    Render(printer);
}

void ReportEngine::closePreview()
{
    if (m_previewDialog)
        m_previewDialog->close();
}

bool ReportEngine::eventFilter(QObject *watched, QEvent *event)
{
    // The type is tested first: while the preview widget is being destroyed it still sends
    // events here, and looking at the guarded pointer then would touch a half-gone object.
    if (event->type() == QEvent::Show && watched == m_previewWidget) {
        // Open the preview on the first sheet.
        for (QAction *action : qAsConst(m_previewActions)) {
            if (action && action->text().contains(QLatin1String("Previous page"), Qt::CaseInsensitive))
                action->trigger();
        }
        m_previewWidget->setCurrentPage(1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
