// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "formtexts.h"
#include "statement.h"
#include "voicecode.h"

#include <QStringList>
#include <QTest>

#include <stdexcept>

namespace {

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hasTwentyTwoPairedRows();
    void voiceCodesFollowTheTable();
    void namesAreCyrillicAndAscending();
    void onlyRowsNineAndTenEndInABlank();
    void voiceCaptionsAreAlphabetical();
    void refusesBadColumns_data();
    void refusesBadColumns();
    void acceptsEdgeSizes_data();
    void acceptsEdgeSizes();
    void statementHasNineCrLfLines();
    void statementWordsItsLines_data();
    void statementWordsItsLines();
    void statementListsTheCatalogue();
};

void TestCatalogue::hasTwentyTwoPairedRows()
{
    const quiz::Catalogue &catalogue = quiz::standardCatalogue();
    QCOMPARE(catalogue.rowCount(), 22);
    QCOMPARE(catalogue.names().size(), catalogue.codes().size());
}

void TestCatalogue::voiceCodesFollowTheTable()
{
    // Row for row: 3 tenor, 2 soprano, 0 bass, 1 mezzo-soprano.
    const QString expected = QStringLiteral("3230231133322200323031");
    QString codes;
    for (const std::u16string &code : quiz::standardCatalogue().codes()) {
        QCOMPARE(code.size(), 1u);
        const std::optional<quiz::VoiceKind> kind = quiz::voiceKindFromCode(code);
        QVERIFY(kind.has_value());
        codes += QString::number(*kind);
    }
    QCOMPARE(codes, expected);
}

void TestCatalogue::namesAreCyrillicAndAscending()
{
    const std::vector<std::u16string> &names = quiz::standardCatalogue().names();
    for (std::size_t row = 0; row < names.size(); ++row) {
        const std::u16string &name = names[row];
        QVERIFY2(name.find(u' ') != std::u16string::npos, "given name and surname");
        for (char16_t c : name) {
            const bool cyrillic = c >= u'\u0410' && c <= u'\u044F';
            QVERIFY2(cyrillic || c == u' ' || c == u'-', qPrintable(qs(name)));
        }
        QVERIFY2(name.front() != u' ' && name.find(u"  ") == std::u16string::npos,
                 qPrintable(qs(name)));
        if (row > 0)
            QVERIFY2(names[row - 1] < name, qPrintable(qs(name))); // strict: unique too
    }
}

void TestCatalogue::onlyRowsNineAndTenEndInABlank()
{
    const std::vector<std::u16string> &names = quiz::standardCatalogue().names();
    for (std::size_t row = 0; row < names.size(); ++row) {
        const bool blankRow = row == 8 || row == 9; // rows 9 and 10, counted from 1
        const std::u16string &name = names[row];
        QCOMPARE(name.back() == u' ', blankRow);
        if (blankRow)
            QVERIFY(name[name.size() - 2] != u' ');
    }
}

void TestCatalogue::voiceCaptionsAreAlphabetical()
{
    QCOMPARE(qs(quiz::VoiceCaptions[0]), QStringLiteral("бас"));
    QCOMPARE(qs(quiz::VoiceCaptions[3]), QStringLiteral("тенор"));
    for (std::size_t k = 1; k < quiz::VoiceCaptions.size(); ++k)
        QVERIFY(quiz::VoiceCaptions[k - 1] < quiz::VoiceCaptions[k]);
}

void TestCatalogue::refusesBadColumns_data()
{
    QTest::addColumn<int>("names");
    QTest::addColumn<int>("codes");
    QTest::addColumn<bool>("asRows");
    QTest::addColumn<bool>("tooLong");
    QTest::addColumn<QString>("message");

    QTest::addRow("more_names") << 3 << 2 << false << false << "3 names but 2 voice codes";
    QTest::addRow("more_codes") << 0 << 1 << false << false << "0 names but 1 voice codes";
    QTest::addRow("one_row_too_many")
        << 32768 << 32768 << false << true << "32768 rows, more than the 32767";
    QTest::addRow("far_too_many") << 70000 << 70000 << false << true
                                  << "70000 rows, more than the 32767 a 16-bit row number";
    // Both faults at once: the pairing is named, since no row count is right.
    QTest::addRow("unequal_and_too_long")
        << 32768 << 40000 << false << false << "32768 names but 40000 voice codes";
    QTest::addRow("rows_one_too_many")
        << 32768 << 32768 << true << true << "32768 rows, more than the 32767";
}

void TestCatalogue::refusesBadColumns()
{
    QFETCH(int, names);
    QFETCH(int, codes);
    QFETCH(bool, asRows);
    QFETCH(bool, tooLong);
    QFETCH(QString, message);
    try {
        if (asRows) {
            const quiz::Catalogue catalogue(
                std::vector<quiz::PerformerRow>(names, quiz::PerformerRow{u"Име", u"0"}));
        } else {
            const quiz::Catalogue catalogue(std::vector<std::u16string>(names, u"Име"),
                                            std::vector<std::u16string>(codes, u"0"));
        }
        QFAIL("the catalogue was accepted");
    } catch (const std::length_error &error) {
        QVERIFY2(tooLong, error.what());
        QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
    } catch (const std::invalid_argument &error) {
        QVERIFY2(!tooLong, error.what());
        QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
    }
}

void TestCatalogue::acceptsEdgeSizes_data()
{
    QTest::addColumn<int>("rows");
    QTest::addRow("empty") << 0;
    QTest::addRow("one_row") << 1;
    QTest::addRow("largest") << 32767;
}

void TestCatalogue::acceptsEdgeSizes()
{
    QFETCH(int, rows);
    const quiz::Catalogue catalogue(std::vector<std::u16string>(rows, u"Име"),
                                    std::vector<std::u16string>(rows, u"1"));
    QCOMPARE(int(catalogue.rowCount()), rows);
}

void TestCatalogue::statementHasNineCrLfLines()
{
    const QString statement = qs(quiz::exerciseStatement(quiz::standardCatalogue()));
    QVERIFY(statement.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = statement.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 10); // nine lines and the empty rest after the last CR LF
    QVERIFY(lines.last().isEmpty());
    for (const QString &line : lines)
        QVERIFY(!line.contains(u'\r') && !line.contains(u'\n'));
}

void TestCatalogue::statementWordsItsLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    QTest::addRow("task")
        << 0 << "Да се реализира проект, представящ междупредметни връзки Музика и Информатика.";
    QTest::addRow("theme") << 1 << "Тема на проекта: Тембрела.";
    QTest::addRow("contents") << 2 << "Проектът да съдържа:";
    QTest::addRow("options") << 3
                             << "група от радиобутони - представящи видове певчески глас "
                                "(бас, мецосопран, сопран, тенор), азбучно подредени;";
    QTest::addRow("list") << 4 << "списък с имена на оперни изпълнители, също азбучно подредени.";
    QTest::addRow("rules") << 5
                           << "Броят обекти в двете групи не е непременно равен, но въведените "
                              "имена са уникални. Потребителят трябва да посочи по един обект "
                              "от двете групи в указаната последователност. Всяко посочване от "
                              "списъчното поле води до изтриване на реда с посоченото "
                              "произведение и съобщение дали релацията между двата обекта е "
                              "вярна или не.";
    QTest::addRow("button")
        << 7 << "Командният бутон \"Изчисти\" дава възможност за начална инициализация.";
    QTest::addRow("reading") << 8
                             << "Прочете допълнително материал за видове певчески глас и имената "
                                "на известни оперни изпълнители.";
}

void TestCatalogue::statementWordsItsLines()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    const QStringList lines =
        qs(quiz::exerciseStatement(quiz::standardCatalogue())).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[line], text);
}

void TestCatalogue::statementListsTheCatalogue()
{
    const quiz::Catalogue catalogue({u"Име Едно ", u"Име Две"}, {u"0", u"1"});
    const QStringList lines = qs(quiz::exerciseStatement(catalogue)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[6], QStringLiteral("В проекта са въведени имената на следните оперни "
                                      "изпълнители: Име Едно, Име Две."));

    const QStringList standard =
        qs(quiz::exerciseStatement(quiz::standardCatalogue())).split(QStringLiteral("\r\n"));
    QCOMPARE(standard.size(), 10);
    QVERIFY(standard[6].contains(QStringLiteral(": Алфредо Краус, Анна Нетребко, ")));
    QVERIFY(standard[6].contains(QStringLiteral(", Енрико Карузо, Камен Чанев, ")));
    QVERIFY(standard[6].endsWith(QStringLiteral(", Чечилия Бартоли.")));
    QCOMPARE(standard[6].count(QStringLiteral(", ")), 21);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
