#include "control_host.h"
#include "controls/xp_button.h"
#include "controls/xp_check_box.h"
#include "controls/xp_check_list_box.h"
#include "controls/xp_collapse_panel.h"
#include "controls/xp_combo_box.h"
#include "controls/xp_header.h"
#include "controls/xp_progress_bar.h"
#include "framework/description_reader.h"

#include <memory>

namespace {

template <class T>
std::unique_ptr<T> Create(const char* class_name) {
  const TComponentFactory* factory = FindComponentClass(class_name);
  if (!factory) return nullptr;
  return std::unique_ptr<T>(dynamic_cast<T*>((*factory)(nullptr)));
}

TEST(XPRegistrationTest, EveryControlClassIsRegisteredWithItsDefaults) {
  auto button = Create<TKWTXPButton>("TKWTXPButton");
  ASSERT_TRUE(button);
  EXPECT_FALSE(button->Default());
  EXPECT_FALSE(button->WordWrap());
  EXPECT_TRUE(button->ShowAccelChar());
  EXPECT_FALSE(button->DrawFocusRect());
  EXPECT_TRUE(button->TabStop());
  EXPECT_EQ(button->Width(), 75);
  EXPECT_EQ(button->Height(), 25);

  auto box = Create<TKWTXPCheckBox>("TKWTXPCheckBox");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
  EXPECT_FALSE(box->AllowGrayed());

  auto combo = Create<TKWTXPComboBox>("TKWTXPComboBox");
  ASSERT_TRUE(combo);
  EXPECT_EQ(combo->DropDownWidthPlus(), 0);

  auto list = Create<TKWTXPCheckListBox>("TKWTXPCheckListBox");
  ASSERT_TRUE(list);
  EXPECT_TRUE(list->Flat());
  EXPECT_FALSE(list->AllowGrayed());
  EXPECT_EQ(list->HeaderColor(), clInfoText);
  EXPECT_EQ(list->HeaderBackgroundColor(), clInfoBk);

  auto bar = Create<TKWTXPProgressBar>("TKWTXPProgressBar");
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->Min(), 0);
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(bar->Step(), 10);
  EXPECT_FALSE(bar->Smooth());
  EXPECT_EQ(bar->Orientation(), TProgressBarOrientation::pbHorizontal);
  EXPECT_EQ(bar->BorderColor(), RGB(128, 128, 128));
  EXPECT_EQ(bar->Color(), clWhite);
  EXPECT_EQ(bar->Width(), 149);
  EXPECT_EQ(bar->Height(), 16);

  auto header = Create<TKWTXPHeader>("TKWTXPHeader");
  ASSERT_TRUE(header);
  EXPECT_EQ(header->KWTXPCollapsePanel(), nullptr);
  EXPECT_TRUE(header->Collapsed());
  EXPECT_EQ(header->Border(), 4);
  EXPECT_EQ(header->Color(), RGB(83, 141, 251));
  EXPECT_EQ(header->HotColor(), RGB(89, 154, 251));
  EXPECT_TRUE(header->HotOverlay());
  EXPECT_TRUE(header->HandCursor());
  EXPECT_EQ(header->Images(), nullptr);
  EXPECT_EQ(header->ImageIndex(), -1);
  EXPECT_EQ(header->Font().Style(), fsBold);
  EXPECT_EQ(header->Font().Color(), RGB(5, 92, 224));
  EXPECT_EQ(header->Width(), 170);
  EXPECT_EQ(header->Height(), 40);

  auto panel = Create<TKWTXPCollapsePanel>("TKWTXPCollapsePanel");
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->Border(), 4);
  EXPECT_EQ(panel->ColorFrame(), clWhite);
  EXPECT_EQ(panel->ColorBackground(), RGB(83, 141, 251));
  EXPECT_EQ(panel->Color(), RGB(203, 219, 248));
  EXPECT_EQ(panel->Width(), 170);
  EXPECT_EQ(panel->Height(), 120);
}

class XPDescriptionTest : public ControlHostTest {};

TEST_F(XPDescriptionTest, ControlPropertiesReadFromADescription) {
  Read(R"(
    object Box: TKWTXPCheckBox
      State = cbGrayed
      AllowGrayed = True
      Alignment = taLeftJustify
    end
    object Ticked: TKWTXPCheckBox
      Checked = True
    end
    object List: TKWTXPCheckListBox
      Flat = False
      AllowGrayed = True
      HeaderColor = clRed
    end
    object Header: TKWTXPHeader
      Collapsed = False
      HotOverlay = False
      HandCursor = False
      HotColor = $00102030
      ImageIndex = 2
    end
    object Bar: TKWTXPProgressBar
      Max = 50
      Position = 80
      Step = 5
      Smooth = True
      BorderColor = clBlack
    end
    object Button: TKWTXPButton
      Default = True
      WordWrap = True
      ShowAccelChar = False
      DrawFocusRect = True
    end)");
  EXPECT_EQ(Get<TKWTXPCheckBox>("Box")->State(), TCheckBoxState::cbGrayed);
  EXPECT_TRUE(Get<TKWTXPCheckBox>("Box")->AllowGrayed());
  EXPECT_EQ(Get<TKWTXPCheckBox>("Box")->Alignment(), TAlignment::taLeftJustify);
  EXPECT_TRUE(Get<TKWTXPCheckBox>("Ticked")->Checked());
  EXPECT_FALSE(Get<TKWTXPCheckListBox>("List")->Flat());
  EXPECT_TRUE(Get<TKWTXPCheckListBox>("List")->AllowGrayed());
  EXPECT_EQ(Get<TKWTXPCheckListBox>("List")->HeaderColor(), clRed);
  auto* header = Get<TKWTXPHeader>("Header");
  EXPECT_FALSE(header->Collapsed());
  EXPECT_FALSE(header->HotOverlay());
  EXPECT_FALSE(header->HandCursor());
  EXPECT_EQ(header->HotColor(), 0x00102030);
  EXPECT_EQ(header->ImageIndex(), 2);
  auto* bar = Get<TKWTXPProgressBar>("Bar");
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(bar->Step(), 5);
  EXPECT_TRUE(bar->Smooth());
  EXPECT_EQ(bar->BorderColor(), clBlack);
  auto* button = Get<TKWTXPButton>("Button");
  EXPECT_TRUE(button->Default());
  EXPECT_TRUE(button->WordWrap());
  EXPECT_FALSE(button->ShowAccelChar());
  EXPECT_TRUE(button->DrawFocusRect());
}

TEST_F(XPDescriptionTest, ReferenceToAMissingPanelIsAnError) {
  EXPECT_THROW(Read("object Header: TKWTXPHeader\n KWTXPCollapsePanel = NoPanel\n end"),
               EReadError);
}

}  // namespace
