#pragma once
// The balances panel (BygInfoWndClass) of the event entry window: the event
// being entered, on two lines, or for an absence event the employee, the
// remark and the employee's balance of that absence (holiday, care days,
// time off, a child's sick days). It reads the entry window's property set
// at every message and never writes. Main thread only.

#include <cstdint>

#include "AVS.h"
#include "BESKEDER.h"
#include "ENSDC.h"
#include "windows.h"


enum : int { BYG_AKT = 0, BYG_FAG, BYG_MED, BYG_LOK, BYG_RING, BYG_BEM, kBygBoern };

struct BygInfoWS {
  HINSTANCE hInst;
  HWND hwnd;
  HWND hwndEjer;  // the event entry window
  EnsDC dc;
  uint32_t x, y, Bredde, Hoejde;
  // List and box widths in pixels.
  uint32_t K, M, L, U, R, B;
  uint32_t Art;  // window kind of the field layouts: 50
  AVS *pAVS;     // the entry window's, not owned
  HWND hwndBarn[kBygBoern];
  uint32_t AktLinjer, FagLinjer, MedLinjer, LokLinjer;
};

// The balance kinds of an absence event.
enum : int { SALDO_INGEN = 0, SALDO_FERIE = 1, SALDO_OMSORG = 2, SALDO_AFSPADSERING = 3, SALDO_BARNSYG = 4 };

LRESULT CALLBACK BygInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The entry window's way in: a panel at (x, y) of the size given over its
// property set, window kind 50 and the line counts 5, 1, 5, 5; 0 when it
// could not be made.
HWND OpretBygInfoVindue(HWND ejer, int x, int y, int bredde, int hoejde, AVS *avs);

void OpretBygInfoBoern(BygInfoWS *ws);
void LayoutBygInfoBredder(BygInfoWS *ws);
void LayoutBygInfo(BygInfoWS *ws);
uint32_t BygInfoLinje1Bredde(const BygInfoWS *ws);
uint32_t BygInfoLinje2Bredde(const BygInfoWS *ws);
void TegnBygInfo(BygInfoWS *ws);
void TegnBygInfoSaerlig(BygInfoWS *ws);
void TegnFerieSaldo(BygInfoWS *ws, int x0);
void TegnFravaerSaldo(BygInfoWS *ws, int x0, int art);
void TegnBarnSygSaldo(BygInfoWS *ws, int x0);

// The balance kind of the property set (SALDO_...).
int BygInfoSaldoArt(const AVS *avs);
// Thousandths as a whole number, rounded half away from zero.
int32_t TusindedeTilHele(int32_t v);
// The holiday year (1 May to 30 April) that holds the date.
void FerieAar(uint32_t dato, uint32_t *fra, uint32_t *til);
