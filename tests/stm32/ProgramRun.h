// Runs the boot-loader program as a child process: its streams land in files beside a work
// folder that holds only what the program may touch, so a stray file there shows.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "stm32/ImageFiles.h"

extern char** environ;

namespace stm32test {

struct ProgramResult {
    int status = -1;  // exit status, or -1 when a signal ended it
    std::string out, err;
};

class Workspace {
public:
    Workspace() { std::filesystem::create_directory(work()); }
    std::string work() const { return outer_.file("work"); }
    std::string file(const std::string& name) const { return work() + "/" + name; }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (auto& e : std::filesystem::directory_iterator(work())) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    // Starts the program; standard input from stdinPath, else /dev/null.
    pid_t start(const std::vector<std::string>& args, const std::string& stdinPath = "") const {
        std::vector<std::string> all = {VELMAR_STM32_BOOT};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::string in = stdinPath.empty() ? "/dev/null" : stdinPath, out = outer_.file("stdout"),
                    err = outer_.file("stderr");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    ProgramResult finish(pid_t pid) const {
        ProgramResult r;
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) r.status = WEXITSTATUS(status);
        for (uint8_t b : readFile(outer_.file("stdout"))) r.out += char(b);
        for (uint8_t b : readFile(outer_.file("stderr"))) r.err += char(b);
        return r;
    }

    // What the running program has written to standard error so far.
    std::string errSoFar() const {
        std::string err;
        for (uint8_t b : readFile(outer_.file("stderr"))) err += char(b);
        return err;
    }

    ProgramResult run(const std::vector<std::string>& args, const std::string& stdinPath = "") const {
        return finish(start(args, stdinPath));
    }

private:
    ScratchDir outer_;
};

// Waits for a condition that another process brings about; false after the bound.
inline bool waitFor(const std::function<bool()>& done, std::chrono::seconds bound = std::chrono::seconds(20)) {
    auto end = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline bool sameTerminalSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
           cfgetispeed(&a) == cfgetispeed(&b) && cfgetospeed(&a) == cfgetospeed(&b);
}

}  // namespace stm32test
