#include "schemashape.h"

#include "testsupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlRecord>
#include <QTextStream>

namespace QuillboxTest {

namespace {
const QString kConnection = QStringLiteral("QUILLBOX_TEST_SHAPE");

// Runs the callback on a connection of its own with the schema selected.
template <typename F>
bool WithSchema(const QString &schema, F &&callback)
{
    bool ok = false;
    {
        QSqlDatabase db = TestServer::Connection(kConnection, schema);
        if (db.open()) {
            QSqlQuery names(db);
            names.exec(QStringLiteral("SET NAMES utf8mb4"));
            ok = callback(db);
        } else {
            qWarning() << db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(kConnection);
    return ok;
}

QStringList Lines(QSqlDatabase &db, const QString &sql, const QString &schema)
{
    QStringList lines;
    QSqlQuery query(db);
    query.prepare(sql);
    query.bindValue(QStringLiteral(":schema"), schema);
    if (!query.exec()) {
        qWarning() << query.lastError().text();
        return {QStringLiteral("query failed on %1: %2").arg(schema, sql)};
    }
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i)
            fields << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
        lines << fields.join(QLatin1Char('|'));
    }
    return lines;
}
} // namespace

bool CreateFirstRelease(CDBManager::Kind kind, const QString &schema, const QString &characterSet)
{
    const bool inventory = kind == CDBManager::Kind::Inventory;
    QFile file(QStringLiteral(QUILLBOX_FIRST_RELEASE_DIR "/pro_mysql_%1_db_script.sql")
                   .arg(inventory ? QStringLiteral("inventory") : QStringLiteral("sales")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QString script = QTextStream(&file).readAll();
    script.replace(inventory ? QStringLiteral("QuillboxInventory") : QStringLiteral("quillboxsales"),
                   schema, Qt::CaseSensitive);
    if (inventory
        && !FreshDatabases::ExecAdmin(QString(),
                                      QStringLiteral("CREATE DATABASE `%1` CHARACTER SET %2")
                                          .arg(schema, characterSet)))
        return false;
    QString error;
    const bool ok = FreshDatabases::ExecAdmin(QString(), script, &error);
    if (!ok)
        qWarning() << "first-release script failed:" << error;
    return ok;
}

QStringList SchemaShape(const QString &schema)
{
    QStringList shape;
    WithSchema(schema, [&](QSqlDatabase &db) {
        const QStringList queries = {
            "SELECT 'schema', DEFAULT_CHARACTER_SET_NAME, DEFAULT_COLLATION_NAME "
            "FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = :schema",
            "SELECT 'table', TABLE_NAME, ENGINE, TABLE_COLLATION, ROW_FORMAT "
            "FROM information_schema.TABLES WHERE TABLE_SCHEMA = :schema",
            "SELECT 'column', TABLE_NAME, ORDINAL_POSITION, COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE, "
            "COLUMN_DEFAULT, CHARACTER_SET_NAME, COLLATION_NAME, EXTRA "
            "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = :schema",
            "SELECT 'index', TABLE_NAME, INDEX_NAME, SEQ_IN_INDEX, COLUMN_NAME, NON_UNIQUE, "
            "SUB_PART, INDEX_TYPE, COLLATION "
            "FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = :schema",
            "SELECT 'key', TABLE_NAME, CONSTRAINT_NAME, CONSTRAINT_TYPE "
            "FROM information_schema.TABLE_CONSTRAINTS WHERE CONSTRAINT_SCHEMA = :schema",
            "SELECT 'key column', TABLE_NAME, CONSTRAINT_NAME, ORDINAL_POSITION, COLUMN_NAME, "
            "REFERENCED_TABLE_NAME, REFERENCED_COLUMN_NAME "
            "FROM information_schema.KEY_COLUMN_USAGE WHERE CONSTRAINT_SCHEMA = :schema",
            "SELECT 'reference', TABLE_NAME, CONSTRAINT_NAME, UPDATE_RULE, DELETE_RULE "
            "FROM information_schema.REFERENTIAL_CONSTRAINTS WHERE CONSTRAINT_SCHEMA = :schema",
        };
        for (const QString &sql : queries)
            shape += Lines(db, sql, schema);
        return true;
    });
    shape.sort();
    return shape;
}

QString ShapeDifference(const QStringList &first, const QStringList &second)
{
    QStringList difference;
    for (const QString &line : first) {
        if (!second.contains(line))
            difference << QStringLiteral("- ") + line;
    }
    for (const QString &line : second) {
        if (!first.contains(line))
            difference << QStringLiteral("+ ") + line;
    }
    return difference.join(QLatin1Char('\n'));
}

Columns TableColumns(const QString &schema)
{
    Columns tables;
    WithSchema(schema, [&](QSqlDatabase &db) {
        QSqlQuery columns(db);
        if (!columns.exec(QStringLiteral("SELECT TABLE_NAME, COLUMN_NAME FROM "
                                         "information_schema.COLUMNS WHERE TABLE_SCHEMA = "
                                         "DATABASE() AND TABLE_NAME <> 'tblSchemaChanges' "
                                         "ORDER BY TABLE_NAME, ORDINAL_POSITION")))
            return false;
        while (columns.next())
            tables[columns.value(0).toString()] << columns.value(1).toString();
        return true;
    });
    return tables;
}

QByteArray RowsChecksum(const QString &schema, const Columns &tables)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const bool ok = !tables.isEmpty() && WithSchema(schema, [&](QSqlDatabase &db) {
        for (auto table = tables.cbegin(); table != tables.cend(); ++table) {
            const QString &name = table.key();
            QSqlQuery rows(db);
            if (!rows.exec(QStringLiteral("SELECT `%1` FROM `%2` ORDER BY ID")
                               .arg(table.value().join(QStringLiteral("`, `")), name)))
                return false;
            hash.addData(name.toUtf8());
            while (rows.next()) {
                for (int i = 0; i < rows.record().count(); ++i)
                    hash.addData((rows.isNull(i) ? QStringLiteral("\\N") : rows.value(i).toString())
                                     .toUtf8()
                                 + '\x1f');
                hash.addData("\n");
            }
        }
        return true;
    });
    return ok ? hash.result().toHex() : QByteArray();
}

QVariant QueryValue(const QString &schema, const QString &sql)
{
    QVariant value;
    WithSchema(schema, [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        if (query.exec(sql) && query.next())
            value = query.value(0);
        else
            qWarning() << query.lastError().text();
        return true;
    });
    return value;
}

} // namespace QuillboxTest
