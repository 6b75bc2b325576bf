#pragma once

#include "sqlutil.h"
#include <QSqlDatabase>
#include <QSqlError>

#include <functional>

// Runs writes that belong together as one database transaction, and replays the whole of it
// from its start when the server gives it up for a lock: a lock wait (1205), a deadlock (1213),
// or a cluster's certification failure (1213 at COMMIT). Between tries it backs off for a
// short random time, so tills that collided do not collide again at once.
//
// Use:
//     QSqlDatabase db = CDBManager::Instance().GetInventoryDataBase();
//     const TxResult result = RunTransaction(db, [&](QSqlDatabase &tx) {
//         SqlQuery update(tx);
//         update.prepare(...); update.bindValue(...);
//         if (!update.exec())
//             return TxStep::Failed(update.lastError());  // a lock error here is replayed
//         if (nothingToDo)
//             return TxStep::RollBack();                   // the body's own choice, not replayed
//         return TxStep::Commit();
//     });
//     if (result.IsCommitted()) ...
//
// The body may run several times: it must start from nothing each time (prepare its queries
// inside, keep results in locals it resets) and hand its effects to the rest of the program
// only once the result says committed. A body must not begin, commit or roll back itself.
//
// IsCommitUnknown() tells the one case where the outcome is not known: the connection was lost
// while COMMIT was on its way. The server may have committed; only the data can tell (for a
// sale, its key). Such a transaction is never replayed blindly.

// What the body asks for once its statements ran.
struct TxStep {
    enum Kind { CommitNow, RollBackNow, FailedNow };
    Kind kind = CommitNow;
    QSqlError error;
    static TxStep Commit() { return {CommitNow, {}}; }
    static TxStep RollBack() { return {RollBackNow, {}}; }
    static TxStep Failed(const QSqlError &error) { return {FailedNow, error}; }
};

struct TxOptions {
    int tries = 5;
    // Seconds a statement waits for a row lock before the try is given up (the server's own
    // setting for this session when 0). Tills use a short wait so the screen never freezes long.
    int lockWaitSeconds = 0;
    // Upper bound of the random pause before a replay, in milliseconds; it grows with each try.
    int backOffMs = 40;
};

struct TxResult {
    enum Kind { Committed, RolledBack, Failed };
    Kind kind = Failed;
    QSqlError error; // the last failure when Failed
    int tries = 0; // how often the body ran
    bool commitUnknown = false;
    bool IsCommitted() const { return kind == Committed; }
    bool IsCommitUnknown() const { return commitUnknown; }
    // Every try met a lock: the caller shows its "busy" refusal.
    bool IsLockConflict() const;
    bool IsConnectionLost() const;
};

// The wait a till's transactions use per try, in seconds.
constexpr int kTillLockWaitSeconds = 2;
// The options of every till transaction: the short lock wait, the usual replays.
inline TxOptions TillOptions()
{
    TxOptions options;
    options.lockWaitSeconds = kTillLockWaitSeconds;
    return options;
}

TxResult RunTransaction(QSqlDatabase db, const std::function<TxStep(QSqlDatabase &)> &body,
                        const TxOptions &options = {});

// For writes kept in a function of their own that opens, fills and commits its transaction
// (TransactionGuard, errors written with LogSqlError): runs it again from its start, with the
// same back-off, while what it failed on was a lock conflict or a cluster's certification
// failure. The function must leave nothing behind when it returns false, as TransactionGuard
// does, and set what it hands back only on success.
bool ReplayWhole(const std::function<bool()> &once, const TxOptions &options = {});

// A server refusal that a replay may cure (1205, 1213).
bool IsReplayable(const QSqlError &error);
// The connection went away under a statement (2006, 2013).
bool IsConnectionLoss(const QSqlError &error);
