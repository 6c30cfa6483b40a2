// The listing site as deployed: the default base address of the tables (the Tokyo area). The
// table scrape knows the site's own links by the host of the stored base address.
#pragma once

namespace guide {

inline constexpr char kDefaultBaseAddress[] = "http://127.0.0.1/tokyo/table/";

}  // namespace guide
