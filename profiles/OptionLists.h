// The rules that fill the three option boxes when a profile is applied, over plain lists: the
// size list from the profile's size line, the keep-source items, the "No Video" items and the
// enabled states. The window copies the boxes into a ListBox, applies a rule and copies back.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace optionlists {

inline const QString NoVideo = QStringLiteral("No Video");
inline const QString OriginalSize = QStringLiteral("The original width and height");
inline const QString KeepVideo = QStringLiteral("The Original Video Quliay");
inline const QString KeepAudio = QStringLiteral("The Original Audio Quliay");
inline const QString Pal = QStringLiteral("PAL");
inline const QString Ntsc = QStringLiteral("NTSC");

// The five quality items, index 0 to 4, that both quality boxes start with.
QStringList QualityItems();

// One drop-down list as data.
struct ListBox {
    QStringList items;
    int index = -1;  // selected item, -1 for none
    bool enabled = true;

    void append(const QString& item) { items.append(item); }
    // Removing the selected item leaves nothing selected; items after it move up one.
    void removeAt(int i);
    bool lastIs(const QString& item) const { return !items.isEmpty() && items.last() == item; }
};

struct Boxes {
    ListBox size;   // cb_size
    ListBox video;  // cb_videobitrate
    ListBox audio;  // cb_audiobitrate
};

// What the rules read besides the boxes.
struct Applied {
    int ProfileId = 0;         // the global ProfileId, which every range test reads
    QString OutputExtension;   // of the shown name, compared case-sensitively
    bool IsDvdEdition = false;
};

// Rebuilds the size list from the size line: its values, "PAL"/"NTSC" for the disc targets,
// "The original width and height" where the profile may keep the source's size, "No Video"
// (selected) when nothing else stands in the list. No other item is selected afterwards.
void FillSizeList(ListBox& size, const QString& sizeLine, const Applied& a);

// The bitrate step: enables or disables the boxes, aligns the keep-source items with the
// output extension, handles a profile without video ("*") and fills the levels from the line.
void ApplyBitrateLine(Boxes& boxes, std::array<QString, 5>& levels, const QString& bitrateLine, const Applied& a);

} // namespace optionlists
