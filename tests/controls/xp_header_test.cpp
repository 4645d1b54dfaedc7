#include "control_host.h"
#include "controls/xp_header.h"
#include "framework/description_reader.h"
#include "framework/std_controls.h"
#include "support/worker_thread.h"

#include <atomic>

namespace {

const char kHeaderAndPanel[] = R"(
  object Header1: TKWTXPHeader
    Left = 20
    Top = 10
    Width = 180
    Height = 40
    Border = 6
    KWTXPCollapsePanel = CollapsePanel1
  end
  object CollapsePanel1: TKWTXPCollapsePanel
    Left = 300
    Top = 300
    Width = 50
    Height = 90
  end)";

class HeaderTest : public ControlHostTest {
 protected:
  void SetUp() override {
    Read(kHeaderAndPanel);
    header_ = Get<TKWTXPHeader>("Header1");
    panel_ = Get<TKWTXPCollapsePanel>("CollapsePanel1");
    header_->OnClick = [this](TObject*) { ++clicks_; };
  }

  TKWTXPHeader* header_ = nullptr;
  TKWTXPCollapsePanel* panel_ = nullptr;
  int clicks_ = 0;
};

TEST_F(HeaderTest, LinkingPlacesThePanelBelowWithTheHeadersWidthColourAndBorder) {
  ASSERT_EQ(header_->KWTXPCollapsePanel(), panel_);
  EXPECT_EQ(panel_->Left(), 20);
  EXPECT_EQ(panel_->Top(), 50);
  EXPECT_EQ(panel_->Width(), 180);
  EXPECT_EQ(panel_->Height(), 90);
  EXPECT_EQ(panel_->ColorBackground(), RGB(83, 141, 251));
  EXPECT_EQ(panel_->Border(), 6);
  header_->SetBorder(2);
  EXPECT_EQ(panel_->Border(), 2);
}

TEST_F(HeaderTest, CollapsedShowsOrHidesTheLinkedPanelWithoutMovingIt) {
  panel_->SetTop(120);
  header_->SetCollapsed(false);
  EXPECT_FALSE(panel_->Visible());
  EXPECT_FALSE(IsWindowVisible(panel_->Handle()));
  header_->SetCollapsed(true);
  EXPECT_TRUE(panel_->Visible());
  EXPECT_EQ(panel_->Top(), 120);
}

TEST_F(HeaderTest, ClickInTheStripFlipsCollapsedAndShowsThePanelBelowTheHeader) {
  header_->SetCollapsed(false);
  panel_->SetTop(200);
  ClickAt(header_, 90, 40 - 5);
  EXPECT_TRUE(header_->Collapsed());
  EXPECT_TRUE(panel_->Visible());
  EXPECT_EQ(panel_->Top(), 50);
  EXPECT_EQ(clicks_, 1);
  ClickAt(header_, 90, 40 - 26);  // top row of the strip
  EXPECT_FALSE(header_->Collapsed());
  EXPECT_FALSE(panel_->Visible());
  EXPECT_EQ(clicks_, 2);
}

TEST_F(HeaderTest, ClickOutsideTheStripOnlyFiresTheClickEvent) {
  struct Point {
    int x, y;
  };
  // Above the strip, and in the Border insets on either side of it.
  for (const Point point : {Point{90, 40 - 27}, Point{5, 35}, Point{180 - 6, 35}}) {
    ClickAt(header_, point.x, point.y);
    EXPECT_TRUE(header_->Collapsed()) << point.x << "," << point.y;
  }
  EXPECT_TRUE(panel_->Visible());
  EXPECT_EQ(clicks_, 3);
}

TEST_F(HeaderTest, StripIsHotOnlyWhileTheMouseIsInsideIt) {
  SendMessageA(header_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(90, 30));
  EXPECT_TRUE(header_->StripHot());
  SendMessageA(header_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(90, 5));
  EXPECT_FALSE(header_->StripHot());
  SendMessageA(header_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(90, 30));
  SendMessageA(header_->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(header_->StripHot());
  header_->SetHotOverlay(false);
  SendMessageA(header_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(90, 30));
  EXPECT_FALSE(header_->StripHot());
}

// Answers the information box of this thread and records its text.
class BoxAnswerer {
 public:
  BoxAnswerer() : thread_id_(GetCurrentThreadId()), worker_([this] { Watch(); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    worker_.Join();
  }
  std::string Text() const { return text_; }
  int Boxes() const { return boxes_; }

 private:
  static BOOL CALLBACK Visit(HWND window, LPARAM lparam) {
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (std::string(class_name) == "#32770" && IsWindowVisible(window)) {
      *reinterpret_cast<HWND*>(lparam) = window;
      return FALSE;
    }
    return TRUE;
  }
  void Watch() {
    const DWORD start = GetTickCount();
    while (!stop_ && GetTickCount() - start < 10000) {
      HWND box = nullptr;
      EnumThreadWindows(thread_id_, Visit, reinterpret_cast<LPARAM>(&box));
      if (box) {
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        char title[64] = {};
        GetWindowTextA(box, title, sizeof title);
        text_ = text;
        ++boxes_;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        while (!stop_ && IsWindow(box) && IsWindowVisible(box)) Sleep(10);
      }
      Sleep(10);
    }
  }

  DWORD thread_id_;
  std::atomic<bool> stop_{false};
  std::string text_;
  std::atomic<int> boxes_{0};
  testing_support::WorkerThread worker_;
};

TEST_F(HeaderTest, PanelWithAnotherParentIsRefusedWithTheInformationBox) {
  Read(R"(
    object Panel1: TPanel
      Left = 250
      Top = 10
      object CollapsePanel2: TKWTXPCollapsePanel
      end
    end)");
  auto* other = Get<TKWTXPCollapsePanel>("CollapsePanel2");
  std::string text;
  int boxes = 0;
  {
    BoxAnswerer answerer;
    header_->SetKWTXPCollapsePanel(other);
    text = answerer.Text();
    boxes = answerer.Boxes();
  }
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(text, "Selected (CollapsePanel2) must had same parent as Header1");
  EXPECT_EQ(header_->KWTXPCollapsePanel(), nullptr);
  // Unlinked: Collapsed no longer touches any panel.
  header_->SetCollapsed(false);
  EXPECT_TRUE(panel_->Visible());
  EXPECT_TRUE(other->Visible());
}

TEST_F(HeaderTest, HandCursorInsideTheStripOnly) {
  const POINT inside = header_->ClientToScreen(POINT{90, 30});
  const POINT above = header_->ClientToScreen(POINT{90, 5});
  HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  SetCursorPos(inside.x, inside.y);
  Pump(50);
  SendMessageA(header_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(header_->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), arrow);
  SetCursorPos(above.x, above.y);
  Pump(50);
  SendMessageA(header_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(header_->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), arrow);
}

}  // namespace
