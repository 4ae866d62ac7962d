// Pelvar's entry point: the headless modes for scripts and tests, otherwise the player window.

#include "app/ExportContentRenderer.h"
#include "app/GuiMain.h"
#include "config/FontLookup.h"
#include "config/PresentationSettingsFile.h"
#include "config/ProgramOptions.h"
#include "config/THlpIniFLoadSave.h"
#include "config/TNewIniFile.h"
#include "editors/QuizGeneration.h"
#include "editors/SlideListRows.h"
#include "editors/SlideOverview.h"
#include "files/FileNames.h"
#include "files/ProgramLayout.h"
#include "files/Prompter.h"
#include "files/RealScheduler.h"
#include "files/ui/ProgramHelp.h"
#include "media/TAuPlayerMan.h"
#include "player/NullPlayerView.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "player/SlideOrderListing.h"
#include "presentation/PresentationCheck.h"
#include "presentation/SlideRecord.h"
#include "slides/SlideExport.h"
#include "slides/ui/WebEngineSetup.h"
#include "tables/MeaningTables.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QSize>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitProblems = 1;
constexpr int kExitBadInput = 2;

// Headless output is UTF-8 whatever the locale.
void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

void printErr(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

// Headless messages go to standard error; the texts are kept so none is printed twice.
class HeadlessPrompter : public StderrPrompter
{
public:
    MsgButton messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                           int helpContext = 0, int buttonWidthDlu = 50) override
    {
        shown.append(text);
        return StderrPrompter::messageBoxEx(text, kind, specs, helpContext, buttonWidthDlu);
    }
    QStringList shown;
};

// The headless prompter that answers Yes to the overwrite question when --force was given.
class ForcedPrompter : public Prompter
{
public:
    ForcedPrompter(HeadlessPrompter &inner, bool force) : m_inner(inner), m_force(force) {}
    MsgButton messageBoxEx(const QString &text, MsgKind kind, const QStringList &specs,
                           int helpContext = 0, int buttonWidthDlu = 50) override
    {
        const MsgButton answer =
            m_inner.messageBoxEx(text, kind, specs, helpContext, buttonWidthDlu);
        if (m_force && kind == MsgKind::Confirmation)
            return MsgButton::Yes;
        return answer;
    }

private:
    HeadlessPrompter &m_inner;
    bool m_force;
};

// The arguments as the system gave them. Each is taken as Qt's file functions read a name; one
// that Qt cannot carry (bytes that are not UTF-8) keeps its lossy text for matching switches,
// and its message is kept for whoever needs it as a name.
struct CommandLine
{
    QStringList args;
    std::vector<std::pair<QString, QString>> unreadable; // the lossy text and its message
};

CommandLine readCommandLine(int argc, char **argv)
{
    CommandLine out;
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        if (const auto name = fileNameFromLocalBytes(bytes)) {
            out.args.append(*name);
            continue;
        }
        out.args.append(QFile::decodeName(bytes));
        if (i > 0)
            out.unreadable.emplace_back(out.args.back(), unrepresentableNameMessage(bytes));
    }
    return out;
}

// A list with a line that lacks fields is bad input for the headless modes: its message (once,
// though loading may have shown it already) and true.
bool reportMalformedLine(const SlideList &list, HeadlessPrompter &prompter)
{
    for (qsizetype i = 0; i < list.lines.size(); ++i) {
        if (InspectSlideLine(list.lines[i]).wellFormed)
            continue;
        const QString message = MalformedLineMessage(int(i + 1));
        if (!prompter.shown.contains(message))
            prompter.ShowError(message);
        return true;
    }
    return false;
}

QString helpText()
{
    return QStringLiteral(
        "Ús: pelvar [/A|/E|/L[:usuari]] [--play] [fitxer.sal|fitxer.wml|fitxer.sml]\n"
        "    Obre el seqüenciador de diapositives (amb --play inicia la presentació).\n"
        "\n"
        "Modes sense finestra:\n"
        "  --order FITXER.sal [--seed N] [--set Secció.Clau=valor ...]\n"
        "        Escriu l'ordre de les diapositives (un número per línia, des d'1).\n"
        "  --settings FITXER.ini [--set Secció.Clau=valor ...]\n"
        "        Escriu la configuració de presentació que resulta de llegir el fitxer,\n"
        "        una línia Secció.Clau=valor per camp.\n"
        "  --export CARPETA FITXER.sal [--size AxH] [--set Secció.Clau=valor ...]\n"
        "        Desa cada diapositiva visible tal com es mostra, com a CARPETA/NNN.png\n"
        "        (NNN és el número de la diapositiva; mida per defecte 1024x768).\n"
        "  --check FITXER.sal [--set Secció.Clau=valor ...]\n"
        "        Comprova la presentació: escriu cada error trobat (primer els de la taula\n"
        "        d'imatges i sons), o el resum si no n'hi ha cap. Surt amb 1 si hi ha errors.\n"
        "  --listing FITXER.sal [--seed N] [--tabs] [--set Secció.Clau=valor ...]\n"
        "        Escriu el llistat de diapositives: número de diapositiva i d'ordre d'aparició\n"
        "        (amb --tabs, separats per tabuladors).\n"
        "  --sketch FITXER.sal [--all-paragraphs] [--tabs] [--no-numbers]\n"
        "        Escriu el guió de la llista: cada diapositiva amb el seu número i el nom\n"
        "        de l'arxiu o el títol (amb --all-paragraphs, també tots els paràgrafs).\n"
        "  --index FITXER.sal [--by-dir] [--no-numbers]\n"
        "        Escriu l'índex dels arxius de la llista amb els números de les\n"
        "        diapositives que els mostren (amb --by-dir, ordenat per directori).\n"
        "  --generate radio|single TAULA.wml|TAULA.sml [-o SORTIDA.sal]\n"
        "             [--prompt include|omit|generic:TEXT] [--random-answers] [--swap]\n"
        "             [--force] [--set Secció.Clau=valor ...]\n"
        "        Crea la presentació de preguntes que crearia l'editor de la taula: amb\n"
        "        respostes presents (radio) o amb una sola resposta (single).\n"
        "  --version   Escriu la versió i on són la configuració, l'ajuda i els\n"
        "              connectors d'àudio que el programa fa servir.\n"
        "  --help      Escriu aquesta ajuda.\n"
        "\n"
        "--set aplica un valor com si estigués a la configuració de la presentació.\n"
        "Codis de sortida: 0 correcte, 1 problemes trobats, 2 entrada incorrecta.\n");
}

using SettingOverrides = std::vector<std::pair<QString, QString>>;

// Takes "Secció.Clau=valor" into `overrides`; the message when it is not of that form.
std::optional<QString> takeSetting(const QString &kv, SettingOverrides &overrides)
{
    const qsizetype eq = kv.indexOf(QLatin1Char('='));
    const qsizetype dot = kv.indexOf(QLatin1Char('.'));
    if (eq < 0 || dot <= 0 || dot > eq - 2)
        return QStringLiteral("Valor incorrecte per a --set: %1").arg(kv);
    overrides.emplace_back(kv.left(eq), kv.mid(eq + 1));
    return std::nullopt;
}

// The presentation settings `file` holds once the command line's overrides stand in it.
PresentationSettings readSettings(TNewIniFile &file, const SettingOverrides &overrides,
                                  Prompter &prompter)
{
    for (const auto &[sectionKey, value] : overrides) {
        const qsizetype dot = sectionKey.indexOf(QLatin1Char('.'));
        file.WriteString(sectionKey.left(dot), sectionKey.mid(dot + 1), value);
    }
    const FontLookup fonts = FontLookup::fromSystem();
    SettingsReadContext ctx;
    ctx.fonts = &fonts;
    ctx.prompter = &prompter;
    PresentationSettings settings;
    ReadPresentationSettings(file, settings, ctx);
    return settings;
}

struct HeadlessOptions
{
    QString file;
    std::optional<std::uint32_t> seed;
    bool tabs = false;
    bool allParagraphs = false;
    bool noNumbers = false;
    bool byDir = false;
    SettingOverrides overrides;
    QSize size{1024, 768};
    QString error;
};

// The switches a mode takes besides --set; any other is refused as unknown.
enum class Switch : unsigned {
    Seed = 1,
    Size = 2,
    Tabs = 4,
    AllParagraphs = 8,
    NoNumbers = 16,
    ByDir = 32,
    NoSet = 64 // the mode reads no configuration
};
constexpr unsigned operator|(Switch a, Switch b)
{
    return unsigned(a) | unsigned(b);
}
constexpr unsigned operator|(unsigned a, Switch b)
{
    return a | unsigned(b);
}
constexpr bool takes(unsigned switches, Switch s)
{
    return (switches & unsigned(s)) != 0;
}

// Parses the arguments after the mode's own; an error text on bad input.
HeadlessOptions parseHeadless(const QStringList &args, int from, unsigned switches)
{
    HeadlessOptions out;
    for (int i = from; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--tabs") && takes(switches, Switch::Tabs)) {
            out.tabs = true;
        } else if (a == QLatin1String("--all-paragraphs") &&
                   takes(switches, Switch::AllParagraphs)) {
            out.allParagraphs = true;
        } else if (a == QLatin1String("--no-numbers") && takes(switches, Switch::NoNumbers)) {
            out.noNumbers = true;
        } else if (a == QLatin1String("--by-dir") && takes(switches, Switch::ByDir)) {
            out.byDir = true;
        } else if (a == QLatin1String("--size") && takes(switches, Switch::Size)) {
            if (++i >= args.size()) {
                out.error = QStringLiteral("--size necessita una mida AxH");
                return out;
            }
            const QStringList wh = args[i].toLower().split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const int w = wh.size() == 2 ? wh[0].toInt(&okW) : 0;
            const int h = wh.size() == 2 ? wh[1].toInt(&okH) : 0;
            // Up to 8K on each side: larger pictures are not slides anybody shows.
            if (!okW || !okH || w < 16 || h < 16 || w > 8192 || h > 8192) {
                out.error = QStringLiteral("Mida incorrecta: %1").arg(args[i]);
                return out;
            }
            out.size = QSize(w, h);
        } else if (a == QLatin1String("--seed") && takes(switches, Switch::Seed)) {
            if (++i >= args.size()) {
                out.error = QStringLiteral("--seed necessita un número");
                return out;
            }
            bool ok = false;
            const qlonglong v = args[i].toLongLong(&ok);
            if (!ok || v < std::numeric_limits<std::int32_t>::min() || v > 0xFFFFFFFFLL) {
                out.error = QStringLiteral("Llavor incorrecta: %1").arg(args[i]);
                return out;
            }
            out.seed = std::uint32_t(v);
        } else if (a == QLatin1String("--set") && !takes(switches, Switch::NoSet)) {
            if (++i >= args.size()) {
                out.error = QStringLiteral("--set necessita Secció.Clau=valor");
                return out;
            }
            if (const auto error = takeSetting(args[i], out.overrides)) {
                out.error = *error;
                return out;
            }
        } else if (out.file.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            out.file = a;
        } else {
            out.error = QStringLiteral("Argument desconegut: %1").arg(a);
            return out;
        }
    }
    if (out.file.isEmpty())
        out.error = QStringLiteral("Falta el fitxer de la llista de diapositives");
    return out;
}

// Reports bad arguments or a missing file; false when the mode cannot go on.
bool acceptable(const HeadlessOptions &opt)
{
    if (!opt.error.isEmpty()) {
        printErr(opt.error + QLatin1Char('\n'));
        return false;
    }
    const QFileInfo info(opt.file);
    if (!info.exists()) {
        printErr(QStringLiteral("No s'ha trobat l'arxiu '%1'\n").arg(opt.file));
        return false;
    }
    // A folder, a device or a pipe holds no slide list.
    if (!info.isFile()) {
        printErr(QStringLiteral("'%1' no és un arxiu\n").arg(opt.file));
        return false;
    }
    return true;
}

// A list loaded as the player loads it, with the slide order the player builds for it.
struct OrderedList
{
    NullPlayerView view;
    HeadlessPrompter prompter;
    RealScheduler clock;
    PresentationSession session{view, prompter};
    PlayerEngine engine{session, view, prompter, clock};

    // False when the list cannot be used (its message has been shown).
    bool load(const HeadlessOptions &opt)
    {
        engine.setFixedSeed(opt.seed);
        session.SettingOverrides = opt.overrides;
        session.SlideListPath = opt.file;
        // A table beside the list that cannot be read has shown its message; the list itself
        // serves.
        session.LoadPresentation();
        if (!session.PresentationReady || reportMalformedLine(session.SlideLines, prompter))
            return false;
        engine.BuildSlideOrder(true);
        return true;
    }
};

int runOrder(const QStringList &args)
{
    const HeadlessOptions opt = parseHeadless(args, 2, unsigned(Switch::Seed));
    if (!acceptable(opt))
        return kExitBadInput;
    OrderedList list;
    if (!list.load(opt))
        return kExitBadInput;
    const PlayerEngine &engine = list.engine;
    const SlideOrder &order = engine.state().Order;
    QString out;
    out.reserve(qsizetype(order.size()) * 4);
    for (int p = 0; p < int(order.size()); ++p)
        out += QString::number(engine.SlideAt(p) + 1) + QLatin1Char('\n');
    printOut(out);
    return kExitOk;
}

// The presentation check: each line of the error list, a line break inside a line written as
// such, or the summary when the list is clean. Exit 1 when the list has lines.
int runCheck(const QStringList &args)
{
    const HeadlessOptions opt = parseHeadless(args, 2, 0);
    if (!acceptable(opt))
        return kExitBadInput;
    NullPlayerView view;
    HeadlessPrompter prompter;
    PresentationSession session(view, prompter);
    session.SettingOverrides = opt.overrides;
    session.SlideListPath = opt.file;
    // Read as opening reads it: the list, the meaning tables beside it and its configuration.
    session.LoadPresentation();
    if (!session.PresentationReady || reportMalformedLine(session.SlideLines, prompter))
        return kExitBadInput;
    // An empty file holds no presentation; loading has said so.
    if (session.SlideLines.lines.isEmpty())
        return kExitBadInput;
    const PresentationCheckResult result =
        CheckPresentation(session.SlideLines, session.SoundTable, &prompter);
    if (result.stopped())
        return kExitBadInput;
    QString out;
    if (result.errors.isEmpty()) {
        out = CheckSummaryFor(result.hiddenCount).text + QLatin1Char('\n');
    } else {
        for (const QString &line : result.errors)
            out += line + QLatin1Char('\n');
        out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }
    printOut(out);
    return result.errors.isEmpty() ? kExitOk : kExitProblems;
}

// The order listing window's text for the order the player builds.
int runListing(const QStringList &args)
{
    const HeadlessOptions opt = parseHeadless(args, 2, Switch::Seed | Switch::Tabs);
    if (!acceptable(opt))
        return kExitBadInput;
    OrderedList list;
    if (!list.load(opt))
        return kExitBadInput;
    printOut(OrderListingText(list.session.SlideLines, list.engine.state().Order, opt.tabs,
                              list.prompter));
    return kExitOk;
}

// The slide list read into the editor's rows as the editor reads it: a malformed line is
// skipped with its message, the rest is loaded. False (bad input) when the file cannot be read
// or holds no slide; `malformed` tells whether a line was skipped.
struct EditorRowsList
{
    HeadlessPrompter prompter;
    ProgramOptions options;
    SlideListRows rows{prompter, options};
    bool malformed = false;

    bool load(const QString &path)
    {
        SlideList list;
        if (const Fallible<void> read = list.load(path); !read.ok()) {
            prompter.ShowError(read.error());
            return false;
        }
        if (list.lines.isEmpty()) {
            prompter.ShowWarning(QStringLiteral("No hi ha cap diapositiva a mostrar"));
            return false;
        }
        rows.loadLines(list.lines);
        for (const QString &line : list.lines)
            malformed = malformed || !InspectSlideLine(line).wellFormed;
        return true;
    }
};

QString joinLines(const QStringList &lines)
{
    QString out;
    for (const QString &line : lines)
        out += line + QLatin1Char('\n');
    return out;
}

// The sketch window's text. A malformed line is left out, as the editor leaves it, and makes
// the exit code 2.
int runSketch(const QStringList &args)
{
    const HeadlessOptions opt = parseHeadless(
        args, 2, Switch::Tabs | Switch::AllParagraphs | Switch::NoNumbers | Switch::NoSet);
    if (!acceptable(opt))
        return kExitBadInput;
    EditorRowsList list;
    if (!list.load(opt.file))
        return kExitBadInput;
    printOut(joinLines(
        SlideSketchLines(overviewRows(list.rows), opt.allParagraphs, opt.tabs, opt.noNumbers)));
    return list.malformed ? kExitBadInput : kExitOk;
}

// The text index window's text; exit 1 when no slide has a file to index.
int runIndex(const QStringList &args)
{
    const HeadlessOptions opt =
        parseHeadless(args, 2, Switch::ByDir | Switch::NoNumbers | Switch::NoSet);
    if (!acceptable(opt))
        return kExitBadInput;
    EditorRowsList list;
    if (!list.load(opt.file))
        return kExitBadInput;
    const SlideIndex index = BuildSlideIndex(overviewRows(list.rows), opt.byDir);
    if (index.entries.empty()) {
        list.prompter.ShowInfo(NothingToIndexText());
        return list.malformed ? kExitBadInput : kExitProblems;
    }
    printOut(joinLines(SlideIndexLines(index, opt.byDir, opt.noNumbers)));
    return list.malformed ? kExitBadInput : kExitOk;
}

// The quiz the generation dialog would write for the table, with the choices of the command line.
int runGenerate(const QStringList &args)
{
    if (args.size() < 4 ||
        (args[2] != QLatin1String("radio") && args[2] != QLatin1String("single"))) {
        printErr(QStringLiteral("--generate necessita radio o single i una taula\n"));
        return kExitBadInput;
    }
    GenerationChoices choices;
    choices.answers = args[2] == QLatin1String("radio") ? QuizAnswers::Radio : QuizAnswers::Single;
    QString tablePath, target;
    bool force = false;
    SettingOverrides overrides;
    for (int i = 3; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("-o") && hasValue) {
            target = args[++i];
        } else if (a == QLatin1String("--prompt") && hasValue) {
            const QString v = args[++i];
            if (v == QLatin1String("include")) {
                choices.prompt = PromptChoice::Include;
            } else if (v == QLatin1String("omit")) {
                choices.prompt = PromptChoice::Omit;
            } else if (v.startsWith(QLatin1String("generic:"))) {
                choices.prompt = PromptChoice::Generic;
                choices.genericPrompt = v.mid(8);
            } else {
                printErr(QStringLiteral("Valor incorrecte per a --prompt: %1\n").arg(v));
                return kExitBadInput;
            }
        } else if (a == QLatin1String("--random-answers")) {
            choices.randomAnswers = true;
        } else if (a == QLatin1String("--swap")) {
            choices.swapped = true;
        } else if (a == QLatin1String("--force")) {
            force = true;
        } else if (a == QLatin1String("--set") && hasValue) {
            if (const auto error = takeSetting(args[++i], overrides)) {
                printErr(*error + QLatin1Char('\n'));
                return kExitBadInput;
            }
        } else if (tablePath.isEmpty() && !a.startsWith(QLatin1Char('-'))) {
            tablePath = a;
        } else {
            printErr(QStringLiteral("Argument desconegut: %1\n").arg(a));
            return kExitBadInput;
        }
    }
    HeadlessOptions check;
    check.file = tablePath;
    if (tablePath.isEmpty())
        check.error = QStringLiteral("Falta la taula de significats");
    if (!acceptable(check))
        return kExitBadInput;
    const QString ext = fileExtension(tablePath).toLower();
    if (ext != QLatin1String("wml") && ext != QLatin1String("sml")) {
        printErr(
            QStringLiteral("'%1' no és una taula de significats (wml o sml)\n").arg(tablePath));
        return kExitBadInput;
    }
    HeadlessPrompter prompter;
    MeaningTable table(ext == QLatin1String("wml") ? MeaningKind::Words : MeaningKind::Sounds);
    if (const Fallible<void> read = table.load(tablePath); !read.ok()) {
        if (!read.error().isEmpty())
            prompter.ShowError(read.error());
        return kExitBadInput;
    }
    if (table.table.recordCount() == 0) {
        prompter.ShowError(QStringLiteral("No hi ha cap registre"));
        return kExitBadInput;
    }
    // A pictures and sounds table passes the editor's check first.
    if (table.kind == MeaningKind::Sounds) {
        const QStringList problems = CheckSoundTableRows(table.table);
        if (!problems.isEmpty()) {
            QString out = problems.join(QLatin1Char('\n')) + QLatin1Char('\n');
            out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            printOut(out);
            return kExitProblems;
        }
    }
    if (table.kind == MeaningKind::Words && choices.swapped)
        for (int r = 0; r < table.table.recordCount(); ++r) {
            MemTable::Record rec = table.table.record(r);
            (void)table.table.setField(rec, 1, SwappedMeaning(rec[1].toString()));
            table.table.replaceAt(r, rec);
        }
    if (choices.answers == QuizAnswers::Radio && table.kind == MeaningKind::Words) {
        if (const Fallible<void> prompt = CheckGenericPrompt(choices); !prompt.ok()) {
            prompter.ShowError(prompt.error());
            return kExitBadInput;
        }
    }
    if (target.isEmpty())
        target = changeFileExt(tablePath, QStringLiteral(".sal"));

    // The settings in force: the target's own, else the program's default presentation
    // settings; the command line's overrides on top.
    const QString targetIni = changeFileExt(target, QStringLiteral(".ini"));
    const THlpIniFLoadSave paths(QCoreApplication::applicationFilePath());
    TNewIniFile source(QFileInfo(targetIni).isFile() ? targetIni : paths.ProgramIniPath);
    source.load();
    PresentationSettings settings = readSettings(source, overrides, prompter);

    AccessorySlides accessory;
    if (QFileInfo(target).isFile()) {
        SlideList existing;
        if (existing.load(target).ok())
            accessory = LoadAccessorySlides(existing.lines);
    }
    if (AdaptSettingsForQuiz(settings, table.kind))
        prompter.ShowInfo(AdaptedModeMessage());
    const int entries = table.table.recordCount();
    if (AdaptRandomMargins(settings, accessory.firstPresent ? int(accessory.first.size()) : 0,
                           accessory.lastPresent ? int(accessory.last.size()) : 0, entries))
        prompter.ShowInfo(RandomMarginsMessage());
    const GeneratedSlides generated =
        table.kind == MeaningKind::Words
            ? GenerateWordSlides(table.table, choices, settings.FontAnswers)
            : GenerateSoundSlides(table.table, choices, settings.FontAnswers);
    if (generated.answerWidth >= 0)
        settings.EditAnswWidth = generated.answerWidth;

    // An existing quiz is replaced only when asked to.
    ForcedPrompter writer(prompter, force);
    const Fallible<void> written = WriteQuiz(target, AssembleQuiz(accessory, generated.lines),
                                             generated.longestAnswers, writer);
    if (!written.ok())
        return written.error().isEmpty() ? kExitProblems : kExitBadInput;
    TNewIniFile ini(targetIni);
    ini.load();
    WritePresentationSettings(ini, settings);
    if (const Fallible<void> saved = ini.UpdateFile(prompter); !saved.ok())
        return kExitBadInput;
    return kExitOk;
}

int runSettings(const QStringList &args)
{
    const HeadlessOptions opt = parseHeadless(args, 2, unsigned(Switch::Seed));
    if (!acceptable(opt))
        return kExitBadInput;
    if (opt.seed) {
        printErr(QStringLiteral("--seed no s'aplica a --settings\n"));
        return kExitBadInput;
    }
    TNewIniFile ini(opt.file);
    ini.load();
    StderrPrompter prompter;
    const PresentationSettings settings = readSettings(ini, opt.overrides, prompter);
    printOut(DescribePresentationSettings(settings).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return kExitOk;
}

int runExport(int argc, char **argv, const QStringList &args)
{
    if (args.size() < 3 || args[2].startsWith(QLatin1String("--"))) {
        printErr(QStringLiteral("--export necessita una carpeta i una llista de diapositives\n"));
        return kExitBadInput;
    }
    const QString folder = args[2];
    const HeadlessOptions opt = parseHeadless(args, 3, Switch::Seed | Switch::Size);
    if (!acceptable(opt))
        return kExitBadInput;
    // Drawn without a window: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Web pages are drawn by a web view, a widget: a list with a web slide gets a QApplication.
    std::unique_ptr<QGuiApplication> app;
    if (ExportContentRenderer::listHasWebSlide(opt.file)) {
        prepareWebEngine();
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    NullPlayerView view;
    HeadlessPrompter prompter;
    PresentationSession session(view, prompter);
    session.SettingOverrides = opt.overrides;
    session.SlideListPath = opt.file;
    // A table beside the list that cannot be read has shown its message; the list itself serves.
    // The lines are checked before any picture is written: a faulty list leaves the folder as it
    // was.
    session.LoadPresentation();
    if (!session.PresentationReady || reportMalformedLine(session.SlideLines, prompter))
        return kExitBadInput;
    ExportContentRenderer renderer(session.Settings, QGuiApplication::palette());
    const SlideExportResult result =
        ExportSlides(session.SlideLines, session.SlideListPath, session.Settings, folder, opt.size,
                     1.0, QGuiApplication::palette(), &renderer);
    if (!result.fatal.isEmpty()) {
        printErr(result.fatal + QLatin1Char('\n'));
        return kExitBadInput;
    }
    for (const QString &problem : result.problems)
        printErr(problem + QLatin1Char('\n'));
    return result.problems.isEmpty() ? kExitOk : kExitProblems;
}

// The version, then the files this copy of the program uses, as it finds them: a check of an
// installation, and where to look for the settings.
int runVersion()
{
    QString out = QStringLiteral("Pelvar %1\n").arg(QStringLiteral(PELVAR_VERSION));
    const THlpIniFLoadSave paths(QCoreApplication::applicationFilePath());
    out += QStringLiteral("Configuració: %1\n").arg(QDir::toNativeSeparators(paths.ProgramIniPath));
    const QString collection = ProgramHelp::defaultCollectionFile();
    StderrPrompter quiet;
    ProgramHelp help(collection, quiet);
    out += (help.opens() ? QStringLiteral("Ajuda: %1\n")
                         : QStringLiteral("Ajuda: no es pot obrir %1\n"))
               .arg(QDir::toNativeSeparators(collection));
    TAuPlayerMan plugins;
    plugins.AddPluginsIn(QCoreApplication::applicationDirPath());
    if (plugins.Players().count() == 0)
        out += QStringLiteral("Connectors d'àudio: cap\n");
    for (int i = 0; i < plugins.Players().count(); ++i) {
        const TAuPlayer &p = plugins.Players().at(i);
        out += QStringLiteral("Connector d'àudio: %1 (%2)\n")
                   .arg(QDir::toNativeSeparators(p.PathToDLL()), p.Extensions());
    }
    printOut(out);
    return kExitOk;
}

} // namespace

int main(int argc, char **argv)
{
    const CommandLine line = readCommandLine(argc, argv);
    const QStringList &args = line.args;
    const QString mode = args.size() > 1 ? args[1] : QString();
    const bool headless = mode == QLatin1String("--order") || mode == QLatin1String("--settings") ||
                          mode == QLatin1String("--export") || mode == QLatin1String("--check") ||
                          mode == QLatin1String("--listing") || mode == QLatin1String("--sketch") ||
                          mode == QLatin1String("--index") || mode == QLatin1String("--generate");
    if (headless && !line.unreadable.empty()) {
        // Said as it is, not as a file that is not there.
        printErr(line.unreadable.front().second + QLatin1Char('\n'));
        return kExitBadInput;
    }

    if (mode == QLatin1String("--version")) {
        QCoreApplication app(argc, argv);
        return runVersion();
    }
    if (mode == QLatin1String("--help") || mode == QLatin1String("-h")) {
        printOut(helpText());
        return kExitOk;
    }
    if (mode == QLatin1String("--order")) {
        QCoreApplication app(argc, argv);
        return runOrder(args);
    }
    if (mode == QLatin1String("--check")) {
        QCoreApplication app(argc, argv);
        return runCheck(args);
    }
    if (mode == QLatin1String("--listing")) {
        QCoreApplication app(argc, argv);
        return runListing(args);
    }
    if (mode == QLatin1String("--sketch")) {
        QCoreApplication app(argc, argv);
        return runSketch(args);
    }
    if (mode == QLatin1String("--index")) {
        QCoreApplication app(argc, argv);
        return runIndex(args);
    }
    if (mode == QLatin1String("--generate")) {
        // The typed answer's width is measured in the answers font.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return runGenerate(args);
    }
    if (mode == QLatin1String("--settings")) {
        // Fonts are looked up among the installed families, which needs a GUI application;
        // it never opens a window.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return runSettings(args);
    }
    if (mode == QLatin1String("--export"))
        return runExport(argc, argv, args);
    if (mode.startsWith(QLatin1String("--")) && mode != QLatin1String("--play")) {
        printErr(QStringLiteral("Mode desconegut: %1\n\n").arg(mode) + helpText());
        return kExitBadInput;
    }

    QStringList guiArgs = args.mid(1);
    const bool autoStart = guiArgs.removeAll(QStringLiteral("--play")) > 0;
    return runGui(argc, argv, guiArgs, autoStart, line.unreadable);
}
