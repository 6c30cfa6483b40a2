// The lookup of a capture device by friendly name in one category of the system device
// enumerator, over a small interface that the Windows side implements with COM.
#pragma once

#include <string>

class EngineHost;

class DeviceCategory {
 public:
  virtual ~DeviceCategory() = default;
  virtual bool createEnumerator() = 0;
  // False on failure; true with empty set when the category holds no device.
  virtual bool openCategory(bool& empty) = 0;
  // Steps to the next device; false at the end.
  virtual bool nextDevice() = 0;
  virtual bool bindStorage() = 0;
  virtual bool readClsid() = 0;
  virtual bool convertClsid() = 0;
  virtual bool readFriendlyName(std::string& name) = 0;
  // Binds the current device's filter; false when the bind fails.
  virtual bool bindFilter() = 0;
};

// The internal error number (0..6) of a failed search, or -1 when the device was found
// (and bound, when wantFilter).
int searchFilter(DeviceCategory& category, const std::string& friendlyName, bool wantFilter);

// Searches and shows the error dialog for a failure; true when found.
bool findFilter(EngineHost& host, DeviceCategory& category, const std::string& friendlyName, bool wantFilter);
