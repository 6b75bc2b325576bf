// quillbox-configure: reads or writes keys of the program's settings store from scripts,
// e.g. to point a new installation at its private database server.
//   quillbox-configure --get KEY
//   quillbox-configure KEY=VALUE [KEY=VALUE...]
//   quillbox-configure --verify-audit
//   quillbox-configure --stop-server
#include "appsettings.h"
#include "auditlog.h"
#include "privateserver.h"
#include "programlanguage.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSqlDatabase>
#include <QTextStream>

namespace {
// Walks the audit trail of both active schemas; 0 when both are intact, 1 when one was
// tampered with, 3 when a schema cannot be reached.
int VerifyAudit(QTextStream &out, QTextStream &err)
{
    int status = 0;
    for (const SettingKey *key : {&Setting::ActiveInventoryDb, &Setting::ActiveSalesDb}) {
        const QString schema = AppSettings::Instance().Text(*key);
        const QString name = QStringLiteral("verify-audit-") + key->Name();
        {
            // A connection of its own: the tool runs without a window, so without the
            // program's connection dialogs.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
            db.setHostName(AppSettings::Instance().Text(Setting::DbServer));
            db.setPort(AppSettings::Instance().Int(Setting::DbPort));
            db.setUserName(AppSettings::Instance().Text(Setting::DbUser));
            db.setPassword(AppSettings::Instance().Text(Setting::DbPassword));
            db.setDatabaseName(schema);
            if (schema.isEmpty() || !db.open()) {
                err << schema << ": "
                    << QCoreApplication::translate("AuditLog", "cannot be reached") << '\n';
                status = qMax(status, 3);
            } else {
                const AuditLog::Verdict verdict = AuditLog::Verify(db);
                if (verdict.intact) {
                    out << schema << ": "
                        << QCoreApplication::translate("AuditLog", "%n entries, intact", nullptr,
                                                       int(verdict.entries))
                        << '\n';
                } else {
                    out << schema << ": " << verdict.problem << '\n';
                    status = qMax(status, 1);
                }
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(name);
    }
    return status;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ProgramLanguage::Install(&app);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString usage = QStringLiteral(
        "usage: quillbox-configure --get KEY\n"
        "       quillbox-configure KEY=VALUE [KEY=VALUE...]\n"
        "       quillbox-configure --verify-audit\n"
        "       quillbox-configure --stop-server\n"
        "Reads or writes keys of Quillbox's settings store, e.g.\n"
        "  quillbox-configure DB_SERVER=127.0.0.1 DB_PORT=3306 DB_USER=quillbox\n"
        "--stop-server stops the private database server the program starts when no server\n"
        "is set up (it starts again with the program).\n");
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        out << usage;
        return 0;
    }
    if (args == QStringList{QStringLiteral("--stop-server")}) {
        if (!PrivateServer().Stop()) {
            err << "the private server did not stop\n";
            return 1;
        }
        return 0;
    }
    QSettings *settings = AppSettings::Instance().Settings();
    if (args.size() == 2 && args.at(0) == QLatin1String("--get")) {
        out << AppSettings::Instance().Value(args.at(1)).toString() << '\n';
        return 0;
    }
    if (args.size() == 1 && args.at(0) == QLatin1String("--verify-audit")) {
        const int status = VerifyAudit(out, err);
        AppSettings::Reset();
        return status;
    }
    if (args.isEmpty()) {
        err << usage;
        return 2;
    }
    for (const QString &arg : args) {
        const int eq = arg.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            err << "not KEY=VALUE: " << arg << '\n';
            return 2;
        }
        settings->setValue(arg.left(eq), arg.mid(eq + 1));
    }
    settings->sync();
    const bool ok = settings->status() == QSettings::NoError;
    AppSettings::Reset();
    return ok ? 0 : 1;
}
