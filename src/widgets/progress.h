#pragma once

#include <QDialog>

// Busy indicator shown around a blocking call: the caller shows it, lets the event loop run,
// makes the call and closes it.
class Progress final : public QDialog
{
    Q_OBJECT
public:
    Progress(QWidget *parent, const QString &text);
    QString Text() const;

private:
    class QLabel *m_label;
};
