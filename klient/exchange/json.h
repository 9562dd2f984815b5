// The JSON reader: a text file read in pieces of at most 1,024 bytes into a
// tree of nodes, by a parser that keeps its state from piece to piece, so
// tokens may run over piece ends. Texts are kept as they stand in the file
// (escapes unresolved, numbers unconverted). No recursion anywhere: neither
// deep nesting nor freeing a deep tree can use up the stack.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

enum json_type : int32_t {
  JSON_STRING = 0,
  JSON_NUMBER = 1,
  JSON_OBJECT = 2,
  JSON_ARRAY = 3,
  JSON_TRUE = 4,
  JSON_FALSE = 5,
  JSON_NULL = 6,
};

// One value. An object's children are labels (JSON_STRING nodes holding the
// member names), each with the member's value as its one child; an array's
// children are its elements. Nodes are made by json_ny_node only: a node and
// its text lie in a block of memory shared with the nodes made before it.
struct json_node {
  json_type type;
  uint32_t blok;  // the reader's own: how far into its memory block the node lies
  char *text;  // string (without quotes) or number as written; null otherwise
  json_node *next;
  json_node *previous;
  json_node *parent;
  json_node *child;
  json_node *child_end;
};

// Result codes.
enum : int {
  JSON_FAERDIG = 1,       // document complete (json_laes_fil only)
  JSON_MERE = 2,          // the piece ended inside the document
  JSON_ROD_LUKKET = 3,    // the root object is closed; only white space may follow
  JSON_FORKERT = 4,       // malformed document
  JSON_HUKOMMELSE = 6,    // out of memory
  JSON_ULOVLIGT_TEGN = 7, // illegal character where a value or member name was expected
  JSON_STRUKTUR = 8,      // a node may not be placed under that parent
  JSON_ANDEN_FEJL = 10,   // the file ended before the root closed, or an insertion failed
  JSON_INDSAT = 1,        // json_indsaet_barn: the child was placed
};

// The text of the token being read; it grows by doubling.
struct json_tekst {
  char *data;
  size_t laengde;
  size_t kapacitet;
};

// The state of one file being read.
struct json_laesetilstand {
  int parser;         // parser state
  int lexer;          // lexer state
  json_tekst tekst;   // text of the token being read
  size_t pos;         // read position in the current piece
  ssize_t linje;      // line number, from 1
  json_node *cursor;  // the node under construction; null before the first brace
};

// Reads the whole stream (opened by the caller, in text mode) in pieces of
// a 1,024-byte line read. On JSON_FAERDIG *rod (which must be null) gets
// the root; on any other result it stays null and nothing is left
// allocated.
int json_laes_fil(FILE *fil, json_node **rod);

// Appends barn at the end of forælder's children: JSON_INDSAT, or
// JSON_STRUKTUR (and nothing changed) when the tree rules refuse it: the
// same node; under an object anything but a label; under a label or an
// array a string, number, true, false or null that has children; under a
// number, true, false or null anything.
int json_indsaet_barn(json_node *foraelder, json_node *barn);

// A new node of the type with a copy of the text (null for none), or null
// when no memory can be had. Freed with json_frigiv, from any thread.
json_node *json_ny_node(json_type type, const char *text, size_t laengde);

// Frees a node with everything under it (unlinked from its parent first).
void json_frigiv(json_node *rod);

// The steps of json_laes_fil, for a caller that has its pieces some other
// way: json_start, then json_fortolk_stykke per piece while it gives
// JSON_MERE or JSON_ROD_LUKKET, then json_slut with the last result.
void json_start(json_laesetilstand *t);
// A zero-terminated piece, or one of the given length (which may hold zero
// bytes; they are illegal characters).
int json_fortolk_stykke(json_laesetilstand *t, const char *stykke);
int json_fortolk_stykke(json_laesetilstand *t, const char *stykke, size_t laengde);
// The end of the input after the last result: JSON_FAERDIG with the root in
// *rod when the root was closed (JSON_ROD_LUKKET); JSON_ANDEN_FEJL when the
// input ended inside the document; any other result as it came. Everything
// the state holds is freed except the root that is handed over.
int json_slut(json_laesetilstand *t, int resultat, json_node **rod);

// Tokens of json_naeste_token.
enum json_token : int {
  JSON_TOK_MERE,        // the piece is used up
  JSON_TOK_ULOVLIG,     // illegal character
  JSON_TOK_TRUE,
  JSON_TOK_FALSE,
  JSON_TOK_NULL,
  JSON_TOK_OBJEKT_START,
  JSON_TOK_OBJEKT_SLUT,
  JSON_TOK_LISTE_START,
  JSON_TOK_LISTE_SLUT,
  JSON_TOK_KOLON,
  JSON_TOK_KOMMA,
  JSON_TOK_STRENG,      // text in the buffer
  JSON_TOK_TAL,         // text in the buffer
  JSON_TOK_HUKOMMELSE,  // the text could not grow
};

// The next token of the piece stykke[0 .. laengde) from *pos on; the lexer
// state, the text and the line counter carry over from piece to piece.
json_token json_naeste_token(const char *stykke, size_t laengde, size_t *pos, int *lexer,
                             json_tekst *tekst, ssize_t *linje);
