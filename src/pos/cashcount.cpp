#include "cashcount.h"

#include "appsettings.h"
#include "cashup.h"
#include "sqlutil.h"

#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace CashCount {

QVector<qint64> DenominationsFor(const QString &currencySymbol)
{
    const QString symbol = currencySymbol.trimmed().toUpper();
    if (symbol == QLatin1String("$") || symbol == QLatin1String("USD"))
        return {10000, 5000, 2000, 1000, 500, 200, 100, 25, 10, 5, 1};
    if (symbol == QStringLiteral("£") || symbol == QLatin1String("GBP"))
        return {5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5, 2, 1};
    // The 1-2-5 series most currencies (the euro among them) follow.
    return {50000, 20000, 10000, 5000, 2000, 1000, 500, 200, 100, 50, 20, 10, 5, 2, 1};
}

QVector<qint64> ParseDenominations(const QString &text)
{
    QVector<qint64> values;
    const QStringList parts
        = text.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        qint64 cents = 0;
        if (!CashUp::ParseMoney(part, &cents) || cents <= 0)
            return {};
        values.append(cents);
    }
    std::sort(values.begin(), values.end(), std::greater<qint64>());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

QVector<qint64> Denominations()
{
    // The settings file reads a list with commas back as a list of texts, which the table's
    // text reading would lose: this one key is read as it is stored.
    const QVector<qint64> own = ParseDenominations(
        AppSettings::Instance()
            .Settings()
            ->value(Setting::CashDenominations.Name())
            .toStringList()
            .join(QLatin1Char(',')));
    return own.isEmpty() ? DenominationsFor(AppSettings::Instance().Text(Setting::CurrencySymbol))
                         : own;
}

qint64 Sum(const QVector<Count> &counts)
{
    qint64 sum = 0;
    for (const Count &c : counts)
        sum += c.denomination * c.count;
    return sum;
}

bool Store(QSqlDatabase db, int cashUpId, const QVector<Count> &counts, QSqlError *error)
{
    SqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO tblCashUpCounts (CASH_UP_ID, DENOMINATION, "
                                  "COUNTED) VALUES (:id, :denomination, :counted)"));
    for (const Count &c : counts) {
        if (c.count == 0)
            continue;
        insert.bindValue(QStringLiteral(":id"), cashUpId);
        insert.bindValue(QStringLiteral(":denomination"), CashUp::Money(c.denomination));
        insert.bindValue(QStringLiteral(":counted"), c.count);
        if (!ExecLogged(insert)) {
            *error = insert.lastError();
            return false;
        }
    }
    return true;
}

QVector<Count> Stored(QSqlDatabase db, int cashUpId)
{
    QVector<Count> counts;
    SqlQuery query(db);
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    query.prepare(QStringLiteral("SELECT DENOMINATION, COUNTED FROM tblCashUpCounts WHERE "
                                 "CASH_UP_ID = :id ORDER BY DENOMINATION DESC"));
    query.bindValue(QStringLiteral(":id"), cashUpId);
    if (ExecLogged(query)) {
        while (query.next()) {
            Count c;
            CashUp::ParseMoney(query.value(0).toString(), &c.denomination);
            c.count = query.value(1).toInt();
            counts.append(c);
        }
    }
    return counts;
}

} // namespace CashCount
