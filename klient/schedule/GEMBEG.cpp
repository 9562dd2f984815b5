// Saving the entry window's event.

#include "GEMBEG.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ADDBEG.h"
#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "BRIKINDVIN.h"
#include "BRIKINFO.h"
#include "DATO.h"
#include "DIREKTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "GEMNING.h"
#include "REGNING.h"
#include "STITAB.h"
#include "PLACER.h"
#include "RECPRED.h"
#include "SKEBEG.h"
#include "SKEMA.h"
#include "SKEMAVIN.h"
#include "SKERAEKKE.h"
#include "SLETBEG.h"
#include "TABOPER.h"
#include "VEDLIGE.h"
#include "VINDUER.h"

GemBegKroge GemBegKrog;

namespace {

constexpr uint8_t kTrinMarkerTider = 8;

bool Redigerer(const BrikIndStruct *b) { return b->Mode == 'R'; }
bool Del(const BrikIndStruct *b, char c) { return b->Dele && std::strchr(b->Dele, c); }

void Advar(const BrikIndStruct *b, const char *tekst) {
  MessageBoxA(b->hwnd, tekst, kBegIkkeOK, MB_OK | MB_ICONWARNING);
}

uint32_t CellerPrDag(char placering) { return placering == 'T' ? kOptagBytes - 1 : kLektionerPrDag; }

uint8_t *Dag(BrikIndStruct *b, uint32_t w, uint32_t dag) {
  return b->BlokTab + (static_cast<size_t>(w) * 7 + dag - 1) * kBlokSlots;
}

template <class F>
void HverMarkeretDag(BrikIndStruct *b, F f) {
  if (!b->BlokTab) return;
  const uint32_t n = CellerPrDag(AktuelAVS.Placering);
  for (uint32_t w = 1; w < b->BlokUger; ++w)
    for (uint32_t d = 1; d <= 7; ++d) {
      uint8_t *c = Dag(b, w, d);
      bool nogen = false;
      for (uint32_t i = 0; i < n && !nogen; ++i) nogen = c[i] & BLOK_VALGT;
      if (nogen) f(w, d, c, n);
    }
}

bool NogetMarkeret(BrikIndStruct *b) {
  bool ja = false;
  HverMarkeretDag(b, [&](uint32_t, uint32_t, uint8_t *, uint32_t) { ja = true; });
  return ja;
}

void RydMarkeringer(BrikIndStruct *b) {
  if (b->BlokTab)
    for (size_t i = 0; i < static_cast<size_t>(b->BlokUger) * kBlokUgeBytes; ++i)
      b->BlokTab[i] &= static_cast<uint8_t>(~BLOK_VALGT);
}

// A day the activities' school calendars close, or a public holiday; the
// participants' own periods are the placement checks' business.
bool LukketDag(const AVS *avs, Dato dato) {
  AVS kun{};
  kun.aktiTab = avs->aktiTab;
  kun.aktiAntal = avs->aktiAntal;
  kun.Placering = avs->Placering;
  return PeriodeCheck(&kun, dato) & (PERIODE_SKOLEFRI | PERIODE_HELLIGDAG);
}

const RisyRec *Ring(uint32_t risy) { return risy ? TabRec<RisyRec>(tvrisy, risy) : nullptr; }

bool RingHarLektion(uint32_t risy, uint32_t lektion) {
  const RisyRec *r = Ring(risy);
  return r && lektion >= 1 && lektion <= kLektionerPrDag &&
         (r->Starttid[lektion - 1] != 0 || r->Sluttid[lektion - 1] != 0);
}

void SaetRingTider(AVS *avs) {
  const RisyRec *r = Ring(avs->risy_id);
  if (!r || avs->Lektion < 1 || avs->Lektion > kLektionerPrDag) return;
  avs->Starttid = r->Starttid[avs->Lektion - 1];
  avs->Sluttid = r->Sluttid[avs->Lektion - 1];
  avs->Antal_std_lektioner = r->Antal_std_lektioner[avs->Lektion - 1];
}

uint32_t HHMM(uint32_t minutter) { return minutter / 60 * 100 + minutter % 60; }

bool LigeLister(const uint32_t *a, const uint32_t *b, uint32_t n) {
  return n == 0 || std::equal(a, a + n, b);
}

bool Uaendret(const AVS &n, const AVS &g) {
  if (n.aktiAntal != g.aktiAntal || !LigeLister(n.aktiTab, g.aktiTab, n.aktiAntal)) return false;
  if (n.skfa_id != g.skfa_id) return false;
  if (n.anfoAntal != g.anfoAntal || !LigeLister(n.anfoTab, g.anfoTab, n.anfoAntal) ||
      !LigeLister(n.skemarolTab, g.skemarolTab, n.anfoAntal))
    return false;
  for (uint32_t i = 0; i < n.anfoAntal; ++i)
    if (n.minutTab && g.minutTab && n.minutTab[i] != g.minutTab[i]) return false;
  if (n.lokaAntal != g.lokaAntal || !LigeLister(n.lokaTab, g.lokaTab, n.lokaAntal) ||
      !LigeLister(n.lokrolleTab, g.lokrolleTab, n.lokaAntal))
    return false;
  if (n.Antal_std_lektioner != g.Antal_std_lektioner || n.Starttid != g.Starttid || n.Sluttid != g.Sluttid)
    return false;
  return !ObjListeDiffer({n.bemTab, n.bemAntal}, {g.bemTab, g.bemAntal});
}

// Frees a property set on every way out.
struct EgetAVS {
  AVS avs{};
  EgetAVS() { CleanupAVS(&avs); }
  ~EgetAVS() { CleanupAVS(&avs); }
  EgetAVS(const EgetAVS &) = delete;
  EgetAVS &operator=(const EgetAVS &) = delete;
};

// Checks 2 to 5.
bool KontrolDelene(BrikIndStruct *b, uint8_t *ud) {
  AVS &e = AktuelAVS;
  switch (KontrolMinutter(&e)) {
    case 1:
      Advar(b, "Der er indtastet et minuttal på en medarbejder, som ikke er gyldigt.");
      *ud = TRIN_ANFO;
      return false;
    case 2:
      Advar(b, "Der er sat minutter på en medarbejder og ikke valgt nogen aktivitet.");
      *ud = TRIN_AKTI;
      return false;
    default: break;
  }
  if (!e.aktiAntal) {
    if (!e.anfoAntal && !e.lokaAntal) {
      Advar(b, "Der skal tilknyttes aktivitet, lærer eller lokale til en begivenhed");
      *ud = TRIN_AKTI;
      return false;
    }
    if (e.skfa_id) {
      Advar(b, "Der kan ikke tilknyttes et fag uden at tilknytte en aktivitet");
      *ud = TRIN_AKTI;
      return false;
    }
  }
  if (!NogetMarkeret(b)) {
    Advar(b, Redigerer(b) ? "Opmærk de begivenheder, som skal rettes!"
                          : "Der skal opmærkes en blok før, der kan oprettes nye begivenheder");
    *ud = b->GitterTrin;
    return false;
  }
  SkeStruct *gitter = SkemaVinduesSke(b->hwndGitter);
  bool ok = true;
  HverMarkeretDag(b, [&](uint32_t w, uint32_t d, uint8_t *c, uint32_t n) {
    if (!ok) return;
    // Student overlap in the grid's occupation of the day: no event there.
    if (gitter && gitter->OptagTab && b->hwndGitter)
      for (uint32_t i = 0; i < n && i + 1 < kOptagBytes; ++i)
        if (gitter->OptagTab[i + 1] == '!') c[i] &= static_cast<uint8_t>(~BLOK_VALGT);
    if (e.Placering != 'L' || Del(b, 'T')) return;
    if (LukketDag(&e, UgeDagTilDato(IndeksTilUge(w), static_cast<uint8_t>(d)))) return;
    for (uint32_t i = 0; i < n; ++i)
      if ((c[i] & BLOK_VALGT) && !RingHarLektion(e.risy_id, i + 1)) {
        char tekst[96];
        std::snprintf(tekst, sizeof tekst, "Der mangler tider for lektion %ld i ringetidssystemet",
                      static_cast<long>(i + 1));
        Advar(b, tekst);
        *ud = b->GitterTrin;
        ok = false;
        return;
      }
  });
  return ok;
}

void HuskGemt(BrikIndStruct *b, uint8_t aar, uint8_t uge) {
  const TabVar *bucket = BegBucket(aar, uge);
  if (!bucket) return;
  for (uint32_t r = bucket->wRecCnt; r-- > 1;) {
    const SkeRec *s = BegFoersteRaekke(aar, uge, r);
    if (!s) continue;
    CleanupAVS(&BrikIndGemtAVS);
    HentAVS(aar, uge, r, &BrikIndGemtAVS, true);
    b->HuskAarIdx = aar;
    b->HuskUge = uge;
    b->HuskForste = r;
    b->HuskId = s->id;
    // Closing the window puts these back into the remembered event: they
    // are now the times just saved, not those the window opened with.
    b->GlStarttid = s->Starttid;
    b->GlSluttid = s->Sluttid;
    b->GlStdLektioner = s->Antal_std_lektioner;
    return;
  }
}

// A save that could not write an event (its table could not grow, or the
// record was refused) says so, naming the event by its date and time.
void IkkeGemt(const BrikIndStruct *b, const AVS &a, Uge uge, bool rettelse) {
  const Dato d = UgeDagTilDato(uge, a.Dag);
  char navn[64];
  std::snprintf(navn, sizeof navn, "den %02d-%02d-%d kl. %02d:%02d-%02d:%02d", static_cast<int>(d % 100),
                static_cast<int>(d / 100 % 100), static_cast<int>(d / 10000), static_cast<int>(a.Starttid / 100),
                static_cast<int>(a.Starttid % 100), static_cast<int>(a.Sluttid / 100),
                static_cast<int>(a.Sluttid % 100));
  char tekst[200];
  std::snprintf(tekst, sizeof tekst, "Begivenheden %s kunne ikke gemmes.\n%s", navn,
                rettelse ? "Den er som før rettelsen." : "Den er ikke oprettet.");
  LogPrintf("** Fejl: GemBegivenhed(): begivenheden %s kunne ikke gemmes\n", navn);
  MessageBoxA(b->hwnd, tekst, "Fejl", MB_OK | MB_ICONERROR);
}

// Writes a new event into period week w; false, said so, when it could not
// be written.
bool Skriv(BrikIndStruct *b, AVS *avs, uint32_t w) {
  const uint8_t aar = IndeksTilAarOffset(w), uge = static_cast<uint8_t>(IndeksTilUgeNr(w));
  if (!AddBegivenhed(avs, 0, aar, uge, SKE_EGEN, true, "", 0.0, 0.0)) {
    IkkeGemt(b, *avs, IndeksTilUge(w), false);
    return false;
  }
  HuskGemt(b, aar, uge);
  return true;
}

// The special schedule's employees each get their own event; the first
// that cannot be written stops the rest.
bool SkrivNy(BrikIndStruct *b, AVS *avs, uint32_t w) {
  if (avs->Art != 'P' || avs->anfoAntal < 2) return Skriv(b, avs, w);
  bool ok = true;
  for (uint32_t i = 0; i < avs->anfoAntal && ok; ++i) {
    EgetAVS en;
    KopierAVS(avs, &en.avs);
    KopierAVSDel(nullptr, &en.avs, 'M');
    AddAVSEgenskab(&en.avs, 'M', avs->anfoTab[i], avs->skemarolTab ? avs->skemarolTab[i] : 0,
                   avs->minutTab ? avs->minutTab[i] : -1.0f);
    en.avs.Dag = avs->Dag;
    en.avs.Lektion = avs->Lektion;
    en.avs.Starttid = avs->Starttid;
    en.avs.Sluttid = avs->Sluttid;
    en.avs.Antal_std_lektioner = avs->Antal_std_lektioner;
    ok = Skriv(b, &en.avs, w);
  }
  return ok;
}

// Every new event the marks make, built as it will be written, with the
// period week it goes into; f returns false to stop. False when stopped.
template <class F>
bool HverNyBegivenhed(BrikIndStruct *b, AVS &a, F f) {
  bool videre = true;
  HverMarkeretDag(b, [&](uint32_t w, uint32_t d, uint8_t *c, uint32_t n) {
    if (!videre || LukketDag(&a, UgeDagTilDato(IndeksTilUge(w), static_cast<uint8_t>(d)))) return;
    a.Dag = static_cast<uint8_t>(d);
    if (a.Placering == 'L') {
      for (uint32_t i = 0; i < n && videre; ++i) {
        if (!(c[i] & BLOK_VALGT)) continue;
        a.Lektion = static_cast<uint8_t>(i + 1);
        SaetRingTider(&a);
        videre = f(a, w);
      }
    } else if (a.Placering == 'T') {
      for (uint32_t i = 0; i < n && videre;) {
        if (!(c[i] & BLOK_VALGT)) {
          ++i;
          continue;
        }
        uint32_t j = i;
        while (j < n && (c[j] & BLOK_VALGT)) ++j;
        a.Lektion = 0;
        if (b->TidAendret) {
          a.Starttid = b->Starttid;
          a.Sluttid = b->Sluttid;
          a.Antal_std_lektioner = b->StdLektioner;
        } else {
          a.Starttid = HHMM(i * 5);
          a.Sluttid = HHMM(j * 5);
          a.Antal_std_lektioner = static_cast<float>((j - i) * 5) / 60.0f;
        }
        videre = f(a, w);
        i = j;
      }
    } else {
      a.Lektion = 0;
      a.Starttid = b->Starttid;
      a.Sluttid = b->Sluttid;
      a.Antal_std_lektioner = b->StdLektioner;
      videre = f(a, w);
    }
  });
  return videre;
}

constexpr const char *kKonfliktSpm =
    "Den/de ændrede begivenhed'er skaber konflikt med nogle andre skemabrikker!\nVil du afbryde rettelsen?";

// Yes to the conflict question gives the save up.
bool AfbrydSpurgt(const BrikIndStruct *b) {
  return MessageBoxA(b->hwnd, kKonfliktSpm, kBegIkkeOK, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The busy check of an event about to be written in a week against the
// other tiles (the event whose first row is egenForste left out); 0 free.
uint8_t Optaget(AVS *a, Uge uge, uint32_t egenForste) {
  if (!uge || a->Dag < 1 || a->Dag > 7) return 0;
  return OptagetCheck(a, a->Dag, a->Starttid, a->Sluttid, UgeDagTilDato(uge, a->Dag), false, egenForste);
}

// The new events of the marks: when one collides with the schedule the
// user is asked as for an edit, and Yes writes nothing. Then they are
// written until one cannot be (said so). 0 when all were written; 1 given
// up or stopped. *skrevet tells whether any was written.
uint8_t GemNye(BrikIndStruct *b, bool *skrevet) {
  *skrevet = false;
  // Both passes build from the current event as it stands.
  auto hver = [b](auto f) {
    EgetAVS ny;
    KopierAVS(&AktuelAVS, &ny.avs);
    ny.avs.id = 0;
    return HverNyBegivenhed(b, ny.avs, f);
  };
  // An event without times is never written, so it collides with nothing.
  const bool konflikt = !hver([](AVS &a, uint32_t w) {
    const uint8_t o = Optaget(&a, IndeksTilUge(w), 0);
    return o == 0 || o == OPTAGET_INGEN_TIDER;
  });
  if (konflikt && AfbrydSpurgt(b)) return 1;
  const bool alle = hver([&](AVS &a, uint32_t w) {
    const bool ok = SkrivNy(b, &a, w);
    *skrevet = *skrevet || ok;
    return ok;
  });
  return alle ? 0 : 1;
}

struct Markeret {
  uint8_t aar, uge;
  uint32_t forste;
};

// The marked events of the embedded grid, each once.
std::vector<Markeret> MarkeredeBegivenheder(BrikIndStruct *b) {
  std::vector<Markeret> ud;
  const SkeStruct *g = SkemaVinduesSke(b->hwndGitter);
  if (!g || !g->lpSkeVisListe) return ud;
  for (uint32_t i = 1; i <= g->SkeVisAntal; ++i) {
    const SkeVisListe &v = g->lpSkeVisListe[i];
    if (v.FarveKode != 3 || !v.Forste) continue;
    if (std::none_of(ud.begin(), ud.end(), [&](const Markeret &m) {
          return m.aar == v.AarIndeks && m.uge == v.Uge && m.forste == v.Forste;
        }))
      ud.push_back({v.AarIndeks, v.Uge, v.Forste});
  }
  return ud;
}

// The marked event as the edit makes it.
void Bygget(BrikIndStruct *b, const Markeret &m, AVS *ny) {
  HentAVS(m.aar, m.uge, m.forste, ny, false);
  const AVS &e = AktuelAVS;
  static const char dele[][2] = {{'K', 'K'}, {'M', 'M'}, {'L', 'L'}, {'S', 'U'}, {'B', '-'}};
  for (const auto &d : dele)
    if (Del(b, d[0])) {
      KopierAVSDel(&e, ny, d[1]);
      if (d[0] == 'B') ny->bem_id = e.bem_id;
      if (d[0] == 'S') ny->skfa_id = e.skfa_id;
    }
  if (ny->Placering == 'L' && ny->risy_id && !Del(b, 'T')) SaetRingTider(ny);
  else if (b->TidAendret) {
    ny->Starttid = b->Starttid;
    ny->Sluttid = b->Sluttid;
    ny->Antal_std_lektioner = b->StdLektioner;
  }
}

Uge MarkeretUge(const Markeret &m) { return m.uge ? (SkemaPeriode.BaseAar + m.aar) * 100 + m.uge : 0; }

// True when a changed event collides and the user gives up the change.
bool AfbrydVedKonflikt(BrikIndStruct *b, const std::vector<Markeret> &marker) {
  for (const Markeret &m : marker) {
    EgetAVS ny;
    Bygget(b, m, &ny.avs);
    if (Optaget(&ny.avs, MarkeretUge(m), m.forste)) return AfbrydSpurgt(b);
  }
  return false;
}

// Each marked event is written anew and only then deleted, so one that
// cannot be written stays exactly as it was (said so) and stops the rest.
// True when all were written; *skrevet tells whether any was.
bool GemRettelse(BrikIndStruct *b, const std::vector<Markeret> &marker, bool *skrevet) {
  *skrevet = false;
  for (const Markeret &m : marker) {
    EgetAVS ny;
    Bygget(b, m, &ny.avs);
    if (!AddBegivenhed(&ny.avs, 0, m.aar, m.uge, SKE_EGEN, true, "", 0.0, 0.0)) {
      IkkeGemt(b, ny.avs, MarkeretUge(m), true);
      return false;
    }
    // Rows are only ever appended, so the old event still lies at its
    // address. A pending change on its first row is only withdrawn by a
    // first deletion, so it is deleted for good.
    SletBegivenhedEndeligt(m.aar, m.uge, m.forste);
    HuskGemt(b, m.aar, m.uge);
    *skrevet = true;
  }
  return true;
}

void Fortael(BrikIndStruct *b, bool anvend, bool rettet) {
  if (anvend) {
    if (b->hwndGitter) {
      SendMessageA(b->hwndGitter, rettet ? kGitterRettet : kGitterNye, 0, 0);
      InvalidateRect(b->hwndGitter, nullptr, TRUE);
    }
    if (b->hwnd) InvalidateRect(b->hwnd, nullptr, TRUE);
  } else {
    if (b->hwndSkema && IsWindow(b->hwndSkema))
      SendMessageA(b->hwndSkema, rettet ? kGitterRettet : kGitterNye, rettet ? 1 : 0, 0);
    AktuelAVS.skfa_id = 0;
  }
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  if (hwndBrikInfo && IsWindow(hwndBrikInfo)) SendMessageA(hwndBrikInfo, BRIKINFO_OPDATER, 0, 0);
  CountExportChanges();
  if (b->hwndEjer && IsWindow(b->hwndEjer)) SendMessageA(b->hwndEjer, HOVED_DATA_AENDRET, 0, 0);
}

constexpr unsigned kMaxPoster = 64;
const char *const kSaerligGrunde[] = {"", "Der er skema på dagen.", "Der skema efter afsluttet tidsregistrering.",
                                      "Der er tidsposter, som opfylder en dagsnorm.",
                                      "Der er en tidspost, som ikke er afsluttet."};

// The end (HHMM) of the employee's latest live schedule on the day; 0 none.
uint32_t SkemaSlut(uint32_t anfo, uint32_t w, uint8_t dag) {
  const TabVar *bucket = BegBucket(IndeksTilAarOffset(w), static_cast<uint8_t>(IndeksTilUgeNr(w)));
  uint32_t slut = 0;
  if (!bucket || !bucket->pbTab) return 0;
  const SkeRec *r = reinterpret_cast<const SkeRec *>(bucket->pbTab);
  for (uint32_t i = 1; i < bucket->wRecCnt; ++i)
    if (SkeRaekkeLever(r[i].Status) && r[i].anfo_id == anfo && r[i].Dag == dag)
      slut = std::max(slut, std::max(uint32_t{r[i].Sluttid}, 1u));
  return slut;
}

struct SaerligDag {
  uint32_t w;
  uint8_t d;
  uint32_t anfo;
  uint32_t medarbejderIdx;
  uint8_t grund;
  uint32_t normMin, regMin, regSlut;
};

uint32_t Norm(const BrikIndStruct *b, uint32_t anfo, Dato dato) {
  if (GemBegKrog.DagsNorm) {
    const int32_t n = GemBegKrog.DagsNorm(anfo, dato);
    if (n > 0) return static_cast<uint32_t>(n);
  }
  const uint32_t s = KlokMinutter(b->Starttid), e = KlokMinutter(b->Sluttid);
  return e > s ? e - s : 0;
}

void MedarbejderNavn(uint32_t anfo, char *buf, size_t n) {
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  const MedaRec *m = a ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
  std::snprintf(buf, n, "%.*s", m ? static_cast<int>(sizeof m->Navn) : 0, m ? m->Navn : "");
}

// The days left out, in the log under the data folder; false when it
// could not be written.
bool SkrivSaerligLog(const std::vector<SaerligDag> &ude) {
  char sti[kStiLaengde];
  std::snprintf(sti, sizeof sti, "%slog\\%s", StiTab.szdata, kSaerligLogNavn);
  GemFil f;
  bool ok = f.Aabn(sti, true) && f.Printf("Særligt skemabegivenheder, som ikke kunne placeres på disse datoer!\n\n");
  for (const SaerligDag &s : ude) {
    if (!ok) break;
    char navn[32];
    MedarbejderNavn(s.anfo, navn, sizeof navn);
    const Dato dato = UgeDagTilDato(IndeksTilUge(s.w), s.d);
    ok = f.Printf("Medarbejder: %s,\tDato: %02d-%02d-%d. Info: %s\n", navn, static_cast<int>(dato % 100),
                  static_cast<int>(dato / 100 % 100), static_cast<int>(dato / 10000), kSaerligGrunde[s.grund]);
  }
  if (ok) ok = f.Luk();
  if (!ok) LogPrintf("** Fejl: GemBegivenhed(): %s kunne ikke skrives\n", kSaerligLogNavn);
  return ok;
}

uint8_t SaerligSkema(BrikIndStruct *b, uint8_t *ud) {
  const AVS &e = AktuelAVS;
  std::vector<SaerligDag> dage;
  HverMarkeretDag(b, [&](uint32_t w, uint32_t d, uint8_t *, uint32_t) {
    if (LukketDag(&e, UgeDagTilDato(IndeksTilUge(w), static_cast<uint8_t>(d)))) return;
    for (uint32_t i = 0; i < e.anfoAntal; ++i) dage.push_back({w, static_cast<uint8_t>(d), e.anfoTab[i], i, 0, 0, 0, 0});
  });
  // Every answer is fetched before anything is written: a hub that cannot
  // be asked must not leave some days placed on a guess.
  bool delvise = false, konflikt = false;
  for (SaerligDag &s : dage) {
    const Dato dato = UgeDagTilDato(IndeksTilUge(s.w), s.d);
    TidspostRec poster[kMaxPoster] = {};
    if (!AnfoTidspostCheck(s.anfo, dato, dato, poster, kMaxPoster)) {
      MessageBoxA(b->hwnd,
                  "Tidsregistreringerne kunne ikke hentes fra tidspost-serveren.\nDer er ikke lagt noget særligt skema.",
                  "Fejl", MB_OK | MB_ICONERROR);
      *ud = b->GitterTrin;
      return 1;
    }
    s.normMin = Norm(b, s.anfo, dato);
    s.grund = SaerligDagGrund(poster, kMaxPoster, s.normMin, SkemaSlut(s.anfo, s.w, s.d));
    for (const TidspostRec &p : poster)
      if (p.Fortegn == '+') {
        s.regMin += p.Stoerrelse;
        s.regSlut = std::max(s.regSlut, p.Vaerdi);
      }
    if (s.grund == SAERLIG_KONFLIKT) konflikt = true;
    if (s.grund == SAERLIG_PLACERES && s.regMin) delvise = true;
  }
  if (konflikt) {
    const int svar = MessageBoxA(
        b->hwndEjer,
        "Medarbejderen har skema på dage i opmærkningen!\nFjern skemaet fra medarbejderen inden der skemalægges på "
        "en hel dag.\nEller ret tiden så den ligger efter sidste begivenhed på dagen, så det ikke konflikter!\nEller "
        "fortsæt i tidsmode og marker uden om skemaet, så det ikke konflikter!",
        "Information", MB_OKCANCEL | MB_ICONINFORMATION);
    if (svar != IDOK) return 0;
    RydMarkeringer(b);
    b->StdLektioner = 0;
    *ud = kTrinMarkerTider;
    return 1;
  }
  bool deltid = false;
  if (delvise)
    deltid = MessageBoxA(b->hwnd,
                         "Ønsker du at deltidsregistrere på de dage, hvor der eksisterer tidsregistreringer?\nHvis "
                         "du svarer Nej laves registreringen for en hel dag (dagsnorm).",
                         "Information", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
  std::vector<SaerligDag> ude;
  for (const SaerligDag &s : dage) {
    if (s.grund != SAERLIG_PLACERES) {
      ude.push_back(s);
      continue;
    }
    EgetAVS ny;
    KopierAVS(&e, &ny.avs);
    KopierAVSDel(nullptr, &ny.avs, 'M');
    AddAVSEgenskab(&ny.avs, 'M', s.anfo, e.skemarolTab ? e.skemarolTab[s.medarbejderIdx] : 0,
                   e.minutTab ? e.minutTab[s.medarbejderIdx] : -1.0f);
    AVS &a = ny.avs;
    a.id = 0;
    a.Placering = 'T';
    a.Dag = s.d;
    a.Lektion = 0;
    uint32_t start = KlokMinutter(b->Starttid), minutter = s.normMin;
    if (deltid && s.regMin) {
      start = KlokMinutter(s.regSlut);
      minutter = s.normMin > s.regMin ? s.normMin - s.regMin : 0;
    }
    const uint32_t slut = std::min(start + minutter, 24u * 60u);
    a.Starttid = HHMM(start);
    a.Sluttid = HHMM(slut);
    a.Antal_std_lektioner = static_cast<float>(slut - start) / 60.0f;
    // A day that cannot be written is said so; the ones after it would
    // meet the same full table.
    if (!Skriv(b, &a, s.w)) break;
  }
  if (!ude.empty()) {
    const bool logOk = SkrivSaerligLog(ude);
    char tekst[200];
    std::snprintf(tekst, sizeof tekst,
                  "Antal skemabrikker, som IKKE kunne lægges: %d / %d.\nDe skal behandles manuelt!\nDatoerne kan ses "
                  "i efterfølgende logfil!",
                  static_cast<int>(ude.size()), static_cast<int>(dage.size()));
    MessageBoxA(b->hwnd, tekst, "Ikke behandlet skemabrikker.", MB_OK | MB_ICONINFORMATION);
    if (logOk && GemBegKrog.VisLog) GemBegKrog.VisLog("Særligt skema, som ikke kunne placeres!", kSaerligLogNavn);
  }
  Fortael(b, true, false);
  *ud = b->GitterTrin;
  return 1;
}

}  // namespace

uint8_t GemHook(BrikIndStruct *b, bool anvend) {
  uint8_t ud = 0;
  return GemBegivenhed(b, anvend ? KNAP_ANVEND : KNAP_OK, &ud) ? ud : 0;
}

namespace {

}  // namespace

uint8_t SaerligDagGrund(const TidspostRec *poster, unsigned antal, uint32_t normMinutter, uint32_t skemaSlut) {
  uint32_t minutter = 0, sidsteSlut = 0;
  bool nogen = false;
  for (unsigned i = 0; i < antal; ++i) {
    if (poster[i].Fortegn == '-') return SAERLIG_AABEN;
    if (poster[i].Fortegn != '+') continue;
    nogen = true;
    minutter += poster[i].Stoerrelse;
    sidsteSlut = std::max(sidsteSlut, poster[i].Vaerdi);
  }
  if (nogen && normMinutter && minutter >= normMinutter) return SAERLIG_NORM;
  if (!skemaSlut) return SAERLIG_PLACERES;
  if (!nogen) return SAERLIG_KONFLIKT;
  return skemaSlut > sidsteSlut ? SAERLIG_SKEMA_EFTER : SAERLIG_SKEMA;
}

void MinutGraenser(const AVS *avs, uint32_t *min, uint32_t *max) {
  *min = 0;
  *max = 0;
  for (uint32_t i = 0; avs && i < avs->aktiAntal; ++i) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, avs->aktiTab[i]);
    const UdgrRec *u = a && a->udgr_id ? TabRec<UdgrRec>(tvudgr, a->udgr_id) : nullptr;
    if (!u) continue;
    const uint32_t lav = u->Minimum_minutnorm, hoej = u->Maximum_minutnorm;
    *min = std::max(*min, lav);
    if (hoej && (*max == 0 || hoej < *max)) *max = hoej;
  }
}

uint8_t KontrolMinutter(const AVS *avs) {
  if (!avs->anfoAntal || !avs->minutTab) return 0;
  if (GlobalIndstillinger.checkminutnorm == 'j') {
    float lav = 0, hoej = 0;
    bool nogen = false;
    for (uint32_t i = 0; i < avs->anfoAntal; ++i) {
      const float v = avs->minutTab[i];
      // 60 is the hour every event counts by default, never a typed norm.
      if (v < 0 || v == 60.0f) continue;
      lav = nogen ? std::min(lav, v) : v;
      hoej = nogen ? std::max(hoej, v) : v;
      nogen = true;
    }
    if (nogen && lav > 0 && hoej > 0) {
      uint32_t min = 0, max = 0;
      MinutGraenser(avs, &min, &max);
      if (lav < static_cast<float>(min) || hoej > static_cast<float>(max)) return 1;
    }
  }
  if (avs->Art == 'S' && !avs->aktiAntal)
    for (uint32_t i = 0; i < avs->anfoAntal; ++i)
      if (avs->minutTab[i] >= 0) return 2;
  return 0;
}

uint8_t KontrolRettelse(BrikIndStruct *b, uint8_t *ud) {
  AVS &e = AktuelAVS;
  if (e.bem_id) {
    const BemRec *r = TabRec<BemRec>(tvbem, e.bem_id);
    if (r && r->Betegnelse[0] == '\0') {
      DelRec(&tdbem, &tvbem, e.bem_id);
      if (b->BemLavet == e.bem_id) b->BemLavet = 0;
      e.bem_id = 0;
      DelBemAVS(&e, "");
    }
  }
  if (e.Placering == 'L' && !e.risy_id && !Del(b, 'T')) {
    Advar(b, "Der skal tilknyttes en ringetid til en begivenhed");
    *ud = TRIN_RISY;
    return 1;
  }
  if (Redigerer(b) && Uaendret(e, GammelAVS)) {
    Advar(b, "Der er ikke rettet noget i begivenheden");
    RydMarkeringer(b);
    *ud = FoersteFokus(b);
    return 1;
  }
  return 0;
}

uint8_t GemBegivenhed(BrikIndStruct *b, uint32_t knap, uint8_t *ud) {
  *ud = 0;
  if (KontrolRettelse(b, ud)) return 0;
  if (!KontrolDelene(b, ud)) return 1;
  const bool anvend = knap == KNAP_ANVEND;
  const bool rettet = Redigerer(b);
  bool ok = true, skrevet = false;
  if (rettet) {
    const std::vector<Markeret> marker = MarkeredeBegivenheder(b);
    if (AfbrydVedKonflikt(b, marker)) return 0;
    ok = GemRettelse(b, marker, &skrevet);
  } else {
    if (AktuelAVS.Placering == 'D' && AktuelAVS.Art == 'P' && GlobalIndstillinger.normsystem &&
        AktuelAVS.anfoAntal && AktuelAVS.aktiAntal)
      return SaerligSkema(b, ud);
    ok = GemNye(b, &skrevet) == 0;
  }
  if (!ok) {
    // The window stays on its grid with what the user composed; what was
    // written before the stop is shown as saved.
    if (skrevet) Fortael(b, true, rettet);
    *ud = b->GitterTrin;
    return 1;
  }
  Fortael(b, anvend, rettet);
  return 0;
}

uint8_t KontrolRettelseKonflikt(BrikIndStruct *b, uint8_t *ud) {
  *ud = 0;
  if (!KontrolDelene(b, ud)) return 1;
  if (!Redigerer(b)) return 0;
  return AfbrydVedKonflikt(b, MarkeredeBegivenheder(b)) ? 1 : 0;
}

