#pragma once

#include <QString>
#include <QWidget>

class QMouseEvent;
class QPoint;
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
  // SetResizable lets the user drag the bottom margin of an expander of fixed height, as the
  // handle of a splitter, to make it higher or lower, between minimum and what its parent
  // leaves room for.
  void SetResizable(bool resizable, int minimum);
  int ExpandedHeight() const { return _ExpandedHeight; }

 signals:
  void ExpandedChanged(bool expanded);
  // ExpandedHeightChanged tells the height the user dragged the expander to.
  void ExpandedHeightChanged(int height);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ApplyHeight();
  bool InHandle(const QPoint& at) const;

  QToolButton* _Header = nullptr;
  QVBoxLayout* _Layout = nullptr;
  QWidget* _Content = nullptr;
  bool _Expanded = true;
  int _ExpandedHeight = 0;
  bool _Resizable = false;
  int _MinimumHeight = 0;
  // Where a drag of the handle began, or a negative value when none is going on.
  int _DragFrom = -1;
  int _DragHeight = 0;
};

}  // namespace lexipulse
