// The program's help: the compiled collection has a page for every help context the windows
// use, the help window opens a context at its page, a missing or damaged collection is
// reported, and F1 and the "Ajuda" entries ask the help for the right context.

#include "config/TModIniLS.h"
#include "config/ui/TFConfigDialogs.h"
#include "files/HelpContexts.h"
#include "files/HelpRequester.h"
#include "files/ui/DialogHelp.h"
#include "files/ui/HelpBrowser.h"
#include "files/ui/HelpWindow.h"
#include "files/ui/ProgramHelp.h"
#include "options/ui/InFormalOptionsController.h"
#include "options/ui/OptionsController.h"
#include "options/ui/TFInFormalOptions.h"
#include "options/ui/TFSetColorsOrImageToPanel.h"
#include "player/ui/TFShowImages.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/WindowTest.h"
#include "users/Identification.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/QtIdentificationDialogs.h"
#include "users/ui/TFAdminisUsersDomains.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngineCore>
#include <QHelpIndexWidget>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

struct RecordingHelp : HelpRequester
{
    QStringList asked;
    void showHelpContext(int context) override { asked << QString::number(context); }
    void showHelpTopic(const QString &topic) override { asked << topic; }
    void showHelpContents() override { asked << QStringLiteral("contents"); }
    void showHelpIndex() override { asked << QStringLiteral("index"); }
};

const QString kCollection = QStringLiteral(PELVAR_HELP_COLLECTION);

// Presses F1 where the keyboard is in `window` (the focused control, else the window itself),
// once the window is active.
bool pressHelpKey(QWidget &window)
{
    // A dialog's own dialog counts as active with its owner; the key needs it to be the window.
    window.activateWindow();
    if (!QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }))
        return false;
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == &window ? focus : &window, Qt::Key_F1);
    return true;
}

QString readSource(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every source file of the program, by path.
QMap<QString, QString> programSources()
{
    QMap<QString, QString> out;
    QDirIterator it(QStringLiteral(PELVAR_SOURCE_DIR "/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(path, readSource(path));
    }
    return out;
}

} // namespace

class HelpTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each context of the registry, and the two topics of the common help entries, opens a page
    // of the compiled help, and the page holds the anchor the address names.
    void everyContextHasItsPage()
    {
        FakePrompter prompter;
        ProgramHelp help(kCollection, prompter);
        // The welcome dialog opens the examples' page by its topic name.
        QStringList ids{QStringLiteral("Introduction"), QStringLiteral("MainWindow"),
                        QStringLiteral("exemples")};
        for (const HelpContextEntry &e : helpContexts())
            ids << QString::number(helpNumber(e.context));
        QStringList missing;
        for (const QString &id : ids) {
            const QUrl page = help.pageFor(id);
            if (page.isEmpty()) {
                missing << id;
                continue;
            }
            QHelpEngineCore engine(kCollection);
            engine.setReadOnly(true);
            QVERIFY(engine.setupData());
            const QByteArray html = engine.fileData(page);
            QVERIFY2(!html.isEmpty(), qPrintable(page.toString()));
            if (page.hasFragment())
                QVERIFY2(html.contains("id=\"" + page.fragment().toUtf8() + '"'),
                         qPrintable(page.toString() + QStringLiteral(" has no such anchor")));
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no help page for: ") +
                                               missing.join(QStringLiteral(", "))));
        QVERIFY(prompter.shown.empty());
    }

    // Every link and picture of every page points at a page, anchor or picture the compiled
    // help holds: a page renamed or a picture left out of the project shows as an empty page.
    void pagesLinkOnlyToWhatTheHelpHolds()
    {
        QHelpEngineCore engine(kCollection);
        engine.setReadOnly(true);
        QVERIFY(engine.setupData());
        const QString ns = QStringLiteral("cat.pelvar.ajuda");
        const QList<QUrl> pages = engine.files(ns, QString(), QStringLiteral("html"));
        QVERIFY(pages.size() >= 20);
        static const QRegularExpression ref(QStringLiteral("(href|src)=\"([^\"]+)\""));
        QStringList broken;
        int pictures = 0;
        for (const QUrl &page : pages) {
            const QString html = QString::fromUtf8(engine.fileData(page));
            for (auto m = ref.globalMatch(html); m.hasNext();) {
                const auto match = m.next();
                const QString target = match.captured(2);
                if (target.startsWith(QLatin1String("http")) ||
                    target.startsWith(QLatin1String("mailto:")))
                    continue;
                const QUrl url = page.resolved(QUrl(target));
                const QByteArray data = engine.fileData(url.adjusted(QUrl::RemoveFragment));
                if (data.isEmpty()) {
                    broken << page.fileName() + QStringLiteral(": ") + target;
                    continue;
                }
                if (match.captured(1) == QLatin1String("src"))
                    ++pictures;
                if (url.hasFragment() && !data.contains("id=\"" + url.fragment().toUtf8() + '"'))
                    broken << page.fileName() + QStringLiteral(": ") + target;
            }
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QStringLiteral("\n"))));
        QVERIFY2(pictures >= 6, qPrintable(QString::number(pictures)));
    }

    // A window that uses a context the registry does not list, or a bare number, would open a
    // help the test above never checked.
    void windowsUseOnlyListedContexts()
    {
        const QMap<QString, QString> sources = programSources();
        QMap<QString, int> valueOf;
        const QRegularExpression enumerator(QStringLiteral(R"((\w+)\s*=\s*(\d+),)"));
        const QString registry =
            sources.value(QStringLiteral(PELVAR_SOURCE_DIR "/src/files/HelpContexts.h"));
        for (auto m = enumerator.globalMatch(registry); m.hasNext();) {
            const auto match = m.next();
            valueOf.insert(match.captured(1), match.captured(2).toInt());
        }
        QVERIFY(valueOf.contains(QStringLiteral("MainWindow")));
        QSet<int> listed;
        for (const HelpContextEntry &e : helpContexts())
            listed.insert(helpNumber(e.context));

        const QRegularExpression used(QStringLiteral(R"(HelpContext::(\w+))"));
        const QRegularExpression literal(QStringLiteral(
            R"((?:setHelp|setTopicHelpContext|setLinkHelpContext|showHelpContext)\s*\([^;]*?\b\d{3,}\b)"));
        QStringList faults;
        for (auto i = sources.cbegin(); i != sources.cend(); ++i) {
            for (auto m = used.globalMatch(i.value()); m.hasNext();) {
                const QString name = m.next().captured(1);
                if (!listed.contains(valueOf.value(name, -1)))
                    faults << QStringLiteral("%1 uses HelpContext::%2, not in helpContexts()")
                                  .arg(QFileInfo(i.key()).fileName(), name);
            }
            if (const auto m = literal.match(i.value()); m.hasMatch())
                faults << QStringLiteral("%1 gives a bare help context: %2")
                              .arg(QFileInfo(i.key()).fileName(), m.captured(0));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    }

    // One window, reused, shows each request at its page.
    void theWindowOpensAContextAtItsPage()
    {
        FakePrompter prompter;
        ProgramHelp help(kCollection, prompter);
        QVERIFY(!help.window());
        help.showHelpContext(helpNumber(HelpContext::GotoSlide));
        HelpWindow *w = help.window();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->currentPage().fileName(), QStringLiteral("anar-a-la-diapositiva.html"));
        QVERIFY(w->browser()->toPlainText().contains(QStringLiteral("Anar a la diapositiva")));

        help.showHelpContext(helpNumber(HelpContext::OrderListing));
        QCOMPARE(help.window(), w);
        QCOMPARE(w->currentPage().fileName(), QStringLiteral("llistats.html"));
        QCOMPARE(w->currentPage().fragment(), QStringLiteral("ordre"));

        help.showHelpTopic(QStringLiteral("MainWindow"));
        QCOMPARE(w->currentPage().fileName(), QStringLiteral("finestra-principal.html"));
        QVERIFY(
            w->browser()->toPlainText().contains(QStringLiteral("Seqüenciador de diapositives")));

        // A click on a title of the contents shows its page.
        auto *contents = w->findChild<QHelpContentWidget *>();
        QVERIFY(contents);
        QTRY_VERIFY(contents->model()->rowCount() > 0);
        const QModelIndex intro = contents->model()->index(0, 0);
        const QModelIndex tutorial = contents->model()->index(0, 0, intro);
        QVERIFY(tutorial.isValid());
        contents->scrollTo(tutorial);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                          contents->visualRect(tutorial).center());
        QCOMPARE(w->currentPage().fileName(), QStringLiteral("tutorial.html"));

        help.showHelpIndex();
        QCOMPARE(w->tabs()->currentIndex(), 1);
        help.showHelpContents();
        QCOMPARE(w->tabs()->currentIndex(), 0);
        QVERIFY(prompter.shown.empty());

        // A context the help has no page for says so and shows the contents.
        help.showHelpContext(4321);
        QCOMPARE(int(prompter.shown.size()), 1);
        QCOMPARE(prompter.shown[0].kind, MsgKind::Warning);
        QVERIFY(prompter.shown[0].text.contains(QStringLiteral("4321")));
        QCOMPARE(w->tabs()->currentIndex(), 0);
    }

    // Asked from a modal dialog, the help window belongs to the dialog while it is open (a modal
    // dialog blocks every other window) and stands alone again, whole, once it closes.
    void helpFromAModalDialogIsUsable()
    {
        FakePrompter prompter;
        ProgramHelp help(kCollection, prompter);
        TFInitialOptions dialog(0);
        dialog.setHelp(&help, helpNumber(HelpContext::InitialOptions));
        QWidget *ownerWhileOpen = nullptr;
        QTimer::singleShot(0, &dialog, [&] {
            dialog.help()->button()->click();
            if (help.window())
                ownerWhileOpen = help.window()->parentWidget();
            dialog.reject();
        });
        dialog.exec();
        QCOMPARE(ownerWhileOpen, &dialog);
        HelpWindow *w = help.window();
        QVERIFY(w);
        QVERIFY(!w->parentWidget());
        QVERIFY(w->isVisible());
        QCOMPARE(w->currentPage().fragment(), QStringLiteral("inici"));

        // A window lost some other way is made again, contents and index included.
        delete w;
        help.showHelpIndex();
        QVERIFY(help.window());
        QVERIFY(help.window()->findChild<QHelpIndexWidget *>());
        QVERIFY(help.window()->findChild<QHelpContentWidget *>());
        QVERIFY(prompter.shown.empty());
    }

    // A collection that is not there, or not a collection, gives the message and no window.
    void missingOrDamagedHelpIsReported()
    {
        QTemporaryDir dir;
        const QString damaged = dir.filePath(QStringLiteral("pelvar.qhc"));
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("no és una col·lecció d'ajuda");
        f.close();
        for (const QString &path : {dir.filePath(QStringLiteral("cap.qhc")), damaged}) {
            FakePrompter prompter;
            ProgramHelp help(path, prompter);
            help.showHelpContext(helpNumber(HelpContext::MainWindow));
            help.showHelpContents();
            QVERIFY(!help.window());
            QCOMPARE(prompter.shown.size(), std::size_t(2));
            for (const FakePrompter::Shown &s : prompter.shown) {
                QCOMPARE(s.kind, MsgKind::Error);
                QVERIFY2(s.text.startsWith(QStringLiteral("No es pot obrir l'ajuda del programa")),
                         qPrintable(s.text));
                QVERIFY(s.text.contains(QDir::toNativeSeparators(path)));
            }
        }
    }

    // The main window: F1 asks for its own context; its own help entries ask for theirs and,
    // like the common ones, wait for the help.
    void mainWindowHelpEntries()
    {
        FakePrompter prompter;
        TFShowImages w(prompter);
        const QStringList own{QStringLiteral("A_H_Tutorial"),
                              QStringLiteral("A_H_QuestionsAndAnswers"),
                              QStringLiteral("A_H_Index")};
        for (const QString &name : own)
            QVERIFY(!w.action(name)->isEnabled());
        RecordingHelp help;
        w.setHelpRequester(&help);
        showAndActivate(w);
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(help.asked, QStringList{QStringLiteral("1036")});
        help.asked.clear();
        for (const QString &name : own) {
            QVERIFY(w.action(name)->isEnabled());
            w.action(name)->trigger();
        }
        w.introductionAction()->trigger();
        w.contentsAction()->trigger();
        QCOMPARE(help.asked, (QStringList{QStringLiteral("1126"), QStringLiteral("1122"),
                                          QStringLiteral("index"), QStringLiteral("Introduction"),
                                          QStringLiteral("contents")}));

        // The acknowledgements need no help file.
        w.action(u"A_H_Acknowledgements")->trigger();
        QCOMPARE(int(prompter.shown.size()), 1);
        QCOMPARE(prompter.shown[0].kind, MsgKind::Information);
        QVERIFY(prompter.shown[0].text.contains(QStringLiteral("Qt 6")));
        QVERIFY(prompter.shown[0].text.contains(QStringLiteral("FFmpeg")));
        prompter.clear();

        w.setHelpRequester(nullptr);
        for (const QString &name : own)
            QVERIFY(!w.action(name)->isEnabled());
    }

    // F1 in a dialog asks for the dialog's context, as its Help button does; without help both
    // do nothing.
    void dialogsAskForTheirContext()
    {
        RecordingHelp help;
        TFInitialOptions initial(0);
        QVERIFY(initial.help());
        QVERIFY(!initial.help()->button()->isEnabled());
        showAndActivate(initial);
        QTest::keyClick(&initial, Qt::Key_F1);
        QVERIFY(help.asked.isEmpty());
        initial.setHelp(&help, helpNumber(HelpContext::InitialOptions));
        QTest::keyClick(&initial, Qt::Key_F1);
        initial.help()->button()->click();
        QCOMPARE(help.asked, (QStringList{QStringLiteral("1099"), QStringLiteral("1099")}));
        initial.close();

        // The go-to window as the main window opens it.
        SlideListFixture fx;
        FakePrompter prompter;
        TFShowImages w(prompter);
        w.setHelpRequester(&help);
        StartupArgs args;
        args.fileArgument = fx.list(QStringLiteral("f1.sal"),
                                    {SlideListFixture::line(fx.picture(QStringLiteral("a.png")))});
        showAndActivate(w);
        w.startUp(args, false);
        help.asked.clear();
        bool seen = false;
        bool focused = false;
        QTimer::singleShot(0, &w, [&] {
            QWidget *box = QApplication::activeModalWidget();
            if (!box)
                return;
            seen = true;
            // The key goes to the window that has the focus.
            focused = QTest::qWaitFor([box] {
                return QApplication::focusWidget() && QApplication::focusWidget()->window() == box;
            });
            if (focused)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        w.action(PlayerAction::A_V_Goto)->trigger();
        QVERIFY(seen);
        QVERIFY(focused);
        QCOMPARE(help.asked, QStringList{QStringLiteral("1035")});
    }

    // Each option dialog, as its controller opens it, asks for its own context by F1 and by its
    // "Ajuda" button; the inner formal options ask for the page shown, and the background dialog
    // they open for its own. Without help the button stays disabled and F1 asks nothing.
    void optionDialogsAskForTheirContext()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        w.engine().session().SlideLines.lines = {
            SlideListFixture::line(fx.path(QStringLiteral("a.bmp"))),
            SlideListFixture::line(fx.path(QStringLiteral("b.bmp")))};
        OptionsController options(module, w.engine(), w, prompter);
        RecordingHelp help;
        bool buttonEnabled = true;
        options.runDialog = [&](QDialog &d) {
            auto *button = d.findChild<QAbstractButton *>(QStringLiteral("BB_Help"));
            showAndActivate(d);
            buttonEnabled = button && button->isEnabled();
            if (!pressHelpKey(d))
                help.asked << QStringLiteral("not active");
            if (button)
                button->click();
            return int(QDialog::Rejected);
        };
        options.showSpeedOptions();
        QVERIFY(!buttonEnabled);
        QVERIFY(help.asked.isEmpty());

        options.setHelpRequester(&help);
        options.showModalOptions();
        options.showSpeedOptions();
        options.showOutFormalOptions();
        options.showGeneralOptions();
        QVERIFY(buttonEnabled);
        QCOMPARE(help.asked, (QStringList{QStringLiteral("1116"), QStringLiteral("1116"),
                                          QStringLiteral("1047"), QStringLiteral("1047"),
                                          QStringLiteral("1046"), QStringLiteral("1046"),
                                          QStringLiteral("1114"), QStringLiteral("1114")}));

        help.asked.clear();
        InFormalOptionsController inFormal(
            w.engine(), w, w, prompter, fx.dir() + QStringLiteral("/"), QStringLiteral("Pelvar"));
        inFormal.setHelpRequester(&help);
        bool backgroundSeen = false;
        inFormal.beforeShow = [&](TFInFormalOptions &d) {
            QTimer::singleShot(0, &d, [&] {
                for (int page = TFInFormalOptions::ImagePage; page <= TFInFormalOptions::TextPage;
                     ++page) {
                    d.showPage(page);
                    if (!pressHelpKey(d))
                        help.asked << QStringLiteral("not active");
                }
                d.BB_Help->click();
                d.showPage(TFInFormalOptions::TitlePage);
                QTimer::singleShot(0, &d, [&] {
                    auto *bg = qobject_cast<TFSetColorsOrImageToPanel *>(
                        QApplication::activeModalWidget());
                    if (!bg)
                        return;
                    backgroundSeen = true;
                    if (!pressHelpKey(*bg))
                        help.asked << QStringLiteral("not active");
                    bg->help()->button()->click();
                    bg->reject();
                });
                d.BB_SetTitlePColor->click();
                d.reject();
            });
        };
        inFormal.showDialog();
        QVERIFY(backgroundSeen);
        QCOMPARE(help.asked, (QStringList{QStringLiteral("1038"), QStringLiteral("1039"),
                                          QStringLiteral("1040"), QStringLiteral("1041"),
                                          QStringLiteral("1042"), QStringLiteral("1042"),
                                          QStringLiteral("1049"), QStringLiteral("1049")}));

        // Each of these contexts opens its own part of the help.
        ProgramHelp program(kCollection, prompter);
        QSet<QString> pages;
        for (const QString &id : std::as_const(help.asked))
            pages.insert(program.pageFor(id).toString());
        QCOMPARE(pages.size(), 6);
        QVERIFY(!pages.contains(QString()));
        QVERIFY(prompter.shown.empty());
    }

    // Each identification dialog, as the program shows it, and the password dialog it opens
    // ask for their own context by F1 and by "Ajuda"; the administrator's window asks for the
    // page shown, and its password dialog for the users page's. Every one opens its own part
    // of the help.
    void usersDialogsAskForTheirContext()
    {
        RecordingHelp help;
        FakePrompter prompter;
        QWidget owner;
        // Presses F1 and then the help button of the modal dialog in force, then closes it.
        auto askHelp = [&](QWidget *dialog) {
            if (!dialog || !pressHelpKey(*dialog)) {
                help.asked << QStringLiteral("not active");
                return;
            }
            if (auto *button = dialog->findChild<QAbstractButton *>(QStringLiteral("BB_Help")))
                button->click();
        };
        auto onNextDialog = [&](const std::function<void(QDialog &)> &act) {
            QTimer::singleShot(0, &owner, [&, act] {
                if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    act(*d);
            });
        };
        auto askAndClose = [&](QDialog &d) {
            askHelp(&d);
            d.reject();
        };

        QtIdentificationDialogs withoutHelp(prompter, &owner);
        bool buttonEnabled = true;
        onNextDialog([&](QDialog &d) {
            buttonEnabled = d.findChild<QAbstractButton *>(QStringLiteral("BB_Help"))->isEnabled();
            askAndClose(d);
        });
        QVERIFY(!withoutHelp.askUserName(QString()));
        QVERIFY(!buttonEnabled);
        QVERIFY(help.asked.isEmpty());

        QtIdentificationDialogs dialogs(prompter, &owner, &help);
        onNextDialog(askAndClose);
        QVERIFY(!dialogs.askUserName(QString()));
        onNextDialog(askAndClose);
        QVERIFY(!dialogs.askAdminPassword());
        TDMAdminUsersDomains users;
        UserPasswordCheck check(users, prompter);
        for (const QStringList &domains : {QStringList(), QStringList{QStringLiteral("Escola")}}) {
            onNextDialog([&](QDialog &d) {
                askHelp(&d);
                // The user's own password dialog, over the identification.
                onNextDialog(askAndClose);
                d.findChild<QAbstractButton *>(QStringLiteral("BB_Password"))->click();
                d.reject();
            });
            QVERIFY(!dialogs.askUserPassword(check, domains, QStringLiteral("Maria")));
        }
        QCOMPARE(
            help.asked,
            (QStringList{QStringLiteral("1105"), QStringLiteral("1105"), QStringLiteral("1101"),
                         QStringLiteral("1101"), QStringLiteral("1102"), QStringLiteral("1102"),
                         QStringLiteral("1104"), QStringLiteral("1104"), QStringLiteral("1103"),
                         QStringLiteral("1103"), QStringLiteral("1104"), QStringLiteral("1104")}));
        QStringList asked = help.asked;

        // The administrator's window from its command, each page in turn; switching the
        // password on asks for one in the password dialog.
        help.asked.clear();
        SlideListFixture fx;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        options.setUsers(users);
        options.setHelpRequester(&help);
        options.runDialog = [&](QDialog &d) {
            auto &admin = dynamic_cast<TFAdminisUsersDomains &>(d);
            showAndActivate(admin);
            for (int page = 0; page < admin.PageControl->count(); ++page) {
                admin.PageControl->setCurrentIndex(page);
                askHelp(&admin);
            }
            admin.PageControl->setCurrentIndex(0);
            onNextDialog(askAndClose);
            admin.CB_UseAdminPassword->click();
            return int(QDialog::Rejected);
        };
        options.showAdminOptions();
        QCOMPARE(help.asked, (QStringList{QStringLiteral("1109"), QStringLiteral("1109"),
                                          QStringLiteral("1110"), QStringLiteral("1110"),
                                          QStringLiteral("1111"), QStringLiteral("1111"),
                                          QStringLiteral("1109"), QStringLiteral("1109")}));
        asked << help.asked;
        // Only the password's announcement was said.
        QCOMPARE(int(prompter.shown.size()), 1);
        prompter.clear();

        ProgramHelp program(kCollection, prompter);
        QSet<QString> pages;
        for (const QString &id : std::as_const(asked))
            pages.insert(program.pageFor(id).toString());
        QCOMPARE(pages.size(), 8);
        QVERIFY(!pages.contains(QString()));
        QVERIFY(prompter.shown.empty());
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
