#include "GraphicsEngine/ContextObjects.h"

#include <utility>

namespace graph {

void ContextObjects::add(const char* owner, std::function<void()> release,
                         std::function<void()> remake) {
    owners_.push_back({owner, std::move(release), std::move(remake)});
}

void ContextObjects::releaseAll() const {
    for (auto owner = owners_.rbegin(); owner != owners_.rend(); ++owner) owner->release();
}

void ContextObjects::remakeAll() const {
    for (const Owner& owner : owners_) {
        if (owner.remake) owner.remake();
    }
}

}  // namespace graph
