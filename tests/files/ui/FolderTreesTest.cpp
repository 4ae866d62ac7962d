#include "files/FolderTreeModel.h"
#include "files/TreeWalk.h"
#include "files/ui/FolderLinks.h"
#include "files/ui/TDirTreePopUpWithoutImages.h"
#include "files/ui/TFChooseFolder.h"
#include "files/ui/TFItemToFind.h"
#include "files/ui/TLsDirTree20.h"
#include "files/ui/TLsDirTree20PopUp.h"
#include "files/ui/TLsDirTreeCombo27.h"
#include "files/ui/TLsDirTreePanel.h"
#include "files/ui/TLsDirTreeView.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/WindowTest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

// A file list that records the folders it is asked to show.
class FakeList : public QObject, public LinkedFileList
{
public:
    QString dir = QStringLiteral("Dispositiu");
    QStringList shown;
    QString Directory() const override { return dir; }
    void SetDirectory(const QString &path) override
    {
        dir = path;
        shown << path;
    }
};

// A temporary volume with folders, the only one the trees show.
struct Disk
{
    QTemporaryDir tmp;
    explicit Disk(const QStringList &folders)
    {
        for (const QString &f : folders)
            QDir(tmp.path()).mkpath(f);
    }
    QString path(const QString &relative = QString()) const
    {
        return relative.isEmpty() ? tmp.path() : tmp.filePath(relative);
    }
    void attach(TTree0 *tree) const
    {
        const QString root = tmp.path();
        tree->folderModel()->setDriveSource([root] {
            return std::vector<FolderDrive>{{root, driveCaption(root, QString(), DriveKind::Fixed),
                                             DriveKind::Fixed, QString()}};
        });
        tree->Rebuild();
    }
};

QStringList folders(std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *n : names)
        out << QString::fromUtf8(n);
    return out;
}

void waitForJob(TTree0 *tree)
{
    if (tree->jobRunning()) {
        QSignalSpy over(tree, &TTree0::branchJobOver);
        QVERIFY(over.wait(20000));
    }
}

QString selectedCaption(const TTree0 *tree)
{
    return tree->selectedNode().data().toString();
}

} // namespace

class FolderTreesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dockedTreeChoosesAndOpens()
    {
        Disk disk(folders({"Dades/Fotos/Estiu", "Dades/Música", "Altres"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        FakeList list;
        tree.setFileList(&list);
        // Linking shows the tree's selected path in the list.
        QCOMPARE(list.shown, QStringList{QStringLiteral("Dispositiu")});

        tree.OpenPath(disk.path(QStringLiteral("Dades/Fotos")));
        QCOMPARE(selectedCaption(&tree), QStringLiteral("Fotos"));
        QCOMPARE(tree.SelectedPath(), disk.path(QStringLiteral("Dades/Fotos")));
        QCOMPARE(list.shown.size(), 1); // the list asked: it does not move
        QVERIFY(tree.nodeExpanded(tree.selectedNode()));

        // A one-character path, a missing folder or a file leave everything as it was.
        QFile file(disk.path(QStringLiteral("arxiu")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        for (const QString &bad : {QStringLiteral("/"), disk.path(QStringLiteral("Cap")),
                                   disk.path(QStringLiteral("arxiu")), QStringLiteral("relatiu")}) {
            tree.OpenPath(bad);
            QCOMPARE(selectedCaption(&tree), QStringLiteral("Fotos"));
        }
        QCOMPARE(tree.SelectedPath(), disk.path(QStringLiteral("Dades/Fotos")));

        QSignalSpy chosen(&tree, &TLsDirTree20::OnSelectItem);
        tree.chooseNode(tree.selectedNode());
        QCOMPARE(list.dir, disk.path(QStringLiteral("Dades/Fotos")));
        QCOMPARE(chosen.size(), 1);
        tree.chooseNode(tree.folderModel()->rootIndex());
        QCOMPARE(tree.SelectedPath(), QStringLiteral("Dispositiu"));
        QCOMPARE(list.dir, QStringLiteral("Dispositiu"));

        // A folder removed while shown is not offered to the list.
        tree.OpenPath(disk.path(QStringLiteral("Altres")));
        QVERIFY(QDir(disk.path(QStringLiteral("Altres"))).removeRecursively());
        tree.chooseNode(tree.selectedNode());
        QCOMPARE(list.dir, QStringLiteral("Dispositiu"));
        QVERIFY(prompter.anyContains(QStringLiteral("no trobat")));
    }

    void clickAndEnterChoose()
    {
        Disk disk(folders({"a", "b"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.resize(400, 300);
        showAndActivate(tree);
        tree.OpenPath(disk.path(QStringLiteral("a")));
        QSignalSpy chosen(&tree, &TLsDirTree20::OnSelectItem);
        const QModelIndex b = tree.folderModel()->indexBelow(
            tree.folderModel()->index(0, 0, tree.folderModel()->rootIndex()),
            {QStringLiteral("b")});
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(b).center());
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.last().at(0).toString(), disk.path(QStringLiteral("b")));
        QTest::keyClick(&tree, Qt::Key_Up);
        QTest::keyClick(&tree, Qt::Key_Return);
        QCOMPARE(chosen.last().at(0).toString(), disk.path(QStringLiteral("a")));
    }

    // Left collapses the node's whole branch and goes up; Up and Down walk the nodes shown;
    // Right only expands. At the root the standard keys apply.
    void treeKeys()
    {
        Disk disk(folders({"A/A1/A11", "B"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.OpenPath(disk.path(QStringLiteral("A/A1/A11")));
        const QModelIndex a = tree.selectedNode().parent().parent();
        QCOMPARE(a.data().toString(), QStringLiteral("A"));
        tree.selectNode(a);
        QVERIFY(tree.applyTreeKey(Qt::Key_Left));
        QVERIFY(!tree.nodeExpanded(a));
        QVERIFY(!tree.nodeExpanded(a.model()->index(0, 0, a))); // A1 collapsed too
        QCOMPARE(tree.selectedLevel(), 1);                      // the volume
        QVERIFY(tree.applyTreeKey(Qt::Key_Down));
        QCOMPARE(selectedCaption(&tree), QStringLiteral("A"));
        QVERIFY(tree.applyTreeKey(Qt::Key_Right));
        QVERIFY(tree.nodeExpanded(tree.selectedNode()));
        QCOMPARE(selectedCaption(&tree), QStringLiteral("A"));
        QVERIFY(tree.applyTreeKey(Qt::Key_Down));
        QCOMPARE(selectedCaption(&tree), QStringLiteral("A1"));
        QVERIFY(tree.applyTreeKey(Qt::Key_Down));
        QCOMPARE(selectedCaption(&tree), QStringLiteral("B"));
        QVERIFY(!tree.applyTreeKey(Qt::Key_Down)); // the last node: standard behaviour
        QVERIFY(tree.applyTreeKey(Qt::Key_Up));
        QCOMPARE(selectedCaption(&tree), QStringLiteral("A1"));
        tree.selectNode(tree.folderModel()->index(0, 0, tree.folderModel()->rootIndex()));
        QVERIFY(!tree.applyTreeKey(Qt::Key_Up)); // the root above: standard behaviour
    }

    void newFolderIsNamedInPlace()
    {
        Disk disk(folders({"Dades"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.resize(400, 300);
        showAndActivate(tree);

        tree.selectNode(tree.folderModel()->rootIndex());
        QVERIFY(!tree.AddFolder());
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("No es poden afegir dispositius")});
        prompter.clear();

        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        QVERIFY(!tree.AddFolder(QStringLiteral("a|b")));
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("El nom de carpeta conté caràcters invàlids")});
        prompter.clear();

        QVERIFY(tree.AddFolder());
        QVERIFY(QFileInfo(disk.path(QStringLiteral("Dades/Nova carpeta"))).isDir());
        QCOMPARE(selectedCaption(&tree), QStringLiteral("Nova carpeta"));
        QVERIFY(tree.viewport()->findChild<QLineEdit *>());
        // "Nova carpeta" is there already: nothing is shown, nothing changes.
        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        QVERIFY(!tree.AddFolder());
        QVERIFY(prompter.shown.empty());

        // The new folder's name is committed without a question.
        tree.OpenPath(disk.path(QStringLiteral("Dades/Nova carpeta")));
        QVERIFY(tree.AddFolder(QStringLiteral("Fill")));
        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        QVERIFY(QDir(disk.path(QStringLiteral("Dades/Nova carpeta/Fill"))).exists());
    }

    void editorCommitRenamesWithoutQuestionAfterCreation()
    {
        Disk disk(folders({"Dades"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.resize(400, 300);
        showAndActivate(tree);
        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        QVERIFY(tree.AddFolder());
        auto *editor = tree.viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("Viatges"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFileInfo(disk.path(QStringLiteral("Dades/Viatges"))).isDir());
        QVERIFY(prompter.shown.empty());
        QCOMPARE(selectedCaption(&tree), QStringLiteral("Dades"));
    }

    void newFolderLeftWithItsNameIsAskedAboutLater()
    {
        Disk disk(folders({"Dades"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.resize(400, 300);
        showAndActivate(tree);
        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        QVERIFY(tree.AddFolder());
        auto *editor = tree.viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Escape);
        tree.RenameFolder(tree.selectedNode(), QStringLiteral("Altra"));
        QCOMPARE(prompter.shown.size(), size_t(1)); // the question, answered No
        QVERIFY(QFileInfo(disk.path(QStringLiteral("Dades/Nova carpeta"))).isDir());
    }

    void renaming()
    {
        Disk disk(folders({"Dades/Fotos", "Dades/Vídeos", "Dades/fotos"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        FakeList list;
        tree.setFileList(&list);
        tree.OpenPath(disk.path(QStringLiteral("Dades/Fotos")));
        const QPersistentModelIndex fotos(tree.selectedNode());

        // No keeps the name; an invalid or taken name is refused.
        tree.RenameFolder(fotos, QStringLiteral("Imatges"));
        QCOMPARE(prompter.shown.back().text,
                 QStringLiteral("Voleu renomenar la carpeta seleccionada\r\r    De  : Fotos\r"
                                "    A   : Imatges"));
        QVERIFY(QDir(disk.path(QStringLiteral("Dades/Fotos"))).exists());
        prompter.clear();
        tree.RenameFolder(fotos, QStringLiteral("a*b"));
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("Nom de directori invàlid\ra*b")});
        prompter.clear();
        tree.RenameFolder(fotos, QString());
        QVERIFY(prompter.shown.empty());
        prompter.answers = {MsgButton::Yes};
        tree.RenameFolder(fotos, QStringLiteral("Vídeos"));
        QCOMPARE(prompter.shown.back().text, QStringLiteral("\"Vídeos\" ja exiteix!"));
        QVERIFY(QDir(disk.path(QStringLiteral("Dades/Fotos"))).exists());
        prompter.clear();
        // A name differing only in letter case is another folder here: not replaced.
        prompter.answers = {MsgButton::Yes};
        tree.RenameFolder(fotos, QStringLiteral("fotos"));
        QCOMPARE(prompter.shown.back().text, QStringLiteral("\"fotos\" ja exiteix!"));
        QVERIFY(QDir(disk.path(QStringLiteral("Dades/Fotos"))).exists());
        QVERIFY(QDir(disk.path(QStringLiteral("Dades/fotos"))).exists());
        prompter.clear();

        prompter.answers = {MsgButton::Yes};
        tree.RenameFolder(fotos, QStringLiteral("Imatges"));
        QVERIFY(QDir(disk.path(QStringLiteral("Dades/Imatges"))).exists());
        QCOMPARE(selectedCaption(&tree), QStringLiteral("Dades"));
        QCOMPARE(list.dir, disk.path(QStringLiteral("Dades")));
        const QModelIndex renamed =
            tree.folderModel()->indexBelow(tree.selectedNode(), {QStringLiteral("Imatges")});
        QVERIFY(renamed.isValid());
        QCOMPARE(tree.folderModel()->rowCount(tree.selectedNode()), 3);
    }

    void deleting()
    {
        Disk disk(folders({"Dades/Fotos"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        FakeList list;
        tree.setFileList(&list);
        tree.OpenPath(disk.path(QStringLiteral("Dades/Fotos")));
        tree.DeleteFolder(); // answered No
        QVERIFY(shell.calls.empty());
        prompter.answers = {MsgButton::Yes};
        tree.DeleteFolder();
        QCOMPARE(shell.paths(FakeShell::Request::MoveToTrash),
                 QStringList{disk.path(QStringLiteral("Dades/Fotos"))});
        QCOMPARE(selectedCaption(&tree), QStringLiteral("Dades"));
        QCOMPARE(tree.folderModel()->rowCount(tree.selectedNode()), 0);
        QCOMPARE(list.dir, disk.path(QStringLiteral("Dades")));

        // A failed trash leaves the tree as it was; a folder gone is reported.
        QDir(disk.path()).mkpath(QStringLiteral("Dades/Nou"));
        tree.Rebuild();
        tree.OpenPath(disk.path(QStringLiteral("Dades/Nou")));
        prompter.clear();
        prompter.answers = {MsgButton::Yes};
        shell.results.push_back(Fallible<void>::failure(QStringLiteral("Permís denegat")));
        tree.DeleteFolder();
        QCOMPARE(selectedCaption(&tree), QStringLiteral("Nou"));
        QVERIFY(prompter.anyContains(QStringLiteral("Permís denegat")));
        QVERIFY(QDir(disk.path(QStringLiteral("Dades/Nou"))).removeRecursively());
        prompter.clear();
        tree.DeleteFolder();
        QCOMPARE(prompter.texts(), QStringList{disk.path(QStringLiteral("Dades/Nou")) +
                                               QStringLiteral("\r                no trobat")});
    }

    void treeSizeIsMeasuredOffThread()
    {
        Disk disk(folders({"Dades/Sub"}));
        QFile f(disk.path(QStringLiteral("Dades/Sub/a.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(500, 'x'));
        f.close();
        QVERIFY(QFile::link(disk.path(), disk.path(QStringLiteral("Dades/Sub/enrere"))));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        tree.TreeSize();
        QVERIFY(tree.jobRunning());
        waitForJob(&tree);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("=== MIDA DE L'ARBRE ===\r\rCarpeta \"Dades\"\ri per "
                                            "totes les seves subcarpetes  =  1,00 Kb")});
        QCOMPARE(selectedCaption(&tree), QStringLiteral("Dades"));
    }

    void searching()
    {
        Disk disk(folders({"A/Fons", "A/Altres/Fotos", "B/Fotos", "C"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.FindNextFolder();
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("No hi ha text a buscar")});
        prompter.clear();

        tree.OpenPath(disk.path(QStringLiteral("A")));
        tree.findText(QStringLiteral("fot*"));
        waitForJob(&tree);
        QCOMPARE(tree.folderModel()->pathOf(tree.selectedNode()),
                 disk.path(QStringLiteral("A/Altres/Fotos")));
        QCOMPARE(tree.findTextKept(), QStringLiteral("FOT*"));
        // Nothing more below A: the walk stops at B, the next node at A's level.
        tree.FindNextFolder();
        waitForJob(&tree);
        QCOMPARE(selectedCaption(&tree), QStringLiteral("B"));
        // From B (a new branch) the next one is found inside it.
        tree.FindNextFolder();
        waitForJob(&tree);
        QCOMPARE(tree.folderModel()->pathOf(tree.selectedNode()),
                 disk.path(QStringLiteral("B/Fotos")));
        // F?NS matches Fons only (same length, characters before the mark).
        tree.OpenPath(disk.path(QStringLiteral("A")));
        tree.findText(QStringLiteral("F?XX"));
        waitForJob(&tree);
        QCOMPARE(tree.folderModel()->pathOf(tree.selectedNode()),
                 disk.path(QStringLiteral("A/Fons")));
    }

    void searchWindowHidesTheDropDown()
    {
        FakePrompter prompter;
        TLsDirTreePanel panel(prompter);
        Disk disk(folders({"Fotos"}));
        disk.attach(panel.tree());
        panel.resize(400, 30);
        showAndActivate(panel);
        panel.DropDown();
        QVERIFY(panel.tree()->isVisible());
        bool hiddenMeanwhile = false;
        QTimer::singleShot(0, this, [&] {
            hiddenMeanwhile = !panel.tree()->isVisible();
            auto *window = qobject_cast<TFItemToFind *>(QApplication::activeModalWidget());
            if (window)
                window->reject();
        });
        panel.tree()->FindFolder();
        QVERIFY(hiddenMeanwhile);
        QVERIFY(panel.tree()->isVisible());
        panel.DropDown();
        QVERIFY(!panel.tree()->isVisible());
    }

    void fullExpandStopsAtLinks()
    {
        Disk disk(folders({"Dades/Fotos/Estiu", "Dades/Música", "DadesVelles/X", "Zeta/Y"}));
        QVERIFY(QFile::link(disk.path(), disk.path(QStringLiteral("Dades/Fotos/bucle"))));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        tree.collapse(tree.selectedNode());
        tree.FullExpand();
        waitForJob(&tree);
        FolderTreeModel *m = tree.folderModel();
        const QModelIndex drive = m->index(0, 0, m->rootIndex());
        const QModelIndex estiu = m->indexBelow(drive, folders({"Dades", "Fotos", "Estiu"}));
        QVERIFY(estiu.isValid());
        QVERIFY(tree.nodeExpanded(estiu.parent()));
        // The later sibling whose caption begins the same is expanded too; others are not.
        QVERIFY(tree.nodeExpanded(m->indexBelow(drive, folders({"DadesVelles"}))));
        QVERIFY(!tree.nodeExpanded(m->indexBelow(drive, folders({"Zeta"}))));
        const QModelIndex loop = m->indexBelow(drive, folders({"Dades", "Fotos", "bucle"}));
        QVERIFY(loop.isValid());
        QVERIFY(!tree.nodeExpanded(loop));
        QVERIFY(!m->isRead(loop));
        tree.FullCollapse();
        QVERIFY(!tree.nodeExpanded(m->rootIndex()));
    }

    // A job cancelled before its result is taken changes nothing in the tree.
    void cancelledJobLeavesTheTree()
    {
        Disk disk(folders({"A/B/C"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        tree.OpenPath(disk.path(QStringLiteral("A")));
        tree.collapse(tree.selectedNode());
        tree.FullExpand();
        QVERIFY(tree.jobRunning());
        tree.TreeSize(); // one job at a time: refused
        tree.Rebuild();  // cancels the expansion
        waitForJob(&tree);
        QVERIFY(prompter.shown.empty());
        FolderTreeModel *m = tree.folderModel();
        QVERIFY(!m->isRead(m->index(0, 0, m->rootIndex())));
    }

    void writingABranch()
    {
        Disk disk(folders({"Dades/Fotos/Estiu", "Dades/Música"}));
        FakePrompter prompter;
        TLsDirTreePanel panel(prompter);
        disk.attach(panel.tree());
        TTreeView0 *tree = panel.tree();
        auto *menu = new TDirTreePopUpWithoutImages(tree);
        tree->setPopUpMenu(menu);
        QStringList lines;
        QSignalSpy before(&panel, &TLsDirTreePanel::OnBeforeWriteItems);
        QSignalSpy after(&panel, &TLsDirTreePanel::OnAfterWriteItems);
        tree->WriteExpanded(); // no list given: nothing happens
        QCOMPARE(before.size(), 0);
        tree->setWriteList(&lines);
        panel.OpenPath(disk.path(QStringLiteral("Dades/Fotos")));
        tree->selectNode(tree->selectedNode().parent());
        tree->WriteExpanded();
        QCOMPARE(before.size(), 1);
        QCOMPARE(after.size(), 1);
        QCOMPARE(lines, folders({"Dades", "\tFotos", "\t\tEstiu", "\tMúsica"}));
        Q_EMIT menu->aboutToShow();
        QVERIFY(menu->entry(QStringLiteral("Write_0"))->isEnabled());
        QVERIFY(menu->entry(QStringLiteral("Write_0"))->icon().isNull());
    }

    void dockedMenuEntries()
    {
        Disk disk(folders({"Dades"}));
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        disk.attach(&tree);
        TLsDirTree20PopUp *menu = tree.ownMenu();
        QCOMPARE(tree.popUpMenu(), menu);
        const auto enabled = [&](const char *name) {
            return menu->entry(QLatin1String(name))->isEnabled();
        };
        tree.selectNode(tree.folderModel()->rootIndex());
        menu->updateEntries();
        QVERIFY(!enabled("AddNode") && !enabled("EditNode") && !enabled("DelNode") &&
                !enabled("GetTreeSize") && enabled("FullCollapse"));
        tree.OpenPath(disk.path());
        menu->updateEntries();
        QVERIFY(enabled("AddNode") && !enabled("EditNode") && enabled("GetTreeSize"));
        tree.OpenPath(disk.path(QStringLiteral("Dades")));
        menu->updateEntries();
        QVERIFY(enabled("EditNode") && enabled("DelNode"));
        tree.setReadOnly(true);
        menu->updateEntries();
        QVERIFY(!enabled("EditNode"));
        tree.setPopUpMenuEnabled(false);
        QVERIFY(!tree.popUpMenu());
    }

    void menuOpensBesideTheMouse()
    {
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        tree.resize(400, 300);
        showAndActivate(tree);
        const QPoint local(50, 20);
        const QPoint global = tree.viewport()->mapToGlobal(local);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, global);
        QApplication::sendEvent(tree.viewport(), &event);
        QTRY_VERIFY(tree.ownMenu()->isVisible());
        QCOMPARE(tree.ownMenu()->pos(), global + QPoint(10, 10));
        tree.ownMenu()->hide();
    }

    void panelShowsThePath()
    {
        Disk disk(folders({"Dades/Fotos"}));
        FakePrompter prompter;
        TLsDirTreePanel panel(prompter);
        disk.attach(panel.tree());
        QCOMPARE(panel.centerEdit()->text(), QStringLiteral("Dispositiu"));
        QCOMPARE(panel.tree()->window()->windowFlags() & Qt::Popup, Qt::Popup);
        QCOMPARE(panel.TreeHeight(), 240);
        QCOMPARE(panel.ClickKey(), QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key_Down)));
        FakeList list;
        QSignalSpy selected(&panel, &TLsDirTreePanel::OnSelectItem);
        panel.setFileList(&list);
        const QString fotos = disk.path(QStringLiteral("Dades/Fotos"));
        panel.setSelectedPath(fotos);
        QCOMPARE(selected.size(), 1);
        QCOMPARE(panel.centerEdit()->text(), QStringLiteral("Fotos"));
        const QString rest = disk.path(QStringLiteral("Dades"));
        QCOMPARE(panel.leftLabel()->text(),
                 rest.mid(1)
                         .replace(QLatin1Char('/'), QStringLiteral(" / "))
                         .prepend(QStringLiteral("/ ")) +
                     QLatin1Char(' '));
        QCOMPARE(panel.leftLabel()->toolTip(), rest);
        QCOMPARE(panel.leftPanel()->toolTip(), rest);
        QCOMPARE(panel.centerPanel()->width(),
                 panel.centerEdit()->fontMetrics().horizontalAdvance(QStringLiteral("Fotos")) + 6);
        QCOMPARE(list.dir, fotos);

        // OpenPath selects the node and takes the path; a missing one changes nothing.
        panel.OpenPath(rest);
        QCOMPARE(panel.SelectedPath(), rest);
        QCOMPARE(selectedCaption(panel.tree()), QStringLiteral("Dades"));
        panel.OpenPath(disk.path(QStringLiteral("Cap")));
        QCOMPARE(panel.SelectedPath(), rest);
        QCOMPARE(list.dir, rest);
    }

    void panelDropDownKeysAndClicks()
    {
        Disk disk(folders({"Dades/Fotos", "Dades/Música"}));
        FakePrompter prompter;
        QWidget host;
        auto *panel = new TLsDirTreePanel(prompter, &host);
        panel->setGeometry(10, 10, 380, 28);
        host.resize(400, 60);
        disk.attach(panel->tree());
        showAndActivate(host);
        panel->OpenPath(disk.path(QStringLiteral("Dades")));
        panel->centerEdit()->setFocus();
        TTreeView0 *tree = panel->tree();

        QTest::keyClick(panel->centerEdit(), Qt::Key_Down, Qt::AltModifier);
        QVERIFY(tree->isVisible());
        QCOMPARE(tree->width(), panel->width());
        QCOMPARE(tree->height(), 240);
        QCOMPARE(tree->geometry().topLeft(), panel->mapToGlobal(QPoint(0, panel->height())));
        QTest::keyClick(tree, Qt::Key_Escape);
        QVERIFY(!tree->isVisible());

        // The arrows move in the hidden tree; Enter takes its node.
        QTest::keyClick(panel->centerEdit(), Qt::Key_Down);
        QCOMPARE(selectedCaption(tree), QStringLiteral("Fotos"));
        QSignalSpy selected(panel, &TLsDirTreePanel::OnSelectItem);
        QTest::keyClick(panel->centerEdit(), Qt::Key_Return);
        QCOMPARE(panel->SelectedPath(), disk.path(QStringLiteral("Dades/Fotos")));
        QCOMPARE(selected.size(), 1);

        // While dropped down the node under the mouse is selected; a click takes it.
        panel->DropDown();
        QVERIFY(tree->isVisible());
        const QModelIndex musica = tree->selectedNode().siblingAtRow(1);
        QTest::mouseMove(tree->viewport(), tree->visualRect(musica).center());
        QTRY_COMPARE(selectedCaption(tree), QStringLiteral("Música"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(musica).center());
        QCOMPARE(panel->SelectedPath(), disk.path(QStringLiteral("Dades/Música")));
        QVERIFY(!tree->isVisible());

        // A click outside hides the tree; one on the button hides it without dropping it again.
        // (Clicks given to the window, so that they pass where the system sends them.)
        panel->DropDown();
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, QPoint(395, 55));
        QVERIFY(!tree->isVisible());
        panel->DropDown();
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {},
                          panel->button()->mapTo(&host, panel->button()->rect().center()));
        QVERIFY(!tree->isVisible());
        QCOMPARE(panel->SelectedPath(), disk.path(QStringLiteral("Dades/Música")));
    }

    void comboStoresOnEnterAndMovesOnClick()
    {
        Disk disk(folders({"Dades/Fotos"}));
        FakePrompter prompter;
        QWidget host;
        auto *combo = new TLsDirTreeCombo27(prompter, &host);
        combo->setGeometry(10, 10, 300, 26);
        host.resize(320, 50);
        disk.attach(combo->tree());
        showAndActivate(host);
        QCOMPARE(combo->edit()->text(), QStringLiteral("Dispositiu"));
        QVERIFY(combo->edit()->isReadOnly());
        FakeList list;
        combo->setFileList(&list);
        QCOMPARE(list.shown.size(), 1);

        QSignalSpy selected(combo, &TLsDirTreeCombo27::OnSelectItem);
        combo->OpenPath(disk.path(QStringLiteral("Dades")));
        QCOMPARE(selected.size(), 1);
        QCOMPARE(combo->edit()->text(), QStringLiteral("Dades"));
        QCOMPARE(list.shown.size(), 1); // OpenPath does not move the list

        combo->edit()->setFocus();
        QTest::keyClick(combo->edit(), Qt::Key_Down);
        QTest::keyClick(combo->edit(), Qt::Key_Return);
        QCOMPARE(combo->SelectedPath(), disk.path(QStringLiteral("Dades/Fotos")));
        QCOMPARE(combo->edit()->text(), QStringLiteral("Fotos"));
        QCOMPARE(list.shown.size(), 1); // Enter does not move it either
        QCOMPARE(selected.size(), 2);

        combo->DropDown();
        TTreeView0 *tree = combo->tree();
        QVERIFY(tree->isVisible());
        const QModelIndex dades = tree->selectedNode().parent();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(dades).center());
        QCOMPARE(combo->SelectedPath(), disk.path(QStringLiteral("Dades")));
        QCOMPARE(list.dir, disk.path(QStringLiteral("Dades")));
        QVERIFY(!tree->isVisible());
    }

    void listDestroyedIsForgotten()
    {
        FakePrompter prompter;
        FakeShell shell;
        TLsDirTree20 tree(prompter, shell);
        TLsDirTreePanel panel(prompter);
        {
            FakeList list;
            tree.setFileList(&list);
            panel.setFileList(&list);
            QCOMPARE(tree.FileList(), &list);
        }
        QVERIFY(!tree.FileList());
        QVERIFY(!panel.FileList());
        tree.chooseNode(tree.folderModel()->rootIndex()); // must not touch the list
        panel.setSelectedPath(QStringLiteral("Dispositiu"));
    }

    void chooseFolderDialog()
    {
        Disk disk(folders({"Dades/Fotos"}));
        FakePrompter prompter;
        FakeShell shell;
        TFChooseFolder dialog(disk.path(), prompter, shell);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Especifica un directori"));
        QVERIFY(dialog.minimumWidth() >= 300 && dialog.minimumHeight() >= 370);
        QVERIFY(!dialog.tree()->popUpMenu());
        disk.attach(dialog.tree());
        dialog.tree()->OpenPath(disk.path(QStringLiteral("Dades/Fotos")));
        QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.SelectedPath(), disk.path(QStringLiteral("Dades/Fotos")));
    }
};

QTEST_MAIN(FolderTreesTest)
#include "FolderTreesTest.moc"
