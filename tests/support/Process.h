// Test helpers around the process: environment variables, and running the real editor as a child process.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

bool StartsWith(const std::string& text, const std::string& prefix);

// Sets an environment variable for the life of the object, then restores (or removes) it.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name;
    std::string previous;
    bool hadValue = false;
};

struct Variable {
    const char* name;
    std::string value;
};

enum class Input { EndOfFile, Closed };

struct ProgramResult {
    bool exited = false;  // false: killed, or still running when the time ran out
    int status = -1;
    std::string errorOutput;
};

// Runs the real star-editor with these variables set and its standard error in errorFile. With stopAfterMs > 0 it
// gets SIGTERM after that long, which SDL turns into a quit event. A program still running after a minute is
// killed, so a hang fails the calling test instead of stalling the suite.
ProgramResult RunEditor(const std::vector<Variable>& environment, Input input, const std::string& errorFile,
                        int stopAfterMs = 0);

}  // namespace testing_support
