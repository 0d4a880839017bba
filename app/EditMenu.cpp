// The Edit menu's formatted copy; Copy Result is the window's own command.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/uLexipulse.h"

namespace lexipulse {

// The clipboard gets the result twice: as plain text, as Copy Result puts it, and as HTML in
// which the stressed letters are marked in the result's style, which a word processor keeps
// on a paste.
void TfLexipulse::mnCopyFormattedClick() {
  btnCopyClick();
  const QString text = mTarget->Text(QStringLiteral("\n"));
  if (text.isEmpty()) {
    return;
  }
  auto* data = new QMimeData;
  data->setText(text);
  data->setHtml(ResultDocument());
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace lexipulse
