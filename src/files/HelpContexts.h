#pragma once

#include <span>

// The help context numbers of the program's windows. A window opens the help at its number
// (its F1 key, its "Ajuda" button or entry); the compiled help carries a keyword with that
// number as identifier on the window's page. Every number a window uses is listed in
// helpContexts(), which the help's test resolves one by one.
enum class HelpContext : int {
    CopyDestination = 1027,       // "Selecció del directori de destí", copying a list's files
    MoveDestination = 1028,       // "Selecció del directori de destí", moving them
    PresentationErrors = 1032,    // the check's errors window, slide list
    SoundTableErrors = 1033,      // the check's errors window, image-sound table
    EditorCheckErrors = 1034,     // "Errors trobats", the file list editors' check
    GotoSlide = 1035,             // "Anar a la diapositiva"
    MainWindow = 1036,            // "Seqüenciador de diapositives"
    InFormalImage = 1038,         // inner formal options, page "&Imatge i comentari"
    InFormalTitle = 1039,         // inner formal options, page "&Títol"
    InFormalQuestion = 1040,      // inner formal options, page "&Pregunta/Respostes"
    InFormalAnswerMessage = 1041, // inner formal options, page "Resposta a respostes"
    InFormalText = 1042,          // inner formal options, page "Arxiu t&xt"
    OutFormalOptions = 1046,      // outer formal options
    SpeedOptions = 1047,          // "Velocitat de presentació"
    PanelBackground = 1049,       // the background of a panel
    FilesFilter = 1050,           // "Tipus d'arxius a mostrar", a table's file list
    SlideFilesFilter = 1051,      // "Tipus d'arxius a mostrar", a slide list's file list
    AudioFilesFilter = 1052,      // "Tipus d'arxius d'audio a mostrar"
    FirstAccessorySlides = 1056,  // "Assignació de la primera/es diapositiva/es"
    LastAccessorySlides = 1057,   // "Assignació de l'última/es diapositiva/es"
    SoundTableEditor = 1054,      // the images/sounds and meanings table editor
    WordTableEditor = 1060,       // the words and meanings table editor
    PicturesRadioQuiz = 1062,     // a quiz from a pictures table, radio buttons
    PicturesOneAnswerQuiz = 1063, // a quiz from a pictures table, one answer
    WordsRadioQuiz = 1064,        // a quiz from a words table, radio buttons
    WordsOneAnswerQuiz = 1065,    // a quiz from a words table, one answer
    FavoriteDirs = 1073,          // "Directoris preferits"
    SketchListing = 1075,         // the sketch of the list ("Llistat de diapositives")
    OrderListing = 1076,          // the order listing ("Llistat de diapositives")
    TextIndex = 1078,             // "Índex" as text
    GridIndex = 1079,             // "Índex" as a grid
    EditOptions = 1080,           // "Opcions d'edició" of the file list editors
    SlideListEditOptions = 1081,  // "Opcions d'edició" of the slide list editor
    SoundTableEditOptions = 1082, // "Opcions d'edició" of the images/sounds table editor
    SlideListEditor = 1083,       // the slide list editor ("Edició de la llista ...")
    DirectoryTree = 1092,         // "Arbre de directoris", a written-out branch
    ChangeDir = 1094,             // "Canvia el directori"
    ConfigurationPolicies = 1098, // "Configuració de la presentació"
    InitialOptions = 1099,        // "Opcions d'inici"
    AdminPassword = 1101,         // "Contrasenya", the administrator's password at start-up
    UserPassword = 1102,          // "Identificació"
    UserPasswordDomain = 1103,    // "Identificació i domini"
    ChangeUserPassword = 1104,    // "Manteniment contrasenya", a user's own password
    UserName = 1105,              // "Usuari"
    AdminUsers = 1109,            // administrator options, page "Usuaris"; its password too
    AdminResults = 1110,          // administrator options, page "Escriptura resultats"
    AdminDomains = 1111,          // administrator options, page "Dominis"
    GeneralOptions = 1114,        // "Opcions generals del programa"
    ModalOptions = 1116,          // "Opcions de mode de presentació"
    WebPreview = 1117,            // the preview of a web page (slide list editor)
    ImageToMark = 1121,           // the picture on which a mark is placed
    QuestionsAndAnswers = 1122,   // "Preguntes i respostes"
    Tutorial = 1126,              // "Petit tutorial"
};

struct HelpContextEntry
{
    HelpContext context;
    const char *window; // the class or topic, for the messages of the help's test
};

// Every help context the program's windows and help entries ask for.
std::span<const HelpContextEntry> helpContexts();

constexpr int helpNumber(HelpContext context)
{
    return static_cast<int>(context);
}
