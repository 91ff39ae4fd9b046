#pragma once
// The image ids of every pack the program draws from, shared by the screens that draw them,
// the baker that makes them and the tests. A pack keeps its images under these numbers.
#include <cstdint>

// The "menuui" pack (and the single image "tamborix" for the logo).
enum MenuImage : uint32_t {
    MenuPanel = 100,
    MenuTitleBar = 101,
    MenuSoftBar = 102,
    MenuLeftArrow = 103,
    MenuRightArrow = 104,
    MenuCursor = 105,
    MenuLogo = 106,
    MenuStrip = 107,
};

// The single image "drumkit", the turn lights of the "drums" pack, the sticks of "sticks".
constexpr uint32_t kKitBackgroundImage = 200;
constexpr uint32_t kPlayerTurnImage = 300;
constexpr uint32_t kKitTurnImage = 301;
constexpr uint32_t kFirstStickImage = 600; // the first kind's frames; the second's from 610
constexpr uint32_t kStickKindStep = 10;

// The "buttons" pack.
enum ButtonImage : uint32_t {
    ButtonPause = 400, // also the in-game menu button in the corner
    ButtonMetronomeOn = 401,
    ButtonMetronomeOff = 402,
    ButtonUpDown = 403,
    ButtonBack = 404,
    ButtonPlay = 405,
    ButtonStop = 406,
    ButtonHandleRemove = 407, // the segment editor's step handles
    ButtonHandleAdd = 408,
    ButtonName = 409,
    ButtonCopy = 410,
    ButtonVisualiseOn = 411,
    ButtonVisualiseOff = 412,
    ButtonForward = 413,
    ButtonRewind = 414,
    ButtonRepeatOn = 415,
    ButtonRepeatOff = 416,
    ButtonClear = 417,
    ButtonCentreBar = 418,
};

// The "machine" pack.
enum MachineImage : uint32_t {
    MachineBandBelow = 500,
    MachineBandAbove = 501,
    MachineScrollLeft = 502,
    MachineScrollRight = 503,
    MachineSegmentCursor = 504,
    MachineTrackCursor = 505,
    MachineLabelEven = 506,
    MachineLabelOdd = 507,
    MachineMarginEven = 508,
    MachineMarginOdd = 509,
    MachineCellFirst = 510, // 510..517: empty and struck cells in two shades each way
    MachineColumnEven = 518,
    MachineColumnOdd = 519,
    MachineStripLeft = 520,
    MachineStripRight = 521,
};
