// JSON reader: nodes with their texts are cut one after the other from
// blocks of 64 KB, each block freed when its last node is, so building and
// freeing a tree of millions of nodes costs no allocation per node; the
// parser walks the tree through the cursor and the parent links, never by
// recursion.
#include "json.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Lexer states. The letters of a word and the digits after \u are states
// of their own, so that a piece may end anywhere.
enum : int {
  L_START,
  L_STRENG,
  L_ESCAPE,
  L_U1, L_U2, L_U3, L_U4,
  L_TRUE_R, L_TRUE_U, L_TRUE_E,
  L_FALSE_A, L_FALSE_L, L_FALSE_S, L_FALSE_E,
  L_NULL_U, L_NULL_L1, L_NULL_L2,
  L_MINUS,
  L_EFTER_NUL,
  L_HELTAL,
  L_BROK_START,
  L_BROK,
  L_EKSPONENT_START,
  L_EKSPONENT_FORTEGN,
  L_EKSPONENT,
};

struct OrdTrin {
  char tegn;
  int naeste;        // the next letter's state, or -1: the word is complete
  json_token token;
};
const OrdTrin kOrd[] = {
    {'r', L_TRUE_U, JSON_TOK_MERE},    {'u', L_TRUE_E, JSON_TOK_MERE},
    {'e', -1, JSON_TOK_TRUE},          {'a', L_FALSE_L, JSON_TOK_MERE},
    {'l', L_FALSE_S, JSON_TOK_MERE},   {'s', L_FALSE_E, JSON_TOK_MERE},
    {'e', -1, JSON_TOK_FALSE},         {'u', L_NULL_L1, JSON_TOK_MERE},
    {'l', L_NULL_L2, JSON_TOK_MERE},   {'l', -1, JSON_TOK_NULL},
};

// Parser states; their numbers are the ones the error line shows.
enum : int {
  P_BEGIN,
  P_OBJEKT_AABNET,
  P_OBJEKT_FOERSTE,
  P_EFTER_MEDLEM,
  P_MEDLEMSNAVN,
  P_KOLON,
  P_MEDLEMSVAERDI,
  P_LISTE_AABNET,
  P_LISTE_ELEMENT,
  P_EFTER_ELEMENT,
  P_FAERDIG,
};

constexpr size_t STYKKE = 1024;

// Bytes a string takes as they are: all but the quote, the backslash and
// the control bytes (a zero byte included).
struct AlmindeligTabel {
  bool t[256];
  constexpr AlmindeligTabel() : t() {
    for (int c = 0; c < 256; ++c) t[c] = c >= 32 && c != '"' && c != '\\';
  }
};
constexpr AlmindeligTabel kAlmindelig;

bool ErCiffer(unsigned char c) { return c >= '0' && c <= '9'; }
bool ErHex(unsigned char c) {
  return ErCiffer(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool ErBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Room for n more bytes and the zero; false when memory runs out.
bool Plads(json_tekst *t, size_t n) {
  if (t->laengde + n < t->kapacitet) return true;
  size_t ny = t->kapacitet ? t->kapacitet : 8;
  while (t->laengde + n >= ny) ny *= 2;
  char *d = static_cast<char *>(realloc(t->data, ny));
  if (!d) return false;
  t->data = d;
  t->kapacitet = ny;
  return true;
}

void Slip(json_tekst *t) {
  free(t->data);
  t->data = nullptr;
  t->laengde = 0;
  t->kapacitet = 0;
}

json_token Afslut(json_tekst *t, json_token token) {
  t->data[t->laengde] = 0;
  return token;
}

bool ErSkalar(json_type type) { return type != JSON_OBJECT && type != JSON_ARRAY; }

// A block of nodes. Its count is the nodes alive in it, plus one while its
// thread still cuts nodes from it; whoever brings the count to 0 frees it.
struct Blok {
  std::atomic<uint32_t> tal;
  uint32_t brugt;  // bytes handed out, this head included
};
constexpr size_t BLOK_STR = 64 * 1024;
constexpr size_t HOVED = (sizeof(Blok) + 15) / 16 * 16;
// A node larger than this gets a block of its own.
constexpr size_t STOR_NODE = BLOK_STR / 4;

void Slip(Blok *b) {
  if (b && b->tal.fetch_sub(1, std::memory_order_acq_rel) == 1) free(b);
}

// The block this thread cuts its nodes from; given up when the thread ends.
struct AktuelBlok {
  Blok *b = nullptr;
  ~AktuelBlok() { Slip(b); }
};
thread_local AktuelBlok gAktuel;

void FrigivNode(json_node *n) {
  Slip(reinterpret_cast<Blok *>(reinterpret_cast<char *>(n) - n->blok));
}

void Besked(const json_laesetilstand *t) {
  fprintf(stderr, "JSON: state %d: defaulted at line %zd\n", t->parser, t->linje);
}

}  // namespace

json_node *json_ny_node(json_type type, const char *text, size_t laengde) {
  if (text && laengde > UINT32_MAX - BLOK_STR) return nullptr;
  const size_t plads = (sizeof(json_node) + (text ? laengde + 1 : 0) + 7) / 8 * 8;
  Blok *b;
  if (plads > STOR_NODE) {
    b = static_cast<Blok *>(malloc(HOVED + plads));
    if (!b) return nullptr;
    new (&b->tal) std::atomic<uint32_t>(1);
    b->brugt = static_cast<uint32_t>(HOVED + plads);
  } else {
    b = gAktuel.b;
    if (!b || b->brugt + plads > BLOK_STR) {
      Blok *ny = static_cast<Blok *>(malloc(BLOK_STR));
      if (!ny) return nullptr;
      new (&ny->tal) std::atomic<uint32_t>(1);
      ny->brugt = HOVED;
      Slip(b);
      gAktuel.b = b = ny;
    }
    b->tal.fetch_add(1, std::memory_order_relaxed);
    b->brugt += static_cast<uint32_t>(plads);
  }
  json_node *n = reinterpret_cast<json_node *>(reinterpret_cast<char *>(b) + b->brugt - plads);
  memset(n, 0, sizeof *n);
  n->blok = static_cast<uint32_t>(reinterpret_cast<char *>(n) - reinterpret_cast<char *>(b));
  n->type = type;
  if (text) {
    n->text = reinterpret_cast<char *>(n + 1);
    memcpy(n->text, text, laengde);
    n->text[laengde] = 0;
  }
  return n;
}

int json_indsaet_barn(json_node *foraelder, json_node *barn) {
  if (!foraelder || !barn || foraelder == barn) return JSON_STRUKTUR;
  // A node already in a tree would leave its old place broken.
  if (barn->parent || barn->next || barn->previous) return JSON_STRUKTUR;
  switch (foraelder->type) {
    case JSON_OBJECT:
      if (barn->type != JSON_STRING) return JSON_STRUKTUR;
      break;
    case JSON_STRING:
    case JSON_ARRAY:
      if (ErSkalar(barn->type) && barn->child) return JSON_STRUKTUR;
      break;
    default:
      return JSON_STRUKTUR;
  }
  // A node with children must not become its own descendant.
  if (barn->child)
    for (const json_node *p = foraelder; p; p = p->parent)
      if (p == barn) return JSON_STRUKTUR;
  barn->parent = foraelder;
  barn->previous = foraelder->child_end;
  barn->next = nullptr;
  if (foraelder->child_end) foraelder->child_end->next = barn;
  else foraelder->child = barn;
  foraelder->child_end = barn;
  return JSON_INDSAT;
}

void json_frigiv(json_node *rod) {
  if (!rod) return;
  if (json_node *p = rod->parent) {
    if (rod->previous) rod->previous->next = rod->next;
    else p->child = rod->next;
    if (rod->next) rod->next->previous = rod->previous;
    else p->child_end = rod->previous;
  }
  rod->parent = rod->next = rod->previous = nullptr;
  // Down to a node without children, free it, on to its next sibling or
  // back to its parent, which has one child fewer.
  json_node *n = rod;
  while (n) {
    if (n->child) {
      n = n->child;
      continue;
    }
    json_node *videre = n->next ? n->next : n->parent;
    if (n->parent) {
      n->parent->child = n->next;
      if (!n->next) n->parent->child_end = nullptr;
    }
    FrigivNode(n);
    n = videre;
  }
}

json_token json_naeste_token(const char *stykke, size_t laengde, size_t *pos, int *lexer,
                             json_tekst *tekst, ssize_t *linje) {
  const unsigned char *s = reinterpret_cast<const unsigned char *>(stykke);
  size_t i = *pos;
  json_token token = JSON_TOK_MERE;
  bool hukommelse = false;

  // Appends one byte to the token's text.
  auto tilfoej = [&](unsigned char c) {
    if (!Plads(tekst, 1)) {
      hukommelse = true;
      return false;
    }
    tekst->data[tekst->laengde++] = static_cast<char>(c);
    return true;
  };
  // Appends the bytes from i up to j and moves on to j.
  auto tilfoejTil = [&](size_t j) {
    if (!Plads(tekst, j - i)) {
      hukommelse = true;
      return;
    }
    memcpy(tekst->data + tekst->laengde, s + i, j - i);
    tekst->laengde += j - i;
    i = j;
  };
  // A number ends at white space (taken) or before , ] } (left).
  auto talSlut = [&](unsigned char c) {
    if (ErBlank(c)) {
      if (c == '\n' || c == '\r') ++*linje;
      ++i;
      return true;
    }
    return c == ',' || c == ']' || c == '}';
  };

  while (i < laengde && token == JSON_TOK_MERE) {
    const unsigned char c = s[i];
    switch (*lexer) {
      case L_START:
        ++i;
        switch (c) {
          case ' ':
          case '\t':
            break;
          case '\n':
          case '\r':
            ++*linje;
            break;
          case '"':
            tekst->laengde = 0;
            if (!Plads(tekst, 0)) hukommelse = true;
            else *lexer = L_STRENG;
            break;
          case '-':
            tekst->laengde = 0;
            if (tilfoej(c)) *lexer = L_MINUS;
            break;
          case 't': *lexer = L_TRUE_R; break;
          case 'f': *lexer = L_FALSE_A; break;
          case 'n': *lexer = L_NULL_U; break;
          case '{': token = JSON_TOK_OBJEKT_START; break;
          case '}': token = JSON_TOK_OBJEKT_SLUT; break;
          case '[': token = JSON_TOK_LISTE_START; break;
          case ']': token = JSON_TOK_LISTE_SLUT; break;
          case ':': token = JSON_TOK_KOLON; break;
          case ',': token = JSON_TOK_KOMMA; break;
          default:
            if (ErCiffer(c)) {
              tekst->laengde = 0;
              if (tilfoej(c)) *lexer = c == '0' ? L_EFTER_NUL : L_HELTAL;
            } else {
              token = JSON_TOK_ULOVLIG;
            }
        }
        break;

      case L_STRENG: {
        // The run of ordinary bytes goes over in one copy.
        size_t j = i;
        while (j < laengde && kAlmindelig.t[s[j]]) ++j;
        if (j > i) {
          tilfoejTil(j);
          break;
        }
        ++i;
        if (c == '"') {
          *lexer = L_START;
          token = Afslut(tekst, JSON_TOK_STRENG);
        } else if (c == '\\') {
          if (tilfoej(c)) *lexer = L_ESCAPE;
        } else {
          token = JSON_TOK_ULOVLIG;
        }
        break;
      }

      case L_ESCAPE:
        ++i;
        if (c == '"' || c == '/' || c == '\\' || c == 'b' || c == 'f' || c == 'n' || c == 'r' ||
            c == 't') {
          if (tilfoej(c)) *lexer = L_STRENG;
        } else if (c == 'u') {
          if (tilfoej(c)) *lexer = L_U1;
        } else {
          token = JSON_TOK_ULOVLIG;
        }
        break;

      case L_U1:
      case L_U2:
      case L_U3:
      case L_U4:
        ++i;
        if (!ErHex(c)) token = JSON_TOK_ULOVLIG;
        else if (tilfoej(c)) *lexer = *lexer == L_U4 ? L_STRENG : *lexer + 1;
        break;

      case L_TRUE_R: case L_TRUE_U: case L_TRUE_E:
      case L_FALSE_A: case L_FALSE_L: case L_FALSE_S: case L_FALSE_E:
      case L_NULL_U: case L_NULL_L1: case L_NULL_L2: {
        const OrdTrin &t = kOrd[*lexer - L_TRUE_R];
        ++i;
        if (c != static_cast<unsigned char>(t.tegn)) token = JSON_TOK_ULOVLIG;
        else if (t.naeste >= 0) *lexer = t.naeste;
        else token = t.token;
        if (token != JSON_TOK_MERE) *lexer = L_START;
        break;
      }

      case L_MINUS:
        if (!ErCiffer(c)) {
          token = JSON_TOK_ULOVLIG;
          break;
        }
        ++i;
        if (tilfoej(c)) *lexer = c == '0' ? L_EFTER_NUL : L_HELTAL;
        break;

      case L_EFTER_NUL:
      case L_HELTAL:
      case L_BROK:
      case L_EKSPONENT:
        if (ErCiffer(c) && *lexer != L_EFTER_NUL) {
          // A run of digits in one copy.
          size_t j = i;
          while (j < laengde && ErCiffer(s[j])) ++j;
          tilfoejTil(j);
        } else if (c == '.' && (*lexer == L_EFTER_NUL || *lexer == L_HELTAL)) {
          ++i;
          if (tilfoej(c)) *lexer = L_BROK_START;
        } else if ((c == 'e' || c == 'E') && *lexer != L_EKSPONENT) {
          ++i;
          if (tilfoej(c)) *lexer = L_EKSPONENT_START;
        } else if (talSlut(c)) {
          *lexer = L_START;
          token = Afslut(tekst, JSON_TOK_TAL);
        } else {
          token = JSON_TOK_ULOVLIG;
        }
        break;

      case L_BROK_START:
      case L_EKSPONENT_FORTEGN:
        if (!ErCiffer(c)) {
          token = JSON_TOK_ULOVLIG;
          break;
        }
        ++i;
        if (tilfoej(c)) *lexer = *lexer == L_BROK_START ? L_BROK : L_EKSPONENT;
        break;

      case L_EKSPONENT_START:
        ++i;
        if (c == '+' || c == '-') {
          if (tilfoej(c)) *lexer = L_EKSPONENT_FORTEGN;
        } else if (ErCiffer(c)) {
          if (tilfoej(c)) *lexer = L_EKSPONENT;
        } else {
          token = JSON_TOK_ULOVLIG;
        }
        break;

      default:
        token = JSON_TOK_ULOVLIG;
    }
    if (hukommelse) {
      Slip(tekst);
      *lexer = L_START;
      *pos = i;
      return JSON_TOK_HUKOMMELSE;
    }
  }
  if (token == JSON_TOK_ULOVLIG) *lexer = L_START;
  *pos = i;
  return token;
}

void json_start(json_laesetilstand *t) {
  memset(t, 0, sizeof *t);
  t->parser = P_BEGIN;
  t->lexer = L_START;
  t->linje = 1;
}

int json_fortolk_stykke(json_laesetilstand *t, const char *stykke) {
  return json_fortolk_stykke(t, stykke, strlen(stykke));
}

namespace {

// A finished object or array: back to what holds it.
int Luk(json_laesetilstand *t) {
  json_node *n = t->cursor;
  json_node *p = n->parent;
  if (!p) {
    t->parser = P_FAERDIG;
  } else if (p->type == JSON_ARRAY) {
    t->cursor = p;
    t->parser = P_EFTER_ELEMENT;
  } else if (p->type == JSON_STRING && p->parent && p->parent->type == JSON_OBJECT) {
    t->cursor = p->parent;
    t->parser = P_EFTER_MEDLEM;
  } else {
    return JSON_STRUKTUR;
  }
  return 0;
}

// A node for a scalar token, placed under the cursor. 0, or the result.
int Skalar(json_laesetilstand *t, json_token token) {
  json_node *n;
  switch (token) {
    case JSON_TOK_STRENG: n = json_ny_node(JSON_STRING, t->tekst.data, t->tekst.laengde); break;
    case JSON_TOK_TAL: n = json_ny_node(JSON_NUMBER, t->tekst.data, t->tekst.laengde); break;
    case JSON_TOK_TRUE: n = json_ny_node(JSON_TRUE, nullptr, 0); break;
    case JSON_TOK_FALSE: n = json_ny_node(JSON_FALSE, nullptr, 0); break;
    default: n = json_ny_node(JSON_NULL, nullptr, 0); break;
  }
  if (!n) return JSON_HUKOMMELSE;
  if (json_indsaet_barn(t->cursor, n) != JSON_INDSAT) {
    json_frigiv(n);
    return JSON_ANDEN_FEJL;
  }
  return 0;
}

bool ErSkalarToken(json_token token) {
  return token == JSON_TOK_STRENG || token == JSON_TOK_TAL || token == JSON_TOK_TRUE ||
         token == JSON_TOK_FALSE || token == JSON_TOK_NULL;
}

// A new object or array under the cursor, which it becomes. 0, or the result.
int Aabn(json_laesetilstand *t, json_type type) {
  json_node *n = json_ny_node(type, nullptr, 0);
  if (!n) return JSON_HUKOMMELSE;
  if (t->cursor && json_indsaet_barn(t->cursor, n) != JSON_INDSAT) {
    json_frigiv(n);
    return JSON_ANDEN_FEJL;
  }
  t->cursor = n;
  return 0;
}

// A member name: a label under the object, and the cursor.
int Etiket(json_laesetilstand *t) {
  json_node *n = json_ny_node(JSON_STRING, t->tekst.data, t->tekst.laengde);
  if (!n) return JSON_HUKOMMELSE;
  if (json_indsaet_barn(t->cursor, n) != JSON_INDSAT) {
    json_frigiv(n);
    return JSON_ANDEN_FEJL;
  }
  t->cursor = n;
  t->parser = P_KOLON;
  return 0;
}

}  // namespace

int json_fortolk_stykke(json_laesetilstand *t, const char *stykke, size_t laengde) {
  t->pos = 0;
  if (laengde == 0) return t->parser == P_FAERDIG ? JSON_ROD_LUKKET : JSON_MERE;
  for (;;) {
    int r = 0;
    if (t->parser == P_OBJEKT_AABNET || t->parser == P_LISTE_AABNET) {
      const bool objekt = t->parser == P_OBJEKT_AABNET;
      r = Aabn(t, objekt ? JSON_OBJECT : JSON_ARRAY);
      if (r) return r;
      t->parser = objekt ? P_OBJEKT_FOERSTE : P_LISTE_ELEMENT;
      continue;
    }
    const json_token token = json_naeste_token(stykke, laengde, &t->pos, &t->lexer, &t->tekst, &t->linje);
    if (token == JSON_TOK_MERE) {
      if (t->parser == P_BEGIN) {
        Besked(t);
        return JSON_FORKERT;
      }
      return t->parser == P_FAERDIG ? JSON_ROD_LUKKET : JSON_MERE;
    }
    if (token == JSON_TOK_HUKOMMELSE) return JSON_HUKOMMELSE;

    bool kendt = true;
    switch (t->parser) {
      case P_BEGIN:
        if (token == JSON_TOK_OBJEKT_START) t->parser = P_OBJEKT_AABNET;
        else if (token == JSON_TOK_ULOVLIG) return JSON_FORKERT;
        else kendt = false;
        break;
      case P_OBJEKT_FOERSTE:
      case P_MEDLEMSNAVN:
        if (token == JSON_TOK_STRENG) r = Etiket(t);
        else if (token == JSON_TOK_OBJEKT_SLUT && t->parser == P_OBJEKT_FOERSTE) r = Luk(t);
        else if (token == JSON_TOK_ULOVLIG && t->parser == P_MEDLEMSNAVN) return JSON_ULOVLIGT_TEGN;
        else kendt = false;
        break;
      case P_EFTER_MEDLEM:
        if (token == JSON_TOK_KOMMA) t->parser = P_MEDLEMSNAVN;
        else if (token == JSON_TOK_OBJEKT_SLUT) r = Luk(t);
        else kendt = false;
        break;
      case P_KOLON:
        if (token == JSON_TOK_KOLON) t->parser = P_MEDLEMSVAERDI;
        else kendt = false;
        break;
      case P_MEDLEMSVAERDI:
        if (ErSkalarToken(token)) {
          r = Skalar(t, token);
          t->cursor = t->cursor->parent;
          t->parser = P_EFTER_MEDLEM;
        } else if (token == JSON_TOK_OBJEKT_START) {
          t->parser = P_OBJEKT_AABNET;
        } else if (token == JSON_TOK_LISTE_START) {
          t->parser = P_LISTE_AABNET;
        } else if (token == JSON_TOK_ULOVLIG) {
          return JSON_ULOVLIGT_TEGN;
        } else {
          kendt = false;
        }
        break;
      case P_LISTE_ELEMENT:
      case P_EFTER_ELEMENT:
        if (t->parser == P_LISTE_ELEMENT && ErSkalarToken(token)) {
          r = Skalar(t, token);
          t->parser = P_EFTER_ELEMENT;
        } else if (t->parser == P_LISTE_ELEMENT && token == JSON_TOK_OBJEKT_START) {
          t->parser = P_OBJEKT_AABNET;
        } else if (t->parser == P_LISTE_ELEMENT && token == JSON_TOK_LISTE_START) {
          t->parser = P_LISTE_AABNET;
        } else if (t->parser == P_EFTER_ELEMENT && token == JSON_TOK_KOMMA) {
          t->parser = P_LISTE_ELEMENT;
        } else if (token == JSON_TOK_LISTE_SLUT) {
          r = Luk(t);
        } else if (token == JSON_TOK_ULOVLIG && t->parser == P_LISTE_ELEMENT) {
          return JSON_ULOVLIGT_TEGN;
        } else {
          kendt = false;
        }
        break;
      case P_FAERDIG:
        return JSON_FORKERT;
      default:
        kendt = false;
    }
    if (r) return r;
    if (!kendt) {
      Besked(t);
      return JSON_FORKERT;
    }
  }
}

int json_slut(json_laesetilstand *t, int resultat, json_node **rod) {
  Slip(&t->tekst);
  json_node *top = t->cursor;
  while (top && top->parent) top = top->parent;
  t->cursor = nullptr;
  if (resultat == JSON_ROD_LUKKET) resultat = JSON_FAERDIG;
  else if (resultat == JSON_MERE) resultat = JSON_ANDEN_FEJL;
  if (resultat == JSON_FAERDIG && rod) {
    *rod = top;
  } else {
    json_frigiv(top);
    if (resultat == JSON_FAERDIG) resultat = JSON_ANDEN_FEJL;
  }
  return resultat;
}

int json_laes_fil(FILE *fil, json_node **rod) {
  if (!fil || !rod || *rod) return JSON_ANDEN_FEJL;
  json_laesetilstand t;
  json_start(&t);
  char stykke[STYKKE];
  int r = JSON_MERE;
  for (;;) {
    // The byte after the last one read is the only zero that fgets writes
    // into a buffer filled with ones: so a zero byte from the file is seen
    // as a character, not as the end of the piece.
    memset(stykke, 1, sizeof stykke);
    if (!fgets(stykke, sizeof stykke, fil)) break;
    const void *slut = memrchr(stykke, 0, sizeof stykke);
    const size_t laengde = static_cast<size_t>(static_cast<const char *>(slut) - stykke);
    r = json_fortolk_stykke(&t, stykke, laengde);
    if (r != JSON_MERE && r != JSON_ROD_LUKKET) break;
  }
  return json_slut(&t, r, rod);
}
