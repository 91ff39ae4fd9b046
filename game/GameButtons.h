#pragma once
// The on-screen buttons the game screens share, drawn from the "buttons" pack along the
// bottom edge (two in the top-left corner), each with its stylus test, and the five-place
// character window over the centre bar. Positions are computed from the current render
// target at every call, so they follow the orientation.
#include "game/ImageIds.h"
#include "varnokengine/VGString.h"

#include <cstdint>

struct VGBitmap;

// Each loads its pack of GameApp once, on first use.
void LoadMachineImages();
void LoadButtonImages();
void LoadMenuImages();

// Draws the image with its bottom edge on y.
void DrawBottom(const VGBitmap* image, int32_t x, int32_t y);
// The centre bar and up to five characters of text from index first (negative indices are
// empty places) at a fixed pitch.
void DrawCharWindow(const VGString& text, int32_t first);

// Drawing, by where the button goes.
void DrawCornerButton(uint32_t image);  // 400 or 404, bottom-right corner
void DrawMetronomeButton();             // 401 or 402 by the metronome switch, left of the bar
void DrawLeftOfBar(uint32_t image);     // 400 or 405, left of the bar
void DrawRewindButton();                // 414, left of 405
void DrawRightOfBar(uint32_t image);    // 403 or 406, right of the bar
void DrawRightOfUpDown(uint32_t image); // 405 or 406, right of 403
void DrawForwardButton();               // 413, right of 406
void DrawBottomLeft(uint32_t image);    // 409, 411 or 412, bottom-left corner
void DrawCopyButton();                  // 410, right of 409
void DrawTopLeft(uint32_t image);       // 415 or 416, top-left corner
void DrawClearButton(int32_t y);        // 417 at the right edge, top at y

// Stylus tests, true when the stylus is on the button.
bool HitCornerButton(uint32_t image); // 400 or 404
bool HitMetronomeButton();            // 401 left of the bar
bool HitPlayLeftOfBar();              // 405 left of the bar
bool HitRewindButton();               // 414
bool HitUpDownUpper();                // upper half of 403
bool HitUpDownLower();                // lower half of 403
bool HitStopRightOfBar();             // 406 right of the bar
bool HitPlayRightOfUpDown();          // 405 right of 403
bool HitForwardButton();              // 413
bool HitBottomLeft(uint32_t image);   // 409 or 411
bool HitCopyButton();                 // 410
bool HitTopLeft();                    // 415
bool HitClearButton(int32_t y);       // 417 at y
