#include "ui/DeepBlue.h"

#include "tools/artwork/Theme.h"

namespace deepblue {

QString styleSheet(const QString& programDir)
{
    QString sheet = QStringLiteral(R"(
QComboBox { combobox-popup: 0;
  color: @Text; border: 1px solid @Border; border-radius: 3px; padding: 0px 4px 0px 6px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @PanelLight, stop:1 @Panel);
}
QComboBox:hover, QComboBox:focus { border-color: @Accent; }
QComboBox:on { background: @AccentDark; }
QComboBox:disabled { color: @Disabled; border-color: @Panel; }
QComboBox::drop-down { subcontrol-origin: border; subcontrol-position: center right; width: 18px;
  border-left: 1px solid @Border; }
QComboBox::down-arrow { image: url(@Dir/skin/arrow_down.png); width: 9px; height: 6px; }
QComboBox::down-arrow:disabled { image: url(@Dir/skin/arrow_down_disabled.png); }
QComboBox QAbstractItemView { background: @Panel; color: @Text; border: 1px solid @Border; outline: 0px;
  selection-background-color: @AccentDark; selection-color: @Text; }
QComboBox QAbstractItemView::item { min-height: 20px; }

QMenu { background: @Panel; color: @Text; border: 1px solid @Border; padding: 2px 0px; }
QMenu::item { height: 21px; padding: 0px 28px 0px 22px; margin: 0px; border: 0px; }
QMenu::item:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @Accent, stop:1 @AccentDark); }
QMenu::item:disabled { color: @Disabled; }
QMenu::separator { height: 1px; background: @Border; margin: 2px 8px; }

QLineEdit { color: @Text; background: @Well; border: 1px solid @Border; border-radius: 2px; padding: 0px 4px;
  selection-background-color: @AccentDark; }
QLineEdit:focus { border-color: @Accent; }

QTreeView { color: @Text; background: @Well; alternate-background-color: @WellAlt; border: 1px solid @Border;
  selection-background-color: @AccentDark; selection-color: @Text; outline: 0px; }
QTreeView::item { height: 18px; }
QTreeView::item:hover { background: @Panel; }
QTreeView::item:selected { background: @AccentDark; }
QTreeView::indicator { width: 15px; height: 15px; }
QTreeView::indicator:unchecked { image: url(@Dir/skin/check_off.png); }
QTreeView::indicator:unchecked:hover { image: url(@Dir/skin/check_off_hover.png); }
QTreeView::indicator:unchecked:disabled { image: url(@Dir/skin/check_off_disabled.png); }
QTreeView::indicator:checked { image: url(@Dir/skin/check_on.png); }
QTreeView::indicator:checked:hover { image: url(@Dir/skin/check_on_hover.png); }
QTreeView::indicator:checked:disabled { image: url(@Dir/skin/check_on_disabled.png); }
QHeaderView::section { color: @Text; padding: 2px 6px; border: 0px; border-right: 1px solid @Border;
  border-bottom: 1px solid @Border;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @PanelLight, stop:1 @Panel); }

QProgressBar { background: @Well; border: 1px solid @Border; border-radius: 3px; }
QProgressBar::chunk { border-radius: 2px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @Accent, stop:1 @AccentDark); }

QScrollBar:vertical { background: @Well; width: 12px; margin: 0px; }
QScrollBar:horizontal { background: @Well; height: 12px; margin: 0px; }
QScrollBar::handle { background: @PanelLight; border: 1px solid @Border; border-radius: 4px; }
QScrollBar::handle:vertical { min-height: 20px; }
QScrollBar::handle:horizontal { min-width: 20px; }
QScrollBar::handle:hover { background: @Border; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }

QDialog, QMessageBox { background: @Background; }
QDialog QLabel, QMessageBox QLabel { color: @Text; }
QGroupBox { color: @Text; border: 1px solid @Border; border-radius: 4px; margin-top: 9px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0px 4px; }
QRadioButton { color: @Text; spacing: 6px; }
QPushButton { color: @Text; border: 1px solid @Border; border-radius: 3px; padding: 2px 6px; min-height: 19px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 @PanelLight, stop:1 @Panel); }
QPushButton:hover { border-color: @Accent; }
QPushButton:default { border-color: @Accent; }
QPushButton:pressed { background: @AccentDark; }
QToolTip { color: @Text; background: @Panel; border: 1px solid @Border; }
)");
    const std::pair<const char*, QColor> colours[] = {
        {"@PanelLight", theme::PanelLight}, {"@Panel", theme::Panel}, {"@Background", theme::Background},
        {"@Border", theme::Border}, {"@AccentDark", theme::AccentDark}, {"@Accent", theme::Accent},
        {"@TextDim", theme::TextDim}, {"@Text", theme::Text}, {"@Disabled", theme::Disabled},
        {"@WellAlt", theme::WellAlt}, {"@Well", theme::Well},
    };
    for (const auto& [name, colour] : colours)
        sheet.replace(QLatin1String(name), colour.name());
    QString dir = programDir;
    if (dir.endsWith(u'/'))
        dir.chop(1);
    sheet.replace(QLatin1String("@Dir"), dir);
    return sheet;
}

} // namespace deepblue
