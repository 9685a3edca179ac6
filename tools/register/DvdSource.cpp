#include "tools/register/DvdSource.h"

#include "tools/register/Process.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>

namespace reg {

namespace {

constexpr size_t kSector = 2048;
constexpr long long kHeadSectors = 16384;     // 32 MB kept while looking ahead
constexpr long long kLookAheadSectors = 524288; // 1 GB at most searched for a late first packet
constexpr long long kChunkSectors = 512;

// libdvdread's messages go through here instead of stdout; errors are kept for the reason line.
struct LogState {
    std::string lastError;
};

void logToState(void* priv, dvd_logger_level_t level, const char* fmt, va_list args)
{
    if (level != DVD_LOGGER_LEVEL_ERROR || !priv)
        return;
    char buf[512];
    std::vsnprintf(buf, sizeof buf, fmt, args);
    std::string s = buf;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    static_cast<LogState*>(priv)->lastError = s;
}

LogState g_log;
const dvd_logger_cb g_logger = {logToState};

bool isDir(const std::string& p)
{
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of a folder whose name equals `name` ignoring case, or "".
std::string findEntry(const std::string& dir, const char* name)
{
    std::string found;
    if (DIR* d = opendir(dir.empty() ? "/" : dir.c_str())) {
        while (dirent* e = readdir(d))
            if (strcasecmp(e->d_name, name) == 0) {
                found = e->d_name;
                break;
            }
        closedir(d);
    }
    return found;
}

std::string baseName(const std::string& p)
{
    const size_t s = p.find_last_of('/');
    return s == std::string::npos ? p : p.substr(s + 1);
}

std::string parentOf(const std::string& p)
{
    const size_t s = p.find_last_of('/');
    if (s == std::string::npos)
        return ".";
    return s == 0 ? std::string("/") : p.substr(0, s);
}

// DVD palette entries are 0x00YYCrCb (video levels); ffmpeg's dvdsub decoder wants RGB.
std::string rgbPalette(const uint32_t* pal)
{
    std::string out;
    for (int i = 0; i < 16; ++i) {
        const double y = (pal[i] >> 16) & 0xFF, cr = (pal[i] >> 8) & 0xFF, cb = pal[i] & 0xFF;
        auto clamp = [](double v) { return static_cast<int>(std::clamp(v + 0.5, 0.0, 255.0)); };
        const int r = clamp(1.164 * (y - 16) + 1.596 * (cr - 128));
        const int g = clamp(1.164 * (y - 16) - 0.813 * (cr - 128) - 0.391 * (cb - 128));
        const int b = clamp(1.164 * (y - 16) + 2.018 * (cb - 128));
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02x%02x%02x", r, g, b);
        if (i)
            out += ',';
        out += buf;
    }
    return out;
}

} // namespace

std::string resolveDvdRoot(const std::string& root, std::string& error)
{
    // An empty ROOT comes from an IFO path without a folder above VIDEO_TS: the file-system
    // root when it holds VIDEO_TS, else the current directory.
    std::string r = root;
    if (r.empty())
        r = findEntry("/", "VIDEO_TS").empty() ? "." : "/";
    while (r.size() > 1 && r.back() == '/')
        r.pop_back();
    struct stat st;
    if (stat(r.c_str(), &st) != 0) {
        error = "DVD root \"" + r + "\" does not exist";
        return {};
    }
    if (S_ISREG(st.st_mode)) {
        const std::string name = baseName(r);
        if (name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".ifo") == 0)
            r = parentOf(parentOf(r));  // an IFO file: the folder above its VIDEO_TS
        else
            return r;  // a disc image
    } else if (S_ISBLK(st.st_mode)) {
        return r;
    }
    if (!isDir(r)) {
        error = "DVD root \"" + r + "\" is neither a folder, a disc image nor a device";
        return {};
    }
    if (strcasecmp(baseName(r).c_str(), "VIDEO_TS") == 0)
        r = parentOf(r);
    const std::string ts = findEntry(r, "VIDEO_TS");
    if (ts.empty() || !isDir((r == "/" ? "" : r) + "/" + ts)) {
        error = "no DVD at \"" + r + "\": it holds no VIDEO_TS folder";
        return {};
    }
    return r;
}

DvdSource::~DvdSource()
{
    if (file_)
        DVDCloseFile(file_);
    if (dvd_)
        DVDClose(dvd_);
}

bool DvdSource::open(const DvdReference& ref, std::string& error, int& exitCode)
{
    exitCode = ExitBadReference;
    rootPath_ = resolveDvdRoot(ref.root, error);
    if (rootPath_.empty())
        return false;
    dvd_ = DVDOpen2(&g_log, &g_logger, rootPath_.c_str());
    if (!dvd_) {
        error = "no DVD at \"" + rootPath_ + "\"" + (g_log.lastError.empty() ? "" : ": " + g_log.lastError);
        return false;
    }
    ifo_handle_t* vmg = ifoOpen(dvd_, 0);
    if (!vmg) {
        error = "no DVD at \"" + rootPath_ + "\": its VIDEO_TS.IFO cannot be read";
        return false;
    }
    const int sets = vmg->vmgi_mat ? vmg->vmgi_mat->vmg_nr_of_title_sets : 0;
    ifoClose(vmg);
    if (ref.titleSet > sets) {
        error = "title set " + std::to_string(ref.titleSet) + " does not exist on the DVD at \"" + rootPath_
                + "\" (it has " + std::to_string(sets) + ")";
        return false;
    }
    ifo_handle_t* vts = ifoOpen(dvd_, ref.titleSet);
    if (!vts) {
        error = "title set " + std::to_string(ref.titleSet) + " of the DVD at \"" + rootPath_ + "\" cannot be read";
        return false;
    }
    // The palette of the program chain whose cells hold the start sector (else the first).
    const pgc_t* chosen = nullptr;
    if (vts->vts_pgcit) {
        for (int i = 0; i < vts->vts_pgcit->nr_of_pgci_srp && !chosen; ++i) {
            const pgc_t* pgc = vts->vts_pgcit->pgci_srp[i].pgc;
            if (!pgc)
                continue;
            for (int c = 0; c < pgc->nr_of_cells && pgc->cell_playback; ++c)
                if (pgc->cell_playback[c].first_sector <= ref.start && ref.start <= pgc->cell_playback[c].last_sector) {
                    chosen = pgc;
                    break;
                }
        }
        if (!chosen && vts->vts_pgcit->nr_of_pgci_srp > 0)
            chosen = vts->vts_pgcit->pgci_srp[0].pgc;
    }
    if (chosen) {
        uint32_t pal[16];
        std::memcpy(pal, reinterpret_cast<const char*>(chosen) + offsetof(pgc_t, palette), sizeof pal);
        palette_ = rgbPalette(pal);
    }
    ifoClose(vts);

    file_ = DVDOpenFile(dvd_, ref.titleSet, DVD_READ_TITLE_VOBS);
    if (!file_) {
        error = "title set " + std::to_string(ref.titleSet) + " of the DVD at \"" + rootPath_ + "\" has no title VOBs";
        return false;
    }
    const ssize_t size = DVDFileSize(file_);
    if (size <= 0 || ref.end >= size) {
        error = "sectors " + std::to_string(ref.start) + " to " + std::to_string(ref.end) + " lie beyond title set "
                + std::to_string(ref.titleSet) + "'s " + std::to_string(size > 0 ? size : 0) + " sectors";
        return false;
    }
    nextSector_ = ref.start;
    endSector_ = ref.end;
    audioId_ = ref.audioId;
    subId_ = ref.subpictureId;

    // Read the head of the range (kept and handed out first) and look for the streams.
    const long long headSectors = std::min(kHeadSectors, endSector_ - nextSector_ + 1);
    head_.resize(static_cast<size_t>(headSectors) * kSector);
    long long got = 0;
    while (got < headSectors) {
        const long long n = std::min(kChunkSectors, headSectors - got);
        const ssize_t r = DVDReadBlocks(file_, static_cast<int>(nextSector_ + got), static_cast<size_t>(n),
                                        head_.data() + got * kSector);
        if (r <= 0) {
            exitCode = ExitDvdRead;
            error = "cannot read sector " + std::to_string(nextSector_ + got) + " of title set "
                    + std::to_string(ref.titleSet) + " on the DVD at \"" + rootPath_ + "\"";
            return false;
        }
        got += r;
    }
    if (anyScrambled(head_.data(), head_.size())) {
        exitCode = ExitEncrypted;
        error = "the DVD at \"" + rootPath_ + "\" is encrypted (CSS); it cannot be read without libdvdcss, which Debian does not ship";
        return false;
    }
    if (audioId_)
        audioOffset_ = firstPacketOffset(head_.data(), head_.size(), audioId_);
    if (subId_)
        subOffset_ = firstPacketOffset(head_.data(), head_.size(), subId_);
    // A stream whose first packet lies beyond the head: search further without keeping.
    std::vector<uint8_t> buf(kChunkSectors * kSector);
    for (long long s = nextSector_ + headSectors;
         s <= endSector_ && s < nextSector_ + kLookAheadSectors && ((audioId_ && audioOffset_ < 0) || (subId_ && subOffset_ < 0));) {
        if (stopSignal()) {
            exitCode = ExitStopped;
            error = "stopped";
            return false;
        }
        const long long n = std::min(kChunkSectors, endSector_ - s + 1);
        const ssize_t r = DVDReadBlocks(file_, static_cast<int>(s), static_cast<size_t>(n), buf.data());
        if (r <= 0)
            break;
        const long long base = (s - nextSector_) * static_cast<long long>(kSector);
        const size_t bytes = static_cast<size_t>(r) * kSector;
        if (audioId_ && audioOffset_ < 0)
            if (const long long o = firstPacketOffset(buf.data(), bytes, audioId_); o >= 0)
                audioOffset_ = base + o;
        if (subId_ && subOffset_ < 0)
            if (const long long o = firstPacketOffset(buf.data(), bytes, subId_); o >= 0)
                subOffset_ = base + o;
        s += r;
    }
    exitCode = 0;
    return true;
}

bool DvdSource::next(std::vector<uint8_t>& chunk, std::string& error)
{
    chunk.clear();
    if (!headGiven_) {
        headGiven_ = true;
        nextSector_ += static_cast<long long>(head_.size() / kSector);
        chunk.swap(head_);
        return true;
    }
    if (nextSector_ > endSector_)
        return true;
    const long long n = std::min(kChunkSectors, endSector_ - nextSector_ + 1);
    chunk.resize(static_cast<size_t>(n) * kSector);
    const ssize_t r = DVDReadBlocks(file_, static_cast<int>(nextSector_), static_cast<size_t>(n), chunk.data());
    if (r <= 0) {
        error = "cannot read sector " + std::to_string(nextSector_) + " of the DVD at \"" + rootPath_ + "\"";
        chunk.clear();
        return false;
    }
    chunk.resize(static_cast<size_t>(r) * kSector);
    nextSector_ += r;
    return true;
}

long long DvdSource::firstPacket(int psId) const
{
    if (psId == audioId_)
        return audioOffset_;
    if (psId == subId_)
        return subOffset_;
    return -1;
}

} // namespace reg
