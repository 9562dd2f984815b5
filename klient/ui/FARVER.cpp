// The program's colour set, the palette that mirrors it and the brushes every painter fills with.
#include "FARVER.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>

#include "STITAB.h"

COLORREF FarveTab[kAntalFarver];
HBRUSH FarveBrush[kAntalFarver];
HBRUSH FarveSolidBrush[kAntalFarver];
HPALETTE TavoPalette = 0;
bool FaaFarver = false;

namespace {

PALETTEENTRY PaletteFarver[kAntalFarver];
// Brushes this module made (system colour brushes are not ours to delete).
bool EgenBrush[kAntalFarver];

// Theme colours of slots 50..58.
constexpr BYTE kTemaFarver[9][3] = {{79, 98, 40},    {196, 215, 155}, {219, 227, 202},
                                    {240, 240, 240}, {242, 220, 219}, {218, 150, 148},
                                    {99, 37, 35},    {255, 120, 120}, {250, 230, 230}};

// Slot of each palette file entry 0..31; -1 ignored, -2 entry 18 (slot 0,
// only with temafarver "nej" on a screen of more than 8 bits).
constexpr int kFilSlot[32] = {3,  6,  9,  12, 15, 18, 21, 24, 27, 4,  5,  7,  8,  10, 11, 13,
                              14, -1, -2, -1, -1, 33, 36, 32, 20, 22, 39, 45, 46, 47, 48, 42};

constexpr int kSolidSlots[] = {4, 5, 7, 8, 10, 11, 13, 14, 16, 17, 19, 20, 22, 30};

void SaetSlot(int slot, BYTE r, BYTE g, BYTE b) {
  FarveTab[slot] = RGB(r, g, b);
  PaletteFarver[slot] = {r, g, b, PC_RESERVED};
}

void SaetSysSlot(int slot, int sysFarve) {
  const COLORREF c = GetSysColor(sysFarve);
  SaetSlot(slot, GetRValue(c), GetGValue(c), GetBValue(c));
}

bool TemaFarverNej() {
  char buf[32] = "";
  GetPrivateProfileStringA("farver", "temafarver", "", buf, sizeof buf, StiTab.szini);
  return strcasecmp(buf, "nej") == 0;
}

void FejlBoks(const char *fil) {
  const char *navn = fil;
  for (const char *p = fil; *p; ++p)
    if (*p == '\\' || *p == '/') navn = p + 1;
  char tekst[400];
  std::snprintf(tekst, sizeof tekst, "Filen '%s' er ikke af den forventede type.", navn);
  MessageBoxA(0, tekst, "Fejl", MB_ICONINFORMATION);
}

// Reads ini\tavo.pal: a missing file changes nothing, a file of the wrong
// type is refused, and bad lines are skipped one by one.
void LaesPaletteFil(bool slot0Tilladt) {
  const std::string sti = std::string(StiTab.szdata) + "ini\\tavo.pal";
  FILE *f = fopen(sti.c_str(), "r");
  if (f == nullptr) return;
  char linie[30];
  if (std::fgets(linie, sizeof linie, f) == nullptr || std::strstr(linie, "Palette") == nullptr) {
    std::fclose(f);
    FejlBoks(sti.c_str());
    return;
  }
  while (std::fgets(linie, sizeof linie, f) != nullptr) {
    if (std::strchr(linie, '/') || std::strstr(linie, "no.")) continue;
    if (linie[0] < '0' || linie[0] > '9') continue;
    int nr, r, g, b;
    if (std::sscanf(linie, " %d (%d,%d,%d)", &nr, &r, &g, &b) != 4) continue;
    if (nr < 0 || nr > 31) continue;
    int slot = kFilSlot[nr];
    if (slot == -2) slot = slot0Tilladt ? 0 : -1;
    if (slot < 0) continue;
    SaetSlot(slot, static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b));
  }
  std::fclose(f);
}

// An 8 x 8, 4-bit checkerboard of palette colours a and b (plain for a = b).
HBRUSH FarveBrushAB(int a, int b) {
#pragma pack(push, 1)
  struct {
    BITMAPINFOHEADER hdr;
    RGBQUAD farver[16];
    BYTE pixels[8][4];
  } dib = {};
#pragma pack(pop)
  dib.hdr.biSize = sizeof dib.hdr;
  dib.hdr.biWidth = 8;
  dib.hdr.biHeight = 8;
  dib.hdr.biPlanes = 1;
  dib.hdr.biBitCount = 4;
  dib.hdr.biCompression = BI_RGB;
  dib.hdr.biClrUsed = 16;
  const PALETTEENTRY &pa = PaletteFarver[a], &pb = PaletteFarver[b];
  dib.farver[0] = {pa.peBlue, pa.peGreen, pa.peRed, 0};
  dib.farver[1] = {pb.peBlue, pb.peGreen, pb.peRed, 0};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 4; ++x) dib.pixels[y][x] = (y % 2 == 0) ? 0x01 : 0x10;
  return CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
}

void SaetBrush(int i, HBRUSH brush, bool egen) {
  FarveBrush[i] = brush;
  EgenBrush[i] = egen;
}

void FrigivAlt() {
  for (int i = 0; i < kAntalFarver; ++i) {
    if (FarveBrush[i] && EgenBrush[i]) DeleteObject(FarveBrush[i]);
    if (FarveSolidBrush[i]) DeleteObject(FarveSolidBrush[i]);
    FarveBrush[i] = FarveSolidBrush[i] = 0;
    EgenBrush[i] = false;
  }
  if (TavoPalette) DeleteObject(TavoPalette);
  TavoPalette = 0;
}

void ByggBrushes() {
  const int sysBrush[3] = {COLOR_BTNFACE, COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION};
  for (int i = 0; i < 3; ++i) {
    if (FaaFarver)
      SaetBrush(i, GetSysColorBrush(sysBrush[i]), false);
    else
      SaetBrush(i, FarveBrushAB(i, i), true);
  }
  for (int i = 3; i < kAntalFarver; ++i) {
    HBRUSH b;
    if ((i >= 45 && i <= 48) || (i >= 50 && i <= 56) || i == 58)
      b = CreateSolidBrush(PALETTEINDEX(i));
    else if (i == 49)
      b = CreateSolidBrush(PALETTEINDEX(20));
    else if (i == 59)
      b = FarveBrushAB(2, 57);
    else if (i <= 44 && i % 3 == 1 && i != 31)
      b = FarveBrushAB(1, i - 1);  // mixed with the active caption colour
    else if (i <= 44 && i % 3 == 2 && i != 32)
      b = FarveBrushAB(2, i - 2);  // mixed with the inactive caption colour
    else
      b = FarveBrushAB(i, i);
    SaetBrush(i, b, true);
  }
  for (int i : kSolidSlots) FarveSolidBrush[i] = CreateSolidBrush(PALETTEINDEX(i));
}

}  // namespace

void farver_intern::InitPaletteDybde(int bitsPrPixel) {
  FrigivAlt();
  for (int i = 0; i < kAntalFarver; ++i) SaetSlot(i, 0, 0, 0);

  SaetSysSlot(0, COLOR_WINDOW);
  SaetSysSlot(1, COLOR_ACTIVECAPTION);
  SaetSysSlot(2, COLOR_INACTIVECAPTION);
  SaetSysSlot(16, COLOR_BTNTEXT);
  SaetSysSlot(17, COLOR_CAPTIONTEXT);
  SaetSysSlot(19, COLOR_INACTIVECAPTIONTEXT);
  SaetSysSlot(30, COLOR_WINDOW);
  SaetSysSlot(31, COLOR_WINDOWTEXT);
  for (int i = 0; i < 9; ++i) SaetSlot(50 + i, kTemaFarver[i][0], kTemaFarver[i][1], kTemaFarver[i][2]);

  FaaFarver = bitsPrPixel < 9;
  LaesPaletteFil(!FaaFarver && TemaFarverNej());

  struct {
    WORD version, antal;
    PALETTEENTRY e[kAntalFarver];
  } lp;
  lp.version = 0x300;
  lp.antal = kAntalFarver;
  std::memcpy(lp.e, PaletteFarver, sizeof lp.e);
  TavoPalette = CreatePalette(reinterpret_cast<const LOGPALETTE *>(&lp));

  ByggBrushes();
}

void InitPalette() {
  HDC skaerm = GetDC(0);
  const int dybde = GetDeviceCaps(skaerm, BITSPIXEL) * GetDeviceCaps(skaerm, PLANES);
  ReleaseDC(0, skaerm);
  farver_intern::InitPaletteDybde(dybde);
}

void FrigivPalette() { FrigivAlt(); }

void FillFrameSys(HDC hdc, int sysFarve, int ydreVenstre, int ydreTop, int indreVenstre,
                  int indreTop, int indreHoejre, int indreBund, int ydreHoejre, int ydreBund) {
  FillFrame(hdc, GetSysColorBrush(sysFarve), ydreVenstre, ydreTop, indreVenstre, indreTop,
            indreHoejre, indreBund, ydreHoejre, ydreBund);
}

void FillFrame(HDC hdc, HBRUSH brush, int ydreVenstre, int ydreTop, int indreVenstre,
               int indreTop, int indreHoejre, int indreBund, int ydreHoejre, int ydreBund) {
  FillRectIfAny(hdc, brush, ydreVenstre, ydreTop, ydreHoejre, indreTop);
  FillRectIfAny(hdc, brush, ydreVenstre, indreBund, ydreHoejre, ydreBund);
  FillRectIfAny(hdc, brush, ydreVenstre, indreTop, indreVenstre, indreBund);
  FillRectIfAny(hdc, brush, indreHoejre, indreTop, ydreHoejre, indreBund);
}

bool TegnBaggrundHel = false;

void FillRectUdenKolonner(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom,
                          std::vector<std::pair<int, int>> daekket) {
  std::sort(daekket.begin(), daekket.end());
  int x = left;
  for (const auto &[fra, til] : daekket) {
    if (fra >= right) break;
    FillRectIfAny(hdc, brush, x, top, std::min(fra, right), bottom);
    x = std::max(x, til);
  }
  FillRectIfAny(hdc, brush, x, top, right, bottom);
}

void FillRectSys(HDC hdc, int sysFarve, int left, int top, int right, int bottom) {
  FillRectIfAny(hdc, GetSysColorBrush(sysFarve), left, top, right, bottom);
}

void FillRectIfAny(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom) {
  if (left >= right || top >= bottom) return;
  const RECT rc = {left, top, right, bottom};
  FillRect(hdc, &rc, brush);
}
