#include "GRIDAKSE.h"
#include "BESKEDER.h"

#include <algorithm>
#include <cstring>

namespace {

int64_t GruppeBredde(const GridAkse *a) {
  return int64_t{a->Forkant} + int64_t{a->CelleBredde} * a->CellerPrGruppe + a->Bagkant +
         a->Mellemrum;
}

// The cell at a pixel that may lie before the axis (a view of width 0).
int64_t CelleVed(const GridAkse *a, int64_t pixel) {
  if (pixel < 0) return 0;
  if (pixel > UINT32_MAX) pixel = UINT32_MAX;
  return GridPixelTilCelle(a, static_cast<uint32_t>(pixel));
}

uint32_t TilOffset(int64_t v) {
  if (v < 0) return 0;
  if (v > UINT32_MAX) return UINT32_MAX;
  return static_cast<uint32_t>(v);
}

enum : unsigned {
  kPgUp = 33,
  kPgDn = 34,
  kEnd = 35,
  kHome = 36,
  kVenstre = 37,
  kOp = 38,
  kHoejre = 39,
  kNed = 40,
};

// Moves Aktuel; shared by the two key functions.
void Flyt(GridPos *pos, unsigned tast, bool ctrl, bool alt, bool treTrin, bool ctrlSideEnTrin) {
  const uint32_t vist = std::min(uint32_t{pos->Antal}, uint32_t{pos->Synlige});
  if (vist == 0 || tast < kPgUp || tast > kNed || tast == kEnd || tast == kHome) return;
  const bool tilbage = tast == kPgUp || tast == kVenstre || tast == kOp;
  if (pos->Aktuel == 0) {
    pos->Aktuel = pos->Foerste;
    return;
  }
  const bool pil = tast >= kVenstre;
  if (alt && pil) {
    pos->Aktuel = tilbage ? 1 : pos->Antal;
    return;
  }
  // GridPos is packed and may lie at any address: the cell is moved in a
  // copy, never through a reference to the field.
  uint32_t c = pos->Aktuel;
  [&] {
    if (!ctrl) {
      const bool tre = treTrin && (tast == kVenstre || tast == kHoejre);
      if (tilbage) {
        if (tre && c > 3)
          c -= 3;
        else if (c > 1)
          --c;
      } else {
        if (tre && pos->Antal > 3 && c < pos->Antal - 3)
          c += 3;
        else if (c < pos->Antal)
          ++c;
      }
      return;
    }
    if (!pil) {
      if (ctrlSideEnTrin) {
        if (tilbage && c > 1) --c;
        if (!tilbage && c < pos->Antal) ++c;
      }
      return;
    }
    const uint32_t side = pos->Synlige > 1 ? pos->Synlige - 1 : 1;
    if (tilbage) {
      if (c != pos->Foerste)
        c = pos->Foerste;
      else
        c = c > side ? c - side : 1;
    } else {
      const uint32_t sidste = pos->Foerste + vist - 1;
      if (c != sidste)
        c = sidste;
      else
        c = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{c} + side, pos->Antal));
    }
  }();
  pos->Aktuel = c;
}

}  // namespace

uint32_t GridPixelTilCelle(const GridAkse *a, uint32_t pixel) {
  if (a->CelleBredde == 0 || a->CellerPrGruppe == 0) return 0;
  const int64_t g = GruppeBredde(a);
  const int64_t p = int64_t{pixel} + 1;
  const int64_t q = p / g, r = p % g;
  const int64_t base = int64_t{a->CellerPrGruppe} * q;
  int64_t celle;
  if (r == 0) {
    celle = a->Mellemrum == 0 ? base : base + 1;
  } else if (r <= a->Forkant) {
    celle = base + 1;
  } else {
    const int64_t ind = r - a->Forkant;
    int64_t k = ind / a->CelleBredde;
    if (ind % a->CelleBredde != 0 && k < a->CellerPrGruppe) ++k;
    // Pixels of the end margin and the gap belong to the group's last cell,
    // however wide they are.
    celle = base + std::min<int64_t>(k, a->CellerPrGruppe);
  }
  return static_cast<uint32_t>(std::min<int64_t>(celle, UINT32_MAX));
}

uint32_t GridCelleStart(const GridAkse *a, uint32_t n) {
  if (n == 0 || a->CellerPrGruppe == 0) return 0;
  const int64_t g = (int64_t{n} - 1) / a->CellerPrGruppe;
  const int64_t i = int64_t{n} - int64_t{a->CellerPrGruppe} * g;
  int64_t start = GruppeBredde(a) * g;
  if (i >= 2) start += a->Forkant + (i - 1) * a->CelleBredde;
  return TilOffset(start);
}

uint32_t GridCelleSlut(const GridAkse *a, uint32_t n) {
  if (n == 0) return a->CelleBredde;
  if (a->CellerPrGruppe == 0) return 0;
  const int64_t g = (int64_t{n} - 1) / a->CellerPrGruppe;
  const int64_t i = int64_t{n} - int64_t{a->CellerPrGruppe} * g;
  int64_t slut = GruppeBredde(a) * g - 1 + a->Forkant + i * a->CelleBredde;
  if (i == a->CellerPrGruppe) slut += a->Bagkant;
  return TilOffset(slut);
}

bool GridScrollTilAktuel(GridPos *pos, uint32_t *offset, uint32_t extent, const GridAkse *akse) {
  const int64_t e0 = extent;
  int64_t o = *offset;
  int64_t s = 0, e = 0;
  const uint32_t c = pos->Aktuel;
  if (c != 0) {
    s = GridCelleStart(akse, c);
    e = GridCelleSlut(akse, c);
    if (s > o) {
      if (o + e0 - 1 < e) o = e - e0 + 1;
    } else {
      o = s;
    }
    if (o < 0) o = 0;
  }
  if (CelleVed(akse, o + e0 - 1) > pos->Antal) {
    if (c != 0) {
      const int64_t sidste = GridCelleSlut(akse, pos->Antal);
      if (e > o + e0 - 1)
        o = e - e0 + 1;
      else if (sidste > e0)
        o = sidste - e0 + 1;
      else
        o = 0;
    } else {
      o = 0;
    }
    if (o < 0) o = 0;
  }
  pos->Foerste = static_cast<uint32_t>(CelleVed(akse, o));
  pos->Synlige =
      extent == 0 ? 0 : static_cast<uint32_t>(CelleVed(akse, o + e0 - 1) + 1 - pos->Foerste);
  const bool aendret = TilOffset(o) != *offset;
  *offset = TilOffset(o);
  return aendret;
}

uint32_t GridCentrerCelle(const GridAkse *akse, uint32_t extent, uint32_t n, uint32_t antal) {
  if (n < 2 || GridCelleSlut(akse, antal) <= extent) return 0;
  const int64_t s = GridCelleStart(akse, n), e = GridCelleSlut(akse, n);
  if (e - s + 1 >= extent) return TilOffset(s);
  return TilOffset((s + e) / 2 - extent / 2);
}

void GridScrollPixel(const GridAkse *akse, uint32_t total, uint32_t extent, uint32_t *offset,
                     uint32_t kode) {
  const int64_t o = *offset, e0 = extent, t = total;
  switch (kode & 0xFFFF) {
    case 0: {  // line up
      if (o <= 0) return;
      const uint32_t c = GridPixelTilCelle(akse, *offset);
      if (o == GridCelleStart(akse, c) && c > 1)
        *offset = GridCelleStart(akse, c - 1);
      else
        *offset = GridCelleStart(akse, c);
      return;
    }
    case 1: {  // line down: the next cell's end touches the view's end
      const int64_t a = o + e0;
      if (a >= t - 1) return;
      uint32_t c = static_cast<uint32_t>(CelleVed(akse, a - 1));
      if (a - 1 == GridCelleSlut(akse, c)) ++c;
      *offset = TilOffset(int64_t{GridCelleSlut(akse, c)} + 1 - e0);
      return;
    }
    case 2:  // page up
      *offset = o > e0 ? TilOffset(o - e0) : 0;
      return;
    case 3:  // page down
      *offset = o + 2 * e0 >= t ? TilOffset(t - e0 - 1) : TilOffset(o + e0);
      return;
    case 4:
    case 5:
      *offset = (kode >> 16) & 0xFFFF;
      return;
    default:
      return;
  }
}

bool GridTastFlyt(GridPos *pos, unsigned tast) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  Flyt(pos, tast, ctrl, alt, false, false);
  return false;
}

bool GridTastFlytTrin(GridPos *pos, unsigned tast, int ctrl, int alt, bool treTrin, int proeve) {
  const uint32_t foer = pos->Aktuel;
  Flyt(pos, tast, ctrl < 0, alt < 0, treTrin, true);
  const bool aendret = pos->Aktuel != foer;
  if (proeve == 1) pos->Aktuel = foer;
  return aendret;
}

bool GridCifferKommando(HWND hwnd, unsigned tast, bool aktiv, unsigned hoejesteCiffer, int mode) {
  if (!aktiv) return false;
  if (mode != 2) return true;
  if (tast < '1' || tast > '9') return false;
  const unsigned ciffer = tast - '0';
  if (ciffer > hoejesteCiffer) return true;
  SendMessageA(hwnd, NYB_KLIK, 199 + ciffer, 0);
  return true;
}

bool GridCifferIndtast(HWND hwnd, unsigned tast, bool aktiv, bool indtastAktiv,
                       unsigned hoejesteCiffer, char *tekst, size_t tekstStoerrelse, int mode) {
  bool taget = false;
  if (indtastAktiv && mode == 2) {
    if (tast >= '0' && tast <= '9') {
      if (tekst != nullptr && tekstStoerrelse > 0) {
        const size_t n = strnlen(tekst, tekstStoerrelse);
        // A full buffer keeps what it has; the digit is dropped.
        if (n + 1 < tekstStoerrelse) {
          tekst[n] = static_cast<char>(tast);
          tekst[n + 1] = '\0';
        }
      }
      taget = true;
    } else if (tast == 'A' || tast == 'a') {
      SendMessageA(hwnd, TB_GRUPPE_INDEKS, 31, 0);
      taget = true;
    }
  }
  if (aktiv) return GridCifferKommando(hwnd, tast, aktiv, hoejesteCiffer, mode);
  return taget;
}
