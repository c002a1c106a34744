// Keyed archives in the NSKeyedArchiver layout (binary property list), the format of the
// configuration file and of the settings backups. One flat object per archive: the root object's
// keys hold integers, booleans and reals inline, and strings and dates as references.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Date.h"

namespace platform {

using OptString = std::optional<std::string>;
using Bytes = std::vector<uint8_t>;

// Thrown only while reading an archive; the caller reports it as a decoding failure.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class KeyedArchiver {
public:
    // classChain: the root object's class and its superclasses, most derived first.
    explicit KeyedArchiver(std::vector<std::string> classChain);
    ~KeyedArchiver();
    KeyedArchiver(const KeyedArchiver&) = delete;
    KeyedArchiver& operator=(const KeyedArchiver&) = delete;

    void encodeInt32(int32_t value, const std::string& key);
    void encodeBool(bool value, const std::string& key);
    void encodeDouble(double value, const std::string& key);
    void encodeString(const OptString& value, const std::string& key);  // nil is stored as $null
    void encodeDate(const std::optional<Date>& value, const std::string& key);

    Bytes finish() const;  // the binary property list

private:
    struct Impl;
    Impl* impl_;
};

// The one way an archive file (the configuration, a settings backup) is read: at most the archive
// cap, and only a regular file. nullopt when it cannot be read, with a log line naming what (none
// when the file is simply missing). The unarchiver then checks the nesting before it parses.
std::optional<Bytes> readArchiveFile(const std::string& path, const char* what);

class KeyedUnarchiver {
public:
    // Parses binary or XML; throws ArchiveError when the bytes are not a keyed archive whose root
    // object is of class expectedClass.
    KeyedUnarchiver(const Bytes& bytes, const std::string& expectedClass);
    ~KeyedUnarchiver();
    KeyedUnarchiver(const KeyedUnarchiver&) = delete;
    KeyedUnarchiver& operator=(const KeyedUnarchiver&) = delete;

    bool containsValueForKey(const std::string& key) const;
    // Missing keys read as 0 / NO / 0.0 / nil; a value of the wrong type throws ArchiveError.
    int32_t decodeInt32ForKey(const std::string& key) const;
    bool decodeBoolForKey(const std::string& key) const;
    double decodeDoubleForKey(const std::string& key) const;  // 4- or 8-byte reals, or an integer
    OptString decodeStringForKey(const std::string& key) const;
    std::optional<Date> decodeDateForKey(const std::string& key) const;

private:
    struct Impl;
    Impl* impl_;
};

}  // namespace platform
