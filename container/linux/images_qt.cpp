#include "images_qt.h"

#include <QPainter>

namespace tarvelax {

QPixmap OnTopImage(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  const qreal s = size / 20.0;
  p.scale(s, s);
  // The window behind.
  p.setPen(QColor(90, 90, 90));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(1, 7, 11, 10);
  // The window in front, with its title bar.
  p.setPen(QColor(20, 50, 120));
  p.setBrush(Qt::white);
  p.drawRect(7, 3, 11, 10);
  p.fillRect(8, 4, 10, 3, QColor(30, 80, 170));
  // The upward arrow: above all others.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 40, 40));
  const QPointF arrow[] = {{12.5, 14}, {16.5, 19}, {8.5, 19}};
  p.drawPolygon(arrow, 3);
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(30, 60, 120), 1));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    p.fillRect(QRectF(1, 1, 14, 3), QColor(30, 80, 170));
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QRectF(4, 6, 8, 8));
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tarvelax
