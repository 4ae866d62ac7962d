#include "files/ui/DirectoryTreeWindow.h"

#include "files/HelpContexts.h"
#include "files/ui/TFPresentRxRichEdit.h"

#include <QTextEdit>

TFPresentRxRichEdit *showDirectoryTreeLines(const QStringList &lines, QWidget *parent,
                                            HelpRequester *help)
{
    auto *window = new TFPresentRxRichEdit(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Arbre de directoris"));
    window->setWindowModality(Qt::ApplicationModal);
    window->richEdit()->setLineWrapMode(QTextEdit::NoWrap);
    window->setPlainText(lines.join(QLatin1Char('\n')));
    if (help)
        window->setHelp(help, helpNumber(HelpContext::DirectoryTree));
    window->show();
    return window;
}
