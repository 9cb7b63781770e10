// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is told of the two windows: each control's name (from the label
// the window shows beside it), what it does and its safety rule, and the changes of the
// texts the logic writes, the speed no more than once a second.
#pragma once

#include <QString>

class QAccessibleEvent;
class QWidget;

class QComboBox;

namespace morvane {

class FormMVconfig;
struct Controls;

// A control's name from the caption of its label: without the access-key mark, the
// leading number ("1.") and the colon, so that it follows the caption's translation.
QString NameFromCaption(QString caption);

// Names and describes every control of the main window: before the controls are filled,
// as a reader may ask at the first change.
void NameMainWindow(QWidget& view, const Controls& controls);
// Tells the changes of the texts the logic writes, after the view has shown them; the
// speed's at most once per kSpeedAnnounceEveryMs of the form's clock.
void AnnounceChanges(QWidget& view, FormMVconfig& form);
inline constexpr int kSpeedAnnounceEveryMs = 1000;

// Where the announcements of AnnounceChanges go: Qt's accessibility (the default), which
// drops them while no assistive technology listens, or a test's listener.
using AnnouncementSink = void (*)(QAccessibleEvent* event);
void SetAnnouncementSink(AnnouncementSink sink);

// Names and describes the motor test window's controls that show no caption of their own.
void MakeMotorTestWindowAccessible(QWidget& window);
// A drop-down list of the motor test window named by its label, as the main window's, not by
// its entry. Before its first entry: that makes Qt's own interface for it, which stays.
void NameListByLabel(QComboBox& box);

// Says text politely, with no focus change: a reader speaks it after what it is saying. Qt
// 6.8 announces it; before 6.8 a notification of the window shows with it, which Orca speaks.
void Announce(QWidget& from, const QString& text);
// The text of an announcement as the sink sees it; empty for every other event.
QString AnnouncedText(QAccessibleEvent* event);

}  // namespace morvane
