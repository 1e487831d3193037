#pragma once
// The one list of what holds objects of the GL context: each owner adds,
// once, how its objects are let go and how they are made again. A lost
// context releases the list, last added first; its return remakes it, first
// added first. An owner with nothing to remake makes its objects when it
// next needs them.
#include <functional>
#include <vector>

namespace graph {

class ContextObjects {
public:
    void add(const char* owner, std::function<void()> release,
             std::function<void()> remake = nullptr);
    void releaseAll() const;
    void remakeAll() const;

private:
    struct Owner {
        const char* name;
        std::function<void()> release, remake;
    };
    std::vector<Owner> owners_;
};

}  // namespace graph
