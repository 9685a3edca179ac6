// Option-box rules of a profile selection.
#include "profiles/OptionLists.h"

#include "profiles/Catalogue.h"
#include "profiles/ProfileFile.h"

namespace optionlists {

namespace {

const QString Mp4 = QStringLiteral(".mp4");

} // namespace

QStringList QualityItems()
{
    return {QStringLiteral("Higher Quality"), QStringLiteral("High Quality"), QStringLiteral("Normal"),
            QStringLiteral("Low Quality"), QStringLiteral("Lower Quality")};
}

void ListBox::removeAt(int i)
{
    if (i < 0 || i >= items.size())
        return;
    items.removeAt(i);
    if (index == i)
        index = -1;
    else if (index > i)
        --index;
}

void FillSizeList(ListBox& size, const QString& sizeLine, const Applied& a)
{
    const int id = a.ProfileId;
    size.items = profilefile::SplitValues(sizeLine);
    size.index = -1;
    if (catalogue::IsDiscTarget(id))
        size.items = {Pal, Ntsc};
    if (catalogue::IsGeneralVideo(id) && size.items.size() >= 2 && a.OutputExtension != Mp4
        && catalogue::MayOfferOriginalSize(id))
        size.append(OriginalSize);
    if (size.items.isEmpty()) {
        size.append(NoVideo);
        size.index = 0;
    }
}

void ApplyBitrateLine(Boxes& boxes, std::array<QString, 5>& levels, const QString& bitrateLine, const Applied& a)
{
    const int id = a.ProfileId;
    if (catalogue::IsDiscTarget(id)) {
        boxes.video.enabled = false;
        boxes.audio.enabled = false;
        return;
    }
    boxes.video.enabled = true;
    boxes.audio.enabled = true;
    for (int i = int(boxes.video.items.size()) - 1; i >= 0; --i)
        if (boxes.video.items[i] == NoVideo)
            boxes.video.removeAt(i);

    if (catalogue::IsGeneralVideo(id)) {
        if (a.OutputExtension != Mp4) {
            if (!a.IsDvdEdition) {
                if (!boxes.video.lastIs(KeepVideo))
                    boxes.video.append(KeepVideo);
                if (!boxes.audio.lastIs(KeepAudio))
                    boxes.audio.append(KeepAudio);
            }
        } else {
            if (boxes.video.lastIs(KeepVideo))
                boxes.video.removeAt(int(boxes.video.items.size()) - 1);
            if (boxes.audio.lastIs(KeepAudio))
                boxes.audio.removeAt(int(boxes.audio.items.size()) - 1);
        }
    }

    if (bitrateLine == QStringLiteral("*") && boxes.size.items.size() == 1) {
        levels[0] = QStringLiteral("*");
        boxes.video.append(NoVideo);
        boxes.video.index = int(boxes.video.items.size()) - 1;
        boxes.size.enabled = false;
        boxes.video.enabled = false;
        return;
    }
    boxes.size.enabled = true;
    boxes.video.enabled = true;
    profilefile::FillVideoBitrateLevels(levels, bitrateLine);
}

} // namespace optionlists
