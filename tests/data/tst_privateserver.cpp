#include "privateserver.h"

#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Logs in with what the settings say, the way the program does.
bool ConnectsWith(QSettings &settings)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("probe"));
        db.setHostName(settings.value(QStringLiteral("DB_SERVER")).toString());
        db.setPort(settings.value(QStringLiteral("DB_PORT")).toInt());
        db.setUserName(settings.value(QStringLiteral("DB_USER")).toString());
        db.setPassword(settings.value(QStringLiteral("DB_PASSWORD")).toString());
        ok = db.open() && QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE IF NOT EXISTS probe_schema"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("probe"));
    return ok;
}
} // namespace

class TestPrivateServer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!PrivateServer::IsAvailable())
            QSKIP("the MariaDB server programs are not installed");
    }

    // "nothing": a new machine. "down": the program's own server after the machine restarted.
    // A server of the shop's own is never started or replaced.
    void ensure_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<bool>("started");
        QTest::newRow("nothing named") << QString() << true;
        QTest::newRow("ours, down") << QStringLiteral("ours") << true;
        QTest::newRow("shop's server") << QStringLiteral("db.shop.example") << false;
    }

    void ensure()
    {
        QFETCH(QString, named);
        QFETCH(bool, started);
        QTemporaryDir home;
        QSettings settings(home.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        PrivateServer server(home.filePath(QStringLiteral("mariadb")));
        QString error;
        if (named == QLatin1String("ours")) {
            QVERIFY2(PrivateServer::EnsureFor(&settings, server.Folder(), &error), qPrintable(error));
            QVERIFY(server.Stop());
            QVERIFY(!server.IsRunning());
        } else if (!named.isEmpty()) {
            settings.setValue(QStringLiteral("DB_SERVER"), named);
            settings.setValue(QStringLiteral("DB_PORT"), QStringLiteral("3306"));
            settings.setValue(QStringLiteral("DB_USER"), QStringLiteral("quillbox"));
        }
        const QStringList before = {settings.value(QStringLiteral("DB_SERVER")).toString(),
                                    settings.value(QStringLiteral("DB_PORT")).toString(),
                                    settings.value(QStringLiteral("DB_PASSWORD")).toString()};

        QVERIFY2(PrivateServer::EnsureFor(&settings, server.Folder(), &error), qPrintable(error));
        QCOMPARE(server.IsRunning(), started);
        if (started) {
            QCOMPARE(settings.value(QStringLiteral("DB_SERVER")).toString(), QStringLiteral("127.0.0.1"));
            QCOMPARE(settings.value(QStringLiteral("DB_PORT")).toInt(), server.Port());
            QVERIFY(ConnectsWith(settings));
            // A second start reuses the running server and its account as they are.
            const QString password = server.Password();
            QVERIFY2(PrivateServer::EnsureFor(&settings, server.Folder(), &error), qPrintable(error));
            QCOMPARE(server.Password(), password);
            QVERIFY(ConnectsWith(settings));
            QVERIFY(server.Stop());
            QVERIFY(!server.IsRunning());
        }
        if (!named.isEmpty()) {
            const QStringList after = {settings.value(QStringLiteral("DB_SERVER")).toString(),
                                       settings.value(QStringLiteral("DB_PORT")).toString(),
                                       settings.value(QStringLiteral("DB_PASSWORD")).toString()};
            QCOMPARE(after, before);
        }
    }
};

QTEST_GUILESS_MAIN(TestPrivateServer)
#include "tst_privateserver.moc"
