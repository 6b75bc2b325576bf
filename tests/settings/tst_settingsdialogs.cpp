#include "testsupport.h"

#include "appsettings.h"
#include "mainwindow.h"
#include "possettings.h"
#include "printersettings.h"
#include "settings.h"
#include "taxsettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>

#include <memory>

using QuillboxTest::DialogDriver;
using QuillboxTest::FreshDatabases;

namespace {
QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

template <typename T> T *Child(QWidget *parent, const char *name)
{
    T *child = parent->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qWarning("no child %s", name);
    return child;
}

void Press(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    Child<QDialogButtonBox>(dialog, "buttonBox")->button(which)->click();
}

QVariantMap Snapshot()
{
    QVariantMap values;
    const QStringList keys = Store()->allKeys();
    for (const QString &key : keys)
        values.insert(key, Store()->value(key));
    return values;
}

// Fills every field of the dialog with a value other than its default.
void FillEverything(Settings &dialog)
{
    Child<QLineEdit>(&dialog, "lineCompanyName")->setText("Velmora's Pharmacy");
    Child<QTextEdit>(&dialog, "textCompanyAddress")->setPlainText("1 High St\nTown");
    Child<QLineEdit>(&dialog, "linePhoneNumber")->setText("555-1234");
    Child<QLineEdit>(&dialog, "lineCompanyLogo")->setText("/tmp/logo.png");
    Child<QCheckBox>(&dialog, "checkSubItemsMode")->setChecked(true);
    Child<QLineEdit>(&dialog, "lineCurrencySymbol")->setText("€");
    Child<QComboBox>(&dialog, "comboDateFormat")->setCurrentText("DD/MM/YYYY");
    Child<QRadioButton>(&dialog, "radioLargeReceipt")->setChecked(true);
    Child<QRadioButton>(&dialog, "radioLightTheme")->setChecked(true);
    Child<QLineEdit>(&dialog, "lineImagesFolder")->setText("/srv/images");
    Child<QLineEdit>(&dialog, "lineTaxRateA")->setText("12.5");
    Child<QLineEdit>(&dialog, "lineTaxRateB")->setText("0");
    Child<QLineEdit>(&dialog, "lineTaxRateC")->setText("99.99");
    Child<QLineEdit>(&dialog, "lineTaxName")->setText("VAT");
    Child<QCheckBox>(&dialog, "checkEnableTax")->setChecked(false);
    Child<QSpinBox>(&dialog, "spinRows")->setValue(6);
    Child<QSpinBox>(&dialog, "spinCols")->setValue(3);
    Child<QSpinBox>(&dialog, "spinWidth")->setValue(80);
    Child<QSpinBox>(&dialog, "spinBoxLogoSize")->setValue(15);
    Child<QCheckBox>(&dialog, "checkReceiptPrintToPDF")->setChecked(false);
}
} // namespace

class TestSettingsDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QuillboxTest::ResetState();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void tabsInOrder()
    {
        Settings dialog;
        auto *tabs = Child<QTabWidget>(&dialog, "tabWidget");
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        QCOMPARE(titles, (QStringList{"General Settings", "Company Settings", "Tax Settings",
                                      "Printer Settings", "POS Settings"}));
        QVERIFY(qobject_cast<TaxSettings *>(tabs->widget(2)));
        QVERIFY(qobject_cast<PrinterSettings *>(tabs->widget(3)));
        QVERIFY(qobject_cast<POSSettings *>(tabs->widget(4)));
    }

    void okStoresEveryKey()
    {
        Settings dialog;
        FillEverything(dialog);
        Press(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const QVariantMap expected = {
            {"REPORT_COMPANY_NAME", "Velmora's Pharmacy"}, {"REPORT_COMPANY_ADDRESS", "1 High St\nTown"},
            {"REPORT_PHONE_NUMBER", "555-1234"},         {"REPORT_COMPANY_LOGO", "/tmp/logo.png"},
            {"SUB_ITEMS_MODE", "y"},                     {"CURRENCY_SYMBOL", "€"},
            {"DATE_FORMAT", "DD/MM/YYYY"},               {"SMALL_RECEIPT", "0"},
            {"theme", "light"},                          {"IMAGES_FOLDER", "/srv/images"},
            {"SALES_TAX_RATE_A", "12.5"},                {"SALES_TAX_RATE_B", "0"},
            {"SALES_TAX_RATE_C", "99.99"},               {"SALES_TAX_NAME", "VAT"},
            {"enable_tax", "false"},                     {"POS_ROWS", "6"},
            {"POS_COLUMNS", "3"},                        {"paperWidth", "80"},
            {"logoSize", "15"},                          {"ReceiptPrintToPDF", "false"},
            {"ReportPrintToPDF", "true"},                {"paperHeight", "101"}};
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(Store()->value(it.key()).toString() + " " + it.key(),
                     it.value().toString() + " " + it.key());
        QCOMPARE(AppSettings::Instance().DisplayDateFormat(), QStringLiteral("dd-MM-yyyy"));

        // Opened again, the dialog shows what was stored.
        Settings again;
        QCOMPARE(Child<QLineEdit>(&again, "lineCompanyName")->text(), QStringLiteral("Velmora's Pharmacy"));
        QVERIFY(Child<QCheckBox>(&again, "checkSubItemsMode")->isChecked());
        QCOMPARE(Child<QComboBox>(&again, "comboDateFormat")->currentText(), QStringLiteral("DD/MM/YYYY"));
        QVERIFY(Child<QRadioButton>(&again, "radioLargeReceipt")->isChecked());
        QVERIFY(Child<QRadioButton>(&again, "radioLightTheme")->isChecked());
        QCOMPARE(Child<QSpinBox>(&again, "spinRows")->value(), 6);
        QCOMPARE(Child<QLineEdit>(&again, "lineTaxRateA")->text(), QStringLiteral("12.5"));
        QVERIFY(!Child<QCheckBox>(&again, "checkEnableTax")->isChecked());
    }

    void cancelStoresNothing()
    {
        Store()->setValue("theme", "dark");
        Store()->setValue("DATE_FORMAT", "MM/DD/YYYY");
        const QVariantMap before = Snapshot();
        Settings dialog;
        FillEverything(dialog);
        Press(&dialog, QDialogButtonBox::Cancel);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Snapshot(), before);
    }

    void firstOpeningStoresTheLocalesDateOrder_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("order");
        QTest::newRow("day first") << QLocale(QLocale::German, QLocale::Germany) << "DD/MM/YYYY";
        QTest::newRow("month first") << QLocale(QLocale::English, QLocale::UnitedStates)
                                     << "MM/DD/YYYY";
        QTest::newRow("year first") << QLocale(QLocale::Chinese, QLocale::China) << "YYYY/MM/DD";
    }

    void firstOpeningStoresTheLocalesDateOrder()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, order);
        QLocale::setDefault(locale);
        Settings dialog;
        QCOMPARE(Child<QComboBox>(&dialog, "comboDateFormat")->currentText(), order);
        Press(&dialog, QDialogButtonBox::Cancel);
        // Stored on opening, kept after Cancel.
        QCOMPARE(Store()->value("DATE_FORMAT").toString(), order);
    }

    void taxRates_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("valid");
        for (const char *ok : {"0", "7", "12.5", "99.99", "05.01"})
            QTest::newRow(ok) << ok << true;
        for (const char *bad : {"100", "7.125", "12.", ".5", "", " 5", "5 ", "-1", "1e1", "12,5"})
            QTest::newRow(qPrintable(QStringLiteral("'%1'").arg(bad))) << bad << false;
    }

    void taxRates()
    {
        QFETCH(QString, rate);
        QFETCH(bool, valid);
        QCOMPARE(TaxSettings::IsValidRate(rate), valid);
    }

    void refusedTaxRateStoresNothing_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("message");
        QTest::newRow("A") << "lineTaxRateA" << "Tax rate A is invalid. Please enter numeric (0 to 99.99) value.";
        QTest::newRow("B") << "lineTaxRateB" << "Tax rate B is invalid.";
        QTest::newRow("C") << "lineTaxRateC" << "Tax rate C is invalid.";
    }

    void refusedTaxRateStoresNothing()
    {
        QFETCH(QString, edit);
        QFETCH(QString, message);
        Settings dialog;
        const QVariantMap before = Snapshot();
        FillEverything(dialog);
        dialog.findChild<QLineEdit *>(edit)->setText("100");
        // A later invalid rate is not mentioned: the first one found is.
        Child<QLineEdit>(&dialog, "lineTaxRateC")->setText(edit.endsWith('C') ? "100" : "7.125");
        DialogDriver driver;
        driver.Expect("Settings", message);
        Press(&dialog, QDialogButtonBox::Ok);
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Child<QTabWidget>(&dialog, "tabWidget")->currentIndex(), 2);
        QCOMPARE(dialog.result(), 0);
        // OK stores all or nothing: Cancel after the refusal leaves the settings as they were.
        QCOMPARE(Snapshot(), before);
    }

    void gridRange_data()
    {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("kept");
        for (const char *spin : {"spinRows", "spinCols"}) {
            QTest::addRow("%s 0", spin) << spin << 0 << 1;
            QTest::addRow("%s 1", spin) << spin << 1 << 1;
            QTest::addRow("%s 8", spin) << spin << 8 << 8;
            QTest::addRow("%s 9", spin) << spin << 9 << 8;
        }
    }

    void gridRange()
    {
        QFETCH(QString, spin);
        QFETCH(int, typed);
        QFETCH(int, kept);
        POSSettings page;
        auto *box = page.findChild<QSpinBox *>(spin);
        box->setValue(typed);
        QCOMPARE(box->value(), kept);
        page.Save();
        QCOMPARE(Store()->value(spin == "spinRows" ? "POS_ROWS" : "POS_COLUMNS").toInt(), kept);
    }

    void pagesSavedOnceStoreTheDefaults()
    {
        POSSettings pos;
        PrinterSettings printer(nullptr, QStringList());
        pos.Save();
        printer.Save();
        const QVariantMap expected = {
            {"POS_ROWS", 4},          {"POS_COLUMNS", 4},      {"paperWidth", 57},
            {"paperHeight", 101},     {"marginLeft", 5},       {"marginTop", 17},
            {"marginRight", 5},       {"marginBottom", 0},     {"printLogo", true},
            {"logoSize", 10},         {"ReceiptPrintToPDF", true}, {"ReportPrintToPDF", true},
            {"receiptPrinter", QString()}, {"reportPrinter", QString()},
            {"EXPIRY_GUARD", "warn"}, {"EXPIRY_WARN_DAYS", 30}};
        QCOMPARE(Snapshot(), expected);
    }

    void printers_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("storedReceipt");
        QTest::addColumn<QString>("storedReport");
        QTest::addColumn<QString>("savedReceipt");
        QTest::addColumn<QString>("savedReport");
        QTest::newRow("both found") << QStringList{"Alpha", "Beta"} << "Beta" << "Alpha" << "Beta" << "Alpha";
        QTest::newRow("uninstalled becomes the first")
            << QStringList{"Alpha", "Beta"} << "Gone" << "Beta" << "Alpha" << "Beta";
        QTest::newRow("no printers") << QStringList{} << "Gone" << "Gone" << "" << "";
    }

    void printers()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, storedReceipt);
        QFETCH(QString, storedReport);
        QFETCH(QString, savedReceipt);
        QFETCH(QString, savedReport);
        Store()->setValue("receiptPrinter", storedReceipt);
        Store()->setValue("reportPrinter", storedReport);
        PrinterSettings page(nullptr, installed);
        QCOMPARE(Child<QComboBox>(&page, "comboReceiptPrinter")->count(), installed.size());
        page.Save();
        QCOMPARE(Store()->value("receiptPrinter").toString(), savedReceipt);
        QCOMPARE(Store()->value("reportPrinter").toString(), savedReport);
    }

    void themeChosenInTheDialogIsApplied()
    {
        FreshDatabases dbs; // the start page after login reads both databases
        QVERIFY(dbs.IsValid());
        Store()->setValue("FIRST_TIME_START", 0);
        DialogDriver driver;
        driver.Expect("Login/Logout");
        MainWindow window;
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Store()->value("theme").toString(), QStringLiteral("dark"));

        driver.Expect("Settings", QString(), [](QWidget *dialog) {
            dialog->findChild<QRadioButton *>("radioLightTheme")->setChecked(true);
            QuillboxTest::ClickButton(dialog, "OK");
        });
        window.findChild<QAction *>("actionSettings")->trigger();
        QVERIFY_DIALOGS(driver);

        QFile light(":/resources/stylesheets/WindowsStyleSheetLight.txt");
        QVERIFY(light.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(window.styleSheet(), QString::fromUtf8(light.readAll()));
        QVERIFY(!window.findChild<QAction *>("action_Light_Theme")->isEnabled());
        QVERIFY(window.findChild<QAction *>("action_Dark_Theme")->isEnabled());

        // Cancel leaves the theme as it is.
        driver.Expect("Settings", QString(), [](QWidget *dialog) {
            dialog->findChild<QRadioButton *>("radioDarkTheme")->setChecked(true);
            QuillboxTest::ClickButton(dialog, "Cancel");
        });
        window.findChild<QAction *>("actionSettings")->trigger();
        QVERIFY_DIALOGS(driver);
        QCOMPARE(Store()->value("theme").toString(), QStringLiteral("light"));
    }
};

QUILLBOX_TEST_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"
