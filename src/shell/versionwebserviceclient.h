#pragma once

#include "settingkeys.h"

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;

// Asks the vendor's version service whether a newer version of the program exists and tells
// the user. One client serves one request; the answer arrives through the event loop.
class VersionWebServiceClient final : public QObject
{
    Q_OBJECT
public:
    explicit VersionWebServiceClient(QObject *parent = nullptr);

    // Issues the request (GET with the items "version" and "product").
    void CheckVersion();
    // A request without any answer ends as a failure after this long.
    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    static QUrl RequestUrl(const QString &serviceAddress);
    // The address under the setting "VERSION_SERVICE_URL", or the vendor's default.
    static QString ServiceAddress();

    static constexpr const char *ProductCode = "QBPRO";
    static constexpr const char *DefaultServiceAddress = Setting::VersionServiceUrl.text;

signals:
    // The request has ended, well or not, before any message is shown.
    void ResultArrived();
    // The answer has been dealt with (messages closed).
    void Handled();

public slots:
    void onResult(QObject *reply);

private:
    QNetworkAccessManager *m_manager;
    int m_timeoutMs = 15000;
};
