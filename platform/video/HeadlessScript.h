#pragma once
// Timed input for headless runs. One event per line (several may share a line, separated by
// " / "), '#' starts a comment:
//   at MS tap X Y | down X Y | up X Y | move X Y     stylus at upright view coordinates
//   at MS key NAME | keydown NAME [DEPTH] | keyup NAME
//       the handheld's keys: up down left right action back app1..app3; the desktop's
//       keys and controller controls by their names (DesktopKeys.h: a, 7, space, return,
//       escape, pageup, [, pad_a, pad_lt, ...); DEPTH 1..255 is a trigger's depth
//   at MS char C                                      one typed character (Latin-1), or
//                                                     "backspace" for character 8
//   at MS shot NAME.png                               save the next presented frame
//   at MS quit                                        end the run (as closing the window)
// MS counts from the start of the run. Steps are kept in time order (lines with equal
// times in file order). A malformed line is skipped and named in the error text.
#include "platform/video/DeviceEvents.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ScriptStep {
    enum class Kind : uint8_t { Input, Shot, Quit };
    uint32_t at = 0;
    Kind kind = Kind::Input;
    DeviceEvent event;    // for Input; stylus x, y are upright view coordinates here
    std::string shotName; // for Shot
};

// Parses text into steps; returns false when any line was malformed (the good ones are
// kept) and describes each bad line in errors.
bool ParseScript(std::string_view text, std::vector<ScriptStep>& steps, std::string& errors);

// The handheld key code for a script key name, or 0.
uint16_t ScriptKeyCode(std::string_view name);
// Fills the event's handheld and desktop codes for any script key name; false when unknown.
bool ScriptKey(std::string_view name, DeviceEvent& event);

} // namespace platform
