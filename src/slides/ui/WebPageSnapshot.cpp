#include "slides/ui/WebPageSnapshot.h"

#include "slides/ui/WebBrowserControl.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

// Runs the events for `ms` milliseconds.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

Fallible<QImage> WebPageSnapshot(const QString &path, QSize size, std::chrono::milliseconds timeout)
{
    QWidget host;
    host.setAttribute(Qt::WA_DontShowOnScreen);
    host.resize(size);
    std::unique_ptr<WebBrowserControl> browser = WebBrowserControl::create(&host);
    if (!browser)
        return Fallible<QImage>::failure(
            QStringLiteral("No hi ha cap explorador de pàgines web per a dibuixar %1").arg(path));
    browser->widget()->setGeometry(QRect(QPoint(0, 0), size));

    bool finished = false;
    bool loaded = false;
    QEventLoop loop;
    QObject::connect(browser.get(), &WebBrowserControl::loadFinished, &loop, [&](bool ok) {
        finished = true;
        loaded = ok;
        loop.quit();
    });
    host.show();
    browser->navigate(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (!finished) {
        QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (!finished) {
        browser->stop();
        return Fallible<QImage>::failure(
            QStringLiteral("La pàgina web %1 no s'ha acabat de carregar en %2 s")
                .arg(path)
                .arg(double(timeout.count()) / 1000.0));
    }
    if (!loaded)
        return Fallible<QImage>::failure(
            QStringLiteral("No es pot obrir la pàgina web %1").arg(path));

    // The engine draws the loaded page a moment later, in another process: the picture is taken
    // once two grabs a little apart agree (a page still moving is taken as it is after 2 s).
    QImage shot = browser->widget()->grab().toImage();
    for (int i = 0; i < 10; ++i) {
        pause(200);
        QImage next = browser->widget()->grab().toImage();
        const bool same = next == shot;
        shot = std::move(next);
        if (same && i > 0)
            break;
    }
    return shot;
}
