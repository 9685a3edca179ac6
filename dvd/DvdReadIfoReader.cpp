#include "dvd/DvdReadIfoReader.h"

#include "dvd/DvdReference.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

extern "C" {
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>
}

namespace dvd {

struct DvdReadIfoReader::Impl {
    struct Open {
        dvd_reader_t* dvd = nullptr;
        ifo_handle_t* ifo = nullptr;
        int titleSet = 0;
    };
    QHash<QString, dvd_reader_t*> readers;  // folder -> reader (null: could not be opened)
    std::vector<Open> opens;                // handle - 1
    QStringList log;

    const Open* find(int handle) const
    {
        if (handle < 1 || handle > static_cast<int>(opens.size()))
            return nullptr;
        return &opens[static_cast<size_t>(handle - 1)];
    }

    // The title set's program chain table, or null when the file has none.
    const pgcit_t* chains(int handle) const
    {
        const Open* o = find(handle);
        if (!o || !o->ifo || !o->ifo->vts_pgcit || !o->ifo->vts_pgcit->pgci_srp)
            return nullptr;
        return o->ifo->vts_pgcit;
    }

    const pgc_t* chain(int handle, int index) const
    {
        const pgcit_t* table = chains(handle);
        if (!table || index < 0 || index >= table->nr_of_pgci_srp)
            return nullptr;
        return table->pgci_srp[index].pgc;
    }

    const vtsi_mat_t* attributes(int handle) const
    {
        const Open* o = find(handle);
        return o && o->ifo ? o->ifo->vtsi_mat : nullptr;
    }
};

namespace {

void logToReader(void* self, dvd_logger_level_t, const char* format, va_list args)
{
    char line[512];
    std::vsnprintf(line, sizeof line, format, args);
    static_cast<DvdReadIfoReader::Impl*>(self)->log.append(QString::fromLocal8Bit(line).trimmed());
}

const dvd_logger_cb logger = {logToReader};

int fromBcd(uint8_t value)
{
    return (value >> 4) * 10 + (value & 0x0f);
}

QString hexId(int id)
{
    return QString::asprintf("0x%02X", id);
}

// English names of the ISO 639-1 codes found on discs; other codes are shown as they are.
QString languageName(uint16_t code)
{
    static const QHash<QString, QString> names = {
        {"en", "English"}, {"de", "German"}, {"fr", "French"}, {"es", "Spanish"}, {"it", "Italian"},
        {"nl", "Dutch"}, {"pt", "Portuguese"}, {"sv", "Swedish"}, {"da", "Danish"}, {"no", "Norwegian"},
        {"fi", "Finnish"}, {"is", "Icelandic"}, {"pl", "Polish"}, {"cs", "Czech"}, {"sk", "Slovak"},
        {"hu", "Hungarian"}, {"ro", "Romanian"}, {"bg", "Bulgarian"}, {"ru", "Russian"}, {"uk", "Ukrainian"},
        {"el", "Greek"}, {"tr", "Turkish"}, {"he", "Hebrew"}, {"ar", "Arabic"}, {"hi", "Hindi"},
        {"th", "Thai"}, {"zh", "Chinese"}, {"ja", "Japanese"}, {"ko", "Korean"}, {"hr", "Croatian"},
        {"sr", "Serbian"}, {"sl", "Slovenian"}, {"et", "Estonian"}, {"lv", "Latvian"}, {"lt", "Lithuanian"},
        {"ca", "Catalan"}, {"eu", "Basque"}, {"gl", "Galician"}, {"id", "Indonesian"}, {"ms", "Malay"},
        {"vi", "Vietnamese"}, {"fa", "Persian"}, {"la", "Latin"}, {"ga", "Irish"}, {"cy", "Welsh"}};
    const char a = static_cast<char>(code >> 8);
    const char b = static_cast<char>(code & 0xff);
    if (a < 'a' || a > 'z' || b < 'a' || b > 'z')
        return QStringLiteral("Unknown");
    const QString key = QString(QChar(a)) + QChar(b);
    return names.value(key, key);
}

} // namespace

DvdReadIfoReader::DvdReadIfoReader() : d_(std::make_unique<Impl>()) {}

DvdReadIfoReader::~DvdReadIfoReader()
{
    for (const Impl::Open& o : d_->opens)
        if (o.ifo)
            ifoClose(o.ifo);
    for (dvd_reader_t* r : std::as_const(d_->readers))
        if (r)
            DVDClose(r);
}

QStringList DvdReadIfoReader::log() const
{
    return d_->log;
}

int DvdReadIfoReader::ifoOpen(const QString& ifoPath)
{
    const QFileInfo info(ifoPath);
    if (!info.isFile())
        return 0;
    bool ok = false;
    const int titleSet = TitleSetNumberText(ifoPath).toInt(&ok);
    // Title set 0 is the menu file VIDEO_TS.IFO, which holds no titles.
    if (!ok || titleSet < 1 || titleSet > 99)
        return 0;

    const QString folder = info.absolutePath();
    if (!d_->readers.contains(folder))
        d_->readers.insert(folder, DVDOpen2(d_.get(), &logger, QFile::encodeName(folder).constData()));
    dvd_reader_t* reader = d_->readers.value(folder);
    if (!reader)
        return 0;
    ifo_handle_t* ifo = ::ifoOpen(reader, titleSet);
    if (!ifo)
        return 0;
    if (!ifo->vtsi_mat || !ifo->vts_pgcit) {
        ifoClose(ifo);
        return 0;
    }
    d_->opens.push_back({reader, ifo, titleSet});
    return static_cast<int>(d_->opens.size());
}

int DvdReadIfoReader::ifoGetNumPGCI(int handle)
{
    const pgcit_t* table = d_->chains(handle);
    return table ? table->nr_of_pgci_srp : 0;
}

int DvdReadIfoReader::ifoGetNumAudio(int handle)
{
    const vtsi_mat_t* mat = d_->attributes(handle);
    return mat ? qBound(0, static_cast<int>(mat->nr_of_vts_audio_streams), 8) : 0;
}

QString DvdReadIfoReader::ifoGetAudioDesc(int handle, int stream)
{
    if (stream < 0 || stream >= ifoGetNumAudio(handle))
        return QString();
    const audio_attr_t& a = d_->attributes(handle)->vts_audio_attr[stream];

    // The stream number on the disc comes from the first chain that carries the stream;
    // without one the stream's position stands in.
    int number = stream;
    for (int c = 0; c < ifoGetNumPGCI(handle); ++c) {
        const pgc_t* pgc = d_->chain(handle, c);
        if (pgc && (pgc->audio_control[stream] & 0x8000)) {
            number = (pgc->audio_control[stream] >> 8) & 0x07;
            break;
        }
    }
    QString coding;
    int base = 0x80;
    switch (a.audio_format) {
    case 0: coding = QStringLiteral("AC3"); base = 0x80; break;
    case 2: coding = QStringLiteral("MPEG1"); base = 0xC0; break;
    case 3: coding = QStringLiteral("MPEG2"); base = 0xC0; break;
    case 4: coding = QStringLiteral("LPCM"); base = 0xA0; break;
    case 6: coding = QStringLiteral("DTS"); base = 0x88; break;
    default: coding = QStringLiteral("Unknown"); break;
    }
    const QString language = a.lang_type == 1 ? languageName(a.lang_code) : QStringLiteral("Unknown");
    return QStringLiteral("%1 %2 %3ch (%4)").arg(language, coding).arg(a.channels + 1).arg(hexId(base + number));
}

int DvdReadIfoReader::ifoGetNumSubPic(int handle)
{
    const vtsi_mat_t* mat = d_->attributes(handle);
    return mat ? qBound(0, static_cast<int>(mat->nr_of_vts_subp_streams), 32) : 0;
}

QString DvdReadIfoReader::ifoGetSubPicDesc(int handle, int stream)
{
    if (stream < 0 || stream >= ifoGetNumSubPic(handle))
        return QString();
    const vtsi_mat_t* mat = d_->attributes(handle);
    const subp_attr_t& s = mat->vts_subp_attr[stream];
    // A chain's subpicture word holds one stream number per display form: the 4:3 one for 4:3
    // video, the wide one for 16:9.
    const int shift = mat->vts_video_attr.display_aspect_ratio == 0 ? 24 : 16;
    int number = stream;
    for (int c = 0; c < ifoGetNumPGCI(handle); ++c) {
        const pgc_t* pgc = d_->chain(handle, c);
        if (pgc && (pgc->subp_control[stream] & 0x80000000u)) {
            number = static_cast<int>((pgc->subp_control[stream] >> shift) & 0x1f);
            break;
        }
    }
    const QString language = s.type == 1 ? languageName(s.lang_code) : QStringLiteral("Unknown");
    return QStringLiteral("%1 (%2)").arg(language, hexId(0x20 + number));
}

int DvdReadIfoReader::ifoGetPGCIInfo(int handle, int pgc, PgcPlaybackTime& time)
{
    time = {};
    const pgc_t* chain = d_->chain(handle, pgc);
    if (!chain)
        return 0;
    time.hours = fromBcd(chain->playback_time.hour);
    time.minutes = fromBcd(chain->playback_time.minute);
    time.seconds = fromBcd(chain->playback_time.second);
    return chain->cell_playback ? chain->nr_of_cells : 0;
}

QVector<PgcCellEntry> DvdReadIfoReader::ifoGetPGCICells(int handle, int pgc)
{
    QVector<PgcCellEntry> cells;
    const pgc_t* chain = d_->chain(handle, pgc);
    if (!chain || !chain->cell_playback)
        return cells;
    cells.reserve(chain->nr_of_cells);
    for (int j = 0; j < chain->nr_of_cells; ++j) {
        const cell_playback_t& c = chain->cell_playback[j];
        cells.append({c.first_sector, c.last_sector, fromBcd(c.playback_time.hour),
                      fromBcd(c.playback_time.minute), fromBcd(c.playback_time.second)});
    }
    return cells;
}

QString DvdReadIfoReader::ifoGetVideoDesc(int handle)
{
    const vtsi_mat_t* mat = d_->attributes(handle);
    if (!mat)
        return QString();
    const video_attr_t& v = mat->vts_video_attr;
    const bool pal = v.video_format == 1;
    const int height = pal ? 576 : 480;
    static const int widths[4] = {720, 704, 352, 352};
    const int h = v.picture_size == 3 ? height / 2 : height;
    const QString aspect = v.display_aspect_ratio == 3 ? QStringLiteral("16:9") : QStringLiteral("4:3");
    return QStringLiteral("%1 %2x%3 %4 %5")
        .arg(v.mpeg_version == 0 ? QStringLiteral("MPEG1") : QStringLiteral("MPEG2"))
        .arg(widths[v.picture_size])
        .arg(h)
        .arg(pal ? QStringLiteral("PAL") : QStringLiteral("NTSC"), aspect);
}

bool DvdReadIfoReader::titleIsScrambled(int handle)
{
    const Impl::Open* o = d_->find(handle);
    if (!o || !o->ifo)
        return false;
    dvd_file_t* file = DVDOpenFile(o->dvd, o->titleSet, DVD_READ_TITLE_VOBS);
    if (!file)
        return false;
    // MPEG program-stream packs: the PES header after the 14-byte pack header carries the
    // two scrambling-control bits. Look at the first few packs that hold a PES packet.
    bool scrambled = false;
    unsigned char sector[DVD_VIDEO_LB_LEN];
    const int sectors = static_cast<int>(qMin<ssize_t>(DVDFileSize(file), 64));
    for (int s = 0; s < sectors && !scrambled; ++s) {
        if (DVDReadBlocks(file, s, 1, sector) != 1)
            break;
        if (sector[0] != 0 || sector[1] != 0 || sector[2] != 1 || sector[3] != 0xBA)
            continue;
        const int stuffing = sector[13] & 0x07;
        const int pes = 14 + stuffing;
        if (pes + 7 > DVD_VIDEO_LB_LEN || sector[pes] != 0 || sector[pes + 1] != 0 || sector[pes + 2] != 1)
            continue;
        const unsigned char streamId = sector[pes + 3];
        if (streamId == 0xBB || streamId == 0xBE || streamId == 0xBF)
            continue;  // system header, padding and navigation packs are never scrambled
        scrambled = (sector[pes + 6] & 0x30) != 0;
    }
    DVDCloseFile(file);
    return scrambled;
}

std::unique_ptr<IfoReader> MakeDvdReadIfoReader()
{
    return std::make_unique<DvdReadIfoReader>();
}

} // namespace dvd
