#pragma once

#include <QStringList>

class HelpRequester;
class QWidget;
class TFPresentRxRichEdit;

// Shows the lines a tree wrote out of a branch in a modal text window "Arbre de directoris"
// (help context 1092) without word wrap. The window deletes itself when closed; it is returned
// on screen.
TFPresentRxRichEdit *showDirectoryTreeLines(const QStringList &lines, QWidget *parent,
                                            HelpRequester *help = nullptr);
