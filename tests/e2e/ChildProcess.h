// Child processes of the end-to-end tests: start a program with extra environment, wait for it
// with a time-out, and stop it.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace e2e {

class ChildProcess {
public:
    // Starts argv[0] (looked up on PATH) with the environment of this process changed by env;
    // its standard error goes to errorFile (appended) when one is given.
    ChildProcess(std::vector<std::string> argv, const std::map<std::string, std::string>& env = {},
                 const std::string& errorFile = {}) {
        std::map<std::string, std::string> all;
        for (char** e = environ; *e; ++e) {
            std::string kv = *e;
            auto eq = kv.find('=');
            if (eq != std::string::npos) all[kv.substr(0, eq)] = kv.substr(eq + 1);
        }
        for (const auto& [k, v] : env) all[k] = v;
        std::vector<std::string> envStrings;
        for (const auto& [k, v] : all) envStrings.push_back(k + "=" + v);
        std::vector<char*> envp, args;
        for (auto& s : envStrings) envp.push_back(s.data());
        envp.push_back(nullptr);
        for (auto& a : argv) args.push_back(a.data());
        args.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!errorFile.empty())
            posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // Sends a signal to the running child.
    void signal(int number) {
        if (running()) kill(pid_, number);
    }
    bool running() {
        if (pid_ <= 0 || status_) return false;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
        return !status_;
    }
    // The exit status once the child has ended within the time, else nullopt.
    std::optional<int> waitExit(std::chrono::milliseconds timeout) {
        auto end = std::chrono::steady_clock::now() + timeout;
        while (running() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!status_) return std::nullopt;
        return WIFEXITED(*status_) ? WEXITSTATUS(*status_) : 128 + WTERMSIG(*status_);
    }
    void stop() {
        if (!running()) return;
        kill(pid_, SIGTERM);
        if (!waitExit(std::chrono::seconds(3))) {
            kill(pid_, SIGKILL);
            waitExit(std::chrono::seconds(3));
        }
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Output of a short command, or nullopt when it fails.
inline std::optional<std::string> commandOutput(const std::string& command) {
    FILE* p = popen(command.c_str(), "r");
    if (!p) return std::nullopt;
    std::string out;
    char buf[512];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int rc = pclose(p);
    if (rc != 0) return std::nullopt;
    return out;
}

inline bool onPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A fresh X server: Xvfb picks a free display itself and reports its number (-displayfd), so
// tests running side by side never share one. A number whose socket another server (or a stale
// socket file) already holds is reported all the same, with no client able to connect: such a
// server is kept until a usable one has started, so the next try takes another number.
class VirtualDisplay {
public:
    VirtualDisplay() {
        std::vector<std::unique_ptr<ChildProcess>> unusable;
        for (int attempt = 0; attempt < 3 && !server_; ++attempt) {
            start();
            if (server_ && !accepts()) unusable.push_back(std::move(server_));
        }
    }
    bool ready() const { return server_ != nullptr; }
    const std::string& name() const { return name_; }

private:
    void start() {
        int fds[2];
        if (pipe(fds) != 0) return;
        server_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        close(fds[1]);
        std::string number;
        // Generous: on a loaded machine with other displays starting beside it, Xvfb can take
        // several seconds to find its number.
        pollfd wait{fds[0], POLLIN, 0};
        while (poll(&wait, 1, 30000) > 0) {
            char c;
            if (read(fds[0], &c, 1) != 1 || c == '\n') break;
            number.push_back(c);
        }
        close(fds[0]);
        if (number.empty() || !server_->running()) {
            server_.reset();
            return;
        }
        name_ = ":" + number;
    }
    // A client can connect and ask the screen's size.
    bool accepts() const {
        return std::system(("DISPLAY=" + name_ + " xdotool getdisplaygeometry >/dev/null 2>&1").c_str()) == 0;
    }

    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};

// The program's main window on a display, driven through xdotool.
class ProgramWindow {
public:
    ProgramWindow(const std::string& display, ChildProcess& program) : xdotool_("DISPLAY=" + display + " xdotool "), program_(program) {}

    // Waits (bounded) for the window titled title; false when it never shows.
    bool find(const std::string& title) {
        using namespace std::chrono_literals;
        for (int i = 0; i < 450 && window_.empty() && program_.running(); ++i) {
            if (auto found = commandOutput(xdotool_ + "search --onlyvisible --name '^" + title + "$' 2>/dev/null"))
                window_ = found->substr(0, found->find('\n'));
            if (window_.empty()) std::this_thread::sleep_for(100ms);
        }
        return !window_.empty();
    }
    // Types text, then keys, into whatever window has the focus (a dialog the program opened),
    // as a user would.
    void typeIntoFocused(const std::string& text, const std::string& keys) {
        std::string quoted = "'";
        for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        quoted += "'";
        commandOutput(xdotool_ + "type --delay 20 " + quoted + " 2>/dev/null");
        commandOutput(xdotool_ + "key " + keys + " 2>/dev/null");
    }
    // Keys only, into whatever window has the focus (a sheet the program opened).
    void keysIntoFocused(const std::string& keys) {
        commandOutput(xdotool_ + "key --delay 60 " + keys + " 2>/dev/null");
    }
    // Width and height of the window that has the focus, as "WxH"; "" when none.
    std::string focusedWindowSize() {
        auto out = commandOutput(xdotool_ + "getwindowfocus getwindowgeometry 2>/dev/null");
        const auto at = out ? out->find("Geometry: ") : std::string::npos;
        if (at == std::string::npos) return "";
        return out->substr(at + 10, out->find('\n', at) - at - 10);
    }
    void type(const std::string& keys) {
        commandOutput(xdotool_ + "windowfocus --sync " + window_ + " key --clearmodifiers " + keys + " 2>/dev/null");
    }
    // Presses keys until done() holds: a press the program ignores while it is busy (a version
    // check, a running recognition, a page still handing over) is simply repeated. Bounded.
    template <typename Condition>
    bool pressUntil(const std::string& keys, Condition done, int presses = 40,
                    std::chrono::milliseconds each = std::chrono::milliseconds(700)) {
        for (int i = 0; i < presses && !done() && program_.running(); ++i) {
            type(keys);
            auto end = std::chrono::steady_clock::now() + each;
            while (!done() && program_.running() && std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return done();
    }
    // The program's window id as xdotool prints it (empty before find).
    const std::string& id() const { return window_; }
    // The window that has the keyboard focus (empty when unknown).
    std::string focusedWindow() {
        auto focused = commandOutput(xdotool_ + "getwindowfocus 2>/dev/null");
        return focused ? focused->substr(0, focused->find('\n')) : std::string();
    }
    // Whether the focus is in a window other than the main one (a dialog or sheet the program
    // opened).
    bool dialogFocused() {
        auto focused = focusedWindow();
        return !focused.empty() && focused != window_;
    }
    // Types text and keys into the focused dialog, then waits (bounded) until the focus has
    // left it: the dialog has closed.
    bool typeIntoDialog(const std::string& text, const std::string& keys,
                        std::chrono::milliseconds bound = std::chrono::seconds(10)) {
        const std::string dialog = focusedWindow();
        typeIntoFocused(text, keys);
        auto end = std::chrono::steady_clock::now() + bound;
        while (focusedWindow() == dialog && program_.running() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return focusedWindow() != dialog;
    }
    // A left click at a point of the window (its own coordinates).
    void click(int x, int y) {
        commandOutput(xdotool_ + "windowfocus --sync " + window_ + " mousemove --window " + window_ + " " +
                      std::to_string(x) + " " + std::to_string(y) + " click 1 2>/dev/null");
    }
    // The pointer to a point of the window (its own coordinates), clicking nothing.
    void pointAt(int x, int y) {
        commandOutput(xdotool_ + "mousemove --window " + window_ + " " + std::to_string(x) + " " + std::to_string(y) +
                      " 2>/dev/null");
    }
    // Ctrl+Q is ignored while an operation runs: asks until the program ends (bounded); its exit
    // status, or nullopt when it never ends.
    std::optional<int> quit() {
        using namespace std::chrono_literals;
        std::optional<int> exitStatus;
        for (int i = 0; i < 60 && !exitStatus; ++i) {
            type("ctrl+q");
            exitStatus = program_.waitExit(500ms);
        }
        return exitStatus;
    }

private:
    std::string xdotool_;
    ChildProcess& program_;
    std::string window_;
};

}  // namespace e2e
