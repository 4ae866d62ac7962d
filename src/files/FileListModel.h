#pragma once

#include "files/FileListReading.h"

#include <QAbstractTableModel>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

// The rows of an explorer file list: one folder's items, or the volumes for the drive-list text
// "Dispositiu", sorted by the list's rules, in the five report columns. Folders are read on a
// thread of their own when `setAsynchronous` is on, so a large folder never holds up the event
// loop; the shown folder is watched and its changes merged in without losing the selection.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit FileListModel(QObject *parent = nullptr);
    ~FileListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // An edited caption is not stored: `captionEdited` asks for the rename.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    const std::vector<FileListItem> &items() const { return m_items; }
    const FileListItem *item(int row) const;
    int rowOfPath(const QString &path) const;

    // The folder with a trailing separator, or "Dispositiu".
    const QString &Directory() const { return m_directory; }
    bool isDriveList() const { return isDriveListText(m_directory); }
    // Shows `folder` (or the drive list). Nothing happens when it is the folder shown (letter
    // case ignored) or a folder that does not exist; returns whether the folder changed.
    bool setDirectory(const QString &folder);

    bool Active() const { return m_active; }
    void setActive(bool on);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    const FileListSettings &settings() const { return m_settings; }
    // Changing anything that decides the listing re-reads it.
    void setSettings(const FileListSettings &settings);

    const FileListSortOrder &sortOrder() const { return m_order; }
    void setOtherSortDir(bool on);
    // A click on a column header; ignored while the drive list is shown.
    void clickColumn(int column);

    // Reads the folder (or drive list) again; nothing while inactive.
    void Reread();
    // Whether a reading is under way on the listing thread.
    bool isReading() const { return m_reading; }
    void setAsynchronous(bool on) { m_async = on; }

    // Where the drive list comes from (tests give their own volumes).
    std::function<std::vector<VolumeEntry>()> volumeSource = listVolumes;
    // The icon of an item, from the windows' icon provider; none in core.
    std::function<QIcon(const FileListItem &)> iconFor;

Q_SIGNALS:
    void OnChangeDirectory();
    // A listing was put in place (after a re-read, or a change on disk merged in).
    void listingFinished();
    void captionEdited(const QString &path, const QString &caption);

private:
    enum class Apply { Replace, Merge };
    void startReading(Apply how);
    void apply(std::vector<FileListItem> items, Apply how, const QString &folder);
    void mergeIn(std::vector<FileListItem> fresh);
    void resort();
    void watchDirectory();
    void stopWorkers();

    struct Job;
    std::vector<FileListItem> m_items;
    QString m_directory;
    QString m_shownFolder; // the folder the rows belong to
    bool m_active = true;
    bool m_readOnly = false;
    bool m_async = false;
    bool m_reading = false;
    FileListSettings m_settings;
    FileListSortOrder m_order;
    quint64 m_generation = 0;
    std::vector<std::pair<QThread *, std::shared_ptr<Job>>> m_workers;
    QFileSystemWatcher m_watcher;
    QTimer m_changeTimer;
};
