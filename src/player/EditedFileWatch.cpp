#include "player/EditedFileWatch.h"

#include <QFileInfo>

void EditedFileWatch::handedOver(const QString &path)
{
    const QFileInfo info(path);
    m_path = path;
    m_age = info.exists() ? info.lastModified() : QDateTime();
}

void EditedFileWatch::forget()
{
    m_path.clear();
    m_age = QDateTime();
}

EditedFileWatch::Reload EditedFileWatch::check(const SlideRecord &shown, bool slideShown,
                                               bool windowHasFocus)
{
    const QString path = m_path;
    const QDateTime age = m_age;
    forget();
    if (!windowHasFocus || !slideShown || !age.isValid())
        return Reload::Nothing;
    // Another slide may be up by now (a manual run stepped on): its file was not edited.
    if (QFileInfo(shown.FileName).absoluteFilePath() != QFileInfo(path).absoluteFilePath())
        return Reload::Nothing;
    const QFileInfo info(path);
    if (!info.exists() || info.lastModified() == age)
        return Reload::Nothing;
    switch (shown.Kind) {
    case skImage: return Reload::Picture;
    case skText:
    case skRichText: return Reload::Text;
    default: return Reload::Nothing;
    }
}
