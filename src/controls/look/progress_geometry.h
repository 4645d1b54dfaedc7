#pragma once

// Where the filled part of a progress bar lies, without any drawing, so the
// rules can be checked on their own.

// Pixels of `length` that stand for `position` in `min`..`max` (clamped
// into 0..length; an empty range fills nothing).
int FilledLength(int min, int max, int position, int length);

// A run of pixels along the bar's direction of growth: [start, end).
struct FillSpan {
  int start = 0;
  int end = 0;
  bool Empty() const { return end <= start; }
};
