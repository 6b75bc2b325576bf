#include "taxsettings.h"
#include "ui_taxsettings.h"

#include "appsettings.h"

#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>

TaxSettings::TaxSettings(QWidget *parent)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::TaxSettings>())
{
    ui->setupUi(this);
    ui->lineTaxRateA->setText(AppSettings::Instance().Text(Setting::SalesTaxRateA));
    ui->lineTaxRateB->setText(AppSettings::Instance().Text(Setting::SalesTaxRateB));
    ui->lineTaxRateC->setText(AppSettings::Instance().Text(Setting::SalesTaxRateC));
    ui->lineTaxName->setText(AppSettings::Instance().Text(Setting::SalesTaxName));
    ui->checkEnableTax->setChecked(AppSettings::Instance().Bool(Setting::EnableTax));
}

TaxSettings::~TaxSettings() = default;

bool TaxSettings::IsValidRate(const QString &rate)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,2}(\\.[0-9]{1,2})?$"));
    return pattern.match(rate).hasMatch();
}

bool TaxSettings::Validate()
{
    const struct
    {
        QLineEdit *edit;
        const char *letter;
    } rates[] = {{ui->lineTaxRateA, "A"}, {ui->lineTaxRateB, "B"}, {ui->lineTaxRateC, "C"}};
    for (const auto &rate : rates) {
        if (!IsValidRate(rate.edit->text())) {
            QMessageBox::information(
                this, tr("Settings"),
                tr("Tax rate %1 is invalid. Please enter numeric (0 to 99.99) value.")
                    .arg(QLatin1String(rate.letter)));
            return false;
        }
    }
    return true;
}

bool TaxSettings::Save()
{
    if (!Validate())
        return false;
    QSettings *store = AppSettings::Instance().Settings();
    store->setValue(QStringLiteral("SALES_TAX_RATE_A"), ui->lineTaxRateA->text());
    store->setValue(QStringLiteral("SALES_TAX_RATE_B"), ui->lineTaxRateB->text());
    store->setValue(QStringLiteral("SALES_TAX_RATE_C"), ui->lineTaxRateC->text());
    store->setValue(QStringLiteral("SALES_TAX_NAME"), ui->lineTaxName->text());
    store->setValue(QStringLiteral("enable_tax"), ui->checkEnableTax->isChecked());
    return true;
}
