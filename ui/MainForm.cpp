#include "ui/MainForm.h"

#include "app/Layout.h"
#include "ui/NamedWidget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTimer>
#include <QTreeWidget>

namespace {

// The option boxes are narrower than several of their texts ("The Original Video Quliay",
// stream descriptions): the closed box ends a long text with "...", the popup opens as wide
// as its widest item, and the tooltip tells the current text in full.
class OptionBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        QAbstractItemView* list = view();
        int widest = list->sizeHintForColumn(0);
        if (count() > maxVisibleItems())
            widest += list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        list->setMinimumWidth(std::max(width(), widest + 2 * list->frameWidth()));
        QComboBox::showPopup();
    }

protected:
    // QComboBox's own painting, with the shown text elided to the edit field.
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        painter.drawComplexControl(QStyle::CC_ComboBox, opt);
        if (currentIndex() < 0 && !placeholderText().isEmpty()) {
            opt.palette.setBrush(QPalette::ButtonText, opt.palette.placeholderText());
            opt.currentText = placeholderText();
        }
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        opt.currentText = fontMetrics().elidedText(opt.currentText, Qt::ElideRight, field.width() - 4);
        painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
    }
};

QComboBox* makeCombo(QWidget* parent, const char* name, int x, int y)
{
    auto* box = makeNamed<OptionBox>(parent, name, x, y, designed::comboWidth, designed::comboHeight);
    box->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(box, &QComboBox::currentTextChanged, box, &QWidget::setToolTip);
    return box;
}

void addQualityItems(QComboBox* box)
{
    box->addItems({QStringLiteral("Higher Quality"), QStringLiteral("High Quality"), QStringLiteral("Normal"),
                   QStringLiteral("Low Quality"), QStringLiteral("Lower Quality")});
}

} // namespace

QFrame* MainForm::panel(const QString& objectName) const
{
    for (QFrame* p : presetPanels)
        if (p && p->objectName() == objectName)
            return p;
    return nullptr;
}

MainForm buildMainForm(QWidget* window)
{
    MainForm f;
    f.window = window;

    f.lv = makeNamed<QTreeWidget>(window, "lv", 12, 89, designed::lvWidth, designed::lvHeight);
    f.lv->setColumnCount(5);
    f.lv->setHeaderLabels({QStringLiteral("File Name"), QStringLiteral("Width * Height"), QStringLiteral("Time"),
                           QStringLiteral("Output Size"), QStringLiteral("Status")});
    f.lv->setRootIsDecorated(false);
    f.lv->setItemsExpandable(false);
    f.lv->setUniformRowHeights(true);
    f.lv->setSelectionMode(QAbstractItemView::ExtendedSelection);
    f.lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    f.lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    f.lv->setAllColumnsShowFocus(true);
    // The caption takes what the other columns leave: no layout needs a horizontal scroll bar.
    f.lv->header()->setStretchLastSection(false);
    f.lv->header()->setSectionResizeMode(lvcol::Name, QHeaderView::Stretch);
    fitListColumns(f);

    f.ProgressBar1 = makeNamed<QProgressBar>(window, "ProgressBar1", 15, 496, designed::progressWidth, designed::progressHeight);
    f.ProgressBar1->setRange(0, 10000);
    f.ProgressBar1->setValue(0);
    f.ProgressBar1->setTextVisible(false);

    f.cb_size = makeCombo(window, "cb_size", 576, 128);
    f.cb_videobitrate = makeCombo(window, "cb_videobitrate", 576, 169);
    addQualityItems(f.cb_videobitrate);
    f.cb_audiobitrate = makeCombo(window, "cb_audiobitrate", 576, 210);
    addQualityItems(f.cb_audiobitrate);
    f.cb_channel = makeCombo(window, "cb_channel", 576, 251);
    f.cb_audio = makeCombo(window, "cb_audio", 400, 61);
    f.cb_audio->addItem(QStringLiteral("No Audio"));
    f.cb_audio->hide();
    f.cb_subtitle = makeCombo(window, "cb_subtitle", 596, 61);
    f.cb_subtitle->hide();

    f.ed_output = makeNamed<QLineEdit>(window, "ed_output", 422, 66, designed::editWidth, designed::editHeight);

    f.Panel1 = makeNamed<QFrame>(window, "Panel1", 62, 64, designed::panel1Size, designed::panel1Size);
    f.im_mainico = makeNamed<QLabel>(f.Panel1, "im_mainico", 0, 0, designed::panel1Size, designed::panel1Size);
    f.im_mainico->setScaledContents(true);
    f.im_mainico->setCursor(Qt::PointingHandCursor);

    f.pl_play = makeNamed<QFrame>(window, "pl_play", 559, 294, designed::playWidth, designed::playHeight);
    f.pl_play->setAutoFillBackground(true);
    QPalette black = f.pl_play->palette();
    black.setColor(QPalette::Window, Qt::black);
    f.pl_play->setPalette(black);

    // The picker drops over everything else, so it is created last.
    f.pl_main = makeNamed<QFrame>(window, "pl_main", 53, 81, designed::mainColumnWidth, designed::pickerHeight);
    for (std::size_t i = 0; i < PresetPanelNames.size(); ++i) {
        const bool group = i >= 15;
        f.presetPanels[i] = makeNamed<QFrame>(window, PresetPanelNames[i], 206, 81,
                                         group ? designed::groupPanelWidth : designed::presetPanelWidth,
                                         designed::pickerHeight);
        f.presetPanels[i]->hide();
    }
    f.pl_main->hide();

    f.Timer1 = new QTimer(window);
    f.Timer1->setObjectName(QStringLiteral("Timer1"));
    f.Timer1->setInterval(10);
    f.Timer2 = new QTimer(window);
    f.Timer2->setObjectName(QStringLiteral("Timer2"));
    f.Timer2->setInterval(1000);

    f.OpenDialog2Filter = QStringLiteral("IFO Files(*.ifo)|*.ifo;");
    return f;
}

namespace {
BoxState boxState(const QComboBox* box)
{
    BoxState s;
    s.enabled = box->isEnabled();
    s.index = box->currentIndex();
    s.count = box->count();
    s.text = box->currentText();
    return s;
}
} // namespace

OptionBoxes snapshotOptionBoxes(const MainForm& form)
{
    return {boxState(form.cb_size), boxState(form.cb_videobitrate), boxState(form.cb_audiobitrate)};
}

void placeControls(MainForm& form, const EditionLayout& l)
{
    auto place = [](QWidget* w, const Placement& p) {
        w->setGeometry(p.left, p.top, p.width.value_or(w->width()), p.height.value_or(w->height()));
    };
    place(form.ed_output, l.ed_output);
    place(form.Panel1, l.Panel1);
    place(form.pl_main, l.pl_main);
    for (QFrame* panel : form.presetPanels)
        place(panel, l.presetPanels);
    place(form.cb_channel, l.cb_channel);
    place(form.cb_size, l.cb_size);
    place(form.cb_videobitrate, l.cb_videobitrate);
    place(form.cb_audiobitrate, l.cb_audiobitrate);
    place(form.pl_play, l.pl_play);
    place(form.ProgressBar1, l.ProgressBar1);
    place(form.lv, l.lv);
    form.lv->headerItem()->setText(lvcol::Name, l.lvFirstCaption);
    form.lvCheckBoxes = l.lvCheckBoxes;
    if (l.streamBoxesShown) {
        place(form.cb_audio, l.cb_audio);
        place(form.cb_subtitle, l.cb_subtitle);
        form.cb_audio->show();
        form.cb_subtitle->show();
    }
}

void fitListColumns(const MainForm& form)
{
    QTreeWidget* lv = form.lv;
    lv->ensurePolished();
    lv->header()->ensurePolished();
    // The widest text each column shows besides its header: sizes up to 9999x9999, a day's
    // duration, four-digit megabytes, every status text.
    static const std::array<QStringList, 5> samples = {
        QStringList{},
        QStringList{QStringLiteral("9999x9999")},
        QStringList{QStringLiteral("00:00:00")},
        QStringList{QStringLiteral("9999.99MB")},
        QStringList{QStringLiteral("100.00%"), QStringLiteral("Status"), QStringLiteral("Finish"),
                    QStringLiteral("Failed"), QStringLiteral("Ready"), QStringLiteral("Stop")},
    };
    const QFontMetrics items(lv->font());
    const int itemMargins = 2 * (lv->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lv) + 1) + 6;
    for (int column = lvcol::Size; column <= lvcol::Status; ++column) {
        int width = lv->header()->sectionSizeHint(column) + 4;
        for (const QString& text : samples[column])
            width = std::max(width, items.horizontalAdvance(text) + itemMargins);
        lv->header()->resizeSection(column, width);
    }
}

int firstSelectedRow(const MainForm& form)
{
    for (int i = 0; i < form.lv->topLevelItemCount(); ++i)
        if (form.lv->topLevelItem(i)->isSelected())
            return i;
    return -1;
}
