#include "options/ui/OptionChoosers.h"

#include "files/SystemColors.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPointer>

TColor tColorFromColor(const QColor &c)
{
    return TColor(std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) |
                  (std::uint32_t(c.blue()) << 16));
}

void setFontSettings(FontSettings &to, const QFont &font)
{
    to.FontName = font.family();
    to.FontSize = font.pointSize() > 0 ? font.pointSize() : to.FontSize;
    to.fsBold = font.bold();
    to.fsItalic = font.italic();
}

OptionChoosers OptionChoosers::standard(QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    OptionChoosers c;
    c.font = [owner](const QFont &current) -> std::optional<QFont> {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, current, owner.data());
        return ok ? std::optional<QFont>(f) : std::nullopt;
    };
    c.color = [owner](TColor current) -> std::optional<TColor> {
        const QColor base =
            owner ? colorFromTColor(current, owner->palette()) : rawColorFromTColor(current);
        const QColor chosen = QColorDialog::getColor(base, owner.data());
        return chosen.isValid() ? std::optional<TColor>(tColorFromColor(chosen)) : std::nullopt;
    };
    c.bitmap = [owner](const QString &current) {
        return QFileDialog::getOpenFileName(
            owner.data(), QStringLiteral("Obrir %1").arg(QStringLiteral("una imatge")),
            QFileInfo(current).absolutePath(),
            QStringLiteral("Imatges (*.bmp *.png *.jpg *.jpeg *.gif)"));
    };
    return c;
}
