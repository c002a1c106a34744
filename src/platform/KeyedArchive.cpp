#include "platform/KeyedArchive.h"

#include <plist/plist.h>

#include "platform/Files.h"
#include "platform/Log.h"
#include "platform/PlistNesting.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <limits>

namespace platform {
namespace {

constexpr const char* kNull = "$null";

struct PlistHolder {
    plist_t node = nullptr;
    ~PlistHolder() {
        if (node) plist_free(node);
    }
};

plist_t classDictionary(const std::vector<std::string>& chain) {
    plist_t cls = plist_new_dict();
    plist_dict_set_item(cls, "$classname", plist_new_string(chain.front().c_str()));
    plist_t classes = plist_new_array();
    for (const auto& c : chain) plist_array_append_item(classes, plist_new_string(c.c_str()));
    plist_dict_set_item(cls, "$classes", classes);
    return cls;
}

// A reference may be a UID node (binary) or a {"CF$UID": n} dictionary (XML).
std::optional<uint64_t> uidOf(plist_t node) {
    if (!node) return std::nullopt;
    if (plist_get_node_type(node) == PLIST_UID) {
        uint64_t v = 0;
        plist_get_uid_val(node, &v);
        return v;
    }
    if (plist_get_node_type(node) == PLIST_DICT && plist_dict_get_size(node) == 1) {
        plist_t n = plist_dict_get_item(node, "CF$UID");
        if (n && plist_get_node_type(n) == PLIST_UINT) {
            uint64_t v = 0;
            plist_get_uint_val(n, &v);
            return v;
        }
    }
    return std::nullopt;
}

// No value we archive comes near this; a longer one is damage, not data.
constexpr uint64_t kMaxStringLength = 4096;

// Read by pointer and length: libplist asserts on a string holding a NUL when it copies it out.
std::string stringOf(plist_t node) {
    uint64_t length = 0;
    const char* p = plist_get_string_ptr(node, &length);
    if (!p) return {};
    if (length > kMaxStringLength) throw ArchiveError("archived string is too long");
    if (std::memchr(p, 0, length)) throw ArchiveError("archived string holds a NUL character");
    return std::string(p, length);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

struct KeyedArchiver::Impl {
    plist_t objects = plist_new_array();
    plist_t root = plist_new_dict();
    uint64_t dateClassUid = 0;

    ~Impl() {
        plist_free(objects);
        plist_free(root);
    }

    uint64_t append(plist_t node) {
        uint64_t uid = plist_array_get_size(objects);
        plist_array_append_item(objects, node);
        return uid;
    }
};

KeyedArchiver::KeyedArchiver(std::vector<std::string> classChain) : impl_(new Impl) {
    impl_->append(plist_new_string(kNull));
    impl_->append(plist_new_bool(0));  // placeholder for the root object, index 1
    plist_dict_set_item(impl_->root, "$class", plist_new_uid(impl_->append(classDictionary(classChain))));
}

KeyedArchiver::~KeyedArchiver() { delete impl_; }

void KeyedArchiver::encodeInt32(int32_t value, const std::string& key) {
    // libplist has only an unsigned integer node; the binary writer keeps the two's-complement
    // 64-bit pattern, which reads back as the negative value.
    plist_dict_set_item(impl_->root, key.c_str(), plist_new_uint(static_cast<uint64_t>(static_cast<int64_t>(value))));
}

void KeyedArchiver::encodeBool(bool value, const std::string& key) {
    plist_dict_set_item(impl_->root, key.c_str(), plist_new_bool(value ? 1 : 0));
}

void KeyedArchiver::encodeDouble(double value, const std::string& key) {
    plist_dict_set_item(impl_->root, key.c_str(), plist_new_real(value));
}

void KeyedArchiver::encodeString(const OptString& value, const std::string& key) {
    uint64_t uid = value ? impl_->append(plist_new_string(value->c_str())) : 0;
    plist_dict_set_item(impl_->root, key.c_str(), plist_new_uid(uid));
}

void KeyedArchiver::encodeDate(const std::optional<Date>& value, const std::string& key) {
    uint64_t uid = 0;
    if (value) {
        if (impl_->dateClassUid == 0) impl_->dateClassUid = impl_->append(classDictionary({"NSDate", "NSObject"}));
        plist_t date = plist_new_dict();
        plist_dict_set_item(date, "NS.time", plist_new_real(value->sinceReferenceDate));
        plist_dict_set_item(date, "$class", plist_new_uid(impl_->dateClassUid));
        uid = impl_->append(date);
    }
    plist_dict_set_item(impl_->root, key.c_str(), plist_new_uid(uid));
}

Bytes KeyedArchiver::finish() const {
    plist_t objects = plist_copy(impl_->objects);
    plist_array_set_item(objects, plist_copy(impl_->root), 1);
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(1));
    PlistHolder archive{plist_new_dict()};
    plist_dict_set_item(archive.node, "$archiver", plist_new_string("NSKeyedArchiver"));
    plist_dict_set_item(archive.node, "$version", plist_new_uint(100000));
    plist_dict_set_item(archive.node, "$top", top);
    plist_dict_set_item(archive.node, "$objects", objects);
    char* data = nullptr;
    uint32_t length = 0;
    plist_to_bin(archive.node, &data, &length);
    Bytes out(data, data + length);
    free(data);
    return out;
}

// ---------------------------------------------------------------------------------------------

std::optional<Bytes> readArchiveFile(const std::string& path, const char* what) {
    ReadFailure why = ReadFailure::None;
    auto bytes = readFile(path, kArchiveFileCap, &why);
    if (!bytes && !(why == ReadFailure::CannotOpen && errno == ENOENT))
        logf("%s %s %s", what, path.c_str(), describe(why));
    return bytes;
}

struct KeyedUnarchiver::Impl {
    PlistHolder archive;
    plist_t objects = nullptr;
    plist_t root = nullptr;

    plist_t object(uint64_t uid) const {
        if (uid >= plist_array_get_size(objects)) throw ArchiveError("archive reference out of range");
        return plist_array_get_item(objects, static_cast<uint32_t>(uid));
    }

    std::string classNameOf(plist_t dict) const {
        auto uid = uidOf(plist_dict_get_item(dict, "$class"));
        if (!uid) throw ArchiveError("archived object has no class");
        plist_t cls = object(*uid);
        plist_t name = cls && plist_get_node_type(cls) == PLIST_DICT ? plist_dict_get_item(cls, "$classname") : nullptr;
        if (!name || plist_get_node_type(name) != PLIST_STRING) throw ArchiveError("archived class has no name");
        return stringOf(name);
    }

    // The referenced object for key, or nullptr for a missing key or $null.
    plist_t referenced(const std::string& key) const {
        plist_t v = plist_dict_get_item(root, key.c_str());
        if (!v) return nullptr;
        auto uid = uidOf(v);
        if (!uid) throw ArchiveError("value for " + key + " is not an object reference");
        plist_t o = object(*uid);
        if (plist_get_node_type(o) == PLIST_STRING && stringOf(o) == kNull) return nullptr;
        return o;
    }
};

KeyedUnarchiver::KeyedUnarchiver(const Bytes& bytes, const std::string& expectedClass) : impl_(new Impl) {
    try {
        if (bytes.empty()) throw ArchiveError("archive is empty");
        if (bytes.size() > std::numeric_limits<uint32_t>::max()) throw ArchiveError("archive is too large");
        const char* data = reinterpret_cast<const char*>(bytes.data());
        auto length = static_cast<uint32_t>(bytes.size());
        // libplist parses and frees nested containers recursively: a deep file would overflow the
        // stack. A keyed archive is a few levels deep, so refuse anything deeper before parsing.
        const bool binary = bytes.size() >= 8 && std::string(data, 8) == "bplist00";
        const NestingCheck nesting = binary ? binaryPlistNesting(bytes, kMaxArchiveNesting, kMaxArchiveNodes)
                                            : xmlPlistNesting(bytes, kMaxArchiveNesting, kMaxArchiveContainers);
        if (nesting == NestingCheck::TooDeep) throw ArchiveError("property list nested too deeply");
        if (nesting == NestingCheck::TooLarge) throw ArchiveError("property list too large");
        if (nesting == NestingCheck::NulInString) throw ArchiveError("archived string holds a NUL character");
        if (nesting == NestingCheck::Malformed) throw ArchiveError("not a property list");
        if (binary)
            plist_from_bin(data, length, &impl_->archive.node);
        else
            plist_from_xml(data, length, &impl_->archive.node);
        plist_t a = impl_->archive.node;
        if (!a || plist_get_node_type(a) != PLIST_DICT) throw ArchiveError("not a property list");
        plist_t archiver = plist_dict_get_item(a, "$archiver");
        if (!archiver || plist_get_node_type(archiver) != PLIST_STRING || stringOf(archiver) != "NSKeyedArchiver")
            throw ArchiveError("not a keyed archive");
        impl_->objects = plist_dict_get_item(a, "$objects");
        plist_t top = plist_dict_get_item(a, "$top");
        if (!impl_->objects || plist_get_node_type(impl_->objects) != PLIST_ARRAY || !top ||
            plist_get_node_type(top) != PLIST_DICT)
            throw ArchiveError("keyed archive without objects");
        auto rootUid = uidOf(plist_dict_get_item(top, "root"));
        if (!rootUid) throw ArchiveError("keyed archive without a root object");
        impl_->root = impl_->object(*rootUid);
        if (plist_get_node_type(impl_->root) != PLIST_DICT) throw ArchiveError("root object is not an object");
        std::string cls = impl_->classNameOf(impl_->root);
        if (cls != expectedClass) throw ArchiveError("archive holds " + cls + ", not " + expectedClass);
    } catch (...) {
        delete impl_;
        throw;
    }
}

KeyedUnarchiver::~KeyedUnarchiver() { delete impl_; }

bool KeyedUnarchiver::containsValueForKey(const std::string& key) const {
    return plist_dict_get_item(impl_->root, key.c_str()) != nullptr;
}

int32_t KeyedUnarchiver::decodeInt32ForKey(const std::string& key) const {
    plist_t v = plist_dict_get_item(impl_->root, key.c_str());
    if (!v) return 0;
    int64_t value = 0;
    switch (plist_get_node_type(v)) {
        case PLIST_UINT: {
            uint64_t u = 0;
            plist_get_uint_val(v, &u);
            value = static_cast<int64_t>(u);
            break;
        }
        case PLIST_BOOLEAN: {
            uint8_t b = 0;
            plist_get_bool_val(v, &b);
            value = b ? 1 : 0;
            break;
        }
        case PLIST_REAL: {
            double d = 0;
            plist_get_real_val(v, &d);
            if (!std::isfinite(d) || d < INT32_MIN || d > INT32_MAX) throw ArchiveError("value for " + key + " is out of range");
            value = static_cast<int64_t>(d);
            break;
        }
        default:
            throw ArchiveError("value for " + key + " is not an integer");
    }
    if (value < INT32_MIN || value > INT32_MAX) throw ArchiveError("value for " + key + " does not fit 32 bits");
    return static_cast<int32_t>(value);
}

bool KeyedUnarchiver::decodeBoolForKey(const std::string& key) const {
    plist_t v = plist_dict_get_item(impl_->root, key.c_str());
    if (!v) return false;
    if (plist_get_node_type(v) == PLIST_BOOLEAN) {
        uint8_t b = 0;
        plist_get_bool_val(v, &b);
        return b != 0;
    }
    return decodeInt32ForKey(key) != 0;
}

double KeyedUnarchiver::decodeDoubleForKey(const std::string& key) const {
    plist_t v = plist_dict_get_item(impl_->root, key.c_str());
    if (!v) return 0.0;
    if (plist_get_node_type(v) == PLIST_REAL) {
        double d = 0;
        plist_get_real_val(v, &d);  // 4-byte reals are widened by the parser
        return d;
    }
    if (plist_get_node_type(v) == PLIST_UINT) {
        uint64_t u = 0;
        plist_get_uint_val(v, &u);
        return static_cast<double>(static_cast<int64_t>(u));
    }
    throw ArchiveError("value for " + key + " is not a number");
}

OptString KeyedUnarchiver::decodeStringForKey(const std::string& key) const {
    plist_t o = impl_->referenced(key);
    if (!o) return std::nullopt;
    if (plist_get_node_type(o) == PLIST_STRING) return stringOf(o);
    if (plist_get_node_type(o) == PLIST_DICT) {
        // NSMutableString and friends archive their text under NS.string.
        plist_t s = plist_dict_get_item(o, "NS.string");
        if (s && plist_get_node_type(s) == PLIST_STRING) return stringOf(s);
    }
    throw ArchiveError("value for " + key + " is not a string");
}

std::optional<Date> KeyedUnarchiver::decodeDateForKey(const std::string& key) const {
    plist_t o = impl_->referenced(key);
    if (!o) return std::nullopt;
    if (plist_get_node_type(o) == PLIST_DICT) {
        plist_t t = plist_dict_get_item(o, "NS.time");
        if (t && plist_get_node_type(t) == PLIST_REAL) {
            double d = 0;
            plist_get_real_val(t, &d);
            return Date{d};
        }
        if (t && plist_get_node_type(t) == PLIST_UINT) {
            uint64_t u = 0;
            plist_get_uint_val(t, &u);
            return Date{static_cast<double>(static_cast<int64_t>(u))};
        }
    }
    throw ArchiveError("value for " + key + " is not a date");
}

}  // namespace platform
