#include "preview/VtsSource.h"

#include "dvd/DvdReference.h"

#include <QFile>

#include <dvdread/dvd_reader.h>
#include <mpv/stream_cb.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace preview {

namespace {

constexpr qint64 kSector = DVD_VIDEO_LB_LEN;
constexpr int kChunkSectors = 64;  // one read of 128 KiB keeps libdvdread calls few

// One open "vts://" stream. libmpv calls it from its demuxer thread only.
struct VtsStream {
    dvd_reader_t* dvd = nullptr;
    dvd_file_t* file = nullptr;
    qint64 firstSector = 0;
    qint64 sectorCount = 0;
    qint64 position = 0;              // bytes from the first sector
    std::vector<unsigned char> chunk; // sectors [chunkFirst, chunkFirst + chunkSectors)
    qint64 chunkFirst = -1;
    qint64 chunkSectors = 0;
    std::atomic<bool> cancelled{false};
    // libdvdread's complaints while opening, shown only when the open fails: opening a folder
    // logs errors ("Couldn't find device name.") that mean nothing when the folder opens.
    QByteArrayList openMessages;
    bool opened = false;

    ~VtsStream()
    {
        if (file)
            DVDCloseFile(file);
        if (dvd)
            DVDClose(dvd);
    }

    qint64 size() const { return sectorCount * kSector; }

    bool load(qint64 sector)
    {
        const qint64 count = std::min<qint64>(kChunkSectors, sectorCount - sector);
        chunk.resize(std::size_t(count * kSector));
        const ssize_t got = DVDReadBlocks(file, int(firstSector + sector), std::size_t(count), chunk.data());
        if (got <= 0) {
            chunkFirst = -1;
            return false;
        }
        chunkFirst = sector;
        chunkSectors = got;
        return true;
    }

    int64_t read(char* buf, uint64_t nbytes)
    {
        if (cancelled)
            return -1;
        if (position >= size() || nbytes == 0)
            return 0;
        const qint64 sector = position / kSector;
        if (chunkFirst < 0 || sector < chunkFirst || sector >= chunkFirst + chunkSectors) {
            if (!load(sector))
                return -1;
        }
        const qint64 offset = position - chunkFirst * kSector;
        const qint64 n = std::min<qint64>(qint64(nbytes), chunkSectors * kSector - offset);
        std::memcpy(buf, chunk.data() + offset, std::size_t(n));
        position += n;
        return n;
    }
};

void logDvdRead(void* stream, dvd_logger_level_t level, const char* format, va_list args)
{
    if (level != DVD_LOGGER_LEVEL_ERROR)
        return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    auto* s = static_cast<VtsStream*>(stream);
    if (s->opened)
        std::fprintf(stderr, "preview: dvdread: %s\n", text);
    else
        s->openMessages.append(QByteArray(text).trimmed());
}

const dvd_logger_cb kLogger = {logDvdRead};

int64_t readFn(void* cookie, char* buf, uint64_t nbytes)
{
    return static_cast<VtsStream*>(cookie)->read(buf, nbytes);
}

int64_t seekFn(void* cookie, int64_t offset)
{
    auto* s = static_cast<VtsStream*>(cookie);
    if (offset < 0 || offset > s->size())
        return MPV_ERROR_GENERIC;
    s->position = offset;
    return offset;
}

int64_t sizeFn(void* cookie)
{
    return static_cast<VtsStream*>(cookie)->size();
}

void closeFn(void* cookie)
{
    delete static_cast<VtsStream*>(cookie);
}

void cancelFn(void* cookie)
{
    static_cast<VtsStream*>(cookie)->cancelled = true;
}

int openFn(void*, char* uri, mpv_stream_cb_info* info)
{
    const std::optional<VtsSource> source = ParseVtsSource(QByteArray(uri));
    if (!source) {
        std::fprintf(stderr, "preview: not a DVD reference: %s\n", uri);
        return MPV_ERROR_LOADING_FAILED;
    }
    auto* s = new VtsStream;
    s->dvd = DVDOpen2(s, &kLogger, QFile::encodeName(source->root).constData());
    if (s->dvd)
        s->file = DVDOpenFile(s->dvd, source->titleSet, DVD_READ_TITLE_VOBS);
    const qint64 fileSectors = s->file ? DVDFileSize(s->file) : -1;
    if (fileSectors <= 0 || source->firstSector >= fileSectors) {
        for (const QByteArray& m : s->openMessages)
            std::fprintf(stderr, "preview: dvdread: %s\n", m.constData());
        std::fprintf(stderr, "preview: cannot read title set %d of %s\n", source->titleSet,
                     QFile::encodeName(source->root).constData());
        delete s;
        return MPV_ERROR_LOADING_FAILED;
    }
    s->opened = true;
    s->openMessages.clear();
    s->firstSector = source->firstSector;
    s->sectorCount = std::min(source->lastSector, fileSectors - 1) - source->firstSector + 1;
    info->cookie = s;
    info->read_fn = readFn;
    info->seek_fn = seekFn;
    info->size_fn = sizeFn;
    info->close_fn = closeFn;
    info->cancel_fn = cancelFn;
    return 0;
}

} // namespace

std::optional<VtsSource> ParseVtsSource(const QByteArray& text)
{
    const std::optional<dvd::ParsedDvdReference> r = dvd::ParseDvdReference(QFile::decodeName(text));
    // A range the disc cannot hold is refused here rather than by a failing read later.
    if (!r || r->titleSet < 1 || r->titleSet > 99 || r->startSector < 0 || r->endSector < r->startSector
        || r->audioId > 0xff || r->subtitleId > 0xff)
        return std::nullopt;
    VtsSource s;
    s.titleSet = r->titleSet;
    s.firstSector = r->startSector;
    s.lastSector = r->endSector;
    s.audioId = r->audioId;
    s.subtitleId = r->subtitleId;
    s.root = r->root;
    return s;
}

bool RegisterVtsProtocol(mpv_handle* mpv)
{
    return mpv_stream_cb_add_ro(mpv, "vts", nullptr, openFn) >= 0;
}

} // namespace preview
