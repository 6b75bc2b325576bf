#include "testsupport.h"

#include "appsettings.h"
#include "sqlutil.h"

#include <QSet>
#include <QSettings>

#include <tuple>

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

    // Every key with the type its readers convert to and what they see in an empty store.
    void settingsTable_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("fallback");
        const int text = int(SettingType::Text), number = int(SettingType::Int),
                  flag = int(SettingType::Bool);
        const QVector<std::tuple<const char *, int, QVariant>> rows = {
            {"DB_SERVER", text, QString()},          {"DB_PORT", text, QString()},
            {"DB_USER", text, QString()},            {"DB_PASSWORD", text, QString()},
            {"DB_CON_NAME", text, QString()},        {"DB_SERVERS", text, QString()},
            {"ACTIVE_INVENTORY_DB", text, QString()}, {"ACTIVE_SALES_DB", text, QString()},
            {"FIRST_TIME_START", number, 1},         {"theme", text, QString()},
            {"DATE_FORMAT", text, "YYYY/MM/DD"},      {"IMAGES_FOLDER", text, QString()},
            {"RECENT_LOCATION", text, QString()},    {"DEBUG_LOG", flag, false},
            {"VERSION_SERVICE_URL", text, "https://version.quillbox.example/check"},
            {"err_msg_1", flag, false},              {"err_msg_12", flag, false},
            {"POS_ROWS", number, 4},                 {"POS_COLUMNS", number, 4},
            {"EXPIRY_GUARD", text, QString()},       {"EXPIRY_WARN_DAYS", number, 30},
            {"SUB_ITEMS_MODE", text, QString()},     {"CURRENCY_SYMBOL", text, QString()},
            {"TILL_ID", text, QString()},            {"OPEN_BASKET_HOURS", number, 12},
            {"enable_tax", flag, true},              {"SALES_TAX_RATE_A", text, "0"},
            {"SALES_TAX_RATE_B", text, "0"},         {"SALES_TAX_RATE_C", text, "0"},
            {"SALES_TAX_NAME", text, QString()},     {"REPORT_COMPANY_NAME", text, QString()},
            {"REPORT_COMPANY_ADDRESS", text, QString()}, {"REPORT_PHONE_NUMBER", text, QString()},
            {"REPORT_COMPANY_LOGO", text, QString()}, {"SMALL_RECEIPT", number, 1},
            {"printLogo", flag, true},               {"logoSize", number, 10},
            {"paperWidth", number, 57},              {"paperHeight", number, 101},
            {"marginLeft", number, 5},               {"marginTop", number, 17},
            {"marginRight", number, 5},              {"marginBottom", number, 0},
            {"receiptPrinter", text, QString()},     {"reportPrinter", text, QString()},
            {"ReceiptPrintToPDF", flag, true},       {"ReportPrintToPDF", flag, true},
            {"receiptPrinterKind", text, QString()}, {"escposTarget", text, QString()},
            {"escposColumns", number, 32},           {"escposCodePage", text, "CP437"},
            {"escposCut", flag, true},               {"escposDrawerOnCash", flag, false},
            {"escposDrawerPin", number, 2},          {"escposPulseOnMs", number, 50},
            {"escposPulseOffMs", number, 500}};
        for (const auto &[key, type, fallback] : rows)
            QTest::newRow(key) << QString::fromLatin1(key) << type << fallback;
    }

    void settingsTable()
    {
        QFETCH(QString, key);
        QFETCH(int, type);
        QFETCH(QVariant, fallback);
        const SettingKey *entry = Setting::Find(key);
        QVERIFY(entry);
        QCOMPARE(int(entry->type), type);
        QCOMPARE(AppSettings::Instance().Value(key), fallback);
        QCOMPARE(AppSettings::Instance().Value(*entry), fallback);
        // A stored value wins, converted to the key's type (the native store gives back text).
        const QVariant stored = type == int(SettingType::Bool) ? QVariant(!fallback.toBool())
                                : type == int(SettingType::Int) ? QVariant(fallback.toInt() + 7)
                                                                : QVariant(QStringLiteral("x😀"));
        AppSettings::Instance().Settings()->setValue(key, stored.toString());
        QCOMPARE(AppSettings::Instance().Value(key), stored);
    }

    void tableHoldsEachKeyOnce()
    {
        QSet<QString> names;
        for (const SettingKey *key : Setting::All())
            names.insert(key->Name());
        QCOMPARE(names.size(), Setting::All().size());
        QVERIFY(!Setting::Find(QStringLiteral("err_msg_x")));
        QVERIFY(!Setting::Find(QStringLiteral("POS_ROW")));
        // Readers with a default of their own read a key of the table, as its type.
        for (const SettingKey *view : Setting::ReaderViews()) {
            const SettingKey *key = Setting::Find(view->Name());
            QVERIFY2(key && key->type == view->type, view->name);
        }
    }

    // Readers with their own default, and logo paths the settings page stores blank.
    void readerViews_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("theme at start") << "ThemeAtStart" << QVariant() << "dark";
        QTest::newRow("theme stored") << "ThemeAtStart" << QVariant("light") << "light";
        QTest::newRow("report currency") << "ReportCurrencySymbol" << QVariant() << "$";
        QTest::newRow("report currency blank") << "ReportCurrencySymbol" << QVariant("") << "";
        QTest::newRow("home tax rate") << "HomeTaxRateA" << QVariant() << "";
        QTest::newRow("receipt logo") << "ReceiptLogo" << QVariant()
                                      << ":/resources/images/quillbox_logo.png";
        QTest::newRow("receipt logo blank") << "ReceiptLogo" << QVariant("")
                                            << ":/resources/images/quillbox_logo.png";
        QTest::newRow("order logo blank") << "OrderLogo" << QVariant("")
                                          << ":/resources/images/quillbox_pro_logo.png";
        QTest::newRow("order logo") << "OrderLogo" << QVariant("/shop/logo.png")
                                    << "/shop/logo.png";
    }

    void readerViews()
    {
        QFETCH(QString, view);
        QFETCH(QVariant, stored);
        QFETCH(QString, expected);
        const QMap<QString, const SettingKey *> views = {
            {"ThemeAtStart", &Setting::ThemeAtStart},
            {"ReportCurrencySymbol", &Setting::ReportCurrencySymbol},
            {"HomeTaxRateA", &Setting::HomeTaxRateA},
            {"ReceiptLogo", &Setting::ReceiptLogo},
            {"OrderLogo", &Setting::OrderLogo}};
        const SettingKey *key = views.value(view);
        if (stored.isValid())
            AppSettings::Instance().Settings()->setValue(key->Name(), stored);
        QCOMPARE(AppSettings::Instance().Text(*key), expected);
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
