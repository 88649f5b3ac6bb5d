// Apply and capture between the record and real controls, and the rebuild bracket.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "settings/settings.h"
#include "tests/win/editor_fixture.h"
#include "ui/controls.h"
#include "ui/exchange.h"

namespace {

using Exchange = EditorWindowTest;
using Field = int32_t Settings::*;

// field, value put into the record, value the capture after an apply must give
struct RoundTrip {
  const char* name;
  Field field;
  int32_t applied;
  int32_t captured;
};

const RoundTrip roundTrips[] = {
    {"on/off 0 stays off",          &Settings::windowed,        0,   0  },
    {"on/off 1 stays on",           &Settings::centred,         1,   1  },
    {"on/off 2 becomes 1",          &Settings::captureMouse,    2,   1  },
    {"on/off 9 becomes 1",          &Settings::fixedGamma,      9,   1  },
    {"on/off -5 becomes 1",         &Settings::directXVideos,   -5,  1  },
    {"corner index kept",           &Settings::infoCorner,      4,   4  },
    {"clock index kept",            &Settings::clockStyle,      3,   3  },
    {"clock 5 is no entry",         &Settings::clockStyle,      5,   -1 },
    {"fsaa index kept",             &Settings::fsaaIndex,       2,   2  },
    {"refresh at the list's end",   &Settings::refreshIndex,    9,   9  },
    {"refresh past the list's end", &Settings::refreshIndex,    10,  -1 },
    {"negative corner is no entry", &Settings::infoCorner,      -1,  -1 },
    {"memory 64 kept",              &Settings::textureMemoryMb, 64,  64 },
    {"memory 2 raised to 8",        &Settings::textureMemoryMb, 2,   8  },
    {"memory 150 lowered to 108",   &Settings::textureMemoryMb, 150, 108},
};

TEST_F(Exchange, ApplyThenCaptureGivesTheRecordBack) {
  for (const RoundTrip& trip : roundTrips) {
    SCOPED_TRACE(trip.name);
    applyDefaults();
    settings.*trip.field = trip.applied;
    rebuild();
    Settings expected = settings;
    expected.*trip.field = trip.captured;
    captureControls();
    EXPECT_EQ(trip.captured, settings.*trip.field);
    EXPECT_EQ(0, std::memcmp(&expected, &settings, sizeof(Settings))) << "another field moved";
  }
}

TEST_F(Exchange, MemoryClampSelectsTheEndEntries) {
  settings.textureMemoryMb = 2;
  applySettings();
  EXPECT_EQ(8, settings.textureMemoryMb);
  EXPECT_EQ(0, SendMessageA(memoryCombo, CB_GETCURSEL, 0, 0));
  settings.textureMemoryMb = 108;
  applySettings();
  EXPECT_EQ(100, SendMessageA(memoryCombo, CB_GETCURSEL, 0, 0));
}

// Every value set away from its default, as a user would leave the window.
void setEverythingByHand() {
  for (const ControlRow& row : controlCatalogue) {
    if (row.kind == ControlKind::checkBox)
      SendMessageA(*row.handle, BM_SETCHECK, BST_CHECKED, 0);
    else if (row.kind == ControlKind::dropDownList)
      SendMessageA(*row.handle, CB_SETCURSEL, listCount(*row.handle) - 1, 0);
  }
}

TEST_F(Exchange, RebuildBracketKeepsEveryValueInEveryLanguageAndOrder) {
  setEverythingByHand();
  for (int step = 0; step < 8; ++step) {
    captureControls();
    settings.language = step % 2;
    settings.displayOrder = step % 6;
    buildControls();
    applySettings();
    for (const ControlRow& row : controlCatalogue) {
      if (row.kind == ControlKind::checkBox) {
        EXPECT_EQ(BST_CHECKED, SendMessageA(*row.handle, BM_GETCHECK, 0, 0))
            << windowText(*row.handle);
      } else if (row.kind == ControlKind::dropDownList) {
        EXPECT_EQ(listCount(*row.handle) - 1, SendMessageA(*row.handle, CB_GETCURSEL, 0, 0));
      }
    }
  }
}

TEST_F(Exchange, ControlsThatDoNotExistAreSkipped) {
  HWND windowed = windowedCheck;
  HWND clock = clockCombo;
  windowedCheck = nullptr;
  clockCombo = nullptr;
  settings.windowed = 5;
  settings.clockStyle = 2;
  applySettings();
  captureControls();
  EXPECT_EQ(5, settings.windowed);
  EXPECT_EQ(2, settings.clockStyle);
  windowedCheck = windowed;
  clockCombo = clock;
}

}  // namespace
