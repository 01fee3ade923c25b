#pragma once
// What a control that draws itself and acts on a click shares with a push
// button: the hand cursor, a press that counts only when the button is
// released inside, Space and Enter (not on auto-repeat), and a redraw when
// the focus, the enabled state or the keyboard cues change (it draws its own
// focus rectangle).
#include <windows.h>

namespace kelvane {

// True when the message is answered (in *result); false sends it on to the
// control's own handling. `pressed` is the control's flag, null before it has one.
bool AnswerPressClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* pressed, void (*click)(HWND),
                      LRESULT* result);

}  // namespace kelvane
