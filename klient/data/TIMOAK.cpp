// Single time postings, start copies of the two event files and the resend of the schedule.
#include "TIMOAK.h"

#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "BESKEDER.h"
#include "DATO.h"
#include "GEMNING.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "OPTAEL.h"
#include "TABOPER.h"
#include "VEDLIGE.h"

#include "INDSTIL.h"
#include "PROGVINDUER.h"
#include "TAVODATA.h"

namespace {

// A copy that is missing its source leaves its target as it is.
void KopierDataFil(const char *fra, const char *til) {
  char kilde[kStiLaengde], maal[kStiLaengde];
  if (!DataFilSti(kilde, sizeof kilde, fra, ".dat") || !DataFilSti(maal, sizeof maal, til, ".dat"))
    return;
  if (GemFindes(kilde)) GemKopi(kilde, maal);
}

}  // namespace

// The copies and the time file always belong together: one commit of their
// own, or part of the save that wrote the event files (save all calls this
// before its commit, so the copies are of what it wrote).
bool GemStartKopi() {
  Gemning g;
  KopierDataFil("skemabeg", "skemabegkopi");
  KopierDataFil("timoak", "timoakkopi");
  char sti[kStiLaengde];
  if (DataFilSti(sti, sizeof sti, "StartTid", ".dat")) {
    GemFil f;
    if (f.Aabn(sti, true))
      f.Printf("%lu, %lu, %" PRIu64, static_cast<unsigned long>(AendringerFoersteFire()),
               static_cast<unsigned long>(AendringerSidsteFire()), static_cast<uint64_t>(time(nullptr)));
    f.Luk();
  }
  return g.Fuldfoer();
}

bool GendanStartKopi() {
  Gemning g;
  KopierDataFil("skemabegkopi", "skemabeg");
  KopierDataFil("timoakkopi", "timoak");
  return g.Fuldfoer();
}

// ---- Resend of the schedule ----

GensendKroge GensendKrog = {};

namespace {

constexpr int kLektioner = 48;
constexpr UINT kGensendStart = 1161;
constexpr int kTekstKontrol = 40045;
constexpr int kFremdriftKontrol = 1077;

struct Gensendelse {
  uint32_t forste;
  void *avs;
  uint8_t lektion;
  uint32_t risy;
};

SkeRec LaesRaekke(const TabVar *pTv, uint32_t r) {
  SkeRec s;
  memcpy(&s, GetRec(&tdske, pTv, r), sizeof s);
  return s;
}

uint32_t RingSystem(const SkeRec &s) {
  if (s.akti_id && GyldigRef(&tvakti, s.akti_id)) {
    uint32_t risy;
    memcpy(&risy, GetRec(&tdakti, &tvakti, s.akti_id) + offsetof(AktiRec, risy_id), 4);
    if (risy) return risy;
  }
  return s.risy_id;
}

}  // namespace

int RetSkemaForGensend(uint32_t dato, int mode) {
  int antal = 0;
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    Uge uge = IndeksTilUge(i);
    Dato dage[8] = {};
    for (uint8_t d = 1; d <= 7; ++d) dage[d] = UgeDagTilDato(uge, d);
    TabVar *pTv = SkemabegBucket(uge);
    if (!pTv) continue;
    // The events are chosen and read before the bucket changes: a deleted
    // and re-added event must not be met again further on in the walk.
    std::vector<Gensendelse> valgte;
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
      SkeRec s = LaesRaekke(pTv, r);
      if ((s.Status & 72u) != 64u || s.Forste != r || s.Ejer != GlobalIndstillinger.insnr) continue;
      if (mode == 1) {
        if (s.Dag < 1 || s.Dag > 7 || dage[s.Dag] < dato) continue;
      } else if (s.opdtid / 1000000.0 < static_cast<double>(dato)) {
        continue;
      }
      valgte.push_back({r, nullptr, s.Lektion, RingSystem(s)});
    }
    for (Gensendelse &g : valgte)
      if (GensendKrog.HentAVS) g.avs = GensendKrog.HentAVS(uge, g.forste);
    // From the back, so a deletion never moves a row still to be deleted.
    for (auto it = valgte.rbegin(); it != valgte.rend(); ++it)
      if (GensendKrog.SletBegivenhed) GensendKrog.SletBegivenhed(uge, it->forste);
    for (Gensendelse &g : valgte) {
      ++antal;
      if (g.lektion != 0 && g.lektion <= kLektioner && g.risy && GyldigRef(&tvrisy, g.risy) &&
          GensendKrog.SaetLektionsTider) {
        const uint8_t *risy = GetRec(&tdrisy, &tvrisy, g.risy);
        uint32_t start, slut;
        float std;
        memcpy(&start, risy + offsetof(RisyRec, Starttid) + 4 * (g.lektion - 1), 4);
        memcpy(&slut, risy + offsetof(RisyRec, Sluttid) + 4 * (g.lektion - 1), 4);
        memcpy(&std, risy + offsetof(RisyRec, Antal_std_lektioner) + 4 * (g.lektion - 1), 4);
        GensendKrog.SaetLektionsTider(g.avs, start, slut, std);
      }
      if (GensendKrog.AddBegivenhed) GensendKrog.AddBegivenhed(g.avs, SKE_EGEN);
    }
  }
  return antal;
}

namespace {

INT_PTR GensendDlg(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam, int mode) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      RECT rc;
      GetClientRect(hDlg, &rc);
      int bredde = rc.right - rc.left - 20;
      const int kontroller[2] = {kTekstKontrol, kFremdriftKontrol};
      for (int k = 0; k < 2; ++k) {
        HWND h = GetDlgItem(hDlg, kontroller[k]);
        if (!h) continue;
        SetWindowPos(h, 0, 10, 10 + 20 * k, bredde, 20, SWP_NOZORDER);
        ShowWindow(h, SW_SHOW);
      }
      SetWindowTextA(hDlg, "Gensend data");
      SetPropA(hDlg, "GensendStart", static_cast<HANDLE>(1));
      return TRUE;
    }
    case WM_PAINT:
      if (GetPropA(hDlg, "GensendStart")) {
        RemovePropA(hDlg, "GensendStart");
        PostMessageA(hDlg, WM_COMMAND, kGensendStart, 0);
      }
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kGensendStart) {
        SetDlgItemTextA(hDlg, kTekstKontrol, "RETTER SKEMA FOR GENSEND - ET ØJEBLIK");
        auto dato = static_cast<uint32_t>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
        int antal = RetSkemaForGensend(dato, mode);
        EndDialog(hDlg, antal);
        if (antal > 0) {
          if (GensendKrog.AllokerTalTab) GensendKrog.AllokerTalTab();
          if (GensendKrog.SendTilAlleVinduer) GensendKrog.SendTilAlleVinduer(DATA_AENDRET, 0, 0);
          char tekst[160];
          snprintf(tekst, sizeof tekst,
                   "Skemaet er rettet til med %i begivenheder, lav en eksport og kontakt serveren !", antal);
          MessageBoxA(0, tekst, "Ok", MB_OK | MB_ICONINFORMATION);
        } else {
          MessageBoxA(0, "Ingen skemabegivenheder blev rettet. !", "Ok", MB_OK | MB_ICONINFORMATION);
        }
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK GensendFraDatoDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  return GensendDlg(hDlg, msg, wParam, lParam, 1);
}

INT_PTR CALLBACK GensendFraTidDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  return GensendDlg(hDlg, msg, wParam, lParam, 2);
}

namespace {
constexpr int kDatoKontrol = 1049;
}

void RegistrerGensendSkabelon() {
  tavo::res::DialogTemplate t;
  t.id = IDD_GENSEND_STARTDATO;
  t.caption = "Gensend";
  t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.cx = 200;
  t.cy = 62;
  t.items.push_back({"STATIC", -1, "Angiv fradato for gensendelse (ÅÅÅÅMMDD):", WS_VISIBLE, 0, 8, 8, 184, 10});
  t.items.push_back({"EDIT", kDatoKontrol, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 8, 22, 80, 12});
  t.items.push_back({"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 40, 42, 50, 14});
  t.items.push_back({"BUTTON", IDCANCEL, "Fortryd", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 110, 42, 50, 14});
  tavo::res::RegisterDialog(t);
}

INT_PTR CALLBACK StartDatoDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      SetFocus(GetDlgItem(hDlg, kDatoKontrol));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        char tekst[254] = {};
        GetDlgItemTextA(hDlg, kDatoKontrol, tekst, sizeof tekst);
        char *slut;
        long long v = strtoll(tekst, &slut, 10);
        if (slut != tekst && v >= SkemaPeriode.FraDato && v <= SkemaPeriode.TilDato &&
            GyldigDato(static_cast<Dato>(v))) {
          if (auto *p = reinterpret_cast<uint32_t *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA)))
            *p = static_cast<uint32_t>(v);
          EndDialog(hDlg, 1);
        } else {
          char besked[200];
          snprintf(besked, sizeof besked,
                   "Startdato skal angives på formatet ÅÅÅÅMMDD (f.eks. 20020325).\n Og ligge inden for "
                   "skemaets periode. (%d-%d)",
                   static_cast<int>(SkemaPeriode.FraDato), static_cast<int>(SkemaPeriode.TilDato));
          MessageBoxA(hDlg, besked, "Fejl i dato", MB_OK | MB_ICONEXCLAMATION);
        }
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 2);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// ---- Single time postings ----

TimoakKroge TimoakKrog = {};

namespace {

constexpr uint8_t kTimLever = 64, kTimSlettet = 8, kTimSendt = 16, kTimEksporteret = 32;
constexpr uint32_t kAakrelMaks = 65000 - 10000;
enum { NY_POSTERING = 5, SLETTET_POSTERING = 7, AENDRET_POSTERING = 9 };

bool TimLever(uint8_t status) { return (status & (kTimLever | kTimSlettet)) == kTimLever; }

void Ned(uint32_t &taeller) {
  if (taeller) --taeller;
}

void OpdaterAakrel(uint32_t akti, uint32_t anfo) {
  if (!VedligeKrog.AddAakrel) return;
  VedligeKrog.AddAakrel(akti, anfo, 10);
  if (VedligeKrog.AakrelAntal && VedligeKrog.CleanupAakrel && VedligeKrog.AakrelAntal() > kAakrelMaks)
    VedligeKrog.CleanupAakrel();
}

void MeldAendring(bool alleVinduer) {
  if (alleVinduer && TimoakKrog.SendTilAlleVinduer) TimoakKrog.SendTilAlleVinduer(DATA_AENDRET, 0, 0);
  if (hwndHoved) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
  if (hwndEksportStatus) InvalidateRect(hwndEksportStatus, nullptr, TRUE);
}

bool IInterval(uint32_t dato, uint32_t fra, uint32_t til) { return dato >= fra && dato <= til; }

}  // namespace

TimoakRaekke *FindTimoak(uint32_t akti, uint32_t anfo, uint32_t dato) {
  if (!akti || !anfo) return nullptr;
  const Maaned m = dato / 100;
  if (m < SkemaPeriode.FoersteMaaned || m > SkemaPeriode.SidsteMaaned) return nullptr;
  TabVar *pTv = TimoakBucket(m);
  if (!pTv || pTv->wRecCnt < 2) return nullptr;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    auto *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, pTv, r));
    if (TimLever(t->Status) && t->akti_id == akti && t->anfo_id == anfo && t->Dato == dato) return t;
  }
  return nullptr;
}

int AddTimoakPost(uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint8_t kilde) {
  if (!akti || !anfo || !IInterval(dato, SkemaPeriode.FraDato, SkemaPeriode.TilDato)) return 0;
  if (!GyldigRef(&tvakti, akti) || !GyldigRef(&tvanfo, anfo)) return 0;
  AktiRec a;
  AnfoRec f;
  memcpy(&a, GetRec(&tdakti, &tvakti, akti), sizeof a);
  memcpy(&f, GetRec(&tdanfo, &tvanfo, anfo), sizeof f);
  if (!IInterval(dato, a.Fradato, a.Tildato) || !IInterval(dato, f.Fradato, f.Tildato)) return 0;
  if (FindTimoak(akti, anfo, dato)) {
    OpdaterAakrel(akti, anfo);
    return 0;
  }
  if (!TimoakKrog.AddTimoak ||
      !TimoakKrog.AddTimoak(akti, anfo, dato, timer, kilde, GlobalIndstillinger.insnr, 'A', kTimLever))
    return 0;
  ++EksportTaellere[NY_POSTERING];
  OpdaterAakrel(akti, anfo);
  MeldAendring(false);
  return 1;
}

int SletTimoak(TimoakRaekke *row) {
  if (!row || !TimLever(row->Status)) return 0;
  const bool egen = row->Ejer == GlobalIndstillinger.insnr;
  uint8_t sletKode;
  if (egen && (row->Status & (kTimSendt | kTimEksporteret))) {
    if (!(row->Status & kTimEksporteret)) {
      MessageBoxA(0, "Du kan ikke slette en postering der er sendt !", "Fejl", MB_OK | MB_ICONEXCLAMATION);
      return 0;
    }
    Ned(EksportTaellere[NY_POSTERING]);
    ++EksportTaellere[SLETTET_POSTERING];
    OptaelTimoak(row, -1);
    row->Status = kTimLever | kTimEksporteret | kTimSlettet;  // a deletion to export
    row->Fejl = 0;
    if (TimoakKrog.SetAakrel && TimoakKrog.SumTimoak && TimoakKrog.SumTimoak(row->akti_id, row->anfo_id) == 0)
      TimoakKrog.SetAakrel(row->akti_id, row->anfo_id, 20);
    MeldAendring(true);
    return 1;
  }
  if (egen) {
    Ned(EksportTaellere[row->Fejl ? AENDRET_POSTERING : NY_POSTERING]);
    sletKode = 20;
  } else {
    sletKode = 30;
  }
  OptaelTimoak(row, -1);
  row->Status = 0;  // never exported: nothing to tell the server
  if (TimoakKrog.SetAakrel && TimoakKrog.SumTimoak && TimoakKrog.SumTimoak(row->akti_id, row->anfo_id) == 0)
    TimoakKrog.SetAakrel(row->akti_id, row->anfo_id, sletKode);
  MeldAendring(true);
  return 1;
}
