#include "app/uLexipulse.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <QSizePolicy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "app/CalloutPanel.h"
#include "app/Expander.h"
#include "app/SampleText.h"
#include "app/Settings.h"
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
constexpr int kSmallestSourceHeight = 60;
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

// Thrown by PumpEvents after Stop: the run ends there, the result keeping the lines done.
struct TRunStopped {};

// The whole text's progress tells the time left once a run has taken this long.
constexpr qint64 kTimeLeftAfterMs = 2000;

// WordItems counts the word items of a source text as the pipeline visits them: each line a
// break ends is one more item than its spaces, and so is a last line that is not empty.
qint64 WordItems(const std::u16string& text) {
  if (text.empty()) {
    return 0;
  }
  qint64 items =
      std::count(text.begin(), text.end(), u' ') + std::count(text.begin(), text.end(), u'\n');
  if (text.back() != u'\n') {
    ++items;
  }
  return items;
}

// CheckChoice checks the action of group remembered by value, or the first one when none is.
void CheckChoice(QActionGroup& group, const QString& value) {
  const QList<QAction*> items = group.actions();
  const auto chosen = std::find_if(items.begin(), items.end(),
                                   [&value](QAction* item) { return item->data() == value; });
  (chosen != items.end() ? *chosen : items.front())->setChecked(true);
}

// RunNotes are the choices of a run that its status names, each differing from the design.
QStringList RunNotes(const TStressOptions& options) {
  QStringList notes;
  if (options.Order == TStressingOrder::DictionaryFirst) {
    notes.append(QStringLiteral("dictionary first"));
  }
  if (options.Style == TNotationStyle::Accents) {
    notes.append(QStringLiteral("accents"));
  } else if (options.Style == TNotationStyle::Highlight) {
    notes.append(QStringLiteral("highlight"));
  }
  if (options.Secondary == TSecondaryStress::BeforePrimary) {
    notes.append(QStringLiteral("secondary stress"));
  } else if (options.Secondary == TSecondaryStress::All) {
    notes.append(QStringLiteral("all secondary stress"));
  }
  if (options.Variant == TVariant::British) {
    notes.append(QStringLiteral("British"));
  }
  return notes;
}

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
  setAcceptDrops(true);
  connect(mSource, &TTextBox::FilesDropped, this,
          [this](const QStringList& paths) { OpenFile(paths.front()); });
  connect(mTarget, &TTextBox::FilesDropped, this,
          [this](const QStringList& paths) { OpenFile(paths.front()); });
  mTarget->viewport()->installEventFilter(this);

  // The menu bar sits inside the window here, so it is added to the client height.
  resize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
  FormCreate();
  loadSettings();
}

TfLexipulse::~TfLexipulse() = default;

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

  // The whole text's progress and Stop, below the buttons, seen only while a run is on.
  pbTotal = new QProgressBar(pnlRight);
  pbTotal->setObjectName(QStringLiteral("pbTotal"));
  pbTotal->setTextVisible(false);
  pbTotal->setRange(0, 1);
  pbTotal->setValue(0);
  pbTotal->setGeometry(7, 240, 105, 15);
  lbTotal = new QLabel(pnlRight);
  lbTotal->setObjectName(QStringLiteral("lbTotal"));
  lbTotal->setTextFormat(Qt::PlainText);
  lbTotal->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lbTotal->setWordWrap(true);
  lbTotal->setGeometry(4, 258, 111, 44);
  btnStop = new QPushButton(QStringLiteral("Stop"), pnlRight);
  btnStop->setObjectName(QStringLiteral("btnStop"));
  btnStop->setGeometry(8, 304, 100, 23);
  btnStop->setToolTip(QStringLiteral("Stop the run (Esc); the result keeps the lines done"));
  connect(btnStop, &QPushButton::clicked, this, &TfLexipulse::mnStopClick);
  for (QWidget* widget : std::initializer_list<QWidget*>{pbTotal, lbTotal, btnStop}) {
    widget->hide();
  }

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
  // The margin below the source box is the handle between the two boxes.
  xSource->SetResizable(true, kSmallestSourceHeight);
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
  connect(xSource, &Expander::ExpandedChanged, this,
          [](bool expanded) { QSettings().setValue(QLatin1String(kSourceExpandedKey), expanded); });
  connect(xSource, &Expander::ExpandedHeightChanged, this,
          [](int height) { QSettings().setValue(QLatin1String(kSourceHeightKey), height); });
  connect(xTarget, &Expander::ExpandedChanged, this,
          [](bool expanded) { QSettings().setValue(QLatin1String(kResultExpandedKey), expanded); });
}

void TfLexipulse::FormCreate() {
  mSource->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  mTarget->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  btnStress->setFocus();
  FormResize();
}

void TfLexipulse::FormResize() {}

// Takes what the settings hold; a choice without a setting takes its first-start value, so
// with no settings at all the window stays as it was built.
void TfLexipulse::loadSettings() {
  QSettings settings;
  if (!settings.contains(QLatin1String(kGeometryKey)) ||
      !restoreGeometry(settings.value(QLatin1String(kGeometryKey)).toByteArray())) {
    resize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
  }
  spb->setValue(settings.value(QLatin1String(kFontSizeKey), kInitialFontSize).toInt());
  const bool dictionaryFirst =
      settings.value(QLatin1String(kOrderKey)).toString() == QLatin1String(kDictionaryFirst);
  (dictionaryFirst ? mnDictionaryFirst : mnRulesFirst)->setChecked(true);
  for (const auto& [group, key] :
       {std::pair{_VariantGroup, kVariantKey}, std::pair{_StyleGroup, kStyleKey},
        std::pair{_SecondaryGroup, kSecondaryKey}}) {
    CheckChoice(*group, settings.value(QLatin1String(key)).toString());
  }
  mnMarkUnknown->setChecked(settings.value(QLatin1String(kMarkUnknownKey), false).toBool());
  UpdateUnknownMarks();
  xSource->SetExpandedHeight(
      std::max(kSmallestSourceHeight,
               settings.value(QLatin1String(kSourceHeightKey), kSourceExpanderHeight).toInt()));
  xSource->SetExpanded(settings.value(QLatin1String(kSourceExpandedKey), true).toBool());
  xTarget->SetExpanded(settings.value(QLatin1String(kResultExpandedKey), true).toBool());
  RebuildRecentMenu();
}

// Brings back the first start: every setting is removed and every choice takes its
// first-start value; the texts in the boxes stay.
void TfLexipulse::mnResetSettingsClick() {
  QSettings().clear();
  loadSettings();
  QSettings().clear();
}

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
    _StopRequested = false;
    const std::u16string source = SourceText();
    const TStressOptions options = Options();
    _RunLines.clear();
    _WordsTotal = WordItems(source);
    _WordsDone = 0;
    _RunClock.start();
    _ResultStyle = options.Style;
    _Writer->SetHighlight(options.Style == TNotationStyle::Highlight);
    // Leaves the window consistent however the run ends: no pointer into the run's lists
    // survives it, and what was recorded last reaches the controls.
    struct TRunScope {
      TfLexipulse& window;
      explicit TRunScope(TfLexipulse& w) : window(w) {
        ++window._RunDepth;
        window._PumpClock.invalidate();
        window.mnStop->setEnabled(true);
        for (QWidget* widget :
             {static_cast<QWidget*>(window.pbTotal), static_cast<QWidget*>(window.lbTotal),
              static_cast<QWidget*>(window.btnStop)}) {
          widget->show();
        }
      }
      ~TRunScope() {
        --window._RunDepth;
        window._Writer->Forget();
        window.FlushPending(TResultWriter::TFlush::Whole);
        window.mnStop->setEnabled(false);
        for (QWidget* widget :
             {static_cast<QWidget*>(window.pbTotal), static_cast<QWidget*>(window.lbTotal),
              static_cast<QWidget*>(window.btnStop)}) {
          widget->hide();
        }
      }
      TRunScope(const TRunScope&) = delete;
      TRunScope& operator=(const TRunScope&) = delete;
    } scope(*this);
    try {
      StressSourceText(source, *this, options);
      RememberRun(source);
      _RunOptions = options;
      // The status names the choices by which the result differs from the designed one.
      const QStringList notes = RunNotes(options);
      if (!notes.isEmpty() && _Status.endsWith(QChar(u'.'))) {
        _Status = _Status.chopped(1) + QStringLiteral(", ") + notes.join(QStringLiteral(", ")) +
                  QChar(u'.');
        _StatusDirty = true;
      }
    } catch (const TRunRestarted&) {
      // The pipeline saves the caption it finds, so the fresh run must find the idle one.
      SetCaption(idleCaption);
      again = true;
    } catch (const TRunStopped&) {
      _RunOptions = options;
      RememberRun(source);
      EndStoppedRun(idleCaption);
    } catch (const TRunCancelled&) {
      // The program is ending; the run stops where it was.
    }
  }
  UpdateUnknownMarks();
}

// What the end of a run would have done, with a status that tells where it stopped.
void TfLexipulse::EndStoppedRun(const std::u16string& idleCaption) {
  SetCaption(idleCaption);
  ShowWord(u"");
  ResetProgress();
  _Status = QStringLiteral("Stopped after %1 of %2 words; the result holds the lines done.")
                .arg(_WordsDone)
                .arg(_WordsTotal);
  _StatusDirty = true;
}

// An empty result leaves the clipboard as it was, rather than emptying it.
void TfLexipulse::btnCopyClick() {
  _Writer->Flush(TResultWriter::TFlush::Whole);
  mTarget->selectAll();
  const QString text = mTarget->Text(QStringLiteral("\n"));
  if (!text.isEmpty()) {
    QGuiApplication::clipboard()->setText(text);
  }
}

void TfLexipulse::spbChange(int value) {
  QSettings().setValue(QLatin1String(kFontSizeKey), value);
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
  QSettings().setValue(QLatin1String(kGeometryKey), saveGeometry());
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

void TfLexipulse::ClearResult() {
  mTarget->setExtraSelections({});
  _Writer->Clear();
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
  // The pipeline tells the word bar once for every word item it visits.
  ++_WordsDone;
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
  if (_StopRequested) {
    _Writer->KeepDone();
    throw TRunStopped();
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
  if (_RunDepth > 0) {
    ShowTotalProgress();
  }
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

// Words done of all, and on a long run the time left at the pace so far.
void TfLexipulse::ShowTotalProgress() {
  const int scale = 1000;
  pbTotal->setRange(0, scale);
  pbTotal->setValue(_WordsTotal > 0 ? static_cast<int>(_WordsDone * scale / _WordsTotal) : 0);
  QString text = QStringLiteral("%1 of %2 words").arg(_WordsDone).arg(_WordsTotal);
  const qint64 elapsed = _RunClock.elapsed();
  if (elapsed >= kTimeLeftAfterMs && _WordsDone > 0 && _WordsDone < _WordsTotal) {
    const qint64 leftSeconds = (elapsed * (_WordsTotal - _WordsDone) / _WordsDone + 999) / 1000;
    text += leftSeconds >= 120 ? QStringLiteral(", %1 min left").arg((leftSeconds + 59) / 60)
                               : QStringLiteral(", %1 s left").arg(leftSeconds);
  }
  lbTotal->setText(text);
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

void SetApplicationNames() {
  QCoreApplication::setOrganizationName(QStringLiteral("Lexipulse"));
  QCoreApplication::setApplicationName(QStringLiteral("lexipulse"));
}

int RunLexipulse(int& argc, char** argv, const std::function<void(TfLexipulse&)>& onShown,
                 bool resetSettings) {
  TDictionaryLifetime dictionary;
  SetApplicationNames();
  QApplication application(argc, argv);
  if (resetSettings) {
    QSettings().clear();
  }
  TfLexipulse window;
  window.show();
  if (onShown) {
    onShown(window);
  }
  return QApplication::exec();
}

}  // namespace lexipulse
