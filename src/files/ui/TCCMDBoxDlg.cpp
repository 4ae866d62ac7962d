#include "files/ui/TCCMDBoxDlg.h"

TCCMDBoxDlg::TCCMDBoxDlg(FileOps &ops, Prompter &prompter, QObject *parent)
    : QObject(parent), TStringFileList(prompter), m_ops(ops)
{}

void TCCMDBoxDlg::setSetFilesToNoReadOnly(bool on)
{
    m_setNoReadOnly = on;
    if (on)
        m_promptOnDelReadOnly = false;
}
