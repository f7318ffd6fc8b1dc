// InputKeys.h: the key and action numbers of engine input events. Keyboard keys use their
// Windows virtual-key numbers.
#pragma once

enum EInputKey
{
    IK_None         = 0,
    IK_LeftMouse    = 1,
    IK_RightMouse   = 2,
    IK_MiddleMouse  = 4,
    IK_MouseButton4 = 5,
    IK_MouseButton5 = 6,
    IK_Backspace    = 8,
    IK_Enter        = 13,
    IK_Escape       = 27,
    IK_Tilde        = 0xC0,
    IK_MouseX       = 228,
    IK_MouseY       = 229,
    IK_MouseWheelUp = 236,
    IK_MouseWheelDown = 237,
    IK_MAX          = 256,
};

enum EInputAction
{
    IST_None    = 0,
    IST_Press   = 1,
    IST_Hold    = 2,
    IST_Release = 3,
    IST_Axis    = 4,
};
