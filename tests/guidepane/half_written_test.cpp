// guidepane.dat and the favourites are never half-written: a failure at any step of a save leaves
// the old files (guidepane.dat is saved at the end, where nothing is shown).
#include <gtest/gtest.h>

#include "common/failing_steps.h"
#include "guidepane/core/def_file.h"
#include "guidepane/core/favourites.h"
#include "recdesk/temp_dir.h"

TEST(HalfWritten, GuidepaneDat) {
  TempDir folder;
  const std::string path = folder.file("guidepane.dat");
  const std::vector<uint8_t> old = encodeGuideSettings({});
  ASSERT_TRUE(tavora::writeFileReplacing(path, old));
  defFile settings(path, {});
  settings.baseAddress = "http://127.0.0.1/new/";
  failing_steps::expectNeverHalfWritten({{path, old}}, [&] { return !settings.save(); });
}

// The favourites' two files go together: a failure at any step leaves both old ones.
TEST(HalfWritten, FavouritesBothFiles) {
  TempDir folder;
  const std::string names = folder.file("favorite1.dat"), addresses = folder.file("favorite2.dat");
  const std::string oldNames = "News\r\n", oldAddresses = "http://127.0.0.1/a\r\n";
  guide::Favourites favourites;
  favourites.add("Weather", "http://127.0.0.1/b");
  failing_steps::expectNeverHalfWritten({{names, {oldNames.begin(), oldNames.end()}},
                                         {addresses, {oldAddresses.begin(), oldAddresses.end()}}},
                                        [&] { return !favourites.save(names, addresses); }, true);
}
