// What the in-process GUI tests share: input synthesis and the main-window fixture.
#pragma once

#include "Input.h"
#include "MainWindowFixture.h"
