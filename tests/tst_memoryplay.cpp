// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memoryplay.h"
#include "playbudget.h"
#include "playcatalogues.h"

#include <QTest>

#include <cstdint>
#include <random>

namespace {

std::vector<MemoryEvent> randomGame(std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::vector<MemoryEvent> events;
    for (int i = 0; i < playbudget::EventsPerGame; ++i) {
        // Restarts rare enough that most games empty much of the list.
        const int roll = int(random() % 100);
        const auto kind = roll < 40   ? MemoryEvent::Choose
                          : roll < 91 ? MemoryEvent::Pick
                          : roll < 96 ? MemoryEvent::PickNothing
                                      : MemoryEvent::Restart;
        events.push_back({kind, std::uint16_t(random())});
    }
    return events;
}

} // namespace

class TestMemoryPlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomGamesMatchTheModel_data();
    void randomGamesMatchTheModel();
    void largestCatalogue_data();
    void largestCatalogue();
};

void TestMemoryPlay::randomGamesMatchTheModel_data()
{
    QTest::addColumn<bool>("nested");
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<int>("games");
    QTest::addColumn<qulonglong>("firstSeed");

    for (const bool nested : {false, true}) {
        const char *mode = nested ? "nested" : "direct";
        const qulonglong base = nested ? 2000000 : 1000000;
        QTest::addRow("%s_standard", mode) << nested << "standard" << 400 << base;
        QTest::addRow("%s_odd_codes", mode) << nested << "odd" << 400 << base + 100000;
        QTest::addRow("%s_empty", mode) << nested << "empty" << 20 << base + 200000;
        QTest::addRow("%s_one_row", mode) << nested << "one_row" << 50 << base + 300000;
    }
}

void TestMemoryPlay::randomGamesMatchTheModel()
{
    QFETCH(bool, nested);
    QFETCH(QString, catalogue);
    QFETCH(int, games);
    QFETCH(qulonglong, firstSeed);

    const std::optional<QString> failure = playbudget::playGames(
        games, firstSeed,
        [&](std::uint64_t seed) {
            return MemoryPlay(playcatalogues::ofKind(catalogue.toStdString(), seed, 30), nested);
        },
        randomGame);
    if (failure)
        QFAIL(qPrintable(*failure));
}

void TestMemoryPlay::largestCatalogue_data()
{
    QTest::addColumn<bool>("nested");
    QTest::addRow("direct") << false;
    QTest::addRow("nested") << true;
}

void TestMemoryPlay::largestCatalogue()
{
    QFETCH(bool, nested);
    // Picks at both ends and in the middle of 32767 rows, then a restart
    // that fills them all again.
    const MemoryPlay play(playcatalogues::numbered(32767), nested);
    const std::vector<MemoryEvent> events{
        {MemoryEvent::Choose, 2},   {MemoryEvent::Pick, 32766}, {MemoryEvent::Choose, 0},
        {MemoryEvent::Pick, 0},     {MemoryEvent::Choose, 3},   {MemoryEvent::Pick, 16000},
        {MemoryEvent::Pick, 5},     {MemoryEvent::Restart, 0},  {MemoryEvent::Choose, 1},
        {MemoryEvent::Pick, 32766},
    };
    const auto difference = play.play(events);
    QVERIFY2(!difference, difference ? difference->c_str() : "");
}

QTEST_GUILESS_MAIN(TestMemoryPlay)
#include "tst_memoryplay.moc"
