#include "editors/ui/TFAudioFilesFilter.h"
#include "editors/ui/TFChangeDir.h"
#include "editors/ui/TFEdiOptions.h"
#include "editors/ui/TFEdiOptionsSAL.h"
#include "editors/ui/TFFavoriteDirs.h"
#include "editors/ui/TFFilesFilter.h"
#include "editors/ui/TFSelectDirWhereCopy.h"
#include "editors/ui/TFSelectDirWhereCopyMove.h"
#include "editors/ui/TFShImageToMark.h"
#include "files/HelpRequester.h"
#include "files/ui/DialogHelp.h"
#include "files/ui/RecordNavigator.h"
#include "files/ui/TLsDirTree20.h"
#include "media/ui/TAdvImageNew.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/WindowTest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

struct RecordingHelp : HelpRequester
{
    QStringList asked;
    void showHelpContext(int context) override { asked << QString::number(context); }
    void showHelpTopic(const QString &topic) override { asked << topic; }
    void showHelpContents() override { asked << QStringLiteral("contents"); }
};

// The help a dialog asks for by F1 and by its "Ajuda" button: nothing before help is given.
template <typename D> QStringList askHelp(D &dialog)
{
    RecordingHelp recording;
    showAndActivate(dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    QStringList out = recording.asked; // nothing yet: no help given
    dialog.setHelp(&recording);
    QTest::keyClick(&dialog, Qt::Key_F1);
    dialog.help()->button()->click();
    out << recording.asked;
    dialog.setHelp(nullptr);
    dialog.close();
    return out;
}

QString errorShown(const FakePrompter &p)
{
    return p.shown.empty() ? QString() : p.shown.back().text;
}

} // namespace

class EditorDialogsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filesFilterRefusesNoKind()
    {
        FakePrompter prompter;
        FileFilterSet none;
        none[FileFilterKind::Sal] = true; // no box for it in a table's filter
        TFFilesFilter dialog(none, ListContents::FilesOnly, prompter);
        QVERIFY(!dialog.box(FileFilterKind::Sal) && !dialog.box(FileFilterKind::Exe));
        dialog.show();
        dialog.accept();
        QCOMPARE(errorShown(prompter), QStringLiteral("No hi ha cap tipus d'arxiu seleccionat"));
        QCOMPARE(prompter.shown.back().kind, MsgKind::Error);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        dialog.box(FileFilterKind::Jpeg)->setChecked(true);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        QCOMPARE(fileListMask(dialog.filter(), ListContents::FilesOnly),
                 QStringLiteral("*.jpg;*.jpeg;*.png"));
        // The kind without a box keeps its value.
        QVERIFY(dialog.filter()[FileFilterKind::Sal]);
    }

    void filesFilterAllTicksTheBoxesShown()
    {
        FakePrompter prompter;
        TFFilesFilter dialog(FileFilterSet(), ListContents::WithListsAndPrograms, prompter);
        QVERIFY(dialog.box(FileFilterKind::Sal) && dialog.box(FileFilterKind::Exe));
        QCOMPARE(dialog.box(FileFilterKind::Html)->text(), QStringLiteral("htm, html, mht"));
        dialog.allButton()->click();
        FileFilterSet all;
        all.on.fill(true);
        QCOMPARE(dialog.filter(), all);
        QVERIFY(prompter.shown.empty());
    }

    void filterDialogsAskForTheirHelp()
    {
        FakePrompter prompter;
        TFFilesFilter slides(FileFilterSet(), ListContents::WithListsAndPrograms, prompter);
        QCOMPARE(askHelp(slides), (QStringList{QStringLiteral("1051"), QStringLiteral("1051")}));
        TFFilesFilter table(FileFilterSet(), ListContents::FilesOnly, prompter);
        QCOMPARE(askHelp(table), (QStringList{QStringLiteral("1050"), QStringLiteral("1050")}));
        TFAudioFilesFilter audio(0);
        QCOMPARE(askHelp(audio), (QStringList{QStringLiteral("1052"), QStringLiteral("1052")}));
    }

    void audioFilterChoice()
    {
        TFAudioFilesFilter dialog(3);
        QVERIFY(dialog.choice(3)->isChecked());
        QCOMPARE(dialog.choice(3)->text(),
                 QStringLiteral("Arxius d'àudio de MPEG (*.mp3;*.mp2;*.mp1)"));
        dialog.choice(5)->setChecked(true);
        QCOMPARE(dialog.audioFilterIndex(), 5);
        // A damaged settings file's index shows every track chosen.
        TFAudioFilesFilter damaged(17);
        QCOMPARE(damaged.audioFilterIndex(), 0);
    }

    void editOptionsStoreOnlyWhenAccepted()
    {
        FakePrompter prompter;
        ProgramOptions given;
        given.EdiSMLSortFN = 2; // not the dialog's: must come back untouched
        TFEdiOptions dialog(given, prompter);
        QVERIFY(dialog.CB_TrimSpaces->isChecked());
        QCOMPARE(dialog.E_MaxBmpFileSize->text(), QStringLiteral("5000000"));
        QCOMPARE(dialog.E_MaxOthersImgFileSize->text(), QStringLiteral("500000"));
        QVERIFY(dialog.CB_HidePathExtInRigthPanel->isChecked());
        QVERIFY(!dialog.CB_FilesAutomaticReread->isChecked());
        dialog.CB_TrimSpaces->setChecked(false);
        dialog.CB_HidePathExtInRigthPanel->setChecked(false);
        dialog.CB_FilesAutomaticReread->setChecked(true);
        dialog.E_MaxBmpFileSize->setText(QStringLiteral("200000"));
        dialog.E_MaxOthersImgFileSize->setText(QStringLiteral("20000"));
        QVERIFY(dialog.options().OnBPostEdit_TrimSpaces); // not yet accepted
        dialog.show();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const ProgramOptions &o = dialog.options();
        QVERIFY(!o.OnBPostEdit_TrimSpaces && !o.HidePathExtInRigthPanel);
        QVERIFY(o.FilesAutomaticReread);
        QCOMPARE(o.MaxBmpFileSize, 200000);
        QCOMPARE(o.MaxOthersImgFileSize, 20000);
        QCOMPARE(o.EdiSMLSortFN, 2);
        QVERIFY(prompter.shown.empty());
    }

    // A limit under its minimum is named in the refusal and nothing is stored.
    void editOptionsRefuseSmallLimits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("bmp") << QStringLiteral("E_MaxBmpFileSize") << QStringLiteral("199999")
                             << QStringLiteral("El valor de 'Bytes per bmp' ha de ser un número "
                                               "enter no inferior a 200000");
        QTest::newRow("others, empty")
            << QStringLiteral("E_MaxOthersImgFileSize") << QString()
            << QStringLiteral("El valor de 'Bytes per gif, jpg, jpeg, wmf' ha de ser un número "
                              "enter no inferior a 20000");
    }
    void editOptionsRefuseSmallLimits()
    {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QString, message);
        FakePrompter prompter;
        TFEdiOptions dialog(ProgramOptions(), prompter);
        dialog.findChild<QLineEdit *>(edit)->setText(text);
        dialog.CB_FilesAutomaticReread->setChecked(true);
        dialog.show();
        dialog.accept();
        QCOMPARE(errorShown(prompter), message);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.options().FilesAutomaticReread);
    }

    void slideListOptionsRoundTrip()
    {
        FakePrompter prompter;
        ProgramOptions given;
        given.OnAppend_PRandomAnswer = true;
        given.SetPosNumberFNAtEnd = true;
        given.OnBPostEdit_UpCase1stCharDownP = true;
        TFEdiOptionsSAL dialog(given, true, prompter);
        QVERIFY(!dialog.CB_PWithAnswer->isChecked() && dialog.CB_PRandomAnswer->isChecked());
        QVERIFY(dialog.RB_NumberAtEnd->isChecked());
        QVERIFY(dialog.CB_NoNumberForSketchIndex->isChecked());
        QVERIFY(!dialog.CB_UpCase1stCharUpPanel->isChecked());
        QVERIFY(dialog.CB_UpCase1stCharDownPanel->isChecked());
        // The shared options are there too.
        QVERIFY(dialog.CB_TrimSpaces->isVisibleTo(&dialog));

        dialog.CB_PWithAnswer->setChecked(true);
        dialog.CB_PWithPromptForAnswer->setChecked(true);
        dialog.CB_PRandomAnswer->setChecked(false);
        dialog.RB_NumberAtStart->setChecked(true);
        dialog.CB_NoNumberForSketchIndex->setChecked(false);
        dialog.CB_UpCase1stCharUpPanel->setChecked(true);
        dialog.CB_UpCase1stCharDownPanel->setChecked(false);
        dialog.CB_FilesAutomaticReread->setChecked(true);
        // A refused OK keeps the flag as it came.
        dialog.E_MaxBmpFileSize->setText(QStringLiteral("5"));
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.noNumberForSketchIndex());
        QVERIFY(dialog.options().OnAppend_PRandomAnswer);
        dialog.E_MaxBmpFileSize->setText(QStringLiteral("300000"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const ProgramOptions &o = dialog.options();
        QVERIFY(o.OnAppend_PWithAnswer && o.OnAppend_PWithPromptForAnswer);
        QVERIFY(!o.OnAppend_PRandomAnswer && !o.SetPosNumberFNAtEnd);
        QVERIFY(o.OnBPostEdit_UpCase1stCharUpP && !o.OnBPostEdit_UpCase1stCharDownP);
        QVERIFY(o.FilesAutomaticReread);
        QCOMPARE(o.MaxBmpFileSize, 300000);
        QVERIFY(!dialog.noNumberForSketchIndex());
    }

    void optionDialogsAskForTheirHelp()
    {
        FakePrompter prompter;
        TFEdiOptions base(ProgramOptions(), prompter);
        QCOMPARE(askHelp(base), (QStringList{QStringLiteral("1080"), QStringLiteral("1080")}));
        TFEdiOptionsSAL slides(ProgramOptions(), false, prompter);
        QCOMPARE(askHelp(slides), (QStringList{QStringLiteral("1081"), QStringLiteral("1081")}));
    }

    void changeDirScopesAndFolder()
    {
        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkpath(QStringLiteral("Fotos/Estiu")));
        const QString fotos = tmp.filePath(QStringLiteral("Fotos"));
        FakePrompter prompter;
        FakeShell shell;
        TFChangeDir none(fotos, false, prompter, shell);
        QCOMPARE(none.tree()->SelectedPath(), fotos);
        QVERIFY(none.scopeButton(ChangeDirScope::All)->isChecked());
        QVERIFY(none.scopeButton(ChangeDirScope::All)->isEnabled());
        for (auto s : {ChangeDirScope::Selected, ChangeDirScope::SelectedMatching,
                       ChangeDirScope::AllMatching})
            QVERIFY(!none.scopeButton(s)->isEnabled());
        QVERIFY(none.minimumSize().width() >= 317 && none.minimumSize().height() >= 286);

        TFChangeDir dialog(fotos, true, prompter, shell);
        QVERIFY(dialog.scopeButton(ChangeDirScope::AllMatching)->isEnabled());
        dialog.scopeButton(ChangeDirScope::SelectedMatching)->setChecked(true);
        dialog.tree()->OpenPath(tmp.filePath(QStringLiteral("Fotos/Estiu")));
        dialog.show();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.choice().directory, tmp.filePath(QStringLiteral("Fotos/Estiu")));
        QCOMPARE(dialog.choice().scope, ChangeDirScope::SelectedMatching);
        QVERIFY(prompter.shown.empty());
    }

    // The root of the tree, or a last directory that no longer exists, is not a place rows may
    // be sent to.
    void changeDirRefusesNoFolder()
    {
        FakePrompter prompter;
        FakeShell shell;
        TFChangeDir dialog(QStringLiteral("/no/hi/és/aquesta/carpeta"), true, prompter, shell);
        QCOMPARE(dialog.tree()->SelectedPath(), QStringLiteral("Dispositiu"));
        dialog.show();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(errorShown(prompter), QStringLiteral("No s'ha trobat el directori 'Dispositiu'"));
    }

    void destinationDialogs()
    {
        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkpath(QStringLiteral("Còpia")));
        const QString target = tmp.filePath(QStringLiteral("Còpia"));
        FakePrompter prompter;
        FakeShell shell;
        CopyMoveChoices last;
        last.destination = target;
        last.allToOneDirectory = false;
        last.copyPresentationFiles = true;
        last.redirectDirs = true;

        TFSelectDirWhereCopy copy(last, prompter, shell);
        QCOMPARE(copy.findChild<QGroupBox *>(QStringLiteral("RG_WhereSend"))->title(),
                 QStringLiteral("Si copia des de directoris diferents, els envia:"));
        QCOMPARE(copy.choices(), last);
        copy.RB_OneDirectory->setChecked(true);
        copy.CB_RedirectDirs->setChecked(false);
        copy.show();
        copy.accept();
        QCOMPARE(copy.result(), int(QDialog::Accepted));
        CopyMoveChoices chosen = copy.choices();
        QVERIFY(chosen.allToOneDirectory && !chosen.redirectDirs && chosen.copyPresentationFiles);
        QCOMPARE(chosen.destination, target);

        // The moving dialog has no redirection box: its choice comes back as it was kept.
        TFSelectDirWhereCopyMove move(chosen, prompter, shell);
        QVERIFY(!move.findChild<QCheckBox *>(QStringLiteral("CB_RedirectDirs")));
        QCOMPARE(move.findChild<QGroupBox *>(QStringLiteral("RG_WhereSend"))->title(),
                 QStringLiteral("Si mou des de directoris diferents, els envia:"));
        QCOMPARE(move.windowTitle(), QStringLiteral("Selecció del directori de destí"));
        move.CB_CopyPresentationFiles->setChecked(false);
        QStringList judged;
        move.setCdCheck([&judged](const QString &folder) {
            judged << folder;
            return true;
        });
        move.show();
        move.accept();
        QCOMPARE(errorShown(prompter), QStringLiteral("No es pot copiar o moure arxius a un CD"));
        QCOMPARE(move.result(), int(QDialog::Rejected));
        QCOMPARE(judged, QStringList{target});
        move.setCdCheck([](const QString &) { return false; });
        move.accept();
        QCOMPARE(move.result(), int(QDialog::Accepted));
        QVERIFY(!move.choices().copyPresentationFiles);
        QCOMPARE(prompter.shown.size(), std::size_t(1));
    }

    void folderDialogsAskForTheirHelp()
    {
        FakePrompter prompter;
        FakeShell shell;
        TFChangeDir change(QDir::tempPath(), false, prompter, shell);
        QCOMPARE(askHelp(change), (QStringList{QStringLiteral("1094"), QStringLiteral("1094")}));
        TFSelectDirWhereCopy copy(CopyMoveChoices(), prompter, shell);
        QCOMPARE(askHelp(copy), (QStringList{QStringLiteral("1027"), QStringLiteral("1027")}));
        TFSelectDirWhereCopyMove move(CopyMoveChoices(), prompter, shell);
        QCOMPARE(askHelp(move), (QStringList{QStringLiteral("1028"), QStringLiteral("1028")}));
    }

    void favoriteDirsInsertAndSort()
    {
        QTemporaryDir tmp;
        FakePrompter prompter;
        const QString tree = tmp.path();
        TFFavoriteDirs w({QStringLiteral("/srv/b"), QStringLiteral("/srv/A")}, tree, prompter);
        QCOMPARE(w.grid()->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Directori"));
        QCOMPARE(w.navigator()->button(RecordNavigator::Button::Insert)->toolTip(),
                 QStringLiteral("Afegeix un directori"));
        w.navigator()->button(RecordNavigator::Button::Insert)->click();
        QCOMPARE(w.favDirs(),
                 (QStringList{tree, QStringLiteral("/srv/b"), QStringLiteral("/srv/A")}));
        QCOMPARE(w.navigator()->currentRow(), 0);
        // The same text twice is refused by the action as by the button.
        w.action(QStringLiteral("A_G_Insert"))->trigger();
        QCOMPARE(errorShown(prompter),
                 QStringLiteral("Ja existeix el directori '%1' a la llista").arg(tree));
        QCOMPARE(w.favDirs().size(), 3);
        w.action(QStringLiteral("A_G_Sort"))->trigger();
        QCOMPARE(w.favDirs(),
                 QStringList({QStringLiteral("/srv/A"), QStringLiteral("/srv/b"), tree}));
        // The current directory stays current through the sort.
        QCOMPARE(w.navigator()->currentRow(), 2);

        // Nothing chosen in the tree: nothing is inserted, nothing is said.
        TFFavoriteDirs rootOnly({}, QStringLiteral("Dispositiu"), prompter);
        rootOnly.insertDirectory();
        QVERIFY(rootOnly.favDirs().isEmpty());
        QCOMPARE(prompter.shown.size(), std::size_t(1));
    }

    void favoriteDirsChoose()
    {
        QTemporaryDir tmp;
        FakePrompter prompter;
        const QString gone = tmp.filePath(QStringLiteral("esborrat"));
        TFFavoriteDirs w({gone, tmp.path()}, QString(), prompter);
        showAndActivate(w);
        const QSize opened = w.size();
        QCOMPARE(w.minimumSize(), opened);
        w.action(QStringLiteral("A_G_Select"))->trigger();
        QCOMPARE(errorShown(prompter),
                 QStringLiteral("No s'ha trobat el directori '%1'").arg(gone));
        QVERIFY(w.isVisible() && !w.accepted());
        // A double click on an existing directory chooses it.
        const QModelIndex second = w.grid()->model()->index(1, 0);
        w.grid()->setCurrentIndex(second);
        Q_EMIT w.grid()->doubleClicked(second);
        QVERIFY(w.accepted());
        QVERIFY(!w.isVisible());
        QCOMPARE(w.chosenDirectory(), tmp.path());
        QCOMPARE(w.favDirs(), (QStringList{gone, tmp.path()}));
    }

    // What is typed in the grid is kept when the window closes; Esc closes without a choice.
    void favoriteDirsEditingAndEscape()
    {
        FakePrompter prompter;
        TFFavoriteDirs w({QStringLiteral("/a")}, QString(), prompter);
        RecordingHelp help;
        w.setHelp(&help);
        showAndActivate(w);
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(help.asked, QStringList{QStringLiteral("1073")});
        w.grid()->setFocus();
        w.grid()->setCurrentIndex(w.grid()->model()->index(0, 0));
        QTest::keyClick(w.grid(), Qt::Key_F2);
        QWidget *editor = w.grid()->indexWidget(w.grid()->currentIndex());
        QVERIFY(editor);
        auto *line = qobject_cast<QLineEdit *>(editor);
        QVERIFY(line);
        line->setText(QStringLiteral("/b"));
        w.close();
        QCOMPARE(w.favDirs(), QStringList{QStringLiteral("/b")});
        QVERIFY(!w.accepted());

        TFFavoriteDirs esc({QStringLiteral("/a")}, QString(), prompter);
        showAndActivate(esc);
        QTest::keyClick(&esc, Qt::Key_Escape);
        QVERIFY(!esc.isVisible() && !esc.accepted());
        QVERIFY(prompter.shown.empty());

        // Shown modally, it returns the choice when it closes.
        QTemporaryDir tmp;
        TFFavoriteDirs modal({tmp.path()}, QString(), prompter);
        QTimer::singleShot(0, &modal, [&modal] {
            QVERIFY(QApplication::activeModalWidget() == &modal);
            modal.action(QStringLiteral("A_G_Select"))->trigger();
        });
        QVERIFY(modal.exec());
        QCOMPARE(modal.chosenDirectory(), tmp.path());
    }

    void imageToMark()
    {
        QTemporaryDir tmp;
        const QString file = tmp.filePath(QStringLiteral("paisatge.png"));
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(file));
        PresentationSettings s;
        s.ImgAmpliationEnabled = true;
        s.ImgAmpliation = 300;
        TFShImageToMark w(file, QPoint(-1, -1), s, nullptr);
        QCOMPARE(w.windowTitle(), QStringLiteral("paisatge.png"));
        QVERIFY(w.hasPicture());
        RecordingHelp help;
        w.setHelp(&help);
        showAndActivate(w);
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        // Enlarged as the player enlarges it, up to the room there is.
        const QRect drawn = w.view()->Image().pictureRect();
        QVERIFY2(drawn.width() > 200 && drawn.width() <= 600,
                 qPrintable(QString::number(drawn.width())));
        QTest::mouseClick(w.view(), Qt::LeftButton, {},
                          drawn.topLeft() + QPoint(drawn.width() / 4, drawn.height() / 2));
        QVERIFY(qAbs(w.markPos().x() - 250) <= 5);
        QVERIFY(qAbs(w.markPos().y() - 500) <= 10);
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(help.asked, QStringList{QStringLiteral("1121")});
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(qAbs(w.markPos().x() - 250) <= 5);

        // A mark given is shown; a file that cannot be shown keeps it.
        TFShImageToMark missing(tmp.filePath(QStringLiteral("no.png")), QPoint(100, 900), s,
                                nullptr);
        QVERIFY(!missing.hasPicture());
        showAndActivate(missing);
        QTest::mouseClick(missing.view(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(missing.markPos(), QPoint(100, 900));
    }
};

QTEST_MAIN(EditorDialogsTest)
#include "EditorDialogsTest.moc"
