#include "files/SystemColors.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

QColor rawColorFromTColor(TColor value)
{
    const auto v = std::uint32_t(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QColor colorFromTColor(TColor value, const QPalette &pal)
{
    const auto v = std::uint32_t(value);
    if ((v & 0xFF000000u) != 0x80000000u)
        return rawColorFromTColor(value);
    switch (v & 0xFFu) {
    case 0: return pal.color(QPalette::Window);          // scroll bar
    case 1: return pal.color(QPalette::Window);          // desktop
    case 2: return pal.color(QPalette::Highlight);       // active caption
    case 3: return pal.color(QPalette::Mid);             // inactive caption
    case 4: return pal.color(QPalette::Window);          // menu
    case 5: return pal.color(QPalette::Base);            // window background
    case 6: return pal.color(QPalette::Shadow);          // window frame
    case 7: return pal.color(QPalette::WindowText);      // menu text
    case 8: return pal.color(QPalette::Text);            // window text
    case 9: return pal.color(QPalette::HighlightedText); // caption text
    case 10: return pal.color(QPalette::Window);         // active border
    case 11: return pal.color(QPalette::Window);         // inactive border
    case 12: return pal.color(QPalette::Dark);           // application workspace
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);                   // button face
    case 16: return pal.color(QPalette::Dark);                     // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Disabled, QPalette::WindowText); // inactive caption text
    case 20: return pal.color(QPalette::Light);                          // button highlight
    case 21: return pal.color(QPalette::Shadow);                         // 3D dark shadow
    case 22: return pal.color(QPalette::Midlight);                       // 3D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
    }
}

QString resolveFontFamily(const QString &storedName)
{
    static const QStringList windowsInterfaceFonts = {
        QStringLiteral("MS Sans Serif"),  QStringLiteral("MS Shell Dlg"),
        QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("System"),         QStringLiteral("Small Fonts"),
        QStringLiteral("Tahoma"),         QStringLiteral("Segoe UI"),
        QStringLiteral("Arial"),          QStringLiteral("Helvetica"),
        QStringLiteral("Verdana")};
    const QString name = storedName.trimmed();
    const bool interfaceFont =
        name.isEmpty() || windowsInterfaceFonts.contains(name, Qt::CaseInsensitive);
    if (!interfaceFont && QFontDatabase::hasFamily(name))
        return name;
    if (name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("Courier"), Qt::CaseInsensitive) == 0)
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    if (name.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0 &&
        QFontDatabase::hasFamily(QStringLiteral("DejaVu Serif")))
        return QStringLiteral("DejaVu Serif");
    // Interface fonts and names not installed here: the system's sans family.
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont storedFont(const QString &name, int pointSize, bool bold, bool italic)
{
    QFont font(resolveFontFamily(name));
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
