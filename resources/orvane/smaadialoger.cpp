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
}
