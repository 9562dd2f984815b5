// The job-server stand-in: the line protocol of the central job server on a
// loopback address, its spool folder as the file store, and a fault script
// that makes it fail the ways a real server can.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "central.h"

namespace jobserver {

struct Bruger {
  std::string navn;
  std::string password;
  std::string database;
};

// What the fault script asks for; read afresh for every new connection.
struct Fejl {
  bool nyHilsen = false;       // greeting TEXT
  std::string hilsen;
  bool afvisLogin = false;     // refuse-login
  // answer CMD|LINE: the command is answered with the line and nothing else.
  std::vector<std::pair<std::string, std::string>> svar;
  long merAnnonceret = 0;      // oversize N: "send" announces N bytes more
  long afbrydEfter = -1;       // cut-body N: the connection ends after N body bytes
  std::string afvisData;       // refuse-body LINE: a whole upload is answered with LINE, not kept
  std::vector<std::string> afbrydFoer;   // cut-before CMD ("greeting" too)
  bool heltTavs = false;       // silent: not even a greeting
  std::vector<std::string> tavsVed;      // silent CMD
  int langsomMs = 0;           // slow MS: before every reply and every block
  // The job side:
  bool afviklerStoppet = false;          // sched-stopped: "stat sched" is refused
  long koeSekunder = 60;                 // queue-seconds N: the answer to "queue"
  long afviklerPoll = 0;                 // runner-polls N: polls that find a job still pending
  std::vector<std::string> koeLinjer;    // queue-job INS SECS STATE: others' queued jobs
  std::string resultat;                  // result FILE: what a finished job leaves
  bool resultatUpakket = false;          // result-plain: left unpacked
  std::string autoResultat;              // auto-result FILE: a finished AutoSkema job's
  // Without a result file the central system answers an export job, and
  // the stand-in's timetabling module an AutoSkema job.
  CentralScript central;
};

struct Indstillinger {
  std::string adresse = "127.0.0.1";
  int port = 0;
  std::string spool;
  std::vector<Bruger> brugere;
  std::string fejlfil;
  std::vector<std::string> fejllinjer;
  std::string logfil;
  int tomgangSek = 600;
  // A fixed challenge for every greeting (tests that need known values).
  bool fastUdfordring = false;
  uint32_t udfordring = 0;
};

extern Indstillinger gInd;

// One fault-script line into f; false with a reason for a line it cannot use.
bool LaesFejllinje(const std::string &linje, Fejl *f, std::string *grund);
// The faults in force now: the options, then the script file.
Fejl AktuelleFejl();
// A command pattern names the line's first words ("stat" or "stat file").
bool Passer(const std::string &moenster, const std::string &linje);

// One line to the request log: the connection number and the text.
void Log(int forbindelse, const std::string &tekst);
// Something happened: the idle clock starts again.
void Aktivitet();

// The job runner: queued jobs by their input name ("job/<db>ind<n>").
struct Job {
  int ins = 0;
  long sekunder = 0;
  long polls = 0;      // polls left before it is done
  bool startet = false;
};
// Queues the job; false when its input is not in the spool.
bool KoeJob(const std::string &ind, int ins, long sekunder, long polls);
// One poll of the job: true with its state while it waits or runs; when
// its last poll has come it is finished (resultat written under ud, or
// without one the central system's answer to the input when central is
// given; the input deleted) and the answer is false.
bool PollJob(const std::string &ind, const std::string &ud, const std::string &resultat, bool pakket,
             const CentralScript *central, Job *job, bool autoskema = false);

// The timetabling module: whether an AutoSkema document is JSON (else the
// reason), and its answer when no answer file is scripted.
bool AutoSkemaGyldig(const std::string &dokument, std::string *grund);
std::string AutoSkemaSvar(const std::string &dokument);

// Serves one accepted connection until it ends.
void Betjen(int fd, int nummer);

// The spool: names as the client gives them ("job/xind5.gz").
bool GyldigtNavn(const std::string &navn);
std::string SpoolSti(const std::string &navn);
bool FilFindes(const std::string &navn);
bool LaesFil(const std::string &navn, std::string *data);
// Written whole through a temporary file, so a broken upload leaves nothing.
bool SkrivFil(const std::string &navn, const std::string &data);
bool SletFil(const std::string &navn);
// gzip: NAME becomes NAME.gz, and back.
bool Pak(const std::string &navn);
bool Udpak(const std::string &navn);

}  // namespace jobserver
