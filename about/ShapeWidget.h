// A rounded rectangle drawn with a one-pixel black outline over a solid fill, the frame that
// sits behind a label of the about box.
#pragma once

#include <QColor>
#include <QWidget>

class TShapeWidget : public QWidget {
 public:
  explicit TShapeWidget(QWidget* parent, QColor fill = Qt::white);

  QColor Fill() const { return FillColor; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor FillColor;
};
