#include "cap_form_file.h"

#include "../../common/bytes.h"
#include "../../common/fileio.h"
#include "../texts/recdesk_texts.h"
#include "field_reader.h"

CapFormFile::CapFormFile() : qualityName(texts::kDefaultQuality), recordFileName("C:\\AVCapture.AVI") {}

void CapFormFile::decode(const std::vector<uint8_t>& data) {
  *this = CapFormFile();
  // The version (offset 0) is always written as 1 and not read.
  ViewSettings& v = viewSettings;
  FieldReader in(data);
  in.read(4, v.useDefaultPos);
  in.read(8, v.left);
  in.read(12, v.top);
  in.read(16, v.width);
  in.read(20, v.height);
  in.read(24, v.windowState);
  in.read(25, v.alwaysOnTop);
  in.read(26, v.panelPosition);
  in.read(28, v.videoSize);
  in.read(32, v.corner);
  in.read(36, v.preallocMB);
  in.read(40, v.noPreviewWhileRecording);
  in.read(41, v.confirmBeforeRecording);

  in.readStrings(kBlockSize, qualityName, recordFileName);
}

std::vector<uint8_t> CapFormFile::encode() const {
  const ViewSettings& v = viewSettings;
  tavora::ByteWriter out;
  out.i32(1);
  out.u8(v.useDefaultPos);
  out.zeros(3);
  out.i32(v.left);
  out.i32(v.top);
  out.i32(v.width);
  out.i32(v.height);
  out.u8(v.windowState);
  out.u8(v.alwaysOnTop);
  out.u8(v.panelPosition);
  out.zeros(1);
  out.i32(v.videoSize);
  out.u8(v.corner);
  out.zeros(3);  // reserved byte and padding
  out.i32(v.preallocMB);
  out.u8(v.noPreviewWhileRecording);
  out.u8(v.confirmBeforeRecording);
  out.zeros(2);
  out.cstr(qualityName);
  out.cstr(recordFileName);
  return out.take();
}

std::optional<std::string> CapFormFile::load(const std::string& path) {
  *this = CapFormFile();
  if (!tavora::fileExists(path)) return std::nullopt;
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(path);
  if (!data) return std::string(texts::kCapFormOpenHead) + path + texts::kCapFormOpenTail;
  decode(*data);
  return std::nullopt;
}

std::optional<std::string> CapFormFile::save(const std::string& path) const {
  const tavora::WriteResult written = tavora::writeFileReplacing(path, encode());
  if (written) return std::nullopt;
  // The target that cannot be replaced is the file that cannot be created.
  return std::string(written.failedStep == tavora::WriteStep::write ? texts::kCapFormWriteFailed
                                                                     : texts::kCapFormCreateFailed);
}
