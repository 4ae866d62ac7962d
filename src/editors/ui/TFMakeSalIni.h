#pragma once

#include "editors/ui/TFEditSAL0.h"

// The editor of a generated quiz's accessory slides: the slide list editor without saving, on
// the slides before the questions or after them. After the questions a first slide may be a
// list, a program or a document to open.
class TFMakeSalIni : public TFEditSAL0
{
    Q_OBJECT

public:
    enum class Group { First, Last };

    // `addTitle`: an empty group gets a title slide as soon as the editor opens.
    TFMakeSalIni(EditorServices &services, Group group, const QStringList &lines, bool addTitle,
                 QWidget *parent = nullptr);

    Group group() const { return m_group; }

protected:
    int helpContext() const override;
    void showEvent(QShowEvent *event) override;

private:
    Group m_group;
    bool m_addTitle;
};
