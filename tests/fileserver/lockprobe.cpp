// lockprobe: runs a list of plain lock and I/O calls given as arguments and prints each call's outcome
// ("ok", the errno's name, or what a lock question found), one word per call, separated by blanks. The
// file-server rules tests start it with the preload library, one process per computer or run.
//
//   open:<path>:ro|rw|wo        opens (rw and wo create); the new descriptor becomes the current one
//   use:<n>                     the n-th descriptor opened (from 0) becomes the current one
//   flock:ex|sh|exnb|shnb|un    flock() on the current descriptor
//   setlk:ofd|posix:wr|rd|un:<start>:<length>    F_OFD_SETLK or F_SETLK
//   getlk:ofd|posix:<start>:<length>             F_OFD_GETLK or F_GETLK for a write lock: free or locked:<pid>
//   read:<n>  readv:<n>         reads n bytes from the start of the file (lseek, then read or readv)
//   pread:<offset>:<n>          pread()
//   write:<text>                writes text at the start of the file
//   unlink:<path>               unlink()
//   threads:<rounds>            four threads open, read and close the file of the current descriptor while
//                               this one locks and unlocks it: ok unless a call fails other than EACCES
//   hold                        prints "held" and a line break, then waits until standard input ends
#include "Digits.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t to; (to = text.find(':', from)) != std::string::npos; from = to + 1)
        parts.push_back(text.substr(from, to - from));
    parts.push_back(text.substr(from));
    return parts;
}

// A whole number of a call's words; a word that is none ends the probe as a wrong call.
template <typename T> T number(const std::string& word) {
    T value{};
    if (!fileserver::readDigits(word, value)) throw std::invalid_argument("not a number: " + word);
    return value;
}

std::string outcome(long result) {
    if (result >= 0) return "ok";
    const char* name = strerrorname_np(errno);
    return name ? name : fileserver::digits(errno);
}

class Probe {
public:
    std::string run(const std::string& call) {
        const std::vector<std::string> a = split(call);
        const std::string& what = a[0];
        if (what == "open") return open(a.at(1), a.at(2));
        if (what == "use") {
            current_ = fds_.at(number<std::size_t>(a.at(1)));
            return "ok";
        }
        if (what == "flock") return outcome(::flock(current_, flockOperation(a.at(1))));
        if (what == "setlk") return setLock(a.at(1) == "ofd", a.at(2), number<long long>(a.at(3)), number<long long>(a.at(4)));
        if (what == "getlk") return askLock(a.at(1) == "ofd", number<long long>(a.at(2)), number<long long>(a.at(3)));
        if (what == "read" || what == "readv") return read(what == "readv", number<std::size_t>(a.at(1)));
        if (what == "pread") {
            std::vector<char> buffer(number<std::size_t>(a.at(2)));
            return outcome(::pread(current_, buffer.data(), buffer.size(), number<long long>(a.at(1))));
        }
        if (what == "write") {
            ::lseek(current_, 0, SEEK_SET);
            return outcome(::write(current_, a.at(1).data(), a.at(1).size()));
        }
        if (what == "unlink") return outcome(::unlink(a.at(1).c_str()));
        if (what == "threads") return threads(std::stoi(a.at(1)));
        std::fprintf(stderr, "lockprobe: unknown call %s\n", call.c_str());
        std::exit(2);
    }

private:
    std::string open(const std::string& path, const std::string& mode) {
        const int flags = mode == "ro" ? O_RDONLY : ((mode == "rw" ? O_RDWR : O_WRONLY) | O_CREAT);
        const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fds_.push_back(fd);
            current_ = fd;
        }
        return outcome(fd);
    }

    static int flockOperation(const std::string& how) {
        if (how == "ex") return LOCK_EX;
        if (how == "sh") return LOCK_SH;
        if (how == "exnb") return LOCK_EX | LOCK_NB;
        if (how == "shnb") return LOCK_SH | LOCK_NB;
        return LOCK_UN;
    }

    static struct flock range(short type, long long start, long long length) {
        struct flock l {};
        l.l_type = type;
        l.l_whence = SEEK_SET;
        l.l_start = start;
        l.l_len = length;
        return l;
    }

    std::string setLock(bool ofd, const std::string& type, long long start, long long length) {
        struct flock l = range(type == "wr" ? F_WRLCK : type == "rd" ? F_RDLCK : F_UNLCK, start, length);
        return outcome(::fcntl(current_, ofd ? F_OFD_SETLK : F_SETLK, &l));
    }

    std::string askLock(bool ofd, long long start, long long length) {
        struct flock l = range(F_WRLCK, start, length);
        const int result = ::fcntl(current_, ofd ? F_OFD_GETLK : F_GETLK, &l);
        if (result != 0) return outcome(result);
        return l.l_type == F_UNLCK ? "free" : "locked:" + fileserver::digits(l.l_pid);
    }

    std::string read(bool vector, std::size_t count) {
        std::vector<char> buffer(count);
        ::lseek(current_, 0, SEEK_SET);
        if (!vector) return outcome(::read(current_, buffer.data(), count));
        struct iovec parts[2] = {{buffer.data(), count / 2}, {buffer.data() + count / 2, count - count / 2}};
        return outcome(::readv(current_, parts, 2));
    }

    std::string threads(int rounds) {
        const std::string path = "/proc/self/fd/" + fileserver::digits(current_);
        char target[4096] = {};
        if (::readlink(path.c_str(), target, sizeof target - 1) < 0) return outcome(-1);
        std::atomic<int> unexpected{0};
        std::vector<std::thread> readers;
        for (int t = 0; t < 4; ++t)
            readers.emplace_back([&] {
                char buffer[64];
                for (int i = 0; i < rounds; ++i) {
                    const int fd = ::open(target, O_RDONLY | O_CLOEXEC);
                    const int copy = fd >= 0 ? ::dup(fd) : -1;
                    if (fd < 0 || copy < 0 || (::read(copy, buffer, sizeof buffer) < 0 && errno != EACCES))
                        ++unexpected;
                    ::close(copy);
                    ::close(fd);
                }
            });
        for (int i = 0; i < rounds; ++i)
            if (::flock(current_, LOCK_EX) != 0 || ::flock(current_, LOCK_UN) != 0) ++unexpected;
        for (auto& t : readers) t.join();
        return unexpected == 0 ? "ok" : "failed:" + fileserver::digits(unexpected.load());
    }

    std::vector<int> fds_;
    int current_ = -1;
};

} // namespace

int main(int argc, char** argv) {
    Probe probe;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "hold") == 0) {
            std::printf("held\n");
            std::fflush(stdout);
            char c;
            while (::read(0, &c, 1) > 0) {
            }
            continue;
        }
        std::printf(i > 1 ? " %s" : "%s", probe.run(argv[i]).c_str());
        std::fflush(stdout);
    }
    return 0;
}
