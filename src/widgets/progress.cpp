#include "progress.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

Progress::Progress(QWidget *parent, const QString &text)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Progress"));
    auto *layout = new QVBoxLayout(this);
    m_label = new QLabel(text.isEmpty() ? tr("Please wait...") : text, this);
    m_label->setObjectName(QStringLiteral("label"));
    auto *bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setRange(0, 0);
    bar->setValue(0);
    layout->addWidget(m_label);
    layout->addWidget(bar);
    setStyleSheet(QStringLiteral(
        "QProgressBar\n{\nborder-style: solid;\nborder: 2px solid gray;\nborder-radius: 8px;\n\n}\n\n\n"
        " QProgressBar::chunk {\n    min-height: 50px;\n    max-height: 100px;\n    min-width: 400px;\n"
        "   max-width: 600px;\n    font-size: 15px;\n }\n"));
}

QString Progress::Text() const
{
    return m_label->text();
}
