// The timetable text export.
#include "ExpSkema.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "REGNING.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "eksportdlg.h"
#include "win/controls.h"
#include "win/dlg.h"
#include "win/shellapi.h"

namespace {

constexpr char kSektion[] = "ExpSkema";
constexpr char kFejl[] = "Export Skema - Fejl";

template <class R>
const R *Post(const TabDesc &td, const TabVar &tv, uint32_t nr) {
  if (nr == 0 || nr >= tv.wRecCnt) return nullptr;
  return reinterpret_cast<const R *>(GetRec(&td, &tv, nr));
}

template <size_t N>
void Kode(char (&ud)[N], const char *felt, size_t laengde) {
  const size_t n = std::min(strnlen(felt, laengde), N - 1);
  memcpy(ud, felt, n);
  ud[n] = 0;
}


UgeIndeks Indeks(Dato dato) {
  Uge uge = 0;
  uint8_t dag = 0;
  DatoTilUge(dato, &uge, &dag);
  // A date outside the period addresses no bucket: 0 and AntalUger + 1
  // come to the first and the last week.
  return std::clamp<UgeIndeks>(UgeTilIndeks(uge), 1, std::max<UgeIndeks>(SkemaPeriode.AntalUger, 1));
}

ExpSkemaLinje Linje(const SkeRec &forste, const SkeRec &r, Dato dato) {
  ExpSkemaLinje l{};
  if (const AktiRec *a = Post<AktiRec>(tdakti, tvakti, r.akti_id ? r.akti_id : forste.akti_id))
    Kode(l.aktivitet, a->Aktivitet, sizeof a->Aktivitet);
  if (const SkfaRec *f = Post<SkfaRec>(tdskfa, tvskfa, forste.skfa_id)) {
    Kode(l.fag, f->Skolefag, sizeof f->Skolefag);
    if (f->Niveau != '-' && f->Niveau != 0) {
      const size_t n = strlen(l.fag);
      l.fag[n] = f->Niveau;
      l.fag[n + 1] = 0;
    }
  }
  if (const AnfoRec *a = Post<AnfoRec>(tdanfo, tvanfo, r.anfo_id ? r.anfo_id : forste.anfo_id))
    if (const MedaRec *m = Post<MedaRec>(tdmeda, tvmeda, a->meda_id)) Kode(l.initialer, m->Initialer, 4);
  if (const LokaRec *lo = Post<LokaRec>(tdloka, tvloka, r.loka_id ? r.loka_id : forste.loka_id))
    Kode(l.lokale, lo->Lokalenr, sizeof lo->Lokalenr);
  l.lektion = r.Lektion;
  l.dato = dato;
  if (r.Lektion == 0 && r.Starttid && r.Sluttid) {
    l.start = r.Starttid;
    l.slut = r.Sluttid;
    l.timer = (static_cast<float>(KlokMinutter(r.Sluttid)) - static_cast<float>(KlokMinutter(r.Starttid))) / 60.0f;
  }
  return l;
}

void Tekst(HWND hDlg, int id, char *ud, int n) {
  ud[0] = 0;
  GetDlgItemTextA(hDlg, id, ud, n);
}

Dato Tal(HWND hDlg, int id) {
  char buf[9];
  Tekst(hDlg, id, buf, sizeof buf);
  return static_cast<Dato>(strtoul(buf, nullptr, 10));
}

void Browse(HWND hDlg) {
  char fil[MAX_PATH] = "";
  char mappe[MAX_PATH] = "";
  Tekst(hDlg, IDC_EXPSKEMA_FILNAVN, fil, sizeof fil);
  Tekst(hDlg, IDC_EXPSKEMA_STI, mappe, sizeof mappe);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hDlg;
  ofn.lpstrFilter = "Export Skema fil (*.txt)\0*.txt\0";
  ofn.lpstrFile = fil;
  ofn.nMaxFile = sizeof fil;
  ofn.lpstrInitialDir = mappe[0] ? mappe : nullptr;
  ofn.lpstrTitle = "Gem extern skema fil";
  ofn.lpstrDefExt = "txt";
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameA(&ofn) || ofn.nFileOffset == 0) return;
  SetDlgItemTextA(hDlg, IDC_EXPSKEMA_FILNAVN, fil + ofn.nFileOffset);
  fil[ofn.nFileOffset - 1] = 0;
  SetDlgItemTextA(hDlg, IDC_EXPSKEMA_STI, fil);
  SetFocus(GetDlgItem(hDlg, IDOK));
}

bool Godkend(HWND hDlg, ExpSkemaValg *v) {
  Tekst(hDlg, IDC_EXPSKEMA_STI, v->sti, sizeof v->sti);
  Tekst(hDlg, IDC_EXPSKEMA_FILNAVN, v->filnavn, sizeof v->filnavn);
  v->fra = Tal(hDlg, IDC_EXPSKEMA_FRA);
  v->til = Tal(hDlg, IDC_EXPSKEMA_TIL);
  const char *fejl = !v->sti[0]          ? "Stien er ikke udfyldt! Det skal den!"
                     : !v->filnavn[0]    ? "Filnavnet er ikke udfyldt! Det skal den!"
                     : v->fra == 0       ? "Fradato er ikke udfyldt! Det skal den!"
                     : v->til == 0       ? "Tildato er ikke udfyldt! Det skal den!"
                     : !GyldigDato(v->fra) ? "Fradato er ikke korrekt!"
                     : !GyldigDato(v->til) ? "Tildato er ikke korrekt!"
                                           : nullptr;
  if (fejl) {
    MessageBoxA(hDlg, fejl, kFejl, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  char tal[16];
  WritePrivateProfileStringA(kSektion, "path", v->sti, StiTab.szini);
  WritePrivateProfileStringA(kSektion, "filnavn", v->filnavn, StiTab.szini);
  snprintf(tal, sizeof tal, "%lu", static_cast<unsigned long>(v->fra));
  WritePrivateProfileStringA(kSektion, "startdato", tal, StiTab.szini);
  snprintf(tal, sizeof tal, "%lu", static_cast<unsigned long>(v->til));
  WritePrivateProfileStringA(kSektion, "slutdato", tal, StiTab.szini);
  return true;
}

}  // namespace

std::vector<ExpSkemaLinje> ExpSkemaLinjer(Dato fra, Dato til) {
  std::vector<ExpSkemaLinje> linjer;
  const UgeIndeks foerste = Indeks(fra), sidste = Indeks(til);
  for (UgeIndeks i = foerste; i <= sidste && SkemaPeriode.AntalUger; ++i) {
    const Uge uge = IndeksTilUge(i);
    const TabVar *b = SkemabegBucket(uge);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec &s = *Post<SkeRec>(tdske, *b, r);
      if (s.Forste != r || (s.Status & 0x48) != 0x40) continue;
      if (!GlobalIndstillinger.supertavo && s.Ejer != GlobalIndstillinger.insnr) continue;
      const Dato dato = UgeDagTilDato(uge, s.Dag);
      if (dato < fra || dato > til) continue;
      for (uint32_t k = r; k < b->wRecCnt; ++k) {
        const SkeRec &rk = *Post<SkeRec>(tdske, *b, k);
        if (k != r && rk.Forste != r) break;
        linjer.push_back(Linje(s, rk, dato));
      }
    }
  }
  auto noegle = [](const ExpSkemaLinje &l) {
    char buf[40];
    snprintf(buf, sizeof buf, "%-*s%ld%02d", 5, l.initialer, static_cast<long>(l.dato), l.lektion);
    return std::string(buf);
  };
  std::vector<std::pair<std::string, size_t>> orden;
  for (size_t i = 0; i < linjer.size(); ++i) orden.emplace_back(noegle(linjer[i]), i);
  std::stable_sort(orden.begin(), orden.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
  std::vector<ExpSkemaLinje> ud;
  ud.reserve(linjer.size());
  for (const auto &o : orden) ud.push_back(linjer[o.second]);
  return ud;
}

INT_PTR CALLBACK ExpSkemaDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
      char sti[261], fil[261];
      GetPrivateProfileStringA(kSektion, "path", "", sti, sizeof sti, StiTab.szini);
      GetPrivateProfileStringA(kSektion, "filnavn", "", fil, sizeof fil, StiTab.szini);
      if (!sti[0]) {
        snprintf(sti, sizeof sti, "%s", StiTab.szdata);
        const size_t n = strlen(sti);
        if (n > 3 && sti[n - 1] == '\\') sti[n - 1] = 0;
      }
      const UINT fra = GetPrivateProfileIntA(kSektion, "startdato", 0, StiTab.szini);
      const UINT til = GetPrivateProfileIntA(kSektion, "slutdato", 0, StiTab.szini);
      SetDlgItemTextA(hDlg, IDC_EXPSKEMA_FILNAVN, fil);
      SetDlgItemTextA(hDlg, IDC_EXPSKEMA_STI, sti);
      if (fra) SetDlgItemInt(hDlg, IDC_EXPSKEMA_FRA, fra, FALSE);
      if (til) SetDlgItemInt(hDlg, IDC_EXPSKEMA_TIL, til, FALSE);
      const int fokus = !sti[0] ? IDC_EXPSKEMA_STI : !fil[0] ? IDC_EXPSKEMA_FILNAVN : IDC_EXPSKEMA_FRA;
      SetFocus(GetDlgItem(hDlg, fokus));
      return FALSE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_EXPSKEMA_BROWSE:
          Browse(hDlg);
          return TRUE;
        case IDOK:
          if (Godkend(hDlg, reinterpret_cast<ExpSkemaValg *>(GetWindowLongPtrA(hDlg, DWLP_USER))))
            EndDialog(hDlg, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(hDlg, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

void ExpSkema() {
  auto valg = std::make_unique<ExpSkemaValg>();
  RegistrerEksportDialoger();
  if (DialogBoxParamA(0, MAKEINTRESOURCE(IDD_EXPSKEMA), hwndHoved, ExpSkemaDialog,
                      reinterpret_cast<LPARAM>(valg.get())) != IDOK)
    return;
  const std::string navn = std::string(valg->sti) + "\\" + valg->filnavn;
  FILE *f = fopen(navn.c_str(), "w");
  if (!f) {
    char tekst[700];
    snprintf(tekst, sizeof tekst, "Export af skema kan ikke fortsætte,\n da filen '%s' ikke kunne oprettes !",
             navn.c_str());
    MessageBoxA(hwndHoved, tekst, kFejl, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  int antal = 0;
  for (const ExpSkemaLinje &l : ExpSkemaLinjer(valg->fra, valg->til)) {
    fprintf(f, "%s,%s,%s,%s,%i,%i,%i,%i,%f\n", l.aktivitet, l.fag, l.initialer, l.lokale, static_cast<int>(l.dato),
            l.lektion, static_cast<int>(l.start), static_cast<int>(l.slut), l.timer);
    ++antal;
  }
  const bool skrevet = !ferror(f);
  if (fclose(f) != 0 || !skrevet) {
    // A full disk must not be reported as a finished export.
    char tekst[700];
    snprintf(tekst, sizeof tekst, "Export af skema fejlede,\n da filen '%s' ikke kunne skrives !", navn.c_str());
    MessageBoxA(hwndHoved, tekst, kFejl, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  char tekst[200];
  snprintf(tekst, sizeof tekst, "Export af skema er færdig.\nDer blev exporteret %i skema begivenheder.", antal);
  MessageBoxA(hwndHoved, tekst, "Export Skema", MB_OK | MB_ICONINFORMATION);
}
