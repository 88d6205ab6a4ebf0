// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appearance.h"
#include "catalogue.h"
#include "logbox.h"
#include "performerlist.h"
#include "statement.h"
#include "tembrelawindow.h"
#include "voiceframe.h"
#include "voiceoption.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList catalogueNames()
{
    QStringList names;
    for (const std::u16string &name : quiz::standardCatalogue().names())
        names << qs(name);
    return names;
}

int catalogueCode(const QString &name)
{
    const auto &names = quiz::standardCatalogue().names();
    for (std::size_t row = 0; row < names.size(); ++row)
        if (qs(names[row]) == name)
            return quiz::standardCatalogue().codes()[row][0] - u'0';
    return -1;
}

const QString crLf = QStringLiteral("\r\n");
const QStringList captions{QStringLiteral("бас"), QStringLiteral("мецосопран"),
                           QStringLiteral("сопран"), QStringLiteral("тенор")};

QString verdict(bool right, int voice, const QString &name)
{
    return (right ? QStringLiteral("Вярно ") : QStringLiteral("Невярно ")) + captions[voice]
           + QStringLiteral(": ") + name + crLf;
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TembrelaWindow> window;

    QString log() const { return qs(window->logBox()->Text()); }
    PerformerList *list() const { return window->performerList(); }

    QStringList shownNames() const
    {
        QStringList names;
        for (int row = 0; row < list()->count(); ++row)
            names << list()->item(row)->text();
        return names;
    }

    int chosenOption() const
    {
        int chosen = -1;
        for (int k = 0; k < 4; ++k) {
            if (window->voiceOption(k)->isChecked()) {
                if (chosen != -1)
                    return -2; // two at once: never right
                chosen = k;
            }
        }
        return chosen;
    }

    void clickOption(int voice, int xFromRight)
    {
        VoiceOption *option = window->voiceOption(voice);
        QTest::mouseClick(option, Qt::LeftButton, {},
                          QPoint(option->width() - xFromRight, option->height() / 2));
    }

    void clickRow(int row)
    {
        const QRect rect = list()->visualItemRect(list()->item(row));
        QVERIFY2(list()->viewport()->rect().contains(rect.center()),
                 qPrintable(QStringLiteral("row %1 at %2, scrolled to %3")
                                .arg(row)
                                .arg(rect.top())
                                .arg(list()->verticalScrollBar()->value())));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, key, modifiers);
    }

    // Letters with no key code of their own, as a keyboard layout sends them.
    void typeText(const QString &text)
    {
        for (QChar letter : text)
            QTest::sendKeyEvent(QTest::Click, list(), Qt::Key_unknown, QString(letter), {});
    }

    int visibleRows() const
    {
        return list()->viewport()->height() / list()->visualItemRect(list()->item(0)).height();
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startState();
    void fontIsTheFormFont();
    void wholeGameByMouse();
    void keyboardOnlyGame();
    void typingMovesTheCursorOnly();
    void keysOnlyMoveTheCursorWithAVoiceChosen();
    void arrowsStepRoundTheVoices_data();
    void arrowsStepRoundTheVoices();
    void numberKeysChooseFromAnywhere();
    void restartInMidGame();
    void removalSelectsNextRowAndIsAbsorbed();
    void valueFalseIsSilent();
    void onlyTheMainButtonPicks_data();
    void onlyTheMainButtonPicks();
    void logTextCanBeCopied();
    void logShowsEachWrite_data();
    void logShowsEachWrite();
};

void TestWindow::initTestCase()
{
    applyFormAppearance();
}

void TestWindow::init()
{
    window = std::make_unique<TembrelaWindow>();
    window->raiseLoad();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestWindow::cleanup()
{
    window.reset();
}

void TestWindow::startState()
{
    const QString statement = qs(quiz::exerciseStatement(quiz::standardCatalogue()));
    QCOMPARE(log(), statement);
    QCOMPARE(window->logBox()->toPlainText(), QString(statement).replace(crLf, "\n"));
    QVERIFY(window->logBox()->verticalScrollBar()->isVisible());
    QVERIFY(window->logBox()->verticalScrollBar()->maximum() > 0);
    QCOMPARE(window->logBox()->verticalScrollBar()->value(), 0);

    QCOMPARE(shownNames(), catalogueNames());
    QCOMPARE(list()->verticalScrollBar()->value(), 0);
    QCOMPARE(list()->selectedItems().size(), 0);
    QCOMPARE(chosenOption(), -1);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(window->voiceOption(k)->text(), captions[k]);
    QCOMPARE(QApplication::focusWidget(), window->logBox());

    QCOMPARE(window->windowTitle(), QStringLiteral("https://www.example.org Тесирона"));
    QCOMPARE(window->titleLabel()->text(), QStringLiteral("Тембрела"));
    QCOMPARE(window->performerHeading()->text(), QStringLiteral("Име на изпълнител"));
    QCOMPARE(window->voiceFrame()->title(), QStringLiteral("Вид певчески глас"));
    QCOMPARE(window->restartButton()->text(), QStringLiteral("Изчисти"));

    // The icon is built from raw pixels: a wrong channel order shows here.
    const QIcon icon = window->windowIcon();
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
    const QImage iconImage = icon.pixmap(32, 32).toImage();
    QCOMPARE(iconImage.pixelColor(0, 0).alpha(), 0); // the rounded corner
    QCOMPARE(iconImage.pixelColor(5, 16).name(QColor::HexArgb), QStringLiteral("#ffffcc99"));
    QCOMPARE(iconImage.pixelColor(10, 23).name(QColor::HexArgb), QStringLiteral("#ff333366"));

    // The hidden lists are no widgets, so no key or screen reader finds them.
    QCOMPARE(window->findChildren<QListWidget *>().size(), 1);
}

void TestWindow::fontIsTheFormFont()
{
    const QList<QWidget *> controls{window->titleLabel(),       window->voiceFrame(),
                                    window->voiceOption(0),     window->voiceOption(3),
                                    window->performerHeading(), list(),
                                    window->restartButton(),    window->logBox()};
    for (QWidget *control : controls) {
        // Times New Roman is asked for wherever it is installed.
        QCOMPARE(control->font().family(), QFontDatabase::hasFamily("Times New Roman")
                                               ? QStringLiteral("Times New Roman")
                                               : QStringLiteral("Liberation Serif"));
        const QFontInfo font(control->font());
        QVERIFY2(font.family() == QLatin1String("Times New Roman")
                     || font.family() == QLatin1String("Liberation Serif"),
                 qPrintable(font.family()));
        QCOMPARE(font.pointSize(), 12);
        QVERIFY(!font.bold() && !font.italic() && !font.underline() && !font.strikeOut());
        QVERIFY(QFontMetrics(control->font()).inFont(u'Ж'));
    }
}

void TestWindow::wholeGameByMouse()
{
    QString expected;
    int answers = 0;
    for (int pick = 0; pick < 22; ++pick) {
        const int voice = (pick * 3) % 4;
        clickOption(voice, pick % 2 == 0 ? 3 : 110); // the blank end, or the caption
        QCOMPARE(chosenOption(), voice);
        if (pick == 0)
            QCOMPARE(log(), QString());

        const int row = pick % qMin(visibleRows(), list()->count());
        const QString name = shownNames().at(row);
        clickRow(row);
        ++answers;
        expected.prepend(verdict(catalogueCode(name) == voice, voice, name));
        QCOMPARE(log(), expected + crLf.repeated(answers));
        QVERIFY(!shownNames().contains(name));
        QCOMPARE(chosenOption(), -1);
        QCOMPARE(list()->selectedItems().size(), 0);
        QCOMPARE(window->logBox()->verticalScrollBar()->value(), 0);
        QCOMPARE(window->logBox()->toPlainText().section(u'\n', 0, 0),
                 expected.section(crLf, 0, 0));
        QCOMPARE(window->logBox()->toPlainText(), QString(log()).replace(crLf, "\n"));
    }
    QCOMPARE(list()->count(), 0);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, 20)); // empty list
    QCOMPARE(log(), expected + crLf.repeated(22));
}

void TestWindow::keyboardOnlyGame()
{
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list());

    press(Qt::Key_Down); // the cursor lands on a row; nobody is picked
    press(Qt::Key_Down);
    const int cursor = list()->currentRow();
    QVERIFY(cursor >= 0);
    QCOMPARE(list()->selectedItems().size(), 0);
    press(Qt::Key_Space); // no voice yet: deselected, the statement stays
    QCOMPARE(list()->selectedItems().size(), 0);
    QCOMPARE(log(), qs(quiz::exerciseStatement(quiz::standardCatalogue())));

    press(Qt::Key_4);
    QCOMPARE(chosenOption(), 3);
    QCOMPARE(log(), QString());
    QCOMPARE(QApplication::focusWidget(), list());
    QString name = shownNames().at(cursor);
    press(Qt::Key_Space);
    QString expected = verdict(catalogueCode(name) == 3, 3, name);
    QCOMPARE(log(), expected + crLf);
    QCOMPARE(list()->currentRow(), cursor); // now on the next performer

    press(Qt::Key_End);
    press(Qt::Key_1);
    name = shownNames().last();
    press(Qt::Key_Return);
    expected.prepend(verdict(catalogueCode(name) == 0, 0, name));
    QCOMPARE(log(), expected + crLf.repeated(2));

    press(Qt::Key_Home);
    press(Qt::Key_PageDown);
    QVERIFY(list()->currentRow() > 0);
    press(Qt::Key_PageUp);
    QCOMPARE(list()->currentRow(), 0);
    press(Qt::Key_3);
    name = shownNames().first();
    press(Qt::Key_Enter, Qt::KeypadModifier);
    expected.prepend(verdict(catalogueCode(name) == 2, 2, name));
    QCOMPARE(log(), expected + crLf.repeated(3));
    QCOMPARE(list()->count(), 19);

    // Into the option group: arrows move and choose, each reported as a click.
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->restartButton());
    press(Qt::Key_Tab);
    QVERIFY(qobject_cast<VoiceOption *>(QApplication::focusWidget()));
    press(Qt::Key_Space);
    const int first = chosenOption();
    QVERIFY(first >= 0);
    press(Qt::Key_Down);
    QCOMPARE(chosenOption(), first + 1);
    QCOMPARE(window->form().chosenVoice(), first + 1);
    QCOMPARE(log(), expected + crLf.repeated(3));

    // Back to the button by Shift+Tab; Space restarts.
    QWidget *focus = QApplication::focusWidget();
    while (QApplication::focusWidget() != window->restartButton()) {
        press(Qt::Key_Backtab);
        QVERIFY(QApplication::focusWidget() != focus);
    }
    press(Qt::Key_Space);
    QCOMPARE(log(), QStringLiteral("Нов избор"));
    QCOMPARE(shownNames(), catalogueNames());
    QCOMPARE(chosenOption(), -1);
}

void TestWindow::typingMovesTheCursorOnly()
{
    list()->setFocus(Qt::TabFocusReason);
    press(Qt::Key_2);
    QCOMPARE(chosenOption(), 1);
    typeText(QStringLiteral("Фь"));
    QCOMPARE(list()->currentItem()->text(), QStringLiteral("Фьодор Шаляпин"));
    QCOMPARE(list()->selectedItems().size(), 0);
    QCOMPARE(log(), QString());
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    typeText(QStringLiteral("М"));
    QCOMPARE(list()->currentItem()->text(), QStringLiteral("Мария Калас"));
    // The view has scrolled to the cursor, which is drawn.
    QVERIFY(list()->viewport()->rect().contains(list()->visualItemRect(list()->currentItem())));
    press(Qt::Key_Space);
    QCOMPARE(log(), verdict(false, 1, "Мария Калас") + crLf);
}

void TestWindow::keysOnlyMoveTheCursorWithAVoiceChosen()
{
    list()->setFocus(Qt::TabFocusReason);
    press(Qt::Key_2);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_End, Qt::Key_Up, Qt::Key_Home,
                        Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Right}) {
        press(key);
        QCOMPARE(log(), QString());
        QCOMPARE(window->form().voiceChosen(), true);
        QCOMPARE(list()->count(), 22);
        QCOMPARE(list()->selectedItems().size(), 0);
    }
}

void TestWindow::arrowsStepRoundTheVoices_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("chosen"); // whether the focused option is chosen
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");

    QTest::addRow("down_from_chosen") << 0 << true << int(Qt::Key_Down) << 1;
    QTest::addRow("down_after_an_answer") << 1 << false << int(Qt::Key_Down) << 2;
    QTest::addRow("right_is_down") << 2 << false << int(Qt::Key_Right) << 3;
    QTest::addRow("down_wraps_round") << 3 << true << int(Qt::Key_Down) << 0;
    QTest::addRow("up_wraps_round") << 0 << false << int(Qt::Key_Up) << 3;
    QTest::addRow("left_is_up") << 2 << true << int(Qt::Key_Left) << 1;
}

void TestWindow::arrowsStepRoundTheVoices()
{
    QFETCH(int, from);
    QFETCH(bool, chosen);
    QFETCH(int, key);
    QFETCH(int, to);

    VoiceOption *start = window->voiceOption(from);
    start->setFocus(Qt::TabFocusReason);
    if (chosen)
        press(Qt::Key_Space);
    QCOMPARE(chosenOption(), chosen ? from : -1);
    QSignalSpy clicks(window->voiceOption(to), &QAbstractButton::clicked);
    press(Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), window->voiceOption(to));
    QCOMPARE(chosenOption(), to);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(window->form().chosenVoice(), to);
}

void TestWindow::numberKeysChooseFromAnywhere()
{
    QSignalSpy clicks(window->voiceOption(2), &QAbstractButton::clicked);
    QCOMPARE(QApplication::focusWidget(), window->logBox());
    press(Qt::Key_3);
    QCOMPARE(chosenOption(), 2);
    QCOMPARE(clicks.size(), 1);
    window->restartButton()->setFocus();
    press(Qt::Key_1);
    QCOMPARE(chosenOption(), 0);
    press(Qt::Key_5); // no fifth voice
    QCOMPARE(chosenOption(), 0);
    QCOMPARE(window->form().chosenVoice(), 0);
}

void TestWindow::restartInMidGame()
{
    clickOption(0, 5);
    clickRow(3);
    clickOption(1, 5);
    // Scroll the list away from its first row, as a learner would.
    list()->setFocus();
    press(Qt::Key_End);
    QVERIFY(list()->verticalScrollBar()->value() > 0);

    QTest::mouseClick(window->restartButton(), Qt::LeftButton);
    QCOMPARE(log(), QStringLiteral("Нов избор"));
    QCOMPARE(window->logBox()->toPlainText(), QStringLiteral("Нов избор"));
    QCOMPARE(shownNames(), catalogueNames());
    QCOMPARE(list()->verticalScrollBar()->value(), 0);
    QCOMPARE(chosenOption(), -1);
    QCOMPARE(window->form().voiceChosen(), false);

    clickRow(0); // no voice: deselected, the note stays
    QCOMPARE(log(), QStringLiteral("Нов избор"));
    clickOption(3, 5);
    QCOMPARE(log(), QString());
    clickRow(0);
    QCOMPARE(log(), verdict(true, 3, "Алфредо Краус") + crLf);
}

void TestWindow::removalSelectsNextRowAndIsAbsorbed()
{
    QSignalSpy selections(list(), &QListWidget::itemSelectionChanged);
    clickOption(2, 5);
    clickRow(1);
    // The click, then the picked row's leaving while still selected: the
    // second change reaches the rules inside RemoveItem and ends there.
    QCOMPARE(selections.size(), 2);
    QCOMPARE(list()->count(), 21);
    QCOMPARE(list()->selectedItems().size(), 0);
    QCOMPARE(log(), verdict(true, 2, "Анна Нетребко") + crLf);
    QCOMPARE(shownNames().at(1), QStringLiteral("Бениамино Джили"));
    QCOMPARE(list()->currentRow(), 1);
}

void TestWindow::onlyTheMainButtonPicks_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("picks");
    QTest::addRow("left") << int(Qt::LeftButton) << true;
    QTest::addRow("right") << int(Qt::RightButton) << false;
    QTest::addRow("middle") << int(Qt::MiddleButton) << false;
}

void TestWindow::onlyTheMainButtonPicks()
{
    QFETCH(int, button);
    QFETCH(bool, picks);
    clickOption(3, 5);
    const QRect row = list()->visualItemRect(list()->item(0));
    QTest::mouseClick(list()->viewport(), Qt::MouseButton(button), {}, row.center());
    QCOMPARE(list()->count(), picks ? 21 : 22);
    QCOMPARE(log(), picks ? verdict(true, 3, "Алфредо Краус") + crLf : QString());
    QCOMPARE(list()->selectedItems().size(), 0);
}

void TestWindow::valueFalseIsSilent()
{
    QList<QSignalSpy *> spies;
    for (int k = 0; k < 4; ++k)
        spies << new QSignalSpy(window->voiceOption(k), &QAbstractButton::clicked);
    clickOption(2, 5);
    QCOMPARE(spies[2]->size(), 1);

    window->Option1(2).SetValue(false);
    QCOMPARE(chosenOption(), -1);
    QCOMPARE(window->Option1(2).Value(), false);
    for (QSignalSpy *spy : spies)
        QCOMPARE(spy->size(), spy == spies[2] ? 1 : 0);
    QCOMPARE(window->form().voiceChosen(), true); // no event reached the rules

    // Still one group: choosing two in turn leaves only the second.
    clickOption(1, 5);
    clickOption(3, 5);
    QCOMPARE(chosenOption(), 3);
    qDeleteAll(spies);
}

void TestWindow::logTextCanBeCopied()
{
    QCOMPARE(QApplication::focusWidget(), window->logBox());
    press(Qt::Key_A, Qt::ControlModifier);
    QVERIFY(window->logBox()->textCursor().hasSelection());
    QCOMPARE(window->logBox()->textCursor().selectionStart(), 0);
    press(Qt::Key_X); // read-only: typing changes nothing
    QCOMPARE(log(), qs(quiz::exerciseStatement(quiz::standardCatalogue())));
    QCOMPARE(window->logBox()->toPlainText(), QString(log()).replace(crLf, "\n"));
}

void TestWindow::logShowsEachWrite_data()
{
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("shown");

    // The box hands the widget only what changed; each write must still
    // show exactly the text written, CR LF as one line break.
    QTest::addRow("answer") << QStringList{"", "\r\n", "V1\r\n\r\n"} << "V1\n\n";
    QTest::addRow("two_answers") << QStringList{"", "\r\n", "V1\r\n\r\n", "V1\r\n\r\n\r\n",
                                                "V2\r\nV1\r\n\r\n\r\n"}
                                 << "V2\nV1\n\n\n";
    QTest::addRow("cr_then_lf_at_end") << QStringList{"a\r", "a\r\n"} << "a\n";
    QTest::addRow("cr_at_top_then_lf") << QStringList{"\nb", "a\r\nb"} << "a\nb";
    QTest::addRow("shorter") << QStringList{"abc\r\ndef", "def"} << "def";
    QTest::addRow("same_again") << QStringList{"abc", "abc"} << "abc";
    QTest::addRow("emptied") << QStringList{"abc", ""} << "";
    QTest::addRow("replaced") << QStringList{"abc", "xyz\r\n"} << "xyz\n";
}

void TestWindow::logShowsEachWrite()
{
    QFETCH(QStringList, writes);
    QFETCH(QString, shown);
    LogBox *box = window->logBox();
    for (const QString &text : writes) {
        box->SetText(text.toStdU16String());
        QCOMPARE(qs(box->Text()), text);
    }
    QCOMPARE(box->toPlainText(), shown);
    QCOMPARE(box->document()->blockCount(), int(shown.count(u'\n')) + 1);
    QCOMPARE(box->verticalScrollBar()->value(), 0);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
