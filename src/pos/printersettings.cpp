#include "printersettings.h"
#include "ui_printersettings.h"

#include "appsettings.h"

#include <QPrinterInfo>
#include <QScroller>
#include <QSettings>
#include <QSpinBox>

#include <utility>
#include <vector>

namespace {
struct IntKey
{
    const char *key;
    int fallback;
};

// Spin boxes and their keys, in the order the page saves them after the printers and the logo.
std::vector<std::pair<QSpinBox *, IntKey>> PageSpins(Ui::PrinterSettings *ui)
{
    return {{ui->spinWidth, {"paperWidth", 57}},      {ui->spinHeight, {"paperHeight", 101}},
            {ui->spinMarginLeft, {"marginLeft", 5}},  {ui->spinMarginTop, {"marginTop", 17}},
            {ui->spinMarginRight, {"marginRight", 5}}, {ui->spinMarginBottom, {"marginBottom", 0}}};
}
} // namespace

PrinterSettings::PrinterSettings(QWidget *parent)
    : PrinterSettings(parent, QPrinterInfo::availablePrinterNames())
{
}

PrinterSettings::PrinterSettings(QWidget *parent, const QStringList &printers)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::PrinterSettings>())
{
    ui->setupUi(this);
    QScroller::grabGesture(viewport(), QScroller::LeftMouseButtonGesture);

    const QSettings *store = AppSettings::Instance().Settings();
    const QString receiptPrinter = store->value(QStringLiteral("receiptPrinter")).toString();
    const QString reportPrinter = store->value(QStringLiteral("reportPrinter")).toString();
    for (const QString &name : printers) {
        ui->comboReportPrinter->addItem(name);
        ui->comboReceiptPrinter->addItem(name);
        if (name == receiptPrinter)
            ui->comboReceiptPrinter->setCurrentIndex(ui->comboReceiptPrinter->count() - 1);
        if (name == reportPrinter)
            ui->comboReportPrinter->setCurrentIndex(ui->comboReportPrinter->count() - 1);
    }

    ui->checkPrintLogo->setChecked(store->value(QStringLiteral("printLogo"), true).toBool());
    ui->spinBoxLogoSize->setValue(store->value(QStringLiteral("logoSize"), 10).toInt());
    for (const auto &[spin, key] : PageSpins(ui.get()))
        spin->setValue(store->value(QString::fromLatin1(key.key), key.fallback).toInt());
    ui->checkReceiptPrintToPDF->setChecked(
        store->value(QStringLiteral("ReceiptPrintToPDF"), true).toBool());
    ui->checkReportPrintToPDF->setChecked(
        store->value(QStringLiteral("ReportPrintToPDF"), true).toBool());
}

PrinterSettings::~PrinterSettings() = default;

void PrinterSettings::Save()
{
    QSettings *store = AppSettings::Instance().Settings();
    store->setValue(QStringLiteral("reportPrinter"), ui->comboReportPrinter->currentText());
    store->setValue(QStringLiteral("receiptPrinter"), ui->comboReceiptPrinter->currentText());
    store->setValue(QStringLiteral("printLogo"), ui->checkPrintLogo->isChecked());
    store->setValue(QStringLiteral("logoSize"), ui->spinBoxLogoSize->value());
    for (const auto &[spin, key] : PageSpins(ui.get()))
        store->setValue(QString::fromLatin1(key.key), spin->value());
    store->setValue(QStringLiteral("ReceiptPrintToPDF"), ui->checkReceiptPrintToPDF->isChecked());
    store->setValue(QStringLiteral("ReportPrintToPDF"), ui->checkReportPrintToPDF->isChecked());
}
