#include "player/ui/WebSlideView.h"

#include "files/Prompter.h"
#include "player/ui/MainWindowActions.h"
#include "player/ui/MainWindowCommandSet.h"
#include "slides/ui/SlideArea.h"
#include "slides/ui/WebBrowserControl.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// The stop sign of A_W_Stop: red while a page loads, grey when there is nothing to stop.
QIcon stopSign(const QColor &colour)
{
    QIcon icon;
    for (const int side : {16, 24, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal m = side / 8.0;
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QRectF(m / 2, m / 2, side - m, side - m));
        p.setPen(QPen(Qt::white, side / 8.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2.5 * m, 2.5 * m), QPointF(side - 2.5 * m, side - 2.5 * m));
        p.drawLine(QPointF(side - 2.5 * m, 2.5 * m), QPointF(2.5 * m, side - 2.5 * m));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QUrl urlOf(const QString &address)
{
    return QFileInfo(address).isAbsolute() ? QUrl::fromLocalFile(address) : QUrl(address);
}

} // namespace

WebSlideView::WebSlideView(MainWindowCommandSet &commands, SlideArea &area, Prompter &prompter,
                           QObject *parent)
    : QObject(parent), m_area(area), m_prompter(prompter),
      m_factory([](QWidget *p) { return WebBrowserControl::create(p); }),
      m_loadingIcon(stopIcon(true)), m_idleIcon(stopIcon(false))
{
    m_panel = new QWidget(&area);
    m_panel->setObjectName(QStringLiteral("P_Web"));
    auto *layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_panel->hide();

    const auto command = [&commands](const char *name) {
        return commands.action(QString::fromLatin1(name));
    };
    m_home = command("A_W_Home");
    m_backward = command("A_W_Backward");
    m_forward = command("A_W_Forward");
    m_stop = command("A_W_Stop");
    m_refresh = command("A_W_Refresh");
    m_decFontSize = command("A_W_DecFontSize");
    m_incFontSize = command("A_W_IncFontSize");
    for (const char *name : kWebSeparators)
        m_separators << command(name);
    m_stop->setIcon(m_idleIcon);
    connect(m_home, &QAction::triggered, this, [this] { A_W_HomeExecute(); });
    connect(m_backward, &QAction::triggered, this, [this] { A_W_BackwardExecute(); });
    connect(m_forward, &QAction::triggered, this, [this] { A_W_ForwardExecute(); });
    connect(m_stop, &QAction::triggered, this, [this] { A_W_StopExecute(); });
    connect(m_refresh, &QAction::triggered, this, [this] { A_W_RefreshExecute(); });
    connect(m_decFontSize, &QAction::triggered, this, [this] { A_W_DecFontSizeExecute(); });
    connect(m_incFontSize, &QAction::triggered, this, [this] { A_W_IncFontSizeExecute(); });

    m_fontSize = new QSpinBox;
    m_fontSize->setObjectName(QStringLiteral("UD_WFontSize"));
    m_fontSize->setRange(WebBrowserControl::kLowestTextSize, WebBrowserControl::kHighestTextSize);
    m_fontSize->setValue(WebBrowserControl::kMediumTextSize);
    // The keys stay with the slide area; the arrows are clicked.
    m_fontSize->setFocusPolicy(Qt::NoFocus);
    m_fontSize->setEnabled(false);
    m_fontSizeAction = commands.insertToolBarWidget(m_fontSize, kWebFontSizeSlot);
    connect(m_fontSize, &QSpinBox::valueChanged, this, [this](int v) { UD_WFontSizeClick(v); });

    RemoveWebView();
    setCommandsVisible(false);
}

WebSlideView::~WebSlideView()
{
    m_browser.reset();
}

QIcon WebSlideView::stopIcon(bool loading)
{
    return stopSign(loading ? QColor(200, 30, 30) : QColor(150, 150, 150));
}

QString WebSlideView::noBrowserMessage()
{
    return QStringLiteral("No hi ha instal·lat les explorador de pàgines web de Windows "
                          "(Microsoft’s Shell Doc Object and Control Library, situat ShDOCVW.DLL");
}

QString WebSlideView::addressOf(const QUrl &url)
{
    return url.toString(QUrl::PreferLocalFile);
}

void WebSlideView::setCommandsVisible(bool visible)
{
    for (QAction *a : {m_home, m_backward, m_forward, m_stop, m_refresh, m_decFontSize,
                       m_incFontSize, m_fontSizeAction})
        a->setVisible(visible);
    for (QAction *a : m_separators)
        a->setVisible(visible);
}

void WebSlideView::ShowWebSlide(const QString &path, QAction *play, QAction *edit)
{
    if (play)
        play->setEnabled(false);
    if (edit) {
        edit->setEnabled(true);
        MainWindowCommandSet::setHint(edit, QStringLiteral("Obre la diapositiva actual") +
                                                QStringLiteral("\r\n") +
                                                QStringLiteral("amb l'explorador d'Internet"));
    }
    if (!m_browser) {
        m_browser = m_factory ? m_factory(m_panel) : nullptr;
        if (!m_browser) {
            // The slide goes on blank: the empty panel covers the slide area's place.
            m_area.setContentView(m_panel, SlideArea::ContentPlace::Panel);
            m_prompter.ShowError(noBrowserMessage());
            return;
        }
        m_panel->layout()->addWidget(m_browser->widget());
        connect(m_browser.get(), &WebBrowserControl::navigationStarting, this,
                [this](const QUrl &target) { WBBeforeNavigate2(target); });
        connect(m_browser.get(), &WebBrowserControl::loadStarted, this,
                [this] { WBDownloadBegin(); });
        connect(m_browser.get(), &WebBrowserControl::loadFinished, this,
                [this] { WBDownloadComplete(); });
        m_stop->setEnabled(true);
        m_refresh->setEnabled(true);
        m_area.setContentView(m_panel, SlideArea::ContentPlace::Panel);
    }
    m_history.StartSlide();
    updateHistoryCommands();
    m_browser->navigate(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    syncTextSize();
}

void WebSlideView::RemoveWebView()
{
    m_browser.reset();
    m_history.Clear();
    m_loading = false;
    m_stop->setIcon(m_idleIcon);
    for (QAction *a :
         {m_home, m_backward, m_forward, m_stop, m_refresh, m_decFontSize, m_incFontSize})
        a->setEnabled(false);
    MainWindowCommandSet::setHint(m_backward, QString());
    MainWindowCommandSet::setHint(m_forward, QString());
    m_fontSize->setEnabled(false);
    if (m_area.contentView() == m_panel)
        m_area.setContentView(nullptr);
    m_panel->hide();
}

void WebSlideView::navigate(const QString &address)
{
    if (m_browser)
        m_browser->navigate(urlOf(address));
}

void WebSlideView::A_W_BackwardExecute()
{
    if (const auto to = m_history.Backward()) {
        updateHistoryCommands();
        navigate(*to);
    }
}

void WebSlideView::A_W_ForwardExecute()
{
    if (const auto to = m_history.Forward()) {
        updateHistoryCommands();
        navigate(*to);
    }
}

void WebSlideView::A_W_HomeExecute()
{
    if (const auto to = m_history.Home()) {
        updateHistoryCommands();
        navigate(*to);
    }
}

void WebSlideView::A_W_RefreshExecute()
{
    if (!m_history.CurrentPage().isEmpty())
        navigate(m_history.CurrentPage());
}

void WebSlideView::A_W_StopExecute()
{
    if (m_browser)
        m_browser->stop();
}

void WebSlideView::A_W_DecFontSizeExecute()
{
    setTextSize(m_fontSize->value() - 1);
}

void WebSlideView::A_W_IncFontSizeExecute()
{
    setTextSize(m_fontSize->value() + 1);
}

void WebSlideView::UD_WFontSizeClick(int value)
{
    setTextSize(value);
}

void WebSlideView::setTextSize(int step)
{
    if (!m_browser)
        return;
    m_browser->setTextSize(step);
    syncTextSize();
}

void WebSlideView::WBBeforeNavigate2(const QUrl &target)
{
    if (!m_browser)
        return;
    m_history.BeforeNavigate(addressOf(target));
    updateHistoryCommands();
    syncTextSize();
}

void WebSlideView::WBDownloadBegin()
{
    m_loading = true;
    m_stop->setIcon(m_loadingIcon);
}

void WebSlideView::WBDownloadComplete()
{
    m_loading = false;
    m_stop->setIcon(m_idleIcon);
}

void WebSlideView::updateHistoryCommands()
{
    m_home->setEnabled(m_history.homeEnabled());
    m_backward->setEnabled(m_history.backwardEnabled());
    MainWindowCommandSet::setHint(m_backward, m_history.backwardHint());
    m_forward->setEnabled(m_history.forwardEnabled());
    MainWindowCommandSet::setHint(m_forward, m_history.forwardHint());
}

void WebSlideView::syncTextSize()
{
    if (!m_browser)
        return;
    WebTextSize size;
    size.lowest = WebBrowserControl::kLowestTextSize;
    size.highest = WebBrowserControl::kHighestTextSize;
    size.value = m_browser->textSize();
    {
        const QSignalBlocker quiet(m_fontSize);
        m_fontSize->setRange(size.lowest, size.highest);
        m_fontSize->setValue(size.value);
    }
    m_fontSize->setEnabled(true);
    m_fontSize->setToolTip(MainWindowCommandSet::hintText(size.hint()));
    m_decFontSize->setEnabled(size.decreaseEnabled());
    m_incFontSize->setEnabled(size.increaseEnabled());
}
