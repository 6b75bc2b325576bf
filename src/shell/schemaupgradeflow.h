#pragma once

#include "dbmanager.h"
#include "schemaupgrade.h"

#include <QString>
#include <QVector>

class QWidget;

// The blocking upgrade steps, offered to a manager: the question says which tables are copied
// and roughly how long the tills wait; on yes a backup of both schemas is written with the
// program's own backup code, then the steps run on a thread of their own under a progress bar.
namespace SchemaUpgradeFlow {

enum class Outcome { NothingPending, Declined, Done, BackupFailed, Failed };

struct Pending
{
    CDBManager::Kind kind;
    QString schema;
    SchemaUpgrade::Status status;
};

// The active schemas' pending blocking steps; schemas that cannot be read are left out.
QVector<Pending> FindBlocking();

// "less than a minute", "about 3 minutes": the copying time of so many rows.
QString EstimatedTime(qint64 rows);

// Where the backup before an upgrade goes: "backups" beside the program's log.
QString BackupFolder();

Outcome Offer(QWidget *parent);

} // namespace SchemaUpgradeFlow
