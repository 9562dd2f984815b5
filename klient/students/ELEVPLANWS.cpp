// The planning workspace: its lists and matrices, the build for the current
// group, the placement primitives and the removal of test data. The build
// walks the wish table once and hands the group's wishes on, so that a
// rebuild costs a few passes over one group's records, not over the tables.
#include "ELEVPLANWS.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "ELEVGITTER.h"
#include "ELEVPLANTEKST.h"
#include "ELEVTAB.h"
#include "FINDREC.h"
#include "SWITCH.h"
#include "TABOPER.h"

bool NyElevMatrix(ElevMatrix *m, uint32_t raekker, uint32_t kolonner) {
  FrigivElevMatrix(m);
  const size_t bytes = (size_t(raekker) + 1) * (size_t(kolonner) + 1);
  m->Data = static_cast<uint8_t *>(calloc(bytes, 1));
  if (m->Data == nullptr) return false;
  m->Raekker = raekker;
  m->Kolonner = kolonner;
  return true;
}

void FrigivElevMatrix(ElevMatrix *m) {
  free(m->Data);
  *m = {};
}

namespace {

constexpr uint32_t SIDSTE_TESTGRUPPE = 10;

uint32_t *NyListe(uint32_t antal) {
  return static_cast<uint32_t *>(calloc(size_t(antal) + 1, sizeof(uint32_t)));
}

void Frigiv(uint32_t *&p) {
  free(p);
  p = nullptr;
}

// The cursor axis of a list: count and current cell. Before the window has
// laid out its panes every row counts as visible, so that the cursor keys
// move.
void SaetAkse(const ElevPlanWS *ws, GridPos *pos, uint32_t antal, uint32_t aktuel) {
  pos->Antal = antal;
  pos->Aktuel = aktuel;
  if (pos->Foerste == 0 || pos->Foerste > antal) pos->Foerste = antal ? 1 : 0;
  if (ws->hwnd == 0 || pos->Synlige == 0) pos->Synlige = antal;
}

// The position of the table's current record in a list, else the first.
uint32_t AktuelIListe(const uint32_t *liste, uint32_t antal, uint32_t aktuelRec) {
  const uint32_t i = FindObjIdx(liste, antal, aktuelRec);
  return i != 0 ? i : (antal != 0 ? 1 : 0);
}

// Calls fn(b) for every column b of row r of a 0/1 matrix that holds 1:
// the rows of the duplicate and overlap matrices are mostly empty, and
// memchr passes the empty stretches quickly.
template <class Fn>
void ForEttere(const ElevMatrix &m, uint32_t r, Fn fn) {
  const uint8_t *raekke = m.Raekke(r);
  const uint8_t *p = raekke + 1, *slut = raekke + m.Kolonner + 1;
  while (p < slut) {
    p = static_cast<const uint8_t *>(memchr(p, 1, static_cast<size_t>(slut - p)));
    if (p == nullptr) return;
    fn(static_cast<uint32_t>(p - raekke));
    ++p;
  }
}

uint32_t Op(uint32_t v, uint32_t d, bool plus) { return plus ? v + d : (v > d ? v - d : 0); }

// One placement of kind k counted in or out: 1 on the activity's count of
// that kind, the activity's lesson weight on the student's.
void TaelPlacering(const ElevPlanWS *ws, uint32_t a, uint32_t la, uint32_t elev, uint32_t kind,
                   bool plus) {
  LaRec *l = LaRecNr(la);
  ElevRec *e = ElevRecNr(elev);
  const uint32_t w = ws->LaLektioner ? ws->LaLektioner[a] : 0;
  if (kind == 1) {
    if (l) l->akt_prio_1 = Op(l->akt_prio_1, 1, plus);
    if (e) e->akt_prio_1 = Op(e->akt_prio_1, w, plus);
  } else if (kind == 2) {
    if (l) l->akt_prio_2 = Op(l->akt_prio_2, 1, plus);
    if (e) e->akt_prio_2 = Op(e->akt_prio_2, w, plus);
  } else {
    if (l) l->akt_prio_3 = Op(l->akt_prio_3, 1, plus);
    if (e) e->akt_prio_3 = Op(e->akt_prio_3, w, plus);
  }
}

// The display marks of student s for a direct placement on position a.
void MarkerPlacering(ElevPlanWS *ws, uint32_t a, uint32_t s) {
  const uint8_t *dubletter = ws->Dubletter.Raekke(a);
  ForEttere(ws->Overlap, a, [&](uint32_t b) {
    ws->Markeringer(b, s) = b == a         ? MARKERET_HER
                            : dubletter[b] ? MARKERET_DUBLET
                                           : MARKERET_OVERLAP;
  });
}

bool ByggLister(ElevPlanWS *ws, uint32_t g) {
  const TgRec &tg = ElevRef(TgRecNr, g);

  // Students: a live enrolment in the group of a live student, each once.
  ws->ElevIndeksAntal = tvelev.wRecCnt;
  ws->ElevIndeks = NyListe(ws->ElevIndeksAntal);
  ws->ElevTab = NyListe(tvelti.wRecCnt);
  if (!ws->ElevIndeks || !ws->ElevTab) return false;
  for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) {
    const EltiRec *t = EltiRecNr(r);
    if (!ElevTabAktiv(t->Status) || t->tg_id != g) continue;
    const uint32_t e = t->elev_id;
    if (e == 0 || e >= ws->ElevIndeksAntal || ws->ElevIndeks[e] != 0) continue;
    if (!ElevTabAktiv(ElevRecNr(e)->Status)) continue;
    ws->ElevTab[++ws->ElevAntal] = e;
    ws->ElevIndeks[e] = ws->ElevAntal;
  }

  const uint32_t laPlads = AntalLaIGruppe(ws), ppPlads = AntalPpIGruppe(ws);
  ws->LaIndeksAntal = tvla.wRecCnt;
  ws->LaIndeks = NyListe(ws->LaIndeksAntal);
  ws->LaTab = NyListe(laPlads);
  if (!ws->LaIndeks || !ws->LaTab) return false;
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    LaRec *l = LaRecNr(r);
    if (!ElevTabAktiv(l->Status) || l->tg_id != g) continue;
    // Hidden archived activities too start from no placements.
    l->akt_prio_1 = l->akt_prio_2 = l->akt_prio_3 = 0;
    if ((tg.SkjulArkiverede && l->aktiv != 1) || ws->LaAntal == laPlads) continue;
    ws->LaTab[++ws->LaAntal] = r;
    ws->LaIndeks[r] = ws->LaAntal;
  }
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s) {
    ElevRec *e = ElevRecNr(ws->ElevTab[s]);
    e->akt_prio_1 = e->akt_prio_2 = e->akt_prio_3 = 0;
  }

  ws->PpIndeksAntal = tvpp.wRecCnt;
  ws->PpIndeks = NyListe(ws->PpIndeksAntal);
  ws->PpTab = NyListe(ppPlads);
  if (!ws->PpIndeks || !ws->PpTab) return false;
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    if (!ElevTabAktiv(p->Status) || p->tg_id != g || ws->PpAntal == ppPlads) continue;
    ws->PpTab[++ws->PpAntal] = r;
    ws->PpIndeks[r] = ws->PpAntal;
  }
  SaetAkse(ws, &ws->PpPos, ws->PpAntal, AktuelIListe(ws->PpTab, ws->PpAntal, tvpp.AktuelRec));
  return true;
}

// The students' wished lessons; the group's live wishes gathered in liste.
void TaelOensker(ElevPlanWS *ws, uint32_t g, std::vector<uint32_t> *liste) {
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s) {
    ElevRec *e = ElevRecNr(ws->ElevTab[s]);
    e->onske_prio_1 = e->onske_prio_2 = e->max_onske = 0;
  }
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    EvRec *ev = EvRecNr(r);
    if (!ElevTabAktiv(ev->Status) || ev->tg_id != g) continue;
    liste->push_back(r);
    const uint32_t e = ev->elevplan_onske_la_id;
    if (e == 0 && ev->konverteret_onske_la != 0) {
      ev->konverteret_onske_la = 0;
      MarkerElevRec(&tdev, &tvev, r);
    } else if (e != 0 && e < tvla.wRecCnt && ev->konverteret_onske_la == 0) {
      ev->konverteret_onske_la = e;
      MarkerElevRec(&tdev, &tvev, r);
    }
    const uint32_t k = ev->konverteret_onske_la;
    const uint32_t s = ElevPosition(ws, ev->elev_id);
    if (s == 0 || k == 0 || k >= tvla.wRecCnt || LaRecNr(k)->aktiv != 1) continue;
    if (ev->prioritet != 1 && ev->prioritet != 2) continue;
    const uint32_t w = LaVaegt(k, g);
    ElevRec *elev = ElevRecNr(ws->ElevTab[s]);
    if (ev->prioritet == 1)
      elev->onske_prio_1 = elev->onske_prio_1 + w;
    else
      elev->onske_prio_2 = elev->onske_prio_2 + w;
    if (w > elev->max_onske) elev->max_onske = w;
  }
}

// Records of a table that point to a test group (by tg_id) zeroed.
template <class R>
void SletTestRecs(const TabDesc *pTd, TabVar *pTv, R *(*recNr)(uint32_t),
                  const std::vector<uint8_t> &test) {
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const R *rec = recNr(r);
    if (rec->Status != 0 && rec->tg_id < test.size() && test[rec->tg_id]) DelRec(pTd, pTv, r);
  }
  SortTab(pTd, pTv);
}

}  // namespace

ElevPlanWS *NytElevPlanWS(uint8_t bogstav, uint8_t sidstAktiv) {
  auto *ws = new (std::nothrow) ElevPlanWS();
  if (ws == nullptr) return nullptr;
  ws->Bogstav = bogstav;
  ws->SidstAktiv = sidstAktiv;
  ws->PlaceringsMetode = METODE_PRIO12;
  ws->AntalSimuleringer = 100;
  ws->SidsteRetning = VK_RIGHT;
  ws->ens.StyrX = &ws->PpPos;
  ws->ens.StyrY = &ws->LaPos;
  return ws;
}

void FrigivElevPlanLister(ElevPlanWS *ws) {
  Frigiv(ws->TgTab);
  Frigiv(ws->LaTab);
  Frigiv(ws->LaIndeks);
  Frigiv(ws->LaVisTab);
  Frigiv(ws->PpTab);
  Frigiv(ws->PpIndeks);
  Frigiv(ws->ElevTab);
  Frigiv(ws->ElevIndeks);
  Frigiv(ws->ElevVisTab);
  Frigiv(ws->LaLektioner);
  for (ElevMatrix *m : {&ws->PlanGitter, &ws->LaSpaerring, &ws->ElevSpaerring, &ws->Oensker,
                        &ws->Placeringer, &ws->Markeringer, &ws->Dubletter, &ws->Overlap})
    FrigivElevMatrix(m);
  ws->TgAntal = ws->LaAntal = ws->PpAntal = ws->ElevAntal = 0;
  ws->LaIndeksAntal = ws->PpIndeksAntal = ws->ElevIndeksAntal = 0;
  ws->Tg = 0;
  ws->ens.ObjTab = nullptr;
  ws->ens.ObjTabAntal = 0;
}

uint32_t LaPosition(const ElevPlanWS *ws, uint32_t la) {
  return ws->LaIndeks && la < ws->LaIndeksAntal ? ws->LaIndeks[la] : 0;
}

uint32_t PpPosition(const ElevPlanWS *ws, uint32_t pp) {
  return ws->PpIndeks && pp < ws->PpIndeksAntal ? ws->PpIndeks[pp] : 0;
}

uint32_t ElevPosition(const ElevPlanWS *ws, uint32_t elev) {
  return ws->ElevIndeks && elev < ws->ElevIndeksAntal ? ws->ElevIndeks[elev] : 0;
}

uint32_t AktuelTg(const ElevPlanWS *ws) {
  const uint32_t i = ws->TgPos.Aktuel;
  return ws->TgTab && i >= 1 && i <= ws->TgAntal ? ws->TgTab[i] : 0;
}

uint32_t AktuelLa(const ElevPlanWS *ws) {
  const uint32_t i = ws->LaPos.Aktuel;
  return ws->LaVisTab && i >= 1 && i <= ws->LaAntal ? ws->LaVisTab[i] : 0;
}

uint32_t AktuelPp(const ElevPlanWS *ws) {
  const uint32_t i = ws->PpPos.Aktuel;
  return ws->PpTab && i >= 1 && i <= ws->PpAntal ? ws->PpTab[i] : 0;
}

uint32_t LaVaegt(uint32_t la, uint32_t tg) {
  const LaRec &l = ElevRef(LaRecNr, la);
  return ElevRef(TgRecNr, tg).UgeLektionsGruppe == 'U' ? l.uge_antal : l.lek_antal;
}

void BuildElevPlanData(ElevPlanWS *ws) {
  if (ws->TgTab) {
    if (ws->Tg) GemElevPlan(ws, ws->Tg);
    ws->PlanAendret = ws->PlaceringAendret = ws->SpaerringAendret = 0;
    tvtg.AktuelRec = AktuelTg(ws);
  }
  FrigivElevPlanLister(ws);

  ws->TgTab = NyListe(tvtg.wRecCnt);
  if (ws->TgTab == nullptr) return;
  for (uint32_t r = 1; r < tvtg.wRecCnt; ++r)
    if (ElevTabAktiv(TgRecNr(r)->Status)) ws->TgTab[++ws->TgAntal] = r;
  uint32_t tgPos = FindObjIdx(ws->TgTab, ws->TgAntal, tvtg.AktuelRec);
  if (tgPos == 0 && ws->TgAntal != 0) {
    tgPos = 1;
    tvtg.AktuelRec = ws->TgTab[1];
  }
  SaetAkse(ws, &ws->TgPos, ws->TgAntal, tgPos);
  const uint32_t g = AktuelTg(ws);
  if (g == 0) {
    SaetAkse(ws, &ws->PpPos, 0, 0);
    ByggLaRaekker(ws);
    return;
  }
  ws->Tg = g;

  const bool lektioner = TgRecNr(g)->UgeLektionsGruppe == 'L';
  const uint32_t arter[ELEVPLAN_ARTER] = {ELEVPLAN_LA_ART, 81, lektioner ? 79u : 80u,
                                          lektioner ? 77u : 76u};
  for (int i = 0; i < ELEVPLAN_ARTER; ++i) {
    ws->SwitchArt[i] = arter[i];
    ws->AntalLayouts[i] = ObjSwitchAntal(arter[i], ws->Bogstav);
    ws->ValgtLayout[i] = ObjSwitchValgt(arter[i], ws->Bogstav);
  }
  OpretStandardPp(g);

  // Without memory for the lists the workspace stays empty: every command
  // then finds no current activity.
  if (!ByggLister(ws, g)) {
    FrigivElevPlanLister(ws);
    SaetAkse(ws, &ws->TgPos, 0, 0);
    SaetAkse(ws, &ws->PpPos, 0, 0);
    ByggLaRaekker(ws);
    return;
  }
  OpretStandardLap(ws, g);
  ByggPlanGitter(ws, g);

  ws->LaLektioner = NyListe(ws->LaAntal);
  for (uint32_t a = 1; ws->LaLektioner && a <= ws->LaAntal; ++a)
    ws->LaLektioner[a] = LaVaegt(ws->LaTab[a], g);

  std::vector<uint32_t> ev;
  TaelOensker(ws, g, &ev);
  BeregnDubletter(ws, g);
  BeregnOverlap(ws);

  NyElevMatrix(&ws->ElevSpaerring, ws->ElevAntal, ws->PpAntal);
  for (uint32_t r = 1; ws->ElevSpaerring.Data && r < tveb.wRecCnt; ++r) {
    const EbRec *eb = EbRecNr(r);
    if (!ElevTabAktiv(eb->Status) || eb->tg_id != g) continue;
    const uint32_t s = ElevPosition(ws, eb->elev_id), c = PpPosition(ws, eb->pp_id);
    if (s != 0 && c != 0) ws->ElevSpaerring(s, c) = 1;
  }

  // The stored placements read back are no change of the group.
  NyElevMatrix(&ws->Placeringer, ws->LaAntal, ws->ElevAntal);
  NyElevMatrix(&ws->Markeringer, ws->LaAntal, ws->ElevAntal);
  const uint8_t aendret = ws->PlaceringAendret;
  for (uint32_t r : ev) {
    const EvRec *w = EvRecNr(r);
    const uint32_t la = w->placerings_la_id;
    if (la != 0 && la < tvla.wRecCnt) PlacerElevPaaLa(ws, la, w->elev_id, w->prioritet);
  }
  ws->PlaceringAendret = aendret;

  ByggOenskerFraListe(ws, g, ev.data(), static_cast<uint32_t>(ev.size()));
  ByggLaRaekker(ws);
}

void ByggLaRaekker(ElevPlanWS *ws) {
  Frigiv(ws->LaVisTab);
  ws->LaVisTab = NyListe(ws->LaAntal);
  if (ws->LaVisTab == nullptr) ws->LaAntal = 0;
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) ws->LaVisTab[a] = ws->LaTab[a];
  SorterLaRaekker(ws);
  ws->ens.ObjTab = ws->LaVisTab;
  ws->ens.ObjTabAntal = ws->LaAntal;
  SaetAkse(ws, &ws->LaPos, ws->LaAntal, AktuelIListe(ws->LaVisTab, ws->LaAntal, tvla.AktuelRec));
}

void ByggElevRaekker(ElevPlanWS *ws, GridPos *pos, ElevRaekkeSorter sorter, void *ctx) {
  Frigiv(ws->ElevVisTab);
  ws->ElevVisTab = NyListe(ws->ElevAntal);
  const uint32_t antal = ws->ElevVisTab ? ws->ElevAntal : 0;
  for (uint32_t s = 1; s <= antal; ++s) ws->ElevVisTab[s] = ws->ElevTab[s];
  if (sorter && antal > 1) sorter(ctx, ws->ElevVisTab, antal);
  if (pos) SaetAkse(ws, pos, antal, AktuelIListe(ws->ElevVisTab, antal, tvelev.AktuelRec));
}

bool PurgeTestTg(int mode) {
  if (mode != 2) return true;
  if (tvtg.fSorter) SortTab(&tdtg, &tvtg);
  // Group records by number that are test groups: an id below 11, record 0
  // and emptied records (id 0) included.
  std::vector<uint8_t> test(tvtg.wRecCnt > 0 ? tvtg.wRecCnt : 1, 0);
  test[0] = 1;
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    const TgRec *t = TgRecNr(g);
    if (t->id > SIDSTE_TESTGRUPPE) continue;
    test[g] = 1;
    if (t->Status != 0) DelRec(&tdtg, &tvtg, g);
  }
  SortTab(&tdtg, &tvtg);
  SletTestRecs(&tdpp, &tvpp, PpRecNr, test);
  SletTestRecs(&tdla, &tvla, LaRecNr, test);
  SletTestRecs(&tdlap, &tvlap, LapRecNr, test);
  SletTestRecs(&tdev, &tvev, EvRecNr, test);
  SletTestRecs(&tdelti, &tvelti, EltiRecNr, test);
  SletTestRecs(&tdeb, &tveb, EbRecNr, test);

  // A test student carries "TESTFORLØB" from its one-character course-type
  // field on into the next field.
  static const char kTest[] = "TESTFORLØB";
  for (uint32_t r = 1; r < tvelev.wRecCnt; ++r) {
    const ElevRec *e = ElevRecNr(r);
    const uint8_t *tekst = reinterpret_cast<const uint8_t *>(e) + offsetof(ElevRec, Navn3);
    static_assert(offsetof(ElevRec, Navn3) + sizeof kTest <= sizeof(ElevRec));
    if (e->Status != 0 && memcmp(tekst, kTest, sizeof kTest) == 0) DelRec(&tdelev, &tvelev, r);
  }
  SortTab(&tdelev, &tvelev);
  return true;
}

int ElevStatusVedPp(const ElevPlanWS *ws, uint32_t pp, uint32_t elev, uint32_t *pLaPos) {
  if (pLaPos) *pLaPos = 0;
  const uint32_t s = ElevPosition(ws, elev), c = PpPosition(ws, pp);
  if (s == 0 || c == 0) return 0;
  if (ws->ElevSpaerring(s, c)) return 4;
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    if (ws->Placeringer(a, s) != PLACERET || ws->PlanGitter(a, c) == PLAN_FRI) continue;
    if (pLaPos) *pLaPos = a;
    return static_cast<int>(PlaceringsArt(ws, a, s));
  }
  return 0;
}

int LaFyldning(uint32_t la) {
  const LaRec &l = ElevRef(LaRecNr, la);
  const uint64_t p = uint64_t(l.akt_prio_1) + l.akt_prio_2 + l.akt_prio_3;
  if (p < l.min_elevantal) return 1;
  if (p < l.max_elevantal) return 2;
  return p == l.max_elevantal ? 3 : 4;
}

void PlacerElevPaaLa(ElevPlanWS *ws, uint32_t la, uint32_t elev, uint32_t kind) {
  const uint32_t a = LaPosition(ws, la), s = ElevPosition(ws, elev);
  if (a == 0 || s == 0 || ws->Placeringer(a, s) == PLACERET) return;
  TaelPlacering(ws, a, la, elev, kind, true);
  ws->Placeringer(a, s) = PLACERET;
  ForEttere(ws->Dubletter, a, [&](uint32_t b) {
    if (b != a) ws->Placeringer(b, s) = PLACERET_DUBLET;
  });
  MarkerPlacering(ws, a, s);
  ws->PlaceringAendret = 1;
}

void FjernElevFraLa(ElevPlanWS *ws, uint32_t la, uint32_t elev, uint32_t kind) {
  const uint32_t a = LaPosition(ws, la), s = ElevPosition(ws, elev);
  if (a == 0 || s == 0 || ws->Placeringer(a, s) != PLACERET) return;
  ws->PlaceringAendret = 1;
  TaelPlacering(ws, a, la, elev, kind, false);
  ws->Placeringer(a, s) = 0;
  ForEttere(ws->Dubletter, a, [&](uint32_t b) {
    if (b != a) ws->Placeringer(b, s) = 0;
  });
  for (uint32_t b = 1; b <= ws->LaAntal; ++b) ws->Markeringer(b, s) = 0;
  for (uint32_t b = 1; b <= ws->LaAntal; ++b)
    if (ws->Placeringer(b, s) == PLACERET) MarkerPlacering(ws, b, s);
}

void FjernAlleEleverFraLa(ElevPlanWS *ws, uint32_t la) {
  const uint32_t a = LaPosition(ws, la);
  if (a == 0) return;
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
    if (ws->Placeringer(a, s) == PLACERET)
      FjernElevFraLa(ws, la, ws->ElevTab[s], PlaceringsArt(ws, a, s));
}

void NulstilPlaceringer(ElevPlanWS *ws) {
  ElevMatrix foer = ws->Placeringer;
  ws->Placeringer = {};
  NyElevMatrix(&ws->Placeringer, ws->LaAntal, ws->ElevAntal);
  NyElevMatrix(&ws->Markeringer, ws->LaAntal, ws->ElevAntal);
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s) {
    ElevRec *e = ElevRecNr(ws->ElevTab[s]);
    e->akt_prio_1 = e->akt_prio_2 = e->akt_prio_3 = 0;
  }
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    LaRec *l = LaRecNr(ws->LaTab[a]);
    l->akt_prio_1 = l->akt_prio_2 = l->akt_prio_3 = 0;
  }
  for (uint32_t a = 1; foer.Data && a <= ws->LaAntal; ++a) {
    if (LaRecNr(ws->LaTab[a])->BeholdElever != 1) continue;
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      if (foer(a, s) == PLACERET)
        PlacerElevPaaLa(ws, ws->LaTab[a], ws->ElevTab[s], PlaceringsArt(ws, a, s));
  }
  FrigivElevMatrix(&foer);
}

void GenopbygMarkeringer(ElevPlanWS *ws) {
  if (ws->Markeringer.Data == nullptr || ws->Placeringer.Data == nullptr) return;
  memset(ws->Markeringer.Data, 0,
         (size_t(ws->Markeringer.Raekker) + 1) * (size_t(ws->Markeringer.Kolonner) + 1));
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    const uint8_t *raekke = ws->Placeringer.Raekke(a);
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      if (raekke[s] == PLACERET) MarkerPlacering(ws, a, s);
  }
}

void SaetOenske(ElevPlanWS *ws, uint32_t la, uint32_t elev, uint8_t prio, bool kunTomme) {
  const uint32_t a = LaPosition(ws, la), s = ElevPosition(ws, elev);
  if (a == 0 || s == 0) return;
  auto saet = [&](uint32_t b) {
    uint8_t &celle = ws->Oensker(b, s);
    if (!kunTomme || celle == 0) celle = prio;
  };
  saet(a);
  ForEttere(ws->Dubletter, a, [&](uint32_t b) {
    if (b != a) saet(b);
  });
}

uint32_t PlaceringsArt(const ElevPlanWS *ws, uint32_t a, uint32_t s) {
  const uint8_t w = ws->Oensker.Data ? ws->Oensker(a, s) : 0;
  return w != 0 ? w : 3;
}

uint32_t AntalPaaLa(const ElevPlanWS *ws, uint32_t a) {
  uint32_t n = 0;
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
    if (ws->Placeringer(a, s) == PLACERET) ++n;
  return n;
}

void SkrivPlanBlok(ElevMatrix *m, uint32_t r, uint32_t c, uint32_t laengde) {
  if (r < 1 || r > m->Raekker || c < 1 || c > m->Kolonner) return;
  const uint32_t plads = m->Kolonner - c + 1;
  uint32_t l = laengde == 0 ? 1 : laengde;
  if (l > plads) l = plads;
  uint8_t *raekke = m->Raekke(r);
  if (l == 1) {
    raekke[c] = PLAN_ENKELT;
    return;
  }
  raekke[c] = PLAN_START;
  for (uint32_t i = 1; i + 1 < l; ++i) raekke[c + i] = PLAN_MIDTE;
  raekke[c + l - 1] = PLAN_SLUT;
}

uint32_t PlanBlokLaengde(const ElevMatrix &m, uint32_t r, uint32_t c) {
  const uint8_t kode = m(r, c);
  if (kode == PLAN_ENKELT) return 1;
  if (kode != PLAN_START) return 0;
  const uint8_t *raekke = m.Raekke(r);
  uint32_t j = c + 1;
  while (j <= m.Kolonner && raekke[j] == PLAN_MIDTE) ++j;
  if (j <= m.Kolonner && raekke[j] == PLAN_SLUT) ++j;
  return j - c;
}
