#include "testsupport.h"

#include "aboutdialog.h"
#include "appsettings.h"
#include "progress.h"
#include "versionwebserviceclient.h"

#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

#include <memory>

using QuillboxTest::DialogDriver;

namespace {
// A version service on this machine: answers every GET with the set status and body, or
// keeps the connection open without a word.
class FakeVersionService final : public QObject
{
public:
    FakeVersionService()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
        });
    }

    QString Address() const
    {
        return QStringLiteral("http://127.0.0.1:%1/version").arg(m_server.serverPort());
    }

    int status = 200;
    QByteArray body;
    bool silent = false;
    QList<QUrl> requests;

private:
    void Answer(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> requestLine = pending.left(pending.indexOf("\r\n")).split(' ');
        requests.append(QUrl(QString::fromLatin1(requestLine.value(1))));
        if (silent)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: "
                      "application/json\r\nConnection: close\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

bool ProgressVisible(QWidget *dialog)
{
    const auto all = dialog->findChildren<Progress *>();
    for (Progress *progress : all) {
        if (progress->isVisible())
            return true;
    }
    return false;
}

// Presses Check Version and waits until the answer has been dealt with.
bool CheckAndWait(AboutDialog &dialog)
{
    dialog.on_pushCheckVersion_clicked();
    QSignalSpy handled(dialog.CurrentClient(), &VersionWebServiceClient::Handled);
    return handled.wait(10000);
}
} // namespace

class TestAbout : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QuillboxTest::ResetState();
        m_service = std::make_unique<FakeVersionService>();
        AppSettings::Instance().Settings()->setValue("VERSION_SERVICE_URL", m_service->Address());
    }
    void cleanup() { m_service.reset(); }

    void heading()
    {
        AboutDialog dialog;
        QCOMPARE(dialog.findChild<QLabel *>("labelHeading")->text(),
                 QStringLiteral("Quillbox (Pro) 7.5.0"));
        QVERIFY(!dialog.findChild<QLabel *>("labelImage")->pixmap(Qt::ReturnByValue).isNull());
    }

    void requestCarriesVersionAndProduct()
    {
        AboutDialog dialog;
        m_service->body = "{\"HasNewerVersion\":\"NO\"}";
        DialogDriver driver;
        driver.Expect("Version Check");
        QVERIFY(CheckAndWait(dialog));
        QVERIFY_DIALOGS(driver);
        QCOMPARE(m_service->requests.size(), 1);
        const QUrlQuery query(m_service->requests.at(0));
        QCOMPARE(m_service->requests.at(0).path(), QStringLiteral("/version"));
        QCOMPARE(query.queryItemValue("version"), QStringLiteral("7.5.0"));
        QCOMPARE(query.queryItemValue("product"), QStringLiteral("QBPRO"));
        // Without a stored address the vendor's own service is asked.
        AppSettings::Instance().Settings()->remove("VERSION_SERVICE_URL");
        QCOMPARE(VersionWebServiceClient::ServiceAddress(),
                 QString::fromLatin1(VersionWebServiceClient::DefaultServiceAddress));
    }

    void answers_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("newer version")
            << 200 << QByteArray("{\"HasNewerVersion\":\"YES\",\"NewerVersion\":\"7.6.0\",\"DownloadURL\":\"http://127.0.0.1:1/q\"}")
            << false << "New Version"
            << "Latest version ( 7.6.0 ) is available for download. Do you want to download it now?";
        QTest::newRow("same version") << 200 << QByteArray("{\"HasNewerVersion\":\"NO\"}") << false
                                      << "Version Check" << "You have a latest version of Quillbox (Pro)";
        QTest::newRow("newer without number") << 200 << QByteArray("{\"HasNewerVersion\":\"YES\"}")
                                              << false << "" << "";
        QTest::newRow("malformed") << 200 << QByteArray("<html>busy</html>") << false << "" << "";
        QTest::newRow("not an object") << 200 << QByteArray("[1,2]") << false << "" << "";
        QTest::newRow("no key") << 200 << QByteArray("{}") << false << "" << "";
        QTest::newRow("server error") << 500 << QByteArray() << false << "" << "";
        QTest::newRow("no answer") << 200 << QByteArray() << true << "" << "";
    }

    void answers()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, silent);
        QFETCH(QString, title);
        QFETCH(QString, text);
        m_service->status = status;
        m_service->body = body;
        m_service->silent = silent;
        AboutDialog dialog;
        dialog.SetRequestTimeout(500);
        DialogDriver driver;
        if (!title.isEmpty())
            driver.Expect(title, text, DialogDriver::Press("No")); // never opens a browser
        QVERIFY(CheckAndWait(dialog));
        QVERIFY_DIALOGS(driver);
        // Whatever the answer, the busy indicator is gone.
        QVERIFY(!ProgressVisible(&dialog));
    }

    void twoChecksAreAnsweredEach()
    {
        m_service->body = "{\"HasNewerVersion\":\"NO\"}";
        AboutDialog dialog;
        DialogDriver driver;
        driver.Expect("Version Check").Expect("Version Check");
        dialog.CheckVersion();
        QSignalSpy first(dialog.CurrentClient(), &VersionWebServiceClient::Handled);
        dialog.CheckVersion();
        QSignalSpy second(dialog.CurrentClient(), &VersionWebServiceClient::Handled);
        QVERIFY(first.count() == 1 || first.wait(10000));
        QVERIFY(second.count() == 1 || second.wait(10000));
        QVERIFY_DIALOGS(driver);
        QCOMPARE(m_service->requests.size(), 2);
    }

    void indicatorOutlivesNoDialog()
    {
        // The busy indicator is shared by every About box; a second box after the first one has
        // gone must not reach for the indicator that went with it.
        m_service->body = "{\"HasNewerVersion\":\"NO\"}";
        DialogDriver driver;
        driver.Expect("Version Check").Expect("Version Check");
        {
            AboutDialog first;
            QVERIFY(CheckAndWait(first));
        }
        AboutDialog second;
        QVERIFY(CheckAndWait(second));
        QVERIFY_DIALOGS(driver);
        QVERIFY(!ProgressVisible(&second));
    }

private:
    std::unique_ptr<FakeVersionService> m_service;
};

QUILLBOX_TEST_MAIN(TestAbout)
#include "tst_about.moc"
