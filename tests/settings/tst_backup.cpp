#include "testsupport.h"
#include "seeddata.h"

#include "appsettings.h"
#include "backupdialog.h"
#include "databasedump.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

using namespace QuillboxTest;

namespace {
QSettings *Store()
{
    return AppSettings::Instance().Settings();
}

// Runs the dialog's backup into the folder with the tool, answering the closing message.
void RunBackup(const QString &folder, const QString &tool, DialogDriver &driver)
{
    Backupdialog dialog;
    dialog.findChild<QLineEdit *>("lineEdit")->setText(folder);
    if (!tool.isNull())
        dialog.findChild<QLineEdit *>("lineMysqlDumpPath")->setText(tool);
    auto *backup = dialog.findChild<QPushButton *>("pushButtonBackup");
    QVERIFY(!backup->isEnabled()); // until a folder was chosen
    backup->setEnabled(true);
    backup->click();
    QVERIFY_DIALOGS(driver);
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Stands in for the dump tool: records its arguments and option file, writes a small dump of
// the schemas it was given, and fails when QB_FAKE_DUMP_FAIL is set.
QString WriteFakeTool(const QTemporaryDir &dir)
{
    const QString path = dir.filePath("fake-dump");
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write(R"SH(#!/bin/sh
opt="${1#--defaults-extra-file=}"
log="$QB_FAKE_DUMP_LOG.$$"
{ for a in "$@"; do printf 'ARG %s\n' "$a"; done
  printf 'MODE %s\n' "$(stat -c %a "$opt")"; cat "$opt"; } > "$log"
schemas=; for a in "$@"; do
  case "$a" in --result-file=*) out="${a#--result-file=}";; --*) ;; *) schemas="$schemas $a";; esac
done
for s in $schemas; do printf 'USE `%s`;\n-- tables of %s\n' "$s" "$s"; done > "$out"
if [ -n "$QB_FAKE_DUMP_FAIL" ]; then echo "boom: $QB_FAKE_DUMP_FAIL" >&2; exit 2; fi
exit 0
)SH");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

QStringList Tables(const QString &schema)
{
    return Seed::Column("SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = ? "
                        "ORDER BY TABLE_NAME",
                        {schema});
}

QStringList RowCounts(const QString &schema)
{
    QStringList counts;
    for (const QString &table : Tables(schema))
        counts << table + "="
                      + Seed::Value(QStringLiteral("SELECT COUNT(*) FROM `%1`.`%2`").arg(schema, table))
                            .toString();
    return counts;
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(TestServer::Configured(), "run through scripts/test");
        QVERIFY2(!DatabaseDump::DefaultTool().isEmpty(), "mariadb-dump is not installed");
    }
    void init() { ResetState(); }
    void cleanup()
    {
        qunsetenv("QB_FAKE_DUMP_FAIL");
        qunsetenv("QB_FAKE_DUMP_LOG");
    }

    void stampedNames()
    {
        const QDateTime when(QDate(2015, 3, 1), QTime(14, 30, 5));
        QCOMPARE(DatabaseDump::StampedFileName(when, "quillbox_inventory.sql"),
                 QStringLiteral("2015-03-01-14-30-05-quillbox_inventory.sql"));
    }

    void optionFileQuotesEveryValue()
    {
        const DatabaseDump::Account account{"db.local", 3307, "o'neil", "a\"b\\c #d\te"};
        QCOMPARE(DatabaseDump::OptionFileText(account),
                 QStringLiteral("[client]\nuser=\"o'neil\"\npassword=\"a\\\"b\\\\c #d\\te\"\n"
                                "host=\"db.local\"\nport=3307\n"));
        // Without host and port the tool's defaults apply.
        QCOMPARE(DatabaseDump::OptionFileText({QString(), 0, "u", ""}),
                 QStringLiteral("[client]\nuser=\"u\"\npassword=\"\"\n"));
    }

    void backupRestoresWithTheSameRows()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        const int category = Seed::AddCategory("Medicine");
        const int vendor = Seed::AddVendor("O'Brien & Sons");
        Seed::AddBatch(Seed::AddProduct(category, "P-1", "Aspirin, \"Extra\""), vendor, "123");
        Seed::AddProduct(category, "P-2", "Panadol");
        QVERIFY(FreshDatabases::ExecAdmin(
            dbs.SalesName(), "INSERT INTO tblSalesTransactions (USER_ID, CUSTOMER_ID, TIME_STAMP, "
                             "GRAND_TOTAL, PAID, RETURN_AMOUNT) VALUES ('admin', '1', NOW(), 10, "
                             "20, 10)"));

        QTemporaryDir dir;
        const QString folder = dir.filePath("back ups"); // blanks in the destination
        QVERIFY(QDir().mkpath(folder));
        DialogDriver driver;
        driver.Expect("Backup", "Backup operation completed successfully");
        RunBackup(folder, QString(), driver);

        const QStringList files = FilesIn(folder);
        QCOMPARE(files.size(), 2);
        const QRegularExpression stamp("^\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d-quillbox_");
        QVERIFY2(files.at(0).contains(stamp) && files.at(0).endsWith("quillbox_inventory.sql"),
                 qPrintable(files.join(' ')));
        QVERIFY2(files.at(1).contains(stamp) && files.at(1).endsWith("quillbox_sales.sql"),
                 qPrintable(files.join(' ')));

        const QStringList sources = {dbs.InventoryName(), dbs.SalesName()};
        for (int i = 0; i < 2; ++i) {
            const QString restored = FreshDatabases::UniqueName("qbrest");
            QVERIFY(FreshDatabases::ExecAdmin(QString(), "CREATE DATABASE `" + restored + "`"));
            const bool ok = FreshDatabases::LoadDump(QDir(folder).filePath(files.at(i)), restored);
            const QStringList expected = RowCounts(sources.at(i));
            const QStringList actual = RowCounts(restored);
            FreshDatabases::DropSchema(restored);
            QVERIFY(ok);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(actual, expected);
        }
        QCOMPARE(Seed::Value("SELECT COUNT(*) FROM tblProducts").toInt(), 2);
    }

    // One dump of both schemas becomes a file per schema that loads into any schema name.
    void splitBySchema_data()
    {
        QTest::addColumn<QString>("dump");
        QTest::addColumn<QStringList>("expected"); // empty: refused
        const QString head = "/*!40101 SET NAMES utf8mb4 */;\n";
        const QString foot = "/*!40103 SET TIME_ZONE=@OLD_TIME_ZONE */;\n/*!40111 SET SQL_NOTES=1 */;\n";
        QTest::newRow("two schemas")
            << head + "--\n-- Current Database: `inv`\n--\nUSE `inv`;\nINSERT 1;\n(2,'USE `s``x`;');\n"
                   "-- Current Database: `s`x`\nUSE `s``x`;\r\nINSERT 3;\n" + foot
            << QStringList{head + "--\n--\nINSERT 1;\n(2,'USE `s``x`;');\n" + foot,
                           head + "--\n--\nINSERT 3;\n" + foot};
        QTest::newRow("a schema missing") << head + "USE `inv`;\nINSERT 1;\n" + foot << QStringList();
        QTest::newRow("empty dump") << QString() << QStringList();
    }

    void splitBySchema()
    {
        QFETCH(QString, dump);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QFile combined(dir.filePath("all.part"));
        QVERIFY(combined.open(QIODevice::WriteOnly));
        combined.write(dump.toUtf8());
        combined.close();
        QVector<DatabaseDump::Job> jobs(2);
        jobs[0].schema = "inv";
        jobs[0].outputPath = dir.filePath("inv.sql");
        jobs[1].schema = "s`x";
        jobs[1].outputPath = dir.filePath("s.sql");
        QCOMPARE(DatabaseDump::SplitBySchema(combined.fileName(), jobs), !expected.isEmpty());
        for (int i = 0; i < jobs.size(); ++i) {
            QFile file(jobs[i].outputPath);
            QCOMPARE(file.exists(), !expected.isEmpty());
            if (expected.isEmpty()) {
                QVERIFY2(jobs[i].message.contains("holds nothing"), qPrintable(jobs[i].message));
                continue;
            }
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(file.readAll()), expected.at(i));
        }
    }

    void wrongPasswordGivesAnErrorAndNoFile()
    {
        FreshDatabases dbs;
        QVERIFY(dbs.IsValid());
        Store()->setValue("DB_PASSWORD", "not the password");
        QTemporaryDir dir;
        DialogDriver driver;
        driver.Expect("Backup", "The backup failed.");
        RunBackup(dir.path(), QString(), driver);
        QVERIFY2(driver.Seen().size() == 1, "no success message after the error");
        QCOMPARE(FilesIn(dir.path()), QStringList());
    }

    void passwordWithSpecialCharactersReachesTheTool()
    {
        // Quotes, a backslash, a comment sign and blanks survive the option file: the user below
        // has no rights, so a dump that gets past the password is refused at the schema instead.
        const QString password = QStringLiteral("p\"a\\ss #w'rd ");
        const QString escaped = QString(password).replace("\\", "\\\\").replace("'", "\\'");
        QVERIFY(FreshDatabases::ExecAdmin(QString(), "DROP USER IF EXISTS 'qb_odd'@'127.0.0.1'"));
        QVERIFY(FreshDatabases::ExecAdmin(
            QString(), "CREATE USER 'qb_odd'@'127.0.0.1' IDENTIFIED BY '" + escaped + "'"));
        QTemporaryDir dir;
        QStringList messages;
        for (const QString &tried : {password, QStringLiteral("p\"a")}) {
            QVector<DatabaseDump::Job> jobs(1);
            jobs[0].schema = QStringLiteral("mysql");
            jobs[0].outputPath = dir.filePath("dump.sql");
            QVERIFY(!DatabaseDump::Run(DatabaseDump::DefaultTool(),
                                       {TestServer::Host(), TestServer::Port(), "qb_odd", tried},
                                       jobs));
            messages << jobs[0].message;
        }
        FreshDatabases::ExecAdmin(QString(), "DROP USER 'qb_odd'@'127.0.0.1'");
        QVERIFY2(messages.at(0).contains("to database 'mysql'"), qPrintable(messages.at(0)));
        QVERIFY2(messages.at(1).contains("using password: YES"), qPrintable(messages.at(1)));
        QCOMPARE(FilesIn(dir.path()), QStringList());
    }

    void credentialsNeverOnTheCommandLine_data()
    {
        QTest::addColumn<QString>("fail");
        QTest::addColumn<QString>("salesSchema");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("filesLeft");
        QTest::newRow("success") << "" << "qbsal_x" << "Backup operation completed successfully" << 2;
        QTest::newRow("tool fails") << "disk full" << "qbsal_x" << "boom: disk full" << 0;
        QTest::newRow("no sales database")
            << "" << "" << "Sales database \"\": No active database is set." << 1;
    }

    void credentialsNeverOnTheCommandLine()
    {
        QFETCH(QString, fail);
        QFETCH(QString, salesSchema);
        QFETCH(QString, message);
        QFETCH(int, filesLeft);
        QTemporaryDir tools;
        const QString tool = WriteFakeTool(tools);
        const QString log = tools.filePath("log");
        qputenv("QB_FAKE_DUMP_LOG", log.toLocal8Bit());
        if (!fail.isEmpty())
            qputenv("QB_FAKE_DUMP_FAIL", fail.toLocal8Bit());
        Store()->setValue("DB_SERVER", "db.example");
        Store()->setValue("DB_PORT", "3310");
        Store()->setValue("DB_USER", "clerk");
        Store()->setValue("DB_PASSWORD", "s3cret-pw");
        Store()->setValue("ACTIVE_INVENTORY_DB", "qbinv_x");
        Store()->setValue("ACTIVE_SALES_DB", salesSchema);

        QTemporaryDir dir;
        DialogDriver driver;
        driver.Expect("Backup", message);
        RunBackup(dir.path(), tool, driver);
        QCOMPARE(FilesIn(dir.path()).size(), filesLeft);

        const QStringList logs = QDir(tools.path()).entryList({"log.*"}, QDir::Files);
        QCOMPARE(logs.size(), 1); // both schemas in one run: one snapshot
        for (const QString &name : logs) {
            QFile file(tools.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString recorded = QString::fromUtf8(file.readAll());
            const QStringList args = recorded.split('\n').filter(QRegularExpression("^ARG "));
            QVERIFY2(args.at(0).startsWith("ARG --defaults-extra-file="), qPrintable(recorded));
            QVERIFY(args.contains("ARG --single-transaction"));
            QVERIFY(args.contains("ARG --add-drop-table"));
            // Both schemas in the one run, hence in one snapshot.
            if (!salesSchema.isEmpty())
                QVERIFY2(args.mid(args.indexOf("ARG --databases"))
                             == QStringList({"ARG --databases", "ARG qbinv_x", "ARG qbsal_x"}),
                         qPrintable(recorded));
            for (const QString &arg : args)
                QVERIFY2(!arg.contains("s3cret"), qPrintable(arg));
            // The option file was readable by the user alone and held the server settings.
            QVERIFY2(recorded.contains("MODE 600\n[client]\nuser=\"clerk\"\npassword=\"s3cret-pw\"\n"
                                       "host=\"db.example\"\nport=3310\n"),
                     qPrintable(recorded));
            // ... and is gone afterwards.
            const QString optionFile = args.at(0).mid(QStringLiteral("ARG --defaults-extra-file=").size());
            QVERIFY(!QFile::exists(optionFile));
        }
    }

    void wrongToolPath_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::newRow("missing") << "no-such-tool";
        // A file that is not a program is no tool either.
        QTest::newRow("not a program") << "plain.txt";
    }
    void wrongToolPath()
    {
        QFETCH(QString, tool);
        QTemporaryDir dir;
        QFile plain(dir.filePath("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        // Programs have no .exe here: neither the label nor the refusal asks for one.
        QCOMPARE(Backupdialog().findChild<QLabel *>("labelTool")->text(),
                 QString("Path to mysqldump"));
        DialogDriver driver;
        driver.Expect("Backup", "Path to mysqldump is not correct.");
        RunBackup(dir.path(), dir.filePath(tool), driver);
        QCOMPARE(FilesIn(dir.path()), QStringList{"plain.txt"});
    }
};

QUILLBOX_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
