// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "webform.h"

#include <emscripten/bind.h>

namespace {

// Called by the page once, when its program is ready. The form lives as
// long as the page.
void start()
{
    static WebForm form;
    form.raiseLoad();
}

} // namespace

EMSCRIPTEN_BINDINGS(page_start)
{
    emscripten::function("start", &start);
}
