#pragma once

// Heights of the unpacker's window, in pixels, that the code sets; the rest
// of the layout is in the window description.
inline constexpr int kEntryHeight = 18;           // one list entry
inline constexpr int kBaseHeight = 158;           // the window without list entries
inline constexpr int kCompactHeight = 132;        // the window in compact mode
inline constexpr int kReducedOptionsHeight = 72;  // the options without the distribution copy
