// Huge but well-formed inputs through the headless modes, each with a time bound: a million
// slides, a question with 100,000 answers, 100,000 settings sections, a 10 MB paragraph and a
// 100,000-row table. A path that grows with the square of its input takes hours on them and
// fails the bound; the linear ones take seconds.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int code = -1;
    qint64 ms = 0;
    QByteArray out, err;
};

// Runs the program with the bound; a run that does not end in time is killed and reported so.
Run pelvar(const QStringList &args, int boundSeconds)
{
    QProcess p;
    p.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(PELVAR_PATH), args);
    Run r;
    if (!p.waitForFinished(boundSeconds * 1000)) {
        p.kill();
        p.waitForFinished();
        r.ms = t.elapsed();
        return r;
    }
    r.ms = t.elapsed();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

// The bound is generous for the slowest machine we run on and still far below what a
// quadratic path needs on these sizes.
constexpr int kBoundSeconds = 90;

} // namespace

class HugeInputsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // A million title slides: the check, the order, the listing, the sketch and the index.
    void millionSlides_data()
    {
        QTest::addColumn<QStringList>("mode");
        QTest::addColumn<int>("code");
        QTest::newRow("check") << QStringList{QStringLiteral("--check")} << 0;
        QTest::newRow("order") << QStringList{QStringLiteral("--order")} << 0;
        QTest::newRow("listing") << QStringList{QStringLiteral("--listing")} << 0;
        QTest::newRow("sketch") << QStringList{QStringLiteral("--sketch")} << 0;
        // Title slides name no file: the whole list is walked and nothing is left to index.
        QTest::newRow("index") << QStringList{QStringLiteral("--index")} << 1;
    }

    void millionSlides()
    {
        QFETCH(QStringList, mode);
        QFETCH(int, code);
        if (m_million.isEmpty()) {
            QByteArray text;
            text.reserve(30 * 1000000);
            for (int i = 1; i <= 1000000; ++i)
                text += "\tT\tT\xedtol " + QByteArray::number(i) + "\t\t1\t\r\n";
            m_million = write(m_dir, QStringLiteral("milio.sal"), text);
            QVERIFY(!m_million.isEmpty());
        }
        const Run r = pelvar(mode << m_million, kBoundSeconds);
        QVERIFY2(
            r.code != -1,
            qPrintable(
                QStringLiteral("%1 did not end in %2 s").arg(mode.first()).arg(kBoundSeconds)));
        QCOMPARE(r.code, code);
        qInfo("%s on a million slides: %lld ms, %lld bytes out", qPrintable(mode.first()), r.ms,
              qint64(r.out.size()));
        if (mode.first() == QLatin1String("--order"))
            QCOMPARE(r.out.count('\n'), 1000000);
    }

    // One question with 100,000 radio answers and another with a 10 MB typed answer.
    void hugeFields_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("check") << QStringLiteral("--check");
        QTest::newRow("sketch") << QStringLiteral("--sketch");
        QTest::newRow("listing") << QStringLiteral("--listing");
        QTest::newRow("index") << QStringLiteral("--index");
    }

    void hugeFields()
    {
        QFETCH(QString, mode);
        if (m_fields.isEmpty()) {
            QByteArray answers = "*Resposta 0";
            for (int i = 1; i < 100000; ++i)
                answers +=
                    "|Resposta " + QByteArray::number(i) + "//Reacci\xf3 " + QByteArray::number(i);
            const QByteArray paragraph(10 * 1024 * 1024, 'p');
            m_fields = write(m_dir, QStringLiteral("camps.sal"),
                             "\tXP\tQuina?\t" + answers + "\t\t\r\n" + "\tXP\t" + paragraph +
                                 "\tresposta\t\t\r\n" + "\tT\t" + paragraph + "\t" + paragraph +
                                 "\t\t\r\n");
            QVERIFY(!m_fields.isEmpty());
        }
        const Run r = pelvar({mode, m_fields}, kBoundSeconds);
        QVERIFY2(r.code != -1, qPrintable(mode + QStringLiteral(" did not end in time")));
        QVERIFY2(r.code == 0 || r.code == 1, r.err.left(400).constData());
        qInfo("%s on 100,000 answers and 10 MB paragraphs: %lld ms", qPrintable(mode), r.ms);
    }

    // 100,000 sections and 100,000 keys of one section in a settings file.
    void hugeSettings()
    {
        QByteArray text;
        for (int i = 0; i < 100000; ++i)
            text += "[Secci\xf3" + QByteArray::number(i) + "]\r\nClau=" + QByteArray::number(i) +
                    "\r\n";
        text += "[Image]\r\n";
        for (int i = 0; i < 100000; ++i)
            text += "Clau" + QByteArray::number(i) + "=valor\r\n";
        text += "ImageDelay=7\r\n";
        const QString ini = write(m_dir, QStringLiteral("gran.ini"), text);
        const Run r = pelvar({QStringLiteral("--settings"), ini}, kBoundSeconds);
        QVERIFY2(r.code != -1, "--settings did not end in time");
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("Image.ImageDelay=7"));
        qInfo("--settings on 200,000 keys: %lld ms", r.ms);
    }

    // A 100,000-row words table into a typed-answer quiz (a radio quiz would hold every answer
    // in every slide: that one grows with the square of the table by its nature).
    void hugeTable()
    {
        QByteArray text;
        for (int i = 0; i < 100000; ++i)
            text +=
                "mot" + QByteArray::number(i) + "\tsignificat " + QByteArray::number(i) + "\r\n";
        const QString table = write(m_dir, QStringLiteral("gran.wml"), text);
        const QString out = m_dir.filePath(QStringLiteral("gran.sal"));
        const Run r = pelvar({QStringLiteral("--generate"), QStringLiteral("single"), table,
                              QStringLiteral("-o"), out},
                             kBoundSeconds);
        QVERIFY2(r.code != -1, "--generate did not end in time");
        QCOMPARE(r.code, 0);
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().count('\n') >= 100000);
        qInfo("--generate single on 100,000 rows: %lld ms", r.ms);
    }

private:
    QTemporaryDir m_dir;
    QString m_million;
    QString m_fields;
};

QTEST_GUILESS_MAIN(HugeInputsTest)
#include "HugeInputsTest.moc"
