// DirectShow media-type records: freeing them, and converting them to and from the portable
// record of the profile files.
#pragma once

#include <dshow.h>

#include <memory>

#include "grabcore/core/media_type_file.h"

// Frees the format block (task memory) and releases the extra interface; both become empty.
void freeMediaType(AM_MEDIA_TYPE& type);
// Does that and frees the record itself (for records a DirectShow call allocated).
void deleteMediaType(AM_MEDIA_TYPE* type);

struct MediaTypeDeleter {
  void operator()(AM_MEDIA_TYPE* type) const { deleteMediaType(type); }
};
using MediaTypePtr = std::unique_ptr<AM_MEDIA_TYPE, MediaTypeDeleter>;

// The stream's current format; none when GetFormat fails.
MediaTypePtr currentFormat(IAMStreamConfig* config);

Guid toGuid(const GUID& id);
GUID toGUID(const Guid& id);

// A copy of the record and its format block (a missing block counts as empty).
MediaTypeRecord toRecord(const AM_MEDIA_TYPE& type);
// A media type that points into the record's block: valid while the record lives unchanged.
AM_MEDIA_TYPE mediaTypeOver(MediaTypeRecord& record);
