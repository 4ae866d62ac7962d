// A plug-in that does nothing, built three ways for the host's failure paths:
//   STUB_OMIT_STOP       every export but ApStop
//   STUB_INIT_FAILS      ApInitModule returns 0
//   (neither)            every call fails quietly: false results, last error 0

#include "audplug/ApInterface.h"

#include <cstring>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
[[maybe_unused]] int g_instance = 0;

ApBool text(const char *t, char *buffer, ApInt *length)
{
    const auto n = ApInt(std::strlen(t));
    const bool fits = buffer && length && *length > n;
    if (fits)
        std::memcpy(buffer, t, std::size_t(n) + 1);
    if (length)
        *length = n;
    return fits ? 1 : 0;
}
} // namespace

STUB_EXPORT ApHandle AP_CALL ApInitModule()
{
#ifdef STUB_INIT_FAILS
    return nullptr;
#else
    return &g_instance;
#endif
}
STUB_EXPORT ApBool AP_CALL ApDeInitModule(ApHandle)
{
    return 1;
}
STUB_EXPORT ApInt AP_CALL ApLastError(ApHandle)
{
    return 0;
}
STUB_EXPORT ApBool AP_CALL ApGetName(char *b, ApInt *l)
{
    return text("Stub", b, l);
}
STUB_EXPORT ApBool AP_CALL ApGetExts(char *b, ApInt *l)
{
    return text("*.wma;*.stub", b, l);
}
STUB_EXPORT ApBool AP_CALL ApGetAbout(char *b, ApInt *l)
{
    return text("Stub plug-in", b, l);
}
STUB_EXPORT ApInt AP_CALL ApGetVersion()
{
    return 1;
}

#define STUB_FAIL(name, ...)                                                                       \
    STUB_EXPORT ApBool AP_CALL name(__VA_ARGS__)                                                   \
    {                                                                                              \
        return 0;                                                                                  \
    }
STUB_FAIL(ApSetInputMode, ApHandle, ApInt)
STUB_FAIL(ApSetOutputMode, ApHandle, ApInt)
STUB_FAIL(ApSetOutputDev, ApHandle, ApInt)
STUB_FAIL(ApSetDevNum, ApHandle, ApInt)
STUB_FAIL(ApSetPriority, ApHandle, ApInt)
STUB_FAIL(ApUseEQ, ApHandle, ApInt)
STUB_FAIL(ApUseOutCB, ApHandle, ApInt)
STUB_FAIL(ApSetExtras, ApHandle, ApInt)
STUB_FAIL(ApSetInputName, ApHandle, const char *)
STUB_FAIL(ApSetOutputName, ApHandle, const char *)
STUB_FAIL(ApSetBuffers, ApHandle, ApInt, ApInt)
STUB_FAIL(ApSetLimits, ApHandle, ApUInt, ApUInt)
STUB_FAIL(ApSetWindow, ApHandle, void *)
STUB_FAIL(ApSetOutCB, ApHandle, ApOutputCallback, ApOutputActionCallback, void *)
STUB_FAIL(ApSetInCB, ApHandle, ApInputOpenCallback, ApInputCloseCallback, ApInputGetSizeCallback,
          ApInputSeekCallback, ApInputReadCallback, void *)
STUB_FAIL(ApHasEQ, ApHandle, ApBool *)
STUB_FAIL(ApEQ, ApHandle, ApInt, ApInt, ApInt)
STUB_FAIL(ApCanPause, ApHandle)
STUB_FAIL(ApOpen, ApHandle)
STUB_FAIL(ApInitStream, ApHandle)
STUB_FAIL(ApPlay, ApHandle)
STUB_FAIL(ApPause, ApHandle)
STUB_FAIL(ApResume, ApHandle)
#ifndef STUB_OMIT_STOP
STUB_FAIL(ApStop, ApHandle)
#endif
STUB_FAIL(ApClose, ApHandle)
STUB_FAIL(ApCanSetPos, ApHandle)
STUB_FAIL(ApSetPos, ApHandle, ApUInt)
STUB_FAIL(ApGetInfo1, ApHandle, StreamInfo *, ApInt *)
STUB_FAIL(ApGetInfo2, ApHandle, TagBlock **)
STUB_FAIL(ApSetVolume, ApHandle, ApUInt)
STUB_FAIL(ApGetVolume, ApHandle, ApUInt *)
STUB_FAIL(ApCanSetVolume, ApHandle, ApBool *)
STUB_EXPORT ApInt AP_CALL ApGetPlayerMode(ApHandle)
{
    return 0;
}
STUB_EXPORT ApInt AP_CALL ApGetSize(ApHandle)
{
    return -1;
}
STUB_EXPORT ApInt AP_CALL ApGetPos(ApHandle)
{
    return -1;
}
