// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QProcess>
#include <QTest>

class TestRunTimeError : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wrongCallStopsWithMessage_data();
    void wrongCallStopsWithMessage();
};

void TestRunTimeError::wrongCallStopsWithMessage_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("message");

    QTest::addRow("reported") << "reported"
                              << "invalid row 0 for List1(1).List (the list has 0 rows)";
    QTest::addRow("remove_missing_row")
        << "remove"
        << "invalid row 5 for List1(0).RemoveItem (the list has 0 rows)";
    QTest::addRow("select_past_end")
        << "select"
        << "invalid row 22 for List1(2).ListIndex (the list has 22 rows)";
    QTest::addRow("read_negative_row") << "read"
                                       << "invalid row -2 for List1(3).List (the list has 22 rows)";
    QTest::addRow("no_such_list") << "list"
                                  << "control array element List1(4) does not exist";
    QTest::addRow("no_such_option") << "option"
                                    << "control array element Option1(-1) does not exist";
    QTest::addRow("no_such_text") << "text"
                                  << "control array element Text1(1) does not exist";
    QTest::addRow("window_remove_missing_row")
        << "window_remove"
        << "invalid row 22 for List1(0).RemoveItem (the list has 0 rows)";
    QTest::addRow("window_select_past_end")
        << "window_select"
        << "invalid row 22 for List1(0).ListIndex (the list has 22 rows)";
    QTest::addRow("window_no_such_list") << "window_list"
                                         << "control array element List1(5) does not exist";
    QTest::addRow("window_no_such_option") << "window_option"
                                           << "control array element Option1(4) does not exist";
    QTest::addRow("window_no_such_text") << "window_text"
                                         << "control array element Text1(-1) does not exist";
}

void TestRunTimeError::wrongCallStopsWithMessage()
{
    QFETCH(QString, call);
    QFETCH(QString, message);

    QProcess probe;
    probe.start(QStringLiteral(WRONGCALL_PROBE), {call});
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QVERIFY(probe.exitCode() != 0);
    // A reporter, where one is set, hears the same message. Windows' C
    // library ends the lines of both streams with CR LF.
    QByteArray output = probe.readAllStandardOutput();
    output.replace("\r\n", "\n");
    QCOMPARE(output, call == QLatin1String("reported") ? ("reported: " + message + '\n').toUtf8()
                                                       : QByteArray());
    QString errors = QString::fromUtf8(probe.readAllStandardError());
    errors.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The toolkit may say things of its own first; the error is the last word.
    const QString line = QStringLiteral("Tembrela: run-time error: ") + message + u'\n';
    QVERIFY2(errors.endsWith(line), qPrintable(errors));
    QCOMPARE(errors.count(QStringLiteral("run-time error")), 1);
}

QTEST_GUILESS_MAIN(TestRunTimeError)
#include "tst_runtimeerror.moc"
