// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of morvane-esc doctor: "Check ports…" in the menu of the Connection group
// shows what doctor finds for the window's ports, none of them opened; and a port that brltty
// takes as it comes is told in the support log and the connection state's tooltip.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ports/doctor.h"
#include "ports/device_trouble.h"
#include "link/seams.h"
#include "ports/port_table.h"

class QAction;
class QWidget;

namespace morvane {

class FormMVconfig;

// doctor's findings for the window's ports (listed: from MORVANE_ESC_PORTS), the open one
// marked as the window's own, then the link's state in the words of its tooltip.
std::vector<Finding> WindowFindings(const PortTable& table, bool listed,
                                         const FormMVconfig& form);

// How the findings are shown; tests give their own.
using ShowFindings = std::function<void(QWidget* parent, const QString& text)>;
ShowFindings StandardFindingsDialog();

// `window` holds the Connection group, "FrameConnect".
QAction* InstallPortCheckCommand(QWidget& window, std::function<std::vector<Finding>()> find,
                                 ShowFindings show = StandardFindingsDialog());

// Each port that comes and goes, told by the device watch: one that brltty took is written to
// the support log and kept for the tooltip until that port comes again.
class BrlttyNotes {
 public:
  struct Seams {
    std::function<void(const std::string& line)> log;  // a line for the support log
    std::function<std::string()> timeOfDay;            // "12:03:41"
    // The chip of the adapter a path leads to, "1a86:7523"; "" when it is on no USB.
    std::function<std::string(const std::string& path)> chipOf;
    QuickVanish::BrlttyPid brltty;
  };
  // The system's: its clock, sysfs and /proc.
  static Seams SystemSeams(std::function<void(const std::string& line)> log);

  BrlttyNotes(const PortTable& table, const Clock& clock, Seams seams);

  void portChanged(int n, bool appeared);
  // For the connection state's tooltip, in English unless the window passes its language;
  // "" when brltty took nothing.
  std::string statusNote(const TranslateText& translate = {}) const;

 private:
  const PortTable& table_;
  const Clock& clock_;
  Seams seams_;
  QuickVanish vanish_;
  int notedPort_ = 0;
  std::string notedName_;
  std::string notedWhen_;
  QuickVanish::Taken taken_;
};

}  // namespace morvane
