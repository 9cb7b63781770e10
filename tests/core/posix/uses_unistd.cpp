// SPDX-License-Identifier: GPL-3.0-or-later
// A core file that needs POSIX: the room check refuses it.
#include <unistd.h>
