#pragma once
// A program run to its end as a process of its own, timed: the peers the kit is compared with
// (rg, grep, sqlite3) and the kit's own probes.

#include <string>
#include <vector>

namespace bench {

// A process's wall time and the processor time it used (user and system), in
// milliseconds; both negative when it could not start or ended with another status than
// expected.
struct ProcessTime {
    double wall = -1;
    double cpu = -1;
};

// Runs a program to its end, its output thrown away.
ProcessTime runProcess(const std::vector<std::string>& command, int expected);

} // namespace bench
