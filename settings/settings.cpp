// The settings record's storage, defaults and display-order lookup.
#include "settings/settings.h"

#include "settings/fields.h"

Settings settings;
int32_t refreshStepCount;

int32_t orderRowY(int32_t order, OrderItem item) {
  return rowY[(orderCodes[order] >> static_cast<int>(item)) & 3];
}

Settings defaultSettings(int32_t language) {
  Settings record{};
  for (const FieldRow& row : fieldRows) record.*row.member = row.defaultValue;
  record.language = language;
  return record;
}

void applyDefaults() {
  settings = defaultSettings(settings.language);
}
