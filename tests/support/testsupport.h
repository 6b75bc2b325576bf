#pragma once

// Shared support for the test suite: a test main that isolates settings and files from the
// user's, fixtures that create fresh schemas on the real test server with the program's own
// creation code, and a driver that answers modal dialogs in nested event loops.

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include <functional>

class QAbstractItemView;

namespace QuillboxTest {

// Called by QUILLBOX_TEST_MAIN before and after the QApplication exists.
void PrepareEnvironment();
void AfterApplication();

// Forgets every setting and drops every connection: call it from each test's init().
void ResetState();

// The throw-away server started by scripts/test (QUILLBOX_TEST_DB_* in the environment).
struct TestServer
{
    static bool Configured();
    static QString Host();
    static int Port();
    static QString User();
    static QString Password();
    // Writes the server parameters into the settings and hands them to CDBManager.
    static void Apply();
    // A connection of its own to this server and schema, named name, not yet opened.
    static QSqlDatabase Connection(const QString &name, const QString &schema);
};

// Fresh inventory and sales schemas, created with the program's own scripts under names no
// other case uses, made active in the settings; dropped again on destruction.
class FreshDatabases final
{
public:
    enum Which { Inventory = 1, Sales = 2, Both = 3 };
    explicit FreshDatabases(Which which = Both);
    ~FreshDatabases();

    bool IsValid() const { return m_valid; }
    QString InventoryName() const { return m_inventory; }
    QString SalesName() const { return m_sales; }

    // A new unique schema name with the given prefix (not created).
    static QString UniqueName(const QString &prefix);
    // Drops a schema on an administrative connection of its own.
    static bool DropSchema(const QString &name);
    // Runs one statement on an administrative connection with the given schema selected.
    static bool ExecAdmin(const QString &schema, const QString &sql, QString *error = nullptr);
    // Loads a dump file into an existing schema with the server's own client, the credentials
    // in an option file as the backup passes them; false (and the client's complaint logged)
    // when it refused.
    static bool LoadDump(const QString &dumpFile, const QString &schema);

private:
    Q_DISABLE_COPY(FreshDatabases)
    QString m_inventory;
    QString m_sales;
    bool m_valid = false;
};

// The visible text of a dialog: a message box's text, an ErrorDialog's note, else empty.
QString DialogText(QWidget *dialog);
// Makes current the first row of a view whose column shows this text, as a click would.
bool HighlightRow(QAbstractItemView *view, int column, const QString &text);
// The texts of one column of a view's model, row by row.
QStringList ColumnTexts(QAbstractItemView *view, int column);

// Clicks the push button with this text (without '&') inside the widget; false if none.
bool ClickButton(QWidget *dialog, const QString &text);

// Stands in for the desktop's file viewer: QDesktopServices::setUrlHandler("file", &catcher,
// "Open") records what the program would have opened.
class UrlCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl &url) { opened.append(url); }
};

// Answers the modal dialogs that appear, in order, even inside nested modal loops.
// Each expectation names the window title and, optionally, text the dialog must contain.
// A dialog nobody expected is closed at once and recorded as an error.
class DialogDriver final : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void(QWidget *dialog)>;

    explicit DialogDriver(QObject *parent = nullptr);
    ~DialogDriver() override;

    // With no action: a message box gets its default (or first) button, an ErrorDialog its
    // Close button, any other dialog is rejected.
    DialogDriver &Expect(const QString &title, const QString &textContains = QString(),
                         Action action = Action());
    // Shorthands for actions.
    static Action Press(const QString &buttonText);
    static Action Reject();

    // Processes events until every expectation was met (or the time is up).
    bool WaitForAll(int timeoutMs = 10000);
    bool AllSeen() const { return m_expected.isEmpty(); }
    QStringList Errors() const { return m_errors; }
    // Titles of the dialogs handled so far, in order.
    QStringList Seen() const { return m_seen; }
    // Empty when every expected dialog was seen and none unexpected: else what went wrong.
    QString Report() const;

private:
    void Poll();

    struct Expectation
    {
        QString title;
        QString text;
        Action action;
    };
    QList<Expectation> m_expected;
    QList<QPointer<QWidget>> m_handled;
    QStringList m_errors;
    QStringList m_seen;
    class QTimer *m_timer;
};

} // namespace QuillboxTest

// Fails the test with the dialog driver's report unless every dialog went as expected.
#define QVERIFY_DIALOGS(driver)                                                                    \
    do {                                                                                           \
        (driver).WaitForAll();                                                                     \
        const QString report_ = (driver).Report();                                                 \
        QVERIFY2(report_.isEmpty(), qPrintable(report_));                                          \
    } while (false)

// Runs a query expression and fails with the server's error text when it is false.
#define QVERIFY_SQL(query, expr)                                                                   \
    QVERIFY2((query).expr, qPrintable((query).lastError().text()))

#define QUILLBOX_TEST_MAIN(TestObject)                                                             \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QuillboxTest::PrepareEnvironment();                                                        \
        QApplication app(argc, argv);                                                              \
        QuillboxTest::AfterApplication();                                                          \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
