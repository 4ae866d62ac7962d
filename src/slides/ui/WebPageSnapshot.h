#pragma once

#include "files/Fallible.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <chrono>

// A picture of the local web page `path` as the slides' browser shows it in a view of `size`
// logical pixels, drawn without showing a window. Needs a QApplication. A page that has not
// finished loading after `timeout` is given up, with the reason; so is one that cannot be
// loaded.
Fallible<QImage> WebPageSnapshot(const QString &path, QSize size,
                                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
