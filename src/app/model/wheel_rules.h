// What a turn of the mouse wheel does over the main window: decided from the
// whole set of held buttons and keys and from what the window shows.
#pragma once

#include <cstdint>

#include "app/model/view_state.h"

namespace zk {

// Held buttons and keys, compared as a whole set.
enum WheelHeld : uint8_t {
  kWheelShift = 1,
  kWheelCtrl = 2,
  kWheelAlt = 4,
  kWheelLeft = 8,
  kWheelRight = 16,
  kWheelMiddle = 32,
};

enum class WheelRule {
  kStepSelection,   // move in the search window's results: StepEverythingSelection(argument)
  kZoom,            // ZoomUpAction for up, ZoomOutAction for down
  kStepMember,      // the previous (up) or next (down) archive member
  kScrollText,      // the text control one line
  kScrollArchive,   // the archive list one line
  kNothing,
};

struct WheelDecision {
  WheelRule rule = WheelRule::kNothing;
  int argument = 0;  // kStepSelection: the direction code
};

struct WheelContext {
  ViewFileType view = vfTemp;
  bool member_selected = false;  // an archive member is selected in the archive list
  bool text_page_active = false;
  bool archive_page_active = false;
};

// up: the wheel turned away from the user (a positive delta).
WheelDecision DecideWheel(uint8_t held, bool up, const WheelContext& context);

}  // namespace zk
