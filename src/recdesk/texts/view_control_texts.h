// The TV view's recording texts (Shift-JIS bytes; defined in view_control_texts.cpp).
#pragma once

namespace texts {

extern const char kConfirmStartHead[];
extern const char kConfirmStartFile[];
extern const char kConfirmStartCaption[];
extern const char kRecordRefusedWhilePreparing[];

}  // namespace texts
