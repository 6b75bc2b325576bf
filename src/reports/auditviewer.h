#pragma once

#include "quillboxdialog.h"

#include <QSqlDatabase>
#include <QVariantMap>

#include <memory>

namespace Ui { class AuditViewer; }
class PagedQueryModel;

// The audit trail as a list, newest first, fetched a page at a time: filtered by user, kind
// and day, checked against its hash chain, and printed.
class AuditViewer final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit AuditViewer(QWidget *parent = nullptr);
    ~AuditViewer() override;

    PagedQueryModel *Model() const { return m_model; }

    // The statement for the filters; an empty user or kind and an invalid day filter nothing.
    static QString Statement(const QString &user, const QString &kind, const QDate &day,
                             QVariantMap *bindings);

private slots:
    void Reload();
    void on_pushVerify_clicked();
    void on_pushPrint_clicked();
    void on_pushButtonClose_clicked();

private:
    Q_DISABLE_COPY(AuditViewer)
    QSqlDatabase Ledger() const;
    void FillUsers();

    std::unique_ptr<Ui::AuditViewer> ui;
    PagedQueryModel *m_model;
};
