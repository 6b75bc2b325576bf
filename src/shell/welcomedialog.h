#pragma once

#include "quillboxdialog.h"

#include <memory>

namespace Ui { class WelcomeDialog; }

// Greets a new installation; ticking the box stops it (and the settings dialog) at start-up.
class WelcomeDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    explicit WelcomeDialog(QWidget *parent = nullptr);
    ~WelcomeDialog() override;

private slots:
    void on_pushClose_clicked();

private:
    Q_DISABLE_COPY(WelcomeDialog)
    std::unique_ptr<Ui::WelcomeDialog> ui;
};
