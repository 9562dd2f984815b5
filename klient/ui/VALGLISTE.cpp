// The selection window's lists: a whole table filtered and sorted, the
// students enrolled on an activity, and the students two activities share.
// Every record number read from an enrolment is checked against the table
// it names before it indexes anything.

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "SORTIDX.h"
#include "TABOPER.h"
#include "VALG.h"
#include "VISFELT.h"

namespace {

// The field of that name holding a 32-bit value, or -1.
int U32Felt(const TabDesc *pTd, const char *navn) {
  for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i) {
    const FeltDef &f = pTd->FeltTab[i];
    if (f.Size == 4 && f.Offset + 4 <= pTd->RecSize && std::strcmp(f.Navn, navn) == 0) return i;
  }
  return -1;
}

uint32_t LaesU32(const uint8_t *rec, const TabDesc *pTd, int felt) {
  uint32_t v;
  std::memcpy(&v, rec + pTd->FeltTab[felt].Offset, 4);
  return v;
}

// Grows a zero-filled array to at least `antal` elements; the new elements
// are 0. False (the array and its room unchanged) without memory.
template <class T>
bool Voks(T *&tab, uint32_t &plads, uint32_t antal) {
  if (tab && plads >= antal) return true;
  T *ny = static_cast<T *>(std::realloc(tab, sizeof(T) * std::max<uint32_t>(antal, 1)));
  if (!ny) return false;
  if (antal > plads) std::memset(ny + plads, 0, sizeof(T) * (antal - plads));
  tab = ny;
  plads = antal;
  return true;
}

// The marks array of the window, grown to the table as it stands.
void VoksMaerker(VWS *v) {
  if (!v->Maerker || !v->ens.pTv) return;
  uint8_t *m = v->Maerker;
  uint32_t plads = v->MaerkeAntal;
  if (Voks(m, plads, v->ens.pTv->wRecCnt)) {
    v->Maerker = m;
    v->MaerkeAntal = plads;
  }
}

void ByggHelTabel(VWS *v, uint32_t maaned) {
  Ens &e = v->ens;
  e.ObjTabAntal = 0;
  const TabDesc *pTd = e.pTd;
  const TabVar *pTv = e.pTv;
  if (!pTd || !pTv || !pTv->pbTab) return;

  // Records may have been added since the window opened (master data, an
  // import): both arrays are made as large as the table first. Without
  // memory the walk keeps within what they hold.
  uint32_t *obj = e.ObjTab;
  uint32_t plads = v->ObjTabPladser;
  if (Voks(obj, plads, pTv->wRecCnt + 1)) {
    e.ObjTab = obj;
    v->ObjTabPladser = plads;
  }
  VoksMaerker(v);
  if (!e.ObjTab || v->ObjTabPladser == 0 || pTv->wRecCnt < 2) return;
  const uint32_t antalRec = std::min(pTv->wRecCnt, v->ObjTabPladser - 1);

  const uint32_t statusOff = pTd->FeltTab[pTd->StatusFelt].Offset;
  const int fra = U32Felt(pTd, "Fradato"), til = U32Felt(pTd, "Tildato"), gruppe = U32Felt(pTd, "Gruppe");
  const bool akti = v->Bogstav == 'K' && pTd == &tdakti;
  uint32_t antal = 0;
  for (uint32_t i = 0; i < antalRec; ++i) {
    const uint8_t *rec = pTv->pbTab + static_cast<size_t>(i) * pTd->RecSize;
    const uint8_t status = rec[statusOff];
    if (status < 10 || status > 29) continue;
    if (maaned != 0) {
      if (fra >= 0 && LaesU32(rec, pTd, fra) / 100 > maaned) continue;
      if (til >= 0 && LaesU32(rec, pTd, til) / 100 < maaned) continue;
    }
    if (gruppe >= 0 && (LaesU32(rec, pTd, gruppe) & v->GruppeMaske) == 0) continue;
    if (akti && (IsOvakAkti(i) || reinterpret_cast<const AktiRec *>(rec)->Aktivitet[0] == '*')) continue;
    e.ObjTab[++antal] = i;
  }
  e.ObjTabAntal = antal;
  if (antal > 1) {
    const uint32_t felter[2] = {1, 0};
    SorterPaaFelter(static_cast<char>(v->Bogstav), e.ObjTab, antal, pTd, pTv, nullptr, SORT_DANSK_FLAGBIT, 1,
                    felter, 2);
  }
}

void FrigivIndeks(ValgListe *l) {
  std::free(l->SorteretIdx);
  std::free(l->SorteretKopi);
  l->SorteretIdx = l->SorteretKopi = nullptr;
  l->SorteretAntal = 0;
}

// The enrolments of status 30 by activity, student and start date. The
// keys are the three numbers big-endian, so the byte order is the numeric
// order whatever their size.
bool ByggElevIndeks(ValgListe *l) {
  const TabVar &tv = tvakpl;
  uint32_t antal = 0;
  for (uint32_t r = 1; r < tv.wRecCnt; ++r)
    if (TabRec<AkplRec>(tv, r)->Status == 30) ++antal;
  constexpr uint32_t kNoegle = 12;
  uint32_t *idx = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  uint32_t *kopi = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  uint8_t *noegler = static_cast<uint8_t *>(std::calloc(std::max<uint32_t>(tv.wRecCnt, 1), kNoegle));
  if (!idx || !kopi || !noegler) {
    std::free(idx);
    std::free(kopi);
    std::free(noegler);
    return false;
  }
  uint32_t n = 0;
  for (uint32_t r = 1; r < tv.wRecCnt && n < antal; ++r) {
    const AkplRec *a = TabRec<AkplRec>(tv, r);
    if (a->Status != 30) continue;
    uint8_t *k = noegler + static_cast<size_t>(r) * kNoegle;
    const uint32_t tal[3] = {a->akti_id, a->pers_id, a->Startdato};
    for (int t = 0; t < 3; ++t)
      for (int b = 0; b < 4; ++b) k[t * 4 + b] = static_cast<uint8_t>(tal[t] >> (24 - 8 * b));
    idx[n++] = r;
  }
  SortIdx(noegler, idx, kNoegle, n);
  std::free(noegler);
  std::memcpy(kopi, idx, sizeof(uint32_t) * n);
  l->SorteretIdx = idx;
  l->SorteretKopi = kopi;
  l->SorteretAntal = n;
  return true;
}

// The date the lists are built for: the current weekday of the lesson view
// in the current week.
Dato AktuelListeDato() {
  return UgeDagTilDato(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), VisningsTilstand[VISNING_LEKTION].Ugedag);
}

}  // namespace

void ByggValgListe(VWS *v, uint32_t maaned) {
  Ens &e = v->ens;
  if (v->Forvalgt) {
    e.ObjTabAntal = v->pValgListe && e.ObjTab ? v->pValgListe->Antal : 0;
    VoksMaerker(v);
  } else {
    ByggHelTabel(v, maaned);
  }

  v->PosY.Antal = e.ObjTabAntal;
  uint32_t aktuel = e.pTv ? e.pTv->AktuelRec : 0;
  if (e.pTv && aktuel >= e.pTv->wRecCnt) aktuel = 0;
  uint32_t raekke = aktuel ? FindObjIdx(e.ObjTab, e.ObjTabAntal, aktuel) : 0;
  if (raekke == 0 && e.ObjTabAntal > 0) raekke = 1;
  v->PosY.Aktuel = raekke;
  const uint32_t antal = e.ObjTabAntal, foerste = v->PosY.Foerste;
  if (foerste == 0 || foerste > std::max<uint32_t>(antal, 1)) v->PosY.Foerste = raekke ? raekke : 1;
}

void ValgGenopbyg(VWS *v, uint32_t maaned) {
  ByggValgListe(v, maaned);
  Ens &e = v->ens;
  uint32_t off = e.ScrollY;
  const int hoejde = e.RudeH[ENS_CELLER];
  GridScrollTilAktuel(&v->PosY, &off, static_cast<uint32_t>(hoejde > 0 ? hoejde : 0), &e.AkseY);
  e.ScrollY = off;
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, e.RudeH[ENS_CELLER], static_cast<int>(GridCelleSlut(&e.AkseY, v->PosY.Antal)),
                 static_cast<int>(e.ScrollY));
}

void OpdaterValgListe(VWS *v) {
  ValgGenopbyg(v, AktuelListeDato() / 100);
  if (v->ens.Aktiv) SendMessageA(v->hwndMaal, VALG_AKTUEL_SKIFTET, v->Bogstav, ValgAktuelRec(v));
}

HWND VisEleverPaaHold(HWND kalder, uint32_t akti) {
  const Dato dato = AktuelListeDato();
  if (akti == 0 || akti >= tvakti.wRecCnt) return 0;

  // 2: enrolled on the date; 1: enrolled only on other dates.
  const uint32_t antalElever = tvpers.wRecCnt;
  auto *liste = static_cast<ValgListe *>(std::calloc(1, sizeof(ValgListe)));
  auto *paa = static_cast<uint8_t *>(std::calloc(std::max<uint32_t>(antalElever, 1), 1));
  if (!liste || !paa) {
    std::free(liste);
    std::free(paa);
    return 0;
  }
  for (uint32_t r = 0; r < tvakpl.wRecCnt; ++r) {
    const AkplRec *a = TabRec<AkplRec>(tvakpl, r);
    if (a->akti_id != akti || a->pers_id == 0 || a->pers_id >= antalElever) continue;
    if (a->Startdato <= dato && dato <= a->Slutdato)
      paa[a->pers_id] = 2;
    else if (paa[a->pers_id] == 0)
      paa[a->pers_id] = 1;
  }
  uint32_t antal = 0;
  for (uint32_t p = 0; p < antalElever; ++p) antal += paa[p] != 0;
  liste->ObjTab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!liste->ObjTab) {
    std::free(paa);
    std::free(liste);
    return 0;
  }
  uint32_t n = 0;
  for (uint32_t p = 0; p < antalElever; ++p) {
    if (!paa[p]) continue;
    liste->ObjTab[++n] = p;
    if (paa[p] == 2) paa[p] = 0;
  }
  liste->Antal = n;
  liste->Maerker = paa;
  liste->MaerkeAntal = antalElever;
  if (n > 1) {
    const uint32_t felt = 1;
    SorterMarkeredeSidst(static_cast<char>(tdpers.TypeBogstav), liste->ObjTab, n, &tdpers, &tvpers, nullptr, 0, 1,
                         paa, antalElever, &felt, 1);
  }
  liste->KildeRec = akti;
  liste->ListeArt = kElevListeArt;
  liste->TitelArt = kElevTitelArt;
  liste->Bogstav = 'K';
  liste->Caption = " Elever på hold";
  return AabnElevListe(kalder, liste);
}

HWND AabnElevListe(HWND kalder, ValgListe *liste) {
  POINT p{0, 0};
  RECT rc;
  if (kalder && GetWindowRect(kalder, &rc)) {
    p = POINT{rc.left, rc.top};
    ScreenToClient(hwndHoved, &p);
  }
  RECT hoved{0, 0, 0, 0};
  GetClientRect(hwndHoved, &hoved);
  HWND h = CreateValgWnd(hInst, hwndHoved, tdpers.TypeBogstav, std::max<int>(p.x, 0), std::max<int>(p.y, 0),
                         hoved.right, hoved.bottom, 0, 0, 1, liste, 0);
  if (!h) return 0;
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  BringWindowToTop(h);
  return h;
}

void FindFaellesElever(ValgListe *l, uint32_t aktiA, uint32_t aktiB, uint32_t dato) {
  if (!l) return;
  std::free(l->ObjTab);
  std::free(l->Vaerdier);
  l->ObjTab = l->Vaerdier = nullptr;
  l->Antal = 0;
  if (!l->SorteretIdx && !ByggElevIndeks(l)) return;

  const uint32_t antalElever = tvpers.wRecCnt;
  auto *faelles = static_cast<uint8_t *>(std::calloc(std::max<uint32_t>(antalElever, 1), 1));
  if (!faelles) return;

  // Two cursors over the index, A's enrolments against B's. For the same
  // student the one whose period ends first moves on (both when they end
  // together), so a student's later periods still meet the other's.
  uint32_t *idx = l->SorteretKopi;
  std::memcpy(idx, l->SorteretIdx, sizeof(uint32_t) * l->SorteretAntal);
  const uint32_t n = l->SorteretAntal;
  auto post = [&](uint32_t i) -> const AkplRec * {
    return idx[i] < tvakpl.wRecCnt ? TabRec<AkplRec>(tvakpl, idx[i]) : nullptr;
  };
  uint32_t i = 0, j = 0;
  while (i < n && j < n) {
    const AkplRec *a = post(i), *b = post(j);
    if (!a || a->akti_id < aktiA) {
      ++i;
      continue;
    }
    if (!b || b->akti_id < aktiB) {
      ++j;
      continue;
    }
    if (a->akti_id > aktiA || b->akti_id > aktiB) break;
    if (a->pers_id != b->pers_id) {
      (a->pers_id < b->pers_id ? i : j)++;
      continue;
    }
    if (a->Slutdato < b->Startdato) {
      ++i;
      continue;
    }
    if (b->Slutdato < a->Startdato) {
      ++j;
      continue;
    }
    const bool dagen = dato == 0 || (a->Startdato <= dato && dato <= a->Slutdato && b->Startdato <= dato &&
                                     dato <= b->Slutdato);
    if (dagen && a->pers_id != 0 && a->pers_id < antalElever) faelles[a->pers_id] = 1;
    if (a->Slutdato <= b->Slutdato) ++i;
    if (b->Slutdato <= a->Slutdato) ++j;
  }

  uint32_t antal = 0;
  for (uint32_t p = 0; p < antalElever; ++p) antal += faelles[p];
  l->ObjTab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  l->Vaerdier = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (l->ObjTab && l->Vaerdier) {
    for (uint32_t p = 0; p < antalElever; ++p)
      if (faelles[p]) {
        l->ObjTab[++l->Antal] = p;
        l->Vaerdier[l->Antal] = aktiB;
      }
  } else {
    std::free(l->ObjTab);
    std::free(l->Vaerdier);
    l->ObjTab = l->Vaerdier = nullptr;
  }
  std::free(faelles);
}

void FrigivValgListe(ValgListe *l) {
  if (!l) return;
  std::free(l->ObjTab);
  std::free(l->Vaerdier);
  std::free(l->Maerker);
  FrigivIndeks(l);
  std::free(l);
}
