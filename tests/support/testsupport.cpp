#include "testsupport.h"

#include "appsettings.h"
#include "databasedump.h"
#include "dbmanager.h"
#include "errordialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextEdit>
#include <QTimer>

#include <atomic>
#include <unistd.h>

namespace QuillboxTest {

namespace {
QTemporaryDir *g_home = nullptr;
std::atomic<int> g_nameCounter{0};

QString Env(const char *name, const char *fallback = "")
{
    const QByteArray value = qgetenv(name);
    return QString::fromLocal8Bit(value.isEmpty() ? QByteArray(fallback) : value);
}
} // namespace

void PrepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's debug log is quiet in a normal run; a failing test shows its SQL errors.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "quillbox.debug=true");
    // Settings, data and cache folders of this test process live in a folder of its own, so a
    // test never reads or writes the user's real settings or files.
    g_home = new QTemporaryDir;
    const QByteArray root = g_home->path().toLocal8Bit();
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    // The documents folder (where PDFs go) too: the desktop names it in user-dirs.dirs.
    QDir().mkpath(g_home->path() + "/config");
    QFile dirs(g_home->path() + "/config/user-dirs.dirs");
    if (dirs.open(QIODevice::WriteOnly))
        dirs.write("XDG_DOCUMENTS_DIR=\"" + root + "/documents\"\n");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, g_home->path() + "/config");
}

void AfterApplication()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void ResetState()
{
    CDBManager::Reset();
    AppSettings::Instance().Settings()->clear();
    AppSettings::Instance().Settings()->sync();
    AppSettings::Reset();
}

bool TestServer::Configured()
{
    return !qEnvironmentVariableIsEmpty("QUILLBOX_TEST_DB_PORT");
}

QString TestServer::Host()
{
    return Env("QUILLBOX_TEST_DB_HOST", "127.0.0.1");
}

int TestServer::Port()
{
    return Env("QUILLBOX_TEST_DB_PORT", "3306").toInt();
}

QString TestServer::User()
{
    return Env("QUILLBOX_TEST_DB_USER", "quillbox");
}

QString TestServer::Password()
{
    return Env("QUILLBOX_TEST_DB_PASSWORD", "quillbox");
}

QSqlDatabase TestServer::Connection(const QString &name, const QString &schema)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    db.setHostName(Host());
    db.setPort(Port());
    db.setUserName(User());
    db.setPassword(Password());
    db.setDatabaseName(schema);
    return db;
}

void TestServer::Apply()
{
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("DB_SERVER"), Host());
    settings->setValue(QStringLiteral("DB_PORT"), QString::number(Port()));
    settings->setValue(QStringLiteral("DB_USER"), User());
    settings->setValue(QStringLiteral("DB_PASSWORD"), Password());
    // On a test cluster, the other nodes to move to.
    settings->setValue(QStringLiteral("DB_SERVERS"), qEnvironmentVariable("QUILLBOX_TEST_DB_SERVERS"));
    CDBManager::Instance().SetServerParameters(User(), Password(), Port(), Host());
}

QString FreshDatabases::UniqueName(const QString &prefix)
{
    return QStringLiteral("%1_t%2_%3_%4")
        .arg(prefix)
        .arg(getpid())
        .arg(QDateTime::currentMSecsSinceEpoch() % 1000000)
        .arg(++g_nameCounter);
}

FreshDatabases::FreshDatabases(Which which)
{
    if (!TestServer::Configured()) {
        qWarning("No test server: run the suite through scripts/test.");
        return;
    }
    TestServer::Apply();
    CDBManager &manager = CDBManager::Instance();
    QSettings *settings = AppSettings::Instance().Settings();
    m_valid = true;
    if (which & Inventory) {
        m_inventory = UniqueName(QStringLiteral("qbinv"));
        m_valid = manager.CreateSchema(CDBManager::Kind::Inventory, m_inventory) && m_valid;
        settings->setValue(QStringLiteral("ACTIVE_INVENTORY_DB"), m_inventory);
    }
    if (which & Sales) {
        m_sales = UniqueName(QStringLiteral("qbsal"));
        m_valid = manager.CreateSchema(CDBManager::Kind::Sales, m_sales) && m_valid;
        settings->setValue(QStringLiteral("ACTIVE_SALES_DB"), m_sales);
    }
}

FreshDatabases::~FreshDatabases()
{
    // Connections first: a schema with open connections would wait on metadata locks.
    CDBManager::Reset();
    if (!m_inventory.isEmpty())
        DropSchema(m_inventory);
    if (!m_sales.isEmpty())
        DropSchema(m_sales);
}

bool FreshDatabases::ExecAdmin(const QString &schema, const QString &sql, QString *error)
{
    const QString name = QStringLiteral("QUILLBOX_TEST_ADMIN");
    bool ok = false;
    {
        QSqlDatabase db = TestServer::Connection(name, schema);
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok && error)
                *error = query.lastError().text();
        } else if (error) {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool FreshDatabases::LoadDump(const QString &dumpFile, const QString &schema)
{
    QTemporaryFile options;
    if (!options.open())
        return false;
    options.write(DatabaseDump::OptionFileText({TestServer::Host(), TestServer::Port(),
                                                TestServer::User(), TestServer::Password()})
                      .toUtf8());
    options.flush();
    QProcess client;
    client.setStandardInputFile(dumpFile);
    client.start(QStringLiteral("mariadb"),
                 {QStringLiteral("--defaults-extra-file=") + options.fileName(), schema});
    const bool ok = client.waitForFinished(300000) && client.exitStatus() == QProcess::NormalExit
                    && client.exitCode() == 0;
    if (!ok)
        qWarning() << "the dump could not be loaded:" << client.readAllStandardError();
    return ok;
}

bool FreshDatabases::DropSchema(const QString &name)
{
    return ExecAdmin(QString(), QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
}

QString DialogText(QWidget *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog))
        return box->text();
    if (auto *note = qobject_cast<ErrorDialog *>(dialog)) {
        if (auto *edit = note->findChild<QTextEdit *>(QStringLiteral("textEdit")))
            return edit->toPlainText();
    }
    return QString();
}

bool HighlightRow(QAbstractItemView *view, int column, const QString &text)
{
    QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, column).data().toString() == text) {
            view->setCurrentIndex(model->index(row, column));
            return true;
        }
    }
    return false;
}

QStringList ColumnTexts(QAbstractItemView *view, int column)
{
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        texts << view->model()->index(row, column).data().toString();
    return texts;
}

bool ClickButton(QWidget *dialog, const QString &text)
{
    const auto buttons = dialog->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        if (button->text().remove(QLatin1Char('&')) == text && button->isVisible()) {
            button->click();
            return true;
        }
    }
    return false;
}

DialogDriver::DialogDriver(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(20);
    connect(m_timer, &QTimer::timeout, this, &DialogDriver::Poll);
    m_timer->start();
}

DialogDriver::~DialogDriver() = default;

DialogDriver &DialogDriver::Expect(const QString &title, const QString &textContains, Action action)
{
    m_expected.append({title, textContains, std::move(action)});
    return *this;
}

DialogDriver::Action DialogDriver::Press(const QString &buttonText)
{
    return [buttonText](QWidget *dialog) {
        if (!ClickButton(dialog, buttonText)) {
            qWarning() << "No button" << buttonText << "in" << dialog->windowTitle();
            if (auto *d = qobject_cast<QDialog *>(dialog))
                d->reject();
        }
    };
}

DialogDriver::Action DialogDriver::Reject()
{
    return [](QWidget *dialog) {
        if (auto *d = qobject_cast<QDialog *>(dialog))
            d->reject();
        else
            dialog->close();
    };
}

static void DefaultAction(QWidget *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        QAbstractButton *button = box->defaultButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().constFirst();
        if (button) {
            button->click();
            return;
        }
    }
    if (qobject_cast<ErrorDialog *>(dialog) && ClickButton(dialog, QStringLiteral("Close")))
        return;
    DialogDriver::Reject()(dialog);
}

void DialogDriver::Poll()
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible())
        return;
    for (const QPointer<QWidget> &handled : qAsConst(m_handled)) {
        if (handled == dialog)
            return;
    }
    m_handled.append(dialog);
    const QString title = dialog->windowTitle();
    const QString text = DialogText(dialog);
    m_seen.append(title);

    Action action;
    if (m_expected.isEmpty()) {
        m_errors.append(QStringLiteral("Unexpected dialog '%1': %2").arg(title, text));
        action = Reject();
    } else {
        const Expectation next = m_expected.takeFirst();
        if (next.title != title)
            m_errors.append(QStringLiteral("Expected dialog '%1', got '%2': %3")
                                .arg(next.title, title, text));
        else if (!next.text.isEmpty() && !text.contains(next.text))
            m_errors.append(QStringLiteral("Dialog '%1' says '%2', expected it to contain '%3'")
                                .arg(title, text, next.text));
        action = next.action ? next.action : Action(DefaultAction);
    }
    // Act from a timer of its own: the action may open a nested modal loop, and this poll
    // timer must keep running inside it.
    QPointer<QWidget> guard(dialog);
    QTimer::singleShot(0, this, [guard, action]() {
        if (guard)
            action(guard);
    });
}

bool DialogDriver::WaitForAll(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_expected.isEmpty() && timer.elapsed() < timeoutMs)
        QTest::qWait(20);
    // Let the last action finish.
    QTest::qWait(30);
    return m_expected.isEmpty();
}

QString DialogDriver::Report() const
{
    QStringList problems = m_errors;
    for (const Expectation &missing : m_expected)
        problems.append(QStringLiteral("Expected dialog '%1' never appeared").arg(missing.title));
    return problems.join(QLatin1Char('\n'));
}

} // namespace QuillboxTest
