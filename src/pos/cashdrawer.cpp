#include "cashdrawer.h"

#include "escpos.h"
#include "escposprinter.h"

#include "auditlog.h"
#include "dbmanager.h"

#include <QCoreApplication>
#include <QVariantMap>

namespace {

QString Pulse(const EscPosOptions &options)
{
    return EscPosPrinter::Send(options.target, EscPos::DrawerPulse(options));
}

// A drawer opened without a sale is recorded in the sales database's audit trail. It is written
// after the pulse: holding the trail's head row while a printer takes its time would stall every
// other till's entries, and an entry for a drawer that stayed shut would be false.
QString RecordOpenedByHand(const EscPosOptions &options)
{
    const bool written = AuditLog::Write(
        CDBManager::Instance().GetSalesDataBase(), QLatin1String(AuditLog::Kind::DrawerOpened),
        QStringLiteral("cash drawer"), options.target, QString(),
        AuditLog::ObjectJson({{QStringLiteral("PIN"), options.drawerPin}}));
    return written ? QString()
                   : QCoreApplication::translate("CashDrawer",
                                                 "The cash drawer was opened, but the audit "
                                                 "trail could not record it.");
}

} // namespace

namespace CashDrawer {

bool Available()
{
    return EscPosOptions::FromSettings().enabled;
}

QString OpenAfterCashPayment()
{
    const EscPosOptions options = EscPosOptions::FromSettings();
    if (!options.enabled || !options.drawerOnCash)
        return QString();
    return Pulse(options);
}

QString OpenByHand()
{
    const EscPosOptions options = EscPosOptions::FromSettings();
    const QString error = Pulse(options);
    return error.isEmpty() ? RecordOpenedByHand(options) : error;
}

} // namespace CashDrawer
