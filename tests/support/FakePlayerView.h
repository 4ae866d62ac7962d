#pragma once

#include "player/PlayerView.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

// Records what the engine asks of the screen.
class FakePlayerView : public PlayerView
{
public:
    std::vector<int> shownSlides; // line indexes, in the order shown
    QString caption;
    std::map<PlayerAction, bool> enabled;
    std::map<PlayerAction, bool> visible;
    QString initNextCaption;
    QStringList audioLog; // "play <path> <repeat>", "stop"
    QStringList launched;
    std::vector<PendingCommandCode> carriedOut;
    QString openAnswer, saveAnswer;
    bool closed = false;
    bool decorated = false;
    bool borderless = false; // the window has no border (no title bar)
    int mediaStops = 0;
    QList<int> unshowable; // slide indexes whose showing fails (an unreadable text file)
    int questionsShown = 0, questionsFreed = 0;
    QStringList reactions;   // "picture <file> <x> <y> <audio>", "text <file> <audio>"
    QStringList settingsLog; // "busy", "idle" (the cursor), "changed" (the window follows)

    bool showSlide(const SlideRecord &slide, int slideIndex) override
    {
        (void)slide;
        shownSlides.push_back(slideIndex);
        return !unshowable.contains(slideIndex);
    }
    void hideSlidePanels() override {}
    void setCaption(const QString &c) override { caption = c; }
    void setActionEnabled(PlayerAction a, bool e) override { enabled[a] = e; }
    void setActionVisible(PlayerAction a, bool v) override { visible[a] = v; }
    void setInitNextText(const QString &c, const QString &) override { initNextCaption = c; }
    void setRunDecoration(bool hide, bool noBorder, bool) override
    {
        decorated = hide || noBorder;
        borderless = noBorder;
    }
    void playSlideAudio(const QString &path, bool repeat) override
    {
        audioLog.append(QStringLiteral("play %1 %2").arg(path).arg(repeat ? 1 : 0));
    }
    void stopSlideAudio() override { audioLog.append(QStringLiteral("stop")); }
    void stopMedia() override { ++mediaStops; }
    void launch(const SlideRecord &slide) override
    {
        launched.append(slide.Kind == skDocument ? slide.PromptOr1stLine : slide.FileName);
    }
    QString askOpenSlideListPath(const QString &) override { return openAnswer; }
    QString askSaveSlideListPath(const QString &) override { return saveAnswer; }
    void closeWindow() override { closed = true; }
    void carryOutCommand(PendingCommandCode code) override
    {
        carriedOut.push_back(code);
        if (onCarryOut)
            onCarryOut(code);
    }
    // What the command's window does (e.g. the go-to window resuming the run).
    std::function<void(PendingCommandCode)> onCarryOut;
    void checkPresentation() override { ++checks; }
    int checks = 0;
    void showQuestion(const QuestionModel &, const SlideRecord &) override { ++questionsShown; }
    void freeQuestion() override { ++questionsFreed; }
    void showReactionPicture(const QString &file, int x, int y, const QString &audio) override
    {
        reactions.append(QStringLiteral("picture %1 %2 %3 %4").arg(file).arg(x).arg(y).arg(audio));
    }
    void showReactionText(const QString &file, const QString &audio) override
    {
        reactions.append(QStringLiteral("text %1 %2").arg(file, audio));
    }

    void settingsChanged() override { settingsLog.append(QStringLiteral("changed")); }
    void showBusy(bool busy) override
    {
        settingsLog.append(busy ? QStringLiteral("busy") : QStringLiteral("idle"));
    }

    bool isEnabled(PlayerAction a) const
    {
        auto it = enabled.find(a);
        return it != enabled.end() && it->second;
    }
};
