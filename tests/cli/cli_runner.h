#pragma once
// Runs the corvane-cli program through the shell for end-to-end tests.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

struct CliRun {
    int status = -1;
    std::string out;
};

// stdin comes from `input`; stderr is kept (merged into out) or discarded.
inline CliRun Cli(const std::string& args, const std::string& input = {}, bool keepStderr = false)
{
    std::string command = std::string(CORVANE_CLI_PATH) + " " + args;
    if (!input.empty()) {
        const std::string path = testing::TempDir() + "cli_input_"
            + testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
        std::ofstream(path) << input;
        command += " < '" + path + "'";
    }
    command += keepStderr ? " 2>&1" : " 2>/dev/null";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
