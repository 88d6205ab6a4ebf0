#include "webform.h"

#include "formdefinition.h"
#include "formtexts.h"
#include "news.h"
#include "runtimeerror.h"
#include "statement.h"

#include <emscripten/bind.h>

#include <cstdint>
#include <string>

using emscripten::val;

namespace {

// The page's events reach the one form through these.
WebForm *page = nullptr;

val document()
{
    return val::global("document");
}

val create(const char *tag, const char *className, val parent)
{
    val element = document().call<val>("createElement", val(tag));
    element.set("className", className);
    parent.call<void>("appendChild", element);
    return element;
}

void setStyle(val element, const char *property, const std::string &value)
{
    element["style"].call<void>("setProperty", val(property), val(value));
}

std::string number(double value)
{
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

// The style sheet turns these, pixels of the form at its designed size,
// into a place that grows with the page.
val place(val element, const form::TwipsRect &rect)
{
    const auto pixels = [](int twips) { return number(double(twips) / form::TwipsPerPixel); };
    setStyle(element, "--x", pixels(rect.left));
    setStyle(element, "--y", pixels(rect.top));
    setStyle(element, "--w", pixels(rect.width));
    setStyle(element, "--h", pixels(rect.height));
    return element;
}

val fill(val element, form::Rgb rgb)
{
    setStyle(element, "--fill",
             "rgb(" + std::to_string(rgb.red) + ", " + std::to_string(rgb.green) + ", "
                 + std::to_string(rgb.blue) + ")");
    element["classList"].call<void>("add", val("filled"));
    return element;
}

val createForm()
{
    val body = document()["body"];
    val container = create("main", "form", body);
    container.set("id", "form");
    place(container, form::FormRect);
    fill(body, form::FormFill);
    setStyle(container, "--font-px", number(form::FontPoints * 96 / 72));
    document().set("title", std::u16string(form::WindowCaption));

    val title = place(create("h1", "title", container), form::TitleRect);
    title.set("textContent", std::u16string(form::TitleText));
    fill(title, form::LabelFill);
    return container;
}

// Created in the order the keys move through the controls: the log, the
// performer list, the restart button, then the voices.
val createLog(val container)
{
    val log = place(create("textarea", "log", container), form::LogRect);
    log.set("readOnly", true);
    log.call<void>("setAttribute", val("aria-label"), val(std::u16string(form::LogName)));
    return log;
}

val createPerformers(val container)
{
    val heading = place(create("div", "heading", container), form::HeadingRect);
    heading.set("id", "performers-heading");
    heading.set("textContent", std::u16string(form::HeadingText));
    fill(heading, form::LabelFill);
    val list = place(create("div", "performers", container), form::PerformersRect);
    list.call<void>("setAttribute", val("role"), val("listbox"));
    list.call<void>("setAttribute", val("aria-labelledby"), val("performers-heading"));
    list.set("tabIndex", 0);
    return list;
}

val createRestart(val container)
{
    val button = place(create("button", "restart", container), form::RestartRect);
    button.set("type", "button");
    button.set("textContent", std::u16string(quiz::RestartCaption));
    fill(button, form::RestartFill);
    return button;
}

std::array<DomOptionButton, 4> createOptions(val container)
{
    // A group with a caption on its frame, as the desktop draws it. A
    // fieldset's legend would push its options down from where they are
    // placed.
    val frame = place(create("div", "voices", container), form::VoiceFrameRect);
    frame.call<void>("setAttribute", val("role"), val("radiogroup"));
    frame.call<void>("setAttribute", val("aria-labelledby"), val("voices-caption"));
    fill(frame, form::FormFill);
    val caption = create("span", "caption", frame);
    caption.set("id", "voices-caption");
    caption.set("textContent", std::u16string(form::FrameText));
    const auto option = [&frame](std::size_t k) {
        val label = place(create("label", "voice", frame), form::VoiceOptionRects[k]);
        fill(label, form::OptionFill);
        val radio = create("input", "", label);
        radio.set("type", "radio");
        radio.set("name", "voice");
        label.call<void>("append", val(std::u16string(quiz::VoiceCaptions[k])));
        return DomOptionButton(radio, std::u16string(quiz::VoiceCaptions[k]));
    };
    return {option(0), option(1), option(2), option(3)};
}

val createNews(val container)
{
    val news = create("div", "news", container);
    news.call<void>("setAttribute", val("aria-live"), val("polite"));
    news.call<void>("setAttribute", val("aria-atomic"), val("true"));
    return news;
}

val handler(const char *name)
{
    return val::module_property(name);
}

void listen(const val &target, const char *event, val function)
{
    target.call<void>("addEventListener", val(event), function);
}

void optionChanged(int index, val)
{
    page->optionChanged(index);
}

void restartPressed(val)
{
    page->restartPressed();
}

void keyPressed(val event)
{
    page->keyPressed(event);
}

void performersClicked(val event)
{
    page->performers().clicked(event);
}

void performersKeyPressed(val event)
{
    page->performers().keyPressed(event);
}

void showRunTimeError(std::string_view message)
{
    val::global("alert")(std::u16string(form::RunTimeErrorText)
                         + val(std::string(message)).as<std::u16string>());
}

} // namespace

EMSCRIPTEN_BINDINGS(page_events)
{
    emscripten::function("optionChanged", &optionChanged);
    emscripten::function("restartPressed", &restartPressed);
    emscripten::function("keyPressed", &keyPressed);
    emscripten::function("performersClicked", &performersClicked);
    emscripten::function("performersKeyPressed", &performersKeyPressed);
}

WebForm::WebForm(const quiz::Catalogue &catalogue)
    : m_form(createForm())
    , m_log(createLog(m_form), quiz::exerciseStatement(catalogue))
    , m_performers(createPerformers(m_form))
    , m_restart(createRestart(m_form))
    , m_options(createOptions(m_form))
    , m_news(createNews(m_form))
{
    page = this;
    quiz::setRunTimeErrorReporter(showRunTimeError);
    for (const std::u16string &name : catalogue.names())
        m_masterNames.AddItem(name);
    for (const std::u16string &code : catalogue.codes())
        m_masterCodes.AddItem(code);

    for (std::size_t k = 0; k < m_options.size(); ++k)
        listen(m_options[k].radio(), "change",
               handler("optionChanged").call<val>("bind", val::null(), int(k)));
    listen(m_restart, "click", handler("restartPressed"));
    listen(document(), "keydown", handler("keyPressed"));
    listen(m_performers.element(), "click", handler("performersClicked"));
    listen(m_performers.element(), "keydown", handler("performersKeyPressed"));
    m_performers.setPickListener([this] { m_rules.List1_Click(0); });
    m_log.setWriteListener([this](const std::u16string &before, const std::u16string &after) {
        if (const std::optional<std::u16string> news = quiz::logNews(before, after))
            m_news.announce(*news);
    });
}

void WebForm::raiseLoad()
{
    m_rules.Form_Load();
    // The log has the focus when the form opens, as on the desktop.
    // Focused with its caret at the start, so the statement shows from its
    // first line; and where the form is taller than the screen, as on a
    // phone, the page stays at its top.
    val log = m_log.element();
    log.call<void>("setSelectionRange", 0, 0);
    val noScroll = val::object();
    noScroll.set("preventScroll", true);
    log.call<void>("focus", noScroll);
    log.set("scrollTop", 0);
}

void WebForm::optionChanged(int index)
{
    m_rules.Option1_Click(static_cast<std::int16_t>(index));
}

void WebForm::restartPressed()
{
    m_rules.Command1_Click(0);
}

void WebForm::keyPressed(const val &event)
{
    // The keys 1 to 4 choose a voice from anywhere on the page.
    if (event["altKey"].as<bool>() || event["ctrlKey"].as<bool>() || event["metaKey"].as<bool>()
        || event["defaultPrevented"].as<bool>())
        return;
    const std::string key = event["key"].as<std::string>();
    if (key.size() != 1 || key[0] < '1' || key[0] >= char('1' + m_options.size()))
        return;
    event.call<void>("preventDefault");
    const DomOptionButton &option = m_options[std::size_t(key[0] - '1')];
    option.radio().call<void>("click");
    // A focused option says by itself that it is now chosen.
    if (option.Value() && !document()["activeElement"].strictlyEquals(option.radio()))
        m_news.announce(quiz::choiceNews(option.Caption()));
}

quiz::ListBox &WebForm::List1(std::int16_t index)
{
    switch (index) {
    case 0:
        return m_performers;
    case 1:
        return m_codes;
    case 2:
        return m_masterNames;
    case 3:
        return m_masterCodes;
    default:
        quiz::raiseMissingControl("List1", index);
    }
}

quiz::OptionButton &WebForm::Option1(std::int16_t index)
{
    if (index < 0 || index >= static_cast<std::int16_t>(m_options.size()))
        quiz::raiseMissingControl("Option1", index);
    return m_options[static_cast<std::size_t>(index)];
}

quiz::TextBox &WebForm::Text1(std::int16_t index)
{
    if (index != 0)
        quiz::raiseMissingControl("Text1", index);
    return m_log;
}
