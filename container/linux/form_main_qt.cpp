#include "form_main_qt.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <utility>

#include "class_registry.h"
#include "combo_completion.h"
#include "form_main_layout.h"
#include "handler_guard.h"
#include "images_qt.h"
#include "message_boxes_qt.h"
#include "program_names.h"
#include "profile.h"
#include "window_manager_x11.h"

namespace tarvelax {

// The client area that embedded objects live in: a native X window of its
// own, whose size the object follows.
class OleContainerWidget final : public QWidget {
public:
  explicit OleContainerWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255));
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
  }
  std::function<void(int, int)> onResize;

protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (onResize) {
      const qreal ratio = devicePixelRatioF();
      onResize(qRound(event->size().width() * ratio), qRound(event->size().height() * ratio));
    }
  }
};

namespace {

constexpr const char* kContainerName = "OleContainerTarvelAX";
constexpr int kComboItemHeight = 13;

// The drop-down list's rows keep the item height of the form.
class FixedRowHeight final : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), kComboItemHeight);
  }
};

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TFormMain::TFormMain(const std::string& programPath, std::vector<std::string> arguments)
    : title_(tarvelax::ApplicationTitle(programPath)) {
  BuildFromLayout();

  const std::string programDir = QFileInfo(QString::fromStdString(programPath)).absolutePath().toStdString();
  X11ObjectHost::Options options;
  options.classFolders = ClassFolders(programDir);
  options.programDir = programDir;
  options.application = title_;
  options.container = kContainerName;
  if (const QByteArray ms = qgetenv("TARVELAX_EMBED_TIMEOUT_MS"); !ms.isEmpty()) {
    options.embedTimeoutMs = ms.toInt();
  }
  host_ = std::make_unique<X11ObjectHost>(std::move(options));
  oleContainer_->onResize = [this](int w, int h) { host_->Fit(w, h); };

  core_ = std::make_unique<FormMainCore>(*this, *host_, OpenProfile, programPath, std::move(arguments));
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildFromLayout() {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);

  for (const ComponentRow& row : kFormMainLayout) {
    QWidget* parent = row.parent ? components_.at(row.parent) : nullptr;
    QWidget* widget = nullptr;
    switch (row.kind) {
      case ComponentKind::kForm: {
        widget = this;
        setWindowTitle(Q(row.text));
        setWindowIcon(ProgramIcon());
        setFont(font);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(240, 240, 240));  // button face
        setPalette(pal);
        wanted_ = {row.left, row.top, row.width, row.height};
        break;
      }
      case ComponentKind::kOleContainer:
        oleContainer_ = new OleContainerWidget(parent);
        oleContainer_->setAccessibleName(Q(row.text));
        widget = oleContainer_;
        break;
      case ComponentKind::kPanel: {
        auto* panel = new QFrame(parent);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(1);
        panelOptions_ = panel;
        widget = panel;
        break;
      }
      case ComponentKind::kToolBar:
        toolBarMain_ = new QWidget(parent);
        widget = toolBarMain_;
        break;
      case ComponentKind::kLabel: {
        auto* label = new QLabel(Q(row.text), parent);
        label->setAlignment((row.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        // The fonts here run wider than the form's own: a caption that would
        // not fit its fixed bounds gets a smaller size rather than be cut.
        QFont fitted = font;
        while (fitted.pixelSize() > 8 && QFontMetrics(fitted).horizontalAdvance(label->text()) > row.width) {
          fitted.setPixelSize(fitted.pixelSize() - 1);
        }
        label->setFont(fitted);
        widget = label;
        break;
      }
      case ComponentKind::kSeparator: {
        auto* line = new QFrame(parent);
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        widget = line;
        break;
      }
      case ComponentKind::kCheckToolButton: {
        toolButtonOnTop_ = new QToolButton(parent);
        toolButtonOnTop_->setText(Q(row.text));
        toolButtonOnTop_->setCheckable(true);
        toolButtonOnTop_->setChecked(false);
        toolButtonOnTop_->setAutoRaise(true);
        toolButtonOnTop_->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toolButtonOnTop_->setIcon(QIcon(OnTopImage(kToolImageSize)));
        toolButtonOnTop_->setIconSize(QSize(kToolImageSize, kToolImageSize));
        toolButtonOnTop_->setToolTip(Q(kOnTopHint));
        toolButtonOnTop_->setFocusPolicy(Qt::NoFocus);
        connect(toolButtonOnTop_, &QToolButton::clicked, this,
                [this] { RunHandler(*this, [this] { core_->ToolButtonOnTopClick(); }); });
        widget = toolButtonOnTop_;
        break;
      }
      case ComponentKind::kComboBox: {
        comboBoxObjects_ = new QComboBox(parent);
        comboBoxObjects_->setEditable(true);
        comboBoxObjects_->setInsertPolicy(QComboBox::NoInsert);
        comboBoxObjects_->setDuplicatesEnabled(true);
        comboBoxObjects_->setCompleter(nullptr);
        comboBoxObjects_->setItemDelegate(new FixedRowHeight(comboBoxObjects_));
        connect(comboBoxObjects_->lineEdit(), &QLineEdit::textEdited, this,
                [this](const QString& text) { ComboTextEdited(text); });
        widget = comboBoxObjects_;
        break;
      }
      case ComponentKind::kButton: {
        createButton_ = new QPushButton(Q(row.text), parent);
        // Enter presses it while it has the focus, and only then: there is
        // no default button in this window.
        createButton_->setAutoDefault(true);
        createButton_->setDefault(false);
        connect(createButton_, &QPushButton::clicked, this,
                [this] { RunHandler(*this, [this] { core_->CreateButtonClick(); }); });
        widget = createButton_;
        break;
      }
    }
    widget->setObjectName(Q(row.name));
    if (row.kind != ComponentKind::kForm) widget->setGeometry(row.left, row.top, row.width, row.height);
    components_[row.name] = widget;
  }

  // The tab order of the table: the container, then the panel's controls.
  setTabOrder(oleContainer_, comboBoxObjects_);
  setTabOrder(comboBoxObjects_, createButton_);

  // The client size that the form's outer bounds give before the window
  // manager has framed it: the layout's own client width and height.
  const ComponentRow& form = kFormMainLayout[0];
  const ComponentRow& ole = kFormMainLayout[1];
  frameExtra_ = QSize(form.width - ole.width, form.height - (ole.top + ole.height));
  resize(wanted_.width - frameExtra_.width(), wanted_.height - frameExtra_.height());
  move(wanted_.left, wanted_.top);
}

void TFormMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int w = width();
  const int h = height();
  const ComponentRow& panel = kFormMainLayout[2];
  panelOptions_->setGeometry(0, 0, w, panel.height);
  const ComponentRow& bar = kFormMainLayout[3];
  toolBarMain_->setGeometry(bar.left, bar.top, w - 2 * bar.left, bar.height);
  oleContainer_->setGeometry(0, panel.height, w, h - panel.height > 0 ? h - panel.height : 0);
}

// ---------------------------------------------------------------- combo box

std::string TFormMain::ComboText() { return comboBoxObjects_->currentText().toStdString(); }

void TFormMain::SetComboText(const std::string& text) {
  comboBoxObjects_->setEditText(QString::fromStdString(text));
  lastComboText_ = comboBoxObjects_->currentText();
}

std::vector<std::string> TFormMain::ComboItems() {
  std::vector<std::string> items;
  for (int i = 0; i < comboBoxObjects_->count(); ++i) items.push_back(comboBoxObjects_->itemText(i).toStdString());
  return items;
}

void TFormMain::InsertComboItemAtTop(const std::string& text) {
  const QString edit = comboBoxObjects_->currentText();
  comboBoxObjects_->insertItem(0, QString::fromStdString(text));
  comboBoxObjects_->setEditText(edit);
}

void TFormMain::ComboTextEdited(const QString& text) {
  // Completes only what was typed at the end: deleting keeps the text as
  // the user leaves it.
  QLineEdit* edit = comboBoxObjects_->lineEdit();
  const bool typedAtEnd = text.size() > lastComboText_.size() && edit->cursorPosition() == text.size() &&
                          text.startsWith(lastComboText_.left(text.size() - 1));
  lastComboText_ = text;
  if (!typedAtEnd) return;
  const int index = FindCompletion(ComboItems(), text.toStdString());
  if (index < 0) return;
  const QString item = comboBoxObjects_->itemText(index);
  const QSignalBlocker block(comboBoxObjects_);
  comboBoxObjects_->setCurrentIndex(index);
  const QString completed = text + item.mid(text.size());
  edit->setText(completed);
  edit->setSelection(static_cast<int>(text.size()), static_cast<int>(completed.size() - text.size()));
  lastComboText_ = text;
}

// ---------------------------------------------------------------- bounds

QSize TFormMain::FrameExtra() const {
  if (!isVisible()) return frameExtra_;
  const QRect frame = frameGeometry();
  return QSize(frame.width() - width(), frame.height() - height());
}

WindowBounds TFormMain::Bounds() {
  if (!framed_) return wanted_;
  const QRect frame = frameGeometry();
  return {frame.x(), frame.y(), frame.width(), frame.height()};
}

void TFormMain::SetBounds(const WindowBounds& bounds) {
  wanted_ = bounds;
  const QSize extra = framed_ ? FrameExtra() : frameExtra_;
  resize(std::max(1, bounds.width - extra.width()), std::max(1, bounds.height - extra.height()));
  move(bounds.left, bounds.top);
}

// Once the window manager has framed the window, its outer bounds are set
// again from the frame it chose, so that they are what the settings say.
void TFormMain::ApplyBoundsOnceFramed(int triesLeft) {
  const QSize extra(frameGeometry().width() - width(), frameGeometry().height() - height());
  if ((extra.width() > 0 || extra.height() > 0) || triesLeft <= 0) {
    framed_ = true;
    frameExtra_ = extra;
    SetBounds(wanted_);
    return;
  }
  QTimer::singleShot(20, this, [this, triesLeft] { ApplyBoundsOnceFramed(triesLeft - 1); });
}

// ---------------------------------------------------------------- top-most

bool TFormMain::OnTopButtonDown() { return toolButtonOnTop_->isChecked(); }

void TFormMain::PlaceTopMost(bool topMost, const WindowBounds& bounds) {
  SetTopMost(winId(), topMost);
  SetBounds(bounds);
  show();
}

// ---------------------------------------------------------------- boxes

void TFormMain::ShowMessage(const std::string& text) { ShowSimpleMessage(this, title_, text); }

void TFormMain::ShowException(const std::string& text) { ShowExceptionBox(this, title_, text); }

// ---------------------------------------------------------------- events

void TFormMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  const qreal ratio = devicePixelRatioF();
  host_->SetClientArea(oleContainer_->winId(), qRound(oleContainer_->width() * ratio),
                       qRound(oleContainer_->height() * ratio));
  ApplyBoundsOnceFramed(100);
  RunHandler(*this, [this] { core_->FormShow(); });
}

void TFormMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && shownOnce_) {
    RunHandler(*this, [this] { core_->FormActivate(); });
  }
}

void TFormMain::closeEvent(QCloseEvent* event) {
  RunHandler(*this, [this] { core_->FormClose(); });
  event->accept();
}

}  // namespace tarvelax
