// WebPlatform: the page's windows, its event queue, the wait and the small
// services. The DOM side lives in quorvex.js (Module.qv); the calls here
// are the only way into it.
#include "platform/web/WebPlatform.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/web/CanvasPixels.h"
#include "platform/web/ClipPath.h"
#include "platform/web/LocalStorageStore.h"
#include "platform/web/PageFit.h"
#include "platform/web/PagePlace.h"
#include "platform/web/StorageKeys.h"
#include "platform/web/WebKeys.h"
#include "util/HelpFile.h"

// ---- the page side ----------------------------------------------------------

// The page as it is now: device pixel ratio, viewport in CSS pixels and
// whether it is a touch screen, into out[4].
EM_JS(void, qv_page_view, (double* out), { Module.qv.pageView(out); });
EM_JS(void, qv_set_ratio, (double ratio), { Module.qv.setRatio(ratio); });
EM_JS(int, qv_screen_width, (), { return Module.qv.screenWidth(); });
EM_JS(int, qv_screen_height, (), { return Module.qv.screenHeight(); });
EM_JS(void, qv_window_open, (int id), { Module.qv.openWindow(id); });
EM_JS(void, qv_window_close, (int id), { Module.qv.closeWindow(id); });
EM_JS(void, qv_window_layout, (int id, int left, int top, int width, int height), {
    Module.qv.layoutWindow(id, left, top, width, height);
});
EM_JS(void, qv_window_title, (int id, const char* title), { Module.qv.titleWindow(id, UTF8ToString(title)); });
EM_JS(void, qv_window_visible, (int id, int visible), { Module.qv.showWindow(id, visible !== 0); });
EM_JS(void, qv_window_raise, (int id), { Module.qv.raiseWindow(id); });
EM_JS(void, qv_window_shape, (int id, const char* css), { Module.qv.shapeWindow(id, css ? UTF8ToString(css) : ""); });
EM_JS(void, qv_window_present, (int id, const uint8_t* rgba, int x, int y, int width, int height), {
    Module.qv.present(id, rgba, x, y, width, height);
});
EM_JS(int, qv_window_grab, (int id), { return Module.qv.grab(id) ? 1 : 0; });
EM_JS(void, qv_window_ungrab, (int id), { Module.qv.ungrab(id); });
EM_JS(void, qv_define_cursor, (int kind, const uint8_t* rgba, int width, int height, int hotX, int hotY), {
    Module.qv.defineCursor(kind, rgba, width, height, hotX, hotY);
});
EM_JS(void, qv_set_cursor, (int kind), { Module.qv.setCursor(kind); });
EM_JS(void, qv_carry_started, (int id, int x, int y, int width, int height), {
    Module.qv.carryStarted(id, x, y, width, height);
});
EM_JS(void, qv_carry_ended, (), { Module.qv.carryEnded(); });
EM_JS(void, qv_announce, (const char* words), { Module.qv.announce(UTF8ToString(words)); });
EM_JS(void, qv_window_label, (int id, const char* label), { Module.qv.labelWindow(id, UTF8ToString(label)); });
EM_JS(void, qv_alert, (const char* text), { Module.qv.alert(UTF8ToString(text)); });
EM_JS(void, qv_console, (const char* text), { console.error(UTF8ToString(text)); });
EM_JS(int, qv_open_help, (const char* name), { return Module.qv.openHelp(UTF8ToString(name)) ? 1 : 0; });
EM_JS(int, qv_probing, (), { return Module.qv.probing ? 1 : 0; });
EM_JS(void, qv_probe, (const char* json), { Module.qv.probe(UTF8ToString(json)); });
EM_JS(void, qv_ended, (), { Module.qv.ended(); });
// Tells the page how an event record is laid out (its fields by name, the
// kinds by name) and where it writes a key's names for qv_web_key.
EM_JS(void, qv_describe_events, (const char* layout, char* keyNames, int keyNameSize), {
    Module.qv.describeEvents(JSON.parse(UTF8ToString(layout)), keyNames, keyNameSize);
});
// The next queued event into the record at `out`; 0 when none waits.
EM_JS(int, qv_next_event, (void* out), { return Module.qv.nextEvent(out); });
// Waits for a queued event or the timeout (-1: none). The program's stack
// is suspended meanwhile; the page runs on.
EM_ASYNC_JS(void, qv_wait, (int timeoutMs), { await Module.qv.wait(timeoutMs); });
// The game this tab goes on with (see quorvex.js), as text the caller
// frees; empty when there is none.
EM_ASYNC_JS(char*, qv_take_kept_game, (const char* keptPrefix, const char* tabKey), {
    const text = await Module.qv.takeKeptGame(UTF8ToString(keptPrefix), UTF8ToString(tabKey));
    return allocateUTF8(text || "");
});
EM_JS(void, qv_keep_game, (const char* text), { Module.qv.keepGame(UTF8ToString(text)); });
// Fetches a file beside the page into memory the caller frees; its size,
// or -1 when it could not be had.
EM_ASYNC_JS(int, qv_fetch, (const char* name, uint8_t** out), {
    return await Module.qv.fetchInto(UTF8ToString(name), out);
});

// ---- events -----------------------------------------------------------------

// One event as the page queued it: quorvex.js writes each field by its
// name, at the place the layout below gives it, so nothing on the page
// is kept in step with this record by hand.
struct WebPlatform::QueuedEvent {
    enum Kind : int32_t { None, Down, Move, Up, Leave, Key, Hidden, Scale, CaptureLost, Resize };
    int32_t Type, Window, X, Y, Button, ScreenX, ScreenY, Finger, Shift, Ctrl, Alt, KeyCode, Repeat;
};

namespace {

// KeyboardEvent.code and .key of the key going down, written by the page
// before it asks qv_web_key.
constexpr int KeyNameSize = 32;
char KeyNames[2][KeyNameSize];

std::string EventLayout() {
    using E = WebPlatform::QueuedEvent;
    std::string json = "{\"size\":" + std::to_string(sizeof(E)) + ",\"fields\":{";
    const std::pair<const char*, size_t> fields[] = {
        {"kind", offsetof(E, Type)},       {"window", offsetof(E, Window)}, {"x", offsetof(E, X)},
        {"y", offsetof(E, Y)},             {"button", offsetof(E, Button)}, {"screenX", offsetof(E, ScreenX)},
        {"screenY", offsetof(E, ScreenY)}, {"finger", offsetof(E, Finger)}, {"shift", offsetof(E, Shift)},
        {"ctrl", offsetof(E, Ctrl)},
        {"alt", offsetof(E, Alt)},         {"key", offsetof(E, KeyCode)},   {"repeat", offsetof(E, Repeat)}};
    for (const auto& [name, at] : fields) json += std::string("\"") + name + "\":" + std::to_string(at) + ",";
    json.back() = '}';
    json += ",\"kinds\":{";
    const std::pair<const char*, int> kinds[] = {{"down", E::Down},   {"move", E::Move},     {"up", E::Up},
                                                 {"leave", E::Leave}, {"key", E::Key},       {"hidden", E::Hidden},
                                                 {"scale", E::Scale}, {"captureLost", E::CaptureLost},
                                                 {"resize", E::Resize}};
    for (const auto& [name, kind] : kinds) json += std::string("\"") + name + "\":" + std::to_string(kind) + ",";
    json.back() = '}';
    return json + "}";
}

}  // namespace

// Asked by the page's key listener, which must decide at once whether the
// browser may act on the key: the portable code of the key whose names it
// wrote into KeyNames, with 0x10000 added when the game takes it.
extern "C" EMSCRIPTEN_KEEPALIVE int qv_web_key(int ctrl, int alt, int systemKey) {
    KeyNames[0][KeyNameSize - 1] = KeyNames[1][KeyNameSize - 1] = '\0';
    const int key = WebKeyCode(KeyNames[0], KeyNames[1]);
    return key | (GameTakesKey(key, ctrl != 0, alt != 0, systemKey != 0) ? 0x10000 : 0);
}

WebPlatform::WebPlatform() {
    qv_describe_events(EventLayout().c_str(), &KeyNames[0][0], KeyNameSize);
    MeasurePage();
}

void WebPlatform::MeasurePage() {
    double v[4] = {1, 0, 0, 0};
    qv_page_view(v);
    view_.DevicePixelRatio = v[0];
    view_.CssWidth = v[1];
    view_.CssHeight = v[2];
    view_.FillPage = v[3] != 0;
}

WebPlatform::~WebPlatform() { qv_ended(); }

std::unique_ptr<Window> WebPlatform::OpenWindow(WindowEvents& events) {
    return std::make_unique<WebWindow>(*this, events, nextId_++);
}

// The router's one list of windows: every window of the page is a WebWindow.
WebWindow* WebPlatform::FromId(int id) const {
    for (RoutedWindow* w : router_.Windows())
        if (static_cast<WebWindow*>(w)->Id() == id) return static_cast<WebWindow*>(w);
    return nullptr;
}

int WebPlatform::ScreenWidth() const { return qv_screen_width(); }
int WebPlatform::ScreenHeight() const { return qv_screen_height(); }

uint64_t WebPlatform::NowMs() const { return uint64_t(emscripten_get_now()); }

void WebPlatform::QueueExpose(WebWindow* window) {
    if (std::find(exposes_.begin(), exposes_.end(), window->Id()) == exposes_.end()) exposes_.push_back(window->Id());
}

bool WebPlatform::WaitForEvents(int timeoutMs) {
    // One event a call, so the loop looks at its end condition between
    // two of them: a click that closes a modal window ends its loop before
    // the next key is handed out.
    if (!exposes_.empty()) {
        const int id = exposes_.front();
        exposes_.pop_front();
        if (WebWindow* w = FromId(id)) router_.Expose(w);
        Probe();
        return true;
    }
    QueuedEvent event{};
    if (!qv_next_event(&event.Type)) {
        qv_wait(timeoutMs);
        if (!qv_next_event(&event.Type)) return true;  // the timeout
    }
    Dispatch(event);
    Probe();
    return true;
}

void WebPlatform::Dispatch(const QueuedEvent& q) {
    WebWindow* window = FromId(q.Window);
    MouseEvent e;
    e.Button = q.Button == 2 ? MouseButton::Right : q.Button == 1 ? MouseButton::Middle : MouseButton::Left;
    e.Modifiers = (q.Shift ? Modifier::Shift : 0u) | (q.Ctrl ? Modifier::Ctrl : 0u) | (q.Alt ? Modifier::Alt : 0u);
    e.X = q.X;
    e.Y = q.Y;
    e.Touch = q.Finger != 0;
    switch (q.Type) {
        case QueuedEvent::Down:
            if (window) router_.PointerDown(window, e, q.ScreenX, q.ScreenY);
            break;
        case QueuedEvent::Move:
            if (window) router_.PointerMove(window, e);
            break;
        case QueuedEvent::Up:
            if (window) router_.PointerUp(window, e);
            break;
        case QueuedEvent::Leave:
            if (window) router_.PointerLeft(window);
            break;
        case QueuedEvent::Key: router_.KeyDown(window, q.KeyCode, e.Modifiers, q.Repeat != 0); break;
        case QueuedEvent::CaptureLost:
            if (window) router_.CaptureTaken(window);
            break;
        case QueuedEvent::Hidden:
            // Hidden, or left for good (a reload, another page): the page
            // may never run again, yet may also come back as it was, so
            // everything is stored and the program goes on.
            if (onHidden_) onHidden_();
            break;
        case QueuedEvent::Resize: PageChanged(); break;
        case QueuedEvent::Scale: PageChanged(); break;
        default: break;
    }
}

void WebPlatform::FitTo(int logicalWidth, int logicalHeight) {
    view_.FitWidth = std::max(logicalWidth, 1);
    view_.FitHeight = std::max(logicalHeight, 1);
    // The screen the program measures itself against at start is the one
    // of the art the page asks for.
    drawScale_ = PageArtScale(view_);
    ApplyRatio(drawScale_);
}

void WebPlatform::DrawingScaleChanged(int scale) {
    drawScale_ = scale;
    ApplyRatio(scale);
}

void WebPlatform::ApplyRatio(int scale) {
    const double from = ratio_;
    ratio_ = ScreenPerCss(view_, scale);
    qv_set_ratio(ratio_);
    // Every window keeps its place on the page, so its screen place scales
    // with the ratio, and stays within the page.
    for (RoutedWindow* w : router_.Windows()) static_cast<WebWindow*>(w)->Rescale(from, ratio_);
}

void WebPlatform::PageChanged() {
    // A zoom, a move to a screen of another density, a window resized or a
    // phone turned: the page is fitted again, and the art the page now asks
    // for is the main window's to take (it decides for every window). The
    // screen it measures that art against is the one it would have.
    MeasurePage();
    const int wanted = PageArtScale(view_), before = drawScale_;
    ApplyRatio(wanted);
    if (RoutedWindow* main = router_.MainWindow()) router_.ScaleWanted(main, wanted);
    // The player's own choice of scale stands: the page fits that.
    if (drawScale_ == before && before != wanted) ApplyRatio(before);
}

std::string WebPlatform::TakeKeptGame() {
    char* text = qv_take_kept_game(KeptGamePrefix, TabIdKey);
    std::string kept = text ? text : "";
    std::free(text);
    return kept;
}

void WebPlatform::KeepGame(const std::string& game) { qv_keep_game(game.c_str()); }

void WebPlatform::SetProbe(std::function<std::string()> probe) {
    if (qv_probing()) probe_ = std::move(probe);
}

void WebPlatform::Probe() {
    if (probe_) qv_probe(probe_().c_str());
}

// ---- services ---------------------------------------------------------------

void WebPlatform::DefineCursor(CursorKind kind, const CursorImage& image) {
    const Bitmap& picture = image.Picture;
    std::vector<uint8_t> rgba;
    ToCanvasPixels(picture, Rect{0, 0, picture.Width, picture.Height}, &image.Shape, rgba);
    qv_define_cursor(int(kind), rgba.data(), picture.Width, picture.Height, image.HotX, image.HotY);
}

void WebPlatform::SetCursor(CursorKind kind) { qv_set_cursor(int(kind)); }

void WebPlatform::CarryStarted(Window& window, const Rect& ball) {
    qv_carry_started(static_cast<WebWindow&>(window).Id(), ball.Left, ball.Top, ball.Width, ball.Height);
}

void WebPlatform::CarryEnded() { qv_carry_ended(); }

void WebPlatform::Announce(const std::string& words) { qv_announce(words.c_str()); }

void WebWindow::SetLabel(const std::string& label) { qv_window_label(id_, label.c_str()); }

void WebPlatform::ShowMessage(const std::string& title, const std::string& text) {
    qv_alert((title + "\n\n" + text).c_str());
}

void WebPlatform::ReportUnattended(const std::string& title, const std::string& text) {
    qv_console((title + ": " + text).c_str());
}

bool WebPlatform::OpenHelp(const std::string& path) {
    // The page ships the HTML document beside itself and opens it in a
    // new tab; only its name counts.
    const std::string document = HtmlHelpFor(path);
    const size_t cut = document.find_last_of("/\\");
    const std::string name = cut == std::string::npos ? document : document.substr(cut + 1);
    return name != ".html" && !name.empty() && qv_open_help(name.c_str()) != 0;
}

// The page stands for the program file: its folder is the page's, and the
// help beside it is opened by name.
std::string WebPlatform::ProgramPath() const { return "/quorvex"; }

std::unique_ptr<Store> WebPlatform::OpenStore() { return std::make_unique<LocalStorageStore>(); }

std::optional<std::vector<uint8_t>> WebPlatform::FetchBeside(const std::string& name) {
    uint8_t* data = nullptr;
    const int size = qv_fetch(name.c_str(), &data);
    if (size < 0) {
        std::free(data);
        ReportUnattended("QuorVex", "could not load " + name + " from beside the page");
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(data, data + size);
    std::free(data);
    return bytes;
}

// ---- windows ----------------------------------------------------------------

WebWindow::WebWindow(WebPlatform& platform, WindowEvents& events, int id)
    : RoutedWindow(platform.Router(), events), platform_(platform), id_(id) {
    qv_window_open(id_);
}

WebWindow::~WebWindow() { qv_window_close(id_); }

void WebWindow::Layout() { qv_window_layout(id_, bounds_.Left, bounds_.Top, bounds_.Width, bounds_.Height); }

void WebWindow::SetBounds(const Rect& bounds) {
    bounds_ = bounds;
    bounds_.Width = std::max(bounds_.Width, 0);
    bounds_.Height = std::max(bounds_.Height, 0);
    // The page is the window manager: a window stays where it can be
    // reached, however it was moved or wherever it was stored.
    bounds_ = KeepWithinPage(bounds_, platform_.ScreenWidth(), platform_.ScreenHeight());
    Layout();
}

void WebWindow::Rescale(double from, double to) {
    if (from > 0 && from != to) {
        bounds_.Left = int(std::lround(bounds_.Left * to / from));
        bounds_.Top = int(std::lround(bounds_.Top * to / from));
    }
    bounds_ = KeepWithinPage(bounds_, platform_.ScreenWidth(), platform_.ScreenHeight());
    Layout();
    ApplyShape();
}

void WebWindow::SetTitle(const std::string& title) { qv_window_title(id_, title.c_str()); }

bool WebWindow::SystemShow(bool wasVisible) {
    qv_window_visible(id_, 1);
    Activate();
    // A window system asks a window it shows for its pixels.
    if (!wasVisible) platform_.QueueExpose(this);
    return true;
}

void WebWindow::Activate() {
    if (Visible()) qv_window_raise(id_);
}

void WebWindow::SystemHide() { qv_window_visible(id_, 0); }

void WebWindow::SystemRaise() { qv_window_raise(id_); }

void WebWindow::SetShape(const Region* shape) {
    hasShape_ = shape != nullptr;
    if (shape) shape_ = *shape;
    ApplyShape();
}

void WebWindow::ApplyShape() {
    qv_window_shape(id_, hasShape_ ? ClipPathCss(shape_, 1).c_str() : nullptr);
}

void WebWindow::Present(const Bitmap& surface, const Rect& dirty) {
    // Only the changed part goes to the canvas. Our pixels are 0x00RRGGBB;
    // a canvas takes R, G, B, A bytes.
    const Rect area = Intersect(Intersect(dirty, Rect{0, 0, surface.Width, surface.Height}),
                                Rect{0, 0, bounds_.Width, bounds_.Height});
    if (area.Empty()) return;
    ToCanvasPixels(surface, area, nullptr, rgba_);
    qv_window_present(id_, rgba_.data(), area.Left, area.Top, area.Width, area.Height);
}

bool WebWindow::GrabPointer() { return qv_window_grab(id_) != 0; }

void WebWindow::UngrabPointer() { qv_window_ungrab(id_); }
