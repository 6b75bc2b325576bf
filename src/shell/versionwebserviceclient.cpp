#include "versionwebserviceclient.h"

#include "aboutdialog.h"
#include "appsettings.h"

#include <QDesktopServices>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QUrlQuery>
#include <QtDebug>

VersionWebServiceClient::VersionWebServiceClient(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

QString VersionWebServiceClient::ServiceAddress()
{
    return AppSettings::Instance().Text(Setting::VersionServiceUrl);
}

QUrl VersionWebServiceClient::RequestUrl(const QString &serviceAddress)
{
    QUrl url(serviceAddress);
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("version"), QString::fromLatin1(AboutDialog::ProgramVersion));
    query.addQueryItem(QStringLiteral("product"), QString::fromLatin1(ProductCode));
    url.setQuery(query);
    return url;
}

void VersionWebServiceClient::CheckVersion()
{
    QNetworkRequest request(RequestUrl(ServiceAddress()));
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply *reply = m_manager->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply]() { onResult(reply); });
}

void VersionWebServiceClient::onResult(QObject *object)
{
    emit ResultArrived();
    auto *reply = qobject_cast<QNetworkReply *>(object);
    if (!reply) {
        emit Handled();
        return;
    }
    reply->deleteLater();
    qDebug() << "onResult";
    if (reply->error() != QNetworkReply::NoError)
        qDebug() << reply->errorString();

    const QJsonDocument document = QJsonDocument::fromJson(reply->readAll());
    const QJsonObject answer = document.object();
    if (!document.isObject() || !answer.contains(QLatin1String("HasNewerVersion"))) {
        emit Handled();
        return;
    }
    const QString hasNewer = answer.value(QLatin1String("HasNewerVersion")).toString();
    qDebug() << "Returned HasNewerVersion: " << hasNewer;
    if (hasNewer == QLatin1String("YES")) {
        if (answer.contains(QLatin1String("NewerVersion"))) {
            const QString newer = answer.value(QLatin1String("NewerVersion")).toString();
            qDebug() << "newerVersion : " << newer;
            const auto choice = QMessageBox::question(
                nullptr, tr("New Version"),
                tr("Latest version ( %1 ) is available for download. Do you want to "
                               "download it now?")
                    .arg(newer),
                QMessageBox::Yes | QMessageBox::No);
            if (choice == QMessageBox::Yes && answer.contains(QLatin1String("DownloadURL"))) {
                const QString url = answer.value(QLatin1String("DownloadURL")).toString();
                qDebug() << "Download URL : " << url;
                QDesktopServices::openUrl(QUrl(url));
            }
        }
    } else {
        QMessageBox::information(nullptr, tr("Version Check"),
                                 tr("You have a latest version of %1")
                                     .arg(QString::fromLatin1(AboutDialog::DisplayName)),
                                 QMessageBox::Ok);
    }
    emit Handled();
}
