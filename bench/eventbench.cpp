// The cost of the learner's events on the real window, offscreen: a voice
// choice, a pick, a restart and a whole game, each until the window is
// repainted and idle; then restart and pick as the catalogue grows.
#include "appearance.h"
#include "catalogue.h"
#include "eventmeter.h"
#include "performerlist.h"
#include "stats.h"
#include "tembrelawindow.h"
#include "voiceoption.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Rounds = 5;
constexpr int GamesPerRound = 40;
constexpr int RestartsPerRound = 200;
constexpr int TimedGames = 40;
constexpr int PicksPerGame = 22;

quiz::Catalogue syntheticCatalogue(int rows)
{
    std::vector<std::u16string> names, codes;
    for (int i = 0; i < rows; ++i) {
        names.push_back(u"Изпълнител " + QString::number(i + 1).toStdU16String());
        codes.push_back(std::u16string(1, char16_t(u'0' + i % 4)));
    }
    return quiz::Catalogue(std::move(names), std::move(codes));
}

std::unique_ptr<TembrelaWindow> openWindow(const quiz::Catalogue &catalogue)
{
    auto window = std::make_unique<TembrelaWindow>(catalogue);
    window->raiseLoad();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        std::fprintf(stderr, "the window was never exposed\n");
        std::exit(1);
    }
    return window;
}

void chooseVoice(TembrelaWindow &window, int voice)
{
    VoiceOption *option = window.voiceOption(voice);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(option->width() - 5, option->height() / 2));
}

// A row somewhere in the view, as the learner would click it.
void pickShownRow(TembrelaWindow &window, int nth)
{
    PerformerList *list = window.performerList();
    const int first = list->indexAt(QPoint(2, 2)).row();
    const int shown = list->viewport()->height() / list->sizeHintForRow(0);
    const int row = std::min(first + nth % std::max(shown, 1), list->count() - 1);
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void restart(TembrelaWindow &window)
{
    QTest::mouseClick(window.restartButton(), Qt::LeftButton);
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

// The 99th percentiles of one kind of event, a pair per round.
struct Percentiles
{
    std::vector<double> wall, cpu;

    void add(const Timings &round)
    {
        wall.push_back(percentile(round.wall, 99));
        cpu.push_back(percentile(round.cpu, 99));
    }

    void print(const std::string &event) const
    {
        printRow(event + "_p99_ms", summarise(wall));
        printRow(event + "_cpu_p99_ms", summarise(cpu));
    }
};

void eventCosts(EventMeter &meter)
{
    auto window = openWindow(quiz::standardCatalogue());
    Percentiles choiceP99, pickP99, restartP99;
    for (int round = 0; round < Rounds; ++round) {
        Timings choices, picks, restarts;
        for (int game = 0; game < GamesPerRound; ++game) {
            restarts.add(meter.measure("restart", [&] { restart(*window); }), meter);
            for (int pick = 0; pick < PicksPerGame; ++pick) {
                const int voice = (game + pick) % 4;
                choices.add(meter.measure("choice", [&] { chooseVoice(*window, voice); }), meter);
                picks.add(meter.measure("pick", [&] { pickShownRow(*window, game + pick); }),
                          meter);
            }
        }
        // Restarts in the middle of a game, the list a row short.
        for (int i = 0; i < RestartsPerRound; ++i) {
            meter.settle([&] { chooseVoice(*window, i % 4); });
            meter.settle([&] { pickShownRow(*window, i); });
            restarts.add(meter.measure("restart", [&] { restart(*window); }), meter);
        }
        choiceP99.add(choices);
        pickP99.add(picks);
        restartP99.add(restarts);
    }
    choiceP99.print("choice");
    pickP99.print("pick");
    restartP99.print("restart");

    std::vector<double> games;
    for (int game = 0; game < TimedGames; ++game) {
        games.push_back(meter.measure("game", [&] {
            meter.settle([&] { restart(*window); });
            for (int pick = 0; pick < PicksPerGame; ++pick) {
                meter.settle([&] { chooseVoice(*window, (game + pick) % 4); });
                meter.settle([&] { pickShownRow(*window, game + pick); });
            }
        }));
    }
    printRow("game_ms", summarise(games));
}

void growth(EventMeter &meter, int rows, int restartCount, int pickCount)
{
    const quiz::Catalogue catalogue = rows == quiz::standardCatalogue().rowCount()
                                          ? quiz::standardCatalogue()
                                          : syntheticCatalogue(rows);
    auto window = openWindow(catalogue);
    PerformerList *list = window->performerList();

    std::vector<double> restarts;
    for (int i = 0; i < restartCount; ++i) {
        meter.settle([&] { chooseVoice(*window, i % 4); });
        meter.settle([&] { pickShownRow(*window, i); });
        restarts.push_back(meter.measure("restart", [&] { restart(*window); }));
    }

    std::vector<double> picks;
    for (int i = 0; i < pickCount; ++i) {
        if (list->count() < 2)
            meter.settle([&] { restart(*window); });
        // Spread over the whole list: the first rows, the middle, the end.
        meter.settle([&] {
            QScrollBar *bar = list->verticalScrollBar();
            bar->setValue(int((long long)(i * 7919 % 1000) * bar->maximum() / 999));
        });
        meter.settle([&] { chooseVoice(*window, i % 4); });
        picks.push_back(meter.measure("pick", [&] { pickShownRow(*window, i); }));
    }
    const std::string size = std::to_string(rows);
    printRow("restart_ms_" + size, summarise(restarts));
    printRow("pick_ms_" + size, summarise(picks));
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
