#include "escposprinter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTcpSocket>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// DLE EOT 4: the paper roll sensor.
const char kPaperStatus[] = {0x10, 0x04, 0x04};
// Waiting longer for a status answer only slows printers that never give one.
constexpr int kStatusWaitMs = 300;

QString Unreachable(const QString &target, const QString &why)
{
    return QCoreApplication::translate("EscPosPrinter", "The receipt printer %1 cannot be reached: %2").arg(target, why);
}

// A status byte has bits 1 and 4 set and bits 0 and 7 clear; anything else is not an answer.
bool PaperOut(char status)
{
    return (status & 0x93) == 0x12 && (status & 0x60) != 0;
}

QString PaperOutMessage(const QString &target)
{
    return QCoreApplication::translate("EscPosPrinter", "The receipt printer %1 reports that it is out of paper.").arg(target);
}

QString Incomplete(const QString &target, const QString &why)
{
    return QCoreApplication::translate("EscPosPrinter", "The receipt printer %1 did not take the whole receipt: %2").arg(target, why);
}

int Remaining(const QDeadlineTimer &deadline)
{
    return int(std::max<qint64>(0, deadline.remainingTime()));
}

bool WriteAll(int fd, const char *data, qint64 size, const QDeadlineTimer &deadline)
{
    qint64 done = 0;
    while (done < size) {
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, Remaining(deadline)) <= 0) {
            errno = errno ? errno : ETIMEDOUT;
            return false;
        }
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (n > 0)
            done += n;
        if (deadline.hasExpired() && done < size) {
            errno = ETIMEDOUT;
            return false;
        }
    }
    return true;
}

QString SendToDevice(const QString &path, const QByteArray &bytes, int timeoutMs)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EISDIR))
        fd = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Unreachable(path, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    const bool device = ::fstat(fd, &info) == 0 && S_ISCHR(info.st_mode);
    if (::isatty(fd)) {
        // A serial port keeps the speed it was given; only the line discipline must go.
        termios mode {};
        if (::tcgetattr(fd, &mode) == 0) {
            ::cfmakeraw(&mode);
            ::tcsetattr(fd, TCSANOW, &mode);
        }
    }
    const QDeadlineTimer deadline(timeoutMs);
    QString error;
    if (device && WriteAll(fd, kPaperStatus, sizeof kPaperStatus, deadline)) {
        pollfd p{fd, POLLIN, 0};
        char status = 0;
        if (::poll(&p, 1, std::min(kStatusWaitMs, Remaining(deadline))) > 0
            && ::read(fd, &status, 1) == 1 && PaperOut(status))
            error = PaperOutMessage(path);
    }
    errno = 0;
    if (error.isEmpty() && !WriteAll(fd, bytes.constData(), bytes.size(), deadline))
        error = Incomplete(path, QString::fromLocal8Bit(std::strerror(errno)));
    ::close(fd);
    return error;
}

QString SendToNetwork(const QString &target, const QString &host, quint16 port,
                      const QByteArray &bytes, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTcpSocket socket;
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(Remaining(deadline)))
        return Unreachable(target, socket.errorString());
    socket.write(kPaperStatus, sizeof kPaperStatus);
    if (socket.waitForReadyRead(std::min(kStatusWaitMs, Remaining(deadline)))) {
        char status = 0;
        if (socket.read(&status, 1) == 1 && PaperOut(status))
            return PaperOutMessage(target);
    }
    socket.write(bytes);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(Remaining(deadline)))
            return Incomplete(target, socket.errorString());
    }
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        socket.waitForDisconnected(Remaining(deadline));
    return QString();
}

} // namespace

namespace EscPosPrinter {

Target ParseTarget(const QString &text)
{
    const QString t = text.trimmed();
    Target target;
    if (t.startsWith(QLatin1Char('/'))) {
        target.device = t;
        return target;
    }
    QString host = t;
    QString port;
    if (t.startsWith(QLatin1Char('['))) { // [v6 address]:port
        const int close = t.indexOf(QLatin1Char(']'));
        if (close < 0)
            return Target();
        host = t.mid(1, close - 1);
        const QString rest = t.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return Target();
        port = rest.mid(1);
    } else if (t.count(QLatin1Char(':')) == 1) {
        host = t.section(QLatin1Char(':'), 0, 0);
        port = t.section(QLatin1Char(':'), 1);
    }
    if (host.isEmpty() || host.contains(QLatin1Char(' ')))
        return Target();
    if (!port.isNull()) {
        bool ok = false;
        const uint number = port.toUInt(&ok);
        if (!ok || number == 0 || number > 65535)
            return Target();
        target.port = quint16(number);
    }
    target.host = host;
    return target;
}

QString Send(const QString &text, const QByteArray &bytes, int timeoutMs)
{
    if (text.trimmed().isEmpty())
        return QCoreApplication::translate("EscPosPrinter", "No ESC/POS receipt printer is set up. Please enter its device file or network "
                  "address in the printer settings.");
    const Target target = ParseTarget(text);
    if (!target.IsValid())
        return QCoreApplication::translate("EscPosPrinter", "The receipt printer \"%1\" is not a device file or a network address "
                  "(host:port). Please correct it in the printer settings.")
            .arg(text.trimmed());
    if (!target.device.isEmpty())
        return SendToDevice(target.device, bytes, timeoutMs);
    return SendToNetwork(text.trimmed(), target.host, target.port, bytes, timeoutMs);
}

} // namespace EscPosPrinter
