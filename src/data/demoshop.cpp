#include "demoshop.h"
#include "sqlutil.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace DemoShop {

namespace {

struct Category
{
    const char *name;
    const char *colour;
    double taxRate;
};

const QList<Category> kCategories = {
    {"Pain Relief", "#c0392b", 0},        {"Cold & Flu", "#2980b9", 0},
    {"Allergy", "#8e44ad", 0},            {"Digestive Health", "#27ae60", 0},
    {"Vitamins & Supplements", "#f39c12", 5}, {"Skin Care", "#d35400", 5},
    {"First Aid", "#e74c3c", 0},          {"Baby Care", "#16a085", 5},
    {"Eye & Ear Care", "#2c3e50", 0},     {"Oral Care", "#1abc9c", 5},
    {"Heart & Circulation", "#7f8c8d", 0}, {"Diabetes Care", "#34495e", 0}};

// A medicine and the category it is filed under (1-based, in the order above); divisible
// packs are sold by the tablet as well.
struct Medicine
{
    const char *name;
    int category;
    bool divisible;
};

const QList<Medicine> kMedicines = {
    {"Paracetamol 500mg Tablets", 1, true},   {"Ibuprofen 200mg Tablets", 1, true},
    {"Aspirin 300mg Dispersible", 1, true},    {"Naproxen 250mg Tablets", 1, true},
    {"Diclofenac Gel 1%", 1, false},           {"Cough Syrup Dry 100ml", 2, false},
    {"Decongestant Nasal Spray", 2, false},    {"Throat Lozenges Honey Lemon", 2, true},
    {"Cold & Flu Capsules", 2, true},          {"Cetirizine 10mg Tablets", 3, true},
    {"Loratadine 10mg Tablets", 3, true},      {"Hay Fever Eye Drops", 3, false},
    {"Antacid Chewable Tablets", 4, true},     {"Oral Rehydration Salts", 4, true},
    {"Loperamide 2mg Capsules", 4, true},      {"Omeprazole 20mg Capsules", 4, true},
    {"Vitamin C 1000mg Effervescent", 5, true}, {"Vitamin D3 1000IU Softgels", 5, true},
    {"Multivitamin Adult Tablets", 5, true},   {"Omega-3 Fish Oil Capsules", 5, true},
    {"Zinc 15mg Tablets", 5, true},            {"Moisturising Cream 100g", 6, false},
    {"Hydrocortisone Cream 1%", 6, false},     {"Sunscreen SPF50 Lotion", 6, false},
    {"Antiseptic Cream 30g", 7, false},        {"Sterile Plasters Assorted", 7, false},
    {"Elastic Bandage 7.5cm", 7, false},       {"Digital Thermometer", 7, false},
    {"Baby Paracetamol Suspension", 8, false}, {"Nappy Rash Ointment", 8, false},
    {"Infant Colic Drops", 8, false},          {"Lubricating Eye Drops", 9, false},
    {"Ear Wax Removal Drops", 9, false},       {"Fluoride Toothpaste 75ml", 10, false},
    {"Antibacterial Mouthwash 500ml", 10, false}, {"Interdental Brushes", 10, false},
    {"Low-Dose Aspirin 75mg", 11, true},       {"Compression Socks", 11, false},
    {"Glucose Test Strips x50", 12, false},    {"Lancets Sterile x100", 12, false}};

const QStringList kPacks = {QStringLiteral("12"), QStringLiteral("24"), QStringLiteral("32"),
                            QStringLiteral("48")};
const QStringList kBrands = {QString(),           QStringLiteral("Medix "),
                             QStringLiteral("Carewell "), QStringLiteral("PharmaPlus "),
                             QStringLiteral("Vitalis "),  QStringLiteral("GreenCross "),
                             QStringLiteral("Nordic "),   QStringLiteral("Remedia "),
                             QStringLiteral("Sanova "),   QStringLiteral("Everyday ")};
const QStringList kFirstNames = {
    "Olivia", "Liam", "Emma", "Noah", "Amelia", "Oliver", "Sophia", "Elijah", "Isabella", "James",
    "Mia",    "Lucas", "Aisha", "Mateo", "Chloe", "Ethan", "Priya", "Daniel", "Grace", "Samuel"};
const QStringList kLastNames = {
    "Smith", "Johnson", "Patel", "Garcia", "Brown", "Nguyen", "Miller", "Davis", "Khan", "Wilson",
    "Moore", "Taylor", "Anderson", "Thomas", "Martin", "Lee", "Clark", "Lewis", "Walker", "Young"};
const QStringList kStreets = {"Maple", "Oak", "Church", "River", "Station", "Park", "High",
                              "Mill", "Elm", "Victoria"};

QString Quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// ELT(1 + index, 'a', 'b', ...): picks a constant of our own lists by a computed index.
QString Pick(const QString &index, const QStringList &values)
{
    QStringList quoted;
    for (const QString &value : values)
        quoted << Quoted(value);
    return QStringLiteral("ELT(1 + (") + index + QStringLiteral("), ") + quoted.join(", ")
           + QLatin1Char(')');
}

// The customer name of customer number k (1-based), as the customer rows are made.
QString CustomerName(const QString &k)
{
    return QStringLiteral("CONCAT(") + Pick("(" + k + ") % 20", kFirstNames)
           + QStringLiteral(", ' ', ") + Pick("((" + k + ") DIV 20) % 20", kLastNames)
           + QLatin1Char(')');
}

QString Table(const QString &schema, const char *table)
{
    return QLatin1Char('`') + schema + QStringLiteral("`.`") + QLatin1String(table)
           + QLatin1Char('`');
}

QString Seq(qint64 from, qint64 to)
{
    return QStringLiteral("seq_%1_to_%2").arg(from).arg(to);
}

// A sale price that depends only on the product, so stock and sales agree.
const QString kPrice = QStringLiteral("ROUND(1.5 + ((%1 * 37) % 200) * 0.25, 2)");

struct Step
{
    QString name;
    QString sql;
    int weight;
};

} // namespace

Scale SmallScale()
{
    return {200, 400, 2000, 4, 60};
}

Scale LargeScale()
{
    return {100000, 200000, 500000, 4, 5000};
}

bool ScaleByName(const QString &name, Scale *scale)
{
    if (name == QLatin1String("small"))
        *scale = SmallScale();
    else if (name == QLatin1String("large"))
        *scale = LargeScale();
    else
        return false;
    return true;
}

QStringList PictureFiles()
{
    QStringList files;
    for (int c = 1; c <= kCategories.size(); ++c)
        files << QStringLiteral("demo_category_%1.png").arg(c);
    return files;
}

QList<Account> Accounts()
{
    return {{"admin", "admin", "ADMIN"}, {"cashier", "cashier", "SALES PERSON"},
            {"anna", "anna", "SALES PERSON"}};
}

bool WritePictures(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QStringList files = PictureFiles();
    for (int c = 0; c < kCategories.size(); ++c) {
        const QColor colour(QLatin1String(kCategories.at(c).colour));
        QImage image(400, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient background(0, 0, 0, 400);
        background.setColorAt(0, colour.lighter(170));
        background.setColorAt(1, colour.lighter(120));
        painter.fillRect(image.rect(), background);
        // A medicine box with a cross on its front.
        QPainterPath box;
        box.addRoundedRect(QRectF(90, 70, 220, 200), 18, 18);
        painter.fillPath(box, Qt::white);
        painter.setPen(QPen(colour.darker(130), 6));
        painter.drawPath(box);
        painter.fillRect(QRectF(180, 110, 40, 120), colour);
        painter.fillRect(QRectF(140, 150, 120, 40), colour);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(30);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRectF(10, 290, 380, 100), Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromUtf8(kCategories.at(c).name));
        painter.end();
        if (!image.save(folder + QLatin1Char('/') + files.at(c), "PNG"))
            return false;
    }
    return true;
}

bool Fill(QSqlDatabase db, const QString &inventorySchema, const QString &salesSchema,
          const Scale &scale, const QDate &today, const ProgressFn &progress, QString *error)
{
    const QString categories = Table(inventorySchema, "tblProductCategories");
    const QString products = Table(inventorySchema, "tblProducts");
    const QString vendors = Table(inventorySchema, "tblVendors");
    const QString customers = Table(inventorySchema, "tblCustomers");
    const QString inventory = Table(inventorySchema, "tblInventory");
    const QString users = Table(inventorySchema, "tblUsers");
    const QString transactions = Table(salesSchema, "tblSalesTransactions");
    const QString lines = Table(salesSchema, "tblSalesInvoice");

    QList<Step> steps;
    {
        QStringList values;
        for (const Category &category : kCategories)
            values << QStringLiteral("(%1)").arg(Quoted(QString::fromUtf8(category.name)));
        steps << Step{"categories",
                      "INSERT INTO " + categories + " (NAME) VALUES " + values.join(", "), 1};
    }
    steps << Step{"vendors",
                  "INSERT INTO " + vendors
                      + " (NAME, ADDRESS, EMAIL, CONTACT_NUMBER) VALUES "
                        "('MedSupply Wholesale', '12 Harbour Road, Eastport', "
                        "'orders@medsupply.example', '555-0101'), "
                        "('Northbridge Pharma Distributors', '4 Mill Lane, Northbridge', "
                        "'sales@northbridge.example', '555-0102'), "
                        "('Greenleaf Health Partners', '88 Garden Avenue, Westfield', "
                        "'hello@greenleaf.example', '555-0103'), "
                        "('Apex Generics Ltd', 'Unit 7, Riverside Park', "
                        "'trade@apexgenerics.example', '555-0104'), "
                        "('Harbor Medical Trading', '301 Quay Street, Port Allen', "
                        "'info@harbormed.example', '555-0105'), "
                        "('Sunrise Nutrition Co', '19 Orchard Way, Sunnyvale', "
                        "'orders@sunrise.example', '555-0106'), "
                        "('Clearwater Dermatology Supplies', '5 Lake View, Clearwater', "
                        "'sales@clearwater.example', '555-0107'), "
                        "('Unity Healthcare Logistics', '77 Ring Road, Midtown', "
                        "'desk@unityhc.example', '555-0108')",
                  1};
    {
        QStringList values;
        const QStringList first = {"Alex", "Casey", "Anna"};
        const QStringList last = {"Morgan", "Reed", "Lindqvist"};
        const QList<Account> accounts = Accounts();
        for (int i = 0; i < accounts.size(); ++i)
            values << QStringLiteral("(%1, %2, %3, %4, %5)")
                          .arg(Quoted(first.at(i)), Quoted(last.at(i)),
                               Quoted(QLatin1String(accounts.at(i).login)),
                               Quoted(QLatin1String(accounts.at(i).password)),
                               Quoted(QLatin1String(accounts.at(i).role)));
        steps << Step{"users",
                      "INSERT INTO " + users
                          + " (FIRST_NAME, LAST_NAME, LOGIN_NAME, PASSWORD, ROLE) VALUES "
                          + values.join(", "),
                      1};
    }
    steps << Step{"customers",
                  "INSERT INTO " + customers
                      + " (NAME, ADDRESS, EMAIL, CONTACT_NUMBER) SELECT " + CustomerName("seq")
                      + ", CONCAT(1 + (seq * 7) % 300, ' ', " + Pick("seq % 10", kStreets)
                      + ", ' Street'), LOWER(CONCAT(" + Pick("seq % 20", kFirstNames) + ", '.', "
                      + Pick("(seq DIV 20) % 20", kLastNames)
                      + ", seq, '@mail.example')), CONCAT('555-', LPAD(seq, 4, '0')) FROM "
                      + Seq(1, scale.customers),
                  1};
    {
        QStringList names;
        QStringList categoryIds;
        QStringList divisible;
        QStringList taxes;
        for (const Medicine &medicine : kMedicines) {
            names << QString::fromUtf8(medicine.name);
            categoryIds << QString::number(medicine.category);
            divisible << QString::number(medicine.divisible ? 1 : 0);
            taxes << QString::number(kCategories.at(medicine.category - 1).taxRate);
        }
        const QString m = QStringLiteral("seq % %1").arg(kMedicines.size());
        const QString pack = QStringLiteral("(seq DIV %1) % 4").arg(kMedicines.size());
        const QString brand = QStringLiteral("(seq DIV %1) % 10").arg(kMedicines.size() * 4);
        const QString category = Pick(m, categoryIds);
        steps << Step{"products",
                      "INSERT INTO " + products
                          + " (CATEGORY_ID, PRODUCT_CODE, NAME, ITEMS_PER_UNIT, DESCRIPTION, "
                            "IMAGE_FILE, TAX_RATE) SELECT "
                          + category + ", CONCAT('PH', LPAD(seq, 6, '0')), CONCAT("
                          + Pick(brand, kBrands) + ", " + Pick(m, names) + ", ' x', "
                          + Pick(pack, kPacks) + "), IF(" + Pick(m, divisible) + " = '1', "
                          + Pick(pack, kPacks)
                          + ", 1), 'Store below 25 C, out of the reach of children.', "
                            "CONCAT('demo_category_', "
                          + category + ", '.png'), " + Pick(m, taxes) + " FROM "
                          + Seq(1, scale.products),
                      5};
    }
    const QString productId = QStringLiteral("(1 + (seq - 1) % %1)").arg(scale.products);
    steps << Step{"stock batches",
                  "INSERT INTO " + inventory
                      + " (PRODUCT_ID, VENDOR_ID, BAR_CODE, BATCH_NUMBER, EXPIRY_DATE, "
                        "STORAGE_LOCATION, PURCHASE_PRICE, SALE_PRICE, QUANTITY, SUB_ITEMS, "
                        "SHOW_ON_POS, DISCOUNT) SELECT "
                      + productId + ", 1 + seq % 8, CONCAT('890', LPAD(seq, 9, '0')), "
                        "CONCAT('LOT', LPAD((seq * 7919) % 100000, 5, '0')), "
                        ":today + INTERVAL (CAST((seq * 7919) % 1000 AS SIGNED) - 90) DAY, "
                        "CONCAT('Aisle ', 1 + seq % 12, ' / Shelf ', 1 + seq % 5), "
                        "ROUND("
                      + kPrice.arg(productId) + " * 0.62, 2), " + kPrice.arg(productId)
                      + ", IF(seq % 23 = 0, 0, (seq * 31) % 80), 0, IF(seq <= 48, 1, 0), "
                        "IF(seq % 17 = 0, 5, 0) FROM "
                      + Seq(1, scale.batches),
                  10};
    const qint64 sales = scale.sales;
    steps << Step{"sales",
                  "INSERT INTO " + transactions
                      + " (ID, USER_ID, CUSTOMER_ID, TIME_STAMP, GRAND_TOTAL, PAID, "
                        "RETURN_AMOUNT) SELECT seq + 1, "
                      + Pick("seq % 3", {"admin", "cashier", "anna"})
                      + ", IF(seq % 10 < 7, 'NOT SELECTED', "
                      + CustomerName(QStringLiteral("1 + seq % %1").arg(scale.customers))
                      + "), :today - INTERVAL 730 DAY + INTERVAL ((seq - 1) * 730 DIV "
                      + QString::number(sales)
                      + ") DAY + INTERVAL (28800 + (seq * 7919) % 43200) SECOND, 0, 0, 0 FROM "
                      + Seq(1, sales),
                  15};
    const qint64 lineCount = sales * scale.linesPerSale;
    const qint64 chunk = 250000;
    for (qint64 from = 1; from <= lineCount; from += chunk) {
        const qint64 to = qMin(lineCount, from + chunk - 1);
        steps << Step{QStringLiteral("sale lines %1-%2").arg(from).arg(to),
                      "INSERT INTO " + lines
                          + " (TRANSACTION_ID, ITEM_INDEX, PRODUCT_NAME, QUANTITY, "
                            "PURCHASE_PRICE, SALE_PRICE, SUB_ITEMS, DISCOUNT, SUB_TOTAL, "
                            "PURCHASE_SUB_TOTAL) SELECT x.tid, x.item, LEFT(p.NAME, 50), x.qty, "
                            "ROUND(x.price * 0.62, 2), x.price, '0', x.discount, "
                            "ROUND(x.price * x.qty - x.discount, 2), "
                            "ROUND(x.price * 0.62, 2) * x.qty FROM (SELECT s.*, "
                            "IF(s.seq % 9 = 0, ROUND(s.price * s.qty * 0.05, 2), 0) AS discount "
                            "FROM (SELECT seq, 2 + (seq - 1) DIV "
                          + QString::number(scale.linesPerSale) + " AS tid, (seq - 1) % "
                          + QString::number(scale.linesPerSale) + " AS item, 1 + ((seq * 7349) % "
                          + QString::number(scale.products)
                          + ") AS pid, 1 + (seq % 7 = 0) + (seq % 13 = 0) AS qty, "
                          + kPrice.arg("(1 + ((seq * 7349) % " + QString::number(scale.products)
                                       + "))")
                          + " AS price FROM " + Seq(from, to)
                          + ") s) x JOIN " + products + " p ON p.ID = x.pid",
                      int(40 * (to - from + 1) / qMax<qint64>(1, lineCount)) + 1};
    }
    const qint64 totalsChunk = 100000;
    for (qint64 from = 2; from <= sales + 1; from += totalsChunk) {
        const qint64 to = qMin(sales + 1, from + totalsChunk - 1);
        steps << Step{QStringLiteral("sale totals %1-%2").arg(from).arg(to),
                      "UPDATE " + transactions + " st JOIN (SELECT TRANSACTION_ID, "
                          "ROUND(SUM(SUB_TOTAL), 2) AS total FROM " + lines
                          + QStringLiteral(" WHERE TRANSACTION_ID BETWEEN %1 AND %2 GROUP BY "
                                           "TRANSACTION_ID) t ON t.TRANSACTION_ID = st.ID "
                                           "SET st.GRAND_TOTAL = t.total, st.PAID = CEIL(t.total), "
                                           "st.RETURN_AMOUNT = t.total - CEIL(t.total)")
                                .arg(from)
                                .arg(to),
                      int(25 * (to - from + 1) / qMax<qint64>(1, sales)) + 1};
    }

    int total = 0;
    for (const Step &step : steps)
        total += step.weight;
    SqlQuery session(db);
    // Checks cost time per row and every row here is made consistent by construction.
    session.exec(QStringLiteral("SET SESSION foreign_key_checks = 0, unique_checks = 0"));
    int done = 0;
    bool ok = true;
    for (const Step &step : steps) {
        if (progress)
            progress(step.name, done * 100 / total);
        SqlQuery query(db);
        if (!query.prepare(step.sql)) {
            ok = false;
        } else {
            if (step.sql.contains(QLatin1String(":today")))
                query.bindValue(QStringLiteral(":today"), today.toString(Qt::ISODate));
            ok = query.exec();
        }
        if (!ok) {
            *error = step.name + QStringLiteral(": ") + query.lastError().databaseText();
            break;
        }
        done += step.weight;
    }
    session.exec(QStringLiteral("SET SESSION foreign_key_checks = 1, unique_checks = 1"));
    if (ok && progress)
        progress(QStringLiteral("done"), 100);
    return ok;
}

} // namespace DemoShop
