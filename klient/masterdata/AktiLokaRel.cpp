// The activity/room relation window: the relation matrix over akti, loka
// and alrel.

#include "AktiLokaRel.h"

#include "ARRANGER.h"
#include "GENVEJ.h"

namespace {

constexpr const char *kModul = "AktiLokaRel";
constexpr const char *kKlasse = "AktiLokaRelWndClass";

void ByggHold(RelWS *ws) { ByggHoldListe(&ws->Raekke, ws->RaekkeGruppeMaske, kRelRaekkeArt, kModul); }

TastInfo Tast(uint32_t tast) { return TastInfo{0, 0, 0, WM_KEYDOWN, tast, 0, 0, 0}; }

const ShortCutPost kGenvejPoster[] = {
    {Tast(VK_SPACE), "<Mellemrum>", "Opret / fjern relation mellem aktivitet og lokale."},
    {Tast(VK_PRIOR), "<Pgup>", "Forrige uge."},
    {Tast(VK_NEXT), "<Pgdn>", "Næste uge."},
    {Tast('A'), "<A>", "Vis alle grupper."},
    {Tast(VK_F4), "<F4>", "Luk vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

}  // namespace

const RelArt AktiLokaRelArt = {
    kModul,
    kKlasse,
    " Relation mellem Aktivitet og Lokale",
    kAktiLokaRelType,
    '*',
    'L',
    'K',
    ByggHold,
    ByggRelKolonner,
    FindRelPar,
    SkiftAlrel,
    nullptr,
    &Genveje,
    nullptr,
    nullptr,
    nullptr,
};

bool SkiftAlrel(RelWS *ws, int mode) { return SkiftRelation(ws, mode, "exporteralrel"); }

bool AktiLokaRelTast(RelWS *ws, const TastInfo &t, int mode) { return RelTast(ws, t, mode); }

HWND CreateAktiLokaRelWnd(HWND desktop, int venstre, int top, int hoejre, int bund) {
  return CreateRelVindue(&AktiLokaRelArt, desktop, venstre, top, hoejre, bund);
}

LRESULT CALLBACK AktiLokaRelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return RelVindueProc(&AktiLokaRelArt, hwnd, msg, wParam, lParam);
}

bool RegistrerAktiLokaRelKlasse(HINSTANCE inst) { return RegistrerRelKlasse(inst, kKlasse, AktiLokaRelWndProc); }

void AfregistrerAktiLokaRelKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }
