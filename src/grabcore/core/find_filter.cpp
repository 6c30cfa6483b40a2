#include "find_filter.h"

#include "../texts/engine_texts.h"
#include "engine_host.h"

int searchFilter(DeviceCategory& category, const std::string& friendlyName, bool wantFilter) {
  if (!category.createEnumerator()) return 0;
  bool empty = false;
  if (!category.openCategory(empty)) return 1;
  if (empty) return 6;
  while (category.nextDevice()) {
    if (!category.bindStorage()) return 2;
    if (!category.readClsid()) return 3;
    if (!category.convertClsid()) return 4;
    std::string name;
    if (!category.readFriendlyName(name)) return 5;
    if (name == friendlyName) {
      if (wantFilter && !category.bindFilter()) return 6;
      return -1;
    }
  }
  return 6;
}

bool findFilter(EngineHost& host, DeviceCategory& category, const std::string& friendlyName, bool wantFilter) {
  int error = searchFilter(category, friendlyName, wantFilter);
  if (error < 0) return true;
  host.showErrorDialog(texts::kFindFilterErrors[error]);
  return false;
}
