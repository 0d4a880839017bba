#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QString>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/CalloutPanel.h"
#include "app/Delimited.h"
#include "app/Expander.h"
#include "app/QuietHost.h"
#include "app/SampleText.h"
#include "app/StressHost.h"
#include "app/StressSourceText.h"
#include "app/Version.h"
#include "app/uLexipulse.h"

namespace lexipulse {
namespace {

using TLines = std::vector<std::u16string>;

const std::u16string kNoBreakSpace = u"\u00A0";

std::string Utf8(const std::u16string& text) {
  return QString::fromStdU16String(text).toStdString();
}

// The lines of a box as its document holds them, no-break spaces and all.
TLines BoxLines(const QPlainTextEdit& box) {
  TLines lines;
  for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
    lines.push_back(block.text().toStdU16String());
  }
  if (lines.size() == 1 && lines[0].empty() && box.document()->isEmpty()) {
    return {};
  }
  return lines;
}

// A long result goes into the box in pieces, so between two pumps the box may hold only its
// first lines; they are never empty and never differ from the latest text.
bool IsFirstLinesOf(const TLines& box, const TLines& latest) {
  return !box.empty() && box.size() < latest.size() &&
         std::equal(box.begin(), box.end(), latest.begin());
}

// What the pipeline delivers as the last result of a run of source, told by a host that only
// keeps it: the lines of the final text, then the appended line.
TLines ExpectedResult(const std::u16string& source) {
  TFinalTextHost host;
  StressSourceText(source, host);
  TLines lines = SplitLines(host.Text());
  lines.insert(lines.end(), host.Appended().begin(), host.Appended().end());
  return lines;
}

// The callout shows an item without the CR that ends the last item of a line.
std::u16string Shown(std::u16string item) {
  std::erase(item, u'\r');
  return item;
}

int WordItems(const std::u16string& source) {
  int count = 0;
  for (const std::u16string& paragraph : SplitDelimited(source, u'\n')) {
    count += static_cast<int>(SplitDelimited(paragraph, u' ').size());
  }
  return count;
}

std::u16string FinalStatus(int words) {
  return u"Lexipulse processed a total of " + QString::number(words).toStdU16String() + u" words.";
}

class TWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _Window = std::make_unique<TfLexipulse>();
    _Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(_Window.get()));
  }

  void Activate() {
    _Window->activateWindow();
    QApplication::setActiveWindow(_Window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(_Window.get()));
  }

  void ExpectIdleAfterRun(const std::u16string& source) {
    TfLexipulse& w = *_Window;
    EXPECT_EQ(w.lbStatus->text().toStdU16String(), FinalStatus(WordItems(source)));
    EXPECT_EQ(w.windowTitle(), QString::fromUtf16(kProgramCaption));
    EXPECT_TRUE(w.lbWord->text().isEmpty());
    EXPECT_EQ(w.pbProcess->value(), 0);
    EXPECT_EQ(w.pbParagraphs->value(), 0);
    EXPECT_EQ(w.RunDepth(), 0);
  }

  std::unique_ptr<TfLexipulse> _Window;
};

TEST_F(TWindowTest, StartsIdleWithTheSample) {
  TfLexipulse& w = *_Window;
  EXPECT_EQ(w.windowTitle(), QString::fromUtf16(u"Lexipulse 0.99k [07SEP2014]"));
  EXPECT_EQ(w.lbStatus->text(), QStringLiteral("Status"));
  EXPECT_EQ(w.SourceText(), SampleText());
  EXPECT_TRUE(BoxLines(*w.mTarget).empty());
  EXPECT_TRUE(w.lbWord->text().isEmpty());
  EXPECT_EQ(w.spb->value(), 12);
  EXPECT_EQ(w.mSource->font().pointSize(), 12);
  EXPECT_EQ(w.mTarget->font().pointSize(), 12);
  EXPECT_EQ(w.pbProcess->value(), 0);
  EXPECT_EQ(w.pbParagraphs->value(), 0);
  EXPECT_EQ(w.mSource->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(w.mTarget->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_TRUE(w.xSource->Expanded());
  EXPECT_TRUE(w.xTarget->Expanded());
  EXPECT_EQ(w.xSource->Title(), QStringLiteral("Source Text"));
  EXPECT_EQ(w.xTarget->Title(), QStringLiteral("Stressed Result"));
  EXPECT_EQ(w.btnStress->text(), QStringLiteral("Stress Text"));
  EXPECT_EQ(w.btnCopy->text(), QStringLiteral("Copy Result"));
}

TEST_F(TWindowTest, ControlsCarryTheirNames) {
  EXPECT_EQ(_Window->objectName(), QStringLiteral("fLexipulse"));
  for (const char* name : {"sb", "lbStatus", "spb", "pnlRight", "pbProcess", "cpnlWord", "lbWord",
                           "btnStress", "btnCopy", "pbParagraphs", "xSource", "mSource", "xTarget",
                           "mTarget", "MainMenu1", "mnQuit", "mnCopy", "mnCopyright"}) {
    EXPECT_NE(_Window->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
  }
}

// The menus as designed, each with a mnemonic, and the added ones after them; the menu items
// show their shortcuts.
TEST_F(TWindowTest, MenusHoldTheirItems) {
  TfLexipulse& w = *_Window;
  struct TCase {
    const char* menu;
    QAction* item;
    const char* text;
    QKeySequence keys;
  };
  const QList<QAction*> menus = w.MainMenu1->actions();
  QStringList titles;
  for (QAction* menu : menus) {
    titles.append(menu->text());
  }
  EXPECT_EQ(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"),
                                 QStringLiteral("&Stressing"), QStringLiteral("&View"),
                                 QStringLiteral("&Help")}));
  const QKeySequence none;
  for (const TCase& c : {
           TCase{"&File", w.mnQuit, "Quit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
           TCase{"&File", w.mnOpen, "Open...", QKeySequence(Qt::CTRL | Qt::Key_O)},
           TCase{"&File", w.mnSaveAs, "Save Result As...", QKeySequence(Qt::CTRL | Qt::Key_S)},
           TCase{"&File", w.mnExportHtml, "Export as HTML...", none},
           TCase{"&File", w.mnExportPdf, "Export as PDF...", none},
           TCase{"&File", w.mnPrint, "Print...", QKeySequence(Qt::CTRL | Qt::Key_P)},
           TCase{"&Edit", w.mnCopy, "Copy Result", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
           TCase{"&Edit", w.mnCopyFormatted, "Copy as Formatted Text",
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)},
           TCase{"&Stressing", w.mnStressText, "Stress Text",
                 QKeySequence(Qt::CTRL | Qt::Key_Return)},
           TCase{"&Stressing", w.mnStop, "Stop", QKeySequence(Qt::Key_Escape)},
           TCase{"&Stressing", w.mnRulesFirst, "Rules first (as designed)", none},
           TCase{"&Stressing", w.mnDictionaryFirst, "Dictionary first (most accurate)", none},
           TCase{"&Stressing", w.mnAmerican, "American (CMU)", none},
           TCase{"&Stressing", w.mnBritish, "British", none},
           TCase{"&View", w.mnClassic, "Classic", none},
           TCase{"&View", w.mnAccents, "Accents", none},
           TCase{"&View", w.mnHighlight, "Highlight", none},
           TCase{"&View", w.mnMarkUnknown, "Mark Unknown Words", none},
           TCase{"&View", w.mnResetSettings, "Reset Settings", none},
           TCase{"&Help", w.mnCopyright, "About this software...", none},
       }) {
    SCOPED_TRACE(c.text);
    const auto menu = std::find_if(menus.begin(), menus.end(), [&](QAction* a) {
      return a->text() == QString::fromLatin1(c.menu);
    });
    ASSERT_NE(menu, menus.end()) << c.menu;
    EXPECT_TRUE((*menu)->menu()->actions().contains(c.item)) << c.menu;
    EXPECT_EQ(QString(c.item->text()).remove(QLatin1Char('&')), QString::fromLatin1(c.text));
    EXPECT_TRUE(c.item->text().contains(QLatin1Char('&'))) << "a mnemonic";
    EXPECT_EQ(c.item->shortcut(), c.keys);
  }
  EXPECT_TRUE(w.mnRulesFirst->isChecked()) << "the order as designed at first start";
  EXPECT_FALSE(w.mnMarkUnknown->isChecked());
  EXPECT_FALSE(w.mnStop->isEnabled()) << "nothing to stop";
}

// Alt+F opens the File menu.
TEST_F(TWindowTest, AltFOpensTheFileMenu) {
  Activate();
  QMenu* file = _Window->MainMenu1->actions().front()->menu();
  bool shown = false;
  QObject::connect(file, &QMenu::aboutToShow, [&shown, file] {
    shown = true;
    QTimer::singleShot(0, file, &QMenu::close);
  });
  QTest::keyClick(_Window.get(), Qt::Key_F, Qt::AltModifier);
  QTRY_VERIFY_WITH_TIMEOUT(shown, 2000);
  EXPECT_TRUE(shown);
}

TEST_F(TWindowTest, DockingGivesTheStartingSizes) {
  TfLexipulse& w = *_Window;
  EXPECT_EQ(w.centralWidget()->width(), 700);
  EXPECT_EQ(w.centralWidget()->height() + w.sb->height(), 500);
  EXPECT_EQ(w.sb->height(), 28);
  EXPECT_EQ(w.pnlRight->width(), 120);
  EXPECT_EQ(w.pnlRight->height(), w.centralWidget()->height());
  EXPECT_EQ(w.xSource->height(), 156);
  EXPECT_EQ(w.xTarget->size(), QSize(580, 316));
  EXPECT_EQ(w.spb->width(), 120);
  EXPECT_EQ(w.cpnlWord->size(), QSize(100, 73));
}

TEST_F(TWindowTest, FocusMovesFromStressTextToTheBoxes) {
  Activate();
  _Window->btnStress->setFocus();
  const std::vector<QWidget*> order = {_Window->btnStress, _Window->btnCopy, _Window->mTarget,
                                       _Window->mSource};
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    ASSERT_EQ(QApplication::focusWidget(), order[i]) << "step " << i;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(QApplication::focusWidget(), order.back());
}

// Runs the window on a source under three refresh rates: every host call shown at once,
// the rate a person sees, and one so slow that only the end of the run reaches the box.
TEST_F(TWindowTest, StressTextShowsThePipelineResult) {
  struct TCase {
    const char* name;
    QString boxText;
    std::u16string source;
  };
  const std::vector<TCase> cases = {
      {"sample", QString::fromStdU16String(SampleText()), SampleText()},
      {"empty box", QString(), u""},
      {"one empty line", QStringLiteral(""), u""},
      {"quotes, dagger and no-break space",
       QString::fromUtf16(u"He said \"Hello\" to \u2021Senegalese\u2021\n\u00A0photograph  x"),
       u"He said \"Hello\" to \u2021Senegalese\u2021\r\n\u00A0photograph  x"},
      {"empty lines and a trailing empty line",
       QString::fromUtf16(u"  Big  ELEPHANT, \n\nI am OK\n"),
       u"  Big  ELEPHANT, \r\n\r\nI am OK\r\n"},
      {"line separator typed inside a line", QString::fromUtf16(u"Cameroon\u2028kangaroo"),
       u"Cameroon\r\nkangaroo"},
  };
  for (const int refreshMs : {0, TfLexipulse::kDefaultRefreshIntervalMs, 3600 * 1000}) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " refreshing every " + std::to_string(refreshMs) + " ms");
      _Window->SetRefreshInterval(refreshMs);
      _Window->mSource->setPlainText(c.boxText);
      ASSERT_EQ(_Window->SourceText(), c.source);
      _Window->btnStressClick();
      const TLines lines = BoxLines(*_Window->mTarget);
      EXPECT_EQ(lines, ExpectedResult(c.source));
      ASSERT_FALSE(lines.empty());
      EXPECT_EQ(lines.back(), kNoBreakSpace);
      ExpectIdleAfterRun(c.source);
      EXPECT_EQ(_Window->SourceText(), c.source) << "the source box is never changed";
    }
  }
}

TEST_F(TWindowTest, SampleGivesOneLineMoreAndCountsEveryItem) {
  _Window->btnStressClick();
  const std::size_t sampleLines = SplitDelimited(SampleText(), u'\n').size();
  EXPECT_EQ(BoxLines(*_Window->mTarget).size(), sampleLines + 1);
  ExpectIdleAfterRun(SampleText());
  _Window->btnStressClick();
  EXPECT_EQ(BoxLines(*_Window->mTarget).size(), sampleLines + 1) << "second run";
}

// A window that checks at every pump of a run that the controls show what the host was told
// last, and that may play a user who edits the result box or starts Stress Text again in the
// middle of the run, at a given pump or while a result is still going into the box.
class TCheckingWindow : public TfLexipulse {
 public:
  int pumps = 0;
  int mismatches = 0;
  int partialPumps = 0;
  int deepest = 0;
  int clears = 0;
  int editAtPump = -1;
  int nestAtPump = -1;
  bool editWhilePartial = false;
  bool nestWhilePartial = false;
  bool edited = false;
  bool nested = false;

  void SetResultText(const TResultText& text) override {
    _LastResult = SplitLines(text.Text());
    _EditPending = false;
    _PiecesAllowed = true;
    TfLexipulse::SetResultText(text);
  }
  void ClearResult() override {
    ++clears;
    _LastResult.clear();
    _PiecesAllowed = false;
    _Partial = false;
    TfLexipulse::ClearResult();
  }
  void AppendResultLine(const std::u16string& text) override {
    _LastResult.push_back(text);
    _PiecesAllowed = false;
    TfLexipulse::AppendResultLine(text);
    // The whole result is in the box before the line that closes it.
    mismatches += BoxLines(*mTarget) == _LastResult ? 0 : 1;
    _Partial = false;
  }
  void SetStatus(const std::u16string& text) override {
    _LastStatus = text;
    TfLexipulse::SetStatus(text);
  }
  void ShowWord(const std::u16string& text) override {
    _LastWord = text;
    TfLexipulse::ShowWord(text);
  }
  void SetWordProgress(int position, int maximum) override {
    _LastPosition = position;
    TfLexipulse::SetWordProgress(position, maximum);
  }
  void ResetProgress() override {
    _LastPosition = 0;
    TfLexipulse::ResetProgress();
  }
  void PumpEvents() override {
    const int pump = pumps++;
    if (pump == editAtPump || (editWhilePartial && _Partial && !edited)) {
      QTextCursor cursor(mTarget->document());
      // Typed into the first line, so the box keeps its number of lines.
      cursor.insertText(QStringLiteral("typed by the user "));
      _EditPending = true;
      edited = true;
    }
    if (pump == nestAtPump || (nestWhilePartial && _Partial && !nested)) {
      nested = true;
      btnStress->click();
    }
    deepest = std::max(deepest, RunDepth());
    TfLexipulse::PumpEvents();
    const TLines box = BoxLines(*mTarget);
    _Partial = _PiecesAllowed && IsFirstLinesOf(box, _LastResult);
    partialPumps += _Partial ? 1 : 0;
    const bool same =
        (box == _LastResult || _Partial) && lbStatus->text().toStdU16String() == _LastStatus &&
        lbWord->text().toStdU16String() == Shown(_LastWord) && pbProcess->value() == _LastPosition;
    // A user's edit stays in the box until the next result text replaces it.
    mismatches += same || _EditPending ? 0 : 1;
  }

 private:
  TLines _LastResult;
  std::u16string _LastStatus = u"Status";
  std::u16string _LastWord;
  int _LastPosition = 0;
  bool _EditPending = false;
  // A result text may still be going into the box; after the appended line it may not.
  bool _PiecesAllowed = false;
  bool _Partial = false;
};

// The sample in its usual pieces, which it fits in at once, and one paragraph per pump.
struct TPieces {
  const char* name;
  std::size_t codeUnits;
  int budgetMs;
};
const TPieces kPieceSizes[] = {
    {"usual pieces", TfLexipulse::kDefaultResultPiece, TfLexipulse::kDefaultResultBudgetMs},
    {"one paragraph per pump", 1, 0},
};

TEST(TWindowRunTest, ControlsShowTheLatestHostCallsWhenEventsArePumped) {
  for (const TPieces& pieces : kPieceSizes) {
    for (const int editAtPump : {-1, 0, 25, 200}) {
      SCOPED_TRACE(std::string(pieces.name) + ", user edit at pump " + std::to_string(editAtPump));
      TCheckingWindow window;
      window.show();
      window.SetRefreshInterval(0);
      window.SetResultPieces(pieces.codeUnits, pieces.budgetMs);
      window.editAtPump = editAtPump;
      window.btnStressClick();
      EXPECT_GT(window.pumps, 0);
      EXPECT_GT(window.pumps, editAtPump);
      EXPECT_EQ(window.mismatches, 0);
      EXPECT_EQ(BoxLines(*window.mTarget), ExpectedResult(SampleText()));
      if (pieces.codeUnits == 1) {
        EXPECT_GT(window.partialPumps, 0) << "the result went into the box in pieces";
      } else {
        EXPECT_EQ(window.partialPumps, 0) << "the sample fits in one piece";
      }
    }
  }
}

// The user edits the result box, or presses Stress Text again, while the result is still
// going into the box, or at the last pump, after which the whole result must go in at once;
// Stress Text ends the run and starts a fresh one, and the window ends with the pipeline's
// result all the same.
TEST(TWindowRunTest, EditOrNestedRunWhileTheResultGoesInStillEndsRight) {
  int pumpsOfARun = 0;
  {
    TCheckingWindow window;
    window.btnStressClick();
    pumpsOfARun = window.pumps;
  }
  ASSERT_GT(pumpsOfARun, 0);
  struct TCase {
    const char* name;
    bool nest;
    bool whilePartial;
    int atPump;
  };
  for (const TCase& c : {TCase{"edit while half written", false, true, -1},
                         TCase{"nested run while half written", true, true, -1},
                         TCase{"edit at the last pump", false, false, pumpsOfARun - 1},
                         TCase{"nested run at the last pump", true, false, pumpsOfARun - 1}}) {
    SCOPED_TRACE(c.name);
    TCheckingWindow window;
    window.show();
    window.SetRefreshInterval(0);
    window.SetResultPieces(1, 0);
    (c.nest ? window.nestWhilePartial : window.editWhilePartial) = c.whilePartial;
    (c.nest ? window.nestAtPump : window.editAtPump) = c.atPump;
    window.btnStressClick();
    EXPECT_TRUE(c.nest ? window.nested : window.edited);
    EXPECT_EQ(window.deepest, 1) << "never a run inside a run";
    EXPECT_EQ(window.clears, c.nest ? 2 : 1) << "a fresh run after Stress Text";
    EXPECT_EQ(window.mismatches, 0);
    const TLines lines = BoxLines(*window.mTarget);
    EXPECT_EQ(lines, ExpectedResult(SampleText()));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), kNoBreakSpace), 1);
    EXPECT_EQ(window.RunDepth(), 0);
  }
}

// Inside a run, paragraphs of several lines become final while the result is still going
// into the box one paragraph per pump, and take more, fewer or as many lines as before; the
// box holds the first lines of the latest text after every pump, and all of it at the end.
TEST(TWindowRunTest, ParagraphsOfSeveralLinesChangeInPlaceWhileTheResultGoesIn) {
  struct TCase {
    const char* name;
    std::vector<std::u16string> read;
    std::vector<std::u16string> stressed;
  };
  const std::vector<TCase> cases = {
      {"paragraphs grow a line",
       {u"a\r", u"b\r", u"c\r", u"d\r", u"e"},
       {u"a\rA\r", u"b\r", u"c\rC\rCC\r", u"d\r", u"e\rE"}},
      {"paragraphs lose lines",
       {u"one\rtwo\r", u"x\ry\rz\r", u"three\r", u"four\rfive"},
       {u"onetwo\r", u"xyz\r", u"three\r", u"four five"}},
      {"CR LF and empty lines inside",
       {u"a\r\nb\r", u"\r", u"\r\r", u"c\r\nd"},
       {u"ab\r", u"x\ry\r", u"\r", u"\r\n"}},
  };
  TfLexipulse window;
  window.show();
  window.SetRefreshInterval(0);
  window.SetResultPieces(1, 0);
  window.mSource->setPlainText(QStringLiteral("word"));
  bool ran = false;
  QTimer::singleShot(0, [&] {
    ran = true;
    ASSERT_EQ(window.RunDepth(), 1);
    for (const TCase& c : cases) {
      SCOPED_TRACE(c.name);
      window.ClearResult();
      std::vector<std::u16string> paragraphs = c.read;
      TResultText result(paragraphs);
      int partial = 0;
      for (std::size_t done = 0; done <= paragraphs.size(); ++done) {
        for (std::size_t i = 0; i < done; ++i) {
          paragraphs[i] = c.stressed[i];
        }
        result.SetParagraphsDone(done);
        window.SetResultText(result);
        const TLines latest = SplitLines(result.Text());
        for (int pump = 0; pump < 2; ++pump) {
          window.PumpEvents();
          const TLines box = BoxLines(*window.mTarget);
          const bool firstLines = IsFirstLinesOf(box, latest);
          partial += firstLines ? 1 : 0;
          EXPECT_TRUE(box == latest || firstLines) << done << " done, pump " << pump;
        }
      }
      EXPECT_GT(partial, 0) << "the result went into the box in pieces";
      window.AppendResultLine(kNoBreakSpace);
      TLines whole = SplitLines(result.Text());
      whole.push_back(kNoBreakSpace);
      EXPECT_EQ(BoxLines(*window.mTarget), whole);
    }
  });
  window.btnStressClick();
  EXPECT_TRUE(ran);
  EXPECT_EQ(BoxLines(*window.mTarget), ExpectedResult(u"word"));
}

// Stress Text during a run, pressed on the button or with Ctrl+Return after the source was
// changed, ends the running pass and stresses the source box as it is then.
TEST(TWindowRunTest, StressTextDuringARunStartsAFreshRunOnTheCurrentSource) {
  const std::u16string changed = u"Cameroon kangaroo,\r\nphotographer  ";
  struct TCase {
    const char* name;
    std::function<void(TfLexipulse&)> press;
  };
  const std::vector<TCase> cases = {
      {"button", [](TfLexipulse& w) { w.btnStress->click(); }},
      {"Ctrl+Return",
       [](TfLexipulse& w) { QTest::keyClick(w.mSource, Qt::Key_Return, Qt::ControlModifier); }}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TCheckingWindow window;
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.mSource->setFocus();
    window.SetRefreshInterval(0);
    bool pressed = false;
    QTimer::singleShot(0, [&] {
      ASSERT_EQ(window.RunDepth(), 1);
      window.mSource->SetText(
          QString::fromStdU16String(changed).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
      c.press(window);
      pressed = true;
    });
    window.btnStressClick();
    ASSERT_TRUE(pressed);
    EXPECT_EQ(window.deepest, 1);
    EXPECT_EQ(window.clears, 2);
    EXPECT_EQ(window.mismatches, 0);
    EXPECT_EQ(window.SourceText(), changed);
    EXPECT_EQ(BoxLines(*window.mTarget), ExpectedResult(changed));
    EXPECT_EQ(window.lbStatus->text().toStdU16String(), FinalStatus(WordItems(changed)));
    EXPECT_EQ(window.windowTitle(), QString::fromUtf16(kProgramCaption));
    EXPECT_TRUE(window.lbWord->text().isEmpty());
    EXPECT_EQ(window.pbProcess->value(), 0);
  }
}

TEST_F(TWindowTest, CopyResultPutsTheWholeResultOnTheClipboard) {
  Activate();
  _Window->btnStressClick();
  QString expected;
  for (const std::u16string& line : BoxLines(*_Window->mTarget)) {
    expected +=
        (expected.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdU16String(line);
  }
  ASSERT_TRUE(expected.endsWith(QChar(0x00A0)));
  struct TCase {
    const char* name;
    std::function<void()> copy;
  };
  const std::vector<TCase> cases = {
      {"button", [&] { QTest::mouseClick(_Window->btnCopy, Qt::LeftButton); }},
      {"Edit menu", [&] { _Window->mnCopy->trigger(); }},
      {"Ctrl+Shift+C in the source box",
       [&] {
         _Window->mSource->setFocus();
         QTest::keyClick(_Window->mSource, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));
    _Window->mTarget->setTextCursor(QTextCursor(_Window->mTarget->document()));
    c.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    const QTextCursor cursor = _Window->mTarget->textCursor();
    EXPECT_EQ(cursor.selectionStart(), 0);
    EXPECT_EQ(cursor.selectionEnd(), _Window->mTarget->document()->characterCount() - 1);
    EXPECT_EQ(cursor.position(), cursor.selectionEnd()) << "the caret goes to the end";
  }
}

TEST_F(TWindowTest, CtrlReturnRunsStressTextFromTheSourceBox) {
  Activate();
  _Window->mSource->setFocus();
  const std::u16string before = _Window->SourceText();
  QTest::keyClick(_Window->mSource, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(BoxLines(*_Window->mTarget), ExpectedResult(SampleText()));
  EXPECT_EQ(_Window->SourceText(), before) << "the key went to the shortcut, not the box";
}

TEST_F(TWindowTest, SpinBoxSetsBothFontsWithinItsBounds) {
  struct TCase {
    int set;
    int expected;
  };
  for (const TCase& c : {TCase{24, 24}, TCase{18, 18}, TCase{30, 24}, TCase{5, 12}}) {
    SCOPED_TRACE("set " + std::to_string(c.set));
    _Window->spb->setValue(c.set);
    EXPECT_EQ(_Window->spb->value(), c.expected);
    EXPECT_EQ(_Window->mTarget->font().pointSize(), c.expected);
    EXPECT_EQ(_Window->mSource->font().pointSize(), c.expected);
  }
  _Window->spb->setValue(24);
  _Window->spb->stepUp();
  EXPECT_EQ(_Window->spb->value(), 24);
  _Window->spb->setValue(12);
  _Window->spb->stepDown();
  EXPECT_EQ(_Window->spb->value(), 12);
  EXPECT_EQ(_Window->mSource->font().pointSize(), 12);
}

TEST_F(TWindowTest, CollapsedSourceGivesItsRoomToTheResult) {
  TfLexipulse& w = *_Window;
  const int targetHeight = w.xTarget->height();
  const int sourceHeight = w.xSource->height();
  QTest::mouseClick(w.xSource->Header(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(w.xSource->Expanded());
  EXPECT_FALSE(w.mSource->isVisible());
  EXPECT_LT(w.xSource->height(), sourceHeight);
  EXPECT_GE(w.xSource->height(), w.xSource->Header()->sizeHint().height());
  EXPECT_EQ(w.xTarget->height(), targetHeight + sourceHeight - w.xSource->height());

  QTest::mouseClick(w.xSource->Header(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_TRUE(w.mSource->isVisible());
  EXPECT_EQ(w.xSource->height(), sourceHeight);
  EXPECT_EQ(w.xTarget->height(), targetHeight);
}

TEST_F(TWindowTest, AboutShowsNameVersionAndTheDataCredit) {
  QString text;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QList<QAbstractButton*> buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    icon = box->icon();
    buttons = box->buttons();
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    box->accept();
  });
  _Window->mnCopyright->trigger();
  const QStringList lines = text.split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2) << text.toStdString();
  EXPECT_EQ(lines[0], QString::fromUtf16(kProgramCaption));
  EXPECT_TRUE(lines[1].contains(QStringLiteral("CMU Pronouncing Dictionary")));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons.size(), 1);
}

// The host as the pipeline sees it: each result text becomes the box's lines, and the
// appended line always follows the last of them.
TEST_F(TWindowTest, ResultTextSplitsIntoLinesAndTheAppendedLineFollows) {
  struct TCase {
    const char* name;
    std::vector<std::u16string> paragraphs;
    TLines lines;
  };
  const std::vector<TCase> cases = {
      {"one paragraph per line", {u"big\r", u"I am OK"}, {u"big", u"I am OK"}},
      {"ends with CR LF", {u"last\r", u""}, {u"last", u""}},
      {"lone CR inside a paragraph", {u"a\rb\r", u"c"}, {u"a", u"b", u"c"}},
      {"empty line in the middle", {u"a\r", u"\r", u"b"}, {u"a", u"", u"b"}},
      {"no-break space and dagger kept", {u"\u00A0\u2021x\u2021"}, {u"\u00A0\u2021x\u2021"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    _Window->ClearResult();
    EXPECT_TRUE(BoxLines(*_Window->mTarget).empty());
    std::vector<std::u16string> paragraphs = c.paragraphs;
    TResultText result(paragraphs);
    result.SetParagraphsDone(paragraphs.size());
    _Window->SetResultText(result);
    EXPECT_EQ(BoxLines(*_Window->mTarget), c.lines);
    _Window->AppendResultLine(kNoBreakSpace);
    TLines withLine = c.lines;
    withLine.push_back(kNoBreakSpace);
    EXPECT_EQ(BoxLines(*_Window->mTarget), withLine);
  }
  _Window->ClearResult();
  _Window->AppendResultLine(kNoBreakSpace);
  EXPECT_EQ(BoxLines(*_Window->mTarget), TLines{kNoBreakSpace}) << "empty result";
}

TEST_F(TWindowTest, CalloutFitsALongWordInsideTheBubble) {
  for (const std::u16string word : {u"photographical", u"*hibalescent,", u"a", u"words\r"}) {
    SCOPED_TRACE(Utf8(word));
    _Window->ShowWord(word);
    EXPECT_EQ(_Window->lbWord->text().toStdU16String(), Shown(word));
    EXPECT_LE(_Window->lbWord->fontMetrics().horizontalAdvance(_Window->lbWord->text()),
              _Window->lbWord->width());
    EXPECT_TRUE(_Window->cpnlWord->BubbleRect().contains(QRectF(_Window->lbWord->geometry())));
  }
}

}  // namespace
}  // namespace lexipulse
