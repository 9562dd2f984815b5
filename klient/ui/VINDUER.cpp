// The program's own list of open grid windows on the desktop, front to back.
#include "VINDUER.h"

#include <cstdlib>
#include <vector>

#include "BESKEDER.h"
#include "PROGVINDUER.h"

VinduesListeRec VinduesListe = {nullptr, nullptr};
uint8_t LukkerAlleVinduer = 0;
VinduesKroge VinduesKrog = {nullptr, nullptr, nullptr};

namespace {

VinduesNode *Find(HWND hwnd) {
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste)
    if (n->hwnd == hwnd) return n;
  return nullptr;
}

void Afkobl(VinduesNode *n) {
  if (n->forrige) n->forrige->naeste = n->naeste;
  else VinduesListe.hoved = n->naeste;
  if (n->naeste) n->naeste->forrige = n->forrige;
  else VinduesListe.hale = n->forrige;
  n->forrige = n->naeste = nullptr;
}

void IndsaetForrest(VinduesNode *n) {
  n->forrige = nullptr;
  n->naeste = VinduesListe.hoved;
  if (VinduesListe.hoved) VinduesListe.hoved->forrige = n;
  VinduesListe.hoved = n;
  if (!VinduesListe.hale) VinduesListe.hale = n;
}

struct Udsendelse {
  UINT msg;
  WPARAM w;
  LPARAM l;
  HWND undtagen;
  LRESULT res;
};

void SendTilElement(HWND hwnd, void *data) {
  auto *u = static_cast<Udsendelse *>(data);
  if (hwnd && hwnd != u->undtagen) u->res = SendMessageA(hwnd, u->msg, u->w, u->l);
}

}  // namespace

int VinduesListeTilfoej(HWND hwnd) {
  auto *n = static_cast<VinduesNode *>(calloc(1, sizeof(VinduesNode)));
  if (!n) return -1;
  n->hwnd = hwnd;
  IndsaetForrest(n);
  return 0;
}

int VinduesListeFjern(HWND hwnd) {
  VinduesNode *n = Find(hwnd);
  if (!n) return -1;
  Afkobl(n);
  free(n);
  return 0;
}

HWND VinduesListeForrest() { return VinduesListe.hoved ? VinduesListe.hoved->hwnd : 0; }

int VinduesListeTilTop(HWND hwnd) {
  VinduesNode *n = Find(hwnd);
  if (!n) return -1;
  if (n != VinduesListe.hoved) {
    Afkobl(n);
    IndsaetForrest(n);
  }
  return 0;
}

int VinduesListeAntal() {
  int antal = 0;
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste) ++antal;
  return antal;
}

HWND FindVindueType(int type) {
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste)
    if (GetWindowLongA(n->hwnd, GWL_ID) == type) return n->hwnd;
  return 0;
}

LRESULT SendTilAlleVinduer(UINT msg, WPARAM wParam, LPARAM lParam, HWND undtagen) {
  Udsendelse u{msg, wParam, lParam, undtagen, 0};
  if (VinduesKrog.ForHvertElement) VinduesKrog.ForHvertElement(SendTilElement, &u);
  // A window may close itself while handling the message; the handles are
  // taken first so the walk never follows a freed node.
  std::vector<HWND> vinduer;
  for (VinduesNode *n = VinduesListe.hale; n; n = n->forrige) vinduer.push_back(n->hwnd);
  for (HWND h : vinduer)
    if (h != undtagen && Find(h)) u.res = SendMessageA(h, msg, wParam, lParam);
  return u.res;
}

void LukVinduerUndtagPlan() {
  if (VinduesListeAntal() == 0) {
    if (VinduesKrog.NulstilGenaabning) VinduesKrog.NulstilGenaabning();
    return;
  }
  LukkerAlleVinduer = 1;
  std::vector<HWND> vinduer;
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste)
    if (GetWindowLongA(n->hwnd, GWL_ID) != kPlanVindueType) vinduer.push_back(n->hwnd);
  for (auto it = vinduer.rbegin(); it != vinduer.rend(); ++it) {
    DestroyWindow(*it);
    // A window that did not take itself off the list must not stay on it
    // as a dead handle.
    VinduesListeFjern(*it);
  }
  if (VinduesKrog.NulstilGenaabning) VinduesKrog.NulstilGenaabning();
  LukkerAlleVinduer = 0;
}

void LukAlleVinduer() {
  if (HWND plan = FindVindueType(kPlanVindueType)) {
    DestroyWindow(plan);
    VinduesListeFjern(plan);
  }
  LukVinduerUndtagPlan();
  if (VinduesKrog.CloseAllElements) VinduesKrog.CloseAllElements();
  if (hwndDesktop) {
    SendMessageA(hwndDesktop, ELEMENT_FRIT_AREAL, 0, 0);
    SendMessageA(hwndDesktop, WM_PAINT, 0, 0);
  }
}
