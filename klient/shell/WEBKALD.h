#pragma once
// The web calls of the main program: the news date, a school's connection
// data, the time-post check of an employee, and the online help. All are
// synchronous on the calling thread, silent towards the user (failures go
// to the program log), and give an empty result on every failure.
//
// The addresses are settings of [web] in ini\tavo.ini, each overridden by
// the environment variable TAVO_WEB_<KEY> (key upper-cased): tavoside (the
// maker's web site), tidspost (the time-posting hub), hjaelp (the help
// site), portal, support and supportport (the support upload), and
// certifikat (a PEM file of the authorities to trust instead of the
// system's). All are empty by default, and an empty address is no
// connection: a fresh installation contacts no host.

#include <cstdint>
#include <string>

#include "AKTICHK.h"
#include "win/types.h"
#include "win/wininet.h"

enum class WebAdr { Tavoside, Tidspost, Hjaelp, Portal, Support, SupportPort, Certifikat };
// The setting, bounded by `stoerrelse`; "" when unset or too long.
void LaesWebAdresse(WebAdr hvilken, char *ud, unsigned stoerrelse);

// The news document address of the last news date, for the news pane and
// the start-up's news page; "" when the last call gave none.
constexpr unsigned kNyhedsAdresseLaengde = 512;
extern char NyhedsDokAdresse[kNyhedsAdresseLaengde];

// The date and time of the maker's latest news, "YYYYMMDD HH:MM" in local
// time, into `svar`; false without an answer. Writes the asked address as
// [kontakt] newsdocurl (not in a read-only run).
bool WebNewsCheck(char *svar, unsigned stoerrelse);
// The portal page answers 200: checked against the portal address, opened
// at [kontakt] rilmoplus, which gets the portal address when it is empty
// ([kontakt] webopslag then goes; neither in a read-only run). False at once
// without a portal address.
bool WebPortalCheck();
// WebNewsCheck, and its date stored as [tider] nyheder (not in a read-only
// run); false without a date.
bool HentNyhedsdato();

// The buffers' capacities as the server login holds them.
constexpr unsigned kJobserverNavnLaengde = 65;
constexpr unsigned kDatabaseLaengde = 33;
constexpr unsigned kAutoserverNavnLaengde = 65;
constexpr unsigned kAutoBrugerLaengde = 33;
constexpr unsigned kAutoKodeLaengde = 33;
// The connection data of the school ([global] skolenr): each given buffer
// is cleared, then filled from the reply line of its name. True when at
// least one value was taken; a value too long for its buffer fails the
// whole call (every buffer cleared).
bool WebConnectInfoCheck(char easyserver[kJobserverNavnLaengde], char database[kDatabaseLaengde],
                         char autoserver[kAutoserverNavnLaengde], char humanus[kAutoBrugerLaengde],
                         char tessara[kAutoKodeLaengde]);

// The hub's time postings of the employee (meda id) over the period into
// the first records of `poster` (room for `antal`; the lines beyond it are
// left out and counted in the log); *status becomes '0' after a good reply,
// else 0 (and the records are left as they were). Returns 0.
int WebConnectTidspostCheck(int meda_id, int fradato, int tildato, TidspostRec *poster, unsigned antal,
                            char *status);

// The replies' readers, apart from the network: what the calls above do
// with a reply that came whole. Each gives false and leaves its outputs
// empty (the records as they were) for a reply it cannot take.
bool LaesNyhedsSvar(const std::string &svar, char *dato, unsigned datoStoerrelse, char *adresse,
                    unsigned adresseStoerrelse);
bool LaesForbindelsesSvar(const std::string &svar, char easyserver[kJobserverNavnLaengde],
                          char database[kDatabaseLaengde], char autoserver[kAutoserverNavnLaengde],
                          char humanus[kAutoBrugerLaengde], char tessara[kAutoKodeLaengde]);
bool LaesTidspostSvar(const std::string &svar, TidspostRec *poster, unsigned antal);

// Opens the online help page with the shell's "open", shown normally.
void VisOnlineHjaelp(HWND hwnd);

// Start-up step 37: with news found and the news check allowed, the news
// document address is opened (an http or https address only).
void VisNyheder();
// The news page's address for the status row, when it is a web address.
bool HentNyhedsAdresse(char *svar, unsigned stoerrelse);


// The whole reply of an opened request, read in the pieces the calls offer,
// into `svar`; false when a read failed or it passed `stoerst` bytes.
bool LaesHeleSvaret(HINTERNET request, std::string *svar, size_t stoerst);
