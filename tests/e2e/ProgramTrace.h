// The trace lines the program writes to its standard error, read back from the file the end-to-end
// tests send them to: the tests wait for the program's own state ("page 5 shown") instead of for a
// time.
#pragma once

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace e2e {

class ProgramTrace {
public:
    explicit ProgramTrace(std::string file) : file_(std::move(file)) {}
    const std::string& file() const { return file_; }

    std::string text() const {
        std::ifstream in(file_);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    // Lines holding needle.
    int count(const std::string& needle) const {
        std::istringstream lines(text());
        int n = 0;
        for (std::string line; std::getline(lines, line);) n += line.find(needle) != std::string::npos;
        return n;
    }
    // Waits (bounded) until at least atLeast lines hold needle.
    bool waitFor(const std::string& needle, int atLeast = 1,
                 std::chrono::milliseconds bound = std::chrono::seconds(60)) const {
        auto end = std::chrono::steady_clock::now() + bound;
        while (count(needle) < atLeast && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return count(needle) >= atLeast;
    }

private:
    std::string file_;
};

}  // namespace e2e
