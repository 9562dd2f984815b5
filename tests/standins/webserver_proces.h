// The web-server stand-in as a test runs it: its own folder (request log,
// bodies, answer script), a certificate made for the test run, a free
// loopback port, stopped when the test ends.
#pragma once

#include <string>
#include <vector>

#include "standin_proces.h"

namespace webtest {

class WebServer : public standintest::StandinProces {
 public:
  WebServer();

  // False when the program printed no port.
  bool Start(int idleSek = 60);

  // "https://127.0.0.1:<port>"
  std::string Adresse() const;

  // The answer script (rules as the stand-in's program describes).
  void Script(const std::string &regler) const { SkrivHel("script.txt", regler); }
  // The request log: "<n>\t<METHOD> <target>\t<body bytes>".
  std::vector<std::string> Log() const { return Linjer("log.txt"); }
  // The stored body and header lines of request n.
  std::string Krop(int n) const;
  std::string Hoved(int n) const;
};

// The certificate the stand-in serves (PEM), made once per test program:
// trusting it is trusting the stand-in.
const std::string &Certifikat();

// A rule body with the stand-in's escapes for CR, LF, tab and backslash.
std::string Flugt(const std::string &tekst);

}  // namespace webtest
