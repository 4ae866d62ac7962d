#pragma once

#include "files/ui/TFPresentRxDBGrid.h"

// The table window whose records may be inserted, deleted and edited in the grid: "Insereix"
// and "Esborra" in the menu "Graella" and on the navigator, "Esborra" enabled while there is a
// current record.
class TFPresEditRxDBGrid : public TFPresentRxDBGrid
{
    Q_OBJECT

public:
    explicit TFPresEditRxDBGrid(QWidget *parent = nullptr);

protected:
    void followNavigator() override;
};
