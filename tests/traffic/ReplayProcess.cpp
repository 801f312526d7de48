#include "ReplayProcess.h"

#include "MiniJson.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kyt::test {

namespace {

std::string quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

std::string freshFolder(const std::string& name)
{
    const auto path = std::filesystem::absolute(name);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

ReplayRun runReplay(const std::string& scenario, const std::string& configHome)
{
    const std::string scenarioFile = configHome + "/../" +
                                     std::filesystem::path(configHome).filename().string() +
                                     ".scenario";
    std::ofstream(scenarioFile, std::ios::binary) << scenario;
    const std::string errFile = scenarioFile + ".err";
    const std::string cmd = "XDG_CONFIG_HOME=" + quoted(configHome) + " " +
                            quoted(KYT_REPLAY_EXE) + " " + quoted(scenarioFile) + " 2>" +
                            quoted(errFile);
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
    std::ifstream err(errFile, std::ios::binary);
    std::ostringstream e;
    e << err.rdbuf();
    run.err = e.str();
    return run;
}

} // namespace kyt::test
