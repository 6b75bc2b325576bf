#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace QuillboxTest {

// A stand-in ESC/POS network printer on 127.0.0.1, on a free port of its own, served from a
// thread of its own so that the program's blocking sends can be answered. It keeps what every
// connection sent and answers each DLE EOT status request with a status byte.
class EscPosListener final
{
public:
    // 0x12: paper present, nothing to report. Port 0: any free port.
    explicit EscPosListener(char status = 0x12, bool answers = true, quint16 port = 0);
    ~EscPosListener();

    bool IsListening() const { return m_fd >= 0; }
    quint16 Port() const { return m_port; }
    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

    // Waits until count connections have closed (at most timeoutMs); what each one sent.
    QList<QByteArray> Received(int count = 1, int timeoutMs = 5000) const;

private:
    void Serve();
    void Take(int client);

    int m_fd = -1;
    quint16 m_port = 0;
    const char m_status;
    const bool m_answers;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_received;
    std::thread m_thread;
};

// The bytes as text: printable runs in the code page the stream chose, commands as [marks],
// raster images as rows of '#' and '.'.
QString DecodeEscPos(const QByteArray &bytes);

} // namespace QuillboxTest
