#pragma once

#include "config/PresentationSettings.h"

#include <QDialog>
#include <QPoint>

class HelpRequester;
class TAdvImageNew;

// The picture of a row shown maximised, enlarged as the player enlarges it, on which a click
// places the mark. Esc closes it, F1 opens its help. The mark it holds when it closes, however
// it closes, is the row's new mark.
class TFShImageToMark : public QDialog
{
    Q_OBJECT

public:
    // `mark` in thousandths of the picture's width and height, (-1, -1) for none.
    TFShImageToMark(const QString &file, QPoint mark, const PresentationSettings &settings,
                    QWidget *parent = nullptr);

    // F1 opens the window's help; nothing until help is given.
    void setHelp(HelpRequester *help) { m_help = help; }

    // MarkX and MarkY as they stand.
    QPoint markPos() const;
    TAdvImageNew *view() const { return m_view; }
    // Whether the file could be shown: without a picture a click places nothing.
    bool hasPicture() const;

private:
    TAdvImageNew *m_view = nullptr;
    HelpRequester *m_help = nullptr;
};
