// Every picture the program carries, drawn from shapes.
#pragma once

#include "Canvas.h"

namespace mediagen {

// Palette colours by name, so the drawings read like the pictures they describe.
namespace colour {
constexpr Rgb kBlack = MakeRgb(0x000000), kMaroon = MakeRgb(0x800000), kGreen = MakeRgb(0x008000),
              kOlive = MakeRgb(0x808000), kNavy = MakeRgb(0x000080), kPurple = MakeRgb(0x800080),
              kTeal = MakeRgb(0x008080), kSilver = MakeRgb(0xC0C0C0), kGrey = MakeRgb(0x808080),
              kRed = MakeRgb(0xFF0000), kLime = MakeRgb(0x00FF00), kYellow = MakeRgb(0xFFFF00),
              kBlue = MakeRgb(0x0000FF), kFuchsia = MakeRgb(0xFF00FF), kAqua = MakeRgb(0x00FFFF),
              kWhite = MakeRgb(0xFFFFFF);
}

// 32 x 32, 16 colours: a train's front seen head-on.
Canvas DrawTrainFront();
// 32 x 16 strip of two 16 x 16 clocks, normal and disabled, on an olive background.
Canvas DrawButtonGlyph();
// 64 x 16: copy, exit and about pictures in slots 0-2, slot 3 empty.
Canvas DrawCommandImages();
// 32 x 32 true colour: green bevelled square crossed by two white diagonals.
Canvas DrawAboutPicture();

}  // namespace mediagen
