#pragma once

#include "editors/FileListRows.h"
#include "presentation/SlideRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

struct ProgramOptions;

// What the slide list editor's controls show for the current row, and what the user has done
// to them since: the text boxes, the toggles and which controls are visible. The window maps it
// to its widgets and back; the rules that fill it and store it live here.
struct SlideRowControls
{
    enum class Box { None, First, Second, Params, NextSlide };

    QString kind; // the current row's kind letter, "" for none

    // The toggles.
    bool pWithAnswer = false;
    bool pWithPromptForAnswer = false;
    bool pRandomAnswer = false;
    bool presTotalTest = false;
    bool audioRepeat = false;
    bool audioContinue = false;
    bool audioStop = false;
    bool openExeEnd = false;
    NotePosition notePos = NotePosition::Bottom;

    // The boxes: paragraphs separated by "\n" in the two text boxes.
    QString firstBox, secondBox;
    bool firstModified = false, secondModified = false;
    QString params; // DBE_ProgParams, bound to PromptOr1stLine of program and open-file rows
    bool paramsModified = false;
    QString nextSlide; // DBE_NextSlide, bound to NextSlide
    bool nextSlideModified = false;
    Box focus = Box::None; // where the edit commands act; where the focus goes after a command

    // What shows.
    bool paramPanelVisible = false;
    bool paramEditable = false;
    QString paramLabel;
    bool fileSearchEnabled = false; // "Selecció d'un arxiu" and "En executar o obrir: marxa"
    bool textPanelsVisible = false; // with the "Edició" menu
    bool fileCommandsEnabled = false;
    bool firstBoxVisible = false;
    bool secondBoxVisible = false;
    QString firstHint, secondHint;
    bool noteButtonsVisible = false;
    bool nextSlideEnabled = true;
    bool answerTogglesVisible = false; // prompt and random toggles
    bool markCommandsEnabled = false;  // "Posa una marca a la imatge"
    bool markClearEnabled = false;
    bool rowHasMark = false;
};

// The rows of the slide list editor: one slide per row, loaded from the presentation's lines
// and written back as lines, with the editing rules of every command.
//
// A row read from a line and not changed since writes that line back exactly as it was read,
// so opening the editor and accepting changes nothing in the file, whatever the order of the
// line's flags, its paragraphs longer than the rows hold, or its time written with a sign.
class SlideListRows : public FileListRows
{
    Q_OBJECT

public:
    enum SlideField {
        Time = 7,
        NotePos = 8,
        PromptOr1stLine = 9,
        AnswersOrNextLines = 10,
        Show = 11,
        PWithAnswer = 12,
        PWithPromptForAnswer = 13,
        PRandomAnswer = 14,
        PresTotalTest = 15,
        NextSlide = 16,
        AudioDir = 17,
        AudioName = 18,
        AudioExt = 19,
        AudioValid = 20,
        AudioRepeat = 21,
        AudioContinue = 22,
        AudioStop = 23,
        OpenExeEnd = 24,
        OpenValid = 25,
        SourceLine = 26 // the line the row was read from, emptied by any change
    };
    static constexpr int kParagraphWidth = 255;

    SlideListRows(Prompter &prompter, const ProgramOptions &options, QObject *parent = nullptr);

    SlideRowControls controls;
    // Set while rows are swapped: the checks that would warn are left out.
    bool showMessages = true;

    // Loading: skips (with its message) every malformed line and warns once about paragraphs
    // longer than a row holds. Loading counts as no change.
    void loadLines(const QStringList &lines, int currentRow = 0);
    // Every row as a slide line.
    QStringList writeLines() const;
    QString writeLine(int row) const;
    // The row as a slide record (complete paths, kind, flags).
    SlideRecord slideRecord(int row) const;

    // Adding rows.
    void addSelectedFiles(const QStringList &files, bool insert);
    void addTitleRow(bool insert);
    // Appends an open-file row and stores `file` in it (empty when the user chose none).
    void addOpenFileRow(const QString &file);
    // "Selecció d'un arxiu" on the current row: the file to open, or a parameter for a program.
    void chooseFile(const QString &file);

    // Moving the current row; false when it cannot move that way.
    bool moveUp();
    bool moveDown();
    bool canMoveUp() const;
    bool canMoveDown() const;

    // The commands on the selected rows; each says "Heu de seleccionar alguna diapositiva" and
    // returns false when `rows` is empty.
    bool hideOrShow(const std::vector<int> &rows);
    bool setTime(const std::vector<int> &rows, int seconds);
    bool clearTime(const std::vector<int> &rows);
    bool setRepeat(const std::vector<int> &rows, bool on);

    // The toggles, as the window's commands change them.
    void setPWithAnswer(bool on);
    void setPWithPromptForAnswer(bool on);
    void setPRandomAnswer(bool on);
    void setPresTotalTest(bool on);
    void setAudioRepeat(bool on);
    void setAudioContinue(bool on);
    void setAudioStop(bool on);
    void setOpenExeEnd(bool on);
    void setNotePos(NotePosition pos);
    // "Copia i enganxa el nom de l'arxiu": the text goes at the end of the first box.
    void pasteFileName(const QString &name);

    // "Calcula el temps".
    QString totalTimeText(int imageDelaySeconds) const;
    // "Comprovació de la presentació...": the problem lines (the validity fields are set on
    // the way) and, when there are none, the summary.
    QStringList checkList() override;
    QString checkSummary() const override { return QStringLiteral("La presentació és correcte"); }
    bool isQuestionRow(int row) const override;
    // The first-row rule applies except while the last accessory slides of a quiz are edited.
    bool firstRowRule = true;

    // Numbering of the slides' files on disk: the rows follow each rename that succeeds.
    // False (after "No hi ha cap arxiu vàlid") when no row names an existing file.
    bool numberFiles(bool set);

    // The text conversion of a box into a field (line breaks to "|", trimming, upper case of
    // the first letter, trailing "|" removed). `tooLong` is set when the result passes 255.
    static QString convertBoxText(const QString &box, bool trim, bool upperFirst, bool *tooLong);
    // The name without a number put by numberFiles(), and with one.
    static QString withoutPositionNumber(const QString &name, bool atEnd);
    static QString withPositionNumber(const QString &name, int number, int digits, bool atEnd);

    // The references to slide numbers, renumbered: after an insertion at `row` (from 0) every
    // number >= row + 1 grows by one; after a deletion with `rowAfter` current (from 0) every
    // number > rowAfter + 1 shrinks by one; a move exchanges the numbers of two rows.
    void renumberForInsertion(int row);
    void renumberForDeletion(int rowAfter);
    void exchangeReferences(int rowA, int rowB);

protected:
    void ResetAudioOptions() override;
    void ClearQuestionFields(int row) override;
    bool CanAccept() override;
    void PostPendingEdits() override;
    void AfterRowDeleted(int rowAfter) override;
    void AfterRowPosted(int row, bool inserted) override;
    void RefreshRowControls() override;
    void StoreRowEdits(int row) override;
    bool IsRowDefective(int row) const override;
    bool IsRowSound(int row) const override;
    bool IsRowHidden(int row) const override;
    bool AdjustCellFont(int row, int field) const override;

private:
    MemTable::Record recordFromSlide(const SlideRecord &slide) const;
    MemTable::Record newRecord(const QString &kind) const;
    void updateVisibility();
    // Applies `change` to every reference number of every row; a row changes only when one of
    // its numbers does.
    template <typename Change> void renumber(Change change);
    void applyTogglesToRow(int row);
    void setToggle(bool &toggle, bool on);

    const ProgramOptions &m_options;
    bool m_togglesChanged = false;
    bool m_defaultsApplied = false;
    bool m_justInserted = false;
};
