// The schedule window's dialog templates.
#include "skemadialoger.h"

#include "windows.h"

void RegistrerSkemaDialoger() {
  tavo::res::DialogTemplate a;
  a.id = IDD_AUTOSKEMA;
  a.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  a.caption = "Auto skema";
  a.fontFace = "MS Sans Serif";
  a.cx = 150;
  a.cy = 96;
  a.items = {
      {"BUTTON", IDC_AUTOSKEMA_GODKEND, "Godkend", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, 12, 8,
       80, 12},
      {"BUTTON", IDC_AUTOSKEMA_LAAS, "Lås", WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 12, 22, 80, 12},
      {"BUTTON", IDC_AUTOSKEMA_AABEN, "Åben", WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 12, 36, 80, 12},
      {"BUTTON", IDC_AUTOSKEMA_SLET, "Slet", WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 12, 50, 80, 12},
      {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 12, 74, 56, 14},
      {"BUTTON", IDCANCEL, "Annuller", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 82, 74, 56, 14},
  };
  tavo::res::RegisterDialog(a);

  tavo::res::DialogTemplate f;
  f.id = IDD_FINDBEG;
  f.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  f.fontFace = "MS Sans Serif";
  f.cx = 200;
  f.cy = 80;
  tavo::res::RegisterDialog(f);
}
