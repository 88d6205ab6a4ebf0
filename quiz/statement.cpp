// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "statement.h"

#include "formtexts.h"

namespace quiz {

namespace {

std::u16string_view withoutTrailingBlanks(std::u16string_view name)
{
    while (!name.empty() && name.back() == u' ')
        name.remove_suffix(1);
    return name;
}

} // namespace

std::u16string exerciseStatement(const Catalogue &catalogue)
{
    std::u16string performers;
    for (const std::u16string &name : catalogue.names()) {
        if (!performers.empty())
            performers += u", ";
        performers += withoutTrailingBlanks(name);
    }

    // A line written in pieces is bracketed, so that it reads as one line
    // and not as a list missing a comma.
    const std::u16string lines[] = {
        u"Да се реализира проект, представящ междупредметни връзки Музика и Информатика.",
        u"Тема на проекта: Тембрела.",
        u"Проектът да съдържа:",
        (u"група от радиобутони - представящи видове певчески глас (бас, мецосопран, сопран, "
         u"тенор), азбучно подредени;"),
        u"списък с имена на оперни изпълнители, също азбучно подредени.",
        (u"Броят обекти в двете групи не е непременно равен, но въведените имена са уникални. "
         u"Потребителят трябва да посочи по един обект от двете групи в указаната "
         u"последователност. Всяко посочване от списъчното поле води до изтриване на реда с "
         u"посоченото произведение и съобщение дали релацията между двата обекта е вярна или не."),
        u"В проекта са въведени имената на следните оперни изпълнители: " + performers + u".",
        u"Командният бутон \"" + std::u16string(RestartCaption)
            + u"\" дава възможност за начална инициализация.",
        (u"Прочете допълнително материал за видове певчески глас и имената на известни оперни "
         u"изпълнители."),
    };
    std::u16string statement;
    for (const std::u16string &line : lines) {
        statement += line;
        statement += CrLf;
    }
    return statement;
}

} // namespace quiz
