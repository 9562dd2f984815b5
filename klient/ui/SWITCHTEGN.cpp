// Cell texts, the colour rule and the painters of the field switches. A
// cell's text lives in a blank-padded buffer and is always drawn as exactly
// Tegn characters; colours go through the EnsDC's cache.
#include "SWITCHTEGN.h"

#include <cstdio>
#include <cstring>

#include "FARVER.h"
#include "FELTTEKST.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "OBJFELT.h"
#include "SIDEFIL.h"
#include "TABOPER.h"

static_assert(kSwitchTekstLen == OBJFELT_TEKST_LEN, "a cell holds what the data layer writes");

namespace {

// Foreign keys are followed at most this deep: a table whose field 1 leads
// back would follow itself for ever, and no real chain is this long.
constexpr int kMaksFoelg = 8;
// The cache's index for every colour of 60 and up, which all draw black.
constexpr uint8_t kSort = kAntalFarver;

uint8_t Normal(uint8_t farve) { return farve < kAntalFarver ? farve : kSort; }
COLORREF Farve(uint8_t farve) { return farve < kAntalFarver ? FarveTab[farve] : RGB(0, 0, 0); }
HBRUSH Brush(uint8_t farve) {
  return farve < kAntalFarver ? FarveBrush[farve] : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

void SaetTekstFarve(EnsDC *dc, uint8_t farve) {
  farve = Normal(farve);
  if (dc->TekstFarve == farve) return;
  SetTextColor(dc->hdc, Farve(farve));
  dc->TekstFarve = farve;
}

void SaetBkFarve(EnsDC *dc, uint8_t farve) {
  farve = Normal(farve);
  if (dc->BkFarve == farve) return;
  SetBkColor(dc->hdc, Farve(farve));
  dc->BkFarve = farve;
}

void Fyld(HDC hdc, HBRUSH brush, int venstre, int top, int hoejre, int bund) {
  if (brush) FillRectIfAny(hdc, brush, venstre, top, hoejre, bund);
}

void Blank(char *tekst) {
  memset(tekst, ' ', kSwitchMaksTegn);
  tekst[kSwitchMaksTegn] = '\0';
}

// Record n of a table, or null when it does not exist.
const uint8_t *Post(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
  if (!pTd || !pTv || !pTv->pbTab || n >= pTv->wRecCnt) return nullptr;
  return pTv->pbTab + static_cast<size_t>(n) * pTd->RecSize;
}

bool UdenKlasse(const TabDesc *pTd) {
  return pTd->TypeBogstav == 'z' || pTd->TypeBogstav == 'x' || pTd->TypeBogstav == '-';
}

// The caller's colour of a record's cells: its display class.
uint8_t StandardFarve(const TabDesc *pTd, const TabVar *pTv, uint32_t recnr) {
  if (!pTd || UdenKlasse(pTd)) return 16;
  if (!Post(pTd, pTv, recnr)) return pTd->VisKlasse;
  return RecVisKlasse(pTd, pTv, recnr);
}

void PostTekst(const TabDesc *pTd, const TabVar *pTv, const SwitchFelt *sf, uint32_t feltNr, uint32_t n,
               char *tekst, int dybde) {
  const uint8_t *rec = Post(pTd, pTv, n);
  if (!rec || feltNr >= pTd->AntalFelter || feltNr >= static_cast<uint32_t>(MAXFELT)) return;
  const FeltDef &f = pTd->FeltTab[feltNr];
  uint64_t str = static_cast<uint64_t>(f.Size) * (f.Antal > 0 ? f.Antal : 1);
  if (f.Offset >= pTd->RecSize) return;
  if (f.Offset + str > pTd->RecSize) str = pTd->RecSize - f.Offset;
  if (sf->DelOffset >= str) return;
  const uint8_t *p = rec + f.Offset + sf->DelOffset;
  const uint32_t rest = static_cast<uint32_t>(str - sf->DelOffset);
  if (f.Ref >= 129) {
    const TabDesc *pMaal = nullptr;
    TabVar *pTvMaal = nullptr;
    if (dybde >= kMaksFoelg || TabFromNr(f.Ref, &pMaal, &pTvMaal) != 0) return;
    uint32_t maal = 0;
    memcpy(&maal, p, rest < 4 ? rest : 4);
    PostTekst(pMaal, pTvMaal, sf, 1, maal, tekst, dybde + 1);
    return;
  }
  SwitchFeltTekst(&f, sf, p, rest, tekst);
}

const char *Navn(const TabDesc *pTd, uint32_t feltNr, int dybde) {
  if (feltNr >= FOERSTE_BEREGNET_FELT) return BeregnetFeltNavn(feltNr);
  if (!pTd || feltNr >= pTd->AntalFelter || feltNr >= static_cast<uint32_t>(MAXFELT)) return "";
  const FeltDef &f = pTd->FeltTab[feltNr];
  if (f.Ref >= 129) {
    const TabDesc *pMaal = nullptr;
    TabVar *pTvMaal = nullptr;
    if (dybde >= kMaksFoelg || TabFromNr(f.Ref, &pMaal, &pTvMaal) != 0) return "";
    return Navn(pMaal, 1, dybde + 1);
  }
  return f.Navn;
}

// ---- The cell painter behind every row ----

struct CelleForm {
  HBRUSH baggrund;   // 0: the row laid its own
  int linjeFarve;    // system colour of the left and right lines
  uint32_t tegnBredde;
  bool lodret;       // the relation caption: the layout runs down
};

uint32_t TegnCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, const CelleForm &form, uint8_t tekstFarve,
                   const char *tekst, const SwitchRaekkeValg &v) {
  HDC hdc = dc->hdc;
  const uint32_t tegn = sf->Tegn < kSwitchMaksTegn ? sf->Tegn : kSwitchMaksTegn;
  const int foer = static_cast<int32_t>(sf->StregVenstre + sf->LuftVenstre);
  const int tekstSlut = foer + static_cast<int32_t>(tegn * form.tegnBredde + sf->Ekstra);
  const int w = tekstSlut + static_cast<int32_t>(sf->StregHoejre);
  const int h = static_cast<int>(v.Hoejde);
  HBRUSH linje = GetSysColorBrush(form.linjeFarve);
  SaetTekstFarve(dc, tekstFarve);
  // The lines fill their pixels afterwards whatever lies under them, so
  // the background leaves them out: [fra, tekstSlut) and [efter, w).
  const bool hel = TegnBaggrundHel || !linje;
  const int fra = sf->StregVenstre && !hel ? 1 : 0;
  const int efter = sf->StregHoejre && !hel ? tekstSlut + 1 : tekstSlut;
  const int foerSlut = efter == tekstSlut ? w : tekstSlut;
  if (form.lodret) {
    Fyld(hdc, form.baggrund, x, y + fra, x + h, y + foerSlut);
    if (foerSlut != w) Fyld(hdc, form.baggrund, x, y + efter, x + h, y + w);
    if (sf->StregVenstre) Fyld(hdc, linje, x, y, x + h, y + 1);
    TextOutA(hdc, x + h - static_cast<int>(v.TopMargen), y + foer, tekst, static_cast<int>(tegn));
    if (sf->StregHoejre) Fyld(hdc, linje, x, y + tekstSlut, x + h, y + tekstSlut + 1);
  } else {
    Fyld(hdc, form.baggrund, x + fra, y, x + foerSlut, y + h);
    if (foerSlut != w) Fyld(hdc, form.baggrund, x + efter, y, x + w, y + h);
    if (sf->StregVenstre) Fyld(hdc, linje, x, y, x + 1, y + h);
    TextOutA(hdc, x + foer, y + static_cast<int>(v.TopMargen), tekst, static_cast<int>(tegn));
    if (sf->StregHoejre) Fyld(hdc, linje, x + tekstSlut, y, x + tekstSlut + 1, y + h);
  }
  return static_cast<uint32_t>(w);
}

// The colour of the line striking out an activity's row: 14 cancelled, 16
// deleted in EASY, 0 none.
uint8_t StregFarve(uint8_t bogstav, const TabDesc *pTd, const TabVar *pTv, uint32_t recnr) {
  if (bogstav != 'K' || pTd != &tdakti) return 0;
  const uint8_t *rec = Post(pTd, pTv, recnr);
  if (!rec) return 0;
  const auto *a = reinterpret_cast<const AktiRec *>(rec);
  if (a->Aflyst == 'J') return 14;
  return a->Slettet_i_EASY ? 16 : 0;
}

// What the colour rule knows of a cell before its text is made.
CelleFarveData CelleGrund(const SwitchFelt *sf, uint8_t moenster, bool foersteFelt, const SwitchRaekkeValg &v,
                          const char *tekst) {
  CelleFarveData c;
  c.Moenster = moenster;
  c.Beregnet = sf->FeltNr >= FOERSTE_BEREGNET_FELT;
  c.Ejer = v.Ejer;
  c.Flag = v.Flag;
  c.FoersteFelt = foersteFelt;
  c.Tekst = tekst;
  return c;
}

// A cell's text of a record into tekst and its text colour on pattern code
// moenster.
uint8_t CelleTekstOgFarve(const SwitchFelt *sf, uint8_t moenster, bool foersteFelt, uint8_t bogstav,
                          const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, const SwitchRaekkeValg &v,
                          char *tekst) {
  CelleFarveData c = CelleGrund(sf, moenster, foersteFelt, v, tekst);
  SwitchCelleTekst(sf, bogstav, pTd, pTv, recnr, &v, tekst, &c.KaldFarve);
  if (!c.Beregnet) {
    c.pTd = pTd;
    c.pTv = pTv;
    c.RecNr = recnr;
  }
  return CelleTekstFarveKode(c);
}

// How the cells of a row get their text and colours.
struct RaekkeKilde {
  uint8_t bogstav;
  const TabDesc *pTd;
  const TabVar *pTv;
  uint32_t recnr;
  SwitchCelleFn fn;  // set: the caller gives every cell
  void *arg;
};

// Draws the layout's fields from x along the row (or down the column);
// answers the extent drawn.
int TegnFelter(EnsDC *dc, int x, int y, const SwitchLayout *l, uint8_t farve, const CelleForm &form,
               const RaekkeKilde &k, const SwitchRaekkeValg &v) {
  const uint8_t streg = k.fn ? 0 : StregFarve(k.bogstav, k.pTd, k.pTv, k.recnr);
  HBRUSH stregBrush = streg ? (FarveSolidBrush[streg] ? FarveSolidBrush[streg] : FarveBrush[streg]) : 0;
  char tekst[kSwitchTekstLen];
  int pos = 0;
  uint32_t i = 0;
  for (const SwitchFelt *f = l->FoersteFelt; f; f = f->Naeste, ++i) {
    const bool beregnet = f->FeltNr >= FOERSTE_BEREGNET_FELT;
    CelleForm cf = form;
    uint8_t tekstFarve;
    if (k.fn) {
      CelleFarveData c = CelleGrund(f, farve, i == 0, v, tekst);
      Blank(tekst);
      c.Flag |= k.fn(k.arg, f, i, tekst, &c.Moenster, &c.KaldFarve);
      tekst[kSwitchMaksTegn] = '\0';
      if (cf.baggrund) cf.baggrund = Brush(c.Moenster);
      tekstFarve = CelleTekstFarveKode(c);
    } else {
      tekstFarve = CelleTekstOgFarve(f, farve, i == 0, k.bogstav, k.pTd, k.pTv, k.recnr, v, tekst);
    }
    const int cx = form.lodret ? x : x + pos, cy = form.lodret ? y + pos : y;
    const int w = static_cast<int32_t>(TegnCelle(dc, cx, cy, f, cf, tekstFarve, tekst, v));
    if (stregBrush && !beregnet && !form.lodret) {
      const int midt = y + static_cast<int>(v.Hoejde) / 2;
      Fyld(dc->hdc, stregBrush, cx, midt, cx + w, midt + 1);
    }
    pos += w;
  }
  return pos;
}

void TegnRaekke(EnsDC *dc, int x, int y, uint8_t farve, const SwitchLayout *l, const CelleForm &form,
                const RaekkeKilde &k, const SwitchRaekkeValg *vp) {
  if (!dc || !l) return;
  const SwitchRaekkeValg v = vp ? *vp : SwitchRaekkeValg{};
  HDC hdc = dc->hdc;
  HGDIOBJ gammel = v.Skrift ? SelectObject(hdc, v.Skrift) : 0;
  SetBkMode(hdc, TRANSPARENT);
  const int slut = x + TegnFelter(dc, x, y, l, farve, form, k, v);
  if (v.RestBredde && !form.lodret)
    Fyld(hdc, FarveBrush[0], slut, y, slut + static_cast<int>(v.RestBredde), y + static_cast<int>(v.Hoejde));
  SetBkMode(hdc, OPAQUE);
  if (gammel) SelectObject(hdc, gammel);
}

}  // namespace

// ---- Texts ----

const char *SwitchFeltNavn(const TabDesc *pTd, uint32_t feltNr) { return Navn(pTd, feltNr, 0); }

void SwitchFeltTekst(const FeltDef *f, const SwitchFelt *sf, const uint8_t *vaerdi, uint32_t vaerdiStr,
                     char *tekst) {
  if (!tekst) return;
  Blank(tekst);
  if (!f || !sf || !vaerdi || vaerdiStr == 0) return;
  const uint32_t tegn = sf->Tegn < kSwitchMaksTegn ? sf->Tegn : kSwitchMaksTegn;
  uint32_t u = 0;
  memcpy(&u, vaerdi, vaerdiStr < 4 ? vaerdiStr : 4);
  double tal;
  switch (f->Type) {
    case FT_CHAR:
    case FT_JANEJ:
      if (vaerdi[0] && tegn > 0) tekst[0] = static_cast<char>(vaerdi[0]);
      return;
    case FT_TEKST: {
      const size_t n = strnlen(reinterpret_cast<const char *>(vaerdi), vaerdiStr);
      memcpy(tekst, vaerdi, n < tegn ? n : tegn);
      return;
    }
    case FT_U8: tal = vaerdi[0]; break;
    case FT_U32:
    case FT_ID: tal = u; break;
    case FT_I32:
    case FT_HELTAL:
    case FT_INT: tal = static_cast<int32_t>(u); break;
    default: return;
  }
  char buf[64];
  FormatKommaTal(buf, sizeof buf, static_cast<int>(tegn) - f->Decimaler, f->Decimaler, tal);
  const size_t n = strlen(buf);
  memcpy(tekst, buf, n < kSwitchMaksTegn ? n : kSwitchMaksTegn);
}

void SwitchFeltTekstPost(const TabDesc *pTd, const TabVar *pTv, const SwitchFelt *sf, char *tekst, uint32_t n) {
  if (!tekst) return;
  Blank(tekst);
  if (sf) PostTekst(pTd, pTv, sf, sf->FeltNr, n, tekst, 0);
}

uint32_t SwitchCelleTekst(const SwitchFelt *sf, uint8_t bogstav, const TabDesc *pTd, const TabVar *pTv,
                          uint32_t recnr, const SwitchRaekkeValg *v, char *tekst, uint8_t *pFarve) {
  uint8_t farve = StandardFarve(pTd, pTv, recnr);
  uint32_t flag = 0;
  if (!sf) {
    Blank(tekst);
  } else if (sf->FeltNr >= FOERSTE_BEREGNET_FELT) {
    uint32_t tekstFarve = 0;
    uint8_t kode = farve;
    uint8_t fl = static_cast<uint8_t>(sf->Vaerdi);
    ObjFeltTekst(v ? v->hwnd : 0, sf->FeltNr, sf->Tegn, recnr, v ? v->Valg1 : 0, v ? v->Valg2 : 0,
                 v ? v->Valg3 : 0, tekst, &tekstFarve, &kode, &fl, 0, static_cast<char>(bogstav));
    // The data layer ends its text where it ends; the cell is blank after.
    const size_t n = strnlen(tekst, kSwitchMaksTegn);
    memset(tekst + n, ' ', kSwitchMaksTegn - n);
    tekst[kSwitchMaksTegn] = '\0';
    farve = kode;
    flag = fl;
  } else {
    SwitchFeltTekstPost(pTd, pTv, sf, tekst, recnr);
  }
  if (pFarve) *pFarve = farve;
  return flag;
}

uint32_t ObjSwitchCelleTekst(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i, const TabDesc *pTd,
                             const TabVar *pTv, uint32_t recnr, const SwitchRaekkeValg *v, char *tekst,
                             uint8_t *pFarve) {
  return SwitchCelleTekst(ObjSwitchFelt(art, bogstav, nr, i), bogstav, pTd, pTv, recnr, v, tekst, pFarve);
}

// ---- Colours ----

uint8_t CelleTekstFarveKode(const CelleFarveData &c) {
  switch (c.Moenster) {
    case 0: case 3: case 6: case 9: case 12: case 15: case 18: case 21: case 24: case 27: case 33: case 39:
    case 42: case 57:
      if (c.Beregnet) {
        if (GlobalIndstillinger.supertavo) return 16;
        if (c.Ejer != 0 && c.Ejer != GlobalIndstillinger.insnr) return 4;
        if (GlobalIndstillinger.skphakkord && (c.Flag & 0x1000)) return 11;
        if (c.Flag & 0x200) return 39;
        return 16;
      }
      if (c.Moenster != 0 && c.Moenster != 42) return 16;
      if (!c.pTd) return c.KaldFarve;
      if (c.FoersteFelt && c.pTd->TypeBogstav == 'K' && c.Tekst && c.Tekst[0] == '+') return 8;
      if (UdenKlasse(c.pTd)) return 16;
      return Post(c.pTd, c.pTv, c.RecNr) ? RecVisKlasse(c.pTd, c.pTv, c.RecNr) : c.pTd->VisKlasse;
    case 1: case 4: case 10: case 13: case 16: case 19: case 22: case 25: case 28: case 31: case 37: case 40:
    case 43: case 58:
      return 17;
    case 2: case 5: case 11: case 14: case 17: case 20: case 23: case 26: case 29: case 38: case 41: case 44:
    case 59:
      return 19;
    case 36:
      switch (c.KaldFarve) {
        case 8: case 7: case 3: case 12: case 10: return c.KaldFarve;
        default: return 5;
      }
    case 46:
      return c.KaldFarve == 8 ? 8 : 16;
    default:
      return 16;
  }
}

uint8_t SaetCelleTekstFarve(EnsDC *dc, const CelleFarveData &c) {
  const uint8_t farve = CelleTekstFarveKode(c);
  if (dc) SaetTekstFarve(dc, farve);
  return farve;
}

void TegnFarvetTekst(EnsDC *dc, int x, int y, uint8_t tekstFarve, uint8_t bkFarve, const char *tekst,
                     int laengde, int mode) {
  if (!dc || !tekst) return;
  SaetTekstFarve(dc, tekstFarve);
  SaetBkFarve(dc, bkFarve);
  SetBkMode(dc->hdc, mode == 1 ? TRANSPARENT : OPAQUE);
  TextOutA(dc->hdc, x, y, tekst, laengde);
}

void TegnFarvetTegn(EnsDC *dc, int x, int y, uint8_t kode, uint8_t tegn, uint8_t ejer, uint32_t flag) {
  uint8_t tekstFarve = 5;
  if (kode != 36) {
    CelleFarveData c;
    c.Moenster = kode;
    c.Beregnet = true;
    c.Ejer = ejer;
    c.Flag = flag;
    tekstFarve = CelleTekstFarveKode(c);
  }
  const char t = static_cast<char>(tegn);
  TegnFarvetTekst(dc, x, y, tekstFarve, kode, &t, 1, 2);
}

void TegnTekstCelle(EnsDC *dc, int x, int y, uint8_t bkFarve, uint8_t tekstFarve, const char *tekst, int pad1,
                    int pad2) {
  if (!dc || !tekst) return;
  const int n = static_cast<int>(strlen(tekst));
  SIZE str{0, 0};
  GetTextExtentPoint32A(dc->hdc, tekst, n, &str);
  Fyld(dc->hdc, Brush(bkFarve), x, y, x + str.cx + pad1 + pad2, y + str.cy);
  TegnFarvetTekst(dc, x + pad1, y, tekstFarve, bkFarve, tekst, n, 1);
}

void TegnTal2Dec(EnsDC *dc, int x, int y, uint8_t tekstFarve, uint8_t bkFarve, double vaerdi) {
  char buf[40];
  FormatKommaTal(buf, sizeof buf, 3, 2, vaerdi);
  TegnFarvetTekst(dc, x, y, tekstFarve, bkFarve, buf, static_cast<int>(strlen(buf)), 2);
}

// ---- Cells ----

uint32_t TegnSwitchTekstCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t bkFarve,
                              uint8_t tekstFarve, const char *tekst, const SwitchRaekkeValg *v) {
  if (!dc || !sf || !tekst) return SwitchFeltBredde(sf);
  const CelleForm form{Brush(bkFarve), COLOR_3DDKSHADOW, 8, false};
  return TegnCelle(dc, x, y, sf, form, tekstFarve, tekst, v ? *v : SwitchRaekkeValg{});
}

uint32_t TegnSwitchCelleBund(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t tekstFarve,
                             const char *tekst, const SwitchRaekkeValg *v) {
  if (!dc || !sf || !tekst) return SwitchFeltBredde(sf);
  const CelleForm form{0, COLOR_BTNTEXT, 8, false};
  return TegnCelle(dc, x, y, sf, form, tekstFarve, tekst, v ? *v : SwitchRaekkeValg{});
}

uint32_t TegnRelationCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t bkFarve, uint8_t tekstFarve,
                           const char *tekst, const SwitchRaekkeValg *v) {
  if (!dc || !sf || !tekst) return SwitchFeltBredde(sf);
  const CelleForm form{Brush(bkFarve), COLOR_3DDKSHADOW, 8, true};
  return TegnCelle(dc, x, y, sf, form, tekstFarve, tekst, v ? *v : SwitchRaekkeValg{});
}

namespace {

uint32_t TegnEnCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t farve, uint8_t bogstav,
                     const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, bool foersteFelt,
                     const SwitchRaekkeValg *v) {
  if (!dc || !sf) return SwitchFeltBredde(sf);
  const SwitchRaekkeValg vv = v ? *v : SwitchRaekkeValg{};
  char tekst[kSwitchTekstLen];
  const uint8_t tekstFarve = CelleTekstOgFarve(sf, farve, foersteFelt, bogstav, pTd, pTv, recnr, vv, tekst);
  const CelleForm form{Brush(farve), COLOR_3DDKSHADOW, 8, false};
  return TegnCelle(dc, x, y, sf, form, tekstFarve, tekst, vv);
}

}  // namespace

uint32_t TegnSwitchPostCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t farve, uint8_t bogstav,
                             const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, bool foersteFelt,
                             const SwitchRaekkeValg *v) {
  return TegnEnCelle(dc, x, y, sf, farve, bogstav, pTd, pTv, recnr, foersteFelt, v);
}

uint32_t TegnSwitchBeregnetCelle(EnsDC *dc, int x, int y, const SwitchFelt *sf, uint8_t farve, uint8_t bogstav,
                                 const TabDesc *pTd, const TabVar *pTv, uint32_t recnr,
                                 const SwitchRaekkeValg *v) {
  return TegnEnCelle(dc, x, y, sf, farve, bogstav, pTd, pTv, recnr, false, v);
}

// ---- Rows ----

void TegnObjSwitchRaekke(EnsDC *dc, int x, int y, uint8_t farve, uint32_t art, uint8_t bogstav, uint32_t nr,
                         const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, const SwitchRaekkeValg *v) {
  const CelleForm form{Brush(farve), COLOR_3DDKSHADOW, 8, false};
  TegnRaekke(dc, x, y, farve, ObjSwitchLayout(art, bogstav, nr), form, {bogstav, pTd, pTv, recnr, nullptr, nullptr},
             v);
}

void TegnObjSwitchRaekkeCb(EnsDC *dc, int x, int y, uint8_t farve, uint32_t art, uint8_t bogstav, uint32_t nr,
                           SwitchCelleFn fn, void *arg, const SwitchRaekkeValg *v) {
  if (!fn) return;
  const CelleForm form{Brush(farve), COLOR_3DDKSHADOW, 8, false};
  TegnRaekke(dc, x, y, farve, ObjSwitchLayout(art, bogstav, nr), form, {bogstav, nullptr, nullptr, 0, fn, arg}, v);
}

void TegnObjSwitchRaekkeBund(EnsDC *dc, int x, int y, HBRUSH brush, uint32_t art, uint8_t bogstav, uint32_t nr,
                             const TabDesc *pTd, const TabVar *pTv, uint32_t recnr, uint32_t bredde,
                             const SwitchRaekkeValg *v) {
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, nr);
  if (!dc || !l) return;
  const uint32_t b = bredde ? bredde : ObjSwitchBredde(art, bogstav, nr);
  const int h = static_cast<int>(v ? v->Hoejde : SwitchRaekkeValg{}.Hoejde);
  Fyld(dc->hdc, brush, x, y, x + static_cast<int32_t>(b), y + h);
  const uint8_t moenster = brush && brush == FarveBrush[1] ? 1 : brush && brush == FarveBrush[2] ? 2 : 0;
  const CelleForm form{0, COLOR_BTNTEXT, 8, false};
  TegnRaekke(dc, x, y, moenster, l, form, {bogstav, pTd, pTv, recnr, nullptr, nullptr}, v);
}

void TegnRelationRaekke(EnsDC *dc, int x, int y, uint8_t farve, uint8_t bogstav, const TabDesc *pTd,
                        const TabVar *pTv, uint32_t recnr, const SwitchRaekkeValg *v) {
  const CelleForm form{Brush(farve), COLOR_3DDKSHADOW, 8, true};
  TegnRaekke(dc, x, y, farve, ObjSwitchLayout(kRelationArt, bogstav, 0), form,
             {bogstav, pTd, pTv, recnr, nullptr, nullptr}, v);
}

// ---- Tiles ----

const SkeRec *BrikRaekke(uint32_t aarIndeks, uint32_t uge, uint32_t raekke) {
  if (aarIndeks >= kMaxAarIPeriode || uge < 1 || uge >= UGE_SLOTS) return nullptr;
  const TabVar &b = SkemabegUgeTab[aarIndeks * UGE_SLOTS + uge];
  if (!b.pbTab || raekke >= b.wRecCnt) return nullptr;
  const auto *r = reinterpret_cast<const SkeRec *>(b.pbTab + static_cast<size_t>(raekke) * sizeof(SkeRec));
  return (r->Status & 0xFF) != 0 ? r : nullptr;
}

uint32_t BrikRecNr(const SkeRec *r, uint8_t bogstav) {
  if (!r) return 0;
  switch (bogstav) {
    case 'K': return r->akti_id;
    case 'L': return r->loka_id;
    case 'M': return r->anfo_id;
    case 'U': return r->skfa_id;
    default: return 0;
  }
}

namespace {

// The fields of one event row's record along a tile line.
int TegnBrikFelter(EnsDC *dc, int x, int y, uint8_t farve, uint32_t brikArt, const SwitchLayout *l,
                   const SkeRec *r, HBRUSH baggrund, const SwitchRaekkeValg *vp) {
  SwitchRaekkeValg v = vp ? *vp : SwitchRaekkeValg{};
  v.Ejer = r->Ejer;
  v.Flag = r->Status;
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  TabFromType(l->Bogstav, &pTd, &pTv);
  const CelleForm form{baggrund, COLOR_3DDKSHADOW, BrkTegnBredde(brikArt), false};
  return TegnFelter(dc, x, y, l, farve, form, {l->Bogstav, pTd, pTv, BrikRecNr(r, l->Bogstav), nullptr, nullptr},
                    v);
}

}  // namespace

bool TegnBrikLinie(EnsDC *dc, int x, int y, uint8_t farve, uint32_t brikArt, uint8_t bogstav, uint32_t nr,
                   uint32_t aarIndeks, uint32_t uge, uint32_t raekke, const SwitchRaekkeValg *v) {
  const SkeRec *r = BrikRaekke(aarIndeks, uge, raekke);
  const SwitchLayout *l = BrkSwitchLayout(brikArt, bogstav, nr);
  if (!dc || !r || !l) return false;
  const int h = static_cast<int>(v ? v->Hoejde : SwitchRaekkeValg{}.Hoejde);
  const int b = static_cast<int32_t>(BrkSwitchBredde(brikArt, bogstav, nr));
  Fyld(dc->hdc, Brush(farve), x, y, x + b, y + h);
  HGDIOBJ gammel = v && v->Skrift ? SelectObject(dc->hdc, v->Skrift) : 0;
  SetBkMode(dc->hdc, TRANSPARENT);
  TegnBrikFelter(dc, x, y, farve, brikArt, l, r, 0, v);
  SetBkMode(dc->hdc, OPAQUE);
  if (gammel) SelectObject(dc->hdc, gammel);
  return true;
}

uint32_t TegnBrikPoster(EnsDC *dc, int x, int y, uint8_t farve, uint32_t brikArt, uint8_t bogstav, uint32_t nr,
                        uint32_t aarIndeks, uint32_t uge, uint32_t foersteRaekke, const SwitchRaekkeValg *v) {
  const SkeRec *foerste = BrikRaekke(aarIndeks, uge, foersteRaekke);
  const SwitchLayout *l = BrkSwitchLayout(brikArt, bogstav, nr);
  if (!dc || !l || !foerste || foerste->Forste != foersteRaekke) return 0;
  HGDIOBJ gammel = v && v->Skrift ? SelectObject(dc->hdc, v->Skrift) : 0;
  SetBkMode(dc->hdc, TRANSPARENT);
  int pos = 0;
  for (uint32_t n = foersteRaekke;; ++n) {
    const SkeRec *r = BrikRaekke(aarIndeks, uge, n);
    if (!r || r->Forste != foersteRaekke) break;
    if (BrikRecNr(r, bogstav) == 0) continue;
    pos += TegnBrikFelter(dc, x + pos, y, farve, brikArt, l, r, Brush(farve), v);
  }
  SetBkMode(dc->hdc, OPAQUE);
  if (gammel) SelectObject(dc->hdc, gammel);
  return static_cast<uint32_t>(pos);
}

void TegnBrikTekst(EnsDC *dc, int x, int y, uint8_t tekstFarve, const char *tekst, int laengde) {
  if (!dc || !tekst) return;
  SaetTekstFarve(dc, tekstFarve);
  const int gammel = SetBkMode(dc->hdc, TRANSPARENT);
  TextOutA(dc->hdc, x, y, tekst, laengde);
  SetBkMode(dc->hdc, gammel);
}

void TegnBrikTegn(EnsDC *dc, int x, int y, const uint8_t *tegn, const uint8_t *koder, uint32_t antal,
                  uint32_t tegnBredde, uint8_t ejer, uint32_t flag) {
  if (!dc || !tegn || !koder) return;
  for (uint32_t i = 0; i < antal; ++i)
    TegnFarvetTegn(dc, x + static_cast<int>(i * tegnBredde), y, koder[i], tegn[i], ejer, flag);
}
