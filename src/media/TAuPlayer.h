#pragma once

#include "audplug/ApInterface.h"

#include <QLibrary>
#include <QString>

#include <functional>
#include <memory>

class TAuPlayers;

enum class TAuSInputMode { imFile, imCallback };
enum class TAuSOutputMode { omMMSystem = 0, omFile = 1, omDirectSound = 2, omCallback = 3 };

// The stream's figures and tags as the plug-in reports them (ApGetInfo1, ApGetInfo2).
struct TAuStreamTags
{
    QString title, author, album, copyright, description, genre, year;
};

// One audio plug-in: loads its library, binds the exports by name, creates the module instance
// inside it and offers the plug-in's operations, raising TAuSException on failure.
//
// Rules every method follows unless it says otherwise. Needs a module: without one it raises 11.
// Guarded call: a false result reads ApLastError into LastError and raises it when it is above 0.
// Setter rule: without a module a property only stores its value; with one the export is
// called and the value kept only on success, a failure raising with ApLastError whatever it is.
class TAuPlayer
{
public:
    using OutputActionEvent = std::function<void(TAuPlayer &sender, bool &success)>;
    using OutputEvent = std::function<void(TAuPlayer &sender, const void *sampleData, int bits,
                                           int channels, int sampleRate, int size, bool &success)>;
    using InputOpenEvent =
        std::function<void(TAuPlayer &, int &userData, bool &canSetPos, bool &success)>;
    using InputCloseEvent = std::function<void(TAuPlayer &, int userData, bool &success)>;
    using InputGetSizeEvent =
        std::function<void(TAuPlayer &, int userData, int &size, bool &success)>;
    using InputSeekEvent =
        std::function<void(TAuPlayer &, int userData, int &newPos, int seekMode, bool &success)>;
    using InputReadEvent = std::function<void(TAuPlayer &, int userData, void *buffer,
                                              int bytesToRead, int &bytesRead, bool &success)>;

    explicit TAuPlayer(TAuPlayers *collection = nullptr);
    TAuPlayer(const TAuPlayer &) = delete;
    TAuPlayer &operator=(const TAuPlayer &) = delete;
    virtual ~TAuPlayer();

    TAuPlayers *collection() const { return m_collection; }
    // Copies the stored properties (not the module).
    void assignProperties(const TAuPlayer &other);

    // --- Properties ---
    TAuSInputMode InputMode() const { return m_inputMode; }
    void setInputMode(TAuSInputMode mode);
    QString InputName() const { return m_inputName; }
    void setInputName(const QString &name);
    TAuSOutputMode OutputMode() const { return m_outputMode; }
    void setOutputMode(TAuSOutputMode mode);
    QString OutputName() const { return m_outputName; }
    void setOutputName(const QString &name);
    QString PathToDLL() const { return m_pathToDll; }
    void setPathToDLL(const QString &path) { m_pathToDll = path; }
    QString ModuleName() const;
    QString About() const;
    int Version() const;
    QString Extensions() const;
    int StartPos() const { return m_startPos; }
    void setStartPos(int ms);
    int EndPos() const { return m_endPos; }
    void setEndPos(int ms);
    int Priority() const { return m_priority; }
    void setPriority(int priority);
    int BuffersCount() const { return m_buffersCount; }
    void setBuffersCount(int count);
    int BufferSize() const { return m_bufferSize; }
    void setBufferSize(int size);
    int OutputDevNum() const { return m_outputDevNum; }
    void setOutputDevNum(int device);
    bool Initialized() const { return m_module != nullptr; }
    void setInitialized(bool on);
    bool UseEqualizer() const { return m_useEqualizer; }
    void setUseEqualizer(bool on);
    int LastError() const { return m_lastError; }

    OutputActionEvent OnOutputInit, OnOutputDone;
    OutputEvent OnOutput;
    InputOpenEvent OnInputOpen;
    InputCloseEvent OnInputClose;
    InputGetSizeEvent OnInputGetSize;
    InputSeekEvent OnInputSeek;
    InputReadEvent OnInputRead;

    // --- Operations ---
    void Init();
    void DeInit();
    void Open();
    void InitStream();
    void Play();
    void Stop();
    void Close();
    void SetPosition(int ms);
    // 0 closed, 1 opened (also after a stop or once the end was reported), 2 ready,
    // 3 finished (reported once), 4 playing, 5 paused.
    int PlayerMode();
    bool CanSetVolume(bool &separate);
    // The left word of the volume; both words are kept.
    int GetVolume();
    int LeftVolume() const { return m_leftVolume; }
    int RightVolume() const { return m_rightVolume; }
    bool HasEqualizer();

    // Beyond what the player uses, for tools: the stream's length, format and tags (guarded
    // calls of ApGetSize, ApGetInfo1 and ApGetInfo2), and the plug-in's last error, read now.
    int Duration();
    StreamInfo StreamInformation();
    TAuStreamTags Tags();
    int TakeLastError();

protected:
    // Each calls its event when assigned, else reports failure.
    virtual void DoOutputInit(bool &success);
    virtual void DoOutputDone(bool &success);
    virtual void DoOutput(const void *sampleData, int bits, int channels, int sampleRate, int size,
                          bool &success);
    virtual void DoInputOpen(int &userData, bool &canSetPos, bool &success);
    virtual void DoInputClose(int userData, bool &success);
    virtual void DoInputGetSize(int userData, int &size, bool &success);
    virtual void DoInputSeek(int userData, int &newPos, int seekMode, bool &success);
    virtual void DoInputRead(int userData, void *buffer, int bytesToRead, int &bytesRead,
                             bool &success);

private:
    struct Api;
    friend struct TAuPlayerCallbacks;

    void needsModule() const;
    void guarded(ApBool result);
    [[noreturn]] void raiseLastError();
    QString queryText(ApGetTextFn fn, const QString &failure) const;

    TAuPlayers *m_collection;
    std::unique_ptr<QLibrary> m_library;
    std::unique_ptr<Api> m_api;
    ApHandle m_module = nullptr;
    int m_lastError = 0;
    int m_leftVolume = 0, m_rightVolume = 0;

    TAuSInputMode m_inputMode = TAuSInputMode::imFile;
    QString m_inputName;
    TAuSOutputMode m_outputMode = TAuSOutputMode::omMMSystem;
    QString m_outputName;
    QString m_pathToDll;
    int m_startPos = 0, m_endPos = 0;
    int m_priority = 0;
    int m_buffersCount = 8;
    int m_bufferSize = 16384;
    int m_outputDevNum = 0;
    bool m_useEqualizer = false;
};
