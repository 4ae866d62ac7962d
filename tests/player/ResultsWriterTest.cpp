#include "player/ResultsWriter.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/SlideListFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

TWriteRes destination(const QString &dir, bool duration, bool time)
{
    TWriteRes r;
    r.Write = true;
    r.Valid = true;
    r.Dir = dir;
    r.Duration = duration;
    r.Time = time;
    return r;
}

} // namespace

class ResultsWriterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneDestinationSameAndOtherList()
    {
        QTemporaryDir dir;
        FakePrompter p;
        const TWriteRes res = destination(dir.path(), true, false);
        const QString file = ResultsFilePath(res, QStringLiteral("Maria"));
        QString previous;
        ResultsEntry e;
        e.message = QStringLiteral("Nota: 7,5\r\nEncerts: 75 %");
        e.listPath = QStringLiteral("/cursos/geografia.sal");
        e.durationSecs = 125;
        e.now = QDateTime::currentDateTime();
        QVERIFY(AppendResult(file, res, e, previous, p));
        e.message = QStringLiteral("Nota: 10");
        e.durationSecs = 61;
        QVERIFY(AppendResult(file, res, e, previous, p));
        e.listPath = QStringLiteral("/cursos/història.sal");
        e.message = QStringLiteral("Nota: 5");
        e.durationSecs = 3600 + 5;
        QVERIFY(AppendResult(file, res, e, previous, p));
        const QByteArray date = e.now.date().toString(QStringLiteral("dd/MM/yyyy")).toLatin1();
        QCOMPARE(readAll(file),
                 date + "\r\n\r\ngeografia\r\n\r\nNota: 7,5\r\nEncerts: 75 %\r\n02:05\r\n\r\n"
                        "Nota: 10\r\n01:01\r\n\r\n"
                        "hist\xF2ria\r\n\r\nNota: 5\r\n60:05\r\n\r\n");
        QVERIFY(p.shown.empty());
    }

    void lineOfDurationAndTime()
    {
        QTemporaryDir dir;
        FakePrompter p;
        ResultsEntry e;
        e.message = QStringLiteral("Fet");
        e.listPath = QStringLiteral("/a/b.sal");
        e.durationSecs = 9;
        e.now = QDateTime(QDate::currentDate(), QTime(14, 3, 7));
        QString previous = e.listPath; // same list as before: no heading
        const QString date = e.now.date().toString(QStringLiteral("dd/MM/yyyy"));
        const std::tuple<bool, bool, QString> cases[] = {
            {false, false, QStringLiteral("Fet\r\n\r\n")},
            {false, true, QStringLiteral("Fet\r\n14:03:07\r\n\r\n")},
            {true, true, QStringLiteral("Fet\r\n00:09  14:03:07\r\n\r\n")}};
        int n = 0;
        for (const auto &[duration, time, expected] : cases) {
            TWriteRes res = destination(dir.path(), duration, time);
            const QString file = dir.filePath(QStringLiteral("u%1.txt").arg(n++));
            QVERIFY(AppendResult(file, res, e, previous, p));
            QCOMPARE(QString::fromLatin1(readAll(file)),
                     date + QStringLiteral("\r\n\r\n") + expected);
        }
        // A file last written on another day gets a new date line.
        TWriteRes res = destination(dir.path(), false, false);
        const QString old = dir.filePath(QStringLiteral("old.txt"));
        {
            QFile f(old);
            f.open(QIODevice::WriteOnly);
            f.write("01/01/2020\r\n\r\nx\r\n\r\n");
            f.flush();
            QVERIFY(f.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(9, 0)),
                                  QFileDevice::FileModificationTime));
        }
        QVERIFY(AppendResult(old, res, e, previous, p));
        QCOMPARE(QString::fromLatin1(readAll(old)), QStringLiteral("01/01/2020\r\n\r\nx\r\n\r\n") +
                                                        date +
                                                        QStringLiteral("\r\n\r\nFet\r\n\r\n"));
    }

    void twoDestinationsThroughTheEngine()
    {
        SlideListFixture fx;
        FakePlayerView view;
        FakePrompter p;
        FakeScheduler clock;
        PresentationSession session(view, p);
        PlayerEngine e(session, view, p, clock);
        QDir().mkpath(fx.path(QStringLiteral("prog")));
        QDir().mkpath(fx.path(QStringLiteral("admin")));
        QDir().mkpath(fx.path(QStringLiteral("domini")));
        e.session().Options.Results = destination(fx.path(QStringLiteral("prog")), true, false);
        e.session().AdminResults = destination(fx.path(QStringLiteral("admin")), true, false);
        e.session().UserName = QStringLiteral("Pau");
        e.session().SlideListPath =
            fx.list(QStringLiteral("examen.sal"),
                    {SlideListFixture::line(QStringLiteral(""), QStringLiteral(""),
                                            QStringLiteral("t"), QStringLiteral(""))});
        e.session().LoadPresentation();
        e.RunPresentation(0);
        clock.advance(90000);
        e.ReportResult(QStringLiteral("Nota: 8"));
        QCOMPARE(p.texts().back(), QStringLiteral("Nota: 8"));
        const QByteArray date =
            clock.currentDateTime().date().toString(QStringLiteral("dd/MM/yyyy")).toLatin1();
        QCOMPARE(readAll(fx.path(QStringLiteral("prog/Pau.txt"))),
                 date + "\r\n\r\nexamen\r\n\r\nNota: 8\r\n01:30\r\n\r\n");
        QCOMPARE(readAll(fx.path(QStringLiteral("admin/Pau.txt"))),
                 date + "\r\n\r\nNota: 8\r\n01:30\r\n\r\n");

        // A domain with its own folder; one without falls back to the general folder and warns.
        e.session().UserDomain = QStringLiteral("ESO");
        e.session().DomainResultsDir = [&](const QString &d) {
            return d == QLatin1String("ESO") ? fx.path(QStringLiteral("domini")) : QString();
        };
        e.ReportResult(QStringLiteral("Nota: 9"));
        QVERIFY(readAll(fx.path(QStringLiteral("domini/Pau.txt")))
                    .endsWith("Nota: 9\r\n01:30\r\n\r\n"));
        e.session().UserDomain = QStringLiteral("Batx");
        e.ReportResult(QStringLiteral("Nota: 6"));
        QVERIFY(p.anyContains(
            QStringLiteral("No s'ha trobat el directori corresponent al domini Batx")));
        QVERIFY(
            readAll(fx.path(QStringLiteral("admin/Pau.txt"))).endsWith("Nota: 6\r\n01:30\r\n\r\n"));
        e.stop();
        e.CalcTime();
        QVERIFY(p.texts().back().startsWith(QStringLiteral("La presentació ha durat ")));
    }
};

QTEST_GUILESS_MAIN(ResultsWriterTest)
#include "ResultsWriterTest.moc"
