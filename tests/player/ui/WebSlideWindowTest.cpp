// Web slides in the main window: the page in its panel, the history and text size commands, and
// the view freed at the next slide.

#include "player/ui/TFShowImages.h"

#include "player/ui/MainWindowActions.h"
#include "player/ui/WebSlideView.h"
#include "slides/ui/SlideArea.h"
#include "slides/ui/TextBrowserControl.h"
#include "slides/ui/WebEngineSetup.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#ifdef PELVAR_HAVE_WEBENGINE
#include "slides/ui/WebEngineBrowserControl.h"

#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace {

QByteArray page(const char *colour, const char *body)
{
    return QByteArrayLiteral("<html><body style='background:") + colour +
           QByteArrayLiteral("'><h1>Pàgina</h1>") + body + QByteArrayLiteral("</body></html>");
}

// Three linked pages, a picture and the list: the web slide first, then the picture.
struct WebFixture
{
    SlideListFixture fx;
    QString a, b, c, picture, list;

    explicit WebFixture(const QStringList &extraLines = {})
    {
        a = fx.file(QStringLiteral("a.htm"),
                    page("#00c000", "<a id='b' href='b.htm'>b</a> <a id='c' href='c.htm'>c</a>"));
        b = fx.file(QStringLiteral("b.htm"), page("#0000c0", "<a href='c.htm'>c</a>"));
        c = fx.file(QStringLiteral("c.htm"), page("#c00000", "<a href='a.htm'>a</a>"));
        picture = fx.picture(QStringLiteral("imatge.png"), 40, 30);
        list = fx.list(QStringLiteral("web.sal"),
                       QStringList{SlideListFixture::line(a), SlideListFixture::line(picture)} +
                           extraLines);
    }
};

StartupArgs argsFor(const QString &file)
{
    StartupArgs s;
    s.fileArgument = file;
    return s;
}

QAction *command(TFShowImages &w, const char *name)
{
    return w.action(QString::fromLatin1(name));
}

QList<QAction *> webCommands(TFShowImages &w)
{
    QList<QAction *> out;
    for (const char *name : webCommandNames())
        out << command(w, name);
    return out;
}

// Starts a manual run of `list` in a shown window.
void startRun(TFShowImages &w, const QString &list)
{
    w.resize(900, 700);
    showAndActivate(w);
    w.startUp(argsFor(list), false);
    QVERIFY(w.engine().session().PresentationReady);
    w.session().Settings.ManualViewing = true;
    w.action(PlayerAction::A_V_InitNext)->trigger();
    QVERIFY(w.engine().state().Presenting);
}

// The browser of the window made as the text browser, which loads at once.
void useTextBrowser(TFShowImages &w)
{
    w.webView()->setBrowserFactory(
        [](QWidget *parent) { return std::make_unique<TextBrowserControl>(parent); });
}

QString pageHint(const char *which, const QString &address)
{
    return MainWindowCommandSet::hintText(
        QStringLiteral("Ves a la pàgina %1:\r\n%2,\r\nacabada de visitar")
            .arg(QLatin1String(which), address));
}

} // namespace

class WebSlideWindowTest : public QObject
{
    Q_OBJECT
public:
    static void initMain() { prepareWebEngine(); }

private Q_SLOTS:
    // The seven commands and the up-down, as the menu and the toolbar show them, and only during
    // a run of a list with a web slide.
    void commandsShownOnlyWhileAWebListRuns()
    {
        FakePrompter prompter;
        TFShowImages w(prompter);
        useTextBrowser(w);
        const QList<QAction *> web = webCommands(w);
        QCOMPARE(web.size(), 7);
        const QStringList captions{QStringLiteral("Pàgina d'inici"),
                                   QStringLiteral("Pàgina web anterior"),
                                   QStringLiteral("Pàgina web posterior"),
                                   QStringLiteral("Atura la càrrega de la pàgina"),
                                   QStringLiteral("Actualitza el contingut"),
                                   QStringLiteral("Disminueix la mida del text"),
                                   QStringLiteral("Augmenta la mida del text")};
        const QMenu *specific = w.menu(u"MI_SpecificViewing");
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(web[i]->text(), captions[i]);
            QVERIFY(specific->actions().contains(web[i]));
            QVERIFY(!web[i]->isVisible());
            QVERIFY(!web[i]->isEnabled());
        }
        // In the menu's order, after the image commands.
        const QList<QAction *> entries = specific->actions();
        QVERIFY(entries.indexOf(web[0]) > entries.indexOf(command(w, "A_I_ShowNameAndNote")));
        for (int i = 1; i < 7; ++i)
            QVERIFY(entries.indexOf(web[i]) > entries.indexOf(web[i - 1]));
        QCOMPARE(web[0]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Home));
        QCOMPARE(web[1]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Left));
        QCOMPARE(web[2]->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Right));
        QCOMPARE(command(w, "A_W_Stop")->toolTip(), QStringLiteral("Atura la càrrega"));

        // The toolbar: back, forward, stop, then the up-down, at the end.
        const QList<QAction *> bar = w.toolBar()->actions();
        const QAction *ud = w.webView()->fontSizeAction();
        QVERIFY(ud);
        QCOMPARE(ud->objectName(), QStringLiteral("UD_WFontSize"));
        const int back = int(bar.indexOf(web[1]));
        QVERIFY(back > bar.indexOf(command(w, "TB_SepEnd")));
        QCOMPARE(bar.indexOf(web[2]), back + 1);
        QCOMPARE(bar.indexOf(web[3]), back + 2);
        QCOMPARE(bar.indexOf(ud), back + 3);
        QCOMPARE(w.toolBar()->widgetForAction(web[1])->objectName(),
                 QStringLiteral("TB_W_Backward"));
        QCOMPARE(w.toolBar()->widgetForAction(web[3])->objectName(), QStringLiteral("TB_W_Stop"));
        QVERIFY(!ud->isVisible());

        // A list without a web slide runs without them.
        SlideListFixture plain;
        const QString pic = plain.picture(QStringLiteral("p.png"));
        startRun(w, plain.list(QStringLiteral("p.sal"), {SlideListFixture::line(pic)}));
        for (QAction *a : web)
            QVERIFY(!a->isVisible());
        QVERIFY(!ud->isVisible());
        w.action(PlayerAction::A_V_Stop)->trigger();

        // One with a web slide shows them for the run only.
        WebFixture f;
        startRun(w, f.list);
        for (QAction *a : web)
            QVERIFY(a->isVisible());
        QVERIFY(ud->isVisible());
        QVERIFY(command(w, "MI_SV_SepWeb")->isVisible());
        w.action(PlayerAction::A_V_Stop)->trigger();
        QVERIFY(!w.engine().state().Presenting);
        for (QAction *a : web) {
            QVERIFY(!a->isVisible());
            QVERIFY(!a->isEnabled());
        }
        QVERIFY(!ud->isVisible());
        QVERIFY(!w.webView()->browser());
        QVERIFY(prompter.shown.empty());
    }

    // The history follows links and the commands, and the next slide frees it all. Runs on the
    // text browser, so the rules hold with and without the web engine.
    void historyAndTextSizeOnTheTextBrowser()
    {
        WebFixture f;
        FakePrompter prompter;
        TFShowImages w(prompter);
        useTextBrowser(w);
        startRun(w, f.list);
        WebSlideView &web = *w.webView();
        QVERIFY(web.browser());
        QCOMPARE(w.slideArea()->contentView(), web.panel());
        QVERIFY(web.panel()->isVisible());
        QCOMPARE(web.panel()->geometry(),
                 w.slideArea()->contentRect(SlideArea::ContentPlace::Panel));
        QCOMPARE(web.history().CurrentPage(), f.a);
        QVERIFY(command(w, "A_W_Stop")->isEnabled());
        QVERIFY(command(w, "A_W_Refresh")->isEnabled());
        QVERIFY(!command(w, "A_W_Home")->isEnabled());
        QVERIFY(!command(w, "A_W_Backward")->isEnabled());
        QVERIFY(!command(w, "A_W_Forward")->isEnabled());

        // A link clicked in the page.
        auto *view = qobject_cast<QTextBrowser *>(web.browser()->widget());
        QVERIFY(view);
        Q_EMIT view->anchorClicked(QUrl(QStringLiteral("b.htm")));
        QCOMPARE(web.history().CurrentPage(), f.b);
        QCOMPARE(web.history().BackList(), QStringList{f.a});
        QVERIFY(command(w, "A_W_Backward")->isEnabled());
        QVERIFY(command(w, "A_W_Home")->isEnabled());
        QCOMPARE(command(w, "A_W_Backward")->toolTip(), pageHint("anterior", f.a));
        QVERIFY(view->toPlainText().contains(QStringLiteral("Pàgina")));
        QCOMPARE(view->source(), QUrl::fromLocalFile(f.b));

        // Back by its key, which does not step the run; then a link back to the page just left
        // moves the history instead of adding.
        QTest::keyClick(&w, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(w.engine().state().Position, 0);
        QVERIFY(w.webView()->browser());
        QCOMPARE(view->source(), QUrl::fromLocalFile(f.a));
        QCOMPARE(web.history().ForwardList(), QStringList{f.b});
        QCOMPARE(command(w, "A_W_Forward")->toolTip(), pageHint("posterior", f.b));
        QVERIFY(!command(w, "A_W_Backward")->isEnabled());
        QCOMPARE(command(w, "A_W_Backward")->statusTip(), QString());
        Q_EMIT view->anchorClicked(QUrl(QStringLiteral("b.htm")));
        QCOMPARE(web.history().CurrentPage(), f.b);
        QCOMPARE(web.history().BackList(), QStringList{f.a});
        QVERIFY(web.history().ForwardList().isEmpty());

        // Text size: 0..4 from the middle; the commands stop at the ends.
        QSpinBox *ud = web.fontSizeControl();
        QVERIFY(ud->isEnabled());
        QCOMPARE(ud->minimum(), 0);
        QCOMPARE(ud->maximum(), 4);
        QCOMPARE(ud->value(), 2);
        QAction *dec = command(w, "A_W_DecFontSize");
        QAction *inc = command(w, "A_W_IncFontSize");
        QVERIFY(dec->isEnabled() && inc->isEnabled());
        const qreal medium = view->font().pointSizeF();
        inc->trigger();
        inc->trigger();
        QCOMPARE(ud->value(), 4);
        QVERIFY(!inc->isEnabled());
        QVERIFY(dec->isEnabled());
        QVERIFY(view->font().pointSizeF() > medium);
        QCOMPARE(ud->toolTip(),
                 QStringLiteral("Ampliació de la mida del text: 4\n(de la pàgina web)"));
        for (int i = 0; i < 4; ++i)
            dec->trigger();
        QCOMPARE(ud->value(), 0);
        QVERIFY(!dec->isEnabled());
        QVERIFY(view->font().pointSizeF() < medium);
        dec->trigger(); // disabled: nothing
        QCOMPARE(web.browser()->textSize(), 0);
        ud->setValue(3); // a click on the up-down
        QCOMPARE(web.browser()->textSize(), 3);
        QVERIFY(dec->isEnabled() && inc->isEnabled());
        // A new page keeps the size.
        Q_EMIT view->anchorClicked(QUrl(QStringLiteral("c.htm")));
        QCOMPARE(ud->value(), 3);

        // The next slide frees the view, its history, and disables the commands.
        QPointer<QWidget> browserWidget = web.browser()->widget();
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QVERIFY(!web.browser());
        QVERIFY(browserWidget.isNull());
        QVERIFY(!web.panel()->isVisible());
        QVERIFY(web.history().CurrentPage().isEmpty());
        QVERIFY(web.history().BackList().isEmpty());
        for (QAction *a : webCommands(w)) {
            QVERIFY(!a->isEnabled());
            QVERIFY(a->isVisible()); // still the run of a web list
        }
        QVERIFY(!ud->isEnabled());

        // Back to the web slide: a new view at the middle size, at the slide's page.
        QTest::keyClick(&w, Qt::Key_Backspace);
        QVERIFY(web.browser());
        QCOMPARE(web.history().CurrentPage(), f.a);
        QCOMPARE(ud->value(), 2);
        QVERIFY(prompter.shown.empty());
    }

    // Without a browser the error is shown once, the slide stays blank and the run goes on.
    void noBrowserGoesOnBlank()
    {
        WebFixture f;
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.webView()->setBrowserFactory([](QWidget *) { return nullptr; });
        startRun(w, f.list);
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        QCOMPARE(prompter.shown[0].text, WebSlideView::noBrowserMessage());
        QVERIFY(prompter.shown[0].text.endsWith(QStringLiteral("situat ShDOCVW.DLL")));
        QVERIFY(w.engine().state().Presenting);
        QVERIFY(!w.webView()->browser());
        QVERIFY(!command(w, "A_W_Stop")->isEnabled());
        QVERIFY(!command(w, "A_W_Refresh")->isEnabled());
        // Blank: the empty panel covers the place where the file's name would be drawn.
        QCOMPARE(w.slideArea()->contentView(), w.webView()->panel());
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QVERIFY(!w.webView()->panel()->isVisible());
    }

    // A web slide whose file is missing is reported by the stepping before any view is made.
    void missingPageReportedByTheStepping()
    {
        WebFixture f;
        QFile::remove(f.a);
        FakePrompter prompter;
        TFShowImages w(prompter);
        useTextBrowser(w);
        w.resize(900, 700);
        showAndActivate(w);
        w.startUp(argsFor(f.list), false);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(!prompter.shown.empty());
        QVERIFY(prompter.shown[0].text.contains(QStringLiteral("a.htm")));
        QVERIFY(prompter.shown[0].text != WebSlideView::noBrowserMessage());
        QVERIFY(!w.webView()->browser());
    }

    // The real web engine: the page loads and draws in the window during a run; links,
    // back, forward, home and refresh go through the history.
    void webEnginePageInTheWindow()
    {
#ifndef PELVAR_HAVE_WEBENGINE
        QSKIP("Built without Qt WebEngine: web slides use the text browser");
#else
        WebFixture f;
        FakePrompter prompter;
        TFShowImages w(prompter);
        startRun(w, f.list);
        WebSlideView &web = *w.webView();
        QVERIFY(web.browser());
        auto *control = dynamic_cast<WebEngineBrowserControl *>(web.browser());
        QVERIFY(control);
        QWebEngineView *view = control->view();
        QTRY_VERIFY_WITH_TIMEOUT(!web.loading() && view->url() == QUrl::fromLocalFile(f.a), 20000);
        QCOMPARE(web.history().CurrentPage(), f.a);
        QCOMPARE(command(w, "A_W_Stop")->icon().cacheKey(), web.idleIcon().cacheKey());
        QVERIFY(web.loadingIcon().pixmap(16).toImage() != web.idleIcon().pixmap(16).toImage());

        // The page is drawn where the slide's picture goes, in its colour.
        const QRect place = w.slideArea()->contentRect(SlideArea::ContentPlace::Panel);
        QCOMPARE(web.panel()->geometry(), place);
        QTRY_COMPARE_WITH_TIMEOUT(
            QColor(view->grab().toImage().pixel(view->width() / 2, view->height() - 10)),
            QColor(0, 0xc0, 0), 20000);
        if (const QString shots = qEnvironmentVariable("PELVAR_TEST_SHOTS"); !shots.isEmpty()) {
            QDir().mkpath(shots);
            w.grab().save(shots + QStringLiteral("/web-slide.png"));
        }

        // The page does not take the keys from the slide area.
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus != view && !view->isAncestorOf(focus));

        // A script in the page goes to b: the history takes it as a navigation, and the stop
        // command shows the loading picture while the page loads.
        QAction *stop = command(w, "A_W_Stop");
        QList<qint64> stopIcons;
        QObject iconWatch; // goes before the list it fills; the window outlives both
        connect(stop, &QAction::changed, &iconWatch, [&] { stopIcons << stop->icon().cacheKey(); });
        QSignalSpy started(web.browser(), &WebBrowserControl::loadStarted);
        view->page()->runJavaScript(QStringLiteral("location.href = 'b.htm'"));
        QTRY_COMPARE_WITH_TIMEOUT(web.history().CurrentPage(), f.b, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(started.count() >= 1, 20000);
        QCOMPARE(web.history().BackList(), QStringList{f.a});
        QVERIFY(command(w, "A_W_Backward")->isEnabled());
        QVERIFY(command(w, "A_W_Home")->isEnabled());
        QCOMPARE(command(w, "A_W_Backward")->toolTip(), pageHint("anterior", f.a));
        QTRY_VERIFY_WITH_TIMEOUT(!web.loading(), 20000);
        QVERIFY(stopIcons.contains(web.loadingIcon().cacheKey()));
        QCOMPARE(stop->icon().cacheKey(), web.idleIcon().cacheKey());
        view->page()->runJavaScript(QStringLiteral("location.href = 'c.htm'"));
        QTRY_COMPARE_WITH_TIMEOUT(web.history().CurrentPage(), f.c, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!web.loading(), 20000);

        // Back twice and forward once: at b, a behind, c ahead; the view follows.
        command(w, "A_W_Backward")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl::fromLocalFile(f.b), 20000);
        command(w, "A_W_Backward")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl::fromLocalFile(f.a), 20000);
        QCOMPARE(web.history().ForwardList(), (QStringList{f.b, f.c}));
        QVERIFY(!command(w, "A_W_Backward")->isEnabled());
        command(w, "A_W_Forward")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl::fromLocalFile(f.b), 20000);
        QCOMPARE(web.history().CurrentPage(), f.b);
        QCOMPARE(web.history().BackList(), QStringList{f.a});
        QCOMPARE(web.history().ForwardList(), QStringList{f.c});
        QCOMPARE(command(w, "A_W_Forward")->toolTip(), pageHint("posterior", f.c));
        // The view's own reports of these moves changed nothing more.
        QTRY_VERIFY_WITH_TIMEOUT(!web.loading(), 20000);
        QCOMPARE(web.history().BackList(), QStringList{f.a});

        // Refresh loads the current page again without touching the history.
        const qsizetype before = started.count();
        command(w, "A_W_Refresh")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(started.count() > before, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!web.loading(), 20000);
        QCOMPARE(web.history().CurrentPage(), f.b);
        QCOMPARE(web.history().ForwardList(), QStringList{f.c});

        // Home: the oldest page, every newer one ahead.
        view->page()->runJavaScript(QStringLiteral("location.href = 'a.htm'"));
        QTRY_COMPARE_WITH_TIMEOUT(web.history().CurrentPage(), f.a, 20000);
        QCOMPARE(web.history().BackList(), QStringList{});
        QCOMPARE(web.history().ForwardList(), (QStringList{f.b, f.c}));
        command(w, "A_W_Forward")->trigger();
        command(w, "A_W_Forward")->trigger();
        QCOMPARE(web.history().CurrentPage(), f.c);
        command(w, "A_W_Home")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl::fromLocalFile(f.a), 20000);
        QCOMPARE(web.history().ForwardList(), (QStringList{f.b, f.c}));
        QVERIFY(!command(w, "A_W_Home")->isEnabled());

        // The text size is the view's zoom.
        command(w, "A_W_IncFontSize")->trigger();
        QCOMPARE(view->zoomFactor(), WebBrowserControl::zoomForTextSize(3));
        QVERIFY(view->zoomFactor() > 1.0);

        // The run's keys still step: the next slide frees the view.
        QPointer<QWebEngineView> gone = view;
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(w.slideArea()->content(), SlideArea::Content::Picture);
        QVERIFY(gone.isNull());
        QVERIFY(!web.browser());
        for (QAction *a : webCommands(w))
            QVERIFY(!a->isEnabled());
        QVERIFY(prompter.shown.empty());
#endif
    }
};

QTEST_MAIN(WebSlideWindowTest)
#include "WebSlideWindowTest.moc"
