// The save dialog: Qt's own file dialog (never a desktop portal, which
// might not exist), asking before it replaces an existing file.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "qt_dialogs.h"

namespace morvik::qt {
namespace {

// The folder of the chosen name must exist: the dialog says so and stays
// open instead of returning a path the export cannot create.
class SaveDialog final : public QFileDialog {
public:
  SaveDialog(const QString& title, const QString& folder) : QFileDialog(nullptr, title, folder) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
      const QFileInfo chosen(files.constFirst());
      if (!chosen.absoluteDir().exists()) {
        QMessageBox::warning(this, windowTitle(),
                             chosen.absolutePath() +
                                 QStringLiteral("\nDirectory not found.\nPlease verify the correct directory name was given."));
        return;
      }
    }
    QFileDialog::accept();
  }
};

}  // namespace

bool RunSaveDialog(const QString& title, const QString& initialName, const QString& defaultExtension,
                   const QStringList& filters, QString* path) {
  SaveDialog dialog(title, QDir::currentPath());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList nameFilters;
  for (int i = 0; i + 1 < filters.size(); i += 2) {
    const QString& description = filters.at(i);
    QString pattern = filters.at(i + 1);
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the parentheses of a filter's text.
    const QString suffix = QStringLiteral("(") + pattern + QStringLiteral(")");
    nameFilters << (description.endsWith(suffix) ? description : description + QStringLiteral(" ") + suffix);
  }
  if (!nameFilters.isEmpty()) {
    dialog.setNameFilters(nameFilters);
  }
  if (!defaultExtension.isEmpty()) {
    dialog.setDefaultSuffix(defaultExtension);
  }
  if (!initialName.isEmpty()) {
    dialog.selectFile(initialName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return false;
  }
  *path = dialog.selectedFiles().constFirst();
  return !path->isEmpty();
}

}  // namespace morvik::qt
