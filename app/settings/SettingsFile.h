#pragma once
// Settings files: JSON objects whose groups are the panel's sections and whose
// keys are the settings' names, e.g.
//   {"time": {"scale": 0.25}, "fog": {"density": 0.02, "color": [0.1, 0.1, 0.15]},
//    "particles": {"smoke": {"life": [3, 6]}}}
// A file may hold any subset. Reading is all or nothing: a file with one bad
// value changes no value at all.

#include <string>

#include "game/Settings.h"

namespace settings {

// Applies the JSON `text` over `record`. False with `error` naming the key and
// the problem ("fog.density: 5 is outside 0 to 0.5"), and `record` untouched.
bool read(const std::string& text, Settings& record, std::string& error);

// The same from a file; the error starts with the file's path.
bool load(const std::string& path, Settings& record, std::string& error);

// Every setting with its value, as text that `read` takes back.
std::string write(const Settings& record);
// Only the settings whose values differ from `defaults` ("{}" when none do).
std::string writeChanges(const Settings& record, const Settings& defaults);

// writeChanges to a file; false with `error` when it cannot be written.
bool save(const std::string& path, const Settings& record, const Settings& defaults,
          std::string& error);

}  // namespace settings
