#pragma once

#include "audplug/ApInterface.h"
#include "audplug/PcmFormat.h"

#include <atomic>
#include <string>

// The settings and stream figures a loaded plug-in keeps once, for whichever instance is
// current: each ApInitModule starts them afresh, so one stream plays at a time. Fields that the
// decoder or device thread touch while a stream plays are atomics.
struct ModuleState
{
    std::atomic<ApUInt> startLimit{0};
    std::atomic<ApUInt> endLimit{0};
    ApUInt duration = 0;
    PcmFormat format;                     // of the stream, from ApInitStream
    std::atomic<ApInt> bufferSize{16384}; // ApSetBuffers, then the size of each decoded block
    ApInt buffersCount = 8;
    ApInt blockRequest = 16384; // the block size asked with ApSetBuffers, handed to the decoder
    ApUInt bitrate = 0;
    ApInt deviceNumber = 0;
    bool seekable = true;
    std::atomic<ApUInt> position{0};
    std::atomic<bool> outputCallbackOn{false};
    std::string inputName;
    bool hasInputName = false;
    std::string outputName;
    bool hasOutputName = false;
    ApInt outputMode = apOutDevice;
    ApOutputCallback outputCallback = nullptr;
    ApOutputActionCallback outputActionCallback = nullptr;
    void *outputUserData = nullptr;
    ApInputOpenCallback inputOpen = nullptr;
    ApInputCloseCallback inputClose = nullptr;
    ApInputGetSizeCallback inputGetSize = nullptr;
    ApInputSeekCallback inputSeek = nullptr;
    ApInputReadCallback inputRead = nullptr;
    void *inputUserData = nullptr;
    void *window = nullptr; // kept, not used
    std::atomic<ApInt> lastError{0};
    std::atomic<bool> seeking{false};

    // Back to the defaults of a new module.
    void reset();
    // ApSetLimits: the end never lies before the start; from a ready stream on, 0 means no end.
    void setLimits(ApUInt start, ApUInt end, ApInt state);
};

// The one set of this library.
ModuleState &moduleState();
