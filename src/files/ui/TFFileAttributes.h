#pragma once

#include "files/FileListItem.h"

#include <QDialog>

class QCheckBox;

// "Modificació d'atributs": the item's name and its four attributes. Only read-only can change on
// this system; archive and system are never set here and hidden is the name's leading dot, so
// those three are shown and left alone.
class TFFileAttributes : public QDialog
{
    Q_OBJECT
public:
    TFFileAttributes(const QString &name, const FileAttributes &attributes,
                     QWidget *parent = nullptr);

    FileAttributes attributes() const;
    QCheckBox *readOnlyBox() const { return m_readOnly; }

private:
    FileAttributes m_initial;
    QCheckBox *m_readOnly = nullptr;
    QCheckBox *m_archive = nullptr;
    QCheckBox *m_hidden = nullptr;
    QCheckBox *m_system = nullptr;
};
