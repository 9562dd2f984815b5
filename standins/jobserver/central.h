// The central system behind the job-server stand-in: what it answers to an
// installation's export once the runner has taken the job. It confirms every
// deletion, new event, posting and plan record that the export carries
// (receipts with new central ids), refuses the lines its script names, adds
// the script's extra sections after the receipts, and can answer with a
// failed job or a whole data set instead.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace jobserver {

// A refused line: the n-th line of an export section (counted from 1 over
// the lines that get a receipt; in "S+" the event lines).
struct Afvisning {
  std::string afsnit;  // "S-", "S+", "B-", "B+", "ffpg-" .. "fftaltab+"
  long nr = 0;
  int kode = 0;
  // "S+": the participant the refusal concerns and the installation holding
  // the conflicting booking; "S-" and "B-": the conflicting installation;
  // "B+": the value the receipt carries instead of an id.
  long a = 0, b = 0;
};

struct CentralScript {
  std::vector<Afvisning> afvis;
  // Extra sections after the receipts: the header as written ("@message")
  // and the file whose lines follow it.
  std::vector<std::pair<std::string, std::string>> afsnit;
  bool fejl = false;          // answer "!FEJL": the job failed
  std::string fuld;           // answer with this whole data set instead
  long lasdato = -1;          // the status line's lock date; -1: the period's first date
  // The ring systems' lesson times by id: start and end (HHMM) per lesson.
  std::map<long, std::vector<std::pair<long, long>>> ringe;
};

// One line of the stand-in's script meant for the central system into s:
//   refuse SECTION N CODE [A [B]]
//   section NAME FILE      ("@NAME" unless NAME begins with '@' or '#')
//   fail
//   full FILE
//   lock-date YYYYMMDD
//   ring ID HHMM-HHMM ...  (lesson 1, 2, ...)
// 1 when the line was the central's and good, 0 when it is not a central
// line, -1 (with a reason) when it is one but cannot be used.
int LaesCentralLinje(const std::string &ord, const std::string &rest, CentralScript *s, std::string *grund);

// What the central system keeps between jobs: the next id it gives and its
// counts of events and postings.
struct CentralTilstand {
  long naesteId = 100001;
  long begivenheder = 0;
  long posteringer = 0;
};
std::string SkrivTilstand(const CentralTilstand &t);
CentralTilstand LaesTilstand(const std::string &tekst);

// The import file that answers the export; *t moves on by what was
// accepted. nu is the job's time (status line and update times); log gets
// one line per refusal and per line it could not read.
std::string CentralSvar(const std::string &eksport, const CentralScript &s, CentralTilstand *t, time_t nu,
                        std::vector<std::string> *log);

}  // namespace jobserver
