#pragma once

#include <QMetaObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

#include <array>

class QAbstractItemView;
class QToolButton;

// The buttons under a grid that move through its records: first, prior, next and last, insert
// and delete for the tables that may be edited, a bookmark to note a record and go back to it,
// and for the grids that hold a record's edit until it is left, post and cancel. A button is
// enabled exactly when its move or change can be made.
class RecordNavigator : public QWidget
{
    Q_OBJECT

public:
    enum class Button {
        First,
        Prior,
        Next,
        Last,
        Insert,
        Delete,
        Bookmark,
        GotoBookmark,
        Post,
        Cancel
    };
    static constexpr int kButtonCount = 10;

    explicit RecordNavigator(QWidget *parent = nullptr);

    // The grid whose records it moves through; attach again after the grid's model changes.
    void attach(QAbstractItemView *view);
    // Insert and delete are shown only for tables that may be edited.
    void setEditing(bool editing);
    // Post and cancel are shown for the grids whose window keeps the record in edit; it tells
    // whether one is (the buttons are enabled then) and hears of their clicks.
    void setPostAndCancel(bool shown);
    void setEditPending(bool pending);

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
    void postClicked();
    void cancelClicked();

private:
    void goToRow(int row);

    std::array<QToolButton *, kButtonCount> m_buttons{};
    QPointer<QAbstractItemView> m_view;
    QPersistentModelIndex m_bookmark;
    QList<QMetaObject::Connection> m_connections;
    bool m_editing = false;
    bool m_editPending = false;
};
