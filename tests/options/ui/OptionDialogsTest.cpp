#include "config/PresentationSettingsFile.h"
#include "config/ProgramOptionsFile.h"
#include "config/TModIniLS.h"
#include "config/TNewIniFile.h"
#include "config/ui/TFrWriteResults.h"
#include "config/ui/TWhereSaveBox.h"
#include "options/ui/OptionsController.h"
#include "options/ui/TFGeneralOptions.h"
#include "options/ui/TFModalOptions.h"
#include "options/ui/TFOutFormalOptions.h"
#include "options/ui/TFSpeedOptions.h"
#include "player/ui/TFShowImages.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/ui/TFAdminisUsersDomains.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using L = SlideListFixture;

// Changes a control once, as the data rows name it: a check box flips, a radio button is chosen,
// a number edit takes `number`.
void changeControl(QWidget &dialog, const QString &name, int number)
{
    QWidget *w = dialog.findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    if (auto *radio = qobject_cast<QRadioButton *>(w)) {
        QVERIFY2(!radio->isChecked(), qPrintable(name));
        radio->setChecked(true);
    } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
        box->setChecked(!box->isChecked());
    } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
        QVERIFY2(spin->value() != number, qPrintable(name));
        spin->setValue(number);
    } else {
        QFAIL(qPrintable(name));
    }
}

QStringList iniLines(const TNewIniFile &ini)
{
    return QString::fromUtf8(ini.toBytes()).split(QStringLiteral("\r\n"));
}

// The lines of `after` that differ from those of `before` at the same place (both hold the same
// keys in the same order).
QStringList changedLines(const QStringList &before, const QStringList &after)
{
    if (before.size() != after.size())
        return {QStringLiteral("line count %1 -> %2").arg(before.size()).arg(after.size())};
    QStringList out;
    for (qsizetype i = 0; i < after.size(); ++i)
        if (before[i] != after[i])
            out << after[i];
    return out;
}

QStringList changedFields(const PresentationSettings &before, const PresentationSettings &after)
{
    return changedLines(DescribePresentationSettings(before), DescribePresentationSettings(after));
}

// A settings file holding every key of the dialogs (each conditional key written once), as the
// dialog's edits would go back into it.
QByteArray fullSettingsFile(PresentationSettings s)
{
    TNewIniFile ini;
    s.PresDRandom = RandomScope::WithOmissions;
    WritePresentationSettings(ini, s);
    s.PresDRandom = RandomScope::Range;
    s.RandomRangeInf = 2;
    s.RandomRangeSup = 5;
    s.UseAllSlidesToMem = false;
    s.InitialImages = 6;
    s.PresRepeatedImages = true;
    s.TotalSlidesToMemorize = 7;
    WritePresentationSettings(ini, s);
    return ini.toBytes();
}

// Settings read from a file in which every field the mode dialog edits is active.
PresentationSettings modeFixture(RandomScope scope, QByteArray &file)
{
    PresentationSettings s;
    s.PresSort = PresSortMode::Random;
    s.ShowingModel = ShowingMode::Learning;
    s.ByInput = true;
    s.CheckAtEnd = false;
    s.ImageDelay = 3;
    file = fullSettingsFile(s);
    TNewIniFile ini;
    ini.loadFromBytes(file);
    if (scope != RandomScope::Range)
        ini.WriteInteger(QStringLiteral("PresSort"), QStringLiteral("PresDRandom"), int(scope));
    file = ini.toBytes();
    PresentationSettings read;
    ReadPresentationSettings(ini, read);
    return read;
}

// The settings written back into the file they came from.
QStringList savedLines(const QByteArray &file, const PresentationSettings &s)
{
    TNewIniFile ini;
    ini.loadFromBytes(file);
    WritePresentationSettings(ini, s);
    return iniLines(ini);
}

} // namespace

class OptionDialogsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // --- Presentation mode ---

    void modeDialogChangesExactlyTheFieldOfEachControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("scope");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("key");
        const int omission = int(RandomScope::WithOmissions), range = int(RandomScope::Range);
        QTest::newRow("nothing changed") << QString() << range << 0 << QString();
        const struct
        {
            const char *control;
            int scope;
            int number;
            const char *key;
        } rows[] = {
            {"RB_PresSequential", range, 0, "PresSort"},
            {"RB_PresSameRandom", range, 0, "PresSort"},
            {"RB_RandomAll", range, 0, "PresDRandom"},
            {"RB_RandomOmission", range, 0, "PresDRandom"},
            {"CB_OmissionFirstSlide", omission, 0, "OmissionFirstSlide"},
            {"CB_OmissionLastSlide", omission, 0, "OmissionLastSlide"},
            {"EC_RangeInf", range, 3, "RandomRangeInf"},
            {"EC_RangeSup", range, 9, "RandomRangeSup"},
            {"EC_InitialMemorizedCount", range, 5, "InitialMemorizedCount"},
            {"CB_UseAllSlidesToMem", range, 0, "UseAllSlidesToMem"},
            {"EC_InitialImages", range, 8, "InitialImages"},
            {"CB_RepeatedImages", range, 0, "PresRepeatedImages"},
            {"EC_TotalSlidesToMemorize", range, 20, "TotalSlidesToMemorize"},
            {"RB_ModelNone", range, 0, "ShowingModel"},
            {"RB_ModelTest", range, 0, "ShowingModel"},
            {"SE_MA_MaxIncorrections", range, 0, "MAMaxIncorrections"},
            {"CB_UseNegativeScore", range, 0, "UseNegativeScore"},
            {"RB_AA_MentalReminder", range, 0, "ByInput"},
            {"CB_AA_WithMask", range, 0, "WithMask"},
            {"CB_AA_IgnoreAccent", range, 0, "IgnoreAccent"},
            {"RB_AA_CheckWhenReturnKeyP", range, 0, "CheckAtEnd"},
            {"CB_AA_ChangeIncorrectChar", range, 0, "ChangeIncorrectChar"},
            {"SE_AA_MaxIncorrections", range, 4, "MaxIncorrections"},
            {"CB_OmissionLearningResultsMessages", range, 0, "OmissionLearningResultsMessages"},
            {"CB_OnlyResultTest", range, 0, "OnlyResultTest"},
            {"CB_ManualViewing", range, 0, "ManualViewing"},
            {"CB_LoopImages", range, 0, "LoopImages"},
            {"CB_HideNote", range, 0, "HideNote"},
            {"SE_Delay", range, 45, "ImageDelay"}};
        for (const auto &row : rows)
            QTest::newRow(row.control) << QString::fromLatin1(row.control) << row.scope
                                       << row.number << QString::fromLatin1(row.key);
    }
    void modeDialogChangesExactlyTheFieldOfEachControl()
    {
        QFETCH(QString, control);
        QFETCH(int, scope);
        QFETCH(int, number);
        QFETCH(QString, key);
        QByteArray file;
        const PresentationSettings before = modeFixture(RandomScope(scope), file);
        FakePrompter prompter;
        TFModalOptions dialog(before, 12, MemorisationOffer::Offered, AnswerKinds::Both, 1,
                              QStringLiteral("bosc"), QStringLiteral("Pelvar"), prompter);
        if (!control.isEmpty())
            changeControl(dialog, control, number);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QStringList fields = changedFields(before, dialog.settings());
        const QStringList lines =
            changedLines(savedLines(file, before), savedLines(file, dialog.settings()));
        if (key.isEmpty()) {
            QCOMPARE(fields, QStringList());
            QCOMPARE(lines, QStringList());
            return;
        }
        QCOMPARE(fields.size(), 1);
        QVERIFY2(fields[0].contains(QLatin1Char('.') + key + QLatin1Char('=')),
                 qPrintable(fields[0]));
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(key + QLatin1Char('=')), qPrintable(lines[0]));
        QVERIFY(prompter.shown.empty());
    }

    void aLowerAboveTheUpperKeepsTheDialogOpen()
    {
        QByteArray file;
        const PresentationSettings before = modeFixture(RandomScope::Range, file);
        FakePrompter prompter;
        TFModalOptions dialog(before, 12, MemorisationOffer::Offered, AnswerKinds::Both, 1,
                              QString(), QStringLiteral("Pelvar"), prompter);
        dialog.show();
        dialog.EC_RangeInf->setValue(7);
        dialog.EC_RangeSup->setValue(5);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral(
                                       "El valor inferior no pot ser més gran que el superior")});
        QCOMPARE(prompter.shown[0].kind, MsgKind::Error);
        QCOMPARE(changedFields(before, dialog.settings()), QStringList());
        // The same range with another order is not checked.
        prompter.clear();
        dialog.RB_PresSequential->setChecked(true);
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QVERIFY(prompter.shown.empty());
    }

    void aRangeChosenTakesWhatItsEditsShow()
    {
        // A range the file did not hold starts from the edits' own values.
        QByteArray file;
        const PresentationSettings before = modeFixture(RandomScope::All, file);
        QCOMPARE(before.RandomRangeInf, std::int16_t(0));
        FakePrompter prompter;
        TFModalOptions dialog(before, 12, MemorisationOffer::Offered, AnswerKinds::Both, 1,
                              QString(), QStringLiteral("Pelvar"), prompter);
        QVERIFY(!dialog.GB_Range->isEnabled());
        dialog.RB_RandomRange->click();
        QVERIFY(dialog.GB_Range->isEnabled());
        dialog.EC_RangeSup->setValue(4);
        dialog.accept();
        QCOMPARE(dialog.settings().PresDRandom, RandomScope::Range);
        QCOMPARE(dialog.settings().RandomRangeInf, std::int16_t(1));
        QCOMPARE(dialog.settings().RandomRangeSup, std::int16_t(4));
        QVERIFY(prompter.shown.empty());
    }

    void theEditsTakeTheListsLimits()
    {
        FakePrompter prompter;
        TFModalOptions dialog(PresentationSettings(), 12, MemorisationOffer::Offered,
                              AnswerKinds::Both, 1, QString(), QStringLiteral("Pelvar"), prompter);
        QCOMPARE(dialog.EC_RangeInf->minimum(), 1);
        QCOMPARE(dialog.EC_RangeInf->maximum(), 11);
        QCOMPARE(dialog.EC_RangeSup->maximum(), 12);
        QCOMPARE(dialog.EC_InitialImages->maximum(), 12);
        QCOMPARE(dialog.EC_InitialMemorizedCount->maximum(), 9);
        QCOMPARE(dialog.SE_Delay->minimum(), 1);
        QCOMPARE(dialog.SE_Delay->maximum(), 1000);
    }

    void fromQuizGenerationWithOneAnswerQuizzes()
    {
        PresentationSettings s;
        s.PresSort = PresSortMode::Memorisation;
        s.HideNote = true;
        FakePrompter prompter;
        TFModalOptions dialog(s, 6, MemorisationOffer::NotOffered, AnswerKinds::TypedOnly, 1,
                              QString(), QStringLiteral("Pelvar"), prompter);
        QVERIFY(!dialog.GB_Multiple->isEnabled());
        QVERIFY(dialog.GB_Single->isEnabled());
        QVERIFY(!dialog.RB_PresSameRandom->isEnabled());
        QVERIFY(dialog.RB_PresDifferentRandom->isChecked());
        QVERIFY(!dialog.CB_HideNote->isEnabled());
        dialog.accept();
        QCOMPARE(dialog.settings().PresSort, PresSortMode::Random);
        QVERIFY(dialog.settings().HideNote);
    }

    void choosingTestSwitchesManualViewingOn()
    {
        PresentationSettings s;
        s.ManualViewing = false;
        s.LoopImages = true;
        FakePrompter prompter;
        TFModalOptions dialog(s, 6, MemorisationOffer::Offered, AnswerKinds::Both, 1, QString(),
                              QStringLiteral("Pelvar"), prompter);
        QVERIFY(dialog.GB_Speed->isEnabled());
        QVERIFY(!dialog.CB_OnlyResultTest->isEnabled());
        dialog.RB_ModelTest->click();
        QVERIFY(dialog.CB_ManualViewing->isChecked());
        QVERIFY(!dialog.CB_LoopImages->isChecked());
        QVERIFY(!dialog.GB_Speed->isEnabled());
        QVERIFY(dialog.CB_OnlyResultTest->isEnabled());
        // "ma&nual" toggles by itself, and the speed follows it.
        dialog.CB_ManualViewing->click();
        QVERIFY(dialog.GB_Speed->isEnabled());
        // The memorisation order forces it again, and leaves the mode group.
        dialog.RB_PresSameRandom->click();
        QVERIFY(dialog.CB_ManualViewing->isChecked());
        QVERIFY(!dialog.GB_Model->isEnabled());
        QVERIFY(dialog.GB_Memorisation->isEnabled());
        QVERIFY(!dialog.EC_InitialImages->isEnabled());
        dialog.CB_UseAllSlidesToMem->click();
        QVERIFY(dialog.EC_InitialImages->isEnabled());
    }

    // --- Speed ---

    void speedCannotSetZeroButKeepsAStoredOne()
    {
        TFSpeedOptions stored(0);
        QCOMPARE(stored.SE_ImageDelay->minimum(), 1);
        QCOMPARE(stored.imageDelay(), std::uint16_t(0)); // untouched: the file's half second
        stored.SE_ImageDelay->setValue(0);
        QCOMPARE(stored.SE_ImageDelay->value(), 1);
        stored.SE_ImageDelay->setValue(12);
        QCOMPARE(stored.imageDelay(), std::uint16_t(12));
        TFSpeedOptions big(1000);
        big.SE_ImageDelay->setValue(1001);
        QCOMPARE(big.imageDelay(), std::uint16_t(1000));
    }

    // --- Outer formal options ---

    void outerFormalChangesExactlyTheFieldOfEachControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::newRow("nothing changed") << QString() << QString();
        const std::pair<const char *, const char *> rows[] = {
            {"CB_WithoutMenuOrButtons", "WithoutMenuOrButtons"},
            {"CB_WithoutCaption", "WithoutCaption"},
            {"CB_WithITListName", "PresWithITListName"},
            {"CB_WithNumbering", "PresWithNumbering"},
            {"CB_WithTotalNumbering", "PresWithTotalNumbering"},
            {"CB_WithSNumbering", "PresWithSNumbering"},
            {"CB_WithSTotalNumbering", "PresWithSTotalNumbering"},
            {"CB_WithITName", "PresWithITName"},
            {"CB_WithITPath", "PresWithITPath"},
            {"CB_WithITExt", "PresWithITExt"},
            {"CB_WithIAmpliationRatio", "PresWithIAmpliationRatio"},
            {"CB_WithKeyInfo", "PresWithKeyInfo"}};
        for (const auto &[control, key] : rows)
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(key);
    }
    void outerFormalChangesExactlyTheFieldOfEachControl()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        PresentationSettings written;
        written.PresWithITPath = true;
        written.WithoutMenuOrButtons = true;
        const QByteArray file = fullSettingsFile(written);
        TNewIniFile ini;
        ini.loadFromBytes(file);
        PresentationSettings before;
        ReadPresentationSettings(ini, before);
        TFOutFormalOptions dialog(before, 1, QStringLiteral("bosc"), QStringLiteral("Pelvar"));
        if (!control.isEmpty())
            changeControl(dialog, control, 0);
        dialog.accept();
        const QStringList fields = changedFields(before, dialog.settings());
        const QStringList lines =
            changedLines(savedLines(file, before), savedLines(file, dialog.settings()));
        if (key.isEmpty()) {
            QCOMPARE(fields, QStringList());
            QCOMPARE(lines, QStringList());
            return;
        }
        QCOMPARE(fields.size(), 1);
        QVERIFY2(fields[0].contains(QLatin1Char('.') + key + QLatin1Char('=')),
                 qPrintable(fields[0]));
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(key + QLatin1Char('=')), qPrintable(lines[0]));
    }

    void outerFormalEnabling()
    {
        TFOutFormalOptions dialog(PresentationSettings(), 1, QString(), QStringLiteral("Pelvar"));
        QVERIFY(dialog.GB_TitleBar->isEnabled());
        QVERIFY(dialog.CB_WithITPath->isEnabled());
        dialog.CB_WithITName->click();
        QVERIFY(!dialog.CB_WithITPath->isEnabled());
        QVERIFY(!dialog.CB_WithITExt->isEnabled());
        dialog.CB_WithITName->click();
        dialog.CB_WithoutCaption->click();
        QVERIFY(!dialog.GB_TitleBar->isEnabled());
        QVERIFY(!dialog.CB_WithITPath->isEnabled());
        dialog.CB_WithoutCaption->click();
        QVERIFY(dialog.CB_WithITExt->isEnabled());
        dialog.CB_WithNumbering->click();
        QVERIFY(!dialog.CB_WithTotalNumbering->isEnabled());
        dialog.CB_WithSNumbering->click();
        QVERIFY(!dialog.CB_WithSTotalNumbering->isEnabled());
        // An unnamed list has no configuration of its own to save to.
        QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("CB_WhereSave"))->count(), 2);
    }

    // --- General options ---

    void generalOptionsChangeExactlyTheKeyOfEachControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::newRow("nothing changed") << QString() << QString();
        const std::pair<const char *, const char *> rows[] = {
            {"RB_SeveralUsers", "SeveralUsers"},
            {"CB_UserConfiguration", "UserConfiguration"},
            {"CB_WriteResults", "Write"},
            {"CB_WriteResSalPath", "SalPath"},
            {"CB_WriteResDuration", "Duration"},
            {"CB_WriteResTime", "Time"},
            {"CB_NoWarningWhenNoSlideExist", "NoWarningWhenNoSlideExist"},
            {"CB_NoWarningWhenNoAudioFNExist", "NoWarningWhenNoAudioFNExist"},
            {"CB_NoWarningWhenNoOpenFNExist", "NoWarningWhenNoOpenFNExist"},
            {"RB_OpenSalNone", "OpenSalOption"},
            {"RB_OpenSalEdit", "OpenSalOption"},
            {"RB_OpenSalCheck", "OpenSalOption"}};
        for (const auto &[control, key] : rows)
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(key);
    }
    void generalOptionsChangeExactlyTheKeyOfEachControl()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QTemporaryDir results;
        ProgramWideOptions wide;
        ProgramOptions options;
        options.Results.Write = true;
        options.Results.Dir = results.path();
        TNewIniFile ini;
        WriteProgramWideOptions(ini, wide);
        WriteProgramOptions(ini, options);
        ProgramOptionsReadContext ctx;
        ctx.programDir = results.path();
        ReadProgramWideOptions(ini, wide);
        ReadProgramOptions(ini, options, ctx);
        const QStringList before = iniLines(ini);

        FakePrompter prompter;
        TFGeneralOptions dialog(generalOptionsFrom(wide, options), prompter);
        dialog.FR_WriteResults->isOnCD = [](const QString &) { return false; };
        if (!control.isEmpty())
            changeControl(dialog, control, 0);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        storeGeneralOptions(dialog.values(), wide, options);
        WriteProgramWideOptions(ini, wide);
        WriteProgramOptions(ini, options);
        const QStringList lines = changedLines(before, iniLines(ini));
        if (key.isEmpty()) {
            QCOMPARE(lines, QStringList());
            return;
        }
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(key + QLatin1Char('=')), qPrintable(lines[0]));
        QVERIFY(prompter.shown.empty());
    }

    void anAdministratorPasswordFixesTheUsersChoice()
    {
        GeneralOptionsValues v;
        v.UsersFixed = true;
        FakePrompter prompter;
        TFGeneralOptions dialog(v, prompter);
        QVERIFY(!dialog.RG_UsersNumber->isEnabled());
        QVERIFY(dialog.RB_OneUser->isChecked());
        QVERIFY(dialog.CB_UserConfiguration->isEnabled());
    }

    void theResultsFolderMustExist()
    {
        FakePrompter prompter;
        GeneralOptionsValues v;
        v.Results.Write = true;
        v.Results.Dir = QDir::tempPath() + QStringLiteral("/no-existeix-pelvar");
        TFGeneralOptions dialog(v, prompter);
        dialog.FR_WriteResults->isOnCD = [](const QString &) { return false; };
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(int(prompter.shown.size()), 1);
        QVERIFY(prompter.shown[0].text.startsWith(QStringLiteral("No s'ha trobat el directori (")));

        dialog.FR_WriteResults->DE_WriteResultsDir->setText(QDir::tempPath());
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const GeneralOptionsValues out = dialog.values();
        QCOMPARE(out.Results.Dir, QDir::tempPath());
        QVERIFY(out.Results.inUse());

        // Without writing the folder does not matter.
        TFGeneralOptions off(GeneralOptionsValues(), prompter);
        off.FR_WriteResults->DE_WriteResultsDir->setText(QStringLiteral("/no/such/folder"));
        off.show();
        off.accept();
        QCOMPARE(off.result(), int(QDialog::Accepted));
    }

    // --- From the main window ---

    void theCommandsOpenTheirDialogs()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        PresentationSession &session = w.engine().session();
        session.Settings.ManualViewing = false;
        w.settingsChanged();
        QStringList opened;
        options.runDialog = [&](QDialog &d) {
            opened << d.windowTitle();
            return int(QDialog::Rejected);
        };
        for (QStringView name : {u"A_V_Speed", u"A_V_OutFormalOptions", u"A_F_GeneralOptions"}) {
            QAction *a = w.action(name);
            QVERIFY(a->isEnabled());
            a->trigger();
        }
        QCOMPARE(opened, (QStringList{QStringLiteral("Velocitat de presentació"),
                                      QStringLiteral("Opcions dels aspectes formals (exteriors) "
                                                     "de visualització"),
                                      QStringLiteral("Opcions generals del programa")}));
        // Cancel changes nothing.
        QVERIFY(!session.SettingsModified);
        // The general options are in the "Arxiu" menu, hidden at view-only level.
        QAction *general = w.action(u"A_F_GeneralOptions");
        QVERIFY(w.menu(u"MI_File")->actions().contains(general));
        QVERIFY(!w.action(u"A_F_ResultsOptions"));
        session.AccessLevel = AccessLevel::ViewOnly;
        w.applyAccessLevel();
        QVERIFY(!general->isVisible());
    }

    void theModeNeedsTwoSlides()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        PresentationSession &session = w.engine().session();
        session.SlideLines.lines.resize(1);
        session.Settings.PresSort = PresSortMode::Random;
        bool shown = false;
        options.runDialog = [&](QDialog &) {
            shown = true;
            return int(QDialog::Rejected);
        };
        QVERIFY(w.action(u"A_V_ModalOptions")->isEnabled());
        w.action(u"A_V_ModalOptions")->trigger();
        QVERIFY(!shown);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("Per canviar el mode de presentació cal que hi hagin "
                                            "almenys 2 diapositives\r\nes canvia a mode "
                                            "seqüencial")});
        QCOMPARE(prompter.shown[0].kind, MsgKind::Warning);
        QCOMPARE(session.Settings.PresSort, PresSortMode::Sequential);
        QVERIFY(session.SettingsModified);
        // The command's hint follows the order.
        QVERIFY(w.action(u"A_V_ModalOptions")->toolTip().contains(QStringLiteral("seqüencial")));
    }

    void okWithSavingWritesAtOnce()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        PresentationSession &session = w.engine().session();
        // Saved beside the list, the settings are no longer modified.
        session.SlideListPath = fx.dir() + QStringLiteral("/bosc.sal");
        session.SaveDestination = SaveDestination::Presentation;
        session.SlideLines.lines.resize(4);
        options.runDialog = [](QDialog &d) {
            auto &mode = dynamic_cast<TFModalOptions &>(d);
            mode.CB_HideNote->setChecked(true);
            mode.whereSave()->button()->click();
            return d.result();
        };
        w.action(u"A_V_ModalOptions")->trigger();
        QVERIFY(session.Settings.HideNote);
        QVERIFY(!session.SettingsModified);
        TNewIniFile ini(fx.dir() + QStringLiteral("/bosc.ini"));
        QVERIFY(ini.load());
        QVERIFY(ini.ReadBool(QStringLiteral("Options"), QStringLiteral("HideNote"), false));
        QVERIFY(w.action(u"A_I_HideNote")->isChecked());

        // Plain OK marks the settings modified, and no longer the defaults.
        options.runDialog = [](QDialog &d) {
            dynamic_cast<TFSpeedOptions &>(d).SE_ImageDelay->setValue(8);
            d.accept();
            return d.result();
        };
        session.ConfigNotDefault = false;
        session.Settings.ManualViewing = false;
        w.settingsChanged();
        w.action(u"A_V_Speed")->trigger();
        QCOMPARE(session.Settings.ImageDelay, std::uint16_t(8));
        QVERIFY(session.SettingsModified);
        QVERIFY(session.ConfigNotDefault);
        QVERIFY(prompter.shown.empty());
    }

    void severalUsersShowTheAdministratorsOptions()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        w.applyAccessLevel();
        QAction *admin = w.action(u"A_F_AdminOptions");
        QVERIFY(!admin->isVisible());
        options.runDialog = [](QDialog &d) {
            auto &general = dynamic_cast<TFGeneralOptions &>(d);
            general.RB_SeveralUsers->click();
            general.RB_OpenSalCheck->click();
            d.accept();
            return d.result();
        };
        w.action(u"A_F_GeneralOptions")->trigger();
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("Ara ja teniu accés a la finestra d'opcions de "
                                            "l'administrador.\r\nDes d'on podreu assignar la "
                                            "llista d'usuaris, de dominis i veure els resultats")});
        QCOMPARE(prompter.shown[0].kind, MsgKind::Information);
        QVERIFY(admin->isVisible());
        QVERIFY(module.Wide.SeveralUsers);
        QVERIFY(w.engine().session().SeveralUsers);
        // The open command's hint follows what opening now does.
        QCOMPARE(w.engine().session().Options.OpenSalOption, OpenSalAction::Check);
        QVERIFY(w.openAction()->toolTip().contains(QStringLiteral("i la comprova")));
    }

    // The administrator's command waits for the users lists, then opens the administrator's
    // dialog on them; what the dialog leaves in the results settings reaches the session.
    void theAdministratorsOptionsOpenOnTheUsersLists()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        QAction *admin = w.action(u"A_F_AdminOptions");
        QVERIFY(!admin->isEnabled());
        TDMAdminUsersDomains users;
        options.setUsers(users);
        QVERIFY(admin->isEnabled());
        w.engine().session().SeveralUsers = true;
        w.applyAccessLevel();
        QVERIFY(admin->isVisible());

        module.AdminResults.Dir = fx.dir();
        QStringList titles;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&titles] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                titles << dialog->windowTitle();
                dialog->reject();
            }
        });
        closer.start(10);
        admin->trigger();
        closer.stop();
        QCOMPARE(titles, QStringList{QStringLiteral("Opcions de l'administrador")});
        QCOMPARE(w.engine().session().AdminResults.Dir, fx.dir());
    }

    // Whatever button closes it, the administrator's window opens again, in the same run, on
    // the page it showed and with its position and size; the page's menu follows the page.
    void theAdministratorsWindowReopensWhereItClosed()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        TDMAdminUsersDomains users;
        options.setUsers(users);

        struct Opening
        {
            int page;
            QRect geometry;
            bool tableMenu;
        };
        QList<Opening> openings;
        const QList<QRect> closedWith{QRect(60, 70, 720, 540), QRect(90, 40, 760, 580)};
        QList<int> pagesLeft{1, 2};
        options.runDialog = [&](QDialog &d) {
            auto &admin = dynamic_cast<TFAdminisUsersDomains &>(d);
            admin.show();
            openings.append({admin.PageControl->currentIndex(), admin.geometry(),
                             admin.MI_Table->menuAction()->isVisible()});
            if (pagesLeft.isEmpty())
                return int(QDialog::Rejected);
            admin.setGeometry(closedWith[openings.size() - 1]);
            admin.PageControl->setCurrentIndex(pagesLeft.takeFirst());
            return int(QDialog::Rejected);
        };
        options.showAdminOptions();
        options.showAdminOptions();
        options.showAdminOptions();
        QCOMPARE(openings.size(), 3);
        QCOMPARE(openings[0].page, 0);
        QVERIFY(openings[0].tableMenu);
        // Results page: no table menu.
        QCOMPARE(openings[1].page, 1);
        QCOMPARE(openings[1].geometry, closedWith[0]);
        QVERIFY(!openings[1].tableMenu);
        QCOMPARE(openings[2].page, 2);
        QCOMPARE(openings[2].geometry, closedWith[1]);
        QVERIFY(openings[2].tableMenu);
        QVERIFY(prompter.shown.empty());
    }

    void theRegistrationButtonsInstallOurIcons()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), QStringLiteral("Pelvar")));
        TFShowImages w(prompter);
        OptionsController options(module, w.engine(), w, prompter);
        QTemporaryDir data;
        options.registration().dataDir = data.path();
        options.registration().iconsDir =
            QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../icons"));
        FileTypeRegistration &reg = options.registration();
        options.runDialog = [](QDialog &d) {
            auto &general = dynamic_cast<TFGeneralOptions &>(d);
            general.BB_Register->click();
            return int(QDialog::Rejected); // the buttons act whatever the outcome
        };
        w.action(u"A_F_GeneralOptions")->trigger();
        QVERIFY(prompter.shown.empty());
        for (const char *type : {"SALFile", "SMLFile", "WMLFile"}) {
            QFile icon(reg.iconPath(QLatin1String(type)));
            QVERIFY2(icon.open(QIODevice::ReadOnly), qPrintable(icon.fileName()));
            QVERIFY(icon.fileName().endsWith(QStringLiteral(".svg")));
            QVERIFY(icon.readAll().contains("<svg"));
        }
        QVERIFY(QFile::exists(reg.programIconPath()));
        QFile entry(reg.desktopEntryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Icon=pelvar\n"));

        options.runDialog = [](QDialog &d) {
            dynamic_cast<TFGeneralOptions &>(d).BB_UnRegister->click();
            return int(QDialog::Rejected);
        };
        w.action(u"A_F_GeneralOptions")->trigger();
        QVERIFY(prompter.shown.empty()); // removed whole: nothing to report
        QVERIFY(!QFile::exists(reg.iconPath(QStringLiteral("SALFile"))));
        QVERIFY(!QFile::exists(reg.programIconPath()));
        QVERIFY(!QFile::exists(reg.desktopEntryPath()));
    }
};

QTEST_MAIN(OptionDialogsTest)
#include "OptionDialogsTest.moc"
