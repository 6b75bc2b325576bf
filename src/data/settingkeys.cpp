#include "settingkeys.h"

#include <QSettings>

QVariant SettingKey::Default() const
{
    switch (type) {
    case SettingType::Int:
        return number;
    case SettingType::Bool:
        return number != 0;
    case SettingType::Text:
        break;
    }
    return QString::fromUtf8(text);
}

namespace Setting {

const QVector<const SettingKey *> &All()
{
    static const QVector<const SettingKey *> table = {
        &DbServer, &DbPort, &DbUser, &DbPassword, &DbConnectionName, &DbServers,
        &ActiveInventoryDb, &ActiveSalesDb, &FirstTimeStart, &Theme, &DateFormat, &ImagesFolder,
        &RecentLocation, &DebugLog, &VersionServiceUrl, &MessageHidden, &PosRows, &PosColumns,
        &ExpiryGuard, &ExpiryWarnDays, &SubItemsMode, &CurrencySymbol, &TillId, &OpenBasketHours,
        &CashDenominations, &DocumentsFolder,
        &EnableTax, &SalesTaxRateA, &SalesTaxRateB, &SalesTaxRateC, &SalesTaxName, &CompanyName,
        &CompanyAddress, &CompanyPhone, &CompanyLogo, &SmallReceipt, &PrintLogo, &LogoSize,
        &PaperWidth, &PaperHeight, &MarginLeft, &MarginTop, &MarginRight, &MarginBottom,
        &ReceiptPrinter, &ReportPrinter, &ReceiptPrintToPdf, &ReportPrintToPdf,
        &ReceiptPrinterKind, &EscPosTarget, &EscPosColumns, &EscPosCodePage, &EscPosCut,
        &EscPosDrawerOnCash, &EscPosDrawerPin, &EscPosPulseOnMs, &EscPosPulseOffMs};
    return table;
}

const QVector<const SettingKey *> &ReaderViews()
{
    static const QVector<const SettingKey *> views = {&ThemeAtStart, &ReportCurrencySymbol,
                                                      &HomeTaxRateA, &ReceiptLogo, &OrderLogo};
    return views;
}

const SettingKey *Find(const QString &name)
{
    for (const SettingKey *key : All()) {
        if (name == QLatin1String(key->name))
            return key;
    }
    const QString family = MessageHidden.Name();
    if (name.startsWith(family)) {
        bool number = false;
        name.midRef(family.size()).toInt(&number);
        if (number)
            return &MessageHidden;
    }
    return nullptr;
}

QVariant Read(const QSettings &store, const SettingKey &key)
{
    const QVariant stored = store.value(key.Name());
    if (!stored.isValid() || (key.blankIsDefault && stored.toString().isEmpty()))
        return key.Default();
    switch (key.type) {
    case SettingType::Int:
        return stored.toInt();
    case SettingType::Bool:
        return stored.toBool();
    case SettingType::Text:
        break;
    }
    return stored.toString();
}

QVariant Read(const QSettings &store, const QString &name)
{
    const SettingKey *key = Find(name);
    if (!key)
        return store.value(name);
    // A family entry (err_msg_N) carries the type and default, the name is the caller's.
    SettingKey named = *key;
    const QByteArray latin1 = name.toLatin1();
    named.name = latin1.constData();
    return Read(store, named);
}

QString MessageHiddenKey(int n)
{
    return MessageHidden.Name() + QString::number(n);
}

} // namespace Setting
