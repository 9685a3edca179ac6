#include "convert/ArgSplit.h"

namespace argsplit {

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false;
    bool pending = false;  // an argument has started (a quoted empty group counts)
    for (char c : text) {
        if (c == '"') {
            inQuotes = !inQuotes;
            pending = true;
        } else if (c == ' ' && !inQuotes) {
            if (pending)
                args.push_back(current);
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        args.push_back(current);
    return args;
}

} // namespace argsplit
