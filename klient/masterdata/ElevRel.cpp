// The student overlap window: the relation matrix with one list of
// activities on both axes and elvrel2, a pair stored once in either order.
// The cursor's side of the diagonal decides which triangle is shaded, so a
// move across the diagonal repaints the whole matrix.

#include "ElevRel.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "DATO.h"
#include "FARVER.h"
#include "FINDREC.h"
#include "GENVEJ.h"
#include "IMPORT.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "VALG.h"
#include "tavo/assert.h"

namespace {

constexpr const char *kModul = "ElevRel";
constexpr const char *kKlasse = "ElvRelWndClass";
constexpr uint8_t kUfjernelig = 10;  // a pair the window never removes
constexpr uint8_t kSkyggeTrin = 30;  // the shade: each colour of the background lowered so much
constexpr COLORREF kDiagonal = RGB(255, 0, 0);
constexpr uint32_t kTekstTop = 2;

TastInfo Tast(uint32_t tast) { return TastInfo{0, 0, 0, WM_KEYDOWN, tast, 0, 0, 0}; }

const ShortCutPost kGenvejPoster[] = {
    {Tast(VK_SPACE), "<Mellemrum>", "Opret / fjern elevsammenfald mellem to aktiviteter."},
    {Tast('E'), "<E>", "Vis elever på begge aktiviteter."},
    {Tast(VK_PRIOR), "<Pgup>", "Forrige uge."},
    {Tast(VK_NEXT), "<Pgdn>", "Næste uge."},
    {Tast('A'), "<A>", "Vis alle grupper."},
    {Tast(VK_F4), "<F4>", "Luk vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

void ByggRaekker(RelWS *ws) { ByggElvRelListe(&ws->Raekke, ws->RaekkeGruppeMaske); }

// The columns are the rows' list, held twice so that each head owns its own.
void ByggKolonner(RelWS *ws) {
  std::free(ws->Kol.ObjTab);
  const uint32_t antal = ws->Raekke.ObjTabAntal;
  auto *tab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", kModul, __LINE__);
  if (ws->Raekke.ObjTab) std::memcpy(tab, ws->Raekke.ObjTab, (antal + 1) * sizeof(uint32_t));
  ws->Kol.ObjTab = tab;
  ws->Kol.ObjTabAntal = antal;
}

// 1 the cursor's column lies left of its row, 2 right of it, 0 on the
// diagonal or no cursor.
uint8_t Side(const RelWS *ws) {
  const uint32_t c = ws->PosX.Aktuel, r = ws->PosY.Aktuel;
  if (!c || !r || c == r) return 0;
  return c < r ? 1 : 2;
}

enum class Celle { Markoer, Diagonal, Skygge, Baggrund };

Celle CelleArt(const RelWS *ws, uint32_t c, uint32_t r) {
  if (c == ws->PosX.Aktuel && r == ws->PosY.Aktuel) return Celle::Markoer;
  if (c == r) return Celle::Diagonal;
  const uint8_t side = Side(ws);
  if ((side == 1 && c > r) || (side == 2 && c < r)) return Celle::Skygge;
  return Celle::Baggrund;
}

COLORREF Skygge() {
  const COLORREF b = FarveTab[0];
  const auto ned = [](uint8_t v) { return static_cast<uint8_t>(v - kSkyggeTrin); };
  return RGB(ned(GetRValue(b)), ned(GetGValue(b)), ned(GetBValue(b)));
}

// The brushes of the two colours no palette slot holds, made anew when the
// background changes.
HBRUSH FastBrush(Celle art) {
  static COLORREF skyggeFarve = 0;
  static HBRUSH skygge = 0, diagonal = 0;
  if (art == Celle::Diagonal) {
    if (!diagonal) diagonal = CreateSolidBrush(kDiagonal);
    return diagonal;
  }
  const COLORREF f = Skygge();
  if (!skygge || f != skyggeFarve) {
    if (skygge) DeleteObject(skygge);
    skygge = CreateSolidBrush(f);
    skyggeFarve = f;
  }
  return skygge;
}

HBRUSH CelleBrush(const RelWS *ws, Celle art) {
  switch (art) {
    case Celle::Markoer:
      return RelBrush(ws->Matrix.Aktiv ? 1 : 2);
    case Celle::Diagonal:
    case Celle::Skygge:
      return FastBrush(art);
    case Celle::Baggrund:
      break;
  }
  return RelBrush(0);
}

void TegnCelle(RelWS *ws, EnsDC *dc, uint32_t c, uint32_t r, int x, int y, int b, int h) {
  const Celle art = CelleArt(ws, c, r);
  const HBRUSH brush = CelleBrush(ws, art);
  FillRectIfAny(dc->hdc, brush, x, y, x + b, y + h);
  if (art == Celle::Diagonal) return;
  const uint32_t rel = FindRelParBegge(ws, ws->Raekke.ObjTab[r], ws->Kol.ObjTab[c]);
  if (!rel) return;
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Hoejde = static_cast<uint32_t>(h);
  v.TopMargen = kTekstTop;
  TegnObjSwitchRaekkeBund(dc, x, y, brush, kRelCelleArt, ws->RelBogstav, ws->CelleSwitch, ws->Matrix.pTd,
                          ws->Matrix.pTv, rel, static_cast<uint32_t>(b), &v);
}

// A cursor that crossed the diagonal moves the shade to the other triangle.
uint32_t TegnFlag(RelWS *ws, uint32_t flag) {
  const uint8_t side = Side(ws);
  if (side != ws->Diagonal) {
    ws->Diagonal = side;
    flag |= REL_TEGN_ALT;
  }
  return flag;
}

uint32_t AktiId(uint32_t n) { return GyldigRef(&tvakti, n) ? TabRec<AktiRec>(tvakti, n)->id : 0; }

// Key E: the students on both activities of the current cell.
bool VisFaellesElever(RelWS *ws, const TastInfo &t, int mode) {
  if (t.message != WM_KEYDOWN || t.wParam != 'E' || t.ctrl || t.alt) return false;
  const uint32_t c = ws->PosX.Aktuel, r = ws->PosY.Aktuel;
  if (!c || !r || c > ws->Kol.ObjTabAntal || r > ws->Raekke.ObjTabAntal) return false;
  if (mode != KMD_UDFOER) return true;
  auto *liste = static_cast<ValgListe *>(std::calloc(1, sizeof(ValgListe)));
  if (!liste) return false;
  const uint32_t a = ws->Kol.ObjTab[c], b = ws->Raekke.ObjTab[r];
  FindFaellesElever(liste, a, b, 0);
  liste->KildeRec = a;
  liste->ListeArt = kElevListeArt;
  liste->TitelArt = kSammenfaldTitelArt;
  liste->Bogstav = 'K';
  liste->Caption = " Elevsammenfald på hold";
  return AabnElevListe(ws->hwnd, liste) != 0;
}

}  // namespace

const RelArt ElvRelArt = {
    kModul,
    kKlasse,
    " Elev sammenfald på Aktiviteter",
    kElvRelType,
    '$',
    'K',
    'K',
    ByggRaekker,
    ByggKolonner,
    FindRelParBegge,
    SkiftElvRel,
    VisFaellesElever,
    &Genveje,
    RefreshElvRelList,
    TegnCelle,
    TegnFlag,
};

void ByggElvRelListe(Ens *hoved, uint32_t maske) {
  std::free(hoved->ObjTab);
  hoved->ObjTab = nullptr;
  hoved->ObjTabAntal = 0;
  const Uge uge = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  const Dato mandag = UgeDagTilDato(uge, 1), soendag = UgeDagTilDato(uge, 7);
  const uint32_t antalAkti = tvakti.pbTab ? tvakti.wRecCnt : 0;
  auto medtag = [&](uint32_t n) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, n);
    if (a->Status < 10 || a->Status > 29) return false;
    if (a->Fradato > soendag || a->Tildato < mandag) return false;
    if (a->Gruppe != 0 && (a->Gruppe & maske) == 0) return false;
    return strnlen(a->Type, sizeof a->Type) == 4 && std::memcmp(a->Type, "HOLD", 4) == 0;
  };
  uint32_t antal = 0;
  for (uint32_t n = 1; n < antalAkti; ++n) antal += medtag(n);
  auto *tab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", kModul, __LINE__);
  uint32_t i = 0;
  for (uint32_t n = 1; n < antalAkti && i < antal; ++n)
    if (medtag(n)) tab[++i] = n;
  hoved->ObjTab = tab;
  hoved->ObjTabAntal = antal;
  SorterRelListe(hoved, kRelRaekkeArt);
}

void RefreshElvRelList(RelWS *ws) {
  ByggRaekker(ws);
  ByggKolonner(ws);
  const uint32_t antal = ws->Raekke.ObjTabAntal;
  ws->PosX.Antal = ws->PosY.Antal = antal;
  ws->PosY.Aktuel = FindObjIdx(ws->Raekke.ObjTab, antal, tvakti.AktuelRec);
  ws->PosX.Aktuel = antal ? 1 : ws->PosY.Aktuel;
}

COLORREF ElvRelCelleFarve(const RelWS *ws, uint32_t kol, uint32_t raekke) {
  switch (CelleArt(ws, kol, raekke)) {
    case Celle::Markoer:
      return FarveTab[ws->Matrix.Aktiv ? 1 : 2];
    case Celle::Diagonal:
      return kDiagonal;
    case Celle::Skygge:
      return Skygge();
    case Celle::Baggrund:
      break;
  }
  return FarveTab[0];
}

bool SkiftElvRel(RelWS *ws, int mode) {
  const uint32_t c = ws->PosX.Aktuel, r = ws->PosY.Aktuel;
  const TabDesc *pTd = ws->Matrix.pTd;
  TabVar *pTv = ws->Matrix.pTv;
  if (!pTd || !pTv || !c || !r || c > ws->Kol.ObjTabAntal || r > ws->Raekke.ObjTabAntal) return false;
  const uint32_t a = ws->Kol.ObjTab[c], b = ws->Raekke.ObjTab[r];
  const uint32_t idA = AktiId(a), idB = AktiId(b);
  if (idA == idB) return false;
  const uint32_t rel = FindRelParBegge(ws, b, a);
  const bool udfoer = mode == KMD_UDFOER;
  auto tegnBegge = [&] {
    SortTab(pTd, pTv);
    TegnRelCelle(ws, c, r);
    TegnRelCelle(ws, r, c);
  };
  if (rel) {
    const Elvrel2Rec *p = TabRec<Elvrel2Rec>(*pTv, rel);
    if (p->Status == kUfjernelig) {
      if (udfoer) tegnBegge();
      return false;
    }
    if (!udfoer) return true;
    DelRec(pTd, pTv, rel);
    tegnBegge();
    return true;
  }
  if (!udfoer) return true;
  if (!idA || !idB) return false;
  const bool aFoerst = static_cast<int32_t>(idA) < static_cast<int32_t>(idB);
  char linje[48];
  std::snprintf(linje, sizeof linje, "%ld;%ld;0;0", static_cast<long>(aFoerst ? idA : idB),
                static_cast<long>(aFoerst ? idB : idA));
  const uint32_t ny = NewRec(pTd, pTv);
  if (!ny) return false;
  if (ParseRecordLine(pTd, pTv, linje, 'L', ny, nullptr, 1) != 0) {
    DelRec(pTd, pTv, ny);
    SortTab(pTd, pTv);
    return false;
  }
  pTv->pfSave[ny / pTd->RecPrBlok] = 1;
  tegnBegge();
  return true;
}

bool ElvRelTast(RelWS *ws, const TastInfo &t, int mode) { return RelTast(ws, t, mode); }

HWND CreateElvRelWnd(HWND desktop, int venstre, int top, int hoejre, int bund) {
  const HWND h = CreateRelVindue(&ElvRelArt, desktop, venstre, top, hoejre, bund);
  RelWS *ws = h ? RelVinduesWS(h) : nullptr;
  if (!ws) return h;
  Ens &e = ws->Matrix;
  if (e.RudeB[ENS_CELLER] > 0)
    e.ScrollX = GridCentrerCelle(&e.AkseX, static_cast<uint32_t>(e.RudeB[ENS_CELLER]), ws->PosX.Aktuel, ws->PosX.Antal);
  if (e.RudeH[ENS_CELLER] > 0)
    e.ScrollY = GridCentrerCelle(&e.AkseY, static_cast<uint32_t>(e.RudeH[ENS_CELLER]), ws->PosY.Aktuel, ws->PosY.Antal);
  OpdaterRelVindue(ws, false, REL_TEGN_ALT);
  return h;
}

LRESULT CALLBACK ElvRelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return RelVindueProc(&ElvRelArt, hwnd, msg, wParam, lParam);
}

bool RegistrerElvRelKlasse(HINSTANCE inst) { return RegistrerRelKlasse(inst, kKlasse, ElvRelWndProc); }

void AfregistrerElvRelKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }
