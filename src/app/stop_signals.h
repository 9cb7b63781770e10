// SPDX-License-Identifier: GPL-3.0-or-later
// SIGINT, SIGTERM and SIGHUP close the window the ordinary way, so its shutdown runs and
// no motor is left running behind a killed program.
#pragma once

class QWidget;

namespace morvane {

// Call once, after the window exists. Where there are no such signals it does nothing.
void CloseOnStopSignals(QWidget& window);

}  // namespace morvane
