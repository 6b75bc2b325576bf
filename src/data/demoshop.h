#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

// A believable pharmacy for demonstrations and benchmarks: categories, vendors, customers,
// users, products with pictures, stock batches (some expired, some low or out) and two years of
// sales. Rows are made by a few set-based statements over MariaDB's sequence engine, never row
// by row, so even the large shop fills in a minute or two.
namespace DemoShop {

struct Scale
{
    int products;
    int batches;
    int sales;
    int linesPerSale;
    int customers;
};
Scale SmallScale();
Scale LargeScale();
// "small" or "large"; false for anything else.
bool ScaleByName(const QString &name, Scale *scale);

// Called before each step with its name and how much of the whole is done (0..100).
using ProgressFn = std::function<void(const QString &step, int percent)>;

// Fills the two schemas, which must have been made by the program's own scripts and be empty.
// db is any open connection to their server; every table is named with its schema.
// today is the day after the last day of sales. False with the server's text on failure.
bool Fill(QSqlDatabase db, const QString &inventorySchema, const QString &salesSchema,
          const Scale &scale, const QDate &today, const ProgressFn &progress, QString *error);

// The picture file names that products refer to (IMAGE_FILE).
QStringList PictureFiles();
// Draws the product pictures into a folder; false when one cannot be written.
bool WritePictures(const QString &folder);

// The demo's log-ins (login name, password, role).
struct Account
{
    const char *login;
    const char *password;
    const char *role;
};
QList<Account> Accounts();

} // namespace DemoShop
