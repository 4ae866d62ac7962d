#pragma once

#include "audplug/ApInterface.h"
#include "audplug/AudOutput.h"
#include "audplug/MediaReader.h"
#include "audplug/ModuleState.h"
#include "audplug/PluginIdentity.h"
#include "audplug/ReaderCallback.h"

#include <atomic>
#include <memory>

// One module instance, the object behind a plug-in handle: its stream state, the media reader
// of the open file and the output. The exports call it on the host's thread; the reader calls
// onSample and onStatus on its decoder thread. It is also the reader's callback object and so
// counts references: one at creation, one while a reader holds it.
class AudInstance final : public ReaderCallback
{
public:
    AudInstance(const PluginIdentity &identity, ModuleState &module);

    const std::uint32_t marker = kApInstanceMarker;

    ApInt state() const { return m_state.load(); }
    // ApGetPlayerMode: a finished stream is reported once and then counts as opened.
    ApInt takePlayerMode();
    TagBlock *tags() { return &m_tags; }
    AudOutput &output() { return m_output; }

    bool open();
    bool initStream();
    bool play();
    bool pause();
    bool resume();
    bool stop();
    bool close();
    bool setPosition(ApUInt position);
    ApInt size();
    ApInt position();
    bool canSetPosition();
    bool info(StreamInfo *info, ApInt *size);
    bool setVolume(ApUInt volume);
    bool getVolume(ApUInt *volume);
    bool canSetVolume(ApBool *separate);
    // ApDeInitModule: closes, drops the reader and the creation reference.
    void deInit();

    // ReaderCallback
    void addRef() override;
    void release() override;
    std::int32_t onSample(const std::uint8_t *data, std::uint32_t size,
                          std::uint64_t timeMs) override;
    std::int32_t onStatus(std::int32_t status, std::int32_t result, std::intptr_t param) override;

private:
    ~AudInstance() = default;
    bool fail(ApInt code);
    bool inStates(ApInt low, ApInt high) const;
    bool readerStopping() const;
    void releaseReader();

    const PluginIdentity &m_identity;
    ModuleState &m;
    std::atomic<ApInt> m_state{apClosed};
    std::unique_ptr<MediaReader> m_reader;
    std::int32_t m_lastReaderResult = 0;
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_refCount{1};
    TagBlock m_tags{};
    AudOutput m_output;
};
