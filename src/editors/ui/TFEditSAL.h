#pragma once

#include "editors/ui/TFEditSAL0.h"
#include "files/TPosPresDBIndex.h"
#include "files/TPosSize.h"

// What the main window keeps of the slide list editor between openings during a run of the program:
// the window's layout and states, the index and sketch windows' places, and the choices "kept while
// the program runs".
struct SlideEditorMemory
{
    EditorWindowState window;
    TPosSize sketch{QSize(242, 120)};
    TPosSize textIndex{QSize(265, 120)};
    TPosPresDBIndex gridIndex{QSize(206, 120)};
    bool allParagraphs = false;
    bool noNumbers = false;
};

// The slide list editor the main window opens: the slide list window with saving under a chosen
// name, the numbering of the slides' files, and the index and sketch of the list.
class TFEditSAL : public TFEditSAL0
{
    Q_OBJECT

public:
    TFEditSAL(EditorServices &services, SlideEditorMemory &memory, QWidget *parent = nullptr);

    // Whether "Desa la presentació com..." wrote the list (the presentation is then saved).
    bool savedToFile() const { return m_saved; }

    // "Desa la presentació com...".
    void saveAs();
    void showIndex();
    void showSketch();

private:
    SlideEditorMemory &m_memory;
    bool m_saved = false;
};
