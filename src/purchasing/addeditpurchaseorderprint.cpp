#include "addeditpurchaseorder.h"
#include "ui_addeditpurchaseorder.h"

#include "appsettings.h"
#include "purchaserules.h"
#include "reportengine.h"

#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QSqlQueryModel>
#include <QtDebug>

// Printing a purchase order through the report engine: the dialog answers the engine's
// requests for the header, the company and every line.

using namespace Purchasing;

std::unique_ptr<ReportEngine> AddEditPurchaseOrder::PrepareEngine()
{
    const QString path = !m_templatePath.isEmpty()
        ? m_templatePath
        : QString::fromLatin1(m_taxEnabled ? PurchaseOrderTemplate : PurchaseOrderNoTaxTemplate);
    auto engine = std::make_unique<ReportEngine>(this);
    engine->SetDocumentName(QStringLiteral("order"), m_orderKey);
    engine->rowCounts.append(m_lines->rowCount());
    if (!engine->loadTemplate(path)) {
        qWarning() << "Report's file not found" << path << engine->LastError();
        QMessageBox::warning(this, tr("Print"),
                             tr("The purchase order template could not be loaded: %1")
                                 .arg(engine->LastError()));
        return nullptr;
    }
    connect(engine.get(), &ReportEngine::setValue, this, &AddEditPurchaseOrder::setValue);
    connect(engine.get(), &ReportEngine::setValueImage, this, &AddEditPurchaseOrder::setValueImage);
    return engine;
}

void AddEditPurchaseOrder::printReport(bool preview)
{
    const std::unique_ptr<ReportEngine> engine = PrepareEngine();
    if (!engine)
        return;
    if (preview) {
        QWidget *mainWindow = AppSettings::Instance().GlobalParent();
        engine->previewDocument(mainWindow ? mainWindow : this);
    } else {
        engine->printDocument(true);
    }
}

void AddEditPurchaseOrder::on_pushPrintToPDF_clicked()
{
    const std::unique_ptr<ReportEngine> engine = PrepareEngine();
    if (engine)
        engine->printToPdfFile();
}

void AddEditPurchaseOrder::on_pushPreview_clicked()
{
    printReport(true);
}

void AddEditPurchaseOrder::on_pushPrintPreview_clicked()
{
    printReport(true);
}

void AddEditPurchaseOrder::on_pushPrint_clicked()
{
    printReport(false);
}

void AddEditPurchaseOrder::setValue(int &recNo, QString &paramName, QVariant &paramValue, int)
{
    const QLocale locale = QLocale::system();
    const auto line
        = [this, recNo](int column) { return m_lines->index(recNo, column).data().toString(); };
    const QString money = m_currencySymbol + QStringLiteral(" ");
    if (paramName == QLatin1String("company_name"))
        paramValue = m_companyName;
    else if (paramName == QLatin1String("company_address"))
        paramValue = m_companyAddress;
    else if (paramName == QLatin1String("company_contact"))
        paramValue = m_companyContact;
    else if (paramName == QLatin1String("report_message"))
        paramValue = m_reportMessage;
    else if (paramName == QLatin1String("vendor_name"))
        paramValue = m_vendorName;
    else if (paramName == QLatin1String("vendor_address"))
        paramValue = m_vendorAddress;
    else if (paramName == QLatin1String("vendor_contact"))
        paramValue = m_vendorContact;
    else if (paramName == QLatin1String("deliver_date"))
        paramValue = locale.toString(ui->dateDeliver->date(), QStringLiteral("dddd, d MMMM yy"));
    else if (paramName == QLatin1String("porder"))
        paramValue = m_orderKey;
    else if (paramName == QLatin1String("date"))
        paramValue = locale.toString(QDateTime::currentDateTime(),
                                     QStringLiteral("dddd, d MMMM yy hh:mm:ss"));
    else if (paramName == QLatin1String("Qty"))
        paramValue = line(LineQuantity);
    else if (paramName == QLatin1String("Code"))
        paramValue = line(LineCode);
    else if (paramName == QLatin1String("Name"))
        paramValue = line(LineName);
    else if (paramName == QLatin1String("UnitPrice"))
        paramValue = line(LineUnitPrice);
    else if (paramName == QLatin1String("LineTotal"))
        paramValue = line(LineTotalColumn);
    else if (paramName == QLatin1String("total"))
        paramValue = QString(money + ui->lineTotal->text());
    else if (paramName == QLatin1String("tax"))
        paramValue = QString(money + ui->lineTax->text());
    else if (paramName == QLatin1String("Tax_Name"))
        paramValue = m_salesTaxName;
    else if (paramName == QLatin1String("sub_total"))
        paramValue = QString(money + ui->lineSubTotal->text());
}

void AddEditPurchaseOrder::setValueImage(int &, QString &paramName, QImage &paramValue, int)
{
    if (paramName == QLatin1String("image"))
        paramValue = m_logo;
}
