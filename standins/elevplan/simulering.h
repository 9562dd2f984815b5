// A small simulated Elevplan behind BehandlExpFil: its state is a folder of
// ";"-line files, one per table, each line in the field order the answer
// file's table sections use:
//
//   tg    id;name;enrolment from;enrolment to;from;to;running;min1;min2;reserved by
//   pp    id;group;week;day;lesson
//   la    id;group;name;from;to;lessons
//   lap   id;group;activity;slot;length
//   elev  id;group;name;cpr;n1;n2;n3;n4;n5       (one line per student and group)
//   ev    id;group;student;activity;priority;valid from;valid to;accept;EASYA status[;inaktiv]
//
// A test seeds the folder; every request kind is answered from it, and what
// a request changes is written back.
#pragma once

#include <string>

namespace elevplansim {

// Faults of an answer, by the script's fault word of BehandlExpFil:
//   kopiuden   the first KopierAktivitet line is left unanswered (no copy)
//   feltantal  every answer line loses its last field
//   fejlblok   the table answer's elev section carries an error block
//   langlap    every placement sent runs past its group's last slot
// The answer to the request text `anmodning`, the state changed in `mappe`.
std::string Besvar(const std::string &mappe, const std::string &anmodning, const std::string &fejl);

}  // namespace elevplansim
