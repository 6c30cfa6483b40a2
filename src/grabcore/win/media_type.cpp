#include "media_type.h"

#include <cstring>

void freeMediaType(AM_MEDIA_TYPE& type) {
  if (type.pbFormat) CoTaskMemFree(type.pbFormat);
  type.pbFormat = nullptr;
  type.cbFormat = 0;
  if (type.pUnk) type.pUnk->Release();
  type.pUnk = nullptr;
}

void deleteMediaType(AM_MEDIA_TYPE* type) {
  if (!type) return;
  freeMediaType(*type);
  CoTaskMemFree(type);
}

MediaTypePtr currentFormat(IAMStreamConfig* config) {
  AM_MEDIA_TYPE* type = nullptr;
  if (FAILED(config->GetFormat(&type))) {
    deleteMediaType(type);
    return nullptr;
  }
  return MediaTypePtr(type);
}

Guid toGuid(const GUID& id) {
  Guid out;
  out.data1 = id.Data1;
  out.data2 = id.Data2;
  out.data3 = id.Data3;
  std::memcpy(out.data4.data(), id.Data4, sizeof id.Data4);
  return out;
}

GUID toGUID(const Guid& id) {
  GUID out;
  out.Data1 = id.data1;
  out.Data2 = id.data2;
  out.Data3 = id.data3;
  std::memcpy(out.Data4, id.data4.data(), sizeof out.Data4);
  return out;
}

MediaTypeRecord toRecord(const AM_MEDIA_TYPE& type) {
  MediaTypeRecord record;
  record.majortype = toGuid(type.majortype);
  record.subtype = toGuid(type.subtype);
  record.fixedSizeSamples = type.bFixedSizeSamples;
  record.temporalCompression = type.bTemporalCompression;
  record.sampleSize = type.lSampleSize;
  record.formattype = toGuid(type.formattype);
  if (type.pbFormat && type.cbFormat) record.format.assign(type.pbFormat, type.pbFormat + type.cbFormat);
  return record;
}

AM_MEDIA_TYPE mediaTypeOver(MediaTypeRecord& record) {
  AM_MEDIA_TYPE type{};
  type.majortype = toGUID(record.majortype);
  type.subtype = toGUID(record.subtype);
  type.bFixedSizeSamples = record.fixedSizeSamples;
  type.bTemporalCompression = record.temporalCompression;
  type.lSampleSize = record.sampleSize;
  type.formattype = toGUID(record.formattype);
  type.pUnk = nullptr;
  type.cbFormat = static_cast<ULONG>(record.format.size());
  type.pbFormat = record.format.empty() ? nullptr : record.format.data();
  return type;
}
