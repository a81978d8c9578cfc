// StoredPlace: a window's place read from and written to the store.
#include "forms/StoredPlace.h"

#include "forms/Application.h"
#include "forms/Form.h"
#include "game/Settings.h"
#include "util/ScreenPlace.h"

bool StoredPlace::Restore(Form& form) {
    const auto place = WindowPositions.ReadPlace(prefix_);
    if (!place) return false;
    const Rect size = form.ScreenBounds();
    const Rect at{place->first, place->second, size.Width, size.Height};
    if (!PlaceReachable(at, form.App().System().WorkArea())) return false;
    form.MoveToScreen(at.Left, at.Top);
    return true;
}

bool StoredPlace::Store(const Form& form) {
    const Rect at = form.ScreenBounds();
    if (stored_ && *stored_ == at) return true;
    if (!WindowPositions.WritePlace(prefix_, at.Left, at.Top)) return false;
    stored_ = at;
    return true;
}
