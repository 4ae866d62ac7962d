#pragma once

#include "editors/SoundTableRows.h"
#include "editors/ui/TFEditFileList.h"

class QLineEdit;
class QDialog;
struct MeaningTable;

// The images/sounds-and-meanings table editor: the file list editor's rows of pictures, texts
// and sound-only tracks, each with its meaning, over a copy of the main window's table that is
// written back into it and saved; from the saved table it generates quizzes.
class TFEditSML : public TFEditFileList
{
    Q_OBJECT

public:
    // `table` is the main window's images/sounds table; `newTable` starts with no rows.
    TFEditSML(EditorServices &services, MeaningTable &table, bool newTable,
              QWidget *parent = nullptr);

    SoundTableRows &soundRows() { return *m_soundRows; }
    QLineEdit *meaningBox() const { return m_meaning; }
    // The quiz generated while the editor was open, "" when none was.
    QString generatedPath() const { return m_soundRows->generatedPath; }

    // "Desa la taula" and "Desa la taula com...": true when the table was written.
    bool save();
    bool saveAs();
    // The generation commands: the quiz dialog of the kind on the saved table.
    void makeQuiz(bool radioButtons);

    // Tests run the generation dialog from here; its result is what exec() returns.
    std::function<int(QDialog &)> runGenerationDialog;

protected:
    void AddSelectedFiles(bool insert) override;
    void PreviewSlide(bool fromLeftPanel, int kind, const QString &fileName) override;
    void SetAudioMode(bool on) override;
    void PasteFileName(const QString &name) override;
    void ShowOptions() override;
    void refreshRowControls() override;
    void ShowRowMiniature() override;
    int helpContext() const override;
    int checkHelpContext() const override;

private:
    void buildControls();
    void buildTableCommands();
    void updateCommands();
    void updateCaption();
    void sortBy(const std::function<void()> &sort);

    MeaningTable &m_table;
    SoundTableRows *m_soundRows; // owned by the window
    QLineEdit *m_meaning = nullptr;
    bool m_filling = false;
};
