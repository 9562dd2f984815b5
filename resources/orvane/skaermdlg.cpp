// The saved-screen dialogs: a name and the shortcut slot. The captions,
// labels and ids are the program's; the layout is ours.

#include "skaermdlg.h"

#include "win/controls.h"
#include "win/dlg.h"

namespace {

void Skabelon(int id, const char *titel) {
  tavo::res::DialogTemplate t;
  t.id = id;
  t.caption = titel;
  t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = 200;
  t.cy = 76;
  const DWORD synlig = WS_VISIBLE;
  t.items = {
      {"STATIC", IDC_SKAERM_NAVN_TEKST, "Navn :", synlig | SS_LEFT, 0, 8, 10, 40, 9},
      {"EDIT", IDC_SKAERM_NAVN, "", synlig | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 50, 8, 142, 12},
      {"STATIC", IDC_SKAERM_GENVEJ_TEKST, "Genvej :", synlig | SS_LEFT, 0, 8, 30, 40, 9},
      {"COMBOBOX", IDC_SKAERM_GENVEJ, "", synlig | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 50, 28, 90, 80},
      {"BUTTON", IDOK, "OK", synlig | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 86, 54, 50, 14},
      {"BUTTON", IDCANCEL, "Fortryd", synlig | WS_TABSTOP | BS_PUSHBUTTON, 0, 142, 54, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}

}  // namespace

void RegistrerSkaermDialoger() {
  Skabelon(IDD_GEM_SKAERM, "Føj til egne vinduer");
  Skabelon(IDD_OMDOEB_SKAERM, "Rediger Egne vinduer");
  Skabelon(IDD_SLET_SKAERM, "Slet Egne vinduer");
}
