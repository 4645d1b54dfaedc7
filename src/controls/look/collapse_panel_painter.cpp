#include "controls/look/collapse_panel_painter.h"

#include "controls/look/dc_state.h"
#include "controls/look/gradient.h"

RECT CollapsePanelInnerRect(const RECT& client, int border) {
  return {client.left + border, client.top - 1, client.right - border, client.bottom - 4};
}

void PaintCollapsePanel(HDC dc, const RECT& client, const CollapsePanelLook& look) {
  SavedDcState saved(dc, client);
  FillSolid(dc, client, look.background);
  const RECT inner = CollapsePanelInnerRect(client, look.border);
  FillSolid(dc, inner, look.color);
  FrameRectangle(dc, inner, look.frame);
}
