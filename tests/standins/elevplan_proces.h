// The Elevplan contact program as tests use it: copied into a program folder
// as ep<version>.exe with its script beside it, and its log of runs read
// back.
#pragma once

#include <string>
#include <vector>

namespace elevplantest {

// Copies the contact program to <mappe>/ep<version>.exe and writes its
// script (elevplan.standin) beside it. False on any failure.
bool Placer(const std::string &mappe, unsigned version, const std::string &script);
// Replaces the script of a placed program.
bool SkrivScript(const std::string &mappe, const std::string &script);

// The runs logged so far: each the words it got, the verb first.
std::vector<std::vector<std::string>> LaesLog(const std::string &mappe);

}  // namespace elevplantest
