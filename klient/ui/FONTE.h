#pragma once
// The program's fonts, installed from the font files of the data folder's
// ini folder, and the title band size derived from the standard font.

#include <cstdint>

#include "windows.h"

extern HFONT TxtFont;         // "Tvo11x8Txt" 11 x 8, the grid text font
extern HFONT TxtFontFed;      // "Tvo11x8Txt" 11 x 0, weight 600
extern HFONT TxtFontLodret;   // "Tvo11x8Txt" 11 x 8, upward
extern HFONT SansFont;        // "Microsoft Sans Serif" 12 x 5
extern HFONT SansFontFed;     // the same, weight 600
extern HFONT TgnFont;         // "Tvo11x8Tgn" 11 x 0
extern HFONT BlkFontStor;     // "Blk14x12" 14 x 0
extern HFONT BlkFontLille;    // "Blk11x14" 11 x 0
extern HFONT ElevFont;        // "Elv11x11" 11 x 11; 0 without ini\Elv11x11.ttf
extern HFONT BSFont;          // "TavoFont BS11x3" 11 x 0
extern HFONT StdFont;         // the stock default GUI font
extern HFONT TitelFontLodret; // "Arial" h x 5, downward

extern int StdFontHoejde;  // text height h of StdFont
extern int StdFontBredde;  // its average character width
extern int TitelBaand;     // title band B of the screen layout: h + 2 (h even), h + 1 (h odd)

// Adds the font files and creates the fonts; StdFont is selected into a DC
// of the main window that stays taken until UnloadFonts.
void LoadFonts(HWND hwndMain);
void UnloadFonts();

// B for a standard font of text height h.
int TitelBaandFraHoejde(int h);
