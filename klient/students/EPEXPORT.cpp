// data\ep_exp.dat: one request to the Elevplan contact program, LF lines,
// ids and dates printed as the unsigned 32-bit values they are. The marks
// that writing sets are collected in the order of the lines and applied only
// once the file has been renamed into place.
#include "EPEXPORT.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "DATO.h"
#include "ELEVREGLER.h"
#include "ELEVTAB.h"
#include "EPTRIN.h"
#include "FINDREC.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"

EpTilstandData EpTilstand;
// The group lock's message is the planning rules'.
EpEksportKroge EpEksportKrog = {};
HWND hwndEpKontakt = 0;
HWND hwndEpStatus = 0;

namespace {

constexpr uint32_t SIDSTE_TESTGRUPPE = 10;
// Above these ids a record never came from Elevplan: a duplicate to be
// copied, a wish to be sent as new, a wish that Elevplan does not know.
constexpr uint32_t KOPI_ID_OVER = 10000000;
constexpr uint32_t NY_TILMELDING_ID_OVER = 200000000;
constexpr uint32_t ALDRIG_SENDT_ID_OVER = 2000000000;
constexpr uint32_t LINJER_PR_SEKTION = 10;

// A mark of a written line, waiting for the file to be in place.
struct EpMaerke {
  enum Art : uint8_t { LaStatus, EvStatus, EvSendtNy, LaLaas } art;
  uint32_t rec;
  uint32_t vaerdi;  // the status; for EvSendtNy the placement
};
std::vector<EpMaerke> Ventende;

void AnvendMaerker() {
  for (const EpMaerke &m : Ventende) {
    switch (m.art) {
      case EpMaerke::LaStatus:
      case EpMaerke::LaLaas: {
        LaRec *la = LaRecNr(m.rec);
        if (la == nullptr) continue;
        if (m.art == EpMaerke::LaStatus) {
          la->ElevPlanStatus = static_cast<char>(m.vaerdi);
        } else {
          la->LukForNyeElever = 1;
          la->BeholdElever = 1;
          la->PladsLaas = 1;
        }
        MarkerElevRec(&tdla, &tvla, m.rec);
        break;
      }
      case EpMaerke::EvStatus:
      case EpMaerke::EvSendtNy: {
        EvRec *ev = EvRecNr(m.rec);
        if (ev == nullptr) continue;
        if (m.art == EpMaerke::EvStatus) {
          ev->ElevPlanStatus = static_cast<char>(m.vaerdi);
        } else {
          ev->ElevPlanStatus = EP_EV_SENDT_NY;
          ev->elevplan_onske_la_id = m.vaerdi;
        }
        MarkerElevRec(&tdev, &tvev, m.rec);
        break;
      }
    }
  }
  Ventende.clear();
}

// The record lines of one request kind in one group: the header before the
// 1st, 11th, 21st ... line.
class Sektion {
 public:
  Sektion(FILE *f, bool skriv, const char *hoved) : f_(skriv ? f : nullptr), hoved_(hoved) {}
  // Counts a line; the stream to write it to, its header already written,
  // or null when only counting.
  FILE *Linje() {
    if (f_ != nullptr && antal_ % LINJER_PR_SEKTION == 0) fputs(hoved_, f_);
    ++antal_;
    return f_;
  }
  bool Skriver() const { return f_ != nullptr; }
  uint32_t Antal() const { return antal_; }

 private:
  FILE *f_;
  const char *hoved_;
  uint32_t antal_ = 0;
};

void Maerk(EpMaerke::Art art, uint32_t rec, uint32_t vaerdi) { Ventende.push_back({art, rec, vaerdi}); }

bool TgUdveksles(uint32_t g) {
  const TgRec *tg = TgRecNr(g);
  return tg != nullptr && tg->EasyLaast == 0 && tg->ExportLaast == 0 && tg->PlanlaegningsLaast == 0 &&
         tg->tildato >= EpTilstand.FraDato && tg->fradato <= EpTilstand.TilDato &&
         tg->id > SIDSTE_TESTGRUPPE;
}

// "J" or "N" in the one-character field.
bool AcceptEr(const EvRec &ev, char c) { return ev.Accept[0] == c && ev.Accept[1] == '\0'; }

template <class Fn>
void ForEvITg(uint32_t g, Fn fn) {
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    EvRec *ev = EvRecNr(r);
    if (ev->tg_id == g && ElevTabAktiv(ev->Status)) fn(r, *ev);
  }
}

uint32_t KopierAktivitetTg(FILE *f, uint32_t g, bool skriv) {
  Sektion s(f, skriv, "@KopierAktivitet\n");
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    const LaRec *la = LaRecNr(r);
    if (la->tg_id != g || !ElevTabAktiv(la->Status) || la->dubletnr < 2) continue;
    if (la->ElevPlanStatus != EP_LA_NY_DUBLET && la->id <= KOPI_ID_OVER) continue;
    if (FILE *out = s.Linje()) {
      fprintf(out, "%u\n", la->kopi_id);
      Maerk(EpMaerke::LaStatus, r, EP_LA_KOPI_BEDT);
    }
  }
  return s.Antal();
}

uint32_t NyTilmeldingTg(FILE *f, uint32_t g, bool skriv) {
  Sektion s(f, skriv, "@NyTilmelding\n");
  ForEvITg(g, [&](uint32_t r, const EvRec &ev) {
    const uint32_t plac = ev.placerings_la_id, oenske = ev.elevplan_onske_la_id;
    if (plac == 0 || (plac == oenske && ev.id <= NY_TILMELDING_ID_OVER)) return;
    FILE *out = s.Linje();
    if (out == nullptr) return;
    // The wish's own priority only where the student is placed elsewhere
    // than wished.
    const bool egen = oenske != 0 && oenske != plac && (ev.prioritet == 1 || ev.prioritet == 2);
    const int prio = egen ? ev.prioritet : GlobalIndstillinger.elevplanprio;
    const LaRec &la = ElevRef(LaRecNr, plac);
    fprintf(out, "%u;%u;%u;%u;%d\n", ElevRef(ElevRecNr, ev.elev_id).id, la.id, la.fradato, la.tildato, prio);
    Maerk(EpMaerke::EvSendtNy, r, plac);
  });
  return s.Antal();
}

uint32_t SletTilmeldingTg(FILE *f, uint32_t g, bool skriv) {
  Sektion s(f, skriv, "@SletTilmelding\n");
  ForEvITg(g, [&](uint32_t r, const EvRec &ev) {
    if (ev.placerings_la_id != 0 || ElevRef(LaRecNr, ev.elevplan_onske_la_id).dubletnr < 2) return;
    if (FILE *out = s.Linje()) {
      fprintf(out, "%u\n", ev.id);
      Maerk(EpMaerke::EvStatus, r, EP_EV_SLET_SENDT);
    }
  });
  return s.Antal();
}

// The walk of one request kind over the eligible groups; `efter` runs after
// each of them.
template <class Efter>
uint32_t OverGrupper(FILE *f, bool skriv, uint32_t (*tgSkriver)(FILE *, uint32_t, bool), Efter efter) {
  uint32_t antal = 0;
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    if (!TgUdveksles(g)) continue;
    antal += tgSkriver(f, g, skriv);
    efter();
  }
  return antal;
}

uint32_t OverGrupper(FILE *f, bool skriv, uint32_t (*tgSkriver)(FILE *, uint32_t, bool)) {
  return OverGrupper(f, skriv, tgSkriver, [] {});
}

// The name as one line: bounded by its field, a line break inside it
// written as a blank so that it cannot start a line of its own.
void SkrivNavn(FILE *f, const char (&navn)[sizeof LaRec::Navn]) {
  char buf[sizeof navn + 1];
  const size_t n = strnlen(navn, sizeof navn);
  for (size_t i = 0; i < n; ++i) buf[i] = (navn[i] == '\r' || navn[i] == '\n') ? ' ' : navn[i];
  buf[n] = '\0';
  fputs(buf, f);
}

void SkrivIndhold(FILE *f) {
  const EpTilstandData &t = EpTilstand;
  switch (t.Trin) {
    case 1:
      EpSkrivKopierAktivitet(f, true);
      break;
    case 2:
      EpSkrivNyTilmelding(f, true);
      EpSkrivRedigerAktivitet(f, true);
      break;
    case 3:
      EpSkrivAccepterTilmelding(f, true);
      EpSkrivAfvisTilmelding(f, true);
      EpSkrivSletTilmelding(f, true);
      break;
    case 4:
      fprintf(f, "@HentAlleTilmeldingsgrupper\n%u\n%u\n", t.FraDato, t.TilDato);
      break;
    case 5:
      if (t.Tg != 0) {
        char navn[32];
        EpSystemNavn(navn, sizeof navn);
        fprintf(f, "@TilmeldingsgruppeSystemID\n%s\n%u\n", navn, ElevRef(TgRecNr, t.Tg).id);
      }
      break;
    case 6:
      if (t.Tg != 0)
        fprintf(f, "@HentAlleTilmeldingsgrupper\n%u\n%u\n@HentTilmeldingsgruppe\n%u\n", t.FraDato, t.TilDato,
                ElevRef(TgRecNr, t.Tg).id);
      break;
    case 7:
      fprintf(f, "@HentAlt\n%u\n%u\n", t.FraDato, t.TilDato);
      break;
    default:
      break;  // an empty request
  }
}

}  // namespace

uint32_t EpSkrivKopierAktivitet(FILE *f, bool skriv) { return OverGrupper(f, skriv, KopierAktivitetTg); }
uint32_t EpSkrivNyTilmelding(FILE *f, bool skriv) { return OverGrupper(f, skriv, NyTilmeldingTg); }
uint32_t EpSkrivRedigerAktivitet(FILE *f, bool skriv) { return OverGrupper(f, skriv, EpSkrivRedigerAktivitetTg); }
uint32_t EpSkrivSletTilmelding(FILE *f, bool skriv) { return OverGrupper(f, skriv, SletTilmeldingTg); }
uint32_t EpSkrivAccepterTilmelding(FILE *f, bool skriv) {
  return OverGrupper(f, skriv, EpSkrivAccepterTilmeldingTg);
}
uint32_t EpSkrivAfvisTilmelding(FILE *f, bool skriv) {
  // Every eligible group leaves the wishes re-sorted, its deletions with them.
  return OverGrupper(f, skriv, EpSkrivAfvisTilmeldingTg, [] { SortTab(&tdev, &tvev); });
}

uint32_t EpSkrivRedigerAktivitetTg(FILE *f, uint32_t g, bool skriv) {
  // The group's slots in their order, as the plan lays its blocks over them.
  std::vector<uint32_t> slots;
  std::vector<uint32_t> position(tvpp.wRecCnt, 0);
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *pp = PpRecNr(r);
    if (pp->tg_id != g || !ElevTabAktiv(pp->Status)) continue;
    slots.push_back(r);
    position[r] = static_cast<uint32_t>(slots.size());
  }
  // The first Monday and the last Friday of each activity's placed weeks.
  std::vector<Dato> foerste(tvla.wRecCnt, 0), sidste(tvla.wRecCnt, 0);
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *lap = LapRecNr(r);
    if (lap->tg_id != g || !ElevTabAktiv(lap->Status) || lap->blokering != 0) continue;
    if (lap->la_id == 0 || lap->la_id >= tvla.wRecCnt || lap->pp_id >= tvpp.wRecCnt) continue;
    const uint32_t start = position[lap->pp_id];
    if (start == 0) continue;
    // A block covers lengde slots from its own, cut at the group's last.
    const uint64_t laengde = lap->lengde == 0 ? 1 : lap->lengde;
    const size_t slut = static_cast<size_t>(std::min<uint64_t>(start - 1 + laengde, slots.size()));
    for (size_t i = start - 1; i < slut; ++i) {
      const Uge uge = PpRecNr(slots[i])->ugenr;
      if (uge == 0) continue;
      const Dato mandag = UgeDagTilDato(uge, 1), fredag = UgeDagTilDato(uge, 5);
      if (mandag == 0 || fredag == 0) continue;
      Dato &fra = foerste[lap->la_id], &til = sidste[lap->la_id];
      if (fra == 0 || mandag < fra) fra = mandag;
      if (fredag > til) til = fredag;
    }
  }
  Sektion s(f, skriv, "@RedigerAktivitet\n");
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    const LaRec *la = LaRecNr(r);
    if (la->tg_id != g || !ElevTabAktiv(la->Status) || foerste[r] == 0 || sidste[r] == 0) continue;
    if (la->fradato == foerste[r] && la->tildato == sidste[r]) continue;
    if (FILE *out = s.Linje()) {
      fprintf(out, "%u;%u;%u;%u;", la->id, foerste[r], sidste[r], la->Lektionsantal);
      SkrivNavn(out, la->Navn);
      fputc('\n', out);
    }
  }
  return s.Antal();
}

uint32_t EpSkrivAccepterTilmeldingTg(FILE *f, uint32_t g, bool skriv) {
  Sektion s(f, skriv, "@AccepterTilmelding\n");
  ForEvITg(g, [&](uint32_t r, const EvRec &ev) {
    if (AcceptEr(ev, 'J') || ev.elevplan_onske_la_id == 0 || ev.elevplan_onske_la_id != ev.placerings_la_id) return;
    if (FILE *out = s.Linje()) {
      fprintf(out, "%u\n", ev.id);
      Maerk(EpMaerke::EvStatus, r, EP_EV_ACCEPT_SENDT);
    }
  });
  // An accepted group keeps its activities as they are.
  if (s.Skriver() && s.Antal() > 0)
    for (uint32_t r = 1; r < tvla.wRecCnt; ++r)
      if (LaRecNr(r)->tg_id == g) Maerk(EpMaerke::LaLaas, r, 0);
  return s.Antal();
}

uint32_t EpSkrivAfvisTilmeldingTg(FILE *f, uint32_t g, bool skriv) {
  bool deltager = EpSkrivAccepterTilmeldingTg(nullptr, g, false) > 0;
  if (!deltager)
    ForEvITg(g, [&](uint32_t, const EvRec &ev) { deltager |= AcceptEr(ev, 'J') || AcceptEr(ev, 'N'); });
  if (!deltager) return 0;
  Sektion s(f, skriv, "@AfvisTilmelding\n");
  ForEvITg(g, [&](uint32_t r, const EvRec &ev) {
    if (AcceptEr(ev, 'N') || ev.ElevPlanStatus == EP_EV_AFVIS_SENDT || ev.elevplan_onske_la_id == 0 ||
        ev.placerings_la_id != 0)
      return;
    if (ev.id > ALDRIG_SENDT_ID_OVER) {
      // Elevplan has nothing to reject: the wish goes, counted or written.
      DelRec(&tdev, &tvev, r);
      tvev.fSorter = 1;
      return;
    }
    if (FILE *out = s.Linje()) {
      fprintf(out, "%u\n", ev.id);
      Maerk(EpMaerke::EvStatus, r, EP_EV_AFVIS_SENDT);
    }
  });
  return s.Antal();
}

void EpSystemNavn(char *buf, size_t n) { snprintf(buf, n, "TavoSkema - %u", unsigned{GlobalIndstillinger.insnr}); }

void GentegnEpStatus() {
  const HWND h = hwndEpStatus;
  if (h == 0) return;
  InvalidateRect(h, nullptr, TRUE);
  UpdateWindow(h);
}

bool SkrivEpExportFil() {
  char tmp[kStiLaengde];
  if (snprintf(tmp, sizeof tmp, "%s.tmp", StiTab.szepexp) >= static_cast<int>(sizeof tmp)) return false;
  FILE *f = AabnDataFil(tmp, "wb");
  if (f == nullptr) {
    LogPrintf("** Fejl: SkrivEpExportFil(): %s kan ikke oprettes (%d)\n", tmp, errno);
    return false;
  }
  Ventende.clear();
  SkrivIndhold(f);
  bool ok = !ferror(f);
  if (fclose(f) != 0) ok = false;
  if (ok && ErstatDataFil(tmp, StiTab.szepexp) != 0) ok = false;
  if (!ok) {
    const int fejl = errno;
    SletDataFil(tmp);
    Ventende.clear();
    LogPrintf("** Fejl: SkrivEpExportFil(): %s kunne ikke skrives (%d)\n", StiTab.szepexp, fejl);
    return false;
  }
  AnvendMaerker();
  if (hwndEpKontakt != 0) SendMessageA(hwndEpKontakt, WM_EP_KONTAKT, 0, 0);
  GentegnEpStatus();
  return true;
}

int EpHentTgKommando(HWND hwnd, uint32_t tg, int mode) {
  const TgRec *t = tg != 0 ? TgRecNr(tg) : nullptr;
  if (t == nullptr) return 0;
  if (t->PlanlaegningsLaast != 1) {
    if (mode == 2)
      MessageBoxA(hwnd, "Tilmeldingsgruppen er allerede åben for redigering.!", "Tilmeldingsgruppen er åben",
                  MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  if (t->ExportLaast != 0 || t->EasyLaast != 0) {
    if (EpEksportKrog.VisTgLaas != nullptr) EpEksportKrog.VisTgLaas(tg, "Kommando ikke udført", mode);
    return 0;
  }
  // A read-only run never imports the answers, while Elevplan would act
  // on the reservation.
  if (GlobalIndstillinger.skemalaast) {
    if (mode == 2)
      MessageBoxA(hwnd, "Der kan ikke eksporteres fra et låst skema.", "Eksport", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (mode != 2) return 1;
  const EpTilstandData foer = EpTilstand;
  EpTilstand.Tg = tg;
  EpTilstand.FraDato = t->tilmeldingsfradato;
  EpTilstand.TilDato = t->tildato;
  EpTilstand.Trin = 4;
  // A fetch counts its own steps: the limit is there to stop a sequence
  // that loops, not to end fetching after a few groups.
  if (SkrivEpExportFil()) {
    EpForsoeg = 0;
    return 1;
  }
  // No request went out: no answer will come to continue the fetch.
  EpTilstand = foer;
  return 0;
}
