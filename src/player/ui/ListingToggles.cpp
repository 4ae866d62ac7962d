#include "player/ui/ListingToggles.h"

#include "files/ui/CommandIcons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>

QAction *addListingToggle(QMainWindow &window, QToolBar *bar, QMenu *menu, const char *name,
                          const QString &caption, QStyle::StandardPixmap picture)
{
    auto *a = new QAction(window.style()->standardIcon(picture), caption, &window);
    const QString objectName = QString::fromLatin1(name);
    a->setObjectName(objectName);
    a->setCheckable(true);
    if (menu)
        menu->addAction(a);
    addToolBarButton(bar, a, QStringLiteral("TB_") + objectName.mid(2));
    return a;
}

QString fillPercentS(const QString &text, std::initializer_list<QString> values)
{
    QString out = text;
    qsizetype from = 0;
    for (const QString &v : values) {
        const qsizetype at = out.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        out.replace(at, 2, v);
        from = at + v.size();
    }
    return out;
}

QString stateHint(const QString &alternatives, bool on)
{
    const QString marker = QStringLiteral("(estat actual) ");
    return fillPercentS(alternatives, {on ? marker : QString(), on ? QString() : marker});
}

void setToggleHint(QAction *action, const QString &hint)
{
    QString shown = hint;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    action->setToolTip(shown);
    action->setStatusTip(shown);
}
