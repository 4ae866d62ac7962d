#include "audplug/ModuleState.h"

void ModuleState::reset()
{
    startLimit = 0;
    endLimit = 0;
    duration = 0;
    format = PcmFormat{};
    bufferSize = 16384;
    buffersCount = 8;
    blockRequest = 16384;
    bitrate = 0;
    deviceNumber = 0;
    seekable = true;
    position = 0;
    outputCallbackOn = false;
    inputName.clear();
    hasInputName = false;
    outputName.clear();
    hasOutputName = false;
    outputMode = apOutDevice;
    outputCallback = nullptr;
    outputActionCallback = nullptr;
    outputUserData = nullptr;
    inputOpen = nullptr;
    inputClose = nullptr;
    inputGetSize = nullptr;
    inputSeek = nullptr;
    inputRead = nullptr;
    inputUserData = nullptr;
    window = nullptr;
    lastError = 0;
    seeking = false;
}

void ModuleState::setLimits(ApUInt start, ApUInt end, ApInt state)
{
    startLimit = start;
    endLimit = end >= start ? end : start;
    if (state >= apReady && endLimit == 0)
        endLimit = 0xFFFFFFFFu;
}

ModuleState &moduleState()
{
    static ModuleState state;
    return state;
}
