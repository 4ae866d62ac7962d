#pragma once

#include "player/PlayerView.h"

// A view that shows nothing: the headless modes drive the engine through it.
class NullPlayerView : public PlayerView
{
public:
    bool showSlide(const SlideRecord &, int) override { return true; }
    void hideSlidePanels() override {}
    void setCaption(const QString &) override {}
    void setActionEnabled(PlayerAction, bool) override {}
    void setActionVisible(PlayerAction, bool) override {}
    void setInitNextText(const QString &, const QString &) override {}
    void setRunDecoration(bool, bool, bool) override {}
    void playSlideAudio(const QString &, bool) override {}
    void stopSlideAudio() override {}
    void stopMedia() override {}
    void launch(const SlideRecord &) override {}
    QString askOpenSlideListPath(const QString &) override { return QString(); }
    QString askSaveSlideListPath(const QString &) override { return QString(); }
    void closeWindow() override {}
    void carryOutCommand(PendingCommandCode) override {}
};
