#include "tembrelawindow.h"

#include "appearance.h"
#include "catalogue.h"
#include "formicon.h"
#include "formlayout.h"
#include "formtexts.h"
#include "logbox.h"
#include "performerlist.h"
#include "runtimeerror.h"
#include "statement.h"
#include "voiceframe.h"
#include "voiceoption.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include <string>

namespace {

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

const QString WindowCaption = QStringLiteral("https://www.example.org Тесирона");
const QString TitleText = QStringLiteral("Тембрела");
const QString FrameText = QStringLiteral("Вид певчески глас");
const QString HeadingText = QStringLiteral("Име на изпълнител");

const QColor FormColour(192, 192, 255);
const QColor LabelColour(255, 192, 128);
const QColor OptionColour(128, 128, 255);
const QColor RestartColour(255, 0, 0);

// The style marks no focus on a list or a text box; a keyboard user needs
// to see which of the two takes the keys.
const QString FocusBorder = QStringLiteral("%1 { border: 2px solid rgb(160, 160, 160); }"
                                           "%1:focus { border: 2px solid rgb(32, 32, 112); }");

QIcon formIcon()
{
    const QImage image(reinterpret_cast<const uchar *>(FormIconPixels), FormIconSize,
                       FormIconSize, QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(image));
}

void fillBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TembrelaWindow::TembrelaWindow(const quiz::Catalogue &catalogue, QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(WindowCaption);
    setWindowIcon(formIcon());
    setFont(formFont());
    fillBackground(this, FormColour);

    createControls(catalogue);
    resize(formlayout::formPixelSize());

    for (const std::u16string &name : catalogue.names())
        m_masterNames.AddItem(name);
    for (const std::u16string &code : catalogue.codes())
        m_masterCodes.AddItem(code);

    bindEvents();
}

TembrelaWindow::~TembrelaWindow() = default;

void TembrelaWindow::createControls(const quiz::Catalogue &catalogue)
{
    m_title = new QLabel(TitleText, this);
    m_title->setAlignment(Qt::AlignCenter);
    fillBackground(m_title, LabelColour);

    m_frame = new VoiceFrame(FrameText, this);
    fillBackground(m_frame, FormColour);
    for (std::size_t k = 0; k < m_options.size(); ++k) {
        m_options[k] = new VoiceOption(qs(quiz::VoiceCaptions[k]), m_frame);
        fillBackground(m_options[k], OptionColour);
    }

    m_heading = new QLabel(HeadingText, this);
    m_heading->setAlignment(Qt::AlignCenter);
    fillBackground(m_heading, LabelColour);

    m_performers = new PerformerList(this);
    m_performers->setStyleSheet(FocusBorder.arg(QStringLiteral("QListWidget")));

    m_restart = new QPushButton(qs(quiz::RestartCaption), this);
    // A style sheet with a border is drawn flat in the colour asked for; a
    // background alone would be blended into the style's gradient.
    m_restart->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: rgb(255, 0, 0); border: 2px outset rgb(255, 96, 96); }"
        "QPushButton:pressed { border-style: inset; }"
        "QPushButton:focus { border: 2px solid black; }"));

    m_log = new LogBox(quiz::exerciseStatement(catalogue), this);
    m_log->setStyleSheet(FocusBorder.arg(QStringLiteral("QPlainTextEdit")));

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
        connect(m_options[k], &QAbstractButton::clicked, this,
                [this, index] { m_form.Option1_Click(index); });
        // The keys 1 to 4 choose a voice from anywhere in the window.
        auto *shortcut = new QShortcut(QKeySequence(Qt::Key_1 + int(k)), this);
        connect(shortcut, &QShortcut::activated, m_options[k], &QAbstractButton::click);
    }
    connect(m_restart, &QPushButton::clicked, this, [this] { m_form.Command1_Click(0); });
}

void TembrelaWindow::raiseLoad()
{
    m_form.Form_Load();
}

void TembrelaWindow::placeControls()
{
    using namespace formlayout;
    // The whole form grows with the window, fonts included, by the smaller
    // of the two ratios, and stays centred: on a projector all grows together.
    const QSize designed = formPixelSize();
    const qreal scale = qMin(qreal(width()) / designed.width(), qreal(height()) / designed.height());
    const QSize scaled = formPixelSize(scale);
    const QPoint origin((width() - scaled.width()) / 2, (height() - scaled.height()) / 2);

    QFont font = this->font();
    font.setPointSizeF(FormFontPoints * scale);
    setFont(font);
    // Set on each control: a styled control keeps the font it was given.
    for (QWidget *control : findChildren<QWidget *>())
        control->setFont(font);

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
    switch (index) {
    case 0:
        return *m_performers;
    case 1:
        return m_codes;
    case 2:
        return m_masterNames;
    case 3:
        return m_masterCodes;
    default:
        quiz::raiseRunTimeError("control array element List1(" + std::to_string(index)
                                + ") does not exist");
    }
}

quiz::OptionButton &TembrelaWindow::Option1(std::int16_t index)
{
    if (index < 0 || index >= static_cast<std::int16_t>(m_options.size()))
        quiz::raiseRunTimeError("control array element Option1(" + std::to_string(index)
                                + ") does not exist");
    return *m_options[static_cast<std::size_t>(index)];
}

quiz::TextBox &TembrelaWindow::Text1(std::int16_t index)
{
    if (index != 0)
        quiz::raiseRunTimeError("control array element Text1(" + std::to_string(index)
                                + ") does not exist");
    return *m_log;
}
