#pragma once

#include <string_view>

// Hints of the seven controls that carry one: "short|long", or one text for both.
struct HintTexts {
  std::string_view check_box3;
  std::string_view check_box1;
  std::string_view check_box2;
  std::string_view combo_box1;
  std::string_view label1;
  std::string_view speed_button1;
  std::string_view speed_button2;
};

// Every interface text of the window in one language, byte for byte as shown
// (Russian in Windows-1251, English in ASCII; trailing blanks are part of them).
struct TextSet {
  std::string_view header;              // Header1
  std::string_view destination_label;   // Label3
  std::string_view delete_after_setup;  // CheckBox1
  std::string_view copy_distribution;   // CheckBox2
  std::string_view select_all;          // CheckBox3
  std::string_view item_line;           // Label2 at rest
  std::string_view information;         // Label1 at activation
  std::string_view extract;             // Button1 while something is checked
  std::string_view exit;                // Button1 while nothing is checked
  std::string_view compact_caption;     // window caption in compact mode
  HintTexts hints;

  std::string_view apply;               // Button1 at activation and countdown end
  std::string_view no_packages_header;  // Header1 when there is nothing to list
  std::string_view no_packages_hint;    // Label1 when there is nothing to list
  std::string_view execution;           // Label1 while the apply run works
  std::string_view copy_prefix;         // Label2 before a folder being copied
  std::string_view no_settings_notice;  // Label2 without Korvelund.ini
};

const TextSet& RussianTextSet();
const TextSet& EnglishTextSet();
const TextSet& TextSetFor(bool english);

// A click on a button that reads exactly one of the Exit texts, in either
// language, ends the program.
bool IsExitText(std::string_view caption);
