// FormMain on Linux: a Qt window built from the layout table, implementing
// MainView for the portable handlers and hosting the embedded X11 object.
#pragma once

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "form_main_core.h"
#include "main_view.h"
#include "x11_object_host.h"

class QComboBox;
class QPushButton;
class QToolButton;

namespace tarvelax {

class OleContainerWidget;

class TFormMain final : public QWidget, public MainView {
public:
  // Builds the window and restores its bounds; programPath is the program
  // file, arguments the command line after it.
  TFormMain(const std::string& programPath, std::vector<std::string> arguments);
  ~TFormMain() override;

  // MainView
  std::string ComboText() override;
  void SetComboText(const std::string& text) override;
  std::vector<std::string> ComboItems() override;
  void InsertComboItemAtTop(const std::string& text) override;
  WindowBounds Bounds() override;
  void SetBounds(const WindowBounds& bounds) override;
  bool OnTopButtonDown() override;
  void PlaceTopMost(bool topMost, const WindowBounds& bounds) override;
  void ShowMessage(const std::string& text) override;
  void ShowException(const std::string& text) override;

  const std::string& ApplicationTitle() const { return title_; }

protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void BuildFromLayout();
  void ComboTextEdited(const QString& text);
  void ApplyBoundsOnceFramed(int triesLeft);
  QSize FrameExtra() const;

  std::string title_;
  std::map<std::string, QWidget*> components_;
  OleContainerWidget* oleContainer_ = nullptr;
  QWidget* panelOptions_ = nullptr;
  QWidget* toolBarMain_ = nullptr;
  QToolButton* toolButtonOnTop_ = nullptr;
  QComboBox* comboBoxObjects_ = nullptr;
  QPushButton* createButton_ = nullptr;
  QString lastComboText_;
  WindowBounds wanted_;
  QSize frameExtra_;  // outer size minus client size, once the frame is known
  bool framed_ = false;
  bool shownOnce_ = false;
  std::unique_ptr<X11ObjectHost> host_;
  std::unique_ptr<FormMainCore> core_;
};

}  // namespace tarvelax
