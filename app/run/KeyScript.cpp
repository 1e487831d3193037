#include "app/run/KeyScript.h"

#include <vector>

#include "app/Keys.h"

namespace {

// The scripted keys in the table's order: F1..F10, W A S D, SPACE, G, C, Tab.
const std::vector<int>& cycle() {
    static const std::vector<int> codes = [] {
        std::vector<int> list;
        for (const keys::Key& key : keys::all()) {
            if (keys::isScripted(key.kind)) list.push_back(key.code);
        }
        return list;
    }();
    return codes;
}
constexpr long kHeldFrames = 2;

}  // namespace

bool KeyScript::holds(int key, long frame) const {
    if (period_ <= 0 || frame < period_) return false;
    const long slot = frame / period_;
    if (frame - slot * period_ >= kHeldFrames) return false;
    const long length = static_cast<long>(cycle().size());
    return cycle()[static_cast<size_t>((slot - 1) % length)] == key;
}
