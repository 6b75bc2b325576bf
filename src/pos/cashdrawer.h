#pragma once

#include <QString>

// The cash drawer hangs off the ESC/POS receipt printer and opens on a pulse sent through it.
namespace CashDrawer {

// Whether the receipt printer is an ESC/POS printer, which is what can open the drawer.
bool Available();

// After a cash payment has been recorded, when the settings ask for it. Empty when the drawer
// was opened or was not to be opened, else the message for the user.
QString OpenAfterCashPayment();

// A manager's key: opens it now and records who did in the audit trail. Empty, or the message
// for the user.
QString OpenByHand();

} // namespace CashDrawer
