#include "player/EditedFileWatch.h"

#include "support/SlideListFixture.h"

#include <QFile>
#include <QTest>

namespace {

// Moves the file's modification time, as a program saving it would.
void touch(const QString &path, int seconds)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(f.fileTime(QFileDevice::FileModificationTime).addSecs(seconds),
                          QFileDevice::FileModificationTime));
}

SlideRecord slide(TSlideKind kind, const QString &file)
{
    SlideRecord s;
    s.Kind = kind;
    s.FileName = file;
    return s;
}

} // namespace

class EditedFileWatchTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aChangedFileIsReloadedByItsKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("reload");
        using R = EditedFileWatch::Reload;
        QTest::newRow("picture") << int(skImage) << int(R::Picture);
        QTest::newRow("text") << int(skText) << int(R::Text);
        QTest::newRow("rich text") << int(skRichText) << int(R::Text);
        QTest::newRow("web page") << int(skWeb) << int(R::Nothing);
        QTest::newRow("video") << int(skVideo) << int(R::Nothing);
    }
    void aChangedFileIsReloadedByItsKind()
    {
        QFETCH(int, kind);
        QFETCH(int, reload);
        SlideListFixture fx;
        const QString file = fx.file(QStringLiteral("a.txt"), "a");
        EditedFileWatch watch;
        watch.handedOver(file);
        QVERIFY(watch.pending());
        touch(file, 10);
        QCOMPARE(int(watch.check(slide(TSlideKind(kind), file), true, true)), reload);
        // Once only: the age is gone.
        QVERIFY(!watch.pending());
        QCOMPARE(watch.check(slide(TSlideKind(kind), file), true, true),
                 EditedFileWatch::Reload::Nothing);
    }

    void nothingIsReloadedWithoutAReason()
    {
        using R = EditedFileWatch::Reload;
        SlideListFixture fx;
        const QString file = fx.file(QStringLiteral("a.rtf"), "{\\rtf1 a}");
        const QString other = fx.file(QStringLiteral("b.rtf"), "{\\rtf1 b}");
        EditedFileWatch watch;

        // Never handed over.
        touch(file, 5);
        QCOMPARE(watch.check(slide(skRichText, file), true, true), R::Nothing);

        // Unchanged.
        watch.handedOver(file);
        QCOMPARE(watch.check(slide(skRichText, file), true, true), R::Nothing);

        // Changed, but the focus is elsewhere: the chance is gone for good.
        watch.handedOver(file);
        touch(file, 5);
        QCOMPARE(watch.check(slide(skRichText, file), true, false), R::Nothing);
        QVERIFY(!watch.pending());
        QCOMPARE(watch.check(slide(skRichText, file), true, true), R::Nothing);

        // Changed, but the run has ended.
        watch.handedOver(file);
        touch(file, 5);
        QCOMPARE(watch.check(slide(skRichText, file), false, true), R::Nothing);

        // Changed, but another slide is up by now.
        watch.handedOver(file);
        touch(file, 5);
        QCOMPARE(watch.check(slide(skRichText, other), true, true), R::Nothing);

        // Deleted by its program.
        watch.handedOver(file);
        QVERIFY(QFile::remove(file));
        QCOMPARE(watch.check(slide(skRichText, file), true, true), R::Nothing);

        // A file that did not exist has no age to compare.
        watch.handedOver(file);
        QVERIFY(!watch.pending());
        fx.file(QStringLiteral("a.rtf"), "{\\rtf1 new}");
        QCOMPARE(watch.check(slide(skRichText, file), true, true), R::Nothing);

        // Forgotten after a failed opening.
        watch.handedOver(other);
        watch.forget();
        touch(other, 5);
        QCOMPARE(watch.check(slide(skRichText, other), true, true), R::Nothing);
    }

    void theSameFileByAnotherPathIsRecognised()
    {
        SlideListFixture fx;
        const QString file = fx.file(QStringLiteral("c.txt"), "c");
        EditedFileWatch watch;
        watch.handedOver(fx.dir() + QStringLiteral("/./c.txt"));
        touch(file, -30);
        QCOMPARE(watch.check(slide(skText, file), true, true), EditedFileWatch::Reload::Text);
    }
};

QTEST_GUILESS_MAIN(EditedFileWatchTest)
#include "EditedFileWatchTest.moc"
