#include "app/settings/SettingsFields.h"

#include <glm/gtc/type_ptr.hpp>
#include <utility>

#include "particles/ParticleMath.h"

namespace settings {

const char* const kParticleKindNames[kParticleKinds] = {"sparks", "smoke", "largeFlames",
                                                        "smallFlames"};

namespace {

Field number(const char* group, const char* key, float min, float max,
             float* (*at)(Settings&), Type type = Type::Number) {
    Field field;
    field.group = group;
    field.key = key;
    field.type = type;
    field.min = min;
    field.max = max;
    field.number = at;
    return field;
}

Field color(const char* group, const char* key, float* (*at)(Settings&)) {
    return number(group, key, 0.0f, 1.0f, at, Type::Color);
}

Field choice(const char* group, const char* key, std::vector<std::string> names,
             int* (*at)(Settings&)) {
    Field field;
    field.group = group;
    field.key = key;
    field.type = Type::Choice;
    field.max = static_cast<float>(names.size() - 1);
    field.choices = std::move(names);
    field.choice = at;
    return field;
}

// The accessors take no captures, so a kind's fields are made by a template
// over its index.
template <int Kind>
void addParticleKind(std::vector<Field>& list) {
    const std::string group = std::string("particles.") + kParticleKindNames[Kind];
    const auto add = [&list, &group](const char* key, float min, float max,
                                     float* (*at)(Settings&), Type type) {
        Field field = number("", key, min, max, at, type);
        field.group = group;
        list.push_back(field);
    };
    add("interval", particles::kShortestInterval, 2.0f,
        [](Settings& s) { return &s.particles[Kind].interval; }, Type::Number);
    add("life", 0.05f, 20.0f,
        [](Settings& s) { return glm::value_ptr(s.particles[Kind].life); }, Type::Range);
    add("size", 0.005f, 10.0f,
        [](Settings& s) { return glm::value_ptr(s.particles[Kind].size); }, Type::Range);
    add("speed", 0.0f, 4.0f,
        [](Settings& s) { return &s.particles[Kind].speed; }, Type::Number);
    add("spread", 0.0f, 4.0f,
        [](Settings& s) { return &s.particles[Kind].spread; }, Type::Number);
    add("wind", -20.0f, 20.0f,
        [](Settings& s) { return glm::value_ptr(s.particles[Kind].wind); }, Type::Pair);
}

std::vector<Field> makeFields() {
    std::vector<Field> list = {
        number("time", "scale", 0.0f, 2.0f, [](Settings& s) { return &s.time.scale; }),

        color("fireLight", "color", [](Settings& s) { return glm::value_ptr(s.fireLight.color); }),
        number("fireLight", "intensity", 0.0f, 4.0f,
               [](Settings& s) { return &s.fireLight.intensity; }),
        number("fireLight", "constantAttenuation", 0.0f, 4.0f,
               [](Settings& s) { return &s.fireLight.constantAttenuation; }),
        number("fireLight", "linearAttenuation", 0.0f, 1.0f,
               [](Settings& s) { return &s.fireLight.linearAttenuation; }),
        number("fireLight", "quadraticAttenuation", 0.0f, 0.1f,
               [](Settings& s) { return &s.fireLight.quadraticAttenuation; }),
        number("fireLight", "flicker", 0.0f, 4.0f,
               [](Settings& s) { return &s.fireLight.flicker; }),

        color("sun", "color", [](Settings& s) { return glm::value_ptr(s.sun.color); }),
        number("sun", "intensity", 0.0f, 2.0f, [](Settings& s) { return &s.sun.intensity; }),
        color("ambient", "color", [](Settings& s) { return glm::value_ptr(s.ambient.color); }),
        number("ambient", "intensity", 0.0f, 2.0f,
               [](Settings& s) { return &s.ambient.intensity; }),

        color("fog", "color", [](Settings& s) { return glm::value_ptr(s.fog.color); }),
        choice("fog", "mode", {"linear", "exp", "exp2"}, [](Settings& s) { return &s.fog.mode; }),
        number("fog", "density", 0.0f, 0.5f, [](Settings& s) { return &s.fog.density; }),
        number("fog", "start", 0.0f, 250.0f, [](Settings& s) { return &s.fog.start; }),
        number("fog", "end", 0.0f, 250.0f, [](Settings& s) { return &s.fog.end; }),
    };
    addParticleKind<0>(list);
    addParticleKind<1>(list);
    addParticleKind<2>(list);
    addParticleKind<3>(list);

    list.push_back(number("structure", "speed", -180.0f, 180.0f,
                          [](Settings& s) { return &s.structure.speed; }));
    list.push_back(number("glow", "threshold", 0.0f, 4.0f,
                          [](Settings& s) { return &s.glow.threshold; }));
    list.push_back(number("glow", "exposure", 0.05f, 8.0f,
                          [](Settings& s) { return &s.glow.exposure; }));
    list.push_back(number("glow", "strength", 0.0f, 4.0f,
                          [](Settings& s) { return &s.glow.strength; }));
    list.push_back(number("camera", "fieldOfView", 10.0f, 120.0f,
                          [](Settings& s) { return &s.camera.fieldOfView; }));
    list.push_back(number("camera", "walkSpeed", 0.0f, 100.0f,
                          [](Settings& s) { return &s.camera.walkSpeed; }));
    list.push_back(number("sound", "volume", 0.0f, 1.0f,
                          [](Settings& s) { return &s.sound.volume; }));
    list.push_back(number("sound", "lapping", 0.0f, 2.0f,
                          [](Settings& s) { return &s.sound.lapping; }));
    list.push_back(number("sound", "hiss", 0.0f, 2.0f, [](Settings& s) { return &s.sound.hiss; }));
    list.push_back(number("sound", "crackles", 0.0f, 2.0f,
                          [](Settings& s) { return &s.sound.crackles; }));
    list.push_back(choice("picture", "antialias", {"auto", "off", "post", "msaa"},
                          [](Settings& s) { return &s.picture.antialias; }));
    return list;
}

}  // namespace

int Field::count() const {
    switch (type) {
        case Type::Color:
            return 3;
        case Type::Range:
        case Type::Pair:
            return 2;
        default:
            return 1;
    }
}

const std::vector<Field>& fields() {
    static const std::vector<Field> list = makeFields();
    return list;
}

std::vector<std::string> groups() {
    std::vector<std::string> list;
    for (const Field& field : fields()) {
        if (list.empty() || list.back() != field.group) list.push_back(field.group);
    }
    return list;
}

std::vector<float> valuesOf(const Field& field, const Settings& record) {
    Settings& mutableRecord = const_cast<Settings&>(record);  // the accessors only point
    if (field.type == Type::Choice) {
        return {static_cast<float>(*field.choice(mutableRecord))};
    }
    const float* at = field.number(mutableRecord);
    return std::vector<float>(at, at + field.count());
}

bool sameValue(const Field& field, const Settings& a, const Settings& b) {
    return valuesOf(field, a) == valuesOf(field, b);
}

void copyGroup(const std::string& group, const Settings& from, Settings& into) {
    for (const Field& field : fields()) {
        if (field.group != group) continue;
        if (field.type == Type::Choice) {
            *field.choice(into) = *field.choice(const_cast<Settings&>(from));
            continue;
        }
        const std::vector<float> values = valuesOf(field, from);
        float* at = field.number(into);
        for (size_t i = 0; i < values.size(); ++i) at[i] = values[i];
    }
}

}  // namespace settings
