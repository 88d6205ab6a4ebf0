// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "webform.h"

#include "formdefinition.h"
#include "formtexts.h"
#include "markup.h"
#include "news.h"
#include "runtimeerror.h"
#include "statement.h"

#include <emscripten/bind.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

using emscripten::val;

namespace {

// The page's events reach the one form through these.
WebForm *page = nullptr;

val document()
{
    return val::global("document");
}

std::u16string number(double value)
{
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return std::u16string(text.begin(), text.end());
}

std::u16string rgb(const form::Rgb &colour)
{
    return u"rgb(" + number(colour.red) + u"," + number(colour.green) + u"," + number(colour.blue)
           + u")";
}

// The style sheet turns these, pixels of the form at its designed size,
// into a place that grows with the page; and paints the fill.
std::u16string style(form::TwipsRect rect, const form::Rgb *fill = nullptr)
{
    const auto pixels = [](int twips) { return number(double(twips) / form::TwipsPerPixel); };
    std::u16string style = u" style=\"--x:" + pixels(rect.left) + u";--y:" + pixels(rect.top)
                           + u";--w:" + pixels(rect.width) + u";--h:" + pixels(rect.height);
    if (fill)
        style += u";--fill:" + rgb(*fill);
    return style + u"\"";
}

// The whole form in one piece of markup, so the page lays it out once. The
// controls come in the order the keys move through them: the log, the
// performer list, the restart button, then the voices.
std::u16string formMarkup()
{
    std::u16string html = u"<h1 class=\"title filled\"" + style(form::TitleRect, &form::LabelFill)
                          + u">" + escaped(form::TitleText) + u"</h1>";
    html += u"<textarea class=\"log\" readonly aria-label=\"" + escaped(form::LogName) + u"\""
            + style(form::LogRect) + u"></textarea>";
    html += u"<div class=\"heading filled\" id=\"performers-heading\""
            + style(form::HeadingRect, &form::LabelFill) + u">" + escaped(form::HeadingText)
            + u"</div>";
    html += u"<div class=\"performers\" role=\"listbox\" tabindex=\"0\" "
            u"aria-labelledby=\"performers-heading\""
            + style(form::PerformersRect) + u"></div>";
    html += u"<button class=\"restart filled\" type=\"button\""
            + style(form::RestartRect, &form::RestartFill) + u">" + escaped(quiz::RestartCaption)
            + u"</button>";
    // A group with a caption on its frame, as the desktop draws it. A
    // fieldset's legend would push its options down from where they are
    // placed.
    html += u"<div class=\"voices filled\" role=\"radiogroup\" aria-labelledby=\"voices-caption\""
            + style(form::VoiceFrameRect, &form::FormFill) + u"><span class=\"caption\" "
            + u"id=\"voices-caption\">" + escaped(form::FrameText) + u"</span>";
    for (std::size_t k = 0; k < quiz::VoiceCaptions.size(); ++k)
        html += u"<label class=\"voice filled\""
                + style(form::VoiceOptionRects[k], &form::OptionFill)
                + u"><input type=\"radio\" name=\"voice\">" + escaped(quiz::VoiceCaptions[k])
                + u"</label>";
    html += u"</div><div class=\"news\" aria-live=\"polite\" aria-atomic=\"true\"></div>";
    return html;
}

val createForm()
{
    document().set("title", std::u16string(form::WindowCaption));
    val body = document()["body"];
    // An application to screen readers: every key goes to the form, so the
    // keys 1 to 4 choose a voice there as on the desktop, instead of moving
    // a reader's browsing cursor. The page's main landmark holds it, as
    // that role is not one a landmark may take.
    const std::u16string markup = u"<main><div id=\"form\" role=\"application\""
                                  + style(form::FormRect) + u">" + formMarkup() + u"</div></main>";
    body.call<void>("insertAdjacentHTML", val("afterbegin"), markup);
    val container = document().call<val>("getElementById", val("form"));
    const val style = container["style"];
    style.call<void>("setProperty", val("--font-px"), number(form::FontPoints * 96 / 72));
    style.call<void>("setProperty", val("--box-border"), rgb(form::BoxBorder));
    style.call<void>("setProperty", val("--focus-border"), rgb(form::FocusBorder));
    // The form's own fill is the page's.
    body.set("className", "filled");
    body["style"].call<void>("setProperty", val("--fill"), rgb(form::FormFill));
    return container;
}

val find(const val &container, const char *selector)
{
    return container.call<val>("querySelector", val(selector));
}

// The buttons cannot be made empty and filled in after, so the array is
// built whole, one element a voice.
template<std::size_t... k>
std::array<DomOptionButton, quiz::VoiceCount> optionsOf(const val &radios,
                                                        std::index_sequence<k...>)
{
    return {DomOptionButton(radios[k], std::u16string(quiz::VoiceCaptions[k]))...};
}

std::array<DomOptionButton, quiz::VoiceCount> voiceOptions(const val &container)
{
    const val radios = container.call<val>("querySelectorAll", val("[type=radio]"));
    return optionsOf(radios, std::make_index_sequence<quiz::VoiceCount>());
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
    page->performersClicked(event);
}

void performersKeyPressed(val event)
{
    page->performersKeyPressed(event);
}

void frameDue(val)
{
    page->frameDue();
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
    emscripten::function("frameDue", &frameDue);
}

WebForm::WebForm(const quiz::Catalogue &catalogue)
    : m_form(createForm())
    , m_log(find(m_form, ".log"), quiz::exerciseStatement(catalogue))
    , m_performers(find(m_form, "[role=listbox]"))
    , m_restart(find(m_form, ".restart"))
    , m_options(voiceOptions(m_form))
    , m_news(find(m_form, "[aria-live]"))
    , m_hidden(catalogue)
{
    page = this;
    quiz::setRunTimeErrorReporter(showRunTimeError);

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
    // The log has the focus when the form opens, as on the desktop; where
    // the form is taller than the screen, as on a phone, the page stays at
    // its top.
    val noScroll = val::object();
    noScroll.set("preventScroll", true);
    m_log.element().call<void>("focus", noScroll);
    eventDone();
}

// What an event left for the page: the rows it added, in one piece, and
// the scrolling, at the next frame. Scrolling asks the page where
// everything is; asked while controls are being filled, it would lay the
// page out again for each row.
void WebForm::eventDone()
{
    m_performers.showAddedRows();
    val::global("requestAnimationFrame")(handler("frameDue"));
}

void WebForm::frameDue()
{
    m_log.scrollAsDue();
    m_performers.scrollAsDue();
}

void WebForm::optionChanged(int index)
{
    m_rules.Option1_Click(static_cast<std::int16_t>(index));
    eventDone();
}

void WebForm::restartPressed()
{
    m_rules.Command1_Click(0);
    eventDone();
}

void WebForm::performersClicked(const val &event)
{
    m_performers.clicked(event);
    eventDone();
}

void WebForm::performersKeyPressed(const val &event)
{
    m_performers.keyPressed(event);
    eventDone();
}

void WebForm::keyPressed(const val &event)
{
    // The keys 1 to 4 choose a voice from anywhere on the page.
    if (event["altKey"].as<bool>() || event["ctrlKey"].as<bool>() || event["metaKey"].as<bool>()
        || event["defaultPrevented"].as<bool>())
        return;
    const std::string key = event["key"].as<std::string>();
    if (stepRoundTheVoices(event, key))
        return;
    if (key.size() != 1 || key[0] < '1' || key[0] >= char('1' + m_options.size()))
        return;
    event.call<void>("preventDefault");
    const DomOptionButton &option = m_options[std::size_t(key[0] - '1')];
    option.radio().call<void>("click");
    // A focused option says by itself that it is now chosen.
    if (option.Value() && !document()["activeElement"].strictlyEquals(option.radio()))
        m_news.announce(quiz::choiceNews(option.Caption()));
    eventDone();
}

// The arrows step round the voices, from the last to the first and back,
// as on the desktop; WebKit's radio buttons stop at either end, where the
// other engines go round. A step chooses the voice, as the browser's own
// step does.
bool WebForm::stepRoundTheVoices(const val &event, const std::string &key)
{
    const bool back = key == "ArrowUp" || key == "ArrowLeft";
    if (!back && key != "ArrowDown" && key != "ArrowRight")
        return false;
    const DomOptionButton &end = back ? m_options.front() : m_options.back();
    if (!document()["activeElement"].strictlyEquals(end.radio()))
        return false;
    event.call<void>("preventDefault");
    const val &next = (back ? m_options.back() : m_options.front()).radio();
    next.call<void>("focus");
    next.call<void>("click");
    return true;
}

quiz::ListBox &WebForm::List1(std::int16_t index)
{
    return m_hidden.List1(index, m_performers);
}

quiz::OptionButton &WebForm::Option1(std::int16_t index)
{
    return m_options[quiz::checkControl("Option1", index, m_options.size())];
}

quiz::TextBox &WebForm::Text1(std::int16_t index)
{
    quiz::checkControl("Text1", index, 1);
    return m_log;
}
