#include "about/ShapeWidget.h"

#include <QPainter>
#include <algorithm>

TShapeWidget::TShapeWidget(QWidget* parent, QColor fill) : QWidget(parent), FillColor(fill) {}

void TShapeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(FillColor);
  // Corners are quarter-ellipses an eighth of the shorter side in radius.
  const qreal radius = std::min(width(), height()) / 8.0;
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}
