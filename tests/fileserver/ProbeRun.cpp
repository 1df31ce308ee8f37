#include "ProbeRun.h"

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string trimmed(const std::string& text) {
    const auto begin = text.find_first_not_of(" \n");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \n") - begin + 1);
}

// This process's environment with the library and the rules set and nothing of an outer run's rules.
std::vector<std::string> environment(const std::string& rules, const std::string& registry) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LD_PRELOAD=", 11) != 0 && std::strncmp(*e, "FILESERVER_", 11) != 0) env.push_back(*e);
    env.push_back("LD_PRELOAD=" FILESERVER_RULES_LIBRARY);
    env.push_back("FILESERVER_RULES=" + rules);
    env.push_back("FILESERVER_REGISTRY=" + registry);
    return env;
}

} // namespace

ProbeRun::ProbeRun(const std::string& rules, const std::string& registry, const std::vector<std::string>& calls) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    std::vector<std::string> args{LOCKPROBE};
    args.insert(args.end(), calls.begin(), calls.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = environment(rules, registry);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, LOCKPROBE, &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    input_ = in[1];
    output_ = out[0];
}

ProbeRun::~ProbeRun() { finish(); }

std::string ProbeRun::readLine() {
    std::string line;
    char c;
    while (output_ >= 0 && ::read(output_, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

std::string ProbeRun::readAll() {
    std::string all;
    char chunk[256];
    for (ssize_t n; output_ >= 0 && (n = ::read(output_, chunk, sizeof chunk)) > 0;) all.append(chunk, n);
    return all;
}

std::string ProbeRun::held() {
    const std::string line = readLine();
    const auto mark = line.rfind("held");
    return trimmed(mark == std::string::npos ? line : line.substr(0, mark));
}

std::string ProbeRun::finish() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
    const std::string rest = readAll();
    if (output_ >= 0) ::close(output_);
    output_ = -1;
    if (pid_ > 0) {
        ::waitpid(pid_, &status_, 0);
        pid_ = -1;
    }
    return trimmed(rest);
}

std::string ProbeRun::outcomes(const std::string& rules, const std::string& registry,
                               const std::vector<std::string>& calls) {
    ProbeRun run(rules, registry, calls);
    return run.finish();
}
