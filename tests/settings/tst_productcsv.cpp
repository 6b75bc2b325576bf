#include "testsupport.h"

#include "productcsv.h"

using Records = QList<QStringList>;
Q_DECLARE_METATYPE(Records)

namespace {
Records FieldsOf(const QVector<ProductCsv::Record> &records)
{
    Records fields;
    for (const ProductCsv::Record &record : records)
        fields.append(record.fields);
    return fields;
}

QList<int> LinesOf(const QVector<ProductCsv::Record> &records)
{
    QList<int> lines;
    for (const ProductCsv::Record &record : records)
        lines.append(record.line);
    return lines;
}
} // namespace

class TestProductCsv : public QObject
{
    Q_OBJECT
private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Records>("records");
        QTest::addColumn<QList<int>>("lines");

        QTest::newRow("three fields") << "Medicine,Aspirin,A-100\n"
                                      << Records{{"Medicine", "Aspirin", "A-100"}} << QList<int>{1};
        QTest::newRow("last line without line end")
            << "a,b\nMedicine,Aspirin" << Records{{"a", "b"}, {"Medicine", "Aspirin"}}
            << QList<int>{1, 2};
        QTest::newRow("CR LF is one line end") << "a,b\r\nc,d\r\n" << Records{{"a", "b"}, {"c", "d"}}
                                               << QList<int>{1, 2};
        QTest::newRow("empty lines are no records")
            << "\n\na,b\n\r\n\nc,d" << Records{{"a", "b"}, {"c", "d"}} << QList<int>{3, 6};
        QTest::newRow("blanks are kept") << " Medicine, Aspirin \n"
                                         << Records{{" Medicine", " Aspirin "}} << QList<int>{1};
        QTest::newRow("trailing comma gives an empty last field")
            << "a,b,\nc,d\n" << Records{{"a", "b", ""}, {"c", "d"}} << QList<int>{1, 2};
        QTest::newRow("empty fields count") << ",,\n" << Records{{"", "", ""}} << QList<int>{1};
        QTest::newRow("quoted comma") << "\"Aspirin, 500mg\",123\n"
                                      << Records{{"Aspirin, 500mg", "123"}} << QList<int>{1};
        QTest::newRow("quoted quote and line break")
            << "\"5\"\" tape\nroll\",9\nx,y" << Records{{"5\" tape\nroll", "9"}, {"x", "y"}}
            << QList<int>{1, 3};
        QTest::newRow("quoted CR LF kept inside") << "\"a\r\nb\",c\r\n"
                                                  << Records{{"a\r\nb", "c"}} << QList<int>{1};
        QTest::newRow("quote inside an unquoted field is verbatim")
            << "5\" tape,O'Brien\n" << Records{{"5\" tape", "O'Brien"}} << QList<int>{1};
        QTest::newRow("empty quoted field") << "\"\",x\n" << Records{{"", "x"}} << QList<int>{1};
        QTest::newRow("lone CR is an ordinary character")
            << "a\rb,c\r" << Records{{"a\rb", "c\r"}} << QList<int>{1};
        QTest::newRow("nothing") << "" << Records{} << QList<int>{};
    }

    void reading()
    {
        QFETCH(QString, text);
        QFETCH(Records, records);
        QFETCH(QList<int>, lines);

        const QVector<ProductCsv::Record> whole = ProductCsv::Reader::ReadAll(text);
        QCOMPARE(FieldsOf(whole), records);
        QCOMPARE(LinesOf(whole), lines);

        // Fed one character at a time (a chunk may end anywhere, also between CR and LF).
        ProductCsv::Reader reader;
        QVector<ProductCsv::Record> pieces;
        for (const QChar c : text) {
            reader.Feed(QString(c));
            pieces += reader.TakeRecords();
        }
        reader.Finish();
        pieces += reader.TakeRecords();
        QCOMPARE(FieldsOf(pieces), records);
        QCOMPARE(LinesOf(pieces), lines);
    }

    void unclosedQuoteIsFlagged()
    {
        const auto records = ProductCsv::Reader::ReadAll("a,b\n\"Aspirin,x\ny,z\n");
        QCOMPARE(records.size(), 2);
        QVERIFY(!records.at(0).unclosedQuote);
        QVERIFY(records.at(1).unclosedQuote);
        QCOMPARE(records.at(1).line, 2);
    }

    void writing_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << QStringList{"Panadol", "123"} << "Panadol,123";
        QTest::newRow("scanner") << QStringList{"Panadol", "*123*"} << "Panadol,*123*";
        QTest::newRow("blanks and apostrophe") << QStringList{" O'Brien's Balm ", "9"}
                                               << " O'Brien's Balm ,9";
        QTest::newRow("comma") << QStringList{"Aspirin, 500mg", "1"} << "\"Aspirin, 500mg\",1";
        QTest::newRow("quote") << QStringList{"5\" tape", "2"} << "\"5\"\" tape\",2";
        QTest::newRow("line break") << QStringList{"two\nlines", "3"} << "\"two\nlines\",3";
        QTest::newRow("carriage return") << QStringList{"a\rb", "4"} << "\"a\rb\",4";
        QTest::newRow("empty") << QStringList{"", "5"} << ",5";
    }

    void writing()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        QCOMPARE(ProductCsv::FormatLine(fields), line);
        // What is written reads back as it was.
        const auto records = ProductCsv::Reader::ReadAll(line + QLatin1Char('\n'));
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.at(0).fields, fields);
    }
};

QUILLBOX_TEST_MAIN(TestProductCsv)
#include "tst_productcsv.moc"
