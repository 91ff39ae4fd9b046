#pragma once
// Re-flowing texts in place before they are laid out.
#include "varnokengine/VGString.h"

// Every line feed becomes a blank, then the blank nearest the middle becomes the one line
// feed (the left one on a tie). A text without a blank stays on one line.
void SplitInTwoLines(VGString& text);

// Every line feed becomes a blank, then the words are gathered into lines shorter than 18
// characters (a word longer than that gets a line of its own).
void WrapWords(VGString& text);

// Texts that are SplitInTwoLines'd when they are longer than this (descriptions, labels).
constexpr uint32_t kSplitLabelLength = 24;
