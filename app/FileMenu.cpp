// The File menu of the main window: opening text files (also by a drop or from the command
// line), the recent files, saving, exporting and printing the result.
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <cstdio>
#include <functional>

#include "app/FormattedResult.h"
#include "app/HighlightFormat.h"
#include "app/RecentFiles.h"
#include "app/Settings.h"
#include "app/TextFiles.h"
#include "app/uLexipulse.h"

namespace lexipulse {

namespace {

QString StartFolder() {
  return QSettings().value(QLatin1String(kLastFolderKey), QDir::homePath()).toString();
}

void RememberFolder(const QString& path) {
  QSettings().setValue(QLatin1String(kLastFolderKey), QFileInfo(path).absolutePath());
}

// Writes through write, returning the message of a failure, or an empty text.
QString Written(const QString& path, const std::function<void()>& write) {
  try {
    write();
    RememberFolder(path);
    return {};
  } catch (const TFileError& error) {
    return error.Message();
  }
}

}  // namespace

void TfLexipulse::ShowError(const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Lexipulse"), message, QMessageBox::Ok,
                  this);
  box.setObjectName(QStringLiteral("errorBox"));
  box.exec();
}

bool TfLexipulse::OpenFile(const QString& path) { return OpenFiles({path}); }

// The message goes to standard error as well, before the box waits for its OK, so that a
// start from a terminal or a desktop entry leaves a trace of it.
bool TfLexipulse::OpenFiles(const QStringList& paths) {
  QString text;
  for (const QString& path : paths) {
    try {
      text += ReadTextFile(path);
    } catch (const TFileError& error) {
      std::fprintf(stderr, "lexipulse: %s\n", error.what());
      std::fflush(stderr);
      ShowError(error.Message());
      return false;
    }
  }
  mSource->SetText(text);
  for (const QString& path : paths) {
    TRecentFiles::Add(path);
  }
  if (!paths.isEmpty()) {
    RememberFolder(paths.back());
  }
  RebuildRecentMenu();
  return true;
}

void TfLexipulse::mnOpenClick() {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Open Text File"), StartFolder(),
                                   QStringLiteral("Text files (*.txt *.text *.md);;All files (*)"));
  if (!path.isEmpty()) {
    OpenFile(path);
  }
}

void TfLexipulse::RebuildRecentMenu() {
  mnRecent->clear();
  const QStringList paths = TRecentFiles::Paths();
  for (int index = 0; index < paths.size(); ++index) {
    const QString& path = paths[index];
    // The first nine get a digit as their mnemonic; an ampersand in a path is shown as one.
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item =
        mnRecent->addAction(index < 9 ? QStringLiteral("&%1 %2").arg(index + 1).arg(shown) : shown);
    connect(item, &QAction::triggered, this, [this, path] {
      if (!OpenFile(path) && !QFileInfo::exists(path)) {
        TRecentFiles::Remove(path);
        RebuildRecentMenu();
      }
    });
  }
  mnRecent->setEnabled(!paths.isEmpty());
}

QString TfLexipulse::ResultForOutput() {
  _Writer->Flush(TResultWriter::TFlush::Whole);
  return mTarget->Text(QStringLiteral("\n"));
}

QString TfLexipulse::ResultDocument() {
  const QString text = ResultForOutput();
  switch (_ResultStyle) {
    case TNotationStyle::Accents:
      return AccentsHtml(text);
    case TNotationStyle::Highlight:
      // The letters come from the box, so that they follow any edit made to the result.
      return HighlightHtml(text, HighlightedLetters(*mTarget->document()));
    case TNotationStyle::Classic:
      break;
  }
  return ResultHtml(text);
}

QString TfLexipulse::SaveResult(const QString& path) {
  const QString text = ResultForOutput();
  const QString error = Written(path, [&] { WriteTextFile(path, text); });
  if (!error.isEmpty()) {
    ShowError(error);
  }
  return error;
}

QString TfLexipulse::ExportHtml(const QString& path) {
  const QString html = ResultDocument();
  const QString error = Written(path, [&] { WriteFileBytes(path, html.toUtf8()); });
  if (!error.isEmpty()) {
    ShowError(error);
  }
  return error;
}

QString TfLexipulse::ExportPdf(const QString& path) {
  const QByteArray pdf = DocumentPdf(ResultDocument());
  const QString error = Written(path, [&] { WriteFileBytes(path, pdf); });
  if (!error.isEmpty()) {
    ShowError(error);
  }
  return error;
}

void TfLexipulse::mnSaveAsClick() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save Result As"),
                                   QDir(StartFolder()).filePath(QStringLiteral("stressed.txt")),
                                   QStringLiteral("Text files (*.txt);;All files (*)"));
  if (!path.isEmpty()) {
    SaveResult(path);
  }
}

void TfLexipulse::mnExportHtmlClick() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export as HTML"),
                                   QDir(StartFolder()).filePath(QStringLiteral("stressed.html")),
                                   QStringLiteral("HTML documents (*.html *.htm)"));
  if (!path.isEmpty()) {
    ExportHtml(path);
  }
}

void TfLexipulse::mnExportPdfClick() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export as PDF"),
                                   QDir(StartFolder()).filePath(QStringLiteral("stressed.pdf")),
                                   QStringLiteral("PDF documents (*.pdf)"));
  if (!path.isEmpty()) {
    ExportPdf(path);
  }
}

void TfLexipulse::mnPrintClick() {
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName(QStringLiteral("printDialog"));
  if (dialog.exec() == QDialog::Accepted) {
    PrintDocument(ResultDocument(), printer);
  }
}

void TfLexipulse::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(*event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

// A drop of several files opens the first, as the source box holds one text.
void TfLexipulse::dropEvent(QDropEvent* event) {
  const QStringList files = LocalFiles(*event->mimeData());
  if (!files.isEmpty()) {
    event->acceptProposedAction();
    OpenFile(files.front());
  }
}

}  // namespace lexipulse
