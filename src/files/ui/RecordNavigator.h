#pragma once

#include <QMetaObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

#include <array>

class QAbstractItemView;
class QToolButton;

// The buttons under a grid that move through its records: first, prior, next and last, insert
// and delete for the tables that may be edited, and a bookmark to note a record and go back to
// it. A button is enabled exactly when its move or change can be made.
class RecordNavigator : public QWidget
{
    Q_OBJECT

public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Bookmark, GotoBookmark };
    static constexpr int kButtonCount = 8;

    explicit RecordNavigator(QWidget *parent = nullptr);

    // The grid whose records it moves through; attach again after the grid's model changes.
    void attach(QAbstractItemView *view);
    // Insert and delete are shown only for tables that may be edited.
    void setEditing(bool editing);

    QToolButton *button(Button which) const { return m_buttons[std::size_t(which)]; }
    bool isButtonEnabled(Button which) const;
    // The current record's row, or -1 when there is none.
    int currentRow() const;
    // Whether a record is noted and still in the table.
    bool hasBookmark() const { return m_bookmark.isValid(); }

    void first();
    void prior();
    void next();
    void last();
    // A blank record before the current one (first in an empty table), which becomes current.
    void insert();
    // Removes the current record; the one after it (or before, at the end) becomes current.
    void remove();
    void setBookmark();
    void gotoBookmark();

    // Brings the buttons up to date with the grid; called on every change of it.
    void refresh();

Q_SIGNALS:
    // The buttons' enabled state may have changed.
    void stateChanged();

private:
    void goToRow(int row);

    std::array<QToolButton *, kButtonCount> m_buttons{};
    QPointer<QAbstractItemView> m_view;
    QPersistentModelIndex m_bookmark;
    QList<QMetaObject::Connection> m_connections;
    bool m_editing = false;
};
