#include "files/ui/RecordNavigator.h"

#include "files/ui/CommandIcons.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QToolButton>

#include <algorithm>

namespace {

struct ButtonInfo
{
    const char *name;
    const char *hint; // UTF-8
    CommandIcon icon;
};

constexpr std::array<ButtonInfo, RecordNavigator::kButtonCount> kButtons = {{
    {"NB_First", "Primer registre", CommandIcon::First},
    {"NB_Prior", "Registre anterior", CommandIcon::Prior},
    {"NB_Next", "Registre següent", CommandIcon::Next},
    {"NB_Last", "Últim registre", CommandIcon::Last},
    {"NB_Insert", "Insereix un registre", CommandIcon::Insert},
    {"NB_Delete", "Esborra el registre", CommandIcon::Delete},
    {"NB_Bookmark", "Anota aquest registre", CommandIcon::Bookmark},
    {"NB_GotoBookmark", "Vés al registre anotat", CommandIcon::GotoBookmark},
    {"NB_Post", "Desa els canvis del registre", CommandIcon::Post},
    {"NB_Cancel", "Cancel·la els canvis del registre", CommandIcon::Cancel},
}};

} // namespace

RecordNavigator::RecordNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(kButtons[i].name));
        const QString hint = QString::fromUtf8(kButtons[i].hint);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setIcon(commandIcon(kButtons[i].icon));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
        m_buttons[i] = b;
    }
    connect(button(Button::First), &QToolButton::clicked, this, [this] { first(); });
    connect(button(Button::Prior), &QToolButton::clicked, this, [this] { prior(); });
    connect(button(Button::Next), &QToolButton::clicked, this, [this] { next(); });
    connect(button(Button::Last), &QToolButton::clicked, this, [this] { last(); });
    connect(button(Button::Insert), &QToolButton::clicked, this, [this] { insert(); });
    connect(button(Button::Delete), &QToolButton::clicked, this, [this] { remove(); });
    connect(button(Button::Bookmark), &QToolButton::clicked, this, [this] { setBookmark(); });
    connect(button(Button::GotoBookmark), &QToolButton::clicked, this, [this] { gotoBookmark(); });
    connect(button(Button::Post), &QToolButton::clicked, this, &RecordNavigator::postClicked);
    connect(button(Button::Cancel), &QToolButton::clicked, this, &RecordNavigator::cancelClicked);
    setPostAndCancel(false);
    setEditing(false);
}

void RecordNavigator::attach(QAbstractItemView *view)
{
    for (const QMetaObject::Connection &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_view = view;
    m_bookmark = QPersistentModelIndex();
    QAbstractItemModel *model = view ? view->model() : nullptr;
    if (model) {
        const auto update = [this] { refresh(); };
        m_connections << connect(model, &QAbstractItemModel::rowsInserted, this, update)
                      << connect(model, &QAbstractItemModel::rowsRemoved, this, update)
                      << connect(model, &QAbstractItemModel::modelReset, this, update)
                      << connect(model, &QAbstractItemModel::layoutChanged, this, update);
        if (QItemSelectionModel *selection = view->selectionModel())
            m_connections << connect(selection, &QItemSelectionModel::currentChanged, this, update);
    }
    refresh();
}

void RecordNavigator::setEditing(bool editing)
{
    m_editing = editing;
    button(Button::Insert)->setVisible(editing);
    button(Button::Delete)->setVisible(editing);
    refresh();
}

void RecordNavigator::setPostAndCancel(bool shown)
{
    button(Button::Post)->setVisible(shown);
    button(Button::Cancel)->setVisible(shown);
    refresh();
}

void RecordNavigator::setEditPending(bool pending)
{
    m_editPending = pending;
    refresh();
}

int RecordNavigator::currentRow() const
{
    if (!m_view || !m_view->model())
        return -1;
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool RecordNavigator::isButtonEnabled(Button which) const
{
    return button(which)->isEnabled();
}

void RecordNavigator::refresh()
{
    const int count = m_view && m_view->model() ? m_view->model()->rowCount() : 0;
    // A table with records always has a current one.
    if (count > 0 && currentRow() < 0)
        goToRow(0);
    const int row = currentRow();
    const bool atFirst = row <= 0;
    const bool atLast = row < 0 || row >= count - 1;
    button(Button::First)->setEnabled(!atFirst);
    button(Button::Prior)->setEnabled(!atFirst);
    button(Button::Next)->setEnabled(!atLast);
    button(Button::Last)->setEnabled(!atLast);
    button(Button::Insert)->setEnabled(m_editing && m_view && m_view->model());
    button(Button::Delete)->setEnabled(m_editing && row >= 0);
    button(Button::Bookmark)->setEnabled(row >= 0);
    button(Button::GotoBookmark)->setEnabled(m_bookmark.isValid());
    button(Button::Post)->setEnabled(m_editPending);
    button(Button::Cancel)->setEnabled(m_editPending);
    Q_EMIT stateChanged();
}

void RecordNavigator::goToRow(int row)
{
    if (!m_view || !m_view->model())
        return;
    QAbstractItemModel *model = m_view->model();
    if (row < 0 || row >= model->rowCount())
        return;
    const QModelIndex current = m_view->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    const QModelIndex target = model->index(row, column);
    m_view->setCurrentIndex(target);
    m_view->scrollTo(target);
}

void RecordNavigator::first()
{
    goToRow(0);
}

void RecordNavigator::prior()
{
    goToRow(currentRow() - 1);
}

void RecordNavigator::next()
{
    goToRow(currentRow() + 1);
}

void RecordNavigator::last()
{
    if (m_view && m_view->model())
        goToRow(m_view->model()->rowCount() - 1);
}

void RecordNavigator::insert()
{
    if (!m_editing || !m_view || !m_view->model())
        return;
    const int row = std::max(currentRow(), 0);
    if (m_view->model()->insertRows(row, 1))
        goToRow(row);
    refresh();
}

void RecordNavigator::remove()
{
    const int row = currentRow();
    if (!m_editing || row < 0)
        return;
    m_view->model()->removeRows(row, 1);
    const int count = m_view->model()->rowCount();
    if (count > 0)
        goToRow(std::min(row, count - 1));
    refresh();
}

void RecordNavigator::setBookmark()
{
    if (!m_view || currentRow() < 0)
        return;
    m_bookmark = QPersistentModelIndex(m_view->model()->index(currentRow(), 0));
    refresh();
}

void RecordNavigator::gotoBookmark()
{
    if (m_bookmark.isValid())
        goToRow(m_bookmark.row());
    refresh();
}
