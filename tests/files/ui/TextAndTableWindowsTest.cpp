#include "files/HelpRequester.h"
#include "files/MemTableModel.h"
#include "files/ui/RecordNavigator.h"
#include "files/ui/TFPresEditRxDBGrid.h"
#include "files/ui/TFPresentMemo.h"
#include "files/ui/TFPresentRxDBGrid.h"
#include "files/ui/TFPresentRxRichEdit.h"
#include "files/ui/TFrEdicioMemo.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

// Records what the windows ask of the help.
struct RecordingHelp : HelpRequester
{
    QStringList asked;
    void showHelpContext(int context) override { asked << QString::number(context); }
    void showHelpTopic(const QString &topic) override { asked << topic; }
    void showHelpContents() override { asked << QStringLiteral("contents"); }
};

MemTable wordTable(int rows)
{
    MemTable t(QStringLiteral("Paraules"),
               {{QStringLiteral("Word"), MemTable::FieldKind::String, 20, false, false}});
    for (int i = 0; i < rows; ++i) {
        MemTable::Record r = t.emptyRecord();
        (void)t.setField(r, 0, QStringLiteral("mot%1").arg(i));
        (void)t.append(r);
    }
    return t;
}

QStringList words(const MemTable &t)
{
    QStringList out;
    for (int i = 0; i < t.recordCount(); ++i)
        out << t.value(i, QStringLiteral("Word")).toString();
    return out;
}

// Every button on the toolbars of `w` shows a picture and has a name a screen reader reads.
void checkToolButtons(const QWidget &w)
{
    const QList<QToolButton *> buttons = w.findChildren<QToolButton *>();
    QVERIFY(!buttons.isEmpty());
    for (const QToolButton *b : buttons) {
        if (b->objectName().startsWith(QLatin1String("qt_")))
            continue; // the toolbar's and the menu bar's own extension buttons
        QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
        QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
    }
}

} // namespace

class TextAndTableWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Undo is disabled right after the window shows new text and enabled by the first typed
    // change; clearing the memo can be undone.
    void memoUndoFollowsTheMemo()
    {
        TFPresentMemo w;
        w.setWindowTitle(QStringLiteral("Resultat de la comprovació"));
        w.frame()->memo()->setPlainText(QStringLiteral("vell"));
        QTest::keyClicks(w.frame()->memo(), QStringLiteral("x"));
        w.setText(QStringLiteral("Línia 1\nLínia 2"));
        showAndActivate(w);
        QAction *undo = w.frame()->undoAction();
        QVERIFY(!undo->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.frame()->memo());

        QTest::keyClicks(w.frame()->memo(), QStringLiteral("a"));
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(w.text(), QStringLiteral("Línia 1\nLínia 2"));
        QVERIFY(!undo->isEnabled());

        w.frame()->clearAction()->trigger();
        QCOMPARE(w.text(), QString());
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(w.text(), QStringLiteral("Línia 1\nLínia 2"));

        w.frame()->selectAllAction()->trigger();
        QCOMPARE(w.frame()->memo()->textCursor().selectedText().size(), w.text().size());
        checkToolButtons(w);
    }

    // The memo is 8 pixels narrower than its frame and ends 4 pixels above its bottom, at any
    // size of the window.
    void memoKeepsItsMargins()
    {
        TFPresentMemo w;
        w.setWindowTitle(QStringLiteral("Resultat de la comprovació"));
        showAndActivate(w);
        for (const QSize size : {QSize(400, 300), QSize(700, 520)}) {
            w.resize(size);
            QApplication::processEvents();
            const TFrEdicioMemo *frame = w.frame();
            const QRect memo = frame->memo()->geometry();
            QCOMPARE(memo.width(), frame->width() - 8);
            QCOMPARE(memo.left(), 0);
            QCOMPARE(memo.bottom(), frame->height() - 1 - 4);
            // The buttons stay at the bottom, under the frame.
            QVERIFY(w.closeButton()->geometry().top() >= frame->geometry().bottom());
        }
    }

    void memoWindowHelpAndClose()
    {
        TFPresentMemo w;
        QVERIFY(!w.helpButton()->isEnabled());
        RecordingHelp help;
        w.setHelp(&help, 1440);
        QVERIFY(w.helpButton()->isEnabled());
        w.helpButton()->click();
        QCOMPARE(help.asked, QStringList{QStringLiteral("1440")});
        QCOMPARE(w.closeButton()->text(), QStringLiteral("&Tanca"));
        w.show();
        w.closeButton()->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.isVisible());
    }

    void richEditCommands()
    {
        TFPresentRxRichEdit w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Presentació"));
        QCOMPARE(w.minimumSize(), QSize(212, 90));
        QCOMPARE(w.richEdit()->objectName(), QStringLiteral("RxRichEdit"));
        struct Row
        {
            const char *name;
            QString caption;
            QKeySequence key;
            QString hint;
            const char *menu;
        };
        const Row rows[] = {
            {"A_E_Undo", QStringLiteral("Desfà"), QKeySequence(Qt::ALT | Qt::Key_Backspace),
             QStringLiteral("Desfà l'últim canvi al text"), "MI_Edit"},
            {"A_E_Cut", QStringLiteral("Retalla"), QKeySequence(Qt::CTRL | Qt::Key_X),
             QStringLiteral("Retalla el text seleccionat"), "MI_Edit"},
            {"A_E_Copy", QStringLiteral("Copia"), QKeySequence(Qt::CTRL | Qt::Key_C),
             QStringLiteral("Copia el text seleccionat"), "MI_Edit"},
            {"A_E_Paste", QStringLiteral("Enganxa"), QKeySequence(Qt::CTRL | Qt::Key_V),
             QStringLiteral("Enganxa el text guardat"), "MI_Edit"},
            {"A_E_Clear", QStringLiteral("Esborra"), QKeySequence(),
             QStringLiteral("Elimina tot el text"), "MI_Edit"},
            {"A_E_SelectAll", QStringLiteral("Selecciona tot el text"), QKeySequence(),
             QStringLiteral("Selecciona tot el text"), "MI_Edit"},
            {"A_Help", QStringLiteral("Ajuda"), QKeySequence(Qt::Key_F1), QStringLiteral("Ajuda"),
             "MI_Others"},
            {"A_Exit", QStringLiteral("Surt"), QKeySequence(),
             QStringLiteral("Tanca aquesta finestra"), "MI_Others"},
        };
        for (const Row &row : rows) {
            QAction *a = w.action(QLatin1String(row.name));
            QVERIFY2(a, row.name);
            QCOMPARE(a->text(), row.caption);
            QCOMPARE(a->shortcut(), row.key);
            QCOMPARE(a->toolTip(), row.hint);
            QMenu *menu = w.findChild<QMenu *>(QLatin1String(row.menu));
            QVERIFY(menu && menu->actions().contains(a));
        }
        QCOMPARE(w.findChild<QMenu *>(QStringLiteral("MI_Edit"))->title(),
                 QStringLiteral("Edició"));
        QCOMPARE(w.findChild<QMenu *>(QStringLiteral("MI_Others"))->title(),
                 QStringLiteral("Altres"));
        checkToolButtons(w);
    }

    void richEditUndoClearAndHelp()
    {
        TFPresentRxRichEdit w;
        w.setHtml(QStringLiteral("<p>Una <b>llista</b> de diapositives</p>"));
        showAndActivate(w);
        QAction *undo = w.action(QStringLiteral("A_E_Undo"));
        QVERIFY(!undo->isEnabled());
        QTest::keyClicks(w.richEdit(), QStringLiteral("Z"));
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(w.document()->toPlainText(), QStringLiteral("Una llista de diapositives"));

        // "Esborra" deletes the selection only.
        QTextCursor c = w.richEdit()->textCursor();
        c.setPosition(0);
        c.setPosition(4, QTextCursor::KeepAnchor);
        w.richEdit()->setTextCursor(c);
        w.action(QStringLiteral("A_E_Clear"))->trigger();
        QCOMPARE(w.document()->toPlainText(), QStringLiteral("llista de diapositives"));

        // A document made by the caller is shown with nothing to undo.
        auto doc = std::make_unique<QTextDocument>();
        doc->setPlainText(QStringLiteral("Errors trobats"));
        w.setDocument(std::move(doc));
        QCOMPARE(w.document()->toPlainText(), QStringLiteral("Errors trobats"));
        QVERIFY(!undo->isEnabled());
        // A second one replaces it, and the box still follows the document shown.
        auto second = std::make_unique<QTextDocument>();
        second->setPlainText(QStringLiteral("Cap error"));
        w.setDocument(std::move(second));
        QTest::keyClicks(w.richEdit(), QStringLiteral("!"));
        QCOMPARE(w.document()->toPlainText(), QStringLiteral("!Cap error"));
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QVERIFY(!undo->isEnabled());

        QAction *help = w.action(QStringLiteral("A_Help"));
        QVERIFY(!help->isEnabled());
        RecordingHelp requester;
        w.setHelp(&requester, 1210);
        QVERIFY(help->isEnabled());
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(requester.asked, QStringList{QStringLiteral("1210")});
        w.action(QStringLiteral("A_Exit"))->trigger();
        QVERIFY(!w.isVisible());
    }

    // In an empty table "Vés al principi" and "Vés al final" are disabled; with records they
    // follow the navigator's first and last buttons.
    void gridGoToCommandsFollowTheNavigator()
    {
        MemTable empty = wordTable(0);
        MemTableModel emptyModel(empty);
        TFPresentRxDBGrid w;
        w.setModel(&emptyModel);
        QAction *first = w.action(QStringLiteral("A_G_First"));
        QAction *last = w.action(QStringLiteral("A_G_Last"));
        QAction *bookmark = w.action(QStringLiteral("A_G_Bookmark"));
        QAction *gotoBookmark = w.action(QStringLiteral("A_G_GotoBookmark"));
        QVERIFY(!first->isEnabled());
        QVERIFY(!last->isEnabled());
        QVERIFY(!bookmark->isEnabled());
        QVERIFY(!gotoBookmark->isEnabled());
        QCOMPARE(w.findChild<QMenu *>(QStringLiteral("MI_Grid"))->title(),
                 QStringLiteral("Graella"));
        QVERIFY(w.findChild<RecordNavigator *>(QStringLiteral("moDBNavPres")));

        MemTable five = wordTable(5);
        MemTableModel model(five);
        w.setModel(&model);
        RecordNavigator *nav = w.navigator();
        QCOMPARE(nav->currentRow(), 0); // a table with records has a current one
        QVERIFY(!first->isEnabled());
        QVERIFY(last->isEnabled());
        nav->next();
        nav->next();
        QCOMPARE(nav->currentRow(), 2);
        QVERIFY(first->isEnabled());
        QVERIFY(last->isEnabled());
        last->trigger();
        QCOMPARE(nav->currentRow(), 4);
        QVERIFY(first->isEnabled());
        QVERIFY(!last->isEnabled());
        QVERIFY(nav->button(RecordNavigator::Button::Insert)->isHidden());
        QCOMPARE(w.grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        checkToolButtons(w);
    }

    void bookmarkReturnsWhileTheRecordExists()
    {
        MemTable t = wordTable(4);
        MemTableModel model(t, MemTableModel::Editing::Editable);
        TFPresEditRxDBGrid w;
        w.setModel(&model);
        QAction *bookmark = w.action(QStringLiteral("A_G_Bookmark"));
        QAction *gotoBookmark = w.action(QStringLiteral("A_G_GotoBookmark"));
        RecordNavigator *nav = w.navigator();
        nav->next();
        QVERIFY(!gotoBookmark->isEnabled());
        bookmark->trigger(); // "mot1"
        QVERIFY(gotoBookmark->isEnabled());
        w.action(QStringLiteral("A_G_Last"))->trigger();
        // A record inserted above moves the noted one down; going back still finds it.
        w.action(QStringLiteral("A_G_First"))->trigger();
        w.action(QStringLiteral("A_G_Insert"))->trigger();
        gotoBookmark->trigger();
        QCOMPARE(nav->currentRow(), 2);
        QCOMPARE(model.data(model.index(nav->currentRow(), 0)).toString(), QStringLiteral("mot1"));
        // Once the noted record is deleted there is nothing to go back to.
        w.action(QStringLiteral("A_G_Delete"))->trigger();
        QVERIFY(!gotoBookmark->isEnabled());
        QCOMPARE(words(t), (QStringList{QString(), QStringLiteral("mot0"), QStringLiteral("mot2"),
                                        QStringLiteral("mot3")}));
    }

    void editingGridInsertsAndDeletes()
    {
        MemTable t = wordTable(0);
        MemTableModel model(t, MemTableModel::Editing::Editable);
        TFPresEditRxDBGrid w;
        w.setModel(&model);
        QAction *insert = w.action(QStringLiteral("A_G_Insert"));
        QAction *remove = w.action(QStringLiteral("A_G_Delete"));
        QCOMPARE(insert->text(), QStringLiteral("Insereix"));
        QCOMPARE(remove->text(), QStringLiteral("Esborra"));
        QMenu *grid = w.findChild<QMenu *>(QStringLiteral("MI_Grid"));
        QVERIFY(grid->actions().contains(insert) && grid->actions().contains(remove));
        RecordNavigator *nav = w.navigator();
        using B = RecordNavigator::Button;
        QVERIFY(!nav->button(B::Insert)->isHidden());
        QVERIFY(!nav->button(B::Delete)->isHidden());

        // Nothing to delete in an empty table.
        QVERIFY(insert->isEnabled());
        QVERIFY(!remove->isEnabled());
        QCOMPARE(remove->isEnabled(), nav->isButtonEnabled(B::Delete));

        insert->trigger();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(nav->currentRow(), 0);
        QVERIFY(remove->isEnabled());
        QVERIFY(model.setData(model.index(0, 0), QStringLiteral("primer")));
        // Inserted before the current record, which the new one replaces as current.
        nav->button(B::Insert)->click();
        QVERIFY(model.setData(model.index(0, 0), QStringLiteral("zero")));
        QCOMPARE(words(t), (QStringList{QStringLiteral("zero"), QStringLiteral("primer")}));
        nav->last();
        remove->trigger();
        QCOMPARE(words(t), QStringList{QStringLiteral("zero")});
        QCOMPARE(nav->currentRow(), 0);
        nav->button(B::Delete)->click();
        QCOMPARE(t.recordCount(), 0);
        QVERIFY(!remove->isEnabled());
        QVERIFY(!w.action(QStringLiteral("A_G_First"))->isEnabled());
        QVERIFY(w.grid()->editTriggers() != QAbstractItemView::NoEditTriggers);
    }

    void gridHelpAndExit()
    {
        TFPresentRxDBGrid w;
        QAction *help = w.action(QStringLiteral("A_Help"));
        QAction *exit = w.action(QStringLiteral("A_Exit"));
        QCOMPARE(help->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(help->toolTip(), QStringLiteral("Ajuda"));
        QCOMPARE(exit->toolTip(), QStringLiteral("Surt"));
        QVERIFY(w.findChild<QMenu *>(QStringLiteral("MI_Others"))->actions().contains(exit));
        QVERIFY(!help->isEnabled());
        RecordingHelp requester;
        w.setHelp(&requester, 1101);
        help->trigger();
        QCOMPARE(requester.asked, QStringList{QStringLiteral("1101")});
        w.show();
        exit->trigger();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TextAndTableWindowsTest)
#include "TextAndTableWindowsTest.moc"
