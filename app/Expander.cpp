#include "app/Expander.h"

#include <QMouseEvent>
#include <QSizePolicy>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lexipulse {

Expander::Expander(const QString& title, QWidget* parent) : QWidget(parent) {
  _Header = new QToolButton(this);
  _Header->setObjectName(QStringLiteral("header"));
  _Header->setText(title);
  _Header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  _Header->setArrowType(Qt::DownArrow);
  _Header->setAutoRaise(true);
  _Header->setCheckable(true);
  _Header->setChecked(true);
  _Header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(_Header, &QToolButton::toggled, this, &Expander::SetExpanded);

  _Layout = new QVBoxLayout(this);
  _Layout->setSpacing(2);
  _Layout->addWidget(_Header);
  SetInnerMargin(5);
}

QString Expander::Title() const { return _Header->text(); }

void Expander::SetContent(QWidget* content) {
  if (_Content != nullptr) {
    _Layout->removeWidget(_Content);
    delete _Content;
  }
  _Content = content;
  if (_Content != nullptr) {
    _Layout->addWidget(_Content, 1);
    _Content->setVisible(_Expanded);
  }
  ApplyHeight();
}

void Expander::SetExpanded(bool expanded) {
  if (expanded == _Expanded) {
    return;
  }
  _Expanded = expanded;
  _Header->setChecked(expanded);
  _Header->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
  if (_Content != nullptr) {
    _Content->setVisible(expanded);
  }
  ApplyHeight();
  emit ExpandedChanged(expanded);
}

void Expander::SetExpandedHeight(int height) {
  _ExpandedHeight = height;
  ApplyHeight();
}

void Expander::SetInnerMargin(int margin) {
  _Layout->setContentsMargins(margin, margin, margin, margin);
  ApplyHeight();
}

void Expander::SetResizable(bool resizable, int minimum) {
  _Resizable = resizable;
  _MinimumHeight = minimum;
  setMouseTracking(resizable);
}

bool Expander::InHandle(const QPoint& at) const {
  return _Resizable && _Expanded && _ExpandedHeight > 0 &&
         at.y() >= height() - _Layout->contentsMargins().bottom();
}

void Expander::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && InHandle(event->position().toPoint())) {
    _DragFrom = static_cast<int>(event->globalPosition().y());
    _DragHeight = _ExpandedHeight;
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void Expander::mouseMoveEvent(QMouseEvent* event) {
  if (_DragFrom >= 0) {
    // The content below keeps at least the room of the collapsed expander above it.
    const int room =
        parentWidget() != nullptr ? parentWidget()->height() - 2 * _MinimumHeight : _DragHeight;
    const int wanted = _DragHeight + static_cast<int>(event->globalPosition().y()) - _DragFrom;
    SetExpandedHeight(std::clamp(wanted, _MinimumHeight, std::max(_MinimumHeight, room)));
    event->accept();
    return;
  }
  if (InHandle(event->position().toPoint())) {
    setCursor(Qt::SplitVCursor);
  } else {
    unsetCursor();
  }
  QWidget::mouseMoveEvent(event);
}

void Expander::mouseReleaseEvent(QMouseEvent* event) {
  if (_DragFrom >= 0 && event->button() == Qt::LeftButton) {
    _DragFrom = -1;
    emit ExpandedHeightChanged(_ExpandedHeight);
    event->accept();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

// Collapsed, the expander is exactly as high as its header and its margins, so the layout
// around it hands the rest of the room to its neighbours.
void Expander::ApplyHeight() {
  if (!_Expanded) {
    const QMargins margins = _Layout->contentsMargins();
    setFixedHeight(_Header->sizeHint().height() + margins.top() + margins.bottom());
    return;
  }
  if (_ExpandedHeight > 0) {
    setFixedHeight(_ExpandedHeight);
  } else {
    setMinimumHeight(0);
    setMaximumHeight(QWIDGETSIZE_MAX);
  }
}

}  // namespace lexipulse
