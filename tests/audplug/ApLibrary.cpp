#include "ApLibrary.h"

#include <QElapsedTimer>
#include <QThread>

ApLibrary::ApLibrary(const QString &path) : lib(path)
{
    lib.setLoadHints(QLibrary::PreventUnloadHint);
    if (!lib.load())
        return;
    ok = true;
    auto bind = [this](auto &slot, const char *name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(lib.resolve(name));
        ok = ok && slot;
    };
    bind(InitModule, "ApInitModule");
    bind(DeInitModule, "ApDeInitModule");
    bind(LastError, "ApLastError");
    bind(GetName, "ApGetName");
    bind(GetExts, "ApGetExts");
    bind(GetAbout, "ApGetAbout");
    bind(GetVersion, "ApGetVersion");
    bind(SetInputMode, "ApSetInputMode");
    bind(SetOutputMode, "ApSetOutputMode");
    bind(SetOutputDev, "ApSetOutputDev");
    bind(SetDevNum, "ApSetDevNum");
    bind(SetPriority, "ApSetPriority");
    bind(UseEQ, "ApUseEQ");
    bind(UseOutCB, "ApUseOutCB");
    bind(SetExtras, "ApSetExtras");
    bind(SetInputName, "ApSetInputName");
    bind(SetOutputName, "ApSetOutputName");
    bind(SetBuffers, "ApSetBuffers");
    bind(SetLimits, "ApSetLimits");
    bind(SetWindow, "ApSetWindow");
    bind(SetOutCB, "ApSetOutCB");
    bind(SetInCB, "ApSetInCB");
    bind(HasEQ, "ApHasEQ");
    bind(EQ, "ApEQ");
    bind(CanPause, "ApCanPause");
    bind(Open, "ApOpen");
    bind(InitStream, "ApInitStream");
    bind(Play, "ApPlay");
    bind(Pause, "ApPause");
    bind(Resume, "ApResume");
    bind(Stop, "ApStop");
    bind(Close, "ApClose");
    bind(CanSetPos, "ApCanSetPos");
    bind(GetPlayerMode, "ApGetPlayerMode");
    bind(GetSize, "ApGetSize");
    bind(GetPos, "ApGetPos");
    bind(SetPos, "ApSetPos");
    bind(GetInfo1, "ApGetInfo1");
    bind(GetInfo2, "ApGetInfo2");
    bind(SetVolume, "ApSetVolume");
    bind(GetVolume, "ApGetVolume");
    bind(CanSetVolume, "ApCanSetVolume");
}

QByteArray OutputSink::all()
{
    std::lock_guard lock(mutex);
    QByteArray out;
    for (const QByteArray &b : blocks)
        out += b;
    return out;
}

qint64 OutputSink::total()
{
    std::lock_guard lock(mutex);
    qint64 n = 0;
    for (const QByteArray &b : blocks)
        n += b.size();
    return n;
}

ApBool AP_CALL OutputSink::output(const void *data, ApInt bits, ApInt channels, ApInt rate,
                                  ApInt size, void *user)
{
    auto *s = static_cast<OutputSink *>(user);
    std::lock_guard lock(s->mutex);
    s->bits = bits;
    s->channels = channels;
    s->rate = rate;
    s->blocks.emplace_back(static_cast<const char *>(data), size);
    return s->refuseBlocks.load() ? 0 : 1;
}

ApBool AP_CALL OutputSink::action(ApBool flag, void *user)
{
    auto *s = static_cast<OutputSink *>(user);
    std::lock_guard lock(s->mutex);
    s->actions.push_back(flag);
    return flag && s->refuseStart.load() ? 0 : 1;
}

int waitForMode(ApLibrary &ap, ApHandle h, int mode, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    int m = -1;
    while (t.elapsed() < timeoutMs) {
        m = ap.GetPlayerMode(h);
        if (m == mode)
            return m;
        QThread::msleep(5);
    }
    return -2;
}
