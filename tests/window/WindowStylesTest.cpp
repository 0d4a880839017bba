#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/FormattedResult.h"
#include "app/HighlightFormat.h"
#include "app/QuietHost.h"
#include "app/ResultWriter.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "app/TextBox.h"
#include "app/uLexipulse.h"

namespace lexipulse {
namespace {

using TLetters = std::vector<TStressedLetter>;

constexpr TStressLevel kP = TStressLevel::Primary;
constexpr TStressLevel kS = TStressLevel::Secondary;

// The pipeline's run of source under options: the text as the result box holds it (lines
// joined with LF, the final line included) and its stressed letters.
struct TStyledResult {
  QString Text;
  TLetters Letters;
};

// The letters are counted in the box's text: a paragraph's CR and the LF after it become one
// LF there.
TStyledResult PipelineRun(const std::u16string& source, TStressOptions options) {
  TFinalTextHost textHost;
  StressSourceText(source, textHost, options);
  QString text = QString::fromStdU16String(textHost.Text());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
  for (const std::u16string& line : textHost.Appended()) {
    text += QChar(u'\n') + QString::fromStdU16String(line);
  }
  TFinalParagraphsHost host;
  StressSourceText(source, host, options);
  TLetters letters;
  std::size_t start = 0;
  for (std::size_t p = 0; p < host.Paragraphs.size(); ++p) {
    for (const TStressedLetter& letter : host.Letters[p]) {
      letters.push_back({start + letter.Position, letter.Level});
    }
    const std::u16string& paragraph = host.Paragraphs[p];
    start += paragraph.size() + (paragraph.ends_with(u'\r') ? 0 : 1);
  }
  return {text, letters};
}

QString BoxForm(const std::u16string& source) {
  return QString::fromStdU16String(source).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The mark of a character as drawn: '.' plain, 'p' bold and underlined, 's' underlined only,
// '?' drawn any other way.
QChar DrawnMark(const QTextCharFormat& format) {
  const bool bold = format.fontWeight() >= QFont::Bold;
  const bool underlined = format.fontUnderline();
  const bool other = format.fontItalic() || format.hasProperty(QTextFormat::ForegroundBrush);
  if (other || (bold && !underlined)) {
    return QChar(u'?');
  }
  return bold ? QChar(u'p') : underlined ? QChar(u's') : QChar(u'.');
}

// How each character of a text box is drawn, one mark per character of TTextBox::Text with
// LF breaks, read from the formats the box draws with.
QString DrawnMarks(const QTextDocument& document) {
  QString marks;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin() && !TTextBox::Continues(block)) {
      marks += QChar(u'.');
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      marks += QString(fragment.length(), DrawnMark(fragment.charFormat()));
    }
  }
  return marks;
}

// The marks the letters should draw over a text of size characters.
QString ExpectedMarks(qsizetype size, const TLetters& letters) {
  QString marks(size, QChar(u'.'));
  for (const TStressedLetter& letter : letters) {
    marks[static_cast<qsizetype>(letter.Position)] = letter.Level == kP ? u'p' : u's';
  }
  return marks;
}

// Same tells whether two long texts are equal, and where they first differ when not, without
// printing them whole.
::testing::AssertionResult Same(const QString& actual, const QString& expected) {
  if (actual == expected) {
    return ::testing::AssertionSuccess();
  }
  qsizetype at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
    ++at;
  }
  return ::testing::AssertionFailure()
         << "sizes " << actual.size() << " and " << expected.size() << ", first difference at "
         << at << ": \"" << actual.mid(std::max<qsizetype>(0, at - 20), 60).toStdString()
         << "\" instead of \"" << expected.mid(std::max<qsizetype>(0, at - 20), 60).toStdString()
         << "\"";
}

// A text with capitals, all-capital words, accented letters typed in, short words after the
// last long one, an empty line and a line long enough for the box to hold it in pieces.
std::u16string StyleSource() {
  std::u16string longLine;
  while (longLine.size() < 3 * TTextBox::kChunk) {
    longLine += u"Photographic examination of the ELEPHANT photographs ";
  }
  return u"The photographer developed the photographs of Cameroon.\r\n"
         u"Photographic examination, ELEPHANT and café naïve it is\r\n"
         u"\r\n" +
         longLine + u"\r\nunderstand the acceptable photograph";
}

// Choosing a style, a secondary stress and a pronunciation makes them the options of the next
// run, whose result is the pipeline's under them; the status names what differs from the
// design and stays as it was without any.
TEST(TWindowStylesTest, ChoicesGoIntoTheNextRunAndTheStatusNamesThem) {
  const std::u16string source = StyleSource();
  struct TCase {
    const char* name;
    std::vector<QAction * TfLexipulse::*> choices;
    TStressOptions options;
    const char* statusEnd;
  };
  const std::vector<TCase> cases = {
      {"first start", {}, {}, " words."},
      {"accents",
       {&TfLexipulse::mnAccents},
       {.Style = TNotationStyle::Accents},
       " words, accents."},
      {"highlight, all secondary stress, British",
       {&TfLexipulse::mnHighlight, &TfLexipulse::mnSecondaryAll, &TfLexipulse::mnBritish},
       {.Style = TNotationStyle::Highlight,
        .Secondary = TSecondaryStress::All,
        .Variant = TVariant::British},
       " words, highlight, all secondary stress, British."},
      {"classic with secondary stress, dictionary first",
       {&TfLexipulse::mnSecondaryBefore, &TfLexipulse::mnDictionaryFirst},
       {.Order = TStressingOrder::DictionaryFirst, .Secondary = TSecondaryStress::BeforePrimary},
       " words, dictionary first, secondary stress."},
      {"back to the design",
       {&TfLexipulse::mnHighlight, &TfLexipulse::mnBritish, &TfLexipulse::mnSecondaryAll,
        &TfLexipulse::mnClassic, &TfLexipulse::mnAmerican, &TfLexipulse::mnSecondaryOff},
       {},
       " words."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    // Each case starts from the first start, not from the choices of the case before.
    QSettings().clear();
    TfLexipulse window;
    for (QAction* TfLexipulse::*choice : c.choices) {
      (window.*choice)->trigger();
    }
    EXPECT_EQ(window.Options(), c.options);
    window.mSource->SetText(BoxForm(source));
    window.btnStressClick();
    EXPECT_TRUE(
        Same(window.mTarget->Text(QStringLiteral("\n")), PipelineRun(source, c.options).Text));
    const QString status = window.lbStatus->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("Lexipulse processed a total of ")));
    EXPECT_TRUE(status.endsWith(QLatin1String(c.statusEnd))) << status.toStdString();
  }
}

// The choices sit where they belong, each group exclusive, the design's choice checked at the
// first start: the styles above Mark Unknown Words, with the secondary stress beside them.
TEST(TWindowStylesTest, MenusOfferTheChoicesWithTheDesignChecked) {
  TfLexipulse window;
  EXPECT_EQ(window.Options(), TStressOptions{}) << "a first start stresses as designed";
  const QList<QAction*> view = window.mnView->actions();
  const auto at = [&view](QAction* item) { return view.indexOf(item); };
  EXPECT_EQ(at(window.mnClassic), 0);
  EXPECT_EQ(at(window.mnAccents), 1);
  EXPECT_EQ(at(window.mnHighlight), 2);
  EXPECT_EQ(at(window.mnSecondary->menuAction()), 3);
  EXPECT_LT(at(window.mnSecondary->menuAction()), at(window.mnMarkUnknown));
  EXPECT_EQ(window.mnSecondary->title(), QStringLiteral("&Secondary Stress"));
  EXPECT_EQ(
      window.mnSecondary->actions(),
      (QList<QAction*>{window.mnSecondaryOff, window.mnSecondaryBefore, window.mnSecondaryAll}));
  QMenu* stressingMenu = nullptr;
  for (QAction* menu : window.MainMenu1->actions()) {
    if (menu->text() == QStringLiteral("&Stressing")) {
      stressingMenu = menu->menu();
    }
  }
  ASSERT_NE(stressingMenu, nullptr);
  const QList<QAction*> stressing = stressingMenu->actions();
  EXPECT_GT(stressing.indexOf(window.mnAmerican), stressing.indexOf(window.mnDictionaryFirst));
  EXPECT_EQ(stressing.indexOf(window.mnBritish), stressing.indexOf(window.mnAmerican) + 1);
  struct TCase {
    QAction* item;
    const char* text;
    bool checked;
  };
  for (const TCase& c :
       {TCase{window.mnClassic, "&Classic", true}, TCase{window.mnAccents, "&Accents", false},
        TCase{window.mnHighlight, "&Highlight", false}, TCase{window.mnSecondaryOff, "&Off", true},
        TCase{window.mnSecondaryBefore, "&Before the Primary", false},
        TCase{window.mnSecondaryAll, "&All", false},
        TCase{window.mnAmerican, "&American (CMU)", true},
        TCase{window.mnBritish, "&British", false}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.item->text(), QString::fromUtf8(c.text));
    EXPECT_TRUE(c.item->isCheckable());
    EXPECT_EQ(c.item->isChecked(), c.checked);
    ASSERT_NE(c.item->actionGroup(), nullptr);
    EXPECT_TRUE(c.item->actionGroup()->isExclusive());
  }
  window.mnHighlight->trigger();
  window.mnAccents->trigger();
  EXPECT_FALSE(window.mnHighlight->isChecked());
  EXPECT_FALSE(window.mnClassic->isChecked());
  EXPECT_TRUE(window.mnAccents->isChecked());
}

// The highlight style draws exactly the stressed letters, primary bold and underlined,
// secondary underlined, on the text as typed, which the box and Copy Result give unchanged;
// the other styles draw nothing, and a later run of another style leaves nothing drawn.
TEST(TWindowStylesTest, HighlightDrawsTheStressedLettersOverTheTextAsTyped) {
  const std::u16string source = StyleSource();
  TfLexipulse window;
  window.mSource->SetText(BoxForm(source));
  window.mnSecondaryAll->trigger();
  window.mnHighlight->trigger();
  window.btnStressClick();
  const TStyledResult expected = PipelineRun(source, window.Options());
  const QString text = window.mTarget->Text(QStringLiteral("\n"));
  EXPECT_TRUE(Same(text, BoxForm(source) + QStringLiteral("\n\u00A0"))) << "the text as typed";
  ASSERT_TRUE(Same(text, expected.Text));
  EXPECT_TRUE(window.mTarget->HasPieces()) << "the long line is held in pieces";
  // Primary and secondary stress, in the first line, in capitals and in every piece.
  bool secondary = false;
  std::size_t last = 0;
  for (const TStressedLetter& letter : expected.Letters) {
    secondary = secondary || letter.Level == kS;
    last = std::max(last, letter.Position);
  }
  EXPECT_TRUE(secondary);
  EXPECT_GT(last, static_cast<std::size_t>(3 * TTextBox::kChunk));
  EXPECT_TRUE(
      Same(DrawnMarks(*window.mTarget->document()), ExpectedMarks(text.size(), expected.Letters)));
  EXPECT_EQ(HighlightedLetters(*window.mTarget->document()), expected.Letters);
  window.btnCopyClick();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml());

  for (QAction* style : {window.mnAccents, window.mnClassic}) {
    SCOPED_TRACE(style->objectName().toStdString());
    style->trigger();
    window.btnStressClick();
    const QString plain = window.mTarget->Text(QStringLiteral("\n"));
    EXPECT_TRUE(Same(plain, PipelineRun(source, window.Options()).Text));
    EXPECT_TRUE(Same(DrawnMarks(*window.mTarget->document()), QString(plain.size(), QChar(u'.'))));
    EXPECT_TRUE(HighlightedLetters(*window.mTarget->document()).empty());
  }
}

// The writer draws a paragraph once it is final, however it reaches the box: written final
// at once, or first as read and exchanged later; a paragraph of several lines, or of several
// pieces, takes its letters where they are. Letters on a break or beyond the paragraph draw
// nothing, and without the highlight the same letters draw nothing at all.
TEST(TWindowStylesTest, WriterDrawsEachFinalParagraphWhereverItsLettersAre) {
  std::u16string longParagraph;
  while (longParagraph.size() < TTextBox::kChunk + 100) {
    longParagraph += u"abcde ";
  }
  const std::size_t inSecondPiece = longParagraph.size() - 4;
  longParagraph += u"\r";
  const std::vector<std::u16string> paragraphs = {u"ab\rcd\r", longParagraph, u"efgh"};
  // Positions in the paragraphs: 'a', 'b', the CR inside, 'd', the CR at the end, beyond it.
  const std::vector<TLetters> letters = {
      {{0, kP}, {1, kS}, {2, kP}, {4, kP}, {5, kS}, {40, kP}},
      {{1, kP}, {2, kP}, {inSecondPiece, kS}, {inSecondPiece + 1, kS}},
      {{3, kP}}};
  const QString text =
      QString::fromStdU16String(paragraphs[0].substr(0, 5)).replace(u'\r', u'\n') + QChar(u'\n') +
      QString::fromStdU16String(longParagraph.substr(0, longParagraph.size() - 1)) +
      QStringLiteral("\nefgh");
  const std::size_t second = 6;
  const std::size_t third = second + longParagraph.size();
  const TLetters drawn = {{0, kP},
                          {1, kS},
                          {4, kP},
                          {second + 1, kP},
                          {second + 2, kP},
                          {second + inSecondPiece, kS},
                          {second + inSecondPiece + 1, kS},
                          {third + 3, kP}};
  struct TCase {
    const char* name;
    bool writtenFirstAsRead;
    bool highlight;
  };
  for (const TCase& c :
       {TCase{"written final at once", false, true}, TCase{"exchanged once final", true, true},
        TCase{"no highlight", true, false}}) {
    SCOPED_TRACE(c.name);
    TTextBox box;
    TResultWriter writer(box);
    writer.SetHighlight(c.highlight);
    std::vector<std::u16string> shown = paragraphs;
    TResultText result(shown);
    result.SetLetters(&letters);
    if (c.writtenFirstAsRead) {
      writer.SetPieces(1, 0);
      writer.SetLatest(result);
      writer.Flush(TResultWriter::TFlush::Budgeted);
      ASSERT_TRUE(writer.Pending()) << "the first paragraph only, as read";
      writer.Flush(TResultWriter::TFlush::Whole);
      EXPECT_TRUE(Same(DrawnMarks(*box.document()), QString(text.size(), QChar(u'.'))));
    }
    result.SetParagraphsDone(paragraphs.size());
    writer.SetLatest(result);
    writer.Flush(TResultWriter::TFlush::Whole);
    ASSERT_TRUE(Same(box.Text(QStringLiteral("\n")), text));
    EXPECT_TRUE(box.HasPieces());
    const TLetters expected = c.highlight ? drawn : TLetters{};
    EXPECT_TRUE(Same(DrawnMarks(*box.document()), ExpectedMarks(text.size(), expected)));
    EXPECT_EQ(HighlightedLetters(*box.document()), expected);
  }
}

// The letters of a formatted document: the text Qt's HTML reader makes of it, one mark per
// character as in DrawnMarks.
struct TReadBack {
  QString Text;
  QString Marks;
};

TReadBack ReadBack(const QString& html) {
  QTextDocument document;
  document.setHtml(html);
  TReadBack read;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) {
      read.Text += QChar(u'\n');
      read.Marks += QChar(u'.');
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      read.Text += fragment.text();
      const QTextCharFormat format = fragment.charFormat();
      const bool bold = format.fontWeight() >= QFont::Bold;
      read.Marks += QString(fragment.length(), bold && format.fontUnderline() ? QChar(u'p')
                                               : format.fontUnderline()       ? QChar(u's')
                                               : bold                         ? QChar(u'?')
                                                                              : QChar(u'.'));
    }
  }
  read.Text.replace(QChar::LineSeparator, QChar(u'\n'));
  return read;
}

// Copy as Formatted Text follows the style the result was made in, whatever is chosen since:
// the plain text is Copy Result's, the HTML the classic one as before, the accented text, or
// the highlight style's letters wrapped as the console's HTML wraps them, which Qt reads back
// as the letters the box draws.
TEST(TWindowStylesTest, FormattedCopyFollowsTheStyleOfTheResult) {
  const std::u16string source =
      u"The photographer developed the photographs of Cameroon.\r\n"
      u"Photographic <examination> & ELEPHANT \"café\"\r\nunderstand it";
  struct TCase {
    const char* name;
    QAction* TfLexipulse::*style;
  };
  for (const TCase& c :
       {TCase{"classic", &TfLexipulse::mnClassic}, TCase{"accents", &TfLexipulse::mnAccents},
        TCase{"highlight", &TfLexipulse::mnHighlight}}) {
    SCOPED_TRACE(c.name);
    TfLexipulse window;
    window.mnSecondaryBefore->trigger();
    (window.*c.style)->trigger();
    const TStressOptions options = window.Options();
    window.mSource->SetText(BoxForm(source));
    window.btnStressClick();
    // Choices made after the run are for the next one.
    (c.style == &TfLexipulse::mnHighlight ? window.mnClassic : window.mnHighlight)->trigger();
    window.mnCopyFormatted->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const TStyledResult expected = PipelineRun(source, options);
    EXPECT_EQ(data->text(), expected.Text);
    ASSERT_TRUE(data->hasHtml());
    const QString html = data->html();
    EXPECT_EQ(html, window.ResultDocument());
    if (options.Style == TNotationStyle::Classic) {
      EXPECT_EQ(html, ResultHtml(expected.Text));
      continue;
    }
    if (options.Style == TNotationStyle::Accents) {
      EXPECT_EQ(html, AccentsHtml(expected.Text));
      EXPECT_TRUE(expected.Text.contains(QStringLiteral("photógrapher")));
      EXPECT_TRUE(
          html.contains(QStringLiteral("Phòtográphic &lt;exàminátion&gt; &amp; "
                                       "ÉLEPHANT &quot;café&quot;")));
      EXPECT_FALSE(html.contains(QStringLiteral("<span")));
      continue;
    }
    EXPECT_EQ(html, HighlightHtml(expected.Text, expected.Letters));
    EXPECT_TRUE(
        html.contains(QStringLiteral("<span class=\"s\">o</span>togr<span "
                                     "class=\"p\">a</span>phic")));
    const TReadBack read = ReadBack(html);
    QString readText = read.Text;
    QString readMarks = read.Marks;
    // Qt's HTML reader ends a pre-wrap block with one space of its own.
    if (readText.endsWith(QChar(u' ')) && !expected.Text.endsWith(QChar(u' '))) {
      readText.chop(1);
      readMarks.chop(1);
    }
    EXPECT_EQ(readText.toStdString(), expected.Text.toStdString());
    EXPECT_EQ(readMarks.toStdString(),
              ExpectedMarks(expected.Text.size(), expected.Letters).toStdString());
  }
}

// An edit of a highlighted result keeps each letter's highlight on the letter, so the copy
// wraps the letters where they are now, and what is typed beside one is plain; a run afresh
// draws its own letters only.
TEST(TWindowStylesTest, EditedHighlightKeepsTheLettersItMarks) {
  const std::u16string source = u"The photographer developed it";
  TfLexipulse window;
  window.mnHighlight->trigger();
  window.mSource->SetText(BoxForm(source));
  window.btnStressClick();
  const TStyledResult expected = PipelineRun(source, window.Options());
  ASSERT_FALSE(expected.Letters.empty());
  QTextCursor cursor(window.mTarget->document());
  cursor.insertText(QStringLiteral("Typed "), QTextCharFormat());
  TLetters moved = expected.Letters;
  for (TStressedLetter& letter : moved) {
    letter.Position += 6;
  }
  EXPECT_EQ(HighlightedLetters(*window.mTarget->document()), moved);
  window.mnCopyFormatted->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html(),
            HighlightHtml(QStringLiteral("Typed ") + expected.Text, moved));
  // Keys typed right after a highlighted letter, over a selection or not, go in plain.
  const qsizetype after = static_cast<qsizetype>(moved.front().Position) + 1;
  for (const bool selected : {false, true}) {
    SCOPED_TRACE(selected ? "over a selection" : "at the cursor");
    QTextCursor typing(window.mTarget->document());
    typing.setPosition(static_cast<int>(after));
    if (selected) {
      typing.setPosition(static_cast<int>(after) + 1, QTextCursor::KeepAnchor);
    }
    window.mTarget->setTextCursor(typing);
    const QString before = window.mTarget->Text(QStringLiteral("\n"));
    QTest::keyClicks(window.mTarget, QStringLiteral("Xy"));
    QString typed = before;
    typed.replace(after, selected ? 1 : 0, QStringLiteral("Xy"));
    EXPECT_EQ(window.mTarget->Text(QStringLiteral("\n")), typed);
    EXPECT_EQ(HighlightedLetters(*window.mTarget->document()).size(), moved.size());
    EXPECT_EQ(DrawnMarks(*window.mTarget->document()).mid(after, 2), QStringLiteral(".."));
  }
  window.btnStressClick();
  EXPECT_EQ(HighlightedLetters(*window.mTarget->document()), expected.Letters);
}

// In the highlight style the box shows each word as typed; hovering it still tells how it was
// decided, and the words nothing decided are still marked.
TEST(TWindowStylesTest, TipsAndUnknownMarksFollowTheHighlightStyle) {
  TfLexipulse window;
  window.mnHighlight->trigger();
  window.mSource->SetText(QStringLiteral("The Photographer saw a blorfen"));
  window.btnStressClick();
  const QString text = window.mTarget->Text(QStringLiteral("\n"));
  const int at = static_cast<int>(text.indexOf(QStringLiteral("Photographer")));
  ASSERT_GE(at, 0);
  const QString tip = window.WordTip(at + 3);
  EXPECT_TRUE(tip.startsWith(QStringLiteral("Photographer \u2192 Photógrapher\n")))
      << tip.toStdString();
  window.mnMarkUnknown->trigger();
  QStringList marked;
  for (const QTextEdit::ExtraSelection& mark : window.mTarget->extraSelections()) {
    marked.append(mark.cursor.selectedText());
  }
  EXPECT_EQ(marked, QStringList{QStringLiteral("blorfen")});
}

// The choices come back in the next window; Reset Settings brings back the design's, at once
// and in the next window, and leaves no setting behind.
TEST(TWindowStylesTest, ChoicesAreRememberedAndReset) {
  {
    TfLexipulse window;
    window.mnHighlight->trigger();
    window.mnSecondaryBefore->trigger();
    window.mnBritish->trigger();
  }
  {
    TfLexipulse window;
    EXPECT_TRUE(window.mnHighlight->isChecked());
    EXPECT_TRUE(window.mnSecondaryBefore->isChecked());
    EXPECT_TRUE(window.mnBritish->isChecked());
    EXPECT_EQ(window.Options(), (TStressOptions{.Style = TNotationStyle::Highlight,
                                                .Secondary = TSecondaryStress::BeforePrimary,
                                                .Variant = TVariant::British}));
    window.mnResetSettings->trigger();
    EXPECT_TRUE(window.mnClassic->isChecked());
    EXPECT_TRUE(window.mnSecondaryOff->isChecked());
    EXPECT_TRUE(window.mnAmerican->isChecked());
    EXPECT_EQ(window.Options(), TStressOptions{});
    EXPECT_TRUE(QSettings().allKeys().isEmpty());
  }
  // A value no version wrote takes the design's choice.
  QSettings().setValue(QStringLiteral("view/style"), QStringLiteral("gothic"));
  TfLexipulse window;
  EXPECT_TRUE(window.mnClassic->isChecked());
  EXPECT_EQ(window.Options(), TStressOptions{});
}

}  // namespace
}  // namespace lexipulse
