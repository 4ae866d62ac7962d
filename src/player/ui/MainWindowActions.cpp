#include "player/ui/MainWindowActions.h"

#include <QString>

#include <iterator>

namespace {

// Slots follow the order the menus and the toolbar show; tens leave room for the commands that
// join them later.
const ActionRow kRows[] = {
    // --- The menu bar ---
    {.name = "MI_File", .kind = RowKind::SubMenu, .caption = "Arxiu", .menu = {kMainMenu, 10}},
    {.name = "MI_Viewing",
     .kind = RowKind::SubMenu,
     .caption = "Visualització",
     .menu = {kMainMenu, 20}},
    {.name = "MI_SpecificViewing",
     .kind = RowKind::SubMenu,
     .caption = "V. específica",
     .menu = {kMainMenu, 30}},
    {.name = "MI_Help", .kind = RowKind::SubMenu, .caption = "Ajuda", .menu = {kMainMenu, 40}},

    // --- "Arxiu" ---
    {.name = "A_F_OpenSAL",
     .caption = "Obre una presentació desada...",
     .hint = "Obre una presentació\r\ni inicia la reproducció",
     .picture = standardPicture(QStyle::SP_DialogOpenButton),
     .menu = {"MI_File", 100},
     .toolBar = {"TB_F_OpenSAL", 10}},
    {.name = "MI_F_ReopenSAL",
     .kind = RowKind::SubMenu,
     .builder = RowBuilder::Controller,
     .caption = "Reobre una presentació",
     .menu = {"MI_File", 110}},
    // Enabled once a list is open.
    {.name = "A_F_Check",
     .caption = "Comprovació de la presentació...",
     .hint = "Comprova que els arxius de la presentació existeixin\r\ni que les preguntes i els "
             "salts siguin correctes",
     .picture = standardPicture(QStyle::SP_DialogApplyButton),
     .menu = {"MI_File", 120},
     .toolBar = {"TB_F_Check", 40},
     .enabled = false},
    {.name = "MI_F_Sep1", .kind = RowKind::Separator, .menu = {"MI_File", 200}},
    {.name = "A_F_OpenIni",
     .builder = RowBuilder::Controller,
     .caption = "Obre una configuració de presentació desada...",
     .menu = {"MI_File", 310}},
    {.name = "A_F_SaveLoadIndividualConfig",
     .builder = RowBuilder::Controller,
     .caption = "Opcions de desar/carregar configuració...",
     .menu = {"MI_File", 410}},
    {.name = "A_F_InitialOptions",
     .builder = RowBuilder::Controller,
     .caption = "Opcions d'inici del programa...",
     .menu = {"MI_File", 420}},
    // Until the general options exist, the program's results settings have a dialog of their own.
    {.name = "A_F_ResultsOptions",
     .builder = RowBuilder::Controller,
     .caption = "Resultats dels exercicis...",
     .menu = {"MI_File", 430}},
    // The shortcut command, the separator above "Surt" and "Surt" come from the window's
    // ancestor, which closes the window on "Surt"; these rows give them their places.
    {.name = "MI_F_SepLink", .kind = RowKind::Separator, .menu = {"MI_File", 880}},
    {.name = "A_F_MakeLink", .caption = "Crea accés directe...", .menu = {"MI_File", 890}},
    {.name = "MI_F_SepExit", .kind = RowKind::Separator, .menu = {"MI_File", 900}},
    {.name = "MI_F_Exit", .caption = "Surt", .key = Qt::ALT | Qt::Key_F4, .menu = {"MI_File", 910}},

    // --- "Visualització" ---
    // Nothing to start or step through until a list is open.
    {.name = "A_V_InitNext",
     .caption = "Inicia la reproducció",
     .hint = "Comença a mostrar la presentació",
     .picture = standardPicture(QStyle::SP_MediaPlay),
     .menu = {"MI_Viewing", 100},
     .toolBar = {"TB_V_Init", 90},
     .enabled = false},
    {.name = "A_V_Prior",
     .caption = "A la prèvia",
     .hint = "Diapositiva anterior",
     .key = QKeyCombination(Qt::Key_Backspace),
     .picture = standardPicture(QStyle::SP_MediaSeekBackward),
     .menu = {"MI_Viewing", 110},
     .toolBar = {"TB_V_Prior", 100},
     .enabled = false},
    {.name = "A_V_First",
     .caption = "A la primera",
     .hint = "Primera diapositiva",
     .key = QKeyCombination(Qt::Key_Home),
     .picture = standardPicture(QStyle::SP_MediaSkipBackward),
     .menu = {"MI_Viewing", 120},
     .toolBar = {"TB_V_First", 105},
     .enabled = false},
    {.name = "A_V_Stop",
     .caption = "Atura la reproducció",
     .hint = "Atura la reproducció",
     .key = QKeyCombination(Qt::Key_Escape),
     .picture = standardPicture(QStyle::SP_MediaStop),
     .menu = {"MI_Viewing", 130},
     .toolBar = {"TB_V_Stop", 110},
     .enabled = false},
    // Enabled once a list with a visible slide is open; during a run it ends the run first.
    {.name = "A_V_Goto",
     .caption = "Selecció d'una diapositiva...",
     .hint = "Comença a mostrar des d'una diapositiva a escollir",
     .picture = standardPicture(QStyle::SP_ArrowRight),
     .menu = {"MI_Viewing", 140},
     .toolBar = {"TB_V_Goto", 200},
     .enabled = false},
    {.name = "MI_V_SepSlide", .kind = RowKind::Separator, .menu = {"MI_Viewing", 200}},
    // Enabled by the slide shown: pictures, text and web pages open in their own program.
    {.name = "A_V_Edit",
     .caption = "Obre (i opcionalment edita) arxiu",
     .hint = "Obre la diapositiva actual",
     .key = QKeyCombination(Qt::Key_E),
     .picture = standardPicture(QStyle::SP_FileDialogDetailedView),
     .menu = {"MI_Viewing", 240},
     .enabled = false},
    {.name = "A_V_ShowSlideName",
     .caption = "Mostra el nom de la diapositiva",
     .hint = "Mostra el nom de la diapositiva",
     .key = QKeyCombination(Qt::Key_Q),
     .picture = standardPicture(QStyle::SP_FileIcon),
     .menu = {"MI_Viewing", 250},
     .enabled = false},
    {.name = "MI_V_SepEnd", .kind = RowKind::Separator, .menu = {"MI_Viewing", 300}},
    {.name = "A_V_CalcTime",
     .caption = "Mostra el temps emprat",
     .hint = "Mostra el temps emprat",
     .picture = standardPicture(QStyle::SP_BrowserReload),
     .menu = {"MI_Viewing", 310},
     .group = {"PUM_End", 10},
     // Enabled by the engine once a run has ended.
     .enabled = false},
    {.name = "A_V_Results",
     .caption = "Mostra els resultats",
     .hint = "Mostra els resultats",
     .picture = standardPicture(QStyle::SP_FileDialogContentsView),
     .menu = {"MI_Viewing", 320},
     .group = {"PUM_End", 20}},
    {.name = "A_V_RandomList",
     .caption = "Mostra la llista aleatòria",
     .hint = "Mostra la llista aleatòria",
     .picture = standardPicture(QStyle::SP_FileDialogListView),
     .menu = {"MI_Viewing", 330},
     .group = {"PUM_End", 30},
     // Enabled by the engine while the order is random.
     .enabled = false},
    {.name = "A_V_HideMainMenu",
     .caption = "Amaga el menú principal",
     .picture = standardPicture(QStyle::SP_TitleBarShadeButton),
     .menu = {"MI_Viewing", 340},
     .group = {"PUM_End", 40},
     .checkable = true},

    // --- "V. específica" ---
    {.name = "A_I_HideNote",
     .caption = "Amaga els comentaris",
     .menu = {"MI_SpecificViewing", 140},
     .checkable = true},
    {.name = "A_I_ShowNameAndNote",
     .caption = "Mostra el nom i nota de la imatge",
     .hint = "Mostra el nom i nota de la imatge",
     .key = QKeyCombination(Qt::Key_W),
     .picture = standardPicture(QStyle::SP_MessageBoxInformation),
     .menu = {"MI_SpecificViewing", 150},
     .enabled = false},
    // The web commands: hidden until a run of a list with a web slide, enabled by its web view.
    {.name = "MI_SV_SepWeb", .kind = RowKind::Separator, .menu = {"MI_SpecificViewing", 200}},
    {.name = "A_W_Home",
     .caption = "Pàgina d'inici",
     .key = Qt::ALT | Qt::Key_Home,
     .picture = themePicture("go-home", QStyle::SP_DirHomeIcon),
     .menu = {"MI_SpecificViewing", 210},
     .enabled = false},
    {.name = "A_W_Backward",
     .caption = "Pàgina web anterior",
     .key = Qt::ALT | Qt::Key_Left,
     .picture = standardPicture(QStyle::SP_ArrowBack),
     .menu = {"MI_SpecificViewing", 220},
     .toolBar = {"TB_W_Backward", 280},
     .enabled = false},
    {.name = "A_W_Forward",
     .caption = "Pàgina web posterior",
     .key = Qt::ALT | Qt::Key_Right,
     .picture = standardPicture(QStyle::SP_ArrowForward),
     .menu = {"MI_SpecificViewing", 230},
     .toolBar = {"TB_W_Forward", 290},
     .enabled = false},
    {.name = "A_W_Stop",
     .caption = "Atura la càrrega de la pàgina",
     .hint = "Atura la càrrega",
     .picture = standardPicture(QStyle::SP_BrowserStop),
     .menu = {"MI_SpecificViewing", 240},
     .toolBar = {"TB_W_Stop", 300},
     .enabled = false},
    {.name = "A_W_Refresh",
     .caption = "Actualitza el contingut",
     .picture = standardPicture(QStyle::SP_BrowserReload),
     .menu = {"MI_SpecificViewing", 250},
     .enabled = false},
    {.name = "A_W_DecFontSize",
     .caption = "Disminueix la mida del text",
     .picture = standardPicture(QStyle::SP_ArrowDown),
     .menu = {"MI_SpecificViewing", 260},
     .enabled = false},
    {.name = "A_W_IncFontSize",
     .caption = "Augmenta la mida del text",
     .picture = standardPicture(QStyle::SP_ArrowUp),
     .menu = {"MI_SpecificViewing", 270},
     .enabled = false},

    // Enabled while a video slide shows; visible in runs of a list with a video.
    {.name = "A_V_Play",
     .caption = "Mostra l'arxiu de vídeo",
     .hint = "Mostra l'arxiu de vídeo",
     .picture = themePicture("video-x-generic", QStyle::SP_DriveDVDIcon),
     .menu = {"MI_SpecificViewing", 400},
     .toolBar = {"TB_V_Play", 400},
     .enabled = false},

    // --- "Ajuda" ---
    // The window's own entries first; the help pages among them stay disabled until the help
    // is given, as the ancestor's common entries below.
    {.name = "A_H_Tutorial",
     .caption = "Petit tutorial",
     .menu = {"MI_Help", 10},
     .enabled = false},
    {.name = "A_H_QuestionsAndAnswers",
     .caption = "Preguntes i respostes",
     .menu = {"MI_Help", 20},
     .enabled = false},
    {.name = "A_H_Index", .caption = "Índex", .menu = {"MI_Help", 30}, .enabled = false},
    {.name = "A_H_Acknowledgements", .caption = "Agraïments...", .menu = {"MI_Help", 40}},
    {.name = "A_H_About", .caption = "&Referència...", .menu = {"MI_Help", 50}},
    {.name = "MI_H_SepCommon", .kind = RowKind::Separator, .menu = {"MI_Help", 100}},
    {.name = "A_H_Introduction",
     .caption = "&Introducció",
     .menu = {"MI_Help", 110},
     .enabled = false},
    {.name = "A_H_TopicHelp",
     .caption = "Ajuda concreta",
     .key = QKeyCombination(Qt::Key_F1),
     .menu = {"MI_Help", 120},
     .enabled = false},
    {.name = "A_H_Contents", .caption = "Continguts", .menu = {"MI_Help", 130}, .enabled = false},

    // --- Toolbar separators ---
    {.name = "TB_SepFile", .kind = RowKind::Separator, .toolBar = {nullptr, 60}},
    {.name = "TB_SepEnd", .kind = RowKind::Separator, .toolBar = {nullptr, 250}},
    {.name = "TB_SepWeb", .kind = RowKind::Separator, .toolBar = {nullptr, 270}},
};

const DropDownRow kDropDowns[] = {
    {.button = "TB_V_End",
     .arrow = "SB_End",
     .menu = "PUM_End",
     .arrowHint = "Obre el menú d'ordres\r\nd'acabament de presentació i altres",
     .slot = 260},
};

} // namespace

std::span<const ActionRow> mainWindowActionRows()
{
    return kRows;
}

std::span<const DropDownRow> mainWindowDropDownRows()
{
    return kDropDowns;
}

const ActionRow *findActionRow(QStringView name)
{
    for (const ActionRow &row : kRows)
        if (name == QLatin1String(row.name))
            return &row;
    return nullptr;
}

std::span<const char *const> webCommandNames()
{
    static const char *const names[] = {"A_W_Home",       "A_W_Backward", "A_W_Forward",
                                        "A_W_Stop",       "A_W_Refresh",  "A_W_DecFontSize",
                                        "A_W_IncFontSize"};
    return names;
}

const char *playerActionName(PlayerAction action)
{
    switch (action) {
    case PlayerAction::A_V_InitNext: return "A_V_InitNext";
    case PlayerAction::A_V_Prior: return "A_V_Prior";
    case PlayerAction::A_V_First: return "A_V_First";
    case PlayerAction::A_V_Stop: return "A_V_Stop";
    case PlayerAction::A_V_Goto: return "A_V_Goto";
    case PlayerAction::A_V_Manual: return "A_V_Manual";
    case PlayerAction::A_V_CalcTime: return "A_V_CalcTime";
    case PlayerAction::A_V_Edit: return "A_V_Edit";
    case PlayerAction::A_V_ShowSlideName: return "A_V_ShowSlideName";
    case PlayerAction::A_I_ShowNameAndNote: return "A_I_ShowNameAndNote";
    case PlayerAction::A_V_RandomList: return "A_V_RandomList";
    case PlayerAction::A_V_Play: return "A_V_Play";
    case PlayerAction::A_F_Check: return "A_F_Check";
    case PlayerAction::A_F_EditSAL: return "A_F_EditSAL";
    case PlayerAction::A_F_EditWML: return "A_F_EditWML";
    case PlayerAction::A_F_EditSML: return "A_F_EditSML";
    case PlayerAction::WebCommands: return nullptr;
    }
    return nullptr;
}
