#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVector>

// Counting the drawer note by note: the notes and coins of the shop's currency and how many
// of each were counted. Amounts are whole cents, so the sum is exact to the cent.
namespace CashCount {

struct Count {
    qint64 denomination = 0; // cents
    int count = 0;
};

// The highest count one denomination takes: keeps every sum far inside qint64.
constexpr int kMaxCount = 99999;

// The denominations the drawer is counted in, largest first: the "CASH_DENOMINATIONS" setting
// ("100, 50, 20, 0.50" ...) when it holds a valid list, else the ones of the currency symbol.
QVector<qint64> Denominations();
// The usual notes and coins for a currency symbol ("$", "£", "€" ...), largest first.
QVector<qint64> DenominationsFor(const QString &currencySymbol);
// A list as the setting holds it; an empty result when any entry is not an amount above zero.
QVector<qint64> ParseDenominations(const QString &text);

qint64 Sum(const QVector<Count> &counts);

// Stores the counts of a cash-up inside the caller's transaction; counts of 0 are left out.
bool Store(QSqlDatabase db, int cashUpId, const QVector<Count> &counts, QSqlError *error);
// The stored counts of a cash-up, largest denomination first; empty when it was typed as one
// amount.
QVector<Count> Stored(QSqlDatabase db, int cashUpId);

} // namespace CashCount
