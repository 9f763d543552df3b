// TarvelAX.Sample for the Linux host: an X11 client that embeds itself in
// the window named on its command line (the container's client area), and
// draws its own name, the host names it was given and a click counter.
//
//   tarvelax-sample --into WINDOW [--application TITLE] [--container NAME]
//
// Without --application or --container the names come from the environment
// the container sets (TARVELAX_APPLICATION, TARVELAX_CONTAINER). The window
// waits to be mapped by the host, follows the size the host gives it and
// ends on WM_DELETE_WINDOW or when its host window goes away.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kProgId = "TarvelAX.Sample";

struct Options {
  Window into = 0;
  std::string application;
  std::string container;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  if (const char* app = std::getenv("TARVELAX_APPLICATION")) options.application = app;
  if (const char* name = std::getenv("TARVELAX_CONTAINER")) options.container = name;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (arg == "--into") {
      char* end = nullptr;
      const unsigned long id = std::strtoul(value, &end, 0);
      if (end == value || *end != '\0' || id == 0) return false;
      options.into = static_cast<Window>(id);
    } else if (arg == "--application") {
      options.application = value;
    } else if (arg == "--container") {
      options.container = value;
    } else {
      return false;
    }
  }
  return options.into != 0;
}

int ignored_errors = 0;
int CountError(Display*, XErrorEvent*) {
  ++ignored_errors;
  return 0;
}

XFontStruct* LoadFont(Display* display, const char* const* names) {
  for (const char* const* name = names; *name; ++name) {
    if (XFontStruct* font = XLoadQueryFont(display, *name)) return font;
  }
  return XLoadQueryFont(display, "fixed");
}

class SampleObject {
public:
  SampleObject(Display* display, const Options& options) : display_(display), options_(options) {}

  bool Create() {
    XWindowAttributes parent{};
    if (!XGetWindowAttributes(display_, options_.into, &parent)) return false;
    const int screen = DefaultScreen(display_);
    white_ = WhitePixel(display_, screen);
    black_ = BlackPixel(display_, screen);
    accent_ = Colour("#1f4e8c", black_);
    window_ = XCreateSimpleWindow(display_, options_.into, 0, 0, Positive(parent.width), Positive(parent.height),
                                  0, black_, white_);
    width_ = Positive(parent.width);
    height_ = Positive(parent.height);
    XSelectInput(display_, window_, ExposureMask | ButtonPressMask | StructureNotifyMask);
    XStoreName(display_, window_, kProgId);
    XClassHint hint{const_cast<char*>("tarvelax-sample"), const_cast<char*>("TarvelAXSample")};
    XSetClassHint(display_, window_, &hint);
    const long pid = static_cast<long>(getpid());
    XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    wm_protocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    wm_delete_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &wm_delete_, 1);
    // Watch the host window too: when it goes, so do we.
    XSelectInput(display_, options_.into, StructureNotifyMask);

    static const char* const kTitleFonts[] = {"-*-nimbus sans-bold-r-normal--28-*-*-*-*-*-iso8859-1",
                                              "-*-helvetica-bold-r-normal--24-*-*-*-*-*-*-*", nullptr};
    static const char* const kTextFonts[] = {"-*-nimbus sans-regular-r-normal--18-*-*-*-*-*-iso8859-1",
                                             "-*-helvetica-medium-r-normal--17-*-*-*-*-*-*-*", nullptr};
    title_font_ = LoadFont(display_, kTitleFonts);
    text_font_ = LoadFont(display_, kTextFonts);
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    XFlush(display_);
    return true;
  }

  int Run() {
    for (;;) {
      XEvent event;
      XNextEvent(display_, &event);
      switch (event.type) {
        case Expose:
          if (event.xexpose.count == 0) Draw();
          break;
        case ConfigureNotify:
          if (event.xconfigure.window == window_) {
            width_ = event.xconfigure.width;
            height_ = event.xconfigure.height;
            Draw();
          }
          break;
        case ButtonPress:
          if (event.xbutton.button == Button1) {
            ++clicks_;
            Draw();
          }
          break;
        case ClientMessage:
          if (event.xclient.message_type == wm_protocols_ &&
              static_cast<Atom>(event.xclient.data.l[0]) == wm_delete_) {
            return 0;
          }
          break;
        case DestroyNotify:
          if (event.xdestroywindow.window == options_.into || event.xdestroywindow.window == window_) return 0;
          break;
        default:
          break;
      }
    }
  }

private:
  static unsigned Positive(int v) { return v > 0 ? static_cast<unsigned>(v) : 1u; }

  unsigned long Colour(const char* name, unsigned long fallback) {
    XColor colour{};
    const Colormap map = DefaultColormap(display_, DefaultScreen(display_));
    if (XParseColor(display_, map, name, &colour) && XAllocColor(display_, map, &colour)) return colour.pixel;
    return fallback;
  }

  void Text(XFontStruct* font, int x, int y, const std::string& text) {
    if (font) XSetFont(display_, gc_, font->fid);
    XDrawString(display_, window_, gc_, x, y, text.c_str(), static_cast<int>(text.size()));
  }

  int LineHeight(XFontStruct* font) const { return font ? font->ascent + font->descent + 6 : 16; }

  void Draw() {
    XSetForeground(display_, gc_, white_);
    XFillRectangle(display_, window_, gc_, 0, 0, Positive(width_), Positive(height_));
    XSetForeground(display_, gc_, accent_);
    XSetLineAttributes(display_, gc_, 4, LineSolid, CapButt, JoinMiter);
    XDrawRectangle(display_, window_, gc_, 2, 2, Positive(width_ - 5), Positive(height_ - 5));
    const int x = 24;
    int y = 24 + LineHeight(title_font_);
    Text(title_font_, x, y, kProgId);
    XSetForeground(display_, gc_, black_);
    y += LineHeight(title_font_) / 2;
    const std::string lines[] = {
        "Application: " + (options_.application.empty() ? std::string("(none given)") : options_.application),
        "Container: " + (options_.container.empty() ? std::string("(none given)") : options_.container),
        "Clicks: " + std::to_string(clicks_),
        "Click anywhere in this area to count.",
    };
    for (const std::string& line : lines) {
      y += LineHeight(text_font_);
      Text(text_font_, x, y, line);
    }
    XFlush(display_);
  }

  Display* display_;
  Options options_;
  Window window_ = 0;
  GC gc_ = nullptr;
  XFontStruct* title_font_ = nullptr;
  XFontStruct* text_font_ = nullptr;
  Atom wm_protocols_ = 0;
  Atom wm_delete_ = 0;
  unsigned long white_ = 0, black_ = 0, accent_ = 0;
  int width_ = 1, height_ = 1;
  int clicks_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s --into WINDOW [--application TITLE] [--container NAME]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the display\n", kProgId);
    return 1;
  }
  XSetErrorHandler(CountError);
  SampleObject object(display, options);
  if (!object.Create()) {
    std::fprintf(stderr, "%s: window 0x%lx does not exist\n", kProgId, static_cast<unsigned long>(options.into));
    XCloseDisplay(display);
    return 1;
  }
  const int status = object.Run();
  XCloseDisplay(display);
  return status;
}
