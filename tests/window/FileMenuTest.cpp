#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

#include "app/FormattedResult.h"
#include "app/HighlightFormat.h"
#include "app/RecentFiles.h"
#include "app/TextFiles.h"
#include "app/uLexipulse.h"

namespace lexipulse {
namespace {

const QString kSource = QStringLiteral(
    "Cameroon, \"kangaroo\" and  Senegalese\n\nthe photographer developed a *balaroon.");

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of the message box that command shows, which is then closed; empty when none.
QString MessageOf(const std::function<void()>& command) {
  QString text;
  QTimer::singleShot(0, [&text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      box->accept();
    }
  });
  command();
  return text;
}

// Words of a text, white space of any kind (no-break spaces too) between them.
QStringList Words(QString text) {
  text.replace(QChar(0x00A0), QChar(u' '));
  return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QString PdfText(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
    return QStringLiteral("<pdftotext failed>");
  }
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

class TFileMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(_Folder.isValid());
    _Window.show();
  }

  QString Path(const char* name) const { return _Folder.filePath(QLatin1String(name)); }

  // Stresses kSource and gives the result as the box holds it, lines joined with LF.
  QString Stressed() {
    _Window.mSource->SetText(kSource);
    _Window.btnStressClick();
    return _Window.mTarget->Text(QStringLiteral("\n"));
  }

  QTemporaryDir _Folder;
  TfLexipulse _Window;
};

TEST_F(TFileMenuTest, OpenReadsUtf8TextAndTellsWhyOtherFilesCannotBeOpened) {
  struct TCase {
    const char* name;
    QByteArray bytes;
    QString text;
    const char* error;
  };
  const std::vector<TCase> cases = {
      {"lines.txt", "one\r\ntwo\r\n\r\nthree", QStringLiteral("one\ntwo\n\nthree"), nullptr},
      {"bom.txt", "\xEF\xBB\xBFsenate\n", QStringLiteral("senate\n"), nullptr},
      {"cr.txt", "a\rb", QStringLiteral("a\nb"), nullptr},
      {"accents.txt",
       "fianc\xC3\xA9"
       "e \xE2\x80\x9Cquoted\xE2\x80\x9D",
       QString::fromUtf16(u"fianc\u00E9e \u201Cquoted\u201D"), nullptr},
      {"empty.txt", "", QString(), nullptr},
      {"latin1.txt", "line one\ncaf\xE9\n", QString(),
       ": not UTF-8 text\n\nThe first byte that is not UTF-8 is at line 2, byte 4."},
      {"cut.txt", "ok \xE2\x80", QString(), ": not UTF-8 text"},
      {"surrogate.txt", "\xED\xA0\x80", QString(), ": not UTF-8 text"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = Path(c.name);
    WriteBytes(path, c.bytes);
    _Window.mSource->SetText(QStringLiteral("before"));
    bool opened = false;
    const QString message = MessageOf([&] { opened = _Window.OpenFile(path); });
    if (c.error == nullptr) {
      EXPECT_TRUE(opened);
      EXPECT_TRUE(message.isEmpty()) << message.toStdString();
      EXPECT_EQ(_Window.mSource->Text(QStringLiteral("\n")), c.text);
      EXPECT_EQ(TRecentFiles::Paths().value(0), path) << "newest first";
    } else {
      EXPECT_FALSE(opened);
      EXPECT_TRUE(message.startsWith(path + QLatin1String(c.error))) << message.toStdString();
      EXPECT_EQ(_Window.mSource->Text(QStringLiteral("\n")), QStringLiteral("before"));
    }
  }

  // Neither a folder, nor a missing file, nor one beyond the size the window takes.
  const QString large = Path("large.txt");
  {
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kLargestTextFile + 1));
  }
  for (const auto& [path, error] : std::vector<std::pair<QString, QString>>{
           {_Folder.path(), QStringLiteral(": is a directory")},
           {Path("missing.txt"), QStringLiteral(": cannot open")},
           {large, QStringLiteral(": too large to open")},
       }) {
    SCOPED_TRACE(error.toStdString());
    const QString message = MessageOf([&] { EXPECT_FALSE(_Window.OpenFile(path)); });
    EXPECT_TRUE(message.startsWith(path + error)) << message.toStdString();
  }
}

TEST_F(TFileMenuTest, DroppedFileOpensOnTheWindowAndOnTheSourceBox) {
  const QString path = Path("dropped.txt");
  WriteBytes(path, "Dropped text\n");
  for (QWidget* target : {static_cast<QWidget*>(&_Window), _Window.mSource->viewport()}) {
    SCOPED_TRACE(target->objectName().toStdString());
    _Window.mSource->SetText(QStringLiteral("before"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(_Window.mSource->Text(QStringLiteral("\n")), QStringLiteral("Dropped text\n"));
  }
}

TEST_F(TFileMenuTest, RecentFilesReopenNewestFirst) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    WriteBytes(Path(name), QByteArray("text of ") + name);
    ASSERT_TRUE(_Window.OpenFile(Path(name)));
  }
  ASSERT_TRUE(_Window.OpenFile(Path("a.txt")));
  EXPECT_EQ(TRecentFiles::Paths(), (QStringList{Path("a.txt"), Path("c.txt"), Path("b.txt")}));
  emit _Window.mnRecent->aboutToShow();
  const QList<QAction*> items = _Window.mnRecent->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[1]->text(), QStringLiteral("&2 ") + Path("c.txt"));
  items[1]->trigger();
  EXPECT_EQ(_Window.mSource->Text(QStringLiteral("\n")), QStringLiteral("text of c.txt"));

  // A recent file that is gone says so and leaves the list.
  QFile::remove(Path("b.txt"));
  emit _Window.mnRecent->aboutToShow();
  const QString message = MessageOf([&] { _Window.mnRecent->actions()[2]->trigger(); });
  EXPECT_TRUE(message.contains(QStringLiteral("cannot open")));
  EXPECT_FALSE(TRecentFiles::Paths().contains(Path("b.txt")));
}

TEST_F(TFileMenuTest, SaveResultWritesTheResultAsUtf8) {
  const QString result = Stressed();
  ASSERT_TRUE(result.contains(QChar(0x00D3)));
  const QString path = Path("result.txt");
  WriteBytes(path, "an older file, replaced whole");
  EXPECT_TRUE(_Window.SaveResult(path).isEmpty());
  EXPECT_EQ(ReadBytes(path), (result + QChar(u'\n')).toUtf8());
  EXPECT_EQ(QDir(_Folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("result.txt")})
      << "no temporary file left";

  const QString nowhere = Path("no-such-folder/result.txt");
  const QString message = MessageOf([&] { EXPECT_FALSE(_Window.SaveResult(nowhere).isEmpty()); });
  EXPECT_TRUE(message.contains(QStringLiteral("no-such-folder"))) << message.toStdString();
  EXPECT_FALSE(QFile::exists(nowhere));
}

// The HTML read back by Qt's HTML parser gives the result's text, and exactly its stressed
// letters are bold and coloured.
void ExpectMarkedHtml(const QString& html, const QString& result) {
  QTextDocument document;
  document.setHtml(html);
  QString text;
  QString bold;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) {
      text += QChar(u'\n');
    }
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextFragment piece = fragment.fragment();
      text += piece.text();
      const bool marked = piece.charFormat().fontWeight() >= QFont::Bold &&
                          piece.charFormat().foreground().color() != QColor(Qt::black);
      bold += marked ? piece.text() : QString(piece.text().size(), QChar(u'-'));
    }
  }
  text.replace(QChar::LineSeparator, QChar(u'\n'));
  // Qt's HTML reader ends a pre-wrap block with one space of its own, whatever the block holds.
  if (text.endsWith(QChar(u' ')) && !result.endsWith(QChar(u' '))) {
    text.chop(1);
    bold.chop(1);
  }
  EXPECT_EQ(text.toStdString(), result.toStdString());
  ASSERT_EQ(bold.size(), result.size());
  for (qsizetype at = 0; at < result.size(); ++at) {
    EXPECT_EQ(bold[at] != u'-' && bold[at] != u'\n', IsStressedLetter(result[at])) << "at " << at;
  }
}

TEST_F(TFileMenuTest, ExportedHtmlAndPdfReadBackAsTheResult) {
  const QString result = Stressed();
  const QString html = Path("result.html");
  ASSERT_TRUE(_Window.ExportHtml(html).isEmpty());
  const QByteArray bytes = ReadBytes(html);
  EXPECT_TRUE(bytes.startsWith("<!DOCTYPE html>"));
  EXPECT_TRUE(bytes.contains("charset=\"utf-8\""));
  ExpectMarkedHtml(QString::fromUtf8(bytes), result);

  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  const QString pdf = Path("result.pdf");
  ASSERT_TRUE(_Window.ExportPdf(pdf).isEmpty());
  EXPECT_TRUE(ReadBytes(pdf).startsWith("%PDF-"));
  // One page, numbered at its foot.
  const QString onePage = (Words(result) << QStringLiteral("1")).join(u'|');
  EXPECT_EQ(Words(PdfText(pdf)).join(u'|').toStdString(), onePage.toStdString());

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("printed.pdf"));
  PrintResult(result, printer);
  EXPECT_EQ(Words(PdfText(Path("printed.pdf"))).join(u'|').toStdString(), onePage.toStdString());
}

// The exports follow the style the result was made in: the accents style's HTML and PDF hold
// the accented text, the highlight style's the text as typed with the letters the box draws.
TEST_F(TFileMenuTest, ExportsFollowTheStyleOfTheResult) {
  const bool havePdfText = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
  for (QAction* style : {_Window.mnAccents, _Window.mnHighlight}) {
    SCOPED_TRACE(style->objectName().toStdString());
    style->trigger();
    const QString result = Stressed();
    const QString html = Path("styled.html");
    ASSERT_TRUE(_Window.ExportHtml(html).isEmpty());
    const QString expected =
        style == _Window.mnAccents
            ? AccentsHtml(result)
            : HighlightHtml(result, HighlightedLetters(*_Window.mTarget->document()));
    EXPECT_EQ(ReadBytes(html), expected.toUtf8());
    EXPECT_EQ(result.contains(QStringLiteral("phot\u00F3grapher")), style == _Window.mnAccents);
    EXPECT_EQ(expected.contains(QStringLiteral("<span class=\"p\">")),
              style == _Window.mnHighlight);
    if (havePdfText) {
      const QString pdf = Path("styled.pdf");
      ASSERT_TRUE(_Window.ExportPdf(pdf).isEmpty());
      EXPECT_EQ(Words(PdfText(pdf)).join(u'|').toStdString(),
                (Words(result) << QStringLiteral("1")).join(u'|').toStdString());
    }
  }
  if (!havePdfText) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
}

TEST_F(TFileMenuTest, PrintDialogCancelledPrintsNothing) {
  Stressed();
  bool dialogSeen = false;
  QTimer::singleShot(0, [&dialogSeen] {
    if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
      dialogSeen = true;
      dialog->reject();
    }
  });
  _Window.mnPrint->trigger();
  EXPECT_TRUE(dialogSeen);
}

}  // namespace
}  // namespace lexipulse
