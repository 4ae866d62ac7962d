// Every example, adapted as the welcome dialog leaves it, played from start to end in the main
// window: manual lists slide by slide, automatic ones on the fake clock. Where a slide offers
// radio answers the last one is chosen, so that the reactions run, those taken from the meaning
// tables too. No message may say that a file, a track or a table entry is missing.
//
// With PELVAR_EXAMPLE_SHOTS set to a folder, the window is saved there at each slide shown, as
// "<list> <n>.png".

#include "files/TextCodec.h"
#include "player/PlayerEngine.h"
#include "player/StartupArgs.h"
#include "player/ui/TFShowImages.h"
#include "slides/ui/WebEngineSetup.h"
#include "support/AudioTestHelpers.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/FakeShell.h"
#include "support/WindowTest.h"
#include "users/SampleInstallation.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Fragments of the messages that mean an example is broken.
const QString kFaults[] = {u"no s'ha trobat"_s, u"No s'ha trobat"_s,
                           u"no es pot visualitzar/escoltar"_s, u"Línia "_s};

struct Played
{
    int slides = 0;
    QStringList messages;
    QStringList titles;
    int reactionWindows = 0; // windows a choice opened beside the main one
};

} // namespace

class ExamplesPlayTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QTemporaryDir m_plugins;
    QString m_examples;

    Played play(const QString &list)
    {
        const ScopedDefaultPcm nullOutput;
        FakePrompter prompter;
        FakeScheduler clock;
        FakeShell shell;
        TFShowImages w(prompter, clock);
        w.setShell(shell);
        w.audioPlayers().AddPluginsIn(m_plugins.path());
        w.resize(900, 680);
        showAndActivate(w);
        StartupArgs args;
        args.fileArgument = list;
        w.startUp(args, false);
        Played played;
        if (!w.engine().session().PresentationReady) {
            played.messages = prompter.texts();
            return played;
        }
        // Each question's captions and its right one, so that a wrong one can be chosen.
        QList<QPair<QSet<QString>, QString>> questions;
        {
            QFile f(list);
            if (f.open(QIODevice::ReadOnly))
                for (const QString &line : splitTextLines(decodeWindows1252(f.readAll()))) {
                    QSet<QString> captions;
                    QString right;
                    for (const QString &a : line.section(u'\t', 3, 3).split(u'|')) {
                        const QString caption = a.section(u"//"_s, 0, 0);
                        captions << (caption.startsWith(u'*') ? caption.mid(1) : caption);
                        if (caption.startsWith(u'*'))
                            right = caption.mid(1);
                    }
                    questions.append({captions, right});
                }
        }
        const bool manual = w.engine().session().Settings.ManualViewing;
        const QString shots = qEnvironmentVariable("PELVAR_EXAMPLE_SHOTS");
        const QString name = QFileInfo(list).completeBaseName();
        w.action(PlayerAction::A_V_InitNext)->trigger();
        int last = -1;
        QString lastTitle;
        bool picked = false;
        for (int step = 0; step < 80 && w.engine().state().Presenting; ++step) {
            QCoreApplication::processEvents();
            const int now = w.engine().state().Position;
            if (now != last || w.windowTitle() != lastTitle) {
                ++played.slides;
                picked = false;
                last = now;
                lastTitle = w.windowTitle();
                played.titles << lastTitle;
                if (!shots.isEmpty() && played.slides <= 14)
                    w.grab().save(u"%1/%2 %3.png"_s.arg(shots, name)
                                      .arg(played.slides, 2, 10, QLatin1Char('0')));
            }
            // A wrong choice shows its reaction; the choice is made once per slide.
            QList<QRadioButton *> radios;
            QSet<QString> shown;
            for (QRadioButton *r : w.findChildren<QRadioButton *>())
                if (r->isVisible() && r->isEnabled() && !r->isChecked()) {
                    radios << r;
                    shown << r->text().remove(u'&');
                }
            QString right;
            for (const auto &[captions, caption] : questions)
                if (captions == shown)
                    right = caption;
            QRadioButton *pick = nullptr;
            for (QRadioButton *r : radios)
                if (r->text().remove(u'&') != right)
                    pick = r;
            if (pick && !picked) {
                picked = true;
                pick->click();
                QCoreApplication::processEvents();
                for (QWidget *top : QApplication::topLevelWidgets())
                    if (top != &w && top->isVisible()) {
                        ++played.reactionWindows;
                        top->close();
                    }
                continue;
            }
            if (manual) {
                w.action(PlayerAction::A_V_InitNext)->trigger();
            } else {
                const qint64 due = clock.nextDueInMs();
                if (due < 0)
                    break;
                clock.advance(std::max<qint64>(due, 1));
            }
        }
        if (w.engine().state().Presenting)
            w.action(PlayerAction::A_V_Stop)->trigger();
        QCoreApplication::processEvents();
        played.messages = prompter.texts();
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != &w && top->isVisible())
                top->close();
        return played;
    }

public:
    // The web slides' engine is set up before the application starts, as the program does.
    static void initMain() { prepareWebEngine(); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid() && m_plugins.isValid());
        m_examples = m_home.filePath(u"Exemples"_s);
        QVERIFY(installSamples(examplesPlace(QStringLiteral(PELVAR_EXAMPLES_DIR), true, m_examples))
                    .ok());
        QFile::copy(QStringLiteral(AUDPLUG_PATH), m_plugins.filePath(u"audplug.apq"_s));
        QFile::copy(QStringLiteral(FFPLUG_PATH), m_plugins.filePath(u"ffplug.apq"_s));
        const QString shots = qEnvironmentVariable("PELVAR_EXAMPLE_SHOTS");
        if (!shots.isEmpty())
            QDir().mkpath(shots);
    }

    void eachExamplePlaysToTheEnd_data()
    {
        QTest::addColumn<QString>("list");
        QDirIterator it(QStringLiteral(PELVAR_EXAMPLES_DIR), {u"*.sal"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
        QStringList lists;
        while (it.hasNext())
            lists << QDir(QStringLiteral(PELVAR_EXAMPLES_DIR)).relativeFilePath(it.next());
        lists.sort();
        for (const QString &l : lists)
            QTest::newRow(qPrintable(l)) << l;
    }

    void eachExamplePlaysToTheEnd()
    {
        QFETCH(QString, list);
        const Played played = play(m_examples + u'/' + list);
        QVERIFY2(played.slides >= 3, qPrintable(u"%1 slides"_s.arg(played.slides)));
        for (const QString &m : played.messages)
            for (const QString &fault : kFaults)
                QVERIFY2(!m.contains(fault), qPrintable(m));
        // The word table answers a wrong choice with the capital of the country chosen.
        if (list.endsWith(u"Banderes2.sal"_s)) {
            bool told = false;
            for (const QString &m : played.messages)
                told = told || m.contains(u"La capital és"_s);
            QVERIFY2(told, qPrintable(played.messages.join(u" / "_s)));
        }
        // A wrong choice in a list with a picture table shows the picture of the answer chosen.
        if (QFileInfo::exists(m_examples + u'/' + list.chopped(4) + u".sml"_s) &&
            !list.contains(u"Ocells2"_s) && !list.contains(u"Ocells3"_s) &&
            !list.contains(u"Esquelet2"_s))
            QVERIFY2(played.reactionWindows > 0, qPrintable(list));
        // The first list of the automatic pair goes on into the second, with its windmill.
        if (list.endsWith(u"Arquitectura1.sal"_s))
            QVERIFY2(played.titles.join(u'\n').contains(u"molí"_s),
                     qPrintable(played.titles.join(u" / "_s)));
    }
};

QTEST_MAIN(ExamplesPlayTest)
#include "ExamplesPlayTest.moc"
