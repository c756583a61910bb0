// Images drawn by the platform for picture controls (Qt side only).
#pragma once

#include <QPixmap>
#include <string>

class QWidget;

QPixmap DrawPicture(const std::string &name);

// The widget that shows a panel (or tab page), for tests and screenshots.
QWidget *PanelWidget(int panel);
