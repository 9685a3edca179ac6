// Build step: turns profiles.txt (readable rows with their reasons) into the program's
// "profiles.pop": 132 blocks of four CR LF lines (label, sizes, video bitrates, transcoder
// options), one per profile number, empty for numbers without a row. Refuses rows out of
// order, repeated keys and unknown lines, so a typo fails the build instead of a conversion.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

constexpr int LastProfile = 132;

struct Row {
    std::string label;
    std::map<std::string, std::string> values;  // "size", "rates", "args"
};

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool fail(const std::string& file, int line, const std::string& what)
{
    std::cerr << file << ":" << line << ": " << what << "\n";
    return false;
}

bool parse(const std::string& file, std::map<int, Row>& rows)
{
    std::ifstream in(file);
    if (!in)
        return fail(file, 0, "cannot open");
    std::string raw;
    int lineNo = 0;
    int current = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            int n = 0;
            try {
                n = std::stoi(line.substr(1, close - 1));
            } catch (...) {
                return fail(file, lineNo, "bad profile number");
            }
            if (close == std::string::npos || n <= current || n > LastProfile)
                return fail(file, lineNo, "profile numbers must rise from 1 to 132");
            current = n;
            rows[n].label = std::to_string(n) + " " + trim(line.substr(close + 1));
            continue;
        }
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? std::string() : trim(line.substr(space + 1));
        if (current == 0 || (key != "size" && key != "rates" && key != "args"))
            return fail(file, lineNo, "expected [N], size, rates or args");
        if (!rows[current].values.emplace(key, value).second)
            return fail(file, lineNo, key + " given twice");
    }
    for (const auto& [n, row] : rows)
        if (row.values.size() != 3)
            return fail(file, 0, "profile " + std::to_string(n) + " needs size, rates and args");
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " profiles.txt profiles.pop\n";
        return 2;
    }
    std::map<int, Row> rows;
    if (!parse(argv[1], rows))
        return 1;
    std::ostringstream out;
    for (int n = 1; n <= LastProfile; ++n) {
        const auto it = rows.find(n);
        if (it == rows.end()) {
            out << "\r\n\r\n\r\n\r\n";
            continue;
        }
        const Row& r = it->second;
        out << r.label << "\r\n"
            << r.values.at("size") << "\r\n"
            << r.values.at("rates") << "\r\n"
            << r.values.at("args") << "\r\n";
    }
    const std::string temp = std::string(argv[2]) + ".new";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file << out.str();
        if (!file.flush()) {
            std::cerr << argv[2] << ": cannot write\n";
            return 1;
        }
    }
    if (std::rename(temp.c_str(), argv[2]) != 0) {
        std::cerr << argv[2] << ": cannot replace\n";
        return 1;
    }
    return 0;
}
