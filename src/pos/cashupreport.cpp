#include "cashupreport.h"

#include "appsettings.h"
#include "reportengine.h"

#include <QCoreApplication>
#include <QSettings>
#include <QtDebug>

namespace CashUpReport {

namespace {
QString TimeText(const QDateTime &time)
{
    return time.toString(AppSettings::Instance().DisplayDateFormat() + QStringLiteral(" hh:mm"));
}
} // namespace

QVector<QStringList> Rows(const CashUp::Record &record)
{
    using CashUp::Money;
    const CashUp::Figures &f = record.figures;
    return {{QCoreApplication::translate("CashUp", "Sales"), QString::number(f.sales)},
            {QCoreApplication::translate("CashUp", "Returns"), QString::number(f.returns)},
            {QCoreApplication::translate("CashUp", "Gross"), Money(f.gross)},
            {QCoreApplication::translate("CashUp", "Discounts"), Money(f.discounts)},
            {QCoreApplication::translate("CashUp", "Net"), Money(f.net)},
            {QCoreApplication::translate("CashUp", "Tax"), Money(f.tax)},
            {QCoreApplication::translate("CashUp", "Total"), Money(f.total)},
            {QCoreApplication::translate("CashUp", "Expected cash"), Money(f.expectedCash)},
            {QCoreApplication::translate("CashUp", "Counted cash"), Money(record.counted)},
            {QCoreApplication::translate("CashUp", "Difference"), Money(record.difference)}};
}

QString PeriodText(const CashUp::Period &period)
{
    return QCoreApplication::translate("CashUp", "%1 to %2").arg(TimeText(period.from), TimeText(period.to));
}

QString CashierText(const QString &cashier)
{
    return cashier.isEmpty() ? QCoreApplication::translate("CashUp", "All cashiers") : cashier;
}

bool Print(const CashUp::Record &record, QWidget *parent)
{
    ReportEngine engine(parent);
    engine.SetDocumentName(QStringLiteral("cashup"));
    if (!engine.loadTemplate(QStringLiteral(":/xml/reports/cash_up.xml"))) {
        qDebug() << "Cash-up template:" << engine.LastError();
        return false;
    }
    QVector<QStringList> rows = Rows(record);
    // A drawer counted note by note shows its count under the figures.
    for (const CashCount::Count &c : record.counts)
        rows.append({QCoreApplication::translate("CashUp", "%1 x %2").arg(c.count).arg(CashUp::Money(c.denomination)),
                     CashUp::Money(c.denomination * c.count)});
    engine.rowCounts.append(rows.size());
    const QString company = AppSettings::Instance().Text(Setting::CompanyName);
    const QHash<QString, QString> header = {
        {QStringLiteral("title"), QCoreApplication::translate("CashUp", "CASH-UP")},
        {QStringLiteral("company_name"), company},
        {QStringLiteral("cashier_label"), QCoreApplication::translate("CashUp", "Cashier:")},
        {QStringLiteral("cashier"), CashierText(record.period.cashier)},
        {QStringLiteral("period_label"), QCoreApplication::translate("CashUp", "Period:")},
        {QStringLiteral("period"), PeriodText(record.period)},
        {QStringLiteral("closed_label"), QCoreApplication::translate("CashUp", "Closed:")},
        {QStringLiteral("closed"),
         QCoreApplication::translate("CashUp", "%1 by %2").arg(TimeText(record.closedAt), record.closedBy)}};
    QObject::connect(&engine, &ReportEngine::setValue, &engine,
                     [&rows, &header](int &recNo, QString &name, QVariant &value, int) {
                         if (name == QLatin1String("Figure") && recNo < rows.size())
                             value = rows.at(recNo).at(0);
                         else if (name == QLatin1String("Amount") && recNo < rows.size())
                             value = rows.at(recNo).at(1);
                         else if (header.contains(name))
                             value = header.value(name);
                     });
    return engine.printDocument(false);
}

} // namespace CashUpReport
