#include "files/FileListModel.h"
#include "files/ui/FolderLinks.h"
#include "files/ui/TFFileAttributes.h"
#include "files/ui/TLsFileListView27PopUp.h"
#include "files/ui/TLsFilelistView27.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

void writeFile(const QString &path, qint64 size)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(QByteArray(size, 'x'));
}

// A folder tree as the list sees it, recording what it is asked.
class FakeTree : public QObject, public LinkedFolderTree
{
public:
    QStringList calls;
    void OpenPath(const QString &path) override { calls << QStringLiteral("open ") + path; }
    void Rebuild() override { calls << QStringLiteral("rebuild"); }
};

struct ViewFixture
{
    QTemporaryDir dir;
    FakePrompter prompter;
    FakeShell shell;
    QWidget host;
    TLsFilelistView27 *list = nullptr;

    ViewFixture()
    {
        auto *layout = new QVBoxLayout(&host);
        list = new TLsFilelistView27(prompter, shell, &host);
        list->sendToFolder = dir.filePath(QStringLiteral("no-send-to"));
        layout->addWidget(list);
        host.resize(640, 360);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    int row(const QString &caption) const
    {
        const auto &items = list->listModel().items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].caption == caption)
                return int(i);
        return -1;
    }
    void show(const QString &folder)
    {
        QSignalSpy done(&list->listModel(), &FileListModel::listingFinished);
        list->SetDirectory(folder);
        if (list->listModel().isReading())
            QVERIFY(done.wait(5000));
    }
    void select(const QStringList &captions)
    {
        list->clearSelection();
        for (const QString &c : captions)
            list->selectionModel()->select(list->model()->index(row(c), 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(list, Qt::Key(k), mods);
    }
};

} // namespace

class FileListViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportViewOfAFolder()
    {
        ViewFixture f;
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Fotos")));
        writeFile(f.path(QStringLiteral("viatge.jpeg")), 2048);
        writeFile(f.path(QStringLiteral("nota.txt")), 10);
        writeFile(f.path(QStringLiteral("gran.bin")), 100000);
        showAndActivate(f.host);
        f.show(f.dir.path());
        QCOMPARE(f.list->Directory(), f.dir.path());
        const QAbstractItemModel *m = f.list->model();
        QCOMPARE(m->rowCount(), 5);
        QStringList headers;
        for (int c = 0; c < m->columnCount(); ++c)
            headers << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers,
                 (QStringList{QStringLiteral("Nom"), QStringLiteral("Ext"), QStringLiteral("Mida"),
                              QStringLiteral("Modificat"), QStringLiteral("Atrib.")}));
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral(" Carpeta contenidora"));
        QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("Fotos"));
        QVERIFY(!m->index(2, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        // The first item has the focus, nothing is selected, so the item keys do nothing.
        QCOMPARE(f.list->currentIndex().row(), 0);
        QCOMPARE(f.list->SelectedNumber(), 5);
        f.key(Qt::Key_F2);
        f.key(Qt::Key_Delete);
        QVERIFY(f.shell.calls.empty());
        QVERIFY(f.prompter.shown.empty());

        // Clicking "Mida": larger first, folders still on top; again: smaller first.
        f.list->header()->sectionClicked(2);
        QCOMPARE(m->index(2, 0).data().toString(), QStringLiteral("gran"));
        QCOMPARE(m->index(4, 0).data().toString(), QStringLiteral("nota"));
        f.list->header()->sectionClicked(2);
        QCOMPARE(m->index(2, 0).data().toString(), QStringLiteral("nota"));

        f.list->setSizeInKbytes(true);
        QTRY_COMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Mida(Kb)"));
        QTRY_COMPARE(m->index(f.row(QStringLiteral("viatge")), 2).data().toString(),
                     QStringLiteral("2"));
        // The file last reached with the arrow keys; a folder reached gives none.
        f.list->setFocus();
        f.list->setCurrentIndex(m->index(f.row(QStringLiteral("nota")), 0));
        QCOMPARE(f.list->SelectedFilePath(), f.path(QStringLiteral("nota.txt")));
        f.key(Qt::Key_Down);
        QCOMPARE(f.list->SelectedFilePath(), f.path(QStringLiteral("viatge.jpeg")));
        f.list->setCurrentIndex(m->index(f.row(QStringLiteral("Fotos")), 0));
        QCOMPARE(f.list->SelectedFilePath(), QString());

        f.select({QStringLiteral("viatge"), QStringLiteral("nota")});
        QCOMPARE(f.list->SelectedNumber(), 2);
        QCOMPARE(f.list->SelectedSize(), 2058);
        QCOMPARE(f.list->SelectedFileCount(), 2);

        const QString shots = qEnvironmentVariable("PELVAR_TEST_SHOTS");
        if (!shots.isEmpty())
            f.host.grab().save(QDir(shots).filePath(QStringLiteral("llista.png")));
    }

    void keysAndLinkedTrees()
    {
        ViewFixture f;
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("Dades/Sub")));
        writeFile(f.path(QStringLiteral("a.txt")), 1);
        writeFile(f.path(QStringLiteral("b.txt")), 1);
        FakeTree tree;
        f.list->setDirTree(&tree);
        showAndActivate(f.host);
        f.show(f.dir.path());

        f.select({QStringLiteral("Dades")});
        QSignalSpy changed(f.list, &TLsFilelistView27::OnChangeDirectory);
        QSignalSpy done(&f.list->listModel(), &FileListModel::listingFinished);
        f.key(Qt::Key_Return);
        QCOMPARE(f.list->Directory(), f.path(QStringLiteral("Dades")));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(tree.calls,
                 QStringList{QStringLiteral("open ") + f.path(QStringLiteral("Dades"))});
        tree.calls.clear();
        QVERIFY(done.wait(5000));
        f.key(Qt::Key_Backspace);
        QCOMPARE(f.list->Directory(), f.dir.path());
        QCOMPARE(tree.calls, QStringList{QStringLiteral("open ") + f.dir.path()});
        QTRY_VERIFY(f.row(QStringLiteral("a")) >= 0);

        // Delete: to the trash through the shell, events in order.
        QStringList events;
        connect(f.list, &TLsFilelistView27::BeforeDeleteItems, this,
                [&] { events << QStringLiteral("before"); });
        connect(f.list, &TLsFilelistView27::OnDeleteItem, this,
                [&](bool, const QString &n) { events << QFileInfo(n).fileName(); });
        connect(f.list, &TLsFilelistView27::AfterDeleteItems, this,
                [&] { events << QStringLiteral("after"); });
        f.select({QStringLiteral("a"), QStringLiteral("b")});
        f.key(Qt::Key_Delete);
        QCOMPARE(events, (QStringList{QStringLiteral("before"), QStringLiteral("a.txt"),
                                      QStringLiteral("b.txt"), QStringLiteral("after")}));

        // Ctrl+C, then Ctrl+V in the sub folder, copies through the copy dialog.
        QTRY_VERIFY(f.row(QStringLiteral("a")) >= 0);
        f.select({QStringLiteral("a")});
        f.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.list->commands().clipboard().names.size(), 1);
        f.show(f.path(QStringLiteral("Dades")));
        f.key(Qt::Key_V, Qt::ControlModifier);
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("Dades/a.txt"))));
        QVERIFY(f.list->commands().clipboard().names.isEmpty());

        // A new folder: the trees are rebuilt and select it.
        tree.calls.clear();
        f.list->askText = [](QWidget *, const QString &title, const QString &prompt) {
            [&] {
                QCOMPARE(title, QStringLiteral("Afegeix una nova carpeta"));
                QCOMPARE(prompt, QStringLiteral("Entra el nou nom per la carpeta"));
            }();
            return std::optional<QString>(QStringLiteral("Nova"));
        };
        f.key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(QFileInfo(f.path(QStringLiteral("Dades/Nova"))).isDir());
        QCOMPARE(tree.calls,
                 (QStringList{QStringLiteral("rebuild"),
                              QStringLiteral("open ") + f.path(QStringLiteral("Dades/Nova"))}));

        // A destroyed tree is forgotten.
        {
            FakeTree gone;
            f.list->setDirTreePanel(&gone);
        }
        tree.calls.clear();
        f.list->GoUp();
        QCOMPARE(tree.calls, QStringList{QStringLiteral("open ") + f.dir.path()});
    }

    void secondListFollowsARename()
    {
        ViewFixture f;
        QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("vell/dins")));
        FakePrompter prompter2;
        FakeShell shell2;
        TLsFilelistView27 other(prompter2, shell2);
        f.list->setFilelistView(&other);
        other.listModel().setAsynchronous(false);
        other.SetDirectory(f.path(QStringLiteral("vell/dins")));
        f.list->listModel().setAsynchronous(false);
        f.show(f.dir.path());
        QSignalSpy moved(&other, &TLsFilelistView27::OnChangeDirectory);
        QVERIFY(
            f.list->commands().RenameItem(f.row(QStringLiteral("vell")), QStringLiteral("nou")));
        QCOMPARE(other.Directory(), f.path(QStringLiteral("nou/dins")));
        QCOMPARE(moved.count(), 1);
    }

    void renameInPlace()
    {
        ViewFixture f;
        writeFile(f.path(QStringLiteral("foto.jpeg")), 1);
        f.list->listModel().setAsynchronous(false);
        showAndActivate(f.host);
        f.show(f.dir.path());
        QSignalSpy renamed(f.list, &TLsFilelistView27::OnRenameItem);
        f.select({QStringLiteral("foto")});
        f.key(Qt::Key_F2);
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != f.list);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("viatge"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(renamed.count(), 1);
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("viatge.jpeg"))));
        QTRY_VERIFY(f.row(QStringLiteral("viatge")) >= 0);
    }

    void menuEntries()
    {
        ViewFixture f;
        writeFile(f.path(QStringLiteral("a.txt")), 1);
        writeFile(f.path(QStringLiteral("b.zip")), 1);
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("send")));
        QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("sendto")));
        QVERIFY(
            QFile::link(f.path(QStringLiteral("send")), f.path(QString::fromUtf8("sendto/Còpia"))));
        f.list->sendToFolder = f.path(QStringLiteral("sendto"));
        f.list->listModel().setAsynchronous(false);
        f.show(f.dir.path());
        TLsFileListView27PopUp *menu = f.list->popupMenu();
        auto enabled = [menu](const char *name) {
            QAction *a = menu->entry(QString::fromLatin1(name));
            return a && a->isEnabled();
        };
        menu->prepare();
        QVERIFY(!enabled("ItemOpen"));
        QVERIFY(!enabled("SubMenuSend"));
        QVERIFY(!enabled("ItemOpPaste"));
        QVERIFY(enabled("ItemFolder"));
        QCOMPARE(menu->entry(QStringLiteral("Send_To4"))->text(), QString::fromUtf8("Còpia"));

        f.select({QStringLiteral("a")});
        menu->prepare();
        QVERIFY(enabled("ItemOpen"));
        QVERIFY(enabled("ItemView"));
        QVERIFY(enabled("ItemRename"));
        QVERIFY(enabled("Send_To1"));
        menu->entry(QStringLiteral("ItemOpCopy"))->trigger();
        f.select({QStringLiteral("a"), QStringLiteral("b")});
        menu->prepare();
        QVERIFY(!enabled("ItemRename"));
        QVERIFY(enabled("ItemOpPaste"));
        QVERIFY(enabled("ItemView")); // the current item is the first selected, a.txt
        menu->entry(QStringLiteral("Send_To2"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), f.path(QStringLiteral("a.txt")) +
                                                        QLatin1Char('\n') +
                                                        f.path(QStringLiteral("b.zip")));
        menu->entry(QStringLiteral("Send_To4"))->trigger();
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("send/a.txt"))));
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("send/b.zip"))));

        f.list->chooseFolder = [&](QWidget *, const QString &start) {
            [&] { QCOMPARE(start, f.dir.path()); }();
            return f.path(QStringLiteral("Fotos-no"));
        };
        menu->entry(QStringLiteral("Send_To0"))->trigger(); // a folder that is not there

        f.select({QStringLiteral("b")});
        menu->prepare();
        QVERIFY(!enabled("ItemView"));
        QVERIFY(!enabled("Send_To1"));
        f.select({QStringLiteral("a")});
        menu->prepare();
        menu->entry(QStringLiteral("Send_To1"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("x"));

        // Attributes through the dialog's answer.
        f.list->askAttributes = [](QWidget *, const QString &name, const FileAttributes &a) {
            [&] {
                QCOMPARE(name, QStringLiteral("a.txt"));
                QVERIFY(!a.readOnly);
            }();
            FileAttributes changed = a;
            changed.readOnly = true;
            return std::optional<FileAttributes>(changed);
        };
        menu->entry(QStringLiteral("ItemFileAttr"))->trigger();
        QCOMPARE(f.list->listModel().item(f.row(QStringLiteral("a")))->texts[3],
                 QStringLiteral("R"));
        f.select({QStringLiteral("a")});
        menu->prepare();
        menu->entry(QStringLiteral("ItemRename"))->trigger();
        QCOMPARE(f.prompter.texts(), QStringList{QString::fromUtf8("És de sols lectura")});

        f.show(QStringLiteral("Dispositiu"));
        menu->prepare();
        QVERIFY(!enabled("ItemFolder"));
        QCOMPARE(f.list->model()->headerData(3, Qt::Horizontal).toString(),
                 QStringLiteral("Espai lliure"));
        QVERIFY(f.list->model()->rowCount() >= 1);
    }

    void attributesDialog()
    {
        TFFileAttributes dialog(QStringLiteral("a.txt"), {true, false, true, false});
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Modificació d'atributs"));
        dialog.readOnlyBox()->setChecked(true);
        const FileAttributes a = dialog.attributes();
        QVERIFY(a.readOnly);
        QVERIFY(a.archive);
        QVERIFY(a.hidden);
    }

    void shots()
    {
        const QString shots = qEnvironmentVariable("PELVAR_TEST_SHOTS");
        if (shots.isEmpty())
            return;
        ViewFixture f;
        f.show(QStringLiteral("Dispositiu"));
        showAndActivate(f.host);
        f.host.grab().save(QDir(shots).filePath(QStringLiteral("dispositius.png")));
        f.show(QStringLiteral("/usr/share/doc"));
        f.list->selectionModel()->select(f.list->model()->index(3, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        f.list->popupMenu()->prepare();
        f.list->popupMenu()->popup(f.host.mapToGlobal(QPoint(100, 100)));
        QTest::qWait(100);
        f.list->popupMenu()->grab().save(QDir(shots).filePath(QStringLiteral("menu.png")));
        f.list->popupMenu()->hide();
    }
};

QTEST_MAIN(FileListViewTest)
#include "FileListViewTest.moc"
