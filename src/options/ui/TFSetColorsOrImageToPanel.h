#pragma once

#include "config/PresentationSettings.h"
#include "options/ui/OptionChoosers.h"

#include <QDialog>

class DialogHelp;
class HelpRequester;
class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QListWidget;
class QPushButton;
class TGradPan0;

// The background of a panel: a plain colour, a picture stretched or tiled, or a gradient in one
// of eight directions, tried on a demonstration panel.
class TFSetColorsOrImageToPanel : public QDialog
{
    Q_OBJECT
public:
    TFSetColorsOrImageToPanel(const PanelBackground &background, OptionChoosers choosers,
                              QWidget *parent = nullptr);

    // "Ajuda" and F1 open the dialog's help; disabled until help is given. The requester must
    // outlive the dialog.
    void setHelp(HelpRequester *help);
    DialogHelp *help() const { return m_help; }

    PanelBackground background() const { return m_bg; }
    QButtonGroup *typeGroup() const { return m_type; }
    QListWidget *directions() const { return m_list; }
    QPushButton *colorButton() const { return m_color; }
    QPushButton *bitmapButton() const { return m_bmp; }
    QGroupBox *gradientGroup() const { return m_gradient; }
    TGradPan0 *demonstration() const { return m_demo; }

private:
    void typeChosen(int type);
    void updateControls();
    void showBackground();

    PanelBackground m_bg;
    OptionChoosers m_choosers;
    QButtonGroup *m_type;
    QListWidget *m_list;
    QPushButton *m_color, *m_bmp, *m_start, *m_end;
    QGroupBox *m_gradient;
    TGradPan0 *m_demo;
    DialogHelp *m_help = nullptr;
};
