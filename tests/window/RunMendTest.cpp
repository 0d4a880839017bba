#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QString>
#include <QTest>
#include <string>
#include <vector>

#include "app/QuietHost.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "app/uLexipulse.h"

namespace lexipulse {
namespace {

QString BoxForm(const std::u16string& source) {
  return QString::fromStdU16String(source).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The whole result the pipeline gives for source, with the final line, as the window joins it.
std::u16string PipelineResult(const std::u16string& source) {
  TFinalTextHost host;
  StressSourceText(source, host);
  QString text = QString::fromStdU16String(host.Text());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
  for (const std::u16string& line : host.Appended()) {
    text += QChar(u'\n') + QString::fromStdU16String(line);
  }
  return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdU16String();
}

// Where two long texts part, for a failure message that does not print megabytes.
std::string FirstDifference(const std::u16string& got, const std::u16string& expected) {
  std::size_t at = 0;
  while (at < got.size() && at < expected.size() && got[at] == expected[at]) {
    ++at;
  }
  auto around = [at](const std::u16string& text) {
    return QString::fromStdU16String(text.substr(at > 20 ? at - 20 : 0, 40)).toStdString();
  };
  return "sizes " + std::to_string(got.size()) + " and " + std::to_string(expected.size()) +
         ", first difference at " + std::to_string(at) + ": '" + around(got) + "' against '" +
         around(expected) + "'";
}

bool Busy(const QProgressBar& bar) { return bar.minimum() == 0 && bar.maximum() == 0; }

// Nothing to do leaves both bars idle, never in the busy animation a maximum of 0 gives.
TEST(TRunMendTest, BarsStayIdleWhateverTheSource) {
  for (const char16_t* source : {u"", u"\r\n", u"one", u"Cameroon\r\n"}) {
    SCOPED_TRACE(QString::fromUtf16(source).toStdString());
    TfLexipulse window;
    window.show();
    window.mSource->SetText(BoxForm(source));
    window.btnStressClick();
    EXPECT_FALSE(Busy(*window.pbProcess));
    EXPECT_FALSE(Busy(*window.pbParagraphs));
    EXPECT_EQ(window.pbProcess->value(), 0);
  }
}

// A window that plays a user who scrolls the result box once it has enough lines, and checks
// after every later pump of the run that the box stayed where the user left it.
class TScrollingWindow : public TfLexipulse {
 public:
  bool scroll = true;
  int scrolledTo = -1;
  int movedAway = 0;
  int pumpsAfter = 0;

  void PumpEvents() override {
    QScrollBar& bar = *mTarget->verticalScrollBar();
    if (scrolledTo >= 0) {
      ++pumpsAfter;
      movedAway += bar.value() == scrolledTo ? 0 : 1;
    } else if (scroll && bar.maximum() > 20) {
      scrolledTo = bar.maximum() / 2;
      bar.setValue(scrolledTo);
    }
    TfLexipulse::PumpEvents();
  }
};

std::u16string LongSource() {
  std::u16string source = SampleText();
  for (int copy = 0; copy < 3; ++copy) {
    source += u"\r\n" + source;
  }
  return source;
}

TEST(TRunMendTest, UserScrollDuringARunIsKept) {
  TScrollingWindow window;
  window.show();
  window.SetRefreshInterval(0);
  window.SetResultPieces(1, 0);
  window.mSource->SetText(BoxForm(LongSource()));
  window.btnStressClick();
  ASSERT_GE(window.scrolledTo, 0) << "the box never had lines to scroll";
  EXPECT_GT(window.pumpsAfter, 100);
  EXPECT_EQ(window.movedAway, 0);
  EXPECT_EQ(window.mTarget->verticalScrollBar()->value(), window.scrolledTo);
  const std::u16string result = window.ResultText();
  EXPECT_TRUE(result == PipelineResult(LongSource()))
      << FirstDifference(result, PipelineResult(LongSource()));

  // The next run starts from the first line again, and so does a run nobody scrolls.
  window.scroll = false;
  window.scrolledTo = -1;
  window.btnStressClick();
  EXPECT_EQ(window.mTarget->verticalScrollBar()->value(), 0);
}

// Lines far longer than a piece of the text box, with and without spaces, go through the
// window as through the pipeline; the callout shows a very long word cut short.
TEST(TRunMendTest, LongLinesGiveThePipelineResult) {
  std::u16string prose;
  while (prose.size() < 50'000) {
    prose += u"The photographer agreed with those terrestrial regulations. ";
  }
  const std::vector<std::u16string> sources = {
      std::u16string(30'000, u'a'),
      prose,
      u"Cameroon\r\n" + std::u16string(20'000, u'x') + u" senator\r\n" + prose + u"\r\nend",
  };
  for (const std::u16string& source : sources) {
    TfLexipulse window;
    window.show();
    window.SetRefreshInterval(0);
    window.mSource->SetText(BoxForm(source));
    ASSERT_EQ(window.SourceText(), source);
    window.btnStressClick();
    const std::u16string result = window.ResultText();
    const std::u16string expected = PipelineResult(source);
    EXPECT_TRUE(result == expected) << FirstDifference(result, expected);
  }
  TfLexipulse window;
  const std::u16string word(5000, u'b');
  window.ShowWord(word);
  const QString shown = window.lbWord->text();
  EXPECT_LT(shown.size(), 100);
  EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
  EXPECT_TRUE(QString::fromStdU16String(word).startsWith(shown.chopped(1)));
}

}  // namespace
}  // namespace lexipulse
