#include "shopdetailsdialog.h"

#include "appsettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

ShopDetailsDialog::ShopDetailsDialog(QWidget *parent)
    : QuillboxDialog(parent)
{
    setWindowTitle(tr("Your Shop"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(tr("Receipts and purchase orders print your shop's name and address. "
                               "You can change them later under Settings, Company Settings."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *form = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("lineShopName"));
    m_address = new QPlainTextEdit(this);
    m_address->setObjectName(QStringLiteral("textShopAddress"));
    m_address->setTabChangesFocus(true);
    m_phone = new QLineEdit(this);
    m_phone->setObjectName(QStringLiteral("lineShopPhone"));
    form->addRow(tr("Shop name"), m_name);
    form->addRow(tr("Address"), m_address);
    form->addRow(tr("Phone"), m_phone);
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *save = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Later"), QDialogButtonBox::RejectRole);
    save->setDefault(true);
    save->setEnabled(false);
    // A name is what makes a receipt the shop's; without one there is nothing to save.
    connect(m_name, &QLineEdit::textChanged, save,
            [save](const QString &text) { save->setEnabled(!text.trimmed().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Save();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(480, 300);
}

bool ShopDetailsDialog::IsNeeded()
{
    return AppSettings::Instance()
        .Settings()
        ->value(QStringLiteral("REPORT_COMPANY_NAME"))
        .toString()
        .trimmed()
        .isEmpty();
}

void ShopDetailsDialog::Save()
{
    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue(QStringLiteral("REPORT_COMPANY_NAME"), m_name->text().trimmed());
    settings->setValue(QStringLiteral("REPORT_COMPANY_ADDRESS"), m_address->toPlainText().trimmed());
    settings->setValue(QStringLiteral("REPORT_PHONE_NUMBER"), m_phone->text().trimmed());
    settings->sync();
}
