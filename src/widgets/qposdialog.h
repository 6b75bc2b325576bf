#pragma once

#include <QDialog>

// Full-screen host of the sale screen. It swallows every key itself, so Escape never closes
// a sale half-way; the sale screen inside handles its own keys.
class QPOSDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit QPOSDialog(QWidget *parent = nullptr, bool fullScreenOnShow = true);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_fullScreenOnShow;
};
