#include "printersettings.h"
#include "ui_printersettings.h"

#include "appsettings.h"
#include "escpos.h"

#include <QComboBox>
#include <QPrinterInfo>
#include <QScroller>
#include <QSettings>
#include <QSpinBox>

#include <utility>
#include <vector>

namespace {
// Spin boxes and their keys, in the order the page saves them after the printers and the logo.
std::vector<std::pair<QSpinBox *, const SettingKey *>> PageSpins(Ui::PrinterSettings *ui)
{
    return {{ui->spinWidth, &Setting::PaperWidth},
            {ui->spinHeight, &Setting::PaperHeight},
            {ui->spinMarginLeft, &Setting::MarginLeft},
            {ui->spinMarginTop, &Setting::MarginTop},
            {ui->spinMarginRight, &Setting::MarginRight},
            {ui->spinMarginBottom, &Setting::MarginBottom}};
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

    const QString receiptPrinter = AppSettings::Instance().Text(Setting::ReceiptPrinter);
    const QString reportPrinter = AppSettings::Instance().Text(Setting::ReportPrinter);
    for (const QString &name : printers) {
        ui->comboReportPrinter->addItem(name);
        ui->comboReceiptPrinter->addItem(name);
        if (name == receiptPrinter)
            ui->comboReceiptPrinter->setCurrentIndex(ui->comboReceiptPrinter->count() - 1);
        if (name == reportPrinter)
            ui->comboReportPrinter->setCurrentIndex(ui->comboReportPrinter->count() - 1);
    }

    ui->checkPrintLogo->setChecked(AppSettings::Instance().Bool(Setting::PrintLogo));
    ui->spinBoxLogoSize->setValue(AppSettings::Instance().Int(Setting::LogoSize));
    for (const auto &[spin, key] : PageSpins(ui.get()))
        spin->setValue(AppSettings::Instance().Int(*key));
    ui->checkReceiptPrintToPDF->setChecked(
        AppSettings::Instance().Bool(Setting::ReceiptPrintToPdf));
    ui->checkReportPrintToPDF->setChecked(
        AppSettings::Instance().Bool(Setting::ReportPrintToPdf));
    LoadEscPos();
}

void PrinterSettings::LoadEscPos()
{
    const EscPosOptions escPos = EscPosOptions::FromSettings();
    ui->comboReceiptPrinterKind->addItem(tr("Printer queue"));
    ui->comboReceiptPrinterKind->addItem(tr("ESC/POS"));
    ui->comboReceiptPrinterKind->setCurrentIndex(escPos.enabled ? 1 : 0);
    ui->lineEditEscPosTarget->setText(escPos.target);
    for (int columns : EscPos::ColumnChoices())
        ui->comboEscPosColumns->addItem(QString::number(columns), columns);
    ui->comboEscPosColumns->setCurrentIndex(ui->comboEscPosColumns->findData(escPos.columns));
    ui->comboEscPosCodePage->addItems(EscPos::CodePages());
    ui->comboEscPosCodePage->setCurrentText(escPos.codePage);
    ui->checkEscPosCut->setChecked(escPos.cut);
    ui->checkEscPosDrawer->setChecked(escPos.drawerOnCash);
    ui->comboEscPosDrawerPin->addItem(QStringLiteral("2"), 2);
    ui->comboEscPosDrawerPin->addItem(QStringLiteral("5"), 5);
    ui->comboEscPosDrawerPin->setCurrentIndex(escPos.drawerPin == 5 ? 1 : 0);
    ui->spinEscPosPulseOn->setValue(escPos.pulseOnMs);
    ui->spinEscPosPulseOff->setValue(escPos.pulseOffMs);
    // The fields only mean something for an ESC/POS printer.
    const auto showKind = [this](int kind) {
        for (QWidget *field : {static_cast<QWidget *>(ui->lineEditEscPosTarget),
                               static_cast<QWidget *>(ui->comboEscPosColumns),
                               static_cast<QWidget *>(ui->comboEscPosCodePage),
                               static_cast<QWidget *>(ui->checkEscPosCut),
                               static_cast<QWidget *>(ui->checkEscPosDrawer),
                               static_cast<QWidget *>(ui->comboEscPosDrawerPin),
                               static_cast<QWidget *>(ui->spinEscPosPulseOn),
                               static_cast<QWidget *>(ui->spinEscPosPulseOff)})
            field->setEnabled(kind == 1);
    };
    connect(ui->comboReceiptPrinterKind, QOverload<int>::of(&QComboBox::currentIndexChanged),
            this, showKind);
    showKind(ui->comboReceiptPrinterKind->currentIndex());
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
        store->setValue(key->Name(), spin->value());
    store->setValue(QStringLiteral("ReceiptPrintToPDF"), ui->checkReceiptPrintToPDF->isChecked());
    store->setValue(QStringLiteral("ReportPrintToPDF"), ui->checkReportPrintToPDF->isChecked());

    EscPosOptions escPos;
    escPos.enabled = ui->comboReceiptPrinterKind->currentIndex() == 1;
    escPos.target = ui->lineEditEscPosTarget->text().trimmed();
    escPos.columns = ui->comboEscPosColumns->currentData().toInt();
    escPos.codePage = ui->comboEscPosCodePage->currentText();
    escPos.cut = ui->checkEscPosCut->isChecked();
    escPos.drawerOnCash = ui->checkEscPosDrawer->isChecked();
    escPos.drawerPin = ui->comboEscPosDrawerPin->currentData().toInt();
    escPos.pulseOnMs = ui->spinEscPosPulseOn->value();
    escPos.pulseOffMs = ui->spinEscPosPulseOff->value();
    escPos.Save();
}
