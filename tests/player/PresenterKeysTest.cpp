#include "player/PresenterKeys.h"

#include <QTest>

using Action = PresenterKeys::Action;
Q_DECLARE_METATYPE(PresenterKeys::Action)

namespace {

PresenterKeys::Context running()
{
    PresenterKeys::Context c;
    c.running = true;
    return c;
}

} // namespace

class PresenterKeysTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One key during a run, with nothing typed before.
    void singleKeyDuringARun_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<Action>("expected");
        const int none = int(Qt::NoModifier);
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << none << Action::Next;
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << none << Action::Prior;
        QTest::newRow("keypad PageDown")
            << int(Qt::Key_PageDown) << int(Qt::KeypadModifier) << Action::Next;
        QTest::newRow("media next") << int(Qt::Key_MediaNext) << none << Action::Next;
        QTest::newRow("media previous") << int(Qt::Key_MediaPrevious) << none << Action::Prior;
        QTest::newRow("browser forward") << int(Qt::Key_Forward) << none << Action::Next;
        QTest::newRow("browser back") << int(Qt::Key_Back) << none << Action::Prior;
        QTest::newRow("B") << int(Qt::Key_B) << none << Action::BlankBlack;
        QTest::newRow("shift B") << int(Qt::Key_B) << int(Qt::ShiftModifier) << Action::BlankBlack;
        QTest::newRow(".") << int(Qt::Key_Period) << none << Action::BlankBlack;
        QTest::newRow("keypad .") << int(Qt::Key_Period) << int(Qt::KeypadModifier)
                                  << Action::BlankBlack;
        QTest::newRow(",") << int(Qt::Key_Comma) << none << Action::BlankWhite;
        QTest::newRow("digit") << int(Qt::Key_7) << none << Action::DigitTyped;
        QTest::newRow("keypad digit")
            << int(Qt::Key_0) << int(Qt::KeypadModifier) << Action::DigitTyped;
        // The window's own keys keep their meaning.
        QTest::newRow("W") << int(Qt::Key_W) << none << Action::None;
        QTest::newRow("E") << int(Qt::Key_E) << none << Action::None;
        QTest::newRow("Q") << int(Qt::Key_Q) << none << Action::None;
        QTest::newRow("Space") << int(Qt::Key_Space) << none << Action::None;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << Action::None;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << Action::None;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << Action::None;
        QTest::newRow("Alt+Left") << int(Qt::Key_Left) << int(Qt::AltModifier) << Action::None;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << Action::None;
        QTest::newRow("Enter alone") << int(Qt::Key_Return) << none << Action::None;
        // Modified keys belong to commands.
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << int(Qt::ControlModifier) << Action::None;
        QTest::newRow("Alt+PageDown")
            << int(Qt::Key_PageDown) << int(Qt::AltModifier) << Action::None;
        QTest::newRow("Ctrl+5") << int(Qt::Key_5) << int(Qt::ControlModifier) << Action::None;
        QTest::newRow("shift 5") << int(Qt::Key_5) << int(Qt::ShiftModifier) << Action::None;
    }
    void singleKeyDuringARun()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(Action, expected);
        PresenterKeys keys;
        QCOMPARE(keys.handleKey(key, Qt::KeyboardModifiers(modifiers), running()).action, expected);
    }

    // At rest, and while a typed-answer box takes the keys, no key is a presenter key and no
    // digit is collected.
    void nothingAppliesAtRestOrInAnAnswerBox()
    {
        PresenterKeys::Context rest;
        PresenterKeys::Context box = running();
        box.answerBoxHasKeys = true;
        for (const PresenterKeys::Context &c : {rest, box}) {
            PresenterKeys keys;
            for (int key :
                 {int(Qt::Key_PageDown), int(Qt::Key_PageUp), int(Qt::Key_B), int(Qt::Key_Period),
                  int(Qt::Key_Comma), int(Qt::Key_4), int(Qt::Key_Return)}) {
                QCOMPARE(keys.handleKey(key, Qt::NoModifier, c).action, Action::None);
                QVERIFY(keys.typedDigits().isEmpty());
            }
        }
        // Digits typed before the box came up are dropped, not finished by a later Enter.
        PresenterKeys keys;
        keys.handleKey(Qt::Key_3, Qt::NoModifier, running());
        keys.handleKey(Qt::Key_3, Qt::NoModifier, box);
        QCOMPARE(keys.handleKey(Qt::Key_Return, Qt::NoModifier, running()).action, Action::None);
    }

    void digitsAndEnterJump()
    {
        PresenterKeys keys;
        keys.handleKey(Qt::Key_1, Qt::NoModifier, running());
        keys.handleKey(Qt::Key_2, Qt::KeypadModifier, running());
        QCOMPARE(keys.typedDigits(), QStringLiteral("12"));
        QCOMPARE(keys.handleKey(Qt::Key_Enter, Qt::KeypadModifier, running()),
                 (PresenterKeys::Result{Action::JumpTo, 12}));
        QVERIFY(keys.typedDigits().isEmpty());
        // The number is spent: Enter again does what Enter did before.
        QCOMPARE(keys.handleKey(Qt::Key_Return, Qt::NoModifier, running()).action, Action::None);

        // Leading zeros, and a number too long for a slide number stops growing.
        keys.handleKey(Qt::Key_0, Qt::NoModifier, running());
        keys.handleKey(Qt::Key_4, Qt::NoModifier, running());
        QCOMPARE(keys.handleKey(Qt::Key_Return, Qt::NoModifier, running()),
                 (PresenterKeys::Result{Action::JumpTo, 4}));
        for (int i = 0; i < 20; ++i)
            keys.handleKey(Qt::Key_9, Qt::NoModifier, running());
        QCOMPARE(keys.typedDigits().size(), PresenterKeys::kMaxDigits);
        QCOMPARE(keys.handleKey(Qt::Key_Return, Qt::NoModifier, running()),
                 (PresenterKeys::Result{Action::JumpTo, 999999}));
    }

    // Another key in between drops the number: PageDown steps, then Enter jumps nowhere.
    void anotherKeyDropsTheNumber()
    {
        PresenterKeys keys;
        keys.handleKey(Qt::Key_5, Qt::NoModifier, running());
        QCOMPARE(keys.handleKey(Qt::Key_PageDown, Qt::NoModifier, running()).action, Action::Next);
        QCOMPARE(keys.handleKey(Qt::Key_Return, Qt::NoModifier, running()).action, Action::None);
        keys.handleKey(Qt::Key_5, Qt::NoModifier, running());
        QCOMPARE(keys.handleKey(Qt::Key_W, Qt::NoModifier, running()).action, Action::None);
        QVERIFY(keys.typedDigits().isEmpty());
    }

    // Under a cover every key only lifts it, whether a run is on or not, and drops the number.
    void aCoverSpendsTheNextKey()
    {
        PresenterKeys keys;
        keys.handleKey(Qt::Key_8, Qt::NoModifier, running());
        PresenterKeys::Context covered = running();
        covered.blanked = true;
        for (int key : {int(Qt::Key_PageDown), int(Qt::Key_Escape), int(Qt::Key_Return),
                        int(Qt::Key_B), int(Qt::Key_W)})
            QCOMPARE(keys.handleKey(key, Qt::NoModifier, covered).action, Action::Unblank);
        covered.running = false;
        QCOMPARE(keys.handleKey(Qt::Key_Space, Qt::NoModifier, covered).action, Action::Unblank);
        QCOMPARE(keys.handleKey(Qt::Key_Return, Qt::NoModifier, running()).action, Action::None);
    }
};

QTEST_GUILESS_MAIN(PresenterKeysTest)
#include "PresenterKeysTest.moc"
