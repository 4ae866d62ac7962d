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
    // The hint follows OpenSalOption; this is the one of option 0.
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
    // Enabled once a list is open.
    {.name = "A_F_EditSAL",
     .caption = "Edició de la presentació actual...",
     .hint = "Edita la presentació actual",
     .picture = themePicture("document-edit", QStyle::SP_FileDialogInfoView),
     .menu = {"MI_File", 130},
     .toolBar = {"TB_F_Edit", 20},
     .enabled = false},
    {.name = "A_F_EditNewSAL",
     .caption = "Edició d'una nova presentació...",
     .hint = "Crea i edita una nova presentació",
     .picture = themePicture("document-new", QStyle::SP_FileIcon),
     .menu = {"MI_File", 140},
     .toolBar = {"TB_F_EditNew", 30}},
    // Enabled in manual mode while the order is sequential.
    {.name = "A_F_RecTime",
     .caption = "Enregistra el temps",
     .picture = themePicture("media-record", QStyle::SP_DialogSaveButton),
     .menu = {"MI_File", 150},
     .toolBar = {"TB_F_RecTime", 50},
     .checkable = true},
    {.name = "MI_F_Sep1", .kind = RowKind::Separator, .menu = {"MI_File", 200}},
    // The meaning tables. Like every command whose window is not part of the program yet, they
    // stay disabled whatever their row says until their window is given to the main window.
    {.name = "A_F_OpenWML",
     .caption = "Obre una taula WML de significats desada...",
     .picture = themePicture("document-open", QStyle::SP_DirOpenIcon),
     .menu = {"MI_File", 210},
     .group = {"PUM_WMLAndOptions", 10}},
    {.name = "A_F_EditWML",
     .caption = "Edició de la taula WML de significats actual...",
     .picture = themePicture("accessories-text-editor", QStyle::SP_FileLinkIcon),
     .menu = {"MI_File", 220},
     .group = {"PUM_WMLAndOptions", 20},
     .enabled = false},
    {.name = "A_F_EditNewWML",
     .caption = "Edició d'una nova taula WML de significats...",
     .picture = themePicture("document-new", QStyle::SP_FileIcon),
     .menu = {"MI_File", 230},
     .group = {"PUM_WMLAndOptions", 30}},
    {.name = "A_F_OpenSML",
     .caption = "Obre una taula SML de significats desada...",
     .picture = themePicture("folder-pictures", QStyle::SP_DirOpenIcon),
     .menu = {"MI_File", 240},
     .group = {"PUM_WMLAndOptions", 40}},
    {.name = "A_F_EditSML",
     .caption = "Edició de la taula SML de significats actual...",
     .picture = themePicture("image-x-generic", QStyle::SP_FileDialogContentsView),
     .menu = {"MI_File", 250},
     .group = {"PUM_WMLAndOptions", 50},
     .enabled = false},
    {.name = "A_F_EditNewSML",
     .caption = "Edició d'una nova taula SML de significats...",
     .picture = themePicture("document-new", QStyle::SP_FileIcon),
     .menu = {"MI_File", 260},
     .group = {"PUM_WMLAndOptions", 60}},
    {.name = "MI_F_Sep2", .kind = RowKind::Separator, .menu = {"MI_File", 300}},
    {.name = "PUM_O_SepIni", .kind = RowKind::Separator, .group = {"PUM_WMLAndOptions", 65}},
    {.name = "A_F_OpenIni",
     .builder = RowBuilder::Controller,
     .caption = "Obre una configuració de presentació desada...",
     .hint = "Obre una configuració de presentació desada",
     .picture = themePicture("document-properties", QStyle::SP_DialogOpenButton),
     .menu = {"MI_File", 310},
     .group = {"PUM_WMLAndOptions", 70}},
    {.name = "MI_F_Sep3", .kind = RowKind::Separator, .menu = {"MI_File", 400}},
    {.name = "PUM_O_SepOptions", .kind = RowKind::Separator, .group = {"PUM_WMLAndOptions", 75}},
    // The hints of the next two follow the options they set.
    {.name = "A_F_InitialOptions",
     .builder = RowBuilder::Controller,
     .caption = "Opcions d'inici del programa...",
     .picture = themePicture("system-run", QStyle::SP_DriveHDIcon),
     .menu = {"MI_File", 410},
     .group = {"PUM_WMLAndOptions", 80}},
    {.name = "A_F_SaveLoadIndividualConfig",
     .builder = RowBuilder::Controller,
     .caption = "Opcions de desar/carregar configuració...",
     .picture = themePicture("document-save", QStyle::SP_DialogSaveButton),
     .menu = {"MI_File", 420},
     .group = {"PUM_WMLAndOptions", 90}},
    {.name = "A_F_GeneralOptions",
     .caption = "Opcions generals...",
     .hint = "Opcions generals del programa",
     .picture = themePicture("preferences-system", QStyle::SP_ComputerIcon),
     .menu = {"MI_File", 440},
     .group = {"PUM_WMLAndOptions", 100}},
    {.name = "A_F_AdminOptions",
     .caption = "Opcions de l'administrador...",
     .hint = "Opcions de l'administrador: usuaris, dominis i resultats",
     .picture = themePicture("system-users", QStyle::SP_DirHomeIcon),
     .menu = {"MI_File", 450},
     .group = {"PUM_WMLAndOptions", 110}},
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
    {.name = "MI_V_Sep1", .kind = RowKind::Separator, .menu = {"MI_Viewing", 150}},
    {.name = "A_V_Loop",
     .caption = "Reproducció continua",
     .picture = themePicture("media-playlist-repeat", QStyle::SP_BrowserReload),
     .menu = {"MI_Viewing", 160},
     .toolBar = {"TB_V_Loop", 120},
     .checkable = true},
    // The hint follows the order (PresSort).
    {.name = "A_V_ModalOptions",
     .caption = "Mode de presentació...",
     .picture = themePicture("media-playlist-shuffle", QStyle::SP_FileDialogListView),
     .menu = {"MI_Viewing", 170},
     .toolBar = {"TB_V_ModalOptions", 130}},
    {.name = "A_V_Manual",
     .caption = "Presentació manual",
     .picture = themePicture("input-mouse", QStyle::SP_MediaSkipForward),
     .menu = {"MI_Viewing", 180},
     .toolBar = {"TB_V_Manual", 140},
     .checkable = true},
    // Enabled in automatic mode.
    {.name = "A_V_Speed",
     .caption = "Velocitat...",
     .hint = "Temps que es mostra cada diapositiva\r\nen la reproducció automàtica",
     .picture = themePicture("media-seek-forward", QStyle::SP_MediaSeekForward),
     .menu = {"MI_Viewing", 190},
     .toolBar = {"TB_V_Speed", 150}},
    {.name = "MI_V_SepSlide", .kind = RowKind::Separator, .menu = {"MI_Viewing", 200}},
    // Enabled by the slide shown: pictures, text and web pages open in their own program.
    {.name = "A_V_Edit",
     .caption = "Obre (i opcionalment edita) arxiu",
     .hint = "Obre la diapositiva actual",
     .key = QKeyCombination(Qt::Key_E),
     .picture = standardPicture(QStyle::SP_FileDialogDetailedView),
     .menu = {"MI_Viewing", 240},
     .toolBar = {"TB_V_Edit", 210},
     .enabled = false},
    {.name = "A_V_ShowSlideName",
     .caption = "Mostra el nom de la diapositiva",
     .hint = "Mostra el nom de la diapositiva",
     .key = QKeyCombination(Qt::Key_Q),
     .picture = standardPicture(QStyle::SP_FileIcon),
     .menu = {"MI_Viewing", 250},
     .group = {"PUM_X", 20},
     .enabled = false},
    {.name = "A_V_OutFormalOptions",
     .caption = "Aspectes formals exteriors de visualització...",
     .hint = "Aspectes formals exteriors de visualització:\r\nbarra de títol, menú i botons",
     .picture = themePicture("preferences-desktop", QStyle::SP_DesktopIcon),
     .menu = {"MI_Viewing", 260},
     .toolBar = {"TB_V_OutFormalOptions", 240}},
    {.name = "A_V_InFormalOptions",
     .caption = "Aspectes formals interiors de visualització...",
     .hint = "Aspectes formals interiors de visualització:\r\nplafons, colors i lletres",
     .picture = themePicture("preferences-desktop-font", QStyle::SP_FileDialogContentsView),
     .menu = {"MI_Viewing", 270},
     .toolBar = {"TB_V_InFormalOptions", 245}},
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
    // The image view's toggles and the audio tracks'.
    {.name = "A_I_GifAnimate",
     .caption = "Animació en gràfic GIF",
     .picture = themePicture("media-playback-start", QStyle::SP_FileDialogStart),
     .menu = {"MI_SpecificViewing", 100},
     .group = {"PUM_ImageSlides", 10},
     .checkable = true},
    {.name = "A_I_Transparent",
     .caption = "Imatge transparent",
     .picture = themePicture("image-x-generic", QStyle::SP_TitleBarNormalButton),
     .menu = {"MI_SpecificViewing", 110},
     .group = {"PUM_ImageSlides", 20},
     .checkable = true},
    {.name = "A_I_AmpliationEnabled",
     .caption = "Ampliació màxima activada",
     .picture = themePicture("zoom-in", QStyle::SP_TitleBarMaxButton),
     .menu = {"MI_SpecificViewing", 120},
     .group = {"PUM_ImageSlides", 30},
     .checkable = true},
    {.name = "A_A_NoAudioPlay",
     .caption = "No reprodueix les pistes d'àudio",
     .picture = standardPicture(QStyle::SP_MediaVolumeMuted),
     .menu = {"MI_SpecificViewing", 130},
     .group = {"PUM_ImageSlides", 40},
     .checkable = true},
    {.name = "MI_SV_SepNotes", .kind = RowKind::Separator, .menu = {"MI_SpecificViewing", 135}},
    {.name = "A_I_HideNote",
     .caption = "Amaga els comentaris",
     .picture = standardPicture(QStyle::SP_DialogNoButton),
     .menu = {"MI_SpecificViewing", 140},
     .group = {"PUM_X", 10},
     .checkable = true},
    {.name = "A_I_ShowNameAndNote",
     .caption = "Mostra el nom i nota de la imatge",
     .hint = "Mostra el nom i nota de la imatge",
     .key = QKeyCombination(Qt::Key_W),
     .picture = standardPicture(QStyle::SP_MessageBoxInformation),
     .menu = {"MI_SpecificViewing", 150},
     .group = {"PUM_X", 30},
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
    {.name = "TB_SepOptions", .kind = RowKind::Separator, .toolBar = {nullptr, 80}},
    {.name = "TB_SepX", .kind = RowKind::Separator, .toolBar = {nullptr, 215}},
    {.name = "TB_SepImage", .kind = RowKind::Separator, .toolBar = {nullptr, 225}},
    {.name = "TB_SepFormal", .kind = RowKind::Separator, .toolBar = {nullptr, 235}},
    {.name = "TB_SepEnd", .kind = RowKind::Separator, .toolBar = {nullptr, 250}},
    {.name = "TB_SepWeb", .kind = RowKind::Separator, .toolBar = {nullptr, 270}},
};

const DropDownRow kDropDowns[] = {
    {.button = "TB_WMLAndOptions",
     .arrow = "SB_WMLAndOptions",
     .menu = "PUM_WMLAndOptions",
     .arrowHint = "Obre el menú de les ordres de\r\nla taula de significats, les opcions\r\ni "
                  "les configuracions de presentació",
     .slot = 70},
    {.button = "TB_X",
     .arrow = "SB_X",
     .menu = "PUM_X",
     .arrowHint = "Obre el menú d'ordres\r\ndels comentaris de les diapositives",
     .slot = 220},
    {.button = "TB_ImageSlides",
     .arrow = "SB_ImageSlides",
     .menu = "PUM_ImageSlides",
     .arrowHint =
         "Obre el menú de les ordres infreqüents\r\nsobre les diapositives d'imatges i àudio",
     .slot = 230},
    {.button = "TB_V_End",
     .arrow = "SB_End",
     .menu = "PUM_End",
     .arrowHint = "Obre el menú d'ordres\r\nd'acabament de presentació i altres",
     .slot = 260},
};

// The commands each drop-down button's option index names, in the order of the index.
const char *const kOptionsIndexCommands[] = {
    "A_F_EditWML",        "A_F_EditNewWML",     "A_F_OpenWML",
    "A_F_EditSML",        "A_F_EditNewSML",     "A_F_OpenSML",
    "A_F_OpenIni",        "A_F_InitialOptions", "A_F_SaveLoadIndividualConfig",
    "A_F_GeneralOptions", "A_F_AdminOptions"};
const char *const kXIndexCommands[] = {"A_I_HideNote", "A_V_ShowSlideName", "A_I_ShowNameAndNote"};
const char *const kImageSlidesIndexCommands[] = {"A_I_GifAnimate", "A_I_Transparent",
                                                 "A_I_AmpliationEnabled", "A_A_NoAudioPlay"};
const char *const kEndIndexCommands[] = {"A_V_CalcTime", "A_V_Results", "A_V_RandomList",
                                         "A_V_HideMainMenu"};

// The two alternatives of each toggle's hint: "%1" goes before the one in force while the
// toggle's state is on, "%2" while it is off.
struct ToggleHintRow
{
    const char *name;
    const char *hint;
};
const ToggleHintRow kToggleHints[] = {
    {"A_I_HideNote", "Amaga %1o mostra %2 els comentaris de les imatges"},
    {"A_A_NoAudioPlay", "Envia l'ordre de reproduir %1o no %2\r\nels arxius d'audio"},
    {"A_V_HideMainMenu", "Mostra %1o amaga %2el menú principal"},
    {"A_I_AmpliationEnabled", "Activa %1o desactiva %2 la ampliació\r\na un valor escollit"},
    {"A_I_GifAnimate", "Activa %1o desactiva %2 el moviment en les imatges GIF animades"},
    {"A_I_Transparent",
     "Activa %1o desactiva %2el mostrar com transparents\r\nles vores d'una imatge bmp"},
    {"A_V_Loop", "Activa %1o desactiva %2la reproducció contínua"},
    {"A_V_Manual", "Activa %1o desactiva %2la reproducció manual"},
    {"A_F_RecTime", "Activa %1o desactiva %2el guardar el temps utilitzat\r\nen cada diapositiva "
                    "en la reproducció manual"},
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

std::span<const char *const> dropDownIndexCommands(QStringView button)
{
    if (button == u"TB_WMLAndOptions")
        return kOptionsIndexCommands;
    if (button == u"TB_X")
        return kXIndexCommands;
    if (button == u"TB_ImageSlides")
        return kImageSlidesIndexCommands;
    if (button == u"TB_V_End")
        return kEndIndexCommands;
    return {};
}

QString toggleHint(QStringView name, bool stateOn)
{
    const QString marker = QStringLiteral("(estat actual) ");
    for (const ToggleHintRow &row : kToggleHints)
        if (name == QLatin1String(row.name))
            return QString::fromUtf8(row.hint).arg(stateOn ? marker : QString(),
                                                   stateOn ? QString() : marker);
    return QString();
}

std::span<const char *const> viewOnlyHiddenNames()
{
    static const char *const names[] = {
        "A_F_Check", "A_F_EditNewSAL", "A_F_EditNewSML", "A_F_EditNewWML", "A_F_EditSAL",
        "A_F_EditSML", "A_F_EditWML", "A_F_GeneralOptions", "A_F_InitialOptions", "A_F_OpenIni",
        "A_F_OpenSML", "A_F_OpenWML", "A_F_RecTime", "A_F_SaveLoadIndividualConfig",
        "SB_WMLAndOptions", "MI_F_Sep1", "MI_F_Sep2", "MI_F_Sep3", "A_I_AmpliationEnabled",
        "A_I_GifAnimate", "A_I_Transparent", "TB_ImageSlides", "SB_ImageSlides", "A_V_Edit",
        "A_V_HideMainMenu", "A_V_InFormalOptions", "A_V_Loop", "A_V_Manual", "A_V_OutFormalOptions",
        "A_V_ModalOptions", "A_V_Speed", "MI_V_Sep1", "A_F_AdminOptions",
        // Every command of the options' drop-down is hidden: so is its button.
        "TB_WMLAndOptions",
        // The toolbar separators that would otherwise stand two in a row.
        "TB_SepOptions", "TB_SepImage", "TB_SepFormal"};
    return names;
}

std::span<const char *const> awaitingWindowNames()
{
    static const char *const names[] = {
        "A_F_EditNewSAL",     "A_F_OpenWML",      "A_F_EditWML",    "A_F_EditNewWML",
        "A_F_OpenSML",        "A_F_EditSML",      "A_F_EditNewSML", "A_F_GeneralOptions",
        "A_F_AdminOptions",   "A_V_ModalOptions", "A_V_Speed",      "A_V_OutFormalOptions",
        "A_V_InFormalOptions"};
    return names;
}
