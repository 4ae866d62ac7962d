#include "files/FileListCommands.h"
#include "files/FileListItem.h"
#include "files/FileListModel.h"
#include "files/FileListReading.h"
#include "files/FileMask.h"
#include "files/NumberFormat.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

void writeFile(const QString &path, qint64 size)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(QByteArray(size, 'x'));
}

QStringList captionsOf(const std::vector<FileListItem> &items)
{
    QStringList out;
    for (const FileListItem &item : items)
        out.append(item.caption);
    return out;
}

FileListItem fileItem(const QString &name, qint64 size, FileItemKind kind = FileItemKind::File)
{
    FileListItem item;
    item.kind = kind;
    item.caption = name;
    item.sizeBytes = size;
    item.texts[4] = QStringLiteral("/x/") + name;
    item.texts[6] = QString::number(size);
    return item;
}

// A list over a folder, read on the calling thread.
struct ListFixture
{
    QTemporaryDir dir;
    FileListModel model;
    FakePrompter prompter;
    FakeShell shell;
    FileListCommands commands{model, prompter, shell};

    QString path(const QString &name) const { return dir.filePath(name); }
    int row(const QString &caption) const
    {
        for (std::size_t i = 0; i < model.items().size(); ++i)
            if (model.items()[i].caption == caption)
                return int(i);
        return -1;
    }
};

} // namespace

class FileListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captionTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isDir");
        QTest::addColumn<bool>("hide");
        QTest::addColumn<QString>("caption");
        QTest::newRow("extension hidden") << "foto.jpeg" << false << true << "foto";
        QTest::newRow("five letters hidden") << "a.abcde" << false << true << "a";
        QTest::newRow("six letters kept") << "arxiu.abcdef" << false << true << "arxiu.abcdef";
        QTest::newRow("shown when off") << "foto.jpeg" << false << false << "foto.jpeg";
        QTest::newRow("folder keeps its dot") << "dades.old" << true << true << "dades.old";
        QTest::newRow("dot file") << ".profile" << false << true << ".profile";
        QTest::newRow("no extension") << "LLEGEIX" << false << true << "LLEGEIX";
        QTest::newRow("two dots") << "a.tar.gz" << false << true << "a.tar";
    }
    void captionTexts()
    {
        QFETCH(QString, name);
        QFETCH(bool, isDir);
        QFETCH(bool, hide);
        QFETCH(QString, caption);
        QCOMPARE(fileItemCaption(name, isDir ? FileItemKind::Dir : FileItemKind::File, hide),
                 caption);
    }

    void sizeTexts_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("isDir");
        QTest::addColumn<bool>("kb");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 byte in kB") << qint64(1) << false << true << "1";
        QTest::newRow("empty in kB") << qint64(0) << false << true << "0";
        QTest::newRow("1023 in kB") << qint64(1023) << false << true << "1";
        QTest::newRow("2047 in kB") << qint64(2047) << false << true << "1";
        QTest::newRow("2048 in kB") << qint64(2048) << false << true << "2";
        QTest::newRow("bytes") << qint64(1234567) << false << false << withThousands(1234567);
        QTest::newRow("beyond 2 GB")
            << qint64(5000000000) << false << false << withThousands(5000000000);
        QTest::newRow("folder bytes") << qint64(4096) << true << false << "0";
        QTest::newRow("folder kB") << qint64(4096) << true << true << "0";
    }
    void sizeTexts()
    {
        QFETCH(qint64, size);
        QFETCH(bool, isDir);
        QFETCH(bool, kb);
        QFETCH(QString, text);
        QCOMPARE(fileSizeText(size, isDir ? FileItemKind::Dir : FileItemKind::File, kb), text);
    }

    void dateAndAttributeTexts()
    {
        const QDateTime when(QDate(2024, 3, 7), QTime(9, 5, 2));
        QCOMPARE(fileDateText(when, TDTFormat::df_ddMMyyyy, QStringLiteral("HH:mm:ss")),
                 QStringLiteral("07/03/2024 09:05:02"));
        QCOMPARE(fileDateText(when, TDTFormat::df_MMddyy, QStringLiteral("HH:mm")),
                 QStringLiteral("03/07/24 09:05"));
        QCOMPARE(fileDateText(when, TDTFormat::df_ddMMyy_DE, QStringLiteral("HH:mm")),
                 QStringLiteral("07.03.24 09:05"));
        QCOMPARE(fileDateText(when, TDTFormat::df_yyyyMMdd, QStringLiteral("HH:mm")),
                 QStringLiteral("2024-03-07 09:05"));
        QVERIFY(fileDateText(when, TDTFormat::df_Customize, QString()).contains(u' '));
        QCOMPARE(fileDateText(QDateTime(), TDTFormat::df_yyMMdd, QString()), QString());

        QCOMPARE(attributesText({true, true, false, false}), QStringLiteral("AR"));
        QCOMPARE(attributesText({true, true, true, true}), QStringLiteral("ARHS"));
        QCOMPARE(attributesText({false, false, true, false}), QStringLiteral("H"));
        QCOMPARE(attributesText({}), QString());
    }

    void itemsOfRealFiles()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("nota.txt")), 10);
        writeFile(dir.filePath(QStringLiteral(".amagat")), 3);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QFile::setPermissions(dir.filePath(QStringLiteral("nota.txt")),
                              QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        const QMimeDatabase mime;
        FileListDisplay display;
        display.timeFormatStr = QStringLiteral("HH:mm");
        display.dateFormat = TDTFormat::df_yyyyMMdd;

        const FileListItem note =
            makeFileItem(QFileInfo(dir.filePath(QStringLiteral("nota.txt"))), display, mime);
        QCOMPARE(note.caption, QStringLiteral("nota"));
        QCOMPARE(note.texts[0], QStringLiteral("txt"));
        QCOMPARE(note.texts[1], QStringLiteral("10"));
        QCOMPARE(note.texts[3], QStringLiteral("R"));
        QCOMPARE(note.texts[4], dir.filePath(QStringLiteral("nota.txt")));
        QCOMPARE(note.texts[5], QStringLiteral("file"));
        QCOMPARE(note.texts[6], QStringLiteral("10"));
        QVERIFY(note.texts[2].startsWith(QDate::currentDate().toString(u"yyyy-MM-dd")));

        display.typeName = true;
        const FileListItem typed =
            makeFileItem(QFileInfo(dir.filePath(QStringLiteral("nota.txt"))), display, mime);
        QCOMPARE(
            typed.texts[0],
            mime.mimeTypeForFile(QStringLiteral("x.txt"), QMimeDatabase::MatchExtension).comment());

        const FileListItem hidden =
            makeFileItem(QFileInfo(dir.filePath(QStringLiteral(".amagat"))), display, mime);
        QCOMPARE(hidden.texts[3], QStringLiteral("H"));

        const FileListItem sub =
            makeFileItem(QFileInfo(dir.filePath(QStringLiteral("sub"))), display, mime);
        QCOMPARE(sub.texts[0], QString());
        QCOMPARE(sub.texts[1], QStringLiteral("0"));
        QCOMPARE(sub.texts[5], QStringLiteral("dir"));
        QCOMPARE(sub.texts[6], QStringLiteral("0"));

        const FileListItem parent = makeParentItem(dir.filePath(QStringLiteral("sub")));
        QCOMPARE(parent.caption, QStringLiteral(" Carpeta contenidora"));
        QCOMPARE(parent.path(), dir.path());
    }

    void driveItems_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QString>("typeText");
        QTest::addColumn<QString>("totalText");
        QTest::newRow("fixed") << int(DriveType::Fixed) << qint64(250) * 1000 * 1024 * 1024
                               << "Disc fixe" << withThousands(256000) + QStringLiteral(" Mb");
        QTest::newRow("small") << int(DriveType::Fixed) << qint64(900 * 1024) << "Disc fixe"
                               << "0 Mb";
        QTest::newRow("just one Mb") << int(DriveType::RamDisk) << qint64(1000 * 1024) << "Disc RAM"
                                     << "1 Mb";
        QTest::newRow("removable not asked")
            << int(DriveType::Removable) << qint64(1) << "Disc removible"
            << "0 Mb";
        QTest::newRow("cd not asked")
            << int(DriveType::CdRom) << qint64(700) * 1024 * 1024 << "CD-ROM"
            << "0 Mb";
        QTest::newRow("network") << int(DriveType::Remote) << qint64(0) << "Disc en Network"
                                 << "0 Mb";
        QTest::newRow("unknown") << int(DriveType::Unknown) << qint64(0) << "Desconegut"
                                 << "0 Mb";
        QTest::newRow("no root") << int(DriveType::NoRoot) << qint64(0) << "No existeix"
                                 << "0 Mb";
    }
    void driveItems()
    {
        QFETCH(int, type);
        QFETCH(qint64, total);
        QFETCH(QString, typeText);
        QFETCH(QString, totalText);
        VolumeEntry v;
        v.root = QStringLiteral("/media/usb");
        v.displayName = QStringLiteral("DADES (sdb1)");
        v.type = DriveType(type);
        v.totalBytes = total;
        v.freeBytes = total;
        const FileListItem item = makeDriveItem(v);
        QCOMPARE(item.caption, QStringLiteral(" (/media/usb)  DADES "));
        QCOMPARE(item.texts[0], typeText);
        QCOMPARE(item.texts[1], totalText);
        QCOMPARE(item.texts[2], totalText);
        QCOMPARE(item.texts[3], QString());
        QCOMPARE(item.texts[4], QStringLiteral("/media/usb/"));
        QCOMPARE(item.texts[5], QStringLiteral("drv"));
    }

    void systemVolumes()
    {
        const std::vector<VolumeEntry> volumes = listVolumes();
        QVERIFY(!volumes.empty());
        QCOMPARE(volumes.front().root, QStringLiteral("/"));
        QStringList roots;
        for (const VolumeEntry &v : volumes) {
            QVERIFY(!roots.contains(v.root));
            roots.append(v.root);
        }
    }

    void masks_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");
        QTest::newRow("all") << "*.*"
                             << "a.htm" << true;
        QTest::newRow("all without extension") << "*.*"
                                               << "LLEGEIX" << true;
        QTest::newRow("htm exact") << "*.htm"
                                   << "a.htm" << true;
        QTest::newRow("htm not html") << "*.htm"
                                      << "a.html" << false;
        QTest::newRow("case ignored") << "*.JPG"
                                      << "foto.jpg" << true;
        QTest::newRow("second pattern") << "*.gif;*.jpg"
                                        << "a.jpg" << true;
        QTest::newRow("spaces around") << " *.gif ; *.jpg "
                                       << "a.jpg" << true;
        QTest::newRow("question mark") << "?.txt"
                                       << "a.txt" << true;
        QTest::newRow("question mark is one") << "?.txt"
                                              << "ab.txt" << false;
        QTest::newRow("wild extension") << "*.h*"
                                        << "a.html" << true;
        QTest::newRow("prefix") << "img*.*"
                                << "IMG001.png" << true;
        QTest::newRow("prefix misses") << "img*.*"
                                       << "foto.png" << false;
        QTest::newRow("empty mask") << ""
                                    << "a.txt" << false;
        QTest::newRow("star in name") << "*.txt"
                                      << "a*b.txt" << true;
        QTest::newRow("name with newline") << "*.txt"
                                           << "a\nb.txt" << true;
        QTest::newRow("many stars") << "*a*a*a*a*.*"
                                    << "aaaaaaaaaaaaaaaaaaaaaaaaaab" << true;
    }
    void masks()
    {
        QFETCH(QString, mask);
        QFETCH(QString, name);
        QFETCH(bool, taken);
        QCOMPARE(FileMask(mask).matches(name), taken);
    }

    void filters()
    {
        const QDateTime day(QDate(2024, 5, 10), QTime(12, 0));
        FileListFilter f;
        QVERIFY(f.passes({}, 10, day));
        QVERIFY(!f.passes({false, false, true, false}, 10, day)); // hidden left out by default
        f.ftHidden = TPropertyPresent::ppIgnore;
        QVERIFY(f.passes({false, false, true, false}, 10, day));
        f.ftReadOnly = TPropertyPresent::ppYes;
        QVERIFY(!f.passes({}, 10, day));
        QVERIFY(f.passes({false, true, false, false}, 10, day));
        f.ftReadOnly = TPropertyPresent::ppIgnore;
        f.ftArchive = TPropertyPresent::ppYes; // never set here: nothing passes
        QVERIFY(!f.passes({}, 10, day));
        f.ftArchive = TPropertyPresent::ppIgnore;

        f.SizeMin = 10;
        f.SizeMax = 20;
        QVERIFY(!f.passes({}, 9, day));
        QVERIFY(f.passes({}, 10, day));
        QVERIFY(f.passes({}, 20, day));
        QVERIFY(!f.passes({}, 21, day));
        f.SizeMin = f.SizeMax = -1;

        f.DateMin = day.addDays(-1);
        f.DateMax = day.addDays(1);
        QVERIFY(f.passes({}, 1, day));
        QVERIFY(!f.passes({}, 1, day.addDays(-2)));
        QVERIFY(!f.passes({}, 1, day.addDays(2)));
    }

    void readingAFolder()
    {
        QTemporaryDir dir;
        const QDir d(dir.path());
        QVERIFY(d.mkdir(QStringLiteral("Fotos")));
        QVERIFY(d.mkdir(QStringLiteral(".config")));
        writeFile(dir.filePath(QStringLiteral("a.htm")), 1);
        writeFile(dir.filePath(QStringLiteral("a.html")), 1);
        writeFile(dir.filePath(QStringLiteral("b.htm")), 1);
        writeFile(dir.filePath(QStringLiteral("c.HTM")), 1);
        writeFile(dir.filePath(QStringLiteral(".ocult.htm")), 1);

        FileListSettings s;
        s.Mask = QStringLiteral("*.htm;*.HTM");
        s.MaskExc = QStringLiteral("b.*");
        std::vector<FileListItem> items = readFolderItems(dir.path(), s);
        sortFileItems(items, {});
        QCOMPARE(captionsOf(items),
                 (QStringList{QStringLiteral(" Carpeta contenidora"), QStringLiteral("Fotos"),
                              QStringLiteral("a"), QStringLiteral("c")}));

        s.ShowHideFolders = true;
        s.filter.ftHidden = TPropertyPresent::ppIgnore;
        s.display.hideFileExt = false;
        s.MaskExc.clear();
        items = readFolderItems(dir.path(), s);
        sortFileItems(items, {});
        QCOMPARE(captionsOf(items),
                 (QStringList{QStringLiteral(" Carpeta contenidora"), QStringLiteral(".config"),
                              QStringLiteral("Fotos"), QStringLiteral(".ocult.htm"),
                              QStringLiteral("a.htm"), QStringLiteral("b.htm"),
                              QStringLiteral("c.HTM")}));

        s.ShowFolders = false;
        items = readFolderItems(dir.path(), s);
        QCOMPARE(items.size(), std::size_t(4));

        QVERIFY(readFolderItems(dir.filePath(QStringLiteral("nowhere")), s).empty());
        // A folder without read permission lists nothing, unless the process may read
        // everything anyway (run by the administrator).
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("Fotos")),
                                      QFileDevice::Permissions()));
        const bool readable = QDir(dir.filePath(QStringLiteral("Fotos"))).isReadable();
        FileListSettings withFolders = s;
        withFolders.ShowFolders = true;
        const std::size_t inLocked =
            readFolderItems(dir.filePath(QStringLiteral("Fotos")), withFolders).size();
        QCOMPARE(inLocked, readable ? std::size_t(1) : std::size_t(0)); // ".." only when readable
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("Fotos")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner));
        // The root has no parent entry.
        s.ShowFolders = true;
        s.Mask = QStringLiteral("no-such-file.none");
        for (const FileListItem &item : readFolderItems(QStringLiteral("/"), s))
            QVERIFY(!item.isParent);
    }

    // Odd names, links that go round in circles and dangling links are listed like any other
    // entry and never followed further.
    void readingOddEntries()
    {
        QTemporaryDir dir;
        const QStringList odd{QStringLiteral("amb espais.txt"), QStringLiteral("\"cometes\".txt"),
                              QStringLiteral("estel*.txt"), QStringLiteral("línia\nnova.txt")};
        for (const QString &name : odd)
            writeFile(dir.filePath(name), 2);
        const QByteArray raw = QFile::encodeName(dir.path()) + "/bytes-\xff\xfe.txt";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("loop")),
                            dir.filePath(QStringLiteral("loop"))));
        QVERIFY(QFile::link(dir.path(), dir.filePath(QStringLiteral("jo"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("absent")),
                            dir.filePath(QStringLiteral("penjat.txt"))));

        FileListSettings s;
        s.display.hideFileExt = false;
        const std::vector<FileListItem> items = readFolderItems(dir.path(), s);
        const QStringList names = captionsOf(items);
        QVERIFY(::unlink(raw.constData()) == 0); // Qt cannot name it to remove it
        for (const QString &name : odd)
            QVERIFY2(names.contains(name), qPrintable(name));
        QVERIFY(names.contains(QStringLiteral("loop")));
        QVERIFY(names.contains(QStringLiteral("jo")));
        QVERIFY(names.contains(QStringLiteral("penjat.txt")));
        // A name that is not UTF-8 cannot be carried by Qt's file functions: the reading passes it
        // by without harm to the rest (links + parent entry besides the odd names).
        QCOMPARE(items.size(), std::size_t(odd.size() + 3 + 1));
        for (const FileListItem &item : items)
            if (item.caption == QStringLiteral("penjat.txt"))
                QCOMPARE(item.texts[1], QStringLiteral("0"));
    }

    void sorting()
    {
        FileListItem parent = makeParentItem(QStringLiteral("/x/y"));
        std::vector<FileListItem> items{fileItem(QStringLiteral("b"), 300),
                                        fileItem(QStringLiteral("Zeta"), 0, FileItemKind::Dir),
                                        fileItem(QStringLiteral("a"), 100),
                                        parent,
                                        fileItem(QStringLiteral("alfa"), 0, FileItemKind::Dir),
                                        fileItem(QStringLiteral("C"), 200)};
        FileListSortOrder order;
        sortFileItems(items, order);
        QCOMPARE(captionsOf(items),
                 (QStringList{parent.caption, QStringLiteral("alfa"), QStringLiteral("Zeta"),
                              QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("C")}));
        // First click on "Mida": larger files first, folders still first and by name.
        order = clickedSortOrder(order, FileListColumn::Size);
        QVERIFY(order.toggled);
        sortFileItems(items, order);
        QCOMPARE(captionsOf(items),
                 (QStringList{parent.caption, QStringLiteral("alfa"), QStringLiteral("Zeta"),
                              QStringLiteral("b"), QStringLiteral("C"), QStringLiteral("a")}));
        order = clickedSortOrder(order, FileListColumn::Size);
        QVERIFY(!order.toggled);
        sortFileItems(items, order);
        QCOMPARE(captionsOf(items),
                 (QStringList{parent.caption, QStringLiteral("alfa"), QStringLiteral("Zeta"),
                              QStringLiteral("a"), QStringLiteral("C"), QStringLiteral("b")}));
        // With OtherSortDir the folders follow the direction too, the parent entry excepted.
        order = {FileListColumn::Name, true, true};
        sortFileItems(items, order);
        QCOMPARE(captionsOf(items), (QStringList{parent.caption, QStringLiteral("C"),
                                                 QStringLiteral("b"), QStringLiteral("a"),
                                                 QStringLiteral("Zeta"), QStringLiteral("alfa")}));

        // Times less than 864 ms apart are the same time.
        FileListItem early = fileItem(QStringLiteral("x"), 1);
        FileListItem late = fileItem(QStringLiteral("y"), 1);
        early.modified = QDateTime(QDate(2024, 1, 1), QTime(10, 0, 0));
        late.modified = early.modified.addMSecs(800);
        const FileListSortOrder byTime{FileListColumn::Modified, false, false};
        QCOMPARE(compareFileItems(early, late, byTime), 0);
        late.modified = early.modified.addSecs(2);
        QVERIFY(compareFileItems(early, late, byTime) < 0);

        // The drive list keeps its order.
        std::vector<FileListItem> drives{
            makeDriveItem({QStringLiteral("/"), QStringLiteral("z")}),
            makeDriveItem({QStringLiteral("/a"), QStringLiteral("a")})};
        sortFileItems(drives, {FileListColumn::Name, true, false});
        QCOMPARE(drives.front().path(), QStringLiteral("/"));
    }

    void settingTheDirectory()
    {
        QTemporaryDir dir;
        FileListModel model;
        model.volumeSource = [] {
            return std::vector<VolumeEntry>{
                {QStringLiteral("/"), QStringLiteral("arrel"), DriveType::Fixed, 1 << 30, 1 << 29}};
        };
        QSignalSpy changed(&model, &FileListModel::OnChangeDirectory);
        QCOMPARE(model.Directory(), QStringLiteral("Dispositiu"));
        QVERIFY(!model.setDirectory(QStringLiteral("DISPOSITIU")));
        QVERIFY(!model.setDirectory(dir.filePath(QStringLiteral("nowhere"))));
        QCOMPARE(changed.count(), 0);
        QVERIFY(model.setDirectory(dir.path()));
        QCOMPARE(model.Directory(), dir.path() + QLatin1Char('/'));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!model.setDirectory(dir.path() + QLatin1Char('/')));
        QVERIFY(model.setDirectory(QStringLiteral("dispositiu")));
        QVERIFY(model.isDriveList());
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Mida disc"));
        // Header clicks do nothing on the drive list.
        model.clickColumn(2);
        QCOMPARE(model.sortOrder().column, FileListColumn::Name);

        // Inactive lists do not read; activating reads.
        model.setActive(false);
        QVERIFY(model.setDirectory(dir.path()));
        QCOMPARE(model.rowCount(), 1); // still the old rows
        model.setActive(true);
        QCOMPARE(model.rowCount(), 1); // the parent entry
        QVERIFY(model.item(0)->isParent);
    }

    void listingOnAThreadAndFollowingChanges()
    {
        QTemporaryDir dir;
        for (int i = 0; i < 50; ++i)
            writeFile(dir.filePath(QStringLiteral("f%1.txt").arg(i)), i);
        FileListModel model;
        model.setAsynchronous(true);
        QSignalSpy finished(&model, &FileListModel::listingFinished);
        model.setDirectory(dir.path());
        QVERIFY(finished.wait(5000));
        QCOMPARE(model.rowCount(), 51);

        // A change on disk is merged in, and a row kept (its persistent index follows it).
        const QPersistentModelIndex kept =
            model.index(model.rowOfPath(dir.filePath(QStringLiteral("f7.txt"))), 0);
        writeFile(dir.filePath(QStringLiteral("a-new.txt")), 1);
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("f3.txt"))));
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 51, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(model.rowOfPath(dir.filePath(QStringLiteral("a-new.txt"))) >= 0,
                                 5000);
        QVERIFY(kept.isValid());
        QCOMPARE(kept.data().toString(), QStringLiteral("f7"));
        QCOMPARE(model.item(1)->caption, QStringLiteral("a-new"));

        // The folder itself removed while shown: the list empties, nothing breaks.
        QVERIFY(QDir(dir.path()).removeRecursively());
        QTRY_COMPARE_WITH_TIMEOUT(model.rowCount(), 0, 5000);
        // A listing under way when the list goes away is waited for.
        auto doomed = std::make_unique<FileListModel>();
        doomed->setAsynchronous(true);
        doomed->setDirectory(QStringLiteral("/usr/bin"));
        doomed.reset();
    }

    void goingUpAndOpening()
    {
        ListFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Dades")));
        writeFile(f.path(QStringLiteral("doc.odt")), 4);
        QSignalSpy opened(&f.commands, &FileListCommands::folderOpened);
        f.model.setDirectory(f.dir.path());
        f.commands.OpenItem(f.row(QStringLiteral("Dades")));
        QCOMPARE(f.model.Directory(), f.path(QStringLiteral("Dades/")));
        QCOMPARE(opened.takeFirst().at(0).toString(), f.path(QStringLiteral("Dades")));
        f.commands.OpenItem(f.row(QStringLiteral(" Carpeta contenidora")));
        QCOMPARE(f.model.Directory(), f.dir.path() + QLatin1Char('/'));
        QCOMPARE(opened.takeFirst().at(0).toString(), f.dir.path());

        f.commands.OpenItem(f.row(QStringLiteral("doc")));
        QCOMPARE(f.shell.paths(FakeShell::Request::OpenDocument),
                 QStringList{f.path(QStringLiteral("doc.odt"))});

        f.model.setDirectory(QStringLiteral("/"));
        f.commands.GoUp();
        QVERIFY(f.model.isDriveList());

        QCOMPARE(FileListCommands::driveReady(QStringLiteral("/no/such/volume")).error(),
                 QString::fromUtf8("No és un identificador vàlid per a un dispositiu"));
        QVERIFY(FileListCommands::driveReady(QStringLiteral("/")).ok());
    }

    void viewing()
    {
        ListFixture f;
        writeFile(f.path(QStringLiteral("nota.TXT")), 1);
        writeFile(f.path(QStringLiteral("carta.rtf")), 1);
        writeFile(f.path(QStringLiteral("foto.png")), 1);
        f.model.setDirectory(f.dir.path());
        f.commands.ViewItem(f.row(QStringLiteral("nota")));
        f.commands.ViewItem(f.row(QStringLiteral("carta")));
        f.commands.ViewItem(f.row(QStringLiteral("foto")));
        QCOMPARE(f.shell.paths(FakeShell::Request::OpenInTextEditor),
                 QStringList{f.path(QStringLiteral("nota.TXT"))});
        QCOMPARE(f.shell.paths(FakeShell::Request::OpenDocument),
                 QStringList{f.path(QStringLiteral("carta.rtf"))});
        f.shell.results.push_back(Fallible<void>::failure(QStringLiteral("cap motiu")));
        f.commands.ViewItem(f.row(QStringLiteral("nota")));
        QVERIFY(f.prompter.anyContains(QStringLiteral("cap motiu")));
    }

    void renaming_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QString>("result");
        QTest::newRow("hidden extension kept") << "foto.jpeg"
                                               << "foto"
                                               << "viatge"
                                               << "viatge.jpeg";
        QTest::newRow("long extension edited") << "arxiu.abcdef"
                                               << "arxiu.abcdef"
                                               << "nou.abcdef"
                                               << "nou.abcdef";
        QTest::newRow("case only is a rename here") << "foto.jpeg"
                                                    << "foto"
                                                    << "FOTO"
                                                    << "FOTO.jpeg";
        QTest::newRow("quotes and stars") << "a.txt"
                                          << "a"
                                          << "\"b\" *"
                                          << "\"b\" *.txt";
    }
    void renaming()
    {
        QFETCH(QString, file);
        QFETCH(QString, caption);
        QFETCH(QString, edited);
        QFETCH(QString, result);
        ListFixture f;
        writeFile(f.path(file), 5);
        f.model.setDirectory(f.dir.path());
        QSignalSpy renamed(&f.commands, &FileListCommands::OnRenameItem);
        QVERIFY(f.commands.RenameItem(f.row(caption), edited));
        QVERIFY(QFileInfo::exists(f.path(result)));
        QVERIFY(!QFileInfo::exists(f.path(file)));
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed.at(0).at(0).toBool(), false);
        QCOMPARE(renamed.at(0).at(1).toString(), f.path(file));
        QCOMPARE(renamed.at(0).at(2).toString(), f.path(result));
        QVERIFY(f.row(fileItemCaption(result, FileItemKind::File, true)) >= 0);
    }

    void renamingRefused()
    {
        ListFixture f;
        writeFile(f.path(QStringLiteral("a.txt")), 1);
        writeFile(f.path(QStringLiteral("b.txt")), 1);
        writeFile(f.path(QStringLiteral("fix.txt")), 1);
        QFile::setPermissions(f.path(QStringLiteral("fix.txt")), QFileDevice::ReadOwner);
        f.model.setDirectory(f.dir.path());
        QSignalSpy renamed(&f.commands, &FileListCommands::OnRenameItem);

        QVERIFY(!f.commands.RenameItem(f.row(QStringLiteral("a")), QStringLiteral("b")));
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("\"b.txt\" ja exiteix!")});
        QVERIFY(!f.commands.RenameItem(f.row(QStringLiteral("a")), QStringLiteral("a")));
        QCOMPARE(f.prompter.shown.size(), std::size_t(1));

        // A read-only file shows "R" and may not be renamed.
        QCOMPARE(f.model.item(f.row(QStringLiteral("fix")))->texts[3], QStringLiteral("R"));
        QCOMPARE(f.commands.checkRenamable(f.row(QStringLiteral("fix"))).error(),
                 QString::fromUtf8("És de sols lectura"));
        f.prompter.clear();
        QVERIFY(!f.commands.RenameItem(f.row(QStringLiteral("fix")), QStringLiteral("z")));
        QCOMPARE(f.prompter.texts(), QStringList{QString::fromUtf8("És de sols lectura")});
        f.model.setReadOnly(true);
        QVERIFY(!f.commands.checkRenamable(f.row(QStringLiteral("a"))).ok());
        f.model.setReadOnly(false);

        // Names that would leave the folder or cannot be file names.
        for (const QString &bad :
             {QStringLiteral("../fora"), QStringLiteral(""), QStringLiteral(".."),
              QStringLiteral("x/y"), QStringLiteral("a\nb")}) {
            f.prompter.clear();
            QVERIFY(!f.commands.RenameItem(f.row(QStringLiteral("a")), bad));
            QCOMPARE(f.prompter.shown.size(), std::size_t(1));
        }
        QCOMPARE(renamed.count(), 0);
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("a.txt"))));
    }

    void renamingAFolderFollows()
    {
        ListFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("vell")));
        f.model.setDirectory(f.dir.path());
        QSignalSpy changed(&f.commands, &FileListCommands::folderChanged);
        QVERIFY(f.commands.RenameItem(f.row(QStringLiteral("vell")), QStringLiteral("nou")));
        QVERIFY(QFileInfo(f.path(QStringLiteral("nou"))).isDir());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<FolderChange>(), FolderChange::Renamed);
        QCOMPARE(changed.at(0).at(2).toString(), f.path(QStringLiteral("nou")));
    }

    void deleteFiresInOrder()
    {
        ListFixture f;
        writeFile(f.path(QStringLiteral("a.txt")), 1);
        writeFile(f.path(QStringLiteral("b.txt")), 1);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("c")));
        f.model.setDirectory(f.dir.path());
        QStringList events;
        connect(&f.commands, &FileListCommands::BeforeDeleteItems, this,
                [&] { events << QStringLiteral("before"); });
        connect(&f.commands, &FileListCommands::OnDeleteItem, this,
                [&](bool isDir, const QString &name) {
                    events << (isDir ? QStringLiteral("dir ") : QStringLiteral("file ")) +
                                  QFileInfo(name).fileName();
                });
        connect(&f.commands, &FileListCommands::AfterDeleteItems, this,
                [&] { events << QStringLiteral("after"); });
        QSignalSpy changed(&f.commands, &FileListCommands::folderChanged);

        f.commands.CopyItems({f.row(QStringLiteral("a"))});
        QCOMPARE(f.commands.clipboard().names.size(), 1);
        f.commands.DeleteItems({f.row(QStringLiteral("a")), f.row(QStringLiteral("b"))});
        QCOMPARE(events, (QStringList{QStringLiteral("before"), QStringLiteral("file a.txt"),
                                      QStringLiteral("file b.txt"), QStringLiteral("after")}));
        QCOMPARE(f.shell.paths(FakeShell::Request::MoveToTrash),
                 (QStringList{f.path(QStringLiteral("a.txt")), f.path(QStringLiteral("b.txt"))}));
        QVERIFY(f.commands.clipboard().names.isEmpty()); // a delete empties the clipboard
        QCOMPARE(changed.count(), 0);

        // A failed item fires nothing of its own, the rest goes on, and a folder is followed.
        events.clear();
        f.shell.results.push_back(Fallible<void>::failure(QStringLiteral("no es pot")));
        f.commands.DeleteItems({f.row(QStringLiteral("a")), f.row(QStringLiteral("c"))});
        QCOMPARE(events, (QStringList{QStringLiteral("before"), QStringLiteral("dir c"),
                                      QStringLiteral("after")}));
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("no es pot")});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<FolderChange>(), FolderChange::Deleted);

        // A failure the trash gives no words for is still reported.
        f.prompter.clear();
        f.shell.results.push_back(Fallible<void>::failure(QString()));
        f.commands.DeleteItems({f.row(QStringLiteral("b"))});
        QCOMPARE(f.prompter.shown.size(), std::size_t(1));
        QVERIFY(f.prompter.shown.front().text.startsWith(QStringLiteral("No es pot esborrar")));
    }

    void clipboardCutCopyPaste()
    {
        ListFixture f;
        writeFile(f.path(QStringLiteral("a.txt")), 3);
        writeFile(f.path(QStringLiteral("b.txt")), 4);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("carpeta")));
        f.model.setDirectory(f.dir.path());

        f.commands.CopyItems({f.row(QStringLiteral("a")), f.row(QStringLiteral("b")),
                              f.row(QStringLiteral("carpeta"))});
        QCOMPARE(f.prompter.texts(),
                 QStringList{QStringLiteral(
                     "Les carpetes no poden ser retallades o copiades en aquest component")});
        QCOMPARE(f.commands.clipboard().names,
                 (QStringList{f.path(QStringLiteral("a.txt")), f.path(QStringLiteral("b.txt"))}));
        QCOMPARE(f.commands.clipboard().mode, ClipboardMode::Copy);

        // Pasting into the files' own folder copies nothing onto itself.
        std::vector<QStringList> transfers;
        f.commands.transferFiles = [&](const QStringList &files, const QString &, TFileAction) {
            transfers.push_back(files);
        };
        f.commands.PasteFiles();
        QVERIFY(transfers.empty());
        QVERIFY(f.commands.clipboard().names.isEmpty());
    }

    void pasteAndSendCopyOrMove()
    {
        ListFixture f;
        QTemporaryDir other;
        writeFile(f.path(QStringLiteral("a.txt")), 3);
        writeFile(f.path(QStringLiteral("b.txt")), 4);
        writeFile(other.filePath(QStringLiteral("b.txt")), 9);
        f.model.setDirectory(f.dir.path());

        f.commands.CutItems({f.row(QStringLiteral("a"))});
        f.model.setDirectory(other.path());
        f.commands.PasteFiles();
        QVERIFY(QFileInfo::exists(other.filePath(QStringLiteral("a.txt"))));
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("a.txt"))));
        QVERIFY(f.row(QStringLiteral("a")) >= 0); // re-read
        QVERIFY(f.commands.clipboard().names.isEmpty());

        f.commands.PasteFiles();
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("No hi ha cap arxiu seleccionat")});
        f.prompter.clear();

        // Sending to a folder copies, never over a file already there.
        f.model.setDirectory(f.dir.path());
        f.commands.CopyItems({f.row(QStringLiteral("b"))});
        f.commands.SendToFolder({f.row(QStringLiteral("b"))}, other.path());
        QCOMPARE(QFileInfo(other.filePath(QStringLiteral("b.txt"))).size(), 9);
        QCOMPARE(f.prompter.texts(), QStringList{QStringLiteral("\"b.txt\" ja exiteix!")});
        QVERIFY(f.commands.clipboard().names.isEmpty()); // sending empties the clipboard too
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("b.txt"))));

        QCOMPARE(f.commands.pathsAsText({f.row(QStringLiteral("b"))}),
                 f.path(QStringLiteral("b.txt")));
    }

    void newFolder()
    {
        ListFixture f;
        f.model.setDirectory(f.dir.path());
        QSignalSpy changed(&f.commands, &FileListCommands::folderChanged);
        QVERIFY(f.commands.NewFolder(QStringLiteral("Nova")));
        QVERIFY(QFileInfo(f.path(QStringLiteral("Nova"))).isDir());
        QVERIFY(f.row(QStringLiteral("Nova")) >= 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<FolderChange>(), FolderChange::Created);

        QVERIFY(!f.commands.NewFolder(QStringLiteral("Nova")));
        QCOMPARE(f.prompter.texts(),
                 (QStringList{QStringLiteral("\"Nova\" ja exiteix!"),
                              f.path(QStringLiteral("Nova")) + QStringLiteral(" ja existia")}));
        f.prompter.clear();
        QVERIFY(!f.commands.NewFolder(QStringLiteral("a/b")));
        QCOMPARE(f.prompter.shown.size(), std::size_t(1));
        QCOMPARE(changed.count(), 1);

        f.model.setDirectory(QStringLiteral("Dispositiu"));
        QVERIFY(!f.commands.NewFolder(QStringLiteral("x")));
    }

    void attributes()
    {
        ListFixture f;
        writeFile(f.path(QStringLiteral("a.txt")), 1);
        f.model.setDirectory(f.dir.path());
        QVERIFY(
            f.commands.WriteAttributes(f.row(QStringLiteral("a")), {false, true, false, false}));
        QCOMPARE(f.model.item(f.row(QStringLiteral("a")))->texts[3], QStringLiteral("R"));
        // Nothing changed: nothing written.
        QVERIFY(
            !f.commands.WriteAttributes(f.row(QStringLiteral("a")), {false, true, false, false}));
        QVERIFY(f.commands.WriteAttributes(f.row(QStringLiteral("a")), {}));
        QCOMPARE(f.model.item(f.row(QStringLiteral("a")))->texts[3], QString());
    }

    void clipboardContentKinds()
    {
        QCOMPARE(FileListCommands::clipboardContentKind(QStringLiteral("a.BMP")),
                 ClipboardContent::Picture);
        QCOMPARE(FileListCommands::clipboardContentKind(QStringLiteral("a.wmf")),
                 ClipboardContent::Metafile);
        QCOMPARE(FileListCommands::clipboardContentKind(QStringLiteral("a.rtf")),
                 ClipboardContent::RichText);
        QCOMPARE(FileListCommands::clipboardContentKind(QStringLiteral("a.pas")),
                 ClipboardContent::Text);
        QCOMPARE(FileListCommands::clipboardContentKind(QStringLiteral("a.zip")),
                 ClipboardContent::None);
    }
};

QTEST_GUILESS_MAIN(FileListTest)
#include "FileListTest.moc"
