// morvik-dialogs: the program that shows the dialogs of the log library on
// Linux. Usage: morvik-dialogs input|save, with the texts on standard input,
// each followed by a zero byte:
//   input: caption, prompt, the largest number of UTF-16 units to return
//   save:  title, initial name, default extension, then pairs of filter
//          description and pattern
// The answer on standard output: "1" and the UTF-8 text (the comment or the
// chosen path), "0" when the person closed or cancelled the dialog, or "E"
// and one line saying why no dialog could be shown. Qt's own messages stay
// off the client's standard error unless MORVIK_DIALOGS_VERBOSE is set.
#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "qt_dialogs.h"

namespace {

std::vector<QString> ReadFields() {
  std::string all((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  std::vector<QString> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] == '\0') {
      fields.push_back(QString::fromUtf8(all.data() + start, static_cast<qsizetype>(i - start)));
      start = i + 1;
    }
  }
  return fields;
}

QString Field(const std::vector<QString>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : QString();
}

QString g_lastWarning;
bool g_verbose = false;

// A fatal message (no display, no platform plugin) becomes the answer "E";
// the warning before it usually names the cause, so that one is given.
void HandleQtMessage(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (g_verbose) {
    std::fprintf(stderr, "morvik-dialogs: %s\n", message.toLocal8Bit().constData());
  }
  if (type != QtFatalMsg) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
      g_lastWarning = message;
    }
    return;
  }
  QString why = g_lastWarning.isEmpty() ? message : g_lastWarning;
  why = why.section(QLatin1Char('\n'), 0, 0).left(300);
  const QByteArray bytes = why.toUtf8();
  std::fputc('E', stdout);
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  std::fflush(stdout);
  std::_Exit(3);
}

int Answer(bool accepted, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fputc(accepted ? '1' : '0', stdout);
  if (accepted) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: morvik-dialogs input|save (texts on standard input)\n");
    return 2;
  }
  const std::string operation = argv[1];
  if (operation != "input" && operation != "save") {
    std::fprintf(stderr, "morvik-dialogs: unknown dialog %s\n", argv[1]);
    return 2;
  }
  const std::vector<QString> fields = ReadFields();
  const char* verbose = std::getenv("MORVIK_DIALOGS_VERBOSE");
  g_verbose = verbose != nullptr && *verbose != '\0';
  qInstallMessageHandler(HandleQtMessage);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("morvik-dialogs"));

  QString text;
  if (operation == "input") {
    bool ok = false;
    const int maxUnits = Field(fields, 2).toInt(&ok);
    const bool accepted = morvik::qt::RunInputBox(Field(fields, 0), Field(fields, 1), ok ? maxUnits : -1, &text);
    return Answer(accepted, text);
  }
  QStringList filters;
  for (std::size_t i = 3; i < fields.size(); ++i) {
    filters << fields[i];
  }
  const bool accepted =
      morvik::qt::RunSaveDialog(Field(fields, 0), Field(fields, 1), Field(fields, 2), filters, &text);
  return Answer(accepted, text);
}
