// Blocks, deletion and the markings for deletion, change and sickness. A
// deleted event goes into the copy buffer first, so a delete and a paste
// move it; an event rewritten without one participant is removed for good
// before it is written again, so it never exists twice.
#include "SLETMARK.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ADDBEG.h"
#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "BRIKIND.h"
#include "DIREKTE.h"
#include "ENS.h"
#include "FINDDLG.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "KOPIBEG.h"
#include "MARKBEG.h"
#include "OPTAGET.h"
#include "PLACER.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "ROLLEFORSLAG.h"
#include "ROLLER.h"
#include "SKEBEG.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "SKEVIS.h"
#include "SLETBEG.h"
#include "VINDUER.h"
#include "tavo/assert.h"

const char *const kTitelSlet = " Opmærkning af begivenheder der skal slettes";
const char *const kTitelRet = " Opmærkning af begivenheder der skal rettes";
const char *const kTitelSygdom = " Opmærkning af begivenheder der skal registreres som sygdom";

namespace {

constexpr const char *kOpmaerkning = "Opmærkning";

uint32_t BlokStart = 0, BlokSlut = 0;

bool Afvis(bool vis, const char *tekst, const char *titel) {
  if (vis) MessageBoxA(hwndHoved, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

const char *Ental(char art) { return art == SKE_ANFO ? "medarbejder" : art == SKE_LOKA ? "lokale" : "aktivitet"; }
const char *Flertal(char art) { return art == SKE_ANFO ? "medarbejdere" : art == SKE_LOKA ? "lokaler" : "aktiviteter"; }

struct Markoer {
  uint32_t kol = 0, raekke = 0, indgang = 0;
};

Markoer FindMarkoer(SkeStruct *ske) {
  Markoer m;
  if (!ske->Ens.StyrX || !ske->Ens.StyrY) return m;
  m.kol = ske->Ens.StyrX->Aktuel;
  m.raekke = ske->Ens.StyrY->Aktuel;
  m.indgang = FindBegivenhedICelle(ske, m.kol, m.raekke, nullptr);
  return m;
}

const SkeRec *Foerste(const SkeStruct *ske, uint32_t indgang) {
  return indgang ? VisFoersteRaekke(ske->lpSkeVisListe[indgang]) : nullptr;
}

uint8_t *BlokByte(SkeStruct *ske, uint32_t kol, uint32_t raekke) {
  SkeCelle c;
  if (!FindSkeCelle(ske, kol, raekke, &c)) return nullptr;
  return BlokCelle(ske->BlokTab, ske->BlokUger, CelleUge(ske, c.noegle), c.dag, c.slot);
}

bool IRekt(uint32_t k, uint32_t r, uint32_t k0, uint32_t r0, uint32_t k1, uint32_t r1) {
  return k >= std::min(k0, k1) && k <= std::max(k0, k1) && r >= std::min(r0, r1) && r <= std::max(r0, r1);
}

void Titel(HWND hwnd, SkeStruct *ske, const char *titel) {
  std::snprintf(ske->Ens.Titel, sizeof ske->Ens.Titel, "%s", titel);
  if (IsWindow(hwnd)) EnsPaintCaption(&ske->Ens);
}

void SaetStatus(HWND hwnd, SkeStruct *ske, const char *bogstaver) {
  if (IsWindow(hwnd))
    SendMessageA(hwnd, SKE_STATUSTEKST, 0, reinterpret_cast<LPARAM>(bogstaver));
  else
    std::snprintf(ske->Statustekst, sizeof ske->Statustekst, "%s", bogstaver);
}

void TilHoved() {
  if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
}

// The employment of a special-kind helper activity makes the change one of
// whole days by time.
bool SaerligArt(const AVS &a) { return a.Art != 'S' && a.Art != ' ' && a.Art != 0; }

// Checks 1-3 of a change (and of a sickness registration): the event at
// the cursor, own and not sent; 0 when refused.
uint32_t RetUdgangspunkt(SkeStruct *ske, bool vis) {
  if (!AlleRollerSat())
    return Afvis(vis, "Alle rolleforslag skal være sat for at kunne skemalægge !\n\nDette gøres under System / Roller ",
                 "Roller mangler");
  if (GlobalIndstillinger.supertavo)
    return Afvis(vis, "Der kan ikke rettes begivenheder i et SuperTavoSkema", "Rettelse");
  if (GlobalIndstillinger.skemalaast) return Afvis(vis, "Der kan ikke rettes begivenheder i et låst skema", "Rettelse");
  const Markoer m = FindMarkoer(ske);
  const SkeRec *r = Foerste(ske, m.indgang);
  if (!r) return Afvis(vis, "Der kan kun rettes/flyttes med udgangspunkt i en begivenhed", "Rettelse");
  if (r->Status & SKE_UROERT) return Afvis(vis, "Man kan ikke rette begivenhedder der er sendt", "Rettelse");
  if (r->Ejer != GlobalIndstillinger.insnr)
    return Afvis(vis, r->risy_id ? "Kun egne begivenheder kan rettes" : "Man kan ikke rette dagskema", "Rettelse");
  return m.indgang;
}

void StartRet(SkeStruct *ske, uint32_t indgang) {
  ske->Tilstand = 'R';
  ske->SygdomFlag = 0;
  ske->MaerketObjekt = SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel);
  HentVisAVS(ske, &ske->SoegAVS, indgang, true);
}

}  // namespace

// ==================================================================== blocks

bool BlokTjek(SkeStruct *ske, bool vis) {
  const bool v = ske->Tilstand == 'V';
  if (GlobalIndstillinger.supertavo) return Afvis(vis, "Der kan ikke mærkes op i et SuperTavoSkema", kOpmaerkning);
  if (GlobalIndstillinger.skemalaast) return Afvis(vis, "Der kan ikke mærkes op i et låst skema", kOpmaerkning);
  char tekst[200];
  if (ske->AlleObjekter && v && ske->Variant != 'A') {
    std::snprintf(tekst, sizeof tekst,
                  "Der kan kun mærkes op til en ny blok, når skemaet viser 1 %s i mange uger.\nAlternativ, start "
                  "skemaregistreringen ved at trykke <Enter>",
                  Ental(ske->ObjektArt));
    return Afvis(vis, tekst, kOpmaerkning);
  }
  if (ske->LagVis && v)
    return Afvis(vis,
                 "Der kan kun mærkes op til en ny blok, når skemaet vises i 1 lag.\nFjern 'Vis flere lag', tast "
                 "<Ctrl>+<l>.",
                 kOpmaerkning);
  if (ske->SaerligVisning && v)
    return Afvis(vis,
                 "Der kan ikke mærkes op til en ny blok, når skemaet viser en begrænset mængde begivenheder.\nLuk "
                 "denne dialog og annuller fejlstatus ved at trykke på Esc tasten.",
                 kOpmaerkning);
  if (ske->Visning == 'L' && v && !ske->RingSystem)
    return Afvis(vis,
                 ske->Variant == 'B'
                     ? "Der kan kun mærkes op til en ny blok, når skemaet vises i en ringetid.\nVælg en ringetid eller "
                       "en aktivitet før opmærkning."
                     : "Der kan kun mærkes op til en ny blok, når skemaet vises i en ringetid.\nVælg en ringetid før "
                       "opmærkning.\nEller start skemaregistreringen ved at trykke <Enter>",
                 kOpmaerkning);
  if (ske->ObjPos.Antal == 0 || SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel) == 0) {
    std::snprintf(tekst, sizeof tekst, "Der kan kun mærkes op til en ny blok, når der er %s i ugen.",
                  Flertal(ske->ObjektArt));
    return Afvis(vis, tekst, kOpmaerkning);
  }
  if (ske->ObjektArt == SKE_AKTI && ske->Visning == 'L' && v) {
    const uint32_t a = SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel);
    const AktiRec *r = TabRec<AktiRec>(tvakti, a);
    if (ske->Variant == 'B' ? !ske->RingSystem : !(r && r->risy_id))
      return Afvis(vis,
                   ske->Variant == 'B' ? "Der kan kun mærkes op til en ny blok, når der er valgt en ringetid.\nVælg en "
                                         "aktivitet eller en ringetid først."
                                       : "Der kan kun mærkes op til en ny blok, når der er tilknyttet en ringetid til "
                                         "aktiviteten.",
                   kOpmaerkning);
  }
  if (!ske->BlokAktiv) {
    AllokerBlokke(ske);
    for (size_t i = 0; i < static_cast<size_t>(ske->BlokUger) * kBlokUgeBytes; ++i)
      ske->BlokTab[i] &= static_cast<uint8_t>(~BLOK_FLYT);
    for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i)
      ske->lpSkeVisListe[i].Nul &= static_cast<uint8_t>(~VIS_FLYT);
    const Markoer m = FindMarkoer(ske);
    ske->TraekVaelger = m.indgang && ske->lpSkeVisListe[m.indgang].FarveKode == FARVE_MAERKET ? 0 : 1;
    ske->TraekTaellere[0] = 1;
    ske->BlokHjoerner[0] = ske->BlokHjoerner[2] = m.kol;
    ske->BlokHjoerner[1] = ske->BlokHjoerner[3] = m.raekke;
    ske->BlokAktiv = 1;
    if (uint8_t *b = BlokByte(ske, m.kol, m.raekke)) *b |= BLOK_FLYT;
  }
  return true;
}

void UdvidBlok(HWND hwnd, SkeStruct *ske, uint32_t kolonne, uint32_t raekke) {
  if (!ske->BlokAktiv) return;
  AllokerBlokke(ske);
  const uint32_t k0 = ske->BlokHjoerner[0], r0 = ske->BlokHjoerner[1];
  const uint32_t gk = ske->BlokHjoerner[2], gr = ske->BlokHjoerner[3];
  const bool marker = ske->Tilstand == 'R' || ske->Tilstand == 'S' || ske->Variant == 'A';
  for (uint32_t k = std::min({k0, gk, kolonne}); k <= std::max({k0, gk, kolonne}); ++k)
    for (uint32_t r = std::min({r0, gr, raekke}); r <= std::max({r0, gr, raekke}); ++r) {
      const bool gammel = IRekt(k, r, k0, r0, gk, gr), ny = IRekt(k, r, k0, r0, kolonne, raekke);
      if (gammel == ny) continue;
      if (uint8_t *b = BlokByte(ske, k, r)) *b = ny ? (*b | BLOK_FLYT) : (*b & static_cast<uint8_t>(~BLOK_FLYT));
      if (marker) MarkerBegivenhed(ske, k, r, ny ? 4 : 3);
    }
  ske->BlokHjoerner[2] = kolonne;
  ske->BlokHjoerner[3] = raekke;
  if (ske->Variant == 'B' && ske->hwndIndlejret && IsWindow(ske->hwndIndlejret))
    SendMessageA(ske->hwndIndlejret, SKE_BLOK_AENDRET, 0, reinterpret_cast<LPARAM>(ske));
  // The block's times from its first and last cell on the time axis.
  const bool prik = ske->Layout == 'V';
  const uint32_t a = prik ? std::min(k0, kolonne) : std::min(r0, raekke);
  const uint32_t z = prik ? std::max(k0, kolonne) : std::max(r0, raekke);
  const uint32_t fra = KolonneLektion(ske->Visning, ske->Vis.FoersteSlot, a);
  const uint32_t til = KolonneLektion(ske->Visning, ske->Vis.FoersteSlot, z);
  BlokStart = BlokSlut = 0;
  if (ske->Visning == 'T') {
    BlokStart = SlotTid(fra);
    BlokSlut = SlotTid(til + 1);
  } else if (const RisyRec *ring = ske->RingSystem ? TabRec<RisyRec>(tvrisy, ske->RingSystem) : nullptr;
             ring && fra >= 1 && til <= 48 && fra <= til) {
    BlokStart = ring->Starttid[fra - 1];
    BlokSlut = ring->Sluttid[til - 1];
  }
  (void)hwnd;
}

bool BlokTider(const SkeStruct *ske, uint32_t *start, uint32_t *slut) {
  if (!ske->BlokAktiv) return false;
  *start = BlokStart;
  *slut = BlokSlut;
  return true;
}

bool MellemrumTjek(HWND hwnd, SkeStruct *ske, const TastInfo &, int mode) {
  if (IsIconic(hwnd)) {
    if (mode == KMD_UDFOER) ShowWindow(hwnd, SW_RESTORE);
    return false;
  }
  return BlokTjek(ske, mode == KMD_UDFOER);
}

SkemaTastSvar MellemrumUdfoer(HWND, SkeStruct *ske, const TastInfo &) {
  SkemaTastSvar svar;
  // The block's cells become the chosen cells of the event to be placed.
  for (size_t i = 0; ske->BlokTab && i < static_cast<size_t>(ske->BlokUger) * kBlokUgeBytes; ++i)
    if (ske->BlokTab[i] & BLOK_FLYT) ske->BlokTab[i] = static_cast<uint8_t>((ske->BlokTab[i] & ~BLOK_FLYT) | BLOK_VALGT);
  std::memset(ske->BlokHjoerner, 0, sizeof ske->BlokHjoerner);
  ske->BlokAktiv = 0;
  svar.tegn = SKE_TEGN_ALT;
  return svar;
}

// ==================================================================== delete

bool SletTjek(HWND, SkeStruct *ske, const TastInfo &t, int mode) {
  const bool vis = mode == KMD_UDFOER;
  if (GlobalIndstillinger.supertavo) return Afvis(vis, "Der kan ikke slettes skema i et SuperTavoSkema", "Sletning");
  if (GlobalIndstillinger.skemalaast) return Afvis(vis, "Der kan ikke slettes skema i et låst skema", "Sletning");
  const Markoer m = FindMarkoer(ske);
  const SkeRec *r = Foerste(ske, m.indgang);
  if (!r) return false;
  if (r->Status & SKE_UROERT) return Afvis(vis, "En brik der er sendt kan ikke slettes", "Sletning");
  if (t.ctrl && r->Ejer != GlobalIndstillinger.insnr) return false;
  if (!t.ctrl && (r->Fejl == '<' || r->Fejl == '=')) return true;
  return LaastPeriodeSpm(ske, ske->AlleObjekter ? ske->AktuelUgeRaekke : ske->ObjPos.Aktuel, !vis) == 0;
}

SkemaTastSvar SletUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t) {
  SkemaTastSvar svar;
  const Markoer m = FindMarkoer(ske);
  const SkeRec *r = Foerste(ske, m.indgang);
  if (!r) return svar;
  const SkeVisListe v = ske->lpSkeVisListe[m.indgang];
  if (!t.ctrl) {
    CleanupAVSListe();
    AVS a{};
    CleanupAVS(&a);
    HentAVS(v.AarIndeks, v.Uge, v.Forste, &a, false);
    CleanupAVS(&KopiCelleAVS);
    KopierAVS(&a, &KopiCelleAVS);
    HuskUgeAVS = static_cast<AVS *>(calloc(1, sizeof(AVS)));
    if (!HuskUgeAVS) tavo::AssertFailed("HuskUgeAVS != NULL", "SKEMA", __LINE__);
    HuskUgeAVS[0] = a;
    HuskUgeAVSAntal = 1;
    KopiEnDag = 1;
    SletBegivenhed(v.AarIndeks, v.Uge, v.Forste);
  } else {
    AVS a{};
    CleanupAVS(&a);
    HentAVS(v.AarIndeks, v.Uge, v.Forste, &a, false);
    const uint32_t objekt = SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel);
    const char del = ske->ObjektArt == SKE_ANFO ? 'M' : ske->ObjektArt == SKE_LOKA ? 'L' : 'K';
    const uint32_t antal = del == 'M' ? a.anfoAntal : del == 'L' ? a.lokaAntal : a.aktiAntal;
    const uint32_t status = r->Status & ~uint32_t{SKE_AENDRING | SKE_KENDT | SKE_SLETTET | SKE_UROERT};
    SletBegivenhedEndeligt(v.AarIndeks, v.Uge, v.Forste);
    if (antal > 1) {
      FjernAVSEgenskab(&a, del, objekt);
      if (del == 'K' && a.aktiAntal == 0) FjernAVSEgenskab(&a, 'U', 0);
      if (AddBegivenhed(&a, 0, v.AarIndeks, v.Uge, status | SKE_EGEN, true, "", 0.0, 0.0))
        ++AendringsTaellere[AENDRING_NYE_BEGIVENHEDER];
    }
    CleanupAVS(&a);
  }
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  TilHoved();
  if (hwndBrikInfo && IsWindow(hwndBrikInfo)) SendMessageA(hwndBrikInfo, BRIKINFO_OPDATER, 0, 0);
  (void)hwnd;
  svar.tegn = SKE_TEGN_ALT;
  return svar;
}

// ==================================================================== markings

bool SletMarkTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode) {
  if (!t.ctrl || ske->Tilstand != 'V') return false;
  const bool vis = mode == KMD_UDFOER;
  if (GlobalIndstillinger.supertavo)
    return Afvis(vis, "Der kan ikke slettes begivenheder i et SuperTavoSkema", "Sletning");
  if (GlobalIndstillinger.skemalaast) return Afvis(vis, "Der kan ikke slettes begivenheder i et låst skema", "Sletning");
  if (ske->SkeVisAntal == 0) return Afvis(vis, "Der er ingen begivenheder at slette i dette skema", "Sletning");
  const Markoer m = FindMarkoer(ske);
  const SkeRec *r = Foerste(ske, m.indgang);
  if (r && (r->Status & SKE_UROERT)) return Afvis(vis, "Man kan ikke slette begivenhedder, der er sendt", "Sletning");
  if (!vis) return true;
  RSDS *d = NyRSDS(hwnd, ske->ObjektArt, 'S');
  if (r) {
    d->fraBegivenhed = 1;
    d->fremmed = r->Ejer != GlobalIndstillinger.insnr;
    HentVisAVS(ske, &d->avs, m.indgang, true);
    HentVisAVS(ske, &ske->SoegAVS, m.indgang, true);
    std::snprintf(d->bogstaver, sizeof d->bogstaver, "%s", d->fremmed ? "KSMLRFB" : "KSMLREB");
  } else {
    CleanupAVS(&ske->SoegAVS);
    std::snprintf(d->bogstaver, sizeof d->bogstaver, "E");
  }
  ske->Tilstand = 'S';
  SaetStatus(hwnd, ske, d->bogstaver);
  const INT_PTR svar = SletDialog(hwndHoved ? hwndHoved : hwnd, d);
  if (svar == 1) {
    SaetStatus(hwnd, ske, d->bogstaver);
    Titel(hwnd, ske, kTitelSlet);
  } else {
    ske->Tilstand = 'V';
    SaetStatus(hwnd, ske, "");
  }
  FrigivRSDS(d);
  return false;
}

bool RetMarkTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode) {
  if (!t.ctrl || ske->Tilstand != 'V') return false;
  const bool vis = mode == KMD_UDFOER;
  const uint32_t i = RetUdgangspunkt(ske, vis);
  if (!i || !vis) return i != 0;
  StartRet(ske, i);
  const AVS &a = ske->SoegAVS;
  const char *bogstaver = SaerligArt(a) ? (a.Lektion == 0 ? "MEBT" : "KMLSEBO") : (a.Lektion == 0 ? "KMLRSEBT" : "KMLRSEB");
  SaetStatus(hwnd, ske, bogstaver);
  if (std::strcmp(bogstaver, "MEBT") == 0) {
    Titel(hwnd, ske, kTitelRet);
    return false;
  }
  RSDS *d = NyRSDS(hwnd, ske->ObjektArt, 'R');
  d->fraBegivenhed = 1;
  KopierAVS(&a, &d->avs);
  std::snprintf(d->bogstaver, sizeof d->bogstaver, "%s", bogstaver);
  const INT_PTR svar = RetDialog(hwndHoved ? hwndHoved : hwnd, d);
  if (svar == 1) {
    SaetStatus(hwnd, ske, d->bogstaver);
    Titel(hwnd, ske, kTitelRet);
  } else {
    ske->Tilstand = 'V';
    SaetStatus(hwnd, ske, "");
  }
  FrigivRSDS(d);
  return false;
}

bool SygdomTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode) {
  if (!t.ctrl || ske->Tilstand != 'V') return false;
  const bool vis = mode == KMD_UDFOER;
  const uint32_t i = RetUdgangspunkt(ske, vis);
  if (!i) return false;
  if (ske->ObjektArt != SKE_ANFO)
    return Afvis(vis, "Der kan kun registreres sygdom i et medarbejderskema", "Sygdomsregistrering");
  AVS a{};
  CleanupAVS(&a);
  HentVisAVS(ske, &a, i, true);
  const char *fejl = nullptr;
  if (a.anfoAntal != 1) {
    fejl = "Den automatiske sygdomsfunktion kan kun benyttes, når der er tilknyttet netop 1 medarbejder. Benyt derfor "
           "ret funktionen";
  } else {
    const uint32_t rolle = a.skemarolTab ? a.skemarolTab[0] : 0;
    const SkemarolRec *s = rolle ? TabRec<SkemarolRec>(tvskemarol, rolle) : nullptr;
    if (!s || s->Check_skemasammenfald != 'J')
      fejl = "Den automatiske sygdomsfunktion kan kun benyttes, når medarbejderen er tilknyttet med en rolle der "
             "optager. Benyt derfor ret funktionen";
    else if (FindSlsKodeForSkemarol(rolle))
      fejl = "Den automatiske sygdomsfunktion kan ikke benyttes, når medarbejderen allerede er registreret som syg. "
             "Benyt derfor ret funktionen";
  }
  CleanupAVS(&a);
  if (fejl) return Afvis(vis, fejl, "Sygdom");
  if (!vis) return true;
  StartRet(ske, i);
  ske->SygdomFlag = 1;
  SaetStatus(hwnd, ske, t.shift ? "MLSRE" : "MRE");
  Titel(hwnd, ske, kTitelSygdom);
  return false;
}
