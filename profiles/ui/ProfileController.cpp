// Profile selection on the main window: the steps of SelectProfile over the option boxes,
// the category picture and the remembered choices.
#include "profiles/ui/ProfileController.h"

#include "profiles/Catalogue.h"
#include "profiles/OptionLists.h"
#include "profiles/ProfileFile.h"
#include "profiles/RememberedOptions.h"
#include "platform/ReportedWrite.h"

#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace {

optionlists::ListBox readBox(const QComboBox* box)
{
    optionlists::ListBox l;
    for (int i = 0; i < box->count(); ++i)
        l.items.append(box->itemText(i));
    l.index = box->currentIndex();
    l.enabled = box->isEnabled();
    return l;
}

void applyBox(QComboBox* box, const optionlists::ListBox& l)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    if (items != l.items) {
        box->clear();
        box->addItems(l.items);
    }
    box->setCurrentIndex(l.index);
    box->setEnabled(l.enabled);
}

// An index outside the box's items, -1 included, leaves it without a selection.
void selectIndex(QComboBox* box, int index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace

ProfileController::ProfileController(MainContext& ctx) : ctx_(ctx)
{
    MainForm& f = ctx_.form;
    QObject::connect(f.cb_size, &QComboBox::activated, f.cb_size, [this] { cb_sizeChange(); });
    QObject::connect(f.cb_videobitrate, &QComboBox::activated, f.cb_videobitrate, [this] { cb_videobitrateChange(); });
    QObject::connect(f.cb_audiobitrate, &QComboBox::activated, f.cb_audiobitrate, [this] { cb_audiobitrateChange(); });
}

void ProfileController::SelectProfile(int p)
{
    AppState& s = ctx_.state;
    ShowProfileName(p);
    SaveProfileOptions(s.AppliedProfileId);
    if (s.MainIni) {
        // A refused write is reported; the selection still goes on, so the boxes never
        // belong to another profile than the name on screen.
        writeOrReport(*s.MainIni, ctx_.prompt, QStringLiteral("profiles"),
                      s.SingleFormatMode ? QStringLiteral("selcetsubindex") : QStringLiteral("mainselcetsubindex"),
                      QString::number(s.ProfileId));
    }

    profilefile::ProfileBlock block;
    QString error;
    if (!profilefile::ReadProfileBlock(ctx_.programDir + profilefile::FileName, p, &block, &error)) {
        ctx_.prompt.error(error);
        return;
    }

    const bool dvd = ctx_.isDvdEdition();
    const optionlists::Applied applied{s.ProfileId, catalogue::OutputExtension(s.ProfileDisplayName), dvd};
    optionlists::Boxes boxes = readBoxes();
    if (block.sizeLine)
        optionlists::FillSizeList(boxes.size, *block.sizeLine, applied);
    if (block.bitrateLine)
        optionlists::ApplyBitrateLine(boxes, s.VideoBitrateLevels, *block.bitrateLine, applied);
    applyBoxes(boxes);
    if (block.argumentLine)
        s.CurrentJob.ProfileArgs = *block.argumentLine;

    LoadProfileOptions(p, dvd);
    s.AppliedProfileId = p;
    if (ctx_.sources)
        ctx_.sources->RefreshOutputSizes();
}

void ProfileController::ShowProfileName(int p)
{
    AppState& s = ctx_.state;
    if (s.CategoryId >= 1 && s.CategoryId <= 14) {
        const QString path = ctx_.programDir + QStringLiteral("images/main/%1.bmp").arg(s.CategoryId);
        QImageReader reader(path);
        const QImage image = reader.read();
        if (!image.isNull()) {
            ctx_.form.im_mainico->setPixmap(QPixmap::fromImage(image));
        } else {
            // A broken installation must not stop the user from choosing a profile: say it
            // once per picture, show none, and go on.
            ctx_.form.im_mainico->clear();
            if (!reportedPictures_.contains(path)) {
                reportedPictures_.insert(path);
                ctx_.prompt.error(QFile::exists(path)
                                      ? QStringLiteral("Cannot load picture \"%1\". %2").arg(path, reader.errorString())
                                      : QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
            }
        }
    }
    if (catalogue::IsNamed(p))
        s.ProfileDisplayName = catalogue::DisplayName(p);
    if (ctx_.ProfilesTextObject) {
        ctx_.ProfilesTextObject->setText(s.ProfileDisplayName);
        ctx_.ProfilesTextObject->redraw();
    }
}

void ProfileController::SaveProfileOptions(int n)
{
    const AppState& s = ctx_.state;
    if (!s.ProfileIni)
        return;
    const MainForm& f = ctx_.form;
    const remembered::Choices current{f.cb_size->currentIndex(), f.cb_videobitrate->currentIndex(),
                                      f.cb_audiobitrate->currentIndex(), f.cb_channel->currentIndex()};
    if (!remembered::SaveProfileOptions(*s.ProfileIni, n, current))
        ctx_.prompt.error(QStringLiteral("Unable to write to %1").arg(s.ProfileIni->path()));
}

void ProfileController::LoadProfileOptions(int n, bool dvdDefaults)
{
    const AppState& s = ctx_.state;
    const IniFile none(QString{});
    const remembered::Restored r = remembered::LoadProfileOptions(s.ProfileIni ? *s.ProfileIni : none, n, dvdDefaults);
    const MainForm& f = ctx_.form;
    if (r.size)
        selectIndex(f.cb_size, *r.size);
    if (r.video)
        selectIndex(f.cb_videobitrate, *r.video);
    if (r.audio)
        selectIndex(f.cb_audiobitrate, *r.audio);
}

void ProfileController::cb_sizeChange() { optionChanged(); }
void ProfileController::cb_videobitrateChange() { optionChanged(); }
void ProfileController::cb_audiobitrateChange() { optionChanged(); }

void ProfileController::optionChanged()
{
    if (ctx_.picker)
        ctx_.picker->ClosePicker();
    if (ctx_.sources)
        ctx_.sources->RefreshOutputSizes();
}

optionlists::Boxes ProfileController::readBoxes() const
{
    const MainForm& f = ctx_.form;
    return {readBox(f.cb_size), readBox(f.cb_videobitrate), readBox(f.cb_audiobitrate)};
}

void ProfileController::applyBoxes(const optionlists::Boxes& boxes)
{
    const MainForm& f = ctx_.form;
    applyBox(f.cb_size, boxes.size);
    applyBox(f.cb_videobitrate, boxes.video);
    applyBox(f.cb_audiobitrate, boxes.audio);
}
