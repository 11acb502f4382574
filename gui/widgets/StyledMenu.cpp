#include "StyledMenu.h"

StyledMenu::StyledMenu(QWidget* parent) : QMenu(parent)
{
    setStyleSheet(
        QStringLiteral(
            "QMenu {background-repeat: none;background-position: top right;background-origin: "
            "border;padding-top: 2px;padding-bottom: -2px;color: white;font: bold \"%1\";font-size: "
            "%2;border: "
            "none; border-top: 1px solid rgba(255, 255, 255, 20%); border-right: 1px solid rgba(255, 255, "
            "255, "
            "20%); border-bottom: 1px solid rgba(0, 0, 0, 20%);border-radius: 0px;background-color: "
            "qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 #444444, stop: 1 #6F6F6F);}QMenu::item "
            "{margin: 2px 2px 1px 2px;padding: 2px 20px 2px 30px;border: 1px solid "
            "transparent;}QMenu::item:disabled {color: silver;}QMenu::item:selected:disabled {color: "
            "silver;}QMenu::item:selected:enabled {background-color: qlineargradient(x1: 0, y1: 0, x2: 1, "
            "y2: 0, "
            "stop: 0 #444444, stop: 0.5 #333333, stop: 1 #6F6F6F);}QMenu::item:checked {color: "
            "#333333;background-color: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 #444444, stop: "
            "0.5 "
            "#FFFFFF, stop: 1 #6F6F6F);}QMenu::item:checked:selected {color: #333333;background-color: "
            "qlineargradient(x1: 0, y1: 0, x2: 1, y2: 0, stop: 0 #444444, stop: 0.5 #CCCCCC, stop: 1 "
            "#6F6F6F);}QMenu::icon {background: transparent;position: absolute;top: 3px;right: 3px;bottom: "
            "3px;left: 6px;}QMenu::separator {height: 1px;background: rgba(255, 255, 255, 20%);margin-left: "
            "10px;margin-right: 5px;}")
            .arg(QStringLiteral("MS Shell Dlg 2"), QStringLiteral("8.25pt")));
}
