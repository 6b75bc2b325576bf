#include "settings.h"
#include "ui_settings.h"

#include "appsettings.h"
#include "auditlog.h"
#include "dbmanager.h"
#include "dialogtabs.h"
#include "errordialog.h"
#include "managedatabases.h"
#include "possettings.h"
#include "printersettings.h"
#include "serversettingsdialog.h"
#include "taxsettings.h"

#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QScroller>
#include <QSettings>

#include <functional>

namespace {
QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

// The keys whose change a shop must be able to explain: taxes and the currency.
QVariantMap AuditedValues()
{
    QVariantMap values;
    for (const char *key : {"SALES_TAX_RATE_A", "SALES_TAX_RATE_B", "SALES_TAX_RATE_C",
                            "SALES_TAX_NAME", "enable_tax", "CURRENCY_SYMBOL"})
        values.insert(QLatin1String(key), AppSettings::Instance().Value(QLatin1String(key)).toString());
    return values;
}

// Shows a stored text in a field; a key never stored leaves the field as it is.
void ShowIfStored(const char *key, const std::function<void(const QString &)> &show)
{
    const QString name = QString::fromLatin1(key);
    if (Store()->contains(name))
        show(AppSettings::Instance().Value(name).toString());
}

constexpr int kTaxTab = 2;
} // namespace

Settings::Settings(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::Settings>())
{
    ui->setupUi(this);
    m_printerSettings = new PrinterSettings(this);
    m_posSettings = new POSSettings(this);
    m_taxSettings = new TaxSettings(this);
    ui->tabWidget->insertTab(kTaxTab, m_taxSettings, QStringLiteral("Tax Settings"));
    ui->tabWidget->insertTab(3, m_printerSettings, QStringLiteral("Printer Settings"));
    ui->tabWidget->insertTab(4, m_posSettings, QStringLiteral("POS Settings"));
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);
    BoldTabCaptions(ui->tabWidget);

    ui->comboLanguage->addItem(QStringLiteral("English"));

    ui->comboDateFormat->addItems({QStringLiteral("YYYY/MM/DD"), QStringLiteral("MM/DD/YYYY"),
                                   QStringLiteral("DD/MM/YYYY")});
    if (!Store()->contains(QStringLiteral("DATE_FORMAT")))
        Store()->setValue(QStringLiteral("DATE_FORMAT"),
                          AppSettings::DateOrderForLocaleFormat(
                              QLocale().dateFormat(QLocale::ShortFormat)));
    ui->comboDateFormat->setCurrentText(AppSettings::Instance().Text(Setting::DateFormat));

    ShowIfStored("REPORT_COMPANY_NAME", [this](const QString &v) { ui->lineCompanyName->setText(v); });
    ShowIfStored("REPORT_COMPANY_ADDRESS",
                 [this](const QString &v) { ui->textCompanyAddress->setPlainText(v); });
    ShowIfStored("REPORT_PHONE_NUMBER", [this](const QString &v) { ui->linePhoneNumber->setText(v); });
    ShowIfStored("REPORT_COMPANY_LOGO", [this](const QString &v) { ui->lineCompanyLogo->setText(v); });
    ShowIfStored("SUB_ITEMS_MODE", [this](const QString &v) {
        ui->checkSubItemsMode->setChecked(v == QLatin1String("y"));
    });
    ShowIfStored("CURRENCY_SYMBOL",
                 [this](const QString &v) { ui->lineCurrencySymbol->setText(v); });

    if (AppSettings::Instance().Int(Setting::SmallReceipt) != 0)
        ui->radioSmallReceipt->setChecked(true);
    else
        ui->radioLargeReceipt->setChecked(true);
    if (AppSettings::Instance().Text(Setting::Theme) == QLatin1String("dark"))
        ui->radioDarkTheme->setChecked(true);
    else
        ui->radioLightTheme->setChecked(true);
    ui->lineImagesFolder->setText(AppSettings::Instance().Text(Setting::ImagesFolder));
}

Settings::~Settings() = default;

void Settings::on_buttonBox_accepted()
{
    // Judge the tax rates before anything is stored, so that OK stores all or nothing and a
    // Cancel after a refused rate really leaves the settings as they were.
    if (!m_taxSettings->Validate()) {
        ui->tabWidget->setCurrentIndex(kTaxTab);
        return;
    }
    const QVariantMap auditedBefore = AuditedValues();
    QSettings *store = Store();
    store->setValue(QStringLiteral("REPORT_COMPANY_NAME"), ui->lineCompanyName->text());
    store->setValue(QStringLiteral("REPORT_COMPANY_ADDRESS"), ui->textCompanyAddress->toPlainText());
    store->setValue(QStringLiteral("REPORT_PHONE_NUMBER"), ui->linePhoneNumber->text());
    store->setValue(QStringLiteral("REPORT_COMPANY_LOGO"), ui->lineCompanyLogo->text());
    store->setValue(QStringLiteral("SUB_ITEMS_MODE"),
                    ui->checkSubItemsMode->isChecked() ? QStringLiteral("y") : QStringLiteral("n"));
    store->setValue(QStringLiteral("CURRENCY_SYMBOL"), ui->lineCurrencySymbol->text());
    store->setValue(QStringLiteral("DATE_FORMAT"), ui->comboDateFormat->currentText());
    AppSettings::Instance().RefreshDisplayDateFormat();
    store->setValue(QStringLiteral("SMALL_RECEIPT"), ui->radioSmallReceipt->isChecked() ? 1 : 0);
    m_printerSettings->Save();
    m_posSettings->Save();
    store->setValue(QStringLiteral("theme"), ui->radioDarkTheme->isChecked()
                                                 ? QStringLiteral("dark")
                                                 : QStringLiteral("light"));
    store->setValue(QStringLiteral("IMAGES_FOLDER"), ui->lineImagesFolder->text());
    if (m_taxSettings->Save()) {
        // The settings live on this computer, so they are kept even when the server cannot
        // take the entry (the failure is logged). Before any database is in use (the first
        // set-up) there is no trail to write to, and asking for one would open dialogs.
        const QVariantMap auditedAfter = AuditedValues();
        if (auditedAfter != auditedBefore && CDBManager::Instance().IsInventoryConnected()) {
            AuditLog::Write(CDBManager::Instance().GetInventoryDataBase(),
                            QLatin1String(AuditLog::Kind::SettingsChanged),
                            QStringLiteral("settings"), QStringLiteral("taxes and currency"),
                            AuditLog::ObjectJson(auditedBefore), AuditLog::ObjectJson(auditedAfter));
        }
        accept();
    }
    else
        ui->tabWidget->setCurrentIndex(kTaxTab);
}

void Settings::on_buttonBox_rejected()
{
    reject();
}

void Settings::on_selectImage_clicked()
{
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Select Product Image"),
        AppSettings::Instance().Text(Setting::RecentLocation),
        tr("Image Files (*.png *.jpg *.bmp)"));
    if (file.isEmpty())
        return;
    ui->lineCompanyLogo->setText(file);
    Store()->setValue(QStringLiteral("RECENT_LOCATION"), file);
}

void Settings::on_pudhWhatIsSubItemsMode_clicked()
{
    ErrorDialog help(
        QString(), tr("Sub Items Help"),
        tr(
            "This mode is useful when you want to sell individual items or small custom "
            "quantities. For example, if you are buying a pack of six bottles, and want to sell "
            "one bottle each. If this mode is enabled then the price for one bottle will be "
            "calcualted automatically. Another example would be selling items which require price "
            "calculation from weight. For example you can add the  price of 1Kg of sugar in the "
            "system. If this mode is enabled then price of any weight of sugar will be calculated  "
            "automatically by the system."),
        this, true);
    help.exec();
}

void Settings::on_pushConfigure_clicked()
{
    ServerSettingsDialog dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void Settings::on_pushDatabases_clicked()
{
    ManageDatabases dialog(this);
    dialog.setModal(true);
    dialog.exec();
}

void Settings::on_pushSelectImagesFolder_clicked()
{
    ErrorDialog note(QStringLiteral("err_msg_10"), tr("Product Images"),
                     tr("Please place all of the product images in this folder. Copy "
                                    "this folder to each computer or device running Quillbox Pro, "
                                    "and set this field pointing to tis folder on each computer or "
                                    "device."),
                     this);
    note.exec();
    const QString folder = QFileDialog::getExistingDirectory(
        this, QString(), AppSettings::Instance().Text(Setting::RecentLocation),
        QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    const QString absolute = QDir(folder).absolutePath();
    ui->lineImagesFolder->setText(absolute);
    Store()->setValue(QStringLiteral("RECENT_LOCATION"), absolute);
}
