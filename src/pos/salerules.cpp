#include "salerules.h"

#include <QCoreApplication>

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace SaleRules {

namespace {
const QRegularExpression &Pattern(int which)
{
    // Anchored, case-sensitive, compiled once.
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("^[a-zA-Z0-9_]{1,20}$")),
        QRegularExpression(QStringLiteral("^[0-9]{1,2}(\\.[0-9]{1,2})?$")),
        QRegularExpression(QStringLiteral("^[0-9]{1,4}$")),
        QRegularExpression(QStringLiteral("^[0-9]+(\\.[0-9]{1,2})?$")),
    };
    return patterns[which];
}
enum { BarCodePattern, DiscountPattern, CountPattern, AmountPattern };

bool WholeMatch(int which, const QString &text)
{
    return Pattern(which).match(text).hasMatch();
}
} // namespace

QString Money(float value)
{
    QString text = QString::number(double(value), 'f', 2);
    if (text == QLatin1String("-0.00"))
        text.remove(0, 1);
    return text;
}

float ToFloat(const QString &text)
{
    return text.toFloat();
}

LineAmounts ComputeLine(const LineInput &input)
{
    const float salePrice = ToFloat(input.salePrice);
    const float purchasePrice = ToFloat(input.purchasePrice);
    const float perUnit = float(input.itemsPerUnit);
    const float quantity = float(input.quantity);
    const float subQuantity = float(input.subQuantity);

    const float subItemPrice = salePrice / perUnit;
    const float subPart = subQuantity * subItemPrice;
    const float gross = subPart + quantity * salePrice;

    LineAmounts line;
    line.discount = float(double(input.discountPercent) / 100.0 * double(gross));
    line.net = gross - line.discount;
    if (input.returnMode)
        line.net = -line.net;

    const float subItemCost = purchasePrice / perUnit;
    const float subCost = subQuantity * subItemCost;
    line.cost = subCost + quantity * purchasePrice;
    if (input.returnMode)
        line.cost = -line.cost;

    line.tax = float(double(input.taxPercent) * double(line.net) / 100.0);
    return line;
}

float TaxPercent(double storedRate, bool taxEnabled)
{
    return taxEnabled ? float(qRound(storedRate)) : 0.0f;
}

qint64 Cents(double amount)
{
    return std::llround(amount * 100.0);
}

namespace {
// The cents of an amount as Money shows it, so sums are sums of what was read.
qint64 ShownCents(float value)
{
    return Cents(Money(value).toDouble());
}
} // namespace

void Totals::Add(const LineAmounts &line)
{
    m_subCents += ShownCents(line.net);
    m_discountCents += ShownCents(line.discount);
    m_taxExact += double(line.tax);
}

float Change(float grandTotal, const QString &paidText)
{
    return float(double(ShownCents(grandTotal) - ShownCents(ToFloat(paidText))) / 100.0);
}

float ChangeDue(float grandTotal, const QString &paidText)
{
    return -Change(grandTotal, paidText);
}

QString CheckEntryFields(const EntryFields &fields)
{
    if (!WholeMatch(BarCodePattern, fields.barCode))
        return QString::fromLatin1(Message::BadBarCode);
    if (!WholeMatch(DiscountPattern, fields.discount))
        return QString::fromLatin1(Message::BadDiscount);
    if (!WholeMatch(CountPattern, fields.items))
        return QString::fromLatin1(Message::BadQuantity);
    if (!WholeMatch(CountPattern, fields.subItems))
        return QString::fromLatin1(Message::BadSubItems);
    return QString();
}

QString CheckPaidAmount(const QString &paidText, float grandTotal)
{
    if (!WholeMatch(AmountPattern, paidText))
        return QString::fromLatin1(Message::BadPaid);
    if (grandTotal > ToFloat(paidText))
        return QString::fromLatin1(Message::ShortPaid);
    return QString();
}

int StockUnits(int quantity, int subItems, int itemsPerUnit)
{
    return quantity * itemsPerUnit + subItems;
}

StockSplit SplitStock(int units, int itemsPerUnit)
{
    return {units / itemsPerUnit, units % itemsPerUnit};
}

QString NotAvailableMessage(int quantity, int subItems)
{
    return QStringLiteral("Rquested quantity is not available. There are (%1) items, and (%2) "
                          "sub-items in the stock.")
        .arg(quantity)
        .arg(subItems);
}

StockOutcome ApplyStock(const StockRequest &request)
{
    StockOutcome outcome;
    // Stock is kept in sub-items of a unit; a stored count below 1 would divide by zero.
    if (request.itemsPerUnit < 1) {
        outcome.refusal = QString::fromLatin1(Message::BadItemsPerUnit);
        return outcome;
    }
    // Stored counts may be as large as their columns allow: the products of counts and units
    // per pack are taken in 64 bits, and a result the columns cannot hold is refused.
    const qint64 perUnit = request.itemsPerUnit;
    const qint64 available = qint64(request.quantity) * perUnit + request.subItems;
    if (!request.returnMode && available == 0) {
        outcome.refusal = QString::fromLatin1(Message::OutOfStock);
        return outcome;
    }
    if (request.itemsPerUnit == 1 && request.wantSubItems != 0) {
        outcome.refusal = QString::fromLatin1(Message::WholeOnly);
        return outcome;
    }
    const qint64 wanted = qint64(request.wantQuantity) * perUnit + request.wantSubItems;
    if (!request.returnMode && available < wanted) {
        outcome.refusal = NotAvailableMessage(request.quantity, request.subItems);
        return outcome;
    }
    const qint64 after = request.returnMode ? available + wanted : available - wanted;
    const qint64 afterQuantity = after / perUnit;
    if (afterQuantity > std::numeric_limits<int>::max()
        || afterQuantity < std::numeric_limits<int>::min()) {
        outcome.refusal = QString::fromLatin1(Message::StockWriteFailed);
        return outcome;
    }
    outcome.after = {int(afterQuantity), int(after % perUnit)};
    return outcome;
}

int PageCount(int entries, int pageSize)
{
    if (pageSize < 1)
        return 0;
    return entries / pageSize + (entries % pageSize ? 1 : 0);
}

QString RecordedProductName(const QString &name)
{
    constexpr int kColumnLength = 50; // tblSalesInvoice.PRODUCT_NAME
    if (name.size() <= kColumnLength)
        return name;
    // Never keep half of a character that takes two UTF-16 units.
    const int cut = name.at(kColumnLength - 1).isHighSurrogate() ? kColumnLength - 1 : kColumnLength;
    return name.left(cut);
}

ExpiryGuard ExpiryGuardFromSetting(const QString &value)
{
    if (value == QLatin1String("off"))
        return ExpiryGuard::Off;
    if (value == QLatin1String("refuse"))
        return ExpiryGuard::Refuse;
    return ExpiryGuard::Warn;
}

QString ExpiryGuardSetting(ExpiryGuard guard)
{
    switch (guard) {
    case ExpiryGuard::Off:
        return QStringLiteral("off");
    case ExpiryGuard::Refuse:
        return QStringLiteral("refuse");
    case ExpiryGuard::Warn:
        break;
    }
    return QStringLiteral("warn");
}

ExpiryVerdict CheckExpiry(ExpiryGuard guard, const QDate &expiry, const QDate &today,
                          int warnDays, bool returnMode, const QString &displayFormat)
{
    ExpiryVerdict verdict;
    if (guard == ExpiryGuard::Off || !expiry.isValid())
        return verdict;
    const QString shown = expiry.toString(displayFormat);
    if (expiry < today) {
        if (guard == ExpiryGuard::Refuse && !returnMode) {
            verdict.refusal = QCoreApplication::translate(
                                  "SaleRules", "This batch expired on %1. It was not added.")
                                  .arg(shown);
        } else {
            verdict.notice
                = QCoreApplication::translate("SaleRules", "This batch expired on %1.").arg(shown);
        }
    } else if (today.daysTo(expiry) <= warnDays) {
        verdict.notice
            = QCoreApplication::translate("SaleRules", "This batch expires on %1.").arg(shown);
    }
    return verdict;
}

} // namespace SaleRules
