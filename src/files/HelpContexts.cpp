#include "files/HelpContexts.h"

namespace {

const HelpContextEntry kContexts[] = {
    {HelpContext::PresentationErrors, "TFPresentErrors (llista)"},
    {HelpContext::SoundTableErrors, "TFPresentErrors (taula d'imatges i sons)"},
    {HelpContext::GotoSlide, "TFSelGotoImage"},
    {HelpContext::MainWindow, "TFShowImages"},
    {HelpContext::SketchListing, "TFPresStdSlideList"},
    {HelpContext::OrderListing, "TFPresSlideList"},
    {HelpContext::TextIndex, "TFPresIndexList"},
    {HelpContext::GridIndex, "TFPresentDBIndex"},
    {HelpContext::DirectoryTree, "Arbre de directoris"},
    {HelpContext::ConfigurationPolicies, "TFSaveLoadIndivConfig0ptions"},
    {HelpContext::InitialOptions, "TFInitialOptions"},
    {HelpContext::QuestionsAndAnswers, "Preguntes i respostes"},
    {HelpContext::Tutorial, "Petit tutorial"},
};

} // namespace

std::span<const HelpContextEntry> helpContexts()
{
    return kContexts;
}
