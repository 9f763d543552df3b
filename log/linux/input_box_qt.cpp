// The comment input box: a fixed 300 x 200 window laid out like the one of
// the Windows build, prompt on top, the field below it, "OK" at the bottom.
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "qt_dialogs.h"

namespace morvik::qt {
namespace {

constexpr int kBoxWidth = 300;
constexpr int kBoxHeight = 200;
constexpr int kMargin = 10;
constexpr int kGap = 5;
constexpr int kMinButtonWidth = 80;

class InputBox final : public QDialog {
public:
  InputBox(const QString& caption, const QString& prompt) {
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(kBoxWidth, kBoxHeight);

    auto* label = new QLabel(prompt, this);
    label->setWordWrap(true);
    const int labelHeight = label->heightForWidth(kBoxWidth - 2 * kMargin);
    label->setGeometry(kMargin, kMargin, kBoxWidth - 2 * kMargin, labelHeight);

    auto* button = new QPushButton(QStringLiteral("OK"), this);
    button->setAutoDefault(false);
    const QSize hint = button->sizeHint();
    const int buttonWidth = qMax(kMinButtonWidth, hint.width());
    const int buttonTop = kBoxHeight - kMargin - hint.height();
    button->setGeometry((kBoxWidth - buttonWidth) / 2, buttonTop, buttonWidth, hint.height());

    field_ = new QPlainTextEdit(this);
    // Lines scroll sideways instead of wrapping, as in the Windows field.
    field_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const int fieldTop = kMargin + labelHeight + kGap;
    field_->setGeometry(kMargin, fieldTop, kBoxWidth - 2 * kMargin, buttonTop - kGap - fieldTop);
    field_->setFocus();

    connect(button, &QPushButton::clicked, this, &QDialog::accept);
  }

  QString Text() const { return field_->toPlainText(); }

protected:
  // The box has no cancel action: Escape is ignored, only the window's
  // close action dismisses it without a comment.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      event->accept();
      return;
    }
    QDialog::keyPressEvent(event);
  }

private:
  QPlainTextEdit* field_ = nullptr;
};

}  // namespace

bool RunInputBox(const QString& caption, const QString& prompt, int maxUnits, QString* text) {
  InputBox box(caption, prompt);
  if (box.exec() != QDialog::Accepted) {
    return false;
  }
  // Line breaks as the Windows field keeps them, so a log reads the same
  // whichever platform wrote it.
  QString typed = box.Text();
  typed.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  if (maxUnits >= 0 && typed.size() > maxUnits) {
    int cut = maxUnits;
    // Never leave half of a surrogate pair at the end.
    if (cut > 0 && typed.at(cut - 1).isHighSurrogate()) {
      --cut;
    }
    typed.truncate(cut);
  }
  *text = typed;
  return true;
}

}  // namespace morvik::qt
