#include "cashdrawer.h"

#include "escpos.h"
#include "escposprinter.h"

#include <QtDebug>

namespace {

QString Pulse(const EscPosOptions &options)
{
    return EscPosPrinter::Send(options.target, EscPos::DrawerPulse(options));
}

// The one place a drawer opened without a sale is recorded.
void RecordOpenedByHand(const QString &user)
{
    qInfo().noquote() << "Open Drawer:" << user;
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

QString OpenByHand(const QString &user)
{
    const EscPosOptions options = EscPosOptions::FromSettings();
    const QString error = Pulse(options);
    if (error.isEmpty())
        RecordOpenedByHand(user);
    return error;
}

} // namespace CashDrawer
