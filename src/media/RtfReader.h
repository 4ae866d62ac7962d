#pragma once

#include "files/Fallible.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// True when the bytes begin, after white space, with the RTF header "{\rtf".
bool looksLikeRtf(const QByteArray &bytes);

// Replaces the content of `doc` with the RTF document held in `bytes`: text in the document's
// code page (\ansicpg, else Windows-1252, or a font's own character set) and \uN characters;
// paragraphs, line breaks and tabs; bold, italic, underline, strike-out, super- and subscript,
// hidden text; sizes, the font and colour tables with \cf, \cb and \highlight; alignment,
// indents and paragraph spacing; PNG and JPEG pictures, added to the document as image resources
// named "rtf-image:1", "rtf-image:2", ... Destinations it does not show (headers, footers, style
// sheet, document information, unknown \* groups) and unknown control words are skipped.
//
// It fails only when the bytes are not RTF at all; a damaged document (truncated, unbalanced
// braces, garbage) gives whatever could be read. Input of any size and nesting is read in one
// pass with a bounded group stack: it never recurses, never reads past the end and never hangs.
Fallible<void> readRtf(const QByteArray &bytes, QTextDocument &doc);

// The message for bytes that are not an RTF document.
QString notRtfMessage();
