// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// The cost of the learner's events on the real window, offscreen: a voice
// choice, a pick, a restart and a whole game, each until the window is
// repainted and idle. Each is set beside its floor, the same visible work
// done by plain widgets in the bare window and timed the same way, in
// turns with it. Then restart and pick as the catalogue grows, with the
// main thread's CPU time beside the wall time.
#include "appearance.h"
#include "barewindow.h"
#include "catalogue.h"
#include "eventmeter.h"
#include "formtexts.h"
#include "performerlist.h"
#include "stats.h"
#include "tembrelawindow.h"
#include "voiceoption.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int Rounds = 5;
constexpr int GamesPerRound = 40;
constexpr int RestartsPerRound = 400;
constexpr int TimedGames = 40;
constexpr int PicksPerGame = 22;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

quiz::Catalogue syntheticCatalogue(int rows)
{
    std::vector<std::u16string> names, codes;
    for (int i = 0; i < rows; ++i) {
        names.push_back(u"Изпълнител " + QString::number(i + 1).toStdU16String());
        codes.push_back(std::u16string(1, char16_t(u'0' + i % 4)));
    }
    return quiz::Catalogue(std::move(names), std::move(codes));
}

// What the benchmark clicks, in the quiz's window or in the bare one.
struct Form
{
    QWidget *window;
    std::array<QAbstractButton *, 4> options;
    QListWidget *list;
    QAbstractButton *restart;
    int rows; // in a full list
};

void show(QWidget &window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        fail("a window was never exposed");
}

std::unique_ptr<TembrelaWindow> openQuiz(const quiz::Catalogue &catalogue)
{
    auto window = std::make_unique<TembrelaWindow>(catalogue);
    window->raiseLoad();
    show(*window);
    return window;
}

Form quizForm(TembrelaWindow &window, int rows)
{
    Form form{&window, {}, window.performerList(), window.restartButton(), rows};
    for (std::size_t k = 0; k < form.options.size(); ++k)
        form.options[k] = window.voiceOption(int(k));
    return form;
}

// The floor: the bare window doing what the learner sees each event do, the
// plain way. A restart refills the list and puts the note in the log; the
// first choice after it clears the log; a pick puts a line at the top of
// the log, un-chooses the option and takes the row out.
std::unique_ptr<BareWindow> openFloor(const quiz::Catalogue &catalogue)
{
    auto window = std::make_unique<BareWindow>(catalogue);
    BareWindow *bare = window.get();
    QStringList names;
    for (const std::u16string &name : catalogue.names())
        names.append(QString::fromStdU16String(name));
    auto noteShown = std::make_shared<bool>(true);
    // An exclusive group keeps its chosen option; it steps out for the change.
    const auto unchoose = [bare] {
        for (int k = 0; k < 4; ++k) {
            QRadioButton *option = bare->option(k);
            if (option->isChecked()) {
                option->setAutoExclusive(false);
                option->setChecked(false);
                option->setAutoExclusive(true);
            }
        }
    };
    QObject::connect(bare->button(), &QPushButton::clicked, bare, [=] {
        unchoose();
        bare->list()->clear();
        bare->list()->addItems(names);
        bare->log()->setPlainText(qs(quiz::NewGameNote));
        *noteShown = true;
    });
    for (int k = 0; k < 4; ++k) {
        QObject::connect(bare->option(k), &QRadioButton::clicked, bare, [=] {
            if (std::exchange(*noteShown, false))
                bare->log()->clear();
        });
    }
    QObject::connect(bare->list(), &QListWidget::itemClicked, bare, [=](QListWidgetItem *item) {
        QString voice;
        for (int k = 0; k < 4; ++k) {
            if (bare->option(k)->isChecked())
                voice = bare->option(k)->text();
        }
        QTextCursor(bare->log()->document())
            .insertText(qs(quiz::RightVerdict) + voice + QStringLiteral(": ") + item->text()
                        + QLatin1Char('\n'));
        unchoose();
        delete bare->list()->takeItem(bare->list()->row(item));
    });
    show(*window);
    return window;
}

Form bareForm(BareWindow &window, int rows)
{
    Form form{&window, {}, window.list(), window.button(), rows};
    for (std::size_t k = 0; k < form.options.size(); ++k)
        form.options[k] = window.option(int(k));
    return form;
}

// Only the active window shows its focus, and each takes its turn as the
// learner's window would.
void activate(EventMeter &meter, const Form &form)
{
    meter.settle([&] { form.window->activateWindow(); });
    if (QApplication::activeWindow() != form.window)
        fail("a window could not be made active");
}

void chooseVoice(const Form &form, int voice)
{
    QAbstractButton *option = form.options.at(voice);
    // On the option's mark, which a plain option takes a click on too.
    const int middle = option->height() / 2;
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(middle, middle));
    if (!option->isChecked())
        fail("a click on a voice chose nothing");
}

// A row somewhere in the view, as the learner would click it.
void pickShownRow(const Form &form, int nth)
{
    QListWidget *list = form.list;
    const int before = list->count();
    const int first = list->indexAt(QPoint(2, 2)).row();
    const int shown = list->viewport()->height() / list->sizeHintForRow(0);
    const int row = std::min(first + nth % std::max(shown, 1), before - 1);
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    if (list->count() != before - 1)
        fail("a click on a name took no row out");
}

void restart(const Form &form)
{
    QTest::mouseClick(form.restart, Qt::LeftButton);
    if (form.list->count() != form.rows)
        fail("a restart did not fill the list");
}

// One kind of event's timings in a round: wall and main-thread CPU time.
struct Timings
{
    std::vector<double> wall, cpu;

    void add(double ms, const EventMeter &meter)
    {
        wall.push_back(ms);
        cpu.push_back(meter.lastCpuMs());
    }
};

// A round's timings of one window.
struct Round
{
    Timings choices, picks, restarts;
};

// One kind of event's 99th percentiles, one set per round: the quiz's wall
// and CPU time, its floor's wall time, and the one over the other.
struct EventFigures
{
    std::vector<double> wall, cpu, floor, ratio, floorCpu;

    void add(const Timings &quiz, const Timings &bare)
    {
        const double quizP99 = percentile(quiz.wall, 99);
        const double floorP99 = percentile(bare.wall, 99);
        wall.push_back(quizP99);
        cpu.push_back(percentile(quiz.cpu, 99));
        floor.push_back(floorP99);
        floorCpu.push_back(percentile(bare.cpu, 99));
        ratio.push_back(quizP99 / floorP99);
    }

    void print(const std::string &event) const
    {
        printRow(event + "_p99_ms", summarise(wall));
        printRow(event + "_floor_p99_ms", summarise(floor));
        printRow(event + "_ratio", summarise(ratio));
        printRow(event + "_cpu_p99_ms", summarise(cpu));
        printRow(event + "_floor_cpu_p99_ms", summarise(floorCpu));
    }
};

void playGame(EventMeter &meter, const Form &form, int game, Round &round)
{
    round.restarts.add(meter.measure("restart", [&] { restart(form); }), meter);
    for (int pick = 0; pick < PicksPerGame; ++pick) {
        const int voice = (game + pick) % 4;
        round.choices.add(meter.measure("choice", [&] { chooseVoice(form, voice); }), meter);
        round.picks.add(meter.measure("pick", [&] { pickShownRow(form, game + pick); }), meter);
    }
}

// A restart in the middle of a game, the list a row short.
void restartMidGame(EventMeter &meter, const Form &form, int i, Round &round)
{
    if (form.list->count() == 0)
        meter.settle([&] { restart(form); });
    meter.settle([&] { chooseVoice(form, i % 4); });
    meter.settle([&] { pickShownRow(form, i); });
    round.restarts.add(meter.measure("restart", [&] { restart(form); }), meter);
}

// Runs the same turn on both windows, either first half of the time, so
// that a change in the machine's load falls on both alike.
template<typename Turn>
void inTurns(EventMeter &meter, int i, const Form &quiz, const Form &bare, Turn turn)
{
    for (int side = 0; side < 2; ++side) {
        const bool quizNow = (i + side) % 2 == 0;
        activate(meter, quizNow ? quiz : bare);
        turn(quizNow);
    }
}

void eventCosts(EventMeter &meter)
{
    const quiz::Catalogue &catalogue = quiz::standardCatalogue();
    auto quizWindow = openQuiz(catalogue);
    auto bareWindow = openFloor(catalogue);
    const Form quiz = quizForm(*quizWindow, catalogue.rowCount());
    const Form bare = bareForm(*bareWindow, catalogue.rowCount());

    EventFigures choices, picks, restarts;
    for (int r = 0; r < Rounds; ++r) {
        Round quizRound, bareRound;
        for (int game = 0; game < GamesPerRound; ++game) {
            inTurns(meter, game, quiz, bare, [&](bool quizNow) {
                playGame(meter, quizNow ? quiz : bare, game, quizNow ? quizRound : bareRound);
            });
        }
        for (int i = 0; i < RestartsPerRound; ++i) {
            inTurns(meter, i, quiz, bare, [&](bool quizNow) {
                restartMidGame(meter, quizNow ? quiz : bare, i, quizNow ? quizRound : bareRound);
            });
        }
        choices.add(quizRound.choices, bareRound.choices);
        picks.add(quizRound.picks, bareRound.picks);
        restarts.add(quizRound.restarts, bareRound.restarts);
    }
    choices.print("choice");
    picks.print("pick");
    restarts.print("restart");

    std::vector<double> games, floors, ratios;
    for (int game = 0; game < TimedGames; ++game) {
        double quizMs = 0, bareMs = 0;
        inTurns(meter, game, quiz, bare, [&](bool quizNow) {
            const Form &form = quizNow ? quiz : bare;
            (quizNow ? quizMs : bareMs) = meter.measure("game", [&] {
                meter.settle([&] { restart(form); });
                for (int pick = 0; pick < PicksPerGame; ++pick) {
                    meter.settle([&] { chooseVoice(form, (game + pick) % 4); });
                    meter.settle([&] { pickShownRow(form, game + pick); });
                }
            });
        });
        games.push_back(quizMs);
        floors.push_back(bareMs);
        ratios.push_back(quizMs / bareMs);
    }
    printRow("game_ms", summarise(games));
    printRow("game_floor_ms", summarise(floors));
    printRow("game_ratio", summarise(ratios));
}

void growth(EventMeter &meter, int rows, int restartCount, int pickCount)
{
    const quiz::Catalogue catalogue = rows == quiz::standardCatalogue().rowCount()
                                          ? quiz::standardCatalogue()
                                          : syntheticCatalogue(rows);
    auto window = openQuiz(catalogue);
    const Form form = quizForm(*window, rows);
    QListWidget *list = form.list;

    Timings restarts;
    for (int i = 0; i < restartCount; ++i) {
        meter.settle([&] { chooseVoice(form, i % 4); });
        meter.settle([&] { pickShownRow(form, i); });
        restarts.add(meter.measure("restart", [&] { restart(form); }), meter);
    }

    Timings picks;
    for (int i = 0; i < pickCount; ++i) {
        if (list->count() < 2)
            meter.settle([&] { restart(form); });
        // Spread over the whole list: the first rows, the middle, the end.
        meter.settle([&] {
            QScrollBar *bar = list->verticalScrollBar();
            bar->setValue(int((long long)(i * 7919 % 1000) * bar->maximum() / 999));
        });
        meter.settle([&] { chooseVoice(form, i % 4); });
        picks.add(meter.measure("pick", [&] { pickShownRow(form, i); }), meter);
    }
    const std::string size = std::to_string(rows);
    printRow("restart_ms_" + size, summarise(restarts.wall));
    printRow("restart_cpu_ms_" + size, summarise(restarts.cpu));
    printRow("pick_ms_" + size, summarise(picks.wall));
    printRow("pick_cpu_ms_" + size, summarise(picks.cpu));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    applyFormAppearance();
    EventMeter meter;

    eventCosts(meter);
    growth(meter, 22, 200, 200);
    growth(meter, 1000, 100, 200);
    growth(meter, quiz::Catalogue::MaxRows, 21, 101);
    return 0;
}
