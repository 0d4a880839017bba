#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ResultWriter.h"
#include "app/StressHost.h"
#include "app/TextBox.h"

class QAction;
class QCloseEvent;
class QLabel;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QResizeEvent;
class QSpinBox;
class QStatusBar;

namespace lexipulse {

class CalloutPanel;
class Expander;

// TfLexipulse is the program's one window: the source and result boxes, the buttons, the
// progress and the callout, and the host through which the pipeline shows a run. While a
// run is on, the host operations only record what to show; the controls take it at a human
// rate, when events are pumped, and once more when the run ends.
class TfLexipulse : public QMainWindow, public TStressHost {
  Q_OBJECT

 public:
  static constexpr int kDefaultRefreshIntervalMs = 50;
  static constexpr std::size_t kDefaultResultPiece = TResultWriter::kDefaultPiece;
  static constexpr int kDefaultResultBudgetMs = TResultWriter::kDefaultBudgetMs;

  explicit TfLexipulse(QWidget* parent = nullptr);
  ~TfLexipulse() override;

  QStatusBar* sb = nullptr;
  QLabel* lbStatus = nullptr;
  QSpinBox* spb = nullptr;
  QWidget* pnlRight = nullptr;
  QProgressBar* pbProcess = nullptr;
  CalloutPanel* cpnlWord = nullptr;
  QLabel* lbWord = nullptr;
  QPushButton* btnStress = nullptr;
  QPushButton* btnCopy = nullptr;
  QProgressBar* pbParagraphs = nullptr;
  Expander* xSource = nullptr;
  TTextBox* mSource = nullptr;
  Expander* xTarget = nullptr;
  TTextBox* mTarget = nullptr;
  QMenuBar* MainMenu1 = nullptr;
  QAction* mnQuit = nullptr;
  QAction* mnCopy = nullptr;
  QAction* mnCopyright = nullptr;

  void FormCreate();
  void FormResize();
  void btnStressClick();
  void btnCopyClick();
  void spbChange(int value);
  void mnCopyrightClick();
  void mnQuitClick();

  // SourceText is the source box's lines joined with CR LF, no break after the last line.
  std::u16string SourceText() const;
  // ResultText is the result box's lines joined with CR LF, no break after the last line.
  std::u16string ResultText() const;
  // RunDepth is 1 during a run and 0 when idle.
  int RunDepth() const { return _RunDepth; }
  // SetRefreshInterval sets how long the controls may lag behind the host calls in a run.
  void SetRefreshInterval(int milliseconds) { _RefreshIntervalMs = milliseconds; }
  // SetResultPieces sets how a long result goes into the box during a run: in pieces of about
  // codeUnits, as many per turn of the event loop as fit in budgetMs, at least one.
  void SetResultPieces(std::size_t codeUnits, int budgetMs) {
    _Writer->SetPieces(codeUnits, budgetMs);
  }

  void ClearResult() override;
  std::u16string GetCaption() override;
  void SetCaption(const std::u16string& text) override;
  void SetParagraphProgress(int position, int maximum) override;
  void SetWordProgress(int position, int maximum) override;
  void PumpEvents() override;
  void SetStatus(const std::u16string& text) override;
  void ShowWord(const std::u16string& text) override;
  void SetResultText(const TResultText& text) override;
  void AppendResultLine(const std::u16string& text) override;
  void ResetProgress() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createStatusBar();
  void createRightPanel();
  void createExpanders();
  void createLayout();

  void RequestQuit();
  void FlushWhenIdle();
  void FlushPending(TResultWriter::TFlush flush);
  void ShowWordFitted(const QString& item);

  std::unique_ptr<TResultWriter> _Writer;
  int _RunDepth = 0;
  bool _QuitRequested = false;
  bool _RestartRequested = false;
  int _RefreshIntervalMs = kDefaultRefreshIntervalMs;
  QElapsedTimer _PumpClock;
  QElapsedTimer _RefreshClock;

  // What the host was told last, for the controls to take at the next refresh.
  QString _Caption;
  QString _Status;
  QString _Word;
  int _WordPosition = 0;
  int _WordMaximum = 0;
  int _ParagraphPosition = 0;
  int _ParagraphMaximum = 0;
  bool _CaptionDirty = false;
  bool _StatusDirty = false;
  bool _WordDirty = false;
  bool _WordProgressDirty = false;
  bool _ParagraphProgressDirty = false;
};

// RunLexipulse is the window program: it loads the dictionary, creates the application and
// the window, runs the event loop and frees the dictionary at the end. onShown, when given,
// runs once the window is shown, before the event loop starts.
int RunLexipulse(int& argc, char** argv,
                 const std::function<void(TfLexipulse&)>& onShown = nullptr);

}  // namespace lexipulse
