// xvindue: a window of the X server in $DISPLAY, found by (part of) its
// title.
//
//   xvindue vent TITEL [SEKUNDER]  waits until the window is shown and its
//                                   picture has settled; 0, or 1 on time-out
//   xvindue foto FIL.png           the whole screen as a PNG file
//   xvindue luk TITEL              asks the window to close, as a window
//                                   manager does (WM_DELETE_WINDOW)
//   xvindue findes TITEL           0 while such a window is shown, else 1
//   xvindue sted TITEL             the window's place and size on the screen:
//                                   "x y bredde hoejde"; 1 when not shown
//   xvindue ved X Y                the top shown window over a screen point:
//                                   "0xID titel"; 1 when there is none

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

int Brug() {
  std::fprintf(stderr,
               "brug: xvindue vent TITEL [SEKUNDER] | foto FIL.png | luk TITEL | findes TITEL | sted TITEL | ved X Y\n");
  return 2;
}

std::string Titel(Display *d, Window w) {
  char *navn = nullptr;
  std::string t;
  if (XFetchName(d, w, &navn) && navn) t = navn;
  if (navn) XFree(navn);
  return t;
}

// The first shown top-level window whose title holds the text; 0 for none.
Window Find(Display *d, const std::string &tekst) {
  Window rod, forael, *boern = nullptr, fundet = 0;
  unsigned n = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &rod, &forael, &boern, &n)) return 0;
  for (unsigned i = 0; i < n && !fundet; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, boern[i], &a) || a.map_state != IsViewable) continue;
    if (Titel(d, boern[i]).find(tekst) != std::string::npos) fundet = boern[i];
  }
  if (boern) XFree(boern);
  return fundet;
}

// The part of the screen the window covers, to see when its painting has
// settled (read from the screen: a window reaching past its edge cannot be
// read on its own).
std::vector<unsigned long> Pixels(Display *d, Window w) {
  std::vector<unsigned long> p;
  XWindowAttributes a, skaerm;
  Window barn;
  int x0 = 0, y0 = 0;
  if (!XGetWindowAttributes(d, w, &a) || !XGetWindowAttributes(d, DefaultRootWindow(d), &skaerm) ||
      !XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x0, &y0, &barn))
    return p;
  const int x1 = std::max(0, x0), y1 = std::max(0, y0);
  const int x2 = std::min(skaerm.width, x0 + a.width), y2 = std::min(skaerm.height, y0 + a.height);
  if (x2 <= x1 || y2 <= y1) return p;
  XImage *img = XGetImage(d, DefaultRootWindow(d), x1, y1, x2 - x1, y2 - y1, AllPlanes, ZPixmap);
  if (!img) return p;
  for (int y = 0; y < y2 - y1; y += 4)
    for (int x = 0; x < x2 - x1; x += 4) p.push_back(XGetPixel(img, x, y));
  XDestroyImage(img);
  return p;
}

bool Ensfarvet(const std::vector<unsigned long> &p) {
  for (unsigned long v : p)
    if (v != p.front()) return false;
  return true;
}

int Vent(Display *d, const std::string &titel, double sekunder) {
  const auto slut = std::chrono::steady_clock::now() + std::chrono::milliseconds((long)(sekunder * 1000));
  std::vector<unsigned long> sidst;
  int ens = 0;
  while (std::chrono::steady_clock::now() < slut) {
    if (Window w = Find(d, titel)) {
      std::vector<unsigned long> p = Pixels(d, w);
      // Settled: the same picture, not one plain colour, three looks in a row.
      ens = (!p.empty() && p == sidst && !Ensfarvet(p)) ? ens + 1 : 0;
      sidst = p;
      if (ens >= 3) {
        std::printf("0x%lx\n", (unsigned long)w);
        return 0;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::fprintf(stderr, "xvindue: intet færdigt vindue med titlen \"%s\"\n", titel.c_str());
  return 1;
}

int Foto(Display *d, const char *fil) {
  Window rod = DefaultRootWindow(d);
  XWindowAttributes a;
  XGetWindowAttributes(d, rod, &a);
  XImage *img = XGetImage(d, rod, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!img) return 1;
  cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, a.width, a.height);
  unsigned char *data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < a.height; ++y) {
    auto *linje = reinterpret_cast<uint32_t *>(data + (size_t)y * stride);
    for (int x = 0; x < a.width; ++x) linje[x] = (uint32_t)(XGetPixel(img, x, y) & 0xFFFFFF);
  }
  cairo_surface_mark_dirty(s);
  XDestroyImage(img);
  const bool ok = cairo_surface_write_to_png(s, fil) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(s);
  return ok ? 0 : 1;
}

// Where a window lies on the screen.
bool Sted(Display *d, Window w, int *x, int *y, int *b, int *h) {
  XWindowAttributes a;
  Window barn;
  if (!XGetWindowAttributes(d, w, &a) || !XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, x, y, &barn))
    return false;
  *b = a.width;
  *h = a.height;
  return true;
}

int VisSted(Display *d, const std::string &titel) {
  Window w = Find(d, titel);
  int x, y, b, h;
  if (!w || !Sted(d, w, &x, &y, &b, &h)) return 1;
  std::printf("%d %d %d %d\n", x, y, b, h);
  return 0;
}

// The server lists the top-level windows from the bottom up: the last
// shown one over the point is on top.
int Ved(Display *d, int px, int py) {
  Window rod, forael, *boern = nullptr, fundet = 0;
  unsigned n = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &rod, &forael, &boern, &n)) return 1;
  for (unsigned i = 0; i < n; ++i) {
    XWindowAttributes a;
    int x, y, b, h;
    if (!XGetWindowAttributes(d, boern[i], &a) || a.map_state != IsViewable) continue;
    if (Sted(d, boern[i], &x, &y, &b, &h) && px >= x && px < x + b && py >= y && py < y + h) fundet = boern[i];
  }
  if (boern) XFree(boern);
  if (!fundet) return 1;
  std::printf("0x%lx %s\n", (unsigned long)fundet, Titel(d, fundet).c_str());
  return 0;
}

int Luk(Display *d, const std::string &titel) {
  Window w = Find(d, titel);
  if (!w) return 1;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &e);
  XFlush(d);
  return 0;
}

}  // namespace

// A window that goes away while it is looked at is no reason to stop.
int IgnorerFejl(Display *, XErrorEvent *) { return 0; }

int main(int argc, char **argv) {
  if (argc < 3) return Brug();
  XSetErrorHandler(IgnorerFejl);
  Display *d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "xvindue: ingen X-server i DISPLAY\n");
    return 1;
  }
  const std::string kommando = argv[1];
  int r;
  if (kommando == "vent") r = Vent(d, argv[2], argc > 3 ? std::atof(argv[3]) : 60);
  else if (kommando == "foto") r = Foto(d, argv[2]);
  else if (kommando == "luk") r = Luk(d, argv[2]);
  else if (kommando == "findes") r = Find(d, argv[2]) ? 0 : 1;
  else if (kommando == "sted") r = VisSted(d, argv[2]);
  else if (kommando == "ved" && argc > 3) r = Ved(d, std::atoi(argv[2]), std::atoi(argv[3]));
  else r = Brug();
  XCloseDisplay(d);
  return r;
}
