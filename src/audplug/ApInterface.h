#pragma once

// The audio plug-in interface, shared by the plug-ins (audplug.apq, ffplug.apq) and the host in
// media/. Plain C types only: handles and pointers are pointer-sized, every other argument and
// result is 32-bit, booleans are 0 or 1, positions and limits are unsigned milliseconds.

#include <cstdint>

#if defined(_WIN32) && defined(_M_IX86)
#define AP_CALL __stdcall
#else
#define AP_CALL
#endif

using ApHandle = void *;
using ApBool = std::int32_t;
using ApInt = std::int32_t;
using ApUInt = std::uint32_t;

// The stream states a module instance goes through.
enum ApPlayerMode : ApInt {
    apClosed = 0,   // ApInitModule, ApClose
    apOpened = 1,   // ApOpen, ApStop, after 3 was reported, a decoder error while playing
    apReady = 2,    // ApInitStream
    apFinished = 3, // end of the file or past the end limit while playing; reported once
    apPlaying = 4,  // ApPlay, ApResume
    apPaused = 5    // ApPause
};

// The plug-in's last-error codes; 10 and 11 belong to the host.
enum ApError : ApInt {
    apeNone = 0,
    apeNotImplemented = 1,
    apeWrongState = 2,
    apeInternal = 3,
    apeInvalidHandle = 4,
    apeInput = 5,
    apeOutput = 6,
    apeNoMemory = 7,
    apeResources = 8,
    apeNoCallback = 9,
    apeLoadModule = 10,
    apeNoModule = 11
};

// Output modes: 0 the sound device, 1 a WAV file, 3 the host's output callback (2 is refused).
enum ApOutputMode : ApInt {
    apOutDevice = 0,
    apOutFile = 1,
    apOutDirectSound = 2,
    apOutCallback = 3
};

// Filled by ApGetInfo1: 16 bytes.
struct StreamInfo
{
    ApUInt channels;
    ApUInt bitrate;
    ApUInt sampleRate;
    ApUInt bitsPerSample;
};
static_assert(sizeof(StreamInfo) == 16);

// Returned by ApGetInfo2: seven zero-terminated texts of 512 bytes in the 8-bit code page.
struct TagBlock
{
    static constexpr int kFieldSize = 512;
    char title[kFieldSize];
    char author[kFieldSize];
    char album[kFieldSize];
    char copyright[kFieldSize];
    char description[kFieldSize];
    char genre[kFieldSize];
    char year[kFieldSize];
};
static_assert(sizeof(TagBlock) == 3584);

// Callbacks handed to the plug-in. The output ones get the output user data last, the input
// ones the input user data first.
using ApOutputCallback = ApBool(AP_CALL *)(const void *sampleData, ApInt bitsPerSample,
                                           ApInt channels, ApInt sampleRate, ApInt size,
                                           void *userData);
// flag 1 when the output starts, 0 when it ends.
using ApOutputActionCallback = ApBool(AP_CALL *)(ApBool flag, void *userData);
using ApInputOpenCallback = ApBool(AP_CALL *)(void *userData, ApInt *cookie, ApBool *canSeek);
using ApInputCloseCallback = ApBool(AP_CALL *)(void *userData, ApInt cookie);
using ApInputGetSizeCallback = ApBool(AP_CALL *)(void *userData, ApInt cookie, ApInt *size);
using ApInputSeekCallback = ApBool(AP_CALL *)(void *userData, ApInt cookie, ApInt *newPos,
                                              ApInt seekMode);
using ApInputReadCallback = ApBool(AP_CALL *)(void *userData, ApInt cookie, void *buffer,
                                              ApInt bytesToRead, ApInt *bytesRead);

// The 42 exports, as function pointer types for the host's binding by name.
extern "C" {
using ApInitModuleFn = ApHandle(AP_CALL *)();
using ApDeInitModuleFn = ApBool(AP_CALL *)(ApHandle);
using ApLastErrorFn = ApInt(AP_CALL *)(ApHandle);
using ApGetTextFn = ApBool(AP_CALL *)(char *buffer, ApInt *length); // name, extensions, about
using ApGetVersionFn = ApInt(AP_CALL *)();
using ApSetModeFn = ApBool(AP_CALL *)(ApHandle, ApInt);            // input/output mode, ...
using ApSetNameFn = ApBool(AP_CALL *)(ApHandle, const char *name); // input/output name
using ApSetBuffersFn = ApBool(AP_CALL *)(ApHandle, ApInt count, ApInt size);
using ApSetLimitsFn = ApBool(AP_CALL *)(ApHandle, ApUInt start, ApUInt end);
using ApSetWindowFn = ApBool(AP_CALL *)(ApHandle, void *window);
using ApSetOutCBFn = ApBool(AP_CALL *)(ApHandle, ApOutputCallback, ApOutputActionCallback,
                                       void *userData);
using ApSetInCBFn = ApBool(AP_CALL *)(ApHandle, ApInputOpenCallback, ApInputCloseCallback,
                                      ApInputGetSizeCallback, ApInputSeekCallback,
                                      ApInputReadCallback, void *userData);
using ApHasEQFn = ApBool(AP_CALL *)(ApHandle, ApBool *flag);
using ApEQFn = ApBool(AP_CALL *)(ApHandle, ApInt, ApInt, ApInt);
using ApActionFn = ApBool(AP_CALL *)(ApHandle); // open, play, stop, can-pause, ...
using ApQueryFn = ApInt(AP_CALL *)(ApHandle);   // player mode, size, position
using ApSetPosFn = ApBool(AP_CALL *)(ApHandle, ApUInt position);
using ApGetInfo1Fn = ApBool(AP_CALL *)(ApHandle, StreamInfo *info, ApInt *size);
using ApGetInfo2Fn = ApBool(AP_CALL *)(ApHandle, TagBlock **tags);
using ApSetVolumeFn = ApBool(AP_CALL *)(ApHandle, ApUInt volume); // low word left, high right
using ApGetVolumeFn = ApBool(AP_CALL *)(ApHandle, ApUInt *volume);
using ApCanSetVolumeFn = ApBool(AP_CALL *)(ApHandle, ApBool *separateChannels);
}

// The identity marker every live module instance carries.
inline constexpr std::uint32_t kApInstanceMarker = 0x14581458;
