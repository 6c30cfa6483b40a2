#include "tv_tuner.h"

#include "../../common/messages.h"
#include "../texts/tuner_texts.h"
#include "common/fileio.h"
#include "errors.h"

namespace {

// Crossbar pins by index, as Route takes them (output first).
constexpr int32_t kUpstreamOut = 3;
constexpr int32_t kUpstreamFirst = 4;     // routed first, for every channel
constexpr int32_t kUpstreamInputs = 3;    // then, for Composite and S-Video
constexpr int32_t kDownstreamOut = 0;
constexpr int32_t kDownstreamComposite = 0;
constexpr int32_t kDownstreamTuner = 1;
constexpr int32_t kDownstreamSVideo = 2;

// A 0-based table index of a command, or none for a negative one.
std::optional<size_t> tableIndex(int32_t index) {
  if (index < 0) return std::nullopt;
  return static_cast<size_t>(index);
}

}  // namespace

TTvTuner::TTvTuner(EngineHost& host, std::unique_ptr<TunerDevices> devices, TunerDialogs& dialogs,
                   std::string programDir)
    : host_(host),
      devices_(std::move(devices)),
      dialogs_(dialogs),
      datPath_(programDir + "TvTuner.dat"),
      dat2Path_(programDir + "TvTuner.dat2") {}

TTvTuner::~TTvTuner() {
  if (!removed_) {
    saveTunerDat();
    devices_->release();
  }
}

void TTvTuner::requireDevices(const char* failureText) const {
  if (!devices_->held()) throw DeviceError{failureText};
}

void TTvTuner::create(TGraphBuilder* graph) {
  // A create starts the object afresh, also after a remove: its destruction saves and releases
  // what this one finds.
  removed_ = false;
  held_ = false;
  if (!devices_->discover(graph)) return;
  if (tavora::fileExists(datPath_)) load();
  else if (!firstRun()) return;
  held_ = true;
  host_.postToFront(tvr::TVR_ANTRANGE, static_cast<uint32_t>(table_.antennaMin), table_.antennaMax);
  host_.postToFront(tvr::TVR_CBLRANGE, static_cast<uint32_t>(table_.cableMin), table_.cableMax);
  tuneCurrent();
  host_.postToFront(tvr::TVR_ISANTENNA, table_.inputType == 1 ? 1 : 2, 0);
}

void TTvTuner::load() {
  const std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(datPath_);
  const std::optional<tavora::TunerFile> file = data ? tavora::parseTunerDat(*data) : std::nullopt;
  // A file that cannot be read whole counts as one that cannot be opened: it is left as it is.
  if (!file) throw DeviceError{texts::kTunerDatUnopenable};
  std::vector<tavora::TunerTypeRecord> records;
  if (const std::optional<std::vector<uint8_t>> data2 = tavora::readWholeFile(dat2Path_)) {
    if (std::optional<std::vector<tavora::TunerTypeRecord>> parsed = tavora::parseTunerDat2(*data2))
      records = std::move(*parsed);
  }
  table_.load(*file, records);
}

bool TTvTuner::firstRun() {
  getChRange(1);
  getChRange(0);
  table_.clear();
  const int answer = dialogs_.askScan();
  // The program's end is no answer: without TvTuner.dat the next start asks again.
  if (answer == kScanEnded) return false;
  table_.inputType = answer == kScanCable ? 0 : 1;
  if (answer != kScanNone) scan(answer == kScanAntenna ? 1 : 0);
  table_.appendInputs();
  table_.setCurrent(0);
  writeFiles();
  return true;
}

void TTvTuner::getChRange(uint8_t type) {
  requireDevices(texts::kTunerRangePutModeFailed);
  if (!devices_->putModeTv()) throw DeviceError{texts::kTunerRangePutModeFailed};
  if (!devices_->putInputType(type)) throw DeviceError{texts::kTunerRangePutInputTypeFailed};
  if (!devices_->putChannel(1)) throw DeviceError{texts::kTunerRangePutChannelFailed};
  int32_t min = 0, max = 0;
  if (!devices_->channelMinMax(min, max)) throw DeviceError{texts::kTunerRangeMinMaxFailed};
  (type == 1 ? table_.antennaMin : table_.cableMin) = min;
  (type == 1 ? table_.antennaMax : table_.cableMax) = max;
}

void TTvTuner::tuneCurrent() {
  requireDevices(texts::kTunerPutModeFailed);
  const ChannelSet* channel = table_.current();
  if (!channel) return;
  host_.sendCopyDataToFront(tvr::CD_CAPTION, table_.captionBlock(nullptr));
  const auto route = [this](bool upstream, int32_t output, int32_t input) {
    if (!devices_->route(upstream, output, input)) throw DeviceError{texts::kTunerRouteFailed};
  };
  if (channel->tuning == kCompositeTuning || channel->tuning == kSVideoTuning) {
    host_.postToFront(tvr::TVR_SIGNAL, 1, 0);
    route(true, kUpstreamOut, kUpstreamFirst);
    route(true, kUpstreamOut, kUpstreamInputs);
    route(false, kDownstreamOut, channel->tuning == kCompositeTuning ? kDownstreamComposite : kDownstreamSVideo);
  } else {
    if (!devices_->putModeTv()) throw DeviceError{texts::kTunerPutModeFailed};
    if (!devices_->putInputType(channel->inputType == 1 ? 1 : 0)) throw DeviceError{texts::kTunerPutInputTypeFailed};
    if (!devices_->putChannel(static_cast<uint16_t>(channel->tuning))) throw DeviceError{texts::kTunerPutChannelFailed};
    route(true, kUpstreamOut, kUpstreamFirst);
    route(false, kDownstreamOut, kDownstreamTuner);
    const bool found = devices_->autoTune(channel->tuning);
    host_.postToFront(tvr::TVR_SIGNAL, found ? 1 : 0, 0);
  }
  host_.postToFront(tvr::TVR_CHANNEL, channel->key, 0);
}

void TTvTuner::scan(uint8_t type) {
  const std::string base = texts::kTunerScanCaption;
  std::unique_ptr<ScanProgress> progress = dialogs_.openProgress(base);
  const char* failure = nullptr;
  if (!devices_->held() || !devices_->putModeTv()) failure = texts::kTunerScanPutModeFailed;
  else if (!devices_->putInputType(type)) failure = texts::kTunerPutInputTypeFailed;
  else if (!devices_->route(false, kDownstreamOut, kDownstreamTuner)) failure = texts::kTunerRouteFailed;
  if (failure) {
    progress.reset();
    host_.showErrorDialog(failure);
    return;
  }
  const int32_t last = table_.rangeMax(type);
  progress->setMaximum(last);
  for (int64_t wide = table_.rangeMin(type); wide <= last; ++wide) {
    const int32_t c = static_cast<int32_t>(wide);
    const bool found = devices_->autoTune(c);
    if (found) {
      table_.appendFound(c, type);
    } else {
      progress->setMaximum(last);
    }
    progress->setPosition(c);
    progress->setCaption(base + " " + std::to_string(c) + (found ? texts::kTunerScanFound : texts::kTunerScanNone));
    progress->pump();
  }
}

void TTvTuner::remove() {
  saveTunerDat();
  release();
}

void TTvTuner::release() {
  devices_->release();
  removed_ = true;
}

void TTvTuner::setCh(const int32_t* key) {
  requireDevices(texts::kTunerPutModeFailed);
  if (key) {
    if (*key < 0 || *key > 0xFFFF || !table_.selectKey(static_cast<uint16_t>(*key))) return;
  }
  tuneCurrent();
}

void TTvTuner::stepChannel(int direction) {
  requireDevices(texts::kTunerPutModeFailed);
  if (table_.step(direction)) tuneCurrent();
}

void TTvTuner::nukeWithoutNeeds(TGraphBuilder* graph) {
  requireDevices(texts::kTunerNukeNoDevices);
  devices_->removeOthers(graph);
}

void TTvTuner::searchChannel(uint8_t type) { scan(type); }

void TTvTuner::prChannelToListview() { host_.sendCopyDataToFront(tvr::CD_CHLIST, table_.channelListBlock()); }

void TTvTuner::setSelChCombo(uint8_t type) {
  host_.sendCopyDataToFront(tvr::CD_FREECHANNELS, table_.freeChannelsBlock(type));
}

void TTvTuner::changeChValue(int32_t index, const std::string& name, int32_t key, int32_t tuning, uint8_t type) {
  if (std::optional<size_t> i = tableIndex(index))
    table_.changeValue(*i, name, static_cast<uint16_t>(key), static_cast<int16_t>(tuning), type);
}

void TTvTuner::chIndexToUpper(int32_t index) {
  if (std::optional<size_t> i = tableIndex(index)) table_.moveUp(*i);
}

void TTvTuner::chIndexToLower(int32_t index) {
  if (std::optional<size_t> i = tableIndex(index)) table_.moveDown(*i);
}

void TTvTuner::addChToList(int32_t index, const std::string& name, int32_t tuning, uint8_t type) {
  const std::optional<size_t> i = tableIndex(index);
  if (!i) return;
  const std::optional<std::vector<uint16_t>> offered = table_.insert(*i, name, static_cast<int16_t>(tuning), type);
  if (!offered) return;
  host_.sendCopyDataToFront(tvr::CD_CHNUMBERS, ChannelTable::numbersBlock(*offered));
  tuneCurrent();
  host_.postToFront(tvr::TVR_CHADDED, 0, 0);
}

void TTvTuner::delChFromList(int32_t index) {
  if (std::optional<size_t> i = tableIndex(index)) table_.remove(*i);
}

void TTvTuner::setCaption(const std::string* text) {
  host_.sendCopyDataToFront(tvr::CD_CAPTION, table_.captionBlock(text));
}

void TTvTuner::saveTunerDat() {
  if (held_) writeFiles();
}

void TTvTuner::writeFiles() {
  if (!tavora::writeFileReplacing(datPath_, tavora::buildTunerDat(table_.toFile())))
    host_.showErrorDialog(texts::kTunerDatSaveFailed);
  if (!tavora::writeFileReplacing(dat2Path_, tavora::buildTunerDat2(table_.typeRecords())))
    host_.showErrorDialog(texts::kTunerDat2SaveFailed);
}
