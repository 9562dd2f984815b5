// The templates of the plan reports' dialogs. The captions, labels, hints
// and control ids are the program's; the layout is ours.
#include "planudskrivdlg.h"

#include "win/controls.h"
#include "win/dlg.h"

namespace {

using tavo::res::DialogTemplate;

constexpr DWORD kDialog = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
constexpr DWORD kEdit = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kTekst = WS_VISIBLE | SS_LEFT;
constexpr DWORD kKnap = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kStandardKnap = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kListe =
    WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_MULTIPLESEL | LBS_USETABSTOPS;

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

// The employment list and the buttons below it, from y on.
void ListeOgKnapper(DialogTemplate &t, int y) {
  t.items.push_back({"STATIC", -1, "Ansættelsesforhold", kTekst, 0, 8, y, 120, 9});
  t.items.push_back({"LISTBOX", IDC_PLANUDSK_LISTE, "", kListe, 0, 8, y + 11, 224, 110});
  t.items.push_back({"BUTTON", IDOK, "OK", kStandardKnap, 0, 126, y + 126, 50, 14});
  t.items.push_back({"BUTTON", IDCANCEL, "Cancel", kKnap, 0, 182, y + 126, 50, 14});
  t.cy = y + 148;
}

void OpfoelgningsDialog(int id, bool periode) {
  DialogTemplate t = Skabelon(id, "Udskriv TAVO plan opfølgning", 240, 0);
  t.items.push_back({"STATIC", -1, "Vælg per dato og medarbejdere", kTekst, 0, 8, 6, 224, 9});
  t.items.push_back({"STATIC", -1, "Per dato:", kTekst, 0, 8, 22, 40, 9});
  t.items.push_back({"EDIT", IDC_PLANUDSK_PERDATO, "", kEdit | ES_NUMBER, 0, 52, 20, 56, 12});
  t.items.push_back({"STATIC", -1, "Eks. 20130331", kTekst, 0, 114, 22, 70, 9});
  int y = 38;
  if (periode) {
    t.items.push_back({"STATIC", -1, "Periode:", kTekst, 0, 8, y + 2, 40, 9});
    t.items.push_back({"EDIT", IDC_PLANUDSK_FRA, "", kEdit | ES_NUMBER, 0, 52, y, 56, 12});
    t.items.push_back({"STATIC", -1, " - ", kTekst, 0, 110, y + 2, 10, 9});
    t.items.push_back({"EDIT", IDC_PLANUDSK_TIL, "", kEdit | ES_NUMBER, 0, 122, y, 56, 12});
    t.items.push_back({"STATIC", -1, "ÅÅÅÅMMDD", kTekst, 0, 184, y + 2, 48, 9});
    y += 16;
  }
  t.items.push_back({"BUTTON", IDC_PLANUDSK_LEKTIONER, "Lektioner", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0,
                     52, y, 80, 10});
  ListeOgKnapper(t, y + 16);
  tavo::res::RegisterDialog(t);
}

}  // namespace

void RegistrerPlanUdskrivDialoger() {
  DialogTemplate m = Skabelon(IDD_MEDAPLAN, "Udskriv TAVO plan for medarbejder", 240, 0);
  m.items.push_back({"STATIC", -1, "Vælg periode og medarbejder", kTekst, 0, 8, 6, 224, 9});
  m.items.push_back({"STATIC", -1, "For perioden", kTekst, 0, 8, 22, 48, 9});
  m.items.push_back({"EDIT", IDC_PLANUDSK_FRA, "", kEdit | ES_NUMBER, 0, 60, 20, 56, 12});
  m.items.push_back({"STATIC", -1, "-", kTekst, 0, 120, 22, 6, 9});
  m.items.push_back({"EDIT", IDC_PLANUDSK_TIL, "", kEdit | ES_NUMBER, 0, 130, 20, 56, 12});
  ListeOgKnapper(m, 38);
  tavo::res::RegisterDialog(m);

  OpfoelgningsDialog(IDD_PLANOPF, true);
  OpfoelgningsDialog(IDD_PLANOPF_OPG, false);

  DialogTemplate n = Skabelon(IDD_PLANNORM, "Udskriv TAVO plan-/norm opfølgning for medarbejder", 240, 0);
  n.items.push_back({"STATIC", -1, "Vælg per måned og medarbejdere", kTekst, 0, 8, 6, 224, 9});
  n.items.push_back({"STATIC", -1, "Per måned:", kTekst, 0, 8, 22, 44, 9});
  n.items.push_back({"EDIT", IDC_PLANUDSK_PERDATO, "", kEdit | ES_NUMBER, 0, 56, 20, 56, 12});
  n.items.push_back({"STATIC", -1, "Eks. 201303", kTekst, 0, 118, 22, 70, 9});
  ListeOgKnapper(n, 38);
  tavo::res::RegisterDialog(n);
}
