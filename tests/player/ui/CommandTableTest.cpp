#include "config/TModIniLS.h"
#include "player/ui/ConfigurationController.h"
#include "player/ui/MainWindowActions.h"
#include "player/ui/MainWindowController.h"
#include "player/ui/TFShowImages.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QTest>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>

#include <memory>

namespace {

QString name(const char *text)
{
    return QString::fromUtf8(text);
}

// The object names of a menu's entries, in order (a submenu by its menu's name).
QStringList entryNames(const QMenu *menu)
{
    QStringList names;
    for (const QAction *a : menu->actions())
        names << (a->menu() ? a->menu()->objectName() : a->objectName());
    return names;
}

// The object names of the toolbar's buttons and separators, in order.
QStringList toolBarNames(const QToolBar *bar)
{
    QStringList names;
    for (QAction *a : bar->actions()) {
        const QWidget *w = bar->widgetForAction(a);
        names << (a->isSeparator() || !w ? a->objectName() : w->objectName());
    }
    return names;
}

// A controller of the kind other subsystems add: it counts the window's calls.
class RecordingController : public MainWindowController
{
public:
    QString list;
    bool runs = false;
    int startUps = 0;
    int exits = 0;
    QStringList recent;

    void readAtStartUp(const StartupArgs &) override { ++startUps; }
    QString startUpList() const override { return list; }
    bool startUpRuns() const override { return runs; }
    bool saveAtExit() override
    {
        ++exits;
        return true;
    }
    void addRecentFile(const QString &path) override { recent << path; }
};

struct ComposedWindow
{
    SlideListFixture fx;
    FakePrompter prompter;
    TModIniLS module{THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar"))};
    TFShowImages w{prompter};
    ConfigurationController config{module, w.engine(), w, prompter};
};

} // namespace

class CommandTableTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void namesAreUniqueAndPlacesExist()
    {
        QSet<QString> names;
        QSet<QString> containers{name(kMainMenu), name(kToolBar)};
        const auto claim = [&](const char *n) {
            QVERIFY2(n && *n, "a row without a name");
            QVERIFY2(!names.contains(name(n)), n);
            names.insert(name(n));
        };
        for (const DropDownRow &d : mainWindowDropDownRows()) {
            claim(d.button);
            claim(d.arrow);
            claim(d.menu);
            containers.insert(name(d.menu));
        }
        for (const ActionRow &row : mainWindowActionRows()) {
            claim(row.name);
            if (row.toolBar.button)
                claim(row.toolBar.button);
            // A menu is built before the entries placed in it.
            if (row.menu.menu)
                QVERIFY2(containers.contains(name(row.menu.menu)), row.name);
            if (row.group.menu)
                QVERIFY2(containers.contains(name(row.group.menu)), row.name);
            if (row.kind == RowKind::SubMenu)
                containers.insert(name(row.name));
        }
        for (PlayerAction a :
             {PlayerAction::A_V_InitNext, PlayerAction::A_V_Prior, PlayerAction::A_V_First,
              PlayerAction::A_V_Stop, PlayerAction::A_V_CalcTime, PlayerAction::A_V_ShowSlideName,
              PlayerAction::A_V_Edit, PlayerAction::A_I_ShowNameAndNote})
            QVERIFY(findActionRow(name(playerActionName(a))));
    }

    void everyRowIsBuiltAsWrittenOnceComposed()
    {
        ComposedWindow c;
        for (const ActionRow &row : mainWindowActionRows()) {
            QAction *a = c.w.action(name(row.name));
            QVERIFY2(a, row.name);
            if (row.kind != RowKind::Command)
                continue;
            QCOMPARE(a->text(), name(row.caption));
            QCOMPARE(a->shortcut(), row.shortcut());
            QCOMPARE(a->isEnabled(), row.enabled);
            QCOMPARE(a->isCheckable(), row.checkable);
        }
        // Without the controller its rows are not there: no command without its handler.
        FakePrompter prompter;
        TFShowImages bare(prompter);
        QVERIFY(!bare.action(u"A_F_OpenIni"));
        QVERIFY(!bare.menu(u"MI_F_ReopenSAL"));
    }

    void shortcutsReachTheirCommandsWithTheMenusHidden()
    {
        ComposedWindow c;
        c.w.resize(600, 400);
        showAndActivate(c.w);
        // As during a run without menus or buttons.
        c.w.setRunDecoration(true, false, false);
        QVERIFY(!c.w.menuBar()->isVisible());
        int withKeys = 0;
        for (const ActionRow &row : mainWindowActionRows()) {
            if (row.shortcut().isEmpty())
                continue;
            ++withKeys;
            QAction *a = c.w.action(name(row.name));
            QVERIFY2(a, row.name);
            a->setEnabled(true);
            a->setVisible(true); // the web commands are shown only during a run of a web list
            // Only whether the key arrives counts here, not what the command does.
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            QSignalSpy spy(a, &QAction::triggered);
            QTest::sendKeyEvent(QTest::Click, &c.w, row.key.key(), QString(),
                                row.key.keyboardModifiers());
            QVERIFY2(spy.count() == 1, row.name);
        }
        QVERIFY(withKeys >= 5);
    }

    void entriesTakeTheirSlotsWhateverTheOrderBuilt()
    {
        ComposedWindow c;
        QMenu *file = c.w.menu(u"MI_File");
        QVERIFY(file);
        // The configuration's entries went in between the window's own.
        QCOMPARE(entryNames(file),
                 (QStringList{
                     QStringLiteral("A_F_OpenSAL"), QStringLiteral("MI_F_ReopenSAL"),
                     QStringLiteral("A_F_Check"), QStringLiteral("MI_F_Sep1"),
                     QStringLiteral("A_F_OpenIni"), QStringLiteral("A_F_SaveLoadIndividualConfig"),
                     QStringLiteral("A_F_InitialOptions"), QStringLiteral("A_F_ResultsOptions"),
                     QStringLiteral("MI_F_SepLink"), QStringLiteral("A_F_MakeLink"),
                     QStringLiteral("MI_F_SepExit"), QStringLiteral("MI_F_Exit")}));
        QCOMPARE(toolBarNames(c.w.toolBar()),
                 (QStringList{QStringLiteral("TB_F_OpenSAL"), QStringLiteral("TB_F_Check"),
                              QStringLiteral("TB_SepFile"), QStringLiteral("TB_V_Init"),
                              QStringLiteral("TB_V_Prior"), QStringLiteral("TB_V_First"),
                              QStringLiteral("TB_V_Stop"), QStringLiteral("TB_V_Goto"),
                              QStringLiteral("TB_SepEnd"), QStringLiteral("TB_V_End"),
                              QStringLiteral("SB_End"), QStringLiteral("TB_SepWeb"),
                              QStringLiteral("TB_W_Backward"), QStringLiteral("TB_W_Forward"),
                              QStringLiteral("TB_W_Stop"), QStringLiteral("UD_WFontSize"),
                              QStringLiteral("TB_V_Play")}));

        // Rows added later, in reverse order, still land by slot; a toolbar row before the
        // drop-down pair goes before both its button and its arrow.
        QObject owner;
        c.w.addAction(ActionRow{.name = "A_T_Later",
                                .caption = "Later",
                                .menu = {"MI_File", 415},
                                .toolBar = {"TB_T_Later", 255}},
                      &owner);
        c.w.addAction(
            ActionRow{.name = "A_T_Earlier", .caption = "Earlier", .menu = {"MI_File", 405}},
            &owner);
        QCOMPARE(entryNames(file).mid(4, 6),
                 (QStringList{QStringLiteral("A_F_OpenIni"), QStringLiteral("A_T_Earlier"),
                              QStringLiteral("A_F_SaveLoadIndividualConfig"),
                              QStringLiteral("A_T_Later"), QStringLiteral("A_F_InitialOptions"),
                              QStringLiteral("A_F_ResultsOptions")}));
        const QStringList bar = toolBarNames(c.w.toolBar());
        QCOMPARE(bar.indexOf(QStringLiteral("TB_T_Later")),
                 bar.indexOf(QStringLiteral("TB_SepEnd")) + 1);
        QCOMPARE(bar.indexOf(QStringLiteral("SB_End")),
                 bar.indexOf(QStringLiteral("TB_V_End")) + 1);
        QCOMPARE(bar.indexOf(QStringLiteral("SB_End")),
                 bar.indexOf(QStringLiteral("TB_SepWeb")) - 1);
        QCOMPARE(bar.last(), QStringLiteral("TB_V_Play"));
    }

    // The exit, shortcut and help entries are the ancestor's, each shown once in its place, and
    // they still do what they did.
    void inheritedEntriesKeepTheirPlacesAndWork()
    {
        ComposedWindow c;
        QStringList bar;
        for (const QAction *a : c.w.menuBar()->actions())
            bar << a->menu()->objectName();
        QCOMPARE(bar,
                 (QStringList{QStringLiteral("MI_File"), QStringLiteral("MI_Viewing"),
                              QStringLiteral("MI_SpecificViewing"), QStringLiteral("MI_Help")}));
        QCOMPARE(c.w.menu(u"MI_File"), c.w.fileMenu());
        QCOMPARE(c.w.action(u"MI_F_Exit"), c.w.exitAction());
        QCOMPARE(c.w.action(u"A_F_MakeLink"), c.w.makeLinkAction());
        // The window's own entries, then the common ones of its ancestor.
        QCOMPARE(
            entryNames(c.w.menu(u"MI_Help")),
            (QStringList{QStringLiteral("A_H_Tutorial"), QStringLiteral("A_H_QuestionsAndAnswers"),
                         QStringLiteral("A_H_Index"), QStringLiteral("A_H_Acknowledgements"),
                         QStringLiteral("A_H_About"), QStringLiteral("MI_H_SepCommon"),
                         QStringLiteral("A_H_Introduction"), QStringLiteral("A_H_TopicHelp"),
                         QStringLiteral("A_H_Contents")}));
        QCOMPARE(c.w.action(u"A_H_About"), c.w.referenceAction());
        QCOMPARE(c.w.linkName(), QStringLiteral("Pelvar"));

        // "&Referència..." shows the about box.
        QString aboutTitle;
        QTimer::singleShot(0, &c.w, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                aboutTitle = box->windowTitle();
                box->close();
            }
        });
        c.w.referenceAction()->trigger();
        QCOMPARE(aboutTitle, QStringLiteral("Referència"));

        // "Surt" closes the window, asking once.
        showAndActivate(c.w);
        QVERIFY(c.w.isVisible());
        c.w.exitAction()->trigger();
        QVERIFY(!c.w.isVisible());
        QVERIFY(c.prompter.shown.empty());
    }

    void aRunEndsIntoTheHandlerOfItsCommand()
    {
        SlideListFixture fx;
        const QString list = fx.list(QStringLiteral("run.sal"),
                                     {SlideListFixture::line(fx.picture(QStringLiteral("a.png"))),
                                      SlideListFixture::line(fx.picture(QStringLiteral("b.png")))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        StartupArgs args;
        args.fileArgument = list;
        w.startUp(args, false);
        auto controller = std::make_unique<RecordingController>();
        int gotos = 0;
        w.setCommandHandler(PendingCommandCode::Goto, controller.get(), [&] {
            // Carried out after the run, not during it.
            QVERIFY(!w.engine().state().Presenting);
            ++gotos;
        });

        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(w.engine().state().Presenting);
        w.engine().command(PendingCommandCode::Goto);
        QCOMPARE(gotos, 1);
        QVERIFY(!w.engine().state().Presenting);
        QVERIFY(prompter.shown.empty());

        // A command nobody carries out is reported, after a run and at rest alike.
        w.action(PlayerAction::A_V_InitNext)->trigger();
        w.engine().command(PendingCommandCode::EditWML);
        QVERIFY(!w.engine().state().Presenting);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("L'ordre demanada (codi 13) no està disponible")});
        prompter.clear();
        // So is one whose controller has gone.
        controller.reset();
        w.engine().command(PendingCommandCode::Goto);
        QCOMPARE(gotos, 1);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("L'ordre demanada (codi 5) no està disponible")});
    }

    void controllersAreCalledAtStartUpAndExitWhileTheyLive()
    {
        SlideListFixture fx;
        const QString list = fx.list(QStringLiteral("last.sal"),
                                     {SlideListFixture::line(fx.picture(QStringLiteral("a.png")))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        RecordingController silent, naming;
        auto gone = std::make_unique<RecordingController>();
        naming.list = list;
        naming.runs = true;
        w.addController(silent);
        w.addController(*gone);
        w.addController(naming);
        gone.reset();

        w.startUp(StartupArgs(), false);
        // The first controller that names a list decides, and whether it runs.
        QCOMPARE(silent.startUps, 1);
        QCOMPARE(naming.startUps, 1);
        QCOMPARE(w.engine().session().SlideListPath, list);
        QVERIFY(w.engine().state().Presenting);

        w.engine().stop();
        prompter.answers = {MsgButton::No}; // no configuration of its own to save
        QVERIFY(w.close());
        w.close();
        // Closing the list puts it on every recent-file list; the exit is written once.
        QCOMPARE(naming.recent, QStringList{list});
        QCOMPARE(silent.recent, QStringList{list});
        QCOMPARE(silent.exits, 1);
        QCOMPARE(naming.exits, 1);
    }
};

QTEST_MAIN(CommandTableTest)
#include "CommandTableTest.moc"
