#include "editors/ChangeDirRows.h"
#include "editors/CopyMoveChoices.h"
#include "editors/EdiOptionsRules.h"
#include "editors/FavoriteDirList.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Rows = std::vector<int>;
Q_DECLARE_METATYPE(Rows)

class EditorDialogRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changeDirRows_data()
    {
        QTest::addColumn<Rows>("selected");
        QTest::addColumn<int>("scope");
        QTest::addColumn<Rows>("rows");
        // Rows 0..5 with the directories below: A B A C A B.
        const int all = int(ChangeDirScope::All);
        const int sel = int(ChangeDirScope::Selected);
        const int selMatch = int(ChangeDirScope::SelectedMatching);
        const int allMatch = int(ChangeDirScope::AllMatching);
        QTest::newRow("all, nothing selected") << Rows{} << all << Rows{0, 1, 2, 3, 4, 5};
        QTest::newRow("all ignores the selection") << Rows{3} << all << Rows{0, 1, 2, 3, 4, 5};
        QTest::newRow("selected, given in any order") << Rows{4, 1, 3} << sel << Rows{1, 3, 4};
        QTest::newRow("selected matching the first selected")
            << Rows{5, 2, 1, 4} << selMatch << Rows{1, 5};
        QTest::newRow("all matching the first selected") << Rows{4, 3} << allMatch << Rows{3};
        QTest::newRow("all matching A") << Rows{4, 2} << allMatch << Rows{0, 2, 4};
        QTest::newRow("a scope needing a selection, without one") << Rows{} << allMatch << Rows{};
        QTest::newRow("rows outside the table ignored") << Rows{9, -1, 2} << selMatch << Rows{2};
        QTest::newRow("a row selected twice counts once") << Rows{2, 2} << sel << Rows{2};
    }
    void changeDirRows()
    {
        QFETCH(Rows, selected);
        QFETCH(int, scope);
        QFETCH(Rows, rows);
        const QStringList dirs{QStringLiteral("/A"), QStringLiteral("/B"), QStringLiteral("/A"),
                               QStringLiteral("/C"), QStringLiteral("/A"), QStringLiteral("/B")};
        QCOMPARE(rowsForDirChange(6, selected, dirs, ChangeDirScope(scope)), rows);
    }

    // Directories differing only in letter case are different directories here.
    void changeDirMatchesExactly()
    {
        const QStringList dirs{QStringLiteral("/Fotos"), QStringLiteral("/fotos"),
                               QStringLiteral("/Fotos")};
        QCOMPARE(rowsForDirChange(3, {0}, dirs, ChangeDirScope::AllMatching), (Rows{0, 2}));
    }

    void favoriteDirs()
    {
        const QStringList dirs{QStringLiteral("/home/anna/Fotos"), QStringLiteral("/srv/b")};
        QVERIFY(checkNewFavoriteDir(dirs, QStringLiteral("/home/anna/fotos")).ok());
        const Fallible<void> twice = checkNewFavoriteDir(dirs, QStringLiteral("/srv/b"));
        QVERIFY(!twice.ok());
        QCOMPARE(twice.error(), QStringLiteral("Ja existeix el directori '/srv/b' a la llista"));
        // Nothing chosen in the tree: cancelled without a word.
        for (const QString &none : {QString(), QStringLiteral("Dispositiu")}) {
            const Fallible<void> f = checkNewFavoriteDir(dirs, none);
            QVERIFY(!f.ok());
            QVERIFY(f.error().isEmpty());
        }
        QCOMPARE(sortedFavoriteDirs({QStringLiteral("/b"), QStringLiteral("/C"),
                                     QStringLiteral("/a"), QStringLiteral("/B")}),
                 (QStringList{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/B"),
                              QStringLiteral("/C")}));
    }

    void copyDestination()
    {
        QTemporaryDir tmp;
        const auto never = [](const QString &) { return false; };
        const auto always = [](const QString &) { return true; };
        QVERIFY(checkCopyDestination(tmp.path(), never).ok());
        const Fallible<void> cd = checkCopyDestination(tmp.path(), always);
        QCOMPARE(cd.error(), QStringLiteral("No es pot copiar o moure arxius a un CD"));
        // A destination that is not a folder is refused before anything is copied there.
        const QString missing = tmp.filePath(QStringLiteral("no hi és"));
        QCOMPARE(checkCopyDestination(missing, never).error(),
                 QStringLiteral("No s'ha trobat el directori '%1'").arg(missing));
        QVERIFY(!checkCopyDestination(QStringLiteral("Dispositiu"), never).ok());

        CopyMoveChoices c;
        QVERIFY(redirectsRows(TFileAction::faMove, c));
        QVERIFY(!redirectsRows(TFileAction::faCopy, c));
        c.redirectDirs = true;
        QVERIFY(redirectsRows(TFileAction::faCopy, c));
    }

    void byteLimits()
    {
        QCOMPARE(byteLimitName(QStringLiteral("&gif, jpg, jpeg, wmf")),
                 QStringLiteral("Bytes per gif, jpg, jpeg, wmf"));
        QCOMPARE(byteLimitName(QStringLiteral("A && &B")), QStringLiteral("Bytes per A & B"));
        const QString name = byteLimitName(QStringLiteral("&bmp"));
        QCOMPARE(parseByteLimit(QStringLiteral(" 200000 "), kMinMaxBmpFileSize, name).value(),
                 200000);
        for (const QString &bad : {QStringLiteral("199999"), QStringLiteral(""),
                                   QStringLiteral("3e6"), QStringLiteral("99999999999")}) {
            const Fallible<int> f = parseByteLimit(bad, kMinMaxBmpFileSize, name);
            QVERIFY2(!f.ok(), qPrintable(bad));
            QCOMPARE(f.error(), QStringLiteral("El valor de 'Bytes per bmp' ha de ser un número "
                                               "enter no inferior a 200000"));
        }
    }
};

QTEST_GUILESS_MAIN(EditorDialogRulesTest)
#include "EditorDialogRulesTest.moc"
