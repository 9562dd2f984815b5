// Marks on visible events and chosen cells. An entry's marks are its colour
// code and the flag byte after it; an event whose rows are gone has status
// 0 and so counts as an ordinary event, never as one of the automatic
// schedule.
#include "MARKBEG.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "BESKEDER.h"
#include "DIREKTE.h"
#include "INDSTIL.h"
#include "OPTAGET.h"
#include "SKEBAGGRUND.h"
#include "SKEBEG.h"
#include "SKEMAVIN.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "SKEVIS.h"
#include "SLETBEG.h"
#include "VEDLIGE.h"
#include "tavo/assert.h"

namespace {


bool ErMarkeret(uint8_t kode) { return kode == FARVE_MAERKET; }

void TaelOp() {
  ++AendringsTaellere[AENDRING_NYE_BEGIVENHEDER];
  if (hwndEksportStatus) InvalidateRect(hwndEksportStatus, nullptr, TRUE);
}

// Calls f on every cell byte of a block table.
template <class F>
void HverCelle(uint8_t *blokke, uint32_t uger, F f) {
  if (!blokke) return;
  const size_t n = static_cast<size_t>(uger) * kBlokUgeBytes;
  for (size_t i = 0; i < n; ++i) f(blokke[i], i);
}

// The week of a grid cell's row key and its block byte.
uint8_t *CelleByte(SkeStruct *ske, const SkeCelle &c, uint8_t *blokke) {
  return BlokCelle(blokke, ske->BlokUger, CelleUge(ske, c.noegle), c.dag, c.slot);
}

bool KanVaelges(const SkeStruct *ske, const SkeCelle &c) {
  const uint8_t dag = FarveDag(ske, c.noegle, c.dag);
  if (dag == DAGFARVE_UDENFOR || dag == DAGFARVE_AKTI || dag == DAGFARVE_ANFO || dag == DAGFARVE_LOKA) return false;
  const uint8_t *t = ske->FarveTimeTab ? BaggrundCelle(ske, ske->FarveTimeTab, c.noegle, c.dag, c.slot) : nullptr;
  return !t || *t == 0 || *t == FARVE_BLOK_FRI;
}

// Every cell of an entry's event in a window, by walking the window's
// chains: the chains of every row key and weekday that hold the entry.
template <class F>
void EntryCeller(SkeStruct *ske, uint32_t indgang, F f) {
  if (!ske->KaedeHoveder || !ske->lpSkeVisListe) return;
  const SkeVisListe &v = ske->lpSkeVisListe[indgang];
  const SkeRec *r = VisFoersteRaekke(v);
  if (!r) return;
  for (uint32_t k = 0; k < ske->KaedeRaekker; ++k)
    for (uint8_t d = 1; d <= 7; ++d)
      for (uint32_t e = ske->KaedeHoveder[static_cast<size_t>(k) * 8 + d]; e && e <= ske->SkeVisAntal;
           e = ske->lpSkeVisListe[e].Naeste) {
        if (e != indgang) continue;
        uint32_t foerste = 0, sidste = 0;
        uint8_t a = 0, b = 0;
        FindCeller(ske, &foerste, &sidste, &a, &b, r->Starttid, r->Sluttid, r->risy_id);
        for (uint32_t c = foerste; c && c <= sidste; ++c) f(k, d, c);
        break;
      }
}

}  // namespace

uint32_t TaelMarkerede(const SkeStruct *ske) {
  uint32_t n = 0;
  for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i)
    n += ske->lpSkeVisListe[i].FarveKode == FARVE_MAERKET;
  return n;
}

uint32_t TaelFundne(const SkeStruct *ske) {
  uint32_t n = 0;
  for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i)
    n += ske->lpSkeVisListe[i].FarveKode == FARVE_FUNDET;
  return n;
}

void OverfoerMarkeringer(const SkeStruct *fra, SkeStruct *til) {
  if (!fra || !til) return;
  for (uint32_t j = 1; til->lpSkeVisListe && fra->lpSkeVisListe && j <= til->SkeVisAntal; ++j) {
    SkeVisListe &t = til->lpSkeVisListe[j];
    const SkeVisListe *kilde = nullptr;
    for (uint32_t i = 1; i <= fra->SkeVisAntal && !kilde; ++i) {
      const SkeVisListe &f = fra->lpSkeVisListe[i];
      if ((f.FarveKode == FARVE_MAERKET || f.FarveKode == FARVE_FUNDET) && f.AarIndeks == t.AarIndeks &&
          f.Uge == t.Uge && f.Forste == t.Forste)
        kilde = &f;
    }
    if (!kilde) continue;
    bool fri = true;
    EntryCeller(til, j, [&](uint32_t noegle, uint8_t dag, uint32_t celle) {
      if (celle < til->Vis.FoersteSlot || celle > til->Vis.SidsteSlot) return;
      const uint8_t *c = til->FarveTimeTab ? BaggrundCelle(til, til->FarveTimeTab, noegle, dag, celle) : nullptr;
      if (c && *c != 0 && *c != FARVE_MAERKET && *c != FARVE_FUNDET) fri = false;
    });
    if (!fri) continue;
    t.FarveKode = kilde->FarveKode;
    t.Nul = kilde->Nul;
  }
  if (til->ObjektArt != fra->ObjektArt) SaetSkeObjektArt(til, fra->ObjektArt);
}

bool MarkerSkiftIndgang(SkeStruct *ske, uint32_t i, uint32_t flags) {
  SkeVisListe &v = ske->lpSkeVisListe[i];
  if (!ErMarkeret(v.FarveKode) || !(BegivenhedStatus(ske, i) & SKE_AUTOSKEMA)) return false;
  for (uint32_t r = v.Forste;; ++r) {
    SkeRec *s = BegRaekke(v.AarIndeks, v.Uge, r);
    if (!s || s->Forste != v.Forste) break;
    if (s->Status) s->Status = flags;
  }
  if (flags & SKE_EGEN) {
    v.FarveKode = 0;
    TaelOp();
  } else {
    v.FarveKode = flags & SKE_MAERKE1 ? FARVE_MAERKE1 : FARVE_AUTOSKEMA;
  }
  v.Nul &= static_cast<uint8_t>(~VIS_FLYT);
  return true;
}

uint32_t MarkerSkift(SkeStruct *ske, uint32_t flags) {
  uint32_t n = 0;
  for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i) n += MarkerSkiftIndgang(ske, i, flags);
  return n;
}

uint32_t SletMarkerede(SkeStruct *ske) {
  uint32_t n = 0;
  for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i) {
    SkeVisListe &v = ske->lpSkeVisListe[i];
    if (!ErMarkeret(v.FarveKode)) continue;
    v.FarveKode = 0;
    v.Nul &= static_cast<uint8_t>(~VIS_FLYT);
    // The same event may stand in several entries (one a participant); the
    // first of them deletes it, the others find it gone.
    SletBegivenhed(v.AarIndeks, v.Uge, v.Forste);
    ++n;
  }
  return n;
}

uint8_t EgenMarkKode(uint32_t status) {
  if ((status & 0x1c0) == 0x80) return FARVE_AUTOSKEMA;
  if (status & SKE_MAERKE1) return FARVE_MAERKE1;
  return FARVE_FUNDET;
}

bool SkiftFlytMarkering(SkeStruct *ske, bool toggle) {
  bool aendret = false;
  for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i) {
    SkeVisListe &v = ske->lpSkeVisListe[i];
    const uint8_t egen = EgenMarkKode(BegivenhedStatus(ske, i));
    if (toggle) {
      if (v.Nul & VIS_FLYT) {
        v.Nul &= static_cast<uint8_t>(~VIS_FLYT);
        v.FarveKode = ErMarkeret(v.FarveKode) ? egen : static_cast<uint8_t>(FARVE_MAERKET);
        aendret = true;
      } else if (ErMarkeret(v.FarveKode)) {
        v.Nul |= VIS_FLYT;
        aendret = true;
      }
    } else if (ErMarkeret(v.FarveKode)) {
      v.FarveKode = egen;
      v.Nul &= static_cast<uint8_t>(~VIS_FLYT);
      aendret = true;
    }
  }
  return aendret;
}

bool FlytMarkering(SkeStruct *ske) {
  bool aendret = false;
  const bool r = ske->Tilstand == 'R';
  HverCelle(ske->BlokTab, ske->BlokUger, [&](uint8_t &b, size_t i) {
    if (b & BLOK_FLYT) {
      b &= static_cast<uint8_t>(~(BLOK_FLYT | BLOK_VALGT));
      if (r && ske->PotTab) ske->PotTab[i] &= static_cast<uint8_t>(~BLOK_VALGT);
      aendret = true;
    } else if (b & BLOK_VALGT) {
      b |= BLOK_FLYT;
      aendret = true;
    }
  });
  return SkiftFlytMarkering(ske, true) || aendret;
}

bool AfslutCelleValg(SkeStruct *ske, int mode) {
  std::memset(ske->TraekTaellere, 0, sizeof ske->TraekTaellere);
  bool aendret = false;
  const bool r = ske->Tilstand == 'R';
  if (mode == 1) {
    HverCelle(ske->BlokTab, ske->BlokUger, [&](uint8_t &b, size_t i) {
      if (b & BLOK_FLYT) {
        b = static_cast<uint8_t>((b & ~BLOK_FLYT) ^ BLOK_VALGT);
        if (r && ske->PotTab && !(ske->PotTab[i] & BLOK_VALGT)) ske->PotTab[i] |= BLOK_VALGT;
        aendret = true;
      } else if (b & BLOK_VALGT) {
        b |= BLOK_FLYT;
        aendret = true;
      }
    });
    return SkiftFlytMarkering(ske, true) || aendret;
  }
  if (r) {
    HverCelle(ske->BlokTab, ske->BlokUger, [&](uint8_t &b, size_t i) {
      if (!(b & BLOK_VALGT)) return;
      b &= static_cast<uint8_t>(~BLOK_VALGT);
      if (ske->PotTab) ske->PotTab[i] |= BLOK_VALGT;
      aendret = true;
    });
  } else {
    for (uint8_t *t : {ske->BlokTab, ske->PotTab})
      HverCelle(t, ske->BlokUger, [&](uint8_t &b, size_t) {
        if (b) aendret = true;
        b = 0;
      });
  }
  return SkiftFlytMarkering(ske, false) || aendret;
}

bool RydCeller(SkeStruct *ske, bool begge) {
  bool sat = false;
  auto ryd = [&](uint8_t &b, size_t) {
    if (b & BLOK_VALGT) sat = true;
    b &= static_cast<uint8_t>(~BLOK_VALGT);
  };
  HverCelle(ske->BlokTab, ske->BlokUger, ryd);
  if (begge) HverCelle(ske->PotTab, ske->BlokUger, ryd);
  return sat;
}

bool CelleValgt(const uint8_t *blokke, uint32_t uger, const VisningsTilstandRec &vis) {
  if (!blokke) return false;
  const uint32_t fra = std::max<uint32_t>(vis.FoersteSlot, 1), til = std::min(vis.SidsteSlot, kBlokSlots);
  for (uint32_t u = 0; u < uger; ++u)
    for (uint32_t d = 1; d <= 7; ++d)
      for (uint32_t s = fra; s <= til; ++s)
        if (blokke[(static_cast<size_t>(u) * 7 + d - 1) * kBlokSlots + s - 1] & BLOK_VALGT) return true;
  return false;
}

uint32_t ForsteValgte(const uint8_t *blokke, uint32_t blokUger, uint32_t uge, uint32_t dag, uint32_t slot,
                      uint32_t antal) {
  auto valgt = [&](uint32_t s) {
    const uint8_t *b = BlokCelle(const_cast<uint8_t *>(blokke), blokUger, uge, dag, s);
    return b && (*b & BLOK_VALGT);
  };
  if (uge > SkemaPeriode.AntalUger || !valgt(slot)) return 0;
  uint32_t s = slot;
  for (uint32_t trin = 1; trin < antal && s > 1 && valgt(s - 1); ++trin) --s;
  return s;
}

uint32_t SidsteValgte(const uint8_t *blokke, uint32_t blokUger, uint32_t uge, uint32_t dag, uint32_t slot) {
  auto valgt = [&](uint32_t s) {
    const uint8_t *b = BlokCelle(const_cast<uint8_t *>(blokke), blokUger, uge, dag, s);
    return b && (*b & BLOK_VALGT);
  };
  if (uge > SkemaPeriode.AntalUger || !valgt(slot)) return 0;
  uint32_t s = slot;
  while (s < kSlotsPrDag && valgt(s + 1)) ++s;
  return s;
}

void AllokerBlokke(SkeStruct *ske) {
  if (ske->BlokTab && ske->PotTab) return;
  const uint32_t uger = std::max(ske->UgeAntal, SkemaPeriode.AntalUger) + 1;
  const size_t n = static_cast<size_t>(uger) * kBlokUgeBytes;
  if (!ske->BlokTab) {
    ske->BlokTab = static_cast<uint8_t *>(calloc(n, 1));
    if (!ske->BlokTab) tavo::AssertFailed("SkeStruct->BlokTab != NULL", "SKEMA", __LINE__);
    ske->BlokUger = uger;
  }
  if (!ske->PotTab) {
    ske->PotTab = static_cast<uint8_t *>(calloc(static_cast<size_t>(ske->BlokUger) * kBlokUgeBytes, 1));
    if (!ske->PotTab) tavo::AssertFailed("SkeStruct->PotTab != NULL", "SKEMA", __LINE__);
  }
}

void DelBlokke(SkeStruct *ske, const SkeStruct *ejer) {
  if (!ske || !ejer || !ejer->BlokTab) return;
  if (!ske->DelteBlokke) {
    free(ske->BlokTab);
    free(ske->PotTab);
  }
  ske->BlokTab = ejer->BlokTab;
  ske->PotTab = ejer->PotTab;
  ske->BlokUger = ejer->BlokUger;
  ske->DelteBlokke = 1;
}

bool VaelgCelle(SkeStruct *ske, uint32_t dag, uint32_t slot, uint32_t kolonne, uint32_t raekke) {
  SkeCelle c;
  if (!FindSkeCelle(ske, kolonne, raekke, &c)) return false;
  c.dag = static_cast<uint8_t>(dag);
  c.slot = slot;
  uint8_t *b = CelleByte(ske, c, ske->BlokTab);
  if (!b) return false;
  if (ske->TraekTaellere[0]++ == 0) ske->TraekVaelger = (*b & BLOK_VALGT) ? 0 : 1;
  const uint8_t foer = *b;
  const bool valgt = *b & BLOK_VALGT, denneTraek = *b & BLOK_FLYT;
  if (ske->TraekVaelger) {
    if (!valgt && KanVaelges(ske, c))
      *b |= BLOK_VALGT | BLOK_FLYT;
    else if (valgt && denneTraek)
      *b &= static_cast<uint8_t>(~(BLOK_VALGT | BLOK_FLYT));
  } else {
    if (valgt)
      *b = static_cast<uint8_t>((*b & ~BLOK_VALGT) | BLOK_FLYT);
    else if (denneTraek && KanVaelges(ske, c))
      *b = static_cast<uint8_t>((*b | BLOK_VALGT) & ~BLOK_FLYT);
  }
  return *b != foer;
}

void MarkerBegivenhed(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, int op) {
  const bool a = ske->Variant == 'A';
  if (!(ske->Tilstand == 'R' || ske->Tilstand == 'S' || (ske->Tilstand == 'V' && a))) return;
  const uint32_t i = FindBegivenhedICelle(ske, kolonne, raekke, nullptr);
  if (!i) return;
  SkeVisListe &v = ske->lpSkeVisListe[i];
  if (ske->TraekTaellere[0]++ == 0) ske->TraekVaelger = ErMarkeret(v.FarveKode) ? 0 : 1;
  const uint8_t foerKode = v.FarveKode, foerFlag = v.Nul;
  const bool flyt = v.Nul & VIS_FLYT;
  const uint8_t ikkeFlyt = static_cast<uint8_t>(v.Nul & ~VIS_FLYT);
  if (op == 3) {
    if (ske->TraekVaelger && ErMarkeret(v.FarveKode) && flyt) {
      v.FarveKode = FARVE_FUNDET;
      v.Nul = ikkeFlyt;
    } else if (!ske->TraekVaelger && flyt &&
               (v.FarveKode == FARVE_FUNDET || v.FarveKode == FARVE_AUTOSKEMA || v.FarveKode == FARVE_MAERKE1)) {
      v.FarveKode = FARVE_MAERKET;
      v.Nul = ikkeFlyt;
    }
  } else if (op == 4) {
    const bool egenKode = v.FarveKode == FARVE_FUNDET ||
                          (a && ske->Tilstand != 'S' &&
                           (v.FarveKode == FARVE_AUTOSKEMA || v.FarveKode == FARVE_MAERKE1));
    if (ske->TraekVaelger && egenKode) {
      v.FarveKode = FARVE_MAERKET;
      v.Nul |= VIS_FLYT;
    } else if (!ske->TraekVaelger && ErMarkeret(v.FarveKode)) {
      v.FarveKode = EgenMarkKode(BegivenhedStatus(ske, i));
      v.Nul |= VIS_FLYT;
    }
  }
  if (v.FarveKode == foerKode && v.Nul == foerFlag) return;
  if (ske->Variant == 'B' && ske->Tilstand == 'R' && ske->hwndIndlejret && IsWindow(ske->hwndIndlejret)) {
    SendMessageA(ske->hwndIndlejret, kPartnerCelle, 0, reinterpret_cast<LPARAM>(ske));
    SendMessageA(ske->hwndIndlejret, kPartnerSke, 0, reinterpret_cast<LPARAM>(ske));
  }
}

uint8_t CelleMarkFarve(SkeStruct *ske, uint32_t kolonne, uint32_t raekke) {
  SkeCelle c;
  if (!FindSkeCelle(ske, kolonne, raekke, &c)) return 0;
  if (const uint8_t *t = ske->FarveTimeTab ? BaggrundCelle(ske, ske->FarveTimeTab, c.noegle, c.dag, c.slot) : nullptr;
      t && *t)
    return *t;
  if (const uint8_t d = FarveDag(ske, c.noegle, c.dag)) return d;
  const uint32_t i = FindBegivenhedICelle(ske, kolonne, raekke, nullptr);
  return i ? ske->lpSkeVisListe[i].FarveKode : 0;
}

void KlikCelle(HWND hwnd, SkeStruct *ske, uint32_t kolonne, uint32_t raekke, bool start) {
  AllokerBlokke(ske);
  if (start) StartTraek(ske);
  bool aendret = false;
  if (ske->Tilstand == 'R' || ske->Tilstand == 'S' || (ske->Tilstand == 'V' && ske->Variant == 'A')) {
    const uint32_t foer = ske->TraekTaellere[0];
    MarkerBegivenhed(ske, kolonne, raekke, 4);
    aendret = ske->TraekTaellere[0] != foer;
  } else if (!ske->AlleObjekter) {
    SkeCelle c;
    if (FindSkeCelle(ske, kolonne, raekke, &c)) aendret = VaelgCelle(ske, c.dag, c.slot, kolonne, raekke);
  }
  ske->TraekTaellere[1] = kolonne;
  ske->TraekTaellere[2] = raekke;
  if (aendret) TegnMarkeringer(ske);
  if (hwnd && IsWindow(hwnd))
    PostMessageA(hwnd, SKE_LAAST_UGE, SkeAktuelUgeIndeks(ske), ske->AlleObjekter ? 0 : static_cast<LPARAM>(raekke));
}

void AfslutTraek(SkeStruct *ske) { std::memset(ske->TraekTaellere, 0, sizeof ske->TraekTaellere); }

void StartTraek(SkeStruct *ske) {
  AfslutTraek(ske);
  HverCelle(ske->BlokTab, ske->BlokUger, [](uint8_t &b, size_t) { b &= static_cast<uint8_t>(~BLOK_FLYT); });
  for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i)
    ske->lpSkeVisListe[i].Nul &= static_cast<uint8_t>(~VIS_FLYT);
}

void TegnMarkeringer(SkeStruct *ske) {
  if (ske->hwndSelv && IsWindow(ske->hwndSelv) && !ske->Tegner) SendMessageA(ske->hwndSelv, OBJVINDUE_OPRETTET, 0, 0);
}
