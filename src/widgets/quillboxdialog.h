#pragma once

#include <QDialog>

// Base of the program's dialogs: keeps a dialog centred over the widget that owns it.
// The theme style sheets select it by class name, so every dialog shares the theme.
class QuillboxDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QuillboxDialog(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CentreOnParent();
};
