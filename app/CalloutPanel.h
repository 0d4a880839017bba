#pragma once

#include <QRectF>
#include <QWidget>

class QPaintEvent;

namespace lexipulse {

// CalloutPanel is a panel painted as a speech bubble: a rounded rectangle with a pointer in
// the middle of its bottom edge. It takes its colours from the palette, so it follows the theme.
class CalloutPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPointerWidth = 23;
  static constexpr int kPointerLength = 11;
  static constexpr int kTopMargin = 11;

  explicit CalloutPanel(QWidget* parent = nullptr);

  // BubbleRect is the rounded body, the widget less the pointer below it.
  QRectF BubbleRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace lexipulse
