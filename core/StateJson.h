#pragma once
// The simulation state as one line of JSON:
//   {"block":{"OpA":false,...,"DalejPhase":0,...},
//    "desk":{"ALed1":{"Value":true,"Blink":false,"TrueColor":255},...}}
// Block variables are booleans and integers under their names; every desk
// control is an object of its properties (see DeskModel.h), colours as
// integers, looks and texts as UTF-8 strings.

#include <string>
#include <string_view>

namespace kyt {

class Simulator;

std::string stateJson(const Simulator& sim);

// A JSON string literal (with its quotes) of UTF-8 text.
std::string jsonString(std::string_view text);

} // namespace kyt
