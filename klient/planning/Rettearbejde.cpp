#include "Rettearbejde.h"

#include <cstring>

void SaetRettearbejdLayout(Plan *plan) { (void)plan; }
void SaetEksametidLayout(Plan *plan) { (void)plan; }

int RedigerRettearbejde(Plan *plan) {
  (void)plan;
  return 0;
}

void FyldRetteData(const Plan *plan, RetteData *d) {
  (void)plan;
  if (d) std::memset(d, 0, sizeof *d);
}

void BeregnRettearbejd(RetteData *d) { (void)d; }

INT_PTR CALLBACK RetteDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)dlg, (void)msg, (void)wParam, (void)lParam;
  return FALSE;
}

void VisRetteData(HWND dlg, const RetteData *d) { (void)dlg, (void)d; }
void LaesRetteData(HWND dlg, RetteData *d) { (void)dlg, (void)d; }
