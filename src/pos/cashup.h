#pragma once

#include "cashcount.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

// Closing a till's day or shift: the figures of the sales on record in a period, the cash the
// drawer should hold, and the stored cash-ups (tblCashUps). Amounts are whole cents, summed
// from the stored two-decimal values, so every figure equals the sales to the cent.
namespace CashUp {

// The sales of one cashier (login name; empty for every cashier) from `from` up to, but not
// including, `to`.
struct Period {
    QString cashier;
    QDateTime from;
    QDateTime to;
};

struct Figures {
    int sales = 0; // transactions with a total of 0 or more
    int returns = 0; // transactions with a negative total
    qint64 gross = 0; // before discounts, without tax
    qint64 discounts = 0;
    qint64 net = 0; // after discounts, without tax
    qint64 tax = 0;
    qint64 total = 0; // net plus tax: what the customers were charged
    qint64 expectedCash = 0; // tendered minus the change handed back
};

// False when the sales cannot be read.
bool Compute(QSqlDatabase db, const Period &period, Figures *figures);

// The period a cash-up "since the last one" covers now: from the end of the cashier's (or the
// all-cashiers') last cash-up, or from the first sale on record, up to this second.
Period SinceLast(QSqlDatabase db, const QString &cashier, const QDateTime &now);
// One calendar day; today's ends now, so that later sales are left for the next cash-up.
Period Day(const QString &cashier, const QDate &day, const QDateTime &now);

struct Record {
    int id = 0;
    QDateTime closedAt;
    QString closedBy;
    Period period;
    Figures figures;
    qint64 counted = 0;
    qint64 difference = 0; // counted minus expected
    QVector<CashCount::Count> counts; // empty when the counted cash was typed as one amount
};

enum class CloseResult { Closed, AlreadyClosed, Failed };
// Stores the cash-up with its audit entry in one transaction. A period that overlaps a stored
// cash-up of the same cashier (or of all cashiers) is refused: a drawer is counted once.
// Counts by denomination, when given, are stored with it and must sum to counted.
CloseResult Close(QSqlDatabase db, const Period &period, const Figures &figures, qint64 counted,
                  Record *stored, const QVector<CashCount::Count> &counts = {});

// The latest cash-ups first, at most limit of them.
QVector<Record> Past(QSqlDatabase db, int limit = 200);

// Cents as the screens show money: "-12.05".
QString Money(qint64 cents);
// A typed amount ("12", "12.5", "12.05") in cents; false for anything else.
bool ParseMoney(const QString &text, qint64 *cents);

} // namespace CashUp
