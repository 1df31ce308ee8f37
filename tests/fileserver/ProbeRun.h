#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// One lockprobe process started with the file-server rules preloaded: a computer or run that takes,
// asks about or reads a lock. Its calls' outcomes are read from its output.
class ProbeRun {
public:
    // Starts lockprobe with the given calls; rules empty: the library is preloaded but plays nothing.
    ProbeRun(const std::string& rules, const std::string& registry, const std::vector<std::string>& calls);
    ~ProbeRun();
    ProbeRun(const ProbeRun&) = delete;
    ProbeRun& operator=(const ProbeRun&) = delete;

    // The outcomes up to its "hold" call, once it holds (or all of them when it ended without holding).
    std::string held();
    // Lets it go on past "hold" and waits for its end: the outcomes after "hold" (or all without one).
    std::string finish();
    // Its exit status, after finish().
    int status() const { return status_; }

    // Starts, lets it run to its end and returns its outcomes.
    static std::string outcomes(const std::string& rules, const std::string& registry,
                                const std::vector<std::string>& calls);

private:
    std::string readLine();
    std::string readAll();

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    int status_ = -1;
};
