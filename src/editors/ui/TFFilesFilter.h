#pragma once

#include "editors/FileListMasks.h"

#include <QDialog>

#include <array>

class DialogHelp;
class HelpRequester;
class Prompter;
class QCheckBox;
class QPushButton;

// "Tipus d'arxius a mostrar": which kinds of file the editor's left list shows, one box per kind
// ("sal" and "exe" only for lists that may hold slide lists and programs), and "Tots" to tick
// every box shown. OK is refused while no box shown is ticked.
class TFFilesFilter : public QDialog
{
    Q_OBJECT

public:
    TFFilesFilter(const FileFilterSet &filter, ListContents contents, Prompter &prompter,
                  QWidget *parent = nullptr);

    // "Ajuda" and F1 open the help of the filter of slide lists or of tables; disabled until
    // help is given. The requester must outlive the dialog.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    // The kinds as ticked; a kind without a box keeps the value it came with.
    FileFilterSet filter() const;
    QCheckBox *box(FileFilterKind kind) const { return m_boxes[std::size_t(kind)]; }
    QPushButton *allButton() const { return m_all; }

    void accept() override;

private:
    FileFilterSet m_filter;
    ListContents m_contents;
    Prompter &m_prompter;
    std::array<QCheckBox *, kFileFilterKindCount> m_boxes{};
    QPushButton *m_all = nullptr;
    DialogHelp *m_help = nullptr;
};
