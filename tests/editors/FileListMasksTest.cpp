#include "editors/FileListMasks.h"
#include "config/ProgramOptions.h"

#include <QTest>

namespace {

// Options with only the named kinds on.
ProgramOptions onlyKinds(std::initializer_list<FileFilterKind> kinds)
{
    ProgramOptions o;
    FileFilterSet set;
    for (FileFilterKind k : kinds)
        set[k] = true;
    set.storeInto(o);
    return o;
}

} // namespace

class FileListMasksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leftListMask_data()
    {
        QTest::addColumn<ProgramOptions>("options");
        QTest::addColumn<int>("contents");
        QTest::addColumn<QString>("mask");
        const int files = int(ListContents::FilesOnly);
        const int lists = int(ListContents::WithListsAndPrograms);
        using K = FileFilterKind;
        QTest::newRow("jpeg alone")
            << onlyKinds({K::Jpeg}) << files << QStringLiteral("*.jpg;*.jpeg;*.png");
        // The settings' defaults: every kind but programs.
        QTest::newRow("defaults, slide list")
            << ProgramOptions() << lists
            << QStringLiteral("*.avi;*.mov;*.bmp;*.gif;*.htm;*.html;*.mht;*.jpg;*.jpeg;*.png;"
                              "*.rtf;*.txt;*.wmf;*.sal");
        QTest::newRow("defaults, table: no lists")
            << ProgramOptions() << files
            << QStringLiteral("*.avi;*.mov;*.bmp;*.gif;*.htm;*.html;*.mht;*.jpg;*.jpeg;*.png;"
                              "*.rtf;*.txt;*.wmf");
        QTest::newRow("order is fixed, not the order ticked")
            << onlyKinds({K::Exe, K::Wmf, K::Video}) << lists
            << QStringLiteral("*.avi;*.mov;*.wmf;*.exe");
        QTest::newRow("lists and programs hidden from a table")
            << onlyKinds({K::Sal, K::Exe}) << files << QString();
        QTest::newRow("nothing") << onlyKinds({}) << lists << QString();
    }
    void leftListMask()
    {
        QFETCH(ProgramOptions, options);
        QFETCH(int, contents);
        QFETCH(QString, mask);
        QCOMPARE(fileListMask(options, ListContents(contents)), mask);
    }

    // The dialog may be accepted only with a box it shows ticked.
    void acceptanceNeedsAnOfferedKind()
    {
        using K = FileFilterKind;
        FileFilterSet set = FileFilterSet::fromOptions(onlyKinds({K::Sal}));
        QVERIFY(anyOfferedFilterOn(set, ListContents::WithListsAndPrograms));
        QVERIFY(!anyOfferedFilterOn(set, ListContents::FilesOnly));
        QVERIFY(!anyOfferedFilterOn(FileFilterSet(), ListContents::WithListsAndPrograms));
        set[K::Txt] = true;
        QVERIFY(anyOfferedFilterOn(set, ListContents::FilesOnly));
    }

    // Every kind reaches its own setting and comes back from it.
    void filterSetRoundTrip()
    {
        for (int i = 0; i < kFileFilterKindCount; ++i) {
            FileFilterSet set;
            set[FileFilterKind(i)] = true;
            ProgramOptions o;
            set.storeInto(o);
            QCOMPARE(FileFilterSet::fromOptions(o), set);
            QCOMPARE(fileListMask(set, ListContents::WithListsAndPrograms),
                     QStringLiteral("*.") +
                         filterExtensions(FileFilterKind(i)).join(QStringLiteral(";*.")));
        }
        ProgramOptions o;
        QVERIFY(o.FilterSal && !o.FilterExe);
        FileFilterSet set = FileFilterSet::fromOptions(o);
        set[FileFilterKind::Exe] = true;
        set[FileFilterKind::Bmp] = false;
        set.storeInto(o);
        QVERIFY(o.FilterExe && !o.FilterBmp && o.FilterGif);
    }

    void audioMasks()
    {
        const QStringList items = audioFilterItems();
        QCOMPARE(items.size(), kAudioFilterCount);
        QCOMPARE(items[0], QStringLiteral("Arxius d'audio (tots)"));
        QCOMPARE(items[3], QStringLiteral("Arxius d'àudio de MPEG (*.mp3;*.mp2;*.mp1)"));
        QCOMPARE(items[5], QStringLiteral("Arxius Windows Media Audio (*.wma)"));
        QCOMPARE(audioFileMask(0), QStringLiteral("*.cda;*.mid;*.mp3;*.mp2;*.mp1;*.wav;*.wma"));
        QCOMPARE(audioFileMask(1), QStringLiteral("*.cda"));
        QCOMPARE(audioFileMask(4), QStringLiteral("*.wav"));
        // An index no dialog gives, from a damaged settings file, shows every track.
        QCOMPARE(audioFileMask(6), audioFileMask(0));
        QCOMPARE(audioFileMask(-1), audioFileMask(0));
        // Every item but the first names the mask its index selects.
        for (int i = 1; i < kAudioFilterCount; ++i)
            QVERIFY(
                items[i].endsWith(QStringLiteral("(") + audioFileMask(i) + QStringLiteral(")")));
    }
};

QTEST_GUILESS_MAIN(FileListMasksTest)
#include "FileListMasksTest.moc"
