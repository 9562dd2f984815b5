#pragma once
// The program's colour set, the palette that mirrors it and the brushes
// every painter fills with, plus the small frame and rectangle fills.

#include <cstdint>
#include <utility>
#include <vector>

#include "windows.h"

constexpr int kAntalFarver = 60;

// COLORREF per colour index (0x00BBGGRR); slots no source sets are black.
extern COLORREF FarveTab[kAntalFarver];
// One brush per colour index (checkerboard or plain pattern brushes, solid
// palette-index brushes, or system colour brushes on a low-colour screen).
extern HBRUSH FarveBrush[kAntalFarver];
// Solid palette-index brushes for 4, 5, 7, 8, 10, 11, 13, 14, 16, 17, 19,
// 20, 22 and 30; the other entries are 0.
extern HBRUSH FarveSolidBrush[kAntalFarver];
// The program palette: 60 entries, entry i = FarveTab[i], PC_RESERVED.
extern HPALETTE TavoPalette;
// Set when the screen has at most 8 bits per pixel.
extern bool FaaFarver;

// Builds the colour set, the palette and the brushes; reads ini\tavo.pal of
// the data folder and [farver] temafarver of ini\tavo.ini. Called once at
// start-up (again only by tests, which get everything rebuilt).
void InitPalette();
// Deletes the palette and every brush of the colour set (at exit).
void FrigivPalette();

// Fills the band between the outer and the inner rectangle as up to four
// rectangles (right and bottom exclusive), each only when it is not empty.
void FillFrameSys(HDC hdc, int sysFarve, int ydreVenstre, int ydreTop, int indreVenstre,
                  int indreTop, int indreHoejre, int indreBund, int ydreHoejre, int ydreBund);
void FillFrame(HDC hdc, HBRUSH brush, int ydreVenstre, int ydreTop, int indreVenstre,
               int indreTop, int indreHoejre, int indreBund, int ydreHoejre, int ydreBund);
// Fills left..right-1 x top..bottom-1 when it is not empty.
void FillRectSys(HDC hdc, int sysFarve, int left, int top, int right, int bottom);
void FillRectIfAny(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom);
// Fills left..right-1 x top..bottom-1 but for the columns of the runs
// [first, second) of daekket, which the caller fills over it afterwards.
void FillRectUdenKolonner(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom,
                          std::vector<std::pair<int, int>> daekket);

// Tests only. The grid painters leave out the background under what they
// cover afterwards with opaque fills of their own; set, they fill it whole
// first as they once did, the order the pixel tests hold them against.
extern bool TegnBaggrundHel;

namespace farver_intern {
// InitPalette with a given screen depth (bits per pixel x planes).
void InitPaletteDybde(int bitsPrPixel);
}  // namespace farver_intern
