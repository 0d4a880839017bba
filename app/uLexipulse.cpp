#include "app/uLexipulse.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QSizePolicy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>
#include <numeric>

#include "app/CalloutPanel.h"
#include "app/Expander.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "app/Version.h"
#include "engine/Dictionary.h"

namespace lexipulse {

namespace {

// Thrown by PumpEvents once Quit or a close has been asked for, so that every run on the
// stack unwinds; btnStressClick catches it, and it never crosses a Qt frame.
struct TRunCancelled {};

constexpr int kPumpIntervalMs = 10;
constexpr int kClientWidth = 700;
constexpr int kClientHeight = 500;
constexpr int kStatusBarHeight = 28;
constexpr int kStatusLabelLeft = 205;
constexpr int kSpinBoxWidth = 120;
constexpr int kRightPanelWidth = 120;
constexpr int kSourceExpanderHeight = 156;
constexpr int kInitialFontSize = 12;
constexpr int kMinimumFontSize = 12;
constexpr int kMaximumFontSize = 24;
constexpr int kResultTextMargin = 5;
constexpr qreal kSmallestWordFont = 6.0;

QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }

// A text box's text: its lines joined with lineBreak. The raw text is read, because the
// document's plain-text export turns no-break spaces into spaces; in it lines are separated
// by paragraph separators, and a line separator that Shift+Return put inside a line counts
// as a line break, as the box shows it.
QString BoxText(const QPlainTextEdit& box, const QString& lineBreak) {
  QString text = box.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, lineBreak);
  text.replace(QChar::LineSeparator, lineBreak);
  return text;
}

// The lines one paragraph of a result makes in the box, separated by LF. The CR that ends
// every paragraph but the last joins the LF after it into one break; CR LF and a lone CR
// inside a paragraph are one break each.
QString ParagraphLines(const std::u16string& paragraph, bool last) {
  std::size_t size = paragraph.size();
  if (!last && size > 0 && paragraph[size - 1] == u'\r') {
    --size;
  }
  QString lines = QString::fromUtf16(paragraph.data(), static_cast<qsizetype>(size));
  if (lines.contains(QChar(u'\r'))) {
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QChar(u'\r'), QChar(u'\n'));
  }
  return lines;
}

// RAII bracket around the program's own writes to the result box: no repaint until it
// closes, no undo history, and the writes are not taken for the user's edits.
class TResultWrite {
 public:
  TResultWrite(QPlainTextEdit& box, bool& writing) : _Box(box), _Writing(writing) {
    _Writing = true;
    _Box.setUpdatesEnabled(false);
    _Box.document()->setUndoRedoEnabled(false);
  }
  ~TResultWrite() {
    _Box.document()->setUndoRedoEnabled(true);
    _Box.verticalScrollBar()->setValue(0);
    _Box.horizontalScrollBar()->setValue(0);
    _Box.setUpdatesEnabled(true);
    _Writing = false;
  }
  TResultWrite(const TResultWrite&) = delete;
  TResultWrite& operator=(const TResultWrite&) = delete;

 private:
  QPlainTextEdit& _Box;
  bool& _Writing;
};

// Frees the dictionary however the program ends, after the window and the application.
class TDictionaryLifetime {
 public:
  TDictionaryLifetime() { LoadDictionary(); }
  ~TDictionaryLifetime() { FreeDictionary(); }
  TDictionaryLifetime(const TDictionaryLifetime&) = delete;
  TDictionaryLifetime& operator=(const TDictionaryLifetime&) = delete;
};

}  // namespace

TfLexipulse::TfLexipulse(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("fLexipulse"));
  setWindowTitle(QString::fromUtf16(kProgramCaption));
  CreateMenus();
  CreateStatusBar();
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  CreateExpanders();
  CreateRightPanel();
  auto* row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  auto* left = new QVBoxLayout;
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  left->addWidget(xSource);
  left->addWidget(xTarget, 1);
  left->addStretch(0);
  row->addLayout(left, 1);
  row->addWidget(pnlRight);
  CreateShortcuts();

  setTabOrder(btnStress, btnCopy);
  setTabOrder(btnCopy, mTarget);
  setTabOrder(mTarget, mSource);
  setTabOrder(mSource, spb);

  // The menu bar sits inside the window here, so it is added to the client height.
  resize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
  FormCreate();
}

TfLexipulse::~TfLexipulse() = default;

void TfLexipulse::CreateMenus() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = MainMenu1->addMenu(QStringLiteral("File"));
  mnQuit = file->addAction(QStringLiteral("Quit"), this, &TfLexipulse::mnQuitClick);
  mnQuit->setObjectName(QStringLiteral("mnQuit"));
  QMenu* edit = MainMenu1->addMenu(QStringLiteral("Edit"));
  mnCopy = edit->addAction(QStringLiteral("Copy Result"), this, &TfLexipulse::btnCopyClick);
  mnCopy->setObjectName(QStringLiteral("mnCopy"));
  QMenu* help = MainMenu1->addMenu(QStringLiteral("Help"));
  mnCopyright = help->addAction(QStringLiteral("About this software..."), this,
                                &TfLexipulse::mnCopyrightClick);
  mnCopyright->setObjectName(QStringLiteral("mnCopyright"));
}

void TfLexipulse::CreateStatusBar() {
  sb = new QStatusBar(this);
  sb->setObjectName(QStringLiteral("sb"));
  sb->setSizeGripEnabled(true);
  sb->setFixedHeight(kStatusBarHeight);
  setStatusBar(sb);

  // The status line starts at a fixed offset from the left edge of the bar.
  auto* indent = new QWidget(sb);
  indent->setObjectName(QStringLiteral("sbIndent"));
  indent->setFixedWidth(kStatusLabelLeft);
  sb->addWidget(indent);
  lbStatus = new QLabel(QStringLiteral("Status"), sb);
  lbStatus->setObjectName(QStringLiteral("lbStatus"));
  lbStatus->setWordWrap(false);
  lbStatus->setTextFormat(Qt::PlainText);
  lbStatus->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  sb->addWidget(lbStatus);

  spb = new QSpinBox(sb);
  spb->setObjectName(QStringLiteral("spb"));
  spb->setRange(kMinimumFontSize, kMaximumFontSize);
  spb->setSingleStep(1);
  spb->setValue(kInitialFontSize);
  spb->setAlignment(Qt::AlignCenter);
  spb->setButtonSymbols(QAbstractSpinBox::PlusMinus);
  spb->setFixedWidth(kSpinBoxWidth);
  spb->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  sb->addPermanentWidget(spb);
  connect(spb, &QSpinBox::valueChanged, this, &TfLexipulse::spbChange);
}

void TfLexipulse::CreateRightPanel() {
  pnlRight = new QWidget(centralWidget());
  pnlRight->setObjectName(QStringLiteral("pnlRight"));
  pnlRight->setFixedWidth(kRightPanelWidth);
  pnlRight->setContentsMargins(0, 5, 5, 5);

  pbProcess = new QProgressBar(pnlRight);
  pbProcess->setObjectName(QStringLiteral("pbProcess"));
  pbProcess->setOrientation(Qt::Horizontal);
  // Fifteen pixels leave no room for a percentage; the bar alone tells the progress.
  pbProcess->setTextVisible(false);
  pbProcess->setRange(0, 100);
  pbProcess->setValue(0);
  pbProcess->setGeometry(7, 32, 105, 15);

  cpnlWord = new CalloutPanel(pnlRight);
  cpnlWord->setObjectName(QStringLiteral("cpnlWord"));
  cpnlWord->setGeometry(8, 64, 100, 73);
  lbWord = new QLabel(cpnlWord);
  lbWord->setObjectName(QStringLiteral("lbWord"));
  lbWord->setTextFormat(Qt::PlainText);
  lbWord->setAlignment(Qt::AlignCenter);
  lbWord->setForegroundRole(QPalette::Text);
  lbWord->setGeometry(8, 12, 80, 33);

  btnStress = new QPushButton(QStringLiteral("Stress Text"), pnlRight);
  btnStress->setObjectName(QStringLiteral("btnStress"));
  btnStress->setGeometry(8, 149, 100, 23);
  connect(btnStress, &QPushButton::clicked, this, &TfLexipulse::btnStressClick);

  btnCopy = new QPushButton(QStringLiteral("Copy Result"), pnlRight);
  btnCopy->setObjectName(QStringLiteral("btnCopy"));
  btnCopy->setGeometry(11, 200, 100, 23);
  connect(btnCopy, &QPushButton::clicked, this, &TfLexipulse::btnCopyClick);

  // Kept for its position and maximum only: zero high, it takes no room and is never seen.
  pbParagraphs = new QProgressBar(pnlRight);
  pbParagraphs->setObjectName(QStringLiteral("pbParagraphs"));
  pbParagraphs->setRange(0, 100);
  pbParagraphs->setValue(0);
  pbParagraphs->setGeometry(0, 0, 105, 0);
  pbParagraphs->hide();
}

void TfLexipulse::CreateExpanders() {
  xSource = new Expander(QStringLiteral("Source Text"), centralWidget());
  xSource->setObjectName(QStringLiteral("xSource"));
  xSource->SetExpandedHeight(kSourceExpanderHeight);
  mSource = new QPlainTextEdit;
  mSource->setObjectName(QStringLiteral("mSource"));
  mSource->setTabChangesFocus(true);
  mSource->setPlainText(ToQString(SampleText()));
  xSource->SetContent(mSource);

  xTarget = new Expander(QStringLiteral("Stressed Result"), centralWidget());
  xTarget->setObjectName(QStringLiteral("xTarget"));
  mTarget = new QPlainTextEdit;
  mTarget->setObjectName(QStringLiteral("mTarget"));
  mTarget->setTabChangesFocus(true);
  mTarget->document()->setDocumentMargin(kResultTextMargin);
  xTarget->SetContent(mTarget);
  connect(mTarget, &QPlainTextEdit::textChanged, this, [this] {
    if (!_WritingResult) {
      _ResultEdited = true;
      _ResultHasLines = true;
    }
  });

  for (QPlainTextEdit* box : {mSource, mTarget}) {
    QFont font = box->font();
    font.setPointSize(kInitialFontSize);
    box->setFont(font);
  }
}

// Shortcuts of the window itself, so that no menu text changes; the text boxes keep their
// standard editing keys, none of which these overlap.
void TfLexipulse::CreateShortcuts() {
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &TfLexipulse::btnStressClick);
  }
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this),
          &QShortcut::activated, this, &TfLexipulse::btnCopyClick);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
          &TfLexipulse::mnQuitClick);
}

void TfLexipulse::FormCreate() {
  mSource->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  mTarget->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  btnStress->setFocus();
  FormResize();
}

void TfLexipulse::FormResize() {}

void TfLexipulse::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TfLexipulse::btnStressClick() {
  if (_QuitRequested) {
    return;
  }
  const std::u16string sourceText = SourceText();
  // Leaves the window consistent however the run ends: no pointer into the run's lists
  // survives it, and what was recorded last reaches the controls.
  struct TRunScope {
    TfLexipulse& window;
    explicit TRunScope(TfLexipulse& w) : window(w) {
      ++window._RunDepth;
      window._PumpClock.invalidate();
    }
    ~TRunScope() {
      --window._RunDepth;
      window.ForgetShownResult();
      window.FlushPending(TResultFlush::Whole);
    }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;
  } scope(*this);
  try {
    StressSourceText(sourceText, *this);
  } catch (const TRunCancelled&) {
    // The program is ending; the run stops where it was.
  }
}

void TfLexipulse::btnCopyClick() {
  FlushResult(TResultFlush::Whole);
  mTarget->selectAll();
  QGuiApplication::clipboard()->setText(BoxText(*mTarget, QStringLiteral("\n")));
}

void TfLexipulse::spbChange(int value) {
  try {
    QFont targetFont = mTarget->font();
    targetFont.setPointSize(value);
    mTarget->setFont(targetFont);
    QFont sourceFont = mSource->font();
    sourceFont.setPointSize(mTarget->font().pointSize());
    mSource->setFont(sourceFont);
  } catch (...) {
    // A font size that cannot be applied leaves the boxes as they were.
  }
}

void TfLexipulse::mnCopyrightClick() {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About Lexipulse"),
                  QString::fromUtf16(kProgramCaption) + QLatin1Char('\n') +
                      QStringLiteral("Pronunciation data from the CMU Pronouncing Dictionary."),
                  QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("aboutBox"));
  box.exec();
}

void TfLexipulse::mnQuitClick() { RequestQuit(); }

void TfLexipulse::closeEvent(QCloseEvent* event) {
  // The window is not deleted here; a run on the stack unwinds at its next pump and the
  // event loop then ends, as after Quit.
  if (_RunDepth > 0) {
    RequestQuit();
  }
  QMainWindow::closeEvent(event);
}

void TfLexipulse::RequestQuit() {
  _QuitRequested = true;
  QCoreApplication::exit(0);
}

std::u16string TfLexipulse::SourceText() const {
  return BoxText(*mSource, QStringLiteral("\r\n")).toStdU16String();
}

std::u16string TfLexipulse::ResultText() const {
  return BoxText(*mTarget, QStringLiteral("\r\n")).toStdU16String();
}

void TfLexipulse::ClearResult() {
  ForgetShownResult();
  {
    TResultWrite write(*mTarget, _WritingResult);
    mTarget->clear();
  }
  _ResultHasLines = false;
  _ResultEdited = false;
}

std::u16string TfLexipulse::GetCaption() {
  return (_CaptionDirty ? _Caption : windowTitle()).toStdU16String();
}

void TfLexipulse::SetCaption(const std::u16string& text) {
  _Caption = ToQString(text);
  _CaptionDirty = true;
  FlushWhenIdle();
}

void TfLexipulse::SetParagraphProgress(int position, int maximum) {
  _ParagraphPosition = position;
  _ParagraphMaximum = maximum;
  _ParagraphProgressDirty = true;
  FlushWhenIdle();
}

void TfLexipulse::SetWordProgress(int position, int maximum) {
  _WordPosition = position;
  _WordMaximum = maximum;
  _WordProgressDirty = true;
  FlushWhenIdle();
}

void TfLexipulse::PumpEvents() {
  const int pumpIntervalMs = std::min(kPumpIntervalMs, _RefreshIntervalMs);
  if (!_PumpClock.isValid() || _PumpClock.elapsed() >= pumpIntervalMs) {
    if (!_RefreshClock.isValid() || _RefreshClock.elapsed() >= _RefreshIntervalMs) {
      FlushPending(TResultFlush::Budgeted);
    } else {
      // A long result keeps going into the box at every turn, so that it is complete soon.
      FlushResult(TResultFlush::Budgeted);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    _PumpClock.start();
  }
  if (_QuitRequested) {
    throw TRunCancelled();
  }
}

void TfLexipulse::SetStatus(const std::u16string& text) {
  _Status = ToQString(text);
  _StatusDirty = true;
  FlushWhenIdle();
}

void TfLexipulse::ShowWord(const std::u16string& text) {
  _Word = ToQString(text);
  _WordDirty = true;
  FlushWhenIdle();
}

void TfLexipulse::SetResultText(const TResultText& text) {
  _LatestResult = &text;
  _ResultPending = true;
  FlushWhenIdle();
}

void TfLexipulse::AppendResultLine(const std::u16string& text) {
  // The last result of the run goes in first and whole, so the new line lands after it.
  FlushResult(TResultFlush::Whole);
  ForgetShownResult();
  TResultWrite write(*mTarget, _WritingResult);
  QTextCursor cursor(mTarget->document());
  cursor.movePosition(QTextCursor::End);
  if (_ResultHasLines || !mTarget->document()->isEmpty()) {
    cursor.insertBlock();
  }
  cursor.insertText(ToQString(text));
  _ResultHasLines = true;
}

void TfLexipulse::ResetProgress() {
  _WordPosition = 0;
  _ParagraphPosition = 0;
  _WordProgressDirty = true;
  _ParagraphProgressDirty = true;
  FlushWhenIdle();
}

void TfLexipulse::FlushWhenIdle() {
  if (_RunDepth == 0) {
    FlushPending(TResultFlush::Whole);
  }
}

void TfLexipulse::FlushPending(TResultFlush flush) {
  FlushResult(flush);
  if (_WordProgressDirty) {
    pbProcess->setRange(0, _WordMaximum);
    pbProcess->setValue(_WordPosition);
    _WordProgressDirty = false;
  }
  if (_ParagraphProgressDirty) {
    pbParagraphs->setRange(0, _ParagraphMaximum);
    pbParagraphs->setValue(_ParagraphPosition);
    _ParagraphProgressDirty = false;
  }
  if (_StatusDirty) {
    lbStatus->setText(_Status);
    _StatusDirty = false;
  }
  if (_CaptionDirty) {
    setWindowTitle(_Caption);
    _CaptionDirty = false;
  }
  if (_WordDirty) {
    ShowWordFitted(_Word);
    _WordDirty = false;
  }
  _RefreshClock.start();
}

// The box always holds the first paragraphs of the latest result, each as it stands now:
// paragraphs that became final are exchanged in place, and the rest of the result is added
// at the end in pieces, so that no single turn of the event loop writes a whole long text.
void TfLexipulse::FlushResult(TResultFlush flush) {
  if (_LatestResult == nullptr || !_ResultPending) {
    return;
  }
  const TResultText& result = *_LatestResult;
  QElapsedTimer clock;
  clock.start();
  TResultWrite write(*mTarget, _WritingResult);
  const int shownBlocks = std::accumulate(_ShownLines.begin(), _ShownLines.end(), 0);
  const bool sameResult = &result == _ShownResult && !_ResultEdited &&
                          result.ParagraphsDone() >= _ShownDone &&
                          mTarget->document()->blockCount() == shownBlocks;
  if (!sameResult) {
    mTarget->clear();
    _ShownLines.clear();
    _ShownDone = 0;
    _ShownResult = &result;
    _ResultEdited = false;
  }
  ReplaceDoneParagraphs(result);
  do {
    AppendPiece(result);
  } while (_ShownLines.size() < result.ParagraphCount() &&
           (flush == TResultFlush::Whole || clock.elapsed() < _ResultBudgetMs));
  _ResultPending = _ShownLines.size() < result.ParagraphCount();
  _ResultHasLines = true;
}

void TfLexipulse::ForgetShownResult() {
  _LatestResult = nullptr;
  _ResultPending = false;
  _ShownResult = nullptr;
  _ShownLines.clear();
  _ShownDone = 0;
}

// Paragraphs that became final since they were written are exchanged line by line; the rest
// of the box already shows what they are, so a long text costs only what changed.
void TfLexipulse::ReplaceDoneParagraphs(const TResultText& result) {
  const std::size_t done = std::min(result.ParagraphsDone(), _ShownLines.size());
  if (_ShownDone >= done) {
    return;
  }
  QTextDocument& document = *mTarget->document();
  int block = std::accumulate(_ShownLines.begin(),
                              _ShownLines.begin() + static_cast<std::ptrdiff_t>(_ShownDone), 0);
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (std::size_t index = _ShownDone; index < done; ++index) {
    const QString lines =
        ParagraphLines(result.Paragraph(index), index + 1 == result.ParagraphCount());
    const int oldLines = _ShownLines[index];
    const QTextBlock first = document.findBlockByNumber(block);
    if (oldLines == 1 && first.text() == lines) {
      ++block;
      continue;
    }
    const QTextBlock last = document.findBlockByNumber(block + oldLines - 1);
    const int blocksBefore = document.blockCount();
    cursor.setPosition(first.position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(lines);
    _ShownLines[index] = oldLines + document.blockCount() - blocksBefore;
    block += _ShownLines[index];
  }
  cursor.endEditBlock();
  _ShownDone = done;
}

// Adds the next paragraphs of the result after those in the box, about one piece of them.
void TfLexipulse::AppendPiece(const TResultText& result) {
  QTextDocument& document = *mTarget->document();
  QTextCursor cursor(&document);
  cursor.movePosition(QTextCursor::End);
  cursor.beginEditBlock();
  const std::size_t count = result.ParagraphCount();
  std::size_t written = 0;
  for (std::size_t index = _ShownLines.size(); index < count && written < _ResultPiece; ++index) {
    const std::u16string& paragraph = result.Paragraph(index);
    const int blocksBefore = document.blockCount();
    // The empty box has one empty line, which the first paragraph fills.
    if (index > 0) {
      cursor.insertBlock();
    }
    cursor.insertText(ParagraphLines(paragraph, index + 1 == count));
    _ShownLines.push_back(document.blockCount() - blocksBefore + (index == 0 ? 1 : 0));
    written += paragraph.size() + 1;
  }
  cursor.endEditBlock();
  // Every paragraph before these was final or has just been exchanged, so those written
  // final now extend the final ones.
  _ShownDone = std::min(result.ParagraphsDone(), _ShownLines.size());
}

// A long word gets a smaller font rather than being cut off at the edges of the bubble.
void TfLexipulse::ShowWordFitted(const QString& item) {
  // The last item of a line carries the line's CR, which a one-line label would draw.
  QString word = item;
  word.remove(QChar(u'\r'));
  QFont font = cpnlWord->font();
  const qreal room = lbWord->width() - 2.0;
  while (font.pointSizeF() > kSmallestWordFont &&
         QFontMetricsF(font).horizontalAdvance(word) > room) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  lbWord->setFont(font);
  lbWord->setText(word);
}

int RunLexipulse(int& argc, char** argv, const std::function<void(TfLexipulse&)>& onShown) {
  TDictionaryLifetime dictionary;
  QApplication application(argc, argv);
  TfLexipulse window;
  window.show();
  if (onShown) {
    onShown(window);
  }
  return QApplication::exec();
}

}  // namespace lexipulse
