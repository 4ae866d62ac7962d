#pragma once

#include "files/TGenericFileList.h"

// A file list that keeps its names in a string list, optionally refusing a name already there
// on add, or one that is not there on remove.
class TStringFileList : public TGenericFileList
{
public:
    using TGenericFileList::TGenericFileList;

    bool CheckOnAdd = true;
    bool CheckOnRemove = true;

    qsizetype count() const override { return m_names.size(); }
    QString name(qsizetype i) const override { return m_names.at(i); }

protected:
    bool storeName(const QString &name) override;
    bool dropName(const QString &name) override;
    void clearNames() override { m_names.clear(); }

private:
    QStringList m_names;
};
