// The recording program as tests use it: copied into a folder under the name
// of the program it stands in for, with an optional script, and its log read
// back line by line.
#pragma once

#include <string>
#include <vector>

namespace optagertest {

// Copies the recording program to <mappe>/<navn> (executable) and writes
// <navn>.optager beside it when a script is given. False on any failure.
bool Placer(const std::string &mappe, const std::string &navn, const std::string &script = "");

// The path of the built recording program.
std::string Program();

// One logged run: "<name>|<working folder>|<arguments>" taken apart.
struct Koersel {
  std::string navn;
  std::string mappe;
  std::string argumenter;
};

// The runs logged in this file so far (none when it does not exist).
std::vector<Koersel> LaesLog(const std::string &log);

}  // namespace optagertest
