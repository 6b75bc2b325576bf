#include "receipt.h"

#include "appsettings.h"
#include "documentfiles.h"
#include "errordialog.h"
#include "escpos.h"
#include "escposprinter.h"
#include "reportengine.h"
#include "reportrenderer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QUrl>

#include <algorithm>

namespace {

// The stored text, or fallback when it is empty.
QString Text(const SettingKey &key, const QString &fallback)
{
    const QString value = AppSettings::Instance().Text(key);
    return value.isEmpty() ? fallback : value;
}

// "currency + X": the symbol, a blank and the value.
QString Money(const ReceiptOptions &options, const QString &value)
{
    return options.currency + QLatin1Char(' ') + value;
}

// True when the file was shown in the desktop's viewer (or nothing was to be shown).
bool OpenIfPdf(const QPrinter &printer)
{
    return printer.outputFormat() != QPrinter::PdfFormat
        || DocumentFiles::Show(printer.outputFileName());
}

// F4 without a PDF viewer: the same receipt in the program's own preview, not nothing at all.
void PreviewSmallInProgram(const ReceiptData &data, const ReceiptOptions &options,
                           QWidget *parent)
{
    // The paper of the roll, without the PDF file and without its notice a second time.
    ReceiptOptions onScreen = options;
    onScreen.printToPdf = false;
    QPrinter printer(QPrinter::ScreenResolution);
    Receipt::SetUpSmallPrinter(printer, onScreen, false, parent);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QCoreApplication::translate("Receipt", "Receipt Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&data, &options](QPrinter *target) {
                         Receipt::RenderSmall(*target, data, options);
                     });
    dialog.exec();
}

// Loads the large receipt's template into the engine and wires the parameter requests. The
// engine must not outlive data and options.
bool PrepareEngine(ReportEngine &engine, const ReceiptData &data, const ReceiptOptions &options)
{
    engine.rowCounts.append(data.lines.size());
    const QString path = options.largeTemplate.isEmpty()
        ? Receipt::TemplateFor(options.subItemsMode, options.enableTax)
        : options.largeTemplate;
    if (!engine.loadTemplate(path)) {
        qDebug() << "Report's file not found" << engine.LastError();
        return false;
    }
    QObject::connect(&engine, &ReportEngine::setValue, &engine,
                     [&data, &options](int &recNo, QString &name, QVariant &value, int) {
                         const QVariant answer
                             = Receipt::ParameterValue(data, options, recNo, name);
                         if (answer.isValid())
                             value = answer;
                     });
    QObject::connect(&engine, &ReportEngine::setValueImage, &engine,
                     [&options](int &, QString &name, QImage &image, int) {
                         if (name != QLatin1String("image"))
                             return;
                         const QImage logo = Receipt::Logo(options.logoPath);
                         if (!logo.isNull())
                             image = logo;
                     });
    return true;
}

bool PrintLarge(const ReceiptData &data, const ReceiptOptions &options, bool preview,
                QWidget *parent)
{
    ReportEngine engine(parent);
    engine.SetDocumentName(QStringLiteral("receipt"), data.receiptNumber);
    if (!PrepareEngine(engine, data, options)) {
        // An empty page would look like a printed receipt; say what went wrong instead.
        QMessageBox::warning(parent, QCoreApplication::translate("Receipt", "Receipt"),
                             QCoreApplication::translate("Receipt", "The receipt template could not be loaded."));
        return false;
    }
    if (preview) {
        QWidget *mainWindow = AppSettings::Instance().GlobalParent();
        engine.previewDocument(mainWindow ? mainWindow : parent);
        return true;
    }
    return engine.printDocument(false);
}

// Straight to an ESC/POS printer. The sale is recorded whatever happens here; a failure only
// needs saying, and F3 tries again.
bool PrintEscPos(const ReceiptData &data, const ReceiptOptions &options,
                 const EscPosOptions &escPos, QWidget *parent)
{
    const QString error
        = EscPosPrinter::Send(escPos.target, EscPos::Receipt(data, options, escPos));
    if (error.isEmpty())
        return true;
    QMessageBox::warning(parent, QCoreApplication::translate("Receipt", "Receipt Printer"), error);
    return false;
}

bool PrintSmall(const ReceiptData &data, const ReceiptOptions &options, bool preview,
                QWidget *parent)
{
    // A preview is always the painted PDF receipt.
    if (!preview) {
        const EscPosOptions escPos = EscPosOptions::FromSettings();
        if (escPos.enabled)
            return PrintEscPos(data, options, escPos, parent);
    }
    QPrinter printer(QPrinter::ScreenResolution);
    Receipt::SetUpSmallPrinter(printer, options, preview, parent, data.receiptNumber);
    const bool ok = Receipt::RenderSmall(printer, data, options);
    // A file that was not written must not be opened: it would show an older receipt.
    if (ok && !OpenIfPdf(printer) && preview)
        PreviewSmallInProgram(data, options, parent);
    return ok;
}

} // namespace

ReceiptData ReceiptData::WithShopSettings()
{
    ReceiptData data;
    // A shop that has not said who it is prints nothing there: invented names and addresses
    // on a customer's receipt are worse than none.
    data.companyName = Text(Setting::CompanyName, QString());
    data.companyAddress = Text(Setting::CompanyAddress, QString());
    data.companyContact = Text(Setting::CompanyPhone, QString());
    data.taxName = Text(Setting::SalesTaxName, QStringLiteral("TAX"));
    return data;
}

ReceiptOptions ReceiptOptions::FromSettings()
{
    ReceiptOptions o;
    o.smallReceipt = AppSettings::Instance().Int(Setting::SmallReceipt) == 1;
    o.subItemsMode = AppSettings::Instance().Text(Setting::SubItemsMode) == QLatin1String("y");
    o.enableTax = AppSettings::Instance().Bool(Setting::EnableTax);
    o.currency = AppSettings::Instance().Text(Setting::CurrencySymbol);
    o.logoPath = AppSettings::Instance().Text(Setting::ReceiptLogo);
    o.printLogo = AppSettings::Instance().Bool(Setting::PrintLogo);
    o.logoSize = AppSettings::Instance().Int(Setting::LogoSize);
    o.printToPdf = AppSettings::Instance().Bool(Setting::ReceiptPrintToPdf);
    o.printer = AppSettings::Instance().Text(Setting::ReceiptPrinter);
    o.paperWidth = AppSettings::Instance().Int(Setting::PaperWidth);
    o.paperHeight = AppSettings::Instance().Int(Setting::PaperHeight);
    o.marginLeft = AppSettings::Instance().Int(Setting::MarginLeft);
    o.marginTop = AppSettings::Instance().Int(Setting::MarginTop);
    o.marginRight = AppSettings::Instance().Int(Setting::MarginRight);
    o.marginBottom = AppSettings::Instance().Int(Setting::MarginBottom);
    return o;
}

namespace Receipt {

bool Print(const ReceiptData &data, QWidget *parent)
{
    return Print(data, ReceiptOptions::FromSettings(), parent);
}

bool Preview(const ReceiptData &data, QWidget *parent)
{
    return Preview(data, ReceiptOptions::FromSettings(), parent);
}

bool Print(const ReceiptData &data, const ReceiptOptions &options, QWidget *parent)
{
    return options.smallReceipt ? PrintSmall(data, options, false, parent)
                                : PrintLarge(data, options, false, parent);
}

bool Preview(const ReceiptData &data, const ReceiptOptions &options, QWidget *parent)
{
    return options.smallReceipt ? PrintSmall(data, options, true, parent)
                                : PrintLarge(data, options, true, parent);
}

QString TemplateFor(bool subItemsMode, bool enableTax)
{
    if (subItemsMode)
        return enableTax ? QStringLiteral(":/xml/reports/sales_receipt.xml")
                         : QStringLiteral(":/xml/reports/sales_receipt_no_tax.xml");
    return enableTax ? QStringLiteral(":/xml/reports/sales_receipt_no_subitems.xml")
                     : QStringLiteral(":/xml/reports/sales_receipt_no_subitems_no_tax.xml");
}

QString DateText(const ReceiptData &data)
{
    const QDateTime when = data.date.isValid() ? data.date : QDateTime::currentDateTime();
    return when.toString(QStringLiteral("dddd, d MMMM yy hh:mm:ss"));
}

QVariant ParameterValue(const ReceiptData &data, const ReceiptOptions &options, int recNo,
                        const QString &name)
{
    if (name == QLatin1String("company_name"))
        return data.companyName;
    if (name == QLatin1String("company_address"))
        return data.companyAddress;
    if (name == QLatin1String("company_contact"))
        return data.companyContact;
    if (name == QLatin1String("report_message"))
        return QString();
    if (name == QLatin1String("receipt"))
        return data.receiptNumber;
    if (name == QLatin1String("date"))
        return DateText(data);
    if (name == QLatin1String("tax"))
        return Money(options, data.taxAmount);
    if (name == QLatin1String("sub_total"))
        return Money(options, data.subTotal);
    if (name == QLatin1String("grand_total"))
        return Money(options, data.grandTotal);
    if (name == QLatin1String("paid"))
        return Money(options, data.paid);
    if (name == QLatin1String("change"))
        return Money(options, data.change);
    if (name == QLatin1String("Tax_Name"))
        return data.taxName;
    if (name == QLatin1String("customer_name"))
        return data.customerName;
    if (name == QLatin1String("customer_address"))
        return data.customerAddress;
    if (name == QLatin1String("customer_contact"))
        return data.customerContact;

    if (recNo < 0 || recNo >= data.lines.size())
        return QVariant();
    const ReceiptLine &line = data.lines.at(recNo);
    if (name == QLatin1String("SN"))
        return QString::number(recNo); // the basket numbers its lines from 0
    if (name == QLatin1String("Product"))
        return line.product;
    if (name == QLatin1String("Items"))
        return line.quantity;
    if (name == QLatin1String("SubItems"))
        return line.subQuantity;
    if (name == QLatin1String("Price/Item"))
        return line.price;
    if (name == QLatin1String("Discount"))
        return line.discount;
    if (name == QLatin1String("Total"))
        return line.lineTotal;
    return QVariant();
}

QString QuantityText(const ReceiptLine &line, bool subItemsMode)
{
    bool ok = false;
    const int subItems = line.subQuantity.toInt(&ok);
    if (subItemsMode && ok && subItems > 0)
        return QStringLiteral("%1(%2)").arg(line.quantity, line.subQuantity);
    return line.quantity;
}

QString PriceText(const ReceiptLine &line)
{
    bool ok = false;
    const int units = line.quantity.toInt(&ok);
    if (ok && units > 1)
        return QStringLiteral("(%1) %2").arg(line.price, line.lineTotal);
    return line.lineTotal;
}

QStringList TotalTexts(const ReceiptData &data, const ReceiptOptions &options)
{
    QStringList totals;
    if (options.enableTax) {
        totals << QStringLiteral("Sub Total: %1").arg(Money(options, data.subTotal))
               << QStringLiteral("Total %1: %2").arg(data.taxName, Money(options, data.taxAmount));
    }
    totals << QStringLiteral("Grand Total: %1").arg(Money(options, data.grandTotal))
           << QStringLiteral("Paid %1").arg(Money(options, data.paid))
           << QCoreApplication::translate("Receipt", "Change due %1")
                  .arg(Money(options, data.change));
    return totals;
}

QString DiscountText(const ReceiptData &data, const ReceiptOptions &options)
{
    if (!(data.discountTotal > 0))
        return QString();
    return QStringLiteral("Total Discount: %1")
        .arg(Money(options, QString::number(data.discountTotal, 'f', 2)));
}

QImage Logo(const QString &path)
{
    // Read again when the file changes, so a logo replaced at the same path (or one missing
    // when first asked for) prints without a restart.
    struct Cached {
        QDateTime modified;
        qint64 size = -1;
        QImage image;
    };
    static QHash<QString, Cached> cache;
    const QFileInfo file(path);
    const QDateTime modified = file.lastModified();
    const qint64 size = file.exists() ? file.size() : -1;
    auto found = cache.find(path);
    if (found == cache.end() || found->modified != modified || found->size != size)
        found = cache.insert(path, {modified, size, QImage(path)});
    return found->image;
}

int LogoSide(int width, int logoSize)
{
    if (logoSize <= 0 || width <= 0)
        return 0;
    const double side = width / (10.0 / logoSize * 3);
    return std::clamp(static_cast<int>(side), 0, width - 1);
}

void PaintSmall(QPainter &painter, const QSize &pageSize, const ReceiptData &data,
                const ReceiptOptions &options, bool upsideDown,
                const std::function<bool()> &newPage)
{
    const int W = pageSize.width();
    const int H = pageSize.height();
    QFont font(QStringLiteral("Arial"), 7, QFont::Normal);
    QFont fixed = font;
    fixed.setFixedPitch(true);
    painter.setFont(font);
    const int h = painter.fontMetrics().height();
    painter.save();
    if (upsideDown) {
        painter.translate(W, H);
        painter.rotate(180);
    }

    const auto draw = [&painter](const QRect &box, int flags, const QString &text) {
        Report::DrawFittedText(painter, box, flags, text);
    };

    int y = 0;
    const QString header = data.companyName + QLatin1Char('\n') + data.companyAddress
        + QLatin1Char('\n') + data.companyContact;
    if (options.printLogo) {
        const int L = LogoSide(W, options.logoSize);
        const QImage logo = Logo(options.logoPath);
        if (!logo.isNull() && L > 0)
            painter.drawImage(QRect(W - L - 1, 0, L, L), logo);
        const QRect box = painter.boundingRect(QRect(0, 0, W - L, L), Qt::AlignCenter, header);
        if (box.width() <= W - L)
            painter.drawText(QRect(0, 0, box.width(), box.height()), Qt::AlignCenter, header);
        else // too wide: it would print over the logo
            draw(QRect(0, 0, W - L, std::max(L, box.height())), Qt::AlignCenter, header);
        y = std::max(L, box.height()) + 9;
    } else {
        draw(QRect(0, 0, W, 5 * h), Qt::AlignCenter, header);
        y = 5 * h + 9;
    }

    painter.drawLine(0, y, W, y);
    y += 5;
    draw(QRect(0, y, W, h), Qt::AlignLeft, QStringLiteral("Date: %1").arg(DateText(data)));
    y += h + 5;
    draw(QRect(0, y, W, h), Qt::AlignLeft,
         QStringLiteral("Receipt Nr.: %1").arg(data.receiptNumber));
    y += h + 5;
    if (!data.customerName.isEmpty()) {
        draw(QRect(0, y, W, h), Qt::AlignLeft,
             QCoreApplication::translate("Receipt", "Customer: %1").arg(data.customerName));
        y += h + 5;
    }
    painter.drawLine(0, y, W, y);
    y += 5;
    draw(QRect(0, y, W, h), Qt::AlignLeft, QStringLiteral("Qty"));
    draw(QRect(25, y, W - 25, h), Qt::AlignLeft, QStringLiteral("Product"));
    draw(QRect(0, y, W, h), Qt::AlignRight, QStringLiteral("Price"));
    y += h + 5;

    bool more = true;
    const auto advance = [&] {
        y += h + 5;
        if (H < y + h) {
            more = newPage && newPage();
            y = 0;
        }
    };

    for (int i = 0; i < data.lines.size() && more; ++i) {
        const ReceiptLine &line = data.lines.at(i);
        draw(QRect(0, y, 25, h), Qt::AlignLeft, QuantityText(line, options.subItemsMode));
        const QString price = PriceText(line);
        painter.setFont(fixed);
        const int P = painter.fontMetrics().horizontalAdvance(price);
        painter.setFont(font);
        const int nameWidth = std::max(0, W - P - 30);
        const QString name
            = painter.fontMetrics().elidedText(line.product, Qt::ElideMiddle, nameWidth);
        painter.drawText(QRect(25, y, nameWidth, h), Qt::AlignLeft, name);
        painter.setFont(fixed);
        draw(QRect(0, y, W, h), Qt::AlignRight, price);
        painter.setFont(font);
        advance();
    }

    if (more) {
        painter.drawLine(0, y, W, y);
        y += 5;
        if (H < y + h) {
            more = newPage && newPage();
            y = 0;
        }
    }
    const QStringList totals = TotalTexts(data, options);
    for (int i = 0; i < totals.size() && more; ++i) {
        draw(QRect(0, y, W, h), Qt::AlignRight, totals.at(i));
        advance();
    }
    if (more && data.discountTotal > 0)
        draw(QRect(0, y, W, h), Qt::AlignLeft, DiscountText(data, options));
    painter.restore();
}

void SetUpSmallPrinter(QPrinter &printer, const ReceiptOptions &options, bool preview,
                       QWidget *parent, const QString &receiptNumber)
{
    if (options.printToPdf) {
        ErrorDialog notice(
            QStringLiteral("err_msg_1"), QCoreApplication::translate("Receipt", "Print to PDF"),
            QCoreApplication::translate("Receipt", "Please change Receipt/Ticket Printer settings from Settings dialog. "
                           "Currently it is configured to print to PDF file. Please make sure "
                           "Adobe Reader is installed, which is required to view the PDF "
                           "receipt."),
            parent);
        notice.exec();
    }
    if (options.printToPdf || preview) {
        printer.setOutputFileName(DocumentFiles::NewPath(QStringLiteral("receipt"), receiptNumber));
    } else {
        printer.setPrinterName(options.printer);
    }
    // A paper size of 0 (the settings page allows it) has no page at all; keep the default roll.
    const ReceiptOptions defaults;
    const QSizeF paper(options.paperWidth > 0 ? options.paperWidth : defaults.paperWidth,
                       options.paperHeight > 0 ? options.paperHeight : defaults.paperHeight);
    printer.setPageSize(QPageSize(paper, QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    printer.setPageMargins(
        QMarginsF(options.marginLeft, options.marginTop, options.marginRight, options.marginBottom),
        QPageLayout::Millimeter);
}

bool RenderSmall(QPrinter &printer, const ReceiptData &data, const ReceiptOptions &options)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        qWarning() << "The receipt could not be printed on" << printer.printerName()
                   << printer.outputFileName();
        return false;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const bool upsideDown = printer.outputFormat() != QPrinter::PdfFormat;
    PaintSmall(painter, page.size(), data, options, upsideDown,
               [&printer] { return printer.newPage(); });
    return painter.end();
}

bool RenderLarge(QPrinter &printer, const ReceiptData &data, const ReceiptOptions &options)
{
    ReportEngine engine;
    return PrepareEngine(engine, data, options) && engine.Render(&printer);
}

} // namespace Receipt
