// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appearance.h"
#include "catalogue.h"
#include "logbox.h"
#include "performerlist.h"
#include "tembrelawindow.h"
#include "voiceoption.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>
#include <QtTest/qtestaccessible.h>

// Qt 6.4 has no public switch that turns accessibility on without a
// screen reader attached; the platform's own object is turned on instead.
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <memory>

namespace {

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

struct Node
{
    QAccessible::Role role;
    QString name;
    QAccessibleInterface *interface;
};

void collect(QAccessibleInterface *interface, QList<Node> &nodes)
{
    for (int i = 0; i < interface->childCount(); ++i) {
        QAccessibleInterface *child = interface->child(i);
        nodes << Node{child->role(), child->text(QAccessible::Name), child};
        collect(child, nodes);
    }
}

// The test library's own clearing forgets the events without freeing them.
void discardEvents()
{
    qDeleteAll(QTestAccessibility::events());
    QTestAccessibility::clearEvents();
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TembrelaWindow> window;

    QList<Node> tree() const
    {
        QList<Node> nodes;
        collect(QAccessible::queryAccessibleInterface(window.get()), nodes);
        return nodes;
    }

    QList<Node> withRole(QAccessible::Role role) const
    {
        QList<Node> found;
        for (const Node &node : tree())
            if (node.role == role)
                found << node;
        return found;
    }

    // What reached screen readers as news: each showing of a notification.
    QStringList notificationsSent() const
    {
        QStringList sent;
        for (QAccessibleEvent *event : QTestAccessibility::events())
            if (event->type() == QAccessible::ObjectShow
                && event->accessibleInterface()->role() == QAccessible::Notification)
                sent << event->accessibleInterface()->text(QAccessible::Name);
        return sent;
    }

    bool focusSentFrom(QObject *object) const
    {
        for (QAccessibleEvent *event : QTestAccessibility::events())
            if (event->type() == QAccessible::Focus && event->object() == object)
                return true;
        return false;
    }

    void pickFirstRow()
    {
        PerformerList *list = window->performerList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase() { discardEvents(); }

    void controlsHaveBulgarianNames_data();
    void controlsHaveBulgarianNames();
    void listOffersTheGameRows();
    void hiddenListsAreNotInTheTree();
    void optionsReportTheirChosenState();
    void verdictIsAnnounced();
    void choiceAndRestartAreAnnounced();
};

void TestAccessibility::initTestCase()
{
    applyFormAppearance();
    QTestAccessibility::initialize();
    QPlatformAccessibility *platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY2(platform, "this platform has no accessibility");
    platform->setActive(true);
    QVERIFY(QAccessible::isActive());
}

void TestAccessibility::init()
{
    window = std::make_unique<TembrelaWindow>();
    window->raiseLoad();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    discardEvents();
}

void TestAccessibility::cleanup()
{
    window.reset();
    discardEvents();
}

void TestAccessibility::controlsHaveBulgarianNames_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QStringList>("names");

    QTest::addRow("options") << int(QAccessible::RadioButton)
                             << QStringList{"бас", "мецосопран", "сопран", "тенор"};
    QTest::addRow("button") << int(QAccessible::Button) << QStringList{"Изчисти"};
    QTest::addRow("list") << int(QAccessible::List) << QStringList{"Име на изпълнител"};
    QTest::addRow("log") << int(QAccessible::EditableText) << QStringList{"Условие и отговори"};
    QTest::addRow("labels") << int(QAccessible::StaticText)
                            << QStringList{"Тембрела", "Име на изпълнител"};
    QTest::addRow("frame") << int(QAccessible::Grouping) << QStringList{"Вид певчески глас"};
}

void TestAccessibility::controlsHaveBulgarianNames()
{
    QFETCH(int, role);
    QFETCH(QStringList, names);
    QStringList found;
    for (const Node &node : withRole(QAccessible::Role(role)))
        found << node.name;
    QCOMPARE(found, names);

    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window.get());
    QCOMPARE(root->text(QAccessible::Name), QStringLiteral("Тесирона"));
}

void TestAccessibility::listOffersTheGameRows()
{
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(window->performerList());
    QStringList rows;
    for (int i = 0; i < list->childCount(); ++i) {
        QCOMPARE(list->child(i)->role(), QAccessible::ListItem);
        rows << list->child(i)->text(QAccessible::Name);
    }
    QStringList catalogue;
    for (const std::u16string &name : quiz::standardCatalogue().names())
        catalogue << qs(name);
    QCOMPARE(rows, catalogue);

    QAccessibleInterface *log = QAccessible::queryAccessibleInterface(window->logBox());
    QVERIFY(log->state().readOnly);
    QVERIFY(log->textInterface()->text(0, 20).startsWith(QStringLiteral("Да се реализира")));

    pickFirstRow(); // no voice yet: deselected, still 22 rows
    QCOMPARE(list->childCount(), 22);
}

void TestAccessibility::hiddenListsAreNotInTheTree()
{
    QCOMPARE(withRole(QAccessible::List).size(), 1);
    int items = 0;
    for (const Node &node : tree())
        items += node.role == QAccessible::ListItem;
    QCOMPARE(items, 22); // the game's names only, no codes, no master rows
    for (const Node &node : tree())
        QVERIFY2(node.name != QLatin1String("3") && node.name != QLatin1String("0"),
                 qPrintable(node.name));
}

void TestAccessibility::optionsReportTheirChosenState()
{
    const auto checked = [this] {
        QList<bool> states;
        for (const Node &node : withRole(QAccessible::RadioButton))
            states << bool(node.interface->state().checked);
        return states;
    };
    QCOMPARE(checked(), (QList<bool>{false, false, false, false}));
    QTest::mouseClick(window->voiceOption(2), Qt::LeftButton);
    QCOMPARE(checked(), (QList<bool>{false, false, true, false}));
    pickFirstRow();
    QCOMPARE(checked(), (QList<bool>{false, false, false, false}));
}

void TestAccessibility::verdictIsAnnounced()
{
    PerformerList *list = window->performerList();
    QTest::mouseClick(window->voiceOption(3), Qt::LeftButton);
    discardEvents();
    pickFirstRow();
    QCOMPARE(QApplication::focusWidget(), list);

    // Once, with the new verdict only: never the line before it.
    QCOMPARE(notificationsSent(), QStringList{"Вярно тенор: Алфредо Краус"});
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Анна Нетребко"));

    bool logChangeSent = false;
    for (QAccessibleEvent *event : QTestAccessibility::events())
        if (event->object() == window->logBox() && event->type() == QAccessible::TextInserted)
            logChangeSent |=
                static_cast<QAccessibleTextInsertEvent *>(event)->textInserted().startsWith(
                    QStringLiteral("Вярно тенор: Алфредо Краус"));
    QVERIFY(logChangeSent);

    QTest::keyClick(list, Qt::Key_1);
    discardEvents();
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(notificationsSent(), QStringList{"Невярно бас: Анна Нетребко"});
}

void TestAccessibility::choiceAndRestartAreAnnounced()
{
    PerformerList *list = window->performerList();
    list->setFocus();
    discardEvents();
    QTest::keyClick(list, Qt::Key_3);
    QCOMPARE(notificationsSent(), QStringList{"Избран глас: сопран"});
    QTest::keyClick(list, Qt::Key_End);

    // A focused option speaks for itself: no news is added to it.
    window->voiceOption(0)->setFocus();
    discardEvents();
    QTest::keyClick(window->voiceOption(0), Qt::Key_Space);
    QVERIFY(window->voiceOption(0)->isChecked());
    QCOMPARE(notificationsSent(), QStringList());

    QPushButton *restart = window->restartButton();
    restart->setFocus();
    discardEvents();
    QTest::keyClick(restart, Qt::Key_Space);
    QCOMPARE(notificationsSent(), QStringList{"Нов избор"});
    // The refilled list has its cursor on the first row again, and does
    // not claim the focus that the button keeps.
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(!focusSentFrom(list));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
