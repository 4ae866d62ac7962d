#include "player/ui/MainWindowCommandSet.h"

#include "files/Prompter.h"
#include "player/ui/MainWindowActions.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVariant>

#include <algorithm>

namespace {

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// Each container remembers the slot of every entry in a property named after it, so an action
// that is both in a menu and on the toolbar keeps its two places.
QByteArray slotProperty(const QWidget *container)
{
    return QByteArrayLiteral("pelvarSlot_") + container->objectName().toLatin1();
}

// The entry before which an entry of `slot` goes: the first with a greater slot.
QAction *entryAfterSlot(const QWidget *container, int slot)
{
    const QByteArray key = slotProperty(container);
    for (QAction *a : container->actions()) {
        const QVariant v = a->property(key.constData());
        if (v.isValid() && v.toInt() > slot)
            return a;
    }
    return nullptr;
}

// Places a drop-down menu under its pair when it opens: its left edge at the toolbar button's
// left edge, just below the arrow, kept on the screen.
class DropDownPlacer : public QObject
{
public:
    DropDownPlacer(QToolButton *button, QToolButton *arrow, QMenu *menu)
        : QObject(menu), m_button(button), m_arrow(arrow)
    {
        menu->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *menu = qobject_cast<QMenu *>(watched);
        if (event->type() == QEvent::Show && menu && m_button && m_arrow && m_arrow->isVisible()) {
            QPoint at(m_button->isVisible() ? m_button->mapToGlobal(QPoint(0, 0)).x()
                                            : m_arrow->mapToGlobal(QPoint(0, 0)).x(),
                      m_arrow->mapToGlobal(QPoint(0, m_arrow->height())).y());
            if (const QScreen *screen = m_arrow->screen()) {
                const QRect room = screen->availableGeometry();
                at.setX(std::max(room.left(), std::min(at.x(), room.right() - menu->width())));
            }
            menu->move(at);
        }
        return false;
    }

private:
    QPointer<QToolButton> m_button;
    QPointer<QToolButton> m_arrow;
};

} // namespace

MainWindowCommandSet::MainWindowCommandSet(QMainWindow &window, Prompter &prompter)
    : m_window(window), m_prompter(prompter)
{}

void MainWindowCommandSet::build(std::span<const ActionRow> rows,
                                 std::span<const DropDownRow> dropDowns)
{
    m_window.menuBar()->setObjectName(QLatin1String(kMainMenu));
    m_toolBar = m_window.addToolBar(QStringLiteral("Barra d'eines"));
    m_toolBar->setObjectName(QLatin1String(kToolBar));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const DropDownRow &row : dropDowns)
        addDropDown(row);
    for (const ActionRow &row : rows)
        if (row.builder == RowBuilder::Window)
            addAction(row, &m_window);
}

void MainWindowCommandSet::addDropDown(const DropDownRow &row)
{
    DropDown d;
    d.menu = new QMenu(&m_window);
    d.menu->setObjectName(utf8(row.menu));
    // The button follows its command's enabled state; the arrow beside it stays usable, so the
    // menu's other commands can be reached while that one is disabled.
    d.button = new QToolButton(m_toolBar);
    d.button->setObjectName(utf8(row.button));
    d.button->setFocusPolicy(Qt::NoFocus);
    d.arrow = new QToolButton(m_toolBar);
    d.arrow->setObjectName(utf8(row.arrow));
    d.arrow->setArrowType(Qt::DownArrow);
    d.arrow->setAutoRaise(true);
    d.arrow->setPopupMode(QToolButton::InstantPopup);
    // The arrow is the indicator: no second one beside it.
    d.arrow->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    d.arrow->setMenu(d.menu);
    d.arrow->setFocusPolicy(Qt::NoFocus);
    d.arrow->setFixedWidth(14);
    d.arrow->setToolTip(hintText(utf8(row.arrowHint)));

    new DropDownPlacer(d.button, d.arrow, d.menu);

    // The toolbar's actions of the button and the arrow go by their names: hiding one hides
    // its widget.
    const QByteArray key = slotProperty(m_toolBar);
    QAction *before = entryAfterSlot(m_toolBar, row.slot);
    for (QToolButton *w : {d.button.data(), d.arrow.data()}) {
        QAction *a = m_toolBar->insertWidget(before, w);
        a->setProperty(key.constData(), row.slot);
        a->setObjectName(w->objectName());
        m_actions[w->objectName()] = a;
    }
    m_dropDowns[d.menu->objectName()] = d;
}

QAction *MainWindowCommandSet::addAction(QStringView name, QObject *owner)
{
    const ActionRow *row = findActionRow(name);
    if (!row)
        qFatal("The command table has no row named %s", qPrintable(name.toString()));
    return addAction(*row, owner);
}

QAction *MainWindowCommandSet::addAction(const ActionRow &row, QObject *owner)
{
    const QString name = utf8(row.name);
    if (QAction *existing = action(name))
        return existing;
    if (QAction *inherited = inheritedEntry(row)) {
        adopt(row, inherited);
        m_actions[name] = inherited;
        return inherited;
    }

    QAction *a = nullptr;
    switch (row.kind) {
    case RowKind::SubMenu: {
        QWidget *parent = container(row.menu.menu);
        auto *m = new QMenu(utf8(row.caption), parent);
        m->setObjectName(name);
        a = m->menuAction();
        place(a, row.menu.menu, row.menu.slot);
        break;
    }
    case RowKind::Separator: {
        // Separators belong to the window, which hides some of them by access level.
        a = new QAction(&m_window);
        a->setSeparator(true);
        a->setObjectName(name);
        if (row.menu.menu)
            place(a, row.menu.menu, row.menu.slot);
        if (row.toolBar.slot != 0)
            placeOnToolBar(a, row.toolBar);
        if (row.group.menu)
            place(a, row.group.menu, row.group.slot);
        break;
    }
    case RowKind::Command: {
        a = new QAction(utf8(row.caption), owner ? owner : &m_window);
        a->setObjectName(name);
        QIcon icon;
        if (row.picture.theme)
            icon = QIcon::fromTheme(QLatin1String(row.picture.theme));
        if (icon.isNull() && row.picture.standard >= 0)
            icon = m_window.style()->standardIcon(QStyle::StandardPixmap(row.picture.standard));
        a->setIcon(icon);
        if (*row.hint)
            setHint(a, utf8(row.hint));
        a->setShortcut(row.shortcut());
        // Shortcuts stay live while the menus and the toolbar are hidden during a run.
        a->setShortcutContext(Qt::WindowShortcut);
        m_window.addAction(a);
        a->setCheckable(row.checkable);
        // A toggle shows its check mark in the menus; its picture is the toolbar's.
        a->setIconVisibleInMenu(!row.checkable);
        a->setEnabled(row.enabled);
        if (row.menu.menu)
            place(a, row.menu.menu, row.menu.slot);
        if (row.toolBar.slot != 0)
            placeOnToolBar(a, row.toolBar);
        if (row.group.menu)
            joinDropDown(a, row.group);
        break;
    }
    }
    m_actions[name] = a;
    return a;
}

QAction *MainWindowCommandSet::inheritedEntry(const ActionRow &row) const
{
    const QString name = utf8(row.name);
    if (row.kind == RowKind::SubMenu) {
        QMenu *m = m_window.findChild<QMenu *>(name);
        return m ? m->menuAction() : nullptr;
    }
    return m_window.findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void MainWindowCommandSet::adopt(const ActionRow &row, QAction *a)
{
    // The entry moves to the row's slot; what it does stays the ancestor's.
    if (row.menu.menu) {
        container(row.menu.menu)->removeAction(a);
        place(a, row.menu.menu, row.menu.slot);
    }
    if (row.kind != RowKind::Command)
        return;
    if (*row.hint)
        setHint(a, utf8(row.hint));
    if (!row.shortcut().isEmpty())
        a->setShortcut(row.shortcut());
    if (row.picture.theme || row.picture.standard >= 0) {
        QIcon icon;
        if (row.picture.theme)
            icon = QIcon::fromTheme(QLatin1String(row.picture.theme));
        if (icon.isNull() && row.picture.standard >= 0)
            icon = m_window.style()->standardIcon(QStyle::StandardPixmap(row.picture.standard));
        a->setIcon(icon);
    }
    a->setShortcutContext(Qt::WindowShortcut);
    m_window.addAction(a);
    if (row.toolBar.slot != 0)
        placeOnToolBar(a, row.toolBar);
}

QWidget *MainWindowCommandSet::container(const char *name) const
{
    const QString n = utf8(name);
    if (n == QLatin1String(kMainMenu))
        return m_window.menuBar();
    if (n == QLatin1String(kToolBar))
        return m_toolBar;
    if (QMenu *m = menu(n))
        return m;
    qFatal("The command table places an entry in %s, which does not exist yet", name);
    return nullptr;
}

void MainWindowCommandSet::place(QAction *action, const char *containerName, int slot)
{
    QWidget *c = container(containerName);
    QAction *before = entryAfterSlot(c, slot);
    action->setProperty(slotProperty(c).constData(), slot);
    c->insertAction(before, action);
}

QAction *MainWindowCommandSet::insertToolBarWidget(QWidget *widget, int slot)
{
    const QByteArray key = slotProperty(m_toolBar);
    QAction *a = m_toolBar->insertWidget(entryAfterSlot(m_toolBar, slot), widget);
    a->setProperty(key.constData(), slot);
    a->setObjectName(widget->objectName());
    return a;
}

void MainWindowCommandSet::placeOnToolBar(QAction *action, const ToolBarPlace &where)
{
    place(action, kToolBar, where.slot);
    // The keys belong to the slide area, never to a toolbar button.
    if (QWidget *button = m_toolBar->widgetForAction(action)) {
        if (where.button)
            button->setObjectName(utf8(where.button));
        button->setFocusPolicy(Qt::NoFocus);
    }
}

void MainWindowCommandSet::joinDropDown(QAction *action, const MenuPlace &group)
{
    const auto it = m_dropDowns.find(utf8(group.menu));
    if (it == m_dropDowns.end())
        qFatal("The command table names the drop-down menu %s, which does not exist", group.menu);
    place(action, group.menu, group.slot);
    QToolButton *button = it->second.button;
    if (!button->defaultAction())
        button->setDefaultAction(action);
    // Whatever command of the menu ran last is the one the button carries.
    QObject::connect(action, &QAction::triggered, button, [this, button, action] {
        button->setDefaultAction(action);
        if (dropDownChosen)
            dropDownChosen(button, action);
    });
}

QAction *MainWindowCommandSet::action(QStringView name) const
{
    const auto it = m_actions.find(name.toString());
    return it == m_actions.end() ? nullptr : it->second.data();
}

QMenu *MainWindowCommandSet::menu(QStringView name) const
{
    return m_window.findChild<QMenu *>(name.toString());
}

QToolButton *MainWindowCommandSet::dropDownButton(QStringView button) const
{
    for (const auto &[menuName, d] : m_dropDowns)
        if (d.button && d.button->objectName() == button)
            return d.button;
    return nullptr;
}

QToolButton *MainWindowCommandSet::dropDownArrow(QStringView button) const
{
    for (const auto &[menuName, d] : m_dropDowns)
        if (d.button && d.button->objectName() == button)
            return d.arrow;
    return nullptr;
}

void MainWindowCommandSet::setCommandHandler(PendingCommandCode code, QObject *context,
                                             std::function<void()> handler)
{
    m_handlers[code] = Handler{context, std::move(handler)};
}

void MainWindowCommandSet::carryOut(PendingCommandCode code)
{
    const auto it = m_handlers.find(code);
    if (it != m_handlers.end() && it->second.context && it->second.run) {
        // A copy: the handler may register another one for its own code.
        const std::function<void()> run = it->second.run;
        run();
        return;
    }
    m_prompter.ShowError(
        QStringLiteral("L'ordre demanada (codi %1) no està disponible").arg(int(code)));
}

QString MainWindowCommandSet::hintText(const QString &hint)
{
    QString s = hint;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

void MainWindowCommandSet::setHint(QAction *action, const QString &hint)
{
    action->setToolTip(hintText(hint));
    action->setStatusTip(hintText(hint).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}
