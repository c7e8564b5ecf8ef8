// The functions the page calls. Each answer is JSON text that stays valid
// until the next call; the page copies it out at once.
#include "platform/FileText.h"
#include "web/glue/JsonTranslator.h"
#include "web/glue/WebSession.h"

#include <emscripten/emscripten.h>

#include <memory>
#include <string>

namespace {

using json = bc::WebSession::json;

std::unique_ptr<bc::WebSession> session;
std::string answer;

const char* reply(const json& j)
{
    answer = j.dump(-1, ' ', false, json::error_handler_t::replace);
    return answer.c_str();
}

const char* outcome(const bc::Result<void>& done)
{
    return reply(done ? json{{"ok", true}} : json{{"ignored", done.error().message}});
}

const char* notStarted() { return reply(json{{"error", "the game has not started"}}); }

// The width of a line in the page's own typeface, as the browser lays it
// out: the page offers the measuring (Module.measureText), the game fits.
EM_JS(double, pageTextWidth, (const char* line, double size, int bold), {
    return Module.measureText ? Module.measureText(UTF8ToString(line), size, bold !== 0) : -1;
});

class PageMeasure : public bc::TextMeasure {
public:
    float width(const std::string& line, float size, bool bold) const override
    {
        const double measured = pageTextWidth(line.c_str(), size, bold ? 1 : 0);
        return measured >= 0 ? static_cast<float>(measured) : plain_.width(line, size, bold);
    }
    // The page sets each text's line height from the frame; this is the one it is given.
    float lineHeight(float size, bool bold) const override { return plain_.lineHeight(size, bold); }

private:
    bc::PlainMeasure plain_;
};

// The language's catalogue from the bundle; none (English, or a language the
// bundle lacks) reads in English.
std::unique_ptr<const bc::Translator> translatorFor(const std::string& language)
{
    if (language.empty() || language.find('/') != std::string::npos) {
        return nullptr;
    }
    const auto text = bc::readFileText("/resources/locale/" + language + ".json");
    return text ? std::make_unique<const bc::JsonTranslator>(*text) : nullptr;
}

} // namespace

extern "C" {

// `seeded` makes the random readings repeat (the tests use it); otherwise
// they come from the browser's random source. `language` names a catalogue
// of the bundle ("es"), or is empty for English. `kept` is what the page's
// storage entry for the progress held, or null. The answer carries the
// page's own texts in that language.
EMSCRIPTEN_KEEPALIVE const char* bc_start(int seeded, double seed, const char* language, const char* kept)
{
    std::optional<std::uint64_t> fixed;
    if (seeded != 0 && seed >= 0) {
        fixed = static_cast<std::uint64_t>(seed);
    }
    session.reset();
    auto started = bc::WebSession::start("/resources", bc::RunLoop::ClockKind::Real, fixed,
                                         translatorFor(language != nullptr ? language : ""),
                                         kept != nullptr ? std::optional<std::string>(kept) : std::nullopt,
                                         std::make_unique<const PageMeasure>());
    if (!started) {
        return reply(json{{"error", started.error().message}});
    }
    session = std::move(*started);
    return reply(json{{"ok", true}, {"words", session->words()}});
}

// {"ok": true}, or {"error": why}: the rest of the interface description did not load.
EMSCRIPTEN_KEEPALIVE const char* bc_finish_loading()
{
    if (!session) {
        return notStarted();
    }
    const auto done = session->finishLoading();
    return reply(done ? json{{"ok", true}} : json{{"error", done.error().message}});
}

EMSCRIPTEN_KEEPALIVE const char* bc_frame() { return session ? reply(session->frame()) : notStarted(); }

EMSCRIPTEN_KEEPALIVE const char* bc_tap(unsigned screen, unsigned index)
{
    return session ? outcome(session->tap(screen, index)) : notStarted();
}

EMSCRIPTEN_KEEPALIVE const char* bc_step(unsigned screen, unsigned index, int up)
{
    return session ? outcome(session->step(screen, index, up != 0)) : notStarted();
}

// A finger or the mouse on the canvas, in points: 0 down, 1 moved, 2 up, 3 cancelled.
EMSCRIPTEN_KEEPALIVE void bc_pointer(int what, double x, double y)
{
    if (session) {
        session->pointer(what, static_cast<float>(x), static_cast<float>(y));
    }
}

// Screens slide and the bar fades (1), or everything moves at once (0).
EMSCRIPTEN_KEEPALIVE void bc_set_motion(int on)
{
    if (session) {
        session->app().navigation().setAnimationsEnabled(on != 0);
    }
}

// A key for the focused control: 0 next, 1 previous, 2 activate, 3 up, 4 down.
EMSCRIPTEN_KEEPALIVE void bc_key(int key)
{
    if (session) {
        session->key(key);
    }
}

EMSCRIPTEN_KEEPALIVE const char* bc_nav_back() { return session ? outcome(session->navBack()) : notStarted(); }

// 1 when the page should fetch a new frame.
EMSCRIPTEN_KEEPALIVE int bc_tick() { return session && session->tick() ? 1 : 0; }

// Milliseconds until the page should tick again, or -1 when nothing is due.
EMSCRIPTEN_KEEPALIVE double bc_next_wake_ms()
{
    if (!session) {
        return -1;
    }
    auto wake = session->secondsToNextWake();
    return wake ? *wake * 1000.0 : -1.0;
}

EMSCRIPTEN_KEEPALIVE const char* bc_heard() { return session ? reply(session->heard()) : notStarted(); }

EMSCRIPTEN_KEEPALIVE void bc_focus(unsigned screen, const char* name)
{
    if (session && name != nullptr) {
        session->focused(screen, name);
    }
}

// What to do to the page's storage entry since the last call: a list of
// {"put": text}, {"remove": true} and {"aside": true}, in order.
EMSCRIPTEN_KEEPALIVE const char* bc_progress() { return session ? reply(session->takeProgress()) : notStarted(); }

EMSCRIPTEN_KEEPALIVE const char* bc_state() { return session ? reply(session->state()) : notStarted(); }

} // extern "C"
