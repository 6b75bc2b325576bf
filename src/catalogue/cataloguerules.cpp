#include "cataloguerules.h"

#include "appsettings.h"
#include "sqlutil.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QSettings>

#include <cmath>

namespace Catalogue {

namespace {

bool Matches(const QString &pattern, const QString &text)
{
    // The whole text must match: a trailing line break must not slip past "$".
    const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
    return re.match(text).hasMatch();
}

const char *const ProductCodePattern = "^[a-zA-Z0-9_]{1,20}$";
const char *const ItemsPerUnitPattern = "^[0-9_]{1,10}$";
const char *const RatePattern = "^[0-9]{1,2}(\\.[0-9]{1,2})?$";
const char *const CountPattern = "^[0-9]{1,10}$";
const char *const PricePattern = "^[0-9]{1,20}(\\.[0-9]{1,2})?$";

// Up to this many matching products are listed by key; more make a broad search, which the
// list's own order finds quickly.
constexpr int FewProducts = 1000;

// The keys of the products whose column (a name from this file, never user text) matches the
// pattern, as an SQL list of numbers; false when there are more than FewProducts or the
// look-up failed.
bool FewMatchingProducts(const QSqlDatabase &db, const char *column, const QString &pattern,
                         QString *keys)
{
    if (!db.isValid())
        return false;
    SqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ID FROM tblProducts WHERE %1 LIKE :pattern LIMIT %2")
                      .arg(QLatin1String(column))
                      .arg(FewProducts + 1));
    query.bindValue(QStringLiteral(":pattern"), pattern);
    if (!ExecLogged(query))
        return false;
    QStringList ids;
    while (query.next())
        ids << QString::number(query.value(0).toInt());
    if (ids.size() > FewProducts)
        return false;
    // IDs are never negative: an empty match lists nothing.
    *keys = ids.isEmpty() ? QStringLiteral("-1") : ids.join(QLatin1Char(','));
    return true;
}

bool FitsInt(const QString &text)
{
    bool ok = false;
    text.toInt(&ok, 10);
    return ok;
}

} // namespace

bool IsValidProductCode(const QString &code)
{
    return Matches(QLatin1String(ProductCodePattern), code);
}

bool IsValidItemsPerUnitText(const QString &text)
{
    return Matches(QLatin1String(ItemsPerUnitPattern), text);
}

int ItemsPerUnitValue(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

bool IsValidTaxRate(const QString &text)
{
    return Matches(QLatin1String(RatePattern), text);
}

bool IsValidBarCode(const QString &barCode)
{
    return Matches(QLatin1String(ProductCodePattern), barCode);
}

bool IsValidCount(const QString &text)
{
    // Ten digits fit the pattern but not always an INT column: such a count is refused
    // rather than silently stored as 0.
    return Matches(QLatin1String(CountPattern), text) && FitsInt(text);
}

bool IsValidPrice(const QString &text)
{
    return Matches(QLatin1String(PricePattern), text);
}

bool IsValidDiscount(const QString &text)
{
    return Matches(QLatin1String(RatePattern), text);
}

QString EditorText(const QVariant &stored)
{
    const QString text = stored.toString();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (text.isEmpty() || !ok)
        return text;
    const QString shortest = QString::number(value, 'g', 15);
    const int point = shortest.indexOf(QLatin1Char('.'));
    if (!shortest.contains(QLatin1Char('e')) && (point < 0 || shortest.size() - point - 1 <= 2))
        return shortest;
    // Halves round away from zero, as a shop would round by hand.
    return QString::number(std::round(value * 100.0) / 100.0, 'f', 2);
}

QString StoredImageFile(const QString &path)
{
    if (path.size() <= ImageFileColumnWidth)
        return path;
    const QString name = QFileInfo(path).fileName();
    return name.size() <= ImageFileColumnWidth ? name : QString();
}

double StoredReal(float value)
{
    return QString::number(double(value), 'g', 7).toDouble();
}

double StoredMoney(double value)
{
    return QString::number(value, 'f', 2).toDouble();
}

TaxRateTable::TaxRateTable(const QString &rateA, const QString &rateB, const QString &rateC)
{
    const QString texts[] = {rateA, rateB, rateC};
    const char letters[] = {'A', 'B', 'C'};
    for (int i = 0; i < 3; ++i) {
        const QString label =
            QLatin1Char(letters[i]) + QLatin1String(" - ") + texts[i] + QLatin1String(" %");
        m_rates[label] = texts[i].toFloat();
    }
}

TaxRateTable TaxRateTable::FromSettings()
{
    return TaxRateTable(AppSettings::Instance().Text(Setting::SalesTaxRateA),
                        AppSettings::Instance().Text(Setting::SalesTaxRateB),
                        AppSettings::Instance().Text(Setting::SalesTaxRateC));
}

QStringList TaxRateTable::Labels() const
{
    QStringList labels;
    for (const auto &entry : m_rates)
        labels << entry.first;
    return labels;
}

float TaxRateTable::Rate(const QString &label) const
{
    const auto it = m_rates.find(label);
    return it == m_rates.end() ? 0.0f : it->second;
}

QString TaxRateTable::LabelFor(float rate) const
{
    for (const auto &entry : m_rates) {
        if (entry.second == rate)
            return entry.first;
    }
    return QString();
}

QString CheckProductForm(const ProductForm &form)
{
    // An update writes the code as it stands, so it is checked also with "Auto Generate":
    // a code outside the pattern would later be refused as a batch barcode.
    if ((form.editMode || !form.autoGenerate) && !IsValidProductCode(form.code)) {
        return QStringLiteral("Product Code ( %1 ) is invalid. Please enter valid Product Code")
            .arg(form.code);
    }
    if (form.name.isEmpty()) {
        return QStringLiteral("Error: Product Name ( %1 ) Please enter valid product name")
            .arg(form.name);
    }
    if (!IsValidItemsPerUnitText(form.itemsPerUnit))
        return QStringLiteral("Error: Please enter valid Items Per Unit value");
    if (ItemsPerUnitValue(form.itemsPerUnit) == 0) {
        return QStringLiteral(
            "Error: Items Per Unit value can not be '0'. Minimum value could be '1'.");
    }
    if (form.customRate && !IsValidTaxRate(form.customRateText))
        return QStringLiteral("Tax rate is invalid. Please enter numeric (0 to 99.99) value.");
    if (form.category.isEmpty())
        return QStringLiteral("Error: Please select a product category");
    if (!form.imageFile.isEmpty() && StoredImageFile(form.imageFile).isEmpty()) {
        return QStringLiteral(
            "Picture file name is too long. Please choose a file with a shorter name.");
    }
    return QString();
}

QString CheckBatchForm(const BatchForm &form)
{
    if (!IsValidBarCode(form.barCode)) {
        return QStringLiteral(
                   "Barcode ( %1 ) is invalid. Please enter valid Barcode (1 to 20 digits)")
            .arg(form.barCode);
    }
    if (!form.expiryDate.isValid())
        return QStringLiteral("Error: Please select valid expiry date.");
    if (!IsValidCount(form.quantity))
        return QStringLiteral("Error: Please enter numeric value for Quantity.");
    if (!IsValidPrice(form.salePrice))
        return QStringLiteral("Error: Please enter valid value for Sale price.");
    if (!IsValidPrice(form.purchasePrice))
        return QStringLiteral("Error: Please enter valid value for Purchase price.");
    if (!IsValidDiscount(form.discount))
        return QStringLiteral("Discount is invalid. Please enter numeric value (0 to 99.99).");
    if (form.vendorIndex == -1)
        return QStringLiteral("Please select vendor from existing list or add new vendor.");
    if (!IsValidCount(form.subItems))
        return QStringLiteral("Please enter numeric value for sub items.");
    return QString();
}

// ---- product list ----

QString ProductListBase()
{
    return QStringLiteral(
        "SELECT p.ID, c.NAME AS CATEGORY, p.PRODUCT_CODE, p.NAME, p.ITEMS_PER_UNIT, "
        "p.DESCRIPTION, p.IMAGE_FILE, p.TAX_RATE "
        "FROM tblProducts AS p STRAIGHT_JOIN tblProductCategories AS c "
        "WHERE p.CATEGORY_ID = c.ID");
}

ListQuery ProductShowAll()
{
    return {ProductListBase(), {}, QString()};
}

ListQuery ProductNothing()
{
    // IDs are never negative: matches nothing, through the primary key.
    return {ProductListBase() + QStringLiteral(" AND p.ID = -1"), {},
            QStringLiteral("No search criteria specified.")};
}

ListQuery ProductSearch(const QString &name, const QString &code, const QSqlDatabase &db)
{
    QString keys;
    if (!name.isEmpty() && FewMatchingProducts(db, "NAME", LikeContains(name), &keys)) {
        return {ProductListBase() + QStringLiteral(" AND p.ID IN (%1)").arg(keys), {},
                QStringLiteral("Search results based on Name. ")};
    }
    if (name.isEmpty() && !code.isEmpty()
        && FewMatchingProducts(db, "PRODUCT_CODE", LikeContains(code), &keys)) {
        return {ProductListBase() + QStringLiteral(" AND p.ID IN (%1)").arg(keys), {},
                QStringLiteral("Search results based on Product Code.")};
    }
    if (!name.isEmpty()) {
        return {ProductListBase() + QStringLiteral(" AND p.NAME LIKE :pattern"),
                {{QStringLiteral(":pattern"), LikeContains(name)}},
                QStringLiteral("Search results based on Name. ")};
    }
    if (!code.isEmpty()) {
        return {ProductListBase() + QStringLiteral(" AND p.PRODUCT_CODE LIKE :pattern"),
                {{QStringLiteral(":pattern"), LikeContains(code)}},
                QStringLiteral("Search results based on Product Code.")};
    }
    return ProductNothing();
}

QStringList ProductSortExpressions()
{
    return {QStringLiteral("p.ID"),         QStringLiteral("c.NAME"),
            QStringLiteral("p.PRODUCT_CODE"), QStringLiteral("p.NAME"),
            QStringLiteral("p.ITEMS_PER_UNIT"), QStringLiteral("p.DESCRIPTION"),
            QStringLiteral("p.IMAGE_FILE"), QStringLiteral("p.TAX_RATE")};
}

// ---- batch list ----

QString ExpiryDisplayFormat()
{
    const QString format = AppSettings::Instance().DisplayDateFormat();
    return format.isEmpty() ? QStringLiteral("yyyy-MM-dd") : format;
}

QString ExpiryDisplayExpression()
{
    const QString column = QStringLiteral("i.EXPIRY_DATE");
    const QString alias = QStringLiteral("Expiry Date");
    const QString order = AppSettings::Instance().Text(Setting::DateFormat);
    // An unknown order has no pattern; the list then shows ISO dates instead of failing.
    if (AppSettings::SqlPatternForDateOrder(order).isEmpty()
        || AppSettings::QtFormatForDateOrder(order) != ExpiryDisplayFormat()) {
        return QStringLiteral(" DATE_FORMAT(i.EXPIRY_DATE,'%Y-%m-%d') as 'Expiry Date'");
    }
    return AppSettings::Instance().DateDisplayExpression(column, alias);
}

QDate ParseDisplayDate(const QString &text, const QString &displayFormat)
{
    QDate date = QDate::fromString(text, displayFormat);
    if (!date.isValid())
        date = QDate::fromString(text, Qt::ISODate);
    return date;
}

QString InventoryListBase()
{
    return QStringLiteral("SELECT i.ID, i.PRODUCT_ID, i.VENDOR_ID, i.BAR_CODE, i.BATCH_NUMBER, "
                          "p.NAME, v.NAME, ")
           + ExpiryDisplayExpression()
           + QStringLiteral(" , i.STORAGE_LOCATION, i.QUANTITY, i.SUB_ITEMS, i.PURCHASE_PRICE, "
                            "i.SALE_PRICE, p.PRODUCT_CODE, i.SHOW_ON_POS, i.DISCOUNT "
                            // The batches drive the join, in the order of their own key or
                            // index, and the outer joins let a count skip the other tables.
                            // The foreign keys make every batch have its product and vendor.
                            "FROM tblInventory AS i "
                            "LEFT JOIN tblProducts AS p ON p.ID = i.PRODUCT_ID "
                            "LEFT JOIN tblVendors AS v ON v.ID = i.VENDOR_ID "
                            "WHERE i.ID IS NOT NULL");
}

ListQuery InventoryShowAll()
{
    return {InventoryListBase(), {}, QString()};
}

ListQuery InventoryNothing()
{
    return {InventoryListBase() + QStringLiteral(" AND i.ID = -1"), {},
            QStringLiteral("No search criteria specified.")};
}

ListQuery InventorySearch(const QString &name, const QString &barCode, const QSqlDatabase &db)
{
    QString keys;
    if (!name.isEmpty() && FewMatchingProducts(db, "NAME", LikeContains(name), &keys)) {
        return {InventoryListBase() + QStringLiteral(" AND i.PRODUCT_ID IN (%1)").arg(keys), {},
                QStringLiteral("Search results based on Name. ")};
    }
    if (!name.isEmpty()) {
        // Many products match: the batches are read in the list's order and the first page is
        // found quickly. IFNULL keeps the batches driving the join.
        return {InventoryListBase() + QStringLiteral(" AND IFNULL(p.NAME, '') LIKE :pattern"),
                {{QStringLiteral(":pattern"), LikeContains(name)}},
                QStringLiteral("Search results based on Name. "), true};
    }
    if (!barCode.isEmpty()) {
        return {InventoryListBase() + QStringLiteral(" AND i.BAR_CODE LIKE :pattern"),
                {{QStringLiteral(":pattern"), LikeContains(barCode)}},
                QStringLiteral("Search results based on Bar Code.")};
    }
    return InventoryNothing();
}

QStringList InventorySortExpressions()
{
    return {QStringLiteral("i.ID"),           QStringLiteral("i.PRODUCT_ID"),
            QStringLiteral("i.VENDOR_ID"),    QStringLiteral("i.BAR_CODE"),
            QStringLiteral("i.BATCH_NUMBER"), QStringLiteral("p.NAME"),
            QStringLiteral("v.NAME"),         QStringLiteral("i.EXPIRY_DATE"),
            QStringLiteral("i.STORAGE_LOCATION"), QStringLiteral("i.QUANTITY"),
            QStringLiteral("i.SUB_ITEMS"),    QStringLiteral("i.PURCHASE_PRICE"),
            QStringLiteral("i.SALE_PRICE"),   QStringLiteral("p.PRODUCT_CODE"),
            QStringLiteral("i.SHOW_ON_POS"),  QStringLiteral("i.DISCOUNT")};
}

} // namespace Catalogue
