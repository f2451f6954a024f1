#pragma once
// The kinds of Form1's input boxes and buttons. The handlers use only Text(),
// Enabled()/setEnabled() and the Click signal, so the kinds can change here
// without touching a handler.
#include "controls/button/glintbutton.h"
#include "controls/textbox/mtextbox.h"

using Form1Box = textbox::mTextBox;
using Form1Button = glint::Glintbutton;
