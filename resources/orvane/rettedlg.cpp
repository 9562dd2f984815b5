// The marking-work dialog's template. The caption, labels and control ids
// are the program's; the layout is ours.
#include "rettedlg.h"

#include "win/controls.h"
#include "win/dlg.h"

void RegistrerRetteDialog() {
  using tavo::res::DialogTemplate;
  constexpr DWORD kDialog =
      DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  constexpr DWORD kEdit = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT;
  constexpr DWORD kTekst = WS_VISIBLE | SS_LEFT;
  constexpr DWORD kLinje = WS_VISIBLE | SS_ETCHEDHORZ;
  DialogTemplate t;
  t.id = IDD_RETTE;
  t.caption = "Rette arbejde";
  t.style = kDialog;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.cx = 180;
  struct Felt {
    int id;
    const char *tekst;
    const char *enhed;
    bool linjeFoer;
  };
  static const Felt felter[] = {
      {IDC_RETTE_ELEVER, "Antal elever:", nullptr, false},
      {IDC_RETTE_OPGAVER, "Antal opgaver:", nullptr, false},
      {IDC_RETTE_MINUTTER, "Minutter pr. opgave:", "Min.", false},
      {IDC_RETTE_AKKORD, "Akkord:", "%", true},
      {IDC_RETTE_FAKTOR, "Omregningsfaktor:", nullptr, false},
      {IDC_RETTE_ELEVTID, "Elevtid pr. elev:", "Min.", false},
      {IDC_RETTE_RETTETID, "Rettetid pr. elev:", "Min.", false},
      {IDC_RETTE_ARBEJD1, "Rettearbejd:", nullptr, false},
      {IDC_RETTE_ARBEJD2, "Rettearbejd:", nullptr, true},
      {IDC_RETTE_IALT, "Rettearbejd ialt:", nullptr, true},
  };
  int y = 8;
  for (const Felt &f : felter) {
    if (f.linjeFoer) {
      t.items.push_back({"STATIC", -1, "", kLinje, 0, 8, y, 164, 1});
      y += 6;
    }
    t.items.push_back({"STATIC", -1, f.tekst, kTekst, 0, 8, y + 2, 76, 9});
    t.items.push_back({"EDIT", f.id, "", kEdit, 0, 88, y, 56, 12});
    if (f.enhed) t.items.push_back({"STATIC", -1, f.enhed, kTekst, 0, 148, y + 2, 24, 9});
    y += 16;
  }
  y += 4;
  t.items.push_back({"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 40, y, 50, 14});
  t.items.push_back({"BUTTON", IDCANCEL, "Annuler", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 98, y, 50, 14});
  t.cy = y + 22;
  tavo::res::RegisterDialog(t);
}
