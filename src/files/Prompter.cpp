#include "files/Prompter.h"

#include <array>
#include <cstdio>

namespace {

struct ButtonName
{
    const char *name;
    MsgButton button;
};

constexpr std::array<ButtonName, 11> kButtonNames = {{{"Yes", MsgButton::Yes},
                                                      {"No", MsgButton::No},
                                                      {"OK", MsgButton::OK},
                                                      {"Cancel", MsgButton::Cancel},
                                                      {"Abort", MsgButton::Abort},
                                                      {"Retry", MsgButton::Retry},
                                                      {"Ignore", MsgButton::Ignore},
                                                      {"All", MsgButton::All},
                                                      {"NoToAll", MsgButton::NoToAll},
                                                      {"YesToAll", MsgButton::YesToAll},
                                                      {"Help", MsgButton::Help}}};

} // namespace

QString standardButtonCaption(MsgButton button)
{
    switch (button) {
    case MsgButton::Yes: return QStringLiteral("&Sí");
    case MsgButton::No: return QStringLiteral("&No");
    case MsgButton::OK: return QStringLiteral("D'acord");
    case MsgButton::Cancel: return QStringLiteral("Cancel·la");
    case MsgButton::Abort: return QStringLiteral("&Avorta");
    case MsgButton::Retry: return QStringLiteral("&Reintenta");
    case MsgButton::Ignore: return QStringLiteral("&Ignora");
    case MsgButton::All: return QStringLiteral("&Tot");
    case MsgButton::NoToAll: return QStringLiteral("N&o a Tot");
    case MsgButton::YesToAll: return QStringLiteral("S&í a Tot");
    case MsgButton::Help: return QStringLiteral("&Ajuda");
    case MsgButton::None: break;
    }
    return QString();
}

QString messageBoxTitle(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning: return QStringLiteral("Compte");
    case MsgKind::Error: return QStringLiteral("Error");
    case MsgKind::Information: return QStringLiteral("Informació");
    case MsgKind::Confirmation: return QStringLiteral("Confirma");
    }
    return QString();
}

MsgBoxLayout layoutMessageBox(const QStringList &specs)
{
    std::array<QString, kButtonNames.size()> captions;
    std::array<bool, kButtonNames.size()> present{};
    for (const QString &item : specs) {
        const qsizetype space = item.indexOf(QLatin1Char(' '));
        const QString name = space < 0 ? item : item.left(space);
        for (size_t i = 0; i < kButtonNames.size(); ++i) {
            if (name == QLatin1String(kButtonNames[i].name)) {
                present[i] = true;
                captions[i] =
                    space < 0 ? standardButtonCaption(kButtonNames[i].button) : item.mid(space + 1);
            }
        }
    }
    MsgBoxLayout layout;
    for (size_t i = 0; i < kButtonNames.size(); ++i)
        if (present[i])
            layout.buttons.push_back({kButtonNames[i].button, captions[i]});
    auto has = [&](MsgButton b) {
        for (const auto &s : layout.buttons)
            if (s.button == b)
                return true;
        return false;
    };
    for (MsgButton b : {MsgButton::OK, MsgButton::Yes, MsgButton::Retry})
        if (layout.defaultButton == MsgButton::None && has(b))
            layout.defaultButton = b;
    for (MsgButton b : {MsgButton::Cancel, MsgButton::No, MsgButton::OK})
        if (layout.cancelButton == MsgButton::None && has(b))
            layout.cancelButton = b;
    return layout;
}

MsgButton StderrPrompter::messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                                       int, int)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(stderr, "%s: %s\n", qPrintable(messageBoxTitle(kind)), qPrintable(shown));
    const MsgBoxLayout layout = layoutMessageBox(specs);
    // A headless run never agrees to anything: it takes Cancel, else No, else OK.
    return layout.cancelButton;
}
