// Linked into every program that uses the controls (an object library), so
// that window descriptions can create them by class name.
#include "controls/xp_button.h"
#include "controls/xp_check_box.h"
#include "controls/xp_check_list_box.h"
#include "controls/xp_collapse_panel.h"
#include "controls/xp_combo_box.h"
#include "controls/xp_header.h"
#include "controls/xp_progress_bar.h"
#include "framework/description_reader.h"

namespace {

const bool registered = [] {
  RegisterComponentClass<TKWTXPButton>("TKWTXPButton");
  RegisterComponentClass<TKWTXPCheckBox>("TKWTXPCheckBox");
  RegisterComponentClass<TKWTXPComboBox>("TKWTXPComboBox");
  RegisterComponentClass<TKWTXPCheckListBox>("TKWTXPCheckListBox");
  RegisterComponentClass<TKWTXPProgressBar>("TKWTXPProgressBar");
  RegisterComponentClass<TKWTXPHeader>("TKWTXPHeader");
  RegisterComponentClass<TKWTXPCollapsePanel>("TKWTXPCollapsePanel");
  return true;
}();

}  // namespace
