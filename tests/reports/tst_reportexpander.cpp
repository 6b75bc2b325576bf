#include "reportexpander.h"
#include "reportscript.h"
#include "reporttesthelpers.h"
#include "testsupport.h"

#include <QElapsedTimer>

using namespace Report;

namespace {

QHash<QString, QString> Params(const QStringList &pairs)
{
    QHash<QString, QString> values;
    for (const QString &pair : pairs) {
        const int eq = pair.indexOf(QLatin1Char('='));
        values.insert(pair.left(eq), pair.mid(eq + 1));
    }
    return values;
}

// An expander with a fixed moment, on sheet 2 of 3, at data row 5 (recNo 4).
struct Fixture
{
    explicit Fixture(const QStringList &pairs, int timeLimitMs = 200,
                     int budgetMs = ScriptEvaluator::DefaultBudgetMs)
        : evaluator(timeLimitMs, budgetMs),
          values(Params(pairs)),
          expander(evaluator, aggregates, [this](const QString &name) {
              requested.append(name);
              return values.value(name);
          })
    {
        Context &c = expander.Ctx();
        c.now = QDateTime(QDate(2025, 3, 7), QTime(9, 5, 3));
        c.sheet = 2;
        c.totalSheets = 3;
        c.recNo = 4;
    }
    ScriptEvaluator evaluator;
    Aggregates aggregates;
    QHash<QString, QString> values;
    QStringList requested;
    Expander expander;
};

} // namespace

class TestReportExpander final : public QObject
{
    Q_OBJECT
private slots:
    void init() { QuillboxTest::ResetState(); }

    void tokenise_data();
    void tokenise();
    void plain_data();
    void plain();
    void aggregates_data();
    void aggregates();
    void quoting_data();
    void quoting();
    void collectingRecordsEachTokenOncePerRow();
    void printing_data();
    void printing();
    void highlighting_data();
    void highlighting();
    void endlessExpressionIsCutOff_data();
    void endlessExpressionIsCutOff();
    void expressionsDoNotShareState();
    void runningTimeIsBoundedOverAll();
    void everyRowOfALongDocumentIsEvaluated();
    void spentBudgetPrintsTheField();
};

void TestReportExpander::tokenise_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("angles");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("plain") << "Total" << true << QStringList{"Total"};
    QTest::newRow("parameter in text") << "Date : [date]!" << true
                                       << QStringList{"Date : ", "[date]", "!"};
    QTest::newRow("adjacent parameters") << "[a][b]" << true << QStringList{"[a]", "[b]"};
    QTest::newRow("formula keeps brackets") << "x<Sum([T])>y" << true
                                            << QStringList{"x", "<Sum([T])>", "y"};
    QTest::newRow("variables") << "Page <Page> of <TotalPages>" << true
                               << QStringList{"Page ", "<Page>", " of ", "<TotalPages>"};
    QTest::newRow("condition") << "[Qty] > 10" << false << QStringList{"[Qty]", " > 10"};
    QTest::newRow("condition with less") << "[a] < [b]" << false
                                         << QStringList{"[a]", " < ", "[b]"};
    QTest::newRow("unclosed parameter") << "a [b" << true << QStringList{"a ", "[b"};
    QTest::newRow("empty") << "" << true << QStringList{};
}

void TestReportExpander::tokenise()
{
    QFETCH(QString, text);
    QFETCH(bool, angles);
    QFETCH(QStringList, tokens);
    QCOMPARE(Expander::Tokenise(text, angles), tokens);
}

void TestReportExpander::plain_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("requested");
    QTest::newRow("fixed text") << "SALES RECEIPT" << QStringList{} << "SALES RECEIPT" << QStringList{};
    QTest::newRow("lower-case date is the caller's")
        << "Date : [date]" << QStringList{"date=Friday"} << "Date : Friday" << QStringList{"date"};
    QTest::newRow("DateDue answered by the engine")
        << "[DateDue]" << QStringList{"DateDue=never"} << "07.03.2025" << QStringList{};
    QTest::newRow("Time") << "[PrintTime]" << QStringList{} << "09:05:03" << QStringList{};
    QTest::newRow("TotalPages") << "[TotalPages]" << QStringList{} << "3" << QStringList{};
    QTest::newRow("Page") << "[Page]" << QStringList{} << "2" << QStringList{};
    QTest::newRow("name containing Page") << "[PageCount]" << QStringList{} << "2" << QStringList{};
    QTest::newRow("LineNo") << "[LineNo]" << QStringList{} << "5" << QStringList{};
    QTest::newRow("case-sensitive names") << "[page]" << QStringList{"page=p"} << "p"
                                          << QStringList{"page"};
    QTest::newRow("unanswered is empty") << "([nobody])" << QStringList{} << "()"
                                         << QStringList{"nobody"};
    QTest::newRow("variables") << "Page <Page> of <TotalPages>" << QStringList{} << "Page 2 of 3"
                               << QStringList{};
    QTest::newRow("date and time variables") << "<Date> <Time>" << QStringList{}
                                             << "07.03.2025 09:05:03" << QStringList{};
    QTest::newRow("line number") << "Row <LineNo>." << QStringList{} << "Row 5." << QStringList{};
    QTest::newRow("formula") << "<[Items]+2>" << QStringList{"Items=3"} << "5" << QStringList{"Items"};
    QTest::newRow("formula with text around") << "= <[a]*[b]> units" << QStringList{"a=4", "b=2.5"}
                                              << "= 10 units" << QStringList{"a", "b"};
    QTest::newRow("broken formula prints its error") << "<1+>" << QStringList{}
                                                     << "SyntaxError: Expected token `numeric literal'"
                                                     << QStringList{};
    QTest::newRow("special characters") << "Price/Item: [Price/Item]" << QStringList{"Price/Item=1.50"}
                                        << "Price/Item: 1.50" << QStringList{"Price/Item"};
}

void TestReportExpander::plain()
{
    QFETCH(QString, text);
    QFETCH(QStringList, params);
    QFETCH(QString, expected);
    QFETCH(QStringList, requested);
    Fixture f(params);
    QCOMPARE(f.expander.Expand(text, ExpandMode::Plain), expected);
    QCOMPARE(f.requested, requested);
}

void TestReportExpander::aggregates_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sum") << "<Sum([Total])>" << "30.5";
    QTest::newRow("avg") << "<Avg([Total])>" << "15.25";
    QTest::newRow("count") << "<Count([Total])>" << "2";
    QTest::newRow("any case") << "<sum([Total])+COUNT([Total])>" << "32.5";
    QTest::newRow("sum of nothing") << "<Sum([Other])>" << "0";
    QTest::newRow("avg of nothing") << "<Avg([Other])>" << "0";
    QTest::newRow("parameter beside an aggregate") << "<[Items] + Sum([Total])>" << "33.5";
    QTest::newRow("aggregate then parameter") << "<Sum([Total]) - [Items]>" << "27.5";
}

void TestReportExpander::aggregates()
{
    QFETCH(QString, formula);
    QFETCH(QString, expected);
    Fixture f({"Items=3", "Total=999"});
    f.aggregates.Record(QStringLiteral("[Total]"), 10.5, 0);
    f.aggregates.Record(QStringLiteral("[Total]"), 20, 1);
    f.aggregates.Record(QStringLiteral("[Items]"), 7, 0);
    QCOMPARE(f.expander.Expand(formula, ExpandMode::Plain), expected);
    // The aggregated name is looked up, never requested.
    QVERIFY(!f.requested.contains(QStringLiteral("Total")));
}

void TestReportExpander::quoting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text is quoted") << "[status] == 'Paid'" << QStringList{"status=Paid"}
                                    << "'Paid' == 'Paid'";
    QTest::newRow("number is bare") << "[amount] > 10" << QStringList{"amount=12.50"} << "12.50 > 10";
    QTest::newRow("negative number") << "[amount] < 0" << QStringList{"amount=-3"} << "-3 < 0";
    QTest::newRow("empty is quoted") << "[x] == ''" << QStringList{} << "'' == ''";
    QTest::newRow("quote escaped") << "[name]" << QStringList{"name=O'Brien"} << "'O\\'Brien'";
    QTest::newRow("backslash escaped") << "[path]" << QStringList{"path=a\\'b"} << "'a\\\\\\'b'";
    QTest::newRow("nan is text") << "[x]" << QStringList{"x=nan"} << "'nan'";
    QTest::newRow("inf is text") << "[x]" << QStringList{"x=inf"} << "'inf'";
    QTest::newRow("currency is text") << "[x]" << QStringList{"x=$ 5.00"} << "'$ 5.00'";
    QTest::newRow("variables still replaced") << "<Page> > 1" << QStringList{} << "2 > 1";
}

void TestReportExpander::quoting()
{
    QFETCH(QString, text);
    QFETCH(QStringList, params);
    QFETCH(QString, expected);
    Fixture f(params);
    QCOMPARE(f.expander.Expand(text, ExpandMode::Quoting), expected);
}

void TestReportExpander::collectingRecordsEachTokenOncePerRow()
{
    Fixture f({"Total=12.5", "Name=abc", "Price=$ 3"});
    Context &c = f.expander.Ctx();
    c.recNo = 0;
    f.expander.Expand(QStringLiteral("[Total] [Total] [Name] [Price]"), ExpandMode::Collecting);
    f.expander.Expand(QStringLiteral("[Total]"), ExpandMode::Collecting);
    QCOMPARE(f.aggregates.Size(), 1);
    f.values.insert(QStringLiteral("Total"), QStringLiteral("7.5"));
    c.recNo = 1;
    QCOMPARE(f.expander.Expand(QStringLiteral("[Total]"), ExpandMode::Collecting),
             QStringLiteral("7.5"));
    QCOMPARE(f.aggregates.Compute(Aggregates::SumKind, QStringLiteral("[Total]")), 20.0);
    QCOMPARE(f.aggregates.Compute(Aggregates::CountKind, QStringLiteral("[Total]")), 2.0);
    // Plain expansion never records.
    c.recNo = 2;
    f.expander.Expand(QStringLiteral("[Total]"), ExpandMode::Plain);
    QCOMPARE(f.aggregates.Size(), 2);
    f.aggregates.Clear();
    QCOMPARE(f.aggregates.Compute(Aggregates::SumKind, QStringLiteral("[Total]")), 0.0);
}

void TestReportExpander::printing_data()
{
    QTest::addColumn<QString>("printing");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<bool>("visible");
    QTest::newRow("1") << "1" << QStringList{} << true;
    QTest::newRow("0") << "0" << QStringList{} << false;
    QTest::newRow("present but empty") << "" << QStringList{} << false;
    QTest::newRow("single letter") << "x" << QStringList{} << false;
    QTest::newRow("7") << "7" << QStringList{} << true;
    QTest::newRow("number above") << "[amount] > 10" << QStringList{"amount=12.50"} << true;
    QTest::newRow("number below") << "[amount] > 10" << QStringList{"amount=5"} << false;
    QTest::newRow("text equal") << "[status] == 'Paid'" << QStringList{"status=Paid"} << true;
    QTest::newRow("text differs") << "[status] == 'Paid'" << QStringList{"status=Due"} << false;
    QTest::newRow("injection stays a text")
        << "[status] == 'Paid'" << QStringList{"status=x' || 'a'=='a"} << false;
    QTest::newRow("syntax error hides") << "[amount] >" << QStringList{"amount=1"} << false;
    QTest::newRow("true") << "true" << QStringList{} << true;
    QTest::newRow("10") << "10" << QStringList{} << true;
}

void TestReportExpander::printing()
{
    QFETCH(QString, printing);
    QFETCH(QStringList, params);
    QFETCH(bool, visible);
    Fixture f(params);
    QCOMPARE(f.expander.IsVisible(printing), visible);
}

void TestReportExpander::highlighting_data()
{
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QStringList>("params");
    QTest::addColumn<QString>("expected");
    const QString red = QStringLiteral("rgba(255,0,0,255)");
    const QString black = QStringLiteral("rgba(0,0,0,255)");
    QTest::newRow("no rules: plain bold") << "" << "bold" << "1" << QStringList{} << "1";
    QTest::newRow("no rules: plain colour") << "" << "fontColor" << black << QStringList{} << black;
    QTest::newRow("bold on") << "[Qty] > 10;bold=?1:0" << "bold" << "0" << QStringList{"Qty=12"} << "1";
    QTest::newRow("bold off") << "[Qty] > 10;bold=?1:0" << "bold" << "1" << QStringList{"Qty=5"} << "0";
    QTest::newRow("italic after empty part")
        << "[Qty] > 10;;italic=?1:0" << "italic" << "0" << QStringList{"Qty=12"} << "1";
    QTest::newRow("colour when true")
        << "[Qty] > 10;fontColor=?rgba(255,0,0,255)" << "fontColor" << black << QStringList{"Qty=12"} << red;
    QTest::newRow("own colour when false")
        << "[Qty] > 10;fontColor=?rgba(255,0,0,255)" << "fontColor" << black << QStringList{"Qty=5"} << black;
    QTest::newRow("text condition quoted")
        << "[status] == 'Paid';backgroundColor=?rgba(0,255,0,255)" << "backgroundColor"
        << "rgba(255,255,255,0)" << QStringList{"status=Paid"} << "rgba(0,255,0,255)";
    QTest::newRow("no rule for the colour keeps it")
        << "[Qty] > 10;bold=?1:0" << "fontColor" << black << QStringList{"Qty=12"} << black;
    QTest::newRow("no rule for bold keeps it")
        << "[Qty] > 10;fontColor=?rgba(255,0,0,255)" << "bold" << "1" << QStringList{"Qty=12"} << "1";
    QTest::newRow("broken condition: flag off")
        << "[Qty] >;bold=?1:0" << "bold" << "1" << QStringList{"Qty=12"} << "0";
    QTest::newRow("broken condition: own colour")
        << "[Qty] >;fontColor=?rgba(255,0,0,255)" << "fontColor" << black << QStringList{"Qty=12"} << black;
}

void TestReportExpander::highlighting()
{
    QFETCH(QString, rules);
    QFETCH(QString, keyword);
    QFETCH(QString, plain);
    QFETCH(QStringList, params);
    QFETCH(QString, expected);
    Fixture f(params);
    if (keyword.endsWith(QLatin1String("Color")))
        QCOMPARE(f.expander.ColourProperty(rules, keyword, plain), expected);
    else
        QCOMPARE(QString::number(f.expander.FlagProperty(rules, keyword, plain.toInt())), expected);
}

void TestReportExpander::endlessExpressionIsCutOff_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("formula") << "plain" << "<(function(){while(true){}})()>";
    QTest::newRow("printing") << "printing" << "[x] == 1 || (function(){for(;;){}})()";
    QTest::newRow("highlighting") << "bold" << "(function(){for(;;){}})();bold=?1:0";
    QTest::newRow("recursion") << "plain" << "<(function f(){return f()+1})()>";
}

void TestReportExpander::endlessExpressionIsCutOff()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    Fixture f({}, 100);
    QElapsedTimer timer;
    timer.start();
    if (kind == QLatin1String("plain")) {
        const QString result = f.expander.Expand(text, ExpandMode::Plain);
        QVERIFY2(result.contains(QLatin1String("Error")), qPrintable(result));
    } else if (kind == QLatin1String("printing")) {
        QVERIFY(!f.expander.IsVisible(text));
    } else {
        QCOMPARE(f.expander.FlagProperty(text, QStringLiteral("bold"), 1), 0);
    }
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

void TestReportExpander::expressionsDoNotShareState()
{
    ScriptEvaluator evaluator;
    QVERIFY(evaluator.Evaluate(QStringLiteral("leaked = 5")).ok);
    QCOMPARE(evaluator.Evaluate(QStringLiteral("typeof leaked")).text, QStringLiteral("undefined"));
    // The watchdog of one expression never interrupts the next.
    const auto slow = evaluator.Evaluate(QStringLiteral("var s = 0; for (var i = 0; i < 1e5; ++i) s += i; s"));
    QVERIFY(slow.ok);
    QCOMPARE(slow.text, QStringLiteral("4999950000"));
}

void TestReportExpander::runningTimeIsBoundedOverAll()
{
    ScriptEvaluator evaluator(50, 120);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 100; ++i)
        QVERIFY(!evaluator.Evaluate(QStringLiteral("for(;;){}")).ok);
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    // Once the budget is spent nothing more runs, until a new run resets it.
    QVERIFY(!evaluator.Evaluate(QStringLiteral("1+1")).ok);
    evaluator.ResetBudget();
    QCOMPARE(evaluator.Evaluate(QStringLiteral("1+1")).text, QStringLiteral("2"));
}

void TestReportExpander::everyRowOfALongDocumentIsEvaluated()
{
    // A 1,000-line order with a condition and a formula on each row, both passes.
    Fixture f({"Qty=4", "Price=2.5"});
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 2000; ++i) {
        QVERIFY(f.expander.IsVisible(QStringLiteral("[Qty] > 0")));
        QCOMPARE(f.expander.Expand(QStringLiteral("<[Qty] * [Price]>"), ExpandMode::Plain),
                 QStringLiteral("10"));
    }
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
}

void TestReportExpander::spentBudgetPrintsTheField()
{
    Fixture f({"x=1"}, 50, 120);
    for (int i = 0; i < 5; ++i)
        f.evaluator.Evaluate(QStringLiteral("for(;;){}"));
    QVERIFY(f.expander.IsVisible(QStringLiteral("[x] == 1")));
    QVERIFY(f.expander.IsVisible(QStringLiteral("[x] == 0")));
    QCOMPARE(f.expander.FlagProperty(QStringLiteral("[x] == 1;bold=?0:1"),
                                     QStringLiteral("bold"), 1),
             1);
}

QUILLBOX_TEST_MAIN(TestReportExpander)
#include "tst_reportexpander.moc"
