#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class ErrorDialog; }

// A note to the user whose "Do not show this message again" choice is kept in the settings
// under its key. With alwaysShow the note has no key, no check box and stores nothing.
class ErrorDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    ErrorDialog(const QString &key, const QString &title, const QString &text,
                QWidget *parent = nullptr, bool alwaysShow = false);
    ~ErrorDialog() override;

    // Returns 1 at once, without showing anything, when the user chose to suppress this note.
    int exec() override;

private slots:
    void on_pushButton_clicked();

private:
    Q_DISABLE_COPY(ErrorDialog)
    std::unique_ptr<Ui::ErrorDialog> ui;
    QString m_key;
    bool m_alwaysShow;
};
