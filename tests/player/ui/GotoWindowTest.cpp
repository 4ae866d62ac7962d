#include "player/ui/TFShowImages.h"

#include "files/MemTable.h"
#include "files/MemTableModel.h"
#include "files/TPosPresDBIndex.h"
#include "player/ui/TFPresIndexList.h"
#include "player/ui/TFPresSlideList.h"
#include "player/ui/TFPresStdSlideList.h"
#include "player/ui/TFPresentDBIndex.h"
#include "player/ui/TFSelGotoImage.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

namespace {

using L = SlideListFixture;

StartupArgs argsFor(const QString &file)
{
    StartupArgs a;
    a.fileArgument = file;
    return a;
}

// Twelve pictures; `hidden` (1-based, 0 = none) is hidden.
QString twelve(SlideListFixture &fx, int hidden)
{
    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << L::line(fx.picture(QStringLiteral("d%1.png").arg(i)),
                         i == hidden ? QStringLiteral("H") : QString(),
                         QStringLiteral("Diapositiva %1").arg(i));
    return fx.list(QStringLiteral("dotze.sal"), lines);
}

// Triggers `open` and lets `answer` act on the go-to window from inside its loop. Returns
// whether the window opened.
bool withGotoWindow(const std::function<void()> &open,
                    const std::function<void(TFSelGotoImage &)> &answer)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<TFSelGotoImage *>(QApplication::activeModalWidget());
        if (!window)
            return;
        seen = true;
        answer(*window);
        if (window->isVisible())
            window->reject();
    });
    open();
    return seen;
}

int recordWithNumber(const TFSelGotoImage &window, int n)
{
    const QAbstractItemModel *m = window.grid()->model();
    for (int row = 0; row < m->rowCount(); ++row)
        if (m->index(row, 0).data().toInt() == n)
            return row;
    return -1;
}

void doubleClickRecord(TFSelGotoImage &window, int row)
{
    QTableView *grid = window.grid();
    const QModelIndex index = grid->model()->index(row, 1);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class GotoWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // At rest: the hidden slide is not offered, and a double click starts the run there.
    void atRestADoubleClickStartsTheRunOnTheSlide()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showAndActivate(w);
        w.startUp(argsFor(twelve(fx, 5)), false);
        QVERIFY(w.action(PlayerAction::A_V_Goto)->isEnabled());
        QVERIFY(withGotoWindow([&] { w.action(PlayerAction::A_V_Goto)->trigger(); },
                               [&](TFSelGotoImage &g) {
                                   QCOMPARE(g.windowTitle(),
                                            QStringLiteral("Anar a la diapositiva"));
                                   QCOMPARE(g.grid()->model()->rowCount(), 11);
                                   QCOMPARE(recordWithNumber(g, 5), -1);
                                   QCOMPARE(g.grid()->model()->headerData(2, Qt::Horizontal),
                                            QVariant(QStringLiteral("Explicació")));
                                   QCOMPARE(g.currentRecord(), 0);
                                   doubleClickRecord(g, recordWithNumber(g, 7));
                               }));
        QVERIFY(w.engine().state().Presenting);
        QCOMPARE(w.engine().SlideAt(w.engine().state().Position), 6);
        QVERIFY(prompter.shown.empty());
    }

    // During a run: the window opens on the slide shown; Cancel resumes there, OK at the slide
    // chosen, in sequential and in random order.
    void duringARunTheRunResumes_data()
    {
        QTest::addColumn<bool>("random");
        QTest::addColumn<int>("chosen"); // slide number, 0 = Cancel
        QTest::newRow("sequential, Cancel") << false << 0;
        QTest::newRow("sequential, slide 9") << false << 9;
        QTest::newRow("random, Cancel") << true << 0;
        QTest::newRow("random, slide 7") << true << 7;
    }
    void duringARunTheRunResumes()
    {
        QFETCH(bool, random);
        QFETCH(int, chosen);
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showAndActivate(w);
        w.startUp(argsFor(twelve(fx, 0)), false);
        if (random)
            w.session().Settings.PresSort = PresSortMode::Random;
        w.engine().setFixedSeed(11);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        w.action(PlayerAction::A_V_InitNext)->trigger();
        w.action(PlayerAction::A_V_InitNext)->trigger();
        const int stoppedAt = w.engine().state().Position;
        const int shownSlide = w.engine().SlideAt(stoppedAt);
        QCOMPARE(stoppedAt, 2);
        QVERIFY(withGotoWindow([&] { w.action(PlayerAction::A_V_Goto)->trigger(); },
                               [&](TFSelGotoImage &g) {
                                   QVERIFY(!w.engine().state().Presenting);
                                   QCOMPARE(g.chosenNumber(), shownSlide + 1);
                                   if (chosen > 0) {
                                       g.selectRecord(recordWithNumber(g, chosen));
                                       g.accept();
                                   }
                               }));
        QVERIFY(w.engine().state().Presenting);
        QVERIFY(!w.engine().state().ResumeAfterCommand);
        if (chosen > 0) {
            QCOMPARE(w.engine().SlideAt(w.engine().state().Position), chosen - 1);
        } else {
            QCOMPARE(w.engine().state().Position, stoppedAt);
            QCOMPARE(w.engine().SlideAt(stoppedAt), shownSlide);
        }
    }

    void nothingToGoTo()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showAndActivate(w);
        // Visible lines whose pictures are missing: the list opens, but none can be gone to.
        w.startUp(argsFor(fx.list(QStringLiteral("buida.sal"),
                                  {L::line(fx.path(QStringLiteral("no.png"))),
                                   L::line(fx.path(QStringLiteral("tampoc.png")))})),
                  false);
        QVERIFY(!withGotoWindow([&] { w.action(PlayerAction::A_V_Goto)->trigger(); },
                                [](TFSelGotoImage &) {}));
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("No hi ha cap diapositiva a buscar")});
        QVERIFY(!w.engine().state().Presenting);
    }

    // The window's bounds and its two text columns' widths come back the next time.
    void layoutIsRemembered()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showAndActivate(w);
        w.startUp(argsFor(twelve(fx, 0)), false);
        QVERIFY(withGotoWindow([&] { w.action(PlayerAction::A_V_Goto)->trigger(); },
                               [&](TFSelGotoImage &g) {
                                   QVERIFY(g.minimumWidth() >= 360);
                                   g.resize(520, 410);
                                   // The grid follows the window's size.
                                   QCOMPARE(g.grid()->geometry().size(), QSize(520 - 22, 410 - 70));
                                   g.grid()->setColumnWidth(1, 171);
                                   g.grid()->setColumnWidth(2, 333);
                               }));
        QCOMPARE(w.gotoMemory().ColumnWidths, (std::array<int, 2>{171, 333}));
        QVERIFY(withGotoWindow([&] { w.action(PlayerAction::A_V_Goto)->trigger(); },
                               [&](TFSelGotoImage &g) {
                                   QCOMPARE(g.size(), QSize(520, 410));
                                   QCOMPARE(g.grid()->columnWidth(1), 171);
                                   QCOMPARE(g.grid()->columnWidth(2), 333);
                               }));
    }

    // The order listing opens in its own window; its tabs toggle is the option, kept on close.
    void orderListingWindow()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        showAndActivate(w);
        w.startUp(argsFor(twelve(fx, 0)), false);
        w.session().Settings.PresSort = PresSortMode::Random;
        w.engine().setFixedSeed(4);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        w.action(PlayerAction::A_V_Stop)->trigger();
        QVERIFY(w.randomListAction()->isEnabled());
        w.randomListAction()->trigger();
        auto *listing = w.findChild<TFPresSlideList *>();
        QVERIFY(listing);
        QVERIFY(listing->isVisible());
        QCOMPARE(listing->windowTitle(), QStringLiteral("Llistat de diapositives"));
        QCOMPARE(listing->minimumSize(), QSize(242, 120));
        const QStringList lines = listing->richEdit()->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines[0], QStringLiteral("número de diapositiva i número d'ordre d'aparició:"));
        QVERIFY(lines[1].startsWith(QStringLiteral(" 1  ")));
        QVERIFY(!listing->listWithTabAction()->isChecked());
        QVERIFY(listing->listWithTabAction()->toolTip().contains(QStringLiteral("tabuladors")));
        listing->listWithTabAction()->trigger();
        listing->resize(400, 300);
        listing->close();
        QTRY_VERIFY(!w.findChild<TFPresSlideList *>());
        QVERIFY(w.session().Options.AsciiListWithTab);
        QCOMPARE(w.listingMemory().Restore()->size(), QSize(400, 300));

        w.randomListAction()->trigger();
        listing = w.findChild<TFPresSlideList *>();
        QVERIFY(listing);
        QVERIFY(listing->listWithTabAction()->isChecked());
        QVERIFY(listing->richEdit()
                    ->toPlainText()
                    .section(QLatin1Char('\n'), 1, 1)
                    .startsWith(QStringLiteral("1\t")));
        listing->close();
    }

    // The sketch's all-paragraphs toggle forces tabs while on; both go back on close.
    void sketchToggles()
    {
        ProgramOptions options;
        options.AsciiListWithTab = false;
        bool allParagraphs = false;
        TPosSize memory;
        {
            TFPresStdSlideList sketch(options, allParagraphs, memory);
            QAction *all = sketch.allParagraphsAction();
            QAction *tabs = sketch.listWithTabAction();
            QVERIFY(!all->isChecked());
            QVERIFY(tabs->isEnabled());
            QVERIFY(all->toolTip().endsWith(QStringLiteral("sols el primer (estat actual) ")));
            all->trigger();
            QVERIFY(tabs->isChecked());
            QVERIFY(!tabs->isEnabled());
            QVERIFY(all->toolTip().startsWith(
                QStringLiteral("Mostra tots els paràgraphs (estat actual) o sols")));
            all->trigger();
            // Off again: the tabs toggle is the viewer's once more, as it was left.
            QVERIFY(tabs->isEnabled());
            QVERIFY(!tabs->isChecked());
            all->trigger();
            sketch.close();
        }
        QVERIFY(allParagraphs);
        QVERIFY(options.AsciiListWithTab);
        // Opened with all paragraphs on: tabs start forced.
        TFPresStdSlideList again(options, allParagraphs, memory);
        QVERIFY(!again.listWithTabAction()->isEnabled());
        QVERIFY(again.listWithTabAction()->isChecked());
    }

    // The index windows read their toggles from the options and give them back on close; the
    // grid's "ascii" toggle is the other side of PresIndexAsGrid.
    void indexToggles_data()
    {
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("sortByDir");
        QTest::addColumn<bool>("asGrid");
        QTest::newRow("text, name only") << false << false << false;
        QTest::newRow("text, by folder") << false << true << false;
        QTest::newRow("grid, name only") << true << false << true;
        QTest::newRow("grid, by folder") << true << true << true;
    }
    void indexToggles()
    {
        QFETCH(bool, grid);
        QFETCH(bool, sortByDir);
        QFETCH(bool, asGrid);
        ProgramOptions options;
        options.IndexSortByDir = sortByDir;
        options.PresIndexAsGrid = asGrid;
        TPosSize textMemory;
        TPosPresDBIndex gridMemory;
        QCOMPARE(gridMemory.ColumnWidths[0], 246);
        MemTable table(QStringLiteral("Index"),
                       {{QStringLiteral("Name"), MemTable::FieldKind::String, 0, false, false},
                        {QStringLiteral("Num"), MemTable::FieldKind::String, 0, false, false},
                        {QStringLiteral("Dir"), MemTable::FieldKind::String, 0, false, false},
                        {QStringLiteral("Ext"), MemTable::FieldKind::String, 0, false, false}});
        MemTableModel model(table);
        const QString marker = QStringLiteral("(estat actual) ");
        if (grid) {
            TFPresentDBIndex window(options, gridMemory);
            window.setIndexModel(&model);
            QCOMPARE(window.grid()->columnWidth(0), 246);
            QCOMPARE(window.minimumSize(), QSize(206, 120));
            QCOMPARE(window.sortByDirAction()->isChecked(), sortByDir);
            QCOMPARE(window.sortByDirAction()->toolTip().startsWith(
                         QStringLiteral("S'ordena per directori i nom ") + marker),
                     sortByDir);
            QCOMPARE(window.presAsAsciiAction()->isChecked(), !asGrid);
            QVERIFY(window.presAsAsciiAction()->toolTip().endsWith(QStringLiteral("com text")));
            window.sortByDirAction()->trigger();
            window.presAsAsciiAction()->trigger();
            window.grid()->setColumnWidth(1, 77);
            window.close();
            QCOMPARE(gridMemory.ColumnWidths[1], 77);
            QCOMPARE(gridMemory.ColumnWidths[0], 246);
        } else {
            TFPresIndexList window(options, textMemory);
            QCOMPARE(window.minimumSize(), QSize(265, 120));
            QCOMPARE(window.sortByDirAction()->isChecked(), sortByDir);
            QCOMPARE(window.sortByDirAction()->toolTip().endsWith(QStringLiteral("sols pel nom ") +
                                                                  marker),
                     !sortByDir);
            QCOMPARE(window.presAsGridAction()->isChecked(), asGrid);
            QVERIFY(window.presAsGridAction()->toolTip().endsWith(QStringLiteral("com a graella")));
            window.sortByDirAction()->trigger();
            QCOMPARE(window.sortByDirAction()->toolTip().startsWith(
                         QStringLiteral("S'ordena per directori i nom ") + marker),
                     !sortByDir);
            window.presAsGridAction()->trigger();
            window.close();
        }
        QCOMPARE(options.IndexSortByDir, !sortByDir);
        QCOMPARE(options.PresIndexAsGrid, !asGrid);
    }
};

QTEST_MAIN(GotoWindowTest)
#include "GotoWindowTest.moc"
