#pragma once

#include "editors/ui/TFEdiPresentation0.h"

// The preview window with a sizeable border and a title bar: closed with Esc or, as any window,
// with the mouse.
class TFEdiPresentation : public TFEdiPresentation0
{
    Q_OBJECT
public:
    explicit TFEdiPresentation(Prompter &prompter, QWidget *parent = nullptr);

    QString helpText() const override;
};
