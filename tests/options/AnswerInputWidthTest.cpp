#include "options/AnswerInputWidth.h"

#include "support/SlideListFixture.h"

#include <QFontMetrics>
#include <QTest>

namespace {

QString titleQuestion(const QString &answers)
{
    return SlideListFixture::line(QString(), QStringLiteral("X"), QStringLiteral("Pregunta"),
                                  answers);
}

} // namespace

class AnswerInputWidthTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noSingleAnswer_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty list") << QStringList();
        QTest::newRow("radio questions only") << QStringList{
            titleQuestion(QStringLiteral("*Roma|París")), titleQuestion(QStringLiteral("Sí|No"))};
        // Paragraphs without the question flag are notes, not answers.
        QTest::newRow("notes only") << QStringList{SlideListFixture::line(
            QString(), QString(), QStringLiteral("Títol"), QStringLiteral("Comentari"))};
        QTest::newRow("single answer of a missing file") << QStringList{
            SlideListFixture::line(QStringLiteral("/no/such/picture.png"), QStringLiteral("X"),
                                   QStringLiteral("P"), QStringLiteral("Vilaclara"))};
    }
    void noSingleAnswer()
    {
        QFETCH(QStringList, lines);
        const Fallible<int> w = CalcEditAnswWidth(lines, FontSettings());
        QVERIFY(!w.ok());
        QCOMPARE(w.error(), QStringLiteral("No hi ha cap resposta única a la presentació"));
    }

    void widestSingleAnswerPlusHalfAnH()
    {
        FontSettings font;
        font.FontName = QStringLiteral("DejaVu Sans");
        font.FontSize = 12;
        const QString longest = QStringLiteral("Barcelona i Girona");
        const QStringList lines = {
            titleQuestion(QStringLiteral("Roma")), titleQuestion(QStringLiteral("*Roma|París")),
            // The score suffix and the hint marks are not part of what is typed.
            titleQuestion(QStringLiteral("&Barcelona i Girona//<2")),
            titleQuestion(QStringLiteral("Vic"))};
        const Fallible<int> w = CalcEditAnswWidth(lines, font);
        QVERIFY(w.ok());
        const QFontMetrics fm(fontFromSettings(font));
        QCOMPARE(w.value(),
                 fm.horizontalAdvance(longest) + fm.horizontalAdvance(QLatin1Char('H')) / 2);
    }

    void atLeastTen()
    {
        FontSettings tiny;
        tiny.FontName = QStringLiteral("DejaVu Sans");
        tiny.FontSize = 1;
        const Fallible<int> w = CalcEditAnswWidth({titleQuestion(QStringLiteral("i"))}, tiny);
        QVERIFY(w.ok());
        QCOMPARE(w.value(), 10);
    }
};

QTEST_MAIN(AnswerInputWidthTest)
#include "AnswerInputWidthTest.moc"
