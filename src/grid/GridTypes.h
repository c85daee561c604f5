#pragma once
// Small shared vocabulary of the list control: "no row", "no column" and the
// state of the shift keys and mouse buttons handed to its events.

constexpr int kNoRow = -1;
constexpr int kNoColumn = -1;

// Flags of TGridShiftState.
enum TGridShift : unsigned {
  gsShift = 1,
  gsAlt = 2,
  gsCtrl = 4,
  gsLeft = 8,
  gsRight = 16,
  gsMiddle = 32,
  gsDouble = 64,
};
using TGridShiftState = unsigned;
