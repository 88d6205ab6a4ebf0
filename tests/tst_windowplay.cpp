// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appearance.h"
#include "playbudget.h"
#include "playcatalogues.h"
#include "windowplay.h"

#include <QTest>

#include <cstdint>
#include <random>

namespace {

std::vector<WindowEvent> randomGame(std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::vector<WindowEvent> events;
    for (int i = 0; i < playbudget::EventsPerGame; ++i)
        events.push_back(WindowEvent::random(random));
    return events;
}

WindowEvent key(std::uint32_t stroke)
{
    return {WindowEvent::Key, stroke, 0};
}

} // namespace

Q_DECLARE_METATYPE(std::vector<WindowEvent>)

class TestWindowPlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void randomGamesMatchTheModel_data();
    void randomGamesMatchTheModel();
    void scriptedGames_data();
    void scriptedGames();
};

void TestWindowPlay::initTestCase()
{
    applyFormAppearance();
}

void TestWindowPlay::randomGamesMatchTheModel_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<int>("games");
    QTest::addColumn<qulonglong>("firstSeed");

    QTest::addRow("standard") << "standard" << 200 << qulonglong(5000000);
    QTest::addRow("odd_codes_short_list") << "odd" << 80 << qulonglong(6000000);
    QTest::addRow("empty") << "empty" << 10 << qulonglong(7000000);
    QTest::addRow("one_row") << "one_row" << 30 << qulonglong(8000000);
}

void TestWindowPlay::randomGamesMatchTheModel()
{
    QFETCH(QString, catalogue);
    QFETCH(int, games);
    QFETCH(qulonglong, firstSeed);

    const std::optional<QString> failure = playbudget::playGames(
        games, firstSeed,
        [&](std::uint64_t seed) {
            // Short odd lists leave blank space below the rows to click on.
            return WindowPlay(playcatalogues::ofKind(catalogue.toStdString(), seed, 8));
        },
        randomGame);
    if (failure)
        QFAIL(qPrintable(*failure));
}

void TestWindowPlay::scriptedGames_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<int>("rows");
    QTest::addColumn<std::vector<WindowEvent>>("events");

    // Keys by their place in the driver's table: 0 Tab, 6 Home, 7 End,
    // 9 PageDown, 10 Space, 11 Return, 12 keypad Enter, 13 to 16 the keys 1 to 4.
    QTest::addRow("largest_catalogue_both_ends_by_keyboard")
        << "numbered" << 32767
        << std::vector<WindowEvent>{key(0),
                                    key(7),
                                    key(15),
                                    key(10),
                                    key(6),
                                    key(13),
                                    key(11),
                                    key(9),
                                    key(14),
                                    key(12),
                                    {WindowEvent::ClickRestart, 0, 17},
                                    {WindowEvent::ClickOption, 3, 4242},
                                    {WindowEvent::ClickRow, 1, 99}};
    // A name clicked before any voice, a voice chosen by key, the same name
    // clicked again at once: the platform reports that press as a double
    // click, and it used to pick nobody.
    QTest::addRow("second_press_of_double_click_picks")
        << "standard" << 22
        << std::vector<WindowEvent>{
               {WindowEvent::ClickRow, 2, 1000}, key(14), {WindowEvent::QuickSecondClick, 2, 1000}};
    QTest::addRow("double_click_answers_once")
        << "standard" << 22
        << std::vector<WindowEvent>{key(16),
                                    {WindowEvent::DoubleClickRow, 0, 500},
                                    {WindowEvent::DoubleClickRow, 0, 500}};
    QTest::addRow("empty_catalogue_ignores_everything")
        << "numbered" << 0 << std::vector<WindowEvent>{key(0),
                                                       key(13),
                                                       key(10),
                                                       {WindowEvent::ClickRow, 0, 3},
                                                       {WindowEvent::ClickListSpace, 0, 3},
                                                       key(0),
                                                       key(10)};
    QTest::addRow("one_row_played_out_and_restarted")
        << "numbered" << 1
        << std::vector<WindowEvent>{{WindowEvent::ClickOption, 0, 1},
                                    {WindowEvent::ClickRow, 0, 1},
                                    {WindowEvent::ClickListSpace, 0, 1},
                                    {WindowEvent::ClickRestart, 0, 1},
                                    key(14),
                                    key(0),
                                    key(10)};
}

void TestWindowPlay::scriptedGames()
{
    QFETCH(QString, catalogue);
    QFETCH(int, rows);
    QFETCH(std::vector<WindowEvent>, events);

    const WindowPlay play(catalogue == "standard" ? playcatalogues::standard()
                                                  : playcatalogues::numbered(rows));
    const auto difference = play.play(events);
    QVERIFY2(!difference, difference ? difference->c_str() : "");
}

QTEST_MAIN(TestWindowPlay)
#include "tst_windowplay.moc"
