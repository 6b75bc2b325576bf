// quillbox-configure: reads or writes keys of the program's settings store from scripts,
// e.g. to point a new installation at its private database server.
//   quillbox-configure --get KEY
//   quillbox-configure KEY=VALUE [KEY=VALUE...]
//   quillbox-configure --stop-server
#include "appsettings.h"
#include "privateserver.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString usage = QStringLiteral(
        "usage: quillbox-configure --get KEY\n"
        "       quillbox-configure KEY=VALUE [KEY=VALUE...]\n"
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
        out << settings->value(args.at(1)).toString() << '\n';
        return 0;
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
