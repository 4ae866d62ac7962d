#include "config/TModIniLS.h"
#include "player/ui/ConfigurationController.h"
#include "player/ui/MainWindowActions.h"
#include "player/ui/MainWindowController.h"
#include "player/ui/TFShowImages.h"
#include "slides/ui/SlideArea.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QTest>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>
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

// The entries of a menu (or the toolbar's buttons and separators) not hidden, by name.
QString shownEntries(const QMenu *menu)
{
    QStringList names;
    for (const QAction *a : menu->actions())
        if (a->isVisible())
            names << (a->menu() ? a->menu()->objectName() : a->objectName());
    return names.join(u' ');
}

QString shownButtons(const QToolBar *bar)
{
    QStringList names;
    for (QAction *a : bar->actions())
        if (a->isVisible())
            names << (a->isSeparator() || !bar->widgetForAction(a)
                          ? a->objectName()
                          : bar->widgetForAction(a)->objectName());
    return names.join(u' ');
}

const QString kMarker = QStringLiteral("(estat actual) ");

// Closes the next modal window that opens (a file dialog, the go-to window) and keeps its title.
void rejectNextModal(QString *title)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, title] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        *title = modal->windowTitle();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

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
        const auto awaiting = [](const char *n) {
            for (const char *a : awaitingWindowNames())
                if (qstrcmp(a, n) == 0)
                    return true;
            return false;
        };
        for (const ActionRow &row : mainWindowActionRows()) {
            QAction *a = c.w.action(name(row.name));
            QVERIFY2(a, row.name);
            if (row.kind != RowKind::Command)
                continue;
            QCOMPARE(a->text(), name(row.caption));
            QCOMPARE(a->shortcut(), row.shortcut());
            if (row.picture.standard >= 0 || row.picture.theme)
                QVERIFY2(!a->icon().isNull(), row.name);
            // A command whose window is not there yet is disabled whatever its row says.
            if (awaiting(row.name))
                QVERIFY2(!a->isEnabled(), row.name);
            else if (qstrcmp(row.name, "A_F_RecTime") != 0)
                QCOMPARE(a->isEnabled(), row.enabled);
            QCOMPARE(a->isCheckable(), row.checkable);
        }
        // Given its window, such a command follows its row and its rules from then on.
        QAction *open = c.w.action(u"A_F_OpenWML");
        c.w.setCommandAvailable(u"A_F_OpenWML", true);
        QVERIFY(open->isEnabled());
        QAction *edit = c.w.action(u"A_F_EditWML");
        c.w.setCommandAvailable(u"A_F_EditWML", true);
        QVERIFY(!edit->isEnabled()); // no word table yet
        c.w.setActionEnabled(PlayerAction::A_F_EditWML, true);
        QVERIFY(edit->isEnabled());
        c.w.setCommandAvailable(u"A_F_EditWML", false);
        QVERIFY(!edit->isEnabled());
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
        QCOMPARE(entryNames(file).join(u' '),
                 QStringLiteral(
                     "A_F_OpenSAL MI_F_ReopenSAL A_F_Check A_F_EditSAL A_F_EditNewSAL A_F_RecTime "
                     "MI_F_Sep1 A_F_OpenWML A_F_EditWML A_F_EditNewWML A_F_OpenSML A_F_EditSML "
                     "A_F_EditNewSML MI_F_Sep2 A_F_OpenIni MI_F_Sep3 A_F_InitialOptions "
                     "A_F_SaveLoadIndividualConfig A_F_GeneralOptions "
                     "A_F_AdminOptions MI_F_SepLink A_F_MakeLink MI_F_SepExit MI_F_Exit"));
        QCOMPARE(entryNames(c.w.menu(u"MI_Viewing")).join(u' '),
                 QStringLiteral("A_V_InitNext A_V_Prior A_V_First A_V_Stop A_V_Goto MI_V_Sep1 "
                                "A_V_Loop A_V_ModalOptions A_V_Manual A_V_Speed MI_V_SepSlide "
                                "A_V_Edit A_V_ShowSlideName A_V_OutFormalOptions "
                                "A_V_InFormalOptions MI_V_SepEnd A_V_CalcTime A_V_Results "
                                "A_V_RandomList A_V_HideMainMenu"));
        QVERIFY(entryNames(c.w.menu(u"MI_SpecificViewing"))
                    .join(u' ')
                    .startsWith(QStringLiteral(
                        "A_I_GifAnimate A_I_Transparent A_I_AmpliationEnabled A_A_NoAudioPlay "
                        "MI_SV_SepNotes A_I_HideNote A_I_ShowNameAndNote MI_SV_SepWeb")));
        QCOMPARE(entryNames(c.w.menu(u"PUM_WMLAndOptions")).join(u' '),
                 QStringLiteral("A_F_OpenWML A_F_EditWML A_F_EditNewWML A_F_OpenSML A_F_EditSML "
                                "A_F_EditNewSML PUM_O_SepIni A_F_OpenIni PUM_O_SepOptions "
                                "A_F_InitialOptions A_F_SaveLoadIndividualConfig "
                                "A_F_GeneralOptions A_F_AdminOptions"));
        QCOMPARE(
            entryNames(c.w.menu(u"PUM_ImageSlides")).join(u' '),
            QStringLiteral("A_I_GifAnimate A_I_Transparent A_I_AmpliationEnabled A_A_NoAudioPlay"));
        QCOMPARE(entryNames(c.w.menu(u"PUM_X")).join(u' '),
                 QStringLiteral("A_I_HideNote A_V_ShowSlideName A_I_ShowNameAndNote"));
        QCOMPARE(entryNames(c.w.menu(u"PUM_End")).join(u' '),
                 QStringLiteral("A_V_CalcTime A_V_Results A_V_RandomList A_V_HideMainMenu"));
        QCOMPARE(toolBarNames(c.w.toolBar()).join(u' '),
                 QStringLiteral(
                     "TB_F_OpenSAL TB_F_Edit TB_F_EditNew TB_F_Check TB_F_RecTime TB_SepFile "
                     "TB_WMLAndOptions SB_WMLAndOptions TB_SepOptions TB_V_Init TB_V_Prior "
                     "TB_V_First TB_V_Stop TB_V_Loop TB_V_ModalOptions TB_V_Manual TB_V_Speed "
                     "TB_V_Goto TB_V_Edit TB_SepX TB_X SB_X TB_SepImage TB_ImageSlides "
                     "SB_ImageSlides TB_SepFormal TB_V_OutFormalOptions TB_V_InFormalOptions "
                     "TB_SepEnd TB_V_End SB_End TB_SepWeb TB_W_Backward TB_W_Forward TB_W_Stop "
                     "UD_WFontSize TB_V_Play"));

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
        const QStringList names = entryNames(file);
        QCOMPARE(names.mid(names.indexOf(QStringLiteral("MI_F_Sep3")), 6),
                 (QStringList{QStringLiteral("MI_F_Sep3"), QStringLiteral("A_T_Earlier"),
                              QStringLiteral("A_F_InitialOptions"), QStringLiteral("A_T_Later"),
                              QStringLiteral("A_F_SaveLoadIndividualConfig"),
                              QStringLiteral("A_F_GeneralOptions")}));
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

    void togglesShowTheirStateAndActForReal()
    {
        ComposedWindow c;
        c.w.startUp(StartupArgs(), false);
        PresentationSession &session = c.w.engine().session();
        const PresentationSettings defaults;
        struct Case
        {
            const char *name;
            std::function<bool()> state; // the toggle's own state, its check mark
            const char *hintWhenOff;     // the hint while the check mark is off
            bool setting;                // a presentation setting: marks them modified
        };
        const Case cases[] = {
            {"A_I_HideNote", [&] { return session.Settings.HideNote; },
             "Amaga o mostra (estat actual)  els comentaris de les imatges", true},
            {"A_A_NoAudioPlay", [&] { return c.w.engine().state().NoAudioPlay; },
             "Envia l'ordre de reproduir (estat actual) o no \nels arxius d'audio", false},
            {"A_V_HideMainMenu", [&] { return session.Options.HideMainMenu; },
             "Mostra (estat actual) o amaga el menú principal", false},
            {"A_I_AmpliationEnabled", [&] { return session.Settings.ImgAmpliationEnabled; },
             "Activa o desactiva (estat actual)  la ampliació\na un valor escollit", true},
            {"A_I_GifAnimate", [&] { return session.Settings.ImgGifAnimate; },
             "Activa o desactiva (estat actual)  el moviment en les imatges GIF animades", true},
            {"A_I_Transparent", [&] { return session.Settings.ImgTransparent; },
             "Activa o desactiva (estat actual) el mostrar com transparents\nles vores d'una "
             "imatge bmp",
             true},
            {"A_V_Loop", [&] { return session.Settings.LoopImages; },
             "Activa o desactiva (estat actual) la reproducció contínua", true},
            {"A_V_Manual", [&] { return session.Settings.ManualViewing; },
             "Activa o desactiva (estat actual) la reproducció manual", true},
            {"A_F_RecTime", [&] { return c.w.engine().state().RecordTime; },
             "Activa o desactiva (estat actual) el guardar el temps utilitzat\nen cada "
             "diapositiva en la reproducció manual",
             false},
        };
        for (const Case &t : cases) {
            QAction *a = c.w.action(name(t.name));
            session.SettingsModified = false;
            // Twice: on and off again (or off and on), the mark and the hint following.
            for (int i = 0; i < 2; ++i) {
                const bool before = t.state();
                a->trigger();
                QVERIFY2(t.state() != before, t.name);
                QCOMPARE(a->isChecked(), t.state());
                const QString off = name(t.hintWhenOff);
                if (!a->isChecked())
                    QCOMPARE(a->toolTip(), off);
                else
                    QVERIFY2(a->toolTip() != off && a->toolTip().count(kMarker) == 1, t.name);
                QCOMPARE(session.SettingsModified, t.setting);
            }
        }
        // The image view takes its settings at once.
        QCOMPARE(session.Settings.ImgGifAnimate, defaults.ImgGifAnimate);
        c.w.action(u"A_I_Transparent")->trigger();
        QVERIFY(c.w.slideArea()->scene().image().Transparent);
        c.w.action(u"A_I_AmpliationEnabled")->trigger();
        QVERIFY(c.w.slideArea()->scene().image().AmpliationEnabled);
        c.w.action(u"A_I_GifAnimate")->trigger();
        QVERIFY(!c.w.slideArea()->scene().image().GIFAnimate);
        // Hiding the main menu hides the menu bar.
        c.w.action(u"A_V_HideMainMenu")->trigger();
        QVERIFY(c.w.menuBar()->isHidden());
        c.w.action(u"A_V_HideMainMenu")->trigger();
        QVERIFY(!c.w.menuBar()->isHidden());
    }

    void loopAndTimeRecordingExcludeEachOther()
    {
        ComposedWindow c;
        c.w.startUp(StartupArgs(), false);
        PresentationSession &session = c.w.engine().session();
        QAction *loop = c.w.action(u"A_V_Loop");
        QAction *record = c.w.action(u"A_F_RecTime");
        record->trigger();
        QVERIFY(c.w.engine().state().RecordTime);
        QVERIFY(!session.SettingsModified); // the run's state, not a setting
        loop->trigger();
        QVERIFY(session.Settings.LoopImages);
        QVERIFY(!c.w.engine().state().RecordTime);
        QVERIFY(!record->isChecked());
        QVERIFY(record->toolTip().startsWith(QStringLiteral("Activa o desactiva (estat")));
        session.SettingsModified = false;
        record->trigger();
        QVERIFY(c.w.engine().state().RecordTime);
        QVERIFY(!session.Settings.LoopImages);
        QVERIFY(!loop->isChecked());
        QCOMPARE(loop->toolTip(),
                 QStringLiteral("Activa o desactiva (estat actual) la reproducció contínua"));
        QVERIFY(session.SettingsModified); // the loop is a setting
        // Through the toolbar too: the loop button is pressed while looping.
        auto *loopButton = c.w.toolBar()->findChild<QToolButton *>(QStringLiteral("TB_V_Loop"));
        QVERIFY(loopButton && loopButton->isCheckable());
        loopButton->click();
        QVERIFY(loopButton->isChecked());
        QVERIFY(!c.w.engine().state().RecordTime);
    }

    void speedAndTimeRecordingFollowTheMode()
    {
        ComposedWindow c;
        c.w.startUp(StartupArgs(), false);
        PresentationSession &session = c.w.engine().session();
        QAction *speed = c.w.action(u"A_V_Speed");
        QAction *record = c.w.action(u"A_F_RecTime");
        QAction *manual = c.w.action(u"A_V_Manual");
        QVERIFY(session.Settings.ManualViewing);
        QVERIFY(record->isEnabled());
        QVERIFY(!speed->isEnabled());
        manual->trigger();
        QVERIFY(!record->isEnabled());
        // Without its dialog the speed command stays off even in automatic mode...
        QVERIFY(!speed->isEnabled());
        // ...and follows the mode once it is there.
        c.w.setCommandAvailable(u"A_V_Speed", true);
        QVERIFY(speed->isEnabled());
        manual->trigger();
        QVERIFY(!speed->isEnabled());
        QVERIFY(record->isEnabled());
        // Recording needs a sequential order; settings read from a file are followed at once.
        session.Settings.PresSort = PresSortMode::Random;
        c.w.settingsChanged();
        QVERIFY(!record->isEnabled());
        QCOMPARE(c.w.action(u"A_V_ModalOptions")->toolTip(),
                 QStringLiteral("Modificació (i més) de l'ordre de presentació\nactual: aleatori i "
                                "diferent en cada repetició"));
        session.Settings.PresSort = PresSortMode::Memorisation;
        c.w.settingsChanged();
        QVERIFY(c.w.action(u"A_V_ModalOptions")
                    ->toolTip()
                    .endsWith(QStringLiteral("aleatori per memorització")));
    }

    void hintsFollowTheOptions()
    {
        ComposedWindow c;
        PresentationSession &session = c.w.engine().session();
        const std::pair<OpenSalAction, const char *> open[] = {
            {OpenSalAction::Run, "Obre una presentació\ni inicia la reproducció"},
            {OpenSalAction::Edit, "Obre una presentació\ni n'edita el contingut"},
            {OpenSalAction::Check, "Obre una presentació\ni la comprova"},
            {OpenSalAction::Nothing, "Obre una presentació"}};
        for (const auto &[option, hint] : open) {
            session.Options.OpenSalOption = option;
            c.w.refreshCommands();
            QCOMPARE(c.w.openAction()->toolTip(), name(hint));
        }
        // A view-only user's lists always start.
        session.AccessLevel = AccessLevel::ViewOnly;
        c.w.applyAccessLevel();
        QCOMPARE(c.w.openAction()->toolTip(),
                 QStringLiteral("Obre una presentació\ni inicia la reproducció"));
        QCOMPARE(c.w.action(u"A_V_ModalOptions")->toolTip(),
                 QStringLiteral("Modificació (i més) de l'ordre de presentació\nactual: "
                                "seqüencial"));
        // The arrows' fixed hints.
        QCOMPARE(c.w.dropDownArrow(u"TB_ImageSlides")->toolTip(),
                 QStringLiteral("Obre el menú de les ordres infreqüents\nsobre les diapositives "
                                "d'imatges i àudio"));
        QCOMPARE(c.w.dropDownArrow(u"TB_X")->toolTip(),
                 QStringLiteral("Obre el menú d'ordres\ndels comentaris de les diapositives"));
        QCOMPARE(c.w.dropDownArrow(u"TB_WMLAndOptions")->toolTip(),
                 QStringLiteral("Obre el menú de les ordres de\nla taula de significats, les "
                                "opcions\ni les configuracions de presentació"));
    }

    void accessLevelsHideTheirCommands()
    {
        ComposedWindow c;
        StartupArgs args;
        args.accessLevel = AccessLevel::ViewOnly;
        c.w.startUp(args, false);
        QCOMPARE(shownEntries(c.w.menu(u"MI_File")),
                 QStringLiteral("A_F_OpenSAL MI_F_ReopenSAL MI_F_SepLink A_F_MakeLink "
                                "MI_F_SepExit MI_F_Exit"));
        QCOMPARE(shownEntries(c.w.menu(u"MI_Viewing")),
                 QStringLiteral("A_V_InitNext A_V_Prior A_V_First A_V_Stop A_V_Goto "
                                "MI_V_SepSlide A_V_ShowSlideName MI_V_SepEnd A_V_CalcTime "
                                "A_V_Results A_V_RandomList"));
        QVERIFY(shownEntries(c.w.menu(u"MI_SpecificViewing"))
                    .startsWith(QStringLiteral("A_A_NoAudioPlay MI_SV_SepNotes A_I_HideNote "
                                               "A_I_ShowNameAndNote")));
        QCOMPARE(shownEntries(c.w.menu(u"PUM_End")),
                 QStringLiteral("A_V_CalcTime A_V_Results A_V_RandomList"));
        // A hidden command's key does nothing, even were the command enabled.
        showAndActivate(c.w);
        int hiddenWithKeys = 0;
        for (const ActionRow &row : mainWindowActionRows()) {
            QAction *a = c.w.action(name(row.name));
            if (row.shortcut().isEmpty() || !a || a->isVisible())
                continue;
            ++hiddenWithKeys;
            a->setEnabled(true);
            QSignalSpy spy(a, &QAction::triggered);
            QTest::sendKeyEvent(QTest::Click, &c.w, row.key.key(), QString(),
                                row.key.keyboardModifiers());
            QVERIFY2(spy.isEmpty(), row.name);
        }
        QVERIFY(hiddenWithKeys >= 1); // "E", opening the slide's file for editing
        QCOMPARE(shownButtons(c.w.toolBar()),
                 QStringLiteral("TB_F_OpenSAL TB_SepFile TB_V_Init TB_V_Prior TB_V_First "
                                "TB_V_Stop TB_V_Goto TB_SepX TB_X SB_X TB_SepEnd TB_V_End "
                                "SB_End"));

        // Full access shows everything but the administrator's options, which need several
        // users; editing access never shows them.
        for (const auto level : {AccessLevel::Full, AccessLevel::Editing}) {
            for (const bool several : {false, true}) {
                c.w.engine().session().AccessLevel = level;
                c.w.engine().session().SeveralUsers = several;
                c.w.applyAccessLevel();
                QCOMPARE(c.w.action(u"A_F_AdminOptions")->isVisible(),
                         level == AccessLevel::Full && several);
                QVERIFY(c.w.action(u"A_F_OpenIni")->isVisible());
                QVERIFY(c.w.action(u"TB_ImageSlides")->isVisible());
                QVERIFY(c.w.action(u"MI_V_Sep1")->isVisible());
            }
        }
    }

    void severalUsersComesFromTheProgramConfiguration()
    {
        ComposedWindow c;
        c.fx.file(QStringLiteral("Pelvar.ini"), "[Options]\r\nSeveralUsers=1\r\n");
        c.w.addController(c.config);
        c.w.startUp(StartupArgs(), false);
        QVERIFY(c.w.action(u"A_F_AdminOptions")->isVisible());
        QVERIFY(!c.w.action(u"A_F_AdminOptions")->isEnabled()); // no dialog yet
    }

    void dropDownButtonsCarryTheirLastCommand()
    {
        ComposedWindow c;
        PresentationSession &session = c.w.engine().session();
        session.SeveralUsers = true;
        session.Options.ActionOptionsIndex = 25;
        session.Options.ActionXIndex = 1;
        session.Options.ImageSlidesIndex = 2;
        c.w.startUp(StartupArgs(), false);
        // An index past its list names the last command.
        QCOMPARE(c.w.dropDownButton(u"TB_WMLAndOptions")->defaultAction(),
                 c.w.action(u"A_F_AdminOptions"));
        QCOMPARE(session.Options.ActionOptionsIndex, 10);
        QCOMPARE(c.w.dropDownButton(u"TB_X")->defaultAction(), c.w.action(u"A_V_ShowSlideName"));
        QCOMPARE(c.w.dropDownButton(u"TB_ImageSlides")->defaultAction(),
                 c.w.action(u"A_I_AmpliationEnabled"));

        // Choosing the transparency from its menu puts it on the button, pressed while on.
        QToolButton *images = c.w.dropDownButton(u"TB_ImageSlides");
        QAction *transparent = c.w.action(u"A_I_Transparent");
        QVERIFY(c.w.menu(u"PUM_ImageSlides")->actions().contains(transparent));
        transparent->trigger();
        QCOMPARE(images->defaultAction(), transparent);
        QCOMPARE(session.Options.ImageSlidesIndex, 1);
        QVERIFY(images->isCheckable() && images->isChecked());
        images->click();
        QVERIFY(!session.Settings.ImgTransparent);
        QVERIFY(!images->isChecked());
        QVERIFY(!transparent->isChecked());
        // The other buttons keep theirs; a command of the options' menu rides its own button.
        c.w.setCommandAvailable(u"A_F_GeneralOptions", true);
        c.w.action(u"A_F_GeneralOptions")->trigger();
        QCOMPARE(c.w.dropDownButton(u"TB_WMLAndOptions")->defaultAction(),
                 c.w.action(u"A_F_GeneralOptions"));
        QCOMPARE(session.Options.ActionOptionsIndex, 9);
        c.w.action(u"A_I_HideNote")->trigger();
        QCOMPARE(session.Options.ActionXIndex, 0);
        QCOMPARE(images->defaultAction(), transparent);

        // What the options keep puts the same commands on the buttons at the next start.
        FakePrompter prompter;
        TFShowImages next(prompter);
        next.engine().session().Options = session.Options;
        next.startUp(StartupArgs(), false);
        QCOMPARE(next.dropDownButton(u"TB_ImageSlides")->defaultAction(),
                 next.action(u"A_I_Transparent"));
        QCOMPARE(next.dropDownButton(u"TB_X")->defaultAction(), next.action(u"A_I_HideNote"));
        QCOMPARE(next.dropDownButton(u"TB_WMLAndOptions")->defaultAction(),
                 next.action(u"A_F_GeneralOptions"));
        // Without the configuration's controller its command is not there: the first one rides
        // the button.
        TFShowImages bare(prompter);
        bare.engine().session().Options.ActionOptionsIndex = 6;
        bare.startUp(StartupArgs(), false);
        QCOMPARE(bare.dropDownButton(u"TB_WMLAndOptions")->defaultAction(),
                 bare.action(u"A_F_EditWML"));
        QCOMPARE(bare.engine().session().Options.ActionOptionsIndex, 0);
    }

    // The four buttons' commands are written at exit and put back on the buttons at the next
    // start.
    void dropDownCommandsRoundTripThroughTheConfiguration()
    {
        ComposedWindow c;
        c.w.addController(c.config);
        c.w.startUp(StartupArgs(), false);
        c.w.action(u"A_I_Transparent")->trigger();
        c.w.action(u"A_V_ShowSlideName")->setEnabled(true);
        c.w.action(u"A_V_ShowSlideName")->trigger();
        c.w.action(u"A_V_HideMainMenu")->trigger();
        c.w.setCommandAvailable(u"A_F_GeneralOptions", true);
        c.w.action(u"A_F_GeneralOptions")->trigger();
        c.prompter.clear();
        QVERIFY(c.config.saveAtExit());

        FakePrompter prompter;
        TModIniLS module{THlpIniFLoadSave(c.fx.dir(), QStringLiteral("Pelvar"))};
        TFShowImages next{prompter};
        ConfigurationController config{module, next.engine(), next, prompter};
        next.addController(config);
        next.startUp(StartupArgs(), false);
        for (const char *button : {"TB_ImageSlides", "TB_X", "TB_V_End", "TB_WMLAndOptions"})
            QCOMPARE(next.dropDownButton(name(button))->defaultAction()->objectName(),
                     c.w.dropDownButton(name(button))->defaultAction()->objectName());
        QCOMPARE(next.dropDownButton(u"TB_X")->defaultAction(), next.action(u"A_V_ShowSlideName"));
        QCOMPARE(next.engine().session().Options.ActionOptionsIndex, 9);
    }

    void endButtonRulesAtStartUp()
    {
        struct Case
        {
            int stored;
            bool writing;
            AccessLevel level;
            const char *onButton;
            int written;
        };
        for (const Case t : {Case{1, false, AccessLevel::Full, "A_V_CalcTime", 0},
                             Case{1, true, AccessLevel::Full, "A_V_Results", 1},
                             Case{3, false, AccessLevel::ViewOnly, "A_V_CalcTime", 0},
                             Case{3, false, AccessLevel::Editing, "A_V_HideMainMenu", 3}}) {
            FakePrompter prompter;
            TFShowImages w(prompter);
            w.engine().session().Options.ActionEndIndex = t.stored;
            w.engine().session().Options.Results.Write = t.writing;
            StartupArgs args;
            args.accessLevel = t.level;
            w.startUp(args, false);
            QCOMPARE(w.endButton()->defaultAction(), w.action(name(t.onButton)));
            QCOMPARE(w.engine().session().Options.ActionEndIndex, t.written);
        }
    }

    void anArrowOpensItsMenuUnderThePair()
    {
        ComposedWindow c;
        c.w.resize(700, 400);
        showAndActivate(c.w);
        // The options' pair, near the left: its wide menu fits on the screen there.
        QToolButton *button = c.w.dropDownButton(u"TB_WMLAndOptions");
        QToolButton *arrow = c.w.dropDownArrow(u"TB_WMLAndOptions");
        QMenu *menu = c.w.menu(u"PUM_WMLAndOptions");
        QPoint shownAt(-1, -1);
        QTimer::singleShot(50, menu, [&] {
            shownAt = menu->pos();
            menu->close();
        });
        QTest::mouseClick(arrow, Qt::LeftButton);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(shownAt.x(), button->mapToGlobal(QPoint(0, 0)).x());
        QCOMPARE(shownAt.y(), arrow->mapToGlobal(QPoint(0, arrow->height())).y());
    }

    // Every command that ends a run is carried out once the run has ended; those whose window
    // is not there yet reach their handler by their code.
    void pendingCommandsRunAfterTheRunEnds()
    {
        ComposedWindow c;
        const QString list =
            c.fx.list(QStringLiteral("run.sal"),
                      {SlideListFixture::line(c.fx.picture(QStringLiteral("a.png"))),
                       SlideListFixture::line(c.fx.picture(QStringLiteral("b.png")))});
        const QString other =
            c.fx.list(QStringLiteral("other.sal"),
                      {SlideListFixture::line(c.fx.picture(QStringLiteral("c.png")))});
        StartupArgs args;
        args.fileArgument = list;
        c.w.startUp(args, false);
        PlayerEngine &engine = c.w.engine();
        // The list has no configuration file of its own: the settings are not offered for
        // saving in these runs.
        engine.session().Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        const auto startAtSecond = [&] {
            c.w.action(PlayerAction::A_V_InitNext)->trigger();
            c.w.action(PlayerAction::A_V_InitNext)->trigger();
            QVERIFY(engine.state().Presenting);
            QCOMPARE(engine.state().Position, 1);
        };

        const std::pair<const char *, PendingCommandCode> later[] = {
            {"A_F_EditNewSAL", PendingCommandCode::EditNewSAL},
            {"A_F_EditSML", PendingCommandCode::EditSML},
            {"A_F_EditNewSML", PendingCommandCode::EditNewSML},
            {"A_F_OpenSML", PendingCommandCode::OpenSML},
            {"A_F_EditWML", PendingCommandCode::EditWML},
            {"A_F_EditNewWML", PendingCommandCode::EditNewWML},
            {"A_F_OpenWML", PendingCommandCode::OpenWML},
            {"A_V_ModalOptions", PendingCommandCode::ModalOptions}};
        for (const auto &[command, code] : later) {
            PendingCommandCode carried = PendingCommandCode::None;
            bool duringRun = true;
            c.w.setCommandHandler(code, &c.w, [&, code = code] {
                carried = code;
                duringRun = engine.state().Presenting;
            });
            c.w.setCommandAvailable(name(command), true);
            c.w.setActionEnabled(PlayerAction::A_F_EditSML, true);
            c.w.setActionEnabled(PlayerAction::A_F_EditWML, true);
            startAtSecond();
            c.w.action(name(command))->trigger();
            QVERIFY2(carried == code, command);
            QVERIFY(!duringRun);
            QVERIFY(!engine.state().Presenting);
        }

        // Opening a settings file: its dialog follows the run.
        QString title;
        startAtSecond();
        rejectNextModal(&title);
        c.w.action(u"A_F_OpenIni")->trigger();
        QVERIFY(!engine.state().Presenting);
        QCOMPARE(title, QStringLiteral("Obrir una configuració de presentació"));

        // Opening a list: the same.
        startAtSecond();
        rejectNextModal(&title);
        c.w.openAction()->trigger();
        QVERIFY(!engine.state().Presenting);
        QCOMPARE(title, QStringLiteral("Obrir una llista de diapositives"));
        QCOMPARE(engine.session().SlideListPath, list);

        // The go-to window: cancelled, the run resumes where it was.
        startAtSecond();
        rejectNextModal(&title);
        c.w.action(PlayerAction::A_V_Goto)->trigger();
        QVERIFY(engine.state().Presenting);
        QCOMPARE(engine.state().Position, 1);
        c.w.action(PlayerAction::A_V_Stop)->trigger();

        // A recent list chosen during a run opens, and runs, once the run has ended.
        c.config.recentFiles().AddItem(other);
        QMenu *reopen = c.config.reopenMenu();
        Q_EMIT reopen->aboutToShow();
        QVERIFY(!reopen->actions().isEmpty());
        startAtSecond();
        reopen->actions().constFirst()->trigger();
        QCOMPARE(engine.session().SlideListPath, other);
        QVERIFY(engine.state().Presenting);
        QCOMPARE(engine.state().Position, 0);
        c.w.action(PlayerAction::A_V_Stop)->trigger();
        QVERIFY(c.prompter.shown.empty());
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
