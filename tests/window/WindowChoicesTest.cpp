#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <map>
#include <string>
#include <vector>

#include "app/Expander.h"
#include "app/FormattedResult.h"
#include "app/QuietHost.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "app/Version.h"
#include "app/uLexipulse.h"
#include "cli/Explain.h"

namespace lexipulse {
namespace {

// The pipeline's result for source (lines joined with CR LF) under options, with its final
// line, lines joined with LF as the box gives them.
QString PipelineResult(const std::u16string& source, TStressOptions options = {}) {
  TFinalTextHost host;
  StressSourceText(source, host, options);
  QString text = QString::fromStdU16String(host.Text());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
  for (const std::u16string& line : host.Appended()) {
    text += QChar(u'\n') + QString::fromStdU16String(line);
  }
  return text;
}

QString BoxForm(const std::u16string& source) {
  return QString::fromStdU16String(source).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST(TWindowChoicesTest, FormattedCopyGivesPlainTextAndMarkedHtml) {
  TfLexipulse window;
  window.mSource->SetText(QStringLiteral("Cameroon and the photographer"));
  window.btnStressClick();
  window.mnCopyFormatted->trigger();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  const QString plain = window.mTarget->Text(QStringLiteral("\n"));
  EXPECT_EQ(data->text(), plain) << "the plain text is what Copy Result gives";
  ASSERT_TRUE(data->hasHtml());
  EXPECT_EQ(data->html(), ResultHtml(plain));
  QTextDocument document;
  document.setHtml(data->html());
  QString marked;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      if (fragment.fragment().charFormat().fontWeight() >= QFont::Bold) {
        marked += fragment.fragment().text();
      }
    }
  }
  QString stressed;
  for (const QChar c : plain) {
    if (IsStressedLetter(c)) {
      stressed += c;
    }
  }
  EXPECT_FALSE(stressed.isEmpty());
  EXPECT_EQ(marked, stressed);
}

// With nothing in the result, neither copy touches what the clipboard holds.
TEST(TWindowChoicesTest, CopiesOfAnEmptyResultLeaveTheClipboardAlone) {
  TfLexipulse window;
  for (QAction* copy : {window.mnCopy, window.mnCopyFormatted}) {
    SCOPED_TRACE(copy->objectName().toStdString());
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    window.ClearResult();
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml());
  }
}

// Each order gives the pipeline's result for that order; the status names the order only
// when it is not the one designed, whose status stays as it always was.
TEST(TWindowChoicesTest, StressingOrderGivesItsResultAndTheStatusSaysSo) {
  const std::u16string source = SampleText();
  struct TCase {
    const char* name;
    bool dictionaryFirst;
    const char* statusEnd;
  };
  for (const TCase& c : {TCase{"rules first", false, " words."},
                         TCase{"dictionary first", true, " words, dictionary first."}}) {
    SCOPED_TRACE(c.name);
    TfLexipulse window;
    (c.dictionaryFirst ? window.mnDictionaryFirst : window.mnRulesFirst)->trigger();
    TStressOptions options;
    options.Order =
        c.dictionaryFirst ? TStressingOrder::DictionaryFirst : TStressingOrder::RulesFirst;
    EXPECT_EQ(window.Options(), options);
    window.btnStressClick();
    EXPECT_EQ(window.mTarget->Text(QStringLiteral("\n")).toStdString(),
              PipelineResult(source, options).toStdString());
    const QString status = window.lbStatus->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("Lexipulse processed a total of ")));
    EXPECT_TRUE(status.endsWith(QLatin1String(c.statusEnd))) << status.toStdString();
  }
  EXPECT_NE(PipelineResult(source), PipelineResult(source, {TStressingOrder::DictionaryFirst}))
      << "the sample tells the orders apart";
}

// What the user chose comes back in the next window; Reset Settings brings the first start
// back, at once and in the next window.
TEST(TWindowChoicesTest, ChoicesAreRememberedAndResetBringsBackTheFirstStart) {
  const QSize firstSize = TfLexipulse().size();
  {
    TfLexipulse window;
    window.show();
    window.spb->setValue(18);
    window.mnDictionaryFirst->trigger();
    window.mnMarkUnknown->trigger();
    // The margin below the source box is a handle: dragged down by 40, the box grows by 40.
    Expander& source = *window.xSource;
    const QPoint handle(source.width() / 2, source.height() - 2);
    const auto mouse = [&source](QEvent::Type type, QPoint at, Qt::MouseButton button,
                                 Qt::MouseButtons buttons) {
      QMouseEvent event(type, QPointF(at), QPointF(source.mapToGlobal(at)), button, buttons,
                        Qt::NoModifier);
      QApplication::sendEvent(&source, &event);
    };
    mouse(QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, handle + QPoint(0, 40), Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, handle + QPoint(0, 40), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(source.height(), 196);
    QTest::mouseClick(window.xSource->Header(), Qt::LeftButton);
    window.resize(900, 650);
    window.close();
  }
  {
    TfLexipulse window;
    EXPECT_EQ(window.spb->value(), 18);
    EXPECT_EQ(window.mSource->font().pointSize(), 18);
    EXPECT_TRUE(window.mnDictionaryFirst->isChecked());
    EXPECT_TRUE(window.mnMarkUnknown->isChecked());
    EXPECT_FALSE(window.xSource->Expanded());
    EXPECT_EQ(window.size(), QSize(900, 650));
    window.show();
    QTest::mouseClick(window.xSource->Header(), Qt::LeftButton);
    EXPECT_EQ(window.xSource->height(), 196) << "the height dragged to";
    window.mnResetSettings->trigger();
    EXPECT_EQ(window.xSource->height(), 156);
    EXPECT_EQ(window.spb->value(), 12);
    EXPECT_EQ(window.mTarget->font().pointSize(), 12);
    EXPECT_TRUE(window.mnRulesFirst->isChecked());
    EXPECT_FALSE(window.mnMarkUnknown->isChecked());
    EXPECT_TRUE(window.xSource->Expanded());
    EXPECT_EQ(window.size(), firstSize);
    EXPECT_TRUE(QSettings().allKeys().isEmpty());
  }
  TfLexipulse window;
  EXPECT_EQ(window.spb->value(), 12);
  EXPECT_TRUE(window.mnRulesFirst->isChecked());
  EXPECT_TRUE(window.xSource->Expanded());
  EXPECT_EQ(window.size(), firstSize);
}

// The position of the first character of text in the result box.
int PositionOf(const TfLexipulse& window, const QString& text) {
  return static_cast<int>(window.mTarget->Text(QStringLiteral("\n")).indexOf(text));
}

// A hovered word tells what the console's explanation tells of it: the word, its form and how
// it was decided, and for a word nothing decided, that it was left unmarked.
TEST(TWindowChoicesTest, TooltipTellsHowAWordWasDecided) {
  const std::u16string source =
      u"The Cameroon team developed\r\na blorfen, zorbling  photographers";
  TfLexipulse window;
  window.mSource->SetText(BoxForm(source));
  window.btnStressClick();
  // The console's explanation of the same text: item, form and how, by item.
  std::map<QString, QStringList> console;
  for (const QString& line :
       QString::fromStdString(ExplainText(QString::fromStdU16String(source).toStdString()))
           .split(QChar(u'\n'), Qt::SkipEmptyParts)) {
    const QStringList fields = line.split(QChar(u'\t'));
    console[fields[0]] = fields;
  }
  struct TCase {
    const char* item;
    const char* kind;
    const char* how;
    bool unknown;
  };
  for (const TCase& c :
       {TCase{"Cameroon", "rule", "Cameroon Rule", false},
        TCase{"developed", "dictionary", "dictionary develop+ed found", false},
        TCase{"blorfen,", "unknown", "dictionary blorfen not found", true},
        TCase{"zorbling", "unknown with an ending", "dictionary zorbl+ing not found", true}}) {
    SCOPED_TRACE(c.kind);
    const QStringList& fields = console[QString::fromUtf8(c.item)];
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[2], QString::fromUtf8(c.how));
    const int at = PositionOf(window, fields[1]);
    ASSERT_GE(at, 0);
    QString expected =
        fields[0] + QStringLiteral(" \u2192 ") + fields[1] + QChar(u'\n') + fields[2];
    if (c.unknown) {
      expected += QStringLiteral("\nnot found: left unmarked");
    }
    for (const int offset : {0, static_cast<int>(fields[1].size()) - 1}) {
      EXPECT_EQ(window.WordTip(at + offset).toStdString(), expected.toStdString());
    }
  }
  // Hovering shows the tip of the word under the pointer.
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTextCursor hovered(window.mTarget->document());
  hovered.setPosition(PositionOf(window, QStringLiteral("camer")) + 2);
  const QPoint at = window.mTarget->cursorRect(hovered).center();
  QHelpEvent help(QEvent::ToolTip, at, window.mTarget->viewport()->mapToGlobal(at));
  QApplication::sendEvent(window.mTarget->viewport(), &help);
  EXPECT_EQ(QToolTip::text().toStdString(), window.WordTip(hovered.position()).toStdString());
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("Cameroon Rule")));
  QToolTip::hideText();

  // Spaces between words, the final line and an edited line have no tip.
  EXPECT_TRUE(window.WordTip(PositionOf(window, QStringLiteral(" camer"))).isEmpty());
  EXPECT_TRUE(window.WordTip(window.mTarget->document()->characterCount() - 2).isEmpty());
  QTextCursor cursor(window.mTarget->document());
  cursor.insertText(QStringLiteral("typed "));
  EXPECT_TRUE(window.WordTip(PositionOf(window, QStringLiteral("camer")) + 1).isEmpty());
}

// The marks sit under exactly the words no rule and no lookup decided, and change nothing of
// the text or of what Copy Result gives.
TEST(TWindowChoicesTest, UnknownWordMarksAreFormattingOnly) {
  const std::u16string source = u"Cameroon blorfen\r\nthe zorbling developed  qwertyx";
  TfLexipulse window;
  window.mSource->SetText(BoxForm(source));
  window.btnStressClick();
  const QString unmarked = window.mTarget->Text(QStringLiteral("\n"));
  window.btnCopyClick();
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(window.mTarget->extraSelections().isEmpty());

  window.mnMarkUnknown->trigger();
  QStringList marked;
  for (const QTextEdit::ExtraSelection& mark : window.mTarget->extraSelections()) {
    marked.append(mark.cursor.selectedText());
    EXPECT_EQ(mark.format.underlineStyle(), QTextCharFormat::WaveUnderline);
  }
  EXPECT_EQ(marked, (QStringList{QStringLiteral("blorfen"), QStringLiteral("zorbling"),
                                 QStringLiteral("qwertyx")}));
  EXPECT_EQ(window.mTarget->Text(QStringLiteral("\n")), unmarked);
  window.btnCopyClick();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), copied);

  // A new run marks its own words; switching the marks off removes them.
  window.mSource->SetText(QStringLiteral("blorfen"));
  window.btnStressClick();
  EXPECT_EQ(window.mTarget->extraSelections().size(), 1);
  window.mnMarkUnknown->trigger();
  EXPECT_TRUE(window.mTarget->extraSelections().isEmpty());
}

std::u16string LongSource() {
  std::u16string source = SampleText();
  for (int copy = 0; copy < 4; ++copy) {
    source += u"\r\n" + source;
  }
  return source;
}

// A window that presses Stop (with the button or Esc) once the run has done some lines, and
// records the whole text's progress it shows on the way.
class TStoppingWindow : public TfLexipulse {
 public:
  bool useEscape = false;
  bool stopped = false;
  int totalShown = 0;
  QString totalText;

  void PumpEvents() override {
    TfLexipulse::PumpEvents();
    if (pbTotal->isVisible()) {
      ++totalShown;
      totalText = lbTotal->text();
    }
    if (!stopped && GetCaption().starts_with(u"Processing paragraph 40,")) {
      stopped = true;
      if (useEscape) {
        QTest::keyClick(mSource, Qt::Key_Escape);
      } else {
        btnStop->click();
      }
    }
  }
};

TEST(TWindowChoicesTest, StopKeepsTheLinesDoneAndSaysTheRunWasStopped) {
  const std::u16string source = LongSource();
  const QStringList whole = PipelineResult(source).split(QChar(u'\n'));
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Esc" : "Stop button");
    TStoppingWindow window;
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.useEscape = escape;
    window.SetRefreshInterval(0);
    window.mSource->SetText(BoxForm(source));
    window.btnStressClick();
    ASSERT_TRUE(window.stopped);
    const QStringList lines = window.mTarget->Text(QStringLiteral("\n")).split(QChar(u'\n'));
    ASSERT_GE(lines.size(), 40);
    ASSERT_LT(lines.size(), whole.size() - 1);
    EXPECT_EQ(lines, whole.mid(0, lines.size())) << "the lines done, no more, no final line";
    EXPECT_EQ(lines.size(), 40) << "lines 0 to 39 were done when line 40 began";
    const QString status = window.lbStatus->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("Stopped after "))) << status.toStdString();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf16(kProgramCaption));
    EXPECT_TRUE(window.lbWord->text().isEmpty());
    EXPECT_EQ(window.pbProcess->value(), 0);
    EXPECT_EQ(window.RunDepth(), 0);
    EXPECT_FALSE(window.mnStop->isEnabled());
    EXPECT_FALSE(window.pbTotal->isVisible()) << "the whole-text progress is for runs only";
    EXPECT_GT(window.totalShown, 0);
    const qint64 items = [&] {
      qint64 count = 0;
      for (const QString& line : BoxForm(source).split(QChar(u'\n'))) {
        count += line.count(QChar(u' ')) + 1;
      }
      return count;
    }();
    EXPECT_TRUE(window.totalText.endsWith(QStringLiteral(" of %1 words").arg(items)) ||
                window.totalText.contains(QStringLiteral(" of %1 words, ").arg(items)))
        << window.totalText.toStdString();
  }
}

TEST(TWindowChoicesTest, FirstStartShowsNoneOfTheAdditions) {
  TfLexipulse window;
  window.show();
  for (QWidget* widget :
       {static_cast<QWidget*>(window.pbTotal), static_cast<QWidget*>(window.lbTotal),
        static_cast<QWidget*>(window.btnStop)}) {
    EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
  }
  EXPECT_TRUE(window.mTarget->extraSelections().isEmpty());
  EXPECT_TRUE(window.mnRulesFirst->isChecked());
}

}  // namespace
}  // namespace lexipulse
