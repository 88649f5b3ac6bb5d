// The focus cycle's table; the handles are read at each call, so a rebuild changes nothing here.
#include "ui/focus.h"

#include <windows.h>

#include "ui/controls.h"
#include "ui/main_window.h"

namespace {

// focus now on, focus moves to. orderButton is left out: Tab leaves it where it is.
struct FocusStep {
  HWND* from;
  HWND* to;
};

constexpr FocusStep focusSteps[] = {
    {&cornerCombo,        &framerateCheck    },
    {&framerateCheck,     &clockCombo        },
    {&clockCombo,         &textureMassCheck  },
    {&textureMassCheck,   &memoryCombo       },
    {&memoryCombo,        &palettedCheck     },
    {&palettedCheck,      &sharedPaletteCheck},
    {&sharedPaletteCheck, &packedPixelsCheck },
    {&packedPixelsCheck,  &directXVideosCheck},
    {&directXVideosCheck, &textureVideosCheck},
    {&textureVideosCheck, &fixedGammaCheck   },
    {&fixedGammaCheck,    &refreshCombo      },
    {&refreshCombo,       &windowedCheck     },
    {&windowedCheck,      &centredCheck      },
    {&centredCheck,       &captureMouseCheck },
    {&captureMouseCheck,  &windowExtrasCheck },
    {&windowExtrasCheck,  &desktopResCheck   },
    {&desktopResCheck,    &fsaaCombo         },
    {&fsaaCombo,          &languageButton    },
    {&languageButton,     &saveButton        },
    {&saveButton,         &quitButton        },
    {&quitButton,         &cornerCombo       },
    {&mainWindow,         &cornerCombo       },
};

}  // namespace

void cycleFocus() {
  // Read once: the control that has just taken the focus is not compared again.
  HWND focused = GetFocus();
  if (focused == nullptr) return;
  for (const FocusStep& step : focusSteps) {
    if (*step.from == focused) {
      SetFocus(*step.to);
      return;
    }
  }
}
