// The schedule window's workspace: its object table, its rows and the
// tables it owns. Indexes taken from the window's axes are checked against
// the tables before they are used, as a rebuild may have shortened them.
#include "SKEMA.h"

#include <cstdlib>
#include <cstring>

#include "AVSHJAELP.h"
#include "DATO.h"
#include "KATALOG.h"
#include "SKEMARK.h"
#include "SKEVIS.h"
#include "tavo/assert.h"

uint8_t SkeVisIndeks(char visning) {
  switch (visning) {
    case 'D': return 1;
    case 'T': return 2;
    default: return 0;
  }
}

void InitSkeStruct(SkeStruct *ske, char art, char visning, char layout, char variant, char tilstand,
                   uint8_t alleObjekter) {
  SaetSkeObjektArt(ske, art);
  ske->Visning = visning;
  ske->VisIndeks = SkeVisIndeks(visning);
  ske->Vis = VisningsTilstandFor(visning);
  ske->Layout = layout;
  // Objects run down the side in the dot schedule and across in the tile
  // grid.
  ske->Ens.StyrX = layout == 'V' ? &ske->TidPos : &ske->ObjPos;
  ske->Ens.StyrY = layout == 'V' ? &ske->ObjPos : &ske->TidPos;
  ske->Ens.TredjeAkse = &ske->TredjePos;
  ske->Variant = variant;
  ske->Tilstand = tilstand;
  ske->AlleObjekter = alleObjekter;
  static constexpr uint32_t kGeometri[4] = {6, 5, 3, 2};
  static constexpr uint8_t kBytes[18] = {1, 2, 2, 0, 0, 1, 2, 1, 0, 0, 3, 3, 1, 1, 1, 0, 0, 1};
  memcpy(ske->HovedGeometri, kGeometri, sizeof kGeometri);
  memcpy(ske->HovedBytes, kBytes, sizeof kBytes);
  CleanupAVS(&ske->SoegAVS);
  free(ske->RingeTab);
  ske->RingeTabAntal = tvrisy.wRecCnt;
  ske->RingeTab = static_cast<uint8_t *>(calloc(ske->RingeTabAntal ? ske->RingeTabAntal : 1, 1));
  if (!ske->RingeTab) tavo::AssertFailed("SkeStruct->RingeTab != NULL", "SKEMA", __LINE__);
}

void SaetSkeObjektArt(SkeStruct *ske, char art) {
  ske->ObjektArt = art;
  switch (art) {
    case SKE_AKTI: ske->pObjTd = &tdakti, ske->pObjTv = &tvakti; break;
    case SKE_ANFO: ske->pObjTd = &tdanfo, ske->pObjTv = &tvanfo; break;
    case SKE_LOKA: ske->pObjTd = &tdloka, ske->pObjTv = &tvloka; break;
    default: ske->pObjTd = nullptr, ske->pObjTv = nullptr; break;
  }
}

uint32_t SkeRaekkeNoegle(const SkeStruct *ske, uint32_t raekke) {
  if (raekke == 0) return 0;
  if (ske->AlleObjekter) {
    if (!ske->Ens.ObjTab || raekke > ske->Ens.ObjTabAntal) return 0;
    return ske->Ens.ObjTab[raekke];
  }
  if (!ske->Ens.UgeTab || raekke > ske->UgeAntal) return 0;
  return ske->Ens.UgeTab[raekke];
}

uint32_t SkeRaekkeObjekt(const SkeStruct *ske, uint32_t raekke) {
  const uint32_t r = ske->AlleObjekter ? raekke : ske->AktuelObjRaekke;
  if (r == 0 || !ske->Ens.ObjTab || r > ske->Ens.ObjTabAntal) return 0;
  return ske->Ens.ObjTab[r];
}

UgeIndeks SkeAktuelUgeIndeks(const SkeStruct *ske) {
  const uint32_t r = ske->AktuelUgeRaekke;
  if (ske->Ens.UgeTab && r >= 1 && r <= ske->UgeAntal) {
    const uint32_t w = ske->Ens.UgeTab[r];
    if (w >= 1 && w <= SkemaPeriode.AntalUger) return w;
  }
  return SkemaPeriode.AktuelUgeIndeks;
}

uint8_t *BlokCelle(uint8_t *blokke, uint32_t blokUger, uint32_t uge, uint32_t dag, uint32_t slot) {
  if (!blokke || uge >= blokUger || dag < 1 || dag > 7 || slot < 1 || slot > kBlokSlots) return nullptr;
  return blokke + (static_cast<size_t>(uge) * 7 + dag - 1) * kBlokSlots + slot - 1;
}

namespace {

template <class T>
void Frigiv(T *&p) {
  free(p);
  p = nullptr;
}

}  // namespace

void FrigivSkeStruct(SkeStruct *ske) {
  if (!ske) return;
  FrigivSkeVisListe(ske);
  Frigiv(ske->lkBegivenhed);
  ske->BegivenhedAntal = ske->BegivenhedKapacitet = 0;
  FrigivRaekkeMarkeringer(ske);
  Frigiv(ske->FarveDagTab);
  ske->FarveDagNoegler = 0;
  Frigiv(ske->FarveTimeTab);
  Frigiv(ske->PrioritetTimeTab);
  ske->FarveTimeRaekker = ske->FarveTimeBredde = 0;
  if (ske->DelteBlokke) {
    ske->BlokTab = ske->PotTab = nullptr;
  } else {
    Frigiv(ske->BlokTab);
    Frigiv(ske->PotTab);
  }
  ske->BlokUger = 0;
  ske->DelteBlokke = 0;
  Frigiv(ske->LagTabNo);
  Frigiv(ske->LagAntal);
  ske->LagAntalStr = 0;
  Frigiv(ske->OptagTab);
  Frigiv(ske->RingeTab);
  ske->RingeTabAntal = 0;
  Frigiv(ske->InversInternUgeTab);
  ske->InversInternUgeStr = 0;
  Frigiv(ske->ObjGrund);
  Frigiv(ske->UgeGrund);
  ske->UgeGrundAntal = 0;
  Frigiv(ske->MarkAkti);
  Frigiv(ske->MarkAnfo);
  Frigiv(ske->MarkLoka);
  ske->MarkAktiStr = ske->MarkAnfoStr = ske->MarkLokaStr = 0;
  // The frame's head is packed: its pointers are freed by value.
  free(ske->Ens.ObjTab);
  ske->Ens.ObjTab = nullptr;
  ske->Ens.ObjTabAntal = 0;
  free(ske->Ens.UgeTab);
  ske->Ens.UgeTab = nullptr;
  ske->UgeAntal = 0;
  free(ske->Ens.hwndSwitchButtons);
  ske->Ens.hwndSwitchButtons = nullptr;
  Frigiv(ske->StatBar.hwndStatBar);
  Frigiv(ske->StatBar.StatHDC);
  Frigiv(ske->StatBar.statbarWindowNr);
  ske->StatBar.SidsteRude = 0;
  CleanupAVS(&ske->SoegAVS);
}
