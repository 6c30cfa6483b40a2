// Writes the seed corpora of the fuzz targets (tests/fuzz/corpus/<target>/seed-N) from the
// product's own writers, with the values the native tests use. Run by hand after a format
// changes: build/fuzz/tests/fuzz/make_seeds tests/fuzz/corpus
#include <filesystem>
#include <fstream>

#include "../recdesk/reserve_builder.h"
#include "common/tuner_file.h"
#include "grabcore/core/channel_table.h"
#include "grabcore/core/media_type_file.h"
#include "grabcore/core/mixer_settings.h"
#include "grabcore/core/vcap_settings.h"
#include "grabcore/core/vcompress_file.h"
#include "grabcore/core/video_info.h"
#include "guidepane/core/def_file.h"
#include "recdesk/core/cap_form_file.h"
#include "recdesk/core/timer_ini.h"

namespace {

std::filesystem::path root;

void seed(const std::string& target, const std::string& bytes) {
  std::filesystem::create_directories(root / target);
  int n = 1;
  while (std::filesystem::exists(root / target / ("seed-" + std::to_string(n)))) ++n;
  std::ofstream(root / target / ("seed-" + std::to_string(n)), std::ios::binary) << bytes;
}
void seed(const std::string& target, const std::vector<uint8_t>& bytes) { seed(target, std::string(bytes.begin(), bytes.end())); }

MediaTypeRecord mediaType(const Guid& formattype, size_t blockSize) {
  MediaTypeRecord type;
  type.formattype = formattype;
  type.sampleSize = 4;
  for (size_t i = 0; i < blockSize; ++i) type.format.push_back(static_cast<uint8_t>(i == 0 ? 1 : i == 2 ? 2 : 0));
  return type;
}

}  // namespace

int main(int argc, char** argv) {
  root = argc > 1 ? argv[1] : "tests/fuzz/corpus";
  seed("vcap_settings", encodeVCapSettings({1, 10, 20, 30, 40, true, true, false, "VfW Card", "WDM Card"}));
  seed("vcap_settings", encodeVCapSettings({1, 0, 0, 0, 0, false, true, false, "", "WDM Card"}));
  seed("video_profile", encodeMediaTypeFile(mediaType(kFormatVideoInfo, 88)));
  seed("video_profile", encodeMediaTypeFile(mediaType(kFormatVideoInfo2, 112)));
  seed("audio_profile", encodeMediaTypeFile(mediaType(kFormatWaveFormatEx, 18)));
  seed("vcompress_profile", encodeVCompressFile({"Cinepak Codec", {1, 2, 3, 4}}));
  seed("vcompress_profile", encodeVCompressFile({}));
  seed("mixer_settings", encodeMixerSettings({true, 1, {{"Speakers", 1, 2}, {"Line In", 3, 4}}}));
  seed("mixer_settings", encodeMixerSettings({}));
  ChannelTable table;
  table.antennaMax = 62;
  table.channels = {{10, 10, "10CH", 0}, {65535, -1, "Composit", 1}, {12, 4, "4CH", 1}};
  table.setCurrent(2);
  seed("tuner_dat", tavora::buildTunerDat(table.toFile()));
  seed("tuner_dat2", tavora::buildTunerDat2(table.typeRecords()));
  // The reply blocks lead with the byte that picks the kind: 0 the list (2), 1 names (3), 2 the free keys (4).
  const auto kindAndBlock = [](char kind, const std::vector<uint8_t>& block) { return kind + std::string(block.begin(), block.end()); };
  seed("reply_blocks", kindAndBlock(0, table.channelListBlock()));
  seed("reply_blocks", kindAndBlock(1, ChannelTable::numbersBlock({10, 12, 65535})));
  seed("reply_blocks", kindAndBlock(2, table.freeChannelsBlock(1)));
  seed("reserve_dat", reserveFile({reservation(46366.875, 46366.9, 3, "News"),
                                   reservation(46367.5, 46367.6, 65535, "Movie", TRsvEle::kOnce)}));
  seed("timer_setup", timerIni().encode());
  CapFormFile capForm;
  capForm.qualityName = "q1";
  capForm.recordFileName = "D:\\rec\\manual.avi";
  seed("cap_form", capForm.encode());
  GuideSettings guide;
  guide.baseAddress = "http://127.0.0.1/guide/";
  guide.stations = {{"NHK1", 0}, {"S2", 3}};
  seed("guide_settings", encodeGuideSettings(guide));
  seed("favourites", std::string("News\r\nWeather\r\n") + '\0' + "http://127.0.0.1/a\r\nhttp://127.0.0.1/b\r\n");
  // Both area files (first byte 3: both exist), and the names alone.
  seed("area_lists", std::string("\x03" "East\r\nWest\r\n") + '\0' + "http://127.0.0.1/e/\r\nhttp://127.0.0.1/w/\r\n");
  seed("area_lists", std::string("\x01" "East\r\nWest"));
  // Posted results: the message's index, then wParam, lParam and the extra value, as the engine posts them.
  const auto posted = [](char index, uint32_t w, uint32_t l, uint32_t extra) {
    std::string bytes(1, index);
    for (uint32_t v : {w, l, extra}) bytes.append(reinterpret_cast<const char*>(&v), 4);
    return bytes;
  };
  const DoubleHalves rate = splitDouble(29.97);
  seed("posted_results", posted(0, 3, 140, 0));                 // saturation
  seed("posted_results", posted(1, 49151, 0, 1));               // volume, vertical bar
  seed("posted_results", posted(2, 65535, 0, 0));               // composite
  seed("posted_results", posted(3, 44100, 2u << 16 | 4, 0));    // 16-bit stereo
  seed("posted_results", posted(4, rate.low, rate.high, 0));    // frame rate
  seed("posted_results", posted(5, 1, 62, 70));                 // antenna range, a tuning above it
  return 0;
}
