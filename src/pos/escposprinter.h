#pragma once

#include <QByteArray>
#include <QString>

// Sends bytes straight to an ESC/POS printer: a device file ("/dev/usb/lp0", a serial port) or
// a network printer ("host:9100", "host" alone meaning port 9100). Blocking, every wait bounded.
namespace EscPosPrinter {

struct Target {
    QString device; // set for a device file
    QString host; // set for a network printer
    quint16 port = 9100;
    bool IsValid() const { return !device.isEmpty() || !host.isEmpty(); }
};
Target ParseTarget(const QString &text);

// Asks the printer for its paper sensor first (DLE EOT 4) and refuses when it reports the paper
// out; a printer that does not answer is sent the bytes all the same. Empty on success, else
// the message for the user.
QString Send(const QString &target, const QByteArray &bytes, int timeoutMs = 3000);

} // namespace EscPosPrinter
