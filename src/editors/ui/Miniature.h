#pragma once

#include "media/ui/TAdvImageNew.h"

#include <QString>

#include <atomic>
#include <memory>

// A miniature of the file list editors: a picture decoded at the miniature's size on a worker
// thread (the window never waits for it), with the row's mark, or a caption that says what kind
// of file it is. A click asks for the preview.
class Miniature : public TAdvImageNew
{
    Q_OBJECT
public:
    explicit Miniature(QWidget *parent = nullptr);
    ~Miniature() override;

    // Starts decoding `path`; the picture replaces what is shown when it is ready, unless
    // another request came meanwhile.
    void showPicture(const QString &path, QPoint mark = QPoint(-1, -1));
    void showCaption(const QString &caption);
    void clearMiniature();
    // The colour around the picture or behind the caption.
    void setBackground(TColor colour);
    // The path whose picture is shown or on its way; "" for none.
    const QString &path() const { return m_path; }
    // Whether the picture asked for last is on screen.
    bool pictureReady() const { return m_ready; }
    // Decoded pictures arrive through the event loop; tests wait for this.
    bool decoding() const { return !m_ready && !m_path.isEmpty(); }

Q_SIGNALS:
    void clicked();
    void pictureShown();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_path;
    bool m_ready = true;
    // Raised by every request, so that a late decoding of an older one is dropped.
    std::shared_ptr<std::atomic<int>> m_generation;
};
