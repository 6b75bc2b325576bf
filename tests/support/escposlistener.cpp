#include "escposlistener.h"

#include "escpos.h"

#include <QDeadlineTimer>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace QuillboxTest {

EscPosListener::EscPosListener(char status, bool answers, quint16 port)
    : m_status(status)
    , m_answers(answers)
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t size = sizeof address;
    const int reuse = 1; // a printer back on the port it had a moment ago
    if (m_fd >= 0)
        ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(m_fd, 16) != 0
        || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &size) != 0) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

EscPosListener::~EscPosListener()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

void EscPosListener::Serve()
{
    // Bounded: the test that owns the listener ends long before this.
    const QDeadlineTimer deadline(10 * 60 * 1000);
    while (!m_stop && !deadline.hasExpired()) {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0)
            Take(client);
    }
}

void EscPosListener::Take(int client)
{
    QByteArray bytes;
    const QDeadlineTimer deadline(10000);
    while (!m_stop && !deadline.hasExpired()) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::read(client, chunk, sizeof chunk);
        if (n <= 0)
            break;
        const int before = bytes.size();
        bytes.append(chunk, int(n));
        // Answer each status request as a printer would, the moment it arrives.
        for (int i = std::max(0, before - 2); m_answers && i + 2 < bytes.size(); ++i) {
            if (bytes.at(i) == 0x10 && bytes.at(i + 1) == 0x04 && bytes.at(i + 2) >= 1
                && bytes.at(i + 2) <= 4)
                (void)::write(client, &m_status, 1);
        }
    }
    ::close(client);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_received.append(bytes);
}

QList<QByteArray> EscPosListener::Received(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_received.size() >= count || deadline.hasExpired())
                return m_received;
        }
        QThread::msleep(5);
    }
}

QString DecodeEscPos(const QByteArray &bytes)
{
    QString out;
    QString codePage = QStringLiteral("CP437");
    QByteArray text;
    const auto flush = [&] {
        out += EscPos::Decode(text, codePage);
        text.clear();
    };
    const auto at = [&bytes](int i) { return i < bytes.size() ? uchar(bytes.at(i)) : 0; };
    int i = 0;
    while (i < bytes.size()) {
        const uchar c = at(i);
        if (c >= 0x20 && c != 0x7f) {
            text.append(char(c));
            ++i;
            continue;
        }
        flush();
        const uchar a = at(i + 1), n = at(i + 2);
        if (c == '\n') {
            out += QLatin1Char('\n');
            i += 1;
        } else if (c == 0x1b && a == '@') {
            out += QStringLiteral("[init]");
            i += 2;
        } else if (c == 0x1b && a == 't') {
            for (const QString &name : EscPos::CodePages()) {
                if (EscPos::CodePageNumber(name) == n)
                    codePage = name;
            }
            out += QStringLiteral("[code page %1]").arg(n);
            i += 3;
        } else if (c == 0x1b && a == 'a') {
            out += QStringLiteral("[align %1]").arg(n == 1 ? "centre" : n == 2 ? "right" : "left");
            i += 3;
        } else if (c == 0x1b && a == 'E') {
            out += n ? QStringLiteral("[bold]") : QStringLiteral("[/bold]");
            i += 3;
        } else if (c == 0x1b && a == '!') {
            out += QStringLiteral("[mode%1%2]")
                       .arg(n & 0x08 ? " bold" : "", n & 0x10 ? " double-height" : "");
            i += 3;
        } else if (c == 0x1b && a == 'd') {
            out += QStringLiteral("[feed %1]").arg(n);
            i += 3;
        } else if (c == 0x1b && a == 'p') {
            out += QStringLiteral("[drawer pin %1 on %2 ms off %3 ms]")
                       .arg(n == 1 ? 5 : 2)
                       .arg(at(i + 3) * 2)
                       .arg(at(i + 4) * 2);
            i += 5;
        } else if (c == 0x1d && a == 'V') {
            out += n == 1 || n == 49 ? QStringLiteral("[cut partial]")
                                     : QStringLiteral("[cut]");
            i += 3;
        } else if (c == 0x1d && a == 'v' && n == '0') {
            const int widthBytes = at(i + 4) | at(i + 5) << 8;
            const int rows = at(i + 6) | at(i + 7) << 8;
            out += QStringLiteral("[raster %1x%2]\n").arg(widthBytes * 8).arg(rows);
            i += 8;
            for (int y = 0; y < rows; ++y) {
                for (int x = 0; x < widthBytes; ++x, ++i) {
                    for (int bit = 0; bit < 8; ++bit)
                        out += at(i) & (0x80 >> bit) ? QLatin1Char('#') : QLatin1Char('.');
                }
                out += QLatin1Char('\n');
            }
        } else if (c == 0x10 && a == 0x04) {
            out += QStringLiteral("[status %1]").arg(n);
            i += 3;
        } else {
            out += QStringLiteral("[0x%1]").arg(c, 2, 16, QLatin1Char('0'));
            i += 1;
        }
    }
    flush();
    return out;
}

} // namespace QuillboxTest
