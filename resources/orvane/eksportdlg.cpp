// The templates of the server exchange's dialogs. The captions, labels,
// button texts and control ids are the program's; the layout is ours.

#include "eksportdlg.h"

#include "win/controls.h"
#include "win/dlg.h"

namespace {

using tavo::res::DialogTemplate;

constexpr DWORD kDialog = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
constexpr DWORD kEdit = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kTekst = WS_VISIBLE | SS_LEFT;
constexpr DWORD kKnap = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kStandardKnap = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kBoks = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

DialogTemplate Skabelon(int id, const char *titel, int cx, int cy) {
  DialogTemplate t;
  t.id = id;
  t.caption = titel;
  t.style = kDialog;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = cx;
  t.cy = cy;
  return t;
}

}  // namespace

void RegistrerEksportDialoger() {
  DialogTemplate e = Skabelon(IDD_EKSPORT, "Eksport til server", 230, 140);
  e.items.push_back({"BUTTON", -1, "Afsend", WS_VISIBLE | BS_GROUPBOX, 0, 8, 6, 100, 46});
  e.items.push_back({"BUTTON", IDC_EKS_SKEMA, "&Skema", kBoks, 0, 16, 18, 84, 10});
  e.items.push_back({"BUTTON", IDC_EKS_POSTERINGER, "&Posteringer", kBoks, 0, 16, 32, 84, 10});
  e.items.push_back({"BUTTON", -1, "Hent", WS_VISIBLE | BS_GROUPBOX, 0, 116, 6, 106, 60});
  e.items.push_back({"BUTTON", IDC_EKS_FREMMED, "&Fremmed skema", kBoks, 0, 124, 18, 94, 10});
  e.items.push_back({"BUTTON", IDC_EKS_ALLESTAM, "&ALLE stamdata *", kBoks, 0, 124, 32, 94, 10});
  e.items.push_back({"BUTTON", IDC_EKS_AUTOIMPORT, "Automatisk &import", kBoks, 0, 124, 46, 94, 10});
  e.items.push_back({"STATIC", -1, "*) Bør kun benyttes i særlige          tilfælde, hvis noget mangler.", kTekst, 0,
                     8, 74, 214, 20});
  e.items.push_back({"BUTTON", IDOK, "OK", kStandardKnap, 0, 116, 118, 50, 14});
  e.items.push_back({"BUTTON", IDCANCEL, "Fortryd", kKnap, 0, 172, 118, 50, 14});
  tavo::res::RegisterDialog(e);

  DialogTemplate s = Skabelon(IDD_EXPSKEMA, "Export Skema", 270, 112);
  s.items.push_back({"STATIC", -1, "Sti:", kTekst, 0, 8, 8, 200, 9});
  s.items.push_back({"EDIT", IDC_EXPSKEMA_STI, "", kEdit, 0, 8, 19, 200, 12});
  s.items.push_back({"BUTTON", IDC_EXPSKEMA_BROWSE, "Browse", kKnap, 0, 212, 18, 50, 14});
  s.items.push_back({"STATIC", -1, "Filnavn:", kTekst, 0, 8, 36, 200, 9});
  s.items.push_back({"EDIT", IDC_EXPSKEMA_FILNAVN, "", kEdit, 0, 8, 47, 200, 12});
  s.items.push_back({"STATIC", -1, "Datointerval: (ÅÅÅÅMMDD)", kTekst, 0, 8, 64, 200, 9});
  s.items.push_back({"EDIT", IDC_EXPSKEMA_FRA, "", kEdit | ES_NUMBER, 0, 8, 75, 60, 12});
  s.items.push_back({"STATIC", -1, "-", kTekst, 0, 72, 77, 8, 9});
  s.items.push_back({"EDIT", IDC_EXPSKEMA_TIL, "", kEdit | ES_NUMBER, 0, 82, 75, 60, 12});
  s.items.push_back({"BUTTON", IDOK, "OK", kStandardKnap, 0, 156, 94, 50, 14});
  s.items.push_back({"BUTTON", IDCANCEL, "Cancel", kKnap, 0, 212, 94, 50, 14});
  tavo::res::RegisterDialog(s);

  DialogTemplate g = Skabelon(IDD_ANDREPLANGRUPPER, "Medarbejder i andre plan grupper", 280, 162);
  g.items.push_back({"STATIC", -1,
                     "Der er medarbejdere, som er planlagt i andre grupper end denne gruppe.\nVælg de grupper, som "
                     "skal medtages til autoskema ud over aktuel gruppe.",
                     kTekst, 0, 8, 6, 264, 34});
  g.items.push_back({"LISTBOX", IDC_ANDRE_GRUPPER, "",
                     WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 0, 8,
                     44, 264, 90});
  g.items.push_back({"BUTTON", IDOK, "OK", kStandardKnap, 0, 166, 142, 50, 14});
  g.items.push_back({"BUTTON", IDCANCEL, "Annuller", kKnap, 0, 222, 142, 50, 14});
  tavo::res::RegisterDialog(g);

  DialogTemplate l = Skabelon(IDD_SERVERLOGON, "Server-logon", 220, 98);
  l.items.push_back({"STATIC", -1,
                     "Indtast login og adgangskode (password) til den centrale server. Passwordet vil ikke blive vist.",
                     kTekst, 0, 8, 6, 204, 26});
  l.items.push_back({"STATIC", -1, "Brugernavn:", kTekst, 0, 8, 38, 60, 9});
  l.items.push_back({"EDIT", IDC_LOGON_BRUGER, "", kEdit, 0, 72, 36, 140, 12});
  l.items.push_back({"STATIC", -1, "Password:", kTekst, 0, 8, 56, 60, 9});
  l.items.push_back({"EDIT", IDC_LOGON_PASSWORD, "", kEdit | ES_PASSWORD, 0, 72, 54, 140, 12});
  l.items.push_back({"BUTTON", IDOK, "OK", kStandardKnap, 0, 106, 76, 50, 14});
  l.items.push_back({"BUTTON", IDCANCEL, "Fortryd", kKnap, 0, 162, 76, 50, 14});
  tavo::res::RegisterDialog(l);
}
