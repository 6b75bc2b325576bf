#include "possettings.h"
#include "ui_possettings.h"

#include "appsettings.h"
#include "salerules.h"

#include <QSettings>

POSSettings::POSSettings(QWidget *parent)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::POSSettings>())
{
    ui->setupUi(this);
    ui->spinRows->setValue(AppSettings::Instance().Int(Setting::PosRows));
    ui->spinCols->setValue(AppSettings::Instance().Int(Setting::PosColumns));

    using SaleRules::ExpiryGuard;
    ui->comboExpiryGuard->addItem(tr("Sell without a word"),
                                  SaleRules::ExpiryGuardSetting(ExpiryGuard::Off));
    ui->comboExpiryGuard->addItem(tr("Sell and warn"),
                                  SaleRules::ExpiryGuardSetting(ExpiryGuard::Warn));
    ui->comboExpiryGuard->addItem(tr("Refuse expired batches"),
                                  SaleRules::ExpiryGuardSetting(ExpiryGuard::Refuse));
    const ExpiryGuard guard = SaleRules::ExpiryGuardFromSetting(
        AppSettings::Instance().Text(Setting::ExpiryGuard));
    ui->comboExpiryGuard->setCurrentIndex(
        ui->comboExpiryGuard->findData(SaleRules::ExpiryGuardSetting(guard)));
    ui->spinExpiryWarnDays->setValue(AppSettings::Instance().Int(Setting::ExpiryWarnDays));
}

POSSettings::~POSSettings() = default;

void POSSettings::Save()
{
    QSettings *store = AppSettings::Instance().Settings();
    store->setValue(QStringLiteral("POS_ROWS"), ui->spinRows->value());
    store->setValue(QStringLiteral("POS_COLUMNS"), ui->spinCols->value());
    store->setValue(QLatin1String(SaleRules::kExpiryGuardKey),
                    ui->comboExpiryGuard->currentData().toString());
    store->setValue(QLatin1String(SaleRules::kExpiryWarnDaysKey), ui->spinExpiryWarnDays->value());
}
