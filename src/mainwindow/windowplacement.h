// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/commandlineoptions.h"

#include <optional>

class QScreen;
class QWidget;

// Puts the window at the design's place on the screen (the primary one when null), or in a
// corner of its available area, 16 px in from the edges.
void placeWindow(QWidget &window, const QScreen *screen, std::optional<Corner> corner);
