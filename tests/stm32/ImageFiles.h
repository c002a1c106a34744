// Scratch files for the image and program tests: a private folder removed at the end, files
// written and read whole, and Intel HEX records with their checksum.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace stm32test {

using Bytes = std::vector<uint8_t>;

class ScratchDir {
public:
    ScratchDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "velmar-stm32-XXXXXX").string();
        path_ = mkdtemp(tmpl.data()) ? tmpl : std::string();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }
    // Names in the folder, sorted, so a leftover temporary file shows.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (auto& e : std::filesystem::directory_iterator(path_)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::string path_;
};

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}
inline void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
inline Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One record ":LLAAAATT<data>CC" with a correct checksum.
inline std::string hexRecord(unsigned address, unsigned type, const Bytes& data) {
    char buf[16];
    std::string out = ":";
    unsigned sum = unsigned(data.size()) + (address >> 8) + (address & 0xFF) + type;
    std::snprintf(buf, sizeof buf, "%02X%04X%02X", unsigned(data.size()), address & 0xFFFF, type);
    out += buf;
    for (uint8_t b : data) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        out += buf;
        sum += b;
    }
    std::snprintf(buf, sizeof buf, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
    return out + buf;
}

// Bytes 0, 1, 2 ... of a length, with a twist so that a shifted block shows.
inline Bytes pattern(size_t length, uint8_t seed = 0x5A) {
    Bytes b(length);
    for (size_t i = 0; i < length; ++i) b[i] = uint8_t(i * 7 + seed + (i >> 8));
    return b;
}

}  // namespace stm32test
