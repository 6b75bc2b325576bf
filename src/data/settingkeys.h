#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

// How readers convert a stored value.
enum class SettingType { Text, Int, Bool };

// One key of the settings store with its type and the value a reader sees when nothing is
// stored. The default of an Int or Bool key is `number`, of a Text key `text`.
class QSettings;

struct SettingKey {
    const char *name;
    SettingType type;
    int number;
    const char *text;
    // A stored empty text counts as nothing stored (file paths the settings page can clear).
    bool blankIsDefault;

    QString Name() const { return QLatin1String(name); }
    QVariant Default() const;
};

constexpr SettingKey TextSetting(const char *name, const char *fallback = "")
{
    return {name, SettingType::Text, 0, fallback, false};
}
constexpr SettingKey IntSetting(const char *name, int fallback)
{
    return {name, SettingType::Int, fallback, "", false};
}
constexpr SettingKey BoolSetting(const char *name, bool fallback)
{
    return {name, SettingType::Bool, fallback ? 1 : 0, "", false};
}

// Every key the program stores. Read them through AppSettings::Value/Text/Int/Bool so that a
// settings page and the screen it configures cannot disagree about a default.
namespace Setting {
// Database connection and the active schemas.
inline constexpr SettingKey DbServer = TextSetting("DB_SERVER");
inline constexpr SettingKey DbPort = TextSetting("DB_PORT");
inline constexpr SettingKey DbUser = TextSetting("DB_USER");
inline constexpr SettingKey DbPassword = TextSetting("DB_PASSWORD");
inline constexpr SettingKey DbConnectionName = TextSetting("DB_CON_NAME");
inline constexpr SettingKey DbServers = TextSetting("DB_SERVERS");
inline constexpr SettingKey ActiveInventoryDb = TextSetting("ACTIVE_INVENTORY_DB");
inline constexpr SettingKey ActiveSalesDb = TextSetting("ACTIVE_SALES_DB");
// Program.
inline constexpr SettingKey FirstTimeStart = IntSetting("FIRST_TIME_START", 1);
inline constexpr SettingKey Theme = TextSetting("theme");
inline constexpr SettingKey DateFormat = TextSetting("DATE_FORMAT", "YYYY/MM/DD");
inline constexpr SettingKey ImagesFolder = TextSetting("IMAGES_FOLDER");
inline constexpr SettingKey RecentLocation = TextSetting("RECENT_LOCATION");
inline constexpr SettingKey DebugLog = BoolSetting("DEBUG_LOG", false);
inline constexpr SettingKey VersionServiceUrl =
    TextSetting("VERSION_SERVICE_URL", "https://version.quillbox.example/check");
// "Do not show this message again", one key per message: err_msg_1 ... err_msg_12.
inline constexpr SettingKey MessageHidden = BoolSetting("err_msg_", false);
// Sale screen.
inline constexpr SettingKey PosRows = IntSetting("POS_ROWS", 4);
inline constexpr SettingKey PosColumns = IntSetting("POS_COLUMNS", 4);
inline constexpr SettingKey ExpiryGuard = TextSetting("EXPIRY_GUARD");
inline constexpr SettingKey ExpiryWarnDays = IntSetting("EXPIRY_WARN_DAYS", 30);
inline constexpr SettingKey SubItemsMode = TextSetting("SUB_ITEMS_MODE"); // "y" or "n"
inline constexpr SettingKey CurrencySymbol = TextSetting("CURRENCY_SYMBOL");
inline constexpr SettingKey TillId = TextSetting("TILL_ID");
inline constexpr SettingKey OpenBasketHours = IntSetting("OPEN_BASKET_HOURS", 12);
// The notes and coins a drawer is counted in, e.g. "100, 50, 0.50"; empty: by the currency.
inline constexpr SettingKey CashDenominations = TextSetting("CASH_DENOMINATIONS");
// Where receipts, orders and reports are written; empty: the documents folder.
inline constexpr SettingKey DocumentsFolder = TextSetting("DOCUMENTS_FOLDER");
// Taxes; the rates are texts the tax page edits.
inline constexpr SettingKey EnableTax = BoolSetting("enable_tax", true);
inline constexpr SettingKey SalesTaxRateA = TextSetting("SALES_TAX_RATE_A", "0");
inline constexpr SettingKey SalesTaxRateB = TextSetting("SALES_TAX_RATE_B", "0");
inline constexpr SettingKey SalesTaxRateC = TextSetting("SALES_TAX_RATE_C", "0");
inline constexpr SettingKey SalesTaxName = TextSetting("SALES_TAX_NAME");
// The shop as receipts and orders print it.
inline constexpr SettingKey CompanyName = TextSetting("REPORT_COMPANY_NAME");
inline constexpr SettingKey CompanyAddress = TextSetting("REPORT_COMPANY_ADDRESS");
inline constexpr SettingKey CompanyPhone = TextSetting("REPORT_PHONE_NUMBER");
inline constexpr SettingKey CompanyLogo = TextSetting("REPORT_COMPANY_LOGO");
// Receipts and printers; paper and margins in millimetres.
inline constexpr SettingKey SmallReceipt = IntSetting("SMALL_RECEIPT", 1);
inline constexpr SettingKey PrintLogo = BoolSetting("printLogo", true);
inline constexpr SettingKey LogoSize = IntSetting("logoSize", 10);
inline constexpr SettingKey PaperWidth = IntSetting("paperWidth", 57);
inline constexpr SettingKey PaperHeight = IntSetting("paperHeight", 101);
inline constexpr SettingKey MarginLeft = IntSetting("marginLeft", 5);
inline constexpr SettingKey MarginTop = IntSetting("marginTop", 17);
inline constexpr SettingKey MarginRight = IntSetting("marginRight", 5);
inline constexpr SettingKey MarginBottom = IntSetting("marginBottom", 0);
inline constexpr SettingKey ReceiptPrinter = TextSetting("receiptPrinter");
inline constexpr SettingKey ReportPrinter = TextSetting("reportPrinter");
inline constexpr SettingKey ReceiptPrintToPdf = BoolSetting("ReceiptPrintToPDF", true);
inline constexpr SettingKey ReportPrintToPdf = BoolSetting("ReportPrintToPDF", true);
inline constexpr SettingKey ReceiptPrinterKind = TextSetting("receiptPrinterKind"); // "escpos"
inline constexpr SettingKey EscPosTarget = TextSetting("escposTarget");
inline constexpr SettingKey EscPosColumns = IntSetting("escposColumns", 32);
inline constexpr SettingKey EscPosCodePage = TextSetting("escposCodePage", "CP437");
inline constexpr SettingKey EscPosCut = BoolSetting("escposCut", true);
inline constexpr SettingKey EscPosDrawerOnCash = BoolSetting("escposDrawerOnCash", false);
inline constexpr SettingKey EscPosDrawerPin = IntSetting("escposDrawerPin", 2);
inline constexpr SettingKey EscPosPulseOnMs = IntSetting("escposPulseOnMs", 50);
inline constexpr SettingKey EscPosPulseOffMs = IntSetting("escposPulseOffMs", 500);

// Readers that see a key with a default of their own. They stay here, beside the key, so the
// difference is deliberate and visible.
// The main window's first read: a fresh machine starts dark (and stores it).
inline constexpr SettingKey ThemeAtStart = TextSetting("theme", "dark");
// The report viewer shows "$" until a symbol is stored.
inline constexpr SettingKey ReportCurrencySymbol = TextSetting("CURRENCY_SYMBOL", "$");
// The home screen says "NOT SET" for a rate nobody stored.
inline constexpr SettingKey HomeTaxRateA = TextSetting("SALES_TAX_RATE_A");
// Logos printed when the shop has none.
inline constexpr SettingKey ReceiptLogo = {"REPORT_COMPANY_LOGO", SettingType::Text, 0,
                                           ":/resources/images/quillbox_logo.png", true};
inline constexpr SettingKey OrderLogo = {"REPORT_COMPANY_LOGO", SettingType::Text, 0,
                                         ":/resources/images/quillbox_pro_logo.png", true};

// The table: every key once, in the order above.
const QVector<const SettingKey *> &All();
// Readers with a default of their own (above).
const QVector<const SettingKey *> &ReaderViews();
// The table's entry of a stored name (err_msg_N finds MessageHidden); null for a stranger.
const SettingKey *Find(const QString &name);
// What a reader sees in store: the stored value converted to the key's type, or its default.
QVariant Read(const QSettings &store, const SettingKey &key);
// The same for a stored name; a name not in the table is read as stored, without a default.
QVariant Read(const QSettings &store, const QString &name);
// The key of message n's "Do not show this message again" choice.
QString MessageHiddenKey(int n);
} // namespace Setting
