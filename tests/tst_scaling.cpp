// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appearance.h"
#include "logbox.h"
#include "performerlist.h"
#include "tembrelawindow.h"
#include "voiceframe.h"
#include "voiceoption.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>
#include <memory>
#include <utility>

// Run at several screen scale factors (QT_SCALE_FACTOR, set per run by
// CTest): places are in logical pixels, colours are read from the grab in
// device pixels.
class TestScaling : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TembrelaWindow> window;
    QPalette systemPalette;

    QHash<QString, QWidget *> controls() const
    {
        return {{"title", window->titleLabel()},         {"frame", window->voiceFrame()},
                {"option0", window->voiceOption(0)},     {"option1", window->voiceOption(1)},
                {"option2", window->voiceOption(2)},     {"option3", window->voiceOption(3)},
                {"heading", window->performerHeading()}, {"list", window->performerList()},
                {"restart", window->restartButton()},    {"log", window->logBox()}};
    }

    void addSizes()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("designed") << QSize(464, 345) << 1.0 << QPoint(0, 0);
        QTest::newRow("doubled") << QSize(928, 690) << 2.0 << QPoint(0, 0);
        QTest::newRow("wide") << QSize(1200, 690) << 2.0 << QPoint(136, 0);
        QTest::newRow("tall") << QSize(696, 900) << 1.5 << QPoint(0, 191);
        // Edges on half pixels: edges, not sizes, must be what is rounded.
        QTest::newRow("eighth") << QSize(522, 389) << 1.125 << QPoint(0, 0);
    }

    void showAt(const QSize &size)
    {
        window->resize(size);
        QCoreApplication::processEvents();
        QCOMPARE(window->size(), size);
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void opensAtTheDesignedSize();
    void controlsScaleTogether_data();
    void controlsScaleTogether();
    void coloursStayExact_data();
    void coloursStayExact();
    void fontGrowsWithTheForm_data();
    void fontGrowsWithTheForm();
    void textsStayReadable_data();
    void textsStayReadable();
};

void TestScaling::initTestCase()
{
    applyFormAppearance();
    systemPalette = QApplication::palette();
}

void TestScaling::cleanup()
{
    window.reset();
    QApplication::setPalette(systemPalette);
}

void TestScaling::init()
{
    window = std::make_unique<TembrelaWindow>();
    window->raiseLoad();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestScaling::opensAtTheDesignedSize()
{
    QCOMPARE(window->size(), QSize(464, 345));
    QCOMPARE(window->minimumSize(), QSize(464, 345));
    QVERIFY(window->maximumSize().width() > 464 && window->maximumSize().height() > 345);
}

void TestScaling::controlsScaleTogether_data()
{
    addSizes();
}

void TestScaling::controlsScaleTogether()
{
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    QFETCH(QPoint, origin);
    showAt(size);

    // Designed places in pixels, the options within their frame.
    const QHash<QString, QRect> designed{
        {"title", {96, 0, 265, 25}},     {"frame", {16, 32, 145, 105}},
        {"option0", {8, 20, 129, 20}},   {"option1", {8, 40, 129, 20}},
        {"option2", {8, 60, 129, 20}},   {"option3", {8, 80, 129, 20}},
        {"heading", {184, 32, 265, 25}}, {"list", {184, 56, 265, 99}},
        {"restart", {32, 144, 113, 25}}, {"log", {8, 176, 449, 161}},
    };
    for (auto [name, widget] : controls().asKeyValueRange()) {
        const QRect place = designed.value(name);
        const bool inFrame = name.startsWith("option");
        const QPoint offset = inFrame ? QPoint() : origin;
        const QRect expected(QPoint(qRound(place.left() * scale), qRound(place.top() * scale))
                                 + offset,
                             QPoint(qRound((place.right() + 1) * scale) - 1,
                                    qRound((place.bottom() + 1) * scale) - 1)
                                 + offset);
        QCOMPARE(widget->geometry(), expected);
    }
}

void TestScaling::coloursStayExact_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QPoint>("point"); // at the designed size
    QTest::addColumn<QColor>("colour");

    const QColor form(192, 192, 255), label(255, 192, 128), option(128, 128, 255);
    const QColor red(255, 0, 0), white(Qt::white);
    const QList<std::tuple<const char *, QPoint, QColor>> points{
        {"form_corner", {3, 3}, form},
        {"form_between", {170, 100}, form},
        {"title_left", {99, 12}, label},
        {"title_right", {357, 20}, label},
        {"heading_left", {187, 44}, label},
        {"frame_inside_left", {21, 100}, form},
        {"frame_inside_bottom", {100, 133}, form},
        {"bass_blank_end", {150, 62}, option},
        {"mezzo_blank_end", {150, 82}, option},
        {"soprano_blank_end", {150, 102}, option},
        {"tenor_blank_end", {150, 122}, option},
        {"tenor_top_edge", {124, 112}, option},
        {"tenor_bottom_edge", {124, 131}, option},
        {"restart_left", {38, 156}, red},
        {"restart_right", {139, 150}, red},
        {"list_base", {400, 150}, white},
        {"log_base", {200, 330}, white},
    };
    struct Size
    {
        const char *name;
        QSize size;
        qreal scale;
        QPoint origin;
    };
    const QList<Size> sizes{{"designed", {464, 345}, 1.0, {0, 0}},
                            {"doubled", {928, 690}, 2.0, {0, 0}},
                            {"wide", {1200, 690}, 2.0, {136, 0}}};
    for (const Size &s : sizes)
        for (const auto &[name, point, colour] : points)
            QTest::addRow("%s_%s", s.name, name)
                << s.size << s.scale << s.origin << point << colour;
}

void TestScaling::coloursStayExact()
{
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    QFETCH(QPoint, origin);
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    showAt(size);

    const QImage image = window->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(image.size(), size * ratio);
    const QPointF logical = QPointF(point) * scale + origin;
    const QPoint device((logical * ratio).toPoint());
    QCOMPARE(image.pixelColor(device).name(), colour.name());

    if (const QByteArray path = qgetenv("TEMBRELA_SCREENSHOT");
        !path.isEmpty() && QByteArray(QTest::currentDataTag()) == "designed_form_corner"
        && ratio == 1.0) {
        QTest::mouseClick(window->voiceOption(3), Qt::LeftButton);
        PerformerList *list = window->performerList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QTest::mouseClick(window->voiceOption(2), Qt::LeftButton);
        QVERIFY(window->grab().save(QString::fromLocal8Bit(path)));
    }
}

void TestScaling::fontGrowsWithTheForm_data()
{
    addSizes();
}

void TestScaling::fontGrowsWithTheForm()
{
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    showAt(size);
    for (QWidget *widget : controls())
        QCOMPARE(widget->font().pointSizeF(), 12.0 * scale);
    // The option mark and the scroll bars grow too, in proportion.
    const int extent = window->performerList()->verticalScrollBar()->width();
    QVERIFY2(qAbs(extent - 16 * scale) <= 2 * scale, qPrintable(QString::number(extent)));
}

void TestScaling::textsStayReadable_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<QString>("control");
    // A dark desktop scheme, as qt6ct's "darker" or Breeze Dark give it.
    QPalette dark(QColor(252, 252, 252), QColor(49, 54, 59), QColor(90, 90, 90), QColor(30, 30, 30),
                  QColor(45, 45, 45), QColor(252, 252, 252), Qt::white, QColor(35, 38, 41),
                  QColor(49, 54, 59));
    for (const auto &[scheme, palette] : {std::pair("light", systemPalette), {"dark", dark}})
        for (const char *control : {"title", "frame", "option0", "option1", "option2", "option3",
                                    "heading", "restart", "list", "log"})
            QTest::addRow("%s_%s", scheme, control) << palette << QString::fromLatin1(control);
}

// The desktop's scheme is in place before the window is made, as at a real
// start. Each text, measured on the grab, stands out 4.5:1 from its ground.
void TestScaling::textsStayReadable()
{
    QFETCH(QPalette, palette);
    QFETCH(QString, control);
    window.reset();
    QApplication::setPalette(palette);
    init();

    // Where the control draws its text and nothing but its text and fill.
    QWidget *widget = controls().value(control);
    QRect area = widget->rect().marginsRemoved(QMargins(5, 5, 5, 5)); // inside the button's border
    if (auto *option = qobject_cast<VoiceOption *>(widget)) {
        QStyleOptionButton style;
        style.initFrom(option);
        area = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
    } else if (auto *frame = qobject_cast<VoiceFrame *>(widget)) {
        // The caption's own strip, which hides the frame's line under it.
        const QFontMetrics metrics(frame->font());
        const int indent = metrics.averageCharWidth();
        area =
            QRect(indent, 0, metrics.horizontalAdvance(frame->title()) + indent, metrics.height());
    } else if (auto *view = qobject_cast<QAbstractScrollArea *>(widget)) {
        area = view->viewport()->geometry();
    }
    const QImage grab = widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < grab.height(); ++y)
        for (int x = 0; x < grab.width(); ++x)
            ++counts[grab.pixel(x, y)];
    const QColor ground =
        QColor(std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                   return a.second < b.second;
               })->first);
    // Anti-aliasing shades the letters' edges; their cores carry the ink.
    double ratio = 1.0;
    for (QRgb rgb : counts.keys())
        ratio = qMax(ratio, contrastRatio(QColor(rgb), ground));
    qInfo("%.2f:1 on %s", ratio, qPrintable(ground.name()));
    QVERIFY2(counts.value(ground.rgb()) < grab.width() * grab.height() - 30, "no text drawn");
    QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
}

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
