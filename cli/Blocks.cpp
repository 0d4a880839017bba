#include "cli/Blocks.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Delimited.h"
#include "app/StressSourceText.h"
#include "cli/ConsoleHost.h"
#include "engine/uStressRules.h"
#include "pattern/CaseMapping.h"
#include "pattern/Utf.h"

namespace lexipulse {

namespace {

constexpr char kSpace = ' ';
// An item longer than this (and than a block) is converted around its first word run only.
constexpr std::size_t kHugeItemBytes = 256;
// The bytes kept on either side of a huge item's first word run: at least eight characters,
// so the neighbourhood is a long item as the item is.
constexpr std::size_t kNeighbourhoodBytes = 32;
// Lowercased text is written in pieces of this size.
constexpr std::size_t kWriteBytes = std::size_t{1} << 16;

std::u16string JoinWithCrLf(const std::vector<std::u16string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) {
    size += line.size() + 2;
  }
  std::u16string text;
  text.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      text += u"\r\n";
    }
    text += lines[i];
  }
  return text;
}

// TRun is one worker's state: the blocks it stresses share the forms they have stressed.
struct TRun {
  TStressOptions Options;
  std::size_t BlockBytes;
  TProgressBar* Progress;
  std::int64_t Words = 0;
  std::function<void(std::string_view)> Write;
  TStressCache Cache = {};
};

// StressLines stresses whole lines of UTF-8 text and returns them as UTF-8. The pipeline gets
// the lines joined with CR LF, as the window hands them over, and each line gets its own break
// back.
std::string StressLines(std::string_view bytes, TRun& run) {
  if (bytes.empty()) {
    return {};
  }
  std::vector<std::u16string> breaks;
  const std::vector<std::u16string> lines = SplitLines(Utf8ToUtf16(bytes), &breaks);
  TConsoleHost host(breaks, run.Progress, run.Words);
  // The console draws the highlight style as HTML.
  host.SetHtml(run.Options.Style == TNotationStyle::Highlight);
  StressSourceText(JoinWithCrLf(lines), host, run.Options, &run.Cache);
  run.Words += host.Words();
  return host.Output();
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void LowerAscii(std::string& bytes, std::size_t from) {
  for (std::size_t i = from; i < bytes.size(); ++i) {
    if (bytes[i] >= 'A' && bytes[i] <= 'Z') bytes[i] = static_cast<char>(bytes[i] - 'A' + 'a');
  }
}

// IsLongItem tells whether an item has more than kShortItemLength UTF-16 code units: one per
// character, two for a character of four bytes, and the extra units the pipeline sees with it.
bool IsLongItem(std::string_view item, std::size_t extraUnits) {
  std::size_t units = extraUnits;
  if (units > kShortItemLength) return true;
  for (const char c : item) {
    if (!IsContinuation(c)) {
      units += static_cast<unsigned char>(c) >= 0xF0 ? 2 : 1;
      if (units > kShortItemLength) return true;
    }
  }
  return false;
}

// LastLongItemEnd is the end of the last long item of a line, or 0 when it has none. The last
// item of a line that a break ends is one unit longer to the pipeline: it carries the CR of the
// CR LF join.
std::size_t LastLongItemEnd(std::string_view line, bool broken) {
  std::size_t last = 0;
  for (std::size_t start = 0;;) {
    const std::size_t space = line.find(kSpace, start);
    const std::size_t end = space == std::string_view::npos ? line.size() : space;
    const std::size_t extra = broken && end == line.size() ? 1 : 0;
    if (IsLongItem(line.substr(start, end - start), extra)) last = end;
    if (end == line.size()) return last;
    start = end + 1;
  }
}

void WriteLowered(std::string_view bytes, TRun& run) {
  for (std::size_t start = 0; start < bytes.size(); start += kWriteBytes) {
    std::string piece(bytes.substr(start, kWriteBytes));
    LowerAscii(piece, 0);
    run.Write(piece);
  }
}

// StressHugeItem writes what the pipeline makes of one long item: lowercased, with its first
// run of word characters (ASCII, as the pattern's \w) stressed. Only the run's neighbourhood
// goes through the pipeline, so the item is never copied whole.
void StressHugeItem(std::string_view item, TRun& run) {
  ++run.Words;
  const auto runStart = std::ranges::find_if(item, IsWordByte);
  const auto runEnd = std::find_if_not(runStart, item.end(), IsWordByte);
  if (runStart == item.end() || static_cast<std::size_t>(runEnd - runStart) > kLongestWord) {
    WriteLowered(item, run);
    return;
  }
  std::size_t left = static_cast<std::size_t>(runStart - item.begin());
  left = left > kNeighbourhoodBytes ? left - kNeighbourhoodBytes : 0;
  while (left > 0 && IsContinuation(item[left])) --left;
  std::size_t right =
      std::min(item.size(), static_cast<std::size_t>(runEnd - item.begin()) + kNeighbourhoodBytes);
  while (right < item.size() && IsContinuation(item[right])) ++right;
  WriteLowered(item.substr(0, left), run);
  const std::u16string neighbourhood = AsciiLowerCase(Utf8ToUtf16(item.substr(left, right - left)));
  run.Write(Utf16ToUtf8(StressedItem(neighbourhood, run.Options)));
  WriteLowered(item.substr(right), run);
}

// PieceEnd is where the piece of a long line that starts at start ends: at the last space
// within a block's length, or at the first space after it when the item there is longer.
std::size_t PieceEnd(std::string_view line, std::size_t start, std::size_t blockBytes) {
  const std::size_t limit = start + blockBytes;
  if (limit >= line.size()) return line.size();
  const std::size_t before = line.rfind(kSpace, limit);
  if (before != std::string_view::npos && before > start) return before;
  const std::size_t after = line.find(kSpace, limit);
  return after == std::string_view::npos ? line.size() : after;
}

// StressLongLine stresses a line longer than a block, followed by its break (which may be
// empty), in pieces cut at spaces. A piece's short items after its last long item are
// lowercased when a long item follows later in the line, as the pipeline does over the whole
// line; the last piece goes to the pipeline with the break, as the whole line would.
void StressLongLine(std::string_view line, std::string_view lineBreak, TRun& run) {
  const std::size_t lastLong = LastLongItemEnd(line, !lineBreak.empty());
  for (std::size_t start = 0;;) {
    const std::size_t end = PieceEnd(line, start, run.BlockBytes);
    const std::string_view piece = line.substr(start, end - start);
    const bool last = end == line.size();
    // The other styles keep the text as typed (and the highlight style escapes it as HTML), so
    // only the classic style lowercases pieces or writes a huge item's text itself.
    const bool classic = run.Options.Style == TNotationStyle::Classic;
    if (classic && piece.size() > std::max(run.BlockBytes, kHugeItemBytes) &&
        piece.find(kSpace) == std::string_view::npos) {
      StressHugeItem(piece, run);
      if (last) run.Write(lineBreak);
    } else if (last) {
      run.Write(StressLines(std::string(piece) + std::string(lineBreak), run));
    } else {
      std::string stressed = StressLines(piece, run);
      if (classic && end < lastLong) {
        // The pipeline left the short items after the piece's last long item as typed.
        LowerAscii(stressed, stressed.size() - (piece.size() - LastLongItemEnd(piece, false)));
      }
      run.Write(stressed);
    }
    if (last) return;
    run.Write(std::string_view(&kSpace, 1));
    start = end + 1;
  }
}

// LongestLine is the length of the longest line of text, breaks left out.
std::size_t LongestLine(std::string_view text) {
  std::size_t longest = 0;
  for (std::size_t start = 0; start < text.size();) {
    const TLineBreak found = FindLineBreak(text, start);
    longest = std::max(longest, found.Position - start);
    start = found.Position + found.Length;
  }
  return longest;
}

// StressBlock stresses a block of whole lines: runs of short lines together, each long line
// on its own.
void StressBlock(std::string_view text, TRun& run) {
  std::size_t groupStart = 0;
  for (std::size_t start = 0; start < text.size();) {
    const TLineBreak found = FindLineBreak(text, start);
    const std::size_t next = found.Position + found.Length;
    if (found.Position - start > run.BlockBytes) {
      run.Write(StressLines(text.substr(groupStart, start - groupStart), run));
      StressLongLine(text.substr(start, found.Position - start),
                     text.substr(found.Position, found.Length), run);
      groupStart = next;
    } else if (next - groupStart >= run.BlockBytes) {
      run.Write(StressLines(text.substr(groupStart, next - groupStart), run));
      groupStart = next;
    }
    start = next;
  }
  run.Write(StressLines(text.substr(groupStart), run));
}

}  // namespace

void StressInBlocks(const TNextBlock& next, TStressOptions options, std::size_t blockBytes,
                    std::size_t threads, TProgressBar* progress,
                    const std::function<void(std::string_view)>& write) {
  blockBytes = std::max<std::size_t>(blockBytes, 1);
  threads = std::max<std::size_t>(threads, 1);
  TRun serial{options, blockBytes, progress, 0, write};
  // Workers other than the calling thread write into buffers, emptied in the order of the text.
  std::vector<std::unique_ptr<TRun>> workers;
  std::vector<std::string> outputs(threads);
  for (std::size_t w = 1; w < threads; ++w) {
    workers.push_back(std::make_unique<TRun>(
        TRun{options, blockBytes, nullptr, 0,
             [&outputs, w](std::string_view bytes) { outputs[w].append(bytes); }}));
  }
  std::vector<std::string> batch;
  std::string longBlock;
  // The word items done so far, the start of the progress of the next block.
  std::int64_t done = 0;
  const auto stressAlone = [&serial, &done](const std::string& block) {
    serial.Words = done;
    StressBlock(block, serial);
    done = serial.Words;
  };
  for (bool more = true; more;) {
    // A batch is up to one block of short lines per thread; a block holding a line longer than
    // a block ends it and is stressed on its own, written as it goes, so its memory stays that
    // of the line.
    batch.clear();
    longBlock.clear();
    while (batch.size() < threads) {
      std::string block;
      if (!next(block)) {
        more = false;
        break;
      }
      if (LongestLine(block) > blockBytes) {
        longBlock = std::move(block);
        break;
      }
      batch.push_back(std::move(block));
    }
    if (batch.size() == 1) {
      stressAlone(batch[0]);
    } else if (batch.size() > 1) {
      std::vector<std::exception_ptr> failures(batch.size());
      {
        std::vector<std::jthread> running;
        for (std::size_t b = 1; b < batch.size(); ++b) {
          outputs[b].clear();
          workers[b - 1]->Words = 0;
          running.emplace_back([&batch, &workers, &failures, b] {
            try {
              StressBlock(batch[b], *workers[b - 1]);
            } catch (...) {
              failures[b] = std::current_exception();
            }
          });
        }
        stressAlone(batch[0]);
      }
      for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
      }
      for (std::size_t b = 1; b < batch.size(); ++b) {
        write(outputs[b]);
        done += workers[b - 1]->Words;
      }
      if (progress != nullptr) progress->Update(done);
    }
    if (!longBlock.empty()) {
      stressAlone(longBlock);
    }
  }
}

TNextBlock BlocksOf(std::string_view text) {
  return [text, done = false](std::string& block) mutable {
    if (done || text.empty()) return false;
    block.assign(text);
    done = true;
    return true;
  };
}

std::int64_t CountWordItems(std::string_view text) {
  return static_cast<std::int64_t>(std::ranges::count(text, ' ') + std::ranges::count(text, '\n') +
                                   1);
}

}  // namespace lexipulse
