// StoredPlace: where a window stood when the program last ended, kept in
// the store as "<prefix>Left" and "<prefix>Top" in screen pixels, so a
// place means the same spot at every drawing scale. The board and every
// side window read and store their place through one of these.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "util/Geometry.h"

class Form;

class StoredPlace {
public:
    explicit StoredPlace(std::string_view prefix) : prefix_(prefix) {}

    // Puts `form` where it was stored, as it is, partly off the screen
    // included: the player put it there. A place with too little of the
    // window on the work area to take hold of it (a monitor that is gone)
    // counts as none. False when no usable place was stored; the form is
    // then left where it stands.
    bool Restore(Form& form);
    // Stores where `form` stands now; once is enough while it has not moved.
    // False when the store refused.
    bool Store(const Form& form);

private:
    std::string prefix_;
    std::optional<Rect> stored_;  // where the last store put the window
};
