#include "transactionreplay.h"

#include "dbmanager.h"
#include "sqlutil.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QThread>

bool IsReplayable(const QSqlError &error)
{
    const int code = NativeErrorCode(error);
    return code == MariaDbError::Deadlock || code == MariaDbError::LockWaitTimeout;
}

bool IsConnectionLoss(const QSqlError &error)
{
    const int code = NativeErrorCode(error);
    return code == MariaDbError::ServerGone || code == MariaDbError::ServerLost;
}

bool TxResult::IsLockConflict() const
{
    return kind == Failed && IsReplayable(error);
}

bool TxResult::IsConnectionLost() const
{
    return kind == Failed && IsConnectionLoss(error);
}

namespace {
// One run of the body inside BEGIN ... COMMIT.
TxResult TryOnce(QSqlDatabase &db, const std::function<TxStep(QSqlDatabase &)> &body,
                 const TxOptions &options)
{
    TxResult result;
    if (options.lockWaitSeconds > 0) {
        SqlQuery wait(db);
        // A number of the program's own, not a value from outside: no binding needed.
        if (!wait.exec(QStringLiteral("SET SESSION innodb_lock_wait_timeout = %1")
                           .arg(options.lockWaitSeconds))) {
            LogSqlError(wait.lastError());
            result.error = wait.lastError();
            return result;
        }
    }
    if (!db.transaction()) {
        LogSqlError(db.lastError());
        result.error = db.lastError();
        return result;
    }
    const TxStep step = body(db);
    if (step.kind != TxStep::CommitNow) {
        if (!db.rollback())
            LogSqlError(db.lastError());
        result.kind = step.kind == TxStep::RollBackNow ? TxResult::RolledBack : TxResult::Failed;
        result.error = step.error;
        return result;
    }
    // A cluster may have rolled the try back under the body; COMMIT would then commit nothing.
    const QSqlError ended = TransactionEnded(db);
    if (ended.isValid()) {
        LogSqlError(ended);
        db.rollback();
        result.error = ended;
        return result;
    }
    if (db.commit()) {
        result.kind = TxResult::Committed;
        return result;
    }
    result.error = db.lastError();
    LogSqlError(result.error);
    result.commitUnknown = IsConnectionLoss(result.error);
    if (!result.commitUnknown)
        db.rollback();
    return result;
}
} // namespace

TxResult RunTransaction(QSqlDatabase db, const std::function<TxStep(QSqlDatabase &)> &body,
                        const TxOptions &options)
{
    TxResult result;
    const int tries = qMax(1, options.tries);
    for (int attempt = 1; attempt <= tries; ++attempt) {
        result = TryOnce(db, body, options);
        result.tries = attempt;
        if (result.kind != TxResult::Failed || !IsReplayable(result.error))
            return result;
        if (attempt < tries && options.backOffMs > 0)
            QThread::msleep(QRandomGenerator::global()->bounded(options.backOffMs * attempt) + 1);
    }
    return result;
}

bool ReplayWhole(const std::function<bool()> &once, const TxOptions &options)
{
    const int tries = qMax(1, options.tries);
    for (int attempt = 1; attempt <= tries; ++attempt) {
        ClearLoggedSqlError();
        if (once())
            return true;
        if (!IsReplayable(LastLoggedSqlError()))
            return false;
        if (attempt < tries && options.backOffMs > 0)
            QThread::msleep(QRandomGenerator::global()->bounded(options.backOffMs * attempt) + 1);
    }
    return false;
}
