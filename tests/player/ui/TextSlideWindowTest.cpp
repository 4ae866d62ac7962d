#include "player/ui/TFShowImages.h"

#include "player/ui/MainWindowCommandSet.h"
#include "player/ui/TFShowErrWText.h"
#include "player/ui/TextSlideView.h"
#include "slides/ui/SlideArea.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

namespace {

const QString kEditHint = QStringLiteral("Obre la diapositiva actual\r\namb l'editor preassignat");

QImage filled(QColor color)
{
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// A picture, a plain-text file holding RTF markup, a formatted RTF file and a title.
struct TextShow
{
    SlideListFixture fx;
    QString picture, text, rich, list;

    TextShow()
    {
        picture = fx.path(QStringLiteral("vermell.png"));
        filled(QColor(200, 30, 30)).save(picture, "PNG");
        QByteArray lines = "{\\rtf1 {\\b Hola}}\r\nSegona l\xednia\r\n";
        for (int i = 0; i < 200; ++i)
            lines += "Una l\xednia m\xe9s del text llarg\r\n";
        text = fx.file(QStringLiteral("nota.txt"), lines);
        rich = fx.file(QStringLiteral("lletra.rtf"),
                       "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}"
                       "{\\b Negreta} normal {\\cf1 vermell}}");
        list = fx.list(QStringLiteral("text.sal"),
                       {SlideListFixture::line(picture), SlideListFixture::line(text),
                        SlideListFixture::line(rich),
                        SlideListFixture::line(QString(), QString(), QStringLiteral("Fi"))});
    }
};

StartupArgs argsFor(const QString &file)
{
    StartupArgs a;
    a.fileArgument = file;
    return a;
}

void start(TFShowImages &w, const QString &list)
{
    w.resize(900, 700);
    showAndActivate(w);
    w.startUp(argsFor(list), false);
    QVERIFY(w.session().PresentationReady);
}

void activateApplication()
{
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
}

// Moves the file's modification time on, as a program saving it would.
void changeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    QVERIFY(
        f.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
}

bool boldAt(const QTextDocument *doc, const QString &word)
{
    QTextCursor c(const_cast<QTextDocument *>(doc));
    c.setPosition(int(doc->toPlainText().indexOf(word)) + 1);
    return c.charFormat().fontWeight() == int(QFont::Bold);
}

void saveShot(QWidget &w, const char *name)
{
    const QString dir = qEnvironmentVariable("PELVAR_TEST_SHOTS");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        w.grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
    }
}

} // namespace

class TextSlideWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textSlidesShowInTheViewAndTheKeysStillStep()
    {
        TextShow show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        start(w, show.list);
        w.session().Settings.ColorRichEdit = TColor(0x0080FFFF); // light yellow, 0x00BBGGRR
        w.session().Settings.FontText.FontSize = 14;
        w.settingsChanged();
        TextSlideView *view = w.textView();
        QCOMPARE(view->objectName(), QStringLiteral("RichEdit"));
        QAction *edit = w.action(PlayerAction::A_V_Edit);
        QVERIFY(!edit->isEnabled());

        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(edit->isEnabled());
        QCOMPARE(edit->toolTip(), MainWindowCommandSet::hintText(kEditHint));
        QVERIFY(!view->isVisible());

        // Plain text: shown verbatim, markup included, on the panel, with the keys.
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(view->isVisible());
        QCOMPARE(view->geometry(), w.slideArea()->contentRect(SlideArea::ContentPlace::Panel));
        QVERIFY(
            view->toPlainText().startsWith(QStringLiteral("{\\rtf1 {\\b Hola}}\nSegona línia")));
        QVERIFY(view->hasFocus());
        QVERIFY(view->isReadOnly());
        QCOMPARE(view->font().pointSize(), 14);
        QVERIFY(edit->isEnabled());
        QCOMPARE(edit->toolTip(), MainWindowCommandSet::hintText(kEditHint));
        const QImage shot = view->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() - 3), QColor(255, 255, 128));
        saveShot(w, "text-slide.png");

        // It follows the settings at once.
        w.session().Settings.ColorRichEdit = TColor(0x00404040);
        w.session().Settings.FontText.FontSize = 20;
        w.settingsChanged();
        QCOMPARE(view->font().pointSize(), 20);
        QCOMPARE(view->document()->defaultFont().pointSize(), 20);
        const QImage changed = view->grab().toImage();
        QCOMPARE(changed.pixelColor(changed.width() / 2, changed.height() - 3),
                 QColor(0x40, 0x40, 0x40));

        // The keys the window does not use scroll the text.
        QScrollBar *bar = view->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(view, Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        QTest::keyClick(view, Qt::Key_Down);
        const int scrolled = bar->value();
        QTest::keyClick(view, Qt::Key_Up);
        QVERIFY(bar->value() < scrolled);
        // And the wheel.
        const int beforeWheel = bar->value();
        const QPointF at(50, 50);
        QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        QVERIFY(bar->value() > beforeWheel);

        // Space steps on from inside the view; the RTF file is formatted.
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(w.engine().state().CurrentSlide.FileName, show.rich);
        QVERIFY(view->isVisible());
        QCOMPARE(view->toPlainText(), QStringLiteral("Negreta normal vermell"));
        QVERIFY(boldAt(view->document(), QStringLiteral("Negreta")));
        QVERIFY(!boldAt(view->document(), QStringLiteral("normal")));
        QCOMPARE(bar->value(), 0); // a new file starts at its top
        saveShot(w, "rtf-slide.png");

        // Backspace and Home (a shortcut) go back from the view.
        QTest::keyClick(view, Qt::Key_Backspace);
        QCOMPARE(w.engine().state().CurrentSlide.FileName, show.text);
        QTest::keyClick(view, Qt::Key_Home);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QVERIFY(!view->isVisible());

        // On to the title: the view goes and the command is off.
        QTest::keyClick(&w, Qt::Key_Space);
        QTest::keyClick(&w, Qt::Key_Space);
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Title);
        QVERIFY(!view->isVisible());
        QVERIFY(!edit->isEnabled());
        QCOMPARE(edit->toolTip(), QStringLiteral("Obre la diapositiva actual"));

        // Esc ends the run from the view too.
        QTest::keyClick(&w, Qt::Key_Backspace);
        QVERIFY(view->hasFocus());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!w.engine().state().Presenting);
        QVERIFY(!view->isVisible());
        QVERIFY(!edit->isEnabled());
        QVERIFY(prompter.shown.empty());
    }

    void anUnreadableTextEndsTheRun()
    {
        if (!QFileInfo(QStringLiteral("/proc/self/mem")).exists())
            QSKIP("needs a file that opens but cannot be read");
        TextShow show;
        // A file that exists and opens, but whose reading fails.
        const QString broken = show.fx.path(QStringLiteral("trencat.txt"));
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), broken));
        const QString list =
            show.fx.list(QStringLiteral("trencat.sal"),
                         {SlideListFixture::line(show.picture), SlideListFixture::line(broken),
                          SlideListFixture::line(show.rich)});
        FakePrompter prompter;
        TFShowImages w(prompter);
        start(w, list);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(!w.engine().state().Presenting);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("No es pot obrir el fitxer %1").arg(broken)});
        QVERIFY(!w.textView()->isVisible());
    }

    void editPausesAnAutomaticRunAndTheChangedTextIsShownAgain()
    {
        TextShow show;
        FakePrompter prompter;
        FakeShell shell;
        TFShowImages w(prompter);
        w.setShell(shell);
        start(w, show.list);
        w.session().Settings.ManualViewing = false;
        w.session().Settings.ImageDelay = 1000; // nothing moves on by itself during the test
        // From the RTF slide.
        w.engine().RunPresentation(2);
        QCOMPARE(w.engine().state().CurrentSlide.FileName, show.rich);
        QVERIFY(!w.engine().state().Paused);

        QTest::keyClick(w.textView(), Qt::Key_E);
        QVERIFY(w.engine().state().Paused);
        QCOMPARE(shell.paths(FakeShell::Request::OpenDocument), QStringList{show.rich});
        QVERIFY(w.editedFile().pending());

        // Activation without a change leaves the view alone and forgets the age.
        activateApplication();
        QVERIFY(!w.editedFile().pending());
        QCOMPARE(w.textView()->toPlainText(), QStringLiteral("Negreta normal vermell"));

        // Opening again (a paused run is not paused twice) and saving a change.
        w.action(PlayerAction::A_V_Edit)->trigger();
        QVERIFY(w.engine().state().Paused);
        changeFile(show.rich, "{\\rtf1\\ansi Nou {\\b text}}");
        activateApplication();
        QCOMPARE(w.textView()->toPlainText(), QStringLiteral("Nou text"));
        QVERIFY(boldAt(w.textView()->document(), QStringLiteral("text")));
        QVERIFY(w.engine().state().Presenting);
        QVERIFY(prompter.shown.empty());

        // A change that cannot be read is reported; the run goes on.
        w.action(PlayerAction::A_V_Edit)->trigger();
        QVERIFY(QFile::remove(show.rich));
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), show.rich));
        activateApplication();
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("No es pot obrir el fitxer %1").arg(show.rich)});
        QVERIFY(w.engine().state().Presenting);
        w.engine().stop();
    }

    void aChangedPictureIsShownAgainAndAFailedOpeningIsReported()
    {
        TextShow show;
        FakePrompter prompter;
        FakeShell shell;
        TFShowImages w(prompter);
        w.setShell(shell);
        start(w, show.list);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);

        // A manual run is not paused.
        w.action(PlayerAction::A_V_Edit)->trigger();
        QCOMPARE(shell.paths(FakeShell::Request::OpenDocument), QStringList{show.picture});
        QImage blue = filled(QColor(20, 40, 220));
        QVERIFY(blue.save(show.picture, "PNG"));
        QFile f(show.picture);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                              QFileDevice::FileModificationTime));
        f.close();
        activateApplication();
        const QSize size = w.slideArea()->size();
        const QImage shot = w.slideArea()->renderToImage(size);
        const QRect pic = w.slideArea()->layoutFor(size, &shot).picture;
        QCOMPARE(QColor(shot.pixel(pic.center())), QColor(20, 40, 220));

        // The shell's refusal is reported with its reason, and nothing is watched.
        shell.results.push_back(
            Fallible<void>::failure(QStringLiteral("No hi ha cap aplicació associada")));
        w.action(PlayerAction::A_V_Edit)->trigger();
        QCOMPARE(prompter.texts(),
                 QStringList{cannotOpenMessage(
                     show.picture, QStringLiteral("No hi ha cap aplicació associada"))});
        QVERIFY(!w.editedFile().pending());
        w.engine().stop();
    }

    void aQuestionOnATextSlideGoesBelowTheText()
    {
        TextShow show;
        const QString list = show.fx.list(
            QStringLiteral("pregunta.sal"),
            {SlideListFixture::line(show.rich, QStringLiteral("XP"), QStringLiteral("Quina?"),
                                    QStringLiteral("u|dos|tres"))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        start(w, list);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(w.textView()->isVisible());
        const SlideScene::Layout L = w.slideArea()->scene().layout(w.slideArea()->size(), &w);
        QVERIFY(!L.questionPanel.isEmpty());
        QVERIFY(L.questionPanel.bottom() == w.slideArea()->height() - 1);
        const QRect text = w.textView()->geometry();
        QVERIFY(!text.isEmpty());
        QVERIFY(!text.intersects(L.questionPanel));
        QCOMPARE(text, w.slideArea()->contentRect(SlideArea::ContentPlace::Panel));
        saveShot(w, "rtf-question.png");
        w.engine().stop();
    }

    void viewOnlyUsersCannotOpenTheFiles()
    {
        TextShow show;
        FakePrompter prompter;
        FakeShell shell;
        TFShowImages w(prompter);
        w.setShell(shell);
        w.resize(900, 700);
        showAndActivate(w);
        StartupArgs args = argsFor(show.list);
        args.accessLevel = AccessLevel::ViewOnly;
        w.startUp(args, false);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QTest::keyClick(&w, Qt::Key_Space);
        QVERIFY(w.textView()->isVisible());
        QVERIFY(!w.action(PlayerAction::A_V_Edit)->isVisible());
        QTest::keyClick(w.textView(), Qt::Key_E);
        w.action(PlayerAction::A_V_Edit)->trigger();
        QVERIFY(shell.calls.empty());
        QVERIFY(!w.editedFile().pending());
        w.engine().stop();
    }

    void theReactionWindowShowsRtfFormatted()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView view;
        TFShowErrWText w(FontSettings(), view, prompter, QString());
        w.setBackground(QColor(10, 200, 10));
        const QString file =
            fx.file(QStringLiteral("reaccio.RTF"), "{\\rtf1\\ansi Molt {\\b b\\'e9}!\\par Fi}");
        QCOMPARE(w.loadText(file, QSize(300, 200)), QString());
        QCOMPARE(w.textView()->toPlainText(), QStringLiteral("Molt bé!\nFi"));
        QVERIFY(boldAt(w.textView()->document(), QStringLiteral("bé")));
        QVERIFY(!boldAt(w.textView()->document(), QStringLiteral("Molt")));
        showAndActivate(w);
        const QImage shot = w.textView()->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() - 4), QColor(10, 200, 10));

        // A plain file with markup stays as written.
        const QString plain = fx.file(QStringLiteral("reaccio.txt"), "{\\rtf1 {\\b no}}");
        QCOMPARE(w.loadText(plain, QSize(300, 200)), QString());
        QCOMPARE(w.textView()->toPlainText(), QStringLiteral("{\\rtf1 {\\b no}}"));
    }
};

QTEST_MAIN(TextSlideWindowTest)
#include "TextSlideWindowTest.moc"
