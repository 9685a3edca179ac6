#include "tools/register/DvdReference.h"

#include <cctype>
#include <vector>

namespace reg {

namespace {

bool parseDecimal(const std::string& s, long long& out)
{
    if (s.empty() || s.size() > 12)
        return false;
    out = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

// "0x80" (any case of x and digits); a bare "0" means none.
bool parseHexId(const std::string& s, int& out)
{
    if (s == "0") {
        out = 0;
        return true;
    }
    if (s.size() < 3 || s.size() > 6 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X'))
        return false;
    out = 0;
    for (size_t i = 2; i < s.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
        if (c >= '0' && c <= '9')
            out = out * 16 + (c - '0');
        else if (c >= 'a' && c <= 'f')
            out = out * 16 + (c - 'a' + 10);
        else
            return false;
    }
    return true;
}

} // namespace

bool isDvdReference(const std::string& input)
{
    return input.size() >= 6 && input.compare(0, 6, "vts://") == 0;
}

std::optional<DvdReference> parseDvdReference(const std::string& input, std::string& error)
{
    const std::string form = " (expected vts://VV*S*E*A*U*/ROOT)";
    if (!isDvdReference(input)) {
        error = "not a DVD reference" + form;
        return std::nullopt;
    }
    std::vector<std::string> fields;
    size_t pos = 6;
    for (int i = 0; i < 5; ++i) {
        const size_t star = input.find('*', pos);
        if (star == std::string::npos) {
            error = "DVD reference \"" + input + "\" has fewer than six fields" + form;
            return std::nullopt;
        }
        fields.push_back(input.substr(pos, star - pos));
        pos = star + 1;
    }
    if (pos >= input.size() || input[pos] != '/') {
        error = "DVD reference \"" + input + "\" lacks \"*/\" before its root folder" + form;
        return std::nullopt;
    }
    DvdReference ref;
    ref.root = input.substr(pos + 1);

    long long vts = 0;
    if (!parseDecimal(fields[0], vts) || vts < 1 || vts > 99) {
        error = "DVD reference: title set \"" + fields[0] + "\" is not a number from 01 to 99";
        return std::nullopt;
    }
    ref.titleSet = static_cast<int>(vts);
    if (!parseDecimal(fields[1], ref.start)) {
        error = "DVD reference: start sector \"" + fields[1] + "\" is not a non-negative whole number";
        return std::nullopt;
    }
    if (!parseDecimal(fields[2], ref.end)) {
        error = "DVD reference: end sector \"" + fields[2] + "\" is not a non-negative whole number";
        return std::nullopt;
    }
    if (ref.end < ref.start) {
        error = "DVD reference: end sector " + fields[2] + " lies before start sector " + fields[1];
        return std::nullopt;
    }
    if (!parseHexId(fields[3], ref.audioId)
        || (ref.audioId != 0 && !((ref.audioId >= 0x80 && ref.audioId <= 0xA7) || (ref.audioId >= 0xC0 && ref.audioId <= 0xDF)))) {
        error = "DVD reference: audio id \"" + fields[3] + "\" is not 0 or a hex audio stream id such as 0x80";
        return std::nullopt;
    }
    if (!parseHexId(fields[4], ref.subpictureId) || (ref.subpictureId != 0 && (ref.subpictureId < 0x20 || ref.subpictureId > 0x3F))) {
        error = "DVD reference: subtitle id \"" + fields[4] + "\" is not 0 or a hex subpicture id from 0x20 to 0x3F";
        return std::nullopt;
    }
    return ref;
}

int ffmpegStreamId(int psId)
{
    return (psId >= 0xC0 && psId <= 0xEF) ? 0x100 + psId : psId;
}

long long firstPacketOffset(const uint8_t* data, size_t length, int psId)
{
    long long found = -1;
    forEachPacket(data, length, [&](const PsPacket& p) {
        if (p.id == psId) {
            found = static_cast<long long>(p.offset);
            return false;
        }
        return true;
    });
    return found;
}

bool anyScrambled(const uint8_t* data, size_t length)
{
    bool scrambled = false;
    forEachPacket(data, length, [&](const PsPacket& p) {
        scrambled = p.scrambled;
        return !scrambled;
    });
    return scrambled;
}

} // namespace reg
