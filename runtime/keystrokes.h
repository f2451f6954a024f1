#pragma once
// Keystrokes a control sends to its own window, and letting the events that
// are waiting run before a handler goes on.

namespace rt {

// Sends Tab (or Shift+Tab when backwards) to the widget that has the focus, so
// the focus moves to the next (previous) control of its window in tab order.
// Nothing happens when no widget has the focus.
void sendTab(bool backwards);

// Runs the events that are waiting now, without waiting for new ones.
void doEvents();

} // namespace rt
