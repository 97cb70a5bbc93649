#include "toolkit/UknHotKeys.h"

#include <xcb/xcb.h>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <array>

#include "foundation/UknError.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknKeys.h"

// X11 last: its macros would spoil Qt's headers.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace qb {

namespace {

// The modifier bit NumLock sets on this keyboard (usually Mod2); 0 when it has none.
uint32_t NumLockMask(Display* display) {
    uint32_t mask = 0;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map) return 0;
    KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    for (int modifier = 0; numLock != 0 && modifier < 8; ++modifier)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[modifier * map->max_keypermod + k] == numLock)
                mask = 1u << modifier;
    XFreeModifiermap(map);
    return mask;
}

// A hotkey's grabs: as it is, with NumLock, with CapsLock and with both.
std::array<uint32_t, 4> LockVariants(Display* display, uint32_t mask) {
    const uint32_t numLock = NumLockMask(display);
    return {mask, mask | numLock, mask | LockMask, mask | numLock | LockMask};
}

// The modifier bits that decide a hotkey; the lock keys and mouse buttons are left out.
constexpr uint32_t kRelevantMask = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

// A hotkey's work has no caller to tell of a failure (a link that does not open): its message
// is shown once the key's event is over. Other errors end the work only, as in the event loop.
void DispatchToCenter(int32_t id) {
    TknHotKeyCenter* center = ExistingHotKeyCenter();
    if (!center) return;
    try {
        center->DispatchHotKey(id);
    } catch (const TknError& error) {
        QTimer::singleShot(0, qApp, [message = error.Message()] { ShowPrompt(nullptr, message); });
    } catch (const std::exception&) {
    }
}

}  // namespace

class TknX11HotKeyPlatform::TEventFilter : public QAbstractNativeEventFilter {
  public:
    explicit TEventFilter(TknX11HotKeyPlatform& owner) : FOwner(owner) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) == XCB_KEY_PRESS) {
            auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
            FOwner.KeyPressed(key->detail, key->state, key->event == key->root);
        }
        return false;  // everyone else sees the event too
    }

  private:
    TknX11HotKeyPlatform& FOwner;
};

TknX11HotKeyPlatform::TknX11HotKeyPlatform(std::function<void(int32_t id)> dispatch,
                                           Display* display)
    : FDispatch(std::move(dispatch)), FDisplay(display) {
    if (!FDispatch) FDispatch = DispatchToCenter;
    if (!FDisplay) return;
    FFilter = std::make_unique<TEventFilter>(*this);
    QCoreApplication::instance()->installNativeEventFilter(FFilter.get());
}

TknX11HotKeyPlatform::~TknX11HotKeyPlatform() {
    if (FFilter && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(FFilter.get());
    for (const auto& [id, grab] : FKeys) Ungrab(grab);
}

bool TknX11HotKeyPlatform::RegisterHotKey(int32_t id, uint32_t modifiers, uint32_t virtualKey) {
    UnregisterHotKey(id);
    if (!FDisplay) return false;
    uint32_t keySym = VirtualKeyToKeySym(virtualKey);
    KeyCode keyCode = keySym ? XKeysymToKeycode(FDisplay, keySym) : 0;
    if (keyCode == 0) return false;
    TGrab grab{keyCode, HotKeyModifiersToXMask(modifiers)};
    // The same key twice in this program would fire for one id only; refused, as taken.
    for (const auto& [otherId, other] : FKeys)
        if (other.KeyCode == grab.KeyCode && other.Mask == grab.Mask) return false;

    bool taken;
    {
        TknXErrorTrap trap(FDisplay);
        for (uint32_t mask : LockVariants(FDisplay, grab.Mask))
            XGrabKey(FDisplay, grab.KeyCode, mask, DefaultRootWindow(FDisplay), True, GrabModeAsync,
                     GrabModeAsync);
        taken = trap.Has(BadAccess);
    }
    if (taken) {
        Ungrab(grab);  // the variants that did succeed
        return false;
    }
    FKeys[id] = grab;
    return true;
}

void TknX11HotKeyPlatform::UnregisterHotKey(int32_t id) {
    auto it = FKeys.find(id);
    if (it == FKeys.end()) return;
    Ungrab(it->second);
    FKeys.erase(it);
}

void TknX11HotKeyPlatform::Ungrab(const TGrab& grab) {
    TknXErrorTrap trap(FDisplay);  // ungrabbing what was never grabbed is no error worth telling
    for (uint32_t mask : LockVariants(FDisplay, grab.Mask))
        XUngrabKey(FDisplay, grab.KeyCode, mask, DefaultRootWindow(FDisplay));
}

bool TknX11HotKeyPlatform::KeyPressed(uint32_t keyCode, uint32_t state, bool grabbed) {
    const uint32_t mask = state & kRelevantMask;
    for (const auto& [id, grab] : FKeys) {
        if (grab.KeyCode != keyCode || grab.Mask != mask) continue;
        if (grabbed && FDisplay) {
            XUngrabKeyboard(FDisplay, CurrentTime);
            XSync(FDisplay, False);  // let go for every client, before any key is sent
        }
        const int32_t hit = id;  // the handler may change the registrations
        FDispatch(hit);
        return true;
    }
    return false;
}

}  // namespace qb
