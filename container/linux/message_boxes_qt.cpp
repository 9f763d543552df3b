#include "message_boxes_qt.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace tarvelax {
namespace {

void Run(QWidget* owner, QMessageBox::Icon icon, const std::string& title, const std::string& text) {
  QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok, owner);
  box.setObjectName(icon == QMessageBox::NoIcon ? "MessageBox" : "ExceptionBox");
  box.setWindowModality(Qt::ApplicationModal);
  box.adjustSize();
  if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    box.move(area.center() - QPoint(box.width() / 2, box.height() / 2));
  }
  box.exec();
}

}  // namespace

void ShowSimpleMessage(QWidget* owner, const std::string& title, const std::string& text) {
  Run(owner, QMessageBox::NoIcon, title, text);
}

void ShowExceptionBox(QWidget* owner, const std::string& title, const std::string& text) {
  Run(owner, QMessageBox::Critical, title, text);
}

}  // namespace tarvelax
