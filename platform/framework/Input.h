#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Window.h"

#include <cstdint>
#include <string>

// Synthetic mouse and keyboard input at screen coordinates. It takes the paths a person's input
// takes: hit testing, the cursor message, capture, activation, double clicks, mouse entry and
// exit, and for keys the pre-translation that gives dialog keys and characters their turn.
namespace framework {

bool IsKeyMessage(UINT msg);
// Delivers a key or character message the way the message loop does: the control first gets the
// matching CN_ message (where dialog keys are routed); only an unanswered one is dispatched.
// Answers whether it was.
bool DeliverKeyMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace input {

constexpr int DoubleClickTime = 500; // milliseconds of the virtual clock
constexpr int DoubleClickDistance = 2;

void MoveMouse(TPoint screen);
void PressButton(TMouseButton button, TPoint screen);
void ReleaseButton(TMouseButton button, TPoint screen);
void Click(TPoint screen, TMouseButton button = mbLeft);
void DoubleClick(TPoint screen);
void Wheel(int delta, TPoint screen);
// The centre of a control in screen coordinates.
TPoint CentreOf(const TControl& control);

// Modifier keys go down first and up last.
void KeyDown(std::uint16_t key);
void KeyUp(std::uint16_t key);
void PressKey(std::uint16_t key, TShiftState shift = {});
// Each code point is a key press where a key gives it, otherwise a character on its own.
void TypeText(const std::string& utf8);

// Forgets the buttons and keys held, the last click and the control under the mouse.
void Reset();
// The control under the mouse as CM_MOUSEENTER last announced it.
TControl* MouseControl();
// Called by a control that goes away, so that no message reaches it afterwards.
void ForgetControl(const TControl* control);

} // namespace input

// Bit 15 set while the key is down.
short GetKeyState(int key);
TShiftState GetShiftState();
bool GetCursorPos(TPoint* point);
bool SetCursorPos(int x, int y);

} // namespace framework
