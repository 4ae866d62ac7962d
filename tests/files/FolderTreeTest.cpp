#include "files/FolderBranch.h"
#include "files/FolderDrives.h"
#include "files/FolderTreeModel.h"
#include "files/FolderTreeTexts.h"
#include "files/TreeFind.h"
#include "files/TreeWalk.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <initializer_list>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList strings(std::initializer_list<const char *> items)
{
    QStringList out;
    for (const char *s : items)
        out << QString::fromUtf8(s);
    return out;
}

void makeFolders(const QString &base, std::initializer_list<const char *> relative)
{
    for (const char *r : relative)
        QVERIFY(QDir(base).mkpath(QString::fromUtf8(r)));
}

void writeFile(const QString &path, qsizetype bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(QByteArray(bytes, 'x')), bytes);
}

// A plain tree built from indented lines ("a", "\tb"), and the captions of the expanded nodes.
struct PlainTree
{
    QStandardItemModel model;
    QSet<QString> expanded;

    explicit PlainTree(std::initializer_list<const char *> text)
    {
        const QStringList lines = strings(text);
        std::vector<QStandardItem *> stack;
        for (const QString &line : lines) {
            const qsizetype depth = line.size() - QString(line).remove(QLatin1Char('\t')).size();
            auto *item = new QStandardItem(line.trimmed());
            stack.resize(size_t(depth));
            if (stack.empty())
                model.appendRow(item);
            else
                stack.back()->appendRow(item);
            stack.push_back(item);
        }
    }
    void setExpanded(std::initializer_list<const char *> captions)
    {
        expanded.clear();
        for (const QString &c : strings(captions))
            expanded.insert(c);
    }
    QModelIndex find(const QString &caption) const
    {
        const QModelIndexList found = model.match(model.index(0, 0), Qt::DisplayRole, caption, 1,
                                                  Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    IsExpandedFn isExpanded() const
    {
        return [this](const QModelIndex &i) { return expanded.contains(i.data().toString()); };
    }
};

std::vector<FolderDrive> drivesAt(const QString &root)
{
    return {{root, driveCaption(root, QString(), DriveKind::Fixed), DriveKind::Fixed, QString()}};
}

} // namespace

class FolderTreeTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchMatching_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("matches");
        QTest::newRow("equal, case ignored") << "FOTOS"
                                             << "Fotos" << true;
        QTest::newRow("star alone") << "*"
                                    << "qualsevol" << true;
        QTest::newRow("prefix star") << "FO*"
                                     << "FOTOS" << true;
        QTest::newRow("prefix star 2") << "FO*"
                                       << "fons" << true;
        QTest::newRow("prefix star misses") << "FO*"
                                            << "AFONS" << false;
        QTest::newRow("leading star matches all") << "*OS"
                                                  << "Dades" << true;
        QTest::newRow("text after the star ignored") << "F*X"
                                                     << "FOTOS" << true;
        QTest::newRow("question mark") << "F?TOS"
                                       << "FOTOS" << true;
        QTest::newRow("only before the mark") << "F?TOS"
                                              << "FXYZW" << true;
        QTest::newRow("length must be equal") << "F?TOS"
                                              << "FOTOSS" << false;
        QTest::newRow("before the mark differs") << "F?TOS"
                                                 << "GOTOS" << false;
        QTest::newRow("both wildcards") << "F?*"
                                        << "FOTOS" << false;
        QTest::newRow("both, but equal") << "F?*"
                                         << "F?*" << true;
        QTest::newRow("plain text") << "FOT"
                                    << "FOTOS" << false;
        QTest::newRow("non-ASCII upper-cased") << "ÀLBUM*"
                                               << "àlbum d'estiu" << true;
    }
    void searchMatching()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(bool, matches);
        QCOMPARE(treeCaptionMatches(text, caption), matches);
    }

    // The walk stops at a match, or at the first node at the starting level or above.
    void searchWalk()
    {
        PlainTree t(
            {"Dispositiu", "\tA", "\t\tFons", "\t\tAltres", "\t\t\tFotos", "\tB", "\t\tFotos"});
        t.setExpanded({"Dispositiu", "A", "Altres", "B"});
        const QModelIndex a = t.find(QStringLiteral("A"));
        TreeWalkFound f = findVisible(a, 1, QStringLiteral("FOT*"), t.isExpanded());
        QVERIFY(f.matched);
        QCOMPARE(f.node.parent().data().toString(), QStringLiteral("Altres"));
        // Find next from there: no more below A, so the walk stops at B, not in it.
        f = findVisible(f.node, 1, QStringLiteral("FOT*"), t.isExpanded());
        QVERIFY(!f.matched);
        QCOMPARE(f.node.data().toString(), QStringLiteral("B"));
        // A collapsed node hides its branch from the walk.
        t.expanded.remove(QStringLiteral("Altres"));
        f = findVisible(a, 1, QStringLiteral("FOTOS"), t.isExpanded());
        QCOMPARE(f.node.data().toString(), QStringLiteral("B"));
        // At the end of the tree the last node shown stays selected.
        f = findVisible(t.find(QStringLiteral("B")), 1, QStringLiteral("CAP"), t.isExpanded());
        QVERIFY(!f.matched);
        QCOMPARE(treeLevel(f.node), 2);
    }

    void visibleNeighbours()
    {
        PlainTree t({"R", "\tA", "\t\tA1", "\t\tA2", "\tB"});
        t.setExpanded({"R", "A"});
        const auto exp = t.isExpanded();
        QCOMPARE(previousVisible(t.find(QStringLiteral("B")), exp).data().toString(),
                 QStringLiteral("A2"));
        QCOMPARE(previousVisible(t.find(QStringLiteral("A1")), exp).data().toString(),
                 QStringLiteral("A"));
        QVERIFY(!previousVisible(t.find(QStringLiteral("R")), exp).isValid());
        QCOMPARE(nextVisible(t.find(QStringLiteral("A2")), exp).data().toString(),
                 QStringLiteral("B"));
        QVERIFY(!nextVisible(t.find(QStringLiteral("B")), exp).isValid());
        t.expanded.remove(QStringLiteral("A"));
        QCOMPARE(previousVisible(t.find(QStringLiteral("B")), exp).data().toString(),
                 QStringLiteral("A"));
    }

    void writeOut()
    {
        PlainTree t(
            {"R", "\tDades", "\t\tFotos", "\t\t\tEstiu", "\t\tMúsica", "\tAltres", "\t\tX"});
        t.setExpanded({"R", "Dades", "Altres"});
        const QStringList lines = writeExpanded(t.find(QStringLiteral("Dades")), t.isExpanded());
        QCOMPARE(lines, strings({"Dades", "\tFotos", "\tMúsica"}));
        t.expanded << QStringLiteral("Fotos");
        QCOMPARE(writeExpanded(t.find(QStringLiteral("R")), t.isExpanded()),
                 strings({"R", "\tDades", "\t\tFotos", "\t\t\tEstiu", "\t\tMúsica", "\tAltres",
                          "\t\tX"}));
        // A node not expanded gives its caption alone.
        t.expanded.remove(QStringLiteral("Dades"));
        QCOMPARE(writeExpanded(t.find(QStringLiteral("Dades")), t.isExpanded()),
                 QStringList{QStringLiteral("Dades")});
    }

    void folderNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("renameError");
        QTest::newRow("plain") << "Vacances d'estiu"
                               << "";
        QTest::newRow("quote") << "a\"b"
                               << "Nom de directori invàlid\ra\"b";
        QTest::newRow("star") << "a*"
                              << "Nom de directori invàlid\ra*";
        QTest::newRow("newline") << "a\nb"
                                 << "Nom de directori invàlid\ra\nb";
        QTest::newRow("slash") << "a/b"
                               << "Nom de directori invàlid\ra/b";
        QTest::newRow("plus") << "C++"
                              << "Nom de directori invàlid\rC++";
        QTest::newRow("parent") << ".."
                                << "Nom de directori invàlid\r..";
        QTest::newRow("caret") << "^"
                               << "Nom de directori invàlid\r^";
    }
    void folderNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, renameError);
        const Fallible<void> renamed = checkRenameFolderName(name);
        QCOMPARE(renamed.ok(), renameError.isEmpty());
        QCOMPARE(renamed.error(), renameError);
        const Fallible<void> created = checkNewFolderName(name);
        if (renameError.isEmpty() || name == QStringLiteral(".."))
            QVERIFY(created.ok() || name == QStringLiteral(".."));
        else
            QCOMPARE(created.error(), QStringLiteral("El nom de carpeta conté caràcters invàlids"));
    }

    void emptyRenameOnlyBeeps()
    {
        const Fallible<void> r = checkRenameFolderName(QString());
        QVERIFY(!r.ok());
        QVERIFY(r.error().isEmpty());
    }

    void messages()
    {
        QCOMPARE(renameFolderQuestion(QStringLiteral("Fotos"), QStringLiteral("Imatges")),
                 QStringLiteral("Voleu renomenar la carpeta seleccionada\r\r    De  : Fotos\r"
                                "    A   : Imatges"));
        QCOMPARE(folderNotFoundMessage(QStringLiteral("/a b")),
                 QStringLiteral("/a b\r                no trobat"));
    }

    void treeSizes_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << qint64(0) << "0,00 Kb";
        QTest::newRow("500 bytes is 1 Kb") << qint64(500) << "1,00 Kb";
        QTest::newRow("1023") << qint64(1023) << "1,00 Kb";
        QTest::newRow("2047 rounds down") << qint64(2047) << "1,00 Kb";
        QTest::newRow("99999 Kb") << qint64(99999) * 1024 << "99.999,00 Kb";
        QTest::newRow("100000 Kb in Mb") << qint64(100000) * 1024 << "97,66 Mb";
        QTest::newRow("beyond 32 bits") << qint64(5) * 1024 * 1024 * 1024 << "5.120,00 Mb";
    }
    void treeSizes()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(treeSizeText(bytes), text);
    }

    void treeSizeMessages()
    {
        QCOMPARE(treeSizeMessage(true, QStringLiteral("/media/llapis"), 500),
                 QStringLiteral("=== MIDA DE L'ARBRE ===\r\rDispositiu /media/llapis\ri per totes "
                                "les seves subcarpetes  =  1,00 Kb"));
        QVERIFY(treeSizeMessage(false, QStringLiteral("/home/anna/Fotos"), 0)
                    .contains(QStringLiteral("\r\rCarpeta \"Fotos\"\ri per")));
    }

    void panelTexts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("hint");
        QTest::newRow("folder") << "/Dades/Fotos"
                                << "Fotos"
                                << "/ Dades "
                                << "/Dades";
        QTest::newRow("deeper") << "/home/anna/Fotos"
                                << "Fotos"
                                << "/ home / anna "
                                << "/home/anna";
        QTest::newRow("top folder") << "/Dades"
                                    << "Dades"
                                    << "/ "
                                    << "/";
        QTest::newRow("volume root") << "/"
                                     << "/"
                                     << ""
                                     << "";
        QTest::newRow("volume list") << "Dispositiu"
                                     << "Dispositiu"
                                     << ""
                                     << "";
        QTest::newRow("spaces kept") << "/a b/c d"
                                     << "c d"
                                     << "/ a b "
                                     << "/a b";
    }
    void panelTexts()
    {
        QFETCH(QString, path);
        QFETCH(QString, edit);
        QFETCH(QString, label);
        QFETCH(QString, hint);
        const PanelPathTexts t = panelPathTexts(path);
        QCOMPARE(t.edit, edit);
        QCOMPARE(t.label, label);
        QCOMPARE(t.hint, hint);
    }

    void drives()
    {
        const std::vector<VolumeFacts> volumes = {
            {QStringLiteral("/media/anna/LLAPIS"), QStringLiteral("LLAPIS (USB)"), "vfat", false},
            {QStringLiteral("/"), QString(), "ext4", false},
            {QStringLiteral("/proc"), QString(), "proc", false},
            {QStringLiteral("/media/anna/CD"), QStringLiteral("Fotos 2020"), "iso9660", true},
            {QStringLiteral("/mnt/arxiu"), QString(), "ext4", true},
            {QStringLiteral("/srv/xarxa"), QString(), "nfs4", false},
        };
        const std::vector<FolderDrive> d = drivesFromVolumes(volumes, QStringLiteral("/home/anna"));
        QStringList roots;
        for (const FolderDrive &x : d)
            roots << x.root;
        QCOMPARE(roots, strings({"/", "/home/anna", "/media/anna/CD", "/media/anna/LLAPIS",
                                 "/mnt/arxiu", "/srv/xarxa"}));
        QCOMPARE(d[0].caption, QStringLiteral(" (/)  Disc local"));
        QCOMPARE(d[1].type, DriveKind::Home);
        QCOMPARE(d[2].type, DriveKind::CdRom);
        QCOMPARE(d[2].caption, QStringLiteral(" (/media/anna/CD)  Fotos 2020"));
        // The label is cut at its first "(".
        QCOMPARE(d[3].caption, QStringLiteral(" (/media/anna/LLAPIS)  LLAPIS"));
        QCOMPARE(d[3].type, DriveKind::Removable);
        QCOMPARE(d[4].type, DriveKind::CdRom); // mounted read-only
        QCOMPARE(d[5].type, DriveKind::Network);

        QCOMPARE(driveIndexOf(QStringLiteral("/home/anna/Fotos"), d), 1);
        QCOMPARE(driveIndexOf(QStringLiteral("/home/annabel"), d), 0);
        // Letter case is ignored only where no root matches exactly.
        QCOMPARE(driveIndexOf(QStringLiteral("/MEDIA/anna/cd/x"), d), 0);
        const std::vector<FolderDrive> media(d.begin() + 2, d.end());
        QCOMPARE(driveIndexOf(QStringLiteral("/MEDIA/anna/cd/x"), media), 0);
        QCOMPARE(driveIndexOf(QStringLiteral("relatiu"), d), -1);
    }

    void driveReady()
    {
        QTemporaryDir tmp;
        QVERIFY(checkDriveReady(tmp.path()).ok());
        QCOMPARE(checkDriveReady(tmp.filePath(QStringLiteral("no"))).error(),
                 QStringLiteral("No hi ha el disc al dispositiu %1\ro el dispositiu no està llest")
                     .arg(tmp.filePath(QStringLiteral("no"))));
        QCOMPARE(checkDriveReady(QStringLiteral("E:")).error(),
                 QStringLiteral("No és un identificador vàlid per a un dispositiu"));
    }

    // The path walk reads each level, matches letter case loosely (an exact name first) and
    // stops at the first missing component.
    void pathWalk()
    {
        QTemporaryDir tmp;
        makeFolders(tmp.path(), {"Dades/Fotos/Estiu", "Dades/fotos", "Dades/Música", "Altres"});
        FolderTreeModel m;
        m.setDriveSource([&] { return drivesAt(tmp.path()); });
        m.rebuild();
        FolderTreeModel::PathWalk w = m.walkPath(tmp.filePath(QStringLiteral("Dades/fotos")));
        QVERIFY(w.complete);
        QCOMPARE(w.chain.size(), size_t(4));
        QCOMPARE(m.pathOf(w.chain.back()), tmp.filePath(QStringLiteral("Dades/fotos")));
        w = m.walkPath(tmp.filePath(QStringLiteral("DADES/FOTOS/estiu")));
        QVERIFY(w.complete);
        QCOMPARE(m.pathOf(w.chain.back()), tmp.filePath(QStringLiteral("Dades/Fotos/Estiu")));
        w = m.walkPath(tmp.filePath(QStringLiteral("Dades/Cap/Estiu")));
        QVERIFY(!w.complete);
        QCOMPARE(m.pathOf(w.chain.back()), tmp.filePath(QStringLiteral("Dades")));
        QCOMPARE(m.pathOf(w.chain.front()), QString());
        QCOMPARE(m.pathOf(w.chain[1]), tmp.path());
        // Only the folders on the way were read, in the trees' order.
        const QModelIndex dades = w.chain.back();
        QVERIFY(m.isRead(dades));
        QStringList names;
        for (int r = 0; r < m.rowCount(dades); ++r)
            names << m.index(r, 0, dades).data().toString();
        QCOMPARE(names, strings({"Fotos", "fotos", "Música"}));
        QVERIFY(!m.isRead(m.index(2, 0, dades)));
        QVERIFY(m.hasChildren(m.index(0, 0, dades)));  // Fotos holds Estiu
        QVERIFY(!m.hasChildren(m.index(1, 0, dades))); // fotos is empty
    }

    void badNamesAndLinks()
    {
        QTemporaryDir tmp;
        makeFolders(tmp.path(), {"a b", "cometa \"x\"", "estel*", "línia\nnova", "bucle"});
        QVERIFY(QFile::link(tmp.path(), tmp.filePath(QStringLiteral("bucle/enrere"))));
        writeFile(tmp.filePath(QStringLiteral("arxiu")), 10);
        // A folder whose name is not UTF-8.
        const QByteArray raw = QFile::encodeName(tmp.path()) + "/mal\xff\xfe";
        QCOMPARE(::mkdir(raw.constData(), 0700), 0);
        std::atomic_bool cancel{false};
        std::atomic<qint64> progress{0};
        const FolderBranch b = readFolderBranch(tmp.path(), cancel, progress);
        QVERIFY(!b.cancelled);
        QStringList names;
        for (const FolderBranchEntry &e : b.entries)
            names << e.name;
        QVERIFY(names.contains(QStringLiteral("línia\nnova")));
        QVERIFY(names.contains(QStringLiteral("enrere")));
        QVERIFY(!names.contains(QStringLiteral("arxiu")));
        const int link = b.indexOf({QStringLiteral("bucle"), QStringLiteral("enrere")});
        QVERIFY(link >= 0);
        QVERIFY(b.entries[size_t(link)].link);
        QVERIFY(b.entries[size_t(link)].hasSubfolders);
        QCOMPARE(b.components(link), strings({"bucle", "enrere"}));

        // The link's folder is not walked into, nor measured.
        const BranchSize size = measureFolderBranch(tmp.path(), cancel, progress);
        QCOMPARE(size.bytes, qint64(10));

        // Filling the model from the branch leaves the link unread, to be read when opened.
        FolderTreeModel m;
        m.setDriveSource([&] { return drivesAt(tmp.path()); });
        m.rebuild();
        const QModelIndex drive = m.index(0, 0, m.rootIndex());
        m.fillFromBranch(drive, b);
        const QModelIndex enrere =
            m.indexBelow(drive, {QStringLiteral("bucle"), QStringLiteral("enrere")});
        QVERIFY(enrere.isValid());
        QVERIFY(!m.isRead(enrere));
        QVERIFY(m.hasChildren(enrere));
        // A path that is a file, or a folder that is gone, walks no further.
        QVERIFY(!m.walkPath(tmp.filePath(QStringLiteral("arxiu"))).complete);
        // A folder whose name Qt cannot carry could not be opened by its decoded name: it is
        // left out rather than shown as a folder that is not there.
        const bool listed = std::any_of(b.entries.begin(), b.entries.end(), [](const auto &e) {
            return e.name.startsWith(QStringLiteral("mal"));
        });
        QCOMPARE(::rmdir(raw.constData()), 0);
        QVERIFY(!listed);
    }

    void branchSearchAndFill()
    {
        QTemporaryDir tmp;
        makeFolders(tmp.path(), {"A/Fons", "A/Altres/Fotos", "B/Fotos"});
        std::atomic_bool cancel{false};
        std::atomic<qint64> progress{0};
        const FolderBranch b = readFolderBranch(tmp.path(), cancel, progress);
        QStringList order;
        for (const FolderBranchEntry &e : b.entries)
            order << QString(e.depth - 1, QLatin1Char('\t')) + e.name;
        QCOMPARE(order, strings({"A", "\tAltres", "\t\tFotos", "\tFons", "B", "\tFotos"}));
        QCOMPARE(progress.load(), qint64(7));
        const int first = findInBranch(b, -1, QStringLiteral("FOT*"));
        QCOMPARE(b.components(first), strings({"A", "Altres", "Fotos"}));
        const int second = findInBranch(b, first, QStringLiteral("FOT*"));
        QCOMPARE(b.components(second), strings({"B", "Fotos"}));
        QCOMPARE(findInBranch(b, second, QStringLiteral("FOT*")), -1);

        // A node read before keeps its rows; the others are filled from the branch.
        FolderTreeModel m;
        m.setDriveSource([&] { return drivesAt(tmp.path()); });
        m.rebuild();
        const QModelIndex drive = m.index(0, 0, m.rootIndex());
        const QModelIndex a = m.childNamed(drive, QStringLiteral("A"));
        QVERIFY(a.isValid());
        m.fillFromBranch(drive, b);
        QCOMPARE(m.rowCount(drive), 2);
        QCOMPARE(m.rowCount(m.index(0, 0, drive)), 2);
        const QModelIndex fotos = m.indexBelow(drive, strings({"A", "Altres", "Fotos"}));
        QVERIFY(fotos.isValid());
        QVERIFY(m.isRead(fotos));
        QCOMPARE(m.pathOf(fotos), tmp.filePath(QStringLiteral("A/Altres/Fotos")));

        // A cancelled read stops and fills nothing.
        cancel = true;
        const FolderBranch stopped = readFolderBranch(tmp.path(), cancel, progress);
        QVERIFY(stopped.cancelled);
        QVERIFY(measureFolderBranch(tmp.path(), cancel, progress).cancelled ||
                measureFolderBranch(tmp.path(), cancel, progress).bytes == 0);
    }

    void measuring()
    {
        QTemporaryDir tmp;
        makeFolders(tmp.path(), {"x/y", "z"});
        writeFile(tmp.filePath(QStringLiteral("a")), 300);
        writeFile(tmp.filePath(QStringLiteral("x/b")), 150);
        writeFile(tmp.filePath(QStringLiteral("x/y/.amagat")), 50);
        std::atomic_bool cancel{false};
        std::atomic<qint64> progress{0};
        const BranchSize s = measureFolderBranch(tmp.path(), cancel, progress);
        QCOMPARE(s.bytes, qint64(500));
        QCOMPARE(treeSizeKb(s.bytes), qint64(1));
        QCOMPARE(measureFolderBranch(tmp.filePath(QStringLiteral("a")), cancel, progress).bytes,
                 qint64(0));
    }

    void renameResorts()
    {
        QTemporaryDir tmp;
        makeFolders(tmp.path(), {"a", "m", "z"});
        FolderTreeModel m;
        m.setDriveSource([&] { return drivesAt(tmp.path()); });
        m.rebuild();
        const QModelIndex drive = m.index(0, 0, m.rootIndex());
        const QModelIndex moved =
            m.renameNode(m.childNamed(drive, QStringLiteral("a")), QStringLiteral("q"));
        QCOMPARE(moved.row(), 1);
        QCOMPARE(m.pathOf(moved), tmp.filePath(QStringLiteral("q")));
    }
};

QTEST_GUILESS_MAIN(FolderTreeTest)
#include "FolderTreeTest.moc"
