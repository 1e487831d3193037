#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/settings/SettingsFields.h"
#include "app/settings/SettingsFile.h"
#include "support/TempDataRoot.h"

namespace {

// Every field of the table holds the same values in both records.
::testing::AssertionResult sameRecords(const Settings& a, const Settings& b) {
    for (const settings::Field& field : settings::fields()) {
        if (!settings::sameValue(field, a, b)) {
            return ::testing::AssertionFailure() << field.path() << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

// A record with every value moved off its default and still in its range.
Settings everyValueChanged() {
    Settings record;
    for (const settings::Field& field : settings::fields()) {
        if (field.type == settings::Type::Choice) {
            int& choice = *field.choice(record);
            choice = (choice + 1) % static_cast<int>(field.choices.size());
            continue;
        }
        float* at = field.number(record);
        for (int i = 0; i < field.count(); ++i) {
            at[i] = field.min + (field.max - field.min) * (0.3f + 0.1f * static_cast<float>(i));
        }
    }
    return record;
}

}  // namespace

TEST(SettingsFile, GoodFilesSetWhatTheyNameAndNothingElse) {
    Settings record;
    std::string error;
    ASSERT_TRUE(settings::read(R"({"time": {"scale": 0.25},
        "fog": {"density": 0.02, "color": [0.1, 0.1, 0.15], "mode": "exp2"},
        "fireLight": {"color": [1.0, 0.7, 0.6], "intensity": 1.5},
        "particles": {"smoke": {"life": [3, 6], "wind": [1, -2]}},
        "camera": {"fieldOfView": 60}, "sound": {"volume": 0.5, "crackles": 1.5}})",
                               record, error))
        << error;
    EXPECT_FLOAT_EQ(record.time.scale, 0.25f);
    EXPECT_FLOAT_EQ(record.fog.density, 0.02f);
    EXPECT_EQ(record.fog.color, glm::vec3(0.1f, 0.1f, 0.15f));
    EXPECT_EQ(record.fog.mode, FogSettings::ExponentialSquared);
    EXPECT_FLOAT_EQ(record.fireLight.intensity, 1.5f);
    EXPECT_EQ(record.particles[1].life, glm::vec2(3.0f, 6.0f));
    EXPECT_EQ(record.particles[1].wind, glm::vec2(1.0f, -2.0f));
    EXPECT_FLOAT_EQ(record.camera.fieldOfView, 60.0f);  // a whole number is a number
    EXPECT_FLOAT_EQ(record.sound.volume, 0.5f);
    EXPECT_FLOAT_EQ(record.sound.crackles, 1.5f);
    // Untouched: the rest of each named group, and the groups not named.
    const Settings defaults;
    EXPECT_FLOAT_EQ(record.fog.start, defaults.fog.start);
    EXPECT_EQ(record.particles[0].life, defaults.particles[0].life);
    EXPECT_FLOAT_EQ(record.sun.intensity, defaults.sun.intensity);
    EXPECT_FLOAT_EQ(record.sound.hiss, defaults.sound.hiss);

    Settings empty;
    EXPECT_TRUE(settings::read("{}", empty, error));
    EXPECT_TRUE(sameRecords(empty, defaults));
    // The ends of a range belong to it.
    EXPECT_TRUE(settings::read(R"({"time": {"scale": 0}})", empty, error)) << error;
    EXPECT_TRUE(settings::read(R"({"time": {"scale": 2}})", empty, error)) << error;
}

TEST(SettingsFile, BadFilesNameTheKeyAndTheProblemAndChangeNothing) {
    struct Case {
        const char* text;
        const char* error;  // the start of the error line
    };
    const Case cases[] = {
        {"{\"fog\": ", "not JSON: "},
        {"[1, 2]", "expected a JSON object of groups, got [1,2]"},
        {R"({"weather": {}})", "weather: unknown group (the groups are time, fireLight, sun,"},
        {R"({"fog": {"thickness": 1}})",
         "fog.thickness: unknown key (fog has color, mode, density, start, end)"},
        {R"({"particles": {"embers": {}}})",
         "particles.embers: unknown key (particles has sparks, smoke, largeFlames, smallFlames)"},
        {R"({"particles": {"smoke": {"colour": 1}}})", "particles.smoke.colour: unknown key"},
        {R"({"fog": 3})", "fog: expected an object, got 3"},
        {R"({"fog": {"density": "thick"}})",
         "fog.density: expected a number from 0.0 to 0.5, got \"thick\""},
        {R"({"time": {"scale": true}})", "time.scale: expected a number from 0.0 to 2.0, got true"},
        {R"({"fog": {"color": [1, 0]}})", "fog.color: expected 3 numbers from 0.0 to 1.0, got [1,0]"},
        {R"({"fog": {"color": 0.5}})", "fog.color: expected 3 numbers"},
        {R"({"fog": {"color": [1, "0", 0]}})", "fog.color: expected 3 numbers"},
        {R"({"time": {"scale": 2.5}})", "time.scale: 2.5 is outside 0.0 to 2.0"},
        {R"({"fog": {"density": -0.1}})", "fog.density: -0.1 is outside 0.0 to 0.5"},
        {R"({"fog": {"color": [1, 1.5, 0]}})", "fog.color: 1.5 is outside 0.0 to 1.0"},
        {R"({"particles": {"sparks": {"life": [4, 2]}}})",
         "particles.sparks.life: the lowest is above the highest in [4,2]"},
        {R"({"fog": {"mode": "cubic"}})",
         "fog.mode: expected one of linear, exp, exp2, got \"cubic\""},
        // One good value before the bad one: neither is applied.
        {R"({"time": {"scale": 0.5}, "fog": {"density": 9}})", "fog.density: 9 is outside"},
    };
    for (const Case& c : cases) {
        Settings record;
        std::string error;
        EXPECT_FALSE(settings::read(c.text, record, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << "\n  gave: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        EXPECT_TRUE(sameRecords(record, Settings())) << c.text;
    }
}

TEST(SettingsFile, FilesThatCannotBeReadAreNamed) {
    TempDataRoot root;
    Settings record;
    std::string error;
    const std::string missing = root.path() + "/missing.json";
    EXPECT_FALSE(settings::load(missing, record, error));
    EXPECT_EQ(error, missing + ": cannot be read (No such file or directory)");
    EXPECT_FALSE(settings::load(root.path(), record, error));
    EXPECT_EQ(error, root.path() + ": cannot be read (Is a directory)");

    const std::string bad = root.path() + "/bad.json";
    std::ofstream(bad) << R"({"fog": {"end": 300}})";
    EXPECT_FALSE(settings::load(bad, record, error));
    EXPECT_EQ(error, bad + ": fog.end: 300 is outside 0.0 to 250.0");
    EXPECT_TRUE(sameRecords(record, Settings()));
}

TEST(SettingsFile, PrintedSettingsReadBackAsTheSameValues) {
    const Settings changed = everyValueChanged();
    ASSERT_FALSE(sameRecords(changed, Settings()));
    Settings record;
    std::string error;
    ASSERT_TRUE(settings::read(settings::write(changed), record, error)) << error;
    EXPECT_TRUE(sameRecords(record, changed));

    // Every default lies within its range, and is written the short way.
    const std::string defaults = settings::write(Settings());
    ASSERT_TRUE(settings::read(defaults, record, error)) << error;
    EXPECT_NE(defaults.find(R"("fireLight": {"color": [1.0, 0.7, 0.6], "intensity": 1.0,)"),
              std::string::npos)
        << defaults;
    EXPECT_NE(defaults.find("\"particles\": {\n    \"sparks\": {\"interval\": 0.05,"),
              std::string::npos)
        << defaults;

    // Saved files hold only what differs from the defaults, and load back.
    EXPECT_EQ(settings::writeChanges(Settings(), Settings()), "{}\n");
    Settings one;
    one.particles[2].wind = glm::vec2(3.0f, 0.0f);
    EXPECT_EQ(settings::writeChanges(one, Settings()),
              "{\n  \"particles\": {\n    \"largeFlames\": {\"wind\": [3.0, 0.0]}\n  }\n}\n");
    TempDataRoot root;
    const std::string path = root.path() + "/saved.json";
    ASSERT_TRUE(settings::save(path, changed, Settings(), error)) << error;
    Settings loaded;
    ASSERT_TRUE(settings::load(path, loaded, error)) << error;
    EXPECT_TRUE(sameRecords(loaded, changed));
}
