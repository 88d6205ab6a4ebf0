// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tembrelawindow.h"

#include "announcer.h"
#include "appearance.h"
#include "catalogue.h"
#include "formicon.h"
#include "formlayout.h"
#include "formtexts.h"
#include "news.h"
#include "logbox.h"
#include "performerlist.h"
#include "runtimeerror.h"
#include "scaledstyle.h"
#include "statement.h"
#include "voiceframe.h"
#include "voiceoption.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyleFactory>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace {

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int FocusBorderPixels = 2;

QIcon formIcon()
{
    const QImage image(reinterpret_cast<const uchar *>(FormIconPixels), FormIconSize, FormIconSize,
                       QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

TembrelaWindow::TembrelaWindow(const quiz::Catalogue &catalogue, QWidget *parent)
    : QWidget(parent)
    , m_hidden(catalogue)
{
    setWindowTitle(qs(form::WindowCaption));
    setWindowIcon(formIcon());
    setFont(formFont());
    fillBackground(this, toColour(form::FormFill));

    createControls(catalogue);
    m_style = new ScaledStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    m_style->setParent(this);
    setStyle(m_style);
    const QList<QWidget *> widgets = findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        widget->setStyle(m_style);
    // Smaller than designed, the text would no longer fit its controls.
    setMinimumSize(formlayout::formPixelSize());
    resize(formlayout::formPixelSize());

    bindEvents();
}

TembrelaWindow::~TembrelaWindow()
{
    // The controls outlive the rules and the hidden lists by a moment, as
    // the base class deletes them; nothing they say may reach the rules then.
    for (QObject *control : children())
        control->disconnect(this);
}

void TembrelaWindow::createControls(const quiz::Catalogue &catalogue)
{
    m_title = new QLabel(qs(form::TitleText), this);
    m_title->setAlignment(Qt::AlignCenter);
    fillBackground(m_title, toColour(form::LabelFill));

    m_frame = new VoiceFrame(qs(form::FrameText), this);
    fillBackground(m_frame, toColour(form::FormFill));
    for (std::size_t k = 0; k < m_options.size(); ++k) {
        m_options[k] = new VoiceOption(qs(quiz::VoiceCaptions[k]), m_frame);
        fillBackground(m_options[k], toColour(form::OptionFill));
    }

    m_heading = new QLabel(qs(form::HeadingText), this);
    m_heading->setAlignment(Qt::AlignCenter);
    fillBackground(m_heading, toColour(form::LabelFill));

    m_performers = new PerformerList(this);
    m_performers->setAccessibleName(qs(form::HeadingText));

    m_restart = new QPushButton(qs(quiz::RestartCaption), this);
    keepTextReadable(m_restart, toColour(form::RestartFill));

    m_log = new LogBox(quiz::exerciseStatement(catalogue), this);
    m_log->setAccessibleName(qs(form::LogName));
    setAccessibleName(qs(form::WindowName));
    m_announcer = new Announcer(this);

    setTabOrder(m_log, m_performers);
    setTabOrder(m_performers, m_restart);
    setTabOrder(m_restart, m_options[0]);
    for (std::size_t k = 1; k < m_options.size(); ++k)
        setTabOrder(m_options[k - 1], m_options[k]);
    m_log->setFocus(Qt::OtherFocusReason);
}

void TembrelaWindow::bindEvents()
{
    connect(m_performers, &QListWidget::itemSelectionChanged, this,
            [this] { m_form.List1_Click(0); });
    for (std::size_t k = 0; k < m_options.size(); ++k) {
        const auto index = static_cast<std::int16_t>(k);
        connect(m_options[k], &QAbstractButton::clicked, this, [this, index] {
            m_form.Option1_Click(index);
            announceChoice(index);
        });
        // The keys 1 to 4 choose a voice from anywhere in the window.
        auto *shortcut = new QShortcut(QKeySequence(Qt::Key_1 + int(k)), this);
        connect(shortcut, &QShortcut::activated, m_options[k], &QAbstractButton::click);
    }
    connect(m_restart, &QPushButton::clicked, this, [this] { m_form.Command1_Click(0); });
    m_shownLog = m_log->Text();
    connect(m_log, &LogBox::written, this, &TembrelaWindow::announceLog);
}

void TembrelaWindow::announceChoice(int index)
{
    VoiceOption *option = m_options.at(index);
    // A focused option says by itself that it is now chosen.
    if (option->isChecked() && !option->hasFocus())
        m_announcer->announce(qs(quiz::choiceNews(option->text().toStdU16String())));
}

void TembrelaWindow::announceLog()
{
    const std::u16string log = m_log->Text();
    const std::u16string before = std::exchange(m_shownLog, log);
    if (const std::optional<std::u16string> news = quiz::logNews(before, log))
        m_announcer->announce(qs(*news));
}

void TembrelaWindow::raiseLoad()
{
    m_form.Form_Load();
}

void TembrelaWindow::placeControls()
{
    using formlayout::formPixelSize;
    using formlayout::toPixels;
    using namespace form;
    // The whole form grows with the window, fonts included, by the smaller
    // of the two ratios, and stays centred: on a projector all grows together.
    const QSize designed = formPixelSize();
    const qreal scale =
        qMin(qreal(width()) / designed.width(), qreal(height()) / designed.height());
    const QSize scaled = formPixelSize(scale);
    const QPoint origin((width() - scaled.width()) / 2, (height() - scaled.height()) / 2);

    if (scale != m_style->scale() || !m_placed) {
        m_placed = true;
        m_style->setScale(scale);
        QFont font = this->font();
        font.setPointSizeF(form::FontPoints * scale);
        setFont(font);
        const int border = qMax(1, qRound(FocusBorderPixels * scale));
        m_performers->setStyleSheet(focusBorderSheet(QStringLiteral("QListWidget"), border));
        m_log->setStyleSheet(focusBorderSheet(QStringLiteral("QPlainTextEdit"), border));
        m_restart->setStyleSheet(restartSheet(border));
        // Set on each control: a styled control keeps the font it was given;
        // and each must measure itself again with the grown style.
        const QList<QWidget *> controls = findChildren<QWidget *>();
        for (QWidget *control : controls) {
            control->setFont(font);
            QEvent styleChange(QEvent::StyleChange);
            QApplication::sendEvent(control, &styleChange);
        }
    }

    m_title->setGeometry(toPixels(TitleRect, scale, origin));
    m_frame->setGeometry(toPixels(VoiceFrameRect, scale, origin));
    for (std::size_t k = 0; k < m_options.size(); ++k)
        m_options[k]->setGeometry(toPixels(VoiceOptionRects[k], scale));
    m_heading->setGeometry(toPixels(HeadingRect, scale, origin));
    m_performers->setGeometry(toPixels(PerformersRect, scale, origin));
    m_restart->setGeometry(toPixels(RestartRect, scale, origin));
    m_log->setGeometry(toPixels(LogRect, scale, origin));
}

void TembrelaWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

quiz::ListBox &TembrelaWindow::List1(std::int16_t index)
{
    return m_hidden.List1(index, *m_performers);
}

quiz::OptionButton &TembrelaWindow::Option1(std::int16_t index)
{
    return *m_options[quiz::checkControl("Option1", index, m_options.size())];
}

quiz::TextBox &TembrelaWindow::Text1(std::int16_t index)
{
    quiz::checkControl("Text1", index, 1);
    return *m_log;
}
