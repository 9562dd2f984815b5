// The time dialog's template. The control ids are the program's; the
// labels and the layout are ours.

#include "retiddlg.h"

#include "win/controls.h"
#include "win/dlg.h"

void RegistrerRetTidDialog() {
  constexpr DWORD kEdit = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  constexpr DWORD kTekst = WS_VISIBLE | SS_LEFT;
  tavo::res::DialogTemplate t;
  t.id = IDD_RETTID;
  t.caption = "Ret dag og standard lektion";
  t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = 150;
  t.cy = 84;
  t.items = {
      {"STATIC", -1, "Starttid:", kTekst, 0, 8, 10, 60, 9},
      {"EDIT", IDC_RETTID_START, "", kEdit | WS_GROUP, 0, 80, 8, 60, 12},
      {"STATIC", -1, "Sluttid:", kTekst, 0, 8, 26, 60, 9},
      {"EDIT", IDC_RETTID_SLUT, "", kEdit, 0, 80, 24, 60, 12},
      {"STATIC", -1, "Timer:", kTekst, 0, 8, 42, 60, 9},
      {"EDIT", IDC_RETTID_TIMER, "", kEdit, 0, 80, 40, 60, 12},
      {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 24, 62, 50, 14},
      {"BUTTON", IDCANCEL, "Annuller", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 80, 62, 50, 14},
  };
  tavo::res::RegisterDialog(t);
}
