#include "files/ui/CommandIcons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QToolBar>
#include <QWidget>

namespace {

const char *themeName(CommandIcon which)
{
    switch (which) {
    case CommandIcon::Undo: return "edit-undo";
    case CommandIcon::Cut: return "edit-cut";
    case CommandIcon::Copy: return "edit-copy";
    case CommandIcon::Paste: return "edit-paste";
    case CommandIcon::Clear: return "edit-clear";
    case CommandIcon::SelectAll: return "edit-select-all";
    case CommandIcon::Help: return "help-contents";
    case CommandIcon::Exit: return "application-exit";
    case CommandIcon::First: return "go-first";
    case CommandIcon::Prior: return "go-previous";
    case CommandIcon::Next: return "go-next";
    case CommandIcon::Last: return "go-last";
    case CommandIcon::Insert: return "list-add";
    case CommandIcon::Delete: return "list-remove";
    case CommandIcon::Bookmark: return "bookmark-new";
    case CommandIcon::GotoBookmark: return "go-jump";
    case CommandIcon::Post: return "dialog-ok-apply";
    case CommandIcon::Cancel: return "dialog-cancel";
    }
    return "";
}

QPolygonF triangle(bool pointsLeft, qreal left, qreal right)
{
    return pointsLeft ? QPolygonF({QPointF(right, 3), QPointF(right, 13), QPointF(left, 8)})
                      : QPolygonF({QPointF(left, 3), QPointF(left, 13), QPointF(right, 8)});
}

QPolygonF ribbon()
{
    return QPolygonF(
        {QPointF(4, 2), QPointF(12, 2), QPointF(12, 14), QPointF(8, 10.5), QPointF(4, 14)});
}

// Draws the pictogram on a 16 x 16 grid.
void drawPictogram(QPainter &p, CommandIcon which)
{
    const QColor ink(0x30, 0x30, 0x30);
    const QColor blue(0x1f, 0x5f, 0xb0);
    QPen pen(ink, 1.2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    switch (which) {
    case CommandIcon::Undo: {
        p.setPen(QPen(blue, 1.8, Qt::SolidLine, Qt::RoundCap));
        QPainterPath arc;
        arc.moveTo(4, 7);
        arc.cubicTo(8, 3, 14, 5, 13, 10);
        arc.cubicTo(12.5, 12, 11, 13, 9, 13);
        p.drawPath(arc);
        p.setBrush(blue);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(1.5, 7.5), QPointF(7, 3), QPointF(7, 10)}));
        break;
    }
    case CommandIcon::Cut:
        p.drawLine(QPointF(4, 2), QPointF(11, 11));
        p.drawLine(QPointF(12, 2), QPointF(5, 11));
        p.drawEllipse(QPointF(4, 12.5), 2, 2);
        p.drawEllipse(QPointF(12, 12.5), 2, 2);
        break;
    case CommandIcon::Copy:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 2, 8, 9));
        p.drawRect(QRectF(6, 5, 8, 9));
        break;
    case CommandIcon::Paste:
        p.setBrush(QColor(0xc8, 0x9a, 0x5a));
        p.drawRect(QRectF(2.5, 3, 11, 12));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 1.5, 6, 3));
        p.drawRect(QRectF(5, 6.5, 6.5, 7));
        break;
    case CommandIcon::Clear:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 1.5, 10, 13));
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 5), QPointF(10.5, 11));
        p.drawLine(QPointF(10.5, 5), QPointF(5.5, 11));
        break;
    case CommandIcon::SelectAll:
        p.setPen(QPen(ink, 1, Qt::DashLine));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(blue, 1.5));
        for (int y = 5; y <= 11; y += 3)
            p.drawLine(QPointF(4, y), QPointF(12, y));
        break;
    case CommandIcon::Help: {
        p.setBrush(blue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        QPainterPath q;
        q.moveTo(5.5, 6);
        q.cubicTo(5.5, 3, 10.5, 3, 10.5, 6);
        q.cubicTo(10.5, 8, 8, 8, 8, 10);
        p.setBrush(Qt::NoBrush);
        p.drawPath(q);
        p.drawPoint(QPointF(8, 12.5));
        break;
    }
    case CommandIcon::Exit:
        p.setBrush(QColor(0xe0, 0xe0, 0xe0));
        p.drawRect(QRectF(2, 2, 7, 12));
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 8), QPointF(14, 8));
        p.drawLine(QPointF(11, 5), QPointF(14, 8));
        p.drawLine(QPointF(11, 11), QPointF(14, 8));
        break;
    case CommandIcon::First:
    case CommandIcon::Prior:
    case CommandIcon::Next:
    case CommandIcon::Last: {
        const bool left = which == CommandIcon::First || which == CommandIcon::Prior;
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawPolygon(triangle(left, 5, 11));
        if (which == CommandIcon::First)
            p.drawRect(QRectF(2.5, 3, 2, 10));
        if (which == CommandIcon::Last)
            p.drawRect(QRectF(11.5, 3, 2, 10));
        break;
    }
    case CommandIcon::Insert:
        p.setPen(QPen(QColor(0x20, 0x90, 0x30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case CommandIcon::Delete:
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case CommandIcon::Bookmark:
        p.setBrush(QColor(0xe0, 0xa0, 0x20));
        p.drawPolygon(ribbon());
        break;
    case CommandIcon::GotoBookmark:
        p.setBrush(QColor(0xe0, 0xa0, 0x20));
        p.drawPolygon(ribbon());
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(9, 5), QPointF(9, 11), QPointF(15, 8)}));
        break;
    case CommandIcon::Post:
        p.setPen(QPen(QColor(0x20, 0x90, 0x30), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case CommandIcon::Cancel:
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
}

QPixmap pictogram(CommandIcon which, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    drawPictogram(p, which);
    return pixmap;
}

} // namespace

QIcon commandIcon(CommandIcon which)
{
    QIcon icon = QIcon::fromTheme(QLatin1String(themeName(which)));
    if (!icon.isNull())
        return icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(pictogram(which, size));
    return icon;
}

QIcon glyphIcon(const QString &glyph, const QColor &colour)
{
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(glyph.size() > 1 ? 24 : 34);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(pm.rect(), Qt::AlignCenter, glyph);
    p.end();
    return QIcon(pm);
}

QString plainCaption(const QString &caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                out += caption[++i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

void addToolBarButton(QToolBar *bar, QAction *action, const QString &buttonName)
{
    bar->addAction(action);
    if (QWidget *button = bar->widgetForAction(action)) {
        button->setObjectName(buttonName);
        button->setAccessibleName(plainCaption(action->text()));
    }
}

QAction *addWindowCommand(QWidget *window, QToolBar *bar, QMenu *menu, const char *name,
                          const QString &caption, const QString &hint, const QKeySequence &key,
                          CommandIcon icon)
{
    auto *a = new QAction(commandIcon(icon), caption, window);
    const QString objectName = QString::fromLatin1(name);
    a->setObjectName(objectName);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    menu->addAction(a);
    addToolBarButton(bar, a, QStringLiteral("TB_") + objectName.mid(2));
    return a;
}
