#include "testsupport.h"

#include "appsettings.h"
#include "sqlutil.h"

#include <QSettings>

class TestAppSettings : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }

    void currentUserDefaultsToNobody()
    {
        AppSettings &settings = AppSettings::Instance();
        QCOMPARE(settings.GetCurrentUser(), QStringLiteral("NO LOGGED IN USER"));
        settings.SetCurrentUser(QStringLiteral("anna"));
        QCOMPARE(settings.GetCurrentUser(), QStringLiteral("anna"));
        settings.SetCurrentUser(QString());
        QCOMPARE(settings.GetCurrentUser(), QStringLiteral("NO LOGGED IN USER"));
    }

    void dateFormats_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("expression");
        QTest::newRow("year first") << "YYYY/MM/DD" << "yyyy-MM-dd"
                                    << " DATE_FORMAT(EXPIRY_DATE,'%Y-%m-%d') as 'EXPIRY DATE'";
        QTest::newRow("month first") << "MM/DD/YYYY" << "MM-dd-yyyy"
                                     << " DATE_FORMAT(EXPIRY_DATE,'%m-%d-%Y') as 'EXPIRY DATE'";
        QTest::newRow("day first") << "DD/MM/YYYY" << "dd-MM-yyyy"
                                   << " DATE_FORMAT(EXPIRY_DATE,'%d-%m-%Y') as 'EXPIRY DATE'";
        // An unknown order keeps the previous display format; the statement stays valid.
        QTest::newRow("unknown") << "DD.MM.YY" << "yyyy-MM-dd"
                                 << " DATE_FORMAT(EXPIRY_DATE,'%Y-%m-%d') as 'EXPIRY DATE'";
    }

    void dateFormats()
    {
        QFETCH(QString, order);
        QFETCH(QString, display);
        QFETCH(QString, expression);
        AppSettings &settings = AppSettings::Instance();
        QCOMPARE(settings.DisplayDateFormat(), QStringLiteral("yyyy-MM-dd"));
        settings.Settings()->setValue(QStringLiteral("DATE_FORMAT"), order);
        settings.RefreshDisplayDateFormat();
        QCOMPARE(settings.DisplayDateFormat(), display);
        QCOMPARE(settings.DateDisplayExpression(QStringLiteral("EXPIRY_DATE"),
                                                QStringLiteral("EXPIRY DATE")),
                 expression);
    }

    void unknownOrderHasNoPattern()
    {
        QVERIFY(AppSettings::SqlPatternForDateOrder("DD.MM.YY").isEmpty());
        QVERIFY(AppSettings::QtFormatForDateOrder("").isEmpty());
    }

    void localeOrder_data()
    {
        QTest::addColumn<QString>("shortFormat");
        QTest::addColumn<QString>("order");
        QTest::newRow("iso") << "yyyy-MM-dd" << "YYYY/MM/DD";
        QTest::newRow("us") << "M/d/yy" << "MM/DD/YYYY";
        QTest::newRow("german") << "dd.MM.yy" << "DD/MM/YYYY";
        QTest::newRow("empty") << "" << "DD/MM/YYYY";
    }

    void localeOrder()
    {
        QFETCH(QString, shortFormat);
        QFETCH(QString, order);
        QCOMPARE(AppSettings::DateOrderForLocaleFormat(shortFormat), order);
    }

    void settingsAreIsolatedFromTheUser()
    {
        const QString path = AppSettings::Instance().Settings()->fileName();
        QVERIFY2(!path.startsWith(QDir::homePath() + "/.config"), qPrintable(path));
        QVERIFY(path.contains(QStringLiteral("QuillboxPro")));
    }

    void likePatternsMatchLiterally()
    {
        QCOMPARE(LikeContains(QStringLiteral("50% off")), QStringLiteral("%50\\% off%"));
        QCOMPARE(LikeContains(QStringLiteral("a_b\\c")), QStringLiteral("%a\\_b\\\\c%"));
        QCOMPARE(LikeContains(QStringLiteral("O'Brien")), QStringLiteral("%O'Brien%"));
    }
};

QUILLBOX_TEST_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
