// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's start-up: creates the window, raises the load event, shows
// the window and runs the event loop until it closes. Kept apart from main()
// so the start-up benchmark runs this very code.
int runTembrela(int argc, char *argv[]);
