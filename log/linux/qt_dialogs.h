// The two dialogs of the dialog program morvik-dialogs, on Qt Widgets.
#pragma once

#include <QString>
#include <QStringList>

namespace morvik::qt {

// The comment input box: caption, prompt, a multi-line field and an "OK"
// button. Returns true when "OK" was pressed; text then holds the field's
// text with "\r\n" line breaks, cut to maxUnits UTF-16 code units. Closing
// the window returns false; the Escape key does nothing.
bool RunInputBox(const QString& caption, const QString& prompt, int maxUnits, QString* text);

// The save-file dialog. filters holds pairs (description, pattern). Returns
// true with the chosen absolute path; false when cancelled.
bool RunSaveDialog(const QString& title, const QString& initialName, const QString& defaultExtension,
                   const QStringList& filters, QString* path);

}  // namespace morvik::qt
