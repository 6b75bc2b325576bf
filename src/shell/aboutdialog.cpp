#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include "appsettings.h"
#include "dialogtabs.h"
#include "progress.h"
#include "versionwebserviceclient.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPixmap>
#include <QSettings>
#include <QUrl>

namespace {
// One busy indicator for every version check. It belongs to the About dialog that made it and
// goes with it, so it is only ever reached through a guarded pointer.
QPointer<Progress> g_progress;

void CloseProgress()
{
    if (g_progress)
        g_progress->close();
}
} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QuillboxDialog(parent)
    , ui(std::make_unique<Ui::AboutDialog>())
{
    ui->setupUi(this);
    ui->labelHeading->setText(QString::fromLatin1(DisplayName) + QLatin1Char(' ')
                              + QString::fromLatin1(ProgramVersion));
    ui->labelImage->setPixmap(QPixmap(QStringLiteral(":/resources/images/quillbox_pro_logo.png"))
                                  .scaled(125, 125, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    // Links in a colour that reads on the background of the theme in force.
    const bool dark = AppSettings::Instance().Text(Setting::Theme)
                      == QLatin1String("dark");
    const QString linkColour = dark ? QStringLiteral("#8ab4f8") : QStringLiteral("#0b4fb3");
    for (QLabel *link : {ui->labelEmail, ui->labelWebsite, ui->labelFacebook}) {
        link->setText(QString(link->text()).replace(
            QLatin1String("<a "), QStringLiteral("<a style=\"color:%1\" ").arg(linkColour)));
        connect(link, &QLabel::linkActivated, this, &AboutDialog::on_HyperLink_clicked);
    }
    BoldTabCaptions(ui->tabWidget);
}

AboutDialog::~AboutDialog() = default;

VersionWebServiceClient *AboutDialog::CurrentClient() const
{
    return m_client;
}

void AboutDialog::on_buttonOK_clicked()
{
    close();
}

void AboutDialog::on_HyperLink_clicked(const QString &link)
{
    QDesktopServices::openUrl(QUrl(link));
}

void AboutDialog::CheckVersion()
{
    m_client = new VersionWebServiceClient(this);
    m_client->SetTimeout(m_requestTimeoutMs);
    connect(m_client, &VersionWebServiceClient::ResultArrived, this, &CloseProgress);
    m_client->CheckVersion();
}

void AboutDialog::on_pushCheckVersion_clicked()
{
    if (!g_progress)
        g_progress = new Progress(this, QString());
    g_progress->show();
    QCoreApplication::processEvents();
    CheckVersion();
}
