#include "files/TPosSize.h"

#include <algorithm>

std::optional<QRect> TPosSize::Restore() const
{
    if (!m_saved)
        return std::nullopt;
    return QRect(std::max(m_saved->left(), 0), std::max(m_saved->top(), 0),
                 std::max(m_saved->width(), m_minimum.width()),
                 std::max(m_saved->height(), m_minimum.height()));
}
