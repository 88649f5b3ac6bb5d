// Every field of the settings record, for tests that must look at each one.
#pragma once

#include <cstddef>

#include "settings/settings.h"

using Field = int32_t Settings::*;

constexpr Field everyRecordField[] = {
    &Settings::textureMemoryMb, &Settings::palettedTexture,   &Settings::sharedTexturePalette,
    &Settings::packedPixels,    &Settings::infoCorner,        &Settings::showFramerate,
    &Settings::clockStyle,      &Settings::showTextureMass,   &Settings::displayOrder,
    &Settings::windowed,        &Settings::centred,           &Settings::captureMouse,
    &Settings::windowExtras,    &Settings::desktopResolution, &Settings::fsaaIndex,
    &Settings::refreshIndex,    &Settings::directXVideos,     &Settings::textureVideos,
    &Settings::fixedGamma,      &Settings::language};

constexpr size_t recordFieldCount = sizeof(everyRecordField) / sizeof(everyRecordField[0]);
