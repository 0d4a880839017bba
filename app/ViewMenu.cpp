// The View menu and the result's explanations: the tooltip that tells how a result word was
// decided, and the marks under the words that neither a rule nor the dictionary decided.
#include <QAction>
#include <QEvent>
#include <QHelpEvent>
#include <QSettings>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <cstdlib>
#include <optional>

#include "app/Settings.h"
#include "app/StressSourceText.h"
#include "app/uLexipulse.h"
#include "cli/Explain.h"

namespace lexipulse {

namespace {

// TLineMap places one line of a box, which may be held in several blocks, in the document.
struct TLineMap {
  QTextBlock First;
  QString Text;
  // Where each block of the line starts, in the document and in the line.
  std::vector<std::pair<int, int>> Starts;

  int Position(int column) const {
    auto block = Starts.begin();
    for (auto next = Starts.begin(); next != Starts.end() && next->second <= column; ++next) {
      block = next;
    }
    return block->first + column - block->second;
  }
  int Column(int position) const {
    auto block = Starts.begin();
    for (auto next = Starts.begin(); next != Starts.end() && next->first <= position; ++next) {
      block = next;
    }
    return block->second + position - block->first;
  }
};

// MapLine maps the line whose first block is first; the next line starts at the block returned.
TLineMap MapLine(const QTextBlock& first) {
  TLineMap line{first, QString(), {}};
  QTextBlock block = first;
  do {
    line.Starts.emplace_back(block.position(), static_cast<int>(line.Text.size()));
    line.Text += block.text();
    block = block.next();
  } while (block.isValid() && TTextBox::Continues(block));
  line.Text.replace(QChar::LineSeparator, QChar(u'\n'));
  return line;
}

// IsUndecided tells whether a word went through the dictionary and was found by no lookup.
bool IsUndecided(const TExplanation& explanation) {
  if (!explanation.How.starts_with(u"dictionary")) {
    return false;
  }
  QString how = QString::fromStdU16String(explanation.How);
  how.remove(QStringLiteral("not found"));
  return !how.contains(QStringLiteral("found"));
}

// Shown is an item as the result box shows it: the highlight style shows it as typed, its
// stress drawn rather than written; the others as the explanation writes it back.
const std::u16string& Shown(const TExplanation& explanation, TNotationStyle style) {
  return style == TNotationStyle::Highlight ? explanation.Item : explanation.Display;
}

// Joined is the line the explanations give back, or nothing.
QString Joined(const std::vector<TExplanation>& explanations, TNotationStyle style) {
  QString text;
  for (std::size_t i = 0; i < explanations.size(); ++i) {
    if (i > 0) {
      text += QChar(u' ');
    }
    text += QString::fromStdU16String(Shown(explanations[i], style));
  }
  return text;
}

}  // namespace

void TfLexipulse::RememberRun(const std::u16string& source) {
  _RunLines = QString::fromStdU16String(source).split(QStringLiteral("\r\n"));
  if (source.empty()) {
    _RunLines.clear();
  }
}

// The explanations of a line of the latest run, cut as the pipeline cut it: every line but the
// last ends with the CR of its break, which the items then leave out.
std::vector<TExplanation> TfLexipulse::ExplainLine(int line) const {
  if (line < 0 || line >= _RunLines.size()) {
    return {};
  }
  const bool broken = line + 1 < _RunLines.size();
  std::u16string paragraph = _RunLines[line].toStdU16String();
  if (broken) {
    paragraph += u'\r';
  }
  std::vector<TExplanation> explanations = ExplainParagraph(paragraph, _RunOptions);
  if (broken && !explanations.empty()) {
    TExplanation& last = explanations.back();
    last.Item.pop_back();
    if (last.Display.ends_with(u'\r')) {
      last.Display.pop_back();
    }
  }
  return explanations;
}

QString TfLexipulse::WordTip(int position) const {
  QTextBlock first = mTarget->document()->findBlock(position);
  while (first.isValid() && TTextBox::Continues(first) && first.previous().isValid()) {
    first = first.previous();
  }
  int line = 0;
  for (QTextBlock block = mTarget->document()->begin(); block.isValid() && block != first;
       block = block.next()) {
    line += TTextBox::Continues(block.next()) ? 0 : 1;
  }
  const TLineMap map = MapLine(first);
  const std::vector<TExplanation> explanations = ExplainLine(line);
  // A line the user has changed since the run tells nothing about the run.
  if (explanations.empty() || Joined(explanations, _RunOptions.Style) != map.Text) {
    return {};
  }
  const int column = map.Column(position);
  int start = 0;
  for (const TExplanation& explanation : explanations) {
    const int end = start + static_cast<int>(Shown(explanation, _RunOptions.Style).size());
    if (column >= start && column < end) {
      QString tip = QString::fromStdU16String(explanation.Item) + QStringLiteral(" \u2192 ") +
                    QString::fromStdU16String(explanation.Display) + QChar(u'\n') +
                    QString::fromStdU16String(explanation.How);
      if (IsUndecided(explanation)) {
        tip += QStringLiteral("\nnot found: left unmarked");
      }
      return tip;
    }
    start = end + 1;
  }
  return {};
}

bool TfLexipulse::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mTarget->viewport() && event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QTextCursor cursor = mTarget->cursorForPosition(help->pos());
    // Beyond the end of a line the nearest position is no word under the pointer.
    const bool near = std::abs(mTarget->cursorRect(cursor).center().x() - help->pos().x()) <=
                      mTarget->fontMetrics().averageCharWidth() * 2;
    const QString tip = near ? WordTip(cursor.position()) : QString();
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, mTarget);
    }
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfLexipulse::mnMarkUnknownClick() {
  QSettings().setValue(QLatin1String(kMarkUnknownKey), mnMarkUnknown->isChecked());
  UpdateUnknownMarks();
}

// The marks are extra selections: they change how the box draws the words, never its text.
void TfLexipulse::UpdateUnknownMarks() {
  QList<QTextEdit::ExtraSelection> marks;
  if (mnMarkUnknown->isChecked()) {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(QColor(0xd0, 0x10, 0x10));
    int line = 0;
    for (QTextBlock first = mTarget->document()->begin();
         first.isValid() && line < _RunLines.size(); ++line) {
      const TLineMap map = MapLine(first);
      first = map.Starts.size() > 0 ? mTarget->document()->findBlock(map.Starts.back().first).next()
                                    : first.next();
      const std::vector<TExplanation> explanations = ExplainLine(line);
      if (Joined(explanations, _RunOptions.Style) != map.Text) {
        continue;
      }
      int start = 0;
      for (const TExplanation& explanation : explanations) {
        const std::u16string& shown = Shown(explanation, _RunOptions.Style);
        if (IsUndecided(explanation)) {
          if (const std::optional<TWordRun> run = FindWordRun(shown)) {
            const int from = start + static_cast<int>(run->Left.size());
            QTextEdit::ExtraSelection mark;
            mark.format = format;
            mark.cursor = QTextCursor(mTarget->document());
            mark.cursor.setPosition(map.Position(from));
            mark.cursor.setPosition(map.Position(from + static_cast<int>(run->Run.size())),
                                    QTextCursor::KeepAnchor);
            marks.append(mark);
          }
        }
        start += static_cast<int>(shown.size()) + 1;
      }
    }
  }
  mTarget->setExtraSelections(marks);
}

}  // namespace lexipulse
