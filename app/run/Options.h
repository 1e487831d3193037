#pragma once
// Every option the program takes, as one table: its name, its argument, its
// help line and where it applies. The parser (app/run/CommandLine.cpp),
// --help, the page's address (app/run/PageAddress.cpp) and the list in
// docs/command-line.md are all read from it.
#include <functional>
#include <string>
#include <vector>

#include "app/run/RunOptions.h"

namespace options {

// Where an option means something.
enum Where : unsigned {
    kWindow = 1,    // a run in a window
    kHeadless = 2,  // a --headless run
    kBrowser = 4,   // the page, given in its address
    kDesktop = kWindow | kHeadless,
    kEverywhere = kDesktop | kBrowser,
};

struct Option {
    const char* name;      // "--frames"
    const char* argument;  // "N"; "" for a plain flag; "[S]" for a value that may be left out
    std::string help;      // one sentence, wrapped where it is printed
    unsigned where;
    const char* expects;   // what the error line says the value must be
    // Reads the value into the record; false when it is malformed.
    std::function<bool(RunOptions&, const std::string&)> apply;

    bool takesValue() const { return argument[0] != '\0'; }
    bool valueOptional() const { return argument[0] == '['; }
};

// The whole table, in the order of --help.
const std::vector<Option>& all();

// A number of seconds above 0, as every option that takes seconds reads it.
bool readSeconds(const std::string& text, double& out);

// The option named `name` ("--frames"), or nullptr.
const Option* find(const std::string& name);

// "window, headless, page": the places in `where`, in that order.
std::string places(unsigned where);

// The options' lines of --help: each name and argument, then its help
// wrapped within 80 columns.
std::string helpLines();

// The rows of docs/command-line.md's list, its header first.
std::string markdownList();

}  // namespace options
