#pragma once
// Runs the replay program on a scenario and reads the states it prints.

#include <map>
#include <string>
#include <vector>

namespace kyt::test {

struct ReplayRun {
    int status = -1;
    // Each printed line: a state as "path -> value" pairs ("desk.Memo1.Text",
    // "block.TrainStep", ...), or {"error" -> message}.
    std::vector<std::map<std::string, std::string>> lines;
    std::string err;
};

// Runs the program on `scenario` with XDG_CONFIG_HOME set to `configHome`, so
// that the counters it saves go there.
ReplayRun runReplay(const std::string& scenario, const std::string& configHome);

// A fresh empty folder under the current one.
std::string freshFolder(const std::string& name);

} // namespace kyt::test
