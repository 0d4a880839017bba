#pragma once

#include <QString>
#include <QWidget>

class QToolButton;
class QVBoxLayout;

namespace lexipulse {

// Expander is a panel with a title header that collapses to the header and expands again.
// Its one child fills the content area below the header.
class Expander : public QWidget {
  Q_OBJECT

 public:
  explicit Expander(const QString& title, QWidget* parent = nullptr);

  QString Title() const;
  // SetContent puts content (owned by the expander from then on) into the content area.
  void SetContent(QWidget* content);
  QWidget* Content() const { return _Content; }
  QToolButton* Header() const { return _Header; }

  bool Expanded() const { return _Expanded; }
  void SetExpanded(bool expanded);
  // SetExpandedHeight fixes the whole height (header included) while expanded; 0 lets the
  // expander take whatever room its parent's layout gives it.
  void SetExpandedHeight(int height);
  // SetInnerMargin sets the margin around the header and the content, on all sides.
  void SetInnerMargin(int margin);

 signals:
  void ExpandedChanged(bool expanded);

 private:
  void ApplyHeight();

  QToolButton* _Header = nullptr;
  QVBoxLayout* _Layout = nullptr;
  QWidget* _Content = nullptr;
  bool _Expanded = true;
  int _ExpandedHeight = 0;
};

}  // namespace lexipulse
