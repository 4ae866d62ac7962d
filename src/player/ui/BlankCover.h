#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

// A cover over the whole main window in one colour, for a presenter who blanks the screen. It
// takes the keys while it is up: the next key or mouse button only lifts it (no command's
// shortcut fires), and the keys go back to where they were. It never touches the run.
class BlankCover : public QWidget
{
    Q_OBJECT
public:
    explicit BlankCover(QWidget *window);

    void cover(const QColor &color);
    void uncover();
    bool covering() const { return isVisible(); }
    QColor color() const { return m_color; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::black;
    QPointer<QWidget> m_focusBefore;
};
