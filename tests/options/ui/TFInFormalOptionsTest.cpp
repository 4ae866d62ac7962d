#include "options/ui/TFInFormalOptions.h"
#include "options/ui/InFormalOptionsController.h"
#include "options/ui/SlideDemo.h"
#include "options/ui/TFSetColorsOrImageToPanel.h"

#include "config/PresentationSettingsFile.h"
#include "config/TNewIniFile.h"
#include "config/ui/TWhereSaveBox.h"
#include "options/AnswerInputWidth.h"
#include "player/ui/TFShowImages.h"
#include "player/ui/TextSlideView.h"
#include "slides/SlideExport.h"
#include "support/FakePrompter.h"
#include "support/JpegWriter.h"
#include "support/SlideListFixture.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using DialogStep = std::function<void(TFInFormalOptions &)>;
Q_DECLARE_METATYPE(DialogStep)

namespace {

// The program's folder with the demonstration pictures beside it, as an installation has them.
struct DemoFolder
{
    SlideListFixture fx;
    QString dir() const { return fx.dir() + QLatin1Char('/'); }
    DemoFolder()
    {
        QImage img(240, 160, QImage::Format_RGB32);
        QPainter p(&img);
        p.fillRect(img.rect(), QColor(30, 90, 200));
        p.fillRect(QRect(40, 30, 120, 80), QColor(240, 200, 40));
        p.end();
        img.save(fx.path(QStringLiteral("Pelvar.bmp")), "BMP");
        fx.file(QStringLiteral("Colors.jpg"), encodeJpeg(img));
    }
};

// The font, colour and picture dialogs answer at once: a bold DejaVu font of 15 points, a
// green, the picture given.
OptionChoosers scriptedChoosers(const QString &bitmap = QString())
{
    OptionChoosers c;
    c.font = [](const QFont &) -> std::optional<QFont> {
        QFont f(QStringLiteral("DejaVu Serif"), 15);
        f.setBold(true);
        return f;
    };
    c.color = [](TColor) -> std::optional<TColor> { return TColor(0x00C000); };
    c.bitmap = [bitmap](const QString &) { return bitmap; };
    return c;
}

std::unique_ptr<TFInFormalOptions> openDialog(const PresentationSettings &s, FakePrompter &prompter,
                                              const DemoFolder &folder,
                                              TFInFormalOptions::Inputs in = {},
                                              const InFormalDemoState &state = {})
{
    in.programDir = folder.dir();
    in.programBaseName = QStringLiteral("Pelvar");
    auto d = std::make_unique<TFInFormalOptions>(s, state, in, prompter);
    d->setChoosers(scriptedChoosers(folder.fx.path(QStringLiteral("Pelvar.bmp"))));
    d->resize(980, 620);
    d->show();
    if (!QTest::qWaitForWindowExposed(d.get()))
        qWarning("the dialog was not shown");
    return d;
}

// The settings as the INI keys they are written to.
QMap<QString, QString> iniKeys(const PresentationSettings &s)
{
    TNewIniFile ini;
    WritePresentationSettings(ini, s);
    QMap<QString, QString> keys;
    for (const QString &section : ini.sectionNames())
        for (const QString &key : ini.keyNames(section))
            keys.insert(section + QLatin1Char('.') + key, ini.ReadString(section, key, QString()));
    return keys;
}

QStringList differingKeys(const PresentationSettings &a, const PresentationSettings &b)
{
    const auto ka = iniKeys(a), kb = iniKeys(b);
    QStringList out;
    for (auto it = ka.begin(); it != ka.end(); ++it)
        if (kb.value(it.key()) != it.value())
            out << it.key();
    for (auto it = kb.begin(); it != kb.end(); ++it)
        if (!ka.contains(it.key()))
            out << it.key();
    return out;
}

// Settings read from a file where many keys differ from their defaults.
PresentationSettings settingsFromFile()
{
    TNewIniFile ini;
    ini.loadFromBytes("[Image]\r\nImgAmpliation=150\r\nImgAmpliationEnabled=1\r\n"
                      "ImgGifAnimate=0\r\nImgGifAnimateSpeed=25\r\nImgFrameEnabled=1\r\n"
                      "ImgFrameWidth=70\r\nImgNotePanelsMode=1\r\nColorRichEdit=12345\r\n"
                      "[Mark]\r\nSize=33\r\nPenMode=14\r\nPenWidth=3\r\nConstRatio=1\r\n"
                      "[PanelNoteTB]\r\nManualSize=1\r\nSize=55\r\n"
                      "[PanelNoteLR]\r\nSize=150\r\nLeftJustifyLRLines=1\r\n"
                      "[PanelPA]\r\nSize=80\r\nEditAnswWidth=222\r\n"
                      "[NotePanel]\r\nColorStart=255\r\nColorBackGroundEffect=0\r\n"
                      "PermanentNotePanels=1\r\n"
                      "[TitlePanel]\r\nColorStart=65280\r\nColorEnd=255\r\n"
                      "ColorBackGroundEffect=6\r\n"
                      "[FontTitle1rsLine]\r\nShadowSize=4\r\nShadowPos=2\r\nFontSize=20\r\n"
                      "[FontAnswerMes]\r\nAnswerMesWithIcon=1\r\n"
                      "[PresErrWindow]\r\nReferent=1\r\nSizePercent=70\r\n");
    PresentationSettings s;
    ReadPresentationSettings(ini, s);
    // ImgFrameWidth is outside the dialog's range: kept unless its control is changed.
    return s;
}

// The demonstration as the widget paints it, and the same slide drawn by the export.
void compareWithExport(SlideDemo *demo, const QString &line, const PresentationSettings &s,
                       const DemoFolder &folder)
{
    demo->repaint();
    const QImage shown = demo->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, demo->picture());
    SlideList list;
    list.lines << line;
    const QString out = folder.fx.path(QStringLiteral("export"));
    QDir(out).removeRecursively();
    const SlideExportResult r = ExportSlides(list, folder.fx.path(QStringLiteral("demo.sal")), s,
                                             out, demo->size(), 1.0, demo->palette());
    QVERIFY2(r.problems.isEmpty(), qPrintable(r.problems.join(QLatin1Char('\n'))));
    QCOMPARE(r.written, 1);
    const QImage exported =
        QImage(QDir(out).filePath(QStringLiteral("001.png"))).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(exported.size(), shown.size());
    QVERIFY2(exported == shown, "the demonstration and the export differ");
}

} // namespace

class TFInFormalOptionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void okWithoutChangesKeepsTheRecord()
    {
        DemoFolder folder;
        FakePrompter prompter;
        const PresentationSettings read = settingsFromFile();
        QCOMPARE(read.ImgFrameWidth, 70);
        for (int page = 0; page < 5; ++page) {
            auto d = openDialog(read, prompter, folder);
            // Walking the pages and the demonstrations changes nothing either.
            d->showPage(page, page == 0 ? 3 : -1);
            QCOMPARE(d->helpContext(), 1038 + page);
            d->setNotePosition(NotePosition::Left);
            (d->BB_Ok)->click();
            QCOMPARE(d->result(), int(QDialog::Accepted));
            QCOMPARE(DescribePresentationSettings(d->settings()),
                     DescribePresentationSettings(read));
            QVERIFY(!d->saveRequested());
        }
    }

    void eachControlChangesItsKeyOnly_data()
    {
        QTest::addColumn<DialogStep>("step");
        QTest::addColumn<QStringList>("keys");
        auto row = [](const char *name, DialogStep step, QStringList keys) {
            QTest::newRow(name) << step << keys;
        };
        auto click = [](QAbstractButton *b) { b->click(); };
        row("ampliation", [](TFInFormalOptions &d) { d.EC_Ampliation->setValue(300); },
            {QStringLiteral("Image.ImgAmpliation")});
        row("ampliation on", [click](TFInFormalOptions &d) { click(d.SB_AmpliationEnabled); },
            {QStringLiteral("Image.ImgAmpliationEnabled")});
        row("gif speed", [](TFInFormalOptions &d) { d.SE_GifAnimateSpeed->setValue(99); },
            {QStringLiteral("Image.ImgGifAnimateSpeed")});
        row("gif on", [click](TFInFormalOptions &d) { click(d.SB_GifAnimate); },
            {QStringLiteral("Image.ImgGifAnimate")});
        row("transparent", [click](TFInFormalOptions &d) { click(d.SB_ImageTransparent); },
            {QStringLiteral("Image.ImgTransparent")});
        row("frame off", [click](TFInFormalOptions &d) { click(d.CB_ImageFrameEnabledDemo); },
            {QStringLiteral("Image.ImgFrameEnabled")});
        row("frame width", [](TFInFormalOptions &d) { d.SE_ImageFrame->setValue(12); },
            {QStringLiteral("Image.ImgFrameWidth")});
        row("mark size", [](TFInFormalOptions &d) { d.SE_MarkSize->setValue(44); },
            {QStringLiteral("Mark.Size")});
        row("pen mode", [](TFInFormalOptions &d) { d.CB_MarkPenMode->setCurrentIndex(5); },
            {QStringLiteral("Mark.PenMode")});
        row("pen width", [](TFInFormalOptions &d) { d.SE_MarkPenWidth->setValue(6); },
            {QStringLiteral("Mark.PenWidth")});
        row("pen colour", [click](TFInFormalOptions &d) { click(d.BB_Mark_PenColor); },
            {QStringLiteral("Mark.PenColor")});
        row("brush colour", [click](TFInFormalOptions &d) { click(d.BB_Mark_BrushColor); },
            {QStringLiteral("Mark.BrushColor")});
        row("mark ratio", [click](TFInFormalOptions &d) { click(d.CB_MarkConstRatio); },
            {QStringLiteral("Mark.ConstRatio")});
        row("image effect",
            [](TFInFormalOptions &d) { d.CB_BackGroundEffectImage->setCurrentIndex(2); },
            {QStringLiteral("ImagePanel.ColorBackGroundEffect")});
        row("image colour", [click](TFInFormalOptions &d) { click(d.BB_SetImagePColor); },
            {QStringLiteral("ImagePanel.ColorStart")});
        row("note colour", [click](TFInFormalOptions &d) { click(d.BB_SetNotePColor); },
            {QStringLiteral("NotePanel.ColorStart")});
        row("image bitmap",
            [click](TFInFormalOptions &d) {
                d.CB_BackGroundEffectImage->setCurrentIndex(1);
                click(d.BB_SetBmpImageP);
            },
            {QStringLiteral("ImagePanel.ColorBackGroundEffect"),
             QStringLiteral("ImagePanel.BmpForBackgroud")});
        row("note to image background",
            [click](TFInFormalOptions &d) { click(d.SB_CopyNoteToImgBg); },
            {QStringLiteral("ImagePanel.ColorStart")});
        row("panels mode", [](TFInFormalOptions &d) { d.LB_ImgNotePanelsMode->setCurrentRow(2); },
            {QStringLiteral("Image.ImgNotePanelsMode")});
        row("top/bottom automatic",
            [click](TFInFormalOptions &d) { click(d.RG_ManualPanelSizeTB->button(0)); },
            {QStringLiteral("PanelNoteTB.ManualSize")});
        row("top/bottom size", [](TFInFormalOptions &d) { d.SE_ManualSizeTB->setValue(90); },
            {QStringLiteral("PanelNoteTB.Size")});
        row("left/right manual",
            [click](TFInFormalOptions &d) { click(d.RG_ManualPanelSizeLR->button(1)); },
            {QStringLiteral("PanelNoteLR.ManualSize")});
        row("left/right size", [](TFInFormalOptions &d) { d.SE_ManualSizeLR->setValue(200); },
            {QStringLiteral("PanelNoteLR.Size")});
        row("permanent", [click](TFInFormalOptions &d) { click(d.CB_PermanentNotePanelsDemo); },
            {QStringLiteral("NotePanel.PermanentNotePanels")});
        row("note font 1", [click](TFInFormalOptions &d) { click(d.BB_NoteFont1); },
            {QStringLiteral("FontNote1.FontName"), QStringLiteral("FontNote1.FontSize"),
             QStringLiteral("FontNote1.fsBold")});
        row("note font 2 from 1",
            [click](TFInFormalOptions &d) {
                click(d.BB_NoteFont1);
                click(d.SB_CopyFontTitleToComment);
            },
            {QStringLiteral("FontNote1.FontName"), QStringLiteral("FontNote1.FontSize"),
             QStringLiteral("FontNote1.fsBold"), QStringLiteral("FontNote2.FontName"),
             QStringLiteral("FontNote2.fsBold")});
        row("lines centred",
            [click](TFInFormalOptions &d) { click(d.RG_TextHPositionLR->button(0)); },
            {QStringLiteral("PanelNoteLR.LeftJustifyLRLines")});
        row("lines on top",
            [click](TFInFormalOptions &d) { click(d.RG_TextVPositionLR->button(1)); },
            {QStringLiteral("PanelNoteLR.OnTopLRLines")});
        row("title background",
            [](TFInFormalOptions &d) {
                QTimer::singleShot(0, [] {
                    auto *bg = qobject_cast<TFSetColorsOrImageToPanel *>(
                        QApplication::activeModalWidget());
                    if (!bg)
                        return;
                    bg->directions()->setCurrentRow(7);
                    bg->accept();
                });
                (d.BB_SetTitlePColor)->click();
            },
            {QStringLiteral("TitlePanel.ColorBackGroundEffect")});
        row("title font", [click](TFInFormalOptions &d) { click(d.BB_TitleFont[1]); },
            {QStringLiteral("FontTitle2ndLine.FontName"),
             QStringLiteral("FontTitle2ndLine.FontSize"),
             QStringLiteral("FontTitle2ndLine.fsBold")});
        row("shadow size", [](TFInFormalOptions &d) { d.SE_ShadowSize[0]->setValue(9); },
            {QStringLiteral("FontTitle1rsLine.ShadowSize")});
        row("shadow position", [](TFInFormalOptions &d) { d.LB_ShadowPos[0]->setCurrentRow(3); },
            {QStringLiteral("FontTitle1rsLine.ShadowPos")});
        row("shadow colour", [click](TFInFormalOptions &d) { click(d.BB_ShadowColor[0]); },
            {QStringLiteral("FontTitle1rsLine.ShadowColor")});
        row("prompt font", [click](TFInFormalOptions &d) { click(d.BB_PromptFont); },
            {QStringLiteral("FontPrompt.FontName"), QStringLiteral("FontPrompt.FontSize"),
             QStringLiteral("FontPrompt.fsBold")});
        row("question panel size",
            [click](TFInFormalOptions &d) {
                click(d.RG_PAnswerShowType->button(1));
                d.SE_ManualSizePA->setValue(120);
            },
            {QStringLiteral("PanelPA.Size")});
        row("input width", [](TFInFormalOptions &d) { d.SE_ManualEditAnswWidth->setValue(300); },
            {QStringLiteral("PanelPA.EditAnswWidth")});
        row("answer message icon", [click](TFInFormalOptions &d) { click(d.CB_WithIcon); },
            {QStringLiteral("FontAnswerMes.AnswerMesWithIcon")});
        row("error window referent",
            [click](TFInFormalOptions &d) { click(d.RG_PresErrWindowReferent->button(0)); },
            {QStringLiteral("PresErrWindow.Referent")});
        row("error window size",
            [](TFInFormalOptions &d) { d.SE_PresErrWindowSizePercent->setValue(40); },
            {QStringLiteral("PresErrWindow.SizePercent")});
        row("text colour", [click](TFInFormalOptions &d) { click(d.BB_SetBackGTextColor); },
            {QStringLiteral("Image.ColorRichEdit")});
        row("text font", [click](TFInFormalOptions &d) { click(d.BB_TextFont); },
            {QStringLiteral("FontText.FontName"), QStringLiteral("FontText.FontSize"),
             QStringLiteral("FontText.fsBold")});
        // Demonstration state only: nothing of the settings.
        row("answer rows", [](TFInFormalOptions &d) { d.SE_NumRowAnswers->setValue(5); }, {});
        row("note position", [](TFInFormalOptions &d) { d.setNotePosition(NotePosition::Top); },
            {});
    }
    void eachControlChangesItsKeyOnly()
    {
        QFETCH(DialogStep, step);
        QFETCH(QStringList, keys);
        DemoFolder folder;
        FakePrompter prompter;
        const PresentationSettings read = settingsFromFile();
        auto d = openDialog(read, prompter, folder);
        step(*d);
        (d->BB_Ok)->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QStringList changed = differingKeys(read, d->settings());
        changed.sort();
        keys.sort();
        QCOMPARE(changed, keys);
    }

    void questionPanelHeightReadsBack()
    {
        // A manual height the dialog accepts is one a configuration file gives back.
        DemoFolder folder;
        FakePrompter prompter;
        auto d = openDialog(PresentationSettings(), prompter, folder);
        d->RG_PAnswerShowType->button(1)->click();
        d->RG_ManualPanelSizePA->button(1)->click();
        d->SE_ManualSizePA->setValue(300);
        d->BB_Ok->click();
        TNewIniFile ini;
        WritePresentationSettings(ini, d->settings());
        PresentationSettings back;
        ReadPresentationSettings(ini, back);
        QVERIFY(back.PanelPA.ManualSize);
        QCOMPARE(back.PanelPA.Size, d->settings().PanelPA.Size);
        QCOMPARE(back.PanelPA.Size, d->SE_ManualSizePA->maximum());
    }

    void demonstrationsFollowTheControls()
    {
        DemoFolder folder;
        FakePrompter prompter;
        PresentationSettings s;
        s.ImgFrameEnabled = true;
        s.ImgGifAnimate = false;
        auto d = openDialog(s, prompter, folder);
        // Unchecking the minimum margin disables its width and takes the frame away.
        QCOMPARE(d->imageDemo()->scene().image().ImageFrame, TAdvImage::ifFlat);
        QVERIFY(d->SE_ImageFrame->isEnabled());
        (d->CB_ImageFrameEnabledDemo)->click();
        QVERIFY(!d->SE_ImageFrame->isEnabled());
        QCOMPARE(d->imageDemo()->scene().image().ImageFrame, TAdvImage::ifNone);

        // The still picture without animation, which may be transparent; the GIF with it.
        QVERIFY(d->imageDemoFile().endsWith(QStringLiteral("Pelvar.bmp")));
        QVERIFY(d->SB_ImageTransparent->isEnabled());
        (d->SB_GifAnimate)->click();
        QVERIFY(d->imageDemoFile().endsWith(QStringLiteral("Pelvar.gif")));
        QVERIFY(!d->SB_ImageTransparent->isEnabled());

        // Pen modes black, white and none have no outline to set.
        d->showPage(TFInFormalOptions::ImagePage, TFInFormalOptions::ImageTabMark);
        d->CB_MarkPenMode->setCurrentIndex(2);
        QVERIFY(!d->GB_MarkOutline->isVisibleTo(d.get()));
        QVERIFY(!d->BB_Mark_BrushColor->isVisibleTo(d.get()));
        d->CB_MarkPenMode->setCurrentIndex(14);
        QVERIFY(d->GB_MarkOutline->isVisibleTo(d.get()));
        QVERIFY(d->BB_Mark_BrushColor->isVisibleTo(d.get()));
        d->SE_MarkSize->setValue(50);
        QCOMPARE(d->markDemo()->scene().mark().PenMode, 14);
        QVERIFY(d->markDemo()->scene().mark().visible());

        // "Color llis" takes a colour, the pictures a bitmap.
        QVERIFY(d->BB_SetImagePColor->isEnabled() && !d->BB_SetBmpImageP->isEnabled());
        d->CB_BackGroundEffectImage->setCurrentIndex(2);
        QVERIFY(!d->BB_SetImagePColor->isEnabled() && d->BB_SetBmpImageP->isEnabled());
    }

    void panelSizeRules()
    {
        DemoFolder folder;
        FakePrompter prompter;
        PresentationSettings s;
        auto d = openDialog(s, prompter, folder);
        d->showPage(TFInFormalOptions::ImagePage, TFInFormalOptions::ImageTabSize);
        // Automatic sizes: the computed size in parentheses, nothing to copy, nothing permanent.
        QVERIFY(d->L_AutoSizeTB->text().startsWith(QLatin1Char('(')));
        const int autoTB = d->L_AutoSizeTB->text().mid(1).chopped(1).toInt();
        QVERIFY(autoTB > 0);
        QCOMPARE(d->noteDemo()->currentLayout().notePanel.height(), autoTB);
        QVERIFY(!d->SB_CopyAutomSizeToManualTB->isEnabled());
        QVERIFY(!d->CB_PermanentNotePanelsDemo->isEnabled());
        QVERIFY(!d->SE_ManualSizeTB->isEnabled());

        (d->RG_ManualPanelSizeTB->button(1))->click();
        QVERIFY(d->SE_ManualSizeTB->isEnabled());
        QVERIFY(d->CB_PermanentNotePanelsDemo->isEnabled());
        QVERIFY(d->SB_CopyAutomSizeToManualTB->isEnabled());
        (d->SB_CopyAutomSizeToManualTB)->click();
        QCOMPARE(d->settings().PanelNoteTB.Size, autoTB);

        // Without texts the panel shows only when permanent with a manual size.
        d->E_Note1Str->clear();
        d->E_Note2Str->clear();
        (d->BB_SetNoteStr)->click();
        QVERIFY(d->noteDemo()->currentLayout().notePanel.isEmpty());
        QCOMPARE(d->L_AutoSizeLR->text(), QStringLiteral("()"));
        (d->CB_PermanentNotePanelsDemo)->click();
        QCOMPARE(d->noteDemo()->currentLayout().notePanel.height(), autoTB);

        // The left/right panel's word wrap needs a manual size and left-aligned lines.
        const struct
        {
            bool manual, left, enabled;
        } wrap[] = {
            {false, false, false}, {false, true, false}, {true, false, false}, {true, true, true}};
        for (const auto &w : wrap) {
            (d->RG_ManualPanelSizeLR->button(w.manual ? 1 : 0))->click();
            (d->RG_TextHPositionLR->button(w.left ? 1 : 0))->click();
            QCOMPARE(d->CB_WordWrapLRLines->isEnabled(), w.enabled);
        }
    }

    void shadowSizeZeroDisablesItsShadow()
    {
        DemoFolder folder;
        FakePrompter prompter;
        PresentationSettings s;
        s.FontTitle1rsLine.ShadowSize = 5;
        auto d = openDialog(s, prompter, folder);
        QVERIFY(d->BB_ShadowColor[0]->isEnabled() && d->LB_ShadowPos[0]->isEnabled());
        QVERIFY(!d->BB_ShadowColor[1]->isEnabled() && !d->LB_ShadowPos[1]->isEnabled());
        (d->SB_ShadowCopy1To2)->click();
        QVERIFY(d->BB_ShadowColor[1]->isEnabled() && d->LB_ShadowPos[1]->isEnabled());
        QCOMPARE(d->settings().FontTitle2ndLine.ShadowSize, 5);
        d->SE_ShadowSize[0]->setValue(0);
        QVERIFY(!d->BB_ShadowColor[0]->isEnabled() && !d->LB_ShadowPos[0]->isEnabled());
    }

    void answerInputWidth()
    {
        DemoFolder folder;
        FakePrompter prompter;
        TFInFormalOptions::Inputs in;
        in.slideLines = {SlideListFixture::line(QString(), QStringLiteral("X"),
                                                QStringLiteral("Quina?"), QStringLiteral("A|B"))};
        {
            auto d = openDialog(PresentationSettings(), prompter, folder, in);
            d->showPage(TFInFormalOptions::QuestionPage);
            d->questionTabs()->setCurrentIndex(1);
            QVERIFY(d->GB_EditAnswWidth->isVisibleTo(d.get()));
            QVERIFY(d->GB_EditAnswWidth->isEnabled());
            (d->BB_CalcEditAnswWidth)->click();
            QCOMPARE(prompter.shown.size(), std::size_t(1));
            QCOMPARE(prompter.shown.back().text,
                     QStringLiteral("No hi ha cap resposta única a la presentació"));
            QCOMPARE(d->SE_ManualEditAnswWidth->value(), 100);
            // The width group belongs to the typed-answer demonstration.
            d->questionTabs()->setCurrentIndex(0);
            QVERIFY(!d->GB_EditAnswWidth->isVisibleTo(d.get()));
        }
        in.slideLines << SlideListFixture::line(
            QString(), QStringLiteral("X"), QStringLiteral("Escriu"), QStringLiteral("Barcelona"));
        auto d = openDialog(PresentationSettings(), prompter, folder, in);
        d->showPage(TFInFormalOptions::QuestionPage);
        d->questionTabs()->setCurrentIndex(1);
        (d->BB_CalcEditAnswWidth)->click();
        QCOMPARE(prompter.shown.size(), std::size_t(1));
        const Fallible<int> expected =
            CalcEditAnswWidth(in.slideLines, PresentationSettings().FontAnswers, d->typedDemo());
        QVERIFY(expected.ok());
        QCOMPARE(d->SE_ManualEditAnswWidth->value(), expected.value());
        QCOMPARE(d->settings().EditAnswWidth, expected.value());
        // The demonstration's box takes the new width.
        QCOMPARE(d->typedDemo()->currentLayout().question.box.width(), expected.value());
    }

    void demonstrationTextsFromTheSlideShown()
    {
        DemoFolder folder;
        FakePrompter prompter;
        TFInFormalOptions::Inputs in;
        SlideRecord slide;
        slide.Kind = skImage;
        slide.NotePos = NotePosition::Right;
        slide.PromptOr1stLine = QStringLiteral("El pi");
        slide.AnswersOrNextLines = QStringLiteral("Arbre de fulla perenne");
        in.currentSlide = slide;
        auto d = openDialog(PresentationSettings(), prompter, folder, in);
        QVERIFY(!d->BB_CopyTitleFromSlide->isEnabled());
        d->BB_CopyNoteFromSlide->click();
        QCOMPARE(d->E_Note1Str->text(), slide.PromptOr1stLine);
        QCOMPARE(d->notePosition(), NotePosition::Right);
        QCOMPARE(d->noteDemo()->scene().noteText2(), slide.AnswersOrNextLines);
        QCOMPARE(d->titleDemo()->scene().noteText1(), slide.PromptOr1stLine);
        QCOMPARE(d->demoState().note2, slide.AnswersOrNextLines);

        slide.Kind = skTitle;
        slide.PromptOr1stLine = QStringLiteral("Els arbres");
        in.currentSlide = slide;
        auto t = openDialog(PresentationSettings(), prompter, folder, in);
        QVERIFY(t->BB_CopyTitleFromSlide->isEnabled());
        t->BB_CopyTitleFromSlide->click();
        QCOMPARE(t->titleDemo()->scene().noteText1(), QStringLiteral("Els arbres"));
        QCOMPARE(t->notePosition(), NotePosition::Bottom);
    }

    void answerMessageProof()
    {
        DemoFolder folder;
        FakePrompter prompter;
        auto d = openDialog(PresentationSettings(), prompter, folder);
        d->showPage(TFInFormalOptions::AnswerMessagePage);
        (d->SB_CopyFontAFAFromPrompt)->click();
        (d->BB_AnswerMesProof)->click();
        (d->CB_WithIcon)->click();
        (d->BB_AnswerMesProof)->click();
        QCOMPARE(prompter.shown.size(), std::size_t(2));
        for (const auto &m : prompter.shown) {
            QCOMPARE(m.text, QStringLiteral("Missatge que apareixerà"));
            QCOMPARE(m.kind, MsgKind::Error);
            QCOMPARE(m.specs, QStringList{QStringLiteral("D'acord")});
            QVERIFY(m.answerMessage);
        }
        QVERIFY(!prompter.shown[0].icon);
        QVERIFY(prompter.shown[1].icon);
    }

    void openedFromQuizGeneration_data()
    {
        QTest::addColumn<int>("opener");
        QTest::addColumn<int>("kind");
        QTest::newRow("words, one answer")
            << int(InFormalOpener::WordsQuiz) << int(InFormalQuizKind::OneAnswer);
        QTest::newRow("pictures, radio")
            << int(InFormalOpener::PicturesQuiz) << int(InFormalQuizKind::Radio);
    }
    void openedFromQuizGeneration()
    {
        QFETCH(int, opener);
        QFETCH(int, kind);
        DemoFolder folder;
        FakePrompter prompter;
        TFInFormalOptions::Inputs in;
        in.opener = InFormalOpener(opener);
        in.quizKind = InFormalQuizKind(kind);
        InFormalDemoState state;
        state.sharedPanel = true;
        auto d = openDialog(PresentationSettings(), prompter, folder, in, state);
        const bool words = in.opener == InFormalOpener::WordsQuiz;
        const bool oneAnswer = in.quizKind == InFormalQuizKind::OneAnswer;
        QCOMPARE(d->pages()->currentIndex(), int(TFInFormalOptions::QuestionPage));
        QCOMPARE(d->pages()->isTabEnabled(TFInFormalOptions::ImagePage), !words);
        QCOMPARE(d->pages()->isTabEnabled(TFInFormalOptions::TextPage), !words);
        QCOMPARE(d->GB_PresErrWindow->isEnabled(), !words);
        QCOMPARE(d->questionTabs()->currentIndex(), oneAnswer ? 1 : 0);
        QCOMPARE(d->questionTabs()->isTabEnabled(0), !oneAnswer);
        QCOMPARE(d->questionTabs()->isTabEnabled(1), oneAnswer);
        QCOMPARE(d->RG_PAnswerShowType->checkedId(), 0);
        QVERIFY(!d->RG_PAnswerShowType->button(1)->isEnabled());
        QVERIFY(!d->GB_EditAnswWidth->isEnabled());
    }

    void setColorsOrImageToPanel()
    {
        PanelBackground bg;
        bg.ColorBackGroundEffect = 5;
        TFSetColorsOrImageToPanel d(bg, scriptedChoosers(QStringLiteral("/tmp/textura.bmp")));
        d.show();
        QCOMPARE(d.typeGroup()->checkedId(), 3);
        QCOMPARE(d.directions()->currentRow(), 2);
        QVERIFY(d.gradientGroup()->isEnabled());
        QVERIFY(!d.colorButton()->isEnabled() && !d.bitmapButton()->isEnabled());
        d.directions()->setCurrentRow(6);
        QCOMPARE(d.background().ColorBackGroundEffect, 9);
        (d.typeGroup()->button(1))->click();
        QCOMPARE(d.background().ColorBackGroundEffect, 1);
        QVERIFY(d.bitmapButton()->isEnabled() && !d.gradientGroup()->isEnabled());
        (d.bitmapButton())->click();
        QCOMPARE(d.background().BmpForBackgroud, QStringLiteral("/tmp/textura.bmp"));
        (d.typeGroup()->button(0))->click();
        QVERIFY(d.colorButton()->isEnabled() && !d.bitmapButton()->isEnabled());
        (d.colorButton())->click();
        QCOMPARE(d.background().ColorStart, TColor(0x00C000));
        QCOMPARE(d.background().ColorBackGroundEffect, 0);
    }

    // Each page's demonstration is the slide the export draws with the same settings.
    void demonstrationsAreWhatTheExportDraws()
    {
        DemoFolder folder;
        FakePrompter prompter;
        PresentationSettings s;
        s.ImgGifAnimate = false;
        s.ImgFrameEnabled = true;
        s.ImgFrameWidth = 14;
        s.MarkSize = 40;
        s.NotePanel.ColorStart = 0x00D0F0;
        s.TitlePanel.ColorBackGroundEffect = 4;
        s.TitlePanel.ColorEnd = 0xFF0000;
        s.FontTitle1rsLine.ShadowSize = 3;
        s.FontTitle1rsLine.FontSize = 18;
        s.ByInput = true;
        s.EditAnswWidth = 150;
        auto d = openDialog(s, prompter, folder);
        const QString bmp = QStringLiteral("Pelvar.bmp");
        const QString line = SlideListFixture::line(bmp);

        d->showPage(TFInFormalOptions::ImagePage, TFInFormalOptions::ImageTabImage);
        compareWithExport(d->imageDemo(), line, d->settings(), folder);

        d->showPage(TFInFormalOptions::ImagePage, TFInFormalOptions::ImageTabMark);
        compareWithExport(
            d->markDemo(),
            SlideListFixture::line(QStringLiteral("Colors.jpg"), QStringLiteral("x500y500")),
            d->settings(), folder);

        d->showPage(TFInFormalOptions::ImagePage, TFInFormalOptions::ImageTabSize);
        const struct
        {
            NotePosition pos;
            const char *flag;
        } sides[] = {{NotePosition::Bottom, "N3"}, {NotePosition::Left, "N0"}};
        for (const auto &side : sides) {
            d->setNotePosition(side.pos);
            compareWithExport(d->noteDemo(),
                              SlideListFixture::line(bmp, QLatin1String(side.flag),
                                                     QStringLiteral("Títol"),
                                                     QStringLiteral("Comentari")),
                              d->settings(), folder);
        }

        d->showPage(TFInFormalOptions::TitlePage);
        compareWithExport(d->titleDemo(),
                          SlideListFixture::line(QString(), QString(), QStringLiteral("Títol"),
                                                 QStringLiteral("Comentari")),
                          d->settings(), folder);

        d->showPage(TFInFormalOptions::QuestionPage);
        for (int shared = 0; shared < 2; ++shared) {
            (d->RG_PAnswerShowType->button(shared))->click();
            const QString file = shared ? bmp : QString();
            d->questionTabs()->setCurrentIndex(0);
            compareWithExport(d->radioDemo(),
                              SlideListFixture::line(file, QStringLiteral("XP"),
                                                     QStringLiteral("Pregunta"),
                                                     QStringLiteral("Resposta 1|Resposta 2")),
                              d->settings(), folder);
            d->questionTabs()->setCurrentIndex(1);
            compareWithExport(d->typedDemo(),
                              SlideListFixture::line(file, QStringLiteral("XP"),
                                                     QStringLiteral("Pregunta"),
                                                     QStringLiteral("Resposta")),
                              d->settings(), folder);
        }
    }

    void typedDemonstrationShowsMentalWithoutInput()
    {
        DemoFolder folder;
        FakePrompter prompter;
        auto d = openDialog(PresentationSettings(), prompter, folder);
        d->showPage(TFInFormalOptions::QuestionPage);
        d->questionTabs()->setCurrentIndex(1);
        // ByInput off: the answer is recalled mentally, the box only says so.
        QVERIFY(d->typedDemo()->scene().question().box != nullptr);
        QVERIFY(d->typedDemo()->scene().question().mentalPlaceholder);
        QCOMPARE(d->typedDemo()->currentLayout().question.box.width(), 100);
        // Rows of answers and the prompt follow their controls.
        d->SE_NumRowAnswers->setValue(4);
        QCOMPARE(d->radioDemo()->scene().question().answers.size(), std::size_t(4));
        QVERIFY(!d->radioDemo()->scene().question().prompt.isEmpty());
        (d->BB_WithPrompForAnswer)->click();
        QVERIFY(d->radioDemo()->scene().question().prompt.isEmpty());
    }

    void mainWindowCommand()
    {
        DemoFolder folder;
        FakePrompter prompter;
        const QString list =
            folder.fx.list(QStringLiteral("Animals.sal"),
                           {SlideListFixture::line(folder.fx.path(QStringLiteral("Pelvar.bmp")))});
        TFShowImages w(prompter);
        InFormalOptionsController c(w.engine(), w, w, prompter, folder.dir(),
                                    QStringLiteral("Pelvar"));
        QVERIFY(c.action()->isEnabled());
        QVERIFY(w.engine().session().OpenPresentation(list));
        PresentationSession &session = w.engine().session();
        session.SettingsModified = false;
        const PresentationSettings before = session.Settings;

        // Cancel after a font change: nothing changes but the page and the texts remembered.
        c.beforeShow = [](TFInFormalOptions &d) {
            d.setChoosers(scriptedChoosers());
            (d.BB_NoteFont1)->click();
            d.showPage(TFInFormalOptions::TitlePage);
            d.E_Note1Str->setText(QStringLiteral("Nou"));
            (d.BB_SetNoteStr)->click();
            d.SE_NumRowAnswers->setValue(4);
            QTimer::singleShot(0, &d, [&d] { (d.BB_Cancel)->click(); });
        };
        c.action()->trigger();
        QCOMPARE(DescribePresentationSettings(session.Settings),
                 DescribePresentationSettings(before));
        QVERIFY(!session.SettingsModified);
        QCOMPARE(c.demoState().page, int(TFInFormalOptions::TitlePage));
        QCOMPARE(c.demoState().note1, QStringLiteral("Nou"));
        QCOMPARE(c.demoState().answerRows, 2);

        // OK: the settings in force change, modified and no longer the defaults; the window's
        // text slides look as the text page's demonstration did.
        QColor demoBase;
        QFont demoFont;
        c.beforeShow = [&demoBase, &demoFont](TFInFormalOptions &d) {
            QCOMPARE(d.pages()->currentIndex(), int(TFInFormalOptions::TitlePage));
            QCOMPARE(d.E_Note1Str->text(), QStringLiteral("Nou"));
            d.SE_MarkSize->setValue(55);
            d.setChoosers(scriptedChoosers());
            d.BB_SetBackGTextColor->click();
            d.BB_TextFont->click();
            demoBase = d.textDemo()->palette().color(QPalette::Base);
            demoFont = d.textDemo()->font();
            QTimer::singleShot(0, &d, [&d] { (d.BB_Ok)->click(); });
        };
        c.action()->trigger();
        QCOMPARE(session.Settings.MarkSize, 55);
        QCOMPARE(demoBase, QColor(0, 0xC0, 0));
        QCOMPARE(w.textView()->palette().color(QPalette::Base), demoBase);
        QCOMPARE(w.textView()->font().family(), demoFont.family());
        QCOMPARE(w.textView()->font().pointSize(), 15);
        QVERIFY(session.SettingsModified);
        QVERIFY(session.ConfigNotDefault);

        // OK and save, to the presentation's own configuration; the dialog opens where it was.
        session.SettingsModified = false;
        QVERIFY(c.geometryMemory().saved());
        const QRect last = *c.geometryMemory().Restore();
        c.beforeShow = [last](TFInFormalOptions &d) {
            QCOMPARE(d.geometry().size(), last.size());
            d.SE_MarkSize->setValue(25);
            d.CB_WhereSave->combo()->setCurrentIndex(d.CB_WhereSave->combo()->findData(0));
            QTimer::singleShot(0, &d, [&d] { (d.CB_WhereSave->button())->click(); });
        };
        c.action()->trigger();
        QCOMPARE(session.Settings.MarkSize, 25);
        QVERIFY(!session.SettingsModified);
        TNewIniFile saved(folder.fx.path(QStringLiteral("Animals.ini")));
        QVERIFY(saved.load());
        QCOMPARE(saved.ReadInteger(QStringLiteral("Mark"), QStringLiteral("Size"), 0), 25);
    }
};

QTEST_MAIN(TFInFormalOptionsTest)
#include "TFInFormalOptionsTest.moc"
