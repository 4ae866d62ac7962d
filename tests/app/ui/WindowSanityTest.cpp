// Opens every window and dialog of the program and checks that nothing in it is cut or overlaps:
// each label, check box, radio button and button gets at least the size it asks for, no two
// laid-out siblings overlap, and group box titles fit on their single line. CTest runs it twice,
// at the default scale and at a scale factor of 1.5.
//
// A window class found under src/*/ui/, or a window title the sources set, that no case here
// opens fails the test, so a new window joins the check when it is written.

#include "config/ProgramOptions.h"
#include "config/ui/TFConfigDialogs.h"
#include "editors/ui/SlidePreviews.h"
#include "editors/ui/TFAudioFilesFilter.h"
#include "editors/ui/TFChangeDir.h"
#include "editors/ui/TFEdiOptions.h"
#include "editors/ui/TFEdiOptionsSAL.h"
#include "editors/ui/TFEdiOptionsSML.h"
#include "editors/ui/TFEdiPresVideo.h"
#include "editors/ui/TFEdiPresWeb.h"
#include "editors/ui/TFEdiWordsAndMeaningTable.h"
#include "editors/ui/TFEditSAL.h"
#include "editors/ui/TFEditSML.h"
#include "editors/ui/TFFavoriteDirs.h"
#include "editors/ui/TFFilesFilter.h"
#include "editors/ui/TFMakeSalFromSmlOneAnswer.h"
#include "editors/ui/TFMakeSalFromSmlWithRadioButtons.h"
#include "editors/ui/TFMakeSalFromWmlOneAnswer.h"
#include "editors/ui/TFMakeSalFromWmlWithRadioButtons.h"
#include "editors/ui/TFMakeSalIni.h"
#include "editors/ui/TFSelectDirWhereCopy.h"
#include "editors/ui/TFSelectDirWhereCopyMove.h"
#include "editors/ui/TFShImageToMark.h"
#include "files/HelpContexts.h"
#include "files/MemTableModel.h"
#include "files/TPosPresDBIndex.h"
#include "files/ui/DirectoryTreeWindow.h"
#include "files/ui/HelpWindow.h"
#include "files/ui/ProgramHelp.h"
#include "files/ui/QtPrompter.h"
#include "files/ui/TCopyFilesProgressBox.h"
#include "files/ui/TDirTreePopUpWithoutImages.h"
#include "files/ui/TFChooseFolder.h"
#include "files/ui/TFFileAttributes.h"
#include "files/ui/TFItemToFind.h"
#include "files/ui/TFPresEditRxDBGrid.h"
#include "files/ui/TFPresentMemo.h"
#include "files/ui/TFPresentRxDBGrid.h"
#include "files/ui/TFPresentRxRichEdit.h"
#include "files/ui/TLsDirTree20.h"
#include "files/ui/TLsDirTreeCombo27.h"
#include "files/ui/TLsDirTreePanel.h"
#include "files/ui/TLsFileListView27PopUp.h"
#include "files/ui/TLsFilelistView27.h"
#include "files/ui/TTreePopUp0.h"
#include "files/ui/TTreeView0.h"
#include "media/TAdvImage.h"
#include "media/ui/TQTMovie.h"
#include "media/ui/VideoSurface.h"
#include "options/ui/TFGeneralOptions.h"
#include "options/ui/TFInFormalOptions.h"
#include "options/ui/TFModalOptions.h"
#include "options/ui/TFOutFormalOptions.h"
#include "options/ui/TFSetColorsOrImageToPanel.h"
#include "options/ui/TFSpeedOptions.h"
#include "player/NullPlayerView.h"
#include "player/PresentationSession.h"
#include "player/ProgramCredits.h"
#include "player/ui/TBoxRefPelvar.h"
#include "player/ui/TFPresIndexList.h"
#include "player/ui/TFPresStdSlideList.h"
#include "player/ui/TFPresentDBIndex.h"
#include "player/ui/TFShowErrWImage.h"
#include "player/ui/TFShowErrWText.h"
#include "player/ui/TFShowImages.h"
#include "player/ui/VideoSlideView.h"
#include "presentation/ui/TFPresentErrors.h"
#include "slides/ui/QuestionControls.h"
#include "slides/ui/SlideArea.h"
#include "slides/ui/TextBrowserControl.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/SlideListFixture.h"
#include "support/VideoFixtures.h"
#include "support/WindowTest.h"
#include "users/AdminOptions.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/TFAdminisUsersDomains.h"
#include "users/ui/TFInstall.h"
#include "users/ui/TFPassword.h"
#include "users/ui/TFSetPassword.h"
#include "users/ui/TFUserFN.h"
#include "users/ui/TFUserFNPassword.h"
#include "users/ui/TFUserFNPasswordDomain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace {

// Whether `w` is placed by `layout` or by one of the layouts nested in it.
bool laidOutBy(const QLayout *layout, const QWidget *w)
{
    if (!layout)
        return false;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w)
            return true;
        if (laidOutBy(item->layout(), w))
            return true;
    }
    return false;
}

bool isCheckedKind(const QWidget *w)
{
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w);
}

QString describe(const QWidget *w)
{
    QString text;
    if (auto *l = qobject_cast<const QLabel *>(w))
        text = l->text();
    else if (auto *b = qobject_cast<const QAbstractButton *>(w))
        text = b->text();
    else if (auto *g = qobject_cast<const QGroupBox *>(w))
        text = g->title();
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QLatin1String(w->metaObject()->className()), text.left(40), w->objectName());
}

// The faults of one shown window, as lines a person can act on.
QStringList layoutFaults(const QWidget *top)
{
    QStringList faults;
    const QList<QWidget *> all = top->findChildren<QWidget *>();
    for (const QWidget *w : all) {
        if (!w->isVisibleTo(top))
            continue;
        const QSize hint = w->sizeHint();
        const auto *button = qobject_cast<const QAbstractButton *>(w);
        if (button && button->text().isEmpty()) {
            // What a button without a caption can lose is its picture; an arrow button is drawn
            // at the width it is given, and so is the chevron a toolbar too narrow for its
            // buttons shows to reach the rest.
            const bool chevron = w->objectName() == QLatin1String("qt_toolbar_ext_button");
            if (!button->icon().isNull() && !chevron &&
                (w->width() < button->iconSize().width() ||
                 w->height() < button->iconSize().height()))
                faults << QStringLiteral("%1 is smaller than its picture").arg(describe(w));
        } else if (isCheckedKind(w) && hint.isValid()) {
            if (w->hasHeightForWidth()) {
                // A wrapped text may take any width; it needs the height of its lines there.
                if (w->height() < w->heightForWidth(w->width()))
                    faults << QStringLiteral("%1 is %2 high, its wrapped text needs %3")
                                  .arg(describe(w))
                                  .arg(w->height())
                                  .arg(w->heightForWidth(w->width()));
            } else if (w->width() < hint.width() || w->height() < hint.height()) {
                faults << QStringLiteral("%1 is %2x%3, it asks for %4x%5")
                              .arg(describe(w))
                              .arg(w->width())
                              .arg(w->height())
                              .arg(hint.width())
                              .arg(hint.height());
            }
        }
        if (auto *g = qobject_cast<const QGroupBox *>(w)) {
            // The title is drawn on one line across the top edge: a line break or a title wider
            // than the box is cut.
            if (g->title().contains(QLatin1Char('\n')))
                faults << QStringLiteral("%1 has a title of several lines").arg(describe(w));
            else if (g->width() < g->minimumSizeHint().width())
                faults << QStringLiteral("%1 is narrower than its title").arg(describe(w));
        }
    }
    // Siblings placed by the same layout must not overlap.
    for (const QWidget *parent : all + QList<QWidget *>{const_cast<QWidget *>(top)}) {
        if (!parent->layout() || !parent->isVisibleTo(top))
            continue;
        QList<const QWidget *> placed;
        for (QObject *o : parent->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && !w->isWindow() && w->isVisibleTo(top) && laidOutBy(parent->layout(), w))
                placed << w;
        }
        for (qsizetype i = 0; i < placed.size(); ++i)
            for (qsizetype j = i + 1; j < placed.size(); ++j)
                if (placed[i]->geometry().intersects(placed[j]->geometry()))
                    faults << QStringLiteral("%1 overlaps %2")
                                  .arg(describe(placed[i]), describe(placed[j]));
    }
    return faults;
}

// The class names of a widget and of its descendants, with their base classes.
void collectClasses(const QWidget *top, QSet<QString> &seen)
{
    QList<const QWidget *> widgets{top};
    for (const QWidget *w : top->findChildren<QWidget *>())
        widgets << w;
    for (const QWidget *w : widgets)
        for (const QMetaObject *m = w->metaObject(); m; m = m->superClass())
            seen.insert(QLatin1String(m->className()));
}

// The widget classes the program declares in its window folders.
QStringList declaredWindowClasses()
{
    const QRegularExpression decl(
        QStringLiteral(R"(class\s+(\w+)\s*(?:final\s*)?:\s*public\s+(\w+))"));
    QMap<QString, QString> baseOf;
    QDirIterator it(QStringLiteral(PELVAR_SOURCE_DIR "/src"), {QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.contains(QStringLiteral("/ui/")))
            continue;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = decl.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            baseOf.insert(match.captured(1), match.captured(2));
        }
    }
    QStringList out;
    for (auto i = baseOf.cbegin(); i != baseOf.cend(); ++i) {
        // A class derived, directly or through ours, from a Qt class other than QObject.
        QString base = i.value();
        while (baseOf.contains(base))
            base = baseOf.value(base);
        if (base.startsWith(QLatin1Char('Q')) && base != QStringLiteral("QObject"))
            out << i.key();
    }
    return out;
}

// The window titles the program sets as written in its sources.
QStringList literalWindowTitles()
{
    // (Written without a raw string: moc reads a quote inside one as the end of a string.)
    const QRegularExpression title(QStringLiteral(
        "setWindowTitle\\(\\s*QStringLiteral\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\"\\s*\\)\\s*\\)"));
    QStringList out;
    QDirIterator it(QStringLiteral(PELVAR_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = title.globalMatch(text); m.hasNext();)
            out << m.next().captured(1);
    }
    return out;
}

void showSized(QWidget &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Let the layouts settle before they are measured.
    QApplication::processEvents();
}

} // namespace

class WindowSanityTest : public QObject
{
    Q_OBJECT

    QSet<QString> m_seen;
    QStringList m_titles;

    // Runs `open`, which shows a modal window and waits for it; the window is measured from
    // inside its own loop and closed with Esc. Returns its faults.
    QStringList checkModal(const std::function<void()> &open, bool &seen)
    {
        QStringList faults;
        seen = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *box = QApplication::activeModalWidget();
            if (!box)
                return;
            seen = true;
            QApplication::processEvents();
            collectClasses(box, m_seen);
            m_titles << box->windowTitle();
            faults = layoutFaults(box);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        open();
        return faults;
    }

    void check(QWidget &w, const QString &what)
    {
        showSized(w);
        // Pictures for a person to look at, when PELVAR_TEST_SHOTS names a folder.
        const QString shots = qEnvironmentVariable("PELVAR_TEST_SHOTS");
        if (!shots.isEmpty())
            w.grab().save(QDir(shots).filePath(what + QStringLiteral(".png")));
        collectClasses(&w, m_seen);
        m_titles << w.windowTitle();
        const QStringList faults = layoutFaults(&w);
        if (!faults.isEmpty())
            QFAIL(qPrintable(what + QStringLiteral(":\n  ") + faults.join(QStringLiteral("\n  "))));
    }

private Q_SLOTS:
    void configurationDialogs()
    {
        TFSaveLoadIndivConfig0ptions config({}, QString(), true, QStringLiteral("Animals del bosc"),
                                            QStringLiteral("pelvar"));
        check(config, QStringLiteral("Configuració de la presentació"));
        TFInitialOptions initial(1);
        check(initial, QStringLiteral("Opcions d'inici"));
    }

    void optionDialogs()
    {
        FakePrompter prompter;
        PresentationSettings settings;
        settings.PresSort = PresSortMode::Random;
        settings.PresDRandom = RandomScope::Range;
        TFModalOptions modal(settings, 12, MemorisationOffer::Offered, AnswerKinds::Both, 0,
                             QStringLiteral("Animals del bosc"), QStringLiteral("pelvar"),
                             prompter);
        check(modal, QStringLiteral("Opcions de mode de presentació"));
        TFSpeedOptions speed(2);
        check(speed, QStringLiteral("Velocitat de presentació"));
        TFOutFormalOptions outFormal(settings, 1, QString(), QStringLiteral("pelvar"));
        check(outFormal,
              QStringLiteral("Opcions dels aspectes formals (exteriors) de visualització"));
        GeneralOptionsValues values;
        values.Results.Write = true;
        values.Results.Dir = QDir::tempPath();
        TFGeneralOptions general(values, prompter);
        check(general, QStringLiteral("Opcions generals del programa"));
    }

    void innerFormalOptions()
    {
        FakePrompter prompter;
        TFInFormalOptions::Inputs in;
        in.presentationName = QStringLiteral("Animals del bosc");
        in.programBaseName = QStringLiteral("pelvar");
        TFInFormalOptions dialog(PresentationSettings(), InFormalDemoState(), in, prompter);
        dialog.resize(dialog.sizeHint());
        // Every page, and every tab of the first page and of the title page.
        for (int tab = 0; tab < dialog.imageTabs()->count(); ++tab) {
            dialog.showPage(TFInFormalOptions::ImagePage, tab);
            check(dialog, QStringLiteral("Aspectes interiors, imatge %1").arg(tab));
        }
        for (int page = TFInFormalOptions::TitlePage; page <= TFInFormalOptions::TextPage; ++page) {
            dialog.showPage(page);
            check(dialog, QStringLiteral("Aspectes interiors, pàgina %1").arg(page));
        }
        dialog.showPage(TFInFormalOptions::TitlePage);
        dialog.titleTabs()->setCurrentIndex(1);
        check(dialog, QStringLiteral("Aspectes interiors, títol 2"));
        dialog.showPage(TFInFormalOptions::QuestionPage);
        dialog.questionTabs()->setCurrentIndex(1);
        check(dialog, QStringLiteral("Aspectes interiors, entrada"));

        PanelBackground gradient;
        gradient.ColorBackGroundEffect = 7;
        TFSetColorsOrImageToPanel background(gradient, OptionChoosers());
        check(background, QStringLiteral("Fons del plafó"));
    }

    void messageBoxes()
    {
        struct Box
        {
            QString text;
            MsgKind kind;
            QStringList specs;
        };
        const Box boxes[] = {
            {QStringLiteral("No s'ha trobat l'arxiu"), MsgKind::Error, {}},
            {QStringLiteral("Vols desar els canvis de la presentació?\r\nEs perdran si no es "
                            "desen."),
             MsgKind::Confirmation,
             {QStringLiteral("&Sí"), QStringLiteral("&No"), QStringLiteral("Cancel·la")}},
            {QString(QStringLiteral("Una línia molt llarga que s'ha de partir ")).repeated(12),
             MsgKind::Warning,
             {QStringLiteral("&Edita"), QStringLiteral("&Atura"), QStringLiteral("&Segueix"),
              QStringLiteral("&Refés")}},
            // "Agraïments..."
            {AcknowledgementsText(), MsgKind::Information, {QStringLiteral("OK")}},
        };
        QtPrompter prompter;
        for (const Box &b : boxes) {
            bool seenBox = false;
            const QStringList faults =
                checkModal([&] { prompter.messageBoxEx(b.text, b.kind, b.specs); }, seenBox);
            QVERIFY(seenBox);
            if (!faults.isEmpty())
                QFAIL(qPrintable(b.text.left(30) + QStringLiteral(":\n  ") +
                                 faults.join(QStringLiteral("\n  "))));
        }
    }

    void mainWindowAndQuestions()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(QStringLiteral("p.png"), 200, 120);
        const QString list = fx.list(
            QStringLiteral("quiz.sal"),
            {SlideListFixture::line(pic, QStringLiteral("XP"), QStringLiteral("Quina ciutat?"),
                                    QStringLiteral("*Roma|París|Londres")),
             SlideListFixture::line(pic, QStringLiteral("XP"), QStringLiteral("Escriu-la"),
                                    QStringLiteral("&Vilaclara")),
             SlideListFixture::line(pic, QString(), QStringLiteral("Final"),
                                    QStringLiteral("Una nota|en dues línies"))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.resize(900, 700);
        StartupArgs args;
        args.fileArgument = list;
        showSized(w);
        w.startUp(args, false);
        w.engine().session().Settings.ByInput = true;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        check(w, QStringLiteral("La finestra principal amb una pregunta de botons"));
        QuestionControls *c = w.slideArea()->questionControls();
        QVERIFY(c && !c->radios().empty());
        QTest::mouseClick(c->radios()[0], Qt::LeftButton);
        QCOMPARE(w.engine().state().Position, 1);
        QVERIFY(w.slideArea()->questionControls() && w.slideArea()->questionControls()->box());
        check(w, QStringLiteral("La finestra principal amb una resposta escrita"));
    }

    void mainWindowWithVideos()
    {
        QVERIFY(VideoFixtures::available());
        SlideListFixture fx;
        const QString avi = fx.path(QStringLiteral("clip.avi"));
        const QString mov = fx.path(QStringLiteral("pel·lícula.mov"));
        QVERIFY(VideoFixtures::testPattern(avi));
        QVERIFY(VideoFixtures::testPattern(mov));
        const QString list =
            fx.list(QStringLiteral("videos.sal"),
                    {SlideListFixture::line(avi, QString(), QStringLiteral("Un vídeo"),
                                            QStringLiteral("amb una nota")),
                     SlideListFixture::line(mov)});
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.resize(900, 700);
        StartupArgs args;
        args.fileArgument = list;
        showSized(w);
        w.startUp(args, false);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(w.videoView().surface());
        QTRY_VERIFY_WITH_TIMEOUT(w.videoView().surface()->hasFrame(), 20000);
        check(w, QStringLiteral("La finestra principal amb un vídeo"));
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(w.videoView().movie());
        QTRY_VERIFY_WITH_TIMEOUT(w.videoView().movie()->hasPicture(), 20000);
        check(w, QStringLiteral("La finestra principal amb una pel·lícula"));
    }

    void orderListing()
    {
        SlideListFixture fx;
        QStringList lines;
        for (int i = 0; i < 12; ++i)
            lines << SlideListFixture::line(fx.picture(QStringLiteral("p%1.png").arg(i)), QString(),
                                            QStringLiteral("Diapositiva %1").arg(i));
        const QString list = fx.list(QStringLiteral("aleatoria.sal"), lines);
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.resize(900, 700);
        showSized(w);
        StartupArgs args;
        args.fileArgument = list;
        w.startUp(args, false);
        w.engine().session().Settings.PresSort = PresSortMode::Random;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QAction *listing = w.action(PlayerAction::A_V_RandomList);
        QVERIFY(listing->isEnabled());
        // The listing window is modal without a loop of its own: it is on screen on return.
        listing->trigger();
        auto *window = w.findChild<TFPresSlideList *>();
        QVERIFY(window);
        QVERIFY(window->isModal());
        check(*window, QStringLiteral("El llistat de l'ordre"));
        window->close();
    }

    void reactionWindows()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        PresentationSettings s;
        TAdvImage appearance;
        TFShowErrWImage picture(appearance, s, view, prompter, QString());
        QCOMPARE(picture.loadPicture(fx.picture(QStringLiteral("r.png"), 80, 60), QPoint(-1, -1),
                                     QSize(400, 400)),
                 QString());
        check(picture, QStringLiteral("La finestra de reacció amb imatge"));
        TFShowErrWText text(FontSettings(), view, prompter, QString());
        QCOMPARE(text.loadText(fx.file(QStringLiteral("r.txt"), "Molt bé!\r\nHo has encertat."),
                               QSize(300, 200)),
                 QString());
        check(text, QStringLiteral("La finestra de reacció amb text"));
    }

    // The editors' slide previews, one of each kind, as an editor opens them.
    void slidePreviews()
    {
        QVERIFY(VideoFixtures::available());
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView audio;
        PresentationSettings s;
        s.ByInput = true;
        PreviewContext context{s, prompter};
        context.audio = &audio;
        const auto open = [&](const SlidePreviewRequest &r) {
            Fallible<std::unique_ptr<TFEdiPresentationH>> made =
                createSlidePreview(r, context, nullptr);
            return made.ok() ? made.take() : nullptr;
        };
        SlidePreviewRequest picture;
        picture.kind = skImage;
        picture.fileName = fx.picture(QStringLiteral("platja.png"), 320, 200);
        picture.pWithAnswer = true;
        picture.pWithPromptForAnswer = true;
        picture.promptOr1stLine = QStringLiteral("On és aquesta platja?");
        picture.answersOrNextLines =
            QStringLiteral("*A la Costa Brava|Al delta de l'Ebre|A Menorca");
        auto image = open(picture);
        QVERIFY(image);
        check(*image, QStringLiteral("La previsualització d'una imatge amb pregunta"));
        picture.pWithAnswer = false;
        picture.promptOr1stLine = QStringLiteral("La platja");
        picture.answersOrNextLines = QStringLiteral("a l'estiu|amb sol");
        picture.notePos = NotePosition::Right;
        picture.markX = 300;
        picture.markY = 600;
        auto noted = open(picture);
        check(*noted, QStringLiteral("La previsualització d'una imatge amb comentari"));

        SlidePreviewRequest title;
        title.kind = skTitle;
        title.promptOr1stLine = QStringLiteral("Animals del bosc");
        title.answersOrNextLines = QStringLiteral("Primera part|amb fotografies");
        auto titled = open(title);
        check(*titled, QStringLiteral("La previsualització d'un títol"));

        SlidePreviewRequest text;
        text.kind = skText;
        text.fileName = fx.file(QStringLiteral("conte.txt"),
                                "Hi havia una vegada un bosc\r\nple d'animals.\r\n");
        text.pWithAnswer = true;
        text.answersOrNextLines = QStringLiteral("Guineu");
        auto texted = open(text);
        QVERIFY(texted);
        check(*texted, QStringLiteral("La previsualització d'un text amb resposta escrita"));

        SlideRecord web;
        web.Kind = skWeb;
        web.FileName = fx.file(QStringLiteral("pagina.htm"),
                               "<html><body><h1>Els animals</h1><p>La guineu.</p></body></html>");
        TFEdiPresWeb page(web, context, [](QWidget *parent) {
            return std::make_unique<TextBrowserControl>(parent);
        });
        check(page, QStringLiteral("La previsualització d'una pàgina web"));

        for (const auto &[name, kind] : {std::pair{QStringLiteral("clip.avi"), skVideo},
                                         std::pair{QStringLiteral("pel·lícula.mov"), skMovie}}) {
            SlidePreviewRequest video;
            video.kind = kind;
            video.fileName = fx.path(name);
            QVERIFY(VideoFixtures::testPattern(video.fileName));
            video.promptOr1stLine = QStringLiteral("Un vídeo");
            video.answersOrNextLines = QStringLiteral("amb una nota");
            auto shown = open(video);
            auto *w = qobject_cast<TFEdiPresVideo *>(shown.get());
            QVERIFY(w);
            showSized(*w);
            if (kind == skVideo)
                QTRY_VERIFY_WITH_TIMEOUT(w->videoView().surface()->hasFrame(), 20000);
            else
                QTRY_VERIFY_WITH_TIMEOUT(w->videoView().movie()->hasPicture(), 20000);
            check(*w, QStringLiteral("La previsualització d'un vídeo ") + name);
        }

        TFEdiPresentation0 bare(prompter);
        check(bare, QStringLiteral("La finestra de previsualització sense vora"));
        TFEdiPresentation sizeable(prompter);
        check(sizeable, QStringLiteral("La finestra de previsualització"));
        QVERIFY2(prompter.shown.empty(), qPrintable(prompter.texts().join(QLatin1Char('\n'))));
    }

    void sharedTextAndTableWindows()
    {
        TFPresentMemo memo;
        memo.setWindowTitle(QStringLiteral("Resultat de la comprovació"));
        memo.setText(QStringLiteral("Línia 1\r\nLínia 2"));
        check(memo, QStringLiteral("La finestra de text"));
        TFPresentRxRichEdit rich;
        rich.setHtml(QStringLiteral("<p>Llista de <b>diapositives</b></p>"));
        check(rich, QStringLiteral("La finestra de text enriquit"));

        MemTable table(
            QStringLiteral("Directoris"),
            {{QStringLiteral("Directori"), MemTable::FieldKind::String, 0, false, false},
             {QStringLiteral("Visible"), MemTable::FieldKind::Boolean, 0, false, false}});
        for (int i = 0; i < 4; ++i) {
            MemTable::Record r = table.emptyRecord();
            (void)table.setField(r, 0, QStringLiteral("/home/anna/imatges/%1").arg(i));
            (void)table.setField(r, 1, i % 2 == 0);
            (void)table.append(r);
        }
        MemTableModel shown(table);
        TFPresentRxDBGrid grid;
        grid.setWindowTitle(QStringLiteral("Índex"));
        grid.setModel(&shown);
        check(grid, QStringLiteral("La finestra de taula"));
        MemTableModel edited(table, MemTableModel::Editing::Editable);
        TFPresEditRxDBGrid editGrid;
        editGrid.setWindowTitle(QStringLiteral("Directoris preferits"));
        editGrid.setModel(&edited);
        check(editGrid, QStringLiteral("La finestra de taula editable"));
    }

    // The check's errors window, opened by the main window's command as a user opens it.
    void presentationErrors()
    {
        SlideListFixture fx;
        const QString list = fx.list(
            QStringLiteral("errors.sal"),
            {SlideListFixture::line(QStringLiteral("/carpeta/que/no/hi/es/una imatge.jpg")),
             SlideListFixture::line(QString(), QStringLiteral("*0"), QStringLiteral("Títol"))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.resize(900, 700);
        showSized(w);
        StartupArgs args;
        args.fileArgument = list;
        w.startUp(args, false);
        bool seen = false;
        const QStringList faults =
            checkModal([&] { w.action(PlayerAction::A_F_Check)->trigger(); }, seen);
        QVERIFY(seen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
        QVERIFY(prompter.shown.empty());
    }

    // The go-to window as the main window opens it, and the listing and index windows.
    void gotoAndListingWindows()
    {
        SlideListFixture fx;
        QStringList lines;
        for (int i = 0; i < 4; ++i)
            lines << SlideListFixture::line(fx.picture(QStringLiteral("g%1.png").arg(i)), {},
                                            QStringLiteral("Nota %1|amb més text").arg(i));
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.resize(900, 700);
        showSized(w);
        StartupArgs args;
        args.fileArgument = fx.list(QStringLiteral("goto.sal"), lines);
        w.startUp(args, false);
        bool seen = false;
        const QStringList faults =
            checkModal([&] { w.action(PlayerAction::A_V_Goto)->trigger(); }, seen);
        QVERIFY(seen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
        QVERIFY(!w.engine().state().Presenting);

        ProgramOptions options;
        TPosSize memory;
        TFPresSlideList listing(options, memory);
        listing.setPlainText(QStringLiteral("número de diapositiva i número d'ordre:\n1  2  g0"));
        check(listing, QStringLiteral("El llistat de diapositives"));
        bool allParagraphs = true;
        TFPresStdSlideList sketch(options, allParagraphs, memory);
        sketch.setPlainText(QStringLiteral("1\tg0\tNota 0"));
        check(sketch, QStringLiteral("L'esquema de la llista"));
        TFPresIndexList index(options, memory);
        index.setPlainText(QStringLiteral("g0.png\t1"));
        check(index, QStringLiteral("L'índex com a text"));
        MemTable table(QStringLiteral("Index"),
                       {{QStringLiteral("Name"), MemTable::FieldKind::String, 0, false, false},
                        {QStringLiteral("Num"), MemTable::FieldKind::String, 0, false, false},
                        {QStringLiteral("Dir"), MemTable::FieldKind::String, 0, false, false},
                        {QStringLiteral("Ext"), MemTable::FieldKind::String, 0, false, false}});
        MemTable::Record r = table.emptyRecord();
        (void)table.setField(r, 0, QStringLiteral("g0"));
        (void)table.append(r);
        MemTableModel model(table);
        TPosPresDBIndex gridMemory;
        TFPresentDBIndex grid(options, gridMemory);
        grid.setIndexModel(&model);
        check(grid, QStringLiteral("L'índex com a graella"));
    }

    // The help window as F1 in the main window opens it, and the about box.
    void helpAndAboutWindows()
    {
        FakePrompter prompter;
        ProgramHelp help(QStringLiteral(PELVAR_HELP_COLLECTION), prompter);
        help.showHelpContext(helpNumber(HelpContext::MainWindow));
        QVERIFY(help.window());
        check(*help.window(), QStringLiteral("L'ajuda"));
        help.showHelpIndex();
        check(*help.window(), QStringLiteral("L'índex de l'ajuda"));
        QVERIFY(prompter.shown.empty());
        TBoxRefPelvar about;
        check(about, QStringLiteral("La referència"));
    }

    void copyProgressWindow()
    {
        for (const QString &title : {QStringLiteral("Copiant..."), QStringLiteral("Movent...")}) {
            TCopyFilesProgressBox box;
            box.setWindowTitle(title);
            box.setFiles(QStringLiteral("/home/anna/imatges/vacances d'estiu/platja amb sol.jpg"),
                         QStringLiteral("/media/llapis/còpia/vacances d'estiu/platja amb sol.jpg"));
            box.setFilePercent(40);
            box.setTotalPercent(15);
            check(box, QStringLiteral("La finestra de progrés ") + title);
        }
    }

    void shortcutDialog()
    {
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.resize(900, 700);
        showSized(w);
        bool seen = false;
        // Closed with Esc: nothing is written.
        const QStringList faults = checkModal([&] { w.makeLinkAction()->trigger(); }, seen);
        QVERIFY(seen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n  "))));
    }

    void explorerFileList()
    {
        FakePrompter prompter;
        FakeShell shell;
        QWidget host;
        auto *layout = new QVBoxLayout(&host);
        auto *list = new TLsFilelistView27(prompter, shell, &host);
        layout->addWidget(list);
        host.resize(640, 360);
        list->listModel().setAsynchronous(false);
        list->SetDirectory(QStringLiteral(PELVAR_SOURCE_DIR "/src/files"));
        check(host, QStringLiteral("La llista d'arxius"));
        list->selectionModel()->select(list->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list->popupMenu()->prepare();
        list->popupMenu()->popup(host.mapToGlobal(QPoint(40, 40)));
        collectClasses(list->popupMenu(), m_seen);
        list->popupMenu()->hide();

        TFFileAttributes attributes(QStringLiteral("platja amb sol.jpg"),
                                    {true, true, false, false});
        check(attributes, QString::fromUtf8("Modificació d'atributs"));
    }

    // The folder trees: the folder dialog, the search window, the written-out branch, and a host
    // holding the docked tree and both selectors with the generic menus on their drop-downs.
    void folderTrees()
    {
        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkpath(QStringLiteral("Dades/Fotos d'estiu")));
        FakePrompter prompter;
        FakeShell shell;
        TFChooseFolder choose(tmp.filePath(QStringLiteral("Dades")), prompter, shell);
        check(choose, QStringLiteral("Especifica un directori"));

        TFItemToFind find;
        find.setText(QStringLiteral("FOT*"));
        check(find, QStringLiteral("Recerca"));

        TFPresentRxRichEdit *lines = showDirectoryTreeLines(
            {QStringLiteral("Dades"), QStringLiteral("\tFotos d'estiu")}, nullptr);
        check(*lines, QStringLiteral("Arbre de directoris"));
        lines->close();

        QWidget host;
        auto *layout = new QVBoxLayout(&host);
        auto *panel = new TLsDirTreePanel(prompter, &host);
        auto *combo = new TLsDirTreeCombo27(prompter, &host);
        auto *docked = new TLsDirTree20(prompter, shell, &host);
        layout->addWidget(panel);
        layout->addWidget(combo);
        layout->addWidget(docked, 1);
        panel->tree()->setPopUpMenu(new TTreePopUp0(panel->tree()));
        combo->tree()->setPopUpMenu(new TDirTreePopUpWithoutImages(combo->tree()));
        panel->OpenPath(tmp.filePath(QStringLiteral("Dades/Fotos d'estiu")));
        combo->OpenPath(tmp.filePath(QStringLiteral("Dades")));
        docked->OpenPath(tmp.filePath(QStringLiteral("Dades")));
        host.resize(900, 420);
        check(host, QStringLiteral("Els arbres de directoris"));
    }

    // The dialogs of the file list editors.
    // The slide list editor with a row of each kind the controls tell apart, each in turn.
    void slideListEditor()
    {
        FakePrompter prompter;
        FakeShell shell;
        NullPlayerView view;
        PresentationSession session(view, prompter);
        EditorServices services(session, prompter, shell);
        SlideEditorMemory memory;
        QTemporaryDir tmp;
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString picture = tmp.filePath(QStringLiteral("foto.png"));
        QVERIFY(image.save(picture));
        TFEditSAL editor(services, memory);
        editor.setWindowTitle(QStringLiteral("Edició de la llista prova.sal"));
        editor.loadLines(
            {picture + QStringLiteral("\tL\tnota\t\t5\t"),
             QStringLiteral("\tXP\tPregunta?\t*sí|no\t\t"),
             tmp.filePath(QStringLiteral("prog.exe")) + QStringLiteral("\t\t-a\t\t\t")},
            0);
        for (int row = 0; row < 3; ++row) {
            editor.grid()->setCurrentIndex(editor.slideRows().index(row, 0));
            // The toolbars take a second pass to lay out the buttons of the row shown.
            showSized(editor);
            check(editor, QStringLiteral("Editor de llistes, fila %1").arg(row + 1));
        }
        TFEditSAL empty(services, memory);
        empty.setWindowTitle(QStringLiteral("Edició de la nova llista de diapositives"));
        empty.loadLines({}, 0);
        showSized(empty);
        check(empty, QStringLiteral("Editor de llistes, llista nova"));
        TFMakeSalIni first(services, TFMakeSalIni::Group::First, {}, true);
        showSized(first);
        check(first, QStringLiteral("Diapositives accessòries"));

        // Settings a quiz needs no change of: the dialogs open without a message.
        session.Settings.PresWithITName = false;
        MeaningTable words(MeaningKind::Words);
        words.fileName = tmp.filePath(QStringLiteral("curs.wml"));
        MeaningTable pictures(MeaningKind::Sounds);
        pictures.fileName = tmp.filePath(QStringLiteral("fotos.sml"));
        TFMakeSalFromWmlWithRadioButtons wordsRadio(services, words, false);
        check(wordsRadio, QStringLiteral("Creació des de paraules, respostes presents"));
        TFMakeSalFromWmlOneAnswer wordsOne(services, words, true);
        check(wordsOne, QStringLiteral("Creació des de paraules, una resposta"));
        TFMakeSalFromSmlWithRadioButtons picturesRadio(services, pictures);
        check(picturesRadio, QStringLiteral("Creació des d'imatges, respostes presents"));
        TFMakeSalFromSmlOneAnswer picturesOne(services, pictures);
        check(picturesOne, QStringLiteral("Creació des d'imatges, una resposta"));
        QVERIFY(prompter.shown.empty());

        // The images/sounds table editor, on a picture row and on a sound-only row.
        pictures.table.clear();
        for (const QStringList &entry : {QStringList{picture, QStringLiteral("Foto")},
                                         QStringList{QString(), QStringLiteral("So")}}) {
            MemTable::Record r = pictures.table.emptyRecord();
            (void)pictures.table.setField(r, 0, entry[0].isEmpty() ? QVariant() : entry[0]);
            (void)pictures.table.setField(r, 1, -1);
            (void)pictures.table.setField(r, 2, -1);
            if (entry[0].isEmpty())
                (void)pictures.table.setField(r, 3, tmp.filePath(QStringLiteral("so.wav")));
            (void)pictures.table.setField(r, 4, entry[1]);
            QVERIFY(!pictures.table.append(r));
        }
        TFEditSML table(services, pictures, false);
        for (int row = 0; row < 2; ++row) {
            table.grid()->setCurrentIndex(table.soundRows().index(row, 0));
            showSized(table);
            check(table, QStringLiteral("Editor de taules d'imatges i sons, fila %1").arg(row + 1));
        }
    }

    // The words table editor on a table of the main window, and on a new one.
    void wordTableEditor()
    {
        FakePrompter prompter;
        FakeShell shell;
        NullPlayerView view;
        PresentationSession session(view, prompter);
        EditorServices services(session, prompter, shell);
        QTemporaryDir tmp;
        MeaningTable words(MeaningKind::Words);
        words.fileName = tmp.filePath(QStringLiteral("curs.wml"));
        QFile file(words.fileName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("gat\tanimal de casa que fa mèu\r\ngos\tel millor amic\r\nllop\tferotge\r\n");
        file.close();
        QVERIFY(words.load(words.fileName).ok());
        bool swapped = false;
        TFEdiWordsAndMeaningTable editor(services, words, swapped);
        editor.openCurrentTable();
        editor.resize(editor.sizeHint());
        check(editor, QStringLiteral("Editor de paraules i significats"));
        TFEdiWordsAndMeaningTable empty(services, words, swapped);
        empty.resize(empty.sizeHint());
        check(empty, QStringLiteral("Editor de paraules i significats, taula nova"));
        QVERIFY(prompter.shown.empty());
    }

    void fileListEditorDialogs()
    {
        FakePrompter prompter;
        FakeShell shell;
        TFFilesFilter slideFilter(FileFilterSet(), ListContents::WithListsAndPrograms, prompter);
        check(slideFilter, QStringLiteral("Tipus d'arxius a mostrar (llista)"));
        TFFilesFilter tableFilter(FileFilterSet(), ListContents::FilesOnly, prompter);
        check(tableFilter, QStringLiteral("Tipus d'arxius a mostrar (taula)"));
        TFAudioFilesFilter audioFilter(2);
        check(audioFilter, QStringLiteral("Tipus d'arxius d'audio a mostrar"));
        TFEdiOptions options(ProgramOptions(), prompter);
        check(options, QStringLiteral("Opcions d'edició"));
        TFEdiOptionsSAL slideOptions(ProgramOptions(), false, prompter);
        check(slideOptions, QStringLiteral("Opcions d'edició de la llista"));
        TFEdiOptionsSML tableOptions(ProgramOptions(), prompter);
        check(tableOptions, QStringLiteral("Opcions d'edició de la taula"));

        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkpath(QStringLiteral("Fotos/Vacances d'estiu")));
        const QString fotos = tmp.filePath(QStringLiteral("Fotos"));
        TFChangeDir change(fotos, true, prompter, shell);
        check(change, QStringLiteral("Canvia el directori"));
        CopyMoveChoices last;
        last.destination = fotos;
        TFSelectDirWhereCopy copy(last, prompter, shell);
        check(copy, QStringLiteral("Selecció del directori de destí (còpia)"));
        TFSelectDirWhereCopyMove move(last, prompter, shell);
        check(move, QStringLiteral("Selecció del directori de destí (moure)"));
        TFFavoriteDirs favourites({fotos, tmp.path()}, fotos, prompter);
        check(favourites, QStringLiteral("Directoris preferits"));

        const QString picture = tmp.filePath(QStringLiteral("marca.png"));
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(picture));
        TFShImageToMark mark(picture, QPoint(500, 500), PresentationSettings());
        check(mark, QStringLiteral("La imatge on es posa la marca"));
        QVERIFY(prompter.shown.empty());
    }

    void identificationDialogs()
    {
        FakePrompter prompter;
        TFUserFN name(prompter);
        name.setUserName(QStringLiteral("Núria"));
        check(name, QStringLiteral("Usuari"));
        TDMAdminUsersDomains users;
        UserPasswordCheck passwordCheck(users, prompter);
        TFUserFNPassword identification(passwordCheck, prompter);
        identification.setUserName(QStringLiteral("Maria"));
        check(identification, QStringLiteral("Identificació"));
        TFUserFNPasswordDomain withDomain(
            passwordCheck, {QStringLiteral("Escola"), QStringLiteral("Casa")}, prompter);
        check(withDomain, QStringLiteral("Identificació i domini"));
        TFPassword password;
        check(password, QStringLiteral("Contrasenya"));
        TFSetPassword setPassword(prompter, HelpContext::ChangeUserPassword);
        check(setPassword, QStringLiteral("Manteniment contrasenya"));
        TFInstall welcome({QStringLiteral("/home/núria/Documents/Pelvar/Exemples"),
                           QStringLiteral("/usr/share/pelvar/Exemples")},
                          prompter, nullptr);
        check(welcome, QStringLiteral("Benvinguda i instal·lació d'exemples"));

        QTemporaryDir dir;
        AdminOptions options(users, prompter, {}, QStringLiteral("Pelvar"));
        options.open(QStringLiteral("adm999"), true, dir.path());
        TFAdminisUsersDomains admin(options, users, prompter);
        admin.load(TWriteRes{});
        check(admin, QStringLiteral("Opcions de l'administrador"));
        for (int page = 1; page < admin.PageControl->count(); ++page) {
            admin.PageControl->setCurrentIndex(page);
            check(admin, QStringLiteral("Opcions de l'administrador %1").arg(page));
        }
    }

    // Runs last: every window class of the program, and every window it titles, was opened by
    // one of the cases above.
    void everyWindowIsChecked()
    {
        QStringList untitled;
        for (const QString &title : literalWindowTitles())
            if (!m_titles.contains(title))
                untitled << title;
        QVERIFY2(untitled.isEmpty(),
                 qPrintable(QStringLiteral("no case opens the window titled: ") +
                            untitled.join(QStringLiteral(", "))));
        QStringList missing;
        for (const QString &name : declaredWindowClasses())
            if (!m_seen.contains(name))
                missing << name;
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not opened by any case: ") +
                                               missing.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(WindowSanityTest)
#include "WindowSanityTest.moc"
