#include "ReplayProcess.h"

#include "MiniJson.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kyt::test {

std::string freshFolder(const std::string& name)
{
    const auto path = std::filesystem::absolute(name);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

ReplayRun runReplay(const std::string& scenario, const std::string& configHome)
{
    // The folders are made by freshFolder: no quotes or blanks in them.
    const std::string scenarioFile = configHome + ".scenario";
    std::ofstream(scenarioFile, std::ios::binary) << scenario;
    const std::string cmd = "XDG_CONFIG_HOME='" + configHome + "' '" KYT_REPLAY_EXE "' '"
        + scenarioFile + "' 2>'" + scenarioFile + ".err'";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        throw std::runtime_error("cannot start the replay program");
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    const int status = pclose(p);

    ReplayRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        run.lines.push_back(minijson::flatten(line));
    std::ostringstream err;
    err << std::ifstream(scenarioFile + ".err").rdbuf();
    run.err = err.str();
    return run;
}

} // namespace kyt::test
