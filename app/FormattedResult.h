#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "engine/Notation.h"

class QPagedPaintDevice;

namespace lexipulse {

// IsStressedLetter tells whether c marks a stressed vowel in a result of the classic style:
// one of the accented capitals the notation writes.
bool IsStressedLetter(QChar c);

// ResultHtml is a classic result text (lines broken at LF) as a UTF-8 HTML document in which
// every stressed vowel letter is bold and coloured; spaces and line breaks show as in the box.
QString ResultHtml(const QString& text);

// AccentsHtml is a result of the accents style as the same document, its text as it is: the
// accents are the marks.
QString AccentsHtml(const QString& text);

// HighlightHtml is a result of the highlight style, the text as typed with its stressed letters
// (positions in text), as the document AppendHtml writes: primary stress bold and underlined,
// secondary underlined.
QString HighlightHtml(const QString& text, const std::vector<TStressedLetter>& letters);

// PrintDocument lays out an HTML document (one of the above) on the pages of device.
void PrintDocument(const QString& html, QPagedPaintDevice& device);

// DocumentPdf is an HTML document (one of the above) as a PDF document of A4 pages.
QByteArray DocumentPdf(const QString& html);

// PrintResult and ResultPdf are PrintDocument and DocumentPdf of ResultHtml(text).
void PrintResult(const QString& text, QPagedPaintDevice& device);
QByteArray ResultPdf(const QString& text);

}  // namespace lexipulse
