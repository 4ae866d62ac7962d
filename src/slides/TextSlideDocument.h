#pragma once

#include "files/Fallible.h"
#include "presentation/SlideRecord.h"
#include "slides/SlideScene.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QPainter;
class QTextDocument;

// How a text file is shown: its characters as they are, or read as an RTF document.
enum class TextKind { Plain, Rich };

// The text kind of a slide kind: plain for ".txt" slides, rich for ".rtf" slides; none for the
// kinds that are not text.
std::optional<TextKind> textKindForSlide(TSlideKind kind);
// The text kind of a file by its extension: ".rtf" is rich, anything else plain.
TextKind textKindForFile(const QString &path);

// "No es pot obrir el fitxer <path>": a text file that cannot be read.
QString cannotOpenTextMessage(const QString &path);

// Replaces the content of `doc` with the text in `bytes`, in `font` unless the text says
// otherwise. Plain text is decoded by the 8-bit rule (UTF-8 when valid and non-ASCII, else
// Windows-1252) and shown verbatim, RTF markup included. Rich text is read as RTF; bytes that are
// not an RTF document are shown as plain text rather than refused, so a mislabelled file still
// shows its words. Undo is off in the document afterwards: it only ever shows a file.
void loadTextDocument(const QByteArray &bytes, TextKind kind, QTextDocument &doc,
                      const QFont &font);

// Reads `path` and loads it as above; fails with cannotOpenTextMessage when it cannot be read.
Fallible<void> loadTextFile(const QString &path, TextKind kind, QTextDocument &doc,
                            const QFont &font);

// Draws `doc` as the text view shows it in `rect`: the rectangle filled with `background`, the
// document laid out to the rectangle's width, from its top, clipped to the rectangle; text
// without a colour of its own in `text`.
void paintTextDocument(QPainter &p, QTextDocument &doc, const QRect &rect, const QColor &background,
                       const QColor &text);

// What the export draws for a text or rich-text slide: the slide's file in the text slides'
// font and background colour. Fails when the file cannot be read.
Fallible<SlideScene::OtherContent> textSlideContent(const SlideRecord &slide,
                                                    const PresentationSettings &settings,
                                                    const QPalette &palette);
