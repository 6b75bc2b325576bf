#include "sqlutil.h"

#include "dbmanager.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

int NativeErrorCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code : 0;
}

bool ExecLogged(QSqlQuery &query)
{
    if (query.exec())
        return true;
    LogSqlError(query.lastError());
    return false;
}

bool ExecLogged(SqlQuery &query)
{
    if (query.exec())
        return true;
    LogSqlError(query.lastError());
    return false;
}

bool RunSqlScript(const QSqlDatabase &db, const QString &script)
{
    if (script.trimmed().isEmpty())
        return false;
    SqlQuery query(db);
    if (!query.exec(script)) {
        LogSqlError(query.lastError());
        return false;
    }
    // Later statements of the batch report their failures only as their results are read.
    while (query.nextResult()) {
    }
    if (query.lastError().isValid()) {
        LogSqlError(query.lastError());
        return false;
    }
    return true;
}

QString SqlLiteral(const QSqlDatabase &db, const QString &value)
{
    QSqlField field(QString(), QVariant::String);
    field.setValue(value);
    if (db.driver())
        return db.driver()->formatValue(field);
    // No driver: quote conservatively so the text can never end the literal.
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString LikeContains(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

TransactionGuard::TransactionGuard(QSqlDatabase db)
    : m_db(std::move(db))
{
    m_active = m_db.transaction();
    if (!m_active)
        LogSqlError(m_db.lastError());
}

TransactionGuard::~TransactionGuard()
{
    if (m_active && !m_db.rollback())
        LogSqlError(m_db.lastError());
}

QSqlError TransactionEnded(const QSqlDatabase &db)
{
    SqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT @@in_transaction")))
        return query.lastError();
    if (query.next() && query.value(0).toInt() == 1)
        return QSqlError();
    // Not a refusal a replay may cure: some of the try may have been written on its own.
    return QSqlError(QStringLiteral("The transaction ended before its COMMIT"),
                     QStringLiteral("transaction no longer open"), QSqlError::TransactionError);
}

bool TransactionGuard::Commit()
{
    if (!m_active)
        return false;
    m_active = false;
    const QSqlError ended = TransactionEnded(m_db);
    if (ended.isValid()) {
        LogSqlError(ended);
        m_db.rollback();
        return false;
    }
    if (m_db.commit())
        return true;
    LogSqlError(m_db.lastError());
    m_db.rollback();
    return false;
}

bool SchemaHas(const QSqlDatabase &db, const QString &schema, const QString &table,
               const QString &column, QSqlError *failure)
{
    static QMutex mutex;
    static QHash<QString, qint64> missedAt; // key -> ms since epoch of the last miss
    static QSet<QString> found;
    const QString inSchema = schema.isEmpty() ? db.databaseName() : schema;
    const QString key = QStringLiteral("%1:%2/%3.%4.%5")
                            .arg(db.hostName())
                            .arg(db.port())
                            .arg(inSchema, table, column);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    {
        QMutexLocker lock(&mutex);
        if (found.contains(key))
            return true;
        const auto missed = missedAt.constFind(key);
        if (missed != missedAt.constEnd() && now - missed.value() < 5000)
            return false;
    }
    SqlQuery query(db);
    query.prepare(column.isEmpty()
                      ? QStringLiteral("SELECT 1 FROM information_schema.TABLES WHERE "
                                       "TABLE_SCHEMA = :schema AND TABLE_NAME = :table")
                      : QStringLiteral("SELECT 1 FROM information_schema.COLUMNS WHERE "
                                       "TABLE_SCHEMA = :schema AND TABLE_NAME = :table AND "
                                       "COLUMN_NAME = :column"));
    query.bindValue(QStringLiteral(":schema"), inSchema);
    query.bindValue(QStringLiteral(":table"), table);
    if (!column.isEmpty())
        query.bindValue(QStringLiteral(":column"), column);
    if (!query.exec()) {
        // Not known: act as on today's shape, which is what the statements expect.
        LogSqlError(query.lastError());
        if (failure)
            *failure = query.lastError();
        return true;
    }
    const bool has = query.next();
    QMutexLocker lock(&mutex);
    if (has)
        found.insert(key);
    else
        missedAt.insert(key, now);
    return has;
}
