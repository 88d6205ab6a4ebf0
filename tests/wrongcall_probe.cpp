// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// Makes one control call the rules never make, on the in-memory surface or
// on the window. The program must stop with a message naming the error.
#include "catalogue.h"
#include "memorysurface.h"
#include "runtimeerror.h"
#include "tembrelawindow.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

void reportOnStandardOutput(std::string_view message)
{
    std::printf("reported: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stdout);
}

bool is(const char *call, const char *name)
{
    return std::strcmp(call, name) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    const char *call = argc > 1 ? argv[1] : "";
    if (std::strncmp(call, "window_", 7) == 0) {
        QApplication app(argc, argv);
        TembrelaWindow window;
        if (is(call, "window_remove"))
            window.List1(0).RemoveItem(22); // not yet loaded: no rows
        else if (is(call, "window_select"))
            (window.raiseLoad(), window.List1(0).SetListIndex(22));
        else if (is(call, "window_list"))
            window.List1(5);
        else if (is(call, "window_option"))
            window.Option1(4);
        else if (is(call, "window_text"))
            window.Text1(-1);
        std::puts("no error");
        return 0;
    }

    quiz::MemorySurface surface(quiz::standardCatalogue());
    if (is(call, "reported")) {
        quiz::setRunTimeErrorReporter(reportOnStandardOutput);
        surface.List1(1).List(0);
    } else if (is(call, "remove"))
        surface.List1(0).RemoveItem(5);
    else if (is(call, "select"))
        surface.List1(2).SetListIndex(22);
    else if (is(call, "read"))
        surface.List1(3).List(-2);
    else if (is(call, "list"))
        surface.List1(4);
    else if (is(call, "option"))
        surface.Option1(-1);
    else if (is(call, "text"))
        surface.Text1(1);
    std::puts("no error");
    return 0;
}
