#pragma once
// One step of a game pattern: the rhythm game's bars and the memory game's sequence are
// singly linked lists of these, owned by the drum kit.
#include <cstdint>

enum PatternStepFlags : uint32_t {
    StepJudged = 1,  // played by the player or the kit, or charged as missed
    StepClicked = 2, // its metronome click has sounded
};

// Piece 0..8 is a drum piece; this value is a silent step.
constexpr uint32_t kRestPiece = 10;
constexpr uint32_t kPieceCount = 9;

enum StepClick : uint32_t { ClickNone = 10, ClickLoud = 11, ClickNormal = 12 };

// Phase 1 is the player's turn; 0 (demonstrated bars) and 2 (count-in) are played by the kit.
enum StepPhase : uint32_t { PhaseDemo = 0, PhasePlayer = 1, PhaseCountIn = 2 };

struct PatternStep {
    uint32_t flags = 0;
    uint32_t piece = kRestPiece;
    uint32_t click = ClickNone;
    uint32_t phase = PhaseCountIn;
    PatternStep* next = nullptr;
};

void FreePattern(PatternStep*& head);
uint32_t PatternLength(const PatternStep* head);
// Step index (0-based), or null past the end.
PatternStep* PatternStepAt(PatternStep* head, uint32_t index);
