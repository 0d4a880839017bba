#pragma once

#include <QMetaObject>
#include <QString>
#include <cstddef>
#include <vector>

#include "app/StressHost.h"

class QPlainTextEdit;

namespace lexipulse {

// TResultWriter puts the results of a run into the result box. The box always holds the first
// paragraphs of the latest result, each as it stands now: paragraphs that became final are
// exchanged in place, and the rest is added at the end in pieces, so that no single turn of the
// event loop writes a whole long text. Its own writes never count as the user's edits.
class TResultWriter {
 public:
  static constexpr std::size_t kDefaultPiece = 16 * 1024;
  static constexpr int kDefaultBudgetMs = 10;

  // How much of a pending result a flush writes: what fits in the budget, or all of it.
  enum class TFlush { Budgeted, Whole };

  explicit TResultWriter(QPlainTextEdit& box);
  ~TResultWriter();
  TResultWriter(const TResultWriter&) = delete;
  TResultWriter& operator=(const TResultWriter&) = delete;

  // SetPieces sets how a long result goes in: in pieces of about codeUnits, as many per flush
  // as fit in budgetMs, at least one.
  void SetPieces(std::size_t codeUnits, int budgetMs) {
    _Piece = codeUnits;
    _BudgetMs = budgetMs;
  }

  // SetHighlight tells whether the paragraphs written final from now on are drawn with their
  // stressed letters highlighted (the highlight style); the text is the same either way.
  void SetHighlight(bool highlight) { _Highlight = highlight; }

  // Clear empties the box (no lines) and forgets any result. From then on, until the next
  // Clear, each write scrolls the box back to its first line unless the user has scrolled it.
  void Clear();
  // SetLatest records the latest result of the running pipeline; text must stay valid until
  // Forget, Clear or AppendLine.
  void SetLatest(const TResultText& text);
  bool Pending() const { return _LatestResult != nullptr && _Pending; }
  // Flush writes what the box lags behind the latest result.
  void Flush(TFlush flush);
  // Forget drops every pointer into the run's result; the box keeps what it shows.
  void Forget();
  // KeepDone writes the latest result whole, then leaves in the box only its paragraphs done,
  // and forgets it.
  void KeepDone();
  // AppendLine writes the latest result whole, then adds one line after its last line.
  void AppendLine(const QString& text);

 private:
  friend class TResultWrite;

  void ReplaceDoneParagraphs(const TResultText& result);
  void AppendPiece(const TResultText& result);
  // DrawLetters highlights the letters of paragraph index, held in blocks from firstBlock on.
  void DrawLetters(const TResultText& result, std::size_t index, int firstBlock, int blocks);

  QPlainTextEdit& _Box;
  QMetaObject::Connection _EditWatch;
  QMetaObject::Connection _ScrollWatch;
  // The latest result handed over, and whether the box still lags behind it; valid only
  // while its run is on.
  const TResultText* _LatestResult = nullptr;
  bool _Pending = false;
  // The result the box holds the first paragraphs of, only compared, never read, since its
  // run may be over; how many lines each of those paragraphs takes in the box; and how many
  // of them were final when written.
  const TResultText* _ShownResult = nullptr;
  std::vector<int> _ShownLines;
  std::size_t _ShownDone = 0;
  std::size_t _Piece = kDefaultPiece;
  int _BudgetMs = kDefaultBudgetMs;
  bool _Highlight = false;
  bool _HasLines = false;
  bool _Edited = false;
  bool _Writing = false;
  bool _UserScrolled = false;
};

}  // namespace lexipulse
