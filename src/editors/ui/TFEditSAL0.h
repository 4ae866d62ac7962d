#pragma once

#include "editors/SlideListRows.h"
#include "editors/ui/TFEditFileList.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QSplitter;
class QWidget;

// The slide list editor's window without saving: the rows of a slide list with the text boxes of
// the current slide, its question, time, next slide, audio and note toggles, and every command on
// slides. The quiz generators' accessory slides are edited in a window built on it.
class TFEditSAL0 : public TFEditFileList
{
    Q_OBJECT

public:
    TFEditSAL0(EditorServices &services, QWidget *parent = nullptr);
    ~TFEditSAL0() override;

    SlideListRows &slideRows() { return *m_slideRows; }

    // The list's lines into rows; `currentRow` becomes current.
    void loadLines(const QStringList &lines, int currentRow);
    QStringList lines() const { return m_slideRows->writeLines(); }
    bool modified() const { return m_slideRows->modified; }

    QPlainTextEdit *firstBox() const { return m_first; }
    QPlainTextEdit *secondBox() const { return m_second; }
    QSpinBox *timeBox() const { return m_time; }
    QLineEdit *nextSlideBox() const { return m_nextSlide; }
    QLineEdit *paramsBox() const { return m_params; }

    // "Accepta la presentació": the accept rule, the pending edit, closing with OK.
    void acceptList();

    void applyState(const EditorWindowState &state) override;
    EditorWindowState state() const override;

protected:
    void AddSelectedFiles(bool insert) override;
    void PreviewSlide(bool fromLeftPanel, int kind, const QString &fileName) override;
    void SetAudioMode(bool on) override;
    void SetMainMenuHidden(bool on) override;
    void PasteFileName(const QString &name) override;
    void ShowOptions() override;
    void refreshRowControls() override;
    int helpContext() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    QMenu *timeMenu() const { return m_timeMenu; }
    // The "no numbers in the index or sketch" choice the options dialog edits.
    bool *m_noNumbersChoice = &m_noNumbers;

private:
    void buildControls();
    void buildSlideCommands();
    void boxEdited(QPlainTextEdit *box);
    void updateCharCount();
    void chooseOpenFile();
    void gridDoubleClicked(const QModelIndex &index);
    QToolButton *m_addButton = nullptr;

    SlideListRows *m_slideRows; // owned by the window
    QMenu *m_timeMenu = nullptr, *m_editMenu = nullptr;
    QWidget *m_textPanel = nullptr, *m_paramPanel = nullptr;
    QSplitter *m_textSplitter = nullptr;
    QPlainTextEdit *m_first = nullptr, *m_second = nullptr;
    QSpinBox *m_time = nullptr;
    QLineEdit *m_nextSlide = nullptr, *m_params = nullptr;
    QLabel *m_paramLabel = nullptr, *m_chars = nullptr;
    QPlainTextEdit *m_focused = nullptr;
    QAction *m_noteSeparator = nullptr;
    bool m_filling = false;
    bool m_noNumbers = false;
};
