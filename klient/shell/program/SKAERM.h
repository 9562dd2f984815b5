#pragma once
// The user's nine saved screens ("Egne vinduer") in ini\skrm.ini: the main
// window's place, the object windows with their rectangles and the element
// cells of the screen layout, listed in the menu as 1001..1009 and recalled
// by Ctrl+Shift+1..9; the dialogs that save, rename and delete them; the
// cascade in which windows opened from the menu are placed; and the routines
// that find, add and remove menu entries. Main thread only.

#include <cstdint>

#include "windows.h"

constexpr int kAntalSkaerme = 9;
constexpr int kSkaermNavnLaengde = 80;  // 79 characters and the terminator
// At most this many object windows come back with a screen.
constexpr int kSkaermVinduer = 25;

// Menu entries.
constexpr UINT kMenuGemSkaerm = 40192;
constexpr UINT kMenuOmdoebSkaerm = 40193;
constexpr UINT kMenuSletSkaerm = 40194;
constexpr UINT kMenuSkaermSkille = 1000;  // the separator; screen N is 1000 + N
constexpr UINT kMenuUntisImport = 40200;
constexpr UINT kMenuNyheder = 40224;
constexpr UINT kMenuEksternImport = 40272;

#define SKAERM_AKTIVER 1100  // to the student planning window of a restored screen
#define OBJVINDUE_TYPE 1133  // to an object window: its type

// The screen last restored (0: none, or the Elevplan screen).
extern uint8_t aktuelSkaerm;
// The object windows restores opened since the windows were last closed.
extern uint32_t &gendanneVinduer;
// Where the next window opened from the menu goes, in desktop coordinates.
extern POINT kaskadePos;

// What each dialog keeps: the screens its combo box lists, in its order,
// and the names of the nine slots.
struct SkaermDlgRec {
  HWND hDlg;
  int Antal;
  int Nr[kAntalSkaerme];
  char Navne[kAntalSkaerme + 1][kSkaermNavnLaengde];
};

// One object window of a saved screen.
struct SkaermVindue {
  int32_t Type;
  RECT Rekt;     // relative to the desktop's top-left corner
  bool MedRekt;  // false: missing, damaged, turned round or larger than a layout can be
};
// The windows of screen n in the file, window 0 first (a file saved without
// a student planning window has none and begins at window 1), up to the
// first missing or damaged type or one below 1, at most kSkaermVinduer.
int LaesSkaermVinduer(const char *fil, long n, SkaermVindue ud[kSkaermVinduer]);
// A rectangle that would leave its window wholly outside a desktop of that
// size is moved back onto it, keeping its size; any other stands as saved.
RECT PaaDesktop(RECT r, LONG bredde, LONG hoejde);

// Restores screen n (1..9); nothing for a free slot or another number.
void HentSkaerm(long n);
// Saves the screen as it stands in the slot selected in the dialog, under
// the name in its name box. False (after showing why) when it could not be
// written.
bool GemSkaerm(SkaermDlgRec *rec);
void VisSkaermeIMenu();
void FjernSkaermeFraMenu();

INT_PTR CALLBACK GemSkaermDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OmdoebSkaermDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SletSkaermDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Opens dialog 129, 130 or 131 modally over the owner; its result.
INT_PTR VisSkaermDialog(HWND ejer, int dialog);

// Opens the window type through the factory at the next cascade place
// (restart: at the desktop's corner) and moves the cascade on by the
// caption height + 3 when a window was made.
HWND AabnKaskadeVindue(HWND hoved, int type, LPARAM lParam, bool genstart);

// Searches the menu depth first for the command; *fundet tells whether it
// was found, and then *holder and *pos are the submenu holding it and its
// position there.
void FindMenuPunkt(HMENU menu, BOOL *fundet, HMENU *holder, int *pos, UINT id);
// The position of the first top-level popup that holds "&Nyheder".
void FindNyhederMenuPos(HMENU menu, BOOL *fundet, int *pos);
// Removes the entry from the main window's menu; nothing when it is not there.
void FjernMenuPunkt(UINT id);
// Adds "Ekstern skema import" beside "&Untis import" once.
void TilfoejEksternImportMenu();
