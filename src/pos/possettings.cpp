#include "possettings.h"
#include "ui_possettings.h"

#include "appsettings.h"

#include <QSettings>

POSSettings::POSSettings(QWidget *parent)
    : QScrollArea(parent)
    , ui(std::make_unique<Ui::POSSettings>())
{
    ui->setupUi(this);
    const QSettings *store = AppSettings::Instance().Settings();
    ui->spinRows->setValue(store->value(QStringLiteral("POS_ROWS"), 4).toInt());
    ui->spinCols->setValue(store->value(QStringLiteral("POS_COLUMNS"), 4).toInt());
}

POSSettings::~POSSettings() = default;

void POSSettings::Save()
{
    QSettings *store = AppSettings::Instance().Settings();
    store->setValue(QStringLiteral("POS_ROWS"), ui->spinRows->value());
    store->setValue(QStringLiteral("POS_COLUMNS"), ui->spinCols->value());
}
