#include "app/FormattedResult.h"

#include <QBuffer>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QStringView>
#include <QTextDocument>
#include <cstddef>
#include <string>
#include <string_view>

#include "app/HtmlText.h"

namespace lexipulse {

namespace {

constexpr char16_t kStressedLetters[] = u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00DD";
// A dark red that reads on paper and on screen, and still differs from black when printed grey.
constexpr char kMarkStyle[] = "font-weight:bold;color:#b0182a";
constexpr int kPdfResolution = 300;

// MarkedHtml is text as a document whose letters for which marked holds are bold and coloured.
template <typename TMarked>
QString MarkedHtml(const QString& text, TMarked marked) {
  QString body;
  body.reserve(text.size() * 2);
  qsizetype from = 0;
  const auto flush = [&](qsizetype to) {
    body += text.mid(from, to - from).toHtmlEscaped();
    from = to;
  };
  for (qsizetype at = 0; at < text.size(); ++at) {
    const QChar c = text[at];
    if (marked(c)) {
      flush(at);
      body += QStringLiteral("<span style=\"") + QLatin1String(kMarkStyle) + QStringLiteral("\">") +
              c + QStringLiteral("</span>");
      from = at + 1;
    } else if (c == u'\n') {
      flush(at);
      // Inside pre-wrap a line break of the source would count twice.
      body += QStringLiteral("<br>");
      from = at + 1;
    }
  }
  flush(text.size());
  return QStringLiteral(
             "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
             "<title>Lexipulse result</title>\n</head>\n<body>\n"
             "<div style=\"white-space:pre-wrap\">") +
         body + QStringLiteral("</div></body></html>\n");
}

}  // namespace

bool IsStressedLetter(QChar c) { return QStringView(kStressedLetters).contains(c); }

QString ResultHtml(const QString& text) { return MarkedHtml(text, IsStressedLetter); }

QString AccentsHtml(const QString& text) {
  return MarkedHtml(text, [](QChar) { return false; });
}

QString HighlightHtml(const QString& text, const std::vector<TStressedLetter>& letters) {
  std::string html(HtmlHead());
  AppendHtml(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<std::size_t>(text.size())),
             letters, html);
  html += HtmlTail();
  return QString::fromStdString(html);
}

void PrintDocument(const QString& html, QPagedPaintDevice& device) {
  QTextDocument document;
  document.setHtml(html);
  document.print(&device);
}

QByteArray DocumentPdf(const QString& html) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(kPdfResolution);
    writer.setTitle(QStringLiteral("Lexipulse result"));
    writer.setCreator(QStringLiteral("Lexipulse"));
    PrintDocument(html, writer);
  }
  return bytes;
}

void PrintResult(const QString& text, QPagedPaintDevice& device) {
  PrintDocument(ResultHtml(text), device);
}

QByteArray ResultPdf(const QString& text) { return DocumentPdf(ResultHtml(text)); }

}  // namespace lexipulse
