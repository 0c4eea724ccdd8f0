// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/diagnostics.h"

Q_LOGGING_CATEGORY(lcMoriv, "moriv", QtInfoMsg)
