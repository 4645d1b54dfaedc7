#pragma once

#include "framework/graphics.h"

#include <functional>
#include <variant>

class TObject;

// Shift keys and mouse buttons held during an event.
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum TOwnerDrawFlag : unsigned { odSelected = 1, odDisabled = 2, odFocused = 4 };
using TOwnerDrawState = unsigned;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// The handler may set Key to 0 to swallow the key.
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// Owner drawing of one list entry: the canvas to draw on, the entry's index
// and the rectangle of its text part.
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int Index,
                                          const RECT& Rect, TOwnerDrawState State)>;

// Any handler a window description can name.
using TEventHandler =
    std::variant<TNotifyEvent, TMouseEvent, TMouseMoveEvent, TKeyEvent, TDrawItemEvent>;

// Shift state of the keyboard now (keys only).
TShiftState KeyboardShiftState();
// Shift state from the MK_ flags of a mouse message, plus Alt from the keyboard.
TShiftState MouseShiftState(WPARAM flags);
