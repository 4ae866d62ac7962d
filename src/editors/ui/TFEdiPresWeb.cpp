#include "editors/ui/TFEdiPresWeb.h"

#include "editors/PreviewContext.h"
#include "files/HelpContexts.h"
#include "files/HelpRequester.h"
#include "files/Prompter.h"
#include "player/WebTextSize.h"
#include "player/ui/MainWindowCommandSet.h"
#include "player/ui/WebSlideView.h"
#include "slides/ui/SlideArea.h"
#include "slides/ui/WebBrowserControl.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QUrl urlOf(const QString &address)
{
    return QFileInfo(address).isAbsolute() ? QUrl::fromLocalFile(address) : QUrl(address);
}

// A history button: the action, with the list of pages on its arrow.
QAction *historyButton(QToolBar *bar, const QString &name, const QString &caption,
                       QStyle::StandardPixmap picture, const QKeySequence &key, QMenu *menu)
{
    auto *action = new QAction(bar->style()->standardIcon(picture), caption, bar->parentWidget());
    action->setObjectName(name);
    action->setShortcut(key);
    action->setMenu(menu);
    bar->addAction(action);
    if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action))) {
        button->setObjectName(QStringLiteral("TB_") + name);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    return action;
}

} // namespace

TFEdiPresWeb::TFEdiPresWeb(const SlideRecord &slide, PreviewContext &context,
                           BrowserFactory factory, QWidget *parent)
    : TFEdiPresentationH(slide, context, parent), m_toolBar(new QToolBar(this)),
      m_textSize(new QSpinBox(m_toolBar)), m_address(new QLineEdit(this)),
      m_panel(new QWidget(slideArea()))
{
    setObjectName(QStringLiteral("TFEdiPresWeb"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->setFloatable(false);
    m_toolBar->setMovable(false);

    auto *backMenu = new QMenu(this);
    auto *forwardMenu = new QMenu(this);
    connect(backMenu, &QMenu::aboutToShow, this,
            [this, backMenu] { fillHistoryMenu(backMenu, WebHistory::List::Back); });
    connect(forwardMenu, &QMenu::aboutToShow, this,
            [this, forwardMenu] { fillHistoryMenu(forwardMenu, WebHistory::List::Forward); });
    m_backward =
        historyButton(m_toolBar, QStringLiteral("A_Backward"), QStringLiteral("Enrera"),
                      QStyle::SP_ArrowBack, QKeySequence(Qt::ALT | Qt::Key_Left), backMenu);
    m_forward =
        historyButton(m_toolBar, QStringLiteral("A_Forward"), QStringLiteral("Endavant"),
                      QStyle::SP_ArrowForward, QKeySequence(Qt::ALT | Qt::Key_Right), forwardMenu);
    connect(m_backward, &QAction::triggered, this,
            [this] { chooseFromHistory(WebHistory::List::Back, 0); });
    connect(m_forward, &QAction::triggered, this,
            [this] { chooseFromHistory(WebHistory::List::Forward, 0); });
    m_stop = m_toolBar->addAction(WebSlideView::stopIcon(false), QStringLiteral("Atura"));
    m_stop->setObjectName(QStringLiteral("A_Stop"));
    connect(m_stop, &QAction::triggered, this, [this] {
        if (m_browser)
            m_browser->stop();
    });
    m_refresh = m_toolBar->addAction(style()->standardIcon(QStyle::SP_BrowserReload),
                                     QStringLiteral("Actualitza"));
    m_refresh->setObjectName(QStringLiteral("A_Refresh"));
    connect(m_refresh, &QAction::triggered, this, [this] { navigate(m_address->text()); });
    m_toolBar->addSeparator();
    m_textSize->setObjectName(QStringLiteral("UD_WFontSize"));
    m_textSize->setRange(WebBrowserControl::kLowestTextSize, WebBrowserControl::kHighestTextSize);
    m_textSize->setValue(WebBrowserControl::kMediumTextSize);
    m_textSize->setFocusPolicy(Qt::NoFocus);
    m_toolBar->addWidget(m_textSize);
    connect(m_textSize, &QSpinBox::valueChanged, this, [this](int step) {
        if (!m_browser)
            return;
        m_browser->setTextSize(step);
        syncTextSize();
    });
    windowLayout()->insertWidget(0, m_toolBar);

    m_address->setObjectName(QStringLiteral("Edit"));
    m_address->setReadOnly(true);
    m_address->setToolTip(QStringLiteral("URL"));
    connect(m_address, &QLineEdit::returnPressed, this, [this] { navigate(m_address->text()); });
    windowLayout()->insertWidget(1, m_address);

    // F1 reaches the window before the page can take it.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { showHelp(); });

    m_panel->setObjectName(QStringLiteral("P_Web"));
    auto *panelLayout = new QVBoxLayout(m_panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    (void)slideArea()->showSlide(slide);
    slideArea()->setContentView(m_panel, SlideArea::ContentPlace::Panel);
    showAnswers();

    const QFileInfo file(slide.FileName);
    const QString path = file.isAbsolute() || context.slideListFolder.isEmpty()
                             ? file.absoluteFilePath()
                             : QDir(context.slideListFolder).absoluteFilePath(slide.FileName);
    setWindowTitle(file.fileName());
    m_browser = factory ? factory(m_panel) : WebBrowserControl::create(m_panel);
    updateHistoryCommands();
    if (!m_browser) {
        m_stop->setEnabled(false);
        m_refresh->setEnabled(false);
        m_textSize->setEnabled(false);
        context.prompter.ShowError(WebSlideView::noBrowserMessage());
        return;
    }
    panelLayout->addWidget(m_browser->widget());
    connect(m_browser.get(), &WebBrowserControl::navigationStarting, this,
            [this](const QUrl &target) { WBBeforeNavigate2(target); });
    connect(m_browser.get(), &WebBrowserControl::loadStarted, this,
            [this] { loadingChanged(true); });
    connect(m_browser.get(), &WebBrowserControl::loadFinished, this,
            [this] { loadingChanged(false); });
    m_history.StartSlide();
    m_address->setText(path);
    m_browser->navigate(QUrl::fromLocalFile(path));
    syncTextSize();
}

TFEdiPresWeb::~TFEdiPresWeb()
{
    // The page goes before the panel it is shown in.
    m_browser.reset();
}

void TFEdiPresWeb::keyPressEvent(QKeyEvent *event)
{
    // Esc belongs to the page; the close button closes the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        showHelp();
        return;
    }
    TFEdiPresentationH::keyPressEvent(event);
}

void TFEdiPresWeb::showHelp()
{
    if (context().help)
        context().help->showHelpContext(helpNumber(HelpContext::WebPreview));
    else
        context().prompter.ShowInfo(helpText());
}

void TFEdiPresWeb::navigate(const QString &address)
{
    if (m_browser && !address.isEmpty())
        m_browser->navigate(urlOf(address));
}

void TFEdiPresWeb::WBBeforeNavigate2(const QUrl &target)
{
    // The address shown is the history's page: a reload (the same address) changes nothing, a
    // page already in a list is moved to, any other starts a new line forward.
    m_history.BeforeNavigate(WebSlideView::addressOf(target));
    m_address->setText(m_history.CurrentPage());
    updateHistoryCommands();
    syncTextSize();
}

void TFEdiPresWeb::chooseFromHistory(WebHistory::List list, qsizetype index)
{
    const std::optional<QString> to = m_history.GoHistory(list, index, WebHistory::Navigate::Yes);
    if (!to)
        return;
    m_address->setText(*to);
    updateHistoryCommands();
    navigate(*to);
}

void TFEdiPresWeb::fillHistoryMenu(QMenu *menu, WebHistory::List list)
{
    menu->clear();
    const QStringList &pages =
        list == WebHistory::List::Back ? m_history.BackList() : m_history.ForwardList();
    for (qsizetype i = 0; i < pages.size(); ++i) {
        QAction *entry = menu->addAction(pages[i]);
        connect(entry, &QAction::triggered, this, [this, list, i] { chooseFromHistory(list, i); });
    }
}

void TFEdiPresWeb::updateHistoryCommands()
{
    m_backward->setEnabled(m_history.backwardEnabled());
    m_backward->setToolTip(MainWindowCommandSet::hintText(m_history.backwardHint()));
    m_forward->setEnabled(m_history.forwardEnabled());
    m_forward->setToolTip(MainWindowCommandSet::hintText(m_history.forwardHint()));
}

void TFEdiPresWeb::syncTextSize()
{
    if (!m_browser)
        return;
    WebTextSize size;
    size.lowest = WebBrowserControl::kLowestTextSize;
    size.highest = WebBrowserControl::kHighestTextSize;
    size.value = m_browser->textSize();
    const QSignalBlocker quiet(m_textSize);
    m_textSize->setValue(size.value);
    m_textSize->setToolTip(MainWindowCommandSet::hintText(size.hint()));
}

void TFEdiPresWeb::loadingChanged(bool loading)
{
    m_loading = loading;
    m_stop->setIcon(WebSlideView::stopIcon(loading));
}
