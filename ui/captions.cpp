// The captions as data: where each stands, what it says and which control it labels. A list's
// accessible name is its caption, so the texts live here alone.
#include "ui/captions.h"

#include "settings/settings.h"
#include "ui/controls.h"

namespace {

// In the order the paint pass writes them. One row per caption reads better than any wrapping.
// clang-format off
constexpr Caption captions[] = {
  {5,   5,   false, nullptr,       {"Bildschirmanzeige:", "Screen-infos in:"}},
  {305, 5,   false, nullptr,       {"Initialisierung:", "Initialization:"}},
  {5,   145, false, nullptr,       {"Extras:", "Extras:"}},
  {120, 35,  false, &cornerCombo,  {"Infos anzeigen", "Corner"}},
  {140, 0,   true,  &clockCombo,   {"Uhr", "Clock"}},
  {360, 35,  false, &memoryCombo,  {"MB Textur-Speicher", "MB texture-memory"}},
  {65,  265, false, &fsaaCombo,    {"Multisampling/FSAA", "Multisampling/FSAA"}},
  {360, 245, false, &refreshCombo, {"Hz maximale Bildwiederholfrequenz", "Hz maximum refresh-rate"}},
};
// clang-format on

}  // namespace

TableRows<Caption> allCaptions() {
  return rowsOf(captions);
}

int captionY(const Caption& caption, int32_t order) {
  return caption.atClockRow ? orderRowY(order, OrderItem::clock) : caption.y;
}
