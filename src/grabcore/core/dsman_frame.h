// The dispatch frame shared by the per-kind dispatchers.
#pragma once

#include "dsman.h"
#include "lex.h"

template <class Device, class Body>
void dsMan::frame(const char* unexpectedText, Body body) {
  std::shared_ptr<Device> object = std::dynamic_pointer_cast<Device>(engine_.object(engine_.token(0)));
  std::string failure;
  try {
    std::optional<SubCommand> id = findSubCommand(engine_.token(1));
    if (!object || !id || !body(*id, *object)) throw DeviceError{unexpectedText};
    return;
  } catch (const DeviceError& error) {
    failure = error.text;
  }
  // Let go of the object first: the report's undo may delete it, and it must then be gone.
  object.reset();
  reportError(failure);
}
