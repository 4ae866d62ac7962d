#pragma once

#include "files/ui/CommandIcons.h"

#include <QWidget>

class QAction;
class QPlainTextEdit;
class QToolBar;

// A memo under a toolbar of edit commands: undo (enabled only while the memo can undo), cut,
// copy, paste, clear and select all. Windows that show or edit a plain text put one in.
class TFrEdicioMemo : public QWidget
{
    Q_OBJECT

public:
    explicit TFrEdicioMemo(QWidget *parent = nullptr);

    QPlainTextEdit *memo() const { return m_memo; }
    QToolBar *toolBar() const { return m_toolBar; }
    QAction *undoAction() const { return m_undo; }
    QAction *cutAction() const { return m_cut; }
    QAction *copyAction() const { return m_copy; }
    QAction *pasteAction() const { return m_paste; }
    QAction *clearAction() const { return m_clear; }
    QAction *selectAllAction() const { return m_selectAll; }

    // New text for the memo: there is nothing to undo afterwards.
    void setText(const QString &text);
    QString text() const;
    // Enables undo exactly while the memo has something to undo.
    void refreshUndo();

protected:
    // Shown with its window: the undo state is brought up to date and the memo takes the keys.
    void showEvent(QShowEvent *event) override;

private:
    QAction *addCommand(const QString &name, const QString &caption, const QString &hint,
                        CommandIcon icon);
    // Empties the memo as one step that undo brings back.
    void clearAll();

    QPlainTextEdit *m_memo = nullptr;
    QToolBar *m_toolBar = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_cut = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_clear = nullptr;
    QAction *m_selectAll = nullptr;
};
