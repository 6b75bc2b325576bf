#include "testsupport.h"

#include "fuzztargets.h"

#include <QDir>
#include <QFile>

// Replays every kept fuzzer input, so inputs that once broke a parser or check keep being
// tried in every run, without clang. A broken property aborts the program on its row.
class TestFuzzCorpus : public QObject {
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("harness");
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(QUILLBOX_FUZZ_CORPUS));
        for (const char *harness : {"reporttemplate", "reportjsondata", "productcsv", "saleentry"}) {
            const QDir dir(corpus.filePath(QLatin1String(harness)));
            const QStringList files = dir.entryList(QDir::Files, QDir::Name);
            // An empty folder would pass without trying anything.
            QVERIFY2(!files.isEmpty(), qPrintable(dir.path()));
            for (const QString &file : files)
                QTest::newRow(qPrintable(QLatin1String(harness) + QLatin1Char('/') + file))
                    << QString::fromLatin1(harness) << dir.filePath(file);
        }
    }
    void replay()
    {
        QFETCH(QString, harness);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray bytes = file.readAll();
        const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
        const size_t size = size_t(bytes.size());
        if (harness == QLatin1String("reporttemplate"))
            QuillboxFuzz::ReportTemplate(data, size);
        else if (harness == QLatin1String("reportjsondata"))
            QuillboxFuzz::ReportJsonData(data, size);
        else if (harness == QLatin1String("productcsv"))
            QuillboxFuzz::ProductCsv(data, size);
        else
            QuillboxFuzz::SaleEntry(data, size);
    }
};

QUILLBOX_TEST_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
