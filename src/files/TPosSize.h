#pragma once

#include <QRect>
#include <QSize>

#include <optional>

// A window's remembered position and size. Saving keeps its geometry; restoring gives it back,
// once something was saved, with the position kept on the screen's positive side and the size at
// least the minimum.
class TPosSize
{
public:
    explicit TPosSize(QSize minimum = QSize()) : m_minimum(minimum) {}

    void Save(const QRect &geometry) { m_saved = geometry; }
    // The geometry to give the window, std::nullopt when nothing was saved yet.
    std::optional<QRect> Restore() const;

    bool saved() const { return m_saved.has_value(); }
    QSize minimum() const { return m_minimum; }
    void setMinimum(QSize minimum) { m_minimum = minimum; }

private:
    std::optional<QRect> m_saved;
    QSize m_minimum;
};
