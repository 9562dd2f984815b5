// The entry window's time: button 17 with its dialog, the day times of a
// new whole-day event and the minutes dialog of an employee.
#include "RETTID.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "BRIKINDVIN.h"
#include "BYGINFO.h"
#include "FINDREC.h"
#include "GEMBEG.h"
#include "HENTTID.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MINNORM.h"
#include "NYVALG.h"
#include "RECPRED.h"
#include "RETINFO.h"
#include "SKEMA.h"
#include "SKEMAVIN.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "SMAADLG.h"
#include "TABOPER.h"
#include "retiddlg.h"
#include "smaadialoger.h"

Klokkeslaet HuskDagStarttid = 0;
Klokkeslaet HuskDagSluttid = 0;

namespace {

constexpr const char *kTidFejl =
    "Starttid skal være mindre end Sluttid og Sluttid må ikke være senere end 24:00.\n";

float Afrund(float v, float enhed) { return static_cast<float>(std::round(static_cast<double>(v) * enhed) / enhed); }

float TimerMellem(Klokkeslaet a, Klokkeslaet b) { return static_cast<float>(MinutterMellem(a, b)) / 60.0f; }

Klokkeslaet DagStart() {
  return HuskDagStarttid ? HuskDagStarttid : static_cast<Klokkeslaet>(GlobalIndstillinger.starttid);
}
Klokkeslaet DagSlut() {
  return HuskDagSluttid ? HuskDagSluttid : static_cast<Klokkeslaet>(GlobalIndstillinger.sluttid);
}

// ---- the dialog

struct Felter {
  BrikIndStruct *b;
  Klokkeslaet start, slut;
  float timer;
};

Felter *FelterAf(HWND dlg) { return reinterpret_cast<Felter *>(GetWindowLongPtrA(dlg, GWLP_USERDATA)); }

// What a field shows for the dialog's values.
void FeltTekst(const Felter &f, int id, char *buf, size_t n) {
  if (id == IDC_RETTID_START) TidTekst(f.start, buf, n);
  else if (id == IDC_RETTID_SLUT) TidTekst(f.slut, buf, n);
  else TimerTekst(f.timer, buf, n);
}

void Vis(HWND dlg, const Felter &f, int id) {
  char buf[32];
  FeltTekst(f, id, buf, sizeof buf);
  SetDlgItemTextA(dlg, id, buf);
}

// A field's typed text taken into the values: a time gives the hours
// between start and end, hours give the end.
void Behandl(HWND dlg, Felter &f, int id, const char *tekst) {
  if (id == IDC_RETTID_TIMER) {
    float timer = 0;
    if (LaesEditTal(tekst, &timer) > 0) {
      f.timer = timer;
      f.slut = BeregnSluttid(f.start, &f.timer);
    }
    Vis(dlg, f, IDC_RETTID_SLUT);
  } else {
    (id == IDC_RETTID_START ? f.start : f.slut) = TidHHMMAfTekst(tekst);
    f.timer = TimerMellem(f.start, f.slut);
  }
  Vis(dlg, f, id);
  Vis(dlg, f, IDC_RETTID_TIMER);
}

constexpr int kFelter[] = {IDC_RETTID_START, IDC_RETTID_SLUT, IDC_RETTID_TIMER};

// Every field whose text is not what the values show, in field order. The
// texts are read before any is rewritten, so a typed field is not judged by
// what an earlier one wrote into it.
void BehandlAendrede(HWND dlg, Felter &f) {
  char tekst[3][64] = {}, vist[3][32] = {};
  for (int i = 0; i < 3; ++i) {
    GetDlgItemTextA(dlg, kFelter[i], tekst[i], sizeof tekst[i]);
    FeltTekst(f, kFelter[i], vist[i], sizeof vist[i]);
  }
  for (int i = 0; i < 3; ++i)
    if (std::strcmp(tekst[i], vist[i]) != 0) Behandl(dlg, f, kFelter[i], tekst[i]);
}

void Ok(HWND dlg, Felter &f) {
  BehandlAendrede(dlg, f);
  if (f.start < f.slut && f.slut <= 2400) {
    f.b->Starttid = f.start;
    f.b->Sluttid = f.slut;
    f.b->StdLektioner = Afrund(f.timer, 100.0f);
    f.b->TidAendret = 1;
    EndDialog(dlg, 1);
    return;
  }
  MessageBoxA(dlg, kTidFejl, "Fejl i tider", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

// ---- the grid

SkeStruct *Gitter(const BrikIndStruct *b) { return b->hwndGitter ? SkemaVinduesSke(b->hwndGitter) : nullptr; }

// The current cell of the grid: its period week, weekday and cell.
bool AktuelCelle(const SkeStruct *g, uint32_t *uge, uint8_t *dag, uint32_t *celle) {
  if (!g || !g->TidPos.Aktuel || !KolonneCelle(g, g->TidPos.Aktuel, dag, celle)) return false;
  *uge = CelleUge(g, SkeRaekkeNoegle(g, g->ObjPos.Aktuel));
  return true;
}

// The times a new event's dialog starts with: the current lesson's times
// in the ring system; without them the cell's start (a time slot's, else
// the event's) and the whole-day end.
void CelleTider(BrikIndStruct *b) {
  const SkeStruct *g = Gitter(b);
  uint32_t uge = 0, celle = 0;
  uint8_t dag = 0;
  if (!AktuelCelle(g, &uge, &dag, &celle)) return;
  const uint32_t ring = g->RingSystem ? g->RingSystem : AktuelAVS.risy_id;
  const RisyRec *r = g->Visning == 'L' ? TabRec<RisyRec>(tvrisy, ring) : nullptr;
  if (r && celle >= 1 && celle <= kLektionerPrDag && r->Sluttid[celle - 1]) {
    b->Starttid = r->Starttid[celle - 1];
    b->Sluttid = r->Sluttid[celle - 1];
  } else {
    if (g->Visning == 'T' && celle >= 1 && celle <= kSlotsPrDag)
      b->Starttid = LaegMinutterTil(0, static_cast<int32_t>((celle - 1) * 5));
    b->Sluttid = DagSlut();
  }
  b->StdLektioner = TimerMellem(b->Starttid, b->Sluttid);
}

// The time slots from start to end marked in the grid's current column,
// which shows nothing else marked.
void MarkerTid(BrikIndStruct *b) {
  SkeStruct *g = Gitter(b);
  uint32_t uge = 0, celle = 0;
  uint8_t dag = 0;
  if (!g || g->Visning != 'T' || !AktuelCelle(g, &uge, &dag, &celle)) return;
  const uint32_t fra = MinutterMellem(0, b->Starttid) / 5 + 1;
  const uint32_t til = (MinutterMellem(0, b->Sluttid) + 4) / 5;
  for (uint32_t s = 1; s <= kSlotsPrDag; ++s)
    if (uint8_t *c = BlokCelle(b->BlokTab, b->BlokUger, uge, dag, s))
      *c = s >= fra && s <= til ? static_cast<uint8_t>(*c | BLOK_VALGT) : static_cast<uint8_t>(*c & ~BLOK_VALGT);
  InvalidateRect(b->hwndGitter, nullptr, FALSE);
}

// The edit's marked events checked against the new time; a change the
// user gives up puts the time back. A time that stands becomes the current
// event's, so the save counts it as a change and the changed content shows
// it.
void KontrolRettelse(BrikIndStruct *b, Klokkeslaet start, Klokkeslaet slut, float timer) {
  GaaTilTrin(b, b->AktueltTrin);
  uint8_t ud = 0;
  if (KontrolRettelseKonflikt(b, &ud)) {
    if (ud) {
      GaaTilTrin(b, ud);
    } else {
      b->Starttid = start, b->Sluttid = slut, b->StdLektioner = timer;
      b->TidAendret = 0;
    }
  }
  if (b->TidAendret) {
    AktuelAVS.Starttid = b->Starttid;
    AktuelAVS.Sluttid = b->Sluttid;
    AktuelAVS.Antal_std_lektioner = b->StdLektioner;
    for (HWND h : b->hwndRetInfo)
      if (h) SendMessageA(h, DATA_AENDRET2, 0, 0);
  }
  if (SkeStruct *g = Gitter(b)) OpdaterEfterAendring(g, true, true);
  // The grid's current cell shows the event again as it now stands.
  if (b->hwndGitter) {
    SendMessageA(b->hwndGitter, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(b->hwndGitter, WM_KEYDOWN, VK_UP, 0);
  }
}

}  // namespace

void TidTekst(Klokkeslaet hhmm, char *buf, size_t n) {
  std::snprintf(buf, n, "%02d:%02d", static_cast<int>(hhmm / 100), static_cast<int>(hhmm % 100));
}

void TimerTekst(float timer, char *buf, size_t n) {
  const long hundr = std::lround(static_cast<double>(timer) * 100.0);
  std::snprintf(buf, n, "%d,%02d", static_cast<int>(hundr / 100), static_cast<int>(std::labs(hundr % 100)));
}

INT_PTR CALLBACK RetTidDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *b = reinterpret_cast<BrikIndStruct *>(lParam);
      auto *f = b ? new (std::nothrow) Felter{b, b->Starttid, b->Sluttid, Afrund(b->StdLektioner, 10.0f)} : nullptr;
      if (!f) {
        EndDialog(dlg, 2);
        return FALSE;
      }
      SetWindowLongPtrA(dlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
      b->TidAendret = 0;
      for (int id : kFelter) Vis(dlg, *f, id);
      if (AktuelAVS.Placering == 'T') SetWindowTextA(dlg, "Ret tid");
      HWND start = GetDlgItem(dlg, IDC_RETTID_START);
      SendMessageA(start, EM_SETSEL, 0, -1);
      SetFocus(start);
      if (b->hwndEjer) SendMessageA(b->hwndEjer, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(dlg));
      return FALSE;
    }
    case WM_COMMAND: {
      Felter *f = FelterAf(dlg);
      if (!f) return FALSE;
      const int id = LOWORD(wParam);
      if (id == IDOK) {
        Ok(dlg, *f);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dlg, 2);
        return TRUE;
      }
      const bool felt = id == IDC_RETTID_START || id == IDC_RETTID_SLUT || id == IDC_RETTID_TIMER;
      if (felt && HIWORD(wParam) == EN_KILLFOCUS) {
        char tekst[64] = {}, vist[32] = {};
        GetDlgItemTextA(dlg, id, tekst, sizeof tekst);
        FeltTekst(*f, id, vist, sizeof vist);
        if (std::strcmp(tekst, vist) != 0) Behandl(dlg, *f, id, tekst);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      delete FelterAf(dlg);
      SetWindowLongPtrA(dlg, GWLP_USERDATA, 0);
      return FALSE;
  }
  return FALSE;
}

void RetTidKnap(BrikIndStruct *b) {
  if (!b) return;
  const SkeStruct *g = Gitter(b);
  if (g && g->Visning == 'L' && g->Variant != 'B') return;
  const Klokkeslaet start = b->Starttid, slut = b->Sluttid;
  const float timer = b->StdLektioner;
  const uint8_t aendret = b->TidAendret;
  const bool ny = b->Mode != 'R';
  if (ny && AktuelAVS.Placering != 'D') CelleTider(b);
  RegistrerRetTidDialog();
  const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_RETTID), b->hwndEjer ? b->hwndEjer : b->hwnd,
                                       RetTidDlgProc, reinterpret_cast<LPARAM>(b));
  if (svar != 1) {
    // A cancelled dialog changes nothing: a time set by an earlier one
    // still stands, and the save still takes it.
    b->Starttid = start, b->Sluttid = slut, b->StdLektioner = timer;
    b->TidAendret = aendret;
    if (b->hwndGitter) InvalidateRect(b->hwndGitter, nullptr, FALSE);
  } else if (AktuelAVS.Placering == 'D') {
    HuskDagStarttid = b->Starttid;
    HuskDagSluttid = b->Sluttid;
  }
  if (svar == 1 && !ny) KontrolRettelse(b, start, slut, timer);
  else if (svar == 1) MarkerTid(b);
  if (b->hwndEjer) SendMessageA(b->hwndEjer, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(b->hwnd));
  if (IsWindow(b->hwnd)) SetFocus(b->hwnd);
}

void DagsTider(BrikIndStruct *b) {
  if (!b) return;
  b->Starttid = DagStart();
  b->Sluttid = DagSlut();
  b->StdLektioner = GlobalIndstillinger.lektionerprdag;
  if (GlobalIndstillinger.normsystem && AktuelAVS.anfoAntal && GemBegKrog.DagsNorm) {
    const int32_t norm = GemBegKrog.DagsNorm(AktuelAVS.anfoTab[0], AVSOptaelDato(&AktuelAVS));
    b->StdLektioner = static_cast<float>(norm > 0 ? norm : 0) / 60.0f;
    b->Sluttid = BeregnSluttid(b->Starttid, &b->StdLektioner);
  }
}

void MinutDialog(BrikIndStruct *b, uint32_t anfo, int x, int y) {
  if (!b || !b->AnfoMinut || anfo >= b->AnfoPladser) return;
  if (!AktuelAVS.aktiAntal) {
    MessageBoxA(b->hwnd, "Der skal vælges en aktivitet før, der kan angives minutter.", "OBS!",
                MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (AktuelAVS.Placering == 'D') {
    MessageBoxA(b->hwnd, "Der kan ikke angives et minuttal, når der opmærkes dage.", kBegIkkeOK,
                MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const float foer = b->AnfoMinut[anfo] < 0 ? 0.0f : b->AnfoMinut[anfo];
  EditTalInfo ei{};
  ei.x = x;
  ei.y = y;
  ei.margin = 2;
  ei.rightMargin = 2;
  ei.intDigits = 3;
  ei.decimals = 2;
  ei.value = foer;
  ei.extra = 60.0f;
  ei.zeroAllowed = 1;
  ei.selectAll = 1;
  if (GlobalIndstillinger.checkminutnorm == 'j') {
    uint32_t lav = 0, hoej = 0;
    MinutGraenser(&AktuelAVS, &lav, &hoej);
    ei.minimum = static_cast<float>(lav);
    ei.maximum = static_cast<float>(hoej);
  } else {
    ei.minimum = 0.0f;
    ei.maximum = 999.99f;
  }
  RegistrerSmaaDialoger();
  if (DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_CELLEDITOR), b->hwnd, EditTalDlgProc, reinterpret_cast<LPARAM>(&ei)) !=
          1 ||
      ei.value == foer)
    return;
  b->AnfoMinut[anfo] = ei.value;
  if (!b->AnfoMinutSat) b->AnfoMinutSat = static_cast<uint8_t *>(std::calloc(b->AnfoPladser, 1));
  if (b->AnfoMinutSat) b->AnfoMinutSat[anfo] = 1;
  if (const uint32_t i = FindAVSIndeks(&AktuelAVS, 'M', anfo); i && AktuelAVS.minutTab) {
    AktuelAVS.minutTab[i - 1] = ei.value;
    // Setting the role it has recounts the event's figures with the minutes.
    SetAVSRolle(&AktuelAVS, 'M', anfo, AktuelAVS.skemarolTab ? AktuelAVS.skemarolTab[i - 1] : 0);
    if (b->hwndBygInfo) SendMessageA(b->hwndBygInfo, BRIKINFO_OPDATER, 0, 0);
  }
  OpdaterEntryWindow(b, false);
}

