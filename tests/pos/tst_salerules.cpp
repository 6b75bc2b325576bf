#include "testsupport.h"

#include "itemtransactionsmodel.h"
#include "salerules.h"

#include <QAbstractItemModelTester>

#include <limits>

using namespace SaleRules;

class TestSaleRules : public QObject {
    Q_OBJECT
private slots:
    void lineArithmetic_data()
    {
        QTest::addColumn<QString>("sale");
        QTest::addColumn<QString>("purchase");
        QTest::addColumn<int>("perUnit");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<int>("subQuantity");
        QTest::addColumn<float>("discountPercent");
        QTest::addColumn<double>("storedTax");
        QTest::addColumn<bool>("taxOn");
        QTest::addColumn<bool>("returnMode");
        // discount, line total, purchase total, tax, grand total
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("worked example") << "25"
                                        << "20" << 10 << 1 << 3 << 10.0f << 16.0 << true << false
                                        << QStringList{"3.25", "29.25", "26.00", "4.68", "33.93"};
        QTest::newRow("return mode") << "25"
                                     << "20" << 10 << 1 << 3 << 10.0f << 16.0 << true << true
                                     << QStringList{"3.25", "-29.25", "-26.00", "-4.68", "-33.93"};
        QTest::newRow("tax off") << "25"
                                 << "20" << 10 << 1 << 3 << 10.0f << 16.0 << false << false
                                 << QStringList{"3.25", "29.25", "26.00", "0.00", "29.25"};
        QTest::newRow("special 5 %") << "25"
                                     << "20" << 10 << 1 << 0 << 5.0f << 16.0 << true << false
                                     << QStringList{"1.25", "23.75", "20.00", "3.80", "27.55"};
        QTest::newRow("tax 17.5 as 18") << "10"
                                        << "8" << 1 << 1 << 0 << 0.0f << 17.5 << true << false
                                        << QStringList{"0.00", "10.00", "8.00", "1.80", "11.80"};
        QTest::newRow("sub-items only") << "25"
                                        << "20" << 10 << 0 << 3 << 0.0f << 0.0 << true << false
                                        << QStringList{"0.00", "7.50", "6.00", "0.00", "7.50"};
        QTest::newRow("one per unit") << "2.5"
                                      << "1.5" << 1 << 2 << 0 << 0.0f << 0.0 << true << false
                                      << QStringList{"0.00", "5.00", "3.00", "0.00", "5.00"};
        QTest::newRow("nothing returned") << "2.5"
                                          << "1.5" << 1 << 0 << 0 << 0.0f << 16.0 << true << true
                                          << QStringList{"0.00", "0.00", "0.00", "0.00", "0.00"};
    }
    void lineArithmetic()
    {
        QFETCH(QString, sale);
        QFETCH(QString, purchase);
        QFETCH(int, perUnit);
        QFETCH(int, quantity);
        QFETCH(int, subQuantity);
        QFETCH(float, discountPercent);
        QFETCH(double, storedTax);
        QFETCH(bool, taxOn);
        QFETCH(bool, returnMode);
        QFETCH(QStringList, expected);
        LineInput input{sale,
                        purchase,
                        perUnit,
                        quantity,
                        subQuantity,
                        discountPercent,
                        TaxPercent(storedTax, taxOn),
                        returnMode};
        const LineAmounts line = ComputeLine(input);
        Totals totals;
        totals.Add(line);
        QCOMPARE(QStringList({Money(line.discount), Money(line.net), Money(line.cost),
                              Money(totals.Tax()), Money(totals.Grand())}),
                 expected);
        QCOMPARE(Money(totals.Discount()), expected.at(0));
    }

    void entryFields_data()
    {
        QTest::addColumn<QString>("barCode");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("subItems");
        QTest::addColumn<QString>("message");
        const QString ok;
        QTest::newRow("letters digits underscore") << "ABC_123"
                                                   << "0"
                                                   << "1"
                                                   << "0" << ok;
        QTest::newRow("20 characters") << QString(20, 'A') << "0"
                                       << "1"
                                       << "0" << ok;
        QTest::newRow("21 characters") << QString(21, 'A') << "0"
                                       << "1"
                                       << "0" << Message::BadBarCode;
        QTest::newRow("hyphen") << "ABC-123"
                                << "0"
                                << "1"
                                << "0" << Message::BadBarCode;
        QTest::newRow("empty barcode") << ""
                                       << "0"
                                       << "1"
                                       << "0" << Message::BadBarCode;
        QTest::newRow("discount 99.99") << "A1"
                                        << "99.99"
                                        << "1"
                                        << "0" << ok;
        QTest::newRow("discount 100") << "A1"
                                      << "100"
                                      << "1"
                                      << "0" << Message::BadDiscount;
        QTest::newRow("discount 5.123") << "A1"
                                        << "5.123"
                                        << "1"
                                        << "0" << Message::BadDiscount;
        QTest::newRow("discount empty") << "A1"
                                        << ""
                                        << "1"
                                        << "0" << Message::BadDiscount;
        QTest::newRow("quantity 9999") << "A1"
                                       << "0"
                                       << "9999"
                                       << "0" << ok;
        QTest::newRow("quantity 10000") << "A1"
                                        << "0"
                                        << "10000"
                                        << "0" << Message::BadQuantity;
        QTest::newRow("quantity -1") << "A1"
                                     << "0"
                                     << "-1"
                                     << "0" << Message::BadQuantity;
        QTest::newRow("sub-items 10000") << "A1"
                                         << "0"
                                         << "1"
                                         << "10000" << Message::BadSubItems;
        QTest::newRow("sub-items empty") << "A1"
                                         << "0"
                                         << "1"
                                         << "" << Message::BadSubItems;
        QTest::newRow("first failure wins") << "A-1"
                                            << "100"
                                            << "x"
                                            << "x" << Message::BadBarCode;
    }
    void entryFields()
    {
        QFETCH(QString, barCode);
        QFETCH(QString, discount);
        QFETCH(QString, items);
        QFETCH(QString, subItems);
        QFETCH(QString, message);
        QCOMPARE(CheckEntryFields({barCode, discount, items, subItems}), message);
    }

    void stock_data()
    {
        QTest::addColumn<QList<int>>("stock"); // quantity, sub-items, items per unit
        QTest::addColumn<QList<int>>("wanted"); // quantity, sub-items
        QTest::addColumn<bool>("returnMode");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QList<int>>("after");
        const QList<int> none{0, 0};
        QTest::newRow("24 of 23 units") << QList<int>{2, 3, 10} << QList<int>{2, 4} << false
                                        << NotAvailableMessage(2, 3) << none;
        QTest::newRow("23 of 23 units")
            << QList<int>{2, 3, 10} << QList<int>{2, 3} << false << QString() << QList<int>{0, 0};
        QTest::newRow("50 less 3 tablets")
            << QList<int>{5, 0, 10} << QList<int>{0, 3} << false << QString() << QList<int>{4, 7};
        QTest::newRow("47 plus 5 returned")
            << QList<int>{4, 7, 10} << QList<int>{0, 5} << true << QString() << QList<int>{5, 2};
        QTest::newRow("out of stock") << QList<int>{0, 0, 10} << QList<int>{1, 0} << false
                                      << QString(Message::OutOfStock) << none;
        QTest::newRow("return into empty")
            << QList<int>{0, 0, 10} << QList<int>{1, 0} << true << QString() << QList<int>{1, 0};
        QTest::newRow("whole only") << QList<int>{5, 0, 1} << QList<int>{0, 2} << false
                                    << QString(Message::WholeOnly) << none;
        QTest::newRow("whole only in return") << QList<int>{5, 0, 1} << QList<int>{0, 2} << true
                                              << QString(Message::WholeOnly) << none;
        QTest::newRow("per unit 0") << QList<int>{5, 0, 0} << QList<int>{1, 0} << false
                                    << QString(Message::BadItemsPerUnit) << none;
        QTest::newRow("per unit -3 return") << QList<int>{5, 0, -3} << QList<int>{1, 0} << true
                                            << QString(Message::BadItemsPerUnit) << none;
        QTest::newRow("nothing asked")
            << QList<int>{1, 0, 1} << QList<int>{0, 0} << false << QString() << QList<int>{1, 0};
        // Counts as large as their columns hold: the unit sums must not overflow.
        const int most = std::numeric_limits<int>::max();
        QTest::newRow("huge stock, big packs") << QList<int>{most, most, most} << QList<int>{9999, 9999}
                                               << false << QString() << QList<int>{most - 9999, most - 9999};
        QTest::newRow("return past the column") << QList<int>{most, 0, 1} << QList<int>{1, 0} << true
                                                << QString(Message::StockWriteFailed) << none;
    }
    void stock()
    {
        QFETCH(QList<int>, stock);
        QFETCH(QList<int>, wanted);
        QFETCH(bool, returnMode);
        QFETCH(QString, refusal);
        QFETCH(QList<int>, after);
        const StockOutcome outcome
            = ApplyStock({stock[0], stock[1], stock[2], wanted[0], wanted[1], returnMode});
        QCOMPARE(outcome.refusal, refusal);
        QCOMPARE(QList<int>({outcome.after.quantity, outcome.after.subItems}), after);
    }

    void paidAmount_data()
    {
        QTest::addColumn<QString>("paid");
        QTest::addColumn<float>("grandTotal");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("change");
        QTest::newRow("50") << "50" << 33.0f << QString() << "-17.00";
        QTest::newRow("50.75") << "50.75" << 33.93f << QString() << "-16.82";
        QTest::newRow("50.") << "50." << 33.93f << QString(Message::BadPaid) << "";
        QTest::newRow(".5") << ".5" << 0.0f << QString(Message::BadPaid) << "";
        QTest::newRow("50.755") << "50.755" << 33.93f << QString(Message::BadPaid) << "";
        QTest::newRow("-5") << "-5" << -33.93f << QString(Message::BadPaid) << "";
        QTest::newRow("empty") << "" << 33.93f << QString(Message::BadPaid) << "";
        QTest::newRow("short") << "33.92" << 33.93f << QString(Message::ShortPaid) << "";
        QTest::newRow("exact") << "33.93" << 33.93f << QString() << "0.00";
        QTest::newRow("return paid with 0") << "0" << -20.0f << QString() << "-20.00";
        QTest::newRow("over-payment") << "50" << 33.0f << QString() << "-17.00";
    }
    void paidAmount()
    {
        QFETCH(QString, paid);
        QFETCH(float, grandTotal);
        QFETCH(QString, refusal);
        QFETCH(QString, change);
        QCOMPARE(CheckPaidAmount(paid, grandTotal), refusal);
        if (refusal.isEmpty()) {
            QCOMPARE(Money(Change(grandTotal, paid)), change);
            // The cashier hands back the same amount, never shown negative.
            QCOMPARE(Money(ChangeDue(grandTotal, paid)),
                     change == "0.00" ? change : change.mid(1));
        }
    }

    // What is shown adds up: sub total = the shown line totals, total = shown sub total +
    // shown tax, the tax rounded once for the sale.
    void totalsAddUp_data()
    {
        QTest::addColumn<QList<float>>("nets");
        QTest::addColumn<QList<float>>("taxes");
        QTest::addColumn<QStringList>("expected"); // sub total, tax, grand total
        QTest::newRow("lines round up") << QList<float>{1.006f, 1.006f, 1.006f}
                                        << QList<float>{0.174f, 0.174f, 0.174f}
                                        << QStringList{"3.03", "0.52", "3.55"};
        QTest::newRow("tax rounded once") << QList<float>{1.0f, 1.0f, 1.0f}
                                          << QList<float>{0.004f, 0.004f, 0.004f}
                                          << QStringList{"3.00", "0.01", "3.01"};
        QTest::newRow("return") << QList<float>{-1.006f, -1.006f, -1.006f}
                                << QList<float>{-0.174f, -0.174f, -0.174f}
                                << QStringList{"-3.03", "-0.52", "-3.55"};
        QTest::newRow("empty") << QList<float>{} << QList<float>{}
                               << QStringList{"0.00", "0.00", "0.00"};
    }
    void totalsAddUp()
    {
        QFETCH(QList<float>, nets);
        QFETCH(QList<float>, taxes);
        QFETCH(QStringList, expected);
        Totals totals;
        for (int i = 0; i < nets.size(); ++i) {
            LineAmounts line;
            line.net = nets.at(i);
            line.tax = taxes.at(i);
            totals.Add(line);
        }
        QCOMPARE(QStringList({Money(totals.SubTotal()), Money(totals.Tax()), Money(totals.Grand())}),
                 expected);
    }

    void pageCount_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 16 << 0;
        QTest::newRow("one page full") << 16 << 16 << 1;
        QTest::newRow("17 on 4 x 4") << 17 << 16 << 2;
        QTest::newRow("2 x 5") << 25 << 10 << 3;
    }
    void pageCount()
    {
        QFETCH(int, entries);
        QFETCH(int, pageSize);
        QFETCH(int, pages);
        QCOMPARE(PageCount(entries, pageSize), pages);
    }

    void recordedProductName_data()
    {
        const QString emoji = QString::fromUtf8("\xF0\x9F\x92\x8A"); // two UTF-16 units
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("fits") << QString(50, 'a') << QString(50, 'a');
        QTest::newRow("cut at 50") << QString(60, 'a') << QString(50, 'a');
        QTest::newRow("no half character") << QString(49, 'a') + emoji + "b" << QString(49, 'a');
    }
    void recordedProductName()
    {
        QFETCH(QString, name);
        QFETCH(QString, recorded);
        QCOMPARE(RecordedProductName(name), recorded);
    }

    void basketModel()
    {
        CItemTransactionsModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.columnCount(), 9);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString().size(), 14 + 12 + 17);
        QCOMPARE(model.headerData(6, Qt::Horizontal).toString(), QString("  Line Total  "));
        QCOMPARE(model.headerData(3, Qt::Vertical).toInt(), 3);
        const LineAmounts line = ComputeLine({"25", "20", 10, 1, 3, 10.0f, 16.0f, false});
        model.AppendLine("Amoxil", "1", "3", "25", "20", line);
        model.AppendLine("Amoxil", "1", "3", "25", "20", line);
        QCOMPARE(model.Row(0),
                 QStringList({"0", "Amoxil", "1", "3", "25", "3.25", "29.25", "20", "26.00"}));
        QCOMPARE(model.Cell(1, CItemTransactionsModel::IndexColumn), QString("1"));
        QCOMPARE(Money(model.Tax(1)), QString("4.68"));
        QCOMPARE(Money(model.GrandTotal()), QString("67.86"));
        QCOMPARE(Money(model.SubTotal()), QString("58.50"));
        QCOMPARE(Money(model.DiscountTotal()), QString("6.50"));
        QCOMPARE(model.data(model.index(0, 4), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(model.setData(model.index(0, 1), "Other"));
        QCOMPARE(model.ProductName(0), QString("Other"));
        QVERIFY(!model.setData(model.index(0, 1), "x", Qt::DisplayRole));
        QVERIFY(!model.IsPaid());
        model.MarkPaid("7", "70", "-2.14");
        QCOMPARE(model.ReceiptNumber(), QString("7"));
        QCOMPARE(model.Change(), QString("-2.14"));
    }
};

QUILLBOX_TEST_MAIN(TestSaleRules)
#include "tst_salerules.moc"
