#pragma once

#include "files/ui/TFPresentRxRichEdit.h"

#include <QStringList>

class QEventLoop;
class QPushButton;

// "Errors trobats": the presentation check's error list, read-only, with the two ways on:
// "&Editar" (to the editor of what was checked) and "&Refer" (look for the missing files in the
// presentation's own folder). Closing it otherwise does nothing.
class TFPresentErrors : public TFPresentRxRichEdit
{
    Q_OBJECT

public:
    enum class Result { None, Edit, Relocate };

    explicit TFPresentErrors(QWidget *parent = nullptr);
    ~TFPresentErrors() override;

    // The lines of the error list; a "\r\n" inside a line breaks it.
    void setErrors(const QStringList &lines);
    // "&Editar" is enabled only when the editor it opens is there; otherwise its hint says why.
    void setEditAvailable(bool available, const QString &reason = QString());

    // Shows the window modally and waits until it closes.
    Result exec();
    Result result() const { return m_result; }

    QPushButton *editButton() const { return m_edit; }
    QPushButton *changeDirButton() const { return m_changeDir; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void finish(Result result);

    QPushButton *m_edit = nullptr;
    QPushButton *m_changeDir = nullptr;
    Result m_result = Result::None;
    QEventLoop *m_loop = nullptr;
};
