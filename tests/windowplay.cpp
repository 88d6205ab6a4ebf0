// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowplay.h"

#include "logbox.h"
#include "performerlist.h"
#include "playcatalogues.h"
#include "tembrelawindow.h"
#include "text.h"
#include "voiceoption.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <array>
#include <cstdint>

namespace {

struct KeyStroke
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *name;
};

const std::array<KeyStroke, 18> keyStrokes{{
    {Qt::Key_Tab, {}, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Up, {}, "Up"},
    {Qt::Key_Down, {}, "Down"},
    {Qt::Key_Left, {}, "Left"},
    {Qt::Key_Right, {}, "Right"},
    {Qt::Key_Home, {}, "Home"},
    {Qt::Key_End, {}, "End"},
    {Qt::Key_PageUp, {}, "PageUp"},
    {Qt::Key_PageDown, {}, "PageDown"},
    {Qt::Key_Space, {}, "Space"},
    {Qt::Key_Return, {}, "Return"},
    {Qt::Key_Enter, Qt::KeypadModifier, "keypad Enter"},
    {Qt::Key_1, {}, "1"},
    {Qt::Key_2, {}, "2"},
    {Qt::Key_3, {}, "3"},
    {Qt::Key_4, {}, "4"},
    {Qt::Key_Space, {}, "Space"},
}};

// First letters of names, and one no name starts with.
const std::array<QChar, 8> letters{u'А', u'Б', u'Е', u'М', u'Ф', u'Ч', u'И', u'x'};

std::u16string u16(const QString &text)
{
    return text.toStdU16String();
}

// What the learner did, in the quiz's terms.
struct Act
{
    enum Kind { Nothing, Choose, Pick, Restart } kind = Nothing;
    int number = 0;
};

class Driver
{
public:
    explicit Driver(TembrelaWindow &window)
        : m_window(window)
    {
    }

    Act send(const WindowEvent &event);

private:
    PerformerList *list() const;
    QWidget *viewport() const;
    std::vector<int> rowsInView() const;
    QPoint pointIn(const QRect &rect, std::uint32_t seed) const;
    std::optional<QPoint> pointOnRow(std::uint32_t which, std::uint32_t where, int *row) const;
    Act keyAct(const KeyStroke &stroke) const;

    TembrelaWindow &m_window;
};

PerformerList *Driver::list() const
{
    return m_window.performerList();
}

QWidget *Driver::viewport() const
{
    return list()->viewport();
}

std::vector<int> Driver::rowsInView() const
{
    std::vector<int> rows;
    for (int row = 0; row < list()->count(); ++row)
        if (list()->visualItemRect(list()->item(row)).intersects(viewport()->rect()))
            rows.push_back(row);
    return rows;
}

QPoint Driver::pointIn(const QRect &rect, std::uint32_t seed) const
{
    QPoint point(rect.left() + int(seed % std::uint32_t(rect.width())),
                 rect.top() + int((seed / 7919u) % std::uint32_t(rect.height())));
    // The test library takes the point (0, 0) for "the widget's centre".
    if (point.isNull()) {
        if (rect.width() > 1)
            point.rx() = 1;
        else if (rect.height() > 1)
            point.ry() = 1;
    }
    return point;
}

std::optional<QPoint> Driver::pointOnRow(std::uint32_t which, std::uint32_t where, int *row) const
{
    const std::vector<int> rows = rowsInView();
    if (rows.empty())
        return std::nullopt;
    *row = rows[which % rows.size()];
    const QRect shown = list()->visualItemRect(list()->item(*row)) & viewport()->rect();
    return pointIn(shown, where);
}

Act Driver::keyAct(const KeyStroke &stroke) const
{
    if (stroke.key >= Qt::Key_1 && stroke.key <= Qt::Key_4)
        return {Act::Choose, stroke.key - Qt::Key_1};
    const bool space = stroke.key == Qt::Key_Space;
    const bool enter = stroke.key == Qt::Key_Return || stroke.key == Qt::Key_Enter;
    QWidget *focus = QApplication::focusWidget();
    if (focus == list()) {
        const int cursor = list()->currentRow();
        if ((space || enter) && cursor >= 0 && cursor < list()->count())
            return {Act::Pick, cursor};
        return {};
    }
    if (focus == m_window.restartButton())
        return space ? Act{Act::Restart} : Act{};
    for (int k = 0; k < 4; ++k) {
        if (focus != m_window.voiceOption(k))
            continue;
        if (space)
            return {Act::Choose, k};
        // Every arrow steps round the group and chooses where it lands.
        if (stroke.key == Qt::Key_Down || stroke.key == Qt::Key_Right)
            return {Act::Choose, (k + 1) % 4};
        if (stroke.key == Qt::Key_Up || stroke.key == Qt::Key_Left)
            return {Act::Choose, (k + 3) % 4};
        return {};
    }
    return {};
}

Act Driver::send(const WindowEvent &event)
{
    int row = -1;
    switch (event.kind) {
    case WindowEvent::ClickOption: {
        VoiceOption *option = m_window.voiceOption(int(event.a % 4));
        QTest::mouseClick(option, Qt::LeftButton, {}, pointIn(option->rect(), event.b));
        return {Act::Choose, int(event.a % 4)};
    }
    case WindowEvent::ClickRow:
    case WindowEvent::DoubleClickRow: {
        const std::optional<QPoint> point = pointOnRow(event.a, event.b, &row);
        if (!point) {
            QTest::mouseClick(viewport(), Qt::LeftButton, {}, pointIn(viewport()->rect(), event.b));
            return {};
        }
        // A double click arrives as press, release, double-click press,
        // release. Only the first press can be an answer: the second finds
        // the voice choice already used.
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, *point);
        if (event.kind == WindowEvent::DoubleClickRow) {
            QTest::mouseDClick(viewport(), Qt::LeftButton, {}, *point);
            QTest::mouseRelease(viewport(), Qt::LeftButton, {}, *point);
        }
        return {Act::Pick, row};
    }
    case WindowEvent::QuickSecondClick: {
        // A click soon after one at the same place: the platform reports
        // its press as the second of a double click.
        const std::optional<QPoint> point = pointOnRow(event.a, event.b, &row);
        if (!point)
            return {};
        QTest::mouseDClick(viewport(), Qt::LeftButton, {}, *point);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, *point);
        return {Act::Pick, row};
    }
    case WindowEvent::DragAcrossRows: {
        const std::optional<QPoint> from = pointOnRow(event.a, event.b, &row);
        if (!from)
            return {};
        int passedOver = -1;
        const std::optional<QPoint> to = pointOnRow(event.b, event.a, &passedOver);
        QTest::mousePress(viewport(), Qt::LeftButton, {}, *from);
        QTest::mouseMove(viewport(), *to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, *to);
        return {Act::Pick, row};
    }
    case WindowEvent::ClickListSpace: {
        const QRect inside = viewport()->rect();
        int top = inside.top();
        if (list()->count() > 0)
            top = list()->visualItemRect(list()->item(list()->count() - 1)).bottom() + 1;
        if (top > inside.bottom())
            return {}; // the rows fill the view: no blank space to click
        QTest::mouseClick(
            viewport(), Qt::LeftButton, {},
            pointIn(QRect(inside.left(), top, inside.width(), inside.bottom() - top + 1), event.b));
        return {};
    }
    case WindowEvent::WheelList: {
        const QPoint at = pointIn(viewport()->rect(), event.b);
        QWheelEvent wheel(at, viewport()->mapToGlobal(at), QPoint(),
                          QPoint(0, event.a % 2 ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &wheel);
        return {};
    }
    case WindowEvent::ClickRestart:
        QTest::mouseClick(m_window.restartButton(), Qt::LeftButton, {},
                          pointIn(m_window.restartButton()->rect(), event.b));
        return {Act::Restart};
    case WindowEvent::ClickLog: {
        QWidget *log = m_window.logBox()->viewport();
        QTest::mouseClick(log, Qt::LeftButton, {}, pointIn(log->rect(), event.b));
        return {};
    }
    case WindowEvent::Key: {
        const KeyStroke &stroke = keyStrokes[event.a % keyStrokes.size()];
        const Act act = keyAct(stroke);
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &m_window, stroke.key, stroke.modifiers);
        return act;
    }
    case WindowEvent::TypeLetter: {
        QWidget *focus = QApplication::focusWidget();
        // A letter with no key code of its own, as a keyboard layout sends it.
        QTest::sendKeyEvent(QTest::Click, focus ? focus : &m_window, Qt::Key_unknown,
                            QString(letters[event.a % letters.size()]), {});
        return {};
    }
    }
    return {};
}

std::optional<std::string> compare(TembrelaWindow &window, const QuizModel &model)
{
    auto differs = [](const char *what, const std::string &actual, const std::string &expected) {
        return std::string(what) + ": window has " + actual + ", model has " + expected;
    };
    const std::u16string log = window.logBox()->Text();
    if (log != model.log())
        return differs("log", printable(log), printable(model.log()));
    QString shownLog = QString::fromStdU16String(model.log());
    shownLog.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (window.logBox()->toPlainText() != shownLog)
        return differs("log on screen", printable(u16(window.logBox()->toPlainText())),
                       printable(u16(shownLog)));

    PerformerList *list = window.performerList();
    std::vector<std::u16string> shown;
    for (int row = 0; row < list->count(); ++row)
        shown.push_back(u16(list->item(row)->text()));
    if (shown != model.names())
        return differs("performers", printable(shown), printable(model.names()));

    quiz::ListBox &hidden = window.List1(1);
    std::vector<std::u16string> codes;
    for (std::int16_t row = 0; row < hidden.ListCount(); ++row)
        codes.push_back(hidden.List(row));
    if (codes != model.codes())
        return differs("hidden codes", printable(codes), printable(model.codes()));

    std::string checked;
    for (int k = 0; k < 4; ++k)
        checked += window.voiceOption(k)->isChecked() ? char('0' + k) : '-';
    std::string expected = "----";
    if (model.shownVoice() >= 0)
        expected[std::size_t(model.shownVoice())] = char('0' + model.shownVoice());
    if (checked != expected)
        return differs("options", checked, expected);

    if (!list->selectedItems().isEmpty())
        return differs("selected performers", std::to_string(list->selectedItems().size()), "0");
    if (window.form().voiceChosen() != model.voiceChosen())
        return differs("voice chosen", std::to_string(window.form().voiceChosen()),
                       std::to_string(model.voiceChosen()));
    return std::nullopt;
}

} // namespace

WindowEvent WindowEvent::random(std::mt19937_64 &random)
{
    // Weights out of 100: mostly choices, picks and keys, as a class plays.
    static constexpr std::array<std::pair<Kind, int>, 11> weights{{
        {ClickOption, 22},
        {ClickRow, 20},
        {DoubleClickRow, 3},
        {QuickSecondClick, 3},
        {DragAcrossRows, 3},
        {ClickListSpace, 3},
        {WheelList, 5},
        {ClickRestart, 3},
        {ClickLog, 3},
        {Key, 30},
        {TypeLetter, 5},
    }};
    int roll = int(random() % 100);
    Kind kind = Key;
    for (const auto &[candidate, weight] : weights) {
        if (roll < weight) {
            kind = candidate;
            break;
        }
        roll -= weight;
    }
    return {kind, std::uint32_t(random()), std::uint32_t(random())};
}

std::string WindowEvent::describe() const
{
    const std::string numbers = " [" + std::to_string(a) + ", " + std::to_string(b) + "]";
    switch (kind) {
    case ClickOption:
        return "click voice option " + std::to_string(a % 4) + numbers;
    case ClickRow:
        return "click a performer row in view" + numbers;
    case DoubleClickRow:
        return "double-click a performer row in view" + numbers;
    case QuickSecondClick:
        return "click a row in view, reported as a double click's second press" + numbers;
    case DragAcrossRows:
        return "press on one row, drag to another, release" + numbers;
    case ClickListSpace:
        return "click the list below its last row" + numbers;
    case WheelList:
        return std::string("wheel the list ") + (a % 2 ? "up" : "down") + numbers;
    case ClickRestart:
        return "click the restart button" + numbers;
    case ClickLog:
        return "click the log" + numbers;
    case Key:
        return std::string("key ") + keyStrokes[a % keyStrokes.size()].name + numbers;
    case TypeLetter:
        return "type the letter " + QString(letters[a % letters.size()]).toStdString() + numbers;
    }
    return "?";
}

std::string describe(const std::vector<WindowEvent> &events)
{
    std::string text;
    for (std::size_t i = 0; i < events.size(); ++i)
        text += "  " + std::to_string(i + 1) + ". " + events[i].describe() + "\n";
    return text;
}

WindowPlay::WindowPlay(std::vector<ModelRow> catalogue)
    : m_catalogue(std::move(catalogue))
{
}

std::optional<std::string> WindowPlay::play(const std::vector<WindowEvent> &events) const
{
    const quiz::Catalogue catalogue = playcatalogues::toCatalogue(m_catalogue);
    TembrelaWindow window(catalogue);
    QuizModel model(m_catalogue, window.logBox()->Text());
    window.raiseLoad();
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return "the window never became active";
    if (auto difference = compare(window, model))
        return "after load: " + *difference;

    Driver driver(window);
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Act act = driver.send(events[i]);
        switch (act.kind) {
        case Act::Nothing:
            break;
        case Act::Choose:
            model.chooseVoice(act.number);
            break;
        case Act::Pick:
            model.pickRow(act.number);
            break;
        case Act::Restart:
            model.restart();
            break;
        }
        if (auto difference = compare(window, model))
            return "after event " + std::to_string(i + 1) + " (" + events[i].describe()
                   + "): " + *difference;
    }
    return std::nullopt;
}
