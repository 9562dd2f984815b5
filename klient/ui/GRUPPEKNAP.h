#pragma once
// The group button of a grid window's toolbar (GroupWndClass): it shows the
// chosen group of its kind and drops the kind's 32 names as a list under
// itself; and the names dialog (template 114) that edits the group names. A
// group number that arrives in a message is taken only in 0..31: the names
// have 32 entries and the owners shift a 32-bit mask by it.

#include <cstdint>

#include "BESKEDER.h"
#include "windows.h"


constexpr int kGruppeAlle = 31;
constexpr int kGruppeListeHoejde = 145;
constexpr int IDD_GRUPPENAVNE = 114;

struct GruppeKnapWS {
  HINSTANCE instance;
  HWND owner;  // receives GRUPPE_VALGT
  HWND liste;  // the drop-down list (ListBoxWndClass)
  int32_t x, y, width, height;
  HDC dc;
  HFONT oldFont;
  uint8_t art;     // 'K' activities, 'M' employees, 'L' rooms
  uint8_t gruppe;  // 0..31
};

// Per kind (GRP_AKTI, GRP_ANFO, GRP_LOKA): the width of the widest of the
// names 0..30 in the list's font, plus 7; the width of the button's list.
extern int32_t GruppeListeBredde[3];
// Measures the names; once at start-up after HentGruppeNavne.
void BeregnGruppeListeBredder();
// 'K', 'M', 'L' to GRP_AKTI, GRP_ANFO, GRP_LOKA; -1 for another letter.
int GruppeArtIndeks(char bogstav);

LRESULT CALLBACK GroupWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A GroupWndClass child of the owner showing `gruppe` (another number than
// 0..31 shows group 0).
HWND CreateGroupWnd(HINSTANCE inst, HWND owner, int x, int y, int bredde, int hoejde, char art, uint8_t gruppe);

// Dialog 114 "Grupper", opened modally over the main window by menu
// command 40100. Ends with 1 after OK, 2 otherwise.
INT_PTR CALLBACK GruppeNavneDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
void RegistrerGruppeNavneSkabelon();
