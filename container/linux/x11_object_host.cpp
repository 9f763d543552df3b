#include "x11_object_host.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>

#include "class_registry.h"
#include "container_error.h"

extern char** environ;

namespace tarvelax {
namespace {

using Clock = std::chrono::steady_clock;

// Xlib's own handler ends the program on any error; a window of another
// process may go at any moment, so errors are only counted here.
int x_errors = 0;
int CountXError(Display*, XErrorEvent*) {
  ++x_errors;
  return 0;
}

bool IsExecutable(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string ExitText(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return std::string("signal ") + strsignal(WTERMSIG(status));
  return "status " + std::to_string(status);
}

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

}  // namespace

X11ObjectHost::X11ObjectHost(Options options) : options_(std::move(options)) {}

X11ObjectHost::~X11ObjectHost() {
  DestroyObject();
  if (display_) XCloseDisplay(display_);
}

Display* X11ObjectHost::Connection() {
  if (!display_) {
    XSetErrorHandler(CountXError);
    display_ = XOpenDisplay(nullptr);
    if (!display_) throw ContainerError("Cannot open the X display");
  }
  return display_;
}

void X11ObjectHost::SetClientArea(unsigned long window, int width, int height) {
  client_ = window;
  width_ = width;
  height_ = height;
}

void X11ObjectHost::Fit(int width, int height) {
  width_ = width;
  height_ = height;
  if (!objectWindow_ || !display_) return;
  XMoveResizeWindow(display_, objectWindow_, 0, 0, width > 0 ? width : 1, height > 0 ? height : 1);
  XFlush(display_);
}

void X11ObjectHost::CloseObject() {
  // An embedded X client keeps no state for us to save: closing leaves it
  // shown in the container, held until it is destroyed.
  closed_ = true;
}

void X11ObjectHost::CreateObject(const std::string& progId) {
  const std::optional<EmbeddableClass> found = FindClass(options_.classFolders, progId);
  if (!found) throw ContainerError("Invalid class string");
  DestroyObject();
  if (!client_) throw ContainerError("The container has no window to embed " + progId + " in");

  const HostNames names{std::to_string(client_), options_.application, options_.container};
  const std::vector<std::string> words = ExpandCommand(found->exec, names);
  if (words.empty()) {
    throw ContainerError("The class " + found->progId + " in " + found->file + " names no command to start");
  }
  Start(words, found->progId);
  WaitForWindow(found->progId);
}

void X11ObjectHost::Start(const std::vector<std::string>& words, const std::string& progId) {
  std::string program = words.front();
  if (program.find('/') == std::string::npos && !options_.programDir.empty()) {
    const std::string beside = options_.programDir + "/" + program;
    if (IsExecutable(beside)) program = beside;
  }
  std::vector<std::string> env;
  for (char** e = environ; e && *e; ++e) {
    if (std::strncmp(*e, "TARVELAX_", 9) != 0) env.emplace_back(*e);
  }
  env.push_back("TARVELAX_WINDOW=" + std::to_string(client_));
  env.push_back("TARVELAX_APPLICATION=" + options_.application);
  env.push_back("TARVELAX_CONTAINER=" + options_.container);
  env.push_back("TARVELAX_PROGID=" + progId);

  std::vector<char*> argv;
  for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    throw ContainerError("Unable to start " + words.front() + " for " + progId + ": " + std::strerror(rc));
  }
  pid_ = pid;
  closed_ = false;
}

void X11ObjectHost::WaitForWindow(const std::string& progId) {
  Display* display = Connection();
  const auto deadline = Clock::now() + std::chrono::milliseconds(options_.embedTimeoutMs);
  for (;;) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      throw ContainerError(progId + " ended before it showed a window (" + ExitText(status) + ")");
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    const int errors = x_errors;
    if (XQueryTree(display, client_, &root, &parent, &children, &count) && count > 0) {
      objectWindow_ = children[count - 1];
    }
    if (children) XFree(children);
    if (x_errors != errors) {
      DestroyObject();
      throw ContainerError("The container's window is gone");
    }
    if (objectWindow_) return;
    if (Clock::now() >= deadline) {
      DestroyObject();
      throw ContainerError(progId + " showed no window within " +
                           std::to_string(options_.embedTimeoutMs / 1000.0).substr(0, 4) + " seconds");
    }
    Pause();
  }
}

void X11ObjectHost::ShowObject() {
  if (!objectWindow_) throw ContainerError("The container holds no object to show");
  Display* display = Connection();
  const int errors = x_errors;
  XMapWindow(display, objectWindow_);
  XMoveResizeWindow(display, objectWindow_, 0, 0, width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1);
  XSync(display, False);
  if (x_errors != errors) throw ContainerError("The object's window is gone");
}

void X11ObjectHost::AskToClose() {
  if (!objectWindow_ || !display_) return;
  XClientMessageEvent message{};
  message.type = ClientMessage;
  message.window = objectWindow_;
  message.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  message.format = 32;
  message.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  message.data.l[1] = CurrentTime;
  XUnmapWindow(display_, objectWindow_);
  XSendEvent(display_, objectWindow_, False, NoEventMask, reinterpret_cast<XEvent*>(&message));
  XSync(display_, False);
}

bool X11ObjectHost::Reap(int ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    int status = 0;
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_ || (r < 0 && errno == ECHILD)) return true;
    if (Clock::now() >= deadline) return false;
    Pause();
  }
}

void X11ObjectHost::DestroyObject() {
  if (pid_ <= 0) {
    Forget();
    return;
  }
  AskToClose();
  if (!Reap(options_.closeTimeoutMs)) {
    kill(pid_, SIGTERM);
    if (!Reap(options_.termTimeoutMs)) {
      kill(pid_, SIGKILL);
      int status = 0;
      while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
  }
  Forget();
}

void X11ObjectHost::Forget() {
  pid_ = -1;
  objectWindow_ = 0;
  closed_ = false;
}

}  // namespace tarvelax
