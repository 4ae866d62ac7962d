// The plug-in's exported interface: 42 functions with C linkage. Each export that takes a handle
// first checks that it names a live instance and otherwise returns its failure value without
// touching anything (the last error included).

#include "audplug/ApInterface.h"
#include "audplug/AudInstance.h"
#include "audplug/ModuleState.h"
#include "audplug/PluginIdentity.h"

#include <cstring>
#include <mutex>
#include <new>
#include <set>

#define AP_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex &registryMutex()
{
    static std::mutex m;
    return m;
}

// The live instances: a handle is recognised without reading through it.
std::set<const void *> &registry()
{
    static std::set<const void *> r;
    return r;
}

AudInstance *instanceOf(ApHandle h)
{
    std::lock_guard lock(registryMutex());
    if (!h || !registry().count(h))
        return nullptr;
    auto *inst = static_cast<AudInstance *>(h);
    return inst->marker == kApInstanceMarker ? inst : nullptr;
}

ModuleState &M()
{
    return moduleState();
}

ApBool boolOf(bool b)
{
    return b ? 1 : 0;
}

// The text queries: copied with its terminator when the stated length leaves room for it; the
// length is set to the text's length in every case.
ApBool textQuery(const char *text, char *buffer, ApInt *length)
{
    const auto n = ApInt(std::strlen(text));
    bool copied = false;
    if (buffer && length && *length >= n + 1) {
        std::memcpy(buffer, text, std::size_t(n) + 1);
        copied = true;
    }
    if (length)
        *length = n;
    return boolOf(copied);
}

// Runs `f` on a valid instance in one of the states [low, high]; wrong state: error 2.
template <typename F> ApBool inStates(ApHandle h, ApInt low, ApInt high, F f)
{
    AudInstance *inst = instanceOf(h);
    if (!inst)
        return 0;
    const ApInt s = inst->state();
    if (s < low || s > high) {
        M().lastError = apeWrongState;
        return 0;
    }
    return boolOf(f(*inst));
}

template <typename F> ApBool withInstance(ApHandle h, F f)
{
    AudInstance *inst = instanceOf(h);
    return inst ? boolOf(f(*inst)) : 0;
}

} // namespace

AP_EXPORT ApHandle AP_CALL ApInitModule()
{
    M().reset();
    auto *inst = new (std::nothrow) AudInstance(kPluginIdentity, M());
    if (!inst)
        return nullptr;
    std::lock_guard lock(registryMutex());
    registry().insert(inst);
    return inst;
}

AP_EXPORT ApBool AP_CALL ApDeInitModule(ApHandle h)
{
    AudInstance *inst = instanceOf(h);
    if (!inst)
        return 0;
    {
        std::lock_guard lock(registryMutex());
        registry().erase(inst);
    }
    inst->deInit();
    M().inputName.clear();
    M().hasInputName = false;
    M().outputName.clear();
    M().hasOutputName = false;
    return 1;
}

AP_EXPORT ApInt AP_CALL ApLastError(ApHandle h)
{
    if (!instanceOf(h))
        return -1;
    return M().lastError.exchange(apeNone);
}

AP_EXPORT ApBool AP_CALL ApGetName(char *buffer, ApInt *length)
{
    return textQuery(kPluginIdentity.name, buffer, length);
}

AP_EXPORT ApBool AP_CALL ApGetExts(char *buffer, ApInt *length)
{
    return textQuery(kPluginIdentity.extensions, buffer, length);
}

AP_EXPORT ApBool AP_CALL ApGetAbout(char *buffer, ApInt *length)
{
    return textQuery(kPluginIdentity.about, buffer, length);
}

AP_EXPORT ApInt AP_CALL ApGetVersion()
{
    return kPluginIdentity.version;
}

AP_EXPORT ApBool AP_CALL ApSetInputMode(ApHandle, ApInt mode)
{
    // Files only; nothing is stored.
    if (mode == 0)
        return 1;
    M().lastError = apeNotImplemented;
    return 0;
}

AP_EXPORT ApBool AP_CALL ApSetInputName(ApHandle h, const char *name)
{
    return inStates(h, apClosed, apClosed, [name](AudInstance &) {
        M().inputName = name ? name : "";
        M().hasInputName = name != nullptr;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetOutputName(ApHandle h, const char *name)
{
    return inStates(h, apClosed, apFinished, [name](AudInstance &) {
        M().outputName = name ? name : "";
        M().hasOutputName = name != nullptr;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetOutputMode(ApHandle h, ApInt mode)
{
    return inStates(h, apClosed, apFinished, [mode](AudInstance &) {
        if (mode == apOutDirectSound) {
            M().lastError = apeNotImplemented;
            return false;
        }
        M().outputMode = mode;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetOutputDev(ApHandle h, ApInt device)
{
    return inStates(h, apClosed, apClosed, [device](AudInstance &) {
        M().deviceNumber = device;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetDevNum(ApHandle h, ApInt device)
{
    return inStates(h, apClosed, apFinished, [device](AudInstance &) {
        M().deviceNumber = device;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetBuffers(ApHandle h, ApInt count, ApInt size)
{
    return inStates(h, apClosed, apFinished, [count, size](AudInstance &) {
        if (count != 0)
            M().buffersCount = count;
        if (size != 0) {
            M().bufferSize = size;
            M().blockRequest = size;
        }
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetLimits(ApHandle h, ApUInt start, ApUInt end)
{
    return withInstance(h, [start, end](AudInstance &inst) {
        M().setLimits(start, end, inst.state());
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetWindow(ApHandle h, void *window)
{
    return inStates(h, apClosed, apFinished, [window](AudInstance &) {
        M().window = window;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApUseOutCB(ApHandle h, ApBool flag)
{
    return inStates(h, apClosed, apFinished, [flag](AudInstance &) {
        M().outputCallbackOn = flag != 0;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetOutCB(ApHandle h, ApOutputCallback output,
                                    ApOutputActionCallback action, void *userData)
{
    return inStates(h, apClosed, apFinished, [=](AudInstance &) {
        M().outputCallback = output;
        M().outputActionCallback = action;
        M().outputUserData = userData;
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetInCB(ApHandle h, ApInputOpenCallback open, ApInputCloseCallback close,
                                   ApInputGetSizeCallback getSize, ApInputSeekCallback seek,
                                   ApInputReadCallback read, void *userData)
{
    // Kept, never called: this plug-in reads files only.
    return inStates(h, apClosed, apClosed, [=](AudInstance &) {
        M().inputOpen = open;
        M().inputClose = close;
        M().inputGetSize = getSize;
        M().inputSeek = seek;
        M().inputRead = read;
        M().inputUserData = userData;
        return true;
    });
}

// One entry point answers both ApSetPriority and ApUseEQ: neither is offered.
AP_EXPORT ApBool AP_CALL ApSetPriority(ApHandle, ApInt)
{
    M().lastError = apeNotImplemented;
    return 0;
}

AP_EXPORT ApBool AP_CALL ApUseEQ(ApHandle, ApBool) __attribute__((alias("ApSetPriority")));

AP_EXPORT ApBool AP_CALL ApHasEQ(ApHandle, ApBool *flag)
{
    if (flag)
        *flag = 0;
    return 1;
}

AP_EXPORT ApBool AP_CALL ApEQ(ApHandle, ApInt, ApInt, ApInt)
{
    M().lastError = apeNotImplemented;
    return 0;
}

AP_EXPORT ApBool AP_CALL ApSetExtras(ApHandle h, ApInt)
{
    return withInstance(h, [](AudInstance &) { return true; });
}

AP_EXPORT ApBool AP_CALL ApCanPause(ApHandle h)
{
    return withInstance(h, [](AudInstance &) { return true; });
}

AP_EXPORT ApBool AP_CALL ApOpen(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.open(); });
}

AP_EXPORT ApBool AP_CALL ApInitStream(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.initStream(); });
}

AP_EXPORT ApBool AP_CALL ApPlay(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.play(); });
}

AP_EXPORT ApBool AP_CALL ApPause(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.pause(); });
}

AP_EXPORT ApBool AP_CALL ApResume(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.resume(); });
}

AP_EXPORT ApBool AP_CALL ApStop(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.stop(); });
}

AP_EXPORT ApBool AP_CALL ApClose(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.close(); });
}

AP_EXPORT ApInt AP_CALL ApGetPlayerMode(ApHandle h)
{
    AudInstance *inst = instanceOf(h);
    return inst ? inst->takePlayerMode() : -1;
}

AP_EXPORT ApInt AP_CALL ApGetSize(ApHandle h)
{
    AudInstance *inst = instanceOf(h);
    return inst ? inst->size() : -1;
}

AP_EXPORT ApInt AP_CALL ApGetPos(ApHandle h)
{
    AudInstance *inst = instanceOf(h);
    return inst ? inst->position() : -1;
}

AP_EXPORT ApBool AP_CALL ApSetPos(ApHandle h, ApUInt position)
{
    return withInstance(h, [position](AudInstance &i) { return i.setPosition(position); });
}

AP_EXPORT ApBool AP_CALL ApCanSetPos(ApHandle h)
{
    return withInstance(h, [](AudInstance &i) { return i.canSetPosition(); });
}

AP_EXPORT ApBool AP_CALL ApGetInfo1(ApHandle h, StreamInfo *info, ApInt *size)
{
    return withInstance(h, [info, size](AudInstance &i) { return i.info(info, size); });
}

AP_EXPORT ApBool AP_CALL ApGetInfo2(ApHandle h, TagBlock **tags)
{
    return inStates(h, apOpened, apPaused, [tags](AudInstance &i) {
        if (tags)
            *tags = i.tags();
        return true;
    });
}

AP_EXPORT ApBool AP_CALL ApSetVolume(ApHandle h, ApUInt volume)
{
    return withInstance(h, [volume](AudInstance &i) { return i.setVolume(volume); });
}

AP_EXPORT ApBool AP_CALL ApGetVolume(ApHandle h, ApUInt *volume)
{
    return withInstance(h, [volume](AudInstance &i) { return i.getVolume(volume); });
}

AP_EXPORT ApBool AP_CALL ApCanSetVolume(ApHandle h, ApBool *separate)
{
    return withInstance(h, [separate](AudInstance &i) { return i.canSetVolume(separate); });
}
