#include "app/settings/SettingsFile.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/settings/SettingsFields.h"

namespace settings {

namespace {

using nlohmann::json;

// The shortest decimal that reads back as the same float, so that 0.7f is
// written "0.7" and not "0.699999988079071".
json numberOf(float value) {
    char text[32];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    return json(std::strtod(text, nullptr));
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string rangeText(const Field& field) {
    return numberOf(field.min).dump() + " to " + numberOf(field.max).dump();
}

// What the value must look like, for the error line.
std::string expected(const Field& field) {
    switch (field.type) {
        case Type::Number:
            return "a number from " + rangeText(field);
        case Type::Choice:
            return "one of " + joined(field.choices);
        default:
            return std::to_string(field.count()) + " numbers from " + rangeText(field);
    }
}

// Reads one field's value into `record`; empty on success, else the problem.
std::string readField(const Field& field, const json& value, Settings& record) {
    const std::string wrong = "expected " + expected(field) + ", got " + value.dump();
    if (field.type == Type::Choice) {
        if (!value.is_string()) return wrong;
        for (size_t i = 0; i < field.choices.size(); ++i) {
            if (value.get<std::string>() == field.choices[i]) {
                *field.choice(record) = static_cast<int>(i);
                return "";
            }
        }
        return wrong;
    }
    const int count = field.count();
    std::vector<json> numbers;
    if (count == 1 && value.is_number()) numbers.push_back(value);
    if (count > 1 && value.is_array() && static_cast<int>(value.size()) == count) {
        numbers.assign(value.begin(), value.end());
    }
    if (numbers.empty()) return wrong;
    float read[3] = {};
    for (int i = 0; i < count; ++i) {
        if (!numbers[static_cast<size_t>(i)].is_number()) return wrong;
        const double number = numbers[static_cast<size_t>(i)].get<double>();
        if (!std::isfinite(number) || number < field.min || number > field.max) {
            return numbers[static_cast<size_t>(i)].dump() + " is outside " + rangeText(field);
        }
        read[i] = static_cast<float>(number);
    }
    if (field.type == Type::Range && read[0] > read[1]) {
        return "the lowest is above the highest in " + value.dump();
    }
    float* at = field.number(record);
    for (int i = 0; i < count; ++i) at[i] = read[i];
    return "";
}

bool isGroupPrefix(const std::string& name) {
    for (const std::string& group : groups()) {
        if (group.compare(0, name.size() + 1, name + ".") == 0) return true;
    }
    return false;
}

std::vector<std::string> keysOf(const std::string& group) {
    std::vector<std::string> keys;
    for (const Field& field : fields()) {
        if (field.group == group) keys.push_back(field.key);
    }
    return keys;
}

// The names one level below `prefix` ("" for the top level).
std::vector<std::string> namesBelow(const std::string& prefix) {
    std::vector<std::string> names;
    for (const std::string& group : groups()) {
        if (!prefix.empty() && group.compare(0, prefix.size() + 1, prefix + ".") != 0) continue;
        const std::string rest = prefix.empty() ? group : group.substr(prefix.size() + 1);
        const std::string name = rest.substr(0, rest.find('.'));
        if (names.empty() || names.back() != name) names.push_back(name);
    }
    return names;
}

// Reads the object at `path` (a group, or a prefix of groups) into `record`.
std::string readObject(const std::string& path, const json& object, Settings& record) {
    if (!object.is_object()) return path + ": expected an object, got " + object.dump();
    const bool isGroup = !keysOf(path).empty();
    for (auto item = object.begin(); item != object.end(); ++item) {
        const std::string name = (path.empty() ? "" : path + ".") + item.key();
        if (isGroup) {
            const Field* found = nullptr;
            for (const Field& field : fields()) {
                if (field.group == path && field.key == item.key()) found = &field;
            }
            if (found == nullptr) {
                return name + ": unknown key (" + path + " has " + joined(keysOf(path)) + ")";
            }
            const std::string problem = readField(*found, item.value(), record);
            if (!problem.empty()) return name + ": " + problem;
            continue;
        }
        if (keysOf(name).empty() && !isGroupPrefix(name)) {
            return name + ": unknown " + (path.empty() ? "group" : "key") + " (" +
                   (path.empty() ? "the groups are " : path + " has ") +
                   joined(namesBelow(path)) + ")";
        }
        const std::string problem = readObject(name, item.value(), record);
        if (!problem.empty()) return problem;
    }
    return "";
}

// One group's values on one line: {"density": 0.01, "color": [0, 0, 0]}.
std::string groupLine(const std::string& group, const Settings& record,
                      const Settings* defaults) {
    std::string line;
    for (const Field& field : fields()) {
        if (field.group != group) continue;
        if (defaults != nullptr && sameValue(field, record, *defaults)) continue;
        std::string value;
        if (field.type == Type::Choice) {
            value = json(field.choices[static_cast<size_t>(valuesOf(field, record)[0])]).dump();
        } else if (field.count() == 1) {
            value = numberOf(valuesOf(field, record)[0]).dump();
        } else {
            for (float number : valuesOf(field, record)) {
                value += (value.empty() ? "[" : ", ") + numberOf(number).dump();
            }
            value += "]";
        }
        line += (line.empty() ? "" : ", ") + json(field.key).dump() + ": " + value;
    }
    return line.empty() ? "" : "{" + line + "}";
}

// The whole file, nesting "particles.smoke" as "particles": {"smoke": ...}.
std::string writeGroups(const Settings& record, const Settings* defaults) {
    std::string text;
    std::string openPrefix;  // the outer group whose object is open
    for (const std::string& group : groups()) {
        const std::string line = groupLine(group, record, defaults);
        if (line.empty()) continue;
        const size_t dot = group.find('.');
        const std::string prefix = dot == std::string::npos ? "" : group.substr(0, dot);
        const std::string name = dot == std::string::npos ? group : group.substr(dot + 1);
        if (prefix != openPrefix && !openPrefix.empty()) text += "\n  }";
        if (!text.empty()) text += ",";
        if (prefix != openPrefix && !prefix.empty()) {
            text += "\n  " + json(prefix).dump() + ": {";
        }
        openPrefix = prefix;
        text += (prefix.empty() ? "\n  " : "\n    ") + json(name).dump() + ": " + line;
    }
    if (!openPrefix.empty()) text += "\n  }";
    return text.empty() ? "{}\n" : "{" + text + "\n}\n";
}

}  // namespace

bool read(const std::string& text, Settings& record, std::string& error) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& parseError) {
        std::string what = parseError.what();
        const size_t at = what.find("] ");
        error = "not JSON: " + (at == std::string::npos ? what : what.substr(at + 2));
        return false;
    }
    if (!document.is_object()) {
        error = "expected a JSON object of groups, got " + document.dump();
        return false;
    }
    Settings changed = record;
    error = readObject("", document, changed);
    if (!error.empty()) return false;
    record = changed;
    return true;
}

bool load(const std::string& path, Settings& record, std::string& error) {
    // C streams, because they tell a folder (EISDIR) from an empty file.
    std::string text;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    bool readable = file != nullptr;
    if (readable) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
        readable = std::ferror(file) == 0;
        std::fclose(file);
    }
    if (!readable) {
        error = path + ": cannot be read (" + std::strerror(errno) + ")";
        return false;
    }
    if (!read(text, record, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

std::string write(const Settings& record) { return writeGroups(record, nullptr); }

std::string writeChanges(const Settings& record, const Settings& defaults) {
    return writeGroups(record, &defaults);
}

bool save(const std::string& path, const Settings& record, const Settings& defaults,
          std::string& error) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file << writeChanges(record, defaults);
    file.close();
    if (!file) {
        error = path + ": cannot be written (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

}  // namespace settings
