// OleContainerTarvelAX on Linux: the container's client area is an X window,
// an embedded object is a process of the class's command that puts its own
// window into that area (as xterm -into or an XEmbed client does). The host
// starts it, waits a bounded time for its window, maps and fits it, and on
// destruction asks it to close, ends it if it does not, and reaps it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "object_host.h"

typedef struct _XDisplay Display;

namespace tarvelax {

class X11ObjectHost final : public ObjectHost {
public:
  struct Options {
    std::vector<std::string> classFolders;  // searched for class files, in order
    std::string programDir;                 // a bare program name is looked up here first
    std::string application;                // host names handed to each object
    std::string container;
    int embedTimeoutMs = 10000;  // for the object's window to appear
    int closeTimeoutMs = 2000;   // for the object to go after WM_DELETE_WINDOW
    int termTimeoutMs = 1000;    // for the object to go after SIGTERM
  };

  explicit X11ObjectHost(Options options);
  // Destroys the object held, if any: nothing is left running.
  ~X11ObjectHost() override;

  X11ObjectHost(const X11ObjectHost&) = delete;
  X11ObjectHost& operator=(const X11ObjectHost&) = delete;

  // The client area's X window and its size in pixels.
  void SetClientArea(unsigned long window, int width, int height);
  // Follows a resize of the client area: the object's window is fitted.
  void Fit(int width, int height);

  void CloseObject() override;
  void CreateObject(const std::string& progId) override;
  void ShowObject() override;
  void DestroyObject() override;

  bool HoldsObject() const { return pid_ > 0; }
  pid_t ObjectProcess() const { return pid_; }
  unsigned long ObjectWindow() const { return objectWindow_; }

private:
  Display* Connection();
  void Start(const std::vector<std::string>& words, const std::string& progId);
  void WaitForWindow(const std::string& progId);
  // Waits up to ms for the process to end; true when it has been reaped.
  bool Reap(int ms);
  void AskToClose();
  void Forget();

  Options options_;
  Display* display_ = nullptr;
  unsigned long client_ = 0;
  int width_ = 0;
  int height_ = 0;
  pid_t pid_ = -1;
  unsigned long objectWindow_ = 0;
  bool closed_ = false;
};

}  // namespace tarvelax
