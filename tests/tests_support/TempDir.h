// A temporary folder that a test owns and that is removed with it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace test_support {

class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "velmar-test-XXXXXX").string();
        char* made = mkdtemp(tmpl.data());
        path_ = made ? made : "";
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace test_support
