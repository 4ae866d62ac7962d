#include "files/HelpContexts.h"

namespace {

const HelpContextEntry kContexts[] = {
    {HelpContext::CopyDestination, "TFSelectDirWhereCopy"},
    {HelpContext::MoveDestination, "TFSelectDirWhereCopyMove"},
    {HelpContext::PresentationErrors, "TFPresentErrors (llista)"},
    {HelpContext::SoundTableErrors, "TFPresentErrors (taula d'imatges i sons)"},
    {HelpContext::EditorCheckErrors, "TFPresentMemo (Errors trobats)"},
    {HelpContext::GotoSlide, "TFSelGotoImage"},
    {HelpContext::MainWindow, "TFShowImages"},
    {HelpContext::InFormalImage, "TFInFormalOptions (page 1)"},
    {HelpContext::InFormalTitle, "TFInFormalOptions (page 2)"},
    {HelpContext::InFormalQuestion, "TFInFormalOptions (page 3)"},
    {HelpContext::InFormalAnswerMessage, "TFInFormalOptions (page 4)"},
    {HelpContext::InFormalText, "TFInFormalOptions (page 5)"},
    {HelpContext::OutFormalOptions, "TFOutFormalOptions"},
    {HelpContext::SpeedOptions, "TFSpeedOptions"},
    {HelpContext::PanelBackground, "TFSetColorsOrImageToPanel"},
    {HelpContext::FilesFilter, "TFFilesFilter"},
    {HelpContext::SlideFilesFilter, "TFFilesFilter (llista de diapositives)"},
    {HelpContext::AudioFilesFilter, "TFAudioFilesFilter"},
    {HelpContext::FirstAccessorySlides, "TFMakeSalIni (primeres)"},
    {HelpContext::LastAccessorySlides, "TFMakeSalIni (últimes)"},
    {HelpContext::SoundTableEditor, "TFEditSML"},
    {HelpContext::WordTableEditor, "TFEdiWordsAndMeaningTable"},
    {HelpContext::PicturesRadioQuiz, "TFMakeSalFromSmlWithRadioButtons"},
    {HelpContext::PicturesOneAnswerQuiz, "TFMakeSalFromSmlOneAnswer"},
    {HelpContext::WordsRadioQuiz, "TFMakeSalFromWmlWithRadioButtons"},
    {HelpContext::WordsOneAnswerQuiz, "TFMakeSalFromWmlOneAnswer"},
    {HelpContext::FavoriteDirs, "TFFavoriteDirs"},
    {HelpContext::SketchListing, "TFPresStdSlideList"},
    {HelpContext::OrderListing, "TFPresSlideList"},
    {HelpContext::TextIndex, "TFPresIndexList"},
    {HelpContext::GridIndex, "TFPresentDBIndex"},
    {HelpContext::EditOptions, "TFEdiOptions"},
    {HelpContext::SlideListEditor, "TFEditSAL"},
    {HelpContext::SlideListEditOptions, "TFEdiOptionsSAL"},
    {HelpContext::SoundTableEditOptions, "TFEdiOptionsSML"},
    {HelpContext::DirectoryTree, "Arbre de directoris"},
    {HelpContext::ChangeDir, "TFChangeDir"},
    {HelpContext::ConfigurationPolicies, "TFSaveLoadIndivConfig0ptions"},
    {HelpContext::InitialOptions, "TFInitialOptions"},
    {HelpContext::AdminPassword, "TFPassword"},
    {HelpContext::UserPassword, "TFUserFNPassword"},
    {HelpContext::UserPasswordDomain, "TFUserFNPasswordDomain"},
    {HelpContext::ChangeUserPassword, "TFSetPassword (usuari)"},
    {HelpContext::UserName, "TFUserFN"},
    {HelpContext::AdminUsers, "TFAdminisUsersDomains (usuaris)"},
    {HelpContext::AdminResults, "TFAdminisUsersDomains (resultats)"},
    {HelpContext::AdminDomains, "TFAdminisUsersDomains (dominis)"},
    {HelpContext::GeneralOptions, "TFGeneralOptions"},
    {HelpContext::ModalOptions, "TFModalOptions"},
    {HelpContext::WebPreview, "TFEdiPresWeb"},
    {HelpContext::ImageToMark, "TFShImageToMark"},
    {HelpContext::QuestionsAndAnswers, "Preguntes i respostes"},
    {HelpContext::Tutorial, "Petit tutorial"},
};

} // namespace

std::span<const HelpContextEntry> helpContexts()
{
    return kContexts;
}
