// The group lock and its message.
#include "ELEVREGLER.h"

#include "ELEVTAB.h"
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
