// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// What the running timer reports about its surroundings (shortcuts it could not have, a socket
// it could not open): one category, named after the program, so that the lines read
// "moriv: ..." and QT_LOGGING_RULES can silence them. What the command line prints for its
// user is plain output, not diagnostics.
Q_DECLARE_LOGGING_CATEGORY(lcMoriv)
