#pragma once
// The table of every setting: where it sits in a settings file, its type,
// its range and where it lives in the record. The file reader, the printer
// and the panel all walk this one table, so a value added here is read,
// printed and shown at once.

#include <string>
#include <vector>

#include "game/Settings.h"

namespace settings {

enum class Type {
    Number,  // one number
    Color,   // three numbers, 0 to 1
    Range,   // two numbers, the first not above the second
    Pair,    // two numbers
    Choice,  // one of `choices`, written as its name
};

struct Field {
    std::string group;  // "fog", or "particles.smoke" for a kind of particle
    std::string key;    // "density"
    Type type = Type::Number;
    float min = 0.0f, max = 1.0f;     // every number of the value
    std::vector<std::string> choices;  // Type::Choice
    // The value's first float (or the int of a Choice) in a record.
    float* (*number)(Settings&) = nullptr;
    int* (*choice)(Settings&) = nullptr;

    int count() const;  // floats in the value
    std::string path() const { return group + "." + key; }
};

// Every setting, grouped in the order the panel shows them.
const std::vector<Field>& fields();

// The groups in that order ("time", "fireLight", ..., "particles.sparks", ...).
std::vector<std::string> groups();

// The names of the particle kinds as the files write them.
extern const char* const kParticleKindNames[kParticleKinds];

// The values of `field` in `record`, as floats (a Choice's index as one).
std::vector<float> valuesOf(const Field& field, const Settings& record);
// Whether `field` holds the same values in both records.
bool sameValue(const Field& field, const Settings& a, const Settings& b);
// Copies the values of every field of `group` from `from` into `into`.
void copyGroup(const std::string& group, const Settings& from, Settings& into);

}  // namespace settings
