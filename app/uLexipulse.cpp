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
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QSizePolicy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>

#include "app/CalloutPanel.h"
#include "app/Expander.h"
#include "app/SampleText.h"
#include "app/StressSourceText.h"
#include "app/TextBox.h"
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

// kLongestShownWord is the longest item the callout shows whole; a longer one is cut, since
// measuring a word of megabytes to fit it would stall the run.
constexpr qsizetype kLongestShownWord = 60;

// Thrown by PumpEvents when Stress Text was pressed during the run: the run ends there and a
// fresh one starts on the source box as it is then.
struct TRunRestarted {};

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
  createActions();
  createMenus();
  createStatusBar();
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  createExpanders();
  createRightPanel();
  createLayout();
  _Writer = std::make_unique<TResultWriter>(*mTarget);

  // The menu bar sits inside the window here, so it is added to the client height.
  resize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
  FormCreate();
}

TfLexipulse::~TfLexipulse() = default;

// The window's commands. Shortcuts belong to the window, so they work from either text box;
// the boxes keep their standard editing keys, none of which these overlap.
void TfLexipulse::createActions() {
  mnQuit = new QAction(QStringLiteral("Quit"), this);
  mnQuit->setObjectName(QStringLiteral("mnQuit"));
  connect(mnQuit, &QAction::triggered, this, &TfLexipulse::mnQuitClick);

  mnCopy = new QAction(QStringLiteral("Copy Result"), this);
  mnCopy->setObjectName(QStringLiteral("mnCopy"));
  connect(mnCopy, &QAction::triggered, this, &TfLexipulse::btnCopyClick);

  mnCopyright = new QAction(QStringLiteral("About this software..."), this);
  mnCopyright->setObjectName(QStringLiteral("mnCopyright"));
  connect(mnCopyright, &QAction::triggered, this, &TfLexipulse::mnCopyrightClick);

  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &TfLexipulse::btnStressClick);
  }
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this),
          &QShortcut::activated, this, &TfLexipulse::btnCopyClick);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
          &TfLexipulse::mnQuitClick);
}

void TfLexipulse::createMenus() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = MainMenu1->addMenu(QStringLiteral("File"));
  file->addAction(mnQuit);
  QMenu* edit = MainMenu1->addMenu(QStringLiteral("Edit"));
  edit->addAction(mnCopy);
  QMenu* help = MainMenu1->addMenu(QStringLiteral("Help"));
  help->addAction(mnCopyright);
}

// Docking order: the status bar along the bottom, the right panel beside the rest, the
// source expander on top of what is left and the result expander filling the remainder.
void TfLexipulse::createLayout() {
  auto* row = new QHBoxLayout(centralWidget());
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

  setTabOrder(btnStress, btnCopy);
  setTabOrder(btnCopy, mTarget);
  setTabOrder(mTarget, mSource);
  setTabOrder(mSource, spb);
}

void TfLexipulse::createStatusBar() {
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

void TfLexipulse::createRightPanel() {
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

void TfLexipulse::createExpanders() {
  xSource = new Expander(QStringLiteral("Source Text"), centralWidget());
  xSource->setObjectName(QStringLiteral("xSource"));
  xSource->SetExpandedHeight(kSourceExpanderHeight);
  mSource = new TTextBox;
  mSource->setObjectName(QStringLiteral("mSource"));
  mSource->setTabChangesFocus(true);
  mSource->SetText(ToQString(SampleText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  xSource->SetContent(mSource);

  xTarget = new Expander(QStringLiteral("Stressed Result"), centralWidget());
  xTarget->setObjectName(QStringLiteral("xTarget"));
  mTarget = new TTextBox;
  mTarget->setObjectName(QStringLiteral("mTarget"));
  mTarget->setTabChangesFocus(true);
  mTarget->document()->setDocumentMargin(kResultTextMargin);
  xTarget->SetContent(mTarget);

  for (TTextBox* box : {mSource, mTarget}) {
    QFont font = box->font();
    font.setPointSize(kInitialFontSize);
    box->setFont(font);
  }
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

// Stress Text during a run does not start a second run inside the first: the running one ends
// at its next event pump, and a fresh run starts on the source box as it is then.
void TfLexipulse::btnStressClick() {
  if (_QuitRequested) {
    return;
  }
  if (_RunDepth > 0) {
    _RestartRequested = true;
    return;
  }
  const std::u16string idleCaption = GetCaption();
  bool again = true;
  while (again) {
    again = false;
    _RestartRequested = false;
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
        window._Writer->Forget();
        window.FlushPending(TResultWriter::TFlush::Whole);
      }
      TRunScope(const TRunScope&) = delete;
      TRunScope& operator=(const TRunScope&) = delete;
    } scope(*this);
    try {
      StressSourceText(SourceText(), *this);
    } catch (const TRunRestarted&) {
      // The pipeline saves the caption it finds, so the fresh run must find the idle one.
      SetCaption(idleCaption);
      again = true;
    } catch (const TRunCancelled&) {
      // The program is ending; the run stops where it was.
    }
  }
}

void TfLexipulse::btnCopyClick() {
  _Writer->Flush(TResultWriter::TFlush::Whole);
  mTarget->selectAll();
  QGuiApplication::clipboard()->setText(mTarget->Text(QStringLiteral("\n")));
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
  return mSource->Text(QStringLiteral("\r\n")).toStdU16String();
}

std::u16string TfLexipulse::ResultText() const {
  return mTarget->Text(QStringLiteral("\r\n")).toStdU16String();
}

void TfLexipulse::ClearResult() { _Writer->Clear(); }

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
      FlushPending(TResultWriter::TFlush::Budgeted);
    } else {
      // A long result keeps going into the box at every turn, so that it is complete soon.
      _Writer->Flush(TResultWriter::TFlush::Budgeted);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    _PumpClock.start();
  }
  if (_QuitRequested) {
    throw TRunCancelled();
  }
  if (_RestartRequested) {
    throw TRunRestarted();
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
  _Writer->SetLatest(text);
  FlushWhenIdle();
}

void TfLexipulse::AppendResultLine(const std::u16string& text) {
  _Writer->AppendLine(ToQString(text));
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
    FlushPending(TResultWriter::TFlush::Whole);
  }
}

void TfLexipulse::FlushPending(TResultWriter::TFlush flush) {
  _Writer->Flush(flush);
  // A bar whose maximum is 0 shows Qt's busy animation; with nothing to do it stays idle.
  if (_WordProgressDirty) {
    pbProcess->setRange(0, std::max(_WordMaximum, 1));
    pbProcess->setValue(_WordPosition);
    _WordProgressDirty = false;
  }
  if (_ParagraphProgressDirty) {
    pbParagraphs->setRange(0, std::max(_ParagraphMaximum, 1));
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

// A long word gets a smaller font rather than being cut off at the edges of the bubble.
void TfLexipulse::ShowWordFitted(const QString& item) {
  // The last item of a line carries the line's CR, which a one-line label would draw.
  QString word = item;
  word.remove(QChar(u'\r'));
  if (word.size() > kLongestShownWord) {
    qsizetype keep = kLongestShownWord - 1;
    if (word[keep - 1].isHighSurrogate()) {
      --keep;
    }
    word = word.left(keep) + QChar(0x2026);
  }
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
