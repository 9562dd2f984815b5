// The group lock and its message, and the planning rules behind the keys of
// the planning window and the Space key of the student windows. Each rule
// makes all its tests first, in the order its messages are given, and only
// then changes records and matrices, so a refusal leaves everything as it
// was.
#include "ELEVREGLER.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "AUTOPLAC.h"
#include "DATO.h"
#include "ELEVDLG.h"
#include "ELEVGITTER.h"
#include "ELEVLISTE.h"
#include "ELEVPLANKMD.h"
#include "ELEVTAB.h"
#include "FINDREC.h"
#include "IMPORT.h"
#include "PPLAPINI.h"
#include "TABOPER.h"
#include "windows.h"

bool TgLaast(uint32_t tg) { return ElevRef(TgRecNr, tg).Laast != 0; }

void VisTgLaas(uint32_t tg, const char *titel, int mode) {
  if (mode != 2) return;
  const TgRec &t = ElevRef(TgRecNr, tg);
  const char *tekst = nullptr;
  if (t.EasyLaast)
    tekst = "Tilmeldingsgruppen er låst for redigering.\nElevtilmeldinger er overført til EASY!";
  else if (t.ExportLaast)
    tekst =
        "Tilmeldingsgruppen er låst for redigering.\nTilmeldingsgruppen er blevet eksporteret "
        "til ElevPlan!";
  else if (t.PlanlaegningsLaast)
    tekst =
        "Tilmeldingsgruppen skal hentes før redigering kan påbegyndes.\nHent "
        "tilmeldingsgruppen fra ElevPlan med <Ctrl + H> ";
  if (tekst) MessageBoxA(0, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

namespace {

constexpr const char *kIkkeUdfoert = "Kommando ikke udført";
constexpr const char *kArkiveret = "Aktiviteten er arkiveret.";

void Besked(int mode, const char *tekst, const char *titel) {
  if (mode == 2) MessageBoxA(0, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

void Tegn(int *pTegn, int tegn) {
  if (pTegn) *pTegn = tegn;
}

bool MatricerKlar(const ElevPlanWS *ws) {
  return ws->PlanGitter.Data && ws->LaSpaerring.Data && ws->Oensker.Data &&
         ws->Placeringer.Data && ws->Markeringer.Data && ws->Dubletter.Data;
}

// A group the workspace shows, with its matrices.
bool GruppeVist(const ElevPlanWS *ws, uint32_t tg) {
  return ws != nullptr && tg != 0 && tg == ws->Tg && MatricerKlar(ws);
}

// The start of every Ctrl command on the current activity: Ctrl held, the
// group shown, the activity listed, and the group not locked (whose
// message goes under the command's caption).
bool KanRedigere(const ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, const char *titel,
                 int mode) {
  if (!ctrl || !GruppeVist(ws, tg) || LaPosition(ws, la) == 0) return false;
  if (TgLaast(tg)) {
    VisTgLaas(tg, titel, mode);
    return false;
  }
  return true;
}

// Students placed on the activity, by its counts of the three kinds.
uint64_t Placeret(uint32_t la) {
  const LaRec &l = ElevRef(LaRecNr, la);
  return uint64_t(l.akt_prio_1) + l.akt_prio_2 + l.akt_prio_3;
}

// The id a duplicate family is known by: the head's.
uint32_t FamilieId(const LaRec &l) { return l.kopi_id != 0 ? l.kopi_id : l.id; }

template <class Fn>
void ForLevendeLa(Fn fn) {
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r)
    if (ElevTabAktiv(LaRecNr(r)->Status)) fn(r, LaRecNr(r));
}

template <class Fn>
void ForLevendeEv(Fn fn) {
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r)
    if (ElevTabAktiv(EvRecNr(r)->Status)) fn(r, EvRecNr(r));
}

// The live activities of group tg whose wishes went to la.
bool HarAfgivere(uint32_t tg, uint32_t la) {
  bool fundet = false;
  ForLevendeLa([&](uint32_t, const LaRec *l) {
    if (l->tg_id == tg && l->overfoer_til_la_id == la) fundet = true;
  });
  return fundet;
}

// Every live wish for activity fra at Elevplan counts for til from now on.
void SaetKonverteret(uint32_t fra, uint32_t til) {
  ForLevendeEv([&](uint32_t r, EvRec *ev) {
    if (ev->elevplan_onske_la_id != fra) return;
    ev->konverteret_onske_la = til;
    MarkerElevRec(&tdev, &tvev, r);
  });
}

// The wishes and the placements changed: the wish matrix anew, the la
// blocks marked for the save, the placements to be written back.
void OenskerAendret(ElevPlanWS *ws, int *pTegn) {
  ByggOensker(ws, ws->Tg);
  SortTab(&tdla, &tvla);
  ws->PlaceringAendret = 1;
  Tegn(pTegn, ELEVPLAN_TEGN_ALT);
}

}  // namespace

// ---- Transfer of wishes ----

int MarkerOensker(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                  int *pTegn) {
  (void)shift;
  constexpr const char *titel = "Elevønsker kan ikke markeres";
  if (!KanRedigere(ws, tg, la, ctrl, titel, mode)) return 0;
  const LaRec &l = *LaRecNr(la);
  const char *fejl = nullptr;
  if (ws->HusketLa == la)
    fejl = "Aktivitetens tilmeldinger er allerede husket.!";
  else if (l.overfoer_til_la_id != 0)
    fejl = "Eleverne er allerede overført til anden læringsaktivitet.!";
  else if (uint64_t(l.onske_prio_1) + l.onske_prio_2 == 0)
    fejl =
        "Læringsaktiviteten har ingen elevønsker og kan derfor ikke markeres til overflytning.";
  else if (AntalLaMedDubletter(FamilieId(l)) != 1)
    fejl =
        "Man kan ikke markere elevønsker til overflytning på en aktivitet der er dubleret.\n"
        "Ønskes eleverne markeret, med henblik på overføring, skal dubletterne først arkiveres "
        "<Ctrl + A>";
  else if (HarAfgivere(tg, la))
    fejl =
        "En læringsaktivitet der selv har fået tilført elever kan ikke flyttes.!\nTilbagefør "
        "eleverne først hvis denne læringsaktivitets elever ønskes flyttet";
  if (fejl) {
    Besked(mode, fejl, titel);
    return 0;
  }
  if (mode == 2) {
    ws->HusketLa = la;
    Tegn(pTegn, ELEVPLAN_TEGN_RAEKKE);
  }
  return 1;
}

int OverfoerOensker(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                    int *pTegn) {
  (void)shift;
  constexpr const char *titel = "Elevønsker kan ikke overføres";
  if (!KanRedigere(ws, tg, la, ctrl, titel, mode)) return 0;
  // A mark left from another group (the mark outlives a change of group)
  // is no mark here.
  const uint32_t kilde = LaPosition(ws, ws->HusketLa) != 0 ? ws->HusketLa : 0;
  const LaRec &l = *LaRecNr(la);
  const char *fejl = nullptr;
  if (kilde == 0)
    fejl =
        "Der skal være markeret elevønsker for en læringsaktivitet før man kan overføre "
        "elevønsker.\nHusk først en læringsaktivitet med <CTRL>+<M>.";
  else if (kilde == la)
    fejl = "Aktivitetens elever kan ikke overføres til aktiviteten selv.";
  else if (l.dubletnr != 1)
    fejl = "Man kan ikke overføre elever til en dublet. Overfør eleverne på den oprindelige aktivitet";
  else if (l.overfoer_til_la_id != 0)
    fejl =
        "En læringsaktivitet der selv har fået overført elever kan ikke modtage nye elever.!\n"
        "Tilbagefør eleverne først hvis denne læringsaktivitet skal modtage nye elever";
  if (fejl) {
    Besked(mode, fejl, titel);
    return 0;
  }
  if (mode != 2) return 1;
  LaRecNr(kilde)->overfoer_til_la_id = la;
  FjernAlleEleverFraLa(ws, kilde);
  SaetKonverteret(kilde, la);
  ws->HusketLa = 0;
  OenskerAendret(ws, pTegn);
  return 1;
}

void OpgivOverfoersel(ElevPlanWS *ws, uint32_t la) {
  const uint32_t familie = FamilieId(ElevRef(LaRecNr, la));
  if (familie == 0) return;
  ForLevendeLa([&](uint32_t r, LaRec *l) {
    if (l->id != familie && l->kopi_id != familie) return;
    FjernAlleEleverFraLa(ws, r);
    l = LaRecNr(r);
    l->overfoer_til_la_id = 0;
    MarkerElevRec(&tdla, &tvla, r);
  });
}

int TilbagefoerOensker(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                       int *pTegn) {
  (void)shift;
  constexpr const char *titel = "Elevønsker ikke tilbageført";
  if (!KanRedigere(ws, tg, la, ctrl, titel, mode)) return 0;
  const LaRec &l = *LaRecNr(la);
  if (l.dubletnr != 1) {
    Besked(mode, "Man kan kun ikke tilbageføre elever fra en dublet.", titel);
    return 0;
  }

  // A source: its wishes come back to it, the receiver loses its students.
  if (const uint32_t modtager = l.overfoer_til_la_id) {
    if (mode != 2) return 1;
    SaetKonverteret(la, la);
    OpgivOverfoersel(ws, modtager);
    LaRecNr(la)->overfoer_til_la_id = 0;
    OenskerAendret(ws, pTegn);
    return 1;
  }

  // A receiver: every wish it got goes back, and its sources are sources
  // no more. The group's hidden archived activities count too, so that no
  // source is left pointing at a receiver that gave its wishes back.
  bool fundet = false;
  ForLevendeEv([&](uint32_t, const EvRec *ev) {
    if (ev->konverteret_onske_la == la && ev->elevplan_onske_la_id != la) fundet = true;
  });
  if (!fundet && !HarAfgivere(tg, la)) {
    Besked(mode, "Der er ingen elever at tilbageføre.", titel);
    return 0;
  }
  if (mode != 2) return 1;
  ForLevendeEv([&](uint32_t r, EvRec *ev) {
    if (ev->konverteret_onske_la != la || ev->elevplan_onske_la_id == la) return;
    ev->konverteret_onske_la = ev->elevplan_onske_la_id;
    MarkerElevRec(&tdev, &tvev, r);
  });
  ForLevendeLa([&](uint32_t r, LaRec *a) {
    if (a->tg_id != tg || a->overfoer_til_la_id != la) return;
    a->overfoer_til_la_id = 0;
    MarkerElevRec(&tdla, &tvla, r);
  });
  OpgivOverfoersel(ws, la);
  OenskerAendret(ws, pTegn);
  return 1;
}

// ---- Duplicates ----

int OpretDublet(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                int *pTegn) {
  (void)shift;
  constexpr const char *titel = "Dublet ikke oprettet";
  if (!KanRedigere(ws, tg, la, ctrl, titel, mode)) return 0;
  const uint32_t familie = FamilieId(*LaRecNr(la));
  const uint32_t hoved = FindElevRec(&tdla, &tvla, familie);
  if (hoved == 0) {
    Besked(mode, "FejlKode 100. Ring til TavoSupport.", titel);
    return 0;
  }
  if (AntalLaMedDubletter(familie) + 1 >= 10) {
    Besked(mode, "Der kan højst oprettes 8 kopier af en læringsaktivitet.", titel);
    return 0;
  }
  // The copy takes the head's dates; the record line of a copy without
  // them is refused at the last step.
  if (const LaRec *h = LaRecNr(hoved); h->fradato == 0 || h->tildato == 0) {
    Besked(mode, "Læringsaktiviteten har ingen datoer og kan derfor ikke dubleres.", titel);
    return 0;
  }
  if (mode != 2) return 1;

  // The number follows the family's highest, so a duplicate removed from
  // the middle never gives its number to two.
  uint32_t hoejeste = 1;
  ForLevendeLa([&](uint32_t, const LaRec *l) {
    if ((l->id == familie || l->kopi_id == familie) && l->dubletnr > hoejeste)
      hoejeste = l->dubletnr;
  });
  const uint32_t nr = hoejeste + 1;
  // Above every id in the table, whatever the record's status: a deleted
  // record keeps its id until the clean-up, and the re-sort would merge
  // the new record into it.
  const uint32_t id = NaesteEgetId(&tdla, &tvla);

  const LaRec h = *LaRecNr(hoved);
  char endelse[16];
  snprintf(endelse, sizeof endelse, " #%ld", static_cast<long>(nr));
  const int plads = static_cast<int>(sizeof h.Navn - 1 - strlen(endelse));
  char navn[sizeof h.Navn];
  snprintf(navn, sizeof navn, "%.*s%s", plads, h.Navn, endelse);
  // The line parser splits at ';': the name goes into the line without
  // them and into the record whole afterwards.
  char linjeNavn[sizeof navn];
  memcpy(linjeNavn, navn, sizeof navn);
  for (char &c : linjeNavn)
    if (c == ';') c = ',';
  char linje[sizeof navn + 6 * 12];
  snprintf(linje, sizeof linje, "%lu;%lu;%s;%lu;%lu;%lu", static_cast<unsigned long>(id),
           static_cast<unsigned long>(ElevRef(TgRecNr, tg).id), linjeNavn,
           static_cast<unsigned long>(h.fradato), static_cast<unsigned long>(h.tildato),
           static_cast<unsigned long>(h.Lektionsantal));
  if (id == 0 || AddRecordFromLine(&tdla, &tvla, linje, 'L') == 0) {
    Besked(mode, "FejlKode 101. Ring til TavoSupport.", titel);
    return 0;
  }
  SortTab(&tdla, &tvla);
  const uint32_t r = FindElevRec(&tdla, &tvla, id);
  LaRec *d = LaRecNr(r);
  if (r == 0 || d == nullptr) {
    Besked(mode, "FejlKode 101. Ring til TavoSupport.", titel);
    return 0;
  }
  memcpy(d->Navn, navn, sizeof navn);
  d->min_elevantal = h.min_elevantal;
  d->max_elevantal = h.max_elevantal;
  d->uge_antal = h.uge_antal;
  d->uge_deletal = h.uge_deletal;
  d->lek_antal = h.lek_antal;
  d->lek_deletal = h.lek_deletal;
  d->onske_prio_1 = h.onske_prio_1;
  d->onske_prio_2 = h.onske_prio_2;
  d->kopi_id = h.id;
  d->dubletnr = nr;
  d->ElevPlanStatus = 6;
  MarkerElevRec(&tdla, &tvla, r);
  Tegn(pTegn, ELEVPLAN_TEGN_ALT);
  return 1;
}

// ---- Students on and off ----

int FjernAlleElever(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                    int *pTegn) {
  if (!KanRedigere(ws, tg, la, ctrl, kIkkeUdfoert, mode)) return 0;
  std::vector<uint32_t> aktiviteter;
  if (shift)
    aktiviteter.assign(ws->LaTab + 1, ws->LaTab + ws->LaAntal + 1);
  else
    aktiviteter.push_back(la);
  uint64_t laaste = 0, ulaaste = 0;
  for (uint32_t a : aktiviteter) (LaRecNr(a)->BeholdElever ? laaste : ulaaste) += Placeret(a);

  if (ulaaste != 0) {
    if (mode != 2) return 1;
    if (shift && MessageBoxA(0, "Skal alle elever på alle (ikke låste) aktiviteter fjernes",
                             "Fjern alle elever ?", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
      return 0;
    for (uint32_t a : aktiviteter)
      if (!LaRecNr(a)->BeholdElever) FjernAlleEleverFraLa(ws, a);
    Tegn(pTegn, ELEVPLAN_TEGN_ALT);
    return 1;
  }
  if (laaste != 0)
    Besked(mode,
           shift && ws->LaAntal >= 2
               ? "Der er kun elever på de aktiviteter der er låst.\nHvis disse elever skal tages "
                 "ud af aktiviteterne skal de låses op"
               : "Denne aktivitet er låst.\nHvis disse elever skal tages ud af aktiviteten skal "
                 "denne låses op",
           kIkkeUdfoert);
  else
    Besked(mode, "Der er ingen elever der er accepteret på nogle af aktiviteterne.", kIkkeUdfoert);
  return 0;
}

int FyldLa(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode, int *pTegn) {
  if (!KanRedigere(ws, tg, la, ctrl, kIkkeUdfoert, mode)) return 0;
  if (shift) {
    if (mode == 2) {
      PlacerGruppenIgen(ws);
      Tegn(pTegn, ELEVPLAN_TEGN_ALT);
    }
    return 1;
  }
  if (LaRecNr(la)->aktiv != 1) {
    Besked(mode, kArkiveret, kIkkeUdfoert);
    return 0;
  }
  const uint32_t a = LaPosition(ws, la);
  bool nogen = false;
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s) {
    const int fyldning = LaFyldning(la);
    if (fyldning != 1 && fyldning != 2) break;
    if (ws->Placeringer(a, s) != 0 || ws->Markeringer(a, s) != 0) continue;
    const uint8_t w = ws->Oensker(a, s);
    if (w != 1 && !(w == 2 && ws->PlaceringsMetode == METODE_PRIO12)) continue;
    nogen = true;
    if (mode != 2) break;
    PlacerElevPaaLa(ws, la, ws->ElevTab[s], w);
  }
  if (nogen && mode == 2) Tegn(pTegn, ELEVPLAN_TEGN_ALT);
  return nogen ? 1 : 0;
}

int PlacerEllerFjernElev(ElevPlanWS *ws, uint32_t tg, uint32_t la, uint32_t elev, int ctrl,
                         int shift, int mode, int *pTegn) {
  if (!GruppeVist(ws, tg)) return 0;
  const uint32_t a = LaPosition(ws, la), s = ElevPosition(ws, elev);
  if (a == 0 || s == 0) return 0;
  if (TgLaast(tg)) {
    VisTgLaas(tg, kIkkeUdfoert, mode);
    return 0;
  }
  if (LaRecNr(la)->aktiv != 1) {
    Besked(mode, kArkiveret, kIkkeUdfoert);
    return 0;
  }
  int tegn = ELEVPLAN_TEGN_RAEKKE;
  const uint8_t placeret = ws->Placeringer(a, s);
  if (placeret == 0) {
    const int fyldning = LaFyldning(la);
    const uint8_t w = ws->Oensker(a, s);
    const char *fejl = nullptr;
    if (ws->Markeringer(a, s) != 0)
      fejl = "Eleven er optaget af anden læringsaktivitet.!";
    else if ((fyldning == 1 || fyldning == 2) && w != 1 && w != 2 && !ctrl)
      fejl =
          "Anvend <CTRL + SPACE> for at placere en elev der ikke har ønsket "
          "læringsaktiviteten.!";
    else if ((fyldning == 3 || fyldning == 4) && (!ctrl || !shift))
      fejl =
          "Anvend <CTRL + SHIFT + SPACE> for at placere en elev på en aktivitet der har nået det "
          "maksimale antal elever.!";
    if (fejl) {
      Besked(mode, fejl, "Eleven optaget");
      return 0;
    }
    if (mode == 2) PlacerElevPaaLa(ws, la, elev, w != 0 ? w : 3);
  } else if (placeret == PLACERET) {
    if (mode == 2) FjernElevFraLa(ws, la, elev, PlaceringsArt(ws, a, s));
  } else {
    // Placed on a duplicate of it: that placement is taken off.
    if (mode == 2)
      for (uint32_t b = 1; b <= ws->LaAntal; ++b)
        if (b != a && ws->Dubletter(a, b) && ws->Placeringer(b, s) == PLACERET)
          FjernElevFraLa(ws, ws->LaTab[b], elev, PlaceringsArt(ws, b, s));
    tegn = ELEVPLAN_TEGN_ALT;
  }
  if (mode == 2) Tegn(pTegn, tegn);
  return 1;
}

// ---- Editing an activity and a group ----

namespace {

// The flags L (LukForNyeElever), B (BeholdElever) and P (PladsLaas) move
// one step at a time from what the record holds towards what the dialog
// shows: closing takes keeping and the place lock along, keeping takes the
// place lock, and a flag that goes off takes those that need it.
void LaFlagTrin(LaRec *l, const LaRec &dlg) {
  const bool rL = l->LukForNyeElever != 0, rB = l->BeholdElever != 0, rP = l->PladsLaas != 0;
  const bool dL = dlg.LukForNyeElever != 0, dB = dlg.BeholdElever != 0, dP = dlg.PladsLaas != 0;
  bool L = rL, B = rB, P = rP;
  if (!rL && dL && !dP) {
    L = B = P = true;
  } else if (dL == rL && dB == rB && !dP && !rP) {
  } else if (!rB && dB) {
    B = P = true;
  } else if (!rP && dP) {
    P = true;
  } else {
    L = dL;
    B = dB;
    P = dP;
    if (!P) L = B = false;
    if (!B) L = false;
  }
  l->LukForNyeElever = L;
  l->BeholdElever = B;
  l->PladsLaas = P;
}

}  // namespace

int RetLa(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode, int *pTegn) {
  (void)shift;
  if (!KanRedigere(ws, tg, la, ctrl, kIkkeUdfoert, mode)) return 0;
  if (Placeret(la) != 0) {
    Besked(mode, "Eleverne skal tages af aktiviteten før den kan rettes.", kIkkeUdfoert);
    return 0;
  }
  if (mode != 2) return 1;
  LaRec kopi = *LaRecNr(la);
  if (VisRetLaDialog(ws->hwnd, &kopi) != 1) {
    SortTab(&tdla, &tvla);
    return 1;
  }

  const bool uger = ElevRef(TgRecNr, tg).UgeLektionsGruppe == 'U';
  const uint32_t a = LaPosition(ws, la);
  std::vector<uint32_t> maal{a};
  for (uint32_t b = 1; b <= ws->LaAntal; ++b)
    if (b != a && ws->Dubletter(a, b)) maal.push_back(b);
  for (uint32_t p : maal) {
    const uint32_t r = ws->LaTab[p];
    LaRec *l = LaRecNr(r);
    l->min_elevantal = kopi.min_elevantal;
    l->max_elevantal = kopi.max_elevantal;
    l->aktiv = kopi.aktiv;
    if (kopi.aktiv == 1) {
      LaFlagTrin(l, kopi);
    } else {
      FjernAlleEleverFraLa(ws, r);
      l = LaRecNr(r);
      l->LukForNyeElever = l->BeholdElever = l->PladsLaas = 0;
    }
    const uint32_t antal = uger ? l->uge_antal : l->lek_antal;
    const uint32_t deletal = uger ? l->uge_deletal : l->lek_deletal;
    const uint32_t nytAntal = uger ? kopi.uge_antal : kopi.lek_antal;
    const uint32_t nytDeletal = uger ? kopi.uge_deletal : kopi.lek_deletal;
    if (antal != nytAntal || deletal != nytDeletal) {
      // Its blocks no longer fit the numbers: the row is emptied, and the
      // rebuild lays the default blocks of the new numbers.
      memset(ws->PlanGitter.Raekke(p), 0, size_t(ws->PlanGitter.Kolonner) + 1);
      memset(ws->LaSpaerring.Raekke(p), 0, size_t(ws->LaSpaerring.Kolonner) + 1);
      FjernAlleEleverFraLa(ws, r);
      ws->PlanAendret = 1;
      SaetLaTal(LaRecNr(r), uger, nytAntal, nytDeletal);
    }
    MarkerElevRec(&tdla, &tvla, r);
  }
  SortTab(&tdla, &tvla);
  Tegn(pTegn, ELEVPLAN_TEGN_ALT);
  return 1;
}

int RetTg(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode, int *pTegn) {
  (void)la;
  (void)shift;
  if (!ctrl || ws == nullptr || tg == 0 || tg != ws->Tg) return 0;
  if (TgLaast(tg)) {
    VisTgLaas(tg, kIkkeUdfoert, mode);
    return 0;
  }
  for (uint32_t a = 1; a <= ws->LaAntal; ++a)
    if (Placeret(ws->LaTab[a]) != 0) {
      Besked(mode,
             "Der må ikke være elever tilknytter aktiviteter hvis tilmeldingsgruppen skal "
             "rettes.",
             "Tilmeldingsgruppen kan ikke rettes");
      return 0;
    }
  if (mode != 2) return 1;

  GemElevPlan(ws, tg);
  ws->PlanAendret = ws->PlaceringAendret = ws->SpaerringAendret = 0;
  TgRec *g = TgRecNr(tg);
  if (g->lek_antal == 0) g->lek_antal = 2;
  if (g->lek_deletal == 0) g->lek_deletal = 2;
  if (g->uge_antal == 0) g->uge_antal = 1;
  if (g->uge_deletal == 0) g->uge_deletal = 1;
  MarkerElevRec(&tdtg, &tvtg, tg);

  // The marks as the group stands: its weeks, outside its own period not
  // to be chosen, and its slots.
  ElevPlanSetup s{};
  s.Uger = g->UgeLektionsGruppe == 'U' ? 1 : 0;
  s.AntalUger = SkemaPeriode.AntalUger;
  s.AntalDage = SetupAntalDage();
  std::vector<int32_t> uger(s.AntalUger, 0), lektioner(size_t(s.AntalDage) * SETUP_LEKTIONER, 0);
  Uge fra = 0, til = 0;
  uint8_t dag = 0;
  DatoTilUge(g->fradato, &fra, &dag);
  DatoTilUge(g->tildato, &til, &dag);
  for (uint32_t i = 1; i <= s.AntalUger; ++i) {
    const Uge u = IndeksTilUge(i);
    if (u < fra || u > til) uger[i - 1] = -1;
  }
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    if (!ElevTabAktiv(p->Status) || p->tg_id != tg) continue;
    const UgeIndeks i = p->ugenr != 0 ? UgeTilIndeks(p->ugenr) : 0;
    if (i >= 1 && i <= s.AntalUger && uger[i - 1] != -1) uger[i - 1] = 1;
    if (p->lektion >= 1 && p->lektion <= SETUP_LEKTIONER && p->dag < s.AntalDage)
      lektioner[size_t(p->dag) * SETUP_LEKTIONER + p->lektion - 1] = 1;
  }
  s.UgeMarkeringer = uger.data();
  s.LektionsMarkeringer = lektioner.data();
  s.MindsteAntal = 1;
  s.Tg = *g;
  if (VisElevPlanSetupDialog(ws->hwnd, &s) != 1) return 1;

  g = TgRecNr(tg);
  g->UgeLektionsGruppe = s.Uger ? 'U' : 'L';
  g->min_elevtal = s.Tg.min_elevtal;
  g->max_elevtal = s.Tg.max_elevtal;
  g->uge_antal = s.Tg.uge_antal;
  g->uge_deletal = s.Tg.uge_deletal;
  g->lek_antal = s.Tg.lek_antal;
  g->lek_deletal = s.Tg.lek_deletal;
  MarkerElevRec(&tdtg, &tvtg, tg);
  const TgRec t = *g;
  ForLevendeLa([&](uint32_t r, LaRec *l) {
    if (l->tg_id != tg) return;
    l->lek_antal = t.lek_antal;
    l->lek_deletal = t.lek_deletal;
    l->uge_antal = t.uge_antal;
    l->uge_deletal = t.uge_deletal;
    l->min_elevantal = t.min_elevtal;
    l->max_elevantal = t.max_elevtal;
    MarkerElevRec(&tdla, &tvla, r);
  });
  SortTab(&tdla, &tvla);

  // The group's slots go with their placements, and with the students'
  // blocks at them: the new slots take the freed record numbers, which a
  // block left behind would then name.
  std::vector<uint8_t> slettet(tvpp.wRecCnt, 0);
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    if (ElevTabAktiv(l->Status) && l->tg_id == tg) DelRec(&tdlap, &tvlap, r);
  }
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    if (!ElevTabAktiv(p->Status) || p->tg_id != tg) continue;
    slettet[r] = 1;
    DelRec(&tdpp, &tvpp, r);
  }
  for (uint32_t r = 1; r < tveb.wRecCnt; ++r) {
    const EbRec *b = EbRecNr(r);
    if (b->Status != 0 && b->tg_id == tg && b->pp_id < slettet.size() && slettet[b->pp_id])
      DelRec(&tdeb, &tveb, r);
  }
  SortTab(&tdlap, &tvlap);
  SortTab(&tdpp, &tvpp);
  SortTab(&tdeb, &tveb);

  if (s.Uger) {
    for (uint32_t i = 1; i <= s.AntalUger; ++i)
      if (uger[i - 1] == 1) AddPpRec(t.id, IndeksTilUge(i), 0, 0);
  } else {
    for (uint32_t d = 0; d < s.AntalDage; ++d)
      for (uint32_t l = 1; l <= SETUP_LEKTIONER; ++l)
        if (lektioner[size_t(d) * SETUP_LEKTIONER + l - 1] == 1) AddPpRec(t.id, 0, d, l);
  }
  SortTab(&tdpp, &tvpp);

  // The workspace still holds the old slots: nothing of it may be written
  // back, and the window rebuilds it.
  ws->PlanAendret = ws->PlaceringAendret = ws->SpaerringAendret = 0;
  Tegn(pTegn, ELEVPLAN_TEGN_ALT);
  return 1;
}
