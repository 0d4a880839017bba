#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <string>
#include <vector>

#include "app/TextBox.h"

namespace lexipulse {
namespace {

QString Repeated(const QString& piece, qsizetype size) {
  QString text;
  while (text.size() < size) {
    text += piece;
  }
  return text.left(size);
}

struct TLongText {
  const char* name;
  QString text;
};

// Lines around and far beyond the piece size, with and without spaces, a surrogate pair on
// every possible cut, empty lines and no-break spaces.
std::vector<TLongText> LongTexts() {
  const qsizetype chunk = TTextBox::kChunk;
  return {
      {"short lines", QStringLiteral("one\n\ntwo \u00A0three\n")},
      {"line of exactly one piece", Repeated(QStringLiteral("a"), chunk)},
      {"one unbroken word", Repeated(QStringLiteral("a"), 10 * chunk + 7)},
      {"prose on one line",
       Repeated(QStringLiteral("the photographer agreed "), 5 * chunk) + QStringLiteral("\nend")},
      {"surrogate pairs on every cut", Repeated(QString::fromUtf16(u"\U0001F600"), 3 * chunk + 1)},
      {"surrogate pair after an odd start",
       QStringLiteral("x") + Repeated(QString::fromUtf16(u"\U0001F600"), 3 * chunk)},
      {"long lines between empty ones",
       QStringLiteral("\n") + Repeated(QStringLiteral("ab"), 2 * chunk + 1) +
           QStringLiteral("\n\n") + Repeated(QStringLiteral("c d"), 3 * chunk) +
           QStringLiteral("\n")},
  };
}

TEST(TTextBoxTest, LongLinesComeBackWholeFromTheirPieces) {
  TTextBox box;
  for (const TLongText& c : LongTexts()) {
    SCOPED_TRACE(c.name);
    box.SetText(c.text);
    EXPECT_EQ(box.Text(QStringLiteral("\n")), c.text);
    EXPECT_EQ(box.Text(QStringLiteral("\r\n")),
              QString(c.text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
    const qsizetype lines = c.text.count(QChar(u'\n')) + 1;
    int longest = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
      longest = std::max(longest, block.length() - 1);
    }
    EXPECT_LE(longest, TTextBox::kChunk) << "no block longer than a piece";
    if (c.text.size() > 2 * TTextBox::kChunk) {
      EXPECT_GT(box.blockCount(), lines) << "long lines are held in pieces";
    }
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
      const QString text = block.text();
      ASSERT_FALSE(!text.isEmpty() && text.back().isHighSurrogate() && block.next().isValid() &&
                   TTextBox::Continues(block.next()))
          << "a surrogate pair is cut at block " << block.blockNumber();
    }
  }
}

// Editing across the pieces: a Return typed inside a piece is a line break where it is typed,
// a deletion across breaks keeps those it does not take, a paste puts long text in pieces as
// well, and a copy joins the pieces of what it selects.
TEST(TTextBoxTest, EditsAndCopiesAcrossPiecesKeepTheText) {
  const QString word = Repeated(QStringLiteral("abcdefg"), 3 * TTextBox::kChunk);
  TTextBox box;
  box.show();
  for (const int at :
       {1, static_cast<int>(TTextBox::kChunk), static_cast<int>(TTextBox::kChunk) + 1,
        static_cast<int>(2 * TTextBox::kChunk + 5)}) {
    SCOPED_TRACE("Return at " + std::to_string(at));
    box.SetText(word);
    // A caret on a piece's start is where the user sees it: after the last letter before it.
    QTextCursor cursor(box.document());
    cursor.setPosition(at + static_cast<int>(at / TTextBox::kChunk) -
                       (at % TTextBox::kChunk == 0 ? 1 : 0));
    box.setTextCursor(cursor);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.Text(QStringLiteral("\n")), word.left(at) + QChar(u'\n') + word.mid(at));
  }

  const QString lines = QStringLiteral("first\n") + word + QStringLiteral("\nlast");
  const int chunk = static_cast<int>(TTextBox::kChunk);
  struct TDeletion {
    const char* name;
    int from;
    int to;
  };
  // Positions in the document: the first line takes 6, each piece of the word one more.
  for (const TDeletion& d :
       {TDeletion{"from the first line into the second piece", 3, 6 + chunk + 10},
        TDeletion{"from the first piece into the second", 10, 6 + chunk + 10},
        TDeletion{"from the last piece into the last line", 6 + 2 * (chunk + 1) + 5,
                  6 + static_cast<int>(word.size()) + 2 + 2}}) {
    SCOPED_TRACE(d.name);
    box.SetText(lines);
    QTextCursor cursor(box.document());
    cursor.setPosition(d.from);
    cursor.setPosition(d.to, QTextCursor::KeepAnchor);
    const QString selected = box.TextBetween(d.from, d.to);
    const QString before = box.TextBetween(0, d.from);
    const QString after = box.TextBetween(d.to, box.document()->characterCount() - 1);
    ASSERT_EQ(before + selected + after, lines);
    cursor.removeSelectedText();
    EXPECT_EQ(box.Text(QStringLiteral("\n")), before + after);
  }

  box.SetText(QStringLiteral("start "));
  QTextCursor end(box.document());
  end.movePosition(QTextCursor::End);
  box.setTextCursor(end);
  QGuiApplication::clipboard()->setText(word + QStringLiteral("\r\nnext"));
  box.paste();
  EXPECT_EQ(box.Text(QStringLiteral("\n")),
            QStringLiteral("start ") + word + QStringLiteral("\nnext"));
  EXPECT_GT(box.blockCount(), 2);

  box.SetText(word + QStringLiteral("\nnext \u00A0line"));
  box.selectAll();
  box.copy();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), word + QStringLiteral("\nnext \u00A0line"));
  QTextCursor part(box.document());
  part.setPosition(10);
  part.setPosition(static_cast<int>(2 * TTextBox::kChunk), QTextCursor::KeepAnchor);
  box.setTextCursor(part);
  box.copy();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), word.mid(10, 2 * TTextBox::kChunk - 10 - 1));
}

// Keys at the edge of a piece act as anywhere in a line: Backspace and Delete take one
// character, an arrow moves one character, never a keystroke spent on the hidden break.
TEST(TTextBoxTest, KeysAtAPieceEdgeActOnTheNextCharacter) {
  const QString word = Repeated(QStringLiteral("abcdefghij"), 2 * TTextBox::kChunk);
  const int chunk = static_cast<int>(TTextBox::kChunk);
  TTextBox box;
  box.show();
  // The logical position of the caret: the characters of the line before it.
  const auto caret = [&box] { return box.TextBetween(0, box.textCursor().position()).size(); };
  struct TCase {
    const char* name;
    Qt::Key key;
    bool atPieceStart;
    QString text;
    qsizetype caretAfter;
  };
  for (const TCase& c : {
           TCase{"Backspace at a piece's start", Qt::Key_Backspace, true,
                 word.left(chunk - 1) + word.mid(chunk), chunk - 1},
           TCase{"Delete at a piece's end", Qt::Key_Delete, false,
                 word.left(chunk) + word.mid(chunk + 1), chunk},
           TCase{"Left at a piece's start", Qt::Key_Left, true, word, chunk - 1},
           TCase{"Right at a piece's end", Qt::Key_Right, false, word, chunk + 1},
       }) {
    SCOPED_TRACE(c.name);
    box.SetText(word);
    QTextCursor cursor(box.document());
    cursor.setPosition(c.atPieceStart ? chunk + 1 : chunk);
    box.setTextCursor(cursor);
    ASSERT_EQ(caret(), chunk);
    QTest::keyClick(&box, c.key);
    EXPECT_EQ(box.Text(QStringLiteral("\n")), c.text);
    EXPECT_EQ(caret(), c.caretAfter);
  }
}

TEST(TTextBoxTest, DroppedFilesAreReportedNotInserted) {
  TTextBox box;
  box.SetText(QStringLiteral("kept"));
  QStringList reported;
  QObject::connect(&box, &TTextBox::FilesDropped,
                   [&reported](const QStringList& paths) { reported = paths; });
  // The clipboard takes the data over.
  auto* files = new QMimeData;
  files->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
  files->setText(QStringLiteral("file:///tmp/a.txt"));
  QGuiApplication::clipboard()->setMimeData(files, QClipboard::Clipboard);
  box.paste();
  EXPECT_EQ(reported, QStringList{QStringLiteral("/tmp/a.txt")});
  EXPECT_EQ(box.Text(QStringLiteral("\n")), QStringLiteral("kept"));
}

}  // namespace
}  // namespace lexipulse
