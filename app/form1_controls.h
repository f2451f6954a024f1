#pragma once
// The kinds of Form1's input boxes and buttons. The handlers use only Text(),
// Enabled()/setEnabled() and the Click signal, so the kinds can change here
// without touching a handler.
#include "controls/textbox/mtextbox.h"
#include "runtime/controls.h"

using Form1Box = textbox::mTextBox;
using Form1Button = rt::CommandButton;
