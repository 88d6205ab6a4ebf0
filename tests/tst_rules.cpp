// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "memorysurface.h"
#include "statement.h"
#include "tembrela.h"

#include <QStringList>
#include <QTest>

#include <cstdint>
#include <memory>

namespace {

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList rowsOf(const quiz::MemoryListBox &list)
{
    QStringList rows;
    for (const std::u16string &row : list.rows())
        rows << qs(row);
    return rows;
}

QStringList columnOf(const std::vector<std::u16string> &column)
{
    QStringList rows;
    for (const std::u16string &row : column)
        rows << qs(row);
    return rows;
}

const QString crLf = QStringLiteral("\r\n");
const QStringList captions{QStringLiteral("бас"), QStringLiteral("мецосопран"),
                           QStringLiteral("сопран"), QStringLiteral("тенор")};

// A window held in memory, loaded as at start.
struct Game
{
    explicit Game(const quiz::Catalogue &catalogue, bool nested)
        : surface(catalogue)
        , form(surface)
    {
        surface.attach(form, nested);
        form.Form_Load();
    }

    QString log() const { return qs(surface.logText()); }
    QStringList names() const { return rowsOf(surface.list(0)); }
    QStringList codes() const { return rowsOf(surface.list(1)); }
    void choose(int voice) { surface.userChooseOption(static_cast<std::int16_t>(voice)); }
    void pick(int row) { surface.userSelectPerformer(static_cast<std::int16_t>(row)); }

    quiz::MemorySurface surface;
    quiz::Tembrela form;
};

} // namespace

class TestRules : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Game> newGame(const quiz::Catalogue &catalogue = quiz::standardCatalogue())
    {
        QFETCH_GLOBAL(bool, nested);
        return std::make_unique<Game>(catalogue, nested);
    }

    void verifyStartOfGame(const Game &game, const quiz::Catalogue &catalogue)
    {
        QCOMPARE(game.names(), columnOf(catalogue.names()));
        QCOMPARE(game.codes(), columnOf(catalogue.codes()));
        QCOMPARE(game.surface.list(0).ListIndex(), -1);
        QCOMPARE(game.surface.chosenOption(), -1);
        QCOMPARE(game.form.voiceChosen(), false);
        QCOMPARE(game.form.chosenVoice(), -1);
        QCOMPARE(game.form.statementCleared(), 0);
    }

private Q_SLOTS:
    void initTestCase_data();

    void loadStartsTheFirstGame();
    void pickWithoutChoiceIsDeselected();
    void firstChoiceEmptiesTheLog();
    void laterChoiceReplacesTheVoice();
    void judgesAPick_data();
    void judgesAPick();
    void answerDropsTheChoice();
    void sameRowTwiceJudgesTwoPerformers();
    void codesFollowTheirNames();
    void wholeGameLogsEveryAnswer();
    void restartInMidGame();
    void restartUnchoosesEveryOption_data();
    void restartUnchoosesEveryOption();
    void emptiedListIgnoresClicks();
    void hiddenListEventsAreIgnored();
    void otherCatalogues_data();
    void otherCatalogues();
    void outOfRangeCodesAreAlwaysWrong_data();
    void outOfRangeCodesAreAlwaysWrong();
    void listEvents_data();
    void listEvents();
    void optionEvents();
};

void TestRules::initTestCase_data()
{
    QTest::addColumn<bool>("nested");
    QTest::addRow("direct") << false;
    QTest::addRow("nested") << true;
}

void TestRules::loadStartsTheFirstGame()
{
    const auto game = newGame();
    verifyStartOfGame(*game, quiz::standardCatalogue());
    QCOMPARE(game->log(), qs(quiz::exerciseStatement(quiz::standardCatalogue())));
    QCOMPARE(game->form.lastVoiceIndex(), 3);
    QCOMPARE(rowsOf(game->surface.list(2)), columnOf(quiz::standardCatalogue().names()));
}

void TestRules::pickWithoutChoiceIsDeselected()
{
    const auto game = newGame();
    const QString statement = game->log();
    game->pick(3);
    QCOMPARE(game->surface.list(0).ListIndex(), -1);
    QCOMPARE(game->names().size(), 22);
    QCOMPARE(game->log(), statement);
    QCOMPARE(game->form.statementCleared(), 0);
}

void TestRules::firstChoiceEmptiesTheLog()
{
    const auto game = newGame();
    game->choose(3);
    QCOMPARE(game->log(), QString());
    QCOMPARE(game->form.voiceChosen(), true);
    QCOMPARE(game->form.chosenVoice(), 3);
    QCOMPARE(game->form.statementCleared(), -1);
    QCOMPARE(game->surface.chosenOption(), 3);
}

void TestRules::laterChoiceReplacesTheVoice()
{
    const auto game = newGame();
    game->choose(0);
    game->pick(0); // a wrong answer: the log is no longer empty
    const QString afterAnswer = game->log();
    game->choose(1);
    game->choose(2);
    game->choose(2); // the same option again changes nothing
    QCOMPARE(game->log(), afterAnswer);
    QCOMPARE(game->form.chosenVoice(), 2);
    QCOMPARE(game->surface.chosenOption(), 2);
    game->pick(0); // Анна Нетребко, now in row 0
    QVERIFY(game->log().startsWith(QStringLiteral("Вярно сопран: Анна Нетребко\r\n")));
}

void TestRules::judgesAPick_data()
{
    QTest::addColumn<int>("voice");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("line");

    QTest::addRow("right_tenor_first_row") << 3 << 0 << "Вярно тенор: Алфредо Краус";
    QTest::addRow("wrong_bass_for_tenor") << 0 << 0 << "Невярно бас: Алфредо Краус";
    QTest::addRow("right_bass") << 0 << 3 << "Вярно бас: Борис Христов";
    QTest::addRow("right_mezzo") << 1 << 6 << "Вярно мецосопран: Елена Образцова";
    QTest::addRow("wrong_soprano_for_mezzo") << 2 << 7 << "Невярно сопран: Елина Гаранча";
    QTest::addRow("trailing_blank_kept") << 3 << 8 << "Вярно тенор: Енрико Карузо ";
    QTest::addRow("trailing_blank_wrong") << 1 << 9 << "Невярно мецосопран: Камен Чанев ";
    QTest::addRow("right_last_row") << 1 << 21 << "Вярно мецосопран: Чечилия Бартоли";
}

void TestRules::judgesAPick()
{
    QFETCH(int, voice);
    QFETCH(int, row);
    QFETCH(QString, line);

    const auto game = newGame();
    QStringList names = game->names();
    QStringList codes = game->codes();
    game->choose(voice);
    game->pick(row);

    QCOMPARE(game->log(), line + crLf + crLf);
    // The code list followed the pick; removing the row leaves its selection
    // where the list's own rule puts it.
    QCOMPARE(int(game->surface.list(1).ListIndex()), qMin(row, int(codes.size()) - 2));
    names.removeAt(row);
    codes.removeAt(row);
    QCOMPARE(game->names(), names);
    QCOMPARE(game->codes(), codes);
    QCOMPARE(game->surface.list(0).ListIndex(), -1);
}

void TestRules::answerDropsTheChoice()
{
    const auto game = newGame();
    game->choose(2);
    game->pick(1);
    QCOMPARE(game->surface.chosenOption(), -1);
    QCOMPARE(game->form.voiceChosen(), false);
    QCOMPARE(game->form.chosenVoice(), 2); // kept, but unused until the next choice

    const QString log = game->log();
    game->pick(1);
    QCOMPARE(game->log(), log);
    QCOMPARE(game->names().size(), 21);
    QCOMPARE(game->surface.list(0).ListIndex(), -1);
}

void TestRules::sameRowTwiceJudgesTwoPerformers()
{
    const auto game = newGame();
    game->choose(3);
    game->pick(4); // Гена Димитрова
    game->choose(3);
    game->pick(4); // Димитър Узунов moved up into row 4
    QCOMPARE(game->log(), QStringLiteral("Вярно тенор: Димитър Узунов\r\n"
                                         "Невярно тенор: Гена Димитрова\r\n\r\n\r\n"));
}

void TestRules::codesFollowTheirNames()
{
    const auto game = newGame();
    game->choose(1);
    game->pick(6); // Елена Образцова leaves; Елина Гаранча moves up
    game->choose(1);
    game->pick(6);
    QVERIFY(game->log().startsWith(QStringLiteral("Вярно мецосопран: Елина Гаранча\r\n")));
    game->choose(1);
    game->pick(6); // now Енрико Карузо, a tenor
    QVERIFY(game->log().startsWith(QStringLiteral("Невярно мецосопран: Енрико Карузо \r\n")));
}

void TestRules::wholeGameLogsEveryAnswer()
{
    // Answers from the bottom up, alternating right and wrong voices.
    const auto game = newGame();
    const std::vector<std::u16string> &names = quiz::standardCatalogue().names();
    const std::vector<std::u16string> &codes = quiz::standardCatalogue().codes();
    QStringList lines;
    for (int row = 21; row >= 0; --row) {
        const int code = codes[row][0] - u'0';
        const bool right = row % 2 == 0;
        const int voice = right ? code : (code + 1) % 4;
        game->choose(voice);
        game->pick(row);
        lines.prepend((right ? QStringLiteral("Вярно ") : QStringLiteral("Невярно "))
                      + captions[voice] + QStringLiteral(": ") + qs(names[row]) + crLf);
        QCOMPARE(game->log(), lines.join(QString()) + crLf.repeated(lines.size()));
    }
    QVERIFY(game->names().isEmpty());
    QVERIFY(game->codes().isEmpty());
}

void TestRules::restartInMidGame()
{
    const auto game = newGame();
    game->choose(0);
    game->pick(3);
    game->choose(2);
    game->pick(0);
    game->choose(1);
    game->surface.userPressRestart();

    verifyStartOfGame(*game, quiz::standardCatalogue());
    QCOMPARE(game->log(), QStringLiteral("Нов избор"));

    game->pick(0); // no choice yet: the note stays
    QCOMPARE(game->log(), QStringLiteral("Нов избор"));
    game->choose(3);
    QCOMPARE(game->log(), QString());
    game->pick(0);
    QCOMPARE(game->log(), QStringLiteral("Вярно тенор: Алфредо Краус\r\n\r\n"));
}

void TestRules::restartUnchoosesEveryOption_data()
{
    QTest::addColumn<int>("voice");
    for (int voice = 0; voice < 4; ++voice)
        QTest::addRow("voice_%d", voice) << voice;
}

void TestRules::restartUnchoosesEveryOption()
{
    QFETCH(int, voice);
    const auto game = newGame();
    game->choose(voice);
    game->surface.userPressRestart();
    verifyStartOfGame(*game, quiz::standardCatalogue());
}

void TestRules::emptiedListIgnoresClicks()
{
    const auto game = newGame();
    for (int i = 0; i < 22; ++i) {
        game->choose(i % 4);
        game->pick(0);
    }
    const QString log = game->log();
    QCOMPARE(game->names(), QStringList());
    game->choose(1);
    game->form.List1_Click(0); // a click on empty list space selects nothing
    QCOMPARE(game->log(), log);
    QCOMPARE(game->form.voiceChosen(), true);

    game->surface.userPressRestart();
    verifyStartOfGame(*game, quiz::standardCatalogue());
}

void TestRules::hiddenListEventsAreIgnored()
{
    const auto game = newGame();
    game->choose(3);
    for (std::int16_t list = 1; list <= 3; ++list)
        game->form.List1_Click(list);
    QCOMPARE(game->log(), QString());
    QCOMPARE(game->names().size(), 22);
    QCOMPARE(game->form.voiceChosen(), true);
}

void TestRules::otherCatalogues_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("voice");
    QTest::addColumn<QString>("firstVerdict");

    QTest::addRow("empty") << QStringList() << QStringList() << 0 << QString();
    QTest::addRow("one_row") << QStringList{"Иван Петров"} << QStringList{"0"} << 0
                             << "Вярно бас: Иван Петров";
    QTest::addRow("code_with_fraction")
        << QStringList{"Иван Петров"} << QStringList{"2.5"} << 2 << "Вярно сопран: Иван Петров";
    QTest::addRow("empty_code_reads_as_bass")
        << QStringList{"Иван Петров"} << QStringList{""} << 0 << "Вярно бас: Иван Петров";
    QTest::addRow("two_blanks_kept") << QStringList{"Иван Петров  "} << QStringList{"1"} << 1
                                     << "Вярно мецосопран: Иван Петров  ";
}

void TestRules::otherCatalogues()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, codes);
    QFETCH(int, voice);
    QFETCH(QString, firstVerdict);

    std::vector<std::u16string> nameColumn, codeColumn;
    for (const QString &name : names)
        nameColumn.push_back(name.toStdU16String());
    for (const QString &code : codes)
        codeColumn.push_back(code.toStdU16String());
    const quiz::Catalogue catalogue(nameColumn, codeColumn);

    const auto game = newGame(catalogue);
    verifyStartOfGame(*game, catalogue);
    game->choose(voice);
    if (names.isEmpty()) {
        game->form.List1_Click(0);
        QCOMPARE(game->log(), QString());
        return;
    }
    game->pick(0);
    QCOMPARE(game->log(), firstVerdict + crLf + crLf);
    QVERIFY(game->names().isEmpty());
}

void TestRules::outOfRangeCodesAreAlwaysWrong_data()
{
    QTest::addColumn<QString>("code");
    QTest::addRow("four") << "4";
    QTest::addRow("minus_one") << "-1";
    QTest::addRow("top") << "32767";
    QTest::addRow("bottom") << "-32768";
    QTest::addRow("overflow") << "32768";
    QTest::addRow("huge") << "1e308";
}

void TestRules::outOfRangeCodesAreAlwaysWrong()
{
    QFETCH(QString, code);
    const quiz::Catalogue catalogue({u"Иван Петров"}, {code.toStdU16String()});
    const auto game = newGame(catalogue);
    for (int voice = 0; voice < 4; ++voice) {
        game->choose(voice);
        game->pick(0);
        QVERIFY2(game->log().startsWith(QStringLiteral("Невярно ") + captions[voice]),
                 qPrintable(game->log()));
        game->surface.userPressRestart();
    }
}

void TestRules::listEvents_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("before"); // selection before the operation
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("ownWriteEvents"); // delivered when own writes report

    QTest::addRow("select_changes") << "select 2" << -1 << 2 << 1;
    QTest::addRow("select_same_row") << "select 2" << 2 << 2 << 0;
    QTest::addRow("clear_none_selected") << "select -1" << -1 << -1 << 0;
    QTest::addRow("deselect") << "select -1" << 1 << -1 << 1;
    QTest::addRow("clear_with_selection") << "clear" << 1 << -1 << 1;
    QTest::addRow("clear_without_selection") << "clear" << -1 << -1 << 0;
    QTest::addRow("add_keeps_selection") << "add" << 1 << 1 << 0;
    QTest::addRow("add_without_selection") << "add" << -1 << -1 << 0;
    QTest::addRow("remove_above_selection") << "remove 0" << 2 << 1 << 0;
    QTest::addRow("remove_below_selection") << "remove 2" << 1 << 1 << 0;
    QTest::addRow("remove_selected_next_moves_up") << "remove 1" << 1 << 1 << 1;
    QTest::addRow("remove_selected_last") << "remove 2" << 2 << 1 << 1;
}

void TestRules::listEvents()
{
    QFETCH_GLOBAL(bool, nested);
    QFETCH(QString, operation);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(int, ownWriteEvents);

    quiz::MemoryListBox list("List1(0)");
    for (const char16_t *row : {u"а", u"б", u"в"})
        list.AddItem(row);
    list.SetListIndex(static_cast<std::int16_t>(before));
    int events = 0;
    list.setSelectionListener([&events] { ++events; }, nested);

    const QStringList words = operation.split(u' ');
    if (words[0] == QLatin1String("select"))
        list.SetListIndex(static_cast<std::int16_t>(words[1].toInt()));
    else if (words[0] == QLatin1String("clear"))
        list.Clear();
    else if (words[0] == QLatin1String("add"))
        list.AddItem(u"г");
    else
        list.RemoveItem(static_cast<std::int16_t>(words[1].toInt()));

    QCOMPARE(int(list.ListIndex()), after);
    QCOMPARE(events, nested ? ownWriteEvents : 0);

    // A user's change always reports; choosing what is already chosen does not.
    events = 0;
    const std::int16_t current = list.ListIndex();
    list.userSelect(current);
    QCOMPARE(events, 0);
    if (list.ListCount() > 0) {
        list.userSelect(current == 0 ? 1 : 0);
        QCOMPARE(events, 1);
    }
}

void TestRules::optionEvents()
{
    quiz::MemoryOptionGroup group({u"а", u"б", u"в", u"г"});
    QList<int> clicks;
    group.setClickListener([&](std::int16_t index) {
        QVERIFY(group.button(index).Value()); // reported after the choice took effect
        clicks << index;
    });
    group.userChoose(0);
    group.userChoose(2);
    QCOMPARE(clicks, (QList<int>{0, 2}));
    QCOMPARE(group.button(0).Value(), false);
    QCOMPARE(group.chosen(), 2);

    group.button(0).SetValue(false); // not the chosen one: nothing changes
    QCOMPARE(group.chosen(), 2);
    group.button(2).SetValue(false);
    QCOMPARE(group.chosen(), -1);
    QCOMPARE(clicks.size(), 2);
    QCOMPARE(qs(group.button(1).Caption()), QStringLiteral("б"));
}

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
