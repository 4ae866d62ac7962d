// The web page preview: the history of the pages followed and chosen back, the buttons and their
// lists, the stop button's picture, the text size, and its keys (F1 opens its help page, Esc
// leaves it open).

#include "editors/ui/TFEdiPresWeb.h"

#include "config/PresentationSettings.h"
#include "editors/PreviewContext.h"
#include "files/HelpRequester.h"
#include "player/ui/MainWindowCommandSet.h"
#include "player/ui/WebSlideView.h"
#include "slides/ui/TextBrowserControl.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTest>

namespace {

struct RecordingHelp : HelpRequester
{
    QStringList asked;
    void showHelpContext(int context) override { asked << QString::number(context); }
    void showHelpTopic(const QString &topic) override { asked << topic; }
    void showHelpContents() override { asked << QStringLiteral("contents"); }
};

QByteArray page(const char *body)
{
    return QByteArrayLiteral("<html><body><h1>Pàgina</h1>") + body +
           QByteArrayLiteral("</body></html>");
}

struct WebPreview
{
    SlideListFixture fx;
    QString a = fx.file(QStringLiteral("a.htm"), page("<a href='b.htm'>b</a>"));
    QString b = fx.file(QStringLiteral("b.htm"), page("<a href='c.htm'>c</a>"));
    QString c = fx.file(QStringLiteral("c.htm"), page("<a href='a.htm'>a</a>"));
    PresentationSettings settings;
    FakePrompter prompter;
    FakePlayerView audio;
    RecordingHelp help;
    PreviewContext context{settings, prompter};

    WebPreview()
    {
        context.help = &help;
        context.audio = &audio;
    }

    std::unique_ptr<TFEdiPresWeb> open(SlideRecord slide = SlideRecord())
    {
        slide.Kind = skWeb;
        slide.FileName = a;
        return std::make_unique<TFEdiPresWeb>(slide, context, [](QWidget *parent) {
            return std::make_unique<TextBrowserControl>(parent);
        });
    }
    // A link followed in the page: the browser reports it before it loads.
    static void follow(TFEdiPresWeb &w, const QString &path)
    {
        w.browser()->navigate(QUrl::fromLocalFile(path));
    }
};

QString pageHint(const char *which, const QString &page)
{
    return MainWindowCommandSet::hintText(
        QStringLiteral("Ves a la pàgina %1:\r\n%2,\r\nacabada de visitar")
            .arg(QLatin1String(which), page));
}

QStringList menuEntries(QAction *button)
{
    Q_EMIT button->menu()->aboutToShow();
    QStringList out;
    for (QAction *a : button->menu()->actions())
        out << a->text();
    return out;
}

} // namespace

class WebPreviewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A, then links to B and C: back B, A. Choosing A from the back list goes there and leaves
    // the back list empty and the forward list B, C.
    void historyOfPagesFollowedAndChosen()
    {
        WebPreview f;
        auto w = f.open();
        QCOMPARE(w->addressBox()->text(), f.a);
        QCOMPARE(w->history().CurrentPage(), f.a);
        QVERIFY(!w->backwardAction()->isEnabled() && !w->forwardAction()->isEnabled());
        WebPreview::follow(*w, f.b);
        WebPreview::follow(*w, f.c);
        QCOMPARE(w->history().BackList(), (QStringList{f.b, f.a}));
        QVERIFY(w->history().ForwardList().isEmpty());
        QCOMPARE(w->addressBox()->text(), f.c);
        QVERIFY(w->backwardAction()->isEnabled());
        QCOMPARE(w->backwardAction()->toolTip(), pageHint("anterior", f.b));
        QVERIFY(!w->forwardAction()->isEnabled());
        QCOMPARE(menuEntries(w->backwardAction()), (QStringList{f.b, f.a}));

        // A from the button's list.
        w->backwardAction()->menu()->actions().at(1)->trigger();
        QCOMPARE(w->history().CurrentPage(), f.a);
        QVERIFY(w->history().BackList().isEmpty());
        QCOMPARE(w->history().ForwardList(), (QStringList{f.b, f.c}));
        QCOMPARE(w->addressBox()->text(), f.a);
        QCOMPARE(w->browser()->url(), QUrl::fromLocalFile(f.a));
        QVERIFY(!w->backwardAction()->isEnabled());
        QVERIFY(w->forwardAction()->isEnabled());
        QCOMPARE(w->forwardAction()->toolTip(), pageHint("posterior", f.b));

        // "Endavant" goes to B; a link to a page of the forward list moves the history there.
        w->forwardAction()->trigger();
        QCOMPARE(w->history().CurrentPage(), f.b);
        QCOMPARE(w->history().BackList(), QStringList{f.a});
        QCOMPARE(w->history().ForwardList(), QStringList{f.c});
        WebPreview::follow(*w, f.c);
        QCOMPARE(w->history().BackList(), (QStringList{f.b, f.a}));
        QVERIFY(w->history().ForwardList().isEmpty());
        // A reload changes nothing.
        w->refreshAction()->trigger();
        QCOMPARE(w->history().CurrentPage(), f.c);
        QCOMPARE(w->history().BackList(), (QStringList{f.b, f.a}));
    }

    void keys()
    {
        WebPreview f;
        auto w = f.open();
        showAndActivate(*w);
        WebPreview::follow(*w, f.b);
        QTest::keyClick(w.get(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(w->history().CurrentPage(), f.a);
        QTest::keyClick(w.get(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(w->history().CurrentPage(), f.b);
        QTest::keyClick(w.get(), Qt::Key_F1);
        QCOMPARE(f.help.asked, QStringList{QStringLiteral("1117")});
        QTest::keyClick(w->browser()->widget(), Qt::Key_Escape);
        QTest::keyClick(w.get(), Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QVERIFY(f.prompter.shown.empty());
        // Without the program's help F1 still tells how to close the window.
        f.context.help = nullptr;
        QTest::keyClick(w.get(), Qt::Key_F1);
        QCOMPARE(f.prompter.texts(), QStringList{w->helpText()});
        w->close();
        QVERIFY(!w->isVisible());
    }

    void stopButtonAndTextSize()
    {
        WebPreview f;
        auto w = f.open();
        QVERIFY(!w->loading());
        Q_EMIT w->browser()->loadStarted();
        QVERIFY(w->loading());
        QCOMPARE(w->stopAction()->icon().pixmap(16).toImage(),
                 WebSlideView::stopIcon(true).pixmap(16).toImage());
        Q_EMIT w->browser()->loadFinished(true);
        QVERIFY(!w->loading());
        QCOMPARE(w->stopAction()->icon().pixmap(16).toImage(),
                 WebSlideView::stopIcon(false).pixmap(16).toImage());

        QSpinBox *size = w->textSizeControl();
        QCOMPARE(size->value(), w->browser()->textSize());
        size->setValue(size->value() + 1);
        QCOMPARE(w->browser()->textSize(), size->value());
        QVERIFY(size->toolTip().contains(
            QStringLiteral("Ampliació de la mida del text: %1").arg(size->value())));
    }

    void noBrowser()
    {
        WebPreview f;
        SlideRecord s;
        s.Kind = skWeb;
        s.FileName = f.a;
        TFEdiPresWeb w(s, f.context, [](QWidget *) { return nullptr; });
        QCOMPARE(f.prompter.texts(), QStringList{WebSlideView::noBrowserMessage()});
        QVERIFY(!w.browser());
        QVERIFY(!w.stopAction()->isEnabled());
    }
};

QTEST_MAIN(WebPreviewTest)
#include "WebPreviewTest.moc"
