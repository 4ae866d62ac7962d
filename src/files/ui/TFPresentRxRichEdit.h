#pragma once

#include "files/ui/CommandIcons.h"

#include <QKeySequence>
#include <QMainWindow>

#include <memory>

class HelpRequester;
class QAction;
class QMenu;
class QTextDocument;
class QTextEdit;
class QToolBar;

// A window showing a rich text that may be edited, with the edit commands in the menu
// "Edició" and on the toolbar, and help and exit in "Altres". The slide listings and the error
// reports fill it with their text; the caller chooses the caption.
class TFPresentRxRichEdit : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFPresentRxRichEdit(QWidget *parent = nullptr);

    QTextEdit *richEdit() const { return m_edit; }
    QTextDocument *document() const;
    // New content, each with nothing to undo afterwards.
    void setPlainText(const QString &text);
    void setHtml(const QString &html);
    // Shows `document`, which the window then owns (rich text read from a file by the caller).
    void setDocument(std::unique_ptr<QTextDocument> document);

    // A_Help opens the topic of `context`; it stays disabled until help is given. The requester
    // must outlive the window.
    void setHelp(HelpRequester *help, int context);

    // The actions by object name (A_E_Undo, A_E_Cut, ..., A_Help, A_Exit), or nullptr.
    QAction *action(const QString &name) const;
    QToolBar *toolBar() const { return m_toolBar; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QAction *addCommand(const char *name, const QString &caption, const QString &hint,
                        const QKeySequence &key, CommandIcon icon, QMenu *menu);
    void newContent();
    void refreshUndo();

    QTextEdit *m_edit = nullptr;
    QToolBar *m_toolBar = nullptr;
    HelpRequester *m_requester = nullptr;
    int m_helpContext = 0;
    bool m_centred = false;
};
