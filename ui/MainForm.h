// The controls of the main window under their object names. The widgets hold the state the
// system keeps in widgets (combo items and indexes, list rows, check marks).
#pragma once

#include "app/Layout.h"
#include "profiles/OptionBoxes.h"

#include <QString>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTimer;
class QTreeWidget;
class QWidget;

struct MainForm {
    QWidget* window = nullptr;
    QTreeWidget* lv = nullptr;             // columns "File Name", "Width * Height", "Time", "Output Size", "Status"
    QProgressBar* ProgressBar1 = nullptr;  // 0..10000
    QComboBox* cb_size = nullptr;
    QComboBox* cb_videobitrate = nullptr;
    QComboBox* cb_audiobitrate = nullptr;
    QComboBox* cb_channel = nullptr;
    QComboBox* cb_audio = nullptr;
    QComboBox* cb_subtitle = nullptr;
    QLineEdit* ed_output = nullptr;
    QFrame* Panel1 = nullptr;               // holds im_mainico
    QLabel* im_mainico = nullptr;
    QFrame* pl_main = nullptr;              // the picker's category column
    std::array<QFrame*, 19> presetPanels{}; // in the order of PresetPanelNames
    QFrame* pl_play = nullptr;              // preview video area
    QTimer* Timer1 = nullptr;               // 10 ms, preview end
    QTimer* Timer2 = nullptr;               // 1000 ms, conversion pre-roll
    QString OpenDialog2Filter;              // the edition's filter (replaced at first show)
    bool lvCheckBoxes = false;              // DVD layouts: rows carry check boxes

    QFrame* panel(const QString& objectName) const;  // a preset panel by name, or nullptr
};

inline constexpr std::array<const char*, 19> PresetPanelNames = {
    "pl_video1", "pl_video2", "pl_audio1", "pl_audio2", "pl_ipod", "pl_iphone", "pl_gphone",
    "pl_appletv", "pl_psp", "pl_xbox", "pl_phone", "pl_win", "pl_pmp", "pl_hd", "pl_animation",
    "pl_avi", "pl_mpeg", "pl_mp4", "pl_mkv"};

// Column indexes of lv.
namespace lvcol {
constexpr int Name = 0, Size = 1, Time = 2, OutputSize = 3, Status = 4;
}

// Creates every control as a child of `window`, with its object name and designed geometry.
MainForm buildMainForm(QWidget* window);

// Places the controls as a layout of the edition table says: places, list caption and check
// boxes, the stream boxes shown in DVD layouts.
void placeControls(MainForm& form, const EditionLayout& layout);

// Sizes lv's columns to their headers and the widest texts they show, after a font or style
// sheet change; the caption column takes the rest of the width.
void fitListColumns(const MainForm& form);

// The three option boxes as plain data.
OptionBoxes snapshotOptionBoxes(const MainForm& form);

// Index of the first selected row of lv, or -1.
int firstSelectedRow(const MainForm& form);
