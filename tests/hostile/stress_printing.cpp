// Prints a small receipt (upside down), a large receipt and a purchase order to a PDF printer
// queue through the program's own printing code, then reads back the pages the queue wrote.
// Installs and starts CUPS when it can (root with apt-get), adds its own queue and removes it
// again; prints "skipped" when no queue can be had.
#include "appsettings.h"
#include "escpos.h"
#include "escposlistener.h"
#include "escposprinter.h"
#include "receipt.h"
#include "reportengine.h"
#include "testsupport.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

const QString kQueue = QStringLiteral("QuillboxStressPDF");

int Run(const QString &program, const QStringList &args, QString *out = nullptr, int ms = 300000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(5000))
        return -1;
    p.waitForFinished(ms);
    if (out)
        *out = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool Have(const QString &program) { return !QStandardPaths::findExecutable(program, {"/usr/sbin", "/usr/bin", "/sbin", "/bin"}).isEmpty(); }

QProcess *g_scheduler = nullptr; // the scheduler this program started, if any

bool SchedulerRunning()
{
    QString state;
    Run("lpstat", {"-r"}, &state);
    return state.contains("scheduler is running");
}

// CUPS with the PDF backend, running; false when that cannot be had here.
bool EnsureCups(QString *why)
{
    const bool pdfBackend = QFileInfo::exists("/usr/lib/cups/backend/cups-pdf");
    if (!Have("cupsd") || !Have("lpadmin") || !pdfBackend) {
        if (geteuid() != 0 || !Have("apt-get")) {
            *why = "CUPS is not installed";
            return false;
        }
        qputenv("DEBIAN_FRONTEND", "noninteractive");
        if (Run("apt-get", {"install", "-y", "--no-install-recommends", "cups", "printer-driver-cups-pdf"}) != 0) {
            *why = "CUPS could not be installed";
            return false;
        }
    }
    if (SchedulerRunning())
        return true;
    if (geteuid() != 0) {
        *why = "the CUPS scheduler is not running";
        return false;
    }
    // In the foreground as our own child, so that it ends with this program.
    static QProcess scheduler;
    scheduler.start(QStandardPaths::findExecutable("cupsd", {"/usr/sbin"}), {"-f"});
    g_scheduler = &scheduler;
    for (int i = 0; i < 50; ++i) {
        if (SchedulerRunning())
            return true;
        QThread::msleep(200);
    }
    *why = "the CUPS scheduler did not start";
    return false;
}

QStringList PdfFolders()
{
    return {QDir::homePath() + "/PDF", "/root/PDF", "/var/spool/cups-pdf/ANONYMOUS",
            "/var/spool/cups-pdf"};
}

// Every PDF the queue may have written since the given moment.
QStringList NewPdfs(const QDateTime &since)
{
    QStringList found;
    for (const QString &folder : PdfFolders()) {
        QDirIterator it(folder, {"*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (QFileInfo(path).lastModified() >= since && !found.contains(path))
                found << path;
        }
    }
    return found;
}

// Waits for the queue to empty and one new PDF to appear; its path, or empty.
QString AwaitPdf(const QDateTime &since, const QStringList &before)
{
    for (int i = 0; i < 300; ++i) {
        QString jobs;
        Run("lpstat", {"-o", kQueue}, &jobs);
        QStringList now = NewPdfs(since);
        for (const QString &old : before)
            now.removeAll(old);
        if (jobs.trimmed().isEmpty() && !now.isEmpty()) {
            QThread::msleep(300); // let the backend finish the file
            return now.first();
        }
        QThread::msleep(200);
    }
    return QString();
}

struct Word
{
    QString text;
    double yMin;
};

// The queue's converter re-encodes fonts without a text map, so the words read back are glyph
// codes, not letters: count and place them, do not compare their text.
QVector<Word> Words(const QString &pdf, int *pages, double *pageWidth = nullptr)
{
    QString out;
    Run("pdftotext", {"-bbox", pdf, "-"}, &out);
    QVector<Word> words;
    *pages = out.count("<page ");
    static const QRegularExpression page(QStringLiteral("<page width=\"([^\"]*)\""));
    if (pageWidth)
        *pageWidth = page.match(out).captured(1).toDouble();
    static const QRegularExpression re(
        QStringLiteral("<word xMin=\"[^\"]*\" yMin=\"([^\"]*)\"[^>]*>([^<]*)</word>"));
    auto it = re.globalMatch(out);
    while (it.hasNext()) {
        const auto m = it.next();
        words.push_back({m.captured(2), m.captured(1).toDouble()});
    }
    return words;
}

// The first page of a PDF at 100 dpi in grey; null when it cannot be rendered.
QImage RenderPage(const QString &pdf)
{
    const QString prefix = QDir::temp().filePath(QStringLiteral("quillbox-stress-page-%1").arg(getpid()));
    if (Run("pdftoppm", {"-r", "100", "-png", "-f", "1", "-l", "1", "-singlefile", pdf, prefix}) != 0)
        return QImage();
    const QImage page(prefix + ".png");
    QFile::remove(prefix + ".png");
    return page.convertToFormat(QImage::Format_Grayscale8);
}

// Ink per cell of a coarse grid over the inked part of the page only: margins, offsets and the
// small scaling of the queue's path then do not matter, only where the ink lies.
QVector<double> InkGrid(const QImage &page, int cols, int rows)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        const uchar *line = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x)
            if (line[x] < 160)
                box |= QRect(x, y, 1, 1);
    }
    QVector<double> grid(cols * rows, 0.0);
    if (box.width() < cols || box.height() < rows)
        return grid;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const uchar *line = page.constScanLine(y);
        const int row = (y - box.top()) * rows / box.height();
        for (int x = box.left(); x <= box.right(); ++x)
            grid[row * cols + (x - box.left()) * cols / box.width()] += (255 - line[x]) / 255.0;
    }
    return grid;
}

double Correlation(const QVector<double> &a, const QVector<double> &b)
{
    const int n = a.size();
    double ma = 0, mb = 0;
    for (int i = 0; i < n; ++i) {
        ma += a[i] / n;
        mb += b[i] / n;
    }
    double ab = 0, aa = 0, bb = 0;
    for (int i = 0; i < n; ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0;
}

// Whether the printed page is the upright page turned half round: turned back it must match
// the upright one closely, and clearly better than as it came out.
bool UpsideDown(const QImage &printed, const QImage &upright, QString *why)
{
    const int cols = 6, rows = 12;
    const auto reference = InkGrid(upright, cols, rows);
    const double asPrinted = Correlation(InkGrid(printed, cols, rows), reference);
    const double turned = Correlation(
        InkGrid(printed.transformed(QTransform().rotate(180)), cols, rows), reference);
    *why = QStringLiteral("match with the upright receipt: turned %1, as printed %2")
               .arg(turned, 0, 'f', 2)
               .arg(asPrinted, 0, 'f', 2);
    return turned >= 0.8 && turned >= asPrinted + 0.2;
}

ReceiptData SampleReceipt(int lines)
{
    ReceiptData data;
    data.companyName = "Stressshop";
    data.companyAddress = "Harbour Road";
    data.companyContact = "Phone 555";
    data.receiptNumber = "4711";
    data.date = QDateTime(QDate(2026, 1, 2), QTime(10, 0));
    data.customerName = "Walkin";
    for (int i = 0; i < lines; ++i)
        data.lines.push_back({QStringLiteral("Item%1").arg(i + 1), "1", "0", "2.00", "0.00", "2.00"});
    data.subTotal = QString::number(lines * 2) + ".00";
    data.taxName = "TAX";
    data.taxAmount = "0.00";
    data.grandTotal = data.subTotal;
    data.paid = data.subTotal;
    data.change = "0.00";
    return data;
}

struct Outcome
{
    int operations = 0;
    int failures = 0;
};

void Fail(Outcome &o, const QString &what);

// A 50-line receipt sent again and again to a stand-in network printer on 127.0.0.1: each must
// arrive whole, byte for byte, with its lines in order, and a printer out of paper must be
// refused every time without a byte of the receipt reaching it.
Outcome EscPosReceipts(int rounds)
{
    Outcome o;
    ReceiptOptions receipt;
    receipt.printLogo = false;
    EscPosOptions options;
    options.columns = 42;
    const QByteArray bytes = EscPos::Receipt(SampleReceipt(50), receipt, options);
    const QByteArray status("\x10\x04\x04");
    QuillboxTest::EscPosListener printer;
    QuillboxTest::EscPosListener noPaper(0x72);
    for (int i = 0; i < rounds; ++i) {
        ++o.operations;
        const QString error = EscPosPrinter::Send(printer.Address(), bytes);
        if (!error.isEmpty())
            Fail(o, "ESC/POS receipt not sent: " + error);
        if (i % 10 == 0) {
            ++o.operations;
            if (EscPosPrinter::Send(noPaper.Address(), bytes).isEmpty())
                Fail(o, "a printer out of paper took the receipt");
        }
    }
    const QList<QByteArray> received = printer.Received(rounds, 30000);
    if (received.size() != rounds)
        Fail(o, QStringLiteral("%1 of %2 ESC/POS receipts arrived").arg(received.size()).arg(rounds));
    for (const QByteArray &got : received) {
        if (got != status + bytes) {
            Fail(o, QStringLiteral("an ESC/POS receipt arrived changed (%1 of %2 bytes)")
                        .arg(got.size())
                        .arg(bytes.size() + status.size()));
            continue;
        }
        const QString text = QuillboxTest::DecodeEscPos(got);
        int at = 0;
        for (int line = 1; line <= 50 && at >= 0; ++line)
            at = text.indexOf(QRegularExpression(QStringLiteral("\\bItem%1\\b").arg(line)), at);
        if (at < 0 || !text.endsWith(QLatin1String("[cut partial]")))
            Fail(o, "an ESC/POS receipt lost a line or its cut");
    }
    for (const QByteArray &got : noPaper.Received((rounds + 9) / 10, 30000)) {
        if (got != status)
            Fail(o, "a printer out of paper was sent the receipt");
    }
    return o;
}

void Row(const char *scenario, const Outcome &o, bool skipped)
{
    std::printf("STRESS\t%s\t%d\t%d\t%s\n", scenario, o.operations, o.failures,
                skipped ? "skipped" : (o.failures == 0 ? "yes" : "no"));
    std::fflush(stdout);
}

void Fail(Outcome &o, const QString &what)
{
    ++o.failures;
    std::fprintf(stderr, "printing: %s\n", qPrintable(what));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QuillboxTest::ResetState();

    // Needs no printer queue, only the loopback network.
    Row("printing: ESC/POS receipt", EscPosReceipts(200), false);

    const char *scenarios[] = {"printing: small receipt upside down", "printing: large receipt",
                               "printing: purchase order"};
    QString why;
    if (!Have("pdftotext") || !Have("pdftoppm") || !EnsureCups(&why)) {
        std::fprintf(stderr, "printing skipped: %s\n", qPrintable(why.isEmpty() ? "poppler-utils missing" : why));
        for (const char *s : scenarios)
            Row(s, {}, true);
        return 0;
    }
    QString out;
    if (Run("lpadmin", {"-p", kQueue, "-E", "-v", "cups-pdf:/", "-P",
                        "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"}, &out) != 0) {
        std::fprintf(stderr, "printing skipped: queue not added: %s\n", qPrintable(out));
        for (const char *s : scenarios)
            Row(s, {}, true);
        return 0;
    }
    Run("cupsenable", {kQueue});
    Run("cupsaccept", {kQueue});

    QSettings *settings = AppSettings::Instance().Settings();
    settings->setValue("ReceiptPrintToPDF", false);
    settings->setValue("receiptPrinter", kQueue);
    settings->setValue("ReportPrintToPDF", false);
    settings->setValue("reportPrinter", kQueue);

    // Small receipt: the roll printer gets it upside down, so the page the queue writes must be
    // the upright PDF receipt turned half round. No logo: with an image on the page the queue's
    // converter writes the whole page as a picture and the text count below would fail.
    {
        Outcome o;
        ReceiptOptions options = ReceiptOptions::FromSettings();
        options.smallReceipt = true;
        options.printLogo = false;
        QImage upright;
        {
            ReceiptOptions toPdf = options;
            toPdf.printToPdf = false; // no notice; the preview path writes the PDF file
            QPrinter printer(QPrinter::HighResolution);
            Receipt::SetUpSmallPrinter(printer, toPdf, true, nullptr);
            const QString file = printer.outputFileName();
            if (!Receipt::RenderSmall(printer, SampleReceipt(3), toPdf))
                Fail(o, "upright small receipt not written to " + file);
            upright = RenderPage(file);
            if (upright.isNull())
                Fail(o, "upright small receipt not rendered from " + file);
        }
        const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        const QStringList before = NewPdfs(since);
        ++o.operations;
        if (!Receipt::Print(SampleReceipt(3), options, nullptr))
            Fail(o, "small receipt not printed");
        const QString pdf = AwaitPdf(since, before);
        if (pdf.isEmpty()) {
            Fail(o, "no page came out for the small receipt");
        } else {
            int pages = 0;
            double width = 0;
            const auto words = Words(pdf, &pages, &width);
            if (pages < 1 || words.size() < 10)
                Fail(o, QStringLiteral("small receipt text missing in %1 (%2 pages, %3 words)")
                            .arg(pdf)
                            .arg(pages)
                            .arg(words.size()));
            // 57 mm roll paper is about 162 points wide.
            if (width < 150 || width > 175)
                Fail(o, QStringLiteral("small receipt on paper %1 points wide").arg(width));
            const QImage printed = RenderPage(pdf);
            QString match;
            if (printed.isNull())
                Fail(o, "small receipt not rendered from " + pdf);
            else if (!upright.isNull() && !UpsideDown(printed, upright, &match))
                Fail(o, "small receipt not upside down: " + match);
            else if (!upright.isNull())
                std::fprintf(stderr, "printing: small receipt %s\n", qPrintable(match));
            QFile::remove(pdf);
        }
        Row(scenarios[0], o, false);
    }

    // Large receipt: many lines, more than one A4 page, every line on paper.
    {
        Outcome o;
        ReceiptOptions options = ReceiptOptions::FromSettings();
        options.smallReceipt = false;
        options.printLogo = false;
        const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        const QStringList before = NewPdfs(since);
        ++o.operations;
        const int lines = 80;
        if (!Receipt::Print(SampleReceipt(lines), options, nullptr))
            Fail(o, "large receipt not printed");
        const QString pdf = AwaitPdf(since, before);
        if (pdf.isEmpty()) {
            Fail(o, "no page came out for the large receipt");
        } else {
            int pages = 0;
            const auto words = Words(pdf, &pages);
            if (words.size() < lines)
                Fail(o, QStringLiteral("large receipt has %1 words for %2 lines").arg(words.size()).arg(lines));
            if (pages < 2)
                Fail(o, QStringLiteral("large receipt has %1 page(s)").arg(pages));
            QFile::remove(pdf);
        }
        Row(scenarios[1], o, false);
    }

    // Purchase order: the shipped template through the report engine to the report printer.
    {
        Outcome o;
        ReportEngine engine;
        ++o.operations;
        if (!engine.loadTemplate(":/xml/reports/purchase_order.xml")) {
            Fail(o, "purchase order template: " + engine.LastError());
        } else {
            engine.rowCounts << 3;
            QObject::connect(&engine, &ReportEngine::setValue,
                             [](int &recNo, QString &name, QVariant &value, int) {
                                 if (name == "company_name")
                                     value = "Stressshop";
                                 else if (name == "vendor_name")
                                     value = "Stressvendor";
                                 else if (name.contains("name") || name.contains("code"))
                                     value = QStringLiteral("Ordered%1").arg(recNo + 1);
                                 else
                                     value = QStringLiteral("1");
                             });
            const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
            const QStringList before = NewPdfs(since);
            if (!engine.printDocument(true))
                Fail(o, "purchase order not printed");
            const QString pdf = AwaitPdf(since, before);
            if (pdf.isEmpty()) {
                Fail(o, "no page came out for the purchase order");
            } else {
                int pages = 0;
                const auto words = Words(pdf, &pages);
                if (pages < 1 || words.size() < 10)
                    Fail(o, "purchase order text missing in " + pdf);
                QFile::remove(pdf);
            }
        }
        Row(scenarios[2], o, false);
    }

    Run("lpadmin", {"-x", kQueue});
    if (g_scheduler) {
        g_scheduler->terminate();
        g_scheduler->waitForFinished(5000);
    }
    return 0;
}
