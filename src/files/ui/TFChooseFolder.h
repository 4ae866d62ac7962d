#pragma once

#include <QDialog>

class Prompter;
class Shell;
class TLsDirTree20;

// "Especifica un directori": a docked folder tree without its menu, opened at a folder, with OK
// and Cancel.
class TFChooseFolder : public QDialog
{
    Q_OBJECT

public:
    TFChooseFolder(const QString &path, Prompter &prompter, Shell &shell,
                   QWidget *parent = nullptr);

    TLsDirTree20 *tree() const { return m_tree; }
    // The folder chosen in the tree.
    QString SelectedPath() const;

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TLsDirTree20 *m_tree = nullptr;
    bool m_centred = false;
};

// Asks for a folder starting at `path`; returns the folder chosen, or "" when cancelled.
QString ChooseFolder(const QString &path, Prompter &prompter, Shell &shell,
                     QWidget *parent = nullptr);
