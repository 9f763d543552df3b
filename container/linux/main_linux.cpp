// Entry of TarvelAXContainer on Linux: the X11 platform (objects embed into
// X windows, under XWayland as well), one window, its message loop.
#include <QApplication>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "container_error.h"
#include "form_main_qt.h"
#include "message_boxes_qt.h"
#include "program_names.h"

int main(int argc, char** argv) {
  // The command line as given; the toolkit takes its own options out of argv.
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  const std::string programPath = QCoreApplication::applicationFilePath().toStdString();
  const std::string title = tarvelax::ApplicationTitle(programPath);

  std::unique_ptr<tarvelax::TFormMain> FormMain;
  try {
    FormMain = std::make_unique<tarvelax::TFormMain>(programPath, std::move(arguments));
    FormMain->show();
    app.exec();
  } catch (const std::exception& error) {
    tarvelax::ShowExceptionBox(nullptr, title, tarvelax::ExceptionBoxText(error.what()));
  } catch (...) {
    tarvelax::ShowExceptionBox(nullptr, title, "");
  }
  FormMain.reset();
  return 0;
}
