#pragma once

#include "editors/FileListRows.h"
#include "files/Fallible.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

struct MeaningTable;
struct ProgramOptions;

// The rows of the images/sounds-and-meanings table editor: a picture, text file or sound-only
// entry per row, with its mark, its audio track and its meaning, copied from the main window's
// table, written back into it and saved.
class SoundTableRows : public FileListRows
{
    Q_OBJECT

public:
    static constexpr int Meaning = 11;
    static constexpr int kMeaningWidth = 50;

    SoundTableRows(Prompter &prompter, const ProgramOptions &options, QObject *parent = nullptr);

    // What the meaning box shows, and whether the user changed it since.
    struct Controls
    {
        QString meaning;
        bool meaningModified = false;
        bool rowPresent = false;
    };
    Controls controls;

    // Every entry of `source` becomes a row, its file and audio states looked up; the last row
    // is current. Loading counts as no change.
    void loadFrom(const MeaningTable &source);
    // The mode the window opens in after loadFrom().
    enum class OpeningMode { Audio, Files, AsBefore };
    OpeningMode openingMode() const;

    // The files selected on the left, in list order: picture or text rows from the file list,
    // sound-only rows (kind "T") from the audio list; appended, or inserted before the current
    // row. The meaning is the file's name when the options say so. True when the meaning box
    // should take the focus (one file, no meaning filled in).
    bool addFiles(const QStringList &files, bool audioList, bool insert);
    // The meaning box was edited.
    void setMeaningText(const QString &text);
    // "Copia i enganxa el nom de l'arxiu": the meaning becomes the name.
    void pasteFileName(const QString &name) { setMeaningText(name); }

    // The row as the main window's table holds it: FN, MarkX, MarkY, AudioFN, Meaning.
    MemTable::Record tableRecord(int row) const;
    // Pending edits posted; the table needs at least 2 rows ("La taula ha de tenir almenys 2
    // registres").
    Fallible<void> requireTwoRows();
    // "Desa la taula": the rows replace the main window's table, which is written under its name
    // (coexistence rule included). On failure the main window's table is left as it was.
    Fallible<void> saveInto(MeaningTable &target);

    // The sorts, ascending without regard to case. The file orders: 0 name, extension, folder;
    // 1 folder, name, extension; 2 folder, extension, name; 3 extension, name, folder.
    void sortByMeaning();
    void sortByFile(int order);
    void sortByAudio(int order);
    // Every row's meaning followed by CR LF.
    QString meaningsText() const;

    QStringList checkList() override;
    QString checkSummary() const override;

    // The table editors' close rule: a table saved since its last change asks only when a quiz
    // of its name exists ("Heu desat la taula però no he creat de nou l'arxiu sal existent...").
    bool canClose(bool closedWithOk) override;
    QString tableFileName;

    // Whether the generation commands may run: the table is saved and unchanged since.
    bool generationAllowed = false;
    // The quiz generated from the table, "" until one is.
    QString generatedPath;

protected:
    bool CanAccept() override;
    void PostPendingEdits() override;
    void AfterRowDeleted(int rowAfter) override;
    void AfterRowPosted(int row, bool inserted) override;
    void RefreshRowControls() override;
    void StoreRowEdits(int row) override;
    bool IsRowDefective(int row) const override;
    bool IsRowSound(int row) const override;

private:
    void sortRows(const std::function<bool(int, int)> &less);
    // Sorts by the folder, name and extension fields given, in the order option's sequence.
    void sortByPath(int order, const std::array<int, 3> &dirNameExt);
    MemTable::Record newRow() const;
    // A meaning as it is stored: with the upper-case option, trimmed (when the options trim)
    // and its first letter in upper case.
    QString tidyMeaning(const QString &meaning) const;

    const ProgramOptions &m_options;
};
