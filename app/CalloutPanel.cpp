#include "app/CalloutPanel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPen>
#include <QPointF>

namespace lexipulse {

namespace {

constexpr qreal kCornerRadius = 6.0;

}  // namespace

CalloutPanel::CalloutPanel(QWidget* parent) : QWidget(parent) {
  setContentsMargins(0, kTopMargin, 0, kPointerLength);
}

QRectF CalloutPanel::BubbleRect() const {
  // Half a pixel inwards so that a one-pixel outline falls on whole pixels.
  return QRectF(0.5, 0.5, width() - 1.0, height() - 1.0 - kPointerLength);
}

void CalloutPanel::paintEvent(QPaintEvent* /*event*/) {
  const QRectF body = BubbleRect();
  const qreal middle = body.center().x();
  const qreal half = kPointerWidth / 2.0;

  QPainterPath bubble;
  bubble.addRoundedRect(body, kCornerRadius, kCornerRadius);
  QPainterPath pointer;
  pointer.moveTo(middle - half, body.bottom() - 1.0);
  pointer.lineTo(middle, body.bottom() + kPointerLength);
  pointer.lineTo(middle + half, body.bottom() - 1.0);
  pointer.closeSubpath();

  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().color(QPalette::Dark), 1.0));
  painter.setBrush(palette().color(QPalette::Base));
  painter.drawPath(bubble.united(pointer).simplified());
}

}  // namespace lexipulse
