// The listing site as deployed: its numeric host, by which the table scrape recognises the
// site's own links, and the default base address of the tables (the Tokyo area).
#pragma once

namespace guide {

inline constexpr char kListingHost[] = "127.0.0.1";
inline constexpr char kDefaultBaseAddress[] = "http://127.0.0.1/tokyo/table/";

}  // namespace guide
