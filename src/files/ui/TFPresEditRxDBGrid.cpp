#include "files/ui/TFPresEditRxDBGrid.h"

#include "files/ui/RecordNavigator.h"

#include <QAction>
#include <QMenu>
#include <QTableView>
#include <QToolBar>

TFPresEditRxDBGrid::TFPresEditRxDBGrid(QWidget *parent) : TFPresentRxDBGrid(parent)
{
    setObjectName(QStringLiteral("TFPresEditRxDBGrid"));
    grid()->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    gridMenu()->addSeparator();
    QAction *insert =
        addCommand("A_G_Insert", QStringLiteral("Insereix"), QStringLiteral("Insereix un registre"),
                   QKeySequence(), CommandIcon::Insert, gridMenu());
    QAction *remove =
        addCommand("A_G_Delete", QStringLiteral("Esborra"), QStringLiteral("Esborra el registre"),
                   QKeySequence(), CommandIcon::Delete, gridMenu());
    // The navigator carries them on the toolbar.
    toolBar()->removeAction(insert);
    toolBar()->removeAction(remove);
    connect(insert, &QAction::triggered, navigator(), &RecordNavigator::insert);
    connect(remove, &QAction::triggered, navigator(), &RecordNavigator::remove);
    navigator()->setEditing(true);
}

void TFPresEditRxDBGrid::followNavigator()
{
    TFPresentRxDBGrid::followNavigator();
    using B = RecordNavigator::Button;
    // Until the constructor has made them, the base window's state is all there is.
    if (QAction *insert = action(QStringLiteral("A_G_Insert")))
        insert->setEnabled(navigator()->isButtonEnabled(B::Insert));
    if (QAction *remove = action(QStringLiteral("A_G_Delete")))
        remove->setEnabled(navigator()->isButtonEnabled(B::Delete));
}
