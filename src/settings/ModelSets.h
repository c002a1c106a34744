// The product-id sets that the settings page's tables name.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace settings {

using ModelIds = std::vector<int32_t>;

// Every id from first to last, both included.
inline ModelIds idRange(int32_t first, int32_t last) {
    ModelIds ids;
    for (int32_t id = first; id <= last; ++id) ids.push_back(id);
    return ids;
}

inline ModelIds joinIds(std::initializer_list<ModelIds> parts) {
    ModelIds ids;
    for (const auto& p : parts) ids.insert(ids.end(), p.begin(), p.end());
    return ids;
}

inline bool containsId(const ModelIds& ids, int32_t id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

namespace model_sets {

const ModelIds& ferrik();
const ModelIds& gessa();
const ModelIds& lutra();
const ModelIds& airoha();
const ModelIds& airohaExtended();
const ModelIds& csrEdr();

}  // namespace model_sets

}  // namespace settings
