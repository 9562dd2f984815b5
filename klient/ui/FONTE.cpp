// The program's fonts, installed from the ini folder, and the title band size they give.
#include "FONTE.h"

#include <string>

#include "STITAB.h"

HFONT TxtFont = 0;
HFONT TxtFontFed = 0;
HFONT TxtFontLodret = 0;
HFONT SansFont = 0;
HFONT SansFontFed = 0;
HFONT TgnFont = 0;
HFONT BlkFontStor = 0;
HFONT BlkFontLille = 0;
HFONT ElevFont = 0;
HFONT BSFont = 0;
HFONT StdFont = 0;
HFONT TitelFontLodret = 0;

int StdFontHoejde = 0;
int StdFontBredde = 0;
int TitelBaand = 0;

namespace {

struct FontFil {
  const char *navn;
  bool delt;  // added for all programs, not privately
  bool tilfoejet;
  std::string sti;
};

FontFil FontFiler[] = {
    {"Elv11x11.ttf", false, false, {}},   {"Tvo9x6.ttf", true, false, {}},
    {"Tvo11x8Txt.ttf", false, false, {}}, {"Tvo11x8Tgn.ttf", false, false, {}},
    {"Blk14x12.ttf", false, false, {}},   {"Blk11x14.ttf", false, false, {}},
    {"BS11x3.ttf", false, false, {}},
};

HWND HovedVindue = 0;
HDC HovedDC = 0;
HGDIOBJ GammelFont = 0;

HFONT Font(int hoejde, int bredde, int vinkel, int vaegt, DWORD kvalitet, const char *navn) {
  return CreateFontA(hoejde, bredde, vinkel, vinkel, vaegt, 0, 0, 0, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, kvalitet, DEFAULT_PITCH, navn);
}

void Slet(HFONT &f) {
  if (f) DeleteObject(f);
  f = 0;
}

}  // namespace

int TitelBaandFraHoejde(int h) { return h % 2 == 0 ? h + 2 : h + 1; }

void LoadFonts(HWND hwndMain) {
  for (FontFil &f : FontFiler) {
    f.sti = std::string(StiTab.szdata) + "ini\\" + f.navn;
    f.tilfoejet = false;
    if (GetFileAttributesA(f.sti.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    const int n = f.delt ? AddFontResourceA(f.sti.c_str())
                         : AddFontResourceExA(f.sti.c_str(), FR_PRIVATE, nullptr);
    f.tilfoejet = n > 0;
  }

  TxtFont = Font(11, 8, 0, 0, DRAFT_QUALITY, "Tvo11x8Txt");
  TxtFontFed = Font(11, 0, 0, FW_SEMIBOLD, DEFAULT_QUALITY, "Tvo11x8Txt");
  TxtFontLodret = Font(11, 8, 900, 0, DEFAULT_QUALITY, "Tvo11x8Txt");
  SansFont = Font(12, 5, 0, 0, DRAFT_QUALITY, "Microsoft Sans Serif");
  SansFontFed = Font(12, 5, 0, FW_SEMIBOLD, DEFAULT_QUALITY, "Microsoft Sans Serif");
  TgnFont = Font(11, 0, 0, 0, DRAFT_QUALITY, "Tvo11x8Tgn");
  BlkFontStor = Font(14, 0, 0, 0, DEFAULT_QUALITY, "Blk14x12");
  BlkFontLille = Font(11, 0, 0, 0, DEFAULT_QUALITY, "Blk11x14");
  if (FontFiler[0].tilfoejet) ElevFont = Font(11, 11, 0, 0, DRAFT_QUALITY, "Elv11x11");
  BSFont = Font(11, 0, 0, 0, DEFAULT_QUALITY, "TavoFont BS11x3");

  StdFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HovedVindue = hwndMain;
  HovedDC = GetDC(hwndMain);
  GammelFont = SelectObject(HovedDC, StdFont);
  TEXTMETRICA tm = {};
  GetTextMetricsA(HovedDC, &tm);
  StdFontHoejde = tm.tmHeight;
  StdFontBredde = tm.tmAveCharWidth;
  TitelBaand = TitelBaandFraHoejde(StdFontHoejde);
  TitelFontLodret = Font(StdFontHoejde, 5, 2700, 0, DEFAULT_QUALITY, "Arial");
}

void UnloadFonts() {
  if (HovedDC) {
    SelectObject(HovedDC, GammelFont);
    ReleaseDC(HovedVindue, HovedDC);
  }
  HovedDC = 0;
  GammelFont = 0;
  for (HFONT *f : {&TxtFont, &TxtFontFed, &TxtFontLodret, &SansFont, &SansFontFed, &TgnFont,
                   &BlkFontStor, &BlkFontLille, &ElevFont, &BSFont, &TitelFontLodret})
    Slet(*f);
  StdFont = 0;  // a stock object, not ours to delete
  for (FontFil &f : FontFiler) {
    if (!f.tilfoejet) continue;
    if (f.delt)
      RemoveFontResourceA(f.sti.c_str());
    else
      RemoveFontResourceExA(f.sti.c_str(), FR_PRIVATE, nullptr);
    f.tilfoejet = false;
  }
}
