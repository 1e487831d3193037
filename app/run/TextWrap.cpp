#include "app/run/TextWrap.h"

#include <sstream>

namespace wrap {

std::string lines(const std::string& lead, const std::vector<std::string>& items,
                  const std::string& separator, const std::string& end, size_t indent) {
    const size_t width = 80;
    std::string text = lead;
    size_t column = lead.size();
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string piece = items[i] + (i + 1 == items.size() ? end : separator);
        if (column + 1 + piece.size() > width && i > 0) {
            text += "\n" + std::string(indent, ' ');
            column = indent;
        } else {
            text += ' ';
            ++column;
        }
        text += piece;
        column += piece.size();
    }
    return text + "\n";
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

}  // namespace wrap
