// Starting the dialog program and talking to it.
#include "dialog_helper_posix.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/platform.h"
#include "posix/utf8_posix.h"

extern char** environ;

namespace morvik::dialogs {
namespace {

constexpr const char* kHelperName = "morvik-dialogs";
// The request is written into the pipe before the program starts, so it must
// fit the pipe's buffer (64 KiB on Linux; the guaranteed minimum is 4 KiB,
// but fcntl can raise it when needed).
constexpr std::size_t kMaxRequestBytes = 60000;
// An answer is at most one field of text; anything beyond this is refused.
constexpr std::size_t kMaxReplyBytes = 4u << 20;

// The folder of the shared object that holds this code.
std::string LibraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&RunDialogHelper), &info) == 0 || info.dli_fname == nullptr) {
    return std::string();
  }
  std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return path.substr(0, slash == 0 ? 1 : slash);
}

bool HasDisplay() {
  const char* x11 = getenv("DISPLAY");
  const char* wayland = getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

// A descriptor above the three standard ones, closed on exec: a client that
// closed its standard input must not see a pipe end land on descriptor 0.
int MoveAboveStandard(int fd) {
  if (fd > 2) {
    return fd;
  }
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  close(fd);
  return moved;
}

bool MakePipe(int ends[2]) {
  if (pipe2(ends, O_CLOEXEC) != 0) {
    return false;
  }
  ends[0] = MoveAboveStandard(ends[0]);
  ends[1] = MoveAboveStandard(ends[1]);
  if (ends[0] < 0 || ends[1] < 0) {
    if (ends[0] >= 0) close(ends[0]);
    if (ends[1] >= 0) close(ends[1]);
    return false;
  }
  return true;
}

void CloseIfOpen(int& fd) {
  if (fd >= 0) {
    close(fd);
    fd = -1;
  }
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads until end of file; false on a read error or an oversized answer.
bool ReadAll(int fd, std::string* out) {
  char chunk[4096];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      return false;
    }
    if (n == 0) {
      return true;
    }
    if (out->size() + static_cast<std::size_t>(n) > kMaxReplyBytes) {
      return false;
    }
    out->append(chunk, static_cast<std::size_t>(n));
  }
}

// Waits for the program; -1 when its status is unknown (a client that
// ignores SIGCHLD has its children reaped for it).
int WaitForExit(pid_t pid) {
  int status = 0;
  for (;;) {
    const pid_t r = waitpid(pid, &status, 0);
    if (r == pid) {
      if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
      }
      return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    }
    if (r < 0 && errno == EINTR) {
      continue;
    }
    return -1;
  }
}

}  // namespace

std::string ToUtf8(const MorvikChar* text) {
  std::string out;
  if (text == nullptr) {
    return out;
  }
  char bytes[4];
  while (*text != 0) {
    out.append(bytes, static_cast<std::size_t>(platform::PutUtf8(platform::NextCodePoint(text), bytes)));
  }
  return out;
}

std::u16string FromUtf8(const std::string& text) {
  std::u16string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = s[i];
    char32_t c = 0xFFFD;
    std::size_t length = 1;
    std::size_t need = 0;
    char32_t least = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      need = 1, c = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      need = 2, c = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      need = 3, c = b & 0x07, least = 0x10000;
    }
    if (need > 0) {
      std::size_t k = 1;
      while (k <= need && i + k < n && (s[i + k] & 0xC0) == 0x80) {
        c = (c << 6) | (s[i + k] & 0x3F);
        ++k;
      }
      if (k == need + 1 && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF)) {
        length = k;
      } else {
        c = 0xFFFD;
        length = k;
      }
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += length;
  }
  return out;
}

void ReportDialogProblem(const char* operationName, const std::string& message) {
  try {
    const std::u16string line = FromUtf8(std::string(operationName) + ": " + message + "\r\n");
    platform::DebugOutput(reinterpret_cast<const MorvikChar*>(line.c_str()));
  } catch (...) {
  }
}

HelperResult RunDialogHelper(const char* operationName, const char* operation,
                             const std::vector<std::string>& fields, std::string* reply) {
  reply->clear();
  if (!HasDisplay()) {
    ReportDialogProblem(operationName, "No display to show the dialog on (DISPLAY is not set)");
    return HelperResult::kUnavailable;
  }
  const std::string folder = LibraryFolder();
  if (folder.empty()) {
    ReportDialogProblem(operationName, "Cannot find the folder of the library");
    return HelperResult::kUnavailable;
  }
  const std::string helper = folder + "/" + kHelperName;
  if (access(helper.c_str(), X_OK) != 0) {
    ReportDialogProblem(operationName, "The dialog component " + helper + " is missing");
    return HelperResult::kUnavailable;
  }

  std::string request;
  for (const std::string& field : fields) {
    request += field;
    request += '\0';
  }
  if (request.size() > kMaxRequestBytes) {
    ReportDialogProblem(operationName, "The texts of the dialog are too long");
    return HelperResult::kUnavailable;
  }

  int input[2] = {-1, -1};
  int output[2] = {-1, -1};
  if (!MakePipe(input)) {
    ReportDialogProblem(operationName, std::string("Cannot create a pipe: ") + strerror(errno));
    return HelperResult::kUnavailable;
  }
  if (!MakePipe(output)) {
    ReportDialogProblem(operationName, std::string("Cannot create a pipe: ") + strerror(errno));
    CloseIfOpen(input[0]);
    CloseIfOpen(input[1]);
    return HelperResult::kUnavailable;
  }
  // The whole request goes into the pipe before the program runs, while this
  // process still holds the read end: no write can block or raise SIGPIPE.
  fcntl(input[1], F_SETFL, O_NONBLOCK);
  const bool sent = WriteAll(input[1], request);
  CloseIfOpen(input[1]);

  pid_t pid = -1;
  int spawnError = 0;
  if (sent) {
    posix_spawn_file_actions_t actions;
    spawnError = posix_spawn_file_actions_init(&actions);
    if (spawnError == 0) {
      posix_spawnattr_t attributes;
      spawnError = posix_spawnattr_init(&attributes);
      if (spawnError == 0) {
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        // Descriptors the client left open on exec are none of the program's business.
        posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
        // The calling thread's blocked signals and an ignored SIGPIPE are the
        // client's choices, not the program's.
        sigset_t none;
        sigset_t defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        std::string helperArg = helper;
        std::string operationArg = operation;
        char* argv[] = {helperArg.data(), operationArg.data(), nullptr};
        spawnError = posix_spawn(&pid, helper.c_str(), &actions, &attributes, argv, environ);
        posix_spawnattr_destroy(&attributes);
      }
      posix_spawn_file_actions_destroy(&actions);
    }
  }
  CloseIfOpen(input[0]);
  CloseIfOpen(output[1]);
  if (!sent || spawnError != 0) {
    CloseIfOpen(output[0]);
    ReportDialogProblem(operationName, sent ? std::string("Cannot start ") + helper + ": " + strerror(spawnError)
                                            : std::string("Cannot pass the texts to the dialog component"));
    return HelperResult::kUnavailable;
  }

  std::string answer;
  const bool complete = ReadAll(output[0], &answer);
  CloseIfOpen(output[0]);
  const int status = WaitForExit(pid);
  if (complete && !answer.empty() && answer[0] == 'E') {
    ReportDialogProblem(operationName, "The dialog component failed: " + answer.substr(1, 300));
    return HelperResult::kUnavailable;
  }
  if (!complete || answer.empty() || (answer[0] != '0' && answer[0] != '1')) {
    ReportDialogProblem(operationName,
                        "The dialog component gave no answer (exit status " + std::to_string(status) + ")");
    return HelperResult::kUnavailable;
  }
  if (answer[0] == '0') {
    return HelperResult::kDeclined;
  }
  reply->assign(answer, 1, std::string::npos);
  return HelperResult::kAccepted;
}

}  // namespace morvik::dialogs
