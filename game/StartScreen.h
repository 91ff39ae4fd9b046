#pragma once
// Stands in for the language choice and the main menu until the menu screens exist: it
// draws nothing and never moves on.
#include "varnokengine/VGScreen.h"

class StartScreen final : public VGScreen {};
