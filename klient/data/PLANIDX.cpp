// The plan list's lookups by key, so that no question walks the whole list.
#include "PLANIDX.h"

#include <algorithm>
#include <vector>

#include "TALTAB.h"
#include "tavo/prefetch.h"

namespace {

// Bumped whenever the list is freed or begun anew: each index compares it
// with the one it was built under.
uint64_t gGeneration = 1;

uint32_t PlanAntal() { return PlanTal.PlanTab ? PlanTal.Antal : 0; }

const PlanTabPost &Post(uint32_t n) { return PlanTal.PlanTab[n]; }

// Each field times its own odd constant, then the high bits folded down:
// a few multiplications for a key that is asked for every event.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0) {
  uint64_t h = a * 0x9E3779B97F4A7C15ull ^ b * 0xC2B2AE3D27D4EB4Full ^ c * 0x165667B19E3779F9ull ^
               d * 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  h *= 0x94D049BB133111EBull;
  return static_cast<uint32_t>(h >> 32);
}

// Open addressing over slots that hold their whole key, so a question
// reads no entry of the list: a slot type P has its key fields, an entry
// number `post` that is 0 in a free slot, and Plads(), where its key
// starts probing.
template <class P>
class Tabel {
 public:
  // At most fyld quarters of the slots are taken.
  explicit Tabel(uint32_t fyld = 3) : fyld_(fyld) {}

  // Brings the key's first slot toward the cache; answers nothing.
  void Forhaand(uint32_t start) const {
    if (!pladser_.empty()) tavo::Prefetch(&pladser_[start & maske_]);
  }

  template <class Lig>
  const P *Find(uint32_t start, Lig lig) const {
    if (pladser_.empty() || snavset_) return nullptr;
    for (size_t i = start & maske_;; i = (i + 1) & maske_) {
      const P &p = pladser_[i];
      if (p.post == 0) return nullptr;
      if (lig(p)) return &p;
    }
  }

  // The key's slot; a new one is cleared with *pNy set, and the caller
  // writes its key and a post before anything else asks.
  template <class Lig>
  P &Saet(uint32_t start, Lig lig, bool *pNy) {
    if ((antal_ + 1) * 4 > pladser_.size() * fyld_) Voks(pladser_.empty() ? 64 : pladser_.size() * 2);
    if (snavset_) Rens();
    for (size_t i = start & maske_;; i = (i + 1) & maske_) {
      P &p = pladser_[i];
      if (p.post == 0) {
        ++antal_;
        *pNy = true;
        return p;
      }
      if (lig(p)) {
        *pNy = false;
        return p;
      }
    }
  }

  // Empty from now on. The slots are cleared when the table is next
  // filled, so that they are in the cache while it is filled.
  void Ryd() {
    snavset_ = snavset_ || antal_ > 0;
    antal_ = 0;
  }
  // Room for n more keys without growing on the way.
  void Reserver(size_t n) {
    if (n == 0) return;
    size_t stoerrelse = pladser_.empty() ? 64 : pladser_.size();
    while ((antal_ + n) * 4 > stoerrelse * fyld_) stoerrelse *= 2;
    if (stoerrelse != pladser_.size()) Voks(stoerrelse);
  }
  void Fri() {
    std::vector<P>().swap(pladser_);
    antal_ = 0;
    maske_ = 0;
    snavset_ = false;
  }

 private:
  void Rens() {
    std::fill(pladser_.begin(), pladser_.end(), P{});
    snavset_ = false;
  }
  void Voks(size_t stoerrelse) {
    std::vector<P> gamle = std::move(pladser_);
    if (snavset_) gamle.clear();
    snavset_ = false;
    pladser_.assign(stoerrelse, P{});
    maske_ = pladser_.size() - 1;
    for (const P &p : gamle) {
      if (p.post == 0) continue;
      size_t i = p.Plads() & maske_;
      while (pladser_[i].post != 0) i = (i + 1) & maske_;
      pladser_[i] = p;
    }
  }
  std::vector<P> pladser_;
  size_t antal_ = 0;
  size_t maske_ = 0;
  uint32_t fyld_;
  bool snavset_ = false;  // emptied, the slots not yet cleared
};

// One index: the entries it has taken in, under which list generation.
// Each index catches up on its own, so a question of one kind builds only
// what it needs.
template <class Selv>
struct Indeks {
  uint64_t gen = 0;
  uint32_t sat = 0;

  Selv &Indhentet() {
    Selv &s = static_cast<Selv &>(*this);
    const uint32_t antal = PlanAntal();
    if (gen != gGeneration || antal < sat) {
      s.Ryd();
      gen = gGeneration;
      sat = 0;
    }
    if (antal > sat) s.TagIn(sat + 1, antal);
    sat = antal;
    return s;
  }
};

// ---- The list a recount began with ----

struct HusketNoegle {
  uint32_t akti, anfo, skfa, uge;
  uint8_t art;
  static HusketNoegle Af(const PlanTabPost &e) { return {e.akti, e.anfo, e.skfa, e.UgeIdx, e.Art}; }
  bool Lig(const PlanTabPost &e) const {
    return akti == e.akti && anfo == e.anfo && skfa == e.skfa && uge == e.UgeIdx && art == e.Art;
  }
};

// The kept keys, and how far the list has been compared with them: entries
// 1..lige match, entries up to sat have been looked at (never past the
// kept ones: what follows them does not matter).
struct ListeHusk {
  std::vector<HusketNoegle> noegler;
  uint64_t nummer = 0, sidsteNummer = 0;
  uint64_t gen = 0;
  uint32_t sat = 0, lige = 0;

  void Gen() {
    if (gen != gGeneration || PlanAntal() < sat) {
      gen = gGeneration;
      sat = lige = 0;
    }
  }
  // Entry n, the one after those looked at.
  void Se(uint32_t n, const PlanTabPost &e) {
    if (n != sat + 1 || n > noegler.size()) return;
    if (lige == sat && noegler[n - 1].Lig(e)) lige = n;
    sat = n;
  }
  void Indhent(uint32_t til) {
    Gen();
    til = std::min<uint32_t>({til, PlanAntal(), static_cast<uint32_t>(noegler.size())});
    // Past the first difference nothing is read.
    if (lige < sat) sat = std::max(sat, til);
    for (uint32_t n = sat + 1; n <= til && lige == sat; ++n) Se(n, Post(n));
    if (sat < til) sat = til;
  }
  void Fri() {
    std::vector<HusketNoegle>().swap(noegler);
    nummer = 0;
    sat = lige = 0;
  }
};

ListeHusk gListe;

// ---- The first entry per key, one table per week ----
//
// The recount asks week by week, so each week has a table of its own that
// stays in the cache while its events are counted. Weeks from 64 on share
// the last table; the week is part of every key all the same.

constexpr uint32_t UGE_TABELLER = 64;

uint32_t UgeTabel(uint32_t uge) { return uge < UGE_TABELLER ? uge : UGE_TABELLER; }

// A key of a week's table: activity, employment, a third field and the
// week. The events ask by subject (skema), the postings by kind (timoak).
struct UgePlads {
  uint32_t akti, anfo, tredje, uge, post;
  uint32_t Plads() const { return Hash(akti, anfo, tredje, uge); }
  bool Lig(const UgePlads &o) const {
    return akti == o.akti && anfo == o.anfo && tredje == o.tredje && uge == o.uge;
  }
};

// The postings ask with the kind as part of the key, so each kind has a
// table of its own: a posting's question then probes among the entries of
// its kind only (most of a week's entries are the plan lines' lessons),
// and the tables it reads stay small enough for the cache.
constexpr uint32_t ART_TABELLER = 5;

uint32_t ArtTabel(uint32_t art) {
  switch (art) {
    case 'U': return 0;
    case 'A': return 1;
    case 'R': return 2;
    case 'E': return 3;
    default: return 4;
  }
}

// Both questions by week. Each table takes in the entries made since its
// last question on its own, so the postings' new entries wait for the
// events' table until an event asks; after a rebuild of the list one walk
// of it serves the two.
struct UgeIndeks {
  struct Uge {
    Tabel<UgePlads> skema, timoak[ART_TABELLER];
    Tabel<UgePlads> &Timoak(uint32_t art) { return timoak[ArtTabel(art)]; }
  };
  std::vector<Uge> uger = std::vector<Uge>(UGE_TABELLER + 1);
  uint64_t gen = 0;
  uint32_t satSkema = 0, satTimoak = 0;
  // The new entries of each week, in list order, while many are taken in.
  struct Ny {
    uint32_t akti, anfo, skfa, art, uge, post;
  };
  std::vector<std::vector<Ny>> nye;

  void Fri() {
    for (Uge &u : uger) {
      u.skema.Fri();
      for (Tabel<UgePlads> &t : u.timoak) t.Fri();
    }
    std::vector<std::vector<Ny>>().swap(nye);
    gen = 0;
  }
  static void Tag(Tabel<UgePlads> &t, const UgePlads &k) {
    bool ny = false;
    UgePlads &p = t.Saet(k.Plads(), [&](const UgePlads &x) { return x.Lig(k); }, &ny);
    if (ny) p = k;
  }
  void TagSkema(const Ny &e) { Tag(uger[UgeTabel(e.uge)].skema, {e.akti, e.anfo, e.skfa, e.uge, e.post}); }
  void TagTimoak(const Ny &e) { Tag(uger[UgeTabel(e.uge)].Timoak(e.art), {e.akti, e.anfo, e.art, e.uge, e.post}); }
  static Ny Af(const PlanTabPost &e, uint32_t n) { return {e.akti, e.anfo, e.skfa, e.Art, e.UgeIdx, n}; }

  // The tables asked for, up to the list's end.
  void Indhent(bool skema, bool timoak) {
    const uint32_t antal = PlanAntal();
    if (gen != gGeneration || antal < satSkema || antal < satTimoak) {
      for (Uge &u : uger) {
        u.skema.Ryd();
        for (Tabel<UgePlads> &t : u.timoak) t.Ryd();
      }
      gen = gGeneration;
      satSkema = satTimoak = 0;
    }
    const bool mangeSkema = skema && antal - satSkema >= 4096;
    const bool mangeTimoak = timoak && antal - satTimoak >= 4096;
    if (mangeSkema || mangeTimoak) Mange(mangeSkema, mangeTimoak, antal);
    if (skema)
      for (; satSkema < antal; ++satSkema) TagSkema(Af(Post(satSkema + 1), satSkema + 1));
    if (timoak)
      for (; satTimoak < antal; ++satTimoak) TagTimoak(Af(Post(satTimoak + 1), satTimoak + 1));
  }
  // Many at once, as after a rebuild of the list: the new keys are read in
  // list order into their week, keeping that order within a week, and each
  // week's tables are then filled while they are in the cache.
  void Mange(bool skema, bool timoak, uint32_t antal) {
    const uint32_t fra = std::min(skema ? satSkema : antal, timoak ? satTimoak : antal);
    nye.resize(UGE_TABELLER + 1);
    for (std::vector<Ny> &v : nye) v.clear();
    // The kept list is compared in the same walk, while the entries are
    // read anyway.
    gListe.Indhent(fra);
    for (uint32_t n = fra + 1; n <= antal; ++n) {
      const PlanTabPost &e = Post(n);
      gListe.Se(n, e);
      nye[UgeTabel(e.UgeIdx)].push_back(Af(e, n));
    }
    for (uint32_t u = 0; u <= UGE_TABELLER; ++u) {
      // The week's tables grow once to what the week's new keys need, not
      // by doubling while they are taken in.
      if (skema) uger[u].skema.Reserver(Nye(nye[u], satSkema));
      if (timoak) {
        size_t artNye[ART_TABELLER] = {};
        for (const Ny &e : nye[u])
          if (e.post > satTimoak) ++artNye[ArtTabel(e.art)];
        for (uint32_t a = 0; a < ART_TABELLER; ++a) uger[u].timoak[a].Reserver(artNye[a]);
      }
      if (skema)
        for (const Ny &e : nye[u])
          if (e.post > satSkema) TagSkema(e);
      if (timoak)
        for (const Ny &e : nye[u])
          if (e.post > satTimoak) TagTimoak(e);
    }
    if (skema) satSkema = antal;
    if (timoak) satTimoak = antal;
  }
  // The entries of a week's list after entry sat (the list is in order).
  static size_t Nye(const std::vector<Ny> &v, uint32_t sat) {
    const auto i = std::upper_bound(v.begin(), v.end(), sat, [](uint32_t n, const Ny &e) { return n < e.post; });
    return static_cast<size_t>(v.end() - i);
  }
  static uint32_t Find(const Tabel<UgePlads> &t, const UgePlads &soeg) {
    const UgePlads *p = t.Find(soeg.Plads(), [&](const UgePlads &x) { return x.Lig(soeg); });
    return p ? p->post : 0;
  }
  uint32_t FindSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, uint32_t uge) {
    Indhent(true, false);
    return Find(uger[UgeTabel(uge)].skema, {akti, anfo, skfa, uge, 0});
  }
  void ForhaandSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, uint32_t uge) const {
    uger[UgeTabel(uge)].skema.Forhaand(UgePlads{akti, anfo, skfa, uge, 0}.Plads());
  }
  void ForhaandTimoak(uint32_t akti, uint32_t anfo, uint32_t art, uint32_t uge) const {
    uger[UgeTabel(uge)].timoak[ArtTabel(art)].Forhaand(UgePlads{akti, anfo, art, uge, 0}.Plads());
  }
  uint32_t FindTimoak(uint32_t akti, uint32_t anfo, uint32_t art, uint32_t uge) {
    Indhent(false, true);
    return Find(uger[UgeTabel(uge)].Timoak(art), {akti, anfo, art, uge, 0});
  }
};

// ---- Every entry of a key in list order: head, tail and successors ----

constexpr uint32_t GrundIndeks_UGER = 64;

struct GrundPlads {
  uint32_t ffgrund, uge, post, hale;  // post: the head
  static uint32_t Start(uint32_t ffgrund, uint32_t uge) { return Hash(ffgrund, uge); }
  uint32_t Plads() const { return Start(ffgrund, uge); }
};

struct AnfoPlads {
  uint32_t anfo, post, hale;
  static uint32_t Start(uint32_t anfo) { return Hash(anfo); }
  uint32_t Plads() const { return Start(anfo); }
};

struct AktiFagPlads {
  uint32_t akti, skfa, post, hale;
  static uint32_t Start(uint32_t akti, uint32_t skfa) { return Hash(akti, skfa); }
  uint32_t Plads() const { return Start(akti, skfa); }
};

template <class P, class Noegle>
struct KaedeIndeks : Indeks<KaedeIndeks<P, Noegle>> {
  Tabel<P> t{Noegle::FYLD};
  std::vector<uint32_t> naeste;
  void Ryd() {
    t.Ryd();
    naeste.clear();
  }
  void Fri() {
    t.Fri();
    std::vector<uint32_t>().swap(naeste);
  }
  void TagIn(uint32_t fra, uint32_t til) {
    if (naeste.size() <= til) naeste.resize(static_cast<size_t>(til) + 1 + til / 2, 0);
    for (uint32_t n = fra; n <= til; ++n) {
      const PlanTabPost &e = Post(n);
      if (!Noegle::Med(e)) continue;
      const P ny = Noegle::Af(e, n);
      naeste[n] = 0;
      bool erNy = false;
      P &p = t.Saet(ny.Plads(), [&](const P &x) { return Noegle::Lig(x, ny); }, &erNy);
      if (erNy)
        p = ny;
      else
        naeste[p.hale] = n;
      p.hale = n;
    }
  }
  uint32_t Foerste(const P &soeg) {
    const P *p = this->Indhentet().t.Find(soeg.Plads(), [&](const P &x) { return Noegle::Lig(x, soeg); });
    return p ? p->post : 0;
  }
  uint32_t Naeste(uint32_t n) const { return n < naeste.size() ? naeste[n] : 0; }
};

struct GrundNoegle {
  static constexpr uint32_t FYLD = 3;
  static bool Med(const PlanTabPost &e) { return e.ffgrund != 0 && e.UgeIdx >= GrundIndeks_UGER; }
  static GrundPlads Af(const PlanTabPost &e, uint32_t n) { return {e.ffgrund, e.UgeIdx, n, n}; }
  static bool Lig(const GrundPlads &a, const GrundPlads &b) { return a.ffgrund == b.ffgrund && a.uge == b.uge; }
};

struct AnfoNoegle {
  static constexpr uint32_t FYLD = 3;
  static bool Med(const PlanTabPost &) { return true; }
  static AnfoPlads Af(const PlanTabPost &e, uint32_t n) { return {e.anfo, n, n}; }
  static bool Lig(const AnfoPlads &a, const AnfoPlads &b) { return a.anfo == b.anfo; }
};

struct AktiFagNoegle {
  static constexpr uint32_t FYLD = 3;
  static bool Med(const PlanTabPost &) { return true; }
  static AktiFagPlads Af(const PlanTabPost &e, uint32_t n) { return {e.akti, e.skfa, n, n}; }
  static bool Lig(const AktiFagPlads &a, const AktiFagPlads &b) { return a.akti == b.akti && a.skfa == b.skfa; }
};

// ---- Plan values ----
//
// Entries with a value (minute norm not negative) per employment, activity
// and subject: the last of them, and the first of a plan line.

struct VaerdiPlads {
  uint32_t anfo, akti, skfa, post, foerste0;  // post: the last
  float vaerdiPost, vaerdiFoerste0;           // their values
  static uint32_t Start(uint32_t anfo, uint32_t akti, uint32_t skfa) { return Hash(anfo, akti, skfa); }
  uint32_t Plads() const { return Start(anfo, akti, skfa); }
  bool Lig(uint32_t f, uint32_t a, uint32_t s) const { return anfo == f && akti == a && skfa == s; }
};

struct VaerdiIndeks : Indeks<VaerdiIndeks> {
  Tabel<VaerdiPlads> t;
  void Ryd() { t.Ryd(); }
  void Fri() { t.Fri(); }
  void TagIn(uint32_t fra, uint32_t til) {
    for (uint32_t n = fra; n <= til; ++n) {
      const PlanTabPost &e = Post(n);
      if (!(e.Minutnorm >= 0)) continue;
      const uint32_t anfo = e.anfo, akti = e.akti, skfa = e.skfa;
      bool ny = false;
      VaerdiPlads &p = t.Saet(
          VaerdiPlads::Start(anfo, akti, skfa), [&](const VaerdiPlads &x) { return x.Lig(anfo, akti, skfa); }, &ny);
      if (ny) p = {anfo, akti, skfa, 0, 0, 0, 0};
      p.post = n;
      p.vaerdiPost = e.Minutnorm;
      if (p.foerste0 == 0 && e.Kilde == 0) {
        p.foerste0 = n;
        p.vaerdiFoerste0 = e.Minutnorm;
      }
    }
  }
};

// The plan-line pass goes through a line's weeks one after the other, so
// each line has a block of its weeks 0..63 (head and tail of each), found
// through a small table of lines; later weeks go to a table of their own.
struct GrundIndeks : Indeks<GrundIndeks> {
  static constexpr uint32_t UGER = GrundIndeks_UGER;
  struct LinjePlads {
    uint32_t ffgrund, post;  // post: the line's block + 1
    uint32_t Plads() const { return Hash(ffgrund); }
  };
  struct Blok {
    uint32_t hoved[UGER], hale[UGER];
  };
  Tabel<LinjePlads> linjer;
  std::vector<Blok> blokke;
  KaedeIndeks<GrundPlads, GrundNoegle> senere;  // weeks from 64 on
  std::vector<uint32_t> naeste;

  void Ryd() {
    linjer.Ryd();
    blokke.clear();
    naeste.clear();
  }
  void Fri() {
    linjer.Fri();
    std::vector<Blok>().swap(blokke);
    std::vector<uint32_t>().swap(naeste);
  }
  Blok *BlokFor(uint32_t ffgrund, bool lav) {
    if (!lav) {
      const LinjePlads *p = linjer.Find(Hash(ffgrund), [&](const LinjePlads &x) { return x.ffgrund == ffgrund; });
      return p ? &blokke[p->post - 1] : nullptr;
    }
    bool ny = false;
    LinjePlads &p = linjer.Saet(Hash(ffgrund), [&](const LinjePlads &x) { return x.ffgrund == ffgrund; }, &ny);
    if (ny) {
      blokke.push_back(Blok{});
      p = {ffgrund, static_cast<uint32_t>(blokke.size())};
    }
    return &blokke[p.post - 1];
  }
  void TagIn(uint32_t fra, uint32_t til) {
    if (naeste.size() <= til) naeste.resize(static_cast<size_t>(til) + 1 + til / 2, 0);
    for (uint32_t n = fra; n <= til; ++n) {
      const PlanTabPost &e = Post(n);
      const uint32_t ffgrund = e.ffgrund, uge = e.UgeIdx;
      if (ffgrund == 0 || uge >= UGER) continue;
      naeste[n] = 0;
      Blok &b = *BlokFor(ffgrund, true);
      if (b.hoved[uge])
        naeste[b.hale[uge]] = n;
      else
        b.hoved[uge] = n;
      b.hale[uge] = n;
    }
  }
  uint32_t Foerste(uint32_t ffgrund, uint32_t uge) {
    if (uge >= UGER) return senere.Foerste({ffgrund, uge, 0, 0});
    const Blok *b = Indhentet().BlokFor(ffgrund, false);
    return b ? b->hoved[uge] : 0;
  }
  uint32_t Naeste(uint32_t n) const {
    if (n >= 1 && n <= PlanAntal() && Post(n).UgeIdx >= UGER) return senere.Naeste(n);
    return n < naeste.size() ? naeste[n] : 0;
  }
};

GrundIndeks gGrund;
KaedeIndeks<AnfoPlads, AnfoNoegle> gAnfo;
KaedeIndeks<AktiFagPlads, AktiFagNoegle> gAktiFag;
UgeIndeks gUge;
VaerdiIndeks gVaerdi;

}  // namespace

void PlanIndeksNulstil() { ++gGeneration; }

void PlanIndeksIndhent() {
  gUge.Indhent(true, true);
  gVaerdi.Indhentet();
}

void PlanIndeksFri() {
  gListe.Fri();
  gGrund.Fri();
  gGrund.senere.Fri();
  gAnfo.Fri();
  gAktiFag.Fri();
  gUge.Fri();
  gVaerdi.Fri();
  ++gGeneration;
}

uint32_t PlanGrundFoerste(uint32_t ffgrund, uint32_t uge) {
  return ffgrund ? gGrund.Foerste(ffgrund, uge) : 0;
}
uint32_t PlanGrundNaeste(uint32_t n) { return gGrund.Naeste(n); }

uint32_t PlanAnfoFoerste(uint32_t anfo) { return gAnfo.Foerste({anfo, 0, 0}); }
uint32_t PlanAnfoNaeste(uint32_t n) { return gAnfo.Naeste(n); }

uint32_t PlanAktiFagFoerste(uint32_t akti, uint32_t skfa) { return gAktiFag.Foerste({akti, skfa, 0, 0}); }
uint32_t PlanAktiFagNaeste(uint32_t n) { return gAktiFag.Naeste(n); }

uint32_t PlanFindSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, uint32_t uge) {
  return gUge.FindSkema(akti, anfo, skfa, uge);
}

uint32_t PlanFindTimoak(uint32_t akti, uint32_t anfo, uint32_t uge, uint8_t art) {
  return gUge.FindTimoak(akti, anfo, art, uge);
}

void PlanForhaandSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, uint32_t uge) {
  gUge.ForhaandSkema(akti, anfo, skfa, uge);
}

void PlanForhaandTimoak(uint32_t akti, uint32_t anfo, uint32_t uge, uint8_t art) {
  gUge.ForhaandTimoak(akti, anfo, art, uge);
}

bool PlanVaerdiFind(uint32_t anfo, uint32_t akti, uint32_t skfa, float *pVaerdi) {
  const VaerdiPlads *p = gVaerdi.Indhentet().t.Find(
      VaerdiPlads::Start(anfo, akti, skfa), [&](const VaerdiPlads &x) { return x.Lig(anfo, akti, skfa); });
  if (!p) return false;
  if (pVaerdi) *pVaerdi = p->foerste0 ? p->vaerdiFoerste0 : p->vaerdiPost;
  return p->foerste0 != 0;
}

uint64_t PlanListeHusk(uint32_t n) {
  n = std::min(n, PlanAntal());
  gListe.Indhent(n);
  // Only a list that still begins with the kept entries keeps them.
  if (gListe.lige < gListe.noegler.size() || n < gListe.noegler.size()) {
    gListe.noegler.clear();
    gListe.sat = gListe.lige = 0;
  }
  gListe.noegler.reserve(n);
  for (uint32_t k = static_cast<uint32_t>(gListe.noegler.size()) + 1; k <= n; ++k)
    gListe.noegler.push_back(HusketNoegle::Af(Post(k)));
  gListe.sat = gListe.lige = n;
  gListe.nummer = ++gListe.sidsteNummer;
  return gListe.nummer;
}

uint32_t PlanListeHusket(uint64_t *pNummer) {
  if (pNummer) *pNummer = gListe.nummer;
  return static_cast<uint32_t>(gListe.noegler.size());
}

bool PlanListeBegynderSomHusket() {
  gListe.Indhent(static_cast<uint32_t>(gListe.noegler.size()));
  return gListe.lige == gListe.noegler.size();
}
