#pragma once

#include "quillboxdialog.h"

#include <QPointer>

#include <memory>

namespace Ui { class AboutDialog; }
class VersionWebServiceClient;

// The program's name, version and notices, and the check for a newer version.
class AboutDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

    static constexpr const char *DisplayName = "Quillbox (Pro)";
    static constexpr const char *ProgramVersion = "7.5.0";

    // How long a version check waits for the service before it gives up silently.
    void SetRequestTimeout(int milliseconds) { m_requestTimeoutMs = milliseconds; }
    // The client of the latest version check, while it lives.
    VersionWebServiceClient *CurrentClient() const;

public slots:
    void on_buttonOK_clicked();
    void on_HyperLink_clicked(const QString &link);
    // Version check without the busy indicator.
    void CheckVersion();
    void on_pushCheckVersion_clicked();

private:
    Q_DISABLE_COPY(AboutDialog)
    std::unique_ptr<Ui::AboutDialog> ui;
    QPointer<VersionWebServiceClient> m_client;
    int m_requestTimeoutMs = 15000;
};
