// The Gantt window's keys: one table of what a key may do in test mode
// (asked, nothing happens) and does in execute mode, and the step after a
// key that lets the active window drive the program's current record,
// week and date.

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ARRANGER.h"
#include "DATO.h"
#include "GANT.h"
#include "GRUPPE.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "KALENDER.h"
#include "STATUSBAR.h"
#include "SWITCH.h"
#include "TABREG.h"
#include "TAVOTB.h"
#include "STITAB.h"
#include "VINDUER.h"

namespace {

bool Udfoer(int mode) { return mode == KMD_UDFOER; }

bool Vandret(GANTWS *ws, const TastInfo *t, int mode) {
  const bool hoejre = t->wParam == VK_RIGHT;
  if (ws->Opgoerelse) {
    if (Udfoer(mode) && !GantOpgVandret(ws, hoejre, t->ctrl, t->alt)) {
      // At the edge the program's week moved: the chart's column follows it.
      ws->KolPos.Aktuel = 1;
    }
    return true;
  }
  GridPos *pos = &ws->KolPos;
  return GridTastFlytTrin(pos, t->wParam, t->ctrl, t->alt, false, Udfoer(mode) ? 2 : 1) || !Udfoer(mode);
}

bool Lodret(GANTWS *ws, const TastInfo *t, int mode) {
  if (!ws->ens.ObjTabAntal) return false;
  GridPos *pos = &ws->RaekkePos;
  GridTastFlytTrin(pos, t->wParam, t->ctrl, t->alt, false, Udfoer(mode) ? 2 : 1);
  return true;
}

bool UgeBesked(GANTWS *ws, UINT besked, int mode) {
  if (ws->Opgoerelse || !ws->KolPos.Aktuel) return false;
  if (!Udfoer(mode)) return true;
  const uint32_t w = ws->KolPos.Aktuel;
  SendTilAlleVinduer(besked, ws->Bogstav, w, 0);
  if (besked == GANT_INDSAET_UGE && w < ws->KolPos.Antal) ws->KolPos.Aktuel = w + 1;
  return true;
}

bool Uvfo(GANTWS *ws, int mode) {
  if (ws->Bogstav != 'K') return false;
  if (!Udfoer(mode)) return true;
  HWND gruppeKnap = 0;
  if (ws->ens.hwndToolbar) SendMessageA(ws->ens.hwndToolbar, TB_GRUPPEKNAP, (WPARAM)&gruppeKnap, 0);
  if (!ws->UvfoFilter) {
    ws->UvfoFilter = 1;
    GantByggUvfoRaekker(ws);
    if (gruppeKnap) SendMessageA(gruppeKnap, GRUPPE_SAET, 0, 85);
  } else {
    ws->UvfoFilter = 0;
    uint32_t g = 31;
    for (uint32_t b = 0; b < 31; ++b)
      if (ws->GruppeMaske & (1u << b)) {
        g = b;
        break;
      }
    if (ws->GruppeMaske == kAlleGrupper) g = 31;
    if (gruppeKnap) SendMessageA(gruppeKnap, GRUPPE_SAET, g, 0);
    GantByggRaekker(ws);
  }
  return true;
}

// Ctrl+Delete: the current object leaves groups 0..30 for the archive
// group; the group file is marked for export once per window.
bool Arkiver(GANTWS *ws, int mode) {
  const uint32_t rec = GantAktuelRec(ws);
  if (!rec || rec >= ws->GruppeFlagAntal || !ws->GruppeFlag) return false;
  if (!Udfoer(mode)) return true;
  uint8_t *c = ws->GruppeFlag + size_t{rec} * kGruppeKolonner;
  std::memset(c, 0, kGruppeKolonner - 1);
  c[kGruppeKolonner - 1] = 1;
  GemGruppeBits(static_cast<char>(ws->Bogstav), ws->GruppeFlag, ws->GruppeFlagAntal);
  if (!ws->GrupperEksporteret) {
    WritePrivateProfileStringA("flag", "exportergrupper", "1", StiTab.szini);
    ws->GrupperEksporteret = 1;
  }
  SendTilAlleVinduer(GANT_DATA_AENDRET, 0, 0, 0);
  return true;
}

}  // namespace

bool GantTast(GANTWS *ws, const TastInfo *t, int mode) {
  const uint32_t tast = t->wParam;
  if (tast < 13 || tast > 187) return false;
  switch (tast) {
    case VK_LEFT:
    case VK_RIGHT:
      return Vandret(ws, t, mode);
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      return Lodret(ws, t, mode);
    case VK_INSERT:
      return UgeBesked(ws, GANT_INDSAET_UGE, mode);
    case VK_ADD:
    case VK_OEM_PLUS:
      return UgeBesked(ws, GANT_KOPIER_UGE, mode);
    case 'U':
      return Uvfo(ws, mode);
    case VK_DELETE:
      return t->ctrl && Arkiver(ws, mode);
  }
  if (tast >= '1' && tast <= '9' && !t->ctrl && !t->alt) {
    const uint32_t n = tast - '0';
    if (n > ws->SwitchAntal) return false;
    if (Udfoer(mode)) GantSkiftVisning(ws, n - 1);
    return true;
  }
  return false;
}

uint32_t GantEfterTast(GANTWS *ws, uint32_t forrigeRec) {
  uint32_t flag = 0;
  const uint32_t rec = GantAktuelRec(ws);
  if (rec != forrigeRec) {
    if (ws->pTv && rec) ws->pTv->AktuelRec = rec;
    flag |= GANT_TEGN_RAEKKER;
  }
  const uint32_t forrige = ws->ForrigeKol;
  const uint32_t ny = ws->Opgoerelse ? SkemaPeriode.AktuelUgeIndeks : ws->KolPos.Aktuel;
  if (ny != forrige && ny >= 1 && ny <= SkemaPeriode.AntalUger) {
    if (!ws->Opgoerelse) {
      // The active window drives the program's week and date.
      Uge u = 0;
      uint8_t dag = 0;
      DatoTilUge(SkemaPeriode.AktuelDato, &u, &dag);
      SaetAktuelDato(UgeDagTilDato(IndeksTilUge(ny), dag ? dag : 1));
      SkemaPeriode.AktuelUgeIndeks = ny;
    }
    if (StatusFelter.Dato && IsWindow(StatusFelter.Dato))
      SendMessageA(StatusFelter.Dato, STATUS_DATO_SAET, 0, static_cast<LPARAM>(SkemaPeriode.AktuelDato));
    flag |= GantKolonneSkift(ws, forrige, ny);
    ws->ForrigeKol = ny;
  }
  return flag;
}
