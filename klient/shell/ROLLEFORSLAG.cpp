// The role proposals.
#include "ROLLEFORSLAG.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FONTE.h"
#include "INDSTIL.h"
#include "ImpBehandl.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "STITAB.h"

const RolleForslagPost RolleForslagTabel[kRolleForslagAntal + 1] = {
    {"anfo", "Medarbejder på hold"},
    {"xanfo", "Ekstra medarbejder på hold"},
    {"*anfo", "*Medarbejder"},
    {"ovak", "Medarbejder på øvrig aktivitet"},
    {"*ovak", "Medarbejder på *aktivitet"},
    {"dag", "Medarbejder i dagskema på øvrig aktivitet"},
    {"oms", "Omsorgs rolle"},
    {"afsp", "Afspadserings rolle"},
    {"syg", "Sygdoms rolle"},
    {"vikar", "Vikar rolle"},
    {"akko", "Akkord rolle"},
    {"fer", "Ferie rolle"},
    {"sfer", "Særlige feriedage"},
    {"loka", "Lokale"},
    {"*loka", "*Lokale"},
    {nullptr, "Slut"},
};

uint32_t RolleForslagene[kRolleForslagAntal] = {};

namespace {

constexpr const char *kSektion = "Default Roller";

bool ErSkemarol(int nr) { return nr < kRolleForslagSkemarol; }

bool Levende(uint8_t status) { return status >= 10 && status <= 29; }

const SkemarolRec *Skemarol(uint32_t r) { return r ? TabRec<SkemarolRec>(tvskemarol, r) : nullptr; }
const LokrolleRec *Lokrolle(uint32_t r) { return r ? TabRec<LokrolleRec>(tvlokrolle, r) : nullptr; }

std::string RollerIni() { return std::string(StiTab.szdata) + "ini\\Roller.ini"; }

// The current record of the proposal's table with this id; 0 when none.
uint32_t RecMedId(int nr, uint32_t id) {
  if (id == 0) return 0;
  if (ErSkemarol(nr)) {
    for (uint32_t r = 1; r < tvskemarol.wRecCnt; ++r)
      if (const SkemarolRec *s = Skemarol(r); s->id == id && Levende(s->Status)) return r;
  } else {
    for (uint32_t r = 1; r < tvlokrolle.wRecCnt; ++r)
      if (const LokrolleRec *l = Lokrolle(r); l->id == id && Levende(l->Status)) return r;
  }
  return 0;
}

// Copies a field that may fill its bytes without a terminator.
std::string Felt(const char *f, size_t n) { return std::string(f, strnlen(f, n)); }

}  // namespace

bool AlleRollerSat() {
  if (GlobalIndstillinger.supertavo) return true;
  return std::all_of(std::begin(RolleForslagene), std::end(RolleForslagene), [](uint32_t r) { return r != 0; });
}

uint32_t RolleForslagId(int nr) {
  if (nr < 0 || nr >= kRolleForslagAntal) return 0;
  const uint32_t r = RolleForslagene[nr];
  if (ErSkemarol(nr)) {
    const SkemarolRec *s = Skemarol(r);
    return s ? s->id : 0;
  }
  const LokrolleRec *l = Lokrolle(r);
  return l ? l->id : 0;
}

void LaesRolleForslag() {
  const std::string ini = RollerIni();
  for (int nr = 0; nr < kRolleForslagAntal; ++nr) {
    char tekst[32] = "";
    GetPrivateProfileStringA(kSektion, RolleForslagTabel[nr].noegle, "", tekst, sizeof tekst, ini.c_str());
    char *slut = nullptr;
    const long id = std::strtol(tekst, &slut, 10);
    // A damaged entry is as good as a missing one: the callers then ask for
    // the proposal instead of working with a wrong role.
    const bool sat = slut != tekst && id > 0;
    RolleForslagene[nr] = sat ? RecMedId(nr, static_cast<uint32_t>(id)) : 0;
    // Holidays are booked as the starred other activity unless a role of
    // their own is chosen ("*ovak" comes before them in the table).
    if (!sat && (nr == RF_FER || nr == RF_SFER)) RolleForslagene[nr] = RolleForslagene[RF_STJERNE_OVAK];
  }
}


// ==================================================================== dialog

namespace {

constexpr int kIdListe = 300;  // the lists are 300..314 in table order
constexpr int kIdFortryd = IDCANCEL;
constexpr int kLinjeH = 11;

struct RolleDlgTilstand {
  std::vector<std::string> rolleLinjer, lokaLinjer;  // row 0 blank
  std::vector<uint32_t> rolleRec, lokaRec;          // record number of each row
  HWND lister[kRolleForslagAntal] = {};
  int listeB = 0, listeH = 0, tekstB = 0, kolonneB = 0;
  int top = 0;
};

// The schedule roles' rows; whether any live role exists.
bool RolleListe(RolleDlgTilstand &t) {
  t.rolleLinjer.assign(1, std::string(52, ' '));
  t.rolleRec.assign(1, 0);
  for (uint32_t r = 1; r < tvskemarol.wRecCnt; ++r) {
    const SkemarolRec *s = Skemarol(r);
    if (!Levende(s->Status)) continue;
    const std::string kode = Felt(s->Rolle, sizeof s->Rolle);
    const char f1 = s->Afspadsering, f2 = s->Timetype, f3 = s->Genererer_timeposter, f4 = s->Check_skemasammenfald;
    unsigned char maerke;
    if (kode.size() >= 2 && (kode[0] == 'A' || kode[0] == 'a') && (kode[1] == 'K' || kode[1] == 'k'))
      maerke = 147;
    else
      maerke = f3 == 'J' ? 224 : 226;
    if (f2 == 'J') ++maerke;
    std::string type;
    if (const SkemrtypRec *ty = TabRec<SkemrtypRec>(tvskemrtyp, s->skemrtyp_id); ty && s->skemrtyp_id) {
      type = Felt(ty->Rolletype, sizeof ty->Rolletype);
      if (type.empty()) type = Felt(ty->Betegnelse, sizeof ty->Betegnelse);
    }
    if (type.empty()) type = Felt(s->Rolletype_tekst, sizeof s->Rolletype_tekst);
    type = type.substr(0, 4);
    char linje[96];
    std::snprintf(linje, sizeof linje, " %-5s  %c  %-15s    %c    %c    %c    %c %-4s ", kode.c_str(),
                  static_cast<char>(maerke), Felt(s->Betegnelse, 15).c_str(), f1 ? f1 : ' ', f2 ? f2 : ' ',
                  f3 ? f3 : ' ', f4 ? f4 : ' ', type.c_str());
    t.rolleLinjer.emplace_back(linje);
    t.rolleRec.push_back(r);
  }
  t.lokaLinjer.assign(1, std::string(28, ' '));
  t.lokaRec.assign(1, 0);
  for (uint32_t r = 1; r < tvlokrolle.wRecCnt; ++r) {
    const LokrolleRec *l = Lokrolle(r);
    if (!Levende(l->Status)) continue;
    const LokrotypRec *ty = l->lokrotyp_id ? TabRec<LokrotypRec>(tvlokrotyp, l->lokrotyp_id) : nullptr;
    if (!ty) continue;
    const std::string typeNavn = Felt(ty->Rolletype, sizeof ty->Rolletype);
    char linje[64];
    std::snprintf(linje, sizeof linje, " %c  %c  %-15s    %c ", l->Lokalerolle ? l->Lokalerolle : ' ',
                  typeNavn.empty() ? ' ' : typeNavn[0], Felt(l->Betegnelse, 15).c_str(),
                  l->Check_sammenfald ? l->Check_sammenfald : ' ');
    t.lokaLinjer.emplace_back(linje);
    t.lokaRec.push_back(r);
  }
  return t.rolleLinjer.size() > 1;
}

void GemRolleForslag(RolleDlgTilstand &t) {
  const std::string ini = RollerIni();
  for (int nr = 0; nr < kRolleForslagAntal; ++nr) {
    const auto &rec = ErSkemarol(nr) ? t.rolleRec : t.lokaRec;
    const LRESULT valgt = SendMessageA(t.lister[nr], CB_GETCURSEL, 0, 0);
    const uint32_t r = (valgt >= 0 && static_cast<size_t>(valgt) < rec.size()) ? rec[valgt] : 0;
    RolleForslagene[nr] = r;
    const uint32_t id = RolleForslagId(nr);
    if (r == 0 || id == 0) continue;
    char tekst[16];
    std::snprintf(tekst, sizeof tekst, "%ld", static_cast<long>(id));
    WritePrivateProfileStringA(kSektion, RolleForslagTabel[nr].noegle, tekst, ini.c_str());
  }
}

void TegnRolleForslag(HWND hDlg, RolleDlgTilstand &t) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hDlg, &ps);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ gammel = TxtFont ? SelectObject(dc, TxtFont) : 0;
  auto skriv = [&](int x, int y, const char *s) { TextOutA(dc, x, y, s, static_cast<int>(std::strlen(s))); };
  skriv(8, 6, "Medarbejderroller :");
  skriv(8 + t.kolonneB, 6, "Lokaleroller :");
  static const char *const kTitler[] = {"Rolle", "Type", "Betegnelse", "Afsp.", "TimTyp", "Timep.", "Check"};
  static const int kKolonne[] = {1, 8, 13, 31, 36, 41, 46};
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  const int tegnB = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 6;
  for (size_t i = 0; i < std::size(kTitler); ++i) skriv(8 + t.tekstB + kKolonne[i] * tegnB, 20, kTitler[i]);
  for (int nr = 0; nr < kRolleForslagAntal; ++nr) {
    const int kol = ErSkemarol(nr) ? 0 : 1, raekke = ErSkemarol(nr) ? nr : nr - kRolleForslagSkemarol;
    skriv(8 + kol * t.kolonneB, t.top + raekke * 24 + 3, RolleForslagTabel[nr].tekst);
  }
  skriv(8, t.top + kRolleForslagSkemarol * 24 + 4, "For yderligere instruktion se under hjælp. Tast <F1>");
  if (gammel) SelectObject(dc, gammel);
  EndPaint(hDlg, &ps);
}

void Centrer(HWND hDlg, int b, int h) {
  RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND ejer = GetParent(hDlg)) GetWindowRect(ejer, &over);
  MoveWindow(hDlg, over.left + (over.right - over.left - b) / 2, over.top + (over.bottom - over.top - h) / 2, b, h,
             FALSE);
}

BOOL Start(HWND hDlg, RolleDlgTilstand &t) {
  size_t laengst = 0;
  for (const auto &l : t.rolleLinjer) laengst = std::max(laengst, l.size());
  for (const auto &l : t.lokaLinjer) laengst = std::max(laengst, l.size());
  const int tegnB = 6, ramme = 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
  t.listeB = static_cast<int>(laengst) * tegnB + ramme;
  const size_t raekker = std::max(t.rolleLinjer.size(), t.lokaLinjer.size());
  t.listeH = raekker < 19 ? kLinjeH * static_cast<int>(raekker) + 50 : 248;
  t.tekstB = 250;
  t.kolonneB = t.tekstB + t.listeB + 16;
  t.top = 36;
  for (int nr = 0; nr < kRolleForslagAntal; ++nr) {
    const bool rolle = ErSkemarol(nr);
    const int kol = rolle ? 0 : 1, raekke = rolle ? nr : nr - kRolleForslagSkemarol;
    HWND c = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                             8 + kol * t.kolonneB + t.tekstB, t.top + raekke * 24, t.listeB, t.listeH, hDlg,
                             static_cast<HMENU>(kIdListe + nr), 0, nullptr);
    if (!c) continue;
    if (TxtFont) SendMessageA(c, WM_SETFONT, static_cast<WPARAM>(TxtFont), FALSE);
    const auto &linjer = rolle ? t.rolleLinjer : t.lokaLinjer;
    const auto &rec = rolle ? t.rolleRec : t.lokaRec;
    for (const auto &l : linjer) SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
    LRESULT valgt = 0;
    for (size_t i = 0; i < rec.size(); ++i)
      if (rec[i] == RolleForslagene[nr]) valgt = static_cast<LRESULT>(i);
    SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(valgt), 0);
    t.lister[nr] = c;
  }
  const int b = 16 + 2 * t.kolonneB, knapY = t.top + kRolleForslagSkemarol * 24 + 24;
  if (HWND ok = GetDlgItem(hDlg, IDOK)) MoveWindow(ok, b / 2 - 110, knapY, 100, 24, FALSE);
  if (HWND nej = GetDlgItem(hDlg, kIdFortryd)) MoveWindow(nej, b / 2 + 10, knapY, 100, 24, FALSE);
  Centrer(hDlg, b, knapY + 24 + 12 + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME));
  if (t.lister[0]) SetFocus(t.lister[0]);
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK RolleForslagDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *t = reinterpret_cast<RolleDlgTilstand *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
  switch (msg) {
    case WM_INITDIALOG:
      t = reinterpret_cast<RolleDlgTilstand *>(lParam);
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      if (!t) {
        EndDialog(hDlg, 2);
        return FALSE;
      }
      return Start(hDlg, *t);
    case WM_PAINT:
      if (!t) return FALSE;
      TegnRolleForslag(hDlg, *t);
      return TRUE;
    case WM_COMMAND:
      if (!t) return FALSE;
      if (LOWORD(wParam) == IDOK) {
        GemRolleForslag(*t);
        EndDialog(hDlg, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == kIdFortryd) {
        EndDialog(hDlg, 2);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR RolleForslagDialog(HWND hovedvindue) {
  RolleDlgTilstand t;
  if (!RolleListe(t)) {
    MessageBoxA(hovedvindue,
                "Da systemet ikke kender nogle roller, kan forslagsroller ikke sættes\n"
                "Der skal gennemføres en kontakt til EASY først.",
                "Advarsel", MB_OK | MB_ICONEXCLAMATION);
    return 2;
  }
  tavo::res::DialogTemplate s;
  s.caption = "Forslagsroller";
  s.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  s.fontFace = "MS Sans Serif";
  s.cx = 400;
  s.cy = 300;
  s.items = {{"BUTTON", IDOK, "Ok", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 50, 14},
             {"BUTTON", kIdFortryd, "Fortryd", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 60, 0, 50, 14}};
  const INT_PTR svar = DialogBoxTemplate(0, s, hovedvindue, RolleForslagDlgProc, reinterpret_cast<LPARAM>(&t));
  return svar == 1 ? 1 : 2;
}

void RolleForslagKommando(HWND hovedvindue) { RolleForslagDialog(hovedvindue); }
