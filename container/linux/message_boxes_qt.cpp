#include "message_boxes_qt.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <cstdio>

namespace tarvelax {
namespace {

// A person reads the box; a test run reads the same text from the file
// named by TARVELAX_BOX_LOG, one line a box: kind, title, text.
void Record(const char* kind, const std::string& title, const std::string& text) {
  const QByteArray path = qgetenv("TARVELAX_BOX_LOG");
  if (path.isEmpty()) return;
  if (std::FILE* log = std::fopen(path.constData(), "a")) {
    std::fprintf(log, "%s\t%s\t%s\n", kind, title.c_str(), text.c_str());
    std::fclose(log);
  }
}

void Run(QWidget* owner, QMessageBox::Icon icon, const std::string& title, const std::string& text) {
  Record(icon == QMessageBox::NoIcon ? "message" : "exception", title, text);
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
