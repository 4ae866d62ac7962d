#include "media/TAuPlayer.h"

#include "files/TextCodec.h"
#include "media/TAuSException.h"

#include <QFile>

#include <cstring>
#include <vector>

// The bound entry points: every export but ApSetExtras.
struct TAuPlayer::Api
{
    ApInitModuleFn InitModule;
    ApDeInitModuleFn DeInitModule;
    ApActionFn Open, Close, Play, CanPause, Pause, Resume, Stop, CanSetPos;
    ApQueryFn GetPos;
    ApSetPosFn SetPos;
    ApGetTextFn GetAbout, GetName;
    ApQueryFn GetSize;
    ApSetModeFn SetInputMode, SetOutputMode;
    ApSetNameFn SetInputName, SetOutputName;
    ApSetModeFn SetOutputDev;
    ApQueryFn GetPlayerMode;
    ApLastErrorFn LastError;
    ApGetVersionFn GetVersion;
    ApSetBuffersFn SetBuffers;
    ApSetModeFn SetPriority;
    ApSetLimitsFn SetLimits;
    ApSetOutCBFn SetOutCB;
    ApGetVolumeFn GetVolume;
    ApSetVolumeFn SetVolume;
    ApCanSetVolumeFn CanSetVolume;
    ApGetTextFn GetExts;
    ApGetInfo1Fn GetInfo1;
    ApGetInfo2Fn GetInfo2;
    ApActionFn InitStream;
    ApSetModeFn SetDevNum;
    ApSetInCBFn SetInCB;
    ApSetWindowFn SetWindow;
    ApSetModeFn UseOutCB, UseEQ;
    ApHasEQFn HasEQ;
    ApEQFn EQ;
};

// The callbacks handed to the plug-in; they run on the plug-in's threads.
struct TAuPlayerCallbacks
{
    static ApBool AP_CALL output(const void *data, ApInt bits, ApInt channels, ApInt rate,
                                 ApInt size, void *user)
    {
        bool success = true;
        static_cast<TAuPlayer *>(user)->DoOutput(data, bits, channels, rate, size, success);
        return success ? 1 : 0;
    }
    static ApBool AP_CALL outputAction(ApBool flag, void *user)
    {
        bool success = true;
        auto *p = static_cast<TAuPlayer *>(user);
        if (flag)
            p->DoOutputInit(success);
        else
            p->DoOutputDone(success);
        return success ? 1 : 0;
    }
    static ApBool AP_CALL inputOpen(void *user, ApInt *cookie, ApBool *canSeek)
    {
        bool success = false, can = canSeek && *canSeek;
        int data = cookie ? *cookie : 0;
        static_cast<TAuPlayer *>(user)->DoInputOpen(data, can, success);
        if (cookie)
            *cookie = data;
        if (canSeek)
            *canSeek = can ? 1 : 0;
        return success ? 1 : 0;
    }
    static ApBool AP_CALL inputClose(void *user, ApInt cookie)
    {
        bool success = true;
        static_cast<TAuPlayer *>(user)->DoInputClose(cookie, success);
        return success ? 1 : 0;
    }
    static ApBool AP_CALL inputGetSize(void *user, ApInt cookie, ApInt *size)
    {
        bool success = false;
        int s = size ? *size : 0;
        static_cast<TAuPlayer *>(user)->DoInputGetSize(cookie, s, success);
        if (size)
            *size = s;
        return success ? 1 : 0;
    }
    static ApBool AP_CALL inputSeek(void *user, ApInt cookie, ApInt *newPos, ApInt mode)
    {
        bool success = false;
        int pos = newPos ? *newPos : 0;
        static_cast<TAuPlayer *>(user)->DoInputSeek(cookie, pos, mode, success);
        if (newPos)
            *newPos = pos;
        return success ? 1 : 0;
    }
    static ApBool AP_CALL inputRead(void *user, ApInt cookie, void *buffer, ApInt toRead,
                                    ApInt *read)
    {
        bool success = false;
        int n = read ? *read : 0;
        static_cast<TAuPlayer *>(user)->DoInputRead(cookie, buffer, toRead, n, success);
        if (read)
            *read = n;
        return success ? 1 : 0;
    }
};

namespace {

QString fromAnsi(const char *text, std::size_t maxBytes)
{
    return decode8BitText(QByteArray(text, qsizetype(strnlen(text, maxBytes)))).text;
}

} // namespace

TAuPlayer::TAuPlayer(TAuPlayers *collection) : m_collection(collection) {}

TAuPlayer::~TAuPlayer()
{
    DeInit();
}

void TAuPlayer::assignProperties(const TAuPlayer &o)
{
    m_inputMode = o.m_inputMode;
    m_inputName = o.m_inputName;
    m_outputMode = o.m_outputMode;
    m_outputName = o.m_outputName;
    m_pathToDll = o.m_pathToDll;
    m_startPos = o.m_startPos;
    m_endPos = o.m_endPos;
    m_priority = o.m_priority;
    m_buffersCount = o.m_buffersCount;
    m_bufferSize = o.m_bufferSize;
    m_outputDevNum = o.m_outputDevNum;
    m_useEqualizer = o.m_useEqualizer;
    OnOutputInit = o.OnOutputInit;
    OnOutputDone = o.OnOutputDone;
    OnOutput = o.OnOutput;
    OnInputOpen = o.OnInputOpen;
    OnInputClose = o.OnInputClose;
    OnInputGetSize = o.OnInputGetSize;
    OnInputSeek = o.OnInputSeek;
    OnInputRead = o.OnInputRead;
}

void TAuPlayer::needsModule() const
{
    if (!m_module)
        throw TAuSException(apeNoModule);
}

void TAuPlayer::raiseLastError()
{
    m_lastError = m_api->LastError(m_module);
    throw TAuSException(m_lastError);
}

void TAuPlayer::guarded(ApBool result)
{
    if (result)
        return;
    m_lastError = m_api->LastError(m_module);
    if (m_lastError > 0)
        throw TAuSException(m_lastError);
}

// --- Setters ---

void TAuPlayer::setInputMode(TAuSInputMode mode)
{
    if (m_module && !m_api->SetInputMode(m_module, ApInt(mode)))
        raiseLastError();
    m_inputMode = mode;
}

void TAuPlayer::setInputName(const QString &name)
{
    if (m_module && !m_api->SetInputName(m_module, QFile::encodeName(name).constData()))
        raiseLastError();
    m_inputName = name;
}

void TAuPlayer::setOutputMode(TAuSOutputMode mode)
{
    if (m_module && !m_api->SetOutputMode(m_module, ApInt(mode)))
        raiseLastError();
    m_outputMode = mode;
}

void TAuPlayer::setOutputName(const QString &name)
{
    if (m_module && !m_api->SetOutputName(m_module, QFile::encodeName(name).constData()))
        raiseLastError();
    m_outputName = name;
}

void TAuPlayer::setStartPos(int ms)
{
    if (m_module && !m_api->SetLimits(m_module, ApUInt(ms), ApUInt(m_endPos)))
        raiseLastError();
    m_startPos = ms;
}

void TAuPlayer::setEndPos(int ms)
{
    if (m_module && !m_api->SetLimits(m_module, ApUInt(m_startPos), ApUInt(ms)))
        raiseLastError();
    m_endPos = ms;
}

void TAuPlayer::setPriority(int priority)
{
    if (m_module && !m_api->SetPriority(m_module, priority))
        raiseLastError();
    m_priority = priority;
}

void TAuPlayer::setBuffersCount(int count)
{
    if (m_module && !m_api->SetBuffers(m_module, count, m_bufferSize))
        raiseLastError();
    m_buffersCount = count;
}

void TAuPlayer::setBufferSize(int size)
{
    if (m_module && !m_api->SetBuffers(m_module, m_buffersCount, size))
        raiseLastError();
    m_bufferSize = size;
}

void TAuPlayer::setOutputDevNum(int device)
{
    if (m_module && !m_api->SetDevNum(m_module, device))
        raiseLastError();
    m_outputDevNum = device;
}

void TAuPlayer::setInitialized(bool on)
{
    if (on)
        Init();
    else
        DeInit();
}

void TAuPlayer::setUseEqualizer(bool on)
{
    if (m_module) {
        if (!HasEqualizer())
            return;
        if (!m_api->UseEQ(m_module, on ? 1 : 0))
            raiseLastError();
    }
    m_useEqualizer = on;
}

// --- Getters that never raise ---

QString TAuPlayer::queryText(ApGetTextFn fn, const QString &failure) const
{
    ApInt length = 0;
    fn(nullptr, &length);
    if (length < 0)
        return failure;
    std::vector<char> buffer(std::size_t(length) + 1, '\0');
    ApInt size = length + 1;
    if (!fn(buffer.data(), &size))
        return failure;
    return fromAnsi(buffer.data(), buffer.size());
}

QString TAuPlayer::ModuleName() const
{
    if (!m_module)
        return QStringLiteral("(Module not initialized)");
    return queryText(m_api->GetName, QStringLiteral("Unknown module"));
}

QString TAuPlayer::About() const
{
    if (!m_module)
        return QStringLiteral("(Module not initialized)");
    return queryText(m_api->GetAbout, QStringLiteral("Unknown module ..."));
}

QString TAuPlayer::Extensions() const
{
    if (!m_module)
        return QString();
    return queryText(m_api->GetExts, QString());
}

int TAuPlayer::Version() const
{
    return m_module ? m_api->GetVersion() : -1;
}

// --- Operations ---

void TAuPlayer::Init()
{
    if (m_module)
        return;
    // A plug-in's libraries keep process-wide state (sound configuration, codec tables): once
    // loaded, a plug-in stays mapped even after it is released.
    m_library = std::make_unique<QLibrary>(m_pathToDll);
    m_library->setLoadHints(QLibrary::PreventUnloadHint);
    if (!m_library->load())
        throw TAuSException(apeLoadModule);
    auto api = std::make_unique<Api>();
    bool missing = false;
    auto bind = [this, &missing](auto &slot, const char *name) {
        if (missing)
            return;
        QFunctionPointer f = m_library->resolve(name);
        if (!f)
            missing = true;
        else
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(f);
    };
    bind(api->InitModule, "ApInitModule");
    bind(api->DeInitModule, "ApDeInitModule");
    bind(api->Open, "ApOpen");
    bind(api->Close, "ApClose");
    bind(api->Play, "ApPlay");
    bind(api->CanPause, "ApCanPause");
    bind(api->Pause, "ApPause");
    bind(api->Resume, "ApResume");
    bind(api->Stop, "ApStop");
    bind(api->CanSetPos, "ApCanSetPos");
    bind(api->GetPos, "ApGetPos");
    bind(api->SetPos, "ApSetPos");
    bind(api->GetAbout, "ApGetAbout");
    bind(api->GetName, "ApGetName");
    bind(api->GetSize, "ApGetSize");
    bind(api->SetInputMode, "ApSetInputMode");
    bind(api->SetOutputMode, "ApSetOutputMode");
    bind(api->SetInputName, "ApSetInputName");
    bind(api->SetOutputName, "ApSetOutputName");
    bind(api->SetOutputDev, "ApSetOutputDev");
    bind(api->GetPlayerMode, "ApGetPlayerMode");
    bind(api->LastError, "ApLastError");
    bind(api->GetVersion, "ApGetVersion");
    bind(api->SetBuffers, "ApSetBuffers");
    bind(api->SetPriority, "ApSetPriority");
    bind(api->SetLimits, "ApSetLimits");
    bind(api->SetOutCB, "ApSetOutCB");
    bind(api->GetVolume, "ApGetVolume");
    bind(api->SetVolume, "ApSetVolume");
    bind(api->CanSetVolume, "ApCanSetVolume");
    bind(api->GetExts, "ApGetExts");
    bind(api->GetInfo1, "ApGetInfo1");
    bind(api->GetInfo2, "ApGetInfo2");
    bind(api->InitStream, "ApInitStream");
    bind(api->SetDevNum, "ApSetDevNum");
    bind(api->SetInCB, "ApSetInCB");
    bind(api->SetWindow, "ApSetWindow");
    bind(api->UseOutCB, "ApUseOutCB");
    bind(api->UseEQ, "ApUseEQ");
    bind(api->HasEQ, "ApHasEQ");
    bind(api->EQ, "ApEQ");
    if (missing)
        throw TAuSException(apeLoadModule);
    m_api = std::move(api);
    m_module = m_api->InitModule();
    if (!m_module)
        throw TAuSException(apeNoModule);
    m_api->SetOutCB(m_module, &TAuPlayerCallbacks::output, &TAuPlayerCallbacks::outputAction, this);
    m_api->SetInCB(m_module, &TAuPlayerCallbacks::inputOpen, &TAuPlayerCallbacks::inputClose,
                   &TAuPlayerCallbacks::inputGetSize, &TAuPlayerCallbacks::inputSeek,
                   &TAuPlayerCallbacks::inputRead, this);
}

void TAuPlayer::DeInit()
{
    if (m_module) {
        m_api->DeInitModule(m_module);
        m_module = nullptr;
    }
    if (m_library) {
        m_library->unload();
        m_library.reset();
    }
    m_api.reset();
}

void TAuPlayer::Open()
{
    needsModule();
    setInputMode(m_inputMode);
    setInputName(m_inputName);
    setOutputMode(m_outputMode);
    setOutputName(m_outputName);
    try {
        setPriority(m_priority);
    } catch (const TAuSException &) {
        // A plug-in without priorities still opens.
    }
    guarded(m_api->Open(m_module));
}

void TAuPlayer::InitStream()
{
    needsModule();
    setOutputDevNum(m_outputDevNum);
    guarded(m_api->InitStream(m_module));
}

void TAuPlayer::Play()
{
    needsModule();
    setStartPos(m_startPos);
    setEndPos(m_endPos);
    // The window handle the plug-in keeps: this player stands for the message window.
    m_api->SetWindow(m_module, this);
    m_api->UseOutCB(m_module, (OnOutput && OnOutputInit && OnOutputDone) ? 1 : 0);
    guarded(m_api->Play(m_module));
    ApBool separate = 0;
    const ApBool can = m_api->CanSetVolume(m_module, &separate);
    guarded(can);
    if (can && separate) {
        GetVolume();
        m_api->SetVolume(m_module, ApUInt(m_leftVolume) | (ApUInt(m_rightVolume) << 16));
    }
}

void TAuPlayer::Stop()
{
    needsModule();
    guarded(m_api->Stop(m_module));
}

void TAuPlayer::Close()
{
    needsModule();
    guarded(m_api->Close(m_module));
}

void TAuPlayer::SetPosition(int ms)
{
    needsModule();
    guarded(m_api->SetPos(m_module, ApUInt(ms)));
}

int TAuPlayer::PlayerMode()
{
    needsModule();
    return m_api->GetPlayerMode(m_module);
}

bool TAuPlayer::CanSetVolume(bool &separate)
{
    needsModule();
    ApBool s = 0;
    const bool can = m_api->CanSetVolume(m_module, &s) != 0;
    separate = s != 0;
    return can;
}

int TAuPlayer::GetVolume()
{
    needsModule();
    ApUInt volume = 0;
    if (m_api->GetVolume(m_module, &volume)) {
        m_leftVolume = int(volume & 0xFFFF);
        m_rightVolume = int(volume >> 16);
        return m_leftVolume;
    }
    if (m_outputMode != TAuSOutputMode::omMMSystem)
        return 0;
    raiseLastError();
}

bool TAuPlayer::HasEqualizer()
{
    needsModule();
    ApBool flag = 0;
    m_api->HasEQ(m_module, &flag);
    return flag != 0;
}

int TAuPlayer::Duration()
{
    needsModule();
    const ApInt size = m_api->GetSize(m_module);
    if (size == -1)
        guarded(0);
    return size;
}

StreamInfo TAuPlayer::StreamInformation()
{
    needsModule();
    StreamInfo info{};
    ApInt size = ApInt(sizeof info);
    guarded(m_api->GetInfo1(m_module, &info, &size));
    return info;
}

TAuStreamTags TAuPlayer::Tags()
{
    needsModule();
    TagBlock *block = nullptr;
    guarded(m_api->GetInfo2(m_module, &block));
    TAuStreamTags t;
    if (!block)
        return t;
    constexpr std::size_t n = TagBlock::kFieldSize;
    t.title = fromAnsi(block->title, n);
    t.author = fromAnsi(block->author, n);
    t.album = fromAnsi(block->album, n);
    t.copyright = fromAnsi(block->copyright, n);
    t.description = fromAnsi(block->description, n);
    t.genre = fromAnsi(block->genre, n);
    t.year = fromAnsi(block->year, n);
    return t;
}

int TAuPlayer::TakeLastError()
{
    needsModule();
    m_lastError = m_api->LastError(m_module);
    return m_lastError;
}

// --- Events ---

void TAuPlayer::DoOutputInit(bool &success)
{
    if (OnOutputInit)
        OnOutputInit(*this, success);
    else
        success = false;
}

void TAuPlayer::DoOutputDone(bool &success)
{
    if (OnOutputDone)
        OnOutputDone(*this, success);
    else
        success = false;
}

void TAuPlayer::DoOutput(const void *sampleData, int bits, int channels, int sampleRate, int size,
                         bool &success)
{
    if (OnOutput)
        OnOutput(*this, sampleData, bits, channels, sampleRate, size, success);
    else
        success = false;
}

void TAuPlayer::DoInputOpen(int &userData, bool &canSetPos, bool &success)
{
    if (OnInputOpen)
        OnInputOpen(*this, userData, canSetPos, success);
    else
        success = false;
}

void TAuPlayer::DoInputClose(int userData, bool &success)
{
    if (OnInputClose)
        OnInputClose(*this, userData, success);
    else
        success = false;
}

void TAuPlayer::DoInputGetSize(int userData, int &size, bool &success)
{
    if (OnInputGetSize)
        OnInputGetSize(*this, userData, size, success);
    else
        success = false;
}

void TAuPlayer::DoInputSeek(int userData, int &newPos, int seekMode, bool &success)
{
    if (OnInputSeek)
        OnInputSeek(*this, userData, newPos, seekMode, success);
    else
        success = false;
}

void TAuPlayer::DoInputRead(int userData, void *buffer, int bytesToRead, int &bytesRead,
                            bool &success)
{
    if (OnInputRead)
        OnInputRead(*this, userData, buffer, bytesToRead, bytesRead, success);
    else
        success = false;
}
