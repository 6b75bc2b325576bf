#include "cashup.h"

#include "appsettings.h"
#include "auditlog.h"
#include "dbmanager.h"
#include "sqlutil.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace CashUp {

namespace {
const char *kTimeFormat = "yyyy-MM-dd hh:mm:ss";

QString TimeText(const QDateTime &time)
{
    return time.toString(QLatin1String(kTimeFormat));
}

// The cashier condition; an empty cashier means every cashier.
QString CashierCondition(const QString &column, const QString &cashier)
{
    return cashier.isEmpty() ? QStringLiteral(" AND %1 IS NULL").arg(column)
                             : QStringLiteral(" AND %1 = :cashier").arg(column);
}

void BindPeriod(QSqlQuery &query, const Period &period)
{
    query.bindValue(QStringLiteral(":from"), TimeText(period.from));
    query.bindValue(QStringLiteral(":to"), TimeText(period.to));
    if (!period.cashier.isEmpty())
        query.bindValue(QStringLiteral(":cashier"), period.cashier);
}

Record RecordOf(const QSqlQuery &query)
{
    Record r;
    r.id = query.value(0).toInt();
    r.closedAt = query.value(1).toDateTime();
    r.closedBy = query.value(2).toString();
    r.period.cashier = query.value(3).toString();
    r.period.from = query.value(4).toDateTime();
    r.period.to = query.value(5).toDateTime();
    r.figures.sales = query.value(6).toInt();
    r.figures.returns = query.value(7).toInt();
    qint64 *cents[] = {&r.figures.gross, &r.figures.discounts, &r.figures.net, &r.figures.tax,
                       &r.figures.total, &r.figures.expectedCash, &r.counted, &r.difference};
    for (int i = 0; i < 8; ++i)
        *cents[i] = query.value(8 + i).toString().remove(QLatin1Char('.')).toLongLong();
    return r;
}

// DECIMAL(14,2) text of cents, bound as text so nothing passes through a double.
QString Decimal(qint64 cents)
{
    return Money(cents);
}
} // namespace

QString Money(qint64 cents)
{
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

bool ParseMoney(const QString &text, qint64 *cents)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,10})(?:\\.([0-9]{1,2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const QString fraction = match.captured(2).leftJustified(2, QLatin1Char('0'));
    *cents = match.captured(1).toLongLong() * 100 + fraction.toInt();
    return true;
}

bool Compute(QSqlDatabase db, const Period &period, Figures *figures)
{
    *figures = Figures();
    // Each stored value is rounded to its cents before it is added: the sum of what the
    // screens showed, not of the binary fractions behind them.
    const QString cashier = period.cashier.isEmpty() ? QString()
                                                     : QStringLiteral(" AND t.USER_ID = :cashier");
    SqlQuery sales(db);
    sales.prepare(QStringLiteral(
                      "SELECT SUM(t.GRAND_TOTAL >= 0), SUM(t.GRAND_TOTAL < 0), "
                      "SUM(ROUND(t.GRAND_TOTAL * 100)), SUM(ROUND(t.PAID * 100)), "
                      "SUM(ROUND(t.RETURN_AMOUNT * 100)) FROM tblSalesTransactions AS t "
                      "WHERE t.TIME_STAMP >= :from AND t.TIME_STAMP < :to")
                  + cashier);
    BindPeriod(sales, period);
    if (!ExecLogged(sales) || !sales.next())
        return false;
    figures->sales = sales.value(0).toInt();
    figures->returns = sales.value(1).toInt();
    figures->total = sales.value(2).toLongLong();
    // RETURN_AMOUNT holds total minus tendered (negative when change was handed back), so
    // the drawer keeps what was tendered plus that amount.
    figures->expectedCash = sales.value(3).toLongLong() + sales.value(4).toLongLong();

    // A line's discount is stored positive, also on a return line (negative line total).
    SqlQuery lines(db);
    lines.prepare(QStringLiteral(
                      "SELECT SUM(ROUND(l.SUB_TOTAL * 100)), "
                      "SUM(IF(l.SUB_TOTAL < 0, -1, 1) * ROUND(l.DISCOUNT * 100)) "
                      "FROM tblSalesTransactions AS t JOIN tblSalesInvoice AS l "
                      "ON l.TRANSACTION_ID = t.ID "
                      "WHERE t.TIME_STAMP >= :from AND t.TIME_STAMP < :to")
                  + cashier);
    BindPeriod(lines, period);
    if (!ExecLogged(lines) || !lines.next())
        return false;
    figures->net = lines.value(0).toLongLong();
    figures->discounts = lines.value(1).toLongLong();
    figures->gross = figures->net + figures->discounts;
    figures->tax = figures->total - figures->net;
    return true;
}

Period SinceLast(QSqlDatabase db, const QString &cashier, const QDateTime &now)
{
    Period period;
    period.cashier = cashier;
    period.to = now.addMSecs(-now.time().msec());
    SqlQuery last(db);
    last.prepare(QStringLiteral("SELECT MAX(PERIOD_TO) FROM tblCashUps WHERE 1 = 1")
                 + CashierCondition(QStringLiteral("CASHIER"), cashier));
    if (!cashier.isEmpty())
        last.bindValue(QStringLiteral(":cashier"), cashier);
    if (ExecLogged(last) && last.next() && !last.value(0).isNull()) {
        period.from = qMin(last.value(0).toDateTime(), period.to);
        return period;
    }
    SqlQuery first(db);
    first.prepare(QStringLiteral("SELECT MIN(TIME_STAMP) FROM tblSalesTransactions WHERE 1 = 1")
                  + (cashier.isEmpty() ? QString() : QStringLiteral(" AND USER_ID = :cashier")));
    if (!cashier.isEmpty())
        first.bindValue(QStringLiteral(":cashier"), cashier);
    if (ExecLogged(first) && first.next() && !first.value(0).isNull())
        period.from = qMin(first.value(0).toDateTime(), period.to);
    else
        period.from = QDateTime(period.to.date(), QTime(0, 0));
    return period;
}

Period Day(const QString &cashier, const QDate &day, const QDateTime &now)
{
    const QDateTime end = qMin(QDateTime(day.addDays(1), QTime(0, 0)),
                               now.addMSecs(-now.time().msec()));
    return {cashier, QDateTime(day, QTime(0, 0)), qMax(end, QDateTime(day, QTime(0, 0)))};
}

CloseResult Close(QSqlDatabase db, const Period &period, const Figures &figures, qint64 counted,
                  Record *stored, const QVector<CashCount::Count> &counts)
{
    if (!counts.isEmpty() && CashCount::Sum(counts) != counted)
        return CloseResult::Failed; // a cash-up whose counts tell another story is not kept
    Record record;
    record.period = period;
    record.figures = figures;
    record.counted = counted;
    record.difference = counted - figures.expectedCash;
    record.counts = counts;
    record.closedBy = AppSettings::Instance().GetCurrentUser();
    const QDateTime now = QDateTime::currentDateTime();
    record.closedAt = now.addMSecs(-now.time().msec());

    if (period.from >= period.to)
        return CloseResult::AlreadyClosed; // nothing left since the last cash-up
    constexpr int kTries = 3;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        TransactionGuard transaction(db);
        if (!transaction.IsActive())
            return CloseResult::Failed;
        // The audit entry comes first: it locks the trail's head row, so two tills closing
        // the same period queue and the second one finds the first one's cash-up.
        QSqlError failure;
        QVariantMap audited = {{QStringLiteral("CASHIER"), period.cashier},
                               {QStringLiteral("PERIOD_FROM"), TimeText(period.from)},
                               {QStringLiteral("PERIOD_TO"), TimeText(period.to)},
                               {QStringLiteral("EXPECTED_CASH"), Money(figures.expectedCash)},
                               {QStringLiteral("COUNTED_CASH"), Money(counted)}};
        if (!counts.isEmpty()) {
            QVariantMap byDenomination;
            for (const CashCount::Count &c : counts) {
                if (c.count != 0)
                    byDenomination.insert(Money(c.denomination), c.count);
            }
            audited.insert(QStringLiteral("COUNTS"), byDenomination);
        }
        const QString after = AuditLog::ObjectJson(audited);
        bool ok = AuditLog::Write(db, QStringLiteral("CASH_UP_CLOSED"),
                                  QStringLiteral("tblCashUps"), period.cashier, QString(), after,
                                  &failure);
        SqlQuery overlap(db);
        if (ok) {
            overlap.prepare(QStringLiteral("SELECT COUNT(*) FROM tblCashUps WHERE PERIOD_FROM < "
                                           ":to AND PERIOD_TO > :from")
                            + CashierCondition(QStringLiteral("CASHIER"), period.cashier));
            BindPeriod(overlap, period);
            ok = ExecLogged(overlap) && overlap.next();
            failure = overlap.lastError();
            if (ok && overlap.value(0).toInt() > 0)
                return CloseResult::AlreadyClosed;
        }
        SqlQuery insert(db);
        if (ok) {
            insert.prepare(QStringLiteral(
                "INSERT INTO tblCashUps (CLOSED_AT, CLOSED_BY, CASHIER, PERIOD_FROM, PERIOD_TO, "
                "SALES, RETURNS, GROSS, DISCOUNTS, NET, TAX, TOTAL, EXPECTED_CASH, COUNTED_CASH, "
                "DIFFERENCE) VALUES (:closed_at, :closed_by, :cashier, :from, :to, :sales, "
                ":returns, :gross, :discounts, :net, :tax, :total, :expected, :counted, "
                ":difference)"));
            insert.bindValue(QStringLiteral(":closed_at"), TimeText(record.closedAt));
            insert.bindValue(QStringLiteral(":closed_by"), record.closedBy);
            insert.bindValue(QStringLiteral(":cashier"), period.cashier.isEmpty()
                                                             ? QVariant(QVariant::String)
                                                             : QVariant(period.cashier));
            insert.bindValue(QStringLiteral(":from"), TimeText(period.from));
            insert.bindValue(QStringLiteral(":to"), TimeText(period.to));
            insert.bindValue(QStringLiteral(":sales"), figures.sales);
            insert.bindValue(QStringLiteral(":returns"), figures.returns);
            insert.bindValue(QStringLiteral(":gross"), Decimal(figures.gross));
            insert.bindValue(QStringLiteral(":discounts"), Decimal(figures.discounts));
            insert.bindValue(QStringLiteral(":net"), Decimal(figures.net));
            insert.bindValue(QStringLiteral(":tax"), Decimal(figures.tax));
            insert.bindValue(QStringLiteral(":total"), Decimal(figures.total));
            insert.bindValue(QStringLiteral(":expected"), Decimal(figures.expectedCash));
            insert.bindValue(QStringLiteral(":counted"), Decimal(counted));
            insert.bindValue(QStringLiteral(":difference"), Decimal(record.difference));
            ok = ExecLogged(insert);
            failure = insert.lastError();
        }
        if (ok) {
            record.id = insert.lastInsertId().toInt();
            ok = CashCount::Store(db, record.id, counts, &failure);
        }
        if (ok) {
            ok = transaction.Commit();
            failure = db.lastError();
        }
        if (ok) {
            if (stored)
                *stored = record;
            return CloseResult::Closed;
        }
        const int code = NativeErrorCode(failure);
        if (code != MariaDbError::Deadlock && code != MariaDbError::LockWaitTimeout)
            return CloseResult::Failed;
    }
    return CloseResult::Failed;
}

QVector<Record> Past(QSqlDatabase db, int limit)
{
    QVector<Record> records;
    SqlQuery query(db);
    query.setForwardOnly(true);
    // DECIMAL columns as their exact texts, not as doubles.
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    query.prepare(QStringLiteral(
        "SELECT ID, CLOSED_AT, CLOSED_BY, CASHIER, PERIOD_FROM, PERIOD_TO, SALES, RETURNS, GROSS, "
        "DISCOUNTS, NET, TAX, TOTAL, EXPECTED_CASH, COUNTED_CASH, DIFFERENCE FROM tblCashUps "
        "ORDER BY CLOSED_AT DESC, ID DESC LIMIT :rows"));
    query.bindValue(QStringLiteral(":rows"), limit);
    if (ExecLogged(query)) {
        while (query.next())
            records.append(RecordOf(query));
    }
    return records;
}

} // namespace CashUp
