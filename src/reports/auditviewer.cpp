#include "auditviewer.h"
#include "sqlutil.h"
#include "ui_auditviewer.h"

#include "appsettings.h"
#include "auditlog.h"
#include "documentfiles.h"
#include "dbmanager.h"
#include "listsizing.h"
#include "managementreports.h"
#include "pagedquerymodel.h"
#include "reportviewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPrinter>
#include <QSettings>
#include <QSqlQuery>
#include <QStyledItemDelegate>
#include <QUrl>

namespace {
enum Column { Id = 0, Seq, Time, User, Kind, Table, Row, Before, After };

// Shows a stored kind in the user's words.
class KindDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &) const override
    {
        return AuditLog::KindText(value.toString());
    }
};
// Shows an entry's time in the shop's date format, to the second.
class TimeDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &) const override
    {
        return value.toDateTime().toString(AppSettings::Instance().DisplayDateFormat()
                                           + QStringLiteral(" hh:mm:ss"));
    }
};
} // namespace

AuditViewer::AuditViewer(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::AuditViewer>())
    , m_model(new PagedQueryModel(this))
{
    ui->setupUi(this);
    ui->comboLedger->addItem(tr("Sales"), 1);
    ui->comboLedger->addItem(tr("Stock, purchases, users and settings"), 0);
    ui->comboKind->addItem(tr("All kinds"), QString());
    for (const QString &kind : AuditLog::Kinds())
        ui->comboKind->addItem(AuditLog::KindText(kind), kind);
    ui->dateDay->setDisplayFormat(AppSettings::Instance().DisplayDateFormat());
    ui->dateDay->setDate(QDate::currentDate());
    ui->dateDay->setEnabled(false);

    // Newest first; the time and key order is the one the user and kind indexes hold.
    m_model->SetSortExpressions({QStringLiteral("ID"), QStringLiteral("SEQ"),
                                 QStringLiteral("TIME_STAMP")});
    m_model->SetTieBreaker(QStringLiteral("ID"));
    m_model->SetUniqueColumns({Id, Seq});
    const QStringList headers = {QString(),        tr("Nr."),    tr("When"),
                                 tr("User"),       tr("Kind"),   tr("Table"),
                                 tr("Row"),        tr("Before"), tr("After")};
    for (int c = 1; c < headers.size(); ++c)
        m_model->setHeaderData(c, Qt::Horizontal, headers.at(c));
    ui->tableEntries->setModel(m_model);
    ui->tableEntries->setItemDelegateForColumn(Kind, new KindDelegate(ui->tableEntries));
    ui->tableEntries->setItemDelegateForColumn(Time, new TimeDelegate(ui->tableEntries));
    ui->tableEntries->horizontalHeader()->setStretchLastSection(true);
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { ui->tableEntries->setColumnHidden(Id, true); });
    ListSizing::FollowPagedContents(ui->tableEntries, m_model);

    FillUsers();
    connect(ui->comboLedger, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] {
        FillUsers();
        Reload();
    });
    connect(ui->comboUser, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &AuditViewer::Reload);
    connect(ui->comboKind, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &AuditViewer::Reload);
    connect(ui->checkDay, &QCheckBox::toggled, ui->dateDay, &QWidget::setEnabled);
    connect(ui->checkDay, &QCheckBox::toggled, this, &AuditViewer::Reload);
    connect(ui->dateDay, &QDateEdit::dateChanged, this, &AuditViewer::Reload);
    Reload();
}

AuditViewer::~AuditViewer() = default;

QSqlDatabase AuditViewer::Ledger() const
{
    CDBManager &manager = CDBManager::Instance();
    return ui->comboLedger->currentData().toInt() == 1 ? manager.GetSalesDataBase()
                                                        : manager.GetInventoryDataBase();
}

void AuditViewer::FillUsers()
{
    const QSignalBlocker blocker(ui->comboUser);
    ui->comboUser->clear();
    ui->comboUser->addItem(tr("All users"), QString());
    SqlQuery query(Ledger());
    query.setForwardOnly(true);
    // A loose scan of the user index: one step per user, not per entry.
    if (query.exec(QStringLiteral("SELECT DISTINCT USER_ID FROM tblAuditLog ORDER BY USER_ID"))) {
        while (query.next())
            ui->comboUser->addItem(query.value(0).toString(), query.value(0).toString());
    }
}

QString AuditViewer::Statement(const QString &user, const QString &kind, const QDate &day,
                               QVariantMap *bindings)
{
    QString sql = QStringLiteral("SELECT ID, SEQ, TIME_STAMP, USER_ID, KIND, TABLE_NAME, ROW_KEY, "
                                 "BEFORE_DATA, AFTER_DATA FROM tblAuditLog WHERE ID IS NOT NULL");
    bindings->clear();
    if (!user.isEmpty()) {
        sql += QStringLiteral(" AND USER_ID = :user");
        bindings->insert(QStringLiteral(":user"), user);
    }
    if (!kind.isEmpty()) {
        sql += QStringLiteral(" AND KIND = :kind");
        bindings->insert(QStringLiteral(":kind"), kind);
    }
    if (day.isValid()) {
        sql += QStringLiteral(" AND TIME_STAMP >= :from AND TIME_STAMP < :to");
        bindings->insert(QStringLiteral(":from"), day.toString(Qt::ISODate));
        bindings->insert(QStringLiteral(":to"), day.addDays(1).toString(Qt::ISODate));
    }
    return sql;
}

void AuditViewer::Reload()
{
    QVariantMap bindings;
    const QString sql = Statement(ui->comboUser->currentData().toString(),
                                  ui->comboKind->currentData().toString(),
                                  ui->checkDay->isChecked() ? ui->dateDay->date() : QDate(),
                                  &bindings);
    m_model->sort(Time, Qt::DescendingOrder);
    m_model->SetQuery(Ledger(), sql, bindings);
    ui->tableEntries->horizontalHeader()->setSortIndicator(Time, Qt::DescendingOrder);
    ui->labelStatus->clear();
}

void AuditViewer::on_pushVerify_clicked()
{
    const AuditLog::Verdict verdict = AuditLog::Verify(Ledger());
    ui->labelStatus->setText(verdict.intact
                                 ? tr("The audit trail is intact: %n entries.", nullptr,
                                      int(verdict.entries))
                                 : verdict.problem);
}

void AuditViewer::on_pushPrint_clicked()
{
    // What the filters show, every row of it.
    while (m_model->canFetchMore())
        m_model->fetchMore();
    ManagementReports::Document document;
    document.title = tr("AUDIT TRAIL");
    document.printedAt = QDateTime::currentDateTime().toString(
        AppSettings::Instance().DisplayDateFormat() + QStringLiteral(" hh:mm"));
    for (int c = Seq; c <= After; ++c)
        document.headers << m_model->headerData(c, Qt::Horizontal).toString();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QStringList cells;
        for (int c = Seq; c <= After; ++c) {
            const QVariant value = m_model->index(row, c).data();
            cells << (c == Kind ? AuditLog::KindText(value.toString())
                      : c == Time ? value.toDateTime().toString(
                                        AppSettings::Instance().DisplayDateFormat()
                                        + QStringLiteral(" hh:mm:ss"))
                                  : value.toString());
        }
        document.rows << cells;
    }
    QPrinter printer(QPrinter::ScreenResolution);
    const bool pdf = AppSettings::Instance().Bool(Setting::ReportPrintToPdf);
    if (pdf) {
        const QString path = DocumentFiles::NewPath(QStringLiteral("audit"), QString());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    } else {
        printer.setPrinterName(AppSettings::Instance().Text(Setting::ReportPrinter));
    }
    if (ManagementReports::PrintDocument(document, &printer) < 0) {
        ui->labelStatus->setText(tr("The audit trail could not be printed."));
        return;
    }
    if (pdf)
        DocumentFiles::Show(printer.outputFileName());
}

void AuditViewer::on_pushButtonClose_clicked()
{
    close();
}
