#pragma once

#include "audplug/ApInterface.h"

#include <QByteArray>
#include <QLibrary>
#include <QString>

#include <atomic>
#include <mutex>
#include <vector>

// One plug-in library loaded by path, with every export resolved by name, as a host binds them.
struct ApLibrary
{
    explicit ApLibrary(const QString &path);
    bool loaded() const { return ok; }

    QLibrary lib;
    bool ok = false;
    ApInitModuleFn InitModule = nullptr;
    ApDeInitModuleFn DeInitModule = nullptr;
    ApLastErrorFn LastError = nullptr;
    ApGetTextFn GetName = nullptr, GetExts = nullptr, GetAbout = nullptr;
    ApGetVersionFn GetVersion = nullptr;
    ApSetModeFn SetInputMode = nullptr, SetOutputMode = nullptr, SetOutputDev = nullptr,
                SetDevNum = nullptr, SetPriority = nullptr, UseEQ = nullptr, UseOutCB = nullptr,
                SetExtras = nullptr;
    ApSetNameFn SetInputName = nullptr, SetOutputName = nullptr;
    ApSetBuffersFn SetBuffers = nullptr;
    ApSetLimitsFn SetLimits = nullptr;
    ApSetWindowFn SetWindow = nullptr;
    ApSetOutCBFn SetOutCB = nullptr;
    ApSetInCBFn SetInCB = nullptr;
    ApHasEQFn HasEQ = nullptr;
    ApEQFn EQ = nullptr;
    ApActionFn CanPause = nullptr, Open = nullptr, InitStream = nullptr, Play = nullptr,
               Pause = nullptr, Resume = nullptr, Stop = nullptr, Close = nullptr,
               CanSetPos = nullptr;
    ApQueryFn GetPlayerMode = nullptr, GetSize = nullptr, GetPos = nullptr;
    ApSetPosFn SetPos = nullptr;
    ApGetInfo1Fn GetInfo1 = nullptr;
    ApGetInfo2Fn GetInfo2 = nullptr;
    ApSetVolumeFn SetVolume = nullptr;
    ApGetVolumeFn GetVolume = nullptr;
    ApCanSetVolumeFn CanSetVolume = nullptr;
};

// Collects what a plug-in hands to the output callbacks (from its own threads).
struct OutputSink
{
    std::mutex mutex;
    std::vector<QByteArray> blocks;
    std::vector<int> actions; // 1 start, 0 end
    std::atomic<bool> refuseBlocks{false};
    std::atomic<bool> refuseStart{false};
    int bits = 0, channels = 0, rate = 0;

    QByteArray all();
    qint64 total();
    static ApBool AP_CALL output(const void *data, ApInt bits, ApInt channels, ApInt rate,
                                 ApInt size, void *user);
    static ApBool AP_CALL action(ApBool flag, void *user);
};

// Polls the player mode until it is `mode` (or -2 on time out); returns the last mode read.
int waitForMode(ApLibrary &ap, ApHandle h, int mode, int timeoutMs = 20000);
