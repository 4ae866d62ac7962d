#include "files/ui/QtPrompter.h"

#include "files/SystemColors.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct SeenButton
{
    QString name; // "Yes", "No", ... from the object name
    QString caption;
    int x = 0;
    int width = 0;
    bool isDefault = false;
};

struct SeenBox
{
    bool found = false;
    QString title;
    QString text;
    std::vector<SeenButton> buttons; // left to right
};

QWidget *findBox()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("PelvarMessageBox") && w->isVisible())
            return w;
    return nullptr;
}

SeenBox inspect(QWidget *box)
{
    SeenBox seen;
    seen.found = true;
    seen.title = box->windowTitle();
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("text")))
        seen.text = label->text();
    for (QPushButton *b : box->findChildren<QPushButton *>())
        seen.buttons.push_back({b->objectName().mid(int(qstrlen("msgButton_"))), b->text(),
                                b->mapTo(box, QPoint(0, 0)).x(), b->width(), b->isDefault()});
    std::sort(seen.buttons.begin(), seen.buttons.end(),
              [](const SeenButton &a, const SeenButton &b) { return a.x < b.x; });
    return seen;
}

// Shows a box and, from inside its event loop, records it and then answers with `act`. The act
// always closes the box (Esc as a last resort), so a failing check never leaves the test hung.
// `seen` must outlive the box; `act` is kept by the poll, which the pending timer owns: the
// poll refers to itself weakly, so it is freed once it stops asking again.
void inspectWhenShown(SeenBox &seen, std::function<void(QWidget *)> act)
{
    auto poll = std::make_shared<std::function<void()>>();
    auto attempts = std::make_shared<int>(0);
    *poll = [seenAt = &seen, act, attempts, self = std::weak_ptr(poll)]() {
        QWidget *box = findBox();
        if (!box) {
            if (++*attempts < 200)
                if (const auto again = self.lock())
                    QTimer::singleShot(10, [again] { (*again)(); });
            return;
        }
        *seenAt = inspect(box);
        act(box);
        if (box->isVisible())
            QTest::keyClick(box, Qt::Key_Escape);
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

MsgButton showAndAct(QtPrompter &prompter, const QString &text, MsgKind kind,
                     const QStringList &specs, int widthDlu, SeenBox &seen,
                     const std::function<void(QWidget *)> &act, int helpContext = 0)
{
    inspectWhenShown(seen, act);
    return prompter.messageBoxEx(text, kind, specs, helpContext, widthDlu);
}

void clickButton(QWidget *box, const QString &name)
{
    if (auto *b = box->findChild<QPushButton *>(QStringLiteral("msgButton_") + name))
        b->click();
}

} // namespace

class QtPrompterTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttonsInFixedOrderWithCaptionsAndDefault()
    {
        QtPrompter prompter;
        SeenBox seen;
        const MsgButton answer = showAndAct(
            prompter, QStringLiteral("Primera línia\r\nSegona línia"), MsgKind::Confirmation,
            {QStringLiteral("Cancel"), QStringLiteral("No &Invalida"), QStringLiteral("Yes")}, 50,
            seen, [](QWidget *box) { clickButton(box, QStringLiteral("No")); });
        QVERIFY(seen.found);
        QCOMPARE(answer, MsgButton::No);
        QCOMPARE(seen.title, QStringLiteral("Confirma"));
        QCOMPARE(seen.text, QStringLiteral("Primera línia\nSegona línia"));
        QCOMPARE(int(seen.buttons.size()), 3);
        QCOMPARE(seen.buttons[0].name, QStringLiteral("Yes"));
        QCOMPARE(seen.buttons[0].caption, QStringLiteral("&Sí"));
        QCOMPARE(seen.buttons[1].name, QStringLiteral("No"));
        QCOMPARE(seen.buttons[1].caption, QStringLiteral("&Invalida"));
        QCOMPARE(seen.buttons[2].caption, QStringLiteral("Cancel·la"));
        QVERIFY(seen.buttons[0].isDefault);
        QVERIFY(!seen.buttons[2].isDefault);
        // Every button the asked width (captions this short fit in it).
        const int expected = int(std::lround(QtPrompter::dialogUnitPx() * 50));
        for (const SeenButton &b : seen.buttons)
            QCOMPARE(b.width, expected);
    }

    void escapeAnswersTheCancelButton_data()
    {
        QTest::addColumn<QStringList>("specs");
        QTest::addColumn<MsgButton>("expected");
        QTest::newRow("cancel") << QStringList{QStringLiteral("Yes"), QStringLiteral("No"),
                                               QStringLiteral("Cancel")}
                                << MsgButton::Cancel;
        QTest::newRow("no") << QStringList{QStringLiteral("Yes"), QStringLiteral("No")}
                            << MsgButton::No;
        QTest::newRow("ok") << QStringList{QStringLiteral("OK")} << MsgButton::OK;
        QTest::newRow("none") << QStringList{QStringLiteral("Abort"), QStringLiteral("Retry"),
                                             QStringLiteral("Ignore")}
                              << MsgButton::None;
        // A box with no known button still gets an OK to close it with.
        QTest::newRow("empty") << QStringList{QStringLiteral("Bogus")} << MsgButton::OK;
    }

    void escapeAnswersTheCancelButton()
    {
        QFETCH(QStringList, specs);
        QFETCH(MsgButton, expected);
        QtPrompter prompter;
        SeenBox seen;
        const MsgButton answer = showAndAct(prompter, QStringLiteral("Text"), MsgKind::Warning,
                                            specs, 50, seen, [](QWidget *) {});
        QVERIFY(seen.found);
        QCOMPARE(seen.title, QStringLiteral("Compte"));
        QCOMPARE(answer, expected);
    }

    void widerButtonsOnRequest()
    {
        QtPrompter prompter;
        SeenBox narrow, wide;
        showAndAct(prompter, QStringLiteral("a"), MsgKind::Information, {QStringLiteral("OK")}, 50,
                   narrow, [](QWidget *) {});
        showAndAct(prompter, QStringLiteral("a"), MsgKind::Information, {QStringLiteral("OK")}, 70,
                   wide, [](QWidget *) {});
        QCOMPARE(int(wide.buttons.size()), 1);
        QCOMPARE(wide.buttons[0].width, int(std::lround(QtPrompter::dialogUnitPx() * 70)));
        QVERIFY(wide.buttons[0].width > narrow.buttons[0].width);
    }

    void helpKeepsTheBoxOpen()
    {
        QtPrompter prompter;
        int helpAsked = -1;
        prompter.helpHandler = [&](int context) { helpAsked = context; };
        SeenBox seen;
        bool openAfterHelp = false;
        const MsgButton answer = showAndAct(
            prompter, QStringLiteral("Ajuda?"), MsgKind::Error,
            {QStringLiteral("OK"), QStringLiteral("Help")}, 50, seen,
            [&](QWidget *box) {
                clickButton(box, QStringLiteral("Help"));
                openAfterHelp = box->isVisible();
                clickButton(box, QStringLiteral("OK"));
            },
            1036);
        QCOMPARE(seen.title, QStringLiteral("Error"));
        QCOMPARE(helpAsked, 1036);
        QVERIFY(openAfterHelp);
        QCOMPARE(answer, MsgButton::OK);
    }

    void answerMessagesDrawTheirTextInTheirOwnFont()
    {
        QtPrompter prompter;
        AnswerMessageStyle style;
        style.fontName = QStringLiteral("DejaVu Serif");
        style.fontSize = 20;
        style.bold = true;
        style.italic = true;
        style.color = 0x0000FF; // red, stored as 0x00BBGGRR
        const QString text = QStringLiteral("No, és Lisboa");
        for (const bool withIcon : {false, true}) {
            style.showIcon = withIcon;
            SeenBox seen;
            QFont labelFont;
            QColor labelColor;
            int labelWidth = 0;
            bool hasIcon = false;
            inspectWhenShown(seen, [&](QWidget *box) {
                auto *label = box->findChild<QLabel *>(QStringLiteral("text"));
                QVERIFY(label);
                labelFont = label->font();
                labelColor = label->palette().color(QPalette::WindowText);
                labelWidth = label->width();
                hasIcon = box->findChild<QLabel *>(QStringLiteral("icon")) != nullptr;
                clickButton(box, QStringLiteral("OK"));
            });
            const MsgButton answer =
                prompter.answerMessageBox(text, MsgKind::Error, {QStringLiteral("OK")}, style);
            QVERIFY(seen.found);
            QCOMPARE(answer, MsgButton::OK);
            QCOMPARE(seen.title, QStringLiteral("Error"));
            QCOMPARE(seen.text, text);
            QCOMPARE(int(seen.buttons.size()), 1);
            QCOMPARE(seen.buttons[0].caption, QStringLiteral("D'acord"));
            QCOMPARE(hasIcon, withIcon);
            QCOMPARE(labelFont.family(), resolveFontFamily(style.fontName));
            QCOMPARE(labelFont.pointSize(), 20);
            QVERIFY(labelFont.bold());
            QVERIFY(labelFont.italic());
            QCOMPARE(labelColor, QColor(255, 0, 0));
            // Sized to the text in its own font: the big letters are neither clipped nor wrapped.
            QVERIFY(labelWidth >= QFontMetrics(labelFont).horizontalAdvance(text));
        }
    }

    void plainBoxesKeepTheirIconAndFont()
    {
        QtPrompter prompter;
        SeenBox seen;
        bool hasIcon = false;
        QFont labelFont;
        showAndAct(prompter, QStringLiteral("Avís"), MsgKind::Warning, {QStringLiteral("OK")}, 50,
                   seen, [&](QWidget *box) {
                       hasIcon = box->findChild<QLabel *>(QStringLiteral("icon")) != nullptr;
                       labelFont = box->findChild<QLabel *>(QStringLiteral("text"))->font();
                   });
        QVERIFY(hasIcon);
        QCOMPARE(labelFont, QApplication::font("QMessageBoxLabel"));
    }
};

QTEST_MAIN(QtPrompterTest)
#include "QtPrompterTest.moc"
