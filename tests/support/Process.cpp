#include "tests/support/Process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

namespace testing_support {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

ScopedEnv::ScopedEnv(std::string name, const std::string& value) : name(std::move(name)) {
    if (const char* old = std::getenv(this->name.c_str())) {
        previous = old;
        hadValue = true;
    }
    setenv(this->name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() { hadValue ? setenv(name.c_str(), previous.c_str(), 1) : unsetenv(name.c_str()); }

ProgramResult RunEditor(const std::vector<Variable>& environment, Input input, const std::string& errorFile,
                        int stopAfterMs) {
    const pid_t pid = fork();
    if (pid == 0) {
        for (const Variable& v : environment) setenv(v.name, v.value.c_str(), 1);
        if (input == Input::Closed) {
            close(STDIN_FILENO);
        } else if (std::freopen("/dev/null", "r", stdin) == nullptr) {
            _exit(126);
        }
        if (std::freopen(errorFile.c_str(), "w", stderr) == nullptr) _exit(126);
        execl(STAR_EDITOR_PATH, STAR_EDITOR_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }

    constexpr int kStepMs = 100;
    constexpr int kLimitMs = 60'000;
    ProgramResult result;
    int status = 0;
    bool stopped = false;
    for (int waitedMs = 0; waitpid(pid, &status, WNOHANG) == 0; waitedMs += kStepMs) {
        if (stopAfterMs > 0 && !stopped && waitedMs >= stopAfterMs) {
            kill(pid, SIGTERM);
            stopped = true;
        }
        if (waitedMs >= kLimitMs) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return result;
        }
        usleep(kStepMs * 1000);
    }
    result.exited = WIFEXITED(status);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errorFile);
    result.errorOutput.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return result;
}

}  // namespace testing_support
