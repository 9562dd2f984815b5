// The small dialogs' templates. Their sizes are only a start: each dialog
// is moved and sized at run time.
#include "smaadialoger.h"

#include "windows.h"

void RegistrerSmaaDialoger() {
  tavo::res::DialogTemplate t;
  t.id = IDD_CELLEDITOR;
  t.style = DS_SETFONT | WS_POPUP | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.cx = 60;
  t.cy = 14;
  t.items = {{"BUTTON", IDOK, "Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 40, 14}};
  tavo::res::RegisterDialog(t);

  tavo::res::DialogTemplate v;
  v.id = IDD_VERSION;
  v.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  v.fontFace = "MS Sans Serif";
  v.cx = 200;
  v.cy = 100;
  v.items = {{"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 75, 80, 50, 14}};
  tavo::res::RegisterDialog(v);

  tavo::res::DialogTemplate b;
  b.id = IDD_PAKBJAELKE;
  b.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE;
  b.fontFace = "MS Sans Serif";
  b.cx = 240;
  b.cy = 50;
  b.items = {{"STATIC", IDC_PAKBJAELKE_TEKST, "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 26, 6, 188, 12},
             {"msctls_progress32", IDC_PAKBJAELKE, "", WS_VISIBLE | WS_BORDER, 0, 6, 20, 228, 12}};
  tavo::res::RegisterDialog(b);
}
