#pragma once

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;

namespace lexipulse {

// IsStressedLetter tells whether c marks a stressed vowel in a result: one of the accented
// capitals the notation writes.
bool IsStressedLetter(QChar c);

// ResultHtml is a result text (lines broken at LF) as a UTF-8 HTML document in which every
// stressed vowel letter is bold and coloured; spaces and line breaks show as in the box.
QString ResultHtml(const QString& text);

// PrintResult lays out a result text on the pages of device, marks as in ResultHtml.
void PrintResult(const QString& text, QPagedPaintDevice& device);

// ResultPdf is a result text as a PDF document of A4 pages, marks as in ResultHtml.
QByteArray ResultPdf(const QString& text);

}  // namespace lexipulse
