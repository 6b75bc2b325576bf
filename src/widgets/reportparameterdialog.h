#pragma once

#include "quillboxdialog.h"

#include <QDate>
#include <memory>

namespace Ui { class ReportParameterDialog; }

// Asks for one report parameter: a single value, or a start and end date.
class ReportParameterDialog final : public QuillboxDialog
{
    Q_OBJECT
public:
    enum class Mode { Value, DateRange };

    ReportParameterDialog(QWidget *parent, Mode mode);
    ~ReportParameterDialog() override;

    void SetLabel(const QString &text);
    // Empty until OK was pressed in value mode.
    QString GetValue() const { return m_value; }
    QDate GetStartDate() const;
    QDate GetEndDate() const;

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();

private:
    Q_DISABLE_COPY(ReportParameterDialog)
    std::unique_ptr<Ui::ReportParameterDialog> ui;
    QString m_value;
};
