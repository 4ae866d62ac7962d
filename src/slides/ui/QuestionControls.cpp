#include "slides/ui/QuestionControls.h"

#include "config/PresentationSettings.h"
#include "files/SystemColors.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

void applyFont(QWidget *w, const FontSettings &f)
{
    w->setFont(fontFromSettings(f));
    QPalette pal = w->palette();
    const QColor c = colorFromTColor(f.Color, pal);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::ButtonText, c);
    pal.setColor(QPalette::Text, c);
    w->setPalette(pal);
}

} // namespace

TTransRadioButton::TTransRadioButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    // Choosing is answering: the button never stays checked as a selection.
    setCheckable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void TTransRadioButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        focusNextPrevChild(false);
        event->accept();
        return;
    case Qt::Key_Down:
    case Qt::Key_Right:
        focusNextPrevChild(true);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        click();
        return;
    default: QRadioButton::keyPressEvent(event);
    }
}

namespace {

constexpr int kTallCaption = 1 << 20;
constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;

} // namespace

QSize TTransRadioButton::sizeHint() const
{
    const int ind = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this);
    const QRect caption =
        fontMetrics().boundingRect(QRect(0, 0, kTallCaption, kTallCaption), kCaptionFlags, text());
    // One pixel above the indicator; one above and below the caption.
    return {kRadioIndicatorWidth + caption.width(), std::max(fontMetrics().height() + 2, ind + 1)};
}

int TTransRadioButton::heightForWidth(int width) const
{
    const int ind = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this);
    const QRect caption = fontMetrics().boundingRect(
        QRect(0, 0, std::max(1, width - kRadioIndicatorWidth), kTallCaption),
        kCaptionFlags | Qt::TextWordWrap, text());
    return std::max(caption.height() + 2, ind + 1);
}

void TTransRadioButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const int ind = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &opt, this);
    const int line = fontMetrics().height();
    QStyleOptionButton indicator = opt;
    indicator.rect = QRect(1, 1 + std::max(0, (line - ind) / 2), ind, ind);
    p.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);
    const QRect textRect(kRadioIndicatorWidth, 1, width() - kRadioIndicatorWidth, height() - 2);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
               text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect =
            p.boundingRect(textRect,
                           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                           text())
                .adjusted(-1, 0, 1, 0);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool TTransRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

TEditAnsw::TEditAnsw(std::shared_ptr<TypedAnswer> answer, QWidget *parent)
    : QLineEdit(parent), m_answer(std::move(answer))
{
    setObjectName(QStringLiteral("EditAnsw"));
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    connect(this, &QLineEdit::textEdited, this, &TEditAnsw::edited);
    refresh();
}

void TEditAnsw::refresh()
{
    // setText does not come back through textEdited.
    setText(m_answer->text());
    setCursorPosition(m_answer->caret());
    deselect();
}

void TEditAnsw::edited(const QString &text)
{
    const auto keep = m_answer;
    QPointer<TEditAnsw> self(this);
    keep->EditAnsChange(text, cursorPosition());
    if (self && !keep->ended())
        refresh();
}

void TEditAnsw::keyPressEvent(QKeyEvent *event)
{
    const auto keep = m_answer;
    QPointer<TEditAnsw> self(this);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        keep->EditAnsKeyDown(TypedAnswer::Key::Enter, text(), cursorPosition());
        if (self && !keep->ended())
            refresh();
        return;
    }
    if (event->key() == Qt::Key_Backspace)
        keep->EditAnsKeyDown(TypedAnswer::Key::Backspace, text(), cursorPosition());
    QLineEdit::keyPressEvent(event);
    // Keys are never passed to the window while the box has them: Space types a space.
    event->accept();
}

void TEditAnsw::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    setCursorPosition(m_answer->caret());
    deselect();
}

QuestionControls::QuestionControls(QWidget *host, const QuestionModel &question,
                                   const PresentationSettings &settings, QuestionMode mode,
                                   std::function<void(int)> onAnswer)
{
    if (!question.prompt.isEmpty()) {
        m_prompt = new QLabel(host);
        m_prompt->setObjectName(QStringLiteral("PromptLabel"));
        m_prompt->setText(
            QString(question.prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        m_prompt->setTextFormat(Qt::PlainText);
        m_prompt->setWordWrap(true);
        m_prompt->setAttribute(Qt::WA_TransparentForMouseEvents);
        applyFont(m_prompt, settings.FontPrompt);
    }
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
        auto *b = new TTransRadioButton(DisplayedCaption(question.answers[i]), host);
        b->setObjectName(QStringLiteral("Answer%1").arg(i));
        applyFont(b, settings.FontAnswers);
        QObject::connect(b, &QAbstractButton::clicked, b, [onAnswer, i] {
            if (onAnswer)
                onAnswer(int(i));
        });
        m_radios.emplace_back(b);
    }
    if (question.box) {
        m_box = new TEditAnsw(question.box, host);
        applyFont(m_box, settings.FontAnswers);
        if (question.mentalPlaceholder) {
            m_box->setText(QStringLiteral("(mental)"));
            m_box->setReadOnly(true);
        }
        (void)mode;
    }
}

QuestionControls::~QuestionControls()
{
    // Freed from inside their own handlers (an answer moves to the next slide): delete later.
    auto drop = [](QWidget *w) {
        if (w) {
            w->hide();
            w->deleteLater();
        }
    };
    drop(m_prompt);
    for (auto &b : m_radios)
        drop(b);
    drop(m_box);
}

void QuestionControls::place(const QuestionLayoutResult &layout)
{
    if (m_prompt) {
        m_prompt->setAlignment((layout.promptCentred ? Qt::AlignHCenter : Qt::AlignLeft) |
                               Qt::AlignTop);
        m_prompt->setGeometry(layout.prompt);
        m_prompt->show();
    }
    for (std::size_t i = 0; i < m_radios.size(); ++i) {
        if (!m_radios[i])
            continue;
        if (i < layout.answers.size())
            m_radios[i]->setGeometry(layout.answers[i]);
        m_radios[i]->show();
    }
    if (m_box) {
        m_box->setGeometry(layout.box);
        m_box->show();
    }
}

void QuestionControls::focusBox()
{
    if (m_box && !m_box->isReadOnly()) {
        m_box->setFocus(Qt::OtherFocusReason);
        m_box->refresh();
    }
}
