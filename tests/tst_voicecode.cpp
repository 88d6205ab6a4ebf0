// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "voicecode.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <cstdint>
#include <limits>

using quiz::Val;

Q_DECLARE_METATYPE(std::optional<std::int16_t>)

class TestVoiceCode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsNumbers_data();
    void readsNumbers();
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void readsCodes_data();
    void readsCodes();
};

void TestVoiceCode::readsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::addRow("empty") << "" << 0.0;
    QTest::addRow("blank_only") << "   " << 0.0;
    QTest::addRow("letters") << "бас" << 0.0;
    QTest::addRow("latin_letters") << "abc" << 0.0;
    QTest::addRow("digit") << "3" << 3.0;
    QTest::addRow("digit_then_letters") << "2abc" << 2.0;
    QTest::addRow("leading_zeros") << "0003" << 3.0;
    QTest::addRow("blanks_inside") << " 1 2\t3\n4" << 1234.0;
    QTest::addRow("carriage_return_stops") << "1\r2" << 1.0;
    QTest::addRow("plus") << "+2" << 2.0;
    QTest::addRow("minus") << "-2" << -2.0;
    QTest::addRow("sign_then_blank") << "- 2" << -2.0;
    QTest::addRow("sign_only") << "-" << 0.0;
    QTest::addRow("two_signs") << "--2" << 0.0;
    QTest::addRow("comma_stops") << "1,5" << 1.0;
    QTest::addRow("fraction") << "1.25" << 1.25;
    QTest::addRow("leading_point") << ".5" << 0.5;
    QTest::addRow("point_only") << "." << 0.0;
    QTest::addRow("second_point_stops") << "1.2.3" << 1.2;
    QTest::addRow("exponent") << "2e3" << 2000.0;
    QTest::addRow("exponent_d") << "2D2" << 200.0;
    QTest::addRow("negative_exponent") << "25e-1" << 2.5;
    QTest::addRow("exponent_without_digits") << "7e" << 7.0;
    QTest::addRow("exponent_sign_without_digits") << "7e+" << 7.0;
    QTest::addRow("small_fraction") << "0.000125" << 0.000125;
    QTest::addRow("fullwidth_digit") << "３" << 0.0;
    QTest::addRow("underflow") << "1e-999999" << 0.0;
    // Correctly rounded by every C library the quiz is built with.
    QTest::addRow("tenth") << "0.1" << 0.1;
    QTest::addRow("halfway_to_even") << "9007199254740993" << 9007199254740992.0;
    QTest::addRow("largest") << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::addRow("overflow") << "1.8e308" << std::numeric_limits<double>::infinity();
    QTest::addRow("smallest_subnormal")
        << "4.9406564584124654e-324" << std::numeric_limits<double>::denorm_min();
    QTest::addRow("long_zero_fraction") << "0." + QString(400, '0') + "1" << 0.0;
}

void TestVoiceCode::readsNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text.toStdU16String()), value);
}

void TestVoiceCode::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<std::optional<std::int16_t>>("rounded");

    const std::optional<std::int16_t> none;
    QTest::addRow("zero") << 0.0 << std::optional<std::int16_t>(0);
    QTest::addRow("below_half") << 2.49 << std::optional<std::int16_t>(2);
    QTest::addRow("above_half") << 2.51 << std::optional<std::int16_t>(3);
    QTest::addRow("half_to_even_down") << 2.5 << std::optional<std::int16_t>(2);
    QTest::addRow("half_to_even_up") << 3.5 << std::optional<std::int16_t>(4);
    QTest::addRow("half_of_zero") << 0.5 << std::optional<std::int16_t>(0);
    QTest::addRow("negative_half_odd") << -1.5 << std::optional<std::int16_t>(-2);
    QTest::addRow("negative_half_even") << -2.5 << std::optional<std::int16_t>(-2);
    QTest::addRow("top") << 32767.0 << std::optional<std::int16_t>(32767);
    QTest::addRow("top_plus_fraction") << 32767.49 << std::optional<std::int16_t>(32767);
    QTest::addRow("top_half_overflows") << 32767.5 << none;
    QTest::addRow("above_top") << 32768.0 << none;
    QTest::addRow("bottom") << -32768.0 << std::optional<std::int16_t>(-32768);
    QTest::addRow("bottom_half_fits") << -32768.5 << std::optional<std::int16_t>(-32768);
    QTest::addRow("below_bottom") << -32768.51 << none;
    QTest::addRow("infinity") << std::numeric_limits<double>::infinity() << none;
    QTest::addRow("minus_infinity") << -std::numeric_limits<double>::infinity() << none;
    QTest::addRow("nan") << std::numeric_limits<double>::quiet_NaN() << none;
}

void TestVoiceCode::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(std::optional<std::int16_t>, rounded);
    QCOMPARE(quiz::roundToInt16(value), rounded);
}

void TestVoiceCode::readsCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<std::optional<std::int16_t>>("kind");

    const std::optional<std::int16_t> none;
    for (int digit = 0; digit <= 3; ++digit)
        QTest::addRow("stored_%d", digit)
            << QString::number(digit) << std::optional<std::int16_t>(digit);
    QTest::addRow("empty") << "" << std::optional<std::int16_t>(0);
    QTest::addRow("letters") << "тенор" << std::optional<std::int16_t>(0);
    QTest::addRow("half") << "2.5" << std::optional<std::int16_t>(2);
    QTest::addRow("half_odd") << "1.5" << std::optional<std::int16_t>(2);
    QTest::addRow("negative") << "-3" << std::optional<std::int16_t>(-3);
    QTest::addRow("top") << "32767" << std::optional<std::int16_t>(32767);
    QTest::addRow("bottom") << "-32768" << std::optional<std::int16_t>(-32768);
    QTest::addRow("just_over_top") << "32768" << none;
    QTest::addRow("just_under_bottom") << "-32769" << none;
    QTest::addRow("huge") << "1e300" << none;
    QTest::addRow("beyond_double") << "1e999999" << none;
    QTest::addRow("many_digits") << QString(5000, '9') << none;
}

void TestVoiceCode::readsCodes()
{
    QFETCH(QString, code);
    QFETCH(std::optional<std::int16_t>, kind);
    QCOMPARE(quiz::voiceKindFromCode(code.toStdU16String()), kind);
}

QTEST_GUILESS_MAIN(TestVoiceCode)
#include "tst_voicecode.moc"
