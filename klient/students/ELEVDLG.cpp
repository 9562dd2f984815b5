// The dialogs of the student planning. A typed number is held to the u32
// fields it goes into: a negative number counts as 0 and an over-long one
// as the greatest, never as a wrapped-around value. Each check of a dialog
// stops at its first failure and leaves the dialog open with what was
// typed.
#include "ELEVDLG.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <new>
#include <vector>

#include "DATO.h"
#include "ELEVTAB.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "VINDUER.h"
#include "elevdialoger.h"

uint32_t LaesDlgTal(HWND hDlg, int id) {
  char tekst[200] = {};
  GetDlgItemTextA(hDlg, id, tekst, sizeof tekst);
  const char *p = tekst;
  while (*p == ' ' || *p == '\t') ++p;
  bool negativ = false;
  if (*p == '+' || *p == '-') negativ = *p++ == '-';
  uint64_t v = 0;
  for (; isdigit(static_cast<unsigned char>(*p)); ++p) {
    v = v * 10 + static_cast<uint64_t>(*p - '0');
    if (v > UINT32_MAX) v = uint64_t(UINT32_MAX) + 1;
  }
  if (negativ) return 0;
  return v > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(v);
}

namespace {

// OK and Cancel of a dialog whose record lies with it (GWLP_USERDATA): OK
// ends with 1 once ok has taken the values, Cancel ends with 2.
template <class R>
INT_PTR OkAnnuller(HWND hDlg, WPARAM wParam, bool (*ok)(HWND, R *)) {
  switch (LOWORD(wParam)) {
    case IDOK: {
      auto *r = reinterpret_cast<R *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
      if (r && ok(hDlg, r)) EndDialog(hDlg, 1);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(hDlg, 2);
      return TRUE;
    default:
      return FALSE;
  }
}

// A dialog of the student planning over its record, its template
// registered first; the dialog's result.
INT_PTR VisElevDialog(int id, HWND ejer, DLGPROC proc, void *rec) {
  RegistrerElevDialoger();
  return DialogBoxParamA(0, MAKEINTRESOURCE(id), ejer, proc, reinterpret_cast<LPARAM>(rec));
}

bool SimuleringOk(HWND hDlg, SimuleringValg *v) {
  v->Antal = LaesDlgTal(hDlg, IDC_SIM_ANTAL);
  const bool kun1 = IsDlgButtonChecked(hDlg, IDC_SIM_KUN_PRIO1) == BST_CHECKED;
  v->KunPrio1 = kun1 ? 1 : 0;
  v->Prio12 = kun1 ? 0 : 1;
  return true;
}

}  // namespace

INT_PTR CALLBACK SimuleringDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      const auto *v = reinterpret_cast<const SimuleringValg *>(lParam);
      char tal[16];
      snprintf(tal, sizeof tal, "%lu", v ? static_cast<unsigned long>(v->Antal) : 0ul);
      SetDlgItemTextA(hDlg, IDC_SIM_ANTAL, tal);
      CheckRadioButton(hDlg, IDC_SIM_KUN_PRIO1, IDC_SIM_PRIO12,
                       v && v->KunPrio1 == 1 ? IDC_SIM_KUN_PRIO1 : IDC_SIM_PRIO12);
      SendDlgItemMessageA(hDlg, IDC_SIM_ANTAL, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(hDlg, IDC_SIM_ANTAL));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      return OkAnnuller(hDlg, wParam, SimuleringOk);
    default:
      return FALSE;
  }
}

INT_PTR VisSimuleringDialog(HWND ejer, SimuleringValg *valg) {
  return VisElevDialog(IDD_SIMULERING, ejer, SimuleringDlgProc, valg);
}

// ---- Shared by dialogs 152 and 156 ----

uint32_t ElevPlanMaxAntal() {
  const HWND plan = FindVindueType(kElevPlanType);
  return plan ? static_cast<uint32_t>(SendMessageA(plan, ELEVPLAN_MAX_ANTAL, 0, 0)) : 0;
}

namespace {

constexpr UINT kAdvarsel = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kOpgaveAdvarsel = kAdvarsel | MB_TASKMODAL;

// The window moved over its owner (the screen when it has none), keeping its
// size, to the place the program's centring gives: the left edge rounded
// down to a multiple of 8 after 4 pixels to the right.
void CentrerVindue(HWND hwnd) {
  RECT omraade{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND ejer = GetWindow(hwnd, GW_OWNER)) GetWindowRect(ejer, &omraade);
  RECT r;
  GetWindowRect(hwnd, &r);
  const int b = r.right - r.left, h = r.bottom - r.top;
  const int x = ((omraade.right - b - omraade.left) / 2 + omraade.left + 4) & ~7;
  const int y = (omraade.bottom - h - omraade.top) / 2 + omraade.top;
  SetWindowPos(hwnd, 0, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SaetTal(HWND hDlg, int id, uint32_t v) {
  char tekst[16];
  snprintf(tekst, sizeof tekst, "%lu", static_cast<unsigned long>(v));
  SetDlgItemTextA(hDlg, id, tekst);
}

void VaelgEdit(HWND hDlg, int id) {
  SendDlgItemMessageA(hDlg, id, EM_SETSEL, 0, -1);
  SetFocus(GetDlgItem(hDlg, id));
}

// A refusal: the box (task-modal ones without an owner), then the edit it
// names selected and focused.
void Afvis(HWND hDlg, int id, const char *tekst, const char *titel, UINT type) {
  MessageBoxA((type & MB_TASKMODAL) ? 0 : hDlg, tekst, titel, type);
  if (id) VaelgEdit(hDlg, id);
}

constexpr const char *kIkkeDelelig[2] = {"Lektionsantal er ikke delelig med blok størrelse.\n",
                                         "Uge antal er ikke delelig med blok størrelse.\n"};
constexpr const char *kBlokNul = "Blok størrelsen må ikke være 0 eller ingenting!\n";
constexpr const char *kFejlBlok = "Fejl i blok størrelse";
constexpr const char *kFejlElevantal = "Fejl i elevantal";
constexpr const char *kFejlAntal = "Fejl i antal";
constexpr const char *kFejlMarkering = "Fejl markering";

// ---- Dialog 152 ----

bool UgeAktivitet(const LaRec &l) { return ElevRef(TgRecNr, l.tg_id).UgeLektionsGruppe == 'U'; }

void RetLaInit(HWND hDlg, const LaRec &l) {
  const bool uger = UgeAktivitet(l);
  SaetTal(hDlg, IDC_RETLA_MIN, l.min_elevantal);
  SaetTal(hDlg, IDC_RETLA_MAX, l.max_elevantal);
  SaetTal(hDlg, IDC_RETLA_ANTAL, uger ? l.uge_antal : l.lek_antal);
  SaetTal(hDlg, IDC_RETLA_BLOK, uger ? l.uge_deletal : l.lek_deletal);
  SetDlgItemTextA(hDlg, IDC_RETLA_RAMME,
                  uger ? "Værdier for holdstørrelser + antal uger"
                       : "Værdier for holdstørrelser + antal lektioner");
  SetDlgItemTextA(hDlg, IDC_RETLA_ANTAL_TEKST, uger ? "Antal uger" : "Antal lektioner");
  char max[32];
  snprintf(max, sizeof max, "Max %ld", static_cast<long>(ElevPlanMaxAntal()));
  SetDlgItemTextA(hDlg, IDC_MAX_TEKST, max);
  CheckDlgButton(hDlg, IDC_RETLA_LUK, l.LukForNyeElever ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_RETLA_BEHOLD, l.BeholdElever ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_RETLA_PLADSLAAS, l.PladsLaas ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_RETLA_AKTIV, l.aktiv == 1 ? BST_CHECKED : BST_UNCHECKED);
  VaelgEdit(hDlg, IDC_RETLA_MIN);
  CentrerVindue(hDlg);
}

bool RetLaOk(HWND hDlg, LaRec *l) {
  const bool uger = UgeAktivitet(*l);
  const uint32_t min = LaesDlgTal(hDlg, IDC_RETLA_MIN), max = LaesDlgTal(hDlg, IDC_RETLA_MAX);
  const uint32_t antal = LaesDlgTal(hDlg, IDC_RETLA_ANTAL);
  const uint32_t blok = LaesDlgTal(hDlg, IDC_RETLA_BLOK);
  l->min_elevantal = min;
  l->max_elevantal = max;
  if (min > max) {
    Afvis(hDlg, IDC_RETLA_MIN,
          "Minimum elevantal skal være mindre ned eller lig med maximum elevantal.\n",
          kFejlElevantal, kOpgaveAdvarsel);
    return false;
  }
  if (antal == 0 || antal > ElevPlanMaxAntal()) {
    Afvis(hDlg, IDC_RETLA_ANTAL,
          uger ? "Minimum ugeantal skal være mindre ned eller lig med maximum antal uger\nog "
                 "forskellig fra 0.\n"
               : "Minimum lektionsantal skal være mindre ned eller lig med maximum antal "
                 "lektioner\nog forskellig fra 0.\n",
          kFejlAntal, kOpgaveAdvarsel);
    return false;
  }
  if (blok == 0) {
    Afvis(hDlg, IDC_RETLA_BLOK, kBlokNul, kFejlBlok, kOpgaveAdvarsel);
    return false;
  }
  if (antal % blok != 0) {
    Afvis(hDlg, IDC_RETLA_BLOK, kIkkeDelelig[uger], kFejlBlok, kOpgaveAdvarsel);
    return false;
  }
  SaetLaTal(l, uger, antal, blok);
  auto flag = [&](int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED ? 1 : 0; };
  l->LukForNyeElever = static_cast<char>(flag(IDC_RETLA_LUK));
  l->BeholdElever = static_cast<char>(flag(IDC_RETLA_BEHOLD));
  l->PladsLaas = static_cast<char>(flag(IDC_RETLA_PLADSLAAS));
  l->aktiv = static_cast<uint32_t>(flag(IDC_RETLA_AKTIV));
  return true;
}

}  // namespace

INT_PTR CALLBACK RetLaDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      if (const auto *l = reinterpret_cast<const LaRec *>(lParam)) RetLaInit(hDlg, *l);
      return FALSE;  // the focus is set
    case WM_COMMAND:
      return OkAnnuller(hDlg, wParam, RetLaOk);
    default:
      return FALSE;
  }
}

INT_PTR VisRetLaDialog(HWND ejer, LaRec *kopi) {
  return VisElevDialog(IDD_RETLA, ejer, RetLaDlgProc, kopi);
}

// ---- Dialog 156 ----

uint32_t SetupFoersteDag() {
  const uint32_t d = VisningsTilstand[VISNING_LEKTION].FoersteUgedag;
  return d >= 1 && d <= 7 ? d : 1;
}

uint32_t SetupAntalDage() {
  const uint32_t sidste = std::min<uint32_t>(VisningsTilstand[VISNING_LEKTION].SidsteUgedag, 7);
  const uint32_t foerste = SetupFoersteDag();
  return sidste >= foerste ? sidste - foerste + 1 : 0;
}

uint32_t SetupFoersteLektion() {
  const uint32_t l = VisningsTilstand[VISNING_LEKTION].FoersteSlot;
  return l >= 1 && l <= SETUP_LEKTIONER ? l : 1;
}

uint32_t SetupSidsteLektion() {
  return std::min<uint32_t>(VisningsTilstand[VISNING_LEKTION].SidsteSlot, SETUP_LEKTIONER);
}

namespace {

constexpr const char *kDagNavne[7] = {"Mandag ", "Tirsdag", "Onsdag ", "Torsdag",
                                      "Fredag ", "Lørdag ", "Søndag "};

// The working copies of the dialog and the boxes of the mode shown.
struct SetupTilstand {
  ElevPlanSetup *Kalder;
  std::vector<int32_t> Uger, Lektioner;
  uint32_t Min, Max, UgeAntal, UgeDeletal, LekAntal, LekDeletal;
  bool UgeVisning;
  std::vector<HWND> Bokse;
};

SetupTilstand *Tilstand(HWND hDlg) {
  return reinterpret_cast<SetupTilstand *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
}

// The layout in pixels: the fixed controls in a column on the left, the
// boxes of the mode to their right, rows of them by their number.
constexpr int kVenstreBredde = 224;
constexpr int kKnapBund = 238;
constexpr int kBoksX = 232, kBoksY = 12;
constexpr int kUgeBredde = 72, kUgerPrRaekke = 8;
constexpr int kDagBredde = 64, kLektionBredde = 40, kLektionerPrRaekke = 12;
constexpr int kBoksHoejde = 20;

HWND Kontrol(HWND hDlg, const char *klasse, const char *tekst, DWORD stil, int id, int x, int y,
             int b, int h) {
  HWND w = CreateWindowExA(0, klasse, tekst, WS_CHILD | WS_VISIBLE | stil, x, y, b, h, hDlg,
                           static_cast<HMENU>(id), 0, nullptr);
  if (w) SendMessageA(w, WM_SETFONT, static_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return w;
}

void FjernBokse(SetupTilstand *t) {
  for (HWND w : t->Bokse) DestroyWindow(w);
  t->Bokse.clear();
}

// The dialog's client area sized to the fixed column and the boxes shown,
// and the dialog centred.
void TilpasSetup(HWND hDlg, int boksBredde, int boksHoejde) {
  const int b = std::max(kVenstreBredde, kBoksX + boksBredde + 8);
  const int h = std::max(kKnapBund, kBoksY + boksHoejde + 8);
  RECT vindue, klient;
  GetWindowRect(hDlg, &vindue);
  GetClientRect(hDlg, &klient);
  const int rammeB = (vindue.right - vindue.left) - (klient.right - klient.left);
  const int rammeH = (vindue.bottom - vindue.top) - (klient.bottom - klient.top);
  SetWindowPos(hDlg, 0, 0, 0, b + rammeB, h + rammeH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CentrerVindue(hDlg);
}

// The labels and numbers of a mode: caption, "Antal ...:", "Max %ld ...",
// the number and block size.
void SaetTilstandTekster(HWND hDlg, const char *titel, const char *antalTekst, const char *enhed,
                         uint32_t antal, uint32_t blok) {
  SetWindowTextA(hDlg, titel);
  SetDlgItemTextA(hDlg, IDC_SETUP_ANTAL_TEKST, antalTekst);
  char max[40];
  snprintf(max, sizeof max, "Max %ld %s", static_cast<long>(ElevPlanMaxAntal()), enhed);
  SetDlgItemTextA(hDlg, IDC_MAX_TEKST, max);
  SaetTal(hDlg, IDC_SETUP_ANTAL, antal);
  SaetTal(hDlg, IDC_SETUP_BLOK, blok);
}

HWND MarkeringsBoks(HWND hDlg, const char *tekst, int id, int x, int y, int b, bool markeret) {
  HWND w = Kontrol(hDlg, "BUTTON", tekst, BS_CHECKBOX | WS_TABSTOP, id, x, y, b, kBoksHoejde - 2);
  SendMessageA(w, BM_SETCHECK, markeret ? BST_CHECKED : BST_UNCHECKED, 0);
  return w;
}

// Week i's mark, lesson (d, l)'s mark, for a box id of the mode shown; null
// for any other id.
int32_t *MarkeringAf(SetupTilstand *t, int id) {
  if (t->UgeVisning) {
    const int i = id - IDC_SETUP_UGE_BASIS;
    return i >= 1 && static_cast<size_t>(i) <= t->Uger.size() ? &t->Uger[size_t(i) - 1] : nullptr;
  }
  // Day d, lesson l (1..48) is box d x 48 + l: its mark's index is one less.
  const int k = id - IDC_SETUP_LEKTION_BASIS;
  return k >= 1 && static_cast<size_t>(k) <= t->Lektioner.size() ? &t->Lektioner[size_t(k) - 1]
                                                                  : nullptr;
}

bool SetupOk(HWND hDlg, SetupTilstand *t) {
  const uint32_t min = LaesDlgTal(hDlg, IDC_SETUP_MIN), max = LaesDlgTal(hDlg, IDC_SETUP_MAX);
  const uint32_t antal = LaesDlgTal(hDlg, IDC_SETUP_ANTAL);
  const uint32_t blok = LaesDlgTal(hDlg, IDC_SETUP_BLOK);
  char tekst[300];
  if (t->UgeVisning) {
    const auto m = static_cast<uint32_t>(std::count(t->Uger.begin(), t->Uger.end(), 1));
    if (m < antal) {
      snprintf(tekst, sizeof tekst,
               "Du har kun markeret %u uger, hvor der skal markeres mindst %u uger.\nEllers ret "
               "antal uger til mindst %u uger.",
               m, antal, m);
      Afvis(hDlg, IDC_SETUP_ANTAL, tekst, kFejlMarkering, kAdvarsel);
      return false;
    }
    if (m < t->Kalder->MindsteAntal) {
      snprintf(tekst, sizeof tekst,
               "Der er for få markeringer i uger, der skal mindst være %u markeringer.",
               t->Kalder->MindsteAntal);
      Afvis(hDlg, 0, tekst, kFejlMarkering, kAdvarsel);
      return false;
    }
  } else {
    const uint32_t dage = t->Kalder->AntalDage, foerste = SetupFoersteDag();
    std::vector<uint32_t> c(dage, 0);
    uint32_t ialt = 0;
    for (uint32_t d = 0; d < dage; ++d) {
      for (uint32_t l = 0; l < SETUP_LEKTIONER; ++l) c[d] += t->Lektioner[size_t(d) * SETUP_LEKTIONER + l] == 1;
      ialt += c[d];
    }
    auto dag = [&](uint32_t d) { return kDagNavne[std::min<uint32_t>(foerste - 1 + d, 6)]; };
    for (uint32_t d = 0; d < dage; ++d)
      if (c[d] > 0 && c[d] < blok) {
        snprintf(tekst, sizeof tekst,
                 "Der skal mindst markeres %u lektioner per dag eller ingen.\nFejl markeringen "
                 "er: %s",
                 blok, dag(d));
        Afvis(hDlg, 0, tekst, kFejlMarkering, kAdvarsel);
        return false;
      }
    if (antal == 0 || antal > ialt) {
      snprintf(tekst, sizeof tekst,
               "Lektionsantal skal være mindre end eller lig med antal opmærkede lektioner "
               "(%u)\nog forskellig fra 0.\n",
               ialt);
      Afvis(hDlg, IDC_SETUP_ANTAL, tekst, kFejlAntal, kOpgaveAdvarsel);
      return false;
    }
    // A block size of 0 is refused by the shared checks below; it divides
    // nothing here.
    for (uint32_t d = 0; d < dage; ++d)
      if (c[d] > 0 && blok != 0 && c[d] % blok != 0) {
        snprintf(tekst, sizeof tekst,
                 "Der er markeret et forkert antal lektioner i forhold til blok størelsen.\nFejl "
                 "markeringen er: %s",
                 dag(d));
        Afvis(hDlg, 0, tekst, kFejlMarkering, kAdvarsel);
        return false;
      }
  }
  if (!KontrollerSetup(hDlg, t->UgeVisning, min, max, antal, blok)) return false;

  ElevPlanSetup *k = t->Kalder;
  k->Tg.min_elevtal = min;
  k->Tg.max_elevtal = max;
  k->Uger = t->UgeVisning ? 1 : 0;
  if (t->UgeVisning) {
    k->Tg.uge_antal = antal;
    k->Tg.uge_deletal = blok;
    std::copy(t->Uger.begin(), t->Uger.end(), k->UgeMarkeringer);
  } else {
    std::copy(t->Lektioner.begin(), t->Lektioner.end(), k->LektionsMarkeringer);
    k->Tg.lek_antal = antal;
    k->Tg.lek_deletal = blok;
  }
  return true;
}

void SetupInit(HWND hDlg, ElevPlanSetup *setup) {
  auto *t = new (std::nothrow) SetupTilstand{};
  if (t == nullptr) {
    EndDialog(hDlg, 2);
    return;
  }
  SetWindowLongPtrA(hDlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(t));
  t->Kalder = setup;
  Kontrol(hDlg, "BUTTON", "Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 8, 206, 100, 24);
  Kontrol(hDlg, "BUTTON", "Annuller", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 116, 206, 100, 24);
  OpretSetupKontroller(hDlg);
  if (setup->UgeMarkeringer)
    t->Uger.assign(setup->UgeMarkeringer, setup->UgeMarkeringer + setup->AntalUger);
  if (setup->LektionsMarkeringer)
    t->Lektioner.assign(setup->LektionsMarkeringer,
                        setup->LektionsMarkeringer + size_t(setup->AntalDage) * SETUP_LEKTIONER);
  // Days beyond those the caller gave have no marks.
  t->Lektioner.resize(size_t(setup->AntalDage) * SETUP_LEKTIONER, 0);
  t->Min = setup->Tg.min_elevtal;
  t->Max = setup->Tg.max_elevtal;
  t->UgeAntal = setup->Tg.uge_antal;
  t->UgeDeletal = setup->Tg.uge_deletal;
  t->LekAntal = setup->Tg.lek_antal;
  t->LekDeletal = setup->Tg.lek_deletal;
  SaetTal(hDlg, IDC_SETUP_MIN, t->Min);
  SaetTal(hDlg, IDC_SETUP_MAX, t->Max);
  t->UgeVisning = setup->Uger == 1;
  CheckRadioButton(hDlg, IDC_SETUP_UGER, IDC_SETUP_LEKTIONER,
                   t->UgeVisning ? IDC_SETUP_UGER : IDC_SETUP_LEKTIONER);
  if (t->UgeVisning)
    OpretUgeMarkeringer(hDlg);
  else
    OpretLektionsMarkeringer(hDlg);
  VaelgEdit(hDlg, IDC_SETUP_MIN);
}

}  // namespace

void OpretSetupKontroller(HWND hDlg) {
  const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  Kontrol(hDlg, "STATIC", "Min. elevantal:", 0, -1, 16, 24, 100, 16);
  Kontrol(hDlg, "EDIT", "", edit | WS_GROUP, IDC_SETUP_MIN, 120, 22, 88, 20);
  Kontrol(hDlg, "STATIC", "Max. elevantal:", 0, -1, 16, 48, 100, 16);
  Kontrol(hDlg, "EDIT", "", edit, IDC_SETUP_MAX, 120, 46, 88, 20);
  Kontrol(hDlg, "BUTTON", "Uger", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, IDC_SETUP_UGER, 16,
          96, 80, 18);
  Kontrol(hDlg, "BUTTON", "Lektioner", BS_AUTORADIOBUTTON, IDC_SETUP_LEKTIONER, 104, 96, 100, 18);
  Kontrol(hDlg, "STATIC", "Antal:", 0, IDC_SETUP_ANTAL_TEKST, 16, 122, 100, 16);
  Kontrol(hDlg, "EDIT", "", edit | WS_GROUP, IDC_SETUP_ANTAL, 120, 120, 88, 20);
  Kontrol(hDlg, "STATIC", "", 0, IDC_MAX_TEKST, 16, 146, 192, 16);
  Kontrol(hDlg, "STATIC", "Blok størrelse:", 0, -1, 16, 170, 100, 16);
  Kontrol(hDlg, "EDIT", "", edit, IDC_SETUP_BLOK, 120, 168, 88, 20);
  Kontrol(hDlg, "BUTTON", "Standard værdier", BS_GROUPBOX, -1, 8, 4, 208, 70);
  Kontrol(hDlg, "BUTTON", "Uger / lektioner", BS_GROUPBOX, -1, 8, 78, 208, 118);
}

void OpretUgeMarkeringer(HWND hDlg) {
  SetupTilstand *t = Tilstand(hDlg);
  if (t == nullptr) return;
  FjernBokse(t);
  SaetTilstandTekster(hDlg, "Opsætning af uger", "Antal uger:", "uger", t->UgeAntal,
                      t->UgeDeletal);
  const UgeIndeks aktuel = SkemaPeriode.AktuelDatoIndeks;
  int n = 0;
  for (uint32_t i = 1; i <= t->Uger.size(); ++i) {
    const int32_t mark = t->Uger[i - 1];
    if (mark == -1) continue;
    char tekst[16];
    const unsigned uge = IndeksTilUge(i);
    snprintf(tekst, sizeof tekst, "%6u", uge);
    const bool fremhaev = i == aktuel && uge >= 100000 && uge <= 999999;
    if (fremhaev) {
      // The program's symbol font draws the digits from code 33 on.
      char c[6];
      for (int k = 5, v = static_cast<int>(uge); k >= 0; --k, v /= 10) c[k] = char(v % 10 + 33);
      snprintf(tekst, sizeof tekst, "%c%c%c%c%c%c", c[0], c[1], c[2], c[3], c[4], c[5]);
    }
    const int x = kBoksX + (n % kUgerPrRaekke) * kUgeBredde, y = kBoksY + (n / kUgerPrRaekke) * kBoksHoejde;
    HWND w = MarkeringsBoks(hDlg, tekst, IDC_SETUP_UGE_BASIS + static_cast<int>(i), x, y,
                           kUgeBredde - 4, mark == 1);
    if (w && fremhaev && ElevFont) SendMessageA(w, WM_SETFONT, static_cast<WPARAM>(ElevFont), 0);
    t->Bokse.push_back(w);
    ++n;
  }
  const int raekker = (n + kUgerPrRaekke - 1) / kUgerPrRaekke;
  TilpasSetup(hDlg, std::min(n, kUgerPrRaekke) * kUgeBredde, raekker * kBoksHoejde);
}

void OpretLektionsMarkeringer(HWND hDlg) {
  SetupTilstand *t = Tilstand(hDlg);
  if (t == nullptr) return;
  FjernBokse(t);
  SaetTilstandTekster(hDlg, "Opsætning af lektioner", "Antal lektioner:", "lektioner",
                      t->LekAntal, t->LekDeletal);
  const uint32_t foersteDag = SetupFoersteDag(), fra = SetupFoersteLektion(),
                 til = SetupSidsteLektion();
  const int lektioner = til >= fra ? static_cast<int>(til - fra + 1) : 0;
  const int prRaekke = std::min(lektioner, kLektionerPrRaekke);
  const int raekkerPrDag = std::max(1, (lektioner + kLektionerPrRaekke - 1) / kLektionerPrRaekke);
  int y = kBoksY;
  for (uint32_t d = 0; d < t->Kalder->AntalDage; ++d) {
    t->Bokse.push_back(Kontrol(hDlg, "STATIC", kDagNavne[std::min<uint32_t>(foersteDag - 1 + d, 6)],
                               0, -1, kBoksX, y + 2, kDagBredde - 4, kBoksHoejde - 4));
    for (uint32_t l = fra; l <= til; ++l) {
      const int k = static_cast<int>(l - fra);
      char tekst[8];
      snprintf(tekst, sizeof tekst, "%u", l);
      const int id = IDC_SETUP_LEKTION_BASIS + static_cast<int>(d * SETUP_LEKTIONER + l);
      t->Bokse.push_back(MarkeringsBoks(
          hDlg, tekst, id, kBoksX + kDagBredde + (k % kLektionerPrRaekke) * kLektionBredde,
          y + (k / kLektionerPrRaekke) * kBoksHoejde, kLektionBredde - 2,
          t->Lektioner[size_t(d) * SETUP_LEKTIONER + l - 1] == 1));
    }
    y += raekkerPrDag * kBoksHoejde;
  }
  TilpasSetup(hDlg, kDagBredde + prRaekke * kLektionBredde, y - kBoksY);
}

bool KontrollerSetup(HWND hDlg, bool uger, uint32_t min, uint32_t max, uint32_t antal,
                     uint32_t blok) {
  if (min > max) {
    Afvis(hDlg, IDC_SETUP_MIN,
          "Minimum elevantal skal være mindre end eller lig med maximum elevantal.\n",
          kFejlElevantal, kOpgaveAdvarsel);
    return false;
  }
  if (blok == 0) {
    Afvis(hDlg, IDC_SETUP_BLOK, kBlokNul, kFejlBlok, kOpgaveAdvarsel);
    return false;
  }
  if (antal % blok != 0) {
    Afvis(hDlg, IDC_SETUP_BLOK, kIkkeDelelig[uger], kFejlBlok, kOpgaveAdvarsel);
    return false;
  }
  return true;
}

INT_PTR CALLBACK ElevPlanSetupDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      if (lParam == 0) {
        EndDialog(hDlg, 2);
        return TRUE;
      }
      SetupInit(hDlg, reinterpret_cast<ElevPlanSetup *>(lParam));
      return FALSE;  // the focus is set
    case WM_COMMAND: {
      SetupTilstand *t = Tilstand(hDlg);
      const int id = LOWORD(wParam);
      if (t == nullptr) return FALSE;
      switch (id) {
        case IDOK:
        case IDCANCEL:
          return OkAnnuller(hDlg, wParam, SetupOk);
        case IDC_SETUP_UGER:
        case IDC_SETUP_LEKTIONER: {
          const bool uger = id == IDC_SETUP_UGER;
          if (HIWORD(wParam) == BN_CLICKED && uger != t->UgeVisning) {
            t->UgeVisning = uger;
            if (uger)
              OpretUgeMarkeringer(hDlg);
            else
              OpretLektionsMarkeringer(hDlg);
          }
          return TRUE;
        }
        default:
          break;
      }
      int32_t *mark = MarkeringAf(t, id);
      if (mark == nullptr || *mark == -1 || HIWORD(wParam) != BN_CLICKED) return FALSE;
      *mark = *mark == 1 ? 0 : 1;
      HWND boks = GetDlgItem(hDlg, id);
      SendMessageA(boks, BM_SETCHECK, *mark == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
      SetFocus(boks);
      return TRUE;
    }
    case WM_DESTROY:
      delete Tilstand(hDlg);
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR VisElevPlanSetupDialog(HWND ejer, ElevPlanSetup *setup) {
  return VisElevDialog(IDD_ELEVPLANSETUP, ejer, ElevPlanSetupDlgProc, setup);
}
