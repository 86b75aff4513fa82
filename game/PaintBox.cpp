#include "game/PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/WidgetDevice.h"

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  // The pictures cover the whole box: nothing beneath needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void TPaintBox::PaintNow(const TPaintEvent& painter) {
  PaintingNow = &painter;
  repaint();
  PaintingNow = nullptr;
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  platform::WidgetDevice device(painter, event->region());
  if (PaintingNow) {
    (*PaintingNow)(device);
  } else if (OnPaint) {
    OnPaint(device);
  }
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseDown) OnMouseDown(event->button(), p.x(), p.y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseMove) OnMouseMove(p.x(), p.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (OnMouseUp) OnMouseUp(event->button(), p.x(), p.y());
}
