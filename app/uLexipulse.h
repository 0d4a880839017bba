#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/ResultWriter.h"
#include "app/StressHost.h"
#include "app/TextBox.h"
#include "engine/StressOptions.h"

class QAction;
class QActionGroup;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QResizeEvent;
class QSpinBox;
class QStatusBar;

namespace lexipulse {

class CalloutPanel;
class Expander;
struct TExplanation;

// TfLexipulse is the program's one window: the source and result boxes, the buttons, the
// progress and the callout, and the host through which the pipeline shows a run. While a
// run is on, the host operations only record what to show; the controls take it at a human
// rate, when events are pumped, and once more when the run ends.
//
// With no settings saved it is the window as first designed; everything added since is
// reached through the menus, their shortcuts and drops, and what the user chooses is kept
// with QSettings under the application's organisation and name.
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
  // The whole text's progress and the Stop button, shown only during a run.
  QProgressBar* pbTotal = nullptr;
  QLabel* lbTotal = nullptr;
  QPushButton* btnStop = nullptr;
  Expander* xSource = nullptr;
  TTextBox* mSource = nullptr;
  Expander* xTarget = nullptr;
  TTextBox* mTarget = nullptr;
  QMenuBar* MainMenu1 = nullptr;

  QAction* mnOpen = nullptr;
  QMenu* mnRecent = nullptr;
  QAction* mnSaveAs = nullptr;
  QAction* mnExportHtml = nullptr;
  QAction* mnExportPdf = nullptr;
  QAction* mnPrint = nullptr;
  QAction* mnQuit = nullptr;
  QAction* mnCopy = nullptr;
  QAction* mnCopyFormatted = nullptr;
  QAction* mnStressText = nullptr;
  QAction* mnStop = nullptr;
  QAction* mnRulesFirst = nullptr;
  QAction* mnDictionaryFirst = nullptr;
  // The pronunciation whose stress is marked.
  QAction* mnAmerican = nullptr;
  QAction* mnBritish = nullptr;
  // The View menu, where choices of how the result looks go.
  QMenu* mnView = nullptr;
  // How stress is written: the classic notation, accents on the text as typed, or the text as
  // typed with the stressed letters highlighted.
  QAction* mnClassic = nullptr;
  QAction* mnAccents = nullptr;
  QAction* mnHighlight = nullptr;
  // Which secondary stresses are marked.
  QMenu* mnSecondary = nullptr;
  QAction* mnSecondaryOff = nullptr;
  QAction* mnSecondaryBefore = nullptr;
  QAction* mnSecondaryAll = nullptr;
  QAction* mnMarkUnknown = nullptr;
  QAction* mnResetSettings = nullptr;
  QAction* mnCopyright = nullptr;

  void FormCreate();
  void FormResize();
  void btnStressClick();
  void btnCopyClick();
  void spbChange(int value);
  void mnCopyrightClick();
  void mnQuitClick();

  // File menu.
  void mnOpenClick();
  void mnSaveAsClick();
  void mnExportHtmlClick();
  void mnExportPdfClick();
  void mnPrintClick();
  // OpenFile puts a UTF-8 text file into the source box and adds it to the recent files;
  // when it cannot, the box keeps its text and a message box says why. True when it opened.
  bool OpenFile(const QString& path);
  // OpenFiles puts the texts of several files into the source box, one after the other.
  bool OpenFiles(const QStringList& paths);
  // SaveResult writes the result as Save Result As does; ExportHtml and ExportPdf write it as
  // a document with the stressed letters marked. Each returns an empty text, or the message
  // it showed when the file could not be written.
  QString SaveResult(const QString& path);
  QString ExportHtml(const QString& path);
  QString ExportPdf(const QString& path);
  // ResultDocument is the whole result as an HTML document in the style it was made in: in
  // the classic style its accented capitals bold and coloured, in the accents style the
  // accented text, in the highlight style the letters the box highlights wrapped as the
  // console's HTML wraps them.
  QString ResultDocument();

  // Edit menu.
  void mnCopyFormattedClick();

  // Stressing menu.
  void mnStopClick();
  // Options are the choices the next run is made with.
  TStressOptions Options() const;

  // View menu.
  void mnMarkUnknownClick();
  void mnResetSettingsClick();
  // WordTip tells how the result word at position of the result box was decided, or nothing
  // when there is no word of the latest run there.
  QString WordTip(int position) const;

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
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createActions();
  // createChoices makes the exclusive choices of group, the first checked; each action keeps
  // the value it is remembered by under key, and a choice made is remembered at once.
  struct TChoice {
    QAction** Item;
    const char* Name;
    QString Text;
    const char* Value;
  };
  QActionGroup* createChoices(std::initializer_list<TChoice> choices, const char* key);
  void createMenus();
  void createStatusBar();
  void createRightPanel();
  void createExpanders();
  void createLayout();
  void loadSettings();

  void RequestQuit();
  void FlushWhenIdle();
  void FlushPending(TResultWriter::TFlush flush);
  void ShowWordFitted(const QString& item);
  void ShowTotalProgress();
  void EndStoppedRun(const std::u16string& idleCaption);
  void ShowError(const QString& message);
  void RebuildRecentMenu();
  void RememberRun(const std::u16string& source);
  // ResultForOutput is the whole result as the box will hold it, lines joined with LF.
  QString ResultForOutput();
  void UpdateUnknownMarks();
  std::vector<TExplanation> ExplainLine(int line) const;

  std::unique_ptr<TResultWriter> _Writer;
  QActionGroup* _OrderGroup = nullptr;
  QActionGroup* _VariantGroup = nullptr;
  QActionGroup* _StyleGroup = nullptr;
  QActionGroup* _SecondaryGroup = nullptr;
  // The style the result in the box was made in.
  TNotationStyle _ResultStyle = TNotationStyle::Classic;
  int _RunDepth = 0;
  bool _QuitRequested = false;
  bool _RestartRequested = false;
  bool _StopRequested = false;
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

  // The whole text's progress of the run going on.
  qint64 _WordsTotal = 0;
  qint64 _WordsDone = 0;
  QElapsedTimer _RunClock;

  // The source lines and the options of the latest run, to tell how its words were decided.
  QStringList _RunLines;
  TStressOptions _RunOptions;
};

// RunLexipulse is the window program: it loads the dictionary, creates the application and
// the window, runs the event loop and frees the dictionary at the end. With resetSettings the
// window starts from no settings, as at its first start. onShown, when given, runs once the
// window is shown, before the event loop starts.
int RunLexipulse(int& argc, char** argv, const std::function<void(TfLexipulse&)>& onShown = nullptr,
                 bool resetSettings = false);

// SetApplicationNames sets the organisation and application names the settings are kept under.
void SetApplicationNames();

}  // namespace lexipulse
