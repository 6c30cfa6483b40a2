// Makes the device object of a kind; kinds without a class yet make nothing.
#pragma once

#include <memory>

#include "dsmother.h"

class lex;

class DeviceFactory {
 public:
  virtual ~DeviceFactory() = default;
  virtual std::shared_ptr<dsMother> make(WaitId kind, lex& engine) = 0;
};
