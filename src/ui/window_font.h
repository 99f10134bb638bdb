#pragma once
// The font of the main window. The fixed pixel layout was drawn for an 8-point UI font of
// Arial's proportions; with the wider faces desktops use at 9 or 10 points its headings and
// lists would be cut off.

#include <QFont>

namespace tivra {

// An Arial-proportioned face at 8 points when one is installed, else the desktop's UI font at
// 8 points; made smaller, half a point at a time, until every fixed text fits its control.
QFont windowFont();

// The font made smaller until fixedTextsFit holds (or 6 points are reached).
QFont fitToLayout(QFont font);

// Every heading, frame title, button caption and list entry fits its control.
bool fixedTextsFit(const QFont& font);

}  // namespace tivra
