#include "files/ui/QtPrompter.h"

#include "files/SystemColors.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QFont messageFont()
{
    // The platform theme's message-box font when it has one, else the application font.
    return QApplication::font("QMessageBoxLabel");
}

QStyle::StandardPixmap iconOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning: return QStyle::SP_MessageBoxWarning;
    case MsgKind::Error: return QStyle::SP_MessageBoxCritical;
    case MsgKind::Information: return QStyle::SP_MessageBoxInformation;
    case MsgKind::Confirmation: return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

const char *buttonName(MsgButton b)
{
    switch (b) {
    case MsgButton::Yes: return "Yes";
    case MsgButton::No: return "No";
    case MsgButton::OK: return "OK";
    case MsgButton::Cancel: return "Cancel";
    case MsgButton::Abort: return "Abort";
    case MsgButton::Retry: return "Retry";
    case MsgButton::Ignore: return "Ignore";
    case MsgButton::All: return "All";
    case MsgButton::NoToAll: return "NoToAll";
    case MsgButton::YesToAll: return "YesToAll";
    case MsgButton::Help: return "Help";
    case MsgButton::None: break;
    }
    return "None";
}

QScreen *screenFor(const QWidget *owner)
{
    if (owner && owner->screen())
        return owner->screen();
    return QGuiApplication::primaryScreen();
}

// The box itself. Esc and the close button answer the layout's cancel button; Help does not
// close the box.
class MessageDialog : public QDialog
{
public:
    MessageDialog(QWidget *owner, MsgButton cancelButton)
        : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowCloseButtonHint),
          m_cancel(cancelButton)
    {}

    MsgButton answer = MsgButton::None;

    void answerWith(MsgButton b)
    {
        answer = b;
        done(QDialog::Accepted);
    }

protected:
    void reject() override
    {
        answer = m_cancel;
        QDialog::reject();
    }

    void showEvent(QShowEvent *e) override
    {
        QDialog::showEvent(e);
        // Centred on the screen, not on the owner window.
        if (QScreen *s = screenFor(parentWidget())) {
            const QRect avail = s->availableGeometry();
            move(avail.center() - QPoint(width() / 2, height() / 2));
        }
    }

private:
    MsgButton m_cancel;
};

} // namespace

QtPrompter::QtPrompter(QWidget *owner) : m_owner(owner) {}

double QtPrompter::dialogUnitPx()
{
    // The average character width is measured on the 52 letters, as dialog units are defined.
    const QFontMetricsF fm(messageFont());
    const double avg = fm.horizontalAdvance(
                           QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                       52.0;
    return avg / 4.0;
}

MsgButton QtPrompter::messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                                   int helpContext, int buttonWidthDlu)
{
    return showBox(text, kind, specs, helpContext, buttonWidthDlu, {messageFont(), QColor(), true});
}

MsgButton QtPrompter::answerMessageBox(const QString &text, MsgKind kind, const QStringList &specs,
                                       const AnswerMessageStyle &style)
{
    TextLook look{storedFont(style.fontName, style.fontSize, style.bold, style.italic),
                  colorFromTColor(style.color, QApplication::palette()), style.showIcon};
    return showBox(text, kind, specs, 0, 50, look);
}

MsgButton QtPrompter::showBox(const QString &text, MsgKind kind, const QStringList &specs,
                              int helpContext, int buttonWidthDlu, const TextLook &look)
{
    MsgBoxLayout layout = layoutMessageBox(specs);
    if (layout.buttons.empty()) {
        // A box without a button could never be answered: it gets OK, like the system's boxes.
        layout.buttons.push_back({MsgButton::OK, standardButtonCaption(MsgButton::OK)});
        layout.defaultButton = layout.cancelButton = MsgButton::OK;
    }

    QWidget *owner = m_owner ? m_owner.data() : QApplication::activeWindow();
    MessageDialog box(owner, layout.cancelButton);
    box.setObjectName(QStringLiteral("PelvarMessageBox"));
    box.setWindowTitle(messageBoxTitle(kind));
    box.setModal(true);
    box.setFont(messageFont());

    auto *outer = new QVBoxLayout(&box);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    outer->addLayout(top);

    if (look.icon) {
        auto *icon = new QLabel(&box);
        icon->setObjectName(QStringLiteral("icon"));
        const int iconSize = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        icon->setPixmap(box.style()
                            ->standardIcon(iconOf(kind), nullptr, &box)
                            .pixmap(QSize(iconSize, iconSize), box.devicePixelRatioF()));
        icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        top->addWidget(icon, 0, Qt::AlignTop);
    }

    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto *label = new QLabel(&box);
    label->setObjectName(QStringLiteral("text"));
    label->setTextFormat(Qt::PlainText);
    label->setText(shown);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFont(look.font);
    if (look.color.isValid()) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, look.color);
        pal.setColor(QPalette::Text, look.color);
        label->setPalette(pal);
    }
    // Sized to its text: lines wrap only beyond 60% of the screen width.
    const QScreen *screen = screenFor(owner);
    const int maxTextWidth = screen ? screen->availableGeometry().width() * 3 / 5 : 800;
    const QFontMetrics fm(look.font);
    const QRect textRect = fm.boundingRect(QRect(0, 0, maxTextWidth, 1 << 20),
                                           Qt::TextWordWrap | Qt::TextExpandTabs, shown);
    // Wide enough for the title bar to show the title beside its buttons.
    const int titleWidth =
        QFontMetrics(QApplication::font()).horizontalAdvance(box.windowTitle()) + 110;
    label->setMinimumSize(std::max(textRect.width() + 2, titleWidth), textRect.height());
    top->addWidget(label, 1, Qt::AlignVCenter);

    outer->addSpacing(8);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    const int buttonWidth = int(std::lround(dialogUnitPx() * std::max(buttonWidthDlu, 1)));
    QPushButton *defaultButton = nullptr;
    for (const MsgButtonSpec &item : layout.buttons) {
        auto *button = new QPushButton(item.caption, &box);
        button->setObjectName(
            QStringLiteral("msgButton_%1").arg(QLatin1String(buttonName(item.button))));
        button->setAutoDefault(false);
        // The asked width, unless the caption needs more: a clipped caption helps nobody.
        button->setFixedWidth(std::max(buttonWidth, button->sizeHint().width()));
        const MsgButton which = item.button;
        if (which == MsgButton::Help) {
            QObject::connect(button, &QPushButton::clicked, &box, [this, helpContext]() {
                if (helpHandler)
                    helpHandler(helpContext);
            });
        } else {
            QObject::connect(button, &QPushButton::clicked, &box,
                             [&box, which]() { box.answerWith(which); });
        }
        if (which == layout.defaultButton)
            defaultButton = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    outer->addLayout(row);

    if (defaultButton) {
        defaultButton->setDefault(true);
        defaultButton->setFocus(Qt::OtherFocusReason);
    }

    box.exec();
    return box.answer;
}
