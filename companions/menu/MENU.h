#pragma once
// The start menu TavoMenu: its start-up checks, the full-screen menu window
// with dialog 102, the start of the main program (read-write or read-only)
// or of a waiting update package, and the desktop shortcut's icon. The
// program-wide state is set once at start-up and read by the maintenance
// dialogs.

#include <cstdint>
#include <string>
#include <vector>

#include "MENUHJAELP.h"
#include "windows.h"

constexpr int kMenuSti = 520;

// The program-wide state of the start menu.
struct MenuTilstand {
  char ProgramMappe[kMenuSti];  // from -p, ends in a backslash
  char DataMappe[kMenuSti];     // from -d, ends in a backslash
  char IniFil[kMenuSti + 16];   // <data folder>ini\tavo.ini
  int Insnr;
  uint16_t Version;             // major*10000 + minor*100 + patch
  int Laast;                    // skemalåst "ja" and supertavo "nej"
  char SuperTavo[11];
  char FlytDrev[4];
  char OmLinje[600];            // painted at the foot of the menu window
  HFONT BannerFont, OverskriftFont, UnderFont;
  HWND hMenuWnd;
  TekstLed *DrevListe;          // made by the advanced dialog
  HWND FokusForrige;            // the control whose marker dialog 102 painted last
};
extern MenuTilstand g_Menu;

// The message the menu window posts to itself on creation; on it dialog
// 102 runs.
constexpr UINT WM_MENU_START = WM_USER + 1;

// The entry point. Always 0.
int MenuWinMain(HINSTANCE instans, HINSTANCE forrige, LPSTR linje, int vis);

// The two folders from the process's command line (buffers of kMenuSti):
// -p/-P the program folder (else the program's own folder), -d/-D the data
// folder (else the program folder), each trimmed and ending in a backslash
// when longer than one character. The program folder becomes the current
// folder.
void MenuCommandLine(char *programMappe, char *dataMappe);
// The option rules of MenuCommandLine over arguments (the first is the
// program's name and is passed over): the raw -p and -d values, "" when
// absent.
void LaesMappeTilvalg(const std::vector<std::string> &ord, std::string &program, std::string &data);
// Trims the folder and gives it a trailing backslash when longer than one
// character, within the buffer's size.
void AfslutMappe(char *mappe, size_t stoerrelse);

// The heading and sub-heading font sizes for a screen height: {heading
// height, heading width, sub-heading height, sub-heading width}.
struct OverskriftMaal {
  int hoejde, bredde, underHoejde, underBredde;
};
OverskriftMaal OverskriftStoerrelse(int skaermHoejde);
// The locked flag of a skemalåst and supertavo pair.
int LaastFlag(const char *skemaLaast, const char *superTavo);

// Checks the settings file as the start-up does: true when it can be read
// and written, else the "Fejl" box saying why and false.
bool TjekIniFil(const char *iniFil);

// The lowest version in START.LOG's lines; 59999 with no line, 0 when it
// cannot be opened.
int MinStartLogVersion(const char *programMappe);
// Deletes Opd<version>.exe, Opd<version>.zip and Prg<version>.zip of the
// program folder when the package exists, can be written, and START.LOG
// shows no installation below the running version.
void SletGamleOpdPakker(const char *programMappe, int version);

// The desktop shortcut of this program and data folder gets the SuperTavo
// icon (index 1) or the ordinary one (0).
void SetShortcutIcon();

LRESULT CALLBACK MenuWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR CALLBACK HovedmenuDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);

// 0 nothing may start now; 1 go on with the start; 2 an update package was
// started instead.
int CheckOpdPakke(HWND ejer);
// The main program's command line: every part quoted, each folder without
// its trailing backslash, " -l" for a read-only start.
std::string HovedprogramLinje(const char *programMappe, const char *dataMappe, int version, bool laeseAdgang);
// The update package's command line: its file as found, and the folders
// with their trailing backslash, every part quoted.
std::string OpdPakkeLinje(const char *programMappe, const char *dataMappe, const char *pakke);

void SetMenuButtonTexts(HWND dlg);
// The focus marker beside the focused control across the frame control,
// the previous control's marker painted over.
void TegnFokusMarkoerer(HWND dlg, HDC dc, int rammeId);
// Style 1: four nested one-pixel rings in the 3-D system colours.
void Draw3dFrame(HDC dc, int venstre, int top, int hoejre, int bund, int stil);
// Fills the ring between the outer and the inner rectangle.
void FillFrameBands(HDC dc, HBRUSH pensel, const RECT *ydre, const RECT *indre);

// How long dialog 102 waits after starting the main program, so that the
// program is up before the menu disappears (milliseconds).
extern DWORD g_MenuStartPause;
