#pragma once

#include "slides/Question.h"
#include "slides/SlideScene.h"

#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

#include <functional>
#include <memory>
#include <vector>

#include <QLabel>
struct PresentationSettings;

// A radio answer drawn straight on the panel's background. Arrow keys move among the answers
// without choosing; Space, Enter or a click chooses.
class TTransRadioButton : public QRadioButton
{
    Q_OBJECT
public:
    TTransRadioButton(const QString &caption, QWidget *parent);

    // What the painting below needs: the indicator's column and the caption on one line, or,
    // at a given width, the caption wrapped in what is left beside the indicator.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Draws the indicator and the caption, wrapped when the button is narrower than it.
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

// The typed-answer box. Its logic is the shared TypedAnswer: each edit and key goes to it, and
// the box shows the text and caret it leaves.
class TEditAnsw : public QLineEdit
{
    Q_OBJECT
public:
    TEditAnsw(std::shared_ptr<TypedAnswer> answer, QWidget *parent);
    TypedAnswer &answer() { return *m_answer; }
    // Shows the answer's text and puts the caret where it says.
    void refresh();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void edited(const QString &text);
    std::shared_ptr<TypedAnswer> m_answer;
};

// The controls of one question on a panel of `host`: the prompt label, the radio answers or the
// typed box. They are placed from the slide scene's layout, which sized the panel for them.
class QuestionControls
{
public:
    // `onAnswer` receives the index of a radio answer chosen.
    QuestionControls(QWidget *host, const QuestionModel &question,
                     const PresentationSettings &settings, QuestionMode mode,
                     std::function<void(int)> onAnswer);
    ~QuestionControls();
    QuestionControls(const QuestionControls &) = delete;
    QuestionControls &operator=(const QuestionControls &) = delete;

    void place(const QuestionLayoutResult &layout);
    // The box takes the focus with its caret at the first place to type.
    void focusBox();

    QLabel *prompt() const { return m_prompt; }
    const std::vector<QPointer<TTransRadioButton>> &radios() const { return m_radios; }
    TEditAnsw *box() const { return m_box; }

private:
    QPointer<QLabel> m_prompt;
    std::vector<QPointer<TTransRadioButton>> m_radios;
    QPointer<TEditAnsw> m_box;
};
