#pragma once

#include "settingkeys.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

// One line of the basket as the sale screen shows it; every value is the screen's text.
struct ReceiptLine {
    QString product;
    QString quantity; // units, as typed
    QString subQuantity; // loose sub-items, as typed
    QString price; // price of one unit
    QString discount; // discount amount of the line, 2 decimals
    QString lineTotal; // net amount of the line, 2 decimals
};

// Everything a receipt prints. Amounts are the texts of the sale screen's fields.
struct ReceiptData {
    QString companyName;
    QString companyAddress;
    QString companyContact;
    QString receiptNumber; // the recorded sale's ID; empty before payment
    QDateTime date; // when invalid, the moment of printing
    QString customerName;
    QString customerAddress;
    QString customerContact;
    QVector<ReceiptLine> lines;
    QString subTotal; // the sum of the shown line totals, 2 decimals
    QString taxName;
    QString taxRate; // not printed by the shipped layouts; kept for callers that show it
    QString taxAmount;
    QString grandTotal;
    QString paid;
    QString change; // the money handed back, never negative
    double discountTotal = 0; // the small receipt prints it when above 0

    // Company data and tax name from the settings, with their defaults; the rest empty.
    static ReceiptData WithShopSettings();
};

// The settings that shape a receipt, with their defaults.
struct ReceiptOptions {
    bool smallReceipt = Setting::SmallReceipt.number == 1;
    bool subItemsMode = false;
    bool enableTax = Setting::EnableTax.number != 0;
    QString currency;
    QString logoPath = QString::fromLatin1(Setting::ReceiptLogo.text);
    bool printLogo = Setting::PrintLogo.number != 0;
    int logoSize = Setting::LogoSize.number;
    // Small receipt output.
    bool printToPdf = Setting::ReceiptPrintToPdf.number != 0;
    QString printer;
    int paperWidth = Setting::PaperWidth.number; // millimetres
    int paperHeight = Setting::PaperHeight.number;
    int marginLeft = Setting::MarginLeft.number;
    int marginTop = Setting::MarginTop.number;
    int marginRight = Setting::MarginRight.number;
    int marginBottom = Setting::MarginBottom.number;
    // Template of the large receipt; empty: the one the sub-items and tax switches choose.
    QString largeTemplate;

    static ReceiptOptions FromSettings();
};

// The sale screen's receipts: a small roll receipt painted line by line, or the A4 receipt laid
// out by the report engine from one of four templates.
namespace Receipt {

// Print (F3) or preview (F4) the receipt kind the settings choose. False when nothing was
// produced (a template that cannot be loaded is reported to the user).
bool Print(const ReceiptData &data, QWidget *parent = nullptr);
bool Preview(const ReceiptData &data, QWidget *parent = nullptr);
// The same with the settings given instead of read.
bool Print(const ReceiptData &data, const ReceiptOptions &options, QWidget *parent);
bool Preview(const ReceiptData &data, const ReceiptOptions &options, QWidget *parent);

// The template of the large receipt for the sub-items and tax switches.
QString TemplateFor(bool subItemsMode, bool enableTax);

// The answer to one parameter request of the large receipt's templates; an invalid variant for
// a name the receipts do not know, which leaves the request unanswered.
QVariant ParameterValue(const ReceiptData &data, const ReceiptOptions &options, int recNo,
                        const QString &name);

// "dddd, d MMMM yy hh:mm:ss" of the data's date, or of now when it has none.
QString DateText(const ReceiptData &data);

// The texts of one small-receipt line: quantity column and price column.
QString QuantityText(const ReceiptLine &line, bool subItemsMode);
QString PriceText(const ReceiptLine &line);
// The totals in the order the small receipt prints them, and its discount line (empty when the
// sale had no discount).
QStringList TotalTexts(const ReceiptData &data, const ReceiptOptions &options);
QString DiscountText(const ReceiptData &data, const ReceiptOptions &options);

// The logo image of a path, read again only when the file's time or size changes.
QImage Logo(const QString &path);
// Side of the square logo on a small receipt whose printable width is width pixels.
int LogoSide(int width, int logoSize);

// Paints the small receipt onto a painter whose origin is the top-left corner of the printable
// area of pageSize pixels; upside down for paper, which leaves the roll printer head first.
// newPage is called when the lines run past the page; it returns false when no further page
// can be started (the rest is then not drawn).
void PaintSmall(QPainter &painter, const QSize &pageSize, const ReceiptData &data,
                const ReceiptOptions &options, bool upsideDown,
                const std::function<bool()> &newPage);

// Sets up a printer for the small receipt: paper, margins and, unless it goes to a printer,
// the PDF file. Shows the print-to-PDF notice when the settings send receipts to PDF.
void SetUpSmallPrinter(QPrinter &printer, const ReceiptOptions &options, bool preview,
                       QWidget *parent, const QString &receiptNumber = QString());
// Both receipt kinds onto a printer that is already set up; no dialog, no viewer.
bool RenderSmall(QPrinter &printer, const ReceiptData &data, const ReceiptOptions &options);
bool RenderLarge(QPrinter &printer, const ReceiptData &data, const ReceiptOptions &options);

} // namespace Receipt
