#pragma once

#include "receipt.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// How the receipt printer is driven when it speaks ESC/POS itself instead of going through the
// system's printer queue.
struct EscPosOptions {
    bool enabled = false; // the receipt printer kind is ESC/POS
    QString target; // a device file ("/dev/usb/lp0", a serial port) or "host:port"
    int columns = Setting::EscPosColumns.number; // characters per line: 32, 42 or 48
    QString codePage = QString::fromLatin1(Setting::EscPosCodePage.text);
    bool cut = Setting::EscPosCut.number != 0;
    // Open the cash drawer once a cash payment is recorded.
    bool drawerOnCash = Setting::EscPosDrawerOnCash.number != 0;
    int drawerPin = Setting::EscPosDrawerPin.number; // 2 or 5
    int pulseOnMs = Setting::EscPosPulseOnMs.number;
    int pulseOffMs = Setting::EscPosPulseOffMs.number;

    static EscPosOptions FromSettings();
    void Save() const;
};

// Rendering to printer bytes: pure functions, no device and no widget.
namespace EscPos {

// The code pages offered, and their ESC t numbers (-1 for a name not offered).
QStringList CodePages();
int CodePageNumber(const QString &codePage);
// Characters per line a printer of that width takes.
QList<int> ColumnChoices();

// Text in the code page: what it cannot hold, and every control character, becomes one "?", so
// no typed text can reach the printer as a command.
QByteArray Encode(const QString &text, const QString &codePage);
// The same bytes read back; for showing and checking what was printed.
QString Decode(const QByteArray &bytes, const QString &codePage);

// The small receipt: the painted receipt's content in its order, then the cut.
QByteArray Receipt(const ReceiptData &data, const ReceiptOptions &receipt,
                   const EscPosOptions &options);
// The cash drawer's pulse on its pin.
QByteArray DrawerPulse(const EscPosOptions &options);
// An image as one raster command, widthDots wide at most: dark where the image is dark on
// white (transparent counts as white).
QByteArray Raster(const QImage &image);

} // namespace EscPos
