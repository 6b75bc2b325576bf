#pragma once

// What "the same schema" means for upgrade tests: the first release's creation scripts (kept
// here as test data), the shape of a schema as information_schema tells it, and a checksum of
// every row as the program reads it.

#include "dbmanager.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace QuillboxTest {

// Creates a schema of the given name with the first release's script. The inventory script
// names no character set: the schema gets the one given here, as on that shop's server.
bool CreateFirstRelease(CDBManager::Kind kind, const QString &schema,
                        const QString &characterSet = QStringLiteral("latin1"));

// Sorted lines: the schema's defaults, its tables, columns, types, character sets and
// collations, indexes and keys, without the schema's own name.
QStringList SchemaShape(const QString &schema);

// Lines found on one side only, "- " for the first, "+ " for the second; empty when equal.
QString ShapeDifference(const QStringList &first, const QStringList &second);

// The schema's tables but tblSchemaChanges, each with its columns in order.
using Columns = QMap<QString, QStringList>;
Columns TableColumns(const QString &schema);
// A hash of these columns of every row, in ID order, read as text: columns added later do not
// change it.
QByteArray RowsChecksum(const QString &schema, const Columns &tables);

// The first value a query returns on the schema; invalid when it failed.
QVariant QueryValue(const QString &schema, const QString &sql);

} // namespace QuillboxTest
