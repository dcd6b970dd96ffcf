#include "render/cache/SceneSource.h"

#include <atomic>
#include <climits>

namespace Cache {

namespace {
std::atomic<SceneSource*> installed{nullptr};
}  // namespace

void setSceneSource(SceneSource* source) { installed = source; }
SceneSource* getSceneSource() { return installed; }

std::wstring makeSceneFileName(int id) { return L"*" + std::to_wstring(id); }

bool isSceneFileName(const std::wstring& name) { return !name.empty() && name[0] == L'*'; }

Edit::Scene* getSceneOfName(const std::wstring& name) {
    if (!isSceneFileName(name)) return nullptr;
    // The decimal digits after the "*"; anything after them is ignored.
    long long id = 0;
    std::size_t i = 1;
    for (; i < name.size() && name[i] >= L'0' && name[i] <= L'9'; ++i) {
        id = id * 10 + (name[i] - L'0');
        if (id > INT_MAX) return nullptr;
    }
    if (i == 1 || id == 0) return nullptr;
    SceneSource* source = getSceneSource();
    return source ? source->getScene(static_cast<int>(id)) : nullptr;
}

}  // namespace Cache
